#include "ToolConfig.h"

#include "Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

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
            config.targetKbps = value.isEmpty() ? QStringLiteral("2300") : value;
        } else if (key == QLatin1String("use_compression")) {
            config.useCompression = value == QLatin1String("yes");
        }
    }
}

QByteArray SerializeToolConfig(const ToolConfig& config)
{
    auto yesNo = [](bool b) { return b ? QStringLiteral("yes") : QStringLiteral("no"); };
    const QList<QPair<QString, QString>> lines{
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
    QByteArray out;
    for (const auto& [key, value] : lines)
        out += (u'"' + key + QStringLiteral("\" = \"") + value + u'"').toUtf8() + '\n';
    return out;
}

bool SaveToolConfigFile(const QString& path, const QByteArray& content, QString* error)
{
    if (path.isEmpty()) {
        *error = QStringLiteral("No file name is set for the hdl_dump configuration file.");
        return false;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() ||
        !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
