#include "TestSupport.h"
#include "core/jobs/BatchAdd.h"
#include "core/jobs/JobBuilder.h"
#include "core/jobs/JobCommands.h"
#include "core/jobs/JobListModel.h"
#include "core/jobs/JobQueue.h"
#include "core/jobs/QueueFile.h"
#include "core/jobs/TitleIndex.h"
#include "core/tool/ToolRun.h"

#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

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

Job install(DiscType type, const QString& startup, const QString& flags)
{
    Job j;
    j.kind = JobKind::Install;
    j.source = QStringLiteral("cd0:");
    j.destination = QStringLiteral("hdd1:");
    j.name = QStringLiteral("Game One");
    j.startup = startup;
    j.type = type;
    j.flags = CompatFlags::parse(flags).value();
    return j;
}

RunOutcome ended(int status, const QString& output, bool normal = true)
{
    RunOutcome o;
    o.started = true;
    o.normalExit = normal;
    o.exitCode = normal ? status : -1;
    o.signal = normal ? 0 : status;
    o.output = output;
    o.error = RecogniseToolError(output);
    return o;
}
} // namespace

// The job list, the tool's arguments for each job, the recognised errors, and
// the queue driven by real child processes that print what the tool prints.
class TestJobs : public QObject
{
    Q_OBJECT

private slots:
    void listRowsAndTexts()
    {
        JobListModel jobs;
        Job a = install(DiscType::CD, QStringLiteral("SLUS_000.00"), QStringLiteral("+1"));
        a.state = JobState::Complete; // adding makes it Pending
        jobs.addJob(a);
        jobs.addJob(install(DiscType::DVD, {}, {}));
        QCOMPARE(jobs.count(), 2);
        QCOMPARE(jobs.data(jobs.index(0, 0), Qt::DisplayRole).toString(),
                 QStringLiteral("Pending"));
        QCOMPARE(jobs.data(jobs.index(0, 1), Qt::DisplayRole).toString(),
                 QStringLiteral("Install"));
        QCOMPARE(jobs.data(jobs.index(0, 6), Qt::DisplayRole).toString(), QStringLiteral("CD-ROM"));
        QCOMPARE(jobs.data(jobs.index(1, 6), Qt::DisplayRole).toString(),
                 QStringLiteral("DVD-ROM"));
        QCOMPARE(jobs.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Result"));
        // Rows out of range are safe to read and ignored when written.
        QCOMPARE(jobs.job(7).name, QString());
        jobs.setState(-1, JobState::Active);
        jobs.removeJob(5);
        jobs.removeJob(0);
        QCOMPARE(jobs.job(0).type, DiscType::DVD);
        jobs.clear();
        QCOMPARE(jobs.rowCount(), 0);
    }

    void installArguments_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("startup");
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QString>("shown");
        QTest::newRow("startup and flags") << 1 << "SLUS_000.00"
                                           << "+1+3"
                                           << "inject_dvd hdd1: \"Game One\" cd0: SLUS_000.00 +1+3";
        // An empty startup keeps its place before the flags.
        QTest::newRow("flags only") << 1 << ""
                                    << "+1+3"
                                    << "inject_dvd hdd1: \"Game One\" cd0: \"\" +1+3";
        QTest::newRow("startup only") << 1 << "SLUS_000.00"
                                      << ""
                                      << "inject_dvd hdd1: \"Game One\" cd0: SLUS_000.00";
        QTest::newRow("cd, neither") << 0 << ""
                                     << ""
                                     << "inject_cd hdd1: \"Game One\" cd0:";
    }
    void jobsAreDraggedToANewPlaceInOrder_data()
    {
        QTest::addColumn<QList<int>>("dragged");
        QTest::addColumn<int>("dropRow"); // -1: below the last row
        QTest::addColumn<QString>("order");
        QTest::newRow("one down") << QList<int>{0} << 3 << "BCAD E";
        QTest::newRow("one up") << QList<int>{3} << 1 << "ADBC E";
        QTest::newRow("two apart, to the end") << QList<int>{0, 2} << -1 << "BDEAC";
        QTest::newRow("around the place") << QList<int>{0, 4} << 2 << "BAECD";
        QTest::newRow("onto itself") << QList<int>{1} << 1 << "ABCDE";
    }
    void jobsAreDraggedToANewPlaceInOrder()
    {
        QFETCH(QList<int>, dragged);
        QFETCH(int, dropRow);
        QFETCH(QString, order);
        order.remove(u' ');
        JobListModel jobs;
        for (const char* n : {"A", "B", "C", "D", "E"}) {
            Job j;
            j.name = QString::fromLatin1(n);
            jobs.addJob(j);
        }
        QSignalSpy moved(&jobs, &QAbstractItemModel::rowsMoved);
        QSignalSpy removed(&jobs, &QAbstractItemModel::rowsRemoved);
        QModelIndexList indexes;
        for (int r : dragged)
            indexes << jobs.index(r, 0) << jobs.index(r, 1);
        std::unique_ptr<QMimeData> data(jobs.mimeData(indexes));
        QVERIFY(jobs.dropMimeData(data.get(), Qt::MoveAction, dropRow, 0, {}));
        QString now;
        for (const Job& j : jobs.allJobs())
            now += j.name;
        QCOMPARE(now, order);
        // Moves, never a removal: the job keeps its identity and the view its rows.
        QCOMPARE(removed.count(), 0);
        QVERIFY(order == QStringLiteral("ABCDE") || moved.count() > 0);
        // Nothing else is taken as a drop.
        QMimeData text;
        text.setText(QStringLiteral("0"));
        QVERIFY(!jobs.dropMimeData(&text, Qt::MoveAction, 0, 0, {}));
    }

