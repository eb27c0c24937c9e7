#include "QueueRuns.h"

#include "ProblemText.h"

#include "core/jobs/GameIdentity.h"
#include "core/jobs/JobBuilder.h"
#include "core/platform/Platform.h"
#include "core/platform/PowerActions.h"

#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QStorageInfo>
#include <QTimer>

QueueRuns::QueueRuns(Parts parts, const QString& dataDir, const QString& stateDir, QObject* parent)
    : QObject(parent), m_runner(parts.runner), m_games(parts.games), m_locks(parts.locks),
      m_network(parts.network), m_power(parts.power), m_gate(parts.gate),
      m_queue(m_jobs, [this](const QStringList& a) { return m_runner.runJob(a); }),
      m_nowQueue(m_nowJobs, [this](const QStringList& a) { return m_runner.runJob(a); }),
      m_store(m_jobs, dataDir, stateDir, m_runner.log())
{
    m_nowQueue.setSingleJobs(true);
    // Every job that ends complete is also written down apart from the queue's file.
    connect(&m_queue, &JobQueue::jobFinished, this, [this](int row) {
        if (m_jobs.job(row).state == JobState::Complete)
            m_store.journal().recordComplete(m_jobs.job(row));
    });
    connect(&m_queue, &JobQueue::jobStarted, this, &QueueRuns::jobStarted);
    for (JobQueue* queue : {&m_queue, &m_nowQueue}) {
        const bool installNow = queue == &m_nowQueue;
        connect(queue, &JobQueue::progressChanged, this, &QueueRuns::progressChanged);
        // A tool that has printed nothing for a while is said, and said again to have moved.
        connect(queue, &JobQueue::stalled, this, [this, queue, installNow](int seconds) {
            const int row = queue->currentRow();
            const QString name =
                row >= 0 ? (installNow ? m_nowJobs : m_jobs).job(row).name : QString();
            emit runStalled(seconds);
            emit problem({ProblemKind::RunStalled, name, QString::number(seconds),
                          QString::number(m_stallLimitMs / 1000)});
        });
        connect(queue, &JobQueue::moving, this, &QueueRuns::runMoving);
        connect(queue, &JobQueue::finished, this, [this, installNow] { runEnded(installNow); });
        queue->setPreparer([this, installNow](const Job& job, std::function<void(const Job&)> go) {
            prepareJob(job, installNow, std::move(go));
        });
        queue->setVerifier([this](const Job& job, std::function<void(Verification)> done) {
            verifyJob(job, std::move(done));
        });
    }
    connect(&m_store, &QueueStore::problem, this, &QueueRuns::problem);
    // Every change of the list is checked again (the store saves it), and so is every new read
    // of a target.
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(&m_jobs, signal, this, &QueueRuns::updateWarnings);
    connect(&m_jobs, &QAbstractItemModel::modelReset, this, &QueueRuns::updateWarnings);
    connect(&m_jobs, &QAbstractItemModel::rowsMoved, this, &QueueRuns::updateWarnings);
    connect(&m_jobs, &JobListModel::jobChanged, this, &QueueRuns::updateWarnings);
    connect(&m_games, &TargetGames::factsChanged, this, &QueueRuns::updateWarnings);
}

void QueueRuns::setStallLimits(int noticeMs, int limitMs)
{
    m_stallLimitMs = limitMs;
    m_runner.setStallLimits(noticeMs, limitMs);
}

void QueueRuns::setAfter100Grace(int ms)
{
    m_queue.setAfter100Grace(ms);
    m_nowQueue.setAfter100Grace(ms);
}

void QueueRuns::prepareRun()
{
    m_backedUp.clear();
    // A run reads each disk afresh before its first write: others may have written since.
    m_games.forgetFreshness();
    holdAwake();
}

bool QueueRuns::add(const Job& job)
{
    owns();
    return m_store.add(job);
}

bool QueueRuns::clear()
{
    if (refuseForeign())
        return false;
    m_jobs.clear();
    return !m_store.saveFailed();
}

bool QueueRuns::check(const QList<int>& only)
{
    if (refuseForeign() || !m_gate.begin(Activity::CheckingQueue))
        return false;
    checkTargets(only, [this] {
        m_gate.end();
        emit checked(knownIssues(m_checkOnly));
    });
    return true;
}

bool QueueRuns::start(const QList<int>& only)
{
    if (refuseForeign() || !m_gate.begin(Activity::RunningQueue))
        return false;
    emit started(false);
    prepareRun();
    m_store.beginRun();
    m_queue.start(only);
    return true;
}

bool QueueRuns::runNow(const Job& job)
{
    if (!m_gate.begin(Activity::InstallingNow))
        return false;
    emit started(true);
    prepareRun();
    m_nowJobs.clear();
    m_nowJobs.addJob(job);
    m_nowQueue.start();
    return true;
}

