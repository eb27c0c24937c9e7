#include "core/jobs/QueueFile.h"
#include "core/session/QueueStore.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

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
