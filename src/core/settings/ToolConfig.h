#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// The tool's own configuration file, hdl_dump.conf: one setting a line,
// "key" = "value", LF line ends.
struct ToolConfig
{
    QString discDatabase;
    bool autoThrottle = false;
    bool enableAspi = true;
    QString lastIp;
    bool limitTo28bit = true;
    bool toxicOS = false;
    QString targetKbps;
    bool useCompression = false;
};

// The key-value pairs of a file's lines, in order; quotes removed, lines
// without " = " left out. The last line counts even without a line feed.
QList<QPair<QString, QString>> ParseToolConfigLines(const QByteArray& content);
// Applies the pairs to config as the settings page reads them; unknown keys and
// "last_ip" are ignored, a later duplicate wins.
void ApplyToolConfig(const QList<QPair<QString, QString>>& pairs, ToolConfig& config,
                     const QString& defaultDiscDatabase);
// The file's text, keys in the tool's order, backslashes of the database path doubled.
QByteArray SerializeToolConfig(const ToolConfig& config);
// Writes content to path atomically: the old file stays whole when this fails.
bool SaveToolConfigFile(const QString& path, const QByteArray& content, QString* error);
