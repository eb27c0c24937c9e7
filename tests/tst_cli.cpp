#include "TestSupport.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTest>

#include <csignal>

// ventrik-cli run as a process against the simulator.
class TestCli : public QObject
{
    Q_OBJECT

    std::unique_ptr<SimWorld> m_world;

    struct Result
    {
        int status = -1;
        QString out;
        QString err;
    };
    Result cli(const QStringList& args)
    {
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start(QStringLiteral(VENTRIK_CLI_PATH),
                QStringList{QStringLiteral("--hdl-dump"), m_world->toolPath()} + args);
        if (!p.waitForFinished(60000))
            return {};
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }
    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HDL_SIM_STATE"),
                   m_world->path(QStringLiteral("sim-state.json")));
        env.insert(QStringLiteral("HDL_SIM_LOG"), m_world->path(QStringLiteral("calls.log")));
        env.insert(QStringLiteral("HOME"), m_world->dir());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_world->path(QStringLiteral("config")));
        return env;
    }
    static QJsonObject json(const QString& text)
    {
        return QJsonDocument::fromJson(text.toUtf8()).object();
    }

private slots:
    void init() { m_world = std::make_unique<SimWorld>(); }

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
            QVERIFY(r.err.contains(QStringLiteral("usage: ventrik-cli")));
        }
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
        // Exactly what the tool would get: the image is written beside its final name first.
        QCOMPARE(lists[0].toArray().toVariantList(),
                 (QVariantList{"extract", "hdd1:", "Test Game", out + QStringLiteral(".part")}));
        QVERIFY(!QFile::exists(out));
        QVERIFY(m_world->calls().isEmpty());

        r = cli({QStringLiteral("--dry-run"), QStringLiteral("install"), QStringLiteral("hdd1:"),
                 QStringLiteral("cd0:"), QStringLiteral("--flags"), QStringLiteral("1+3")});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QStringLiteral("cdvd_info cd0:\n"
                                       "inject_cd hdd1: TESTGAME cd0: SLUS_123.45 +1+3\n"));
        // Only the disc was read: the older tool lacks cdvd_info2 and is asked the older way.
        QCOMPARE(m_world->calls(),
                 (QList<QStringList>{{QStringLiteral("cdvd_info2"), QStringLiteral("cd0:")},
                                     {QStringLiteral("cdvd_info"), QStringLiteral("cd0:")}}));
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

private:
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