    void aRunOfSomeJobsCountsOnlyThem()
    {
        JobListModel jobs;
        for (const char* n : {"A", "B", "C", "D"}) {
            Job j;
            j.name = QString::fromLatin1(n);
            j.source = QStringLiteral("/x/%1.iso").arg(j.name);
            j.destination = QStringLiteral("hdd1:");
            j.startup = QStringLiteral("SLUS_200.0%1").arg(jobs.count());
            j.type = DiscType::CD;
            jobs.addJob(j);
        }
        jobs.setState(0, JobState::Complete);
        QList<QPair<int, int>> seen; // number and count at each job's start
        QStringList ran;
        std::vector<std::unique_ptr<ToolRun>> runs;
        JobQueue q(jobs, [&](const QStringList& args) {
            ran << args.value(2);
            runs.push_back(std::make_unique<ToolRun>(
                ToolCommand{QStringLiteral("/bin/sh"),
                            {QStringLiteral("-c"), QStringLiteral("printf '100%%'")}}));
            runs.back()->start();
            return runs.back().get();
        });
        connect(&q, &JobQueue::jobStarted, this,
                [&] { seen << qMakePair(q.runNumber(), q.runCount()); });
        // Only C and D: B waits, A was done before.
        q.start({2, 3});
        QTRY_VERIFY(!q.isRunning());
        QCOMPARE(ran, (QStringList{"C", "D"}));
        QCOMPARE(seen, (QList<QPair<int, int>>{{1, 2}, {2, 2}}));
        QCOMPARE(jobs.job(1).state, JobState::Pending);
        // The whole queue next: the done ones are no part of the count.
        seen.clear();
        ran.clear();
        jobs.setState(2, JobState::Complete);
        jobs.setState(3, JobState::Complete);
        q.start();
        QTRY_VERIFY(!q.isRunning());
        QCOMPARE(seen, (QList<QPair<int, int>>{{1, 1}}));
    }

    void installArguments()
    {
        QFETCH(int, type);
        QFETCH(QString, startup);
        QFETCH(QString, flags);
        const QStringList args =
            JobArguments(install(type == 0 ? DiscType::CD : DiscType::DVD, startup, flags));
        QTEST(ToolCommand::DisplayArguments(args), "shown");
    }

    void copyAndImageArguments()
    {
        Job pc;
        pc.kind = JobKind::CopyToPC;
        pc.source = QStringLiteral("hdd1:");
        pc.destination = QStringLiteral("/home/me/Game One.iso");
        pc.name = QStringLiteral("Game One");
        QCOMPARE(JobArguments(pc),
                 (QStringList{"extract", "hdd1:", "Game One", "/home/me/Game One.iso"}));
        Job ps2 = pc;
        ps2.kind = JobKind::CopyToPS2;
        ps2.destination = QStringLiteral("192.168.0.20");
        QCOMPARE(JobArguments(ps2).last(), QStringLiteral("192.168.0.20:Game One"));
        Job image = pc;
        image.kind = JobKind::MakeIso;
        image.source = QStringLiteral("cd0:");
        QCOMPARE(JobArguments(image), (QStringList{"dump", "cd0:", "/home/me/Game One.iso"}));
    }

