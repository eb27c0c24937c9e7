#include "SessionFixture.h"
#include "core/diagnostics/Doctor.h"
#include "core/session/ProblemText.h"
#include "core/session/Session.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The session without any window, driven against the simulator.
class TestSession : public QObject, protected SessionFixture
{
    Q_OBJECT

    void start(const QString& style = QStringLiteral("win"),
               QJsonObject state = SimWorld::defaultState())
    {
        state[QStringLiteral("style")] = style;
        startWorld(state);
    }
    QStringList titles() const
    {
        QStringList t;
        for (const parse::GameRow& g : m_session->games().games())
            t << g.title;
        return t;
    }

private slots:
    void theReportShortensHomeAsAPathAndSaysWhatItHolds()
    {
        const QString home = QStringLiteral("/tmp/x/home");
        QCOMPARE(ShortenHomePaths(QStringLiteral("/tmp/x/home/a.iso /tmp/x/home2/secret.iso "
                                                 "\"/tmp/x/home\"\n/tmp/x/home"),
                                  home),
                 QStringLiteral("~/a.iso /tmp/x/home2/secret.iso \"~\"\n~"));
        // Inside another path it stays: /var/home/anna is not home /home/anna.
        QCOMPARE(ShortenHomePaths(QStringLiteral("/var/home/anna/x, /home/anna/y, "
                                                 "config=/home/anna/z.cfg /srv/home/anna"),
                                  QStringLiteral("/home/anna")),
                 QStringLiteral("/var/home/anna/x, ~/y, config=~/z.cfg /srv/home/anna"));
        const QString contents = ReportContents(
            QStringLiteral("hdl_toc 127.0.0.1\nimage ~/a.iso\ndisk /dev/sdb, again /dev/sdb\n"));
        QVERIFY2(contents.contains(QStringLiteral("network addresses: 127.0.0.1\n")),
                 qPrintable(contents));
        QVERIFY2(contents.contains(QStringLiteral("outside your home folder: /dev/sdb\n")),
                 qPrintable(contents));
    }

    void cleanup() { m_session.reset(); }

    void devicesOfBothTools()
    {
        for (const QString& style : {QStringLiteral("win"), QStringLiteral("linux")}) {
            start(style);
            QVERIFY(m_session->refreshDevices());
            QVERIFY(idle());
            if (style == QLatin1String("win")) {
                QCOMPARE(m_session->disks().size(), 2);
                QCOMPARE(m_session->disks()[1].label(), QStringLiteral("hdd2:  [40.0 GB]"));
                QCOMPARE(m_session->allDisks().size(), 3);
                QCOMPARE(m_session->opticalDrives().size(), 1);
            }
            // Without "query", the current tool's devices come from this machine.
            if (style == QLatin1String("linux"))
                QVERIFY(m_world->calls().contains(QStringList{QStringLiteral("query")}));
            QVERIFY(m_problems.isEmpty());
        }
    }

    void attachReadsGamesAndSpace()
    {
        start();
        QSignalSpy busy(m_session.get(), &Session::busyChanged);
        QVERIFY(m_session->attach(Target::Disk(QStringLiteral("hdd1:"))));
        // One thing at a time: a second intent is refused while the first runs.
        QVERIFY(!m_session->refreshDisks());
        QCOMPARE(kinds(), QList<ProblemKind>{ProblemKind::Busy});
        QVERIFY(idle());
        QCOMPARE(busy.size(), 2);
        QVERIFY(m_session->isAttached());
        QCOMPARE(titles(), (QStringList{QStringLiteral("Test Game"), QStringLiteral("Small")}));
        QVERIFY(m_session->space().has_value());
        QCOMPARE(m_session->space()->totalMb, 20480);

        // A networked PS2 is probed first; one that does not answer is not asked.
        m_problems.clear();
        m_world->clearCalls();
        QVERIFY(m_session->attach(TargetOf(QStringLiteral("127.0.0.5"))));
        QVERIFY(idle());
        QCOMPARE(kinds(), QList<ProblemKind>{ProblemKind::PS2NotFound});
        QCOMPARE(m_icmp.sent, QStringList{QStringLiteral("127.0.0.5")});
        for (const QStringList& c : m_world->calls())
            QVERIFY(c.first() != QLatin1String("hdl_toc"));

        m_problems.clear();
        QVERIFY(m_session->attach(TargetOf(QStringLiteral("127.0.0.1"))));
        QVERIFY(idle());
        QCOMPARE(titles(), QStringList{QStringLiteral("Net Game")});
        QVERIFY(m_problems.isEmpty());
    }

