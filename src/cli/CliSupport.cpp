#include "CliSupport.h"

#include "core/devices/NbdAddress.h"

#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <cstring>

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
    const char* const begin = json.constData();
    const char* const end = begin + json.size();
    auto next = [end](const char* from, char byte) {
        const void* at = std::memchr(from, byte, static_cast<size_t>(end - from));
        return at ? static_cast<const char*>(at) : end;
    };
    QByteArray out;
    const char* copied = begin;
    const char* del = next(begin, '\x7f');
    const char* lead = next(begin, '\xc2');
    while (del != end || lead != end) {
        const char* at = std::min(del, lead);
        const auto b = static_cast<unsigned char>(*at);
        const auto second = at + 1 < end ? static_cast<unsigned char>(at[1]) : 0;
        const bool c1 = b == 0xc2 && second >= 0x80 && second <= 0x9f;
        if (b == 0x7f || c1) {
            out.append(copied, at - copied);
            out += QStringLiteral("\\u%1").arg(c1 ? second : b, 4, 16, QChar(u'0')).toLatin1();
            copied = at + (c1 ? 2 : 1);
        }
        if (at == del)
            del = next(at + 1, '\x7f');
        else
            lead = next(at + 1, '\xc2');
    }
    if (copied != begin)
        out.append(copied, end - copied);
    const QByteArray& shown = copied != begin ? out : json;
#ifdef Q_OS_WIN
    write(stdout, QString::fromUtf8(shown)); // in the console's code page
#else
    // Qt's 8-bit encoding is UTF-8 here: the bytes go out as they are.
    std::fwrite(shown.constData(), 1, static_cast<size_t>(shown.size()), stdout);
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
