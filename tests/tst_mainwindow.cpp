#include "ApaImage.h"
#include "GuiFixture.h"
#include "gui/BrowsePane.h"
#include "gui/ControlState.h"
#include "gui/JobEditDialog.h"
#include "gui/LauncherEntry.h"
#include "gui/MessageBar.h"
#include "gui/RunTexts.h"
#include "gui/SettingsWindow.h"
#include "gui/StatusWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>

// The main window on its own: start-up, choosing the target and the source,
// the activity view, the tray, and leaving.
class TestMainWindow : public QObject, protected GuiFixture
{
    Q_OBJECT

public slots:
    // What a dock hears on the bus.
    void launcherUpdated(const QString& app, const QVariantMap& properties)
    {
        m_heardApp = app;
        m_heard = properties;
    }

private:
    QString m_heardApp;
    QVariantMap m_heard;

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
        // Nothing chosen to install yet: the tooltip says so.
        QVERIFY(!s.installNow && !s.addGame && s.addImages);
        QVERIFY(s.installTip.contains(QStringLiteral("image file")));
        in.sourceChosen = true;
        s = ControlState::Of(in);
        QVERIFY(s.targetControls && s.installNow && s.deleteGames && s.jobButtons);
        // Two games chosen: no rename (the tip says why); one local disk: no disk to copy to.
        QVERIFY(!s.modifyGame);
        QVERIFY(s.modifyTip.contains(QStringLiteral("one game")));
        QVERIFY(s.gamesTip.isEmpty() && s.jobsTip.isEmpty());
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
        for (const QString& tip : {s.deleteTip, s.modifyTip, s.jobsTip})
            QVERIFY2(tip.contains(QStringLiteral("busy")), qPrintable(tip));
        in.activity = Activity::ReadingGames;
        s = ControlState::Of(in);
        QVERIFY(s.cancel && !s.addGame && !s.copyToPC);

        // Not read yet: nothing is installed or queued, and the tips say to refresh first.
        ControlInputs unread = in;
        unread.attached = false;
        unread.activity = Activity::None;
        s = ControlState::Of(unread);
        QVERIFY(!s.installNow && !s.addImages);
        QVERIFY(s.installTip.contains(QStringLiteral("Refresh")));
        QVERIFY(s.imagesTip.contains(QStringLiteral("Refresh")));
        // No game chosen, no job queued: the grey buttons say what to do.
        unread.attached = true;
        unread.gamesSelected = 0;
        unread.jobCount = 0;
        s = ControlState::Of(unread);
        QVERIFY(!s.copyToPC && !s.deleteGames && !s.modifyGame && !s.jobButtons);
        QVERIFY(s.gamesTip.contains(QStringLiteral("Choose")));
        QCOMPARE(s.deleteTip, s.gamesTip);
        QCOMPARE(s.modifyTip, s.gamesTip);
        QVERIFY(s.jobsTip.contains(QStringLiteral("empty")));
        QVERIFY(!s.launcherFiles && s.launcherTip == s.gamesTip);
        // One game: its launcher's files, unless pfsshell cannot reach them (the tip says why).
        unread.gamesSelected = 1;
        QVERIFY(ControlState::Of(unread).launcherFiles);
        unread.launcherWhy = QStringLiteral("older UDP server");
        s = ControlState::Of(unread);
        QVERIFY(!s.launcherFiles && s.launcherTip == unread.launcherWhy);