    void errorTexts_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<int>("error");
        QTest::newRow("interrupted") << " 45%\r\nInterrupted.\r\n" << int(ToolError::Interrupted);
        QTest::newRow("unsupported") << "Input or output is unsupported.\r\n"
                                     << int(ToolError::Unsupported);
        QTest::newRow("exists, older") << "hdd1: The file exists.\r\n"
                                       << int(ToolError::FileExists);
        QTest::newRow("exists, current") << ReadCapture(QStringLiteral("cur_extract_exists.stderr"))
                                         << int(ToolError::FileExists);
        QTest::newRow("name exists") << ReadCapture(QStringLiteral("cur_inject_cd_exists.stderr"))
                                     << int(ToolError::FileExists);
        QTest::newRow("no space") << ReadCapture(QStringLiteral("cur_small_inject3_nospace.stderr"))
                                  << int(ToolError::NoSpace);
        QTest::newRow("disk full, current") << "0000001c (28): No space left on device\n"
                                            << int(ToolError::NoSpace);
        QTest::newRow("parameter, current") << "00000016 (22): Invalid argument\n"
                                            << int(ToolError::BadParameter);
        QTest::newRow("refused") << "0000006f (111): Connection refused\n"
                                 << int(ToolError::ConnectionRefused);
        QTest::newRow("not a PS2 disk") << ReadCapture(QStringLiteral("cur_hdl_toc_blank.stderr"))
                                        << int(ToolError::NotPs2Disk);
        QTest::newRow("usage") << "Usage: hdl_dump command\n" << int(ToolError::UnknownCommand);
        QTest::newRow("nothing") << " 45%\r100%" << int(ToolError::None);
        // The last record has no line end: what follows shares its line.
        QTest::newRow("after 100%, same line")
            << " 99%\r100%0000001c (28): No space left on device\n"
            << int(ToolError::NoSpace);
        QTest::newRow("after gauge records")
            << "[=======                ]  11%, 17 sec remaining, 1.93 MB/sec         \r"
               "Interrupted.\n"
            << int(ToolError::Interrupted);
    }
    void errorTexts()
    {
        QFETCH(QString, output);
        QFETCH(int, error);
        QCOMPARE(int(RecogniseToolError(output)), error);
        // The same text cut anywhere by a read.
        for (qsizetype cut = 1; cut < output.size(); cut += 7) {
            ToolErrorScanner scanner;
            scanner.feed(output.left(cut));
            scanner.feed(output.mid(cut));
            QCOMPARE(int(scanner.first()), error);
        }
    }

    void progressPieces()
    {
        for (const char* yes : {" 45%", "100%", "  6%, 2 min, 46 sec remaining, 41.74 MB/sec   ",
                                "[====   ]  11%, 17 sec remaining, 1.93 MB/sec"})
            QVERIFY2(IsProgressPiece(QString::fromLatin1(yes)), yes);
        for (const char* no : {"", "45", "1000%", "100%No space left on device",
                               " 45%, Input/output error", "[unclosed 45%", "hdd1: 45% full"})
            QVERIFY2(!IsProgressPiece(QString::fromLatin1(no)), no);
    }

    void resultsOfARun_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("normal");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("result");
        QTest::newRow("complete") << 0 << true << " 50%\r100%"
                                  << "Complete";
        QTest::newRow("named error") << 106 << true << " 10%\rhdd1: not enough free space.\n"
                                     << "Error (Insufficient disk space)";
        QTest::newRow("interrupted") << 109 << true << " 10%\rInterrupted.\n"
                                     << "Cancelled";
        // Faults after "100%" are failures with the tool's reason.
        QTest::newRow("io error after 100%")
            << 1 << true << "100%\n00000005 (5): Input/output error\n"
            << "Error (Input/output error)";
        // The system's sentence, without the number before it.
        QTest::newRow("file's error")
            << 1 << true << " 10%\r/i/a.iso: 00000002 (2): No such file or directory\n"
            << "Error (/i/a.iso: No such file or directory)";
        QTest::newRow("crash after 100%") << 11 << false << "100%"
                                          << "Error (hdl_dump was killed by signal SIGSEGV.)";
        QTest::newRow("timeout after 100%")
            << 127 << true << "100%\nNetwork communication timeout.\n"
            << "Error (Network communication timeout.)";
        QTest::newRow("usage") << 100 << true << "Usage: hdl_dump inject_cd ...\n"
                               << "Error (Usage: hdl_dump inject_cd ...)";
        // Only a silent success short of 100% keeps the old riddle.
        QTest::newRow("no result") << 0 << true << ""
                                   << "Error (Dual-Layer DVD?)";
    }
    void resultsOfARun()
    {
        QFETCH(int, status);
        QFETCH(bool, normal);
        QFETCH(QString, output);
        Job job = install(DiscType::DVD, {}, {});
        JobQueue::decideResult(job, ended(status, output, normal),
                               output.contains(QStringLiteral("100%")), QStringLiteral("hdl_dump"));
        QTEST(JobResultText(job), "result");
    }

    void queueRunsEachJobAndReportsProgress_data()
    {
        QTest::addColumn<QString>("capture");
        QTest::addColumn<bool>("timed"); // it prints records with the time left
        QTest::newRow("current") << "cur_inject_cd" << true;
        QTest::newRow("older, fast") << "v090_inject_cd" << false;
        // The newest builds draw a gauge in front of the percentage.
        QTest::newRow("gauge") << "new_net_inject_dvd_bar" << true;
    }
    void queueRunsEachJobAndReportsProgress()
    {
        // Each job's "tool" prints the reads of a real capture, one by one.
        QFETCH(QString, capture);
        QFETCH(bool, timed);
        const QStringList reads = captureReads(capture);
        QVERIFY(reads.size() >= 2);
        JobListModel jobs;
        jobs.addJob(install(DiscType::CD, {}, {}));
        jobs.addJob(install(DiscType::CD, {}, {}));
        jobs.addJob(install(DiscType::CD, {}, {}));
        jobs.setState(1, JobState::Complete); // a second run skips it
        QList<QStringList> launched;
        std::vector<std::unique_ptr<ToolRun>> runs;
        JobQueue queue(jobs, [&](const QStringList& args) {
            launched << args;
            QStringList script{QStringLiteral("-c"),
                               QStringLiteral("for r in \"$@\"; do printf '%s' \"$r\"; sleep "
                                              "0.01; done"),
                               QStringLiteral("sh")};
            runs.push_back(
                std::make_unique<ToolRun>(ToolCommand{QStringLiteral("/bin/sh"), script + reads}));
            runs.back()->start();
            return runs.back().get();
        });
        QList<JobProgress> seen;
        connect(&queue, &JobQueue::progressChanged, this, [&](const JobProgress& p) { seen << p; });
        QSignalSpy finished(&queue, &JobQueue::finished);
        queue.start();
        QVERIFY(finished.wait(20000));
        QCOMPARE(launched.size(), 2);
        for (int row : {0, 1, 2})
            QCOMPARE(jobs.job(row).state, JobState::Complete);
        QVERIFY(!seen.isEmpty());
        // The records after the first second carry the time left and the speed.
        QCOMPARE(std::any_of(seen.cbegin(), seen.cend(),
                             [](const JobProgress& p) {
                                 return p.speed && p.speed->endsWith(QStringLiteral("MB/sec")) &&
                                        p.remaining;
                             }),
                 timed);
        for (const JobProgress& p : std::as_const(seen)) {
            QVERIFY2(!p.speed.value_or(QString()).endsWith(u' '),
                     qPrintable(p.speed.value_or(QString())));
            QVERIFY(p.overall >= 0 && p.overall <= 100);
            // The run counts its own jobs, not the one done before it.
            QCOMPARE(p.jobCount, 2);
        }
        // The second of two jobs at 100%: round(100 / 2 * 1) + floor(100 / 2).
        QCOMPARE(seen.last().jobNumber, 2);
        QCOMPARE(seen.last().percent, 100);
        QCOMPARE(seen.last().overall, 100);
        QVERIFY(queue.allComplete());
    }

    void theDiscDatabaseAndImageFiles()
    {
        // Flags as a set: any order or repeat gives the tool's ascending form.
        QCOMPARE(CompatFlags::parse(QStringLiteral("3+1+3"))->toolText(), QStringLiteral("+1+3"));
        QVERIFY(CompatFlags::parse(QStringLiteral("0"))->isEmpty());
        QVERIFY(!CompatFlags::parse(QStringLiteral("9")));
        QVERIFY(!CompatFlags::parse(QStringLiteral("+1+")));
        QCOMPARE(CompatFlags::fromTicked({false, true, false, true}).toolText(),
                 QStringLiteral("+2+4"));
        const auto db = ParseDiscDatabase("\"SLUS_200.02\" = \"Ico;1+3\"\r\n"
                                          "\"SLES_500.01\" = \"Name; With; Semicolons;0\"\n"
                                          "\"SCUS_971.13\" = \"No Flags\"\n"
                                          "# a comment\n\"\" = \"Nameless startup;1\"\n"
                                          "\"SLUS_1\" = \";2\"\n"
                                          "\"SLUS_2\" = \"Odd Flags;1+x\"\n");
        QCOMPARE(db.size(), 4);
        QVERIFY(db.value(QStringLiteral("SLUS_2")).flags.isEmpty());
        QCOMPARE(db.value(QStringLiteral("SLUS_200.02")).name, QStringLiteral("Ico"));
        QCOMPARE(db.value(QStringLiteral("SLUS_200.02")).flags.toolText(), QStringLiteral("+1+3"));
        QCOMPARE(db.value(QStringLiteral("SLES_500.01")).name,
                 QStringLiteral("Name; With; Semicolons"));
        QVERIFY(db.value(QStringLiteral("SLES_500.01")).flags.isEmpty());
        QCOMPARE(db.value(QStringLiteral("SCUS_971.13")).name, QStringLiteral("No Flags"));

        for (const char* yes : {"a.iso", "B.ISO", "c.Cue", "d.nrg", "e.GI", "f.iml", "g.toc"})
            QVERIFY2(IsImageFile(QString::fromLatin1(yes)), yes);
        for (const char* no : {"a.iso.part", "b.bin", "iso", "c.txt"})
            QVERIFY2(!IsImageFile(QString::fromLatin1(no)), no);

        QTemporaryDir dir;
        QDir().mkpath(dir.filePath(QStringLiteral("x/y")));
        for (const char* f : {"x/b.iso", "x/y/A.ISO", "x/y/skip.txt", "c.cue"}) {
            QFile file(dir.filePath(QString::fromLatin1(f)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        // A file named on its own and inside a folder given too is found once.
        const QStringList found =
            FindImages({dir.filePath(QStringLiteral("x/b.iso")), dir.filePath(QStringLiteral("x")),
                        dir.filePath(QStringLiteral("missing"))});
        QCOMPARE(found, (QStringList{dir.filePath(QStringLiteral("x/b.iso")),
                                     dir.filePath(QStringLiteral("x/y/A.ISO"))}));
    }

    void discLabelsReadAsTitles()
    {
        QCOMPARE(ReadableLabel(QStringLiteral("BEYOND_GOOD_EVIL")),
                 QStringLiteral("Beyond Good Evil"));
        QCOMPARE(ReadableLabel(QStringLiteral("GOD_OF_WAR_II")), QStringLiteral("God of War II"));
        QCOMPARE(ReadableLabel(QStringLiteral("THE_GETAWAY")), QStringLiteral("The Getaway"));
        QCOMPARE(ReadableLabel(QStringLiteral("FIFA_2005")), QStringLiteral("Fifa 2005"));
        QCOMPARE(ReadableLabel(QStringLiteral("Okami")), QStringLiteral("Okami"));
        QCOMPARE(ReadableLabel(QStringLiteral("__")), QString());
        // A drive's disc is named so; an image keeps its file's name.
        parse::DiscInfo disc;
        disc.name = QStringLiteral("SHADOW_OF_THE_COLOSSUS");
        QCOMPARE(NameForGame(QStringLiteral("cd0:"), disc, {}).name,
                 QStringLiteral("Shadow of the Colossus"));
        QCOMPARE(NameForGame(QStringLiteral("/x/My Copy.iso"), disc, {}).name,
                 QStringLiteral("My Copy"));
    }

    void controlCharactersNeverReachAName()
    {
        // From a database: ESC and BEL would reach the tool and a terminal raw.
        const auto db = ParseDiscDatabase("\"SLUS_200.02\" = \"Bad\x1b[31mName\x07;1\"\n");
        QCOMPARE(db.value(QStringLiteral("SLUS_200.02")).name, QStringLiteral("Bad [31mName"));
        // From a disc's label and a file's name: replaced, never refused.
        parse::DiscInfo label;
        label.startup = QStringLiteral("SLUS_300.01");
        label.name = QStringLiteral("Re\nz");
        parse::DiscInfo none;
        none.startup = QStringLiteral("SLUS_300.02");
        const BatchSummary summary =
            PlanBatch({ReadImage{QStringLiteral("/a/label.iso"), label, {}, false, {}},
                       ReadImage{QStringLiteral("/a/tab\there.iso"), none, {}, false, {}}},
                      Target::Disk(QStringLiteral("hdd1:")), std::nullopt, {}, {}, {});
        // An image is named by its file, a disc by its label; the other when that is empty.
        QCOMPARE(summary.entries[0].job.name, QStringLiteral("label"));
        QCOMPARE(summary.entries[1].job.name, QStringLiteral("tab here"));
        QCOMPARE(NameForGame(QStringLiteral("cd0:"), label).name, QStringLiteral("Re z"));
        // The disc database comes first, with its flags, and a name is cut to what the tool
        // keeps, at a character.
        const QHash<QString, DiscDatabaseEntry> database{
            {QStringLiteral("SLUS_300.01"),
             DiscDatabaseEntry{QStringLiteral("Known"), *CompatFlags::parse(QStringLiteral("2"))}}};
        const GameNaming known = NameForGame(QStringLiteral("/a/label.iso"), label, database);
        QCOMPARE(known.name, QStringLiteral("Known"));
        QVERIFY(known.fromDatabase && known.flags.has(2));
        parse::DiscInfo longName;
        longName.name = QString(40, QChar(0x00e9)); // 80 bytes in UTF-8
        QCOMPARE(NameForGame(QStringLiteral("cd0:"), longName).name, QString(32, QChar(0x00e9)));
        QVERIFY(HasControlCharacters(QStringLiteral("a\x7f")));
        QVERIFY(!HasControlCharacters(QStringLiteral("Café \"Hi\"")));
    }

    void gamesAreNamedFromAGameIndex()
    {
        // As the emulator writes its index: serials with their values, quoted or not, with
        // lists and nested maps among them.
        const QByteArray yaml = R"(# a comment
SLUS-20312:
  name: "Grand Theft Auto III"
  region: "NTSC-U"
  gameFixes:
    - EETimingHack
  patches:
    default:
      content: |-
        patch=1,EE,0012,word,0
SLPM-65001:
  name: "Japanese Title"
  name-en: "English Title"
SCES-50000:
  region: PAL-E
SLES-12345:
  name: Plain Name
)";
        QString error;
        const TitleIndex index = TitleIndex::FromYaml(yaml, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(index.size(), 3);
        QCOMPARE(index.titleFor(QStringLiteral("SLUS_203.12")),
                 QStringLiteral("Grand Theft Auto III"));
        QCOMPARE(index.titleFor(QStringLiteral("SLPM_650.01")), QStringLiteral("English Title"));
        QCOMPARE(index.titleFor(QStringLiteral("SLES_123.45;1")), QStringLiteral("Plain Name"));
        QVERIFY(index.titleFor(QStringLiteral("SCES_500.00")).isEmpty()); // no name
        QVERIFY(index.titleFor(QStringLiteral("NOT_A.SERIAL")).isEmpty());
        // A broken file keeps what came before the fault, and says what the fault was.
        const TitleIndex broken =
            TitleIndex::FromYaml("SLUS-20312:\n  name: \"Kept\"\nSLUS-1: [unclosed\n", &error);
        QVERIFY(!error.isEmpty());
        QCOMPARE(broken.titleFor(QStringLiteral("SLUS_203.12")), QStringLiteral("Kept"));
        QVERIFY(TitleIndex::FromYaml("just text").isEmpty());
        // A chosen index that is no plain file, or far too large, is refused at once: never
        // waited on (a FIFO), never read without end (/dev/zero).
        QTemporaryDir dir;
        const QString fifo = dir.filePath(QStringLiteral("GameIndex.yaml"));
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        for (const QString& file : {fifo, QStringLiteral("/dev/zero")}) {
            error.clear();
            QVERIFY(TitleIndex::Load(file, &error).isEmpty());
            QVERIFY2(!error.isEmpty(), qPrintable(file));
        }
        const QString huge = dir.filePath(QStringLiteral("huge.yaml"));
        QFile sparse(huge);
        QVERIFY(sparse.open(QIODevice::WriteOnly) && sparse.resize(qint64(2) << 30));
        sparse.close();
        QVERIFY(TitleIndex::Load(huge, &error).isEmpty());
        QCOMPARE(error, QStringLiteral("larger than a game index can be"));

        // The tool's database first, then the index, then the file or the label; each says
        // where its name came from.
        parse::DiscInfo disc;
        disc.startup = QStringLiteral("SLUS_203.12");
        disc.name = QStringLiteral("GTA3");
        const QHash<QString, DiscDatabaseEntry> database{
            {QStringLiteral("SLUS_203.12"), DiscDatabaseEntry{QStringLiteral("From DB"), {}}}};
        GameNaming n = NameForGame(QStringLiteral("/i/gta3 (USA).iso"), disc, database, &index);
        QCOMPARE(n.name, QStringLiteral("From DB"));
        QCOMPARE(n.source, NameSource::DiscDatabase);
        n = NameForGame(QStringLiteral("/i/gta3 (USA).iso"), disc, {}, &index);
        QCOMPARE(n.name, QStringLiteral("Grand Theft Auto III"));
        QCOMPARE(n.source, NameSource::TitleIndex);
        disc.startup = QStringLiteral("SLUS_999.99");
        n = NameForGame(QStringLiteral("/i/gta3 (USA).iso"), disc, {}, &index);
        QCOMPARE(n.name, QStringLiteral("gta3 (USA)"));
        QCOMPARE(n.source, NameSource::FileName);
        n = NameForGame(QStringLiteral("/dev/sr0"), disc, {}, &index);
        QCOMPARE(n.source, NameSource::DiscLabel);

        // Kept with the queue, and shown beside the name.
        JobListModel jobs;
        Job j;
        j.name = QStringLiteral("Grand Theft Auto III");
        j.source = QStringLiteral("/i/gta3.iso");
        j.destination = QStringLiteral("hdd1:");
        j.startup = QStringLiteral("SLUS_203.12");
        j.nameSource = NameSource::TitleIndex;
        jobs.addJob(j);
        QVERIFY(jobs.index(0, 4)
                    .data(Qt::ToolTipRole)
                    .toString()
                    .contains(QStringLiteral("game index")));
        const LoadedQueue back = QueueFromJson(QueueToJson(jobs.allJobs()));
        QCOMPARE(back.jobs.size(), 1);
        QCOMPARE(back.jobs[0].nameSource, NameSource::TitleIndex);
    }

    void cancelAbortsTheRunningJobAndLeavesTheOthersPending()
    {
        JobListModel jobs;
        for (int i = 0; i < 3; ++i)
            jobs.addJob(install(DiscType::CD, {}, {}));
        std::unique_ptr<ToolRun> run;
        JobQueue queue(jobs, [&](const QStringList&) {
            run = std::make_unique<ToolRun>(ToolCommand{
                QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"),
                 QStringLiteral("trap 'echo Interrupted.; exit 109' INT; printf ' 5%%\\r'; "
                                "while :; do sleep 0.05; done")}});
            run->start();
            return run.get();
        });
        QSignalSpy progress(&queue, &JobQueue::progressChanged);
        QSignalSpy finished(&queue, &JobQueue::finished);
        queue.start();
        QVERIFY(progress.wait(5000));
        queue.cancel();
        QVERIFY(finished.wait(10000));
        QVERIFY(queue.wasCancelled());
        QCOMPARE(jobs.job(0).state, JobState::Aborted);
        for (int row : {1, 2})
            QCOMPARE(jobs.job(row).state, JobState::Pending);
    }
};

QTEST_GUILESS_MAIN(TestJobs)
#include "tst_jobs.moc"
