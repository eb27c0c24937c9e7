#include "ApaImage.h"
#include "TestSupport.h"
#include "core/jobs/QueueFile.h"
#include "core/platform/Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLockFile>
#include <QProcess>
#include <QStorageInfo>
#include <QTest>

#include <QSet>
#include <QTcpServer>

#include <QStandardPaths>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// ventrik-cli run as a process against the simulator.
class TestCli : public QObject
{
    Q_OBJECT

    std::unique_ptr<SimWorld> m_world;

    using Result = ProcessResult;
    Result cli(const QStringList& args, qint64 fileSizeLimit = 0)
    {
        return RunProcess(QStringLiteral(VENTRIK_CLI_PATH),
                          QStringList{QStringLiteral("--hdl-dump"), m_world->toolPath()} + args,
                          environment(), {}, fileSizeLimit);
    }
    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = HomeIn(m_world->dir());
        env.insert(QStringLiteral("HDL_SIM_STATE"),
                   m_world->path(QStringLiteral("sim-state.json")));
        env.insert(QStringLiteral("HDL_SIM_LOG"), m_world->path(QStringLiteral("calls.log")));
        return env;
    }
    static QJsonObject json(const QString& text)
    {
        return QJsonDocument::fromJson(text.toUtf8()).object();
    }

    // The simulated disks' paths are files of the test, of their sizes: a target must exist to
    // be used, and Ventrik reads a PS2 disk's first header where the tool writes.
    QString disk(const QString& name) const { return m_world->path(name + QStringLiteral(".img")); }

