#include "SessionFixture.h"
#include "core/devices/DiskLayout.h"
#include "core/jobs/JobBuilder.h"
#include "core/jobs/Preflight.h"
#include "core/jobs/QueueFile.h"
#include "core/log/RunLog.h"
#include "core/session/Session.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/stat.h>

// The unattended queue: kept in a file, checked before it runs, verified after each
// job, logged, and the disk's partition table saved before the first write.
class TestQueue : public QObject, protected SessionFixture
{
    Q_OBJECT

    void start(const QString& style = QStringLiteral("linux"))
    {
        QJsonObject state = SimWorld::defaultState();
        state[QStringLiteral("style")] = style;
        // A disk path no machine has, so no serial number of a real disk names its backups.
        QJsonArray disks = state[QStringLiteral("disks")].toArray();
        QJsonObject second = disks[1].toObject();
        second[QStringLiteral("path")] = QStringLiteral("/dev/vtksim1");
        disks[1] = second;
        state[QStringLiteral("disks")] = disks;
        startWorld(state);
    }
    QString image(const QString& name, qint64 bytes = 4096) const
    {
        QFile f(m_world->path(name));
        f.open(QIODevice::WriteOnly);
        f.resize(bytes);
        return f.fileName();
    }
    // An install of an image the simulator reads as a 300 000 KB disc.
    Job install(const QString& name, const QString& target = QStringLiteral("/dev/vtksim1"))
    {
        return m_world->install(name, target);
    }
    // The games the simulated disk holds, by name, with their sizes.
    QMap<QString, qint64> gamesOn(int disk) const
    {
        QMap<QString, qint64> games;
        const QJsonArray list =
            m_world->state()[QStringLiteral("disks")][disk][QStringLiteral("games")].toArray();
        for (const QJsonValue g : list)
            games[g[QStringLiteral("name")].toString()] = g[QStringLiteral("size_kb")].toInteger();
        return games;
    }
    QStringList commands() const
    {
        QStringList c;
        for (const QStringList& call : m_world->calls())
            c << call.value(0, QStringLiteral("(usage)"));
        return c;
    }
    bool runQueue() { return m_session->startQueue() && idle(); }

private slots:
    void cleanup() { m_session.reset(); }

    // Intents as operations ----------------------------------------------------

    // Each ends exactly once with what it did: refused, finished, or cancelled; and a disc
    // read beside a running queue is cancelled without touching the queue.
    void anOperationEndsOnceWithItsResult()
    {
        start();
        const QString image = install(QStringLiteral("Side")).source;
        Operation* read = m_session->readDisc(image, false);
        QSignalSpy readEnded(read, &Operation::finished);
        QVERIFY(readEnded.wait(20000));
        const auto result = readEnded.first().first().value<OperationResult>();
        QVERIFY(result.succeeded());
        QCOMPARE(result.disc->startup, QStringLiteral("SLES_543.21"));

        // Refused while something runs: it still ends, once, with the reason.
        m_world->holdJobsAt(50);
        m_session->addJob(install(QStringLiteral("Held")));
        QVERIFY(m_session->startQueue());
        m_session->selectTarget(Target::Disk(QStringLiteral("/dev/vtksim1")));
        Operation* refused = m_session->operate(
            [this] { return m_session->deleteGames({Named(QStringLiteral("Held"))}); });
        QSignalSpy refusedEnded(refused, &Operation::finished);
        QVERIFY(refusedEnded.wait(5000));
        const auto no = refusedEnded.first().first().value<OperationResult>();
        QVERIFY(!no.started && !no.succeeded());
        QCOMPARE(no.problems.value(0).kind, ProblemKind::Busy);

        // A read beside the run that hangs: cancelled alone, the queue goes on.
        m_world->setFault({{"mode", "hang"}, {"command", "cdvd_info2"}});
        Operation* side = m_session->readDisc(image, false);
        QSignalSpy sideEnded(side, &Operation::finished);
        QTRY_VERIFY(commands().count(QStringLiteral("cdvd_info2")) >= 2);
        side->cancel();
        QVERIFY(sideEnded.wait(10000));
        const auto cancelled = sideEnded.first().first().value<OperationResult>();
        QVERIFY(cancelled.cancelled && !cancelled.disc);
        QCOMPARE(m_session->activity(), Activity::RunningQueue);
        m_world->setFault({});
        m_world->releaseJobs();
        QVERIFY(idle());
        QVERIFY2(m_session->jobs().job(0).state == JobState::Complete,
                 qPrintable(m_session->jobs().job(0).reason));
        QTest::qWait(50);
        QCOMPARE(readEnded.size(), 1);
        QCOMPARE(refusedEnded.size(), 1);
        QCOMPARE(sideEnded.size(), 1);
    }

    // Saved and restored -----------------------------------------------------

