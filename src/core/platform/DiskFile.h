#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

namespace platform {

// A disk (an image file, a device, a PS2's export mounted as a file) opened to read its
// sectors, never to write them. Reads may block for as long as the disk does: callers read
// beside the event loop.
class DiskFile
{
public:
    // Nothing (and why) for a path that is no regular file or block device, or a block device
    // where blockDevices is false (tests name devices that are not theirs). *absent says that
    // there is nothing here to read at all: no such file, or a device not read.
    static std::unique_ptr<DiskFile> open(const QString& path, bool blockDevices, QString* error,
                                          bool* absent = nullptr);
    ~DiskFile();
    DiskFile(const DiskFile&) = delete;
    DiskFile& operator=(const DiskFile&) = delete;

    qint64 size() const { return m_size; }
    bool isDevice() const { return m_device; }
    // length bytes at offset; fewer where the disk ends or could not be read.
    QByteArray read(qint64 offset, qint64 length) const;

private:
    DiskFile(int fd, qint64 size, bool device) : m_fd(fd), m_size(size), m_device(device) {}
    int m_fd = -1;
    qint64 m_size = 0;
    bool m_device = false;
};

} // namespace platform
