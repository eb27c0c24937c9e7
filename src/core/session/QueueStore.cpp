#include "QueueStore.h"

#include "core/jobs/QueueFile.h"
#include "core/platform/Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QTimer>

QueueStore::QueueStore(JobListModel& jobs, QString dataDir, const QString& stateDir, RunLog& log,
                       QObject* parent)
    : QObject(parent), m_jobs(jobs), m_dataDir(std::move(dataDir)), m_log(log),
      m_journal(stateDir + QStringLiteral("/finished-jobs.jsonl"))
{
    // Every change of the queue is saved; a warning or a job's progress is not one.
    connect(&m_jobs, &QAbstractItemModel::rowsInserted, this, &QueueStore::save);
    connect(&m_jobs, &QAbstractItemModel::rowsRemoved, this, &QueueStore::save);
    connect(&m_jobs, &QAbstractItemModel::modelReset, this, &QueueStore::save);
    connect(&m_jobs, &QAbstractItemModel::rowsMoved, this, &QueueStore::save);
    // A run's move from one job to the next is saved once, each save waiting for the disk.
    connect(&m_jobs, &JobListModel::jobChanged, this, [this] {
        if (!m_jobs.inStep())
            save();
    });
    connect(&m_jobs, &JobListModel::settled, this, &QueueStore::save);
}

QString QueueStore::file() const
{
    return m_dataDir + QStringLiteral("/queue.json");
}

QString QueueStore::inboxFile() const
{
    return m_dataDir + QStringLiteral("/queue-inbox.json");
}

QString QueueStore::lockFile() const
{
    return m_dataDir + QStringLiteral("/queue.lock");
}

void QueueStore::save()
{
    if (!m_keep)
        return;
    QString error;
    const bool saved = SaveQueueFile(file(), m_jobs.allJobs(), &error);
    if (!saved)
        m_lastSaveError = error;
    // Told once when saving begins to fail, not at every change after; every change tries
    // again. A run during which a save failed has failed, whatever its jobs did.
    if (!saved && !m_saveFailed) {
        emit problem({ProblemKind::SaveFailed, file(), error});
        m_log.addNote(tr("The job queue could not be saved to %1: %2").arg(file(), error));
    }
    if (!saved)
        m_runSaveFailed = true;
    else if (m_saveFailed) {
        m_log.addNote(tr("The job queue was saved to %1 again.").arg(file()));
        // Jobs handed over meanwhile were left where they were: taken now.
        QTimer::singleShot(0, this, &QueueStore::takeInbox);
    }
    m_saveFailed = !saved;
}

bool QueueStore::canTakeOver()
{
    return m_lock && !m_keep && tryLock();
}

bool QueueStore::tryLock()
{
    if (m_lock->isLocked())
        return true;
    // Something in the lock's place that is no lock (a FIFO, a huge file) is said, not waited
    // on or read whole.
    if (const QString why = platform::lockFileProblem(lockFile()); !why.isEmpty()) {
        m_lockError = why;
        return false;
    }
    auto named = [this] {
        qint64 pid = 0;
        QString host, app;
        return m_lock->getLockInfo(&pid, &host, &app) && pid > 0;
    };
    const QFileInfo info(lockFile());
    // A lock file that names no owner (empty, or garbage) was left by nothing that runs:
    // it would lock the queue for ever.
    if (info.isFile() && !named() && QFile::remove(lockFile()))
        m_log.addNote(
            tr("%1 named no program that owns the queue; it was taken over.").arg(lockFile()));
    if (m_lock->tryLock(0)) {
        m_lockError.clear();
        return true;
    }
    // Held by another program, or a lock that cannot be made at all (a full or read-only
    // folder, a folder in its place): the second is no other program, and is said as what
    // it is.
    if (m_lock->error() == QLockFile::LockFailedError && named())
        m_lockError.clear();
    else if (info.isDir())
        m_lockError = tr("a folder has its name");
    else if (m_lock->error() == QLockFile::PermissionError)
        m_lockError = tr("permission denied");
    else
        m_lockError = tr("the lock file could not be written or names no owner");
    return false;
}

std::optional<Problem> QueueStore::refusal()
{
    if (!m_lock || m_keep)
        return std::nullopt;
    if (!m_lockError.isEmpty())
        return Problem{ProblemKind::CannotLock, lockFile(), m_lockError};
    if (!m_aside.isEmpty())
        return Problem{ProblemKind::QueueKeptAside, file(), m_aside};
    qint64 pid = 0;
    QString host, app;
    m_lock->getLockInfo(&pid, &host, &app);
    return Problem{ProblemKind::QueueInUse, QString::number(pid), lockFile()};
}

