#include "ApaImage.h"
#include "Ps2Image.h"
#include "SessionFixture.h"
#include "TestSupport.h"
#include "core/devices/NbdAddress.h"
#include "core/jobs/JobBuilder.h"
#include "core/platform/Nbd.h"
#include "core/session/ProblemText.h"
#include "core/tool/ToolBuild.h"

#include <QLocalSocket>

#include <cmath>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

// A PS2 over NBD: its address, what nbdinfo says of an export, and the export as a file
// through nbdfuse. nbdkit stands in for the PS2, on 127.0.0.1 only, at a port free at run time.
class TestNbd : public QObject, public SessionFixture
{
    Q_OBJECT

    QTemporaryDir m_dir;

    static bool canMount()
    {
        return have("nbdkit") && have("nbdfuse") && have("fusermount3") &&
               QFile::exists(QStringLiteral("/dev/fuse"));
    }
    QString runtimeDir() const { return m_dir.filePath(QStringLiteral("run")); }
    QStringList mountsLeft() const { return platform::NbdMountsUnder(runtimeDir()); }
    // A simulated PS2 disk kept in a sparse file of a disk's size, as the export shows it.
    QString simDisk(const QString& name, const QJsonArray& games, qint64 sizeMb = 2048)
    {
        const QString path = m_dir.filePath(name);
        WriteSimFileDisk(path,
                         QJsonObject{{QStringLiteral("size_mb"), sizeMb},
                                     {QStringLiteral("formatted"), true},
                                     {QStringLiteral("games"), games}},
                         sizeMb << 20);
        return path;
    }
    static QJsonArray simGames(const QString& path)
    {
        return ReadSimFileDisk(path)[QStringLiteral("games")].toArray();
    }

    static quint16 freePort()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        return probe.serverPort();
    }
    static bool have(const char* program)
    {
        return !QStandardPaths::findExecutable(QLatin1String(program)).isEmpty();
    }

    // nbdkit serving a file on 127.0.0.1, ready when its port takes a connection.
    struct Server
    {
        QProcess process;
        quint16 port = 0;
        QString uri() const { return QStringLiteral("nbd://127.0.0.1:%1/hdd0").arg(port); }
    };
    static bool serve(Server& s, const QString& file, const QStringList& extra = {},
                      const QStringList& params = {})
    {
        s.port = freePort();
        s.process.start(QStringLiteral("nbdkit"),
                        QStringList{QStringLiteral("-f"), QStringLiteral("--exit-with-parent"),
                                    QStringLiteral("-i"), QStringLiteral("127.0.0.1"),
                                    QStringLiteral("-p"), QString::number(s.port),
                                    QStringLiteral("-e"), QStringLiteral("hdd0")} +
                            extra + QStringList{QStringLiteral("file"), file} + params);
        if (!s.process.waitForStarted())
            return false;
        return QTest::qWaitFor(
            [&s] {
                QTcpSocket socket;
                socket.connectToHost(QHostAddress::LocalHost, s.port);
                return socket.waitForConnected(200);
            },
            10000);
    }
    QString disk(const QString& name, qint64 size)
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.resize(size);
        return path;
    }
    // A real build's path: VENTRIK_REAL_TOOLS names their folder where it is not beside the
    // checkout.
    static QString realTool(const QString& name)
    {
        return qEnvironmentVariable("VENTRIK_REAL_TOOLS", QStringLiteral(VENTRIK_REAL_TOOLS_DIR)) +
               name;
    }
    // Formatted as a PS2 disk by the real 0.9.0, the only build that can; its status.
    int initialize(const QString& file) const
    {
        return RunProcess(realTool(QStringLiteral("/hdl_dump-0.9.0")),
                          {QStringLiteral("initialize"), file},
                          QProcessEnvironment::systemEnvironment(), m_dir.path())
            .status;
    }
    // A 2 GB PS2 disk in a sparse file; empty when it could not be made.
    QString ps2Disk(const QString& name)
    {
        const QString file = disk(name, qint64(2) << 30);
        return initialize(file) == 0 ? file : QString();
    }
    static platform::NbdExportInfo readExport(const QString& uri)
    {
        std::optional<platform::NbdExportInfo> info;
        QObject context;
        platform::ReadNbdExport(&context, uri, TargetOf(uri).nbd().exportName,
                                [&info](platform::NbdExportInfo i) { info = i; });
        (void)QTest::qWaitFor([&info] { return info.has_value(); }, 20000);
        return info.value_or(platform::NbdExportInfo{});
    }

