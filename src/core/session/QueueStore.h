#pragma once

#include "Problem.h"
#include "core/jobs/JobJournal.h"
#include "core/jobs/JobListModel.h"
#include "core/jobs/QueueFile.h"
#include "core/log/RunLog.h"

#include <QFileSystemWatcher>
#include <QLockFile>
#include <QObject>

#include <memory>

// The job queue as it is kept on disk: queue.json, the lock that lets one Ventrik own it,
// the inbox through which the others hand it jobs, and the journal of finished jobs. Once
// opened, every change of the list is saved.
class QueueStore : public QObject
{
    Q_OBJECT
public:
    QueueStore(JobListModel& jobs, QString dataDir, const QString& stateDir, RunLog& log,
               QObject* parent = nullptr);

    QString file() const;
    QString inboxFile() const;
    QString lockFile() const;

    // Takes the lock and reads the saved queue into the list; from then on every change is
    // saved. Without the lock the file is only shown. True when this program owns it now.
    bool open();
    bool isOpen() const { return m_keep; }
    // Whether open() has been asked, and the lock since taken or not.
    bool wasOpened() const { return m_lock != nullptr; }
    // Another program may have left the queue since: true when this one can take it.
    bool canTakeOver();
    // Why this program may not change the queue, when it may not.
    std::optional<Problem> refusal();
    // Why no lock could be made, when that is the reason (not another program).
    const QString& lockError() const { return m_lockError; }

    // Into this program's list (saved), or handed to the program that owns the queue (the
    // caller took the queue over first where it could). False (and a problem) when it could
    // not be stored.
    bool add(const Job& given);
    // Jobs handed over by other programs, taken into the list (and only then removed from where
    // they were handed over; put back when they cannot be saved).
    void takeInbox();
    // What became of a job this program handed over.
    HandOver handOverOf(const QString& jobId) const { return HandOverOf(inboxFile(), jobId); }

    bool saveFailed() const { return m_saveFailed; }
    // A run starts: whether a save fails during it is remembered until the next.
    void beginRun() { m_runSaveFailed = m_saveFailed; }
    bool saveFailedInRun() const { return m_runSaveFailed; }
    JobJournal& journal() { return m_journal; }

signals:
    void problem(const Problem& problem);

private:
    bool tryLock();
    void save();

    JobListModel& m_jobs;
    QString m_dataDir;
    RunLog& m_log;
    JobJournal m_journal;
    bool m_keep = false;               // saving starts once the saved queue was read
    std::unique_ptr<QLockFile> m_lock; // held while this program owns queue.json
    QFileSystemWatcher m_inboxWatch;
    bool m_saveFailed = false;
    bool m_runSaveFailed = false;
    QString m_lockError; // why no lock could be made (not: another program holds it)
    QString m_aside;     // a queue file that could not be moved aside: why
    QString m_lastSaveError;
};