void QueueStore::takeInbox()
{
    // While saving fails, jobs stay where they are: taken, they would be lost at the end.
    if (!m_keep || m_saveFailed)
        return;
    const InboxTaken taken = TakeQueueInbox(inboxFile());
    if (!taken.problem.isEmpty())
        emit problem({ProblemKind::InboxKeptAside,
                      taken.keptAside.isEmpty() ? inboxFile() : taken.keptAside, taken.problem});
    // A job already in the queue was taken by a run that ended before it removed the moved
    // inbox: it is not added twice.
    QSet<QString> known;
    for (const Job& job : m_jobs.allJobs())
        known.insert(job.id);
    QList<Job> fresh;
    for (const Job& job : taken.jobs)
        if (!known.contains(job.id))
            fresh << job;
    m_jobs.addJobs(fresh);
    if (!m_saveFailed) {
        FinishInboxTaking(taken.taking);
        // What a killed owner left moved aside came first; the inbox itself follows.
        if (!taken.taking.isEmpty() && QFileInfo::exists(inboxFile()))
            takeInbox();
        return;
    }
    // Not saved: they go back where they came from, and whoever handed them over hears why.
    m_jobs.removeLastJobs(static_cast<int>(fresh.size()));
    QString error;
    if (ReturnToQueueInbox(inboxFile(), fresh, m_lastSaveError, &error))
        FinishInboxTaking(taken.taking);
    else
        m_log.addNote(tr("Jobs handed over stay in %1: %2").arg(taken.taking, error));
}

bool QueueStore::open()
{
    QDir().mkpath(m_dataDir);
    if (!m_lock) {
        m_lock = std::make_unique<QLockFile>(lockFile());
        // Held for as long as the program runs; a lock left by a dead process is taken over.
        m_lock->setStaleLockTime(0);
    }
    if (!tryLock()) {
        // Another Ventrik owns the file, or no lock can be made here: shown as it is, never
        // written from here.
        m_jobs.setJobs(LoadQueueFile(file()).jobs);
        if (!m_lockError.isEmpty())
            QTimer::singleShot(0, this, [this] {
                emit problem({ProblemKind::CannotLock, lockFile(), m_lockError});
            });
        return false;
    }
    const LoadedQueue loaded = LoadQueueFile(file());
    if (loaded.status == QueueFileStatus::Unreadable || loaded.status == QueueFileStatus::Newer) {
        QString error;
        const std::optional<QString> aside = KeepQueueFileAside(file(), &error);
        QString detail =
            loaded.status == QueueFileStatus::Newer
                ? tr("It was written by a newer version of Ventrik (%1).").arg(loaded.detail)
                : loaded.detail;
        if (!aside) {
            // Not moved: then it is not written over either, and the queue stays unused.
            detail += u' ' + tr("It could not be moved aside (%1), so the queue cannot be "
                                "used until it is moved away.")
                                 .arg(error);
            m_aside = detail;
        }
        QTimer::singleShot(0, this, [this, aside, detail] {
            emit problem({ProblemKind::QueueKeptAside, aside.value_or(file()), detail});
        });
        if (!aside)
            return false;
    }
    m_aside.clear();
    // What was just read is not written back: saving starts with the first change.
    m_keep = false;
    m_jobs.setJobs(loaded.jobs);
    m_keep = true;
    // Jobs a command line handed over while this program was not running, and from now on.
    takeInbox();
    if (m_inboxWatch.directories().isEmpty()) {
        m_inboxWatch.addPath(m_dataDir);
        connect(&m_inboxWatch, &QFileSystemWatcher::directoryChanged, this, &QueueStore::takeInbox);
    }
    return true;
}

bool QueueStore::add(const Job& given)
{
    // Its identity first: a job handed over is followed by it.
    Job job = given;
    if (job.id.isEmpty())
        job.id = NewJobId();
    if (m_lock && !m_keep) {
        if (!m_lockError.isEmpty()) {
            emit problem({ProblemKind::CannotLock, lockFile(), m_lockError});
            return false;
        }
        // Handed over only once it is written where the other program takes it from.
        QString error;
        if (!AppendToQueueInbox(inboxFile(), job, &error)) {
            emit problem({ProblemKind::SaveFailed, inboxFile(), error});
            return false;
        }
        m_jobs.addJob(job);
        return true;
    }
    m_jobs.addJob(job);
    // Kept in the list shown, but not in the file: this program's end would lose it.
    return !m_saveFailed;
}
