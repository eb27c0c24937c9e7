#include "DiskFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::unique_ptr<DiskFile> DiskFile::open(const QString& path, bool blockDevices, QString* error,
                                         bool* absent)
{
    if (absent)
        *absent = false;
    const QByteArray name = QFile::encodeName(path);
    // O_NONBLOCK: a FIFO given as a disk must not hold the open; it is refused below.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (absent)
            *absent = errno == ENOENT;
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return nullptr;
    }
    struct stat info
    {};
    if (::fstat(fd, &info) != 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        ::close(fd);
        return nullptr;
    }
    const bool device = S_ISBLK(info.st_mode);
    if (!S_ISREG(info.st_mode) && !(device && blockDevices)) {
        if (absent)
            *absent = device;
        *error = device ? QStringLiteral("devices are not read here")
                        : QStringLiteral("it is neither a disk nor a disk image");
        ::close(fd);
        return nullptr;
    }
    qint64 size = info.st_size;
    if (device) {
        quint64 bytes = 0;
        if (::ioctl(fd, BLKGETSIZE64, &bytes) != 0) {
            *error = QString::fromLocal8Bit(std::strerror(errno));
            ::close(fd);
            return nullptr;
        }
        size = static_cast<qint64>(bytes);
    }
    // Reads wait for the disk from here on.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return std::unique_ptr<DiskFile>(new DiskFile(fd, size, device));
}

DiskFile::~DiskFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

QByteArray DiskFile::read(qint64 offset, qint64 length) const
{
    if (offset < 0 || length <= 0 || offset >= m_size)
        return {};
    length = std::min(length, m_size - offset);
    QByteArray bytes(static_cast<qsizetype>(length), '\0');
    qint64 got = 0;
    while (got < length) {
        const ssize_t n = ::pread(m_fd, bytes.data() + got, static_cast<size_t>(length - got),
                                  static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
    }
    bytes.truncate(static_cast<qsizetype>(got));
    return bytes;
}

} // namespace platform