    void probeThatCannotBeSentAsksTheTool()
    {
        start();
        m_icmp.canSend = false;
        QVERIFY(m_session->attach(TargetOf(QStringLiteral("127.0.0.1"))));
        QVERIFY(idle());
        QCOMPARE(kinds(), QList<ProblemKind>{ProblemKind::ProbeImpossible});
        QCOMPARE(titles(), QStringList{QStringLiteral("Net Game")});
    }

    void failedListingsAreNoEmptyDisks_data()
    {
        QTest::addColumn<QJsonObject>("fault");
        QTest::addColumn<int>("problem");
        QTest::newRow("permission")
            << QJsonObject{{"mode", "error"}, {"text", "00000002 (13): Permission denied"}}
            << int(ProblemKind::ListingFailed);
        QTest::newRow("crash") << QJsonObject{{"mode", "crash"}, {"text", "CD 1KB  a"}}
                               << int(ProblemKind::ListingFailed);
        QTest::newRow("refused") << QJsonObject{{"mode", "refused"}}
                                 << int(ProblemKind::ReloadServer);
        QTest::newRow("timeout") << QJsonObject{{"mode", "timeout"}}
                                 << int(ProblemKind::PS2NotAnswering);
    }
    void failedListingsAreNoEmptyDisks()
    {
        QFETCH(QJsonObject, fault);
        QFETCH(int, problem);
        start(QStringLiteral("linux"));
        fault[QStringLiteral("command")] = QStringLiteral("hdl_toc");
        m_world->setFault(fault);
        QVERIFY(m_session->attach(TargetOf(QStringLiteral("127.0.0.1"))));
        QVERIFY(idle());
        QVERIFY(!m_session->isAttached());
        QCOMPARE(m_session->games().count(), 0);
        QVERIFY(kinds().contains(ProblemKind(problem)));
    }

    void toolThatCannotBeRunIsNamedOnce()
    {
        start();
        // A file there, but not executable: tried once, and the real reason is given.
        QFile::remove(m_world->toolPath());
        QFile tool(m_world->toolPath());
        QVERIFY(tool.open(QIODevice::WriteOnly));
        tool.write("#!/bin/sh\n");
        tool.close();
        QVERIFY(m_session->attach(Target::Disk(QStringLiteral("hdd1:"))));
        QVERIFY(idle());
        QCOMPARE(kinds(), QList<ProblemKind>{ProblemKind::ToolCannotRun});
        QCOMPARE(ProblemText(m_problems.first()),
                 QStringLiteral("hdl_dump at %1 cannot be run: Permission denied")
                     .arg(m_world->toolPath()));
        QVERIFY(!ProblemText(m_problems.first()).contains(QStringLiteral("CTRL+ALT+DEL")));
    }

    void hungListingEndsAfterSilence()
    {
        start();
        // The bound comes from the settings.
        WriteSetting(kSettingsSection, QStringLiteral("ReadTimeout"), QStringLiteral("1"),
                     m_world->paths().configFile);
        m_world->setFault({{"mode", "hang"}, {"command", "hdl_toc"}});
        QVERIFY(m_session->attach(Target::Disk(QStringLiteral("hdd1:"))));
        QVERIFY(idle());
        QCOMPARE(kinds(), QList<ProblemKind>{ProblemKind::ListingFailed});
        QCOMPARE(m_problems.first().reason, QStringLiteral("hdl_dump did not answer in 1 s."));
    }

