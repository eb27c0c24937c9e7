#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

// The window program as a whole process: one per user, and ending when asked.
class TestProgram : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("HOME"), m_dir.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.filePath(QStringLiteral("run")));
        return env;
    }
    // The program started from its own folder here, so its settings stay in it.
    void start(QProcess& p, const QStringList& args = {})
    {
        p.setProcessEnvironment(environment());
        p.start(m_dir.filePath(QStringLiteral("ventrik")),
                QStringList{QStringLiteral("--hdl-dump"), QStringLiteral(VENTRIK_SIM_PATH),
                            QStringLiteral("--quit-after"), QStringLiteral("60000")} +
                    args);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QFile::copy(QStringLiteral(VENTRIK_APP_PATH),
                            m_dir.filePath(QStringLiteral("ventrik"))));
        QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("run"))));
        // A user who has used the tool before: no message box waits at the start.
        QFile conf(m_dir.filePath(QStringLiteral(".hdl_dump.conf")));
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("\"target_kbps\" = \"2300\"\n");
        QFile::setPermissions(m_dir.filePath(QStringLiteral("run")), QFileDevice::ReadOwner |
                                                                         QFileDevice::WriteOwner |
                                                                         QFileDevice::ExeOwner);
    }

    // What cannot be saved at the end (a full disk) is said on stderr; no message waits for an
    // answer while the program ends, and it ends.
    void settingsThatCannotBeSavedAtTheEndDoNotHoldIt()
    {
        const QStringList args{QStringLiteral("--hdl-dump"), QStringLiteral(VENTRIK_SIM_PATH),
                               QStringLiteral("--quit-after"), QStringLiteral("800")};
        const QString app = m_dir.filePath(QStringLiteral("ventrik"));
        QCOMPARE(RunProcess(app, args, environment()).status, 0);
        // The window's state is to be written again at the end, and no file may grow.
        const QString config = m_dir.filePath(QStringLiteral("config.cfg"));
        QFile f(config);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QByteArray kept;
        for (const QByteArray& line : f.readAll().split('\n'))
            if (!line.startsWith("MainGeometry"))
                kept += line + '\n';
        f.close();
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(kept);
        f.close();
        QElapsedTimer clock;
        clock.start();
        const ProcessResult r = RunProcess(app, args, environment(), {}, kept.size());
        QCOMPARE(r.status, 0);
        QVERIFY(clock.elapsed() < 30000);
        QVERIFY2(r.err.contains(QStringLiteral("config.cfg could not be saved")),
                 qPrintable(r.err));
    }

    void secondStartBringsTheFirstForwardAndLeaves()
    {
        QProcess first;
        start(first);
        QVERIFY(first.waitForStarted());
        const QString socket = m_dir.filePath(QStringLiteral("run/ventrik.socket"));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket), 30000);
        QProcess second;
        start(second);
        QVERIFY(second.waitForFinished(30000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        // The terminal is told why no window came.
        QVERIFY(second.readAllStandardError().contains("Ventrik is already running"));
        QCOMPARE(first.state(), QProcess::Running);

        // Asked to end by the system, it leaves cleanly.
        ::kill(static_cast<pid_t>(first.processId()), SIGTERM);
        QVERIFY(first.waitForFinished(30000));
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QCOMPARE(first.exitCode(), 0);
    }

    // A socket left behind by a program that died answers nobody: the start goes on alone,
    // takes the socket over, and answers the next start itself.
    void aDeadSocketDoesNotHoldTheStart()
    {
        const QString socket = m_dir.filePath(QStringLiteral("run/ventrik.socket"));
        QFile::remove(socket);
        QFile stale(socket);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        QProcess first;
        start(first);
        QVERIFY(first.waitForStarted());
        QProcess second;
        // The first replaced the file with its own socket once it listens.
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(socket).size() == 0 && !QFileInfo(socket).isFile(),
                                 30000);
        start(second);
        QVERIFY(second.waitForFinished(30000));
        QVERIFY(second.readAllStandardError().contains("Ventrik is already running"));
        QCOMPARE(first.state(), QProcess::Running);
        ::kill(static_cast<pid_t>(first.processId()), SIGTERM);
        QVERIFY(first.waitForFinished(30000));
        QCOMPARE(first.exitCode(), 0);
    }

    // Two starts at the same moment: one window, whichever it is; the other leaves, and the
    // window's socket stays.
    void twoStartsAtOnceLeaveOneWindow()
    {
        for (int round = 0; round < 3; ++round) {
            QProcess a;
            QProcess b;
            start(a);
            start(b);
            QVERIFY(a.waitForStarted() && b.waitForStarted());
            QTRY_VERIFY_WITH_TIMEOUT(
                a.state() == QProcess::NotRunning || b.state() == QProcess::NotRunning, 30000);
            QProcess& left = a.state() == QProcess::NotRunning ? a : b;
            QProcess& stays = a.state() == QProcess::NotRunning ? b : a;
            QCOMPARE(left.exitCode(), 0);
            QVERIFY(left.readAllStandardError().contains("Ventrik is already running"));
            QTest::qWait(300);
            QCOMPARE(stays.state(), QProcess::Running);
            // A third start reaches it: its socket was not taken away.
            QProcess third;
            start(third);
            QVERIFY(third.waitForFinished(30000));
            QVERIFY(third.readAllStandardError().contains("Ventrik is already running"));
            ::kill(static_cast<pid_t>(stays.processId()), SIGTERM);
            QVERIFY(stays.waitForFinished(30000));
        }
    }

    void aMessageAtTheStartComesAfterTheLockTheSocketAndTheSignals()
    {
        // A first start: no ~/.hdl_dump.conf, so a message waits for the user.
        QTemporaryDir home;
        QVERIFY(QFile::copy(QStringLiteral(VENTRIK_APP_PATH),
                            home.filePath(QStringLiteral("ventrik"))));
        QVERIFY(QDir().mkpath(home.filePath(QStringLiteral("run"))));
        QFile::setPermissions(home.filePath(QStringLiteral("run")), QFileDevice::ReadOwner |
                                                                        QFileDevice::WriteOwner |
                                                                        QFileDevice::ExeOwner);
        QProcessEnvironment env = HomeIn(home.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("run")));
        auto launch = [&](QProcess& p) {
            p.setProcessEnvironment(env);
            p.start(home.filePath(QStringLiteral("ventrik")),
                    {QStringLiteral("--hdl-dump"), QStringLiteral(VENTRIK_SIM_PATH)});
        };
        QProcess first;
        launch(first);
        QVERIFY(first.waitForStarted());
        // While the message is up, later starts are answered...
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(home.filePath(QStringLiteral("run/ventrik.socket"))),
                                 30000);
        QProcess second;
        launch(second);
        QVERIFY(second.waitForFinished(30000));
        QCOMPARE(second.exitCode(), 0);
        // ...the queue is this program's...
        const ProcessResult clear =
            RunProcess(QStringLiteral(VENTRIK_CLI_PATH),
                       {QStringLiteral("--hdl-dump"), QStringLiteral(VENTRIK_SIM_PATH),
                        QStringLiteral("queue"), QStringLiteral("clear")},
                       env);
        QCOMPARE(clear.status, 1);
        QVERIFY2(clear.err.contains(
                     QStringLiteral("(process %1) has the job queue open").arg(first.processId())),
                 qPrintable(clear.err));
        // ...and SIGTERM ends it as asked, not the default way.
        QElapsedTimer clock;
        clock.start();
        ::kill(static_cast<pid_t>(first.processId()), SIGTERM);
        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QCOMPARE(first.exitCode(), 0);
        QVERIFY(clock.elapsed() < 5000);
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
