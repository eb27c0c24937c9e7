#include "IniFile.h"

#include "AtomicFile.h"

#include "core/platform/Platform.h"
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QList>

namespace IniFile {
namespace {

QByteArray stripCr(QByteArray line)
{
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

// The name of a "[section]" line, or nothing when the line is not one.
bool sectionName(const QByteArray& rawLine, QString* name)
{
    const QByteArray line = stripCr(rawLine).trimmed();
    if (line.size() < 2 || !line.startsWith('[') || !line.contains(']'))
        return false;
    *name = QString::fromUtf8(line.mid(1, line.indexOf(']') - 1)).trimmed();
    return true;
}

bool keyValue(const QByteArray& rawLine, QString* key, QString* value)
{
    const QByteArray line = stripCr(rawLine);
    const int eq = line.indexOf('=');
    if (eq <= 0)
        return false;
    const QByteArray k = line.left(eq).trimmed();
    if (k.isEmpty() || k.startsWith(';') || k.startsWith('['))
        return false;
    *key = QString::fromUtf8(k);
    *value = QString::fromUtf8(line.mid(eq + 1).trimmed());
    return true;
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QByteArray readFile(const QString& file, bool* tooLarge)
{
    // Only a regular file, never more than a settings file can be: a FIFO or a device
    // named config.cfg never hangs or floods the program.
    const platform::FileRead read = platform::readRegularFile(file, kMaxFileSize);
    *tooLarge = read.status == platform::FileReadStatus::TooLarge;
    return read.status == platform::FileReadStatus::Read ? read.bytes : QByteArray();
}

} // namespace

QString readFrom(const QByteArray& content, const QString& section, const QString& key,
                 const QString& defaultValue)
{
    return valuesOf(content, section).value(key.toCaseFolded(), defaultValue);
}

QHash<QString, QString> valuesOf(const QByteArray& content, const QString& section)
{
    QHash<QString, QString> values;
    bool inSection = false;
    for (const QByteArray& line : content.split('\n')) {
        QString name;
        if (sectionName(line, &name)) {
            inSection = sameName(name, section);
            continue;
        }
        QString k, v;
        if (inSection && keyValue(line, &k, &v)) {
            const QString folded = k.toCaseFolded();
            if (!values.contains(folded))
                values.insert(folded, v);
        }
    }
    return values;
}

QByteArray writeTo(const QByteArray& content, const QString& section, const QString& key,
                   const QString& value)
{
    QList<QByteArray> lines = content.split('\n');
    // A file that ends with a line feed splits into a last empty piece; it is not a line.
    const bool endedWithNewline = content.isEmpty() || content.endsWith('\n');
    if (endedWithNewline)
        lines.removeLast();
    const bool crlf = !lines.isEmpty() && lines.first().endsWith('\r');
    const QByteArray eol = crlf ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
    const QByteArray newLine = key.toUtf8() + '=' + value.toUtf8() + (crlf ? "\r" : "");

    int sectionStart = -1;
    int lastEntry = -1; // last key line (or the header) of the matching section
    for (int i = 0; i < lines.size(); ++i) {
        QString name;
        if (sectionName(lines[i], &name)) {
            if (sectionStart >= 0)
                break;
            if (sameName(name, section)) {
                sectionStart = i;
                lastEntry = i;
            }
            continue;
        }
        if (sectionStart < 0)
            continue;
        QString k, v;
        if (keyValue(lines[i], &k, &v)) {
            if (sameName(k, key)) {
                lines[i] = newLine;
                return lines.join('\n') + (endedWithNewline ? QByteArray("\n") : QByteArray());
            }
            lastEntry = i;
        }
    }
    if (sectionStart >= 0) {
        lines.insert(lastEntry + 1, newLine);
        return lines.join('\n') + (endedWithNewline ? QByteArray("\n") : QByteArray());
    }
    QByteArray out = content;
    if (!endedWithNewline)
        out += eol;
    out += '[' + section.toUtf8() + ']' + eol + key.toUtf8() + '=' + value.toUtf8() + eol;
    return out;
}

QString read(const QString& file, const QString& section, const QString& key,
             const QString& defaultValue)
{
    bool tooLarge = false;
    const QByteArray content = readFile(file, &tooLarge);
    return readFrom(content, section, key, defaultValue);
}

bool write(const QString& file, const QString& section, const QString& key, const QString& value,
           QString* error)
{
    return write(file, section, Entries{{key, value}}, error);
}

bool write(const QString& file, const QString& section, const Entries& entries, QString* error)
{
    QString ignored;
    if (!error)
        error = &ignored;
    // A line break would turn the rest of the value into keys of its own.
    for (const auto& [key, value] : entries) {
        if (!IsSingleLineValue(value) || !IsSingleLineValue(key) || !IsSingleLineValue(section)) {
            *error = QCoreApplication::translate("Settings", "The value of %1 holds a line break.")
                         .arg(key);
            return false;
        }
    }
    bool tooLarge = false;
    QByteArray content = readFile(file, &tooLarge);
    if (tooLarge) {
        // Keep the oversized file under another name rather than lose it.
        const QString aside = file + QStringLiteral(".bak");
        QFile::remove(aside);
        if (!QFile::rename(file, aside)) {
            *error = QCoreApplication::translate("Settings", "It could not be set aside.");
            return false;
        }
        content.clear();
    }
    // One save, however many keys: each is a wait for the disk.
    for (const auto& [key, value] : entries)
        content = writeTo(content, section, key, value);
    return SaveFileAtomically(file, content, error);
}

} // namespace IniFile
