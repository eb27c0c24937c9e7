#include "TestSupport.h"

#include <QDir>
#include <QFile>
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
        QCOMPARE(first.state(), QProcess::Running);

        // Asked to end by the system, it leaves cleanly.
        ::kill(static_cast<pid_t>(first.processId()), SIGTERM);
        QVERIFY(first.waitForFinished(30000));
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QCOMPARE(first.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
