#include "FakeTarget.h"
#include "TestSupport.h"
#include "interpreter/Interpreter.h"
#include "shell/RunState.h"

#include <QFile>
#include <QTest>

namespace {
QString queryOutput(int formattedDisks)
{
    QString text = QStringLiteral("Hard drives:\r\n");
    for (int i = 1; i <= formattedDisks; ++i)
        text +=
            QStringLiteral("\thdd%1:  %2 MB, formatted Playstation 2 HDD\r\n").arg(i).arg(i * 1024);
    text += QStringLiteral("\thdd9:  900 MB, not formatted\r\nOptical drives:\r\n"
                           "\tcd0:  3200 MB, Playstation 2 disc\r\n\tcd1:  no media\r\n");
    return text;
}

QString tocOutput(int games)
{
    QString text = QStringLiteral("type     size flags           startup      name\r\n");
    for (int i = 0; i < games; ++i)
        text += QStringLiteral("DVD 4404224KB             1+3 SLUS_%1.45  Game number %2\r\n")
                    .arg(i % 1000, 3, 10, QLatin1Char('0'))
                    .arg(i);
    text += QStringLiteral("total 238475MB, used 7832MB, available 230643MB\r\n");
    return text;
}
} // namespace

class TestInterpreter : public QObject
{
    Q_OBJECT

    RunState m_state;
    FakeTarget m_target;
    RecordingDialogs m_dialogs;
    std::unique_ptr<Interpreter> m_interpreter;

    // Feeds text in pipe-sized chunks, as the runner delivers it, then ends the run.
    void feed(const QString& text, int chunk = 4096)
    {
        for (qsizetype at = 0; at < text.size(); at += chunk)
            m_interpreter->InterpretOutput(text.mid(at, chunk));
        m_interpreter->FinishOutput();
    }

private slots:
    void init()
    {
        m_state = RunState();
        m_target = FakeTarget();
        m_dialogs = RecordingDialogs();
        m_interpreter = std::make_unique<Interpreter>(m_state, m_target, m_dialogs);
    }

    void sixDisksFillTheListAndFiveMenuEntries()
    {
        m_state.AwaitDiskList = true;
        feed(queryOutput(6));
        QCOMPARE(m_target.disks.size(), 6);
        QCOMPARE(m_target.disks[0], QStringLiteral("hdd1:  [1.0 GB]"));
        QCOMPARE(m_target.menu[4], QStringLiteral("hdd5:  [5.0 GB]"));
        QCOMPARE(m_target.menuVisible, QList<bool>(5, true));
        QVERIFY(m_target.menuEnabled[0]); // a networked source may copy to any disk
        QVERIFY(!m_state.AwaitDiskList);
        QVERIFY(m_target.drives.isEmpty());
    }

    void localSourceDiskIsNoCopyTarget()
    {
        m_target.local = true;
        m_state.AwaitDiskList = true;
        feed(queryOutput(2));
        QCOMPARE(m_target.menuEnabled.mid(0, 2), (QList<bool>{false, true}));
        QCOMPARE(m_target.menuVisible, (QList<bool>{true, true, false, false, false}));
    }

    void opticalListDoesNotTouchTheCopyMenu()
    {
        m_target.menu[0] = QStringLiteral("hdd1:  [1.0 GB]");
        m_target.optical = true;
        m_state.AwaitOpticalList = true;
        feed(queryOutput(2));
        QCOMPARE(m_target.drives, QStringList{QStringLiteral("cd0:  [3.1 GB]")});
        QCOMPARE(m_target.menu[0], QStringLiteral("hdd1:  [1.0 GB]"));
        QVERIFY(m_target.disks.isEmpty());
        QVERIFY(m_dialogs.shown.isEmpty());
    }

    void noDiscFallsBackToImageSourceOnce()
    {
        m_target.optical = true;
        m_target.image = false;
        m_state.AwaitOpticalList = true;
        feed(QStringLiteral("Hard drives:\r\nOptical drives:\r\n\tcd0:  no media\r\n"), 10);
        QVERIFY(m_target.image);
        QCOMPARE(m_dialogs.texts(),
                 QStringList{QStringLiteral(
                     "There were no game disks found in any of your optical drives.")});
        QCOMPARE(m_dialogs.shown[0].icon, Dialogs::Icon::Exclamation);
    }