private slots:
    void init()
    {
        m_world = std::make_unique<SimWorld>();
        QJsonObject s = m_world->state();
        QJsonArray disks = s[QStringLiteral("disks")].toArray();
        for (qsizetype i = 0; i < disks.size(); ++i) {
            QJsonObject d = disks[i].toObject();
            const QString file = disk(d[QStringLiteral("path")].toString().mid(5));
            const qint64 bytes = d[QStringLiteral("size_mb")].toInteger() << 20;
            if (d[QStringLiteral("formatted")].toBool())
                QVERIFY(WriteApaImage(file, bytes, {}));
            else
                QVERIFY(QFile(file).open(QIODevice::WriteOnly) && QFile(file).resize(bytes));
            d[QStringLiteral("path")] = file;
            disks[i] = d;
        }
        s[QStringLiteral("disks")] = disks;
        m_world->setState(s);
    }

    // Asked to end, ventrik-cli is gone within 5 s whatever it waits for, its tool first.
    void aSignalEndsTheCommandLineWithinFiveSeconds_data()
    {
        QTest::addColumn<QString>("waitingFor");
        QTest::newRow("a tool that ignores the polite signals") << QStringLiteral("tool");
        QTest::newRow("an NBD server that never answers") << QStringLiteral("server");
    }
    void aSignalEndsTheCommandLineWithinFiveSeconds()
    {
        QFETCH(QString, waitingFor);
        const QString pidFile = m_world->path(QStringLiteral("tool.pid"));
        // Lists its games at once, then copies its partition table for ever.
        const QString stubborn = m_world->path(QStringLiteral("stubborn"));
        QFile script(stubborn);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\ntrap '' INT TERM\nif [ \"$1\" = hdl_toc ]; then\n"
                     "printf 'type     size flags           dma startup      name\\n"
                     "total 1024MB, used 128MB, available 896MB\\n'; exit 0; fi\n"
                     "echo $$ > " +
                     QFile::encodeName(pidFile) + "\nexec sleep 60\n");
        script.close();
        QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QTcpServer silent;
        QString target = disk(QStringLiteral("sdb"));
        if (waitingFor == QLatin1String("server")) {
            if (QStandardPaths::findExecutable(QStringLiteral("nbdinfo")).isEmpty())
                QSKIP("nbdinfo is needed (package libnbd-bin)");
            // It takes the connection and says nothing, as a hung server does.
            QVERIFY(silent.listen(QHostAddress::LocalHost));
            target = QStringLiteral("nbd://127.0.0.1:%1/hdd0").arg(silent.serverPort());
        }
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start(QStringLiteral(VENTRIK_CLI_PATH),
                {QStringLiteral("--hdl-dump"),
                 waitingFor == QLatin1String("tool") ? stubborn : m_world->toolPath(),
                 QStringLiteral("games"), target});
        QVERIFY(p.waitForStarted());
        if (waitingFor == QLatin1String("tool"))
            QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(pidFile).size() > 0, 20000);
        else
            QTRY_VERIFY_WITH_TIMEOUT(silent.hasPendingConnections(), 20000);
        QElapsedTimer clock;
        clock.start();
        p.terminate();
        QVERIFY(p.waitForFinished(10000));
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(p.exitCode(), 1);
        if (waitingFor == QLatin1String("tool")) {
            QFile pid(pidFile);
            QVERIFY(pid.open(QIODevice::ReadOnly));
            const qint64 tool = pid.readAll().trimmed().toLongLong();
            QVERIFY(tool > 0);
            QTRY_COMPARE(platform::processStartTime(tool), quint64(0));
        }
    }

    void usageErrors()
    {
        for (const QStringList& args :
             {QStringList{}, QStringList{QStringLiteral("frobnicate")},
              QStringList{QStringLiteral("games")},
              QStringList{QStringLiteral("install"), QStringLiteral("hdd1:"), QStringLiteral("x"),
                          QStringLiteral("--flags"), QStringLiteral("9")},
              QStringList{QStringLiteral("install"), QStringLiteral("hdd1:"), QStringLiteral("x"),
                          QStringLiteral("--name"), QString(65, u'x')}}) {
            const Result r = cli(args);
            QCOMPARE(r.status, 2);
            QVERIFY(r.err.startsWith(QStringLiteral("ventrik-cli: ")));
            // One line for the fault, then that command's usage, not the whole help.
            QVERIFY2(!r.err.contains(QStringLiteral("Exit status:")), qPrintable(r.err));
            if (!args.isEmpty() && args[0] != QLatin1String("frobnicate"))
                QVERIFY2(r.err.section(u'\n', 1).startsWith(QStringLiteral("usage: ventrik-cli")) &&
                             r.err.contains(QStringLiteral("  ") + args[0] + u' '),
                         qPrintable(r.err));
        }
        // Help three ways, on standard output, with status 0; one command's on its own.
        for (const QString& asked :
             {QStringLiteral("-h"), QStringLiteral("--help"), QStringLiteral("help")}) {
            const Result r = cli({asked});
            QCOMPARE(r.status, 0);
            QVERIFY(r.out.contains(QStringLiteral("Exit status:")));
        }
        Result r = cli({QStringLiteral("help"), QStringLiteral("games")});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out.count(u'\n'), 2);
        QVERIFY(r.out.contains(QStringLiteral("  games TARGET")));
        r = cli({QStringLiteral("games"), QStringLiteral("--help")});
        QCOMPARE(r.out, cli({QStringLiteral("help"), QStringLiteral("games")}).out);
        // The program's options count after the command too.
        r = cli({QStringLiteral("games"), QStringLiteral("--json"), QStringLiteral("hdd1:")});
        QCOMPARE(r.status, 0);
        QCOMPARE(json(r.out)[QStringLiteral("games")].toArray().size(), 2);
        // A missing file is said as such, once, before the tool is asked.
        for (const QStringList& args :
             {QStringList{QStringLiteral("info"), m_world->path(QStringLiteral("gone.iso"))},
              QStringList{QStringLiteral("install"), QStringLiteral("hdd1:"),
                          m_world->path(QStringLiteral("gone.iso"))}}) {
            r = cli(args);
            QCOMPARE(r.status, 1);
            QCOMPARE(r.err, QStringLiteral("ventrik-cli: The file %1 does not exist.\n")
                                .arg(m_world->path(QStringLiteral("gone.iso"))));
        }
        // A script reading JSON gets the failure on stdout as well, with the same status.
        r = cli({QStringLiteral("--json"), QStringLiteral("info"),
                 m_world->path(QStringLiteral("gone.iso"))});
        QCOMPARE(r.status, 1);
        const QJsonObject failed = json(r.out);
        QCOMPARE(failed[QStringLiteral("ok")].toBool(true), false);
        QVERIFY(failed[QStringLiteral("error")].toString().contains(QStringLiteral("gone.iso")));
        QCOMPARE(failed[QStringLiteral("exit")].toInt(), 1);
        r = cli({QStringLiteral("--json"), QStringLiteral("frobnicate")});
        QCOMPARE(r.status, 2);
        QCOMPARE(json(r.out)[QStringLiteral("exit")].toInt(), 2);
        // A wrong value names the ones allowed; the version is in the help and answers to -V.
        for (const QStringList& args :
             {QStringList{QStringLiteral("install"), QStringLiteral("hdd1:"), QStringLiteral("x"),
                          QStringLiteral("--type"), QStringLiteral("bluray")},
              QStringList{QStringLiteral("queue"), QStringLiteral("add-folder"),
                          QStringLiteral("hdd1:"), m_world->dir(), QStringLiteral("--type"),
                          QStringLiteral("bluray")}}) {
            r = cli(args);
            QCOMPARE(r.status, 2);
            QVERIFY2(r.err.startsWith(
                         QStringLiteral("ventrik-cli: --type takes cd or dvd, not \"bluray\"\n")),
                     qPrintable(r.err));
        }
        QVERIFY(cli({QStringLiteral("--help")}).out.contains(QStringLiteral("--version")));
        r = cli({QStringLiteral("-V")});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.startsWith(QStringLiteral("ventrik-cli ")));
    }

    void gamesAsJsonAndText()
    {
        Result r =
            cli({QStringLiteral("--json"), QStringLiteral("games"), QStringLiteral("hdd1:")});
        QCOMPARE(r.status, 0);
        const QJsonObject o = json(r.out);
        const QJsonArray games = o[QStringLiteral("games")].toArray();
        QCOMPARE(games.size(), 2);
        QCOMPARE(games[0].toObject()[QStringLiteral("name")].toString(),
                 QStringLiteral("Test Game"));
        QCOMPARE(games[0].toObject()[QStringLiteral("size_kb")].toInteger(), 308576);
        QCOMPARE(o[QStringLiteral("space")].toObject()[QStringLiteral("total_mb")].toInteger(),
                 20480);
        r = cli({QStringLiteral("games"), QStringLiteral("hdd1:")});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.startsWith(QStringLiteral("2 games\n")));

        // An unformatted disk is a failure, worded as the windows word it.
        r = cli({QStringLiteral("games"), QStringLiteral("hdd3:")});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("This drive is not a PlayStation 2 HDD.")),
                 qPrintable(r.err));
    }

    void dryRunPrintsTheArgumentsAndWritesNothing()
    {
        const QString out = m_world->path(QStringLiteral("Game One.iso"));
        Result r = cli({QStringLiteral("--dry-run"), QStringLiteral("--json"),
                        QStringLiteral("copy-to-pc"), QStringLiteral("hdd1:"),
                        QStringLiteral("Test Game"), out});
        QCOMPARE(r.status, 0);
        const QJsonArray lists = QJsonDocument::fromJson(r.out.toUtf8()).array();
        QCOMPARE(lists.size(), 1);
        // Exactly what the tool would get: the game's partition, as the listing names it, and
        // the image written beside its final name first.
        QCOMPARE(lists[0].toArray().toVariantList(),
                 (QVariantList{"extract", "hdd1:", "PP.HDL.Test Game", out + ".part"}));
        QVERIFY(!QFile::exists(out));
        // The disk was only read, for the game's name.
        for (const QStringList& call : m_world->calls())
            QVERIFY2(call.isEmpty() || call.first() == QLatin1String("hdl_toc") ||
                         call.first() == QLatin1String("toc"),
                     qPrintable(call.join(u' ')));
        m_world->clearCalls();

        r = cli({QStringLiteral("--dry-run"), QStringLiteral("install"), QStringLiteral("hdd1:"),
                 QStringLiteral("cd0:"), QStringLiteral("--flags"), QStringLiteral("1+3")});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QStringLiteral("cdvd_info cd0:\n"
                                       "inject_cd hdd1: Testgame cd0: SLUS_123.45 +1+3\n"));
        // Only the tool's usage and the disc were read: the older tool lacks cdvd_info2.
        QCOMPARE(m_world->calls(),
                 (QList<QStringList>{{}, {QStringLiteral("cdvd_info"), QStringLiteral("cd0:")}}));
    }

    void jobResultsAndExitStatus()
    {
        const QString out = m_world->path(QStringLiteral("copy.iso"));
        Result r = cli({QStringLiteral("--json"), QStringLiteral("copy-to-pc"),
                        QStringLiteral("hdd1:"), QStringLiteral("Test Game"), out});
        QCOMPARE(r.status, 0);
        QJsonObject o = json(r.out);
        QCOMPARE(o[QStringLiteral("ok")].toBool(), true);
        QCOMPARE(o[QStringLiteral("result")].toString(), QStringLiteral("Complete"));
        QCOMPARE(o[QStringLiteral("exit")].toInt(), 0);
        QVERIFY(QFile::exists(out));

        // The same file again: the tool refuses, and so does the exit status.
        r = cli({QStringLiteral("--json"), QStringLiteral("copy-to-pc"), QStringLiteral("hdd1:"),
                 QStringLiteral("Test Game"), out});
        QCOMPARE(r.status, 1);
        o = json(r.out);
        QCOMPARE(o[QStringLiteral("ok")].toBool(), false);
        QCOMPARE(o[QStringLiteral("result")].toString(),
                 QStringLiteral("Error (File already exists)"));
        QVERIFY(o[QStringLiteral("exit")].toInt() != 0);

        // A crash after "100%" is a failure.
        m_world->setFault({{"mode", "crash"}, {"command", "inject_cd"}, {"text", "100%"}});
        r = cli({QStringLiteral("--json"), QStringLiteral("install"), QStringLiteral("hdd1:"),
                 QStringLiteral("cd0:"), QStringLiteral("--name"), QStringLiteral("X")});
        QCOMPARE(r.status, 1);
        QVERIFY(
            json(r.out)[QStringLiteral("reason")].toString().contains(QStringLiteral("SIGABRT")));
    }

    void devicesAndDoctor()
    {
        Result r = cli({QStringLiteral("--json"), QStringLiteral("devices")});
        QCOMPARE(r.status, 0);
        const QJsonObject o = json(r.out);
        QCOMPARE(o[QStringLiteral("disks")].toArray().size(), 3);
        QCOMPARE(o[QStringLiteral("optical_drives")].toArray().size(), 1);
        r = cli({QStringLiteral("--json"), QStringLiteral("doctor")});
        QCOMPARE(r.status, 0);
        const QJsonObject d = json(r.out);
        QVERIFY(d[QStringLiteral("hdl_dump_executable")].toBool());
        const QVariantList commands = d[QStringLiteral("commands")].toArray().toVariantList();
        QVERIFY(commands.contains(QStringLiteral("query")));
        QVERIFY(commands.contains(QStringLiteral("inject_dvd")));
    }

    // grant and revoke go through pkexec (the tests' fake, which runs the helper on a fake
    // machine); every answer pkexec can give is told.
    void grantAndRevokeThroughPkexec()
    {
        const QString root = m_world->path(QStringLiteral("machine"));
        const QString ps2 = AddFakeDisk(root, QStringLiteral("sdq"), Ps2Sector());
        const QString blank = AddFakeDisk(root, QStringLiteral("sdr"), QByteArray(512, '\0'));
        auto log = [this](const QString& name) {
            QFile f(m_world->path(name));
            f.open(QIODevice::ReadOnly);
            return QString::fromUtf8(f.readAll());
        };

        Result r = cli({QStringLiteral("grant"), ps2});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QStringLiteral("You may now read and write %1.\n").arg(ps2));
        // pkexec was given the helper, its verb and the disk, nothing else.
        const QStringList call = log(QStringLiteral("pkexec.log")).trimmed().split(u' ');
        QCOMPARE(call.size(), 3);
        QVERIFY(call[0].endsWith(QLatin1String("/ventrik-disk-access")));
        QCOMPARE(call.mid(1), (QStringList{QStringLiteral("grant"), ps2}));
        QCOMPARE(log(QStringLiteral("machine/access.log")), QStringLiteral("grant sdq 4242\n"));
        r = cli({QStringLiteral("--json"), QStringLiteral("revoke"), ps2});
        QCOMPARE(r.status, 0);
        QCOMPARE(json(r.out)[QStringLiteral("done")].toBool(), true);
        QVERIFY(
            log(QStringLiteral("machine/access.log")).endsWith(QLatin1String("revoke sdq 4242\n")));

        // A disk without the PS2 signature is refused by the helper, and said so.
        r = cli({QStringLiteral("grant"), blank});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err, QStringLiteral("ventrik-cli: Ventrik may not use %1: %1 is not a PS2 "
                                       "disk.\n")
                            .arg(blank));

        qputenv("FAKE_PKEXEC_MODE", "dismiss");
        r = cli({QStringLiteral("grant"), ps2});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err,
                 QStringLiteral("ventrik-cli: Nothing was changed: the request was dismissed.\n"));
        qputenv("FAKE_PKEXEC_MODE", "deny");
        r = cli({QStringLiteral("grant"), ps2});
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.startsWith(
            QStringLiteral("ventrik-cli: You are not allowed to use %1").arg(ps2)));
        qputenv("FAKE_PKEXEC_MODE", "noagent");
        r = cli({QStringLiteral("grant"), ps2});
        qunsetenv("FAKE_PKEXEC_MODE");
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains(QStringLiteral("sudo setfacl -m u:$USER:rw %1").arg(ps2)));
        QVERIFY(
            r.err.contains(QStringLiteral("ENV{ID_SERIAL_SHORT}==\"SERIAL\", TAG+=\"uaccess\"")));
        // Nothing was granted by any of these.
        QVERIFY(!log(QStringLiteral("machine/access.log")).contains(QLatin1String("sdr")));
        QCOMPARE(log(QStringLiteral("machine/access.log")).count(QLatin1String("grant")), 1);

        // Without pkexec the user learns what to install.
        QProcessEnvironment env = environment();
        env.insert(QStringLiteral("VENTRIK_PKEXEC"), m_world->path(QStringLiteral("no-pkexec")));
        const ProcessResult missing =
            RunProcess(QStringLiteral(VENTRIK_CLI_PATH), {QStringLiteral("grant"), ps2}, env);
        QCOMPARE(missing.status, 1);
        QVERIFY(missing.err.contains(QLatin1String("Install the packages pkexec and acl")));
        QCOMPARE(cli({QStringLiteral("grant"), QStringLiteral("hdd1:")}).status, 2);
    }

    void terminatedCliStopsItsToolFirst()
    {
        QProcess p;
        const qint64 tool = startHungListing(p);
        QVERIFY(tool > 0);
        ::kill(static_cast<pid_t>(p.processId()), SIGTERM);
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(QTest::qWaitFor([tool] { return gone(tool); }, 10000));
    }

    void killedCliInterruptsItsTool()
    {
        QProcess p;
        const qint64 tool = startHungListing(p);
        QVERIFY(tool > 0);
        // The command line dies at once; its tool gets Ctrl+C from the kernel.
        ::kill(static_cast<pid_t>(p.processId()), SIGKILL);
        p.waitForFinished();
        QVERIFY(QTest::qWaitFor([tool] { return gone(tool); }, 10000));
    }

    void theSavedQueueFromTheTerminal()
    {
        m_world->setState([this] {
            QJsonObject s = m_world->state();
            s[QStringLiteral("style")] = QStringLiteral("linux");
            // The disc of the image has the startup of the games on sdb.
            s[QStringLiteral("images")] =
                QJsonObject{{QStringLiteral("one.iso"),
                             QJsonObject{{QStringLiteral("startup"), QStringLiteral("SLUS_123.45")},
                                         {QStringLiteral("name"), QStringLiteral("ONE")},
                                         {QStringLiteral("size_kb"), 5000}}}};
            return s;
        }());
        const QString one = image(QStringLiteral("one.iso"));
        QCOMPARE(
            cli({QStringLiteral("queue"), QStringLiteral("add"), QStringLiteral("install"),
                 disk(QStringLiteral("sdc")), one, QStringLiteral("--name"), QStringLiteral("One")})
                .status,
            0);
        // Installed already: added, with a warning once the disk has been read.
        const Result dup = cli({QStringLiteral("queue"), QStringLiteral("add"),
                                QStringLiteral("install"), disk(QStringLiteral("sdb")), one,
                                QStringLiteral("--name"), QStringLiteral("Small")});
        QCOMPARE(dup.status, 0);
        const Result list =
            cli({QStringLiteral("--json"), QStringLiteral("queue"), QStringLiteral("list")});
        const QJsonArray jobs = QJsonDocument::fromJson(list.out.toUtf8()).array();
        QCOMPARE(jobs.size(), 2);
        QCOMPARE(jobs[0][QStringLiteral("name")].toString(), QStringLiteral("One"));
        QCOMPARE(jobs[1][QStringLiteral("result")].toString(), QStringLiteral("Pending"));

        // The check stops the run and says why; nothing is written.
        m_world->clearCalls();
        const Result stopped = cli({QStringLiteral("queue"), QStringLiteral("run")});
        QCOMPARE(stopped.status, 1);
        QVERIFY2(stopped.err.contains(QStringLiteral("job 2: \"Small\" is already installed on %1.")
                                          .arg(disk(QStringLiteral("sdb")))),
                 qPrintable(stopped.err));
        for (const QStringList& c : m_world->calls())
            QVERIFY(c.first() == QLatin1String("hdl_toc") || c.first() == QLatin1String("toc"));
        // The same findings as JSON, and nothing started.
        const QJsonObject checked = json(
            cli({QStringLiteral("--json"), QStringLiteral("queue"), QStringLiteral("run")}).out);
        QCOMPARE(checked[QStringLiteral("started")].toBool(), false);
        const QJsonArray findings = checked[QStringLiteral("findings")].toArray();
        QCOMPARE(findings.size(), 1);
        QCOMPARE(findings[0][QStringLiteral("job")].toInt(), 2);
        QCOMPARE(findings[0][QStringLiteral("kind")].toString(),
                 QStringLiteral("already-installed"));

        // --yes runs it anyway; every job's result is an object.
        const Result ran = cli({QStringLiteral("--json"), QStringLiteral("queue"),
                                QStringLiteral("run"), QStringLiteral("--yes")});
        QCOMPARE(ran.status, 1);
        const QJsonObject run = json(ran.out);
        QCOMPARE(run[QStringLiteral("started")].toBool(), true);
        QCOMPARE(run[QStringLiteral("findings")].toArray().size(), 1);
        const QJsonArray results = run[QStringLiteral("jobs")].toArray();
        QCOMPARE(results.size(), 2);
        QCOMPARE(results[0][QStringLiteral("result")].toString(), QStringLiteral("Complete"));
        QCOMPARE(results[0][QStringLiteral("ok")].toBool(), true);
        QCOMPARE(results[1][QStringLiteral("ok")].toBool(), false);
        QCOMPARE(results[1][QStringLiteral("result")].toString(),
                 QStringLiteral("Error (File already exists)"));

        // The window's queue is the same file.
        QVERIFY(QFile::exists(m_world->path(QStringLiteral("data/Ventrik/queue.json"))));
        QCOMPARE(cli({QStringLiteral("queue"), QStringLiteral("clear")}).status, 0);
        QCOMPARE(cli({QStringLiteral("queue"), QStringLiteral("list")}).out,
                 QStringLiteral("The queue is empty.\n"));
        QCOMPARE(cli({QStringLiteral("queue"), QStringLiteral("frob")}).status, 2);
    }

    void aKilledQueueRunResumesWhereItStopped()
    {
        QJsonObject s = m_world->state();
        s[QStringLiteral("style")] = QStringLiteral("linux");
        s[QStringLiteral("job_seconds")] = 30;
        m_world->setState(s);
        const QString one = image(QStringLiteral("one.iso"));
        QCOMPARE(cli({QStringLiteral("queue"), QStringLiteral("add"), QStringLiteral("install"),
                      disk(QStringLiteral("sdc")), one, QStringLiteral("--name"),
                      QStringLiteral("Resumed")})
                     .status,
                 0);
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start(QStringLiteral(VENTRIK_CLI_PATH),
                {QStringLiteral("--hdl-dump"), m_world->toolPath(), QStringLiteral("queue"),
                 QStringLiteral("run"), QStringLiteral("--yes")});
        QVERIFY(p.waitForStarted());
        const QString queue = m_world->path(QStringLiteral("data/Ventrik/queue.json"));
        auto injecting = [this] {
            for (const QStringList& c : m_world->calls()) {
                if (c.value(0) == QLatin1String("inject_dvd") ||
                    c.value(0) == QLatin1String("inject_cd"))
                    return true;
            }
            return false;
        };
        QVERIFY(QTest::qWaitFor(injecting, 20000));
        QFile saved(queue);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().contains("\"state\": \"active\""));
        ::kill(static_cast<pid_t>(p.processId()), SIGKILL);
        p.waitForFinished();

        // Started again: the game is not on the disk, so the job runs again and completes.
        s = m_world->state();
        s[QStringLiteral("job_seconds")] = 0.3;
        m_world->setState(s);
        QVERIFY(QTest::qWaitFor(
            [this] {
                const QJsonArray games =
                    m_world->state()[QStringLiteral("disks")][1][QStringLiteral("games")].toArray();
                return games.isEmpty();
            },
            5000));
        const Result again =
            cli({QStringLiteral("queue"), QStringLiteral("run"), QStringLiteral("--yes")});
        QCOMPARE(again.status, 0);
        QVERIFY2(again.out.contains(QStringLiteral("job 1 Resumed: Complete")),
                 qPrintable(again.out));
    }

    void aFolderOfImagesFromTheTerminal()
    {
        QJsonObject s = m_world->state();
        s[QStringLiteral("style")] = QStringLiteral("linux");
        s[QStringLiteral("images")] =
            QJsonObject{{QStringLiteral("one.ISO"),
                         QJsonObject{{QStringLiteral("startup"), QStringLiteral("SLES_1.01")},
                                     {QStringLiteral("name"), QStringLiteral("ONE")},
                                     {QStringLiteral("size_kb"), 5000}}},
                        {QStringLiteral("two.cue"),
                         QJsonObject{{QStringLiteral("startup"), QStringLiteral("SLES_1.01")},
                                     {QStringLiteral("name"), QStringLiteral("ONE")},
                                     {QStringLiteral("size_kb"), 5000}}},
                        {QStringLiteral("photo.iso"), QJsonObject{{QStringLiteral("ps2"), false}}}};
        m_world->setState(s);
        QDir().mkpath(m_world->path(QStringLiteral("pile/deep")));
        for (const char* f :
             {"pile/one.ISO", "pile/deep/two.cue", "pile/photo.iso", "pile/x.txt"}) {
            QFile file(m_world->path(QString::fromLatin1(f)));
            file.open(QIODevice::WriteOnly);
            file.write("x");
        }
        const Result added =
            cli({QStringLiteral("--json"), QStringLiteral("queue"), QStringLiteral("add-folder"),
                 QStringLiteral("127.0.0.1"), m_world->path(QStringLiteral("pile")),
                 QStringLiteral("--type"), QStringLiteral("cd")});
        QCOMPARE(added.status, 0);
        const QJsonObject summary = json(added.out);
        QCOMPARE(summary[QStringLiteral("added")].toArray().size(), 1);
        QCOMPARE(summary[QStringLiteral("added")][0][QStringLiteral("type")].toString(),
                 QStringLiteral("CD-ROM"));
        QCOMPARE(summary[QStringLiteral("already_queued")].toArray().size(), 1);
        QCOMPARE(summary[QStringLiteral("not_ps2")].toArray().size(), 1);
        // The same folder again: everything is queued already.
        const Result again =
            cli({QStringLiteral("queue"), QStringLiteral("add-folder"), QStringLiteral("127.0.0.1"),
                 m_world->path(QStringLiteral("pile"))});
        QVERIFY2(again.out.endsWith(QStringLiteral("0 of 3 images added\n")),
                 qPrintable(again.out));
        QCOMPARE(cli({QStringLiteral("queue"), QStringLiteral("add-folder"),
                      QStringLiteral("127.0.0.1"), m_world->path(QStringLiteral("nothing"))})
                     .status,
                 2);
    }

    void renameAndFlagsThroughModify()
    {
        QJsonObject s = m_world->state();
        s[QStringLiteral("style")] = QStringLiteral("linux");
        m_world->setState(s);
        const Result dry =
            cli({QStringLiteral("--dry-run"), QStringLiteral("flags"), QStringLiteral("127.0.0.1"),
                 QStringLiteral("Net Game"), QStringLiteral("1+3")});
        // Flags alone: without a new name the tool reads them in its place. The game is named
        // by its partition, as the run names it.
        QCOMPARE(dry.out, QStringLiteral("modify 127.0.0.1 PP.SLUS-12345..NET_GAME +1+3\n"));
        QCOMPARE(cli({QStringLiteral("rename"), QStringLiteral("127.0.0.1"),
                      QStringLiteral("Net Game"), QStringLiteral("Renamed Game")})
                     .status,
                 0);
        QCOMPARE(cli({QStringLiteral("flags"), QStringLiteral("127.0.0.1"),
                      QStringLiteral("Renamed Game"), QStringLiteral("2")})
                     .status,
                 0);
        const QJsonObject games = json(
            cli({QStringLiteral("--json"), QStringLiteral("games"), QStringLiteral("127.0.0.1")})
                .out);
        QCOMPARE(games[QStringLiteral("games")][0][QStringLiteral("name")].toString(),
                 QStringLiteral("Renamed Game"));
        QCOMPARE(games[QStringLiteral("games")][0][QStringLiteral("flags")].toString(),
                 QStringLiteral("2"));
        // A game that is not there, and an older tool without modify.
        const Result missing = cli({QStringLiteral("rename"), QStringLiteral("127.0.0.1"),
                                    QStringLiteral("Nope"), QStringLiteral("X")});
        QCOMPARE(missing.status, 1);
        QVERIFY2(missing.err.contains(QStringLiteral("No game called \"Nope\" is on 127.0.0.1.")),
                 qPrintable(missing.err));
        s[QStringLiteral("style")] = QStringLiteral("win");
        m_world->setState(s);
        const Result old = cli({QStringLiteral("flags"), QStringLiteral("127.0.0.1"),
                                QStringLiteral("Net Game"), QStringLiteral("3")});
        QCOMPARE(old.status, 1);
        QVERIFY(old.err.contains(QStringLiteral("no \"modify\" command")));
    }

    void filesWhoseNamesAreNotUtf8AreListedAsSkipped()
    {
        const QByteArray folder = QFile::encodeName(m_world->path(QStringLiteral("pile")));
        QDir().mkpath(m_world->path(QStringLiteral("pile")));
        QVERIFY(::close(::open((folder + "/bad\xff\xfe.iso").constData(), O_CREAT | O_WRONLY,
                               0600)) == 0);
        QVERIFY(::mkdir((folder + "/dir\xff").constData(), 0700) == 0);
        QVERIFY(::close(::open((folder + "/dir\xff/inside.iso").constData(), O_CREAT | O_WRONLY,
                               0600)) == 0);
        QVERIFY(::close(::open((folder + "/notes\xff.txt").constData(), O_CREAT | O_WRONLY,
                               0600)) == 0);
        const Result r =
            cli({QStringLiteral("--json"), QStringLiteral("queue"), QStringLiteral("add-folder"),
                 QStringLiteral("127.0.0.1"), QString::fromUtf8(folder)});
        QCOMPARE(r.status, 0);
        const QJsonArray skipped = json(r.out)[QStringLiteral("skipped")].toArray();
        QCOMPARE(skipped.size(), 2);
        QStringList reasons;
        for (const QJsonValue s : skipped)
            reasons << s[QStringLiteral("reason")].toString();
        QVERIFY(reasons.filter(QStringLiteral("its name is not valid UTF-8")).size() == 1);
        QVERIFY(reasons.filter(QStringLiteral("a folder whose name is not valid UTF-8")).size() ==
                1);
        const Result text = cli({QStringLiteral("queue"), QStringLiteral("add-folder"),
                                 QStringLiteral("127.0.0.1"), QString::fromUtf8(folder)});
        QVERIFY2(text.out.contains(QStringLiteral("skipped")) &&
                     text.out.contains(QStringLiteral("0 of 2 images added")),
                 qPrintable(text.out));
    }

    void aToolThatCannotRunIsSaidOnce()
    {
        const QString tool = m_world->path(QStringLiteral("not-executable"));
        QFile f(tool);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n");
        f.close();
        QDir().mkpath(m_world->path(QStringLiteral("pile")));
        image(QStringLiteral("pile/one.iso"));
        for (const QStringList& args :
             {QStringList{QStringLiteral("make-iso"), QStringLiteral("cd0:"),
                          m_world->path(QStringLiteral("o.iso"))},
              QStringList{QStringLiteral("queue"), QStringLiteral("add-folder"),
                          QStringLiteral("hdd1:"), m_world->path(QStringLiteral("pile"))},
              QStringList{QStringLiteral("delete"), QStringLiteral("hdd1:"),
                          QStringLiteral("Small")}}) {
            const Result r =
                RunProcess(QStringLiteral(VENTRIK_CLI_PATH),
                           QStringList{QStringLiteral("--hdl-dump"), tool} + args, environment());
            QCOMPARE(r.status, 1);
            QCOMPARE((r.out + r.err).count(QStringLiteral("cannot be run")), 1);
            QVERIFY2(!r.err.contains(QStringLiteral("No game called")), qPrintable(r.err));
        }
    }

    void namesWithControlCharactersAreRefused()
    {
        const QString one = image(QStringLiteral("one.iso"));
        for (const QStringList& args :
             {QStringList{QStringLiteral("install"), QStringLiteral("hdd2:"), one,
                          QStringLiteral("--name"), QStringLiteral("Re\nz")},
              QStringList{QStringLiteral("rename"), QStringLiteral("hdd1:"),
                          QStringLiteral("Small"), QStringLiteral("Bell\x07")}}) {
            const Result r = cli(args);
            QCOMPARE(r.status, 2);
            QVERIFY2(r.err.contains(QStringLiteral("cannot hold a control character")),
                     qPrintable(r.err));
        }
        for (const QStringList& c : m_world->calls())
            QVERIFY(!c.value(0).startsWith(QLatin1String("inject")) &&
                    c.value(0) != QLatin1String("modify"));
    }

    void targetsAreCheckedBeforeTheToolRuns()
    {
        for (const QString& target :
             {QStringLiteral("127.0.0.1 ; rm -rf /"), QStringLiteral("999.1.1.1"),
              QStringLiteral("hdd1"), m_world->path(QStringLiteral("nothing-here.img")),
              m_world->dir()}) {
            const Result r = cli({QStringLiteral("games"), target});
            QCOMPARE(r.status, 2);
            QVERIFY2(r.err.contains(QStringLiteral("is no PS2 target")), qPrintable(r.err));
        }
        QVERIFY(m_world->calls().isEmpty());
        // A disk image named from the caller's folder is that file, made absolute.
        QFile(m_world->path(QStringLiteral("here.img"))).open(QIODevice::WriteOnly);
        QProcess p;
        p.setProcessEnvironment(environment());
        p.setWorkingDirectory(m_world->dir());
        p.start(QStringLiteral(VENTRIK_CLI_PATH),
                {QStringLiteral("--hdl-dump"), m_world->toolPath(), QStringLiteral("--dry-run"),
                 QStringLiteral("games"), QStringLiteral("here.img")});
        QVERIFY(p.waitForFinished());
        QVERIFY(QString::fromUtf8(p.readAllStandardOutput())
                    .startsWith(QStringLiteral("hdl_toc ") +
                                m_world->path(QStringLiteral("here.img"))));
    }

    void outputNotUnderstoodIsNoEmptyDisk()
    {
        // The tool ends well and prints something that is no game table.
        m_world->setFault({{"mode", "error"},
                           {"command", "hdl_toc"},
                           {"text", "garbage instead of a table"},
                           {"exit", 0}});
        const Result r = cli({QStringLiteral("games"), QStringLiteral("hdd1:")});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("the tool's output was not understood")),
                 qPrintable(r.err));
        QVERIFY(!r.out.contains(QStringLiteral("0 games")));
        // What it printed is in the run log.
        QFile log(m_world->path(QStringLiteral("state/Ventrik/run.log")));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().contains("garbage instead of a table"));
    }

    void aGameIsCheckedByItsIdentity()
    {
        QJsonObject s = m_world->state();
        s[QStringLiteral("style")] = QStringLiteral("linux");
        s[QStringLiteral("images")] =
            QJsonObject{{QStringLiteral("other.iso"),
                         QJsonObject{{QStringLiteral("startup"), QStringLiteral("SLES_999.99")},
                                     {QStringLiteral("name"), QStringLiteral("OTHER")},
                                     {QStringLiteral("size_kb"), 5000}}}};
        m_world->setState(s);
        const QString other = image(QStringLiteral("other.iso"));
        // The tool reports success and writes nothing; a game of that title was there before.
        m_world->setFault({{"mode", "vanish"}, {"command", "inject_dvd"}});
        Result r =
            cli({QStringLiteral("--json"), QStringLiteral("install"), disk(QStringLiteral("sdb")),
                 other, QStringLiteral("--name"), QStringLiteral("Test Game"),
                 QStringLiteral("--type"), QStringLiteral("dvd")});
        QCOMPARE(r.status, 1);
        QCOMPARE(json(r.out)[QStringLiteral("ok")].toBool(), false);
        QVERIFY2(json(r.out)[QStringLiteral("result")].toString().contains(
                     QStringLiteral("reported success, but Test Game is not on")),
                 qPrintable(r.out));

        // The disk could not be read after the write: done, but not verified (exit 3).
        m_world->setFault({{"mode", "error"},
                           {"command", "hdl_toc"},
                           {"skip", 1},
                           {"text", "Network communication timeout."},
                           {"exit", 127}});
        r = cli({QStringLiteral("--json"), QStringLiteral("install"), disk(QStringLiteral("sdb")),
                 other, QStringLiteral("--name"), QStringLiteral("Checked"),
                 QStringLiteral("--type"), QStringLiteral("dvd")});
        QCOMPARE(r.status, 3);
        const QJsonObject o = json(r.out);
        QCOMPARE(o[QStringLiteral("ok")].toBool(), true);
        QCOMPARE(o[QStringLiteral("verified")].toBool(), false);
        QVERIFY2(o[QStringLiteral("result")].toString().startsWith(
                     QStringLiteral("Complete, not verified: ")),
                 qPrintable(o[QStringLiteral("result")].toString()));
    }

    void gamesWithTheirPartitionsAndSizes()
    {
        const Result r =
            cli({QStringLiteral("--json"), QStringLiteral("games"), QStringLiteral("hdd1:")});
        const QJsonArray games = json(r.out)[QStringLiteral("games")].toArray();
        QCOMPARE(games[0][QStringLiteral("partition")].toString(),
                 QStringLiteral("PP.HDL.Test Game"));
        QCOMPARE(games[1][QStringLiteral("partition")].toString(), QStringLiteral("PP.HDL.Small"));
        const QString text = cli({QStringLiteral("games"), QStringLiteral("hdd1:")}).out;
        QVERIFY2(text.contains(QStringLiteral("1.3MB")) && text.contains(QStringLiteral("301MB")),
                 qPrintable(text));
        for (const QString& line : text.split(u'\n')) {
            if (line.startsWith(QLatin1String("CD")))
                QVERIFY2(!line.contains(QStringLiteral("GB")), qPrintable(line));
        }
    }

    void relativePathsAreTheCallersAndTheToolRunsApart()
    {
        QJsonObject s = m_world->state();
        s[QStringLiteral("style")] = QStringLiteral("linux");
        s[QStringLiteral("gauge")] = true;
        s[QStringLiteral("images")] =
            QJsonObject{{QStringLiteral("mine.iso"),
                         QJsonObject{{QStringLiteral("startup"), QStringLiteral("SLUS_777.77")},
                                     {QStringLiteral("name"), QStringLiteral("MINE")},
                                     {QStringLiteral("size_kb"), 5000}}}};
        m_world->setState(s);
        const QString elsewhere = m_world->path(QStringLiteral("elsewhere"));
        QDir().mkpath(elsewhere);
        QFile(elsewhere + QStringLiteral("/mine.iso")).open(QIODevice::WriteOnly);
        const QString beside =
            QFileInfo(QStringLiteral(VENTRIK_CLI_PATH)).dir().filePath(QStringLiteral("info.sys"));
        const bool besideBefore = QFile::exists(beside);
        QProcess p;
        p.setProcessEnvironment(environment());
        p.setWorkingDirectory(elsewhere);
        p.start(QStringLiteral(VENTRIK_CLI_PATH),
                {QStringLiteral("--hdl-dump"), m_world->toolPath(), QStringLiteral("install"),
                 disk(QStringLiteral("sdc")), QStringLiteral("mine.iso"), QStringLiteral("--name"),
                 QStringLiteral("Mine")});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        bool given = false;
        for (const QStringList& c : m_world->calls())
            given = given || (c.value(0) == QLatin1String("inject_cd") &&
                              c.value(3) == elsewhere + QStringLiteral("/mine.iso"));
        QVERIFY(given);
        QVERIFY(QFile::exists(m_world->path(QStringLiteral("state/Ventrik/work/info.sys"))));
        QVERIFY(!QFile::exists(elsewhere + QStringLiteral("/info.sys")));
        QCOMPARE(QFile::exists(beside), besideBefore);
    }

    // One writer per disk ------------------------------------------------------------

    // One disk is one disk whatever it is called: a hard link, a symbolic link, "./", a bind
    // mount of it are all the same writer's while one writes.
    void oneDiskByAnyNameHasOneWriter_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("hard link") << QStringLiteral("hard");
        QTest::newRow("symbolic link") << QStringLiteral("soft");
        QTest::newRow("./") << QStringLiteral("dot");
        QTest::newRow("bind mount") << QStringLiteral("bind");
    }
    void oneDiskByAnyNameHasOneWriter()
    {
        QFETCH(QString, name);
        const bool bind = name == QLatin1String("bind");
        if (bind && (QStandardPaths::findExecutable(QStringLiteral("unshare")).isEmpty() ||
                     QProcess::execute(QStringLiteral("unshare"),
                                       {QStringLiteral("-m"), QStringLiteral("true")}) != 0))
            QSKIP("no private mount namespace can be made here");
        QJsonObject s = m_world->state();
        s[QStringLiteral("style")] = QStringLiteral("linux");
        m_world->setState(s);
        m_world->holdJobsAt(50);
        const QString sdc = disk(QStringLiteral("sdc"));
        const QString other = m_world->path(QStringLiteral("other-name.img"));
        QString named = other;
        if (name == QLatin1String("hard"))
            QCOMPARE(
                ::link(QFile::encodeName(sdc).constData(), QFile::encodeName(other).constData()),
                0);
        else if (name == QLatin1String("soft"))
            QVERIFY(QFile::link(sdc, other));
        else if (name == QLatin1String("dot"))
            named = QStringLiteral("./") + QFileInfo(sdc).fileName();
        else
            QVERIFY(QFile(other).open(QIODevice::WriteOnly));
        QProcess run;
        run.setProcessEnvironment(environment());
        run.start(QStringLiteral(VENTRIK_CLI_PATH),
                  {QStringLiteral("--hdl-dump"), m_world->toolPath(), QStringLiteral("install"),
                   sdc, image(QStringLiteral("one.iso")), QStringLiteral("--name"),
                   QStringLiteral("One")});
        QVERIFY(QTest::qWaitFor(
            [&] {
                for (const QStringList& c : m_world->calls())
                    if (c.value(0).startsWith(QLatin1String("inject")))
                        return true;
                return false;
            },
            20000));
        const QStringList install{QStringLiteral("--hdl-dump"),
                                  m_world->toolPath(),
                                  QStringLiteral("--no-wait"),
                                  QStringLiteral("install"),
                                  named,
                                  image(QStringLiteral("two.iso")),
                                  QStringLiteral("--name"),
                                  QStringLiteral("Two")};
        Result second;
        if (bind) {
            // In a mount namespace of its own, where the other name is the disk bound onto it.
            const QString script =
                QStringLiteral("mount --bind \"$1\" \"$2\" && shift 2 && exec \"$@\"");
            second = RunProcess(QStringLiteral("unshare"),
                                QStringList{QStringLiteral("-m"), QStringLiteral("sh"),
                                            QStringLiteral("-c"), script, QStringLiteral("sh"), sdc,
                                            other, QStringLiteral(VENTRIK_CLI_PATH)} +
                                    install,
                                environment());
        } else {
            second = RunProcess(QStringLiteral(VENTRIK_CLI_PATH), install, environment(),
                                m_world->dir());
        }
        QCOMPARE(second.status, 1);
        QVERIFY2((second.err + second.out).contains(QStringLiteral("is in use")),
                 qPrintable(second.err + second.out));
        m_world->releaseJobs();
        QVERIFY(run.waitForFinished(30000));
        QCOMPARE(run.exitCode(), 0);
    }

    // One image file, one writer: a queued copy and a direct copy to the same file.
    void oneImageFileHasOneWriter()
    {
        QJsonObject s = m_world->state();
        s[QStringLiteral("style")] = QStringLiteral("linux");
        m_world->setState(s);
        m_world->holdJobsAt(50);
        const QString sdb = disk(QStringLiteral("sdb"));
        const QString out = m_world->path(QStringLiteral("out/y.iso"));
        QVERIFY(QDir().mkpath(m_world->path(QStringLiteral("out"))));
        QProcess first;
        first.setProcessEnvironment(environment());
        first.start(QStringLiteral(VENTRIK_CLI_PATH),
                    {QStringLiteral("--hdl-dump"), m_world->toolPath(),
                     QStringLiteral("copy-to-pc"), sdb, QStringLiteral("Test Game"), out});
        QVERIFY(
            QTest::qWaitFor([&] { return QFile::exists(out + QStringLiteral(".part")); }, 20000));
        // The same file by another name of its folder.
        QVERIFY(QFile::link(m_world->path(QStringLiteral("out")),
                            m_world->path(QStringLiteral("alias"))));
        const Result second =
            cli({QStringLiteral("--no-wait"), QStringLiteral("copy-to-pc"), sdb,
                 QStringLiteral("Test Game"), m_world->path(QStringLiteral("alias/y.iso"))});
        QCOMPARE(second.status, 1);
        QVERIFY2(second.err.contains(QStringLiteral("is in use")), qPrintable(second.err));
        m_world->releaseJobs();
        QVERIFY(first.waitForFinished(30000));
        QCOMPARE(first.exitCode(), 0);
        QVERIFY(QFileInfo(out).size() > 0);
    }

    // Titles, labels and paths reach the terminal shown, not obeyed; JSON escapes them as
    // JSON does.
    void controlCharactersAreShownNotObeyed()
    {
        QJsonObject s = m_world->state();
        QJsonArray disks = s[QStringLiteral("disks")].toArray();
        QJsonObject d = disks[0].toObject();
        d[QStringLiteral("games")] =
            QJsonArray{SimWorld::game(QStringLiteral("Red\x1b[31m \x1b]0;owned\x07Title\u009b2J"),
                                      QStringLiteral("SLUS_123.45"), QStringLiteral("CD"), 5000)};
        disks[0] = d;
        s[QStringLiteral("disks")] = disks;
        m_world->setState(s);
        const Result text = cli({QStringLiteral("games"), QStringLiteral("hdd1:")});
        QCOMPARE(text.status, 0);
        QVERIFY(!text.out.contains(QChar(0x1b)) && !text.out.contains(QChar(0x07)) &&
                !text.out.contains(QChar(0x9b)));
        QVERIFY2(text.out.contains(QStringLiteral("Red\\x1b[31m \\x1b]0;owned\\x07Title\\x9b2J")),
                 qPrintable(text.out));
        const Result json =
            cli({QStringLiteral("--json"), QStringLiteral("games"), QStringLiteral("hdd1:")});
        QCOMPARE(json.status, 0);
        QVERIFY(!json.out.contains(QChar(0x1b)) && !json.out.contains(QChar(0x9b)));
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(json.out.toUtf8(), &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(doc[QStringLiteral("games")][0][QStringLiteral("name")].toString(),
                 QStringLiteral("Red\x1b[31m \x1b]0;owned\x07Title\u009b2J"));
    }

    // The owner of the queue killed while it takes in what was handed over: nothing is lost,
    // nothing taken twice.
    void killingTheOwnerLosesNoJob()
    {
        const QString data = m_world->path(QStringLiteral("data/Ventrik"));
        QVERIFY(QDir().mkpath(data));
        QList<Job> handed;
        for (int i = 0; i < 400; ++i)
            handed << m_world->install(QStringLiteral("Game %1").arg(i), QStringLiteral("hdd1:"));
        for (Job& j : handed)
            j.id = NewJobId();
        QString error;
        QVERIFY(SaveQueueFile(data + QStringLiteral("/queue-inbox.json"), handed, &error));
        for (const int ms : {0, 2, 5, 10, 20, 40, 80}) {
            QProcess owner;
            owner.setProcessEnvironment(environment());
            owner.start(QStringLiteral(VENTRIK_CLI_PATH),
                        {QStringLiteral("--hdl-dump"), m_world->toolPath(), QStringLiteral("queue"),
                         QStringLiteral("list")});
            QVERIFY(owner.waitForStarted());
            QTest::qWait(ms);
            ::kill(static_cast<pid_t>(owner.processId()), SIGKILL);
            QVERIFY(owner.waitForFinished(10000));
        }
        const Result listed =
            cli({QStringLiteral("--json"), QStringLiteral("queue"), QStringLiteral("list")});
        QCOMPARE(listed.status, 0);
        const QJsonArray jobs = QJsonDocument::fromJson(listed.out.toUtf8()).array();
        QSet<QString> names;
        for (const QJsonValue& j : jobs)
            names.insert(j[QStringLiteral("name")].toString());
        QCOMPARE(jobs.size(), 400);
        QCOMPARE(names.size(), 400);
    }

    void oneWriterPerDisk()
    {
        QJsonObject s = m_world->state();
        s[QStringLiteral("style")] = QStringLiteral("linux");
        s[QStringLiteral("images")] =
            QJsonObject{{QStringLiteral("one.iso"),
                         QJsonObject{{QStringLiteral("startup"), QStringLiteral("SLUS_100.01")},
                                     {QStringLiteral("name"), QStringLiteral("ONE")},
                                     {QStringLiteral("size_kb"), 5000}}},
                        {QStringLiteral("two.iso"),
                         QJsonObject{{QStringLiteral("startup"), QStringLiteral("SLUS_100.02")},
                                     {QStringLiteral("name"), QStringLiteral("TWO")},
                                     {QStringLiteral("size_kb"), 5000}}}};
        m_world->setState(s);
        m_world->holdJobsAt(50); // the queue's install stays mid-way until released
        const QString sdc = disk(QStringLiteral("sdc"));
        const QString one = image(QStringLiteral("one.iso"));
        const QString two = image(QStringLiteral("two.iso"));
        QCOMPARE(cli({QStringLiteral("queue"), QStringLiteral("add"), QStringLiteral("install"),
                      sdc, one, QStringLiteral("--name"), QStringLiteral("One")})
                     .status,
                 0);
        QProcess run;
        run.setProcessEnvironment(environment());
        run.start(QStringLiteral(VENTRIK_CLI_PATH),
                  {QStringLiteral("--hdl-dump"), m_world->toolPath(), QStringLiteral("queue"),
                   QStringLiteral("run"), QStringLiteral("--yes")});
        auto injects = [this] {
            QList<qsizetype> at;
            const QList<QStringList> calls = m_world->calls();
            for (qsizetype i = 0; i < calls.size(); ++i) {
                if (calls[i].value(0).startsWith(QLatin1String("inject")))
                    at << i;
            }
            return at;
        };
        QVERIFY(QTest::qWaitFor([&] { return injects().size() == 1; }, 20000));
        // Refused at once with --no-wait, naming who writes.
        const QStringList install{QStringLiteral("install"), sdc, two, QStringLiteral("--name"),
                                  QStringLiteral("Two")};
        const Result refused = cli(QStringList{QStringLiteral("--no-wait")} + install);
        QCOMPARE(refused.status, 1);
        QVERIFY2(
            refused.err.contains(QStringLiteral("%1 is in use: the queue writes to it").arg(sdc)),
            qPrintable(refused.err));
        QCOMPARE(injects().size(), 1);
        // Waits otherwise, and writes only once the queue is done with the disk.
        QProcess waiting;
        waiting.setProcessEnvironment(environment());
        waiting.start(QStringLiteral(VENTRIK_CLI_PATH),
                      QStringList{QStringLiteral("--hdl-dump"), m_world->toolPath()} + install);
        QByteArray said;
        QVERIFY(QTest::qWaitFor(
            [&] {
                said += waiting.readAllStandardError();
                return said.contains("Waiting for the queue to finish with " + sdc.toUtf8());
            },
            20000));
        QCOMPARE(injects().size(), 1);
        m_world->releaseJobs();
        QVERIFY(run.waitForFinished(30000));
        QCOMPARE(run.exitCode(), 0);
        QVERIFY(waiting.waitForFinished(30000));
        QCOMPARE(waiting.exitCode(), 0);
        const QList<qsizetype> at = injects();
        QCOMPARE(at.size(), 2);
        const QList<QStringList> calls = m_world->calls();
        qsizetype checked = -1; // the queue's read of the disk after its game
        for (qsizetype i = at[0] + 1; i < calls.size() && checked < 0; ++i) {
            if (calls[i].value(0) == QLatin1String("toc"))
                checked = i;
        }
        QVERIFY(checked > at[0]);
        QVERIFY(at[1] > checked);
        QCOMPARE(
            m_world->state()[QStringLiteral("disks")][1][QStringLiteral("games")].toArray().size(),
            2);
    }

    void anImageIsKeptOnlyWhenWhole()
    {
        // A copy cut to one byte is no image.
        const QString out = m_world->path(QStringLiteral("Test Game.iso"));
        QVERIFY(cli({QStringLiteral("queue"), QStringLiteral("add"), QStringLiteral("copy-to-pc"),
                     QStringLiteral("hdd1:"), QStringLiteral("Test Game"), out})
                    .status == 0);
        m_world->setFault({{"mode", "short"}, {"command", "extract"}});
        Result r = cli({QStringLiteral("--json"), QStringLiteral("queue"), QStringLiteral("run"),
                        QStringLiteral("--yes")});
        QCOMPARE(r.status, 1);
        const QJsonObject job = json(r.out)[QStringLiteral("jobs")].toArray()[0].toObject();
        QVERIFY2(job[QStringLiteral("reason")].toString().contains(
                     QStringLiteral("The image has 1 bytes where the game has 315981824")),
                 qPrintable(job[QStringLiteral("reason")].toString()));
        QVERIFY(!QFile::exists(out));
        QVERIFY(!QFile::exists(out + QStringLiteral(".part")));
        // Whole, it takes the older one's place.
        m_world->setFault({});
        r = cli({QStringLiteral("queue"), QStringLiteral("run"), QStringLiteral("--yes")});
        QCOMPARE(r.status, 0);
        QCOMPARE(QFileInfo(out).size(), qint64(308576) * 1024);

        // No room in the folder for the game: refused before anything is written.
        QJsonObject s = m_world->state();
        QJsonArray disks = s[QStringLiteral("disks")].toArray();
        QJsonObject disk = disks[0].toObject();
        // More than the test's folder has free, on a disk large enough to hold it.
        const qint64 free = QStorageInfo(m_world->dir()).bytesAvailable() / 1024;
        disk[QStringLiteral("size_mb")] = free / 1024 * 2 + 100000;
        disk[QStringLiteral("games")] =
            QJsonArray{SimWorld::game(QStringLiteral("Huge"), QStringLiteral("SLUS_999.99"),
                                      QStringLiteral("DVD"), free + 1024 * 1024)};
        disks[0] = disk;
        s[QStringLiteral("disks")] = disks;
        m_world->setState(s);
        m_world->clearCalls();
        r = cli({QStringLiteral("copy-to-pc"), QStringLiteral("hdd1:"), QStringLiteral("Huge"),
                 m_world->path(QStringLiteral("huge.iso"))});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("are free there")), qPrintable(r.err));
        for (const QStringList& c : m_world->calls())
            QVERIFY(c.value(0) != QLatin1String("extract"));
    }

    void devicesAndFifosAreNoFiles()
    {
        QJsonObject s = m_world->state();
        s[QStringLiteral("style")] = QStringLiteral("linux");
        m_world->setState(s);
        QDir().mkpath(m_world->path(QStringLiteral("pile")));
        image(QStringLiteral("pile/one.iso"));
        const QString fifo = m_world->path(QStringLiteral("fifo"));
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        // A disc database named /dev/zero or a FIFO: said, never read without end or waited for.
        for (const QString& database : {QStringLiteral("/dev/zero"), fifo}) {
            QFile conf(m_world->path(QStringLiteral(".hdl_dump.conf")));
            QVERIFY(conf.open(QIODevice::WriteOnly | QIODevice::Truncate));
            conf.write("\"disc_database_file\" = \"" + database.toUtf8() + "\"\n");
            conf.close();
            QElapsedTimer clock;
            clock.start();
            const Result r =
                cli({QStringLiteral("queue"), QStringLiteral("add-folder"),
                     QStringLiteral("127.0.0.1"), m_world->path(QStringLiteral("pile"))});
            QVERIFY(clock.elapsed() < 20000);
            QCOMPARE(r.status, 0);
            QVERIFY2(r.err.contains(QStringLiteral("The disc database could not be read (%1: it is "
                                                   "not a regular file)")
                                        .arg(database)),
                     qPrintable(r.err));
            cli({QStringLiteral("queue"), QStringLiteral("clear")});
        }
        // A FIFO as the saved queue: kept aside at once, not opened and waited on.
        const QString queue = m_world->path(QStringLiteral("data/Ventrik/queue.json"));
        QFile::remove(queue);
        QVERIFY(::mkfifo(QFile::encodeName(queue).constData(), 0600) == 0);
        const Result listed = cli({QStringLiteral("queue"), QStringLiteral("list")});
        QCOMPARE(listed.status, 0);
        QVERIFY2(listed.err.contains(QStringLiteral("it is not a regular file")),
                 qPrintable(listed.err));
    }

    void aToolLeftRunningIsEndedBeforeAnythingIsWrittenAgain_data()
    {
        QTest::addColumn<bool>("direct");
        QTest::newRow("by the next queue run") << false;
        QTest::newRow("by a direct install") << true;
    }
    void aToolLeftRunningIsEndedBeforeAnythingIsWrittenAgain()
    {
        QFETCH(bool, direct);
        QJsonObject s = m_world->state();
        s[QStringLiteral("style")] = QStringLiteral("linux");
        m_world->setState(s);
        const QString one = image(QStringLiteral("one.iso"));
        QCOMPARE(cli({QStringLiteral("queue"), QStringLiteral("add"), QStringLiteral("install"),
                      disk(QStringLiteral("sdc")), one, QStringLiteral("--name"),
                      QStringLiteral("One"), QStringLiteral("--type"), QStringLiteral("cd")})
                     .status,
                 0);
        // A tool that ignores SIGINT and SIGTERM, and would go on writing after Ventrik ended.
        const QString stubborn = m_world->path(QStringLiteral("stubborn"));
        const QString pidFile = m_world->path(QStringLiteral("stubborn.pid"));
        QFile script(stubborn);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n"
                     "case \"$1\" in inject_*) echo $$ > '" +
                     pidFile.toUtf8() +
                     "'; "
                     "trap '' INT TERM; exec sleep 60;; esac\n"
                     "exec '" +
                     m_world->toolPath().toUtf8() + "' \"$@\"\n");
        script.close();
        script.setPermissions(script.permissions() | QFile::ExeOwner);
        QProcess run;
        run.setProcessEnvironment(environment());
        run.start(QStringLiteral(VENTRIK_CLI_PATH),
                  {QStringLiteral("--hdl-dump"), stubborn, QStringLiteral("queue"),
                   QStringLiteral("run"), QStringLiteral("--yes")});
        QVERIFY(QTest::qWaitFor([&] { return QFile::exists(pidFile); }, 20000));
        QTest::qWait(300); // the job has saved its tool's process
        ::kill(static_cast<pid_t>(run.processId()), SIGKILL);
        QVERIFY(run.waitForFinished());
        QFile f(pidFile);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const qint64 pid = f.readAll().trimmed().toLongLong();
        QVERIFY(pid > 0);
        QCOMPARE(::kill(static_cast<pid_t>(pid), 0), 0); // it still runs
        // The next writer ends it first, then writes: the queue resuming, or an install of
        // its own that takes the disk's lock over.
        const Result again =
            direct ? cli({QStringLiteral("install"), disk(QStringLiteral("sdc")),
                          image(QStringLiteral("two.iso")), QStringLiteral("--name"),
                          QStringLiteral("Two"), QStringLiteral("--type"), QStringLiteral("cd")})
                   : cli({QStringLiteral("queue"), QStringLiteral("run"), QStringLiteral("--yes")});
        QCOMPARE(again.status, 0);
        QVERIFY(QTest::qWaitFor([pid] { return ::kill(static_cast<pid_t>(pid), 0) != 0; }, 5000));
        QFile log(m_world->path(QStringLiteral("state/Ventrik/run.log")));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().contains("still runs; it is ended before anything is written again"));
        QCOMPARE(
            m_world->state()[QStringLiteral("disks")][1][QStringLiteral("games")].toArray().size(),
            1);
    }

    // Saved state that never lies --------------------------------------------------

    void aJobThatCannotBeSavedIsNotAdded()
    {
        const QString one = image(QStringLiteral("one.iso"));
        const QStringList add{QStringLiteral("queue"),
                              QStringLiteral("add"),
                              QStringLiteral("install"),
                              QStringLiteral("hdd2:"),
                              one,
                              QStringLiteral("--name"),
                              QStringLiteral("One")};
        // A full data folder: the queue cannot be written.
        Result r = cli(add, 300);
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("queue.json could not be saved")),
                 qPrintable(r.err));
        QVERIFY(!r.out.contains(QStringLiteral("added")));
        // Another Ventrik owns the queue: the hand-over is said only once its inbox is written.
        QDir().mkpath(m_world->path(QStringLiteral("data/Ventrik")));
        QLockFile owner(m_world->path(QStringLiteral("data/Ventrik/queue.lock")));
        QVERIFY(owner.tryLock(0));
        r = cli(add, 300);
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("queue-inbox.json could not be saved")),
                 qPrintable(r.err));
        QVERIFY(!r.out.contains(QStringLiteral("added")));
        // Nobody takes it here (the owner is this test): said so, not "added".
        r = cli(add);
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.contains(QStringLiteral("the Ventrik that has the queue open, which has "
                                               "not taken it yet")),
                 qPrintable(r.out));
        // Clearing it is refused, naming the lock file.
        r = cli({QStringLiteral("queue"), QStringLiteral("clear")});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("(process %1) has the job queue open (%2)")
                                    .arg(QCoreApplication::applicationPid())
                                    .arg(owner.fileName())),
                 qPrintable(r.err));
    }

    void aQueueLockNamesItsOwnerOrIsTakenOver()
    {
        const QString folder = m_world->path(QStringLiteral("data/Ventrik"));
        QDir().mkpath(folder);
        const QString one = image(QStringLiteral("one.iso"));
        const QStringList add{QStringLiteral("queue"),
                              QStringLiteral("add"),
                              QStringLiteral("install"),
                              QStringLiteral("hdd2:"),
                              one,
                              QStringLiteral("--name"),
                              QStringLiteral("One")};
        // Empty, or garbage: no owner, so no other program; taken over, and the log says so.
        for (const QByteArray& content : {QByteArray(), QByteArray("garbage\nmore\n")}) {
            QFile lock(folder + QStringLiteral("/queue.lock"));
            QVERIFY(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
            lock.write(content);
            lock.close();
            const Result r = cli(add);
            QCOMPARE(r.status, 0);
            QVERIFY2(r.out.contains(QStringLiteral("added: Install One")),
                     qPrintable(r.out + r.err));
        }
        QFile log(m_world->path(QStringLiteral("state/Ventrik/run.log")));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().contains("named no program that owns the queue"));
        // A lock that cannot be made is said as what it is, not as another program.
        QFile::remove(folder + QStringLiteral("/queue.lock"));
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/queue.lock")));
        const Result r = cli({QStringLiteral("queue"), QStringLiteral("run")});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("cannot be locked")) &&
                     r.err.contains(folder + QStringLiteral("/queue.lock")),
                 qPrintable(r.err));
        QVERIFY(!r.err.contains(QStringLiteral("Another Ventrik")));
        QCOMPARE(cli(add).status, 1);
    }

    void aRunWhoseQueueCannotBeSavedFailsAndIsKnownNextTime()
    {
        QJsonObject s = m_world->state();
        s[QStringLiteral("style")] = QStringLiteral("linux");
        m_world->setState(s);
        const QString one = image(QStringLiteral("one.iso"));
        const QString two = image(QStringLiteral("two.iso"));
        for (const auto& [file, name] : {std::pair{one, "One"}, std::pair{two, "Two"}})
            QCOMPARE(
                cli({QStringLiteral("queue"), QStringLiteral("add"), QStringLiteral("install"),
                     disk(QStringLiteral("sdc")), file, QStringLiteral("--name"),
                     QString::fromLatin1(name), QStringLiteral("--type"), QStringLiteral("cd")})
                    .status,
                0);
        // The data folder fills up during the run; the tool itself still writes its disk.
        const QString tool = m_world->path(QStringLiteral("unlimited-tool"));
        QFile script(tool);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nulimit -S -f unlimited\nexec '" + m_world->toolPath().toUtf8() +
                     "' \"$@\"\n");
        script.close();
        script.setPermissions(script.permissions() | QFile::ExeOwner);
        const Result full = RunProcess(QStringLiteral(VENTRIK_CLI_PATH),
                                       {QStringLiteral("--hdl-dump"), tool, QStringLiteral("queue"),
                                        QStringLiteral("run"), QStringLiteral("--yes")},
                                       environment(), {}, 1200);
        QCOMPARE(full.status, 1);
        QVERIFY2(full.err.contains(QStringLiteral("queue.json could not be saved")),
                 qPrintable(full.err));
        // Both games are on the disk; the saved queue does not say so.
        QCOMPARE(
            m_world->state()[QStringLiteral("disks")][1][QStringLiteral("games")].toArray().size(),
            2);
        for (const Job& j :
             LoadQueueFile(m_world->path(QStringLiteral("data/Ventrik/queue.json"))).jobs)
            QVERIFY(j.state != JobState::Complete);
        // The next start knows them as this program's, not as "already installed".
        const QString list = cli({QStringLiteral("queue"), QStringLiteral("list")}).out;
        QCOMPARE(list.count(QStringLiteral("Complete")), 2);
        const Result next = cli({QStringLiteral("queue"), QStringLiteral("run")});
        QCOMPARE(next.status, 0);
        QVERIFY2(!next.err.contains(QStringLiteral("already installed")), qPrintable(next.err));
        QVERIFY(next.out.contains(QStringLiteral("No job is waiting")));
        int injects = 0;
        for (const QStringList& c : m_world->calls())
            injects += c.value(0).startsWith(QLatin1String("inject")) ? 1 : 0;
        QCOMPARE(injects, 2);
    }

