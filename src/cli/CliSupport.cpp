#include "CliSupport.h"

#include "core/devices/NbdAddress.h"

#include <QFileInfo>

#include <cstdio>

namespace cli {

QString Printable(const QString& text)
{
    // Titles (a PS2 on the network names them), disc labels and paths reach the terminal:
    // a control character in them is shown, never obeyed. Line breaks and tabs of the
    // program's own layout stay.
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\n' && u != u'\t') || (u >= 0x7f && u <= 0x9f))
            shown += QStringLiteral("\\x%1").arg(static_cast<int>(u), 2, 16, QChar(u'0'));
        else
            shown += c;
    }
    return shown;
}

namespace {
void write(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}
} // namespace

void writeOut(const QString& text)
{
    write(stdout, Printable(text));
}

void writeErr(const QString& text)
{
    write(stderr, Printable(text));
}

namespace {
QStringList g_errors;
bool g_jsonWritten = false;

QString Prefixed(const QString& text)
{
    const QString line = text.endsWith(u'\n') ? text : text + u'\n';
    return QStringLiteral("ventrik-cli: ") + line;
}
} // namespace

void writeError(const QString& text)
{
    g_errors << text.trimmed();
    writeErr(Prefixed(text));
}

void writeWarning(const QString& text)
{
    writeErr(Prefixed(QStringLiteral("warning: ") + text));
}

const QStringList& errorsSaid()
{
    return g_errors;
}

bool jsonWritten()
{
    return g_jsonWritten;
}

void writeJson(const QByteArray& json)
{
    g_jsonWritten = true;
    // Qt escapes what JSON must; the rest of the controls (DEL, C1) are escaped as JSON does.
    // In UTF-8 they are 0x7f and 0xc2 0x80-0x9f: looked for in the bytes, since a listing of
    // thousands of games rarely has one.
    QByteArray out;
    qsizetype copied = 0;
    for (qsizetype i = 0; i < json.size(); ++i) {
        const auto b = static_cast<unsigned char>(json[i]);
        const auto next = i + 1 < json.size() ? static_cast<unsigned char>(json[i + 1]) : 0;
        const bool c1 = b == 0xc2 && next >= 0x80 && next <= 0x9f;
        if (b != 0x7f && !c1)
            continue;
        out.append(json.constData() + copied, i - copied);
        out += QStringLiteral("\\u%1").arg(c1 ? next : b, 4, 16, QChar(u'0')).toLatin1();
        i += c1 ? 1 : 0;
        copied = i + 1;
    }
    out.append(json.constData() + copied, json.size() - copied);
#ifdef Q_OS_WIN
    write(stdout, QString::fromUtf8(out)); // in the console's code page
#else
    // Qt's 8-bit encoding is UTF-8 here: the bytes go out as they are.
    std::fwrite(out.constData(), 1, static_cast<size_t>(out.size()), stdout);
    std::fflush(stdout);
#endif
}

void writeProgress(const QString& text)
{
    // Back to the line's start, then the record as any other text.
    write(stderr, u'\r' + Printable(text));
}

std::optional<QString> BadNbdArgument(const QStringList& args)
{
    for (const QString& arg : args) {
        if (arg.startsWith(QLatin1String("nbd://"), Qt::CaseInsensitive) && !Target::Parse(arg))
            return QStringLiteral("\"%1\" is no NBD address: nbd://IP[:PORT][/EXPORT]").arg(arg);
    }
    return std::nullopt;
}

// A path the caller typed, read from the caller's folder: the tool runs in a folder of its own.
QString callersPath(const QString& path)
{
    return IsDriveSource(path) ? path : QFileInfo(path).absoluteFilePath();
}

} // namespace cli
