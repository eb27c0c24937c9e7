#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <utility>

// A small INI reader and writer with the behaviours the program relies on:
// section and key names match without regard to case, a missing entry reads
// as the default, a write replaces a value in place or appends the key to its
// section (creating file and section when missing), no escape processing,
// no cache, and an atomic save. Lines it does not understand are kept byte
// for byte, so a damaged file loses nothing that could be read.
namespace IniFile {

// Files larger than this are not settings files; they are read as empty and
// set aside (never deleted) on the first write.
inline constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;

QString read(const QString& file, const QString& section, const QString& key,
             const QString& defaultValue = {});
// Returns false (with the reason in *error) when the file could not be saved or
// the value would not fit on one line; the old file is then untouched.
bool write(const QString& file, const QString& section, const QString& key, const QString& value,
           QString* error = nullptr);
// Several keys of a section in one save (all or none).
using Entries = QList<std::pair<QString, QString>>;
bool write(const QString& file, const QString& section, const Entries& entries,
           QString* error = nullptr);

// Pure forms used by the two above, on the file's bytes.
QString readFrom(const QByteArray& content, const QString& section, const QString& key,
                 const QString& defaultValue = {});
// Every key of a section with its value, the key case-folded; the first line of a key counts.
QHash<QString, QString> valuesOf(const QByteArray& content, const QString& section);
QByteArray writeTo(const QByteArray& content, const QString& section, const QString& key,
                   const QString& value);

} // namespace IniFile
