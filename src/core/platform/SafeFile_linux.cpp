#include "SafeFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

qint64 writeAll(int fd, const QByteArray& bytes)
{
    qint64 written = 0;
    while (written < bytes.size()) {
        const ssize_t n =
            ::write(fd, bytes.constData() + written, static_cast<size_t>(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        written += n;
    }
    return written;
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error, int mode,
                         Lasting lasting)
{
    auto fail = [error](const QString& what) {
        *error = what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
        return false;
    };
    const QByteArray final = QFile::encodeName(path);
    QByteArray temp;
    int fd = -1;
    // A name nobody else has: O_EXCL refuses anything already there, a link included.
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = final + ".new-" + QByteArray::number(::getpid()) + '-' + QByteArray::number(attempt);
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                    static_cast<mode_t>(mode));
        if (fd < 0 && errno != EEXIST)
            return fail(path);
    }
    if (fd < 0)
        return fail(path);
    const qint64 written = writeAll(fd, bytes);
    const bool whole =
        written == bytes.size() && (lasting == Lasting::ProgramOnly || ::fsync(fd) == 0);
    const int saved = errno;
    ::close(fd);
    if (!whole || ::rename(temp.constData(), final.constData()) != 0) {
        if (whole)
            errno = saved;
        const bool ok = fail(path);
        ::unlink(temp.constData());
        return ok;
    }
    return true;
}

} // namespace platform