    void toolWithoutQueryUsesTheMachinesDevices()
    {
        m_interpreter->setDeviceDiscovery([] {
            return QStringLiteral(
                "Hard drives:\n\t/dev/sdb  476940 MB, formatted Playstation 2 HDD\n"
                "\t/dev/sdc  1000 MB, not formatted (cannot be read)\nOptical drives:\n");
        });
        FakeTarget settings;
        m_interpreter->setFormatDiskSink(
            [&settings](const QString& label) { settings.addFormatDisk(label); });
        m_state.AwaitDiskList = true;
        m_state.AwaitFormatList = true;
        feed(QStringLiteral("Usage: hdl_dump command arguments\nquery: unrecognized command.\n"));
        QCOMPARE(m_target.disks, QStringList{QStringLiteral("/dev/sdb  [465.8 GB]")});
        QCOMPARE(
            settings.formatDisks,
            (QStringList{QStringLiteral("/dev/sdb  [465.8 GB] - Playstation2 Formatted"),
                         QStringLiteral("/dev/sdc  [1.0 GB] - Unknown Format (cannot be read)")}));
    }

    void settingsListShowsEveryDisk()
    {
        m_state.AwaitFormatList = true;
        feed(queryOutput(1));
        QCOMPARE(m_target.formatDisks,
                 (QStringList{QStringLiteral("hdd1:  [1.0 GB] - Playstation2 Formatted"),
                              QStringLiteral("hdd9:  [.9 GB] - Unknown Format")}));
        QVERIFY(m_target.disks.isEmpty());
    }

    void gameTableOf2000GamesIsReadWhole()
    {
        m_state.AwaitGameTable = true;
        const QString text = tocOutput(2000);
        QVERIFY(text.size() > 25 * 4096);
        feed(text);
        QCOMPARE(m_target.games.size(), 2000);
        QCOMPARE(m_target.games.last().title, QStringLiteral("Game number 1999"));
        QCOMPARE(m_target.caption, QStringLiteral("Browse, Backup, and Delete - 2000 Games"));
        QVERIFY(m_target.installButtons);
        QCOMPARE(m_target.total, qint64(238475));
        QCOMPARE(m_target.used, qint64(7832));
        QVERIFY(!m_state.AwaitGameTable);
    }

    void gameTableInOddChunksAndLinuxLineEnds()
    {
        m_state.AwaitGameTable = true;
        feed(ReadCapture(QStringLiteral("cur_hdl_toc_3games.stdout")), 7);
        QCOMPARE(m_target.games.size(), 3);
        QCOMPARE(m_target.games[0].startup, QStringLiteral("SLUS_123.45"));
        QCOMPARE(m_target.spaceText,
                 QStringLiteral("20.00GB Total - 1.00GB Used - 19.00GB Available"));
    }

    void emptyTableAndCopyToHddRules()
    {
        m_state.AwaitGameTable = true;
        feed(ReadCapture(QStringLiteral("v090_hdl_toc_empty.stdout")));
        QCOMPARE(m_target.caption, QStringLiteral("Browse, Backup, and Delete - 0 Games"));
        QVERIFY(!m_target.gameButtons);
        QVERIFY(m_target.installButtons);

        // One local disk: it is the source, so no copy to another disk.
        m_target.local = true;
        m_target.disks = QStringList{QStringLiteral("hdd1:  [1.0 GB]")};
        m_state.AwaitGameTable = true;
        feed(ReadCapture(QStringLiteral("cur_hdl_toc_1game.stdout")));
        QVERIFY(m_target.gameButtons);
        QVERIFY(!m_target.hddButton);
        m_target.local = false;
        m_state.AwaitGameTable = true;
        feed(ReadCapture(QStringLiteral("cur_hdl_toc_1game.stdout")));
        QVERIFY(m_target.hddButton);
    }

