#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// The tool's own configuration file, hdl_dump.conf: one setting a line,
// "key" = "value", LF line ends.
// The tool's transfer target when its file names none.
inline const QString kDefaultTargetKbps = QStringLiteral("2300");

// hdl_dump.conf as the settings page shows it. A new one is what the page shows before any
// file was read; a key a file lacks keeps its value.
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

    bool operator==(const ToolConfig&) const = default;
};

// What the tool itself assumes ("Use Defaults"): no throttling, no ASPI, 28-bit addressing,
// no compression, its own transfer target and disc database. The partition naming is the
// user's and is left out.
ToolConfig ToolDefaults(const QString& discDatabase);

// The key-value pairs of a file's lines, in order; quotes removed, lines
// without " = " left out. The last line counts even without a line feed.
QList<QPair<QString, QString>> ParseToolConfigLines(const QByteArray& content);
// Applies the pairs to config as the settings page reads them; unknown keys and
// "last_ip" are ignored, a later duplicate wins.
void ApplyToolConfig(const QList<QPair<QString, QString>>& pairs, ToolConfig& config,
                     const QString& defaultDiscDatabase);
// The keys the page edits and their values as the file holds them, in the tool's
// order, backslashes of the database path doubled.
QList<QPair<QString, QString>> ToolConfigEntries(const ToolConfig& config);
// A new file's text: the keys in the tool's order.
QByteArray SerializeToolConfig(const ToolConfig& config);
// The file's text with the page's keys set: a key whose value differs gets its
// line rewritten, a missing key is appended, every other line stays byte for byte. With
// loaded (what the page showed when the file was read), a key whose value is unchanged since
// is not written at all, also where the file lacks it.
QByteArray UpdateToolConfig(const QByteArray& original, const ToolConfig& config,
                            const ToolConfig* loaded = nullptr);
// A settings file is small; a larger one is no settings file and never rewritten.
inline constexpr qint64 kMaxToolConfigSize = 4 * 1024 * 1024;
// The whole file, or false with the reason.
bool ReadToolConfigFile(const QString& path, QByteArray* content, QString* error);
// Writes content to path atomically: the old file stays whole when this fails.
bool SaveToolConfigFile(const QString& path, const QByteArray& content, QString* error);
