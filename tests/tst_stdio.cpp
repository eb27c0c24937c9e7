#include "TestSupport.h"
#include "runner/KillProcess.h"
#include "runner/StdIoRunner.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

class TestStdIO : public QObject
{
    Q_OBJECT

    std::unique_ptr<SimWorld> m_world;

    ToolCommand sim(const QStringList& args) const { return {m_world->toolPath(), args}; }

private slots:
    void init() { m_world = std::make_unique<SimWorld>(); }

    void startsReadyWithItsBanner()
    {
        cStdIO io;
        QVERIFY(io.Ready());
        QCOMPARE(cStdIO::version(),
                 QStringLiteral("Standard Input/Output Class v0.1 BETA by Dorvane"));
        QCOMPARE(cKillProcess::version(),
                 QStringLiteral("Kill Process Class v0.1 BETA by Dorvane"));
    }

    void deliversOutputAndCompletes()
    {
        cStdIO io;
        QSignalSpy data(&io, &cStdIO::GotData);
        QSignalSpy complete(&io, &cStdIO::Complete);
        const QString last =
            io.ExecuteCommand(sim({QStringLiteral("hdl_toc"), QStringLiteral("hdd1:")}));
        QString all;
        for (const auto& args : data)
            all += args.at(0).toString();
        QVERIFY(
            all.startsWith(QStringLiteral("type     size flags           startup      name\r\n")));
        QVERIFY(all.contains(QStringLiteral("total 20480MB, used 431MB, available 20049MB\r\n")));
        QCOMPARE(last, data.last().at(0).toString());
        QCOMPARE(complete.size(), 1);
        QVERIFY(io.Ready());
        QVERIFY(io.lastRun().normalExit);
        QCOMPARE(io.lastRun().exitCode, 0);
    }

