#include "TestSupport.h"
#include "runner/CommandFront.h"
#include "runner/StdIoRunner.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

namespace {
class FakeActivity : public ActivityView
{
public:
    void setCommandText(const QString& text) override { command = text; }
    void setOutputText(const QString& text) override
    {
        output = text;
        if (!text.isEmpty())
            ++chunksShown;
    }
    QString command;
    QString output;
    int chunksShown = 0;
};
} // namespace

class TestCommandFront : public QObject
{
    Q_OBJECT

    std::unique_ptr<SimWorld> m_world;
    std::unique_ptr<cStdIO> m_io;
    FakeActivity m_view;
    RecordingDialogs m_dialogs;
    std::unique_ptr<CommandFront> m_front;
    QStringList m_interpreted;

private slots:
    void init()
    {
        m_world = std::make_unique<SimWorld>();
        m_io = std::make_unique<cStdIO>();
        m_view = FakeActivity();
        m_dialogs = RecordingDialogs();
        m_interpreted.clear();
        m_front = std::make_unique<CommandFront>(*m_io, m_world->paths(), m_view, m_dialogs);
        m_front->setRetryPause(100);
        m_front->setInterpreter([this](const QString& chunk) { m_interpreted << chunk; });
    }

    void pathsOfTheProgramFolder()
    {
        const AppPaths p = m_world->paths();
        QCOMPARE(AppDir(p), m_world->dir() + u'/');
        QCOMPARE(HdlDumpPath(p), m_world->dir() + QStringLiteral("/hdl_dump"));
        QCOMPARE(p.configFile, m_world->dir() + QStringLiteral("/config.cfg"));
        QVERIFY(FileExists(HdlDumpPath(p)));
        QVERIFY(!FileExists(m_world->dir()));
        QVERIFY(!FileExists(QString()));
        QCOMPARE(ToolNotFoundMessage(p),
                 QStringLiteral("hdl_dump was not found. Place it in the same directory as this "
                                "program and try again."));
        const AppPaths other =
            AppPaths::forProgramDir(m_world->dir(), QStringLiteral("/opt/tools/my hdl_dump"));
        QCOMPARE(HdlDumpPath(other), QStringLiteral("/opt/tools/my hdl_dump"));
    }

    void answeredCommandRunsOnceAndFeedsTheInterpreter()
    {
        QCOMPARE(m_front->HDL_Command({QStringLiteral("hdl_toc"), QStringLiteral("hdd1:")}), 1);
        QCOMPARE(m_world->calls().size(), 1);
        QCOMPARE(m_front->attemptsOfLastCommand(), 1);
        QCOMPARE(m_view.command, QStringLiteral("hdl_toc hdd1:"));
        QVERIFY(!m_interpreted.isEmpty());
        // The view holds the last chunk only.
        QCOMPARE(m_view.output, m_interpreted.last());
        QVERIFY(m_dialogs.shown.isEmpty());
    }

    void viewShowsQuotedArgumentsButToolGetsThemWhole()
    {
        const QStringList args{QStringLiteral("inject_dvd"),
                               QStringLiteral("hdd1:"),
                               QStringLiteral("Game One"),
                               QStringLiteral("cd0:"),
                               QString(),
                               QStringLiteral("+1+3")};
        m_front->HDL_Command(args);
        QCOMPARE(m_view.command, QStringLiteral("inject_dvd hdd1: \"Game One\" cd0: \"\" +1+3"));
        QCOMPARE(m_world->calls().value(0), args);
    }

    void silentSuccessIsAnAnswer()
    {
        // A finished silent command (a delete) must not be repeated.
        m_world->setFault({{QStringLiteral("mode"), QStringLiteral("silent")}});
        QCOMPARE(m_front->HDL_Command(
                     {QStringLiteral("delete"), QStringLiteral("hdd1:"), QStringLiteral("Small")}),
                 1);
        QCOMPARE(m_world->calls().size(), 1);
        QVERIFY(m_dialogs.shown.isEmpty());
    }

    void silentFailureIsRetriedFourTimesThenReported()
    {
        m_world->setFault(
            {{QStringLiteral("mode"), QStringLiteral("silent")}, {QStringLiteral("exit"), 3}});
        QElapsedTimer t;
        t.start();
        QCOMPARE(m_front->HDL_Command({QStringLiteral("query")}), -1);
        QCOMPARE(m_world->calls().size(), 4);
        QVERIFY(t.elapsed() >= 3 * 100);
        QCOMPARE(m_dialogs.texts(),
                 QStringList{QStringLiteral(
                     "An unknown error has occurred. Please try restarting the program and make "
                     "sure to close hdl_dump by pressing CTRL+ALT+DEL.")});
        QCOMPARE(m_dialogs.shown[0].icon, Dialogs::Icon::Exclamation);
    }

    void failureThenAnswerStopsRetrying()
    {
        m_world->setFault({{QStringLiteral("mode"), QStringLiteral("silent")},
                           {QStringLiteral("exit"), 3},
                           {QStringLiteral("times"), 2}});
        QCOMPARE(m_front->HDL_Command({QStringLiteral("query")}), 1);
        QCOMPARE(m_world->calls().size(), 3);
        QVERIFY(m_dialogs.shown.isEmpty());
    }

    void toolThatCannotStartIsReportedAfterFourAttempts()
    {
        QFile::remove(m_world->toolPath());
        QFile f(m_world->toolPath());
        f.open(QIODevice::WriteOnly);
        f.write("not a program");
        f.close();
        QCOMPARE(m_front->HDL_Command({QStringLiteral("query")}), -1);
        QCOMPARE(m_front->attemptsOfLastCommand(), 4);
        QCOMPARE(m_dialogs.shown.size(), 1);
    }

    void busyRunnerRefusesExecuteAndRetriesCommand()
    {
        // A click handled while a command runs, as from another button.
        int inner = 0;
        QTimer::singleShot(100, this, [&] {
            m_front->HDL_Execute({QStringLiteral("poweroff"), QStringLiteral("127.0.0.1")});
            inner = m_front->HDL_Command({QStringLiteral("query")});
        });
        m_front->HDL_Command(
            {QStringLiteral("sim_lines"), QStringLiteral("40"), QStringLiteral("20")});
        QCOMPARE(m_dialogs.texts().value(0), QStringLiteral("Unexpected error."));
        QCOMPARE(m_dialogs.shown[0].icon, Dialogs::Icon::Critical);
        // The busy command's own output counts as output, as before.
        QCOMPARE(inner, 1);
        QCOMPARE(m_world->calls().size(), 1);
    }

    void executeRunsOnceWithoutRetry()
    {
        m_world->setFault(
            {{QStringLiteral("mode"), QStringLiteral("silent")}, {QStringLiteral("exit"), 3}});
        m_front->HDL_Execute({QStringLiteral("initialize"), QStringLiteral("hdd3:")});
        QCOMPARE(m_world->calls().size(), 1);
        QVERIFY(m_dialogs.shown.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCommandFront)
#include "tst_commandfront.moc"
