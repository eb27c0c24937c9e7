// The session's queue: running it (and Install Now), the hooks around each run, the check
// before it starts, and resuming what a run that ended with the program left.
#include "Session.h"

#include "core/platform/Platform.h"
#include "core/platform/PowerActions.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

bool Session::clearQueue()
{
    if (refuseForeignQueue())
        return false;
    m_jobs.clear();
    return !m_store.saveFailed();
}

bool Session::startQueue(const QList<int>& only)
{
    if (refuseForeignQueue() || !begin(Activity::RunningQueue))
        return false;
    m_runner.setStallLimits(m_stallNoticeMs, stallTimeoutMs());
    m_backedUp.clear();
    m_store.beginRun();
    // A run reads each disk afresh before its first write: others may have written since.
    m_freshFacts.clear();
    holdAwake();
    emit runStarted(false);
    m_queue.start(only);
    return true;
}

bool Session::runNow(const Job& job)
{
    if (!begin(Activity::InstallingNow))
        return false;
    m_runner.setStallLimits(m_stallNoticeMs, stallTimeoutMs());
    m_backedUp.clear();
    m_freshFacts.clear();
    m_nowJobs.clear();
    m_nowJobs.addJob(job);
    holdAwake();
    emit runStarted(true);
    m_nowQueue.start();
    return true;
}

void Session::cancel()
{
    if (!isBusy())
        return;
    m_cancelRequested = true;
    // A server asked whether it is there, or an export being opened, is not waited for.
    m_nbd.cancelPending();
    if (m_activity == Activity::ReadingImages && m_walkStop)
        m_walkStop->store(true);
    if (m_activity == Activity::ReadingImages && m_batch)
        m_batch->cancel();
    else if (m_activity == Activity::RunningQueue && m_queue.isRunning())
        m_queue.cancel();
    else if (m_activity == Activity::InstallingNow && m_nowQueue.isRunning())
        m_nowQueue.cancel();
    else
        m_runner.cancel();
}

void Session::onQueueFinished(bool installNow)
{
    const JobQueue& queue = installNow ? m_nowQueue : m_queue;
    const bool cancelled = queue.wasCancelled();
    const bool lostNbd = queue.lostConnection() && IsNbdTarget(m_targetDevice);
    if (queue.lostConnection() && !installNow) {
        const Job& failed = m_jobs.job(m_queue.lastRow());
        if (failed.error == ToolError::Stalled)
            emit problem(
                {ProblemKind::RunStopped, failed.name, QString::number(stallTimeoutMs() / 1000)});
        else if (failed.error == ToolError::ServerGone)
            emit problem({ProblemKind::NbdLost, failed.name, {}});
        else
            emit problem({ProblemKind::ConnectionLost, failed.name, failed.reason});
    }
    if (!queue.lostDisk().isEmpty())
        emit problem(
            {ProblemKind::DiskUnplugged, queue.lostDisk(), m_jobs.job(queue.lastRow()).name});
    auto refresh = [this, installNow, cancelled, lostNbd] {
        // A networked PS2 that no longer answers is not asked for its list.
        auto finish = [this, installNow, cancelled] {
            releaseAwake();
            end();
            emit runFinished(installNow, cancelled);
        };
        // Only a list that is shown is read again; nothing is asked of a target never read.
        if (!m_attached || lostNbd) {
            finish();
            return;
        }
        if (m_targetKind == TargetKind::LocalDisk || IsNbdTarget(m_targetDevice)) {
            refreshTarget(finish);
            return;
        }
        probe(m_targetDevice, [this, finish](bool answered) {
            if (answered)
                refreshTarget(finish);
            else
                finish();
        });
    };
    // The end-of-run actions follow only a run in which every job completed.
    if (cancelled || !queue.allComplete()) {
        refresh();
        return;
    }
    auto pcActions = [this, refresh] {
        if (m_endActions.shutdownPC)
            m_seams.power.ShutdownPC();
        else if (m_endActions.standbyPC)
            m_seams.power.SuspendPC();
        refresh();
    };
    if (m_endActions.powerOffPS2 && !address().isEmpty()) {
        m_runner.run({QStringLiteral("poweroff"), address()},
                     [pcActions](const RunOutcome&) { pcActions(); });
        return;
    }
    pcActions();
}