    void gameTableFailures_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("message");
        const QString notFound = QStringLiteral(
            "The PS2 console could not be found at the IP address entered. Make sure that the "
            "console has "
            "hdld_svr.elf running and the IP address is configured properly in IPCONFIG.DAT.");
        QTest::newRow("windows timeout")
            << "A connection attempt failed because the connected party did not respond."
            << notFound;
        QTest::newRow("linux timeout")
            << ReadCapture(QStringLiteral("cur_net_hdl_toc_silent.stderr")) << notFound;
        QTest::newRow("not ps2") << "hdd3: not a PlayStation 2 HDD.\r\n"
                                 << "This drive is not a PlayStation 2 HDD.";
        QTest::newRow("blank disk") << ReadCapture(QStringLiteral("cur_hdl_toc_blank.stderr"))
                                    << "This drive is not a PlayStation 2 HDD.";
        QTest::newRow("refused")
            << ReadCapture(QStringLiteral("cur_net_hdl_toc_noserver.stderr"))
            << "An error has occurred and you must reload hdld_svr.elf on PS2.";
    }
    void gameTableFailures()
    {
        QFETCH(QString, output);
        QFETCH(QString, message);
        m_target.games << parse::GameRow{};
        m_state.AwaitGameTable = true;
        feed(output);
        QCOMPARE(m_dialogs.texts(), QStringList{message});
        QCOMPARE(m_target.games.size(), 1); // the list keeps what it showed
        QCOMPARE(m_target.clears, 0);
        QVERIFY(!m_state.AwaitGameTable);
    }

    void connectionFailureEndsItsChunk()
    {
        // One chunk holds the failure and a table: the failure wins, the table is not read.
        m_state.AwaitGameTable = true;
        m_interpreter->InterpretOutput(
            QStringLiteral("No connection could be made because the target machine actively "
                           "refused it.\r\n") +
            tocOutput(2));
        QCOMPARE(m_dialogs.shown.size(), 1);
        QCOMPARE(m_dialogs.shown[0].icon, Dialogs::Icon::Critical);
        QVERIFY(m_state.AwaitGameTable);
        m_interpreter->FinishOutput();
        QVERIFY(!m_state.AwaitGameTable);
        QCOMPARE(m_target.clears, 0);
        QVERIFY(m_target.games.isEmpty());
    }

    void discInformationFillsTheFields()
    {
        m_target.iso = QStringLiteral("/home/me/Images/My.Game.iso");
        m_state.AwaitDiscInfo = true;
        feed(QStringLiteral("\"SLUS_123.45\" \"\"  308576KB\r\n"));
        QCOMPARE(m_target.startup, QStringLiteral("SLUS_123.45"));
        QCOMPARE(m_target.name, QStringLiteral("My.Game"));
        QCOMPARE(m_target.size, QStringLiteral("0.29GB"));
        QVERIFY(m_target.compat);
        QVERIFY(!m_target.makeIso);
        QVERIFY(m_dialogs.shown.isEmpty());
        QVERIFY(!m_state.AwaitDiscInfo);
    }

    void dualLayerIsDecidedOnTheShownSize()
    {
        m_target.optical = true;
        m_target.image = false;
        m_target.selectedDrive = 0;
        m_state.AwaitDiscInfo = true;
        feed(QStringLiteral("\"SLUS_203.12\" \"BIG GAME\"  4592762KB\r\n"));
        QCOMPARE(m_target.size, QStringLiteral("4.38GB"));
        QCOMPARE(m_target.name, QStringLiteral("BIG GAME"));
        QVERIFY(m_target.makeIso);
        QCOMPARE(m_dialogs.texts(),
                 QStringList{QStringLiteral(
                     "The disk you selected is a dual-layer DVD which sometimes causes errors with "
                     "HDL_Dump while both dumping ISOs and installing games.")});
    }

    void discFailures()
    {
        m_target.optical = true;
        m_target.image = false;
        m_target.selectedDrive = 0;
        m_state.AwaitDiscInfo = true;
        feed(QStringLiteral("0000007b (123): No medium found\n"));
        QCOMPARE(m_target.selectedDrive, -1);
        QCOMPARE(
            m_dialogs.texts().value(0),
            QStringLiteral(
                "There is either no disc in the drive or a PS2 game was not found on the disc."));

        // Without a selected drive the not-ready text shows nothing.
        m_state.AwaitDiscInfo = true;
        feed(QStringLiteral("cd0: The device is not ready.\r\n"));
        QCOMPARE(m_dialogs.shown.size(), 1);
        QVERIFY(!m_state.AwaitDiscInfo);

        m_state.AwaitDiscInfo = true;
        feed(ReadCapture(QStringLiteral("cur_cdvd_info_notps2.stderr")));
        QCOMPARE(m_dialogs.shown.size(), 2);
        QCOMPARE(m_dialogs.shown[1].title, QStringLiteral("Not a PS2 Game"));
        QCOMPARE(m_dialogs.shown[1].text,
                 QStringLiteral("The disc in the selected drive is not a PS2 game disc."));

        // An image that is no PS2 disc says nothing here; the fields stay.
        m_target.optical = false;
        m_target.image = true;
        m_state.AwaitDiscInfo = true;
        feed(ReadCapture(QStringLiteral("cur_cdvd_info_badisofs.stderr")));
        QCOMPARE(m_dialogs.shown.size(), 2);
        QVERIFY(m_target.startup.isEmpty());
    }

    void flagsWithoutOutputAreClearedWhenTheRunEnds()
    {
        m_state.AwaitDiscInfo = true;
        m_state.AwaitGameTable = true;
        m_interpreter->FinishOutput();
        QVERIFY(!m_state.AwaitDiscInfo);
        QVERIFY(!m_state.AwaitGameTable);
        QCOMPARE(m_target.clears, 0);
    }

    void outputWithoutFlagsChangesNothing()
    {
        feed(tocOutput(3) + queryOutput(2));
        QVERIFY(m_target.games.isEmpty());
        QVERIFY(m_target.disks.isEmpty());
        QVERIFY(m_dialogs.shown.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestInterpreter)
#include "tst_interpreter.moc"