    void everyFieldAndResultSurvivesARestart()
    {
        start();
        m_session->restoreQueue();
        Job done = install(QStringLiteral("Done Game"));
        done.flags = CompatFlags::parse(QStringLiteral("+1+3")).value();
        done.type = DiscType::CD;
        m_session->addJob(done);
        m_session->addJob(install(QStringLiteral("Wait \"Quoted\" Ünïcode")));
        Job failed = done;
        failed.name = QStringLiteral("Failed");
        m_session->addJob(failed);
        Job f = m_session->jobs().job(2);
        f.state = JobState::Failed;
        f.error = ToolError::NoSpace;
        f.reason = QStringLiteral("hdd1: not enough free space.");
        f.startedAt = 1000;
        f.endedAt = 2000;
        f.writes = QStringLiteral("PP.SLUS-20312..FAILED");
        f.writesNew = true;
        f.toolReported = QStringLiteral("line\nbreak\ttab");
        f.toolStart = 123456789012ULL;
        m_session->jobs().setJob(2, f);
        const QList<Job> before = m_session->jobs().allJobs();
        QVERIFY(QFile::exists(m_session->queueFile()));

        newSession();
        m_session->restoreQueue();
        QCOMPARE(m_session->jobs().allJobs(), before);
        QVERIFY(m_problems.isEmpty());
        // And the file says which format it is.
        QFile file(m_session->queueFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const QJsonObject root = QJsonDocument::fromJson(bytes).object();
        QCOMPARE(root[QStringLiteral("version")].toInt(), kQueueFormatVersion);
        // Written as it is made, it is what a JSON document of it writes: keys in their order.
        QCOMPARE(QJsonDocument(root).toJson(QJsonDocument::Indented), bytes);
    }

    void aFileThatCannotBeReadIsKeptAside_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("says");
        QTest::newRow("newer") << QByteArray(
                                      "{\"format\":\"ventrik-queue\",\"version\":7,\"jobs\":[]}")
                               << QStringLiteral("newer version");
        QTest::newRow("corrupt") << QByteArray("{\"format\":\"ventrik-queue\",\"version\":1,\"jo")
                                 << QString();
        QTest::newRow("unknown job")
            << QByteArray("{\"format\":\"ventrik-queue\",\"version\":1,\"jobs\":[{\"kind\":"
                          "\"teleport\",\"state\":\"pending\"}]}")
            << QStringLiteral("\"kind\" is not one of the names");
        // Not read as an empty queue, which would then be saved over the jobs.
        QTest::newRow("jobs no list")
            << QByteArray("{\"format\":\"ventrik-queue\",\"version\":1,\"jobs\":{\"a\":1}}")
            << QStringLiteral("\"jobs\" is not a list");
        QTest::newRow("version as text")
            << QByteArray("{\"format\":\"ventrik-queue\",\"version\":\"99\",\"jobs\":[]}")
            << QStringLiteral("\"version\" is not a whole number");
        // Not a job with an empty destination.
        QTest::newRow("wrong field type")
            << QByteArray("{\"format\":\"ventrik-queue\",\"version\":1,\"jobs\":[{\"kind\":"
                          "\"install\",\"state\":\"pending\",\"source\":\"a.iso\","
                          "\"destination\":5}]}")
            << QStringLiteral("job 1: \"destination\" is not a text");
        // Flags that are no flag list would reach the tool as words of its command line.
        QTest::newRow("flags no list")
            << QByteArray("{\"format\":\"ventrik-queue\",\"version\":1,\"jobs\":[{\"kind\":"
                          "\"install\",\"state\":\"pending\",\"source\":\"a.iso\","
                          "\"destination\":\"hdd1:\",\"flags\":\"-x\"}]}")
            << QStringLiteral("job 1: \"flags\" is not a list of flags");
        QTest::newRow("job no object")
            << QByteArray("{\"format\":\"ventrik-queue\",\"version\":1,\"jobs\":[7]}")
            << QStringLiteral("job 1 is not an object");
    }
    void aFileThatCannotBeReadIsKeptAside()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, says);
        start();
        QDir().mkpath(m_world->paths().dataDir);
        const QString path = m_session->queueFile();
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        // An older file kept aside is not replaced either.
        QFile older(path + QStringLiteral(".bad"));
        QVERIFY(older.open(QIODevice::WriteOnly));
        older.write("older");
        older.close();

        m_session->restoreQueue();
        QTRY_COMPARE(m_problems.size(), 1);
        QCOMPARE(m_problems[0].kind, ProblemKind::QueueKeptAside);
        QCOMPARE(m_problems[0].subject, path + QStringLiteral(".bad.1"));
        QVERIFY(m_problems[0].reason.contains(says));
        QCOMPARE(m_session->jobs().count(), 0);
        QFile aside(path + QStringLiteral(".bad.1"));
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), content);
        QFile kept(path + QStringLiteral(".bad"));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("older"));
        // The queue goes on being saved.
        m_session->addJob(install(QStringLiteral("Next")));
        QCOMPARE(LoadQueueFile(path).jobs.size(), 1);
    }

    void filesThatAreNotFilesAreKeptAsideWithoutHanging()
    {
        start();
        QDir().mkpath(m_world->paths().dataDir);
        const QString path = m_session->queueFile();
        // A link to nothing: moved aside as the link it is, and said so.
        QVERIFY(QFile::link(m_world->path(QStringLiteral("nowhere.json")), path));
        m_session->restoreQueue();
        QTRY_COMPARE(m_problems.size(), 1);
        QCOMPARE(m_problems[0].kind, ProblemKind::QueueKeptAside);
        QCOMPARE(m_problems[0].subject, path + QStringLiteral(".bad"));
        QVERIFY(m_problems[0].reason.contains(QStringLiteral("which does not exist")));
        QVERIFY(QFileInfo(path + QStringLiteral(".bad")).isSymLink());
        QVERIFY(!QFileInfo(path).isSymLink());

        // A FIFO: opened without waiting for a writer, and kept aside.
        newSession();
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        QElapsedTimer clock;
        clock.start();
        m_session->restoreQueue();
        QVERIFY(clock.elapsed() < 5000);
        QTRY_COMPARE(m_problems.size(), 1);
        QVERIFY(m_problems[0].reason.contains(QStringLiteral("not a regular file")));
        QCOMPARE(m_problems[0].subject, path + QStringLiteral(".bad.1"));
        QCOMPARE(m_session->jobs().count(), 0);
    }

    void anInboxThatCannotBeReadIsKeptAndTold()
    {
        start();
        m_session->restoreQueue();
        const QString inbox = m_world->paths().dataDir + QStringLiteral("/queue-inbox.json");
        QFile f(inbox);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("{\"format\":\"ventrik-queue\",\"version\":1,\"jobs\":{}}");
        f.close();
        QTRY_COMPARE(m_problems.size(), 1);
        QCOMPARE(m_problems[0].kind, ProblemKind::InboxKeptAside);
        QCOMPARE(m_problems[0].subject, inbox + QStringLiteral(".bad"));
        QVERIFY(QFile::exists(inbox + QStringLiteral(".bad")));
        QCOMPARE(m_session->jobs().count(), 0);
    }

    void aSecondVentrikHandsItsJobsToTheOneThatOwnsTheQueue()
    {
        start();
        m_session->restoreQueue();
        m_session->addJob(install(QStringLiteral("Owned")));
        QVERIFY(m_session->ownsQueue());

        Session other(m_world->paths(), SessionSeams{m_icmp, m_power});
        QList<Problem> told;
        connect(&other, &Session::problem, this, [&told](const Problem& p) { told << p; });
        other.restoreQueue();
        QVERIFY(!other.ownsQueue());
        QCOMPARE(other.jobs().count(), 1);
        other.addJob(install(QStringLiteral("Handed Over")));
        QTRY_COMPARE(m_session->jobs().count(), 2);
        QCOMPARE(m_session->jobs().job(1).name, QStringLiteral("Handed Over"));
        QCOMPARE(LoadQueueFile(m_session->queueFile()).jobs.size(), 2);
        // Only the owner runs it.
        QVERIFY(!other.startQueue());
        QCOMPARE(told.size(), 1);
        QCOMPARE(told[0].kind, ProblemKind::QueueInUse);
        QCOMPARE(told[0].subject, QString::number(QCoreApplication::applicationPid()));
        QCOMPARE(told[0].reason, m_world->paths().dataDir + QStringLiteral("/queue.lock"));
        // Once the owner has ended, the other takes the queue over, as saved.
        m_session.reset();
        QVERIFY(other.ownsQueue());
        QCOMPARE(other.jobs().count(), 2);
    }

    void jobsAddedDuringARunJoinIt()
    {
        start();
        m_session->restoreQueue();
        m_session->addJob(install(QStringLiteral("First")));
        QVERIFY(m_session->startQueue());
        QTRY_COMPARE(m_session->jobs().job(0).state, JobState::Active);
        m_session->addJob(install(QStringLiteral("Second")));
        QVERIFY(idle());
        QCOMPARE(m_session->runs().lastRunRows(), (QList<int>{0, 1}));
        QCOMPARE(m_session->jobs().job(1).state, JobState::Complete);
        QVERIFY(gamesOn(1).contains(QStringLiteral("Second")));
        QCOMPARE(LoadQueueFile(m_session->queueFile()).jobs[1].state, JobState::Complete);
    }

    // The file is what a restart would resume from: whenever a tool starts, it holds the jobs
    // before as they ended and this one active with what it writes; when a run ends, its
    // results, before anyone hears of the end.
    void theFileIsCurrentWheneverAToolStartsOrARunEnds()
    {
        start();
        m_session->restoreQueue();
        m_session->addJob(install(QStringLiteral("First")));
        m_session->addJob(install(QStringLiteral("Second")));
        QObject context;
        QList<QList<Job>> atStart;
        connect(m_session.get(), &Session::commandStarted, &context, [&](const QString& shown) {
            if (shown.startsWith(QLatin1String("inject")))
                atStart << LoadQueueFile(m_session->queueFile()).jobs;
        });
        QList<Job> atEnd;
        connect(&m_session->runs(), &QueueRuns::finished, &context,
                [&] { atEnd = LoadQueueFile(m_session->queueFile()).jobs; });
        QVERIFY(runQueue());
        QCOMPARE(atStart.size(), 2);
        for (const QList<Job>& saved : std::as_const(atStart))
            QCOMPARE(saved.size(), 2);
        QCOMPARE(atStart[0][0].state, JobState::Active);
        QVERIFY(!atStart[0][0].writes.isEmpty());
        QCOMPARE(atStart[0][1].state, JobState::Pending);
        QCOMPARE(atStart[1][0].state, JobState::Complete);
        QCOMPARE(atStart[1][1].state, JobState::Active);
        QCOMPARE(atStart[1][1].writes, m_session->jobs().job(1).writes);
        QVERIFY(!atStart[1][1].writes.isEmpty());
        QCOMPARE(atEnd.size(), 2);
        QCOMPARE(atEnd[0].state, JobState::Complete);
        QCOMPARE(atEnd[1].state, JobState::Complete);
    }

    // Checked before it starts ------------------------------------------------

    // Measured with the real builds: 0.9.2 and the newest for the current naming, 0.9.0 for
    // the older one (tst_realtool checks the same against them).
    void partitionNamesOfBothTools_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("startup");
        QTest::addColumn<bool>("older");
        QTest::addColumn<QString>("partition");
        const QString slus = QStringLiteral("SLUS_123.45");
        QTest::newRow("current") << "World" << slus << false << "PP.SLUS-12345..WORLD";
        QTest::newRow("current, two-byte letter")
            << "Café" << slus << false << "PP.SLUS-12345..CAF__";
        QTest::newRow("current, signs") << "Caf!!" << slus << false << "PP.SLUS-12345..CAF__";
        QTest::newRow("current, blanks and dots")
            << "a b.c-d_e" << slus << false << "PP.SLUS-12345..A_B_C_D_E";
        QTest::newRow("current, 31 bytes") << "A very long game title that goes on and on forever"
                                           << slus << false << "PP.SLUS-12345..A_VERY_LONG_GAME";
        QTest::newRow("current, no startup") << "Any" << QString() << false << "PP.";
        QTest::newRow("older") << "World" << slus << true << "PP.HDL.World";
        QTest::newRow("older, quotes") << "Say 'Hi'" << slus << true << "PP.HDL.Say _Hi_";
        QTest::newRow("older, double quotes") << "Say \"Hi\"" << slus << true << "PP.HDL.Say _Hi_";
        QTest::newRow("older, blanks and dots kept")
            << "a b.c-d_e" << slus << true << "PP.HDL.a b.c_d_e";
        QTest::newRow("older, signs") << "x:y/z\\w" << slus << true << "PP.HDL.x_y_z_w";
        QTest::newRow("older, two-byte letters") << "ÄÖÜ" << slus << true << "PP.HDL.______";
        QTest::newRow("older, 31 bytes") << "A very long game title that goes on and on forever"
                                         << slus << true << "PP.HDL.A very long game title t";
    }
    void partitionNamesOfBothTools()
    {
        QFETCH(QString, name);
        QFETCH(QString, startup);
        QFETCH(bool, older);
        QTEST(
            PartitionName(name, startup, older ? PartitionNaming::Older : PartitionNaming::Current),
            "partition");
    }

    void theOlderNamingIgnoresCase()
    {
        QVERIFY(SamePartition(QStringLiteral("PP.HDL.World"), QStringLiteral("PP.HDL.WORLD"),
                              PartitionNaming::Older));
        QVERIFY(!SamePartition(QStringLiteral("PP.SLUS-1..A"), QStringLiteral("PP.SLUS-1..a"),
                               PartitionNaming::Current));
    }

    // Measured: the slices the current build gave games of these sizes (KB).
    void slicesAsTheToolGivesThem_data()
    {
        QTest::addColumn<qint64>("kb");
        QTest::addColumn<qint64>("slices");
        QTest::newRow("350 KB") << qint64(350) << qint64(1);
        QTest::newRow("largest in one") << qint64(126952) << qint64(1);
        QTest::newRow("too large for one") << qint64(127052) << qint64(2);
        QTest::newRow("two") << qint64(256852) << qint64(2);
        QTest::newRow("three") << qint64(257352) << qint64(3);
        QTest::newRow("five") << qint64(646852) << qint64(5);
        QTest::newRow("six") << qint64(647352) << qint64(6);
        QTest::newRow("ten") << qint64(1175504) << qint64(10);
    }
    void slicesAsTheToolGivesThem()
    {
        QFETCH(qint64, kb);
        QTEST(SlicesFor(kb), "slices");
        QCOMPARE(SlicesMb(kb), SlicesFor(kb) * kSliceMb);
    }

    // The disk holds World (SLUS_123.45); the tool refuses exactly the games whose partition is
    // taken: with the current builds "world" and "Caf!!" (after "Café"), with 0.9.0 also the
    // DVD "World" of another startup.
    void theClashCheckPredictsTheToolsRefusals()
    {
        for (const PartitionNaming naming : {PartitionNaming::Current, PartitionNaming::Older}) {
            TargetFacts disk;
            disk.read = true;
            disk.naming = naming;
            disk.availableMb = 10000;
            parse::GameRow world;
            world.title = QStringLiteral("World");
            world.startup = QStringLiteral("SLUS_123.45");
            world.sizeKb = 5000;
            disk.games << world;
            auto job = [](const QString& name, const QString& startup) {
                Job j;
                j.name = name;
                j.startup = startup;
                j.destination = QStringLiteral("hdd1:");
                j.source = QStringLiteral("cd0:");
                j.sizeKb = 5000;
                return j;
            };
            const QList<Job> jobs{job(QStringLiteral("world"), QStringLiteral("SLUS_123.45")),
                                  job(QStringLiteral("Café"), QStringLiteral("SLES_111.11")),
                                  job(QStringLiteral("Caf!!"), QStringLiteral("SLES_111.11")),
                                  job(QStringLiteral("World"), QStringLiteral("SLES_543.21"))};
            QList<int> refused;
            for (const PreflightIssue& i :
                 CheckJobs(jobs, {0, 1, 2, 3}, {{QStringLiteral("hdd1:"), disk}})) {
                if (i.kind == PreflightKind::PartitionClash ||
                    i.kind == PreflightKind::AlreadyInstalled)
                    refused << i.row;
            }
            QCOMPARE(refused, naming == PartitionNaming::Current ? (QList<int>{0, 2})
                                                                 : (QList<int>{0, 2, 3}));
        }
    }

    void theCheckFindsSharedFilesChangedImagesAndHalfGames()
    {
        QTemporaryDir dir;
        QFile image(dir.filePath(QStringLiteral("game.iso")));
        QVERIFY(image.open(QIODevice::WriteOnly));
        image.write(QByteArray(4096, 'x'));
        image.close();
        Job copy;
        copy.kind = JobKind::CopyToPC;
        copy.source = QStringLiteral("hdd1:");
        copy.name = QStringLiteral("A");
        copy.destination = dir.filePath(QStringLiteral("same.iso"));
        Job again = copy;
        again.name = QStringLiteral("B");
        Job changed;
        changed.kind = JobKind::Install;
        changed.source = image.fileName();
        changed.destination = QStringLiteral("hdd2:");
        changed.name = QStringLiteral("Changed");
        changed.startup = QStringLiteral("SLUS_1.00");
        changed.sourceBytes = 2048; // what it was when queued
        // A run killed during this game left 1000 KB of its 300000 on the disk.
        TargetFacts disk;
        disk.read = true;
        disk.availableMb = 100000;
        disk.naming = PartitionNaming::Current;
        parse::GameRow half;
        half.title = QStringLiteral("Half");
        half.startup = QStringLiteral("SLUS_2.00");
        half.sizeKb = 1000;
        half.partition = QStringLiteral("PP.SLUS-200..HALF");
        disk.games << half;
        Job resumed;
        resumed.kind = JobKind::Install;
        resumed.source = QStringLiteral("cd0:");
        resumed.destination = QStringLiteral("hdd3:");
        resumed.name = QStringLiteral("Half");
        resumed.startup = QStringLiteral("SLUS_2.00");
        resumed.sizeKb = 300000;
        resumed.state = JobState::Failed;
        resumed.incomplete = true;
        const QList<PreflightIssue> issues = CheckJobs(
            {copy, again, changed, resumed}, {0, 1, 2, 3}, {{QStringLiteral("hdd3:"), disk}});
        QCOMPARE(issues.size(), 3);
        QCOMPARE(issues[0].kind, PreflightKind::SameFile);
        QCOMPARE(issues[0].row, 1);
        QCOMPARE(issues[1].kind, PreflightKind::SourceChanged);
        QCOMPARE(issues[2].kind, PreflightKind::LeftIncomplete);
        QVERIFY(
            issues[2].text.contains(QStringLiteral("left incomplete on hdd3: by an earlier run")));
        QCOMPARE(issues[2].partition, QStringLiteral("PP.SLUS-200..HALF"));
        // Whole, it is installed, not half.
        disk.games[0].sizeKb = 300000;
        const QList<PreflightIssue> whole =
            CheckJobs({resumed}, {0}, {{QStringLiteral("hdd3:"), disk}});
        QCOMPARE(whole.size(), 1);
        QCOMPARE(whole[0].kind, PreflightKind::AlreadyInstalled);
        // A job whose PS2 stopped answering is not known to have left anything: what it did
        // leave is found the same way.
        disk.games[0].sizeKb = 1000;
        resumed.incomplete = false;
        resumed.error = ToolError::ServerGone;
        const QList<PreflightIssue> lost =
            CheckJobs({resumed}, {0}, {{QStringLiteral("hdd3:"), disk}});
        QCOMPARE(lost.size(), 1);
        QCOMPARE(lost[0].kind, PreflightKind::LeftIncomplete);
    }

    void aStartupAlreadyThereIsAPossibleDuplicate()
    {
        TargetFacts disk;
        disk.read = true;
        disk.availableMb = 10000;
        parse::GameRow label;
        label.title = QStringLiteral("GOD_OF_WAR_USA");
        label.startup = QStringLiteral("SCUS_973.99");
        disk.games << label;
        Job byFile;
        byFile.name = QStringLiteral("God of War (USA)");
        byFile.startup = QStringLiteral("SCUS_973.99");
        byFile.destination = QStringLiteral("hdd1:");
        byFile.source = QStringLiteral("cd0:");
        Job backup = byFile;
        backup.name = QStringLiteral("God of War (USA) [backup]");
        backup.destination = QStringLiteral("hdd2:");
        Job again = backup;
        again.name = QStringLiteral("God of War");
        const QList<PreflightIssue> issues =
            CheckJobs({byFile, backup, again}, {0, 1, 2}, {{QStringLiteral("hdd1:"), disk}});
        QCOMPARE(issues.size(), 2);
        // Both names are said: the one queued and the one there.
        QCOMPARE(issues[0].kind, PreflightKind::PossibleDuplicate);
        QVERIFY(issues[0].text.contains(QStringLiteral("God of War (USA)")));
        QVERIFY(issues[0].text.contains(QStringLiteral("GOD_OF_WAR_USA")));
        QCOMPARE(issues[1].row, 2);
        QVERIFY(issues[1].text.contains(QStringLiteral("God of War (USA) [backup]")));
    }

    void preflightFindsEachProblem()
    {
        QTemporaryDir dir;
        QFile image(dir.filePath(QStringLiteral("here.iso")));
        QVERIFY(image.open(QIODevice::WriteOnly));
        image.close();
        QFile existing(dir.filePath(QStringLiteral("exists.iso")));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.close();

        auto job = [&](JobKind kind, const QString& name, const QString& dest,
                       const QString& startup = QStringLiteral("SLUS_200.02"), qint64 kb = 1000) {
            Job j;
            j.kind = kind;
            j.name = name;
            j.destination = dest;
            j.startup = startup;
            j.sizeKb = kb;
            j.source = kind == JobKind::Install ? image.fileName() : QStringLiteral("hdd1:");
            return j;
        };
        TargetFacts disk;
        disk.read = true;
        disk.availableMb = 1024; // eight slices, one of which is never planned
        disk.games << parse::GameRow{
            QStringLiteral("CD"),        1000, {}, {}, QStringLiteral("SLUS_1"),
            QStringLiteral("Installed"), {}};
        disk.games << parse::GameRow{QStringLiteral("CD"),         350, {}, {}, QString(),
                                     QStringLiteral("No Startup"), {}};
        TargetFacts broken;
        broken.problem = QStringLiteral("APA partition is broken");
        QHash<QString, TargetFacts> targets{{QStringLiteral("hdd1:"), disk},
                                            {QStringLiteral("hdd9:"), broken}};

        QList<Job> jobs{
            job(JobKind::Install, QStringLiteral("Installed"), QStringLiteral("hdd1:"),
                QStringLiteral("SLUS_1")),
            job(JobKind::Install, QStringLiteral("Twice"), QStringLiteral("hdd1:")),
            job(JobKind::Install, QStringLiteral("Twice"), QStringLiteral("hdd1:")),
            job(JobKind::Install, QStringLiteral("Another"), QStringLiteral("hdd1:"), QString()),
            job(JobKind::Install, QStringLiteral("Big"), QStringLiteral("hdd1:"),
                QStringLiteral("SLUS_2"), 7 * 128 * 1024),
            job(JobKind::Install, QStringLiteral("Gone"), QStringLiteral("hdd2:")),
            job(JobKind::CopyToPC, QStringLiteral("x"), dir.filePath(QStringLiteral("exists.iso"))),
            job(JobKind::CopyToPC, QStringLiteral("y"), QStringLiteral("/nonexistent/dir/y.iso")),
            job(JobKind::Install, QStringLiteral("On Broken"), QStringLiteral("hdd9:")),
        };
        jobs[5].source = dir.filePath(QStringLiteral("missing.iso"));
        const QList<PreflightIssue> issues = CheckJobs(jobs, {0, 1, 2, 3, 4, 5, 6, 7, 8}, targets);
        QMap<int, PreflightKind> found;
        for (const PreflightIssue& i : issues) {
            QVERIFY2(!found.contains(i.row), qPrintable(i.text));
            found[i.row] = i.kind;
        }
        // 0 is there already; 2 repeats 1; 3 has no startup like "No Startup" (both "PP.");
        // those are refused and take no space. 4 brings the planned slices (1 + 8 of
        // 128 MB: 7 x 128 MB of data need eight) past the disk's last free slice.
        QCOMPARE(found.value(0), PreflightKind::AlreadyInstalled);
        QVERIFY(!found.contains(1));
        QCOMPARE(found.value(2), PreflightKind::QueuedTwice);
        QCOMPARE(found.value(3), PreflightKind::PartitionClash);
        QCOMPARE(found.value(4), PreflightKind::NoSpace);
        QCOMPARE(found.value(5), PreflightKind::SourceMissing);
        QCOMPARE(found.value(6), PreflightKind::DestinationExists);
        QCOMPARE(found.value(7), PreflightKind::FolderProblem);
        QCOMPARE(found.value(8), PreflightKind::TargetUnreadable);
        // Six slices fit: the last one stays free.
        jobs[4].sizeKb = 5 * 128 * 1024;
        for (const PreflightIssue& i : CheckJobs(jobs, {0, 1, 2, 3, 4}, targets))
            QVERIFY(i.kind != PreflightKind::NoSpace);
    }

    void theSessionChecksAgainstTheTargetsItReads()
    {
        start();
        m_session->restoreQueue();
        Job old = install(QStringLiteral("Test Game"), QStringLiteral("/dev/sdb"));
        old.startup = QStringLiteral("SLUS_123.45");
        m_session->addJob(old);
        // The same title under another startup is another game: no clash.
        m_session->addJob(install(QStringLiteral("Small"), QStringLiteral("/dev/sdb")));
        m_session->addJob(install(QStringLiteral("A Very Long Game Name With Spaces & Symbols!")));
        m_session->addJob(install(QStringLiteral("A Very Long Game Name With Spaces & Other")));
        QSignalSpy checked(m_session.get(), &Session::queueChecked);
        QVERIFY(m_session->checkQueue());
        QVERIFY(checked.wait(20000));
        const auto issues = checked[0][0].value<QList<PreflightIssue>>();
        QCOMPARE(issues.size(), 2);
        QCOMPARE(issues[0].kind, PreflightKind::AlreadyInstalled);
        QCOMPARE(issues[1].kind, PreflightKind::PartitionClash);
        QCOMPARE(issues[1].row, 3);
        // Each target was read once (its games and its partitions), and nothing was written.
        QCOMPARE(commands(), (QStringList{QStringLiteral("hdl_toc"), QStringLiteral("toc"),
                                          QStringLiteral("hdl_toc"), QStringLiteral("toc")}));
        // The rows carry the same findings as warnings.
        QTRY_VERIFY(!m_session->jobs().warning(3).isEmpty());
        QVERIFY(m_session->jobs().warning(2).isEmpty());
        // The simulator refuses exactly as predicted.
        QVERIFY(runQueue());
        QCOMPARE(m_session->jobs().job(0).error, ToolError::FileExists);
        QCOMPARE(m_session->jobs().job(1).state, JobState::Complete);
        QCOMPARE(m_session->jobs().job(2).state, JobState::Complete);
        QCOMPARE(m_session->jobs().job(3).state, JobState::Failed);
        QCOMPARE(m_session->jobs().job(3).error, ToolError::FileExists);
    }

    // Verified results ---------------------------------------------------------

    void resultsComeFromTheDisk_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("result");
        QTest::newRow("present") << QString() << QStringLiteral("Complete");
        QTest::newRow("short") << QStringLiteral("short") << QStringLiteral("Incomplete on disk");
        QTest::newRow("missing after success")
            << QStringLiteral("vanish")
            << QStringLiteral("Error (the tool reported success, but Game is not on /dev/vtksim1)");
        // A tool that ends with an error status is believed, whatever is on the disk.
        QTest::newRow("present after a reported failure")
            << QStringLiteral("error_after_100")
            << QStringLiteral("Error (Input or output is unsupported)");
        QTest::newRow("present after a crash")
            << QStringLiteral("crash_after_100")
            << QStringLiteral("Complete (verified; the tool reported: hdl_dump was killed by "
                              "signal SIGABRT.)");
        // A tool that said nothing and ended well: the disk decides, not "Dual-Layer DVD?".
        QTest::newRow("present after silence")
            << QStringLiteral("quiet")
            << QStringLiteral("Complete (verified; the tool reported: nothing, and it ended well)");
        // A tool that never ends after 100% is ended after a grace; the disk decides.
        QTest::newRow("present, the tool never ending")
            << QStringLiteral("hang_after_100")
            << QStringLiteral("Complete (verified; the tool reported: hdl_dump did not end after "
                              "100%; it was ended after 1 s)");
    }
    void resultsComeFromTheDisk()
    {
        QFETCH(QString, fault);
        QFETCH(QString, result);
        start();
        m_session->setAfter100Grace(500);
        m_session->addJob(install(QStringLiteral("Game")));
        if (!fault.isEmpty())
            m_world->setFault({{"mode", fault}, {"command", "inject_dvd"}, {"exit", 114}});
        QVERIFY(runQueue());
        QCOMPARE(JobResultText(m_session->jobs().job(0)), result);
        // The list read after the job is the check.
        QCOMPARE(commands().mid(commands().indexOf(QStringLiteral("inject_dvd"))),
                 (QStringList{QStringLiteral("inject_dvd"), QStringLiteral("hdl_toc"),
                              QStringLiteral("toc")}));
    }

    // A job whose tool shows no sign of life is said, then ended; the jobs after it wait.
    void aJobThatStopsAnsweringEndsAndHoldsTheRest()
    {
        start();
        m_session->setStallNotice(300);
        m_session->setStallTimeout(1500);
        m_session->addJob(install(QStringLiteral("Frozen")));
        m_session->addJob(install(QStringLiteral("Next")));
        m_world->setFault({{"mode", "stall_at_20"}, {"command", "inject_dvd"}});
        QVERIFY(runQueue());
        // Said once, not ended yet; ended once the limit passed.
        const QList<ProblemKind> said = kinds();
        QVERIFY(said.contains(ProblemKind::RunStalled));
        QCOMPARE(said.last(), ProblemKind::RunStopped);
        const Job frozen = m_session->jobs().job(0);
        QCOMPARE(frozen.state, JobState::Failed);
        QCOMPARE(frozen.error, ToolError::Stalled);
        QCOMPARE(JobResultText(frozen),
                 QStringLiteral("Error (stopped answering: nothing moved for 1 s)"));
        QCOMPARE(m_session->jobs().job(1).state, JobState::Pending);
    }

    void anImageShorterThanItsVolumeIsNotKept()
    {
        // make-iso knows no size beforehand: the image's own volume says it.
        start();
        const QString out = m_world->path(QStringLiteral("disc.iso"));
        m_session->addJob(MakeIsoJob(QStringLiteral("cd0:"), out, 0, false));
        m_world->setFault({{"mode", "short"}, {"command", "dump"}});
        QVERIFY(runQueue());
        QCOMPARE(m_session->jobs().job(0).state, JobState::Failed);
        QVERIFY2(m_session->jobs().job(0).reason.contains(QStringLiteral("holds no disc's volume")),
                 qPrintable(m_session->jobs().job(0).reason));
        QVERIFY(!QFile::exists(out));
        m_world->setFault({});
        QVERIFY(runQueue());
        QCOMPARE(m_session->jobs().job(0).state, JobState::Complete);
        QVERIFY(QFile::exists(out));
    }

    void aGameOfTheSameTitleIsNoProof()
    {
        start();
        // Another "Game" under another startup is on the disk before the job.
        QJsonObject s = m_world->state();
        QJsonArray disks = s[QStringLiteral("disks")].toArray();
        QJsonObject disk = disks[1].toObject();
        disk[QStringLiteral("games")] = QJsonArray{SimWorld::game(
            QStringLiteral("Game"), QStringLiteral("SLUS_111.11"), QStringLiteral("DVD"), 300000)};
        disks[1] = disk;
        s[QStringLiteral("disks")] = disks;
        m_world->setState(s);
        m_session->addJob(install(QStringLiteral("Game")));
        m_world->setFault({{"mode", "vanish"}, {"command", "inject_dvd"}});
        QVERIFY(runQueue());
        const Job job = m_session->jobs().job(0);
        QCOMPARE(job.state, JobState::Failed);
        QCOMPARE(job.writes, QStringLiteral("PP.SLES-54321..GAME"));
        QVERIFY(job.writesNew);
        QCOMPARE(
            JobResultText(job),
            QStringLiteral("Error (the tool reported success, but Game is not on /dev/vtksim1)"));
    }

    void anImageCutShortNeverReplacesTheOldOne()
    {
        start();
        const QString out = m_world->path(QStringLiteral("Test Game.iso"));
        QFile old(out);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("older image");
        old.close();
        Job copy;
        copy.kind = JobKind::CopyToPC;
        copy.source = QStringLiteral("/dev/sdb");
        copy.name = QStringLiteral("Test Game");
        copy.destination = out;
        copy.sizeKb = 308576;
        copy.replaceExisting = true; // the user said yes to replacing it
        m_session->addJob(copy);
        m_world->setFault({{"mode", "short"}, {"command", "extract"}});
        QVERIFY(runQueue());
        QCOMPARE(m_session->jobs().job(0).state, JobState::Failed);
        QCOMPARE(old.size(), 11);
        QVERIFY(!QFile::exists(out + QStringLiteral(".part")));
        m_world->setFault({});
        QVERIFY(runQueue());
        QCOMPARE(m_session->jobs().job(0).state, JobState::Complete);
        QCOMPARE(QFileInfo(out).size(), qint64(308576) * 1024);
    }

    void onlyANewGameCounts()
    {
        Job job;
        job.kind = JobKind::Install;
        job.name = QStringLiteral("World");
        job.destination = QStringLiteral("hdd1:");
        job.writes = QStringLiteral("PP.HDL.World");
        job.writesNew = false; // the partition was there before the job
        job.state = JobState::Complete;
        Verification found;
        found.found = Verification::Found::NotNew;
        JobQueue::applyVerification(job, found, true);
        QCOMPARE(job.state, JobState::Failed);
        QVERIFY(job.reason.contains(QStringLiteral("was there before the job")));
        // A check that could not run leaves the job complete, and says it was not verified.
        job.state = JobState::Complete;
        found.found = Verification::Found::Unknown;
        found.problem = QStringLiteral("Network communication timeout.");
        JobQueue::applyVerification(job, found, true);
        QCOMPARE(JobResultText(job),
                 QStringLiteral("Complete, not verified: Network communication timeout."));
        // A tool that exited with an error is not made complete by what is on the disk.
        job.state = JobState::Failed;
        job.reason = QStringLiteral("Input or output is unsupported.");
        found.found = Verification::Found::Whole;
        JobQueue::applyVerification(job, found, true, true);
        QCOMPARE(job.state, JobState::Failed);
    }

    void anInstallThatWouldTakeTheLastSliceNeverRuns()
    {
        start();
        // 640 MB: the table, three games of a slice each, and one free slice left.
        QJsonObject s = m_world->state();
        QJsonArray disks = s[QStringLiteral("disks")].toArray();
        QJsonObject disk = disks[1].toObject();
        disk[QStringLiteral("size_mb")] = 640;
        QJsonArray games;
        for (int i = 1; i <= 3; ++i)
            games.append(SimWorld::game(QStringLiteral("G%1").arg(i),
                                        QStringLiteral("SLUS_00%1.00").arg(i), QStringLiteral("CD"),
                                        1000));
        disk[QStringLiteral("games")] = games;
        disks[1] = disk;
        s[QStringLiteral("disks")] = disks;
        m_world->setState(s);
        Job small = install(QStringLiteral("Small One"));
        small.sizeKb = 1000;
        m_session->addJob(small);
        // Run even though the check said so: the job itself refuses.
        QVERIFY(runQueue());
        QCOMPARE(JobResultText(m_session->jobs().job(0)),
                 QStringLiteral("Error (Insufficient disk space)"));
        QVERIFY(!commands().contains(QStringLiteral("inject_dvd")));
        QVERIFY(!commands().contains(QStringLiteral("inject_cd")));
        QCOMPARE(gamesOn(1).size(), 3);
    }

    void aRunThatEndedWithTheProgramIsLookedForAtTheNextStart_data()
    {
        QTest::addColumn<qint64>("onDisk"); // KB of the game on the disk, -1 none
        QTest::addColumn<int>("state");
        QTest::newRow("whole") << qint64(300000) << int(JobState::Complete);
        QTest::newRow("absent") << qint64(-1) << int(JobState::Pending);
        QTest::newRow("short") << qint64(1000) << int(JobState::Failed);
    }
    void aRunThatEndedWithTheProgramIsLookedForAtTheNextStart()
    {
        QFETCH(qint64, onDisk);
        QFETCH(int, state);
        start();
        Job active = install(QStringLiteral("Half"));
        active.state = JobState::Active;
        Job iso;
        iso.kind = JobKind::MakeIso;
        iso.source = QStringLiteral("/dev/sr0");
        iso.destination = m_world->path(QStringLiteral("disc.iso"));
        iso.state = JobState::Active;
        QFile part(iso.destination + QStringLiteral(".part"));
        QVERIFY(part.open(QIODevice::WriteOnly));
        part.close();
        QString error;
        QVERIFY(SaveQueueFile(m_session->queueFile(), {active, iso}, &error));
        if (onDisk >= 0) {
            QJsonObject s = m_world->state();
            QJsonArray disks = s[QStringLiteral("disks")].toArray();
            QJsonObject disk = disks[1].toObject();
            disk[QStringLiteral("games")] =
                QJsonArray{SimWorld::game(QStringLiteral("Half"), QStringLiteral("SLES_543.21"),
                                          QStringLiteral("DVD"), onDisk)};
            disks[1] = disk;
            s[QStringLiteral("disks")] = disks;
            m_world->setState(s);
        }
        QSignalSpy incomplete(&m_session->runs(), &QueueRuns::incompleteFound);
        m_session->restoreQueue();
        QCOMPARE(m_session->activity(), Activity::Resuming);
        QVERIFY(idle());
        QCOMPARE(int(m_session->jobs().job(0).state), state);
        QCOMPARE(incomplete.size(), state == int(JobState::Failed) ? 1 : 0);
        if (state == int(JobState::Failed)) {
            QCOMPARE(JobResultText(m_session->jobs().job(0)), QStringLiteral("Incomplete on disk"));
            QCOMPARE(m_problems.last().kind, ProblemKind::IncompleteGame);
        }
        // An image being written is never finished: its .part goes, the job waits.
        QCOMPARE(m_session->jobs().job(1).state, JobState::Pending);
        QVERIFY(!part.exists());
        QCOMPARE(LoadQueueFile(m_session->queueFile()).jobs[0].state, JobState(state));
    }

    // Control while it runs ---------------------------------------------------

    void stopAfterThisJobLeavesTheRestPending()
    {
        start();
        for (const char* name : {"One", "Two", "Three"})
            m_session->addJob(install(QString::fromLatin1(name)));
        QSignalSpy started(&m_session->runs(), &QueueRuns::jobStarted);
        QVERIFY(m_session->startQueue());
        QVERIFY(started.wait(10000));
        m_session->runs().setStopAfterCurrentJob(true);
        QVERIFY(idle());
        QCOMPARE(m_session->jobs().job(0).state, JobState::Complete);
        QCOMPARE(m_session->jobs().job(1).state, JobState::Pending);
        QCOMPARE(m_session->jobs().job(2).state, JobState::Pending);
        // The next run starts without the stop.
        QVERIFY(runQueue());
        QCOMPARE(m_session->jobs().pendingCount(), 0);
    }

    void thePcIsKeptAwakeOnlyWhileARunIsActive()
    {
        start();
        m_session->addJob(install(QStringLiteral("Awake")));
        QSignalSpy started(&m_session->runs(), &QueueRuns::jobStarted);
        QVERIFY(m_session->startQueue());
        QVERIFY(started.wait(10000));
        QCOMPARE(m_power.sleepCalls, QStringList{QStringLiteral("inhibit")});
        QVERIFY(idle());
        QCOMPARE(m_power.sleepCalls,
                 (QStringList{QStringLiteral("inhibit"), QStringLiteral("release")}));
        // Without logind the run goes on, and the log says why.
        m_power.sleepCalls.clear();
        m_power.canInhibit = false;
        m_session->addJob(install(QStringLiteral("Sleepy")));
        QVERIFY(runQueue());
        QCOMPARE(m_session->jobs().job(1).state, JobState::Complete);
        QCOMPARE(m_power.sleepCalls, QStringList{QStringLiteral("inhibit")});
        QVERIFY(m_session->log().lastEntries(100).join(QString()).contains(
            QStringLiteral("could not be kept awake during the run: no logind here")));
        QVERIFY(m_problems.isEmpty());
    }

    // The partition table saved --------------------------------------------------

    void thePartitionTableIsSavedBeforeTheFirstWrite()
    {
        start();
        const QString folder = m_world->paths().dataDir + QStringLiteral("/toc-backups");
        QDir().mkpath(folder);
        // Twelve older backups of this disk, one of another: the newest ten of each stay.
        for (int i = 0; i < 12; ++i)
            QFile(QStringLiteral("%1/dev_vtksim1-202001%2-000000.bin").arg(folder).arg(10 + i))
                .open(QIODevice::WriteOnly);
        QFile(folder + QStringLiteral("/other-20200101-000000.bin")).open(QIODevice::WriteOnly);
        m_session->addJob(install(QStringLiteral("One")));
        m_session->addJob(install(QStringLiteral("Two")));
        QVERIFY(runQueue());
        // The disk is read before the first write; after that, each check's read is the
        // next job's "before".
        QCOMPARE(commands(), (QStringList{QStringLiteral("(usage)"), QStringLiteral("backup_toc"),
                                          QStringLiteral("hdl_toc"), QStringLiteral("toc"),
                                          QStringLiteral("inject_dvd"), QStringLiteral("hdl_toc"),
                                          QStringLiteral("toc"), QStringLiteral("inject_dvd"),
                                          QStringLiteral("hdl_toc"), QStringLiteral("toc")}));
        const QStringList backup = m_world->calls()[1];
        QCOMPARE(backup[1], QStringLiteral("/dev/vtksim1"));
        QVERIFY(backup[2].startsWith(folder + QStringLiteral("/dev_vtksim1-")));
        QFile saved(backup[2]);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        // The tool's own copy of the table, with which disk it is written down beside it.
        QVERIFY(layout::ReadTocBackup(saved.readAll()).valid());
        QVERIFY(QFile::exists(backup[2] + QStringLiteral(".json")));
        const QStringList kept =
            QDir(folder).entryList({QStringLiteral("dev_vtksim1-*.bin")}, QDir::Files, QDir::Name);
        QCOMPARE(kept.size(), 10);
        QCOMPARE(QDir(folder).path() + u'/' + kept.last(), backup[2]);
        QVERIFY(QFile::exists(folder + QStringLiteral("/other-20200101-000000.bin")));
        QVERIFY(m_session->log().lastEntries(50).join(QString()).contains(
            QStringLiteral("The partition table of /dev/vtksim1 was saved to ") + backup[2]));
        // A tool without backup_toc is not asked.
        start(QStringLiteral("win"));
        m_session->addJob(install(QStringLiteral("Old"), QStringLiteral("hdd2:")));
        QVERIFY(runQueue());
        QVERIFY(!commands().contains(QStringLiteral("backup_toc")));
        QCOMPARE(m_session->jobs().job(0).state, JobState::Complete);
    }

    // The run log -----------------------------------------------------------------

    void theLogKeepsEveryCommandExactlyAndRotates()
    {
        QTemporaryDir dir;
        RunLog log(dir.path(), 600, 3);
        RunOutcome ended;
        ended.started = true;
        ended.normalExit = true;
        ended.exitCode = 106;
        ended.output = QStringLiteral("  0%\r 50%\r100%, 1 sec remaining\r\nhdd1: not enough free "
                                      "space.\n");
        const QStringList args{QStringLiteral("inject_dvd"), QStringLiteral("hdd1:"),
                               QStringLiteral("He said \"Hi\"  Édition"), QStringLiteral("/x.iso")};
        log.addRun(QStringLiteral("/opt/hdl_dump"), args, ended, 1500);
        const QString first = log.lastEntries(10).value(0);
        QVERIFY(first.startsWith(QStringLiteral("=== ")));
        QVERIFY(first.contains(QStringLiteral(
            "arguments: [\"inject_dvd\",\"hdd1:\",\"He said \\\"Hi\\\"  Édition\",\"/x.iso\"]\n")));
        QVERIFY(first.contains(QStringLiteral("ended: exit status 106 after 1.50 s\n")));
        QVERIFY(first.contains(QStringLiteral("\n  100%, 1 sec remaining\n  hdd1: not enough "
                                              "free space.\n")));
        QVERIFY(!first.contains(QStringLiteral(" 50%")));
        // Of a line's records the last with text is kept, trimmed; blank lines inside stay,
        // those at the end go.
        QCOMPARE(
            RunLog::CollapseProgress(QStringLiteral(" 10%\r 20%\r  \r\nname  \n\n\tlast\n \n\n")),
            QStringLiteral("20%\nname\n\nlast"));
        QCOMPARE(RunLog::CollapseProgress(QStringLiteral("\r\n \n")), QString());

        RunOutcome killed;
        killed.started = true;
        killed.signal = SIGKILL;
        // Output that looks like an entry's start stays inside its entry.
        killed.output = QStringLiteral("=== not an entry\n");
        for (int i = 0; i < 20; ++i)
            log.addRun(QStringLiteral("/opt/hdl_dump"), {QString::number(i)}, killed, 10);
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("run.log.2"))));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("run.log.3"))));
        for (const QString& name : {QStringLiteral("run.log"), QStringLiteral("run.log.1")})
            QVERIFY(QFileInfo(dir.filePath(name)).size() <= 600);
        const QStringList last = log.lastEntries(3);
        QCOMPARE(last.size(), 3);
        QVERIFY(last[2].contains(QStringLiteral("arguments: [\"19\"]")));
        QVERIFY(last[0].contains(QStringLiteral("arguments: [\"17\"]")));
        QVERIFY(last[2].contains(QStringLiteral("killed by signal SIGKILL")));
        QVERIFY(last[2].contains(QStringLiteral("\n  === not an entry\n")));
    }

    void theLogCannotBeForgedAndKeepsItsHistory()
    {
        QTemporaryDir dir;
        RunLog log(dir.path(), 1024 * 1024, 5);
        RunOutcome outcome;
        outcome.started = true;
        outcome.normalExit = true;
        // A tool path, or its error, that holds a line break writes no entry of its own.
        log.addRun(QStringLiteral("/opt/hdl\n=== 2030-01-01T00:00:00 forged\nx"), {}, outcome, 1);
        RunOutcome failed;
        failed.startError = QStringLiteral("nope\n=== 2030-01-02 forged too");
        log.addRun(QStringLiteral("/opt/hdl_dump"), {}, failed, 1);
        QFile file(log.currentFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(!text.contains("\n=== 2030"));
        QVERIFY(text.contains("/opt/hdl\\n=== 2030-01-01T00:00:00 forged\\nx"));
        QCOMPARE(log.lastEntries(10).size(), 2);
        file.close();
        // Five runs with megabytes of output each: cut to their start and end, and the
        // entries before them stay.
        outcome.output = QString(3 * 1024 * 1024, u'x');
        for (qsizetype i = 0; i < outcome.output.size(); i += 80)
            outcome.output[i] = u'\n';
        for (int i = 0; i < 5; ++i)
            log.addRun(QStringLiteral("/opt/hdl_dump"), {QString::number(i)}, outcome, 1);
        const QStringList entries = log.lastEntries(100);
        QCOMPARE(entries.size(), 7);
        QVERIFY(entries[6].size() < 20 * 1024);
        QVERIFY(entries[6].contains(QStringLiteral("characters of output not kept here]")));
        QVERIFY(QFileInfo(log.currentFile()).size() < 1024 * 1024);
    }

    void theSessionLogsEveryRun()
    {
        start();
        QVERIFY(m_session->attach(Target::Disk(QStringLiteral("/dev/sdb"))));
        QVERIFY(idle());
        const QString entries = m_session->log().lastEntries(10).join(QString());
        QVERIFY(entries.contains(QStringLiteral("arguments: [\"hdl_toc\",\"/dev/sdb\"]\nended: "
                                                "exit status 0")));
        QVERIFY(entries.contains(QStringLiteral("\n  total 20480MB")));
        QCOMPARE(QFileInfo(m_session->log().currentFile()).path(), m_world->paths().stateDir);
    }
};

QTEST_GUILESS_MAIN(TestQueue)
#include "tst_queue.moc"