// The saved queue -----------------------------------------------------------

QString Session::queueFile() const
{
    return m_store.file();
}

bool Session::ownsQueue()
{
    if (!m_store.wasOpened() || m_store.isOpen())
        return true;
    // The other program may have ended since: then this one takes the queue over.
    if (!m_store.canTakeOver())
        return false;
    restoreQueue();
    return m_store.isOpen();
}

bool Session::refuseForeignQueue()
{
    if (ownsQueue())
        return false;
    if (const auto refusal = m_store.refusal())
        emit problem(*refusal);
    return true;
}

void Session::restoreQueue()
{
    if (!m_store.open())
        return;

    // A job found Active was running when the program ended. A job the journal knows as
    // complete was finished by a run whose last saves failed: both are looked for.
    const QSet<QString> finished = m_store.journal().completeIds();
    m_recognised.clear();
    QList<int> interrupted;
    for (int row = 0; row < m_jobs.count(); ++row) {
        Job job = m_jobs.job(row);
        if (job.state != JobState::Complete && finished.contains(job.id)) {
            if (JobQueue::writesAGame(job) && toolAvailable()) {
                m_recognised.insert(job.id);
                interrupted << row;
            } else if (!JobQueue::writesAGame(job) && QFileInfo(job.destination).isFile()) {
                job.state = JobState::Complete;
                job.note = tr("Finished by an earlier run; the saved queue could not say so.");
                m_jobs.setJob(row, job);
            }
            continue;
        }
        if (job.state != JobState::Active)
            continue;
        if (JobQueue::writesAGame(job) && toolAvailable()) {
            interrupted << row;
            continue;
        }
        // An image that was being written is not finished: only its .part is removed.
        if (job.kind == JobKind::MakeIso || job.kind == JobKind::CopyToPC)
            QFile::remove(job.destination + QStringLiteral(".part"));
        m_jobs.setState(row, JobState::Pending);
    }
    if (!interrupted.isEmpty() && begin(Activity::Resuming))
        QTimer::singleShot(0, this, [this, interrupted] {
            endLeftoverTools(interrupted, [this, interrupted] { resumeNext(interrupted); });
        });
}

void Session::endLeftoverTools(const QList<int>& rows, std::function<void()> done)
{
    // A tool of an earlier Ventrik that ignored the signals sent to end it may still write:
    // the same process (its id and its start time), ended before anything is written again.
    QList<std::pair<qint64, quint64>> alive;
    for (const int row : rows) {
        const Job& job = m_jobs.job(row);
        if (job.toolPid > 0 && job.toolStart != 0 &&
            platform::processStartTime(job.toolPid) == job.toolStart) {
            alive.append({job.toolPid, job.toolStart});
            m_runner.log().addNote(
                tr("The tool (process %1) that an earlier Ventrik started for %2 still "
                   "runs; it is ended before anything is written again.")
                    .arg(job.toolPid)
                    .arg(job.name));
            platform::terminateProcess(job.toolPid);
        }
    }
    if (alive.isEmpty()) {
        done();
        return;
    }
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    waitForLeftovers(alive, clock, done);
}