        // A tool without "modify": one game chosen, still no rename, and the tip says why.
        in.activity = Activity::None;
        in.gamesSelected = 1;
        QVERIFY(ControlState::Of(in).modifyGame);
        in.canModify = false;
        s = ControlState::Of(in);
        QVERIFY(!s.modifyGame);
        QVERIFY(s.modifyTip.contains(QStringLiteral("modify")));
        // Nor a delete without "delete".
        QVERIFY(s.deleteGames);
        in.canDelete = false;
        s = ControlState::Of(in);
        QVERIFY(!s.deleteGames);
        QVERIFY(s.deleteTip.contains(QStringLiteral("\"delete\"")));
    }

    void init() { resetSeams(); }
    void cleanup()
    {
        stopMain();
        m_locale = QLocale(QLocale::English, QLocale::UnitedStates);
        QLocale::setDefault(m_locale);
    }

    void firstStartWritesDefaultsAndRestoresChoices()
    {
        m_world = std::make_unique<SimWorld>();
        QVERIFY(!QFile::exists(m_world->paths().configFile));
        startMain();
        QCOMPARE(setting(QStringLiteral("IP")), QStringLiteral("192.168.0.10"));
        QCOMPARE(child<QLineEdit>("addressEdit")->text(), QStringLiteral("192.168.0.10"));
        QVERIFY(main().isVisible());
        // As it is first drawn: panes that fit show no scroll bars (not two that go at the
        // next turn, and the whole window drawn again without them).
        auto* scroll = child<QScrollArea>("mainScroll");
        QVERIFY(scroll->widget()->minimumSizeHint().width() < scroll->width());
        QVERIFY(scroll->widget()->minimumSizeHint().height() < scroll->height());
        QVERIFY(!scroll->horizontalScrollBar()->isVisible());
        QVERIFY(!scroll->verticalScrollBar()->isVisible());
        QVERIFY(child<QWidget>("activityPane")->isHidden());
        QCOMPARE(m_tray.adds, 1);
        // Nothing is read until the user asks: no probe of the stored address.
        QVERIFY(m_icmp.sent.isEmpty());
        QVERIFY(!child<QPushButton>("installButton")->isEnabled());
        SaveScreenshot(&main(), QStringLiteral("main-install.png"));
        stopMain();

        setSetting(QStringLiteral("ViewOutput"), QStringLiteral("1"));
        setSetting(QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
        startMain();
        QVERIFY(!child<QWidget>("activityPane")->isHidden());
        QCOMPARE(child<QLineEdit>("addressEdit")->text(), QStringLiteral("127.0.0.1"));
    }

    void networkTargetListsItsGames()
    {
        makeWorld();
        setSetting(QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
        setSetting(QStringLiteral("ViewOutput"), QStringLiteral("1"));
        startMain();
        child<QPushButton>("attachButton")->click();
        // The window does not wait: the controls are locked while the tool runs.
        QVERIFY(!child<QPushButton>("attachButton")->isEnabled());
        QVERIFY(idle());
        QVERIFY(child<QPushButton>("attachButton")->isEnabled());
        QCOMPARE(shownGames(), QStringList{QStringLiteral("Net Game")});
        QCOMPARE(child<QGroupBox>("browsePane")->title(),
                 QStringLiteral("Browse, Backup, and Delete - 1 Game"));
        // Read, but with nothing chosen to install: grey, and the tooltip says what is missing.
        QVERIFY(!child<QPushButton>("installButton")->isEnabled());
        QCOMPARE(child<QPushButton>("installButton")->toolTip(),
                 QStringLiteral("Choose an optical drive or an image file first."));
        QVERIFY(child<QPushButton>("addImagesButton")->isEnabled());
        QCOMPARE(child<QLineEdit>("commandEdit")->text(), QStringLiteral("hdl_toc 127.0.0.1"));
        QVERIFY(child<QPlainTextEdit>("outputView")
                    ->toPlainText()
                    .contains(QStringLiteral("Net Game")));
        SaveScreenshot(&main(), QStringLiteral("main-activity.png"));

        // Typing a new address keeps the games shown until it is read; the address is
        // written once typing rests, not at every key.
        child<QLineEdit>("addressEdit")->setText(QStringLiteral("127.0.0."));
        child<QLineEdit>("addressEdit")->setText(QStringLiteral("127.0.0.9"));
        QCOMPARE(setting(QStringLiteral("IP")), QStringLiteral("127.0.0.1"));
        QTRY_COMPARE(setting(QStringLiteral("IP")), QStringLiteral("127.0.0.9"));
        QCOMPARE(shownGames(), QStringList{QStringLiteral("Net Game")});
        child<QPushButton>("attachButton")->click();
        QVERIFY(idle());
        QVERIFY(shownGames().isEmpty());
        QCOMPARE(m_dialogs.shown.size(), 1);
        QVERIFY(m_dialogs.shown[0].text.startsWith(
            QStringLiteral("A PS2 console could not be found at IP address: 127.0.0.9")));
    }

    // The export and port under More…, kept in the settings; the refresh says which server
    // answered: the launcher's NBD server (nbdkit on 127.0.0.1 here), or the UDP server.
    // A server that takes the connection and says nothing keeps nobody waiting: Esc ends the
    // refresh at once, Exit stays usable meanwhile, and nothing is told of a cancelled refresh.
    void aSilentServerIsNoTrap()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("nbdinfo")).isEmpty())
            QSKIP("nbdinfo is needed (package libnbd-bin)");
        makeWorld();
        setSetting(QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        setSetting(QStringLiteral("NbdPort"), QString::number(silent.serverPort()));
        startMain();
        child<QPushButton>("attachButton")->click();
        QTRY_VERIFY_WITH_TIMEOUT(silent.hasPendingConnections(), 10000);
        QVERIFY(session().isBusy());
        QVERIFY(child<QPushButton>("exitButton")->isEnabled());
        QElapsedTimer clock;
        clock.start();
        QTest::keyClick(&main(), Qt::Key_Escape);
        QVERIFY(idle(5000));
        QVERIFY(clock.elapsed() < 3000);
        QVERIFY(m_dialogs.shown.isEmpty());
        QVERIFY(!session().isAttached());
    }

    void theNbdServerIsAskedFirst()
    {
        makeWorld();
        setSetting(QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
        QTemporaryDir run;
        qputenv("XDG_RUNTIME_DIR", run.path().toLocal8Bit());
        startMain();
        auto* more = child<QToolButton>("moreButton");
        QVERIFY(child<QWidget>("nbdOptions")->isHidden());
        QCOMPARE(child<QLineEdit>("exportEdit")->text(), QStringLiteral("hdd0"));
        QCOMPARE(child<QSpinBox>("portSpin")->value(), 10809);
        more->click();
        QVERIFY(child<QWidget>("nbdOptions")->isVisible());
        QTcpServer taken;
        taken.listen(QHostAddress::LocalHost, 0);
        const quint16 nobody = taken.serverPort();
        taken.close();
        child<QSpinBox>("portSpin")->setValue(nobody);
        emit child<QSpinBox>("portSpin")->editingFinished();
        QCOMPARE(setting(QStringLiteral("NbdPort")), QString::number(nobody));
        child<QPushButton>("attachButton")->click();
        QVERIFY(idle());
        QCOMPARE(child<QLabel>("serverLabel")->text(),
                 QStringLiteral("Reached through the UDP server (hdld_svr)."));
        QCOMPARE(shownGames(), QStringList{QStringLiteral("Net Game")});
        // A PS2 that answers the probe but neither server: nothing was reached.
        m_icmp.status[QStringLiteral("127.0.0.2")] = 0;
        child<QLineEdit>("addressEdit")->setText(QStringLiteral("127.0.0.2"));
        child<QPushButton>("attachButton")->click();
        QVERIFY(idle());
        QVERIFY(child<QLabel>("serverLabel")->text().isEmpty());
        child<QLineEdit>("addressEdit")->setText(QStringLiteral("127.0.0.1"));

        const bool canServe =
            !QStandardPaths::findExecutable(QStringLiteral("nbdkit")).isEmpty() &&
            !QStandardPaths::findExecutable(QStringLiteral("nbdfuse")).isEmpty() &&
            QFile::exists(QStringLiteral("/dev/fuse"));
        if (!canServe)
            QSKIP("nbdkit, nbdfuse and FUSE are needed (packages nbdkit, libnbd-bin, fuse3)");
        // A simulated disk kept in a file, served where the PS2's launcher would serve it.
        const QString image = m_world->path(QStringLiteral("ps2.img"));
        QVERIFY(WriteSimFileDisk(
            image,
            QJsonObject{{QStringLiteral("size_mb"), 2048},
                        {QStringLiteral("formatted"), true},
                        {QStringLiteral("games"),
                         QJsonArray{SimWorld::game(QStringLiteral("Over The Network"),
                                                   QStringLiteral("SLUS_111.11"),
                                                   QStringLiteral("DVD"), 4000)}}},
            qint64(2048) << 20));
        QProcess server;
        server.start(QStringLiteral("nbdkit"),
                     {QStringLiteral("-f"), QStringLiteral("--exit-with-parent"),
                      QStringLiteral("-i"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"),
                      QString::number(nobody), QStringLiteral("-e"), QStringLiteral("games"),
                      QStringLiteral("file"), image});
        QVERIFY(server.waitForStarted());
        QVERIFY(QTest::qWaitFor(
            [nobody] {
                QTcpSocket socket;
                socket.connectToHost(QHostAddress::LocalHost, nobody);
                return socket.waitForConnected(200);
            },
            10000));
        child<QLineEdit>("exportEdit")->setText(QStringLiteral("games"));
        emit child<QLineEdit>("exportEdit")->editingFinished();
        QCOMPARE(setting(QStringLiteral("NbdExport")), QStringLiteral("games"));
        child<QPushButton>("attachButton")->click();
        QVERIFY(idle());
        const QString uri = QStringLiteral("nbd://127.0.0.1:%1/games").arg(nobody);
        QCOMPARE(child<QLabel>("serverLabel")->text(),
                 QStringLiteral("Reached through the game launcher's NBD server (export games, "
                                "port %1).")
                     .arg(nobody));
        QCOMPARE(shownGames(), QStringList{QStringLiteral("Over The Network")});
        QCOMPARE(child<QLineEdit>("commandEdit")->text(), QStringLiteral("hdl_toc %1").arg(uri));
        QVERIFY(ClippedTexts(&main()).isEmpty());
        SaveScreenshot(&main(), QStringLiteral("main-nbd.png"));
        // Both shown again at the next start, as they are not the launcher's defaults.
        stopMain();
        startMain();
        QVERIFY(child<QWidget>("nbdOptions")->isVisible() || !main().isVisible());
        QVERIFY(child<QToolButton>("moreButton")->isChecked());
        QCOMPARE(child<QLineEdit>("exportEdit")->text(), QStringLiteral("games"));
        server.kill();
        server.waitForFinished();
    }

    void addressesAreCheckedAndPowerOffAsks()
    {
        makeWorld();
        setSetting(QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
        startMain();
        child<QPushButton>("attachButton")->click();
        QVERIFY(idle());
        // One validator everywhere: the probe and the tool see the same text, or nothing.
        for (const QString& bad : {QStringLiteral("127.1"), QStringLiteral("999.1.1.1")}) {
            child<QLineEdit>("addressEdit")->setText(bad);
            child<QPushButton>("attachButton")->click();
            QCOMPARE(m_dialogs.texts().last(),
                     QStringLiteral("\"%1\" is not a valid IPv4 address.").arg(bad));
        }
        QCOMPARE(m_icmp.sent, QStringList{QStringLiteral("127.0.0.1")});
        child<QLineEdit>("addressEdit")->setText(QStringLiteral(" 127.0.0.1 "));
        child<QPushButton>("attachButton")->click();
        QVERIFY(idle());
        QCOMPARE(m_world->calls().mid(m_world->calls().size() - 2),
                 (QList<QStringList>{{QStringLiteral("hdl_toc"), QStringLiteral("127.0.0.1")},
                                     {QStringLiteral("toc"), QStringLiteral("127.0.0.1")}}));

        m_world->clearCalls();
        child<QPushButton>("shutdownPs2Button")->click(); // answered No
        QCOMPARE(m_dialogs.texts().last(), QStringLiteral("Switch off the PS2 at 127.0.0.1?"));
        QVERIFY(idle());
        QVERIFY(m_world->calls().isEmpty());
        m_dialogs.answers.push_back(Dialogs::Answer::Yes);
        child<QPushButton>("shutdownPs2Button")->click();
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
        child<QRadioButton>("localTarget")->click();
        QVERIFY(idle());
        auto* disks = child<QComboBox>("diskCombo");
        QCOMPARE(disks->count(), 2);
        QVERIFY(disks->isVisible());
        QCOMPARE(child<QPushButton>("attachButton")->text(), QStringLiteral("&Refresh HDD"));
        child<QPushButton>("attachButton")->click();
        QVERIFY(idle());
        QCOMPARE(shownGames(), (QStringList{QStringLiteral("Test Game"), QStringLiteral("Small")}));
        child<QRadioButton>("browseView")->click();
        auto* view = child<QTreeView>("gameList");
        QVERIFY(!child<QPushButton>("deleteButton")->isEnabled());
        view->setCurrentIndex(view->model()->index(0, 0));
        QVERIFY(child<QPushButton>("deleteButton")->isEnabled());
        QVERIFY(child<QPushButton>("copyToDiskButton")->isEnabled());
        // The source disk is no copy target.
        QVERIFY(!child<QAction>("copyTargetAction0")->isEnabled());
        QVERIFY(child<QAction>("copyTargetAction1")->isEnabled());
        QCOMPARE(child<QAction>("copyTargetAction1")->text(), QStringLiteral("hdd2:  [40.0 GB]"));
        SaveScreenshot(&main(), QStringLiteral("browse-local.png"));
    }

    void theDockHearsTheProgress()
    {
        // A bus of the test's own, never the desktop's.
        PrivateBus bus;
        const QString address = bus.address();
        QVERIFY2(!address.isEmpty(), "dbus-daemon is needed (package dbus-daemon)");
        {
            QDBusConnection dock = QDBusConnection::connectToBus(address, QStringLiteral("dock"));
            QDBusConnection us = QDBusConnection::connectToBus(address, QStringLiteral("us"));
            QVERIFY(dock.isConnected() && us.isConnected());
            QVERIFY(dock.connect({}, {}, QStringLiteral("com.canonical.Unity.LauncherEntry"),
                                 QStringLiteral("Update"), this,
                                 SLOT(launcherUpdated(QString, QVariantMap))));
            // The bus answers in order: once it answered this, it also took the match above,
            // and the update cannot pass before it.
            QVERIFY(dock.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.DBus")));
            LauncherState state;
            state.progress = 0.42;
            state.progressVisible = true;
            state.count = 3;
            state.countVisible = true;
            QVERIFY(SendLauncherUpdate(state, us));
            QTRY_VERIFY_WITH_TIMEOUT(!m_heardApp.isEmpty(), 15000);
            QCOMPARE(m_heardApp, QStringLiteral("application://org.ventrik.Ventrik.desktop"));
            QCOMPARE(m_heard.value(QStringLiteral("progress")).toDouble(), 0.42);
            QCOMPARE(m_heard.value(QStringLiteral("progress-visible")).toBool(), true);
            QCOMPARE(m_heard.value(QStringLiteral("count")).toLongLong(), 3);
            QCOMPARE(m_heard.value(QStringLiteral("count-visible")).toBool(), true);
        }
        QDBusConnection::disconnectFromBus(QStringLiteral("dock"));
        QDBusConnection::disconnectFromBus(QStringLiteral("us"));
        // Without a bus nothing is sent, and nothing breaks.
        QVERIFY(!SendLauncherUpdate({}, QDBusConnection(QStringLiteral("none"))));
    }

    void theKeyboardReachesEverything()
    {
        makeWorld();
        startMain();
        // Each view has its Alt letter, and Alt+letter chooses it.
        for (const char* name : {"installView", "browseView", "queueView", "showOutputCheck"})
            QVERIFY2(child<QAbstractButton>(name)->text().contains(u'&'), name);
        main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
        QTest::keyClick(&main(), Qt::Key_B, Qt::AltModifier);
        QTRY_VERIFY(child<QRadioButton>("browseView")->isChecked());
        QTest::keyClick(&main(), Qt::Key_L, Qt::AltModifier);
        QTRY_VERIFY(child<QRadioButton>("installView")->isChecked());
        QTest::keyClick(&main(), Qt::Key_J, Qt::AltModifier);
        QTRY_VERIFY(child<QRadioButton>("queueView")->isChecked());
        // No two buttons of one view share a letter.
        for (const char* view : {"installView", "browseView"}) {
            child<QRadioButton>(view)->click();
            QStringList letters;
            for (QAbstractButton* b : main().findChildren<QAbstractButton*>()) {
                const qsizetype at = b->text().indexOf(u'&');
                if (!b->isVisibleTo(&main()) || at < 0 || b->text().mid(at, 2) == u"&&")
                    continue;
                const QString letter = b->text().mid(at + 1, 1).toLower();
                QVERIFY2(!letters.contains(letter), qPrintable(view + (u' ' + b->text())));
                letters << letter;
            }
        }
        // Tab goes past what can only be read, here and in the settings.
        child<QRadioButton>("installView")->click();
        for (QWidget* window :
             {static_cast<QWidget*>(&main()), static_cast<QWidget*>(&main().settingsWindow())}) {
            for (QLineEdit* e : window->findChildren<QLineEdit*>()) {
                if (e->isReadOnly())
                    QVERIFY2(!(e->focusPolicy() & Qt::TabFocus), qPrintable(e->objectName()));
            }
        }
        // A typed or pasted path to an image is read like a chosen one; a wrong one is said.
        const QString image = writeImage(QStringLiteral("Typed Game.iso"));
        child<QRadioButton>("imageSource")->click();
        auto* path = child<QLineEdit>("imagePathEdit");
        QVERIFY(!path->isReadOnly());
        path->setText(QUrl::fromLocalFile(image).toString());
        emit path->editingFinished();
        QVERIFY(idle());
        QCOMPARE(path->text(), image);
        QCOMPARE(child<QLineEdit>("gameNameEdit")->text(), QStringLiteral("Typed Game"));
        // Emptied, the box leaves nothing of that game behind.
        path->clear();
        QVERIFY(child<QLineEdit>("gameNameEdit")->text().isEmpty());
        QVERIFY(child<QLineEdit>("startupEdit")->text().isEmpty());
        // Enter reads the path, and the keyboard stays in the box.
        path->setFocus();
        QTRY_VERIFY(path->hasFocus());
        path->setText(image);
        QTest::keyClick(path, Qt::Key_Return);
        QVERIFY(idle());
        QCOMPARE(child<QLineEdit>("gameNameEdit")->text(), QStringLiteral("Typed Game"));
        QTRY_VERIFY(path->hasFocus());
        path->setText(m_world->path(QStringLiteral("nowhere.iso")));
        emit path->editingFinished();
        QCOMPARE(m_dialogs.texts().value(0),
                 QStringLiteral("The file %1 does not exist.")
                     .arg(m_world->path(QStringLiteral("nowhere.iso"))));
        // One filter for every kind of image comes first.
        m_dialogs.files.push_back(std::nullopt);
        child<QPushButton>("browseImageButton")->click();
        QVERIFY(
            m_dialogs.fileRequests.last().filter.startsWith(QStringLiteral("All disc images|")));
    }

    void aMissingToolIsExplainedAtStart()
    {
        makeWorld();
        setSetting(QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
        const QString elsewhere = m_world->path(QStringLiteral("tools/hdl_dump"));
        QVERIFY(QDir().mkpath(m_world->path(QStringLiteral("tools"))));
        QVERIFY(QFile::rename(m_world->toolPath(), elsewhere));
        startMain();
        // Said at once, with where it was looked for and where to choose it; no box.
        QVERIFY(m_dialogs.shown.isEmpty());
        auto* bar = child<MessageBar>("messageBar");
        QVERIFY(bar->isVisible());
        const QString told = bar->texts().value(0);
        QVERIFY2(told.startsWith(QStringLiteral("hdl_dump was not found. Looked for: ") +
                                 m_world->toolPath() + QStringLiteral(" (beside this program).")),
                 qPrintable(told));
        QVERIFY(told.contains(QStringLiteral("\"hdl_dump program\" in Settings & Tools")));
        SaveScreenshot(&main(), QStringLiteral("main-tool-missing.png"));
        // Its button opens the settings where the tool is chosen.
        child<QPushButton>("messageAction")->click();
        SettingsWindow& settings = main().settingsWindow();
        QVERIFY(settings.isVisible());
        QCOMPARE(child<QTabWidget>("tabs", &settings)->currentWidget()->objectName(),
                 QStringLiteral("windowTab"));
        child<QLineEdit>("toolPathEdit", &settings)->setText(elsewhere);
        child<QPushButton>("okButton", &settings)->click();
        QCOMPARE(setting(QStringLiteral("HdlDumpPath")), elsewhere);
        QVERIFY(session().toolAvailable());
        // From now on that tool runs, also after a new start.
        child<QPushButton>("attachButton")->click();
        QVERIFY(idle());
        QCOMPARE(shownGames(), QStringList{QStringLiteral("Net Game")});
        stopMain();
        resetSeams();
        startMain();
        QVERIFY(session().toolAvailable());
        QVERIFY(child<MessageBar>("messageBar")->isHidden());
    }

    void noPs2DisksFallsBackToTheNetwork()
    {
        QJsonObject state = SimWorld::defaultState();
        state[QStringLiteral("disks")] = QJsonArray();
        makeWorld(QStringLiteral("win"), state);
        startMain();
        child<QRadioButton>("localTarget")->click();
        QVERIFY(idle());
        QVERIFY(child<QRadioButton>("networkTarget")->isChecked());
        QCOMPARE(m_dialogs.texts(),
                 QStringList{QStringLiteral("No PS2 formatted HDD's were found on your system.")});
    }

    void sourcesFillTheGameFields()
    {
        makeWorld();
        startMain();
        child<QRadioButton>("discSource")->click();
        QVERIFY(idle());
        auto* drives = child<QComboBox>("opticalCombo");
        // The one drive there is is chosen, and its disc read.
        QCOMPARE(drives->count(), 1);
        QCOMPARE(drives->currentIndex(), 0);
        QVERIFY(idle());
        QCOMPARE(child<QLineEdit>("startupEdit")->text(), QStringLiteral("SLUS_123.45"));
        QCOMPARE(child<QLineEdit>("gameNameEdit")->text(), QStringLiteral("Testgame"));
        QCOMPARE(child<QLineEdit>("gameNameEdit")->toolTip(),
                 QStringLiteral("Named after the disc's label"));
        QVERIFY(child<QPushButton>("compatFlagsButton")->isEnabled());
        SaveScreenshot(&main(), QStringLiteral("install-optical.png"));

        // A game index chosen in the settings names the disc by its serial instead.
        const QString index = m_world->path(QStringLiteral("my-index.yaml"));
        QFile yaml(index);
        QVERIFY(yaml.open(QIODevice::WriteOnly));
        yaml.write("SLUS-12345:\n  name: \"Test Game: The Full Title\"\n  region: NTSC-U\n");
        yaml.close();
        SettingsWindow& settings = main().settingsWindow();
        settings.present();
        m_dialogs.files.push_back(index);
        child<QPushButton>("titleIndexButton", &settings)->click();
        QSignalSpy loaded(&session().names(), &GameNames::titleIndexLoaded);
        child<QPushButton>("okButton", &settings)->click();
        QVERIFY(loaded.wait());
        QCOMPARE(setting(QStringLiteral("GameIndex")), index);
        QCOMPARE(session().names().titleIndexSize(), 1);
        drives->setCurrentIndex(-1);
        drives->setCurrentIndex(0);
        QVERIFY(idle());
        QCOMPARE(child<QLineEdit>("gameNameEdit")->text(),
                 QStringLiteral("Test Game: The Full Title"));
        QVERIFY(child<QLineEdit>("gameNameEdit")->toolTip().contains(QStringLiteral("game index")));
        // A name typed over it is the user's own.
        QTest::keyClicks(child<QLineEdit>("gameNameEdit"), QStringLiteral("!"));
        QCOMPARE(child<QLineEdit>("gameNameEdit")->toolTip(), QStringLiteral("Named as typed"));

        // An image is named after its file.
        const QString image = writeImage(QStringLiteral("My Game.iso"));
        child<QRadioButton>("imageSource")->click();
        m_dialogs.files.push_back(image);
        child<QPushButton>("browseImageButton")->click();
        QVERIFY(idle());
        QCOMPARE(child<QLineEdit>("gameNameEdit")->text(), QStringLiteral("My Game"));
        QVERIFY(m_dialogs.shown.isEmpty());
        // Cancelling the dialog forgets the image.
        child<QPushButton>("browseImageButton")->click();
        QVERIFY(child<QLineEdit>("imagePathEdit")->text().isEmpty());
        QVERIFY(child<QLineEdit>("gameNameEdit")->text().isEmpty());
    }

    void anImageTheToolCannotTypeIsTypedBySize()
    {
        makeWorld(QStringLiteral("linux"));
        startMain();
        const QString image = writeImage(QStringLiteral("Small Game.iso"));
        child<QRadioButton>("imageSource")->click();
        m_dialogs.files.push_back(image);
        child<QPushButton>("browseImageButton")->click();
        QVERIFY(idle());
        // cdvd_info2 said "?": accepted, a CD by its size, and the pane says so.
        QCOMPARE(child<QComboBox>("typeCombo")->currentIndex(), 0);
        auto* note = child<QLabel>("typeNoteLabel");
        QVERIFY(note->isVisible());
        QVERIFY(note->text().contains(QStringLiteral("from its size")));
        QVERIFY(m_dialogs.shown.isEmpty());
        SaveScreenshot(&main(), QStringLiteral("install-image-type.png"));
        // Another source forgets it.
        child<QRadioButton>("discSource")->click();
        QVERIFY(idle());
        QVERIFY(!note->isVisible());
    }

    void flagsMenuStaysOpenUntilDone()
    {
        makeWorld();
        startMain();
        child<QRadioButton>("discSource")->click();
        QVERIFY(idle());
        child<QComboBox>("opticalCombo")->setCurrentIndex(0);
        QVERIFY(idle());
        child<QPushButton>("compatFlagsButton")->click();
        auto* menu = child<QMenu>("flagsMenu");
        QTRY_VERIFY(menu->isVisible());
        child<QAction>("flagAction0")->trigger();
        child<QAction>("flagAction2")->trigger();
        QVERIFY(menu->isVisible());
        child<QAction>("flagsDone")->trigger();
        QTRY_VERIFY(!menu->isVisible());
        QVERIFY(child<QAction>("flagAction2")->isChecked());
    }

    void trayAndLeaving()
    {
        makeWorld();
        setSetting(QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
        setSetting(QStringLiteral("ClosePS2"), QStringLiteral("1"));
        startMain();
        child<QPushButton>("minimizeButton", child<QWidget>("navigationPane"))->click();
        QVERIFY(main().isHidden());
        QCOMPARE(child<QAction>("minimizeAction")->text(), QStringLiteral("Maximize"));
        m_tray.doubleClick();
        QVERIFY(main().isVisible());
        QCOMPARE(child<QAction>("minimizeAction")->text(), QStringLiteral("Minimize"));
        // Without a tray the window is minimised, never hidden for good.
        m_tray.available = false;
        child<QPushButton>("minimizeButton", child<QWidget>("navigationPane"))->click();
        QVERIFY(!main().isHidden());

        // Leaving switches the networked PS2 off when the settings ask for it.
        m_world->clearCalls();
        child<QPushButton>("exitButton")->click();
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
        auto* cancel = child<QPushButton>("cancelButton");
        QVERIFY(!cancel->isEnabled());
        m_world->setFault({{"mode", "hang"}, {"command", "hdl_toc"}});
        child<QPushButton>("attachButton")->click();
        QTRY_VERIFY(m_world->calls().size() >= 2);
        QVERIFY(cancel->isEnabled());
        cancel->click();
        QVERIFY(idle());
        QVERIFY(!cancel->isEnabled());
        QVERIFY(m_dialogs.shown.isEmpty()); // the user stopped it: nothing to tell
        // Esc does the same.
        child<QPushButton>("attachButton")->click();
        QTRY_VERIFY(m_world->calls().size() >= 4);
        QTest::keyClick(&main(), Qt::Key_Escape);
        QVERIFY(idle());
    }

    // The device read last time is read again at the next start, unasked; one never read is
    // left alone, and the empty list says what to do.
    void theStartReadsTheDeviceReadLastTime()
    {
        makeWorld();
        setSetting(QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
        startMain();
        QVERIFY(!session().isBusy());
        QVERIFY(m_icmp.sent.isEmpty());
        QCOMPARE(child<BrowsePane>("browsePane")->emptyText(),
                 QStringLiteral("Press Refresh PS2 to read 127.0.0.1."));
        child<QPushButton>("attachButton")->click();
        QVERIFY(idle());
        QCOMPARE(setting(QStringLiteral("LastRead")), QStringLiteral("network:127.0.0.1"));
        stopMain();

        startMain();
        QTRY_COMPARE(shownGames(), QStringList{QStringLiteral("Net Game")});
        QVERIFY(idle());
        QVERIFY(!m_icmp.sent.isEmpty()); // looked for first
        QVERIFY(child<QLabel>("diskSpaceLabel")->text().contains(QStringLiteral("Available")));
        stopMain();

        // Gone since: said in the window, not in a box nobody asked for.
        m_icmp.status.remove(QStringLiteral("127.0.0.1"));
        startMain();
        QVERIFY(idle());
        QVERIFY(m_dialogs.shown.isEmpty());
        QVERIFY2(child<MessageBar>("messageBar")
                     ->texts()
                     .join(u' ')
                     .contains(QStringLiteral("could not be found")),
                 qPrintable(child<MessageBar>("messageBar")->texts().join(u'|')));
        QVERIFY(shownGames().isEmpty());
        QCOMPARE(child<BrowsePane>("browsePane")->emptyText(),
                 QStringLiteral("Press Refresh PS2 to read 127.0.0.1."));
        // Asked for, it is said as always.
        child<QPushButton>("attachButton")->click();
        QVERIFY(idle());
        QVERIFY2(m_dialogs.shown.size() == 1,
                 qPrintable(child<MessageBar>("messageBar")->texts().join(u'|') +
                            QString::number(m_world->calls().size())));
    }

    // The menu bar's commands and the desktop's standard keys.
    void theMenuBarAndItsShortcuts()
    {
        makeWorld();
        setSetting(QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
        startMain();
        QStringList titles;
        for (QAction* a : child<QMenuBar>("mainMenu")->actions())
            titles << a->text();
        QCOMPARE(titles, (QStringList{"&File", "&Edit", "&View", "&Queue", "&Tools", "&Help"}));
        main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
        // F5 reads the target; Ctrl+F goes to the filter of the game list.
        QTest::keyClick(&main(), Qt::Key_F5);
        QVERIFY(idle());
        QCOMPARE(shownGames(), QStringList{QStringLiteral("Net Game")});
        QTest::keyClick(&main(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(child<QRadioButton>("browseView")->isChecked());
        QTRY_VERIFY(child<QLineEdit>("filterEdit")->hasFocus());
        // The views from the menu, and the menu follows the buttons.
        child<QAction>("queueViewAction")->trigger();
        QVERIFY(child<QRadioButton>("queueView")->isChecked());
        child<QRadioButton>("installView")->click();
        QVERIFY(child<QAction>("installViewAction")->isChecked());
        // Ctrl+, opens the settings; F1 the user guide; About says what runs, and where.
        QTest::keyClick(&main(), Qt::Key_Comma, Qt::ControlModifier);
        QTRY_VERIFY(main().settingsWindow().isVisible());
        main().settingsWindow().hide();
        main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
        m_openedFolders.clear();
        QTest::keyClick(&main(), Qt::Key_F1);
        QCOMPARE(m_openedFolders.size(), 1);
        QVERIFY2(m_openedFolders[0].endsWith(QStringLiteral("README.md")),
                 qPrintable(m_openedFolders[0]));
        child<QAction>("aboutAction")->trigger();
        const QString about = m_dialogs.texts().last();
        QVERIFY(about.startsWith(QStringLiteral("Ventrik ") + QStringLiteral(VENTRIK_VERSION)));
        QVERIFY2(about.contains(session().paths().toolPath + QStringLiteral(", version ")),
                 qPrintable(about));
        QVERIFY(about.contains(session().paths().configFile));
        // Busy, what would be refused is greyed; Ctrl+Q leaves.
        m_world->setFault({{"mode", "hang"}, {"command", "hdl_toc"}});
        QTest::keyClick(&main(), Qt::Key_F5);
        QTRY_VERIFY(session().isBusy());
        QVERIFY(!child<QAction>("refreshAction")->isEnabled());
        QVERIFY(!child<QAction>("startQueueAction")->isEnabled());
        session().cancel();
        QVERIFY(idle());
        QVERIFY(child<QAction>("refreshAction")->isEnabled());
        QTest::keyClick(&main(), Qt::Key_Q, Qt::ControlModifier);
        QTRY_COMPARE(m_quits, 1);
    }

    // In every shipped language, no Alt letter stands for two things in one view of a window,
    // and every control the keyboard reaches has a name a screen reader can say.
    void altLettersAreUniqueAndEveryFieldHasAName()
    {
        for (const QLocale& locale :
             {QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::German)}) {
            m_locale = locale;
            makeWorld();
            setSetting(QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
            startMain();
            child<QPushButton>("attachButton")->click();
            QVERIFY(idle());
            const QString language = QLocale::languageToString(locale.language());
            for (const char* view : {"installView", "browseView", "queueView"}) {
                child<QRadioButton>(view)->click();
                const QStringList shared = SharedMnemonics(&main());
                QVERIFY2(shared.isEmpty(),
                         qPrintable(language + u' ' + view + u'\n' + shared.join(u'\n')));
                const QStringList unnamed = UnnamedControls(&main());
                QVERIFY2(unnamed.isEmpty(),
                         qPrintable(language + u' ' + view + u'\n' + unnamed.join(u'\n')));
            }
            child<QRadioButton>("networkTarget")->click();
            child<QCheckBox>("showOutputCheck")->setChecked(true);
            QVERIFY2(UnnamedControls(&main()).isEmpty(),
                     qPrintable(UnnamedControls(&main()).join(u'\n')));
            QWidget& settings = main().settingsWindow();
            settings.show();
            auto* tabs = child<QTabWidget>("tabs", &settings);
            for (int i = 0; i < tabs->count(); ++i) {
                tabs->setCurrentIndex(i);
                const QStringList shared = SharedMnemonics(&settings);
                QVERIFY2(shared.isEmpty(), qPrintable(language + u'\n' + shared.join(u'\n')));
                const QStringList unnamed = UnnamedControls(&settings);
                QVERIFY2(unnamed.isEmpty(), qPrintable(language + u'\n' + unnamed.join(u'\n')));
            }
            settings.hide();
            QVERIFY(idle()); // the tools' page lists the disks as it opens
            // The windows of the queue: a job's editor and the status window.
            Job job;
            job.source = m_world->path(QStringLiteral("a.iso"));
            job.destination = QStringLiteral("hdd1:");
            job.name = QStringLiteral("One");
            job.startup = QStringLiteral("SLES_500.01");
            JobEditDialog editor(job);
            QWidget& status = main().statusWindow();
            status.show();
            for (QWidget* window : {static_cast<QWidget*>(&editor), &status}) {
                const QStringList shared = SharedMnemonics(window);
                QVERIFY2(shared.isEmpty(), qPrintable(language + u' ' + window->objectName() +
                                                      u'\n' + shared.join(u'\n')));
                const QStringList unnamed = UnnamedControls(window);
                QVERIFY2(unnamed.isEmpty(), qPrintable(language + u' ' + window->objectName() +
                                                       u'\n' + unnamed.join(u'\n')));
            }
            status.hide();
            stopMain();
        }
    }

    // A language Ventrik has no translation for reads English, plurals included.
    void anUntranslatedLanguageKeepsEnglishPlurals()
    {
        m_locale = QLocale(QLocale::French, QLocale::France);
        makeWorld();
        startMain();
        Job job;
        job.source = m_world->path(QStringLiteral("a.iso"));
        job.destination = QStringLiteral("hdd1:");
        job.name = QStringLiteral("One");
        job.startup = QStringLiteral("SLES_500.01");
        QVERIFY(session().addJob(job));
        QTRY_VERIFY2(main().windowTitle().endsWith(QStringLiteral(" - 1 job pending")),
                     qPrintable(main().windowTitle()));
    }

    // German, the longer language: translated from the core up, with plurals, and nothing
    // cut in any view of the main window, the settings' tabs or the status window.
    void germanCutsNoText()
    {
        m_locale = QLocale(QLocale::German, QLocale::Germany);
        makeWorld();
        setSetting(QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
        setSetting(QStringLiteral("ViewOutput"), QStringLiteral("1"));
        startMain();
        QCOMPARE(child<QPushButton>("installButton")->text(),
                 QStringLiteral("&Jetzt installieren"));
        child<QPushButton>("attachButton")->click();
        QVERIFY(idle());
        QCOMPARE(child<QGroupBox>("browsePane")->title(),
                 QStringLiteral("Durchsuchen, Sichern und Löschen - 1 Spiel"));
        QCOMPARE(session().games().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Spieltitel"));
        QVERIFY2(child<QLabel>("diskSpaceLabel")->text().contains(QStringLiteral(",50 GB frei")),
                 qPrintable(child<QLabel>("diskSpaceLabel")->text()));
        // Sizes, times and speeds as German writes them.
        QCOMPARE(session().games().index(0, 2).data().toString(), QStringLiteral("301 MB"));
        QCOMPARE(parse::GameSizeText(4.01 * 1048576), QStringLiteral("4,01 GB"));
        QCOMPARE(ToolTimeLeftText(QStringLiteral("2 min, 46 sec remaining")),
                 QStringLiteral("noch 2 min 46 s"));
        QCOMPARE(ToolSpeedText(QStringLiteral("41.74 MB/sec")), QStringLiteral("41,74 MB/s"));
        for (const char* view : {"installView", "browseView", "queueView"}) {
            child<QRadioButton>(view)->click();
            const QStringList clipped = ClippedTexts(&main());
            QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u'\n')));
            SaveScreenshot(&main(), QStringLiteral("german-%1.png").arg(QLatin1String(view)));
        }
        QWidget& settings = main().settingsWindow();
        settings.show();
        const QStringList cut = ClippedOnEveryTab(&settings, QStringLiteral("german-settings"));
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
        settings.hide();
        QWidget& status = main().statusWindow();
        status.show();
        QCoreApplication::processEvents();
        const QStringList clipped = ClippedTexts(&status);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u'\n')));
        SaveScreenshot(&status, QStringLiteral("german-status.png"));
        status.hide();
    }

    void exitDuringARunAsksFirst()
    {
        makeWorld();
        setSetting(QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
        startMain();
        m_world->setFault({{"mode", "hang"}, {"command", "hdl_toc"}});
        child<QPushButton>("attachButton")->click();
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

    void anExitQuestionOutlivingItsRunStillExits()
    {
        makeWorld();
        setSetting(QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
        startMain();
        m_world->setFault({{"mode", "hang"}, {"command", "hdl_toc"}});
        child<QPushButton>("attachButton")->click();
        QTRY_VERIFY(m_world->calls().size() >= 2);
        // While "Cancel it and exit?" is open the listing is stopped elsewhere; then Yes.
        m_dialogs.whileAsking = [this] {
            session().cancel();
            QVERIFY(idle());
        };
        m_dialogs.answers.push_back(Dialogs::Answer::Yes);
        main().close();
        QTRY_COMPARE(m_quits, 1);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