bool QueueRuns::cancel()
{
    for (JobQueue* queue : {&m_queue, &m_nowQueue}) {
        if (queue->isRunning()) {
            queue->cancel();
            return true;
        }
    }
    return false;
}

bool QueueRuns::stopForLostDisk(const QString& device, const QString& reason)
{
    return m_queue.stopForLostDisk(device, reason) || m_nowQueue.stopForLostDisk(device, reason);
}

void QueueRuns::runEnded(bool installNow)
{
    const JobQueue& queue = installNow ? m_nowQueue : m_queue;
    const bool cancelled = queue.wasCancelled();
    const bool lostNbd = queue.lostConnection() && m_games.target().isNbd();
    if (queue.lostConnection() && !installNow) {
        const Job& failed = m_jobs.job(m_queue.lastRow());
        if (failed.error == ToolError::Stalled)
            emit problem(
                {ProblemKind::RunStopped, failed.name, QString::number(m_stallLimitMs / 1000)});
        else if (failed.error == ToolError::ServerGone)
            emit problem({ProblemKind::NbdLost, failed.name, {}});
        else
            emit problem({ProblemKind::ConnectionLost, failed.name, failed.reason});
    }
    if (!queue.lostDisk().isEmpty())
        emit problem(
            {ProblemKind::DiskUnplugged, queue.lostDisk(), m_jobs.job(queue.lastRow()).name});
    auto finish = [this, installNow, cancelled, lostNbd] {
        emit finished(installNow, cancelled, lostNbd);
    };
    // The end-of-run actions follow only a run in which every job completed.
    if (cancelled || !queue.allComplete()) {
        finish();
        return;
    }
    auto pcActions = [this, finish] {
        if (m_endActions.shutdownPC)
            m_power.ShutdownPC();
        else if (m_endActions.standbyPC)
            m_power.SuspendPC();
        finish();
    };
    const QString ps2 = m_games.target().host();
    if (m_endActions.powerOffPS2 && !ps2.isEmpty()) {
        m_runner.run({QStringLiteral("poweroff"), ps2},
                     [pcActions](const RunOutcome&) { pcActions(); });
        return;
    }
    pcActions();
}

// The saved queue ---------------------------------------------------------------------

bool QueueRuns::owns()
{
    if (!m_store.wasOpened() || m_store.isOpen())
        return true;
    // The other program may have ended since: then this one takes the queue over.
    if (!m_store.canTakeOver())
        return false;
    restore();
    return m_store.isOpen();
}

bool QueueRuns::refuseForeign()
{
    if (owns())
        return false;
    if (const auto refusal = m_store.refusal())
        emit problem(*refusal);
    return true;
}

void QueueRuns::restore()
{
    if (!m_store.open())
        return;
    const bool toolAvailable = m_gate.holds();
    // A job found Active was running when the program ended. A job the journal knows as
    // complete was finished by a run whose last saves failed: both are looked for.
    const QSet<QString> finished = m_store.journal().completeIds();
    m_recognised.clear();
    QList<int> interrupted;
    for (int row = 0; row < m_jobs.count(); ++row) {
        Job job = m_jobs.job(row);
        if (job.state != JobState::Complete && finished.contains(job.id)) {
            if (JobQueue::writesAGame(job) && toolAvailable) {
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
        if (JobQueue::writesAGame(job) && toolAvailable) {
            interrupted << row;
            continue;
        }
        // An image that was being written is not finished: only its .part is removed.
        if (job.kind == JobKind::MakeIso || job.kind == JobKind::CopyToPC)
            QFile::remove(job.destination + QStringLiteral(".part"));
        m_jobs.setState(row, JobState::Pending);
    }
    if (!interrupted.isEmpty() && m_gate.begin(Activity::Resuming))
        QTimer::singleShot(0, this,
                           [this, interrupted] { resume(interrupted, [this] { m_gate.end(); }); });
}

void QueueRuns::resume(const QList<int>& rows, std::function<void()> done)
{
    // A tool of an earlier Ventrik that ignored the signals sent to end it may still write:
    // the same process (its id and its start time), ended before anything is written again.
    QList<TargetLocks::Process> alive;
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
        }
    }
    m_locks.endLeftovers(alive, [this, rows, done] { resumeNext(rows, done); });
}

void QueueRuns::resumeNext(QList<int> rows, std::function<void()> done)
{
    if (rows.isEmpty() || m_runner.cancelRequested()) {
        for (const int row : std::as_const(rows))
            m_jobs.setState(row, JobState::Pending);
        done();
        return;
    }
    const int row = rows.takeFirst();
    verifyJob(m_jobs.job(row), [this, row, rows, done](const Verification& found) {
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
        resumeNext(rows, done);
    });
}