private slots:
    void initTestCase()
    {
        // Mounts go to a runtime folder of the test's own.
        QDir().mkpath(runtimeDir());
        QFile::setPermissions(runtimeDir(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtimeDir().toLocal8Bit());
    }

    // The window's and the queue's way: a refresh finds the NBD server before the UDP one,
    // every activity opens the export and closes it after, and a server lost mid-job stops
    // the queue with the jobs after it waiting.
    void aPs2OverNbdInTheSession()
    {
        if (!canMount())
            QSKIP("nbdkit, nbdfuse and FUSE are needed (packages nbdkit, libnbd-bin, fuse3)");
        const QString image =
            simDisk(QStringLiteral("session.img"),
                    {SimWorld::game(QStringLiteral("On The PS2"), QStringLiteral("SLUS_111.11"),
                                    QStringLiteral("DVD"), 4000)});
        Server s;
        QVERIFY(serve(s, image));
        startWorld(SimWorld::defaultState());
        m_session->settings().write(Setting::NbdPort, QString::number(s.port));
        QList<std::pair<NetworkServer, QString>> found;
        connect(m_session.get(), &Session::networkServerFound, this,
                [&found](NetworkServer server, const Target& target) {
                    found.append({server, target.toolArgument()});
                });
        QVERIFY(m_session->attach(TargetOf(QStringLiteral("127.0.0.1"))));
        QVERIFY(idle());
        QVERIFY2(m_problems.isEmpty(), qPrintable(ProblemText(m_problems.value(0))));
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0].first, NetworkServer::Nbd);
        QCOMPARE(found[0].second, s.uri());
        QCOMPARE(m_session->target().toolArgument(), s.uri());
        QCOMPARE(m_session->reached(TargetOf(QStringLiteral("127.0.0.1"))).toolArgument(), s.uri());
        QCOMPARE(m_session->games().count(), 1);
        QCOMPARE(m_session->games().game(0).title, QStringLiteral("On The PS2"));
        // The tool was given the mounted file, in a folder of this program's own (the export's
        // name, then this process); nothing stays mounted after the listing.
        const QString mounted = QStringLiteral("%1/Ventrik/nbd/%2-%3-")
                                    .arg(runtimeDir(), TargetOf(s.uri()).nbd().key())
                                    .arg(QCoreApplication::applicationPid());
        const QList<QStringList> calls = m_world->calls();
        QVERIFY(std::any_of(calls.cbegin(), calls.cend(), [&mounted](const QStringList& c) {
            return c.value(0) == QLatin1String("hdl_toc") && c.value(1).startsWith(mounted) &&
                   c.value(1).endsWith(QLatin1String("/disk"));
        }));
        QTRY_VERIFY_WITH_TIMEOUT(mountsLeft().isEmpty(), 10000);

        // The queue installs onto the export: one mount for the whole run.
        m_world->clearCalls();
        QVERIFY(m_session->addJob(m_world->install(QStringLiteral("Second"), s.uri())));
        QVERIFY(m_session->addJob(m_world->install(QStringLiteral("Third"), s.uri())));
        QVERIFY(m_session->startQueue());
        QVERIFY(idle(60000));
        QCOMPARE(m_session->jobs().job(0).state, JobState::Complete);
        QCOMPARE(m_session->jobs().job(1).state, JobState::Complete);
        QCOMPARE(simGames(image).size(), 3);
        QCOMPARE(m_session->games().count(), 3);
        QTRY_VERIFY_WITH_TIMEOUT(mountsLeft().isEmpty(), 10000);

        // The server lost mid-install: that job fails saying so, the next waits, unmounted.
        m_problems.clear();
        QVERIFY(m_session->addJob(m_world->install(QStringLiteral("Lost"), s.uri())));
        QVERIFY(m_session->addJob(m_world->install(QStringLiteral("After"), s.uri())));
        m_world->holdJobsAt(40);
        QVERIFY(m_session->startQueue({2, 3}));
        // Held mid-install, writing to the export.
        auto installing = [this] {
            for (const QStringList& call : m_world->calls())
                if (call.value(0).startsWith(QLatin1String("inject_")) &&
                    call.value(2) == QLatin1String("Lost"))
                    return true;
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(installing(), 30000);
        QTest::qWait(300);
        s.process.kill();
        QVERIFY(s.process.waitForFinished());
        m_world->releaseJobs();
        QVERIFY(idle(60000));
        const Job lost = m_session->jobs().job(2);
        QCOMPARE(lost.state, JobState::Failed);
        QVERIFY2(lost.error == ToolError::ServerGone, qPrintable(lost.reason));
        QVERIFY2(lost.reason.contains(QLatin1String("stopped answering")), qPrintable(lost.reason));
        QCOMPARE(m_session->jobs().job(3).state, JobState::Pending);
        QVERIFY(kinds().contains(ProblemKind::NbdLost));
        QTRY_VERIFY_WITH_TIMEOUT(mountsLeft().isEmpty(), 10000);
        // Nothing answers now: a refresh says so, in the NBD server's words, and the UDP
        // server of the same address is not taken for the PS2's disk.
        m_problems.clear();
        QVERIFY(m_session->attach(TargetOf(s.uri())));
        QVERIFY(idle());
        QCOMPARE(kinds(), QList<ProblemKind>{ProblemKind::NbdUnreachable});
    }

    // Asked twice at once, an export is opened once and both are answered; closed, nothing
    // stays mounted, and whoever waits for that hears it.
    void anExportIsOpenedOnce()
    {
        if (!canMount())
            QSKIP("nbdkit, nbdfuse and FUSE are needed (packages nbdkit, libnbd-bin, fuse3)");
        Server s;
        QVERIFY(serve(s, simDisk(QStringLiteral("twice.img"), {})));
        platform::DiskPermission permission;
        const QString base = m_dir.filePath(QStringLiteral("twice/"));
        NbdDisks disks(permission, base);
        disks.setTool(QStringLiteral(VENTRIK_SIM_PATH), m_dir.filePath(QStringLiteral("work")));
        QList<std::optional<Problem>> answers;
        for (int i = 0; i < 2; ++i)
            disks.open(TargetOf(s.uri()).nbd(),
                       [&answers](const std::optional<Problem>& p) { answers << p; });
        QVERIFY(!disks.isOpen(s.uri()));
        QTRY_COMPARE_WITH_TIMEOUT(answers.size(), 2, 20000);
        QVERIFY(!answers[0] && !answers[1]);
        QCOMPARE(platform::NbdMountsUnder(base).size(), 1);
        QVERIFY(disks.diskOf(s.uri()).startsWith(base));
        bool closed = false;
        disks.closeAll();
        disks.whenClosed([&closed] { closed = true; });
        QTRY_VERIFY_WITH_TIMEOUT(closed, 10000);
        QVERIFY(platform::NbdMountsUnder(base).isEmpty());
        QCOMPARE(disks.diskOf(s.uri()), s.uri());
    }

    // What answers decides: a read-only export is told as such; with no NBD server at the
    // port the older UDP server is asked.
    void whichServerAnswers()
    {
        if (!canMount())
            QSKIP("nbdkit, nbdfuse and FUSE are needed (packages nbdkit, libnbd-bin, fuse3)");
        const QString image = simDisk(QStringLiteral("readonly.img"), {});
        Server s;
        QVERIFY(serve(s, image, {QStringLiteral("-r")}));
        startWorld(SimWorld::defaultState());
        m_session->settings().write(Setting::NbdPort, QString::number(s.port));
        QVERIFY(m_session->attach(TargetOf(QStringLiteral("127.0.0.1"))));
        QVERIFY(idle());
        QCOMPARE(m_session->networkServer(), NetworkServer::Nbd);
        QCOMPARE(kinds(), QList<ProblemKind>{ProblemKind::NbdReadOnly});
        QVERIFY(ProblemText(m_problems[0]).contains(QLatin1String("\"Write Operations\"")));
        QVERIFY(!m_session->isAttached());
        // Nothing was run on a disk nobody may write.
        QVERIFY(m_world->calls().isEmpty() ||
                !m_world->calls().contains(QStringList{QStringLiteral("hdl_toc"), s.uri()}));

        m_problems.clear();
        m_session->settings().write(Setting::NbdPort, QString::number(freePort()));
        m_session->selectTarget(TargetOf(QStringLiteral("127.0.0.1")));
        QVERIFY(m_session->attach(TargetOf(QStringLiteral("127.0.0.1"))));
        QVERIFY(idle());
        QVERIFY2(m_problems.isEmpty(), qPrintable(ProblemText(m_problems.value(0))));
        QCOMPARE(m_session->networkServer(), NetworkServer::Udp);
        QCOMPARE(m_session->target().toolArgument(), QStringLiteral("127.0.0.1"));
        QCOMPARE(m_session->games().game(0).title, QStringLiteral("Net Game"));
        QVERIFY(mountsLeft().isEmpty());
    }

    // A release build takes only devices: the export is connected as /dev/nbdN through the
    // permission helper (the test's own, on a fake machine) and disconnected after; where
    // neither way is possible, what is missing is said.
    void aReleaseBuildGetsADevice()
    {
        if (!have("nbdkit"))
            QSKIP("nbdkit is needed (package nbdkit)");
        Server s;
        QVERIFY(serve(s, disk(QStringLiteral("export.img"), qint64(2) << 30)));
        QJsonObject state = SimWorld::defaultState();
        startWorld(state);
        const QString root = m_world->path(QStringLiteral("machine"));
        QDir().mkpath(root + QStringLiteral("/sys/block/nbd0"));
        QDir().mkpath(root + QStringLiteral("/dev"));
        for (const QString& file :
             {QStringLiteral("/sys/block/nbd0/size"), QStringLiteral("/dev/nbd0")}) {
            QFile f(root + file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(file.endsWith(QLatin1String("size")) ? "0\n" : "");
        }
        const QString device = root + QStringLiteral("/dev/nbd0");
        // What the connected device holds, as the simulator's release build reads it.
        QJsonArray disks = state[QStringLiteral("disks")].toArray();
        disks.append(QJsonObject{
            {QStringLiteral("device"), QStringLiteral("hdd9:")},
            {QStringLiteral("path"), device},
            {QStringLiteral("size_mb"), 2048},
            {QStringLiteral("formatted"), true},
            {QStringLiteral("games"),
             QJsonArray{SimWorld::game(QStringLiteral("On A Device"), QStringLiteral("SLUS_222.22"),
                                       QStringLiteral("DVD"), 4000)}}});
        state[QStringLiteral("disks")] = disks;
        state[QStringLiteral("release")] = true;
        m_world->setState(state);
        NbdRouteFacts everything;
        everything.nbdfuse = everything.fuse = everything.pkexec = everything.nbdClient =
            everything.nbdModule = true;
        m_session->nbd().setFacts(everything);
        // The test's program has no helper beside it: the fake pkexec is given the test's.
        m_session->devices().permission().setCommand(
            {QStringLiteral(VENTRIK_FAKE_PKEXEC), QStringLiteral(VENTRIK_TEST_DISK_HELPER)});
        QVERIFY(m_session->attach(TargetOf(s.uri())));
        QVERIFY(idle());
        QVERIFY2(m_problems.isEmpty(), qPrintable(ProblemText(m_problems.value(0))));
        QCOMPARE(m_session->games().count(), 1);
        QCOMPARE(m_session->games().game(0).title, QStringLiteral("On A Device"));
        QVERIFY(m_world->calls().contains(QStringList{QStringLiteral("hdl_toc"), device}));
        auto lines = [this](const QString& name) {
            QFile f(m_world->path(name));
            f.open(QIODevice::ReadOnly);
            return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
        };
        // Disconnected once the listing is done.
        QTRY_COMPARE_WITH_TIMEOUT(lines(QStringLiteral("machine/programs.log")).size(), 3, 10000);
        QCOMPARE(lines(QStringLiteral("machine/programs.log")),
                 (QStringList{
                     QStringLiteral("modprobe nbd"),
                     QStringLiteral("nbd-client -N hdd0 127.0.0.1 %1 %2").arg(s.port).arg(device),
                     QStringLiteral("nbd-client -d %1").arg(device)}));
        const QStringList asked = lines(QStringLiteral("pkexec.log"));
        QCOMPARE(asked.size(), 2);
        QVERIFY(asked[0].endsWith(QStringLiteral("connect-nbd 127.0.0.1 %1 hdd0").arg(s.port)));
        QVERIFY(asked[1].endsWith(QStringLiteral("disconnect-nbd %1").arg(device)));
        QVERIFY(!QFile::exists(root + QStringLiteral("/sys/block/nbd0/pid")));

        // Nothing on this machine can do it: each missing piece is named.
        m_problems.clear();
        m_session->nbd().setFacts({});
        QVERIFY(m_session->attach(TargetOf(s.uri())));
        QVERIFY(idle());
        QCOMPARE(kinds(), QList<ProblemKind>{ProblemKind::NbdNoRoute});
        for (const char* named : {"release build", "pkexec", "nbd-client", "nbd module"})
            QVERIFY2(m_problems[0].reason.contains(QLatin1String(named)),
                     qPrintable(m_problems[0].reason));
    }

    // The real builds through the session over nbdkit: an install, its copy back byte for
    // byte, and over a link as slow as a PS2's, a time left that matches the link, then the
    // server lost mid-install.
    // A hybrid disk served by a PS2: the tool is shown only its PS2 area. The server refuses
    // any change after it (and to the MBR table beside the APA header): a stray write would fail
    // the install loudly. None comes.
    void aHybridExportIsWrittenOnlyInItsPs2Area()
    {
        const QString tool = realTool(QStringLiteral("/hdl_dump-0.9.2"));
        if (!canMount())
            QSKIP("nbdkit, nbdfuse and FUSE are needed (packages nbdkit, libnbd-bin, fuse3)");
        if (!QFile::exists(tool) || !QFile::exists(realTool(QStringLiteral("/hdl_dump-0.9.0"))))
            QSKIP("the real hdl_dump builds are not here");
        const QString image = ps2Disk(QStringLiteral("hybrid.img"));
        QVERIFY(!image.isEmpty());
        QVERIFY(MakeHybrid(image, 0x200000)); // exFAT from 1 GiB
        const QByteArray exfat = ReadFileAt(image, qint64{1} << 30, 1 << 20);
        Server s;
        QVERIFY(serve(s, image, {QStringLiteral("--filter=protect")},
                      {QStringLiteral("protect=446-511"), QStringLiteral("protect=1073741824-")}));
        startWorld(SimWorld::defaultState());
        m_session->setToolPath(tool);
        const QString iso = m_dir.filePath(QStringLiteral("game.iso"));
        QVERIFY(WritePs2Image(iso, QStringLiteral("SLUS_123.45"), QStringLiteral("GAME"), 4000, 'H',
                              ImageMedia::Dvd));
        parse::DiscInfo disc;
        disc.startup = QStringLiteral("SLUS_123.45");
        disc.sizeKb = 4000;
        QVERIFY(m_session->runNow(
            InstallJob(iso, TargetOf(s.uri()), QStringLiteral("Hybrid"), disc, DiscType::DVD)));
        QVERIFY(idle(120000));
        QVERIFY2(m_session->runs().nowJob().state == JobState::Complete,
                 qPrintable(m_session->runs().nowJob().reason));
        QVERIFY(m_session->attach(TargetOf(s.uri())));
        QVERIFY(idle());
        QCOMPARE(m_session->games().count(), 1);
        QCOMPARE(m_session->space()->totalMb, qint64(1024));
        QTRY_VERIFY_WITH_TIMEOUT(mountsLeft().isEmpty(), 10000);
        s.process.kill();
        QVERIFY(s.process.waitForFinished());
        QCOMPARE(ReadFileAt(image, qint64{1} << 30, 1 << 20), exfat);
    }

    // An export that stops answering mid-install is said, then the job ends as stopped
    // answering; the job after it waits.
    void aStalledExportIsSaidAndEnded()
    {
        const QString tool = realTool(QStringLiteral("/hdl_dump-0.9.2"));
        if (!canMount())
            QSKIP("nbdkit, nbdfuse and FUSE are needed (packages nbdkit, libnbd-bin, fuse3)");
        if (!QFile::exists(tool) || !QFile::exists(realTool(QStringLiteral("/hdl_dump-0.9.0"))))
            QSKIP("the real hdl_dump builds are not here");
        const QString image = ps2Disk(QStringLiteral("stall.img"));
        QVERIFY(!image.isEmpty());
        const QString control = m_dir.filePath(QStringLiteral("pause.sock"));
        Server s;
        QVERIFY(serve(s, image, {QStringLiteral("--filter=pause"), QStringLiteral("--filter=rate")},
                      {QStringLiteral("rate=80M"), QStringLiteral("pause-control=") + control}));
        startWorld(SimWorld::defaultState());
        m_session->setToolPath(tool);
        m_session->setStallNotice(1000);
        m_session->setStallTimeout(4000);
        const QString big = m_dir.filePath(QStringLiteral("big.iso"));
        QVERIFY(WritePs2Image(big, QStringLiteral("SLUS_123.45"), QStringLiteral("GAME"),
                              200 * 1024, 'P', ImageMedia::Dvd));
        parse::DiscInfo disc;
        disc.startup = QStringLiteral("SLUS_123.45");
        disc.sizeKb = 200 * 1024;
        QVERIFY(m_session->addJob(
            InstallJob(big, TargetOf(s.uri()), QStringLiteral("Paused"), disc, DiscType::DVD)));
        QVERIFY(m_session->addJob(
            InstallJob(big, TargetOf(s.uri()), QStringLiteral("After"), disc, DiscType::DVD)));
        int percent = 0;
        connect(&m_session->runs(), &QueueRuns::progressChanged, this,
                [&percent](const JobProgress& p) { percent = p.percent; });
        QVERIFY(m_session->startQueue());
        QTRY_VERIFY_WITH_TIMEOUT(percent >= 5, 60000);
        QLocalSocket pause;
        pause.connectToServer(control);
        QVERIFY(pause.waitForConnected(5000));
        pause.write("p");
        QVERIFY(pause.waitForBytesWritten(5000));
        QVERIFY(idle(60000));
        QVERIFY(kinds().contains(ProblemKind::RunStalled));
        QVERIFY(kinds().contains(ProblemKind::RunStopped));
        QCOMPARE(m_session->jobs().job(0).error, ToolError::Stalled);
        QCOMPARE(m_session->jobs().job(1).state, JobState::Pending);
        pause.write("r");
        QVERIFY(pause.waitForBytesWritten(5000));
        QTRY_VERIFY_WITH_TIMEOUT(mountsLeft().isEmpty(), 20000);
        s.process.kill();
        QVERIFY(s.process.waitForFinished());
    }

    void theRealBuildsOverNbd()
    {
        const QString tool0 = realTool(QStringLiteral("/hdl_dump-0.9.0"));
        const QString tool = realTool(QStringLiteral("/hdl_dump-0.9.2"));
        if (!canMount())
            QSKIP("nbdkit, nbdfuse and FUSE are needed (packages nbdkit, libnbd-bin, fuse3)");
        if (!QFile::exists(tool0) || !QFile::exists(tool))
            QSKIP("the real hdl_dump builds are not here");
        const QString image = ps2Disk(QStringLiteral("real.img"));
        QVERIFY(!image.isEmpty());
        Server s;
        QVERIFY(serve(s, image));
        startWorld(SimWorld::defaultState());
        m_session->setToolPath(tool);
        const QString iso = m_dir.filePath(QStringLiteral("small.iso"));
        QVERIFY(WritePs2Image(iso, QStringLiteral("SLUS_123.45"), QStringLiteral("GAME"), 4000, 'S',
                              ImageMedia::Dvd));
        auto install = [](const QString& source, const QString& target, const QString& name,
                          qint64 kb) {
            parse::DiscInfo disc;
            disc.startup = QStringLiteral("SLUS_123.45");
            disc.sizeKb = kb;
            return InstallJob(source, TargetOf(target), name, disc, DiscType::DVD);
        };
        QVERIFY(m_session->addJob(install(iso, s.uri(), QStringLiteral("Over Nbd"), 4000)));
        QVERIFY(m_session->startQueue());
        QVERIFY(idle(120000));
        QVERIFY2(m_session->jobs().job(0).state == JobState::Complete,
                 qPrintable(m_session->jobs().job(0).reason));
        QVERIFY(m_session->attach(TargetOf(s.uri())));
        QVERIFY(idle());
        QCOMPARE(m_session->games().count(), 1);
        const QString back = m_dir.filePath(QStringLiteral("back.iso"));
        QVERIFY(m_session->addJob(
            CopyJob(JobKind::CopyToPC, TargetOf(s.uri()), m_session->games().game(0), back)));
        QVERIFY(m_session->startQueue({1}));
        QVERIFY(idle(120000));
        QVERIFY2(m_session->jobs().job(1).state == JobState::Complete,
                 qPrintable(m_session->jobs().job(1).reason));
        QFile a(iso);
        QFile b(back);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QVERIFY(a.readAll() == b.readAll());
        QTRY_VERIFY_WITH_TIMEOUT(mountsLeft().isEmpty(), 10000);

        // 5 Mbit/s, as a PS2 gives: 300 MB take about 500 s; the time left is read early.
        Server slow;
        QVERIFY(serve(slow, image, {QStringLiteral("--filter=rate")}, {QStringLiteral("rate=5M")}));
        const QString big = m_dir.filePath(QStringLiteral("big.iso"));
        QVERIFY(WritePs2Image(big, QStringLiteral("SLUS_123.45"), QStringLiteral("GAME"),
                              300 * 1024, 'B', ImageMedia::Dvd));
        std::optional<std::pair<int, qint64>> early; // percent, seconds left
        connect(&m_session->runs(), &QueueRuns::progressChanged, this,
                [&early](const JobProgress& p) {
                    if (!early && p.percent >= 2 && p.queueSecondsLeft)
                        early = std::pair{p.percent, *p.queueSecondsLeft};
                });
        m_problems.clear();
        QVERIFY(m_session->addJob(install(big, slow.uri(), QStringLiteral("Slow"), 300 * 1024)));
        QVERIFY(m_session->addJob(install(iso, slow.uri(), QStringLiteral("Later"), 4000)));
        QVERIFY(m_session->startQueue({2, 3}));
        QTRY_VERIFY_WITH_TIMEOUT(early.has_value(), 60000);
        QVERIFY(early->first <= 10);
        // What is left of both games at 625 000 bytes a second.
        const double truth =
            (300.0 * 1024 * 1024 * (100 - early->first) / 100 + 4000.0 * 1024) / 625000.0;
        qInfo("time left at %d%%: %lld s shown, %.0f s expected", early->first, early->second,
              truth);
        QVERIFY2(std::abs(static_cast<double>(early->second) - truth) < truth * 0.25,
                 qPrintable(QStringLiteral("at %1%: %2 s left shown, %3 s expected")
                                .arg(early->first)
                                .arg(early->second)
                                .arg(truth)));
        slow.process.kill();
        QVERIFY(slow.process.waitForFinished());
        QVERIFY(idle(60000));
        QVERIFY2(m_session->jobs().job(2).error == ToolError::ServerGone,
                 qPrintable(m_session->jobs().job(2).reason));
        QCOMPARE(m_session->jobs().job(3).state, JobState::Pending);
        QVERIFY(kinds().contains(ProblemKind::NbdLost));
        QTRY_VERIFY_WITH_TIMEOUT(mountsLeft().isEmpty(), 10000);
    }

    // One reading of a target for the window, the command line and the jobs.
    void addresses()
    {
        auto parsed = [](const char* text) -> std::optional<NbdAddress> {
            const std::optional<Target> t = Target::Parse(QLatin1String(text));
            return t && t->isNbd() ? std::optional(t->nbd()) : std::nullopt;
        };
        QCOMPARE(parsed("nbd://192.168.0.10")->uri(),
                 QStringLiteral("nbd://192.168.0.10:10809/hdd0"));
        QCOMPARE(parsed(" nbd://127.0.0.1:10900/hdd1 ")->uri(),
                 QStringLiteral("nbd://127.0.0.1:10900/hdd1"));
        QCOMPARE(parsed("nbd://127.0.0.1/")->exportName, QStringLiteral("hdd0"));
        QCOMPARE(parsed("nbd://127.0.0.1:10809/hdd0")->key(),
                 QStringLiteral("127.0.0.1-10809-hdd0"));
        for (const char* bad :
             {"127.0.0.1", "nbd://", "nbd://127.1", "nbd://127.0.0.1:0", "nbd://127.0.0.1:65536",
              "nbd://127.0.0.1/../x", "nbd://127.0.0.1/a b", "nbd://127.0.0.1/..",
              "nbd://127.0.0.1/-d", "nbds://127.0.0.1", "nbd://127.0.0.1:80:90",
              "nbd://host.example/hdd0"})
            QVERIFY2(!parsed(bad), bad);
        QCOMPARE(parsed("NBD://127.0.0.1")->uri(), QStringLiteral("nbd://127.0.0.1:10809/hdd0"));

        // Digits and dots are an address or nothing, never a disk; the rest names a disk as it is.
        TargetFault fault = TargetFault::None;
        for (const char* bad : {"999.1.1.1", "127.1", "1.2.3.4.5"}) {
            QVERIFY2(!Target::Parse(QLatin1String(bad), &fault), bad);
            QCOMPARE(fault, TargetFault::BadAddress);
        }
        QVERIFY(!Target::Parse(QStringLiteral("nbd://127.1"), &fault));
        QCOMPARE(fault, TargetFault::BadNbdAddress);
        QVERIFY(!Target::Parse(QStringLiteral("  "), &fault));
        QCOMPARE(fault, TargetFault::Empty);
        const Target udp = TargetOf(QStringLiteral(" 127.0.0.1 "));
        QCOMPARE(udp.kind(), Target::Kind::Udp);
        QCOMPARE(udp.toolArgument(), QStringLiteral("127.0.0.1"));
        QCOMPARE(TargetOf(QStringLiteral("hdd1:")).kind(), Target::Kind::Disk);
        QCOMPARE(TargetOf(QStringLiteral("/dev/sdb")).host(), QString());
        const Target nbd = TargetOf(QStringLiteral("nbd://127.0.0.1"));
        QCOMPARE(nbd.host(), QStringLiteral("127.0.0.1"));
        QCOMPARE(nbd, TargetOf(QStringLiteral("nbd://127.0.0.1:10809/hdd0")));
        QVERIFY(nbd != TargetOf(QStringLiteral("nbd://127.0.0.1:10809/hdd1")));
        // The window's address box takes a PS2 only.
        QVERIFY(!Target::ParseAddress(QStringLiteral("hdd1:"), &fault));
        QCOMPARE(fault, TargetFault::BadAddress);
        QVERIFY(Target::ParseAddress(QStringLiteral("nbd://127.0.0.1:10900/hdd1"))->isNbd());
    }

    void whatNbdinfoSays()
    {
        const QByteArray one = R"({"protocol": "newstyle-fixed", "exports": [
            {"export-name": "hdd0", "is_read_only": true, "export-size": 2147483648}]})";
        platform::NbdExportInfo info = platform::ReadNbdInfoJson(one, QStringLiteral("hdd0"));
        QCOMPARE(info.state, platform::NbdExportInfo::State::Reachable);
        QCOMPARE(info.sizeBytes, qint64(2147483648));
        QVERIFY(info.readOnly);
        const QByteArray two = R"({"exports": [{"export-name": "hdd0", "export-size": 1},
            {"export-name": "hdd1", "is_read_only": false, "export-size": 4096}]})";
        info = platform::ReadNbdInfoJson(two, QStringLiteral("hdd1"));
        QCOMPARE(info.sizeBytes, qint64(4096));
        QVERIFY(!info.readOnly);
        info = platform::ReadNbdInfoJson(two, QStringLiteral("hdd2"));
        QCOMPARE(info.state, platform::NbdExportInfo::State::Unreachable);
        QCOMPARE(platform::ReadNbdInfoJson("not json", QStringLiteral("hdd0")).state,
                 platform::NbdExportInfo::State::Unreachable);
    }

    // Before anything is written the export is checked; each finding has its own words.
    void exportsThatCannotBeWritten()
    {
        const NbdAddress at = TargetOf(QStringLiteral("nbd://127.0.0.1")).nbd();
        using State = platform::NbdExportInfo::State;
        auto problem = [&at](State state, qint64 size, bool readOnly) {
            platform::NbdExportInfo info;
            info.state = state;
            info.sizeBytes = size;
            info.readOnly = readOnly;
            info.error = QStringLiteral("Connection refused");
            const std::optional<Problem> p = NbdExportProblem(at, info);
            return p ? ProblemText(*p) : QString();
        };
        QCOMPARE(problem(State::Reachable, qint64(40) << 30, false), QString());
        QVERIFY(problem(State::Reachable, qint64(40) << 30, true)
                    .contains(QLatin1String("Turn on \"Write Operations\"")));
        QVERIFY(
            problem(State::Reachable, 64 << 20, false)
                .startsWith(QLatin1String("The export nbd://127.0.0.1:10809/hdd0 holds 64 MB")));
        QVERIFY(!problem(State::Reachable, (qint64(2) << 30) + 1, false).isEmpty());
        QVERIFY(
            problem(State::Unreachable, 0, false).endsWith(QLatin1String("(Connection refused)")));
        QVERIFY(problem(State::NoProgram, 0, false).contains(QLatin1String("libnbd-bin")));
        // Too small says so before read-only: the export named may be the wrong one.
        QVERIFY(problem(State::Reachable, 64 << 20, true).contains(QLatin1String("64 MB")));
    }

    // A device connected for this program is its own while it runs; once its owner is gone,
    // it is taken (once) for disconnecting.
    void staleDevicesAreFound()
    {
        const QString base = m_dir.filePath(QStringLiteral("devices"));
        platform::RecordNbdDevice(base, QStringLiteral("/dev/nbd3"));
        platform::RecordNbdDevice(base, QStringLiteral("/dev/nbd4"));
        QVERIFY(platform::TakeStaleNbdDevices(base).isEmpty());
        QFile owner(base + QStringLiteral("/nbd3.owner"));
        QVERIFY(owner.open(QIODevice::WriteOnly | QIODevice::Truncate));
        owner.write("999999999 12345\n/dev/nbd3\n");
        owner.close();
        QCOMPARE(platform::TakeStaleNbdDevices(base), QStringList{QStringLiteral("/dev/nbd3")});
        QVERIFY(platform::TakeStaleNbdDevices(base).isEmpty());
        platform::ForgetNbdDevice(base, QStringLiteral("/dev/nbd4"));
        QVERIFY(QDir(base).entryList(QDir::Files).isEmpty());

        // A record that names anything but an NBD device is nobody's to act on; a link or a
        // FIFO is no record.
        for (const auto& [name, device] :
             {std::pair{"nbd5.owner", QByteArray("/dev/sda")},
              std::pair{"nbd6.owner", QByteArray("/dev/nbd6 /dev/sda")},
              std::pair{"nbd7.owner", QByteArray("/dev/nbd7\n/dev/sda")}}) {
            QFile forged(base + u'/' + QLatin1String(name));
            QVERIFY(forged.open(QIODevice::WriteOnly));
            forged.write("999999999 12345\n" + device + '\n');
        }
        QVERIFY(QFile::link(m_dir.filePath(QStringLiteral("elsewhere")),
                            base + QStringLiteral("/nbd8.owner")));
        QVERIFY(::mkfifo(QFile::encodeName(base + QStringLiteral("/nbd9.owner")).constData(),
                         0600) == 0);
        QCOMPARE(platform::TakeStaleNbdDevices(base), QStringList());

        // Recorded through a link: the link is replaced, the file it points to untouched.
        const QString target = m_dir.filePath(QStringLiteral("precious"));
        QFile precious(target);
        QVERIFY(precious.open(QIODevice::WriteOnly));
        precious.write("keep me");
        precious.close();
        QFile::remove(base + QStringLiteral("/nbd1.owner"));
        QVERIFY(QFile::link(target, base + QStringLiteral("/nbd1.owner")));
        platform::RecordNbdDevice(base, QStringLiteral("/dev/nbd1"));
        QVERIFY(!QFileInfo(base + QStringLiteral("/nbd1.owner")).isSymLink());
        QVERIFY(precious.open(QIODevice::ReadOnly));
        QCOMPARE(precious.readAll(), QByteArray("keep me"));
    }

    void staleMountsAreFound()
    {
        QFile table(m_dir.filePath(QStringLiteral("mountinfo")));
        QVERIFY(table.open(QIODevice::WriteOnly));
        table.write("22 1 0:21 / /proc rw - proc proc rw\n"
                    "90 30 0:50 / /run/user/1000/Ventrik/nbd/127.0.0.1-10809-hdd0 rw,nosuid - "
                    "fuse.nbdfuse nbdfuse rw\n"
                    "91 30 0:51 / /run/user/1000/Ventrik/nbd/my\\040disk rw - fuse.nbdfuse x rw\n"
                    "92 30 0:52 / /run/user/1000/Ventrik/other rw - fuse.sshfs x rw\n"
                    "93 30 0:53 / /run/user/1000/Ventrik/nbd/tmp rw - tmpfs tmpfs rw\n");
        table.close();
        // No owner file: all of them are stale; the FUSE mounts only, each with its blanks.
        QCOMPARE(platform::StaleNbdMounts(QStringLiteral("/run/user/1000/Ventrik/nbd/"),
                                          table.fileName()),
                 (QStringList{QStringLiteral("/run/user/1000/Ventrik/nbd/127.0.0.1-10809-hdd0"),
                              QStringLiteral("/run/user/1000/Ventrik/nbd/my disk")}));
    }

    // Which builds take the export as a file: measured once on an empty file.
    void theToolsBuildIsFound()
    {
        const QString dir = realTool({});
        if (!QFile::exists(dir + QStringLiteral("/hdl_dump-0.9.2-release")))
            QSKIP("the real builds are not beside the checkout");
        auto detect = [this](const QString& tool) {
            std::optional<ToolBuild> build;
            QObject context;
            DetectToolBuild(&context, tool, m_dir.filePath(QStringLiteral("work")),
                            [&build](ToolBuild b) { build = b; });
            (void)QTest::qWaitFor([&build] { return build.has_value(); }, 20000);
            return build.value_or(ToolBuild::Unknown);
        };
        QCOMPARE(detect(dir + QStringLiteral("/hdl_dump-0.9.2-release")), ToolBuild::DevicesOnly);
        for (const char* name : {"hdl_dump-0.9.0", "hdl_dump-0.9.2", "hdl_dump-new"})
            QCOMPARE(detect(dir + u'/' + QLatin1String(name)), ToolBuild::AcceptsFiles);
        QCOMPARE(detect(m_dir.filePath(QStringLiteral("no-such-tool"))), ToolBuild::Unknown);
        // The probe file is not left behind.
        QCOMPARE(QDir(m_dir.filePath(QStringLiteral("work"))).entryList(QDir::Files),
                 QStringList());
    }

    // nbdkit's exports as nbdinfo reads them: size, read-only, and nobody there.
    void exportsAreChecked()
    {
        if (!have("nbdkit") || !have("nbdinfo"))
            QSKIP("nbdkit and nbdinfo are needed (packages nbdkit, libnbd-bin)");
        const QString image = disk(QStringLiteral("export.img"), qint64(2) << 30);
        {
            Server s;
            QVERIFY(serve(s, image));
            const platform::NbdExportInfo info = readExport(s.uri());
            QCOMPARE(info.state, platform::NbdExportInfo::State::Reachable);
            QCOMPARE(info.sizeBytes, qint64(2) << 30);
            QVERIFY(!info.readOnly);
        }
        {
            Server s;
            QVERIFY(serve(s, image, {QStringLiteral("-r")}));
            QVERIFY(readExport(s.uri()).readOnly);
        }
        const platform::NbdExportInfo nobody =
            readExport(QStringLiteral("nbd://127.0.0.1:%1/hdd0").arg(freePort()));
        QCOMPARE(nobody.state, platform::NbdExportInfo::State::Unreachable);
        QVERIFY(!nobody.error.isEmpty());
        QVERIFY(!nobody.noSuchExport && !nobody.timedOut);
        // A server that knows only hdd0, asked for another name: it answered, and said so.
        {
            Server s;
            QVERIFY(serve(
                s, image, {QStringLiteral("--filter=exportname")},
                {QStringLiteral("exportname=hdd0"), QStringLiteral("exportname-strict=true")}));
            const QString wrong = QStringLiteral("nbd://127.0.0.1:%1/games").arg(s.port);
            const platform::NbdExportInfo info = readExport(wrong);
            QVERIFY(info.noSuchExport);
            const std::optional<Problem> p = NbdExportProblem(TargetOf(wrong).nbd(), info);
            QVERIFY(p);
            QCOMPARE(p->kind, ProblemKind::NbdNoSuchExport);
            QVERIFY(ProblemText(*p).contains(QStringLiteral("has no export of that name")));
        }
        // One that takes the connection and says nothing is given up after the limit.
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        std::optional<platform::NbdExportInfo> hung;
        QObject context;
        platform::ReadNbdExport(
            &context, QStringLiteral("nbd://127.0.0.1:%1/hdd0").arg(silent.serverPort()),
            QStringLiteral("hdd0"), [&hung](platform::NbdExportInfo i) { hung = i; }, 500);
        QTRY_VERIFY_WITH_TIMEOUT(hung.has_value(), 10000);
        QVERIFY(hung->timedOut);
        const std::optional<Problem> said = NbdExportProblem(
            TargetOf(QStringLiteral("nbd://127.0.0.1:%1/hdd0").arg(silent.serverPort())).nbd(),
            *hung);
        QVERIFY(said && ProblemText(*said).contains(QStringLiteral("never answered")));
    }

    // The export as a file through nbdfuse: the real tool reads the same table as from the
    // image itself; unmounted, the file is gone; a server lost leaves a mount to unmount.
    void theExportAsAFile()
    {
        if (!have("nbdkit") || !have("nbdfuse") || !have("fusermount3") ||
            !QFile::exists(QStringLiteral("/dev/fuse")))
            QSKIP("nbdkit, nbdfuse and FUSE are needed (packages nbdkit, libnbd-bin, fuse3)");
        const QString image = disk(QStringLiteral("fuse.img"), qint64(2) << 30);
        const QString tool0 = realTool(QStringLiteral("/hdl_dump-0.9.0"));
        const QString tool = realTool(QStringLiteral("/hdl_dump-0.9.2"));
        const bool realTools = QFile::exists(tool0) && QFile::exists(tool);
        if (realTools)
            QCOMPARE(initialize(image), 0);
        Server s;
        QVERIFY(serve(s, image));
        platform::NbdMount mount(
            m_dir.filePath(QStringLiteral("nbd/127.0.0.1-%1-hdd0").arg(s.port)), s.uri());
        std::optional<QString> mounted;
        mount.mount(
            [&mounted](bool ok, const QString& error) { mounted = ok ? QString() : error; });
        QTRY_VERIFY_WITH_TIMEOUT(mounted.has_value(), 20000);
        QVERIFY2(mounted->isEmpty(), qPrintable(*mounted));
        QVERIFY(mount.isMounted());
        QCOMPARE(QFileInfo(mount.diskPath()).size(), qint64(2) << 30);
        QVERIFY(
            platform::NbdMountsUnder(m_dir.filePath(QStringLiteral("nbd"))).contains(mount.dir()));
        if (realTools) {
            const ProcessResult onFile =
                RunProcess(tool, {QStringLiteral("hdl_toc"), image},
                           QProcessEnvironment::systemEnvironment(), m_dir.path());
            const ProcessResult onExport =
                RunProcess(tool, {QStringLiteral("hdl_toc"), mount.diskPath()},
                           QProcessEnvironment::systemEnvironment(), m_dir.path());
            QCOMPARE(onExport.status, 0);
            QCOMPARE(onExport.out, onFile.out);
            QVERIFY(onExport.out.contains(QLatin1String("total 2048MB")));
        }
        std::optional<bool> unmounted;
        mount.unmount([&unmounted](bool ok, const QString&) { unmounted = ok; });
        QTRY_VERIFY_WITH_TIMEOUT(unmounted.has_value(), 10000);
        QVERIFY(*unmounted);
        QVERIFY(!QFile::exists(mount.diskPath()));
        QVERIFY(
            !platform::NbdMountsUnder(m_dir.filePath(QStringLiteral("nbd"))).contains(mount.dir()));

        // The server lost while the tool writes: the tool fails, the mount stays until it is
        // unmounted (it is found as stale, and unmounts).
        if (realTools) {
            const QString image2 = ps2Disk(QStringLiteral("lost.img"));
            QVERIFY(!image2.isEmpty());
            Server lost;
            // As slow as a PS2, so the install is still writing when the server goes.
            QVERIFY(serve(lost, image2, {QStringLiteral("--filter=rate")},
                          {QStringLiteral("rate=5M")}));
            platform::NbdMount m(m_dir.filePath(QStringLiteral("nbd/lost")), lost.uri());
            std::optional<QString> up;
            m.mount([&up](bool ok, const QString& e) { up = ok ? QString() : e; });
            QTRY_VERIFY_WITH_TIMEOUT(up.has_value(), 20000);
            QVERIFY2(up->isEmpty(), qPrintable(*up));
            const QString iso = m_dir.filePath(QStringLiteral("game.iso"));
            QVERIFY(WritePs2Image(iso, QStringLiteral("SLUS_123.45"), QStringLiteral("GAME"),
                                  300 * 1024, 'L', ImageMedia::Dvd));
            QProcess writer;
            writer.setWorkingDirectory(m_dir.path());
            writer.setProcessChannelMode(QProcess::MergedChannels);
            writer.start(tool, {QStringLiteral("inject_dvd"), m.diskPath(), QStringLiteral("Lost"),
                                iso, QStringLiteral("SLUS_123.45"), QStringLiteral("*u4")});
            QVERIFY(writer.waitForStarted());
            QTest::qWait(1500);
            QCOMPARE(writer.state(), QProcess::Running);
            lost.process.kill();
            QVERIFY(writer.waitForFinished(60000));
            QVERIFY2(writer.exitCode() != 0, writer.readAll().constData());
            // Still this program's: not stale while it runs; once its owner is gone, it is.
            const QString nbd = m_dir.filePath(QStringLiteral("nbd"));
            QVERIFY(platform::NbdMountsUnder(nbd).contains(m.dir()));
            QVERIFY(!platform::StaleNbdMounts(nbd).contains(m.dir()));
            QFile owner(m.dir() + QStringLiteral(".owner"));
            QVERIFY(owner.open(QIODevice::WriteOnly | QIODevice::Truncate));
            owner.write("999999999 12345");
            owner.close();
            QVERIFY(platform::StaleNbdMounts(nbd).contains(m.dir()));
            platform::UnmountStale({m.dir()});
            QTRY_VERIFY_WITH_TIMEOUT(!platform::NbdMountsUnder(nbd).contains(m.dir()), 10000);
        }

        // The command line on an nbd:// target: checked, mounted for the command, unmounted.
        if (realTools) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            const QString home = m_dir.filePath(QStringLiteral("home"));
            QDir().mkpath(home + QStringLiteral("/run"));
            QFile::setPermissions(home + QStringLiteral("/run"), QFileDevice::ReadOwner |
                                                                     QFileDevice::WriteOwner |
                                                                     QFileDevice::ExeOwner);
            env.insert(QStringLiteral("HOME"), home);
            for (const char* var : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
                env.insert(QLatin1String(var), home + u'/' + QLatin1String(var));
            env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/run"));
            const QString iso = m_dir.filePath(QStringLiteral("cli.iso"));
            QVERIFY(WritePs2Image(iso, QStringLiteral("SLUS_123.45"), QStringLiteral("GAME"), 4000,
                                  'C', ImageMedia::Dvd));
            QCOMPARE(RunProcess(tool,
                                {QStringLiteral("inject_dvd"), image, QStringLiteral("Over Nbd"),
                                 iso, QStringLiteral("SLUS_123.45")},
                                env, m_dir.path())
                         .status,
                     0);
            auto cli = [&env](const QString& hdlDump, const QString& target) {
                return RunProcess(QStringLiteral(VENTRIK_CLI_PATH),
                                  {QStringLiteral("--hdl-dump"), hdlDump, QStringLiteral("--json"),
                                   QStringLiteral("games"), target},
                                  env);
            };
            const ProcessResult listed = cli(tool, s.uri());
            QVERIFY2(listed.status == 0, qPrintable(listed.err));
            QVERIFY2(listed.out.contains(QLatin1String("\"Over Nbd\"")), qPrintable(listed.out));
            // Named as the user named it, not by the file it was mounted as.
            QCOMPARE(QJsonDocument::fromJson(listed.out.toUtf8())
                         .object()[QStringLiteral("target")]
                         .toString(),
                     s.uri());
            QVERIFY(platform::NbdMountsUnder(home + QStringLiteral("/run")).isEmpty());
            // A mount a crashed run left in the same place is taken away first.
            {
                platform::NbdMount left(home + QStringLiteral("/run/Ventrik/nbd/") +
                                            TargetOf(s.uri()).nbd().key(),
                                        s.uri());
                std::optional<bool> up;
                left.mount([&up](bool ok, const QString&) { up = ok; });
                QTRY_VERIFY_WITH_TIMEOUT(up.has_value(), 20000);
                QVERIFY(*up);
                QFile owner(left.dir() + QStringLiteral(".owner"));
                QVERIFY(owner.open(QIODevice::WriteOnly | QIODevice::Truncate));
                owner.write("999999999 12345");
                owner.close();
                const ProcessResult again = cli(tool, s.uri());
                QVERIFY2(again.status == 0, qPrintable(again.err));
                QVERIFY(platform::NbdMountsUnder(home + QStringLiteral("/run")).isEmpty());
            }
            const ProcessResult release =
                cli(realTool(QStringLiteral("/hdl_dump-0.9.2-release")), s.uri());
            QCOMPARE(release.status, 1);
            QVERIFY2(release.err.contains(QLatin1String("release build")), qPrintable(release.err));
            Server readOnly;
            QVERIFY(serve(readOnly, image, {QStringLiteral("-r")}));
            const ProcessResult refused = cli(tool, readOnly.uri());
            QCOMPARE(refused.status, 1);
            QVERIFY(refused.err.contains(QLatin1String("Turn on \"Write Operations\"")));
            QCOMPARE(cli(tool, QStringLiteral("nbd://127.0.0.1:99999/hdd0")).status, 2);
            QVERIFY(platform::NbdMountsUnder(home + QStringLiteral("/run")).isEmpty());
        }

        // Nobody at the port: nbdfuse ends, and says why.
        platform::NbdMount nowhere(m_dir.filePath(QStringLiteral("nbd/nowhere")),
                                   QStringLiteral("nbd://127.0.0.1:%1/hdd0").arg(freePort()));
        std::optional<QString> failed;
        nowhere.mount(
            [&failed](bool ok, const QString& error) { failed = ok ? QString() : error; });
        QTRY_VERIFY_WITH_TIMEOUT(failed.has_value(), 20000);
        QVERIFY(!failed->isEmpty());
        QVERIFY(!nowhere.isMounted());
    }
};

QTEST_GUILESS_MAIN(TestNbd)
#include "tst_nbd.moc"