    void listingTooLargeIsNotShownAsWhole()
    {
        start();
        m_session->setOutputLimit(100);
        QVERIFY(m_session->attach(Target::Disk(QStringLiteral("hdd1:"))));
        QVERIFY(idle());
        QCOMPARE(kinds(), QList<ProblemKind>{ProblemKind::ListingFailed});
        QCOMPARE(m_problems.first().reason, QStringLiteral("The output was too large to be read."));
        QCOMPARE(m_session->games().count(), 0);
    }

    void cancelStopsAListing()
    {
        start();
        m_world->setFault({{"mode", "hang"}, {"command", "hdl_toc"}});
        QVERIFY(m_session->attach(Target::Disk(QStringLiteral("hdd1:"))));
        QTest::qWait(300);
        m_session->cancel();
        QVERIFY(idle());
        QVERIFY(m_problems.isEmpty());
    }

    // The partitions are read as soon as the games' table begins, beside it; never beside a
    // PS2's own server, which answers one client at a time.
    void partitionsAreReadBesideTheListingWhereTheTargetAllows()
    {
        start();
        auto tocCalls = [this] {
            int n = 0;
            for (const QStringList& c : m_world->calls())
                n += c.value(0) == QLatin1String("toc") ? 1 : 0;
            return n;
        };
        m_world->setFault({{"mode", "hang"},
                           {"command", "hdl_toc"},
                           {"text", "type     size flags           dma startup      name"}});
        QVERIFY(m_session->attach(Target::Disk(QStringLiteral("hdd1:"))));
        QTRY_COMPARE_WITH_TIMEOUT(tocCalls(), 1, 10000);
        QVERIFY(m_session->isBusy());
        m_session->cancel();
        QVERIFY(idle());
        QVERIFY(m_problems.isEmpty());

        QVERIFY(m_session->attach(TargetOf(QStringLiteral("127.0.0.1"))));
        QTRY_VERIFY_WITH_TIMEOUT(m_world->calls().last().value(0) == QLatin1String("hdl_toc"),
                                 10000);
        QTest::qWait(500);
        QCOMPARE(tocCalls(), 1);
        m_session->cancel();
        QVERIFY(idle());
    }

    void cancelStopsABatchBeforeAnyImageIsRead()
    {
        start();
        QTemporaryDir dir;
        for (int i = 0; i < 50; ++i)
            QFile(dir.filePath(QStringLiteral("g%1.iso").arg(i))).open(QIODevice::WriteOnly);
        m_session->selectTarget(Target::Disk(QStringLiteral("hdd1:")));
        QSignalSpy read(m_session.get(), &Session::batchRead);
        QVERIFY(m_session->addImages({dir.path()}));
        m_session->cancel();
        QVERIFY(idle());
        QCOMPARE(read.size(), 1);
        QVERIFY(read[0][0].value<BatchSummary>().cancelled);
        QCOMPARE(m_session->jobs().count(), 0);
        for (const QStringList& call : m_world->calls())
            QVERIFY2(!call.value(0).startsWith(QStringLiteral("cdvd_info")),
                     qPrintable(call.join(u' ')));
    }

