// One writer per disk: the session's hold on the targets it writes to, across programs.
#include "Session.h"

#include "core/platform/Platform.h"

#include <QElapsedTimer>

#include <QTimer>

void Session::lockTarget(const QString& target, const QString& holder,
                         std::function<void(bool locked)> go, bool imageFile)
{
    const QString key = (imageFile ? QStringLiteral("image ") : QStringLiteral("disk ")) + target;
    auto& lock = m_targetLocks[key];
    if (!lock)
        lock = std::make_unique<TargetLock>(m_paths.dataDir + QStringLiteral("/locks"), target,
                                            imageFile ? TargetLock::Kind::ImageFile
                                                      : TargetLock::Kind::Disk);
    if (lock->tryLock(holder)) {
        endLeftoverTool(*lock, [go] { go(true); });
        return;
    }
    if (!lock->error().isEmpty()) {
        emit problem({ProblemKind::CannotLock, lock->file(), lock->error()});
        go(false);
        return;
    }
    const QString who = lock->holder();
    if (!m_waitForTargets) {
        emit problem({ProblemKind::TargetInUse, target, who});
        go(false);
        return;
    }
    // Said once; then tried again until the other program lets go, or the user cancels.
    emit problem({ProblemKind::TargetWaiting, target, who});
    waitForTarget(key, holder, go);
}

void Session::waitForTarget(const QString& key, const QString& holder,
                            std::function<void(bool locked)> go)
{
    QTimer::singleShot(kTargetRetryMs, this, [this, key, holder, go] {
        if (m_cancelRequested) {
            go(false);
            return;
        }
        const auto lock = m_targetLocks.find(key);
        if (lock != m_targetLocks.end() && lock->second->tryLock(holder)) {
            endLeftoverTool(*lock->second, [go] { go(true); });
            return;
        }
        waitForTarget(key, holder, go);
    });
}

void Session::endLeftoverTool(const TargetLock& lock, std::function<void()> done)
{
    // Taken over from a program that died: the tool it left writing (one that ignored the
    // signals sent to end it) is ended before anything is written again.
    const auto tool = lock.leftoverTool();
    if (!tool || platform::processStartTime(tool->first) != tool->second) {
        done();
        return;
    }
    m_runner.log().addNote(tr("The tool (process %1) that an earlier Ventrik started for %2 "
                              "still runs; it is ended before anything is written again.")
                               .arg(tool->first)
                               .arg(lock.holder()));
    platform::terminateProcess(tool->first);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    waitForLeftovers({*tool}, clock, done);
}

void Session::recordTool(qint64 pid)
{
    const quint64 start = platform::processStartTime(pid);
    for (auto& [key, lock] : m_targetLocks)
        if (lock->isLocked())
            lock->recordTool(pid, start);
}

void Session::unlockTargets()
{
    for (auto& [target, lock] : m_targetLocks)
        lock->unlock();
}

QString Session::jobHolder(const Job& job) const
{
    if (m_activity == Activity::RunningQueue)
        return QStringLiteral("queue");
    return job.kind == JobKind::Install ? QStringLiteral("install") : QStringLiteral("copy");
}