    void largeOutputComesInChunksOfAtMost4096()
    {
        cStdIO io;
        QSignalSpy data(&io, &cStdIO::GotData);
        io.ExecuteCommand(
            sim({QStringLiteral("sim_lines"), QStringLiteral("3000"), QStringLiteral("0")}));
        QString all;
        for (const auto& args : data) {
            const QString chunk = args.at(0).toString();
            QVERIFY(chunk.size() <= cStdIO::kChunkSize);
            all += chunk;
        }
        QVERIFY(data.size() > 1);
        const QStringList lines = all.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3000);
        QVERIFY(lines.last().startsWith(QStringLiteral("LINE 2999 ")));
    }

    void silentToolCompletesWithoutData()
    {
        m_world->setFault({{QStringLiteral("mode"), QStringLiteral("silent")}});
        cStdIO io;
        QSignalSpy data(&io, &cStdIO::GotData);
        QSignalSpy complete(&io, &cStdIO::Complete);
        QCOMPARE(io.ExecuteCommand(sim({QStringLiteral("query")})), QString());
        QCOMPARE(data.size(), 0);
        QCOMPARE(complete.size(), 1);
        QVERIFY(!io.lastRun().gotOutput);
    }

    void crashingToolEndsTheRunWithWhatItPrinted()
    {
        m_world->setFault({{QStringLiteral("mode"), QStringLiteral("crash")},
                           {QStringLiteral("text"), QStringLiteral("half a table")}});
        cStdIO io;
        QSignalSpy complete(&io, &cStdIO::Complete);
        QCOMPARE(io.ExecuteCommand(sim({QStringLiteral("hdl_toc"), QStringLiteral("hdd1:")})),
                 QStringLiteral("half a table\r\n"));
        QCOMPARE(complete.size(), 1);
        QVERIFY(!io.lastRun().normalExit);
        QVERIFY(io.Ready());
    }

    void hangEndedByCancelTerminatesTheChild()
    {
        m_world->setFault({{QStringLiteral("mode"), QStringLiteral("hang")},
                           {QStringLiteral("text"), QStringLiteral("working")}});
        cStdIO io;
        QSignalSpy success(&io, &cStdIO::CancelSuccess);
        QSignalSpy complete(&io, &cStdIO::Complete);
        qint64 pid = 0;
        connect(&io, &cStdIO::GotData, this, [&] {
            pid = io.processId();
            io.Cancel();
        });
        io.ExecuteCommand(sim({QStringLiteral("inject_cd"), QStringLiteral("hdd1:"),
                               QStringLiteral("X"), QStringLiteral("cd0:")}));
        QCOMPARE(success.size(), 1);
        QCOMPARE(complete.size(), 0);
        QVERIFY(pid > 0);
        QVERIFY(!cKillProcess().PIDInUse(pid));
        QVERIFY(io.Ready());
    }

    void interruptIsCtrlC()
    {
        m_world->setFault({{QStringLiteral("mode"), QStringLiteral("hang")},
                           {QStringLiteral("text"), QStringLiteral("working")}});
        cStdIO io;
        QString all;
        connect(&io, &cStdIO::GotData, this, [&](const QString& d) {
            all += d;
            if (d.contains(QStringLiteral("working")))
                ShowToolConsole(io);
        });
        io.ExecuteCommand(sim({QStringLiteral("hdl_toc"), QStringLiteral("hdd1:")}));
        QVERIFY(all.contains(QStringLiteral("Interrupted.")));
        QCOMPARE(io.lastRun().exitCode, 109);
    }

    void interruptEscalatesWhenTheToolIgnoresIt()
    {
        // A shell that ignores SIGINT stands for a tool that does not react to Ctrl+C.
        cStdIO io;
        io.setGracePeriod(200);
        QTimer::singleShot(100, &io, [&] { QVERIFY(io.Interrupt()); });
        io.ExecuteCommand({QStringLiteral("/bin/sh"),
                           {QStringLiteral("-c"), QStringLiteral("trap '' INT; exec sleep 30")}});
        QVERIFY(io.Ready());
        QVERIFY(!io.lastRun().normalExit);
    }

    void refusals()
    {
        cStdIO io;
        QSignalSpy errors(&io, &cStdIO::Error);
        QCOMPARE(io.ExecuteCommand(), QString());
        QCOMPARE(errors.takeFirst(), (QVariantList{401, QStringLiteral("Command Line empty.")}));
        QVERIFY(io.Ready());

        io.Cancel();
        QCOMPARE(errors.takeFirst(),
                 (QVariantList{402, QStringLiteral("Not processing a command to cancel.")}));

        io.ExecuteCommand(
            {m_world->path(QStringLiteral("no-such-tool")), {QStringLiteral("query")}});
        QCOMPARE(errors.takeFirst(), (QVariantList{406, QStringLiteral("CreateProcess failed.")}));
        QVERIFY(io.Ready());
    }

    void secondCommandAndSettingChangesAreRefusedDuringARun()
    {
        cStdIO io;
        QSignalSpy errors(&io, &cStdIO::Error);
        const ToolCommand first =
            sim({QStringLiteral("sim_lines"), QStringLiteral("3"), QStringLiteral("50")});
        bool tried = false;
        connect(&io, &cStdIO::GotData, this, [&] {
            if (tried)
                return;
            tried = true;
            QCOMPARE(io.ExecuteCommand(sim({QStringLiteral("query")})), QString());
            io.setCommandLine(sim({QStringLiteral("query")}));
        });
        io.ExecuteCommand(first);
        QCOMPARE(errors.size(), 2);
        QCOMPARE(errors[0],
                 (QVariantList{400, QStringLiteral("Not ready to process another command.")}));
        QCOMPARE(errors[1], (QVariantList{402, QStringLiteral("Not ready to change settings.")}));
        QCOMPARE(io.CommandLine(), first);
        // The running child was not disturbed.
        QCOMPARE(m_world->calls().size(), 1);
        io.setCommandLine(sim({QStringLiteral("query")}));
        QCOMPARE(io.CommandLine().arguments, QStringList{QStringLiteral("query")});
    }

    void writeDataFeedsStandardInput()
    {
        cStdIO io;
        QString echoed;
        qint64 written = 0;
        connect(&io, &cStdIO::GotData, this, [&](const QString& d) { echoed += d; });
        QTimer::singleShot(50, &io, [&] {
            written = io.WriteData(QStringLiteral("abc"));
            io.WriteData(QStringLiteral("exit"));
        });
        io.ExecuteCommand({QStringLiteral("/bin/sh"),
                           {QStringLiteral("-c"), QStringLiteral("read l; printf '%s|' \"$l\"")}});
        QCOMPARE(written, qint64(3));
        QCOMPARE(echoed, QStringLiteral("abc\r|"));
        QCOMPARE(io.WriteData(QStringLiteral("late")), qint64(-1));
    }

    void argumentsReachTheToolExactly()
    {
        cStdIO io;
        const QStringList args{QStringLiteral("cdvd_info"),
                               QStringLiteral("/tmp/My \"Game\" Zoë's; $(rm -rf x).iso")};
        io.ExecuteCommand(sim(args));
        QCOMPARE(m_world->calls().value(0), args);
    }

    void killProcessReportsWhetherItAsked()
    {
        cKillProcess k;
        QVERIFY(!k.KillProcess(0));
        QVERIFY(!k.PIDInUse(0));
        QVERIFY(!k.PIDInUse2(0));
    }
};

QTEST_GUILESS_MAIN(TestStdIO)
#include "tst_stdio.moc"
