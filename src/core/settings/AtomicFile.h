#pragma once

#include <QByteArray>
#include <QString>

// Replaces path with content, or leaves the old file as it was. Every write and
// the flush are checked before the new file takes the old one's place: the
// QSaveFile of Qt 6.4 has been seen to commit a file whose buffered write failed
// on a full disk. False with the reason in *error otherwise.
bool SaveFileAtomically(const QString& path, const QByteArray& content, QString* error);

// True when a value can be stored on one line of a settings file.
bool IsSingleLineValue(const QString& value);
