#include "TestSupport.h"
#include "core/session/ToolRunner.h"
#include "core/tool/ToolRun.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

// The run object: one child process, its output as it comes, one outcome.
class TestToolRun : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // A run of sh with a script; what the script gets as $1...
    std::unique_ptr<ToolRun> shell(const QString& script, const QStringList& args = {})
    {
        return std::make_unique<ToolRun>(
            ToolCommand{QStringLiteral("/bin/sh"),
                        QStringList{QStringLiteral("-c"), script, QStringLiteral("sh")} + args});
    }
    static RunOutcome finish(ToolRun& run, int ms = 15000)
    {
        QSignalSpy done(&run, &ToolRun::finished);
        if (!run.isFinished())
            run.start();
        if (!run.isFinished() && done.isEmpty())
            done.wait(ms);
        return run.outcome();
    }

private slots:
    void outputAndSuccess()
    {
        auto run = shell(QStringLiteral("printf 'one\\n'; printf 'two\\n' >&2; exit 0"));
        QStringList chunks;
        connect(run.get(), &ToolRun::output, this, [&](const QString& c) { chunks << c; });
        QSignalSpy done(run.get(), &ToolRun::finished);
        const RunOutcome o = finish(*run);
        QCOMPARE(done.size(), 1);
        QVERIFY(o.succeeded());
        QVERIFY(o.gotOutput);
        // Standard error arrives merged, as a console shows it.
        QCOMPARE(chunks.join(QString()), QStringLiteral("one\ntwo\n"));
        QCOMPARE(o.output, QStringLiteral("one\ntwo\n"));
    }

    void largeOutputComesInBoundedChunks()
    {
        auto run = shell(QStringLiteral("head -c 100000 /dev/zero | tr '\\0' x"));
        qsizetype total = 0;
        int largest = 0;
        connect(run.get(), &ToolRun::output, this, [&](const QString& c) {
            total += c.size();
            largest = std::max(largest, static_cast<int>(c.size()));
        });
        QVERIFY(finish(*run).succeeded());
        QCOMPARE(total, 100000);
        QVERIFY(largest <= ToolRun::kChunkSize);
    }

    void outputIsBoundedAndKeepsItsEnd()
    {
        auto run = shell(QStringLiteral("head -c 300000 /dev/zero | tr '\\0' x; echo END"));
        run->setOutputLimit(100000);
        const RunOutcome o = finish(*run);
        QVERIFY(o.outputCut);
        QVERIFY(o.output.size() <= 100000);
        QVERIFY(o.output.endsWith(QStringLiteral("END\n")));
    }

    // A run that goes quiet is said to, once per silence, and said to move when it prints.
    void aSilenceIsSaidAndItsEndToo()
    {
        auto run =
            shell(QStringLiteral("printf 'a'; sleep 0.6; printf 'b'; sleep 0.6; printf 'c'"));
        run->setStallNotice(250);
        QList<int> stalls;
        int moves = 0;
        connect(run.get(), &ToolRun::stalled, this, [&](int s) { stalls << s; });
        connect(run.get(), &ToolRun::moving, this, [&] { ++moves; });
        QVERIFY(finish(*run).succeeded());
        QCOMPARE(stalls.size(), 2);
        QCOMPARE(moves, 2);
        // kill() ends a run that ignores every polite signal, at once.
        auto stubborn = shell(QStringLiteral("trap '' INT TERM; sleep 30"));
        QSignalSpy done(stubborn.get(), &ToolRun::finished);
        stubborn->start();
        QTRY_VERIFY(stubborn->isRunning());
        stubborn->kill();
        QVERIFY(done.wait(3000));
        QVERIFY(stubborn->outcome().cancelled);
    }

    void failuresAreNamed()
    {
        auto status = shell(QStringLiteral("exit 3"));
        RunOutcome o = finish(*status);
        QVERIFY(o.started && o.normalExit && !o.succeeded());
        QCOMPARE(o.exitCode, 3);
        QCOMPARE(o.reason(QStringLiteral("hdl_dump")),
                 QStringLiteral("hdl_dump ended with status 3 and said nothing."));

        // Success after 100% does not count when the tool then dies.
        auto crash = shell(QStringLiteral("printf '100%%'; kill -SEGV $$"));
        o = finish(*crash);
        QVERIFY(!o.normalExit);
        QCOMPARE(o.signal, int(SIGSEGV));
        QVERIFY(!o.succeeded());
        QCOMPARE(o.reason(QStringLiteral("hdl_dump")),
                 QStringLiteral("hdl_dump was killed by signal SIGSEGV."));

        auto said = shell(QStringLiteral(
            "printf ' 50%%\\r100%%'; echo '00000005 (5): Input/output error' >&2; exit 1"));
        o = finish(*said);
        // The system's sentence is the reason; its number stays in the log.
        QCOMPARE(o.reason(QStringLiteral("hdl_dump")), QStringLiteral("Input/output error"));
    }

    void toolThatCannotStart()
    {
        ToolRun missing({m_dir.filePath(QStringLiteral("nothing")), {}});
        RunOutcome o = finish(missing);
        QVERIFY(!o.started);
        QCOMPARE(o.startError, QStringLiteral("No such file or directory"));
        QCOMPARE(o.startFailure, StartFailure::Missing);

        const QString plain = m_dir.filePath(QStringLiteral("plain"));
        QFile f(plain);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\necho hi\n");
        f.close();
        ToolRun notExecutable({plain, {}});
        o = finish(notExecutable);
        QVERIFY(!o.started);
        QCOMPARE(o.startError, QStringLiteral("Permission denied"));
        QCOMPARE(o.startFailure, StartFailure::NotPermitted);
        QCOMPARE(o.reason(QStringLiteral("hdl_dump")),
                 QStringLiteral("hdl_dump cannot be run: Permission denied"));
    }

    void cancelInterruptsThenEscalates()
    {
        // A tool that stops on Ctrl+C.
        auto polite = shell(QStringLiteral("trap 'echo Interrupted.; exit 109' INT; echo ready; "
                                           "while :; do sleep 0.05; done"));
        QSignalSpy out(polite.get(), &ToolRun::output);
        polite->start();
        QVERIFY(out.wait(5000));
        polite->cancel();
        RunOutcome o = finish(*polite);
        QVERIFY(o.cancelled);
        QCOMPARE(o.exitCode, 109);
        QCOMPARE(o.error, ToolError::Interrupted);

        // A tool that ignores SIGINT and SIGTERM is killed after the grace periods.
        auto stubborn = shell(QStringLiteral("trap '' INT TERM; echo ready; "
                                             "while :; do sleep 0.05; done"));
        stubborn->setGracePeriod(100);
        QSignalSpy out2(stubborn.get(), &ToolRun::output);
        stubborn->start();
        QVERIFY(out2.wait(5000));
        stubborn->cancel();
        o = finish(*stubborn);
        QVERIFY(o.cancelled);
        QVERIFY(!o.normalExit);
        QCOMPARE(o.signal, int(SIGKILL));
    }

    void destroyedRunEndsItsChild()
    {
        auto run = shell(QStringLiteral("trap '' INT; echo $$; while :; do sleep 0.05; done"));
        QSignalSpy out(run.get(), &ToolRun::output);
        run->start();
        QVERIFY(out.wait(5000));
        const qint64 pid = out.first().first().toString().trimmed().toLongLong();
        QVERIFY(pid > 0);
        run.reset();
        // Killed at once and reaped once it has ended, with nobody waiting for it.
        QTRY_VERIFY(!QFile::exists(QStringLiteral("/proc/%1").arg(pid)));
    }

    void silenceEndsARun()
    {
        auto run = shell(QStringLiteral("echo start; sleep 30"));
        run->setSilenceTimeout(2000);
        run->setGracePeriod(100);
        const RunOutcome o = finish(*run);
        QVERIFY(o.timedOut);
        QVERIFY(!o.succeeded());
        QCOMPARE(o.reason(QStringLiteral("hdl_dump")),
                 QStringLiteral("hdl_dump did not answer in 2 s."));
    }

    void argumentsReachTheToolExactly()
    {
        const QStringList args{QStringLiteral("a b"), QString(), QStringLiteral("\"q\""),
                               QStringLiteral("; rm -rf /"), QStringLiteral("$HOME")};
        auto run = shell(QStringLiteral("for a in \"$@\"; do printf '[%s]' \"$a\"; done"), args);
        QCOMPARE(finish(*run).output, QStringLiteral("[a b][][\"q\"][; rm -rf /][$HOME]"));
        QCOMPARE(ToolCommand::DisplayArguments(
                     {QStringLiteral("extract"), QStringLiteral("Game One"), QString()}),
                 QStringLiteral("extract \"Game One\" \"\""));
    }

    // The runner a session starts its runs through: its folder, its log, what it shows.
    void runnerRunsInItsFolderAndLogsEveryRun()
    {
        const QString tool = m_dir.filePath(QStringLiteral("pwd-tool"));
        QFile f(tool);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\npwd\n");
        f.close();
        f.setPermissions(f.permissions() | QFile::ExeOwner);
        const QString work = m_dir.filePath(QStringLiteral("state/work"));
        ToolRunner runner(tool, work, m_dir.filePath(QStringLiteral("log")));
        QSignalSpy shown(&runner, &ToolRunner::commandStarted);
        QSignalSpy output(&runner, &ToolRunner::outputArrived);

        std::optional<RunOutcome> seen;
        runner.run({QStringLiteral("hdl_toc"), QStringLiteral("My Disk")},
                   [&](const RunOutcome& o) { seen = o; });
        QTRY_VERIFY(seen.has_value());
        QCOMPARE(seen->output.trimmed(), work);
        // Nobody else may read or write where the tool runs.
        const auto mode = QFile::permissions(work);
        QVERIFY(mode.testFlags(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(!(mode &
                  (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther)));
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0][0].toString(), QStringLiteral("hdl_toc \"My Disk\""));
        QVERIFY(!output.isEmpty());
        QVERIFY(!runner.isRunning());

        // A side run is logged but neither shown nor its output told.
        seen.reset();
        runner.side(
            {QStringLiteral("toc"), QStringLiteral("x")}, [&](const RunOutcome& o) { seen = o; },
            0);
        QTRY_VERIFY(seen.has_value());
        QCOMPARE(shown.size(), 1);
        const QStringList entries = runner.log().lastEntries(10);
        QCOMPARE(entries.size(), 2);
        QVERIFY(entries[1].contains(QStringLiteral("toc")));
    }

    void runnerSaysOnceThatAMissingToolCannotRun()
    {
        ToolRunner runner(m_dir.filePath(QStringLiteral("absent")), {},
                          m_dir.filePath(QStringLiteral("log2")));
        runner.setRetryPause(10);
        QSignalSpy cannot(&runner, &ToolRunner::cannotRun);
        std::optional<RunOutcome> seen;
        runner.attempt({QStringLiteral("query")}, [&](const RunOutcome& o) { seen = o; });
        QTRY_VERIFY(seen.has_value());
        QCOMPARE(seen->startFailure, StartFailure::Missing);
        // No new attempt for a tool that is not there: one run in the log, one message.
        QTest::qWait(100);
        QCOMPARE(cannot.size(), 1);
        QCOMPARE(runner.log().lastEntries(10).size(), 1);
    }

    void runnerCancelEndsTheShownRun()
    {
        ToolRunner runner(QStringLiteral("/bin/sleep"), {}, m_dir.filePath(QStringLiteral("log3")));
        std::optional<RunOutcome> seen;
        runner.run({QStringLiteral("30")}, [&](const RunOutcome& o) { seen = o; });
        QVERIFY(runner.isRunning());
        runner.cancel();
        QTRY_VERIFY_WITH_TIMEOUT(seen.has_value(), 10000);
        QVERIFY(seen->cancelled);
        QVERIFY(runner.cancelRequested());
        runner.begin();
        QVERIFY(!runner.cancelRequested());
    }
};

QTEST_GUILESS_MAIN(TestToolRun)
#include "tst_toolrun.moc"
