#include "GuiFixture.h"
#include "gui/ControlState.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>

// The main window on its own: start-up, choosing the target and the source,
// the activity view, the tray, and leaving.
class TestMainWindow : public QObject, protected GuiFixture
{
    Q_OBJECT

private slots:
    // The rules of what can be used when, without a window.
    void controlsFollowTheStateAndTheChoices()
    {
        ControlInputs in;
        in.attached = true;
        in.gameCount = 3;
        in.gamesSelected = 2;
        in.disks = QStringList{QStringLiteral("hdd1:")};
        in.jobCount = 1;
        in.localChosen = true;
        ControlState s = ControlState::Of(in);
        QVERIFY(s.targetControls && s.installNow && s.deleteGames && s.jobButtons);
        // Two games chosen: no rename; one local disk: no disk to copy to.
        QVERIFY(!s.modifyGame);
        QVERIFY(!s.copyToDisk);
        QVERIFY(!s.cancel);
        in.disks << QStringLiteral("hdd2:");
        QVERIFY(ControlState::Of(in).copyToDisk);
        in.localChosen = false;
        in.disks = QStringList{QStringLiteral("hdd1:")};
        QVERIFY(ControlState::Of(in).copyToDisk);

        // Disks named as paths cannot be copied between; the tooltip says what to do.
        in.disks = QStringList{QStringLiteral("/dev/sdb"), QStringLiteral("/dev/sdc")};
        s = ControlState::Of(in);
        QVERIFY(!s.copyToDisk);
        QVERIFY(s.copyToDiskTip.contains(QStringLiteral("Copy it to the PC")));

        // While the queue runs, games and copies can still join it; nothing else starts.
        in.activity = Activity::RunningQueue;
        s = ControlState::Of(in);
        QVERIFY(s.addGame && s.copyToPC && s.copyToPS2 && s.queueInputs);
        QVERIFY(!s.installNow && !s.deleteGames && !s.targetControls && !s.jobButtons);
        QVERIFY(!s.cancel); // the status window stops a run
        in.activity = Activity::ReadingGames;
        s = ControlState::Of(in);
        QVERIFY(s.cancel && !s.addGame && !s.copyToPC);

        // A tool without "modify": one game chosen, still no rename, and the tip says why.
        in.activity = Activity::None;
        in.gamesSelected = 1;
        QVERIFY(ControlState::Of(in).modifyGame);
        in.canModify = false;
        s = ControlState::Of(in);
        QVERIFY(!s.modifyGame);
        QVERIFY(s.modifyTip.contains(QStringLiteral("modify")));
    }

    void init() { resetSeams(); }
    void cleanup() { stopMain(); }