    void discInformation()
    {
        start();
        QSignalSpy read(m_session.get(), &Session::discInfoRead);
        QVERIFY(m_session->readDiscInfo(QStringLiteral("cd0:"), true));
        QVERIFY(idle());
        QCOMPARE(read.size(), 1);
        QCOMPARE(read.first().first().value<parse::DiscInfo>().startup,
                 QStringLiteral("SLUS_123.45"));
        // A file that is no PS2 game says why.
        QJsonObject s = m_world->state();
        s[QStringLiteral("images")] = QJsonObject{
            {QStringLiteral("nothing.iso"), QJsonObject{{QStringLiteral("ps2"), false}}}};
        m_world->setState(s);
        QFile(m_world->path(QStringLiteral("nothing.iso"))).open(QIODevice::WriteOnly);
        QVERIFY(m_session->readDiscInfo(m_world->path(QStringLiteral("nothing.iso")), false));
        QVERIFY(idle());
        QCOMPARE(kinds(), QList<ProblemKind>{ProblemKind::NotPs2Image});
        // A missing file, or a tool that crashed, says nothing of the disc: not "no PS2 game".
        m_problems.clear();
        QVERIFY(m_session->readDiscInfo(m_world->path(QStringLiteral("gone.iso")), false));
        QVERIFY(idle());
        m_world->setFault({{"mode", "crash"}, {"command", "cdvd_info"}});
        QVERIFY(m_session->readDiscInfo(m_world->path(QStringLiteral("nothing.iso")), false));
        QVERIFY(idle());
        QCOMPARE(kinds(),
                 (QList<ProblemKind>{ProblemKind::DiscReadFailed, ProblemKind::DiscReadFailed}));
        QVERIFY(m_problems[1].reason.contains(QStringLiteral("signal SIGABRT")));
    }

    void theCurrentToolSaysWhetherADiscIsACdOrADvd()
    {
        // A small DVD: the size alone would call it a CD.
        QJsonObject state = SimWorld::defaultState();
        QJsonArray drives = state[QStringLiteral("drives")].toArray();
        QJsonObject drive = drives[0].toObject();
        QJsonObject disc = drive[QStringLiteral("disc")].toObject();
        disc[QStringLiteral("media")] = QStringLiteral("DVD");
        drive[QStringLiteral("disc")] = disc;
        drives[0] = drive;
        state[QStringLiteral("drives")] = drives;
        start(QStringLiteral("linux"), state);
        QSignalSpy read(m_session.get(), &Session::discInfoRead);
        QVERIFY(m_session->readDiscInfo(QStringLiteral("/dev/sr0"), true));
        QVERIFY(idle());
        QCOMPARE(read.size(), 1);
        const auto info = read.first().first().value<parse::DiscInfo>();
        QCOMPARE(info.media, QStringLiteral("DVD"));
        QCOMPARE(DiscTypeOf(info.media, info.sizeKb), DiscType::DVD);
        // The tool's usage says which disc read it has, once.
        QCOMPARE(
            m_world->calls(),
            (QList<QStringList>{{}, {QStringLiteral("cdvd_info2"), QStringLiteral("/dev/sr0")}}));

        // A tool without cdvd_info2 is asked the older way from the start.
        start(QStringLiteral("win"), state);
        for (int i = 0; i < 2; ++i) {
            QVERIFY(m_session->readDiscInfo(QStringLiteral("cd0:"), true));
            QVERIFY(idle());
        }
        QCOMPARE(m_world->calls(),
                 (QList<QStringList>{{},
                                     {QStringLiteral("cdvd_info"), QStringLiteral("cd0:")},
                                     {QStringLiteral("cdvd_info"), QStringLiteral("cd0:")}}));
        QVERIFY(m_problems.isEmpty());
    }

    void deleteReportsWhatTheToolDid()
    {
        start();
        QVERIFY(m_session->attach(Target::Disk(QStringLiteral("hdd1:"))));
        QVERIFY(idle());
        QSignalSpy deleted(m_session.get(), &Session::gameDeleted);
        QVERIFY(m_session->deleteGames({Named(QStringLiteral("Small"))}));
        QVERIFY(idle());
        QCOMPARE(deleted.size(), 1);
        QCOMPARE(titles(), QStringList{QStringLiteral("Test Game")});

        // The current tool has no "delete": that is no success.
        start(QStringLiteral("linux"));
        QVERIFY(m_session->attach(Target::Disk(QStringLiteral("/dev/sdb"))));
        QVERIFY(idle());
        QVERIFY(m_session->deleteGames({Named(QStringLiteral("Small"))}));
        QVERIFY(idle());
        QCOMPARE(kinds(), QList<ProblemKind>{ProblemKind::DeleteFailed});
        QCOMPARE(m_session->games().count(), 2);
    }

