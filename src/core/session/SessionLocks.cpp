// One writer per disk: the session's hold on the targets it writes to, across programs.
#include "Session.h"

#include <QTimer>

void Session::lockTarget(const QString& target, const QString& holder,
                         std::function<void(bool locked)> go)
{
    auto& lock = m_targetLocks[target];
    if (!lock)
        lock = std::make_unique<TargetLock>(m_paths.dataDir + QStringLiteral("/locks"), target);
    if (lock->tryLock(holder)) {
        go(true);
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
    waitForTarget(target, holder, go);
}

void Session::waitForTarget(const QString& target, const QString& holder,
                            std::function<void(bool locked)> go)
{
    QTimer::singleShot(kTargetRetryMs, this, [this, target, holder, go] {
        if (m_cancelRequested) {
            go(false);
            return;
        }
        const auto lock = m_targetLocks.find(target);
        if (lock != m_targetLocks.end() && lock->second->tryLock(holder)) {
            go(true);
            return;
        }
        waitForTarget(target, holder, go);
    });
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
