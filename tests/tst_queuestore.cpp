#include "core/jobs/QueueFile.h"
#include "core/session/QueueStore.h"

#include <QDir>
#include <QFile>
#include <QFileSystemWatcher>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

// The queue as kept on disk, on its own: one owner, the inbox for the others, saves that
// follow every change of a job and nothing else.
class TestQueueStore : public QObject
{
    Q_OBJECT

    static Job install(const QString& name)
    {
        Job job;
        job.id = name + QStringLiteral("-id");
        job.kind = JobKind::Install;
        job.source = QStringLiteral("/images/") + name + QStringLiteral(".iso");
        job.destination = QStringLiteral("hdd1:");
        job.name = name;
        return job;
    }

private slots:
    void savesEveryChangeOfAJobButNotAWarning()
    {
        QTemporaryDir dir;
        RunLog log(dir.filePath(QStringLiteral("state")));
        JobListModel jobs;
        QueueStore store(jobs, dir.filePath(QStringLiteral("data")), dir.path(), log);
        QVERIFY(store.open());
        QVERIFY(store.add(install(QStringLiteral("One"))));
        QCOMPARE(LoadQueueFile(store.file()).jobs.size(), 1);

        jobs.setState(0, JobState::Complete);
        QCOMPARE(LoadQueueFile(store.file()).jobs.value(0).state, JobState::Complete);

        // A warning is shown, not kept: the file is not written for it.
        QVERIFY(QFile::remove(store.file()));
        jobs.setWarning(0, QStringLiteral("not enough space"));
        QVERIFY(!QFile::exists(store.file()));
    }

    void aSecondProgramHandsItsJobsToTheOwner()
    {
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("data"));
        RunLog log(dir.filePath(QStringLiteral("state")));
        JobListModel ownerJobs, otherJobs;
        QueueStore owner(ownerJobs, data, dir.path(), log);
        QVERIFY(owner.open());

        // The lock is another program's in a second process; a second store in this one
        // cannot take it either, since QLockFile locks per file.
        QueueStore other(otherJobs, data, dir.path(), log);
        QVERIFY(!other.open());
        QVERIFY(!other.canTakeOver());
        const auto refusal = other.refusal();
        QVERIFY(refusal.has_value());
        QCOMPARE(refusal->kind, ProblemKind::QueueInUse);
        QCOMPARE(refusal->reason, other.lockFile());