    void firstStartWritesDefaultsAndRestoresChoices()
    {
        m_world = std::make_unique<SimWorld>();
        QVERIFY(!QFile::exists(m_world->paths().configFile));
        startMain();
        QCOMPARE(setting(QStringLiteral("IP")), QStringLiteral("192.168.0.10"));
        QCOMPARE(child<QLineEdit>("txtIP")->text(), QStringLiteral("192.168.0.10"));
        QVERIFY(main().isVisible());
        QVERIFY(child<QWidget>("fmOutput")->isHidden());
        QCOMPARE(m_tray.adds, 1);
        // Nothing is read until the user asks: no probe of the stored address.
        QVERIFY(m_icmp.sent.isEmpty());
        QVERIFY(!child<QPushButton>("cmdInstall")->isEnabled());
        SaveScreenshot(&main(), QStringLiteral("main-install.png"));
        stopMain();

        setSetting(QStringLiteral("ViewOutput"), QStringLiteral("1"));
        setSetting(QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
        startMain();
        QVERIFY(!child<QWidget>("fmOutput")->isHidden());
        QCOMPARE(child<QLineEdit>("txtIP")->text(), QStringLiteral("127.0.0.1"));
    }

    void networkTargetListsItsGames()
    {
        makeWorld();
        setSetting(QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
        setSetting(QStringLiteral("ViewOutput"), QStringLiteral("1"));
        startMain();
        child<QPushButton>("cmdAttach")->click();
        // The window does not wait: the controls are locked while the tool runs.
        QVERIFY(!child<QPushButton>("cmdAttach")->isEnabled());
        QVERIFY(idle());
        QVERIFY(child<QPushButton>("cmdAttach")->isEnabled());
        QCOMPARE(shownGames(), QStringList{QStringLiteral("Net Game")});
        QCOMPARE(child<QGroupBox>("fmBrowse")->title(),
                 QStringLiteral("Browse, Backup, and Delete - 1 Games"));
        QVERIFY(child<QPushButton>("cmdInstall")->isEnabled());
        QCOMPARE(child<QLineEdit>("txtCommand")->text(), QStringLiteral("hdl_toc 127.0.0.1"));
        QVERIFY(
            child<QPlainTextEdit>("txtOutput")->toPlainText().contains(QStringLiteral("Net Game")));
        SaveScreenshot(&main(), QStringLiteral("main-activity.png"));

        // A new address forgets the list of the old one.
        // The address is written once typing rests, not at every key.
        child<QLineEdit>("txtIP")->setText(QStringLiteral("127.0.0."));
        child<QLineEdit>("txtIP")->setText(QStringLiteral("127.0.0.9"));
        QCOMPARE(setting(QStringLiteral("IP")), QStringLiteral("127.0.0.1"));
        QTRY_COMPARE(setting(QStringLiteral("IP")), QStringLiteral("127.0.0.9"));
        QVERIFY(shownGames().isEmpty());
        QVERIFY(!child<QPushButton>("cmdInstall")->isEnabled());
        child<QPushButton>("cmdAttach")->click();
        QVERIFY(idle());
        QCOMPARE(m_dialogs.shown.size(), 1);
        QVERIFY(m_dialogs.shown[0].text.startsWith(
            QStringLiteral("A PS2 console could not be found at IP address: 127.0.0.9")));
    }

    void addressesAreCheckedAndPowerOffAsks()
    {
        makeWorld();
        setSetting(QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
        startMain();
        child<QPushButton>("cmdAttach")->click();
        QVERIFY(idle());
        // One validator everywhere: the probe and the tool see the same text, or nothing.
        for (const QString& bad : {QStringLiteral("127.1"), QStringLiteral("999.1.1.1")}) {
            child<QLineEdit>("txtIP")->setText(bad);
            child<QPushButton>("cmdAttach")->click();
            QCOMPARE(m_dialogs.texts().last(),
                     QStringLiteral("\"%1\" is not a valid IPv4 address.").arg(bad));
        }
        QCOMPARE(m_icmp.sent, QStringList{QStringLiteral("127.0.0.1")});
        child<QLineEdit>("txtIP")->setText(QStringLiteral(" 127.0.0.1 "));
        child<QPushButton>("cmdAttach")->click();
        QVERIFY(idle());
        QCOMPARE(m_world->calls().mid(m_world->calls().size() - 2),
                 (QList<QStringList>{{QStringLiteral("hdl_toc"), QStringLiteral("127.0.0.1")},
                                     {QStringLiteral("toc"), QStringLiteral("127.0.0.1")}}));

        m_world->clearCalls();
        child<QPushButton>("cmdShutdownPS2")->click(); // answered No
        QCOMPARE(m_dialogs.texts().last(), QStringLiteral("Switch off the PS2 at 127.0.0.1?"));
        QVERIFY(idle());
        QVERIFY(m_world->calls().isEmpty());
        m_dialogs.answers.push_back(Dialogs::Answer::Yes);
        child<QPushButton>("cmdShutdownPS2")->click();
        QVERIFY(idle());
        QCOMPARE(m_world->calls(),
                 (QList<QStringList>{{QStringLiteral("poweroff"), QStringLiteral("127.0.0.1")}}));
        // The list of a switched-off PS2 is no longer shown.
        QVERIFY(shownGames().isEmpty());
    }

    void localDiskAndItsCopyMenu()
    {
        makeWorld();
        startMain();
        child<QRadioButton>("optLocal")->click();
        QVERIFY(idle());
        auto* disks = child<QComboBox>("cmbHD");
        QCOMPARE(disks->count(), 2);
        QVERIFY(disks->isVisible());
        QCOMPARE(child<QPushButton>("cmdAttach")->text(), QStringLiteral("&Refresh HDD"));
        child<QPushButton>("cmdAttach")->click();
        QVERIFY(idle());
        QCOMPARE(shownGames(), (QStringList{QStringLiteral("Test Game"), QStringLiteral("Small")}));
        child<QRadioButton>("optBrowse")->click();
        auto* view = child<QTreeView>("lstHD");
        QVERIFY(!child<QPushButton>("cmdDelete")->isEnabled());
        view->setCurrentIndex(view->model()->index(0, 0));
        QVERIFY(child<QPushButton>("cmdDelete")->isEnabled());
        QVERIFY(child<QPushButton>("cmdBackupHDD")->isEnabled());
        // The source disk is no copy target.
        QVERIFY(!child<QAction>("mnuHDD0")->isEnabled());
        QVERIFY(child<QAction>("mnuHDD1")->isEnabled());
        QCOMPARE(child<QAction>("mnuHDD1")->text(), QStringLiteral("hdd2:  [40.0 GB]"));
        SaveScreenshot(&main(), QStringLiteral("browse-local.png"));
    }

    void noPs2DisksFallsBackToTheNetwork()
    {
        QJsonObject state = SimWorld::defaultState();
        state[QStringLiteral("disks")] = QJsonArray();
        makeWorld(QStringLiteral("win"), state);
        startMain();
        child<QRadioButton>("optLocal")->click();
        QVERIFY(idle());
        QVERIFY(child<QRadioButton>("optLAN")->isChecked());
        QCOMPARE(m_dialogs.texts(),
                 QStringList{QStringLiteral("No PS2 formatted HDD's were found on your system.")});
    }

    void sourcesFillTheGameFields()
    {
        makeWorld();
        startMain();
        child<QRadioButton>("optOptical")->click();
        QVERIFY(idle());
        auto* drives = child<QComboBox>("cmbOptical");
        QCOMPARE(drives->count(), 1);
        QCOMPARE(drives->currentIndex(), -1);
        drives->setCurrentIndex(0);
        QVERIFY(idle());
        QCOMPARE(child<QLineEdit>("txtGameStartup")->text(), QStringLiteral("SLUS_123.45"));
        QCOMPARE(child<QLineEdit>("txtGameName")->text(), QStringLiteral("TESTGAME"));
        QVERIFY(child<QPushButton>("cmdCompat")->isEnabled());
        SaveScreenshot(&main(), QStringLiteral("install-optical.png"));

        // An image is named after its file.
        const QString image = m_world->path(QStringLiteral("My Game.iso"));
        QFile f(image);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(600 * 1024, 'x'));
        f.close();
        child<QRadioButton>("optISO")->click();
        m_dialogs.files.push_back(image);
        child<QPushButton>("cmdISO")->click();
        QVERIFY(idle());
        QCOMPARE(child<QLineEdit>("txtGameName")->text(), QStringLiteral("My Game"));
        QVERIFY(m_dialogs.shown.isEmpty());
        // Cancelling the dialog forgets the image.
        child<QPushButton>("cmdISO")->click();
        QVERIFY(child<QLineEdit>("txtISO")->text().isEmpty());
        QVERIFY(child<QLineEdit>("txtGameName")->text().isEmpty());
    }

    void anImageTheToolCannotTypeIsTypedBySize()
    {
        makeWorld(QStringLiteral("linux"));
        startMain();
        const QString image = m_world->path(QStringLiteral("Small Game.iso"));
        QFile f(image);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(600 * 1024, 'x'));
        f.close();
        child<QRadioButton>("optISO")->click();
        m_dialogs.files.push_back(image);
        child<QPushButton>("cmdISO")->click();
        QVERIFY(idle());
        // cdvd_info2 said "?": accepted, a CD by its size, and the pane says so.
        QCOMPARE(child<QComboBox>("cmbType")->currentIndex(), 0);
        auto* note = child<QLabel>("lblTypeNote");
        QVERIFY(note->isVisible());
        QVERIFY(note->text().contains(QStringLiteral("from its size")));
        QVERIFY(m_dialogs.shown.isEmpty());
        SaveScreenshot(&main(), QStringLiteral("install-image-type.png"));
        // Another source forgets it.
        child<QRadioButton>("optOptical")->click();
        QVERIFY(idle());
        QVERIFY(!note->isVisible());
    }

    void flagsMenuStaysOpenUntilDone()
    {
        makeWorld();
        startMain();
        child<QRadioButton>("optOptical")->click();
        QVERIFY(idle());
        child<QComboBox>("cmbOptical")->setCurrentIndex(0);
        QVERIFY(idle());
        child<QPushButton>("cmdCompat")->click();
        auto* menu = child<QMenu>("mnuCompat");
        QTRY_VERIFY(menu->isVisible());
        child<QAction>("mnuFlags0")->trigger();
        child<QAction>("mnuFlags2")->trigger();
        QVERIFY(menu->isVisible());
        child<QAction>("mnuDone")->trigger();
        QTRY_VERIFY(!menu->isVisible());
        QVERIFY(child<QAction>("mnuFlags2")->isChecked());
    }

    void trayAndLeaving()
    {
        makeWorld();
        setSetting(QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
        setSetting(QStringLiteral("ClosePS2"), QStringLiteral("1"));
        startMain();
        child<QPushButton>("cmdMinimize", child<QWidget>("fmNavigation"))->click();
        QVERIFY(main().isHidden());
        QCOMPARE(child<QAction>("mnuMinimize")->text(), QStringLiteral("Maximize"));
        m_tray.doubleClick();
        QVERIFY(main().isVisible());
        QCOMPARE(child<QAction>("mnuMinimize")->text(), QStringLiteral("Minimize"));
        // Without a tray the window is minimised, never hidden for good.
        m_tray.available = false;
        child<QPushButton>("cmdMinimize", child<QWidget>("fmNavigation"))->click();
        QVERIFY(!main().isHidden());

        // Leaving switches the networked PS2 off when the settings ask for it.
        m_world->clearCalls();
        child<QPushButton>("cmdExit")->click();
        QTRY_COMPARE(m_quits, 1);
        QVERIFY(m_world->calls().contains(
            QStringList{QStringLiteral("poweroff"), QStringLiteral("127.0.0.1")}));
        QCOMPARE(m_tray.removes, 1);
    }

    void aHungListingCanBeCancelled()
    {
        makeWorld();
        setSetting(QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
        setSetting(QStringLiteral("ViewOutput"), QStringLiteral("1"));
        startMain();
        auto* cancel = child<QPushButton>("cmdCancel");
        QVERIFY(!cancel->isEnabled());
        m_world->setFault({{"mode", "hang"}, {"command", "hdl_toc"}});
        child<QPushButton>("cmdAttach")->click();
        QTRY_VERIFY(m_world->calls().size() >= 2);
        QVERIFY(cancel->isEnabled());
        cancel->click();
        QVERIFY(idle());
        QVERIFY(!cancel->isEnabled());
        QVERIFY(m_dialogs.shown.isEmpty()); // the user stopped it: nothing to tell
        // Esc does the same.
        child<QPushButton>("cmdAttach")->click();
        QTRY_VERIFY(m_world->calls().size() >= 4);
        QTest::keyClick(&main(), Qt::Key_Escape);
        QVERIFY(idle());
    }

    void exitDuringARunAsksFirst()
    {
        makeWorld();
        setSetting(QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
        startMain();
        m_world->setFault({{"mode", "hang"}, {"command", "hdl_toc"}});
        child<QPushButton>("cmdAttach")->click();
        QTRY_VERIFY(m_world->calls().size() >= 2);
        main().close();
        QCOMPARE(m_quits, 0);
        QCOMPARE(m_dialogs.texts().last(), QStringLiteral("A job is running. Cancel it and exit?"));
        QVERIFY(session().isBusy());
        m_dialogs.answers.push_back(Dialogs::Answer::Yes);
        main().close();
        QTRY_COMPARE(m_quits, 1);
        QVERIFY(!session().isBusy());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
