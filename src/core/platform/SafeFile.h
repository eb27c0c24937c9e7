#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Writes bytes to path in one step: a new file beside it, written, flushed to the disk (unless
// the file need only outlive this program, not the machine), then renamed over path. A link at
// path is replaced, never followed; a failed write leaves the old file as it was. False with
// the reason.
// Writes all of bytes to an open file descriptor (again after an interruption); the count
// written, short when a write failed (errno says why).
qint64 writeAll(int fd, const QByteArray& bytes);
enum class Lasting : bool { ProgramOnly, PowerLoss };
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error,
                         int mode = 0600, Lasting lasting = Lasting::PowerLoss);

} // namespace platform