private:
    QString image(const QString& name) const
    {
        QFile f(m_world->path(name));
        f.open(QIODevice::WriteOnly);
        f.resize(8192);
        return f.fileName();
    }
    // ventrik-cli reading the games of a disk whose tool hangs until interrupted;
    // the tool's process id once it runs, else 0.
    qint64 startHungListing(QProcess& p)
    {
        m_world->setFault({{"mode", "hang"}, {"command", "hdl_toc"}});
        p.setProcessEnvironment(environment());
        p.start(QStringLiteral(VENTRIK_CLI_PATH),
                {QStringLiteral("--hdl-dump"), m_world->toolPath(), QStringLiteral("games"),
                 QStringLiteral("hdd1:")});
        if (!p.waitForStarted())
            return 0;
        // Started and past its own set-up: it has logged its command line.
        if (!QTest::qWaitFor([this] { return m_world->calls().size() == 1; }, 10000))
            return 0;
        QFile children(QStringLiteral("/proc/%1/task/%1/children").arg(p.processId()));
        if (!children.open(QIODevice::ReadOnly))
            return 0;
        return children.readAll().trimmed().split(' ').value(0).toLongLong();
    }
    // Ended (a zombie until init reaps it, or gone).
    static bool gone(qint64 pid)
    {
        QFile status(QStringLiteral("/proc/%1/status").arg(pid));
        return !status.open(QIODevice::ReadOnly) || status.readAll().contains("State:\tZ");
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
