#include "TargetLocks.h"

#include "core/platform/Platform.h"

#include <QTimer>

TargetLocks::TargetLocks(QString folder, ToolRunner& runner, QObject* parent)
    : QObject(parent), m_folder(std::move(folder)), m_runner(runner)
{}

void TargetLocks::lock(const Target& target, const QString& holder, Locked go)
{
    const QString key = QStringLiteral("disk ") + target.toolArgument();
    take(key, target.toolArgument(),
         m_locks.contains(key) ? nullptr : std::make_unique<TargetLock>(m_folder, target), holder,
         std::move(go));
}

void TargetLocks::lockImageFile(const QString& file, const QString& holder, Locked go)
{
    const QString key = QStringLiteral("image ") + file;
    take(key, file, m_locks.contains(key) ? nullptr : TargetLock::OfImageFile(m_folder, file),
         holder, std::move(go));
}

void TargetLocks::take(const QString& key, const QString& shown, std::unique_ptr<TargetLock> made,
                       const QString& holder, Locked go)
{
    if (made)
        m_locks[key] = std::move(made);
    TargetLock& lock = *m_locks[key];
    if (lock.tryLock(holder)) {
        endLeftoverTool(lock, [go] { go(true); });
        return;
    }
    if (!lock.error().isEmpty()) {
        emit problem({ProblemKind::CannotLock, lock.file(), lock.error()});
        go(false);
        return;
    }
    const QString who = lock.holder();
    if (!m_wait) {
        emit problem({ProblemKind::TargetInUse, shown, who});
        go(false);
        return;
    }
    // Said once; then tried again until the other program lets go, or the user cancels.
    emit problem({ProblemKind::TargetWaiting, shown, who});
    waitFor(key, holder, go);
}

void TargetLocks::waitFor(const QString& key, const QString& holder, Locked go)
{
    QTimer::singleShot(kRetryMs, this, [this, key, holder, go] {
        if (m_runner.cancelRequested()) {
            go(false);
            return;
        }
        const auto lock = m_locks.find(key);
        if (lock != m_locks.end() && lock->second->tryLock(holder)) {
            endLeftoverTool(*lock->second, [go] { go(true); });
            return;
        }
        waitFor(key, holder, go);
    });
}

void TargetLocks::endLeftoverTool(const TargetLock& lock, std::function<void()> done)
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
    endLeftovers({*tool}, std::move(done));
}

void TargetLocks::endLeftovers(QList<Process> alive, std::function<void()> done)
{
    alive.removeIf(
        [](const Process& p) { return platform::processStartTime(p.first) != p.second; });
    for (const auto& [pid, start] : alive)
        platform::terminateProcess(pid);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    waitForLeftovers(alive, clock, std::move(done));
}

void TargetLocks::waitForLeftovers(QList<Process> alive, std::shared_ptr<QElapsedTimer> clock,
                                   std::function<void()> done)
{
    alive.removeIf(
        [](const Process& p) { return platform::processStartTime(p.first) != p.second; });
    if (alive.isEmpty()) {
        done();
        return;
    }
    // It was asked; one that does not listen is made to end.
    if (clock->elapsed() > kLeftoverGraceMs)
        for (const auto& [pid, start] : alive)
            platform::killProcess(pid);
    QTimer::singleShot(100, this,
                       [this, alive, clock, done] { waitForLeftovers(alive, clock, done); });
}

void TargetLocks::recordTool(qint64 pid)
{
    const quint64 start = platform::processStartTime(pid);
    for (auto& [key, lock] : m_locks)
        if (lock->isLocked())
            lock->recordTool(pid, start);
}

void TargetLocks::unlockAll()
{
    for (auto& [key, lock] : m_locks)
        lock->unlock();
}
