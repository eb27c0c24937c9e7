#include "FakeTarget.h"
#include "TestSupport.h"
#include "interpreter/Interpreter.h"
#include "jobs/JobCommands.h"
#include "jobs/JobListModel.h"
#include "runner/ToolCommand.h"
#include "shell/RunState.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {
// The pipe reads of a progress capture, as listed in its readable view.
QStringList captureReads(const QString& name)
{
    QStringList reads;
    static const QRegularExpression read(
        QStringLiteral("^\\[\\s*[0-9.]+\\] stdout \\(([0-9]+)\\): "));
    const QString all = ReadCapture(name + QStringLiteral(".stdout"));
    qsizetype at = 0;
    for (const QString& line : ReadCapture(name + QStringLiteral(".txt")).split(u'\n')) {
        const auto m = read.match(line);
        if (!m.hasMatch())
            continue;
        const int bytes = m.captured(1).toInt();
        reads << all.mid(at, bytes);
        at += bytes;
    }
    return reads;
}

JobRecord install(const QString& type, const QString& startup, const QString& flags)
{
    return {JobResult::Pending,
            JobKind::Install,
            QStringLiteral("cd0:"),
            QStringLiteral("hdd1:"),
            QStringLiteral("Game One"),
            startup,
            type,
            flags};
}
} // namespace

class TestJobs : public QObject
{
    Q_OBJECT

    RunState m_state;
    FakeTarget m_target;
    RecordingDialogs m_dialogs;
    std::unique_ptr<Interpreter> m_interpreter;

    void startJob(int current, int jobs, bool installNow = false)
    {
        m_state.JobActive = true;
        m_state.InstallNow = installNow;
        m_state.CurrentJob = current;
        m_state.JobFinished = false;
        m_target.jobs = jobs;
    }

private slots:
    void init()
    {
        m_state = RunState();
        m_target = FakeTarget();
        m_dialogs = RecordingDialogs();
        m_interpreter = std::make_unique<Interpreter>(m_state, m_target, m_dialogs);
    }

    void listKeepsTheOrderOfAdding()
    {
        JobListModel jobs;
        jobs.AddJob(JobKind::Install, QStringLiteral("a.iso"), QStringLiteral("hdd1:"),
                    QStringLiteral("A"), {}, QStringLiteral("DVD-ROM"), {});
        jobs.AddJob(JobKind::Install, QStringLiteral("a.iso"), QStringLiteral("hdd1:"),
                    QStringLiteral("A"), {}, QStringLiteral("DVD-ROM"), {});
        jobs.AddJob(JobKind::MakeIso, QStringLiteral("cd0:"), QStringLiteral("/tmp/b.iso"),
                    QStringLiteral("B"), {}, {}, {});
        QCOMPARE(jobs.count(), 3);
        QCOMPARE(jobs.job(1), jobs.job(2)); // duplicates are two jobs
        QCOMPARE(jobs.job(3).result, JobResult::Pending);
        QCOMPARE(jobs.data(jobs.index(2, 1), Qt::DisplayRole).toString(),
                 QStringLiteral("Make ISO"));
        QCOMPARE(jobs.headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Destination"));
        jobs.setResult(9, JobResult::Complete); // not a row: nothing happens
        jobs.setResult(0, JobResult::Complete);
        jobs.removeJob(1);
        QCOMPARE(jobs.job(2).task, JobKind::MakeIso); // later rows move up
        jobs.clear();
        QCOMPARE(jobs.count(), 0);
    }

    void installCommands_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("startup");
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("shown");
        QTest::newRow("startup and flags")
            << "DVD-ROM"
            << "SLUS_000.00"
            << "+1+3"
            << QStringList{"inject_dvd", "hdd1:", "Game One", "cd0:", "SLUS_000.00", "+1+3"}
            << "inject_dvd hdd1: \"Game One\" cd0: SLUS_000.00 +1+3";
        QTest::newRow("flags only")
            << "DVD-ROM"
            << ""
            << "+1+3" << QStringList{"inject_dvd", "hdd1:", "Game One", "cd0:", "", "+1+3"}
            << "inject_dvd hdd1: \"Game One\" cd0: \"\" +1+3";
        QTest::newRow("startup only")
            << "DVD-ROM"
            << "SLUS_000.00"
            << "" << QStringList{"inject_dvd", "hdd1:", "Game One", "cd0:", "SLUS_000.00"}
            << "inject_dvd hdd1: \"Game One\" cd0: SLUS_000.00";
        QTest::newRow("neither") << "DVD-ROM"
                                 << ""
                                 << "" << QStringList{"inject_dvd", "hdd1:", "Game One", "cd0:"}
                                 << "inject_dvd hdd1: \"Game One\" cd0:";
        QTest::newRow("cd") << "CD-ROM"
                            << ""
                            << "" << QStringList{"inject_cd", "hdd1:", "Game One", "cd0:"}
                            << "inject_cd hdd1: \"Game One\" cd0:";
        QTest::newRow("any other type")
            << "dvd-rom"
            << ""
            << "" << QStringList{"inject_cd", "hdd1:", "Game One", "cd0:"}
            << "inject_cd hdd1: \"Game One\" cd0:";
    }
    void installCommands()
    {
        QFETCH(QString, type);
        QFETCH(QString, startup);
        QFETCH(QString, flags);
        const QStringList args = BuildInstallCommand(install(type, startup, flags));
        QTEST(args, "args");
        QTEST(ToolCommand::DisplayArguments(args), "shown");
    }