    void operationsActOnTheExactGame()
    {
        QJsonObject state = SimWorld::defaultState();
        QJsonArray disks = state[QStringLiteral("disks")].toArray();
        QJsonObject disk = disks[0].toObject();
        disk[QStringLiteral("games")] =
            QJsonArray{SimWorld::game(QStringLiteral("Foo"), QStringLiteral("SLUS_123.45"),
                                      QStringLiteral("CD"), 350),
                       SimWorld::game(QStringLiteral(" Foo"), QStringLiteral("SLUS_123.45"),
                                      QStringLiteral("CD"), 350),
                       SimWorld::game(QStringLiteral("Bar "), QStringLiteral("SLUS_123.45"),
                                      QStringLiteral("CD"), 350),
                       SimWorld::game(QStringLiteral("World"), QStringLiteral("SLUS_123.45"),
                                      QStringLiteral("CD"), 350),
                       SimWorld::game(QStringLiteral("2002 FIFA World"), QString(),
                                      QStringLiteral("CD"), 350)};
        disks[0] = disk;
        state[QStringLiteral("disks")] = disks;
        for (const QString& style : {QStringLiteral("win"), QStringLiteral("linux")}) {
            start(style, state);
            const QString device = style == QLatin1String("win") ? QStringLiteral("hdd1:")
                                                                 : QStringLiteral("/dev/sdb");
            QVERIFY(m_session->attach(Target::Disk(device)));
            QVERIFY(idle());
            QCOMPARE(titles(), (QStringList{QStringLiteral("Foo"), QStringLiteral(" Foo"),
                                            QStringLiteral("Bar "), QStringLiteral("World"),
                                            QStringLiteral("2002 FIFA World")}));
            QCOMPARE(m_session->games().game(4).startup, QString());
            QCOMPARE(m_session->games().game(4).flags, QString());
            if (style == QLatin1String("linux"))
                continue; // the current tool cannot delete
            QVERIFY(m_session->deleteGames({Named(QStringLiteral(" Foo"))}));
            QVERIFY(idle());
            QVERIFY(m_session->deleteGames({Named(QStringLiteral("2002 FIFA World"))}));
            QVERIFY(idle());
            QCOMPARE(titles(), (QStringList{QStringLiteral("Foo"), QStringLiteral("Bar "),
                                            QStringLiteral("World")}));
            // Each game by its partition: " Foo" is not "Foo".
            QVERIFY(m_world->calls().contains(
                QStringList{QStringLiteral("delete"), device, QStringLiteral("PP.HDL. Foo")}));
        }
    }

    void queueResultsAndEndActions()
    {
        start();
        m_session->selectTarget(Target::Disk(QStringLiteral("hdd1:")));
        Job copy;
        copy.kind = JobKind::CopyToPC;
        copy.source = QStringLiteral("hdd1:");
        copy.name = QStringLiteral("Test Game");
        copy.destination = m_world->path(QStringLiteral("copy.iso"));
        m_session->jobs().addJob(copy);
        Job missing = copy;
        missing.name = QStringLiteral("No Such Game");
        missing.destination = m_world->path(QStringLiteral("other.iso"));
        m_session->jobs().addJob(missing);
        m_session->runs().setEndActions({false, true, false});
        QSignalSpy finished(m_session.get(), &Session::runFinished);
        QVERIFY(m_session->startQueue());
        QVERIFY(finished.wait(20000));
        QCOMPARE(m_session->jobs().job(0).state, JobState::Complete);
        QCOMPARE(m_session->jobs().job(1).state, JobState::Failed);
        // A run with a failure ends without the PC's power actions.
        QVERIFY(m_power.calls.isEmpty());

        m_session->jobs().removeJob(1);
        QVERIFY(QFile::remove(copy.destination));
        m_session->jobs().setState(0, JobState::Pending);
        QVERIFY(m_session->startQueue());
        QVERIFY(finished.wait(20000));
        QCOMPARE(m_session->jobs().job(0).state, JobState::Complete);
        QCOMPARE(m_power.calls, QStringList{QStringLiteral("shutdown")});
    }

