#include "TestSupport.h"
#include "core/output/JsonText.h"
#include "core/output/Parsers.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include <limits>

using namespace parse;

class TestParsers : public QObject
{
    Q_OBJECT

private slots:
    void gameLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("type");
        QTest::addColumn<qint64>("kb");
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QString>("startup");
        QTest::addColumn<QString>("title");
        // Read by fields: both layouts give the whole 11-character startup and the title.
        QTest::newRow("older") << "CD   308576KB             1+3 SLUS_123.45  Test Game"
                               << "CD" << qint64(308576) << "1+3"
                               << "SLUS_123.45"
                               << "Test Game";
        QTest::newRow("older, blank flags")
            << "DVD  308576KB                 SLUS_123.45  A Much Longer Game Title For Column Test"
            << "DVD" << qint64(308576) << ""
            << "SLUS_123.45"
            << "A Much Longer Game Title For Column Test";
        QTest::newRow("current") << "CD   308576KB             1+3 *u4 SLUS_123.45  Test Game"
                                 << "CD" << qint64(308576) << "1+3"
                                 << "SLUS_123.45"
                                 << "Test Game";
        QTest::newRow("current, no flags") << "DVD  308576KB               0 *u4 SLUS_123.45  A "
                                              "Much Longer Game Title For Column Test"
                                           << "DVD" << qint64(308576) << ""
                                           << "SLUS_123.45"
                                           << "A Much Longer Game Title For Column Test";
        QTest::newRow("current, dma m2") << "CD     1374KB               2 *m2 SLUS_123.45  Small"
                                         << "CD" << qint64(1374) << "2"
                                         << "SLUS_123.45"
                                         << "Small";
        QTest::newRow("CRLF removed before")
            << "CD   524288KB                 PBPX_952.01  Demo Disc"
            << "CD" << qint64(524288) << ""
            << "PBPX_952.01"
            << "Demo Disc";
        QTest::newRow("title with double spaces")
            << "CD       10KB                 SLUS_000.01  A  B"
            << "CD" << qint64(10) << ""
            << "SLUS_000.01"
            << "A  B";
    }
    void gameLines()
    {
        QFETCH(QString, line);
        const auto row = ParseGameLine(line);
        QVERIFY(row);
        QTEST(row->type, "type");
        QTEST(row->sizeKb, "kb");
        QTEST(row->flags, "flags");
        QTEST(row->startup, "startup");
        QTEST(row->title, "title");
    }

    void notGameLines()
    {
        QVERIFY(
            !ParseGameLine(QStringLiteral("type     size flags           dma startup      name")));
        QVERIFY(!ParseGameLine(QStringLiteral("total 20480MB, used 1024MB, available 19456MB")));
        QVERIFY(!ParseGameLine(QStringLiteral("CD")));
        QVERIFY(!ParseGameLine(QStringLiteral("CDX  1KB  SLUS")));
        QVERIFY(!ParseGameLine(QString()));
    }

    void namesAreReadExactlyByTheHeadersColumns_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("startup");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("flags");
        const QString older = QStringLiteral("type     size flags           startup      name\r\n");
        const QString current =
            QStringLiteral("type     size flags           dma startup      name\n");
        // A game installed without a startup: not "World" with startup "FIFA".
        QTest::newRow("older, no startup")
            << older + "CD      350KB                              2002 FIFA World\r\n"
            << ""
            << "2002 FIFA World"
            << "";
        QTest::newRow("current, no startup")
            << current + "CD      350KB               0 *u4              2002 FIFA World\n"
            << ""
            << "2002 FIFA World"
            << "";
        // Blanks around a name are part of it.
        QTest::newRow("leading blank")
            << current + "CD      350KB             1+3 *u4 SLUS_123.45   Foo\n"
            << "SLUS_123.45"
            << " Foo"
            << "1+3";
        QTest::newRow("trailing blank")
            << older + "DVD     350KB                 SLUS_123.45  Foo \r\n"
            << "SLUS_123.45"
            << "Foo "
            << "";
        QTest::newRow("newest, quotes and accents")
            << QString::fromUtf8(ReadCaptureBytes(QStringLiteral("new_net_hdl_toc.stdout")))
                   .section(u'\n', 0, 2)
            << "SLES_543.21" << QString::fromUtf8("He said \"Hi\" \u00c9dition \u00d1o\u00f1o")
            << "1+3";
    }
    void namesAreReadExactlyByTheHeadersColumns()
    {
        QFETCH(QString, table);
        const GameTable t = ParseGameTable(table);
        QVERIFY(!t.games.isEmpty());
        QTEST(t.games.last().startup, "startup");
        QTEST(t.games.last().title, "title");
        QTEST(t.games.last().flags, "flags");
    }

    void capturedTablesInBothLayouts()
    {
        for (const QString& name : {QStringLiteral("cur_hdl_toc_3games.stdout"),
                                    QStringLiteral("v090_hdl_toc_3games.stdout")}) {
            QList<GameRow> rows;
            std::optional<SpaceSummary> space;
            for (const QString& line : SplitLines(ReadCapture(name))) {
                if (auto r = ParseGameLine(line))
                    rows << *r;
                if (auto s = ParseSpaceLine(line))
                    space = s;
            }
            QCOMPARE(rows.size(), 3);
            QCOMPARE(rows[1].title, QStringLiteral("A Much Longer Game Title For Column Test"));
            QCOMPARE(rows[2].flags, QStringLiteral("2"));
            QCOMPARE(rows[0].sizeText, QStringLiteral("301MB"));
            QVERIFY(space);
            QCOMPARE(space->text,
                     QStringLiteral("20.00GB Total - 1.00GB Used - 19.00GB Available"));
        }
    }

    void spaceLine()
    {
        const auto s =
            ParseSpaceLine(QStringLiteral("total 20480MB, used 5120MB, available 15360MB"));
        QVERIFY(s);
        QCOMPARE(s->totalMb, qint64(20480));
        QCOMPARE(s->usedMb, qint64(5120));
        QCOMPARE(s->text, QStringLiteral("20.00GB Total - 5.00GB Used - 15.00GB Available"));
        QVERIFY(!ParseSpaceLine(QStringLiteral("total used available")));
        QVERIFY(!ParseSpaceLine(QStringLiteral("used 1MB total available")));
    }

    void sizes()
    {
        // Under a gigabyte in megabytes, never "0.00GB".
        QCOMPARE(GameSizeText(1048576), QStringLiteral("1.00GB"));
        QCOMPARE(GameSizeText(524288), QStringLiteral("512MB"));
        QCOMPARE(GameSizeText(1048575), QStringLiteral("1024MB"));
        QCOMPARE(GameSizeText(4740), QStringLiteral("4.6MB"));
        QCOMPARE(GameSizeText(350), QStringLiteral("0.3MB"));
        QVERIFY(!IsDualLayerSize(4.374 * 1048576));
        QVERIFY(IsDualLayerSize(4592762));
        QCOMPARE(DiskLabel(QStringLiteral("hdd1:"), 2048), QStringLiteral("hdd1:  [2.0 GB]"));
        QCOMPARE(DiskLabel(QStringLiteral("hdd1:"), 900), QStringLiteral("hdd1:  [.9 GB]"));
        QCOMPARE(DiskLabel(QStringLiteral("/dev/sdb"), 476940),
                 QStringLiteral("/dev/sdb  [465.8 GB]"));
        QCOMPARE(RoundHalfEven(2.5), qint64(2));
        QCOMPARE(RoundHalfEven(3.5), qint64(4));
        QCOMPARE(RoundHalfEven(33.333), qint64(33));
    }

    void deviceLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("disk");
        QTest::addColumn<QString>("device");
        QTest::addColumn<double>("mb");
        QTest::addColumn<bool>("formatted");
        QTest::newRow("hdd1") << "\thdd1:  2048 MB, formatted Playstation 2 HDD" << true
                              << "hdd1:" << 2048.0 << true;
        QTest::newRow("hdd10") << "\thdd10:  40960 MB, formatted Playstation 2 HDD" << true
                               << "hdd10:" << 40960.0 << true;
        QTest::newRow("linux path") << "\t/dev/sdb  476940 MB, formatted Playstation 2 HDD" << true
                                    << "/dev/sdb" << 476940.0 << true;
        QTest::newRow("not formatted")
            << "\thdd3:  900 MB, not formatted" << true << "hdd3:" << 900.0 << false;
        QTest::newRow("cd0") << "\tcd0:  3200 MB, Playstation 2 disc" << false << "cd0:" << 3200.0
                             << false;
        QTest::newRow("sr0") << "\t/dev/sr0  3200 MB, disc" << false << "/dev/sr0" << 3200.0
                             << false;
    }
    void deviceLines()
    {
        QFETCH(QString, line);
        QFETCH(bool, disk);
        const auto d = disk ? ParseDiskLine(line) : ParseOpticalLine(line);
        QVERIFY(d);
        QTEST(d->device, "device");
        QTEST(d->sizeMb, "mb");
        QTEST(d->ps2Formatted, "formatted");
    }

    void linesThatAreNoDevices()
    {
        QVERIFY(!ParseOpticalLine(QStringLiteral("cd0:  3200 MB, no tab")));
        QVERIFY(!ParseOpticalLine(QStringLiteral("\tcd0:  no media")));
        QVERIFY(!ParseDiskLine(QStringLiteral("\thdd1:  formatted Playstation 2 HDD but no size")));
        QVERIFY(!ParseDiskLine(QStringLiteral("Hard drives:")));
    }

    void discInformation_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("startup");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("dual");
        QTest::addColumn<QString>("size");
        QTest::newRow("capture")
            << ReadCapture(QStringLiteral("cur_cdvd_info_test.stdout")).trimmed() << "SLUS_123.45"
            << "TESTGAME" << false << "301MB";
        QTest::newRow("not S") << "\"PBPX_952.01\" \"DEMO\"  308576KB"
                               << "PBPX_952.01"
                               << "DEMO" << false << "301MB";
        QTest::newRow("spaced name") << "\"SLES_500.01\" \"MY GAME\"  1048576KB"
                                     << "SLES_500.01"
                                     << "MY GAME" << false << "1.00GB";
        QTest::newRow("dual layer") << "\"SLUS_203.12\" \"BIG\" dual layer 4592762KB"
                                    << "SLUS_203.12"
                                    << "BIG" << true << "4.38GB";
        QTest::newRow("empty name") << "\"SLUS_200.02\" \"\"  4KB"
                                    << "SLUS_200.02"
                                    << "" << false << "0.0MB";
    }
    void discInformation()
    {
        QFETCH(QString, line);
        const auto d = ParseDiscInfoLine(line);
        QVERIFY(d);
        QTEST(d->startup, "startup");
        QTEST(d->name, "name");
        QTEST(d->dualLayer, "dual");
        QTEST(d->sizeText, "size");
    }

    void discInformationOfTheCurrentTool()
    {
        const auto info = FindDiscInfo(ReadCapture(QStringLiteral("new_cdvd_info2_game1.stdout")));
        QVERIFY(info);
        QCOMPARE(info->media, QStringLiteral("CD"));
        QCOMPARE(info->sizeKb, qint64(4740));
        QCOMPARE(info->name, QStringLiteral("GAME_ONE"));
        QCOMPARE(info->startup, QStringLiteral("SLUS_123.45"));
    }

    void anImageFileIsNeitherCdNorDvdToTheTool()
    {
        const auto info = FindDiscInfo(ReadCapture(QStringLiteral("new_cdvd_info2_image.stdout")));
        QVERIFY(info);
        QVERIFY(info->mediaUnknown);
        QCOMPARE(info->media, QString());
        QCOMPARE(info->startup, QStringLiteral("SLUS_123.45"));
        QCOMPARE(info->sizeKb, qint64(5472));
    }

    void partitionTablesOfBothBuilds()
    {
        const PartitionTable current =
            ParsePartitionTable(ReadCapture(QStringLiteral("new_toc_twins.stdout")));
        QVERIFY(current.understood());
        QCOMPARE(current.rows.size(), 3);
        QCOMPARE(current.games().size(), 2);
        QCOMPARE(current.games()[1].name, QStringLiteral("PP.SLES-54321..WORLD"));
        QCOMPARE(current.games()[1].sizeMb, qint64(128));
        // 0.9.0 pads its names; the blank inside one is part of it.
        const PartitionTable older =
            ParsePartitionTable(ReadCapture(QStringLiteral("v090_toc_named.stdout")));
        QVERIFY(older.understood());
        QCOMPARE(older.games().size(), 3);
        QCOMPARE(older.games()[1].name, QStringLiteral("PP.HDL.Say _Hi_"));
        QCOMPARE(older.games()[2].name, QStringLiteral("PP.HDL.Caf__"));
        // Without its total line, or its header, a table is not understood.
        QString cut = ReadCapture(QStringLiteral("new_toc_twins.stdout"));
        cut.truncate(cut.lastIndexOf(QStringLiteral("Total")));
        QVERIFY(!ParsePartitionTable(cut).understood());
        QVERIFY(!ParsePartitionTable(QString()).understood());
    }

    // toc's rows are read by hand (a listing has thousands): the same rows as the pattern they
    // were read with before, over lines made of their pieces in many orders and lengths.
    void partitionRowsReadAsThePatternDid()
    {
        static const QRegularExpression pattern(QStringLiteral(
            "^(0x[0-9a-fA-F]{4})\\s+[0-9a-fA-F]+\\.?:?\\s+[0-9]+\\s+([0-9]+)MB\\s+(\\S.*)$"));
        const QStringList pieces{QStringLiteral("0x"),
                                 QStringLiteral("0x1337"),
                                 QStringLiteral("0100"),
                                 QStringLiteral("ab"),
                                 QStringLiteral("Z"),
                                 QStringLiteral(" "),
                                 QStringLiteral("\t"),
                                 QStringLiteral("."),
                                 QStringLiteral(":"),
                                 QStringLiteral("128"),
                                 QStringLiteral("MB"),
                                 QStringLiteral("M"),
                                 QStringLiteral("PP.HDL.Say _Hi_"),
                                 QStringLiteral("  "),
                                 QStringLiteral("\v"),
                                 QStringLiteral("00040000.:")};
        const QString header = QStringLiteral("type   start      #parts     size name\n");
        QRandomGenerator random(20261209);
        int matched = 0;
        for (int n = 0; n < 20000; ++n) {
            QString line;
            // Most lines start as a row does, so that the later pieces are reached.
            if (random.bounded(4) != 0)
                line = QStringLiteral("0x%1 ").arg(random.bounded(0x10000), 4, 16, QChar(u'0'));
            for (int k = static_cast<int>(random.bounded(9)); k > 0; --k)
                line += pieces[static_cast<int>(random.bounded(pieces.size()))];
            if (n % 3 == 0)
                line = QStringLiteral("0x0100 00040000.:  1   %1MB %2")
                           .arg(random.bounded(100000))
                           .arg(line);
            const auto m = pattern.match(line);
            const PartitionTable t =
                ParsePartitionTable(header + line + QStringLiteral("\nTotal slice size: 1MB\n"));
            QCOMPARE(t.rows.size(), m.hasMatch() ? 1 : 0);
            if (!m.hasMatch())
                continue;
            ++matched;
            QString name = m.captured(3);
            while (name.endsWith(u' '))
                name.chop(1);
            QCOMPARE(t.rows[0].type, m.captured(1));
            QCOMPARE(t.rows[0].sizeMb, m.captured(2).toLongLong());
            QCOMPARE(t.rows[0].name, name);
        }
        QVERIFY2(matched > 5000, qPrintable(QString::number(matched)));
    }

    // The listing's JSON is written by hand; a script reading it must get what Qt would write.
    void jsonTextIsWhatQtWrites()
    {
        QStringList texts{
            QString(), QStringLiteral("Plain Game"), QStringLiteral("quote \" back \\ slash / end"),
            QStringLiteral("Édition Ñoño 日本語 \U0001F3AE"), QStringLiteral("tab\tline\n")};
        QString controls;
        for (char16_t c = 0; c < 0x20; ++c)
            controls += QChar(c);
        controls += QChar(0x7f);
        for (char16_t c = 0x80; c < 0xa0; ++c)
            controls += QChar(c);
        texts << controls;
        // Halves of a pair, alone, at the end, and the wrong way round.
        texts << QString(QChar(0xd83c)) + u'x' << QString(QChar(0xdfae))
              << QStringLiteral("a") + QChar(0xd83c) << QString(QChar(0xdfae)) + QChar(0xd83c);
        auto* random = QRandomGenerator::global();
        for (int i = 0; i < 200; ++i) {
            QString t;
            for (int n = random->bounded(12); n > 0; --n)
                t += QChar(static_cast<char16_t>(random->bounded(0x10000)));
            texts << t;
        }
        const QList<qint64> numbers{0,
                                    -1,
                                    4740,
                                    9007199254740993LL,
                                    std::numeric_limits<qint64>::min(),
                                    std::numeric_limits<qint64>::max()};

        QJsonArray games;
        JsonText json;
        json.beginObject();
        json.key(u"empty");
        json.beginArray();
        json.endArray();
        json.key(u"games");
        json.beginArray();
        for (qsizetype i = 0; i < texts.size(); ++i) {
            const qint64 number = numbers[i % numbers.size()];
            const QString& text = texts[i];
            const bool withList = i % 3 == 0;
            QJsonObject game{{QStringLiteral("name"), text},
                             {QStringLiteral("size_kb"), number},
                             {QStringLiteral("wide"), i % 2 == 0}};
            json.beginObject();
            if (withList) {
                game.insert(QStringLiteral("art"), QJsonArray{text, QStringLiteral("COV")});
                json.key(u"art");
                json.beginArray();
                json.value(text);
                json.value(u"COV");
                json.endArray();
            }
            json.key(u"name");
            json.value(text);
            json.key(u"size_kb");
            json.value(number);
            json.key(u"wide");
            json.boolean(i % 2 == 0);
            json.endObject();
            games.append(game);
        }
        json.endArray();
        json.key(u"nothing");
        json.beginObject();
        json.endObject();
        json.key(u"target");
        json.value(u"hdd1:");
        json.endObject();
        const QJsonObject whole{{QStringLiteral("empty"), QJsonArray{}},
                                {QStringLiteral("games"), games},
                                {QStringLiteral("nothing"), QJsonObject{}},
                                {QStringLiteral("target"), QStringLiteral("hdd1:")}};
        const QByteArray expected = QJsonDocument(whole).toJson(QJsonDocument::Indented);
        if (json.text() != expected) {
            qsizetype at = 0;
            while (at < expected.size() && at < json.text().size() &&
                   json.text()[at] == expected[at])
                ++at;
            QFAIL(qPrintable(QStringLiteral("differs at byte %1: %2 / %3")
                                 .arg(at)
                                 .arg(QString::fromLatin1(json.text().mid(at - 20, 40).toHex()),
                                      QString::fromLatin1(expected.mid(at - 20, 40).toHex()))));
        }
        // An array at the top, as Qt writes one too.
        JsonText list;
        list.beginArray();
        list.value(u"one");
        list.endArray();
        QCOMPARE(list.text(), QJsonDocument(QJsonArray{QStringLiteral("one")}).toJson());
    }

    void gameTablesAreWholeOrNotUnderstood()
    {
        QVERIFY(
            ParseGameTable(ReadCapture(QStringLiteral("cur_hdl_toc_3games.stdout"))).understood());
        QVERIFY(
            ParseGameTable(ReadCapture(QStringLiteral("cur_hdl_toc_empty.stdout"))).understood());
        // No total line: a table cut short is no table, however many games it shows.
        QString cut = ReadCapture(QStringLiteral("cur_hdl_toc_3games.stdout"));
        cut.truncate(cut.lastIndexOf(QStringLiteral("total")));
        const GameTable table = ParseGameTable(cut);
        QCOMPARE(table.games.size(), 3);
        QVERIFY(!table.understood());
        QVERIFY(!ParseGameTable(QString()).understood());
        QVERIFY(!ParseGameTable(QStringLiteral("something else entirely\n")).understood());
        // A header of another layout is no header.
        QVERIFY(!ParseGameTable(QStringLiteral("kind size name\ntotal 1MB, used 1MB, available "
                                               "0MB\n"))
                     .understood());
    }

    void theCommandsOfEveryBuildsUsage()
    {
        const QStringList older =
            ParseToolCommands(ReadCapture(QStringLiteral("v090_usage.stdout")));
        for (const char* c : {"toc", "hdl_toc", "delete", "modify", "backup_toc", "restore_toc",
                              "cdvd_info", "cdvd_info2", "inject_cd", "initialize"})
            QVERIFY2(older.contains(QString::fromLatin1(c)), c);
        const QStringList current =
            ParseToolCommands(ReadCapture(QStringLiteral("cur_usage.stdout")));
        for (const char* c : {"toc", "hdl_toc", "modify", "backup_toc", "cdvd_info2"})
            QVERIFY2(current.contains(QString::fromLatin1(c)), c);
        // The current release has neither.
        QVERIFY(!current.contains(QStringLiteral("delete")));
        QVERIFY(!current.contains(QStringLiteral("initialize")));
        // A name inside another is not that command.
        QCOMPARE(ParseToolCommands(QStringLiteral("  hdl_toc_extra   x\n")), QStringList());
    }

    void notDiscInformation()
    {
        QVERIFY(!ParseDiscInfoLine(QStringLiteral("\"SLUS_123.45\" \"TESTGAME\"  308576")));
        QVERIFY(!ParseDiscInfoLine(QStringLiteral("\"\" \"TESTGAME\"  308576KB")));
        QVERIFY(!ParseDiscInfoLine(ReadCapture(QStringLiteral("cur_cdvd_info_notps2.stderr"))));
        QVERIFY(!FindDiscInfo(QStringLiteral("noise\n\"SLUS\n")));
        QVERIFY(FindDiscInfo(QStringLiteral("noise\r\n\"SLUS_1\" \"A\"  1KB\r\n")));
    }

    void splitting()
    {
        QCOMPARE(SplitLines(QStringLiteral("a\r\nb\nc")),
                 (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
        QCOMPARE(SplitLines(QStringLiteral("a\n")), QStringList{QStringLiteral("a")});
        QCOMPARE(SplitLines(QString()), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestParsers)
#include "tst_parsers.moc"