    void copyAndImageCommands()
    {
        JobRecord pc{JobResult::Pending,
                     JobKind::CopyToPC,
                     QStringLiteral("hdd1:"),
                     QStringLiteral("C:\\ISO\\Game One.iso"),
                     QStringLiteral("Game One"),
                     {},
                     {},
                     {}};
        QCOMPARE(ToolCommand::DisplayArguments(BuildExtractCommand(pc)),
                 QStringLiteral("extract hdd1: \"Game One\" \"C:\\ISO\\Game One.iso\""));
        pc.destination = QStringLiteral("C:\\ISO\\one.iso");
        QCOMPARE(BuildExtractCommand(pc).last(), QStringLiteral("C:\\ISO\\one.iso"));
        JobRecord ps2 = pc;
        ps2.task = JobKind::CopyToPS2;
        ps2.destination = QStringLiteral("192.168.0.20");
        QCOMPARE(ToolCommand::DisplayArguments(BuildExtractCommand(ps2)),
                 QStringLiteral("extract hdd1: \"Game One\" \"192.168.0.20:Game One\""));
        JobRecord hdd = pc;
        hdd.task = JobKind::CopyToHDD;
        hdd.destination = QStringLiteral("hdd2:");
        QCOMPARE(BuildExtractCommand(hdd).last(), QStringLiteral("hdd2:Game One"));
        JobRecord image{JobResult::Pending,
                        JobKind::MakeIso,
                        QStringLiteral("cd0:"),
                        QStringLiteral("/home/me/My Game.iso"),
                        QStringLiteral("x"),
                        {},
                        {},
                        {}};
        QCOMPARE(BuildDumpCommand(image),
                 (QStringList{QStringLiteral("dump"), QStringLiteral("cd0:"),
                              QStringLiteral("/home/me/My Game.iso")}));
    }

    void progressOfOneRecordPerChunk()
    {
        startJob(1, 1);
        m_interpreter->InterpretOutput(QStringLiteral(" 45%, 2 min remaining, 3.10 MB/sec"));
        QCOMPARE(m_target.current, 45);
        QCOMPARE(m_target.currentCaption, QStringLiteral("Current Job - 45%"));
        QCOMPARE(m_target.remaining, QStringLiteral("2 min remaining"));
        QCOMPARE(m_target.speed, QStringLiteral("Speed: 3.10 MB/sec"));
        QCOMPARE(m_target.overall, 45);
        QCOMPARE(m_target.overallCaption, QStringLiteral("Overall Completion - 45%"));
        QCOMPARE(m_target.statusCaption, QStringLiteral("Status"));
        m_target.minimized = true;
        m_interpreter->InterpretOutput(
            QStringLiteral("\r 46%, 2 min, 46 sec remaining, 41.74 MB/sec         \r"));
        QCOMPARE(m_target.statusCaption, QStringLiteral("46% Complete"));
        QCOMPARE(m_target.remaining, QStringLiteral("2 min, 46 sec remaining"));
        QCOMPARE(m_target.speed, QStringLiteral("Speed: 41.74 MB/sec"));
        QVERIFY(!m_state.JobFinished);
    }

    void overallCompletionOfAQueue()
    {
        startJob(2, 3);
        m_interpreter->InterpretOutput(QStringLiteral(" 40%\r"));
        QCOMPARE(m_target.overall, 46); // floor(40 / 3 + round(33.3))
        QCOMPARE(m_target.overallCaption, QStringLiteral("Overall Completion - 46%"));
        startJob(2, 2);
        m_target.minimized = true;
        m_interpreter->InterpretOutput(QStringLiteral(" 50%\r"));
        QCOMPARE(m_target.statusCaption, QStringLiteral("50% - 25% - Job 2 / 2"));
        // An immediate install is one job, whatever the queue holds.
        startJob(7, 3, true);
        m_interpreter->InterpretOutput(QStringLiteral(" 45%\r"));
        QCOMPARE(m_target.overall, 45);
        QCOMPARE(m_target.statusCaption, QStringLiteral("45% Complete"));
    }

