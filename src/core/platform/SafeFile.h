#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Writes bytes to path in one step: a new file beside it, written, flushed to the disk, then
// renamed over path. A link at path is replaced, never followed; a failed write leaves the old
// file as it was. False with the reason.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error,
                         int mode = 0600);

} // namespace platform