    void imagesAreReplacedOnlyByAFinishedCopy()
    {
        start();
        const QString image = m_world->path(QStringLiteral("game.iso"));
        const auto write = [](const QString& path, const QByteArray& bytes) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        };
        const auto read = [](const QString& path) {
            QFile f(path);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };
        write(image, "OLD IMAGE");
        Job dump;
        dump.kind = JobKind::MakeIso;
        dump.source = QStringLiteral("cd0:");
        dump.destination = image;
        dump.name = QStringLiteral("Game");
        dump.replaceExisting = true;
        QSignalSpy finished(m_session.get(), &Session::runFinished);

        // A dump that fails, and one that is cancelled half-way, leave the old image whole.
        m_world->setFault({{"mode", "crash"}, {"command", "dump"}, {"text", "100%"}});
        QVERIFY(m_session->runNow(dump));
        QVERIFY(finished.wait(20000));
        QCOMPARE(m_session->runs().nowJob().state, JobState::Failed);
        QCOMPARE(read(image), QByteArray("OLD IMAGE"));
        m_world->setFault({});
        QJsonObject state = m_world->state();
        state[QStringLiteral("job_seconds")] = 30;
        m_world->setState(state);
        QSignalSpy progress(&m_session->runs(), &QueueRuns::progressChanged);
        QVERIFY(m_session->runNow(dump));
        QVERIFY(progress.wait(10000));
        QVERIFY(QFile::exists(image + QStringLiteral(".part"))); // the tool sized it already
        m_session->cancel();
        QVERIFY(finished.wait(20000));
        QCOMPARE(m_session->runs().nowJob().state, JobState::Aborted);
        QCOMPARE(read(image), QByteArray("OLD IMAGE"));
        QVERIFY(!QFile::exists(image + QStringLiteral(".part")));

        // A finished dump takes the old one's place.
        state[QStringLiteral("job_seconds")] = 0.2;
        m_world->setState(state);
        QVERIFY(m_session->runNow(dump));
        QVERIFY(finished.wait(20000));
        QCOMPARE(m_session->runs().nowJob().state, JobState::Complete);
        QVERIFY(read(image).startsWith("PS2SIM dump"));
        QVERIFY(!QFile::exists(image + QStringLiteral(".part")));