    void newestCompleteRecordOfRealChunks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("current") << "cur_inject_cd";
        QTest::newRow("network") << "cur_net_inject_cd";
        QTest::newRow("older") << "v090_inject_cd";
    }
    void newestCompleteRecordOfRealChunks()
    {
        QFETCH(QString, name);
        const QStringList reads = captureReads(name);
        QVERIFY(reads.size() >= 2);
        startJob(1, 1);
        for (const QString& read : reads) {
            m_interpreter->InterpretOutput(read);
            // Never a half record, never trailing spaces.
            QVERIFY2(!m_target.speed.endsWith(u' ') && !m_target.speed.contains(u'\r'),
                     qPrintable(m_target.speed));
            QVERIFY(!m_target.remaining.contains(u'%'));
        }
        QCOMPARE(m_target.current, 100);
        QCOMPARE(m_target.results[0], JobResult::Complete);
        QVERIFY(m_state.JobFinished);
    }

    void recordsCutByAReadWaitForTheirEnd()
    {
        startJob(1, 1);
        m_interpreter->InterpretOutput(
            QStringLiteral(" 12%, 7 sec remaining, 41.74 MB/sec         \r 13%, 7 sec rem"));
        QCOMPARE(m_target.current, 12);
        QCOMPARE(m_target.speed, QStringLiteral("Speed: 41.74 MB/sec"));
        m_interpreter->InterpretOutput(QStringLiteral("aining, 41.84 MB/sec         \r 1"));
        QCOMPARE(m_target.current, 13);
        QCOMPARE(m_target.speed, QStringLiteral("Speed: 41.84 MB/sec"));
        m_interpreter->InterpretOutput(QStringLiteral("0"));
        QCOMPARE(m_target.current, 13); // "10" could be the start of "100%"
        m_interpreter->InterpretOutput(QStringLiteral("0%"));
        QCOMPARE(m_target.current, 100);
        QCOMPARE(m_target.results[0], JobResult::Complete);
    }

    void errorTexts_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("result");
        QTest::newRow("interrupted with progress")
            << " 45%, 2 min remaining, 3.10 MB/sec\r\nInterrupted.\r\n"
            << "Aborted";
        QTest::newRow("unsupported") << "Input or output is unsupported.\r\n"
                                     << "Error (Input or output is unsupported)";
        QTest::newRow("exists, older") << "hdd1: The file exists.\r\n"
                                       << "Error (File already exists)";
        QTest::newRow("exists, current") << ReadCapture(QStringLiteral("cur_extract_exists.stderr"))
                                         << "Error (File already exists)";
        QTest::newRow("name exists") << ReadCapture(QStringLiteral("cur_inject_cd_exists.stderr"))
                                     << "Error (File already exists)";
        QTest::newRow("no space") << ReadCapture(QStringLiteral("cur_small_inject3_nospace.stderr"))
                                  << "Error (Insufficient disk space)";
        QTest::newRow("disk full") << "There is not enough space on the disk.\r\n"
                                   << "Error (Insufficient disk space)";
        QTest::newRow("disk full, current") << "0000001c (28): No space left on device\n"
                                            << "Error (Insufficient disk space)";
        QTest::newRow("parameter") << "The parameter is incorrect.\r\n"
                                   << "Error (The parameter is incorrect)";
        QTest::newRow("parameter, current") << "00000016 (22): Invalid argument\n"
                                            << "Error (The parameter is incorrect)";
    }
    void errorTexts()
    {
        QFETCH(QString, output);
        startJob(2, 3);
        m_interpreter->InterpretOutput(output);
        QTEST(m_target.results[1], "result");
        QVERIFY(m_state.JobFinished);
        QCOMPARE(m_target.current, 0); // the chunk's progress is not shown
        QCOMPARE(m_target.results[0], QStringLiteral("Pending"));
    }

    void errorTextCutByARead()
    {
        startJob(1, 1);
        m_interpreter->InterpretOutput(QStringLiteral(" 45%\rInterr"));
        QCOMPARE(m_target.results[0], QStringLiteral("Pending"));
        m_interpreter->InterpretOutput(QStringLiteral("upted.\n"));
        QCOMPARE(m_target.results[0], JobResult::Aborted);
    }

    void immediateInstallWritesNoRow()
    {
        startJob(1, 2, true);
        m_interpreter->InterpretOutput(QStringLiteral("100%"));
        QVERIFY(m_state.JobFinished);
        m_interpreter->InterpretOutput(QStringLiteral("Interrupted.\n"));
        QCOMPARE(m_target.results[0], QStringLiteral("Pending"));
    }

    void recordsOutOfRangeAreSafe()
    {
        // Found by fuzzing: huge numbers must neither overflow nor move the bars.
        startJob(1, 3);
        m_interpreter->InterpretOutput(QStringLiteral("99999999999999999999%\r1e400%\r"));
        QCOMPARE(m_target.current, 0);
        startJob(32767, 2);
        m_interpreter->InterpretOutput(QStringLiteral(" 50%\r"));
        QCOMPARE(m_target.current, 50);
        QVERIFY(m_target.overall >= 0 && m_target.overall <= 100);
    }

    void nothingWithoutAnActiveJob()
    {
        m_interpreter->InterpretOutput(QStringLiteral(" 45%\r100%\rInterrupted.\n"));
        QCOMPARE(m_target.current, 0);
        QCOMPARE(m_target.results[0], QStringLiteral("Pending"));
        QVERIFY(!m_state.JobFinished);
    }
};

QTEST_GUILESS_MAIN(TestJobs)
#include "tst_jobs.moc"