void Session::waitForLeftovers(QList<std::pair<qint64, quint64>> alive,
                               std::shared_ptr<QElapsedTimer> clock, std::function<void()> done)
{
    alive.removeIf([](const auto& p) { return platform::processStartTime(p.first) != p.second; });
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

void Session::resumeNext(QList<int> rows)
{
    if (rows.isEmpty() || m_cancelRequested) {
        for (const int row : std::as_const(rows))
            m_jobs.setState(row, JobState::Pending);
        end();
        return;
    }
    const int row = rows.takeFirst();
    verifyJob(m_jobs.job(row), [this, row, rows](const Verification& found) {
        Job job = m_jobs.job(row);
        switch (found.found) {
        case Verification::Found::Whole:
            job.state = JobState::Complete;
            job.note = m_recognised.contains(job.id)
                           ? tr("Finished by an earlier run; the saved queue could not say so.")
                           : tr("Found whole on %1 after Ventrik ended during the job.")
                                 .arg(job.destination);
            m_jobs.setJob(row, job);
            break;
        case Verification::Found::Short:
            job.state = JobState::Failed;
            job.incomplete = true;
            job.reason = tr("Ventrik ended during the job; %1 KB of %2 KB are on %3")
                             .arg(found.sizeKb)
                             .arg(job.sizeKb)
                             .arg(job.destination);
            m_jobs.setJob(row, job);
            emit problem({ProblemKind::IncompleteGame, job.name, job.destination});
            emit incompleteFound(row);
            break;
        case Verification::Found::Missing:
        case Verification::Found::NotNew:
        case Verification::Found::Unknown:
            // Nothing of it (or nothing known): it runs again with the next run.
            m_jobs.setState(row, JobState::Pending);
            break;
        }
        resumeNext(rows);
    });
}

bool Session::addJob(const Job& job)
{
    ownsQueue();
    return m_store.add(job);
}

void Session::updateWarnings()
{
    // Many jobs added at once are checked once.
    if (m_warningsDue)
        return;
    m_warningsDue = true;
    QTimer::singleShot(0, this, [this] {
        m_warningsDue = false;
        QList<QString> texts(m_jobs.count());
        for (const PreflightIssue& issue : knownIssues()) {
            QString& t = texts[issue.row];
            t += (t.isEmpty() ? QString() : QStringLiteral("\n")) + issue.text;
        }
        m_jobs.setWarnings(texts);
    });
}

QList<PreflightIssue> Session::knownIssues(const QList<int>& only) const
{
    QList<int> rows;
    for (int row = 0; row < m_jobs.count(); ++row) {
        if (m_jobs.job(row).state != JobState::Complete && (only.isEmpty() || only.contains(row)))
            rows << row;
    }
    return CheckJobs(m_jobs.allJobs(), rows, m_facts);
}

bool Session::checkQueue(const QList<int>& only)
{
    if (refuseForeignQueue() || !begin(Activity::CheckingQueue))
        return false;
    m_checkOnly = only;
    QStringList targets;
    for (int row = 0; row < m_jobs.count(); ++row) {
        const Job& job = m_jobs.job(row);
        const QString target = WriteTarget(job);
        if (job.state != JobState::Complete && !target.isEmpty() && !targets.contains(target) &&
            (only.isEmpty() || only.contains(row)))
            targets << target;
    }
    readTargets(targets, [this] {
        end();
        emit queueChecked(knownIssues(m_checkOnly));
    });
    return true;
}

void Session::readTargets(QStringList targets, std::function<void()> done)
{
    if (targets.isEmpty() || m_cancelRequested) {
        done();
        return;
    }
    const QString target = targets.takeFirst();
    readTargetFacts(target,
                    [this, targets, done](const TargetFacts&) { readTargets(targets, done); });
}

void Session::holdAwake()
{
    m_awake = true;
    // Asked without waiting: the run starts at once, and the answer is only written down.
    const QPointer<Session> self(this);
    m_seams.power.InhibitSleep(
        tr("Installing and copying PS2 games"), [self](bool held, const QString& error) {
            if (!self)
                return;
            if (held) {
                self->m_runner.log().addNote(tr("The PC is kept awake during the run."));
                return;
            }
            // Not a reason to stop or to interrupt an unattended run
            // with a message.
            self->m_runner.log().addNote(
                tr("The PC could not be kept awake during the run: %1").arg(error));
        });
}

void Session::releaseAwake()
{
    if (!m_awake)
        return;
    m_awake = false;
    m_seams.power.ReleaseSleep();
}