        // Without leave to replace, an existing file is never touched.
        dump.replaceExisting = false;
        m_world->clearCalls();
        QVERIFY(m_session->runNow(dump));
        QVERIFY(finished.wait(20000));
        QCOMPARE(JobResultText(m_session->runs().nowJob()),
                 QStringLiteral("Error (File already exists)"));
        for (const QStringList& call : m_world->calls())
            QVERIFY(call.first() != QLatin1String("dump"));
    }

    void jobsThatCannotRunAreRefusedFirst()
    {
        start(QStringLiteral("linux"));
        Job copy;
        copy.kind = JobKind::CopyToPC;
        copy.source = QStringLiteral("127.0.0.1");
        copy.name = QStringLiteral("Net Game");
        copy.destination = m_world->path(QStringLiteral("no such folder/Net Game.iso"));
        m_session->jobs().addJob(copy);
        // On Linux the tool names disks by path: a game cannot be joined to one.
        Job toDisk = copy;
        toDisk.kind = JobKind::CopyToHDD;
        toDisk.destination = QStringLiteral("/dev/sdc");
        m_session->jobs().addJob(toDisk);
        QSignalSpy finished(m_session.get(), &Session::runFinished);
        m_world->clearCalls();
        QVERIFY(m_session->startQueue());
        QVERIFY(finished.wait(20000));
        QVERIFY(m_session->jobs().job(0).reason.startsWith(QStringLiteral("The folder ")));
        QCOMPARE(m_session->jobs().job(1).state, JobState::Failed);
        for (const QStringList& call : m_world->calls())
            QVERIFY(call.first() != QLatin1String("extract"));
        QVERIFY(!QDir(QStringLiteral("/dev")).exists(QStringLiteral("sdcNet Game")));
    }

    void lostConnectionStopsTheRunWithLaterJobsPending()
    {
        start();
        for (const char* name : {"a.iso", "b.iso", "c.iso"}) {
            Job copy;
            copy.kind = JobKind::CopyToPC;
            copy.source = QStringLiteral("127.0.0.1");
            copy.name = QStringLiteral("Net Game");
            copy.destination = m_world->path(QString::fromLatin1(name));
            m_session->jobs().addJob(copy);
        }
        m_session->selectTarget(TargetOf(QStringLiteral("127.0.0.1")));
        m_session->runs().setEndActions({false, true, false});
        m_world->setFault({{"mode", "refused"}, {"command", "extract"}});
        QSignalSpy finished(m_session.get(), &Session::runFinished);
        QVERIFY(m_session->startQueue());
        QVERIFY(finished.wait(20000));
        QCOMPARE(m_session->jobs().job(0).state, JobState::Failed);
        QCOMPARE(m_session->jobs().job(1).state, JobState::Pending);
        QCOMPARE(m_session->jobs().job(2).state, JobState::Pending);
        QCOMPARE(kinds().count(ProblemKind::ConnectionLost), 1);
        int extracts = 0;
        for (const QStringList& call : m_world->calls())
            extracts += call.first() == QLatin1String("extract") ? 1 : 0;
        QCOMPARE(extracts, 1);
        QVERIFY(m_power.calls.isEmpty());
    }

    void failureAfter100IsNoSuccess()
    {
        start();
        m_world->setFault({{"mode", "crash"}, {"command", "inject_cd"}, {"text", "100%"}});
        Job job;
        job.kind = JobKind::Install;
        job.source = QStringLiteral("cd0:");
        job.destination = QStringLiteral("hdd1:");
        job.name = QStringLiteral("New");
        job.type = DiscType::CD;
        m_session->runs().setEndActions({false, false, true});
        QSignalSpy finished(m_session.get(), &Session::runFinished);
        QVERIFY(m_session->runNow(job));
        QVERIFY(finished.wait(20000));
        QCOMPARE(m_session->runs().nowJob().state, JobState::Failed);
        QVERIFY(m_session->runs().nowJob().reason.contains(QStringLiteral("SIGABRT")));
        QVERIFY(m_power.calls.isEmpty());

        // A write that started is never started again by itself, silent crash or not.
        m_world->setFault({{"mode", "crash"}, {"command", "inject_cd"}});
        m_world->clearCalls();
        QVERIFY(m_session->runNow(job));
        QVERIFY(finished.wait(20000));
        int injects = 0;
        for (const QStringList& call : m_world->calls())
            injects += call.first() == QLatin1String("inject_cd") ? 1 : 0;
        QCOMPARE(injects, 1);
        QCOMPARE(m_session->runs().nowJob().state, JobState::Failed);
    }

    // Access an earlier run was given and never took back (it was killed) is taken back at the
    // next start; a record naming anything but a disk of this machine is acted on by nobody.
    void accessLeftByAKilledRunIsTakenBack()
    {
        start(QStringLiteral("linux"));
        QTemporaryDir run;
        qputenv("XDG_RUNTIME_DIR", run.path().toLocal8Bit());
        const QString root = m_world->path(QStringLiteral("machine"));
        const QString node = AddFakeDisk(root, QStringLiteral("sdq"), Ps2Sector());
        m_session->devices().setSystemFiles({root + QStringLiteral("/sys"),
                                             root + QStringLiteral("/dev"),
                                             {root + QStringLiteral("/mounts")},
                                             root + QStringLiteral("/udev")});
        m_session->devices().permission().setCommand(
            {QStringLiteral(VENTRIK_FAKE_PKEXEC), QStringLiteral(VENTRIK_TEST_DISK_HELPER)});
        QSignalSpy answered(m_session.get(), &Session::diskAccessAnswered);
        m_session->requestDiskAccess(node);
        QVERIFY(answered.wait(20000));
        const QString records = run.path() + QStringLiteral("/Ventrik/grants/");
        QVERIFY(QFile::exists(records + QStringLiteral("sdq.owner")));
        // The run dies: its record names a process that no longer runs.
        QFile record(records + QStringLiteral("sdq.owner"));
        QVERIFY(record.open(QIODevice::WriteOnly | QIODevice::Truncate));
        record.write("999999999 12345\n" + node.toUtf8() + '\n');
        record.close();
        QFile forged(records + QStringLiteral("sda.owner"));
        QVERIFY(forged.open(QIODevice::WriteOnly));
        forged.write("999999999 12345\n/etc/passwd\n");
        forged.close();
        newSession();
        m_session->devices().setSystemFiles({root + QStringLiteral("/sys"),
                                             root + QStringLiteral("/dev"),
                                             {root + QStringLiteral("/mounts")},
                                             root + QStringLiteral("/udev")});
        m_session->devices().permission().setCommand(
            {QStringLiteral(VENTRIK_FAKE_PKEXEC), QStringLiteral(VENTRIK_TEST_DISK_HELPER)});
        m_session->cleanStale();
        auto accessLog = [root] {
            QFile f(root + QStringLiteral("/access.log"));
            f.open(QIODevice::ReadOnly);
            return QString::fromUtf8(f.readAll());
        };
        QTRY_VERIFY_WITH_TIMEOUT(accessLog().contains(QStringLiteral("revoke sdq 4242")), 20000);
        QVERIFY(QDir(records).entryList(QDir::Files).isEmpty());
        QFile pkexec(m_world->path(QStringLiteral("pkexec.log")));
        QVERIFY(pkexec.open(QIODevice::ReadOnly));
        QVERIFY(!pkexec.readAll().contains("/etc/passwd"));
        qunsetenv("XDG_RUNTIME_DIR");
    }

    // doctor names the disks this user may not read that may be PS2 disks, with the command
    // that asks for access.
    void doctorNamesDisksThatNeedPermission()
    {
        start(QStringLiteral("linux"));
        const QString root = m_world->path(QStringLiteral("machine"));
        const QString node = AddFakeDisk(root, QStringLiteral("sdq"), Ps2Sector());
        Doctor doctor(m_session->paths(), m_session->settings());
        doctor.setDeviceSource([root] { return FakeMachineDevices(root); });
        std::optional<DoctorReport> report;
        connect(&doctor, &Doctor::finished, this, [&report](const DoctorReport& r) { report = r; });
        doctor.start();
        QTRY_VERIFY_WITH_TIMEOUT(report.has_value(), 20000);
        QVERIFY2(report->text.contains(
                     QStringLiteral("disk %1: needs permission (may be a PS2 disk: ventrik-cli "
                                    "grant %1)")
                         .arg(node)),
                 qPrintable(report->text));
        const QJsonObject disk = report->json[QStringLiteral("disks")].toArray()[0].toObject();
        QCOMPARE(disk[QStringLiteral("needs_permission")].toBool(), true);
        QCOMPARE(disk[QStringLiteral("readable")].toBool(), false);
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
