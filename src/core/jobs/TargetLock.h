#pragma once

#include "core/devices/Target.h"

#include <QLockFile>
#include <QString>

#include <memory>
#include <optional>
#include <utility>

// One writer per disk or PS2, and per image file, across every Ventrik of this user: a lock
// file per target in the data folder, named by what the target is, not by what it is called (a
// disk image by its file, a block device by its number, a PS2's export by its server and
// export; an image file to be written by its folder and name), with a line beside it that says
// who writes ("the queue", "an install") and the tool that writes for it.
class TargetLock
{
public:
    // A disk's or a PS2's lock in folder.
    TargetLock(const QString& folder, const Target& target);
    // The lock of an image file that is to be written.
    static std::unique_ptr<TargetLock> OfImageFile(const QString& folder, const QString& file);
    ~TargetLock();
    TargetLock(const TargetLock&) = delete;
    TargetLock& operator=(const TargetLock&) = delete;

    // Without waiting; holder says who writes, for those who wait. False also when the lock
    // file is not one (a FIFO, a huge file in its place): then error() says so.
    bool tryLock(const QString& holder);
    bool isLocked() const { return m_lock && m_lock->isLocked(); }
    void unlock();
    QString error() const { return m_error; }

    // Who holds it, while another program does: its words and its process.
    QString holder() const;
    qint64 holderPid() const;
    QString file() const { return m_file; }

    // The tool that writes for the holder (its process and start time), written beside the
    // lock; a writer that takes the lock over from a program that died finds it there.
    void recordTool(qint64 pid, quint64 start);
    std::optional<std::pair<qint64, quint64>> leftoverTool() const;

    // The name of a target's lock: the same for every name of the same disk or file.
    static QString LockName(const Target& target);
    static QString ImageFileLockName(const QString& file);

private:
    struct Identity
    {
        QString text;
    };
    TargetLock(const QString& folder, Identity identity);
    QString m_file;
    std::unique_ptr<QLockFile> m_lock;
    QString m_error;
};