        QVERIFY(other.add(install(QStringLiteral("Handed"))));
        QVERIFY(QFile::exists(owner.inboxFile()));
        owner.takeInbox();
        QCOMPARE(ownerJobs.count(), 1);
        QCOMPARE(ownerJobs.job(0).name, QStringLiteral("Handed"));
        QVERIFY(!QFile::exists(owner.inboxFile()));
        QCOMPARE(LoadQueueFile(owner.file()).jobs.size(), 1);
    }

    // The owner killed at any step of taking the inbox loses no job and takes none twice: the
    // inbox is moved aside, the jobs saved, and only then the moved file removed.
    void theHandOverLosesNothingWhereverTheOwnerStops()
    {
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("data"));
        QVERIFY(QDir().mkpath(data));
        const QString inbox = data + QStringLiteral("/queue-inbox.json");
        QList<Job> handed;
        for (int i = 0; i < 400; ++i)
            handed << install(QStringLiteral("Job%1").arg(i));
        QString error;
        RunLog log(dir.filePath(QStringLiteral("state")));
        auto owner = [&](const QList<Job>& saved) {
            // What the killed owner had saved, and the next owner opening the queue.
            QVERIFY(SaveQueueFile(data + QStringLiteral("/queue.json"), saved, &error));
            JobListModel jobs;
            QueueStore store(jobs, data, dir.path(), log);
            QVERIFY(store.open());
            QCOMPARE(jobs.count(), 400);
            QSet<QString> ids;
            for (const Job& j : jobs.allJobs())
                ids.insert(j.id);
            QCOMPARE(ids.size(), 400);
            QVERIFY(!QFile::exists(inbox) && !QFile::exists(inbox + QStringLiteral(".taking")));
        };
        // Killed after moving the inbox aside, before saving anything.
        QVERIFY(SaveQueueFile(inbox + QStringLiteral(".taking"), handed, &error));
        owner({});
        // Killed after saving, before removing the moved file.
        QVERIFY(SaveQueueFile(inbox + QStringLiteral(".taking"), handed, &error));
        owner(handed);
        // Killed after saving half of them, with more handed over meanwhile.
        QVERIFY(SaveQueueFile(inbox + QStringLiteral(".taking"), handed.mid(0, 300), &error));
        QVERIFY(SaveQueueFile(inbox, handed.mid(300), &error));
        owner(handed.mid(0, 150));
    }

    // The owner watches its folder for an inbox; with nothing handed over it touches nothing
    // there, or each look would change the folder and be the cause of the next.
    void nothingHandedOverChangesNothing()
    {
        QTemporaryDir dir;
        const QString inbox = dir.filePath(QStringLiteral("queue-inbox.json"));
        QFileSystemWatcher watch({dir.path()});
        QSignalSpy changed(&watch, &QFileSystemWatcher::directoryChanged);
        const InboxTaken taken = TakeQueueInbox(inbox);
        QVERIFY(taken.jobs.isEmpty() && taken.problem.isEmpty());
        QTest::qWait(200);
        QCOMPARE(changed.count(), 0);
    }

    // A save that fails puts the jobs back where they were handed over, and whoever handed
    // them over reads why; they are taken once saving works again.
    void jobsThatCannotBeSavedGoBack()
    {
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("data"));
        RunLog log(dir.filePath(QStringLiteral("state")));
        JobListModel ownerJobs, otherJobs;
        QueueStore owner(ownerJobs, data, dir.path(), log);
        QVERIFY(owner.open());
        QueueStore other(otherJobs, data, dir.path(), log);
        QVERIFY(!other.open());
        const Job job = install(QStringLiteral("Handed"));
        QVERIFY(other.add(job));
        QCOMPARE(other.handOverOf(job.id).state, HandOver::State::Waiting);
        // The owner's queue file cannot be written.
        QVERIFY(QDir().mkpath(owner.file()));
        owner.takeInbox();
        QCOMPARE(ownerJobs.count(), 0);
        QCOMPARE(LoadQueueFile(owner.inboxFile()).jobs.size(), 1);
        const HandOver refused = other.handOverOf(job.id);
        QCOMPARE(refused.state, HandOver::State::Refused);
        QVERIFY(!refused.why.isEmpty());
        // Saving works again: the next change takes it.
        QVERIFY(QDir(owner.file()).removeRecursively());
        ownerJobs.addJob(install(QStringLiteral("Own")));
        QTRY_COMPARE(ownerJobs.count(), 2);
        QCOMPARE(LoadQueueFile(owner.file()).jobs.size(), 2);
        QVERIFY(!QFile::exists(owner.inboxFile()));
    }

    // Files that are not what they claim (a FIFO, a huge file in a lock's place) are refused
    // with a reason, never waited on or read whole.
    void aLockThatIsNoLockIsSaid()
    {
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("data"));
        QVERIFY(QDir().mkpath(data));
        RunLog log(dir.filePath(QStringLiteral("state")));
        QVERIFY(::mkfifo(QFile::encodeName(data + QStringLiteral("/queue.lock")).constData(),
                         0600) == 0);
        JobListModel jobs;
        QueueStore store(jobs, data, dir.path(), log);
        QVERIFY(!store.open());
        QCOMPARE(store.refusal()->kind, ProblemKind::CannotLock);
        QVERIFY(store.refusal()->reason.contains(QStringLiteral("not a plain file")));
        QVERIFY(QFile::remove(data + QStringLiteral("/queue.lock")));
        QFile huge(data + QStringLiteral("/queue.lock"));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(2) << 30));
        huge.close();
        QueueStore again(jobs, data, dir.path(), log);
        QVERIFY(!again.open());
        QVERIFY(again.refusal()->reason.contains(QStringLiteral("far larger than a lock file")));
        // The log and the journal of finished jobs as FIFOs: written to by nobody, waited on
        // by nobody.
        QVERIFY(QFile::remove(data + QStringLiteral("/queue.lock")));
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("state"))));
        QVERIFY(::mkfifo(QFile::encodeName(log.currentFile()).constData(), 0600) == 0);
        log.addNote(QStringLiteral("into a FIFO: never"));
        QVERIFY(log.lastEntries(5).isEmpty());
        QVERIFY(
            ::mkfifo(
                QFile::encodeName(dir.filePath(QStringLiteral("finished-jobs.jsonl"))).constData(),
                0600) == 0);
        JobListModel owned;
        QueueStore store3(owned, data, dir.path(), log);
        QVERIFY(store3.open());
        Job done = install(QStringLiteral("Done"));
        done.state = JobState::Complete;
        store3.journal().recordComplete(done);
        QVERIFY(store3.journal().completeIds().isEmpty());
    }

    void aLockThatCannotBeMadeIsNoOtherProgram()
    {
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("data"));
        QVERIFY(QDir().mkpath(data + QStringLiteral("/queue.lock")));
        RunLog log(dir.filePath(QStringLiteral("state")));
        JobListModel jobs;
        QueueStore store(jobs, data, dir.path(), log);
        QSignalSpy problems(&store, &QueueStore::problem);
        QVERIFY(!store.open());
        QCOMPARE(store.refusal()->kind, ProblemKind::CannotLock);
        // A job that can go nowhere is refused, not reported as handed over.
        QVERIFY(!store.add(install(QStringLiteral("Lost"))));
        QVERIFY(!QFile::exists(store.inboxFile()));
        QTRY_VERIFY(!problems.isEmpty());
        QCOMPARE(problems.last()[0].value<Problem>().kind, ProblemKind::CannotLock);
    }

    void aSaveThatFailsIsToldOnceAndMarksTheRun()
    {
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("data"));
        RunLog log(dir.filePath(QStringLiteral("state")));
        JobListModel jobs;
        QueueStore store(jobs, data, dir.path(), log);
        QVERIFY(store.open());
        store.beginRun();
        QVERIFY(!store.saveFailedInRun());
        QSignalSpy problems(&store, &QueueStore::problem);
        // A folder where the file goes: every save fails.
        QVERIFY(QDir().mkpath(store.file()));
        QVERIFY(!store.add(install(QStringLiteral("A"))));
        QVERIFY(!store.add(install(QStringLiteral("B"))));
        QCOMPARE(problems.size(), 1);
        QCOMPARE(problems[0][0].value<Problem>().kind, ProblemKind::SaveFailed);
        QVERIFY(store.saveFailedInRun());
        QVERIFY(QDir(store.file()).removeRecursively());
        jobs.setState(0, JobState::Pending);
        QVERIFY(!store.saveFailed());
        // The run keeps what happened in it.
        QVERIFY(store.saveFailedInRun());
        QVERIFY(log.lastEntries(5).join(u'\n').contains(QStringLiteral("saved to")));
    }
};

QTEST_GUILESS_MAIN(TestQueueStore)
#include "tst_queuestore.moc"
