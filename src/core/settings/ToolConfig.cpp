#include "ToolConfig.h"

#include "AtomicFile.h"
#include "Settings.h"

#include "core/platform/Platform.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

QList<QPair<QString, QString>> ParseToolConfigLines(const QByteArray& content)
{
    QStringList lines;
    QString current;
    auto store = [&] {
        current.remove(u'\r');
        if (!lines.isEmpty() && lines.first().isEmpty())
            lines.first() = current; // empty lines before the first line vanish
        else
            lines << current;
        current.clear();
    };
    const QString text = QString::fromLatin1(content);
    for (const QChar c : text) {
        if (c == u'\n')
            store();
        else
            current += c;
    }
    // A hand-edited file often lacks the final line feed; its last line still counts.
    if (!current.isEmpty())
        store();

    QList<QPair<QString, QString>> pairs;
    for (const QString& line : lines) {
        const qsizetype k = line.indexOf(QStringLiteral(" = "));
        if (k < 0)
            continue;
        QString key = line.left(k + 1);
        key.remove(u'"');
        key = key.trimmed();
        QString value = line.mid(k + 3);
        value.remove(u'"');
        if (!key.isEmpty())
            pairs.append({key, value});
    }
    return pairs;
}

void ApplyToolConfig(const QList<QPair<QString, QString>>& pairs, ToolConfig& config,
                     const QString& defaultDiscDatabase)
{
    for (const auto& [key, value] : pairs) {
        if (key == QLatin1String("disc_database_file")) {
            config.discDatabase = value.isEmpty() ? defaultDiscDatabase
                                                  : QString(value).replace(QStringLiteral("\\\\"),
                                                                           QStringLiteral("\\"));
        } else if (key == QLatin1String("auto_throttle")) {
            config.autoThrottle = IntegerValue(value) == 1;
        } else if (key == QLatin1String("enable_aspi")) {
            config.enableAspi = value == QLatin1String("yes");
        } else if (key == QLatin1String("limit_to_28bit")) {
            config.limitTo28bit = value == QLatin1String("yes");
        } else if (key == QLatin1String("partition_naming")) {
            config.toxicOS = value == QLatin1String("toxicos");
        } else if (key == QLatin1String("target_kbps")) {
            config.targetKbps = value.isEmpty() ? kDefaultTargetKbps : value;
        } else if (key == QLatin1String("use_compression")) {
            config.useCompression = value == QLatin1String("yes");
        }
    }
}

QList<QPair<QString, QString>> ToolConfigEntries(const ToolConfig& config)
{
    auto yesNo = [](bool b) { return b ? QStringLiteral("yes") : QStringLiteral("no"); };
    return {
        {QStringLiteral("disc_database_file"),
         QString(config.discDatabase).replace(u'\\', QStringLiteral("\\\\"))},
        {QStringLiteral("auto_throttle"),
         config.autoThrottle ? QStringLiteral("1") : QStringLiteral("0")},
        {QStringLiteral("enable_aspi"), yesNo(config.enableAspi)},
        {QStringLiteral("last_ip"), config.lastIp},
        {QStringLiteral("limit_to_28bit"), yesNo(config.limitTo28bit)},
        {QStringLiteral("partition_naming"),
         config.toxicOS ? QStringLiteral("toxicos") : QStringLiteral("standard")},
        {QStringLiteral("target_kbps"), config.targetKbps},
        {QStringLiteral("use_compression"), yesNo(config.useCompression)},
    };
}

namespace {
QByteArray entryLine(const QString& key, const QString& value)
{
    return (u'"' + key + QStringLiteral("\" = \"") + value + u'"').toUtf8();
}

// The key a line sets, as ParseToolConfigLines reads it; empty for any other line.
QString lineKey(const QByteArray& line)
{
    const QString text = QString::fromLatin1(line);
    const qsizetype k = text.indexOf(QStringLiteral(" = "));
    if (k < 0)
        return {};
    QString key = text.left(k + 1);
    key.remove(u'"');
    return key.trimmed();
}
} // namespace

QByteArray SerializeToolConfig(const ToolConfig& config)
{
    QByteArray out;
    for (const auto& [key, value] : ToolConfigEntries(config))
        out += entryLine(key, value) + '\n';
    return out;
}

QByteArray UpdateToolConfig(const QByteArray& original, const ToolConfig& config,
                            const ToolConfig* loaded)
{
    // Only what changed since the file was read is written: a key the file lacks and the
    // user left alone stays out of it.
    const QList<QPair<QString, QString>> before =
        loaded ? ToolConfigEntries(*loaded) : QList<QPair<QString, QString>>();
    QList<QByteArray> lines = original.split('\n');
    const bool endedWithNewline = original.isEmpty() || original.endsWith('\n');
    if (endedWithNewline)
        lines.removeLast();
    const bool crlf = !lines.isEmpty() && lines.first().endsWith('\r');
    QByteArray appended;
    for (const auto& [key, value] : ToolConfigEntries(config)) {
        if (loaded && before.contains(QPair<QString, QString>(key, value)))
            continue;
        // The last line of a key is the one the tool and the page read.
        qsizetype at = -1;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (lineKey(lines[i]) == key)
                at = i;
        }
        if (at < 0) {
            appended += entryLine(key, value) + (crlf ? "\r\n" : "\n");
            continue;
        }
        if (lineKey(lines[at]) == key && ParseToolConfigLines(lines[at]).value(0).second == value)
            continue; // unchanged: not even its quoting is touched
        lines[at] = entryLine(key, value) + (lines[at].endsWith('\r') ? "\r" : "");
    }
    QByteArray out = lines.join('\n');
    if (!lines.isEmpty() && (endedWithNewline || !appended.isEmpty()))
        out += !endedWithNewline && crlf ? QByteArray("\r\n") : QByteArray("\n");
    return out + appended;
}

bool ReadToolConfigFile(const QString& path, QByteArray* content, QString* error)
{
    // Only a regular file: a FIFO or a device named here never hangs or floods the program.
    const platform::FileRead read = platform::readRegularFile(path, kMaxToolConfigSize);
    if (read.status == platform::FileReadStatus::TooLarge) {
        *error = QCoreApplication::translate("Settings", "It is too large to be a settings file.");
        return false;
    }
    if (read.status != platform::FileReadStatus::Read) {
        *error = read.error;
        return false;
    }
    *content = read.bytes;
    return true;
}

bool SaveToolConfigFile(const QString& path, const QByteArray& content, QString* error)
{
    return SaveFileAtomically(path, content, error);
}

ToolConfig ToolDefaults(const QString& discDatabase)
{
    ToolConfig config;
    config.discDatabase = discDatabase;
    config.autoThrottle = false;
    config.enableAspi = false;
    config.limitTo28bit = true;
    config.useCompression = false;
    config.targetKbps = kDefaultTargetKbps;
    return config;
}
