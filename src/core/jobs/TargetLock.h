#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// One writer per disk or PS2, across every Ventrik of this user: a lock file per target in
// the data folder, with a line beside it that says who writes ("the queue", "an install").
class TargetLock
{
public:
    TargetLock(const QString& folder, const QString& target);
    ~TargetLock();
    TargetLock(const TargetLock&) = delete;
    TargetLock& operator=(const TargetLock&) = delete;

    // Without waiting; holder says who writes, for those who wait.
    bool tryLock(const QString& holder);
    bool isLocked() const { return m_lock.isLocked(); }
    void unlock();

    // Who holds it, while another program does: its words and its process.
    QString holder() const;
    qint64 holderPid() const;
    QString file() const { return m_file; }

private:
    QString m_file;
    QLockFile m_lock;
};