// Checks -----------------------------------------------------------------------------

bool QueueRuns::uses(const QString& device) const
{
    return std::ranges::any_of(m_jobs.allJobs(), [&device](const Job& job) {
        return job.state != JobState::Complete &&
               (job.source == device || job.destination == device);
    });
}

void QueueRuns::updateWarnings()
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

QList<PreflightIssue> QueueRuns::knownIssues(const QList<int>& only) const
{
    QList<int> rows;
    for (int row = 0; row < m_jobs.count(); ++row) {
        if (m_jobs.job(row).state != JobState::Complete && (only.isEmpty() || only.contains(row)))
            rows << row;
    }
    return CheckJobs(m_jobs.allJobs(), rows, m_games.facts());
}

void QueueRuns::checkTargets(const QList<int>& only, std::function<void()> done)
{
    m_checkOnly = only;
    QList<Target> targets;
    for (int row = 0; row < m_jobs.count(); ++row) {
        const Job& job = m_jobs.job(row);
        const Target target = WriteTarget(job);
        if (job.state != JobState::Complete && !target.isNull() && !targets.contains(target) &&
            (only.isEmpty() || only.contains(row)))
            targets << target;
    }
    readTargets(targets, std::move(done));
}

void QueueRuns::readTargets(QList<Target> targets, std::function<void()> done)
{
    if (targets.isEmpty() || m_runner.cancelRequested()) {
        done();
        return;
    }
    const Target target = targets.takeFirst();
    m_games.readFacts(target,
                      [this, targets, done](const TargetFacts&) { readTargets(targets, done); });
}

void QueueRuns::verifyJob(const Job& job, std::function<void(Verification)> done)
{
    m_games.readFacts(WriteTarget(job), [job, done](const TargetFacts& facts) {
        Verification v;
        if (!facts.read) {
            v.found = Verification::Found::Unknown;
            v.problem = facts.problem;
            done(v);
            return;
        }
        // The game is its partition, with the job's startup; a title alone proves nothing.
        const QString partition =
            job.writes.isEmpty() ? PartitionName(job.name, job.startup, facts.naming) : job.writes;
        const parse::GameRow* game = facts.gameWithPartition(partition);
        if (game && !job.startup.isEmpty() && game->startup != job.startup)
            game = nullptr;
        if (!game) {
            v.found = Verification::Found::Missing;
        } else if (!job.writes.isEmpty() && !job.writesNew) {
            v.found = Verification::Found::NotNew;
        } else {
            v.sizeKb = game->sizeKb;
            // The list gives kilobytes of the game's data; a megabyte less is a copy cut short.
            const bool whole = job.sizeKb <= 0 || game->sizeKb + 1024 >= job.sizeKb;
            v.found = whole ? Verification::Found::Whole : Verification::Found::Short;
        }
        done(v);
    });
}

// Around each job ----------------------------------------------------------------------

void QueueRuns::prepareJob(const Job& job, bool installNow, std::function<void(const Job&)> go)
{
    auto refuse = [go, job](ToolError error, const QString& reason) {
        Job refused = job;
        refused.state = JobState::Failed;
        refused.error = error;
        refused.reason = reason;
        go(refused);
    };
    // Who writes, for those who wait.
    const QString holder = !installNow                    ? QStringLiteral("queue")
                           : job.kind == JobKind::Install ? QStringLiteral("install")
                                                          : QStringLiteral("copy");
    const bool image = job.kind == JobKind::MakeIso || job.kind == JobKind::CopyToPC;
    // An image needs room for all of it in its folder, checked before a byte is written.
    if (image) {
        const QStorageInfo volume(QFileInfo(job.destination).absolutePath());
        const qint64 needed = job.sizeKb * 1024;
        if (needed > 0 && volume.isValid() && volume.bytesAvailable() < needed) {
            refuse(ToolError::NoSpace, tr("%1 needs %2 MB in %3, and %4 MB are free there.")
                                           .arg(QFileInfo(job.destination).fileName())
                                           .arg((needed + 1048575) / 1048576)
                                           .arg(QFileInfo(job.destination).absolutePath())
                                           .arg(volume.bytesAvailable() / 1048576));
            return;
        }
    }
    // An image file has one writer too: another Ventrik writing the same file waits, or is
    // refused, by the file's folder and name however it was named.
    if (image && !m_imageLocked.contains(job.id)) {
        m_locks.lockImageFile(
            job.destination, holder, [this, job, installNow, go, refuse](bool locked) {
                if (!locked && !m_runner.cancelRequested()) {
                    refuse(ToolError::None,
                           tr("%1 is being written by another Ventrik; nothing was written.")
                               .arg(job.destination));
                    return;
                }
                if (!locked) {
                    go(job);
                    return;
                }
                m_imageLocked.insert(job.id);
                prepareJob(job, installNow, go);
            });
        return;
    }
    m_imageLocked.remove(job.id);
    // The disk the job writes to, or a PS2 disk it copies from: one writer at a time there,
    // and nothing changes under a copy.
    const Target target = WriteTarget(job);
    const Target disk =
        target.isNull() && job.kind == JobKind::CopyToPC ? SourceTarget(job) : target;
    if (disk.isNull()) {
        go(job);
        return;
    }
    m_locks.lock(disk, holder, [this, job, target, disk, go, refuse](bool locked) {
        if (!locked && !m_runner.cancelRequested()) {
            refuse(ToolError::None, tr("%1 is in use by another Ventrik; nothing was written.")
                                        .arg(disk.toolArgument()));
            return;
        }
        if (!locked) {
            go(job);
            return;
        }
        // A PS2 over NBD the job reads from or writes to is opened first; one that does not
        // answer holds the later jobs, as a PS2 whose server is gone does.
        const Target other = job.source == disk.toolArgument() ? Target() : SourceTarget(job);
        m_network.open(disk, [this, job, target, other, go,
                              refuse](const std::optional<Problem>& p) {
            if (p) {
                refuse(p->kind == ProblemKind::NbdUnreachable ? ToolError::NetworkTimeout
                                                              : ToolError::None,
                       ProblemText(*p));
                return;
            }
            m_network.open(other, [this, job, target, go, refuse](const std::optional<Problem>& q) {
                if (q) {
                    refuse(ToolError::None, ProblemText(*q));
                    return;
                }
                if (target.isNull()) {
                    go(job);
                    return;
                }
                // Nothing is written before the disk's own sectors say it may be.
                m_games.checkLayout(
                    target, false,
                    [this, job, target, go, refuse](const std::optional<Problem>& r) {
                        if (r) {
                            refuse(ToolError::None, ProblemText(*r));
                            return;
                        }
                        prepareWrite(job, target, go);
                    });
            });
        });
    });
}

void QueueRuns::prepareWrite(const Job& job, const Target& target,
                             std::function<void(const Job&)> go)
{
    auto decide = [this, job, target, go](const TargetFacts& facts) {
        Job prepared = job;
        prepared.writes.clear();
        prepared.writesNew = false;
        if (facts.read) {
            prepared.writes = PartitionName(job.name, job.startup, facts.naming);
            prepared.writesNew = facts.gameWithPartition(prepared.writes) == nullptr;
            qint64 size = job.sizeKb;
            if (size <= 0 && job.kind == JobKind::Install && !IsDriveSource(job.source))
                size = QFileInfo(job.source).size() / 1024;
            // An install that leaves no slice free breaks the partition table; it never runs.
            if (!FitsLeavingASlice(size, facts.availableMb)) {
                prepared.state = JobState::Failed;
                prepared.error = ToolError::NoSpace;
                prepared.reason =
                    tr("%1 needs %2 MB on %3 in %4 MB slices, one slice must stay free, and "
                       "%5 MB are free.")
                        .arg(job.name)
                        .arg(SlicesMb(size))
                        .arg(target.toolArgument())
                        .arg(kSliceMb)
                        .arg(facts.availableMb);
                go(prepared);
                return;
            }
        }
        // From here on the disk is being written: what was read of it is old.
        m_games.markWritten(target);
        go(prepared);
    };
    auto read = [this, target, decide] {
        if (m_games.isFresh(target))
            decide(m_games.factsOf(target));
        else
            m_games.readFacts(target, decide);
    };
    if (m_backedUp.contains(target)) {
        read();
        return;
    }
    m_backedUp.insert(target);
    m_games.backupBeforeWrite(target, read);
}

// Staying awake --------------------------------------------------------------------------

void QueueRuns::holdAwake()
{
    m_awake = true;
    // Asked without waiting: the run starts at once, and the answer is only written down.
    const QPointer<QueueRuns> self(this);
    m_power.InhibitSleep(
        tr("Installing and copying PS2 games"), [self](bool held, const QString& error) {
            if (!self)
                return;
            if (held) {
                self->m_runner.log().addNote(tr("The PC is kept awake during the run."));
                return;
            }
            // Not a reason to stop or to interrupt an unattended run with a
            // message.
            self->m_runner.log().addNote(
                tr("The PC could not be kept awake during the run: %1").arg(error));
        });
}

void QueueRuns::releaseAwake()
{
    if (!m_awake)
        return;
    m_awake = false;
    m_power.ReleaseSleep();
}
