#include "GuiFixture.h"
#include "devices/Selection.h"
#include "shell/ActivityPane.h"
#include "shell/BrowsePane.h"
#include "shell/InstallPane.h"
#include "shell/NavigationPane.h"
#include "shell/Startup.h"
#include "shell/TargetPane.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

// The target and source choices of the main window, driven through the simulator.
class TestSelection : public QObject, protected GuiFixture
{
    Q_OBJECT

    void start(const QString& style = QStringLiteral("win"))
    {
        makeWorld(style);
        setSetting(QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
        startMain();
        m_main->fmNavigation->chkOutput->setChecked(true);
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    }
    TargetPane* target() const { return m_main->fmMain; }
    InstallPane* install() const { return m_main->fmInstall; }
    BrowsePane* browse() const { return m_main->fmBrowse; }
    QStringList items(QComboBox* c) const
    {
        QStringList l;
        for (int i = 0; i < c->count(); ++i)
            l << c->itemText(i);
        return l;
    }

private slots:
    void init() { resetSeams(); }
    void cleanup() { m_main.reset(); }

    void localDiskListsItsGames()
    {
        start();
        target()->optLocal->click();
        QCOMPARE(items(target()->cmbHD), (QStringList{QStringLiteral("hdd1:  [20.0 GB]"),
                                                      QStringLiteral("hdd2:  [40.0 GB]")}));
        QVERIFY(target()->cmbHD->isVisible());
        QVERIFY(!target()->txtIP->isVisible());
        QVERIFY(!target()->cmdShutdownPS2->isVisible());
        QCOMPARE(target()->cmdAttach->text(), QStringLiteral("Refresh HDD"));
        QVERIFY(!m_main->mnuHDD[0]->isEnabled());
        QVERIFY(m_main->mnuHDD[1]->isEnabled() && m_main->mnuHDD[1]->isVisible());
        QVERIFY(!m_main->mnuHDD[2]->isVisible());
        target()->cmdAttach->click();
        QCOMPARE(m_world->calls().last(),
                 (QStringList{QStringLiteral("hdl_toc"), QStringLiteral("hdd1:")}));
        QCOMPARE(browse()->lstHD->topLevelItemCount(), 2);
        QTreeWidgetItem* first = browse()->lstHD->topLevelItem(0);
        QCOMPARE(first->text(0), QStringLiteral("Test Game"));
        QCOMPARE(first->text(1), QStringLiteral("SLUS_123.45"));
        QCOMPARE(first->text(2), QStringLiteral("0.29GB"));
        QCOMPARE(first->text(3), QStringLiteral("CD"));
        QCOMPARE(first->text(4), QStringLiteral("1+3"));
        QCOMPARE(browse()->title(), QStringLiteral("Browse, Backup, and Delete - 2 Games"));
        QCOMPARE(target()->lblDiskSpace->text(),
                 QStringLiteral("20.00GB Total - 0.42GB Used - 19.58GB Available"));
        QCOMPARE(target()->prgDiskSpace->maximum(), 20480);
        QCOMPARE(target()->prgDiskSpace->value(), 431);
        QVERIFY(install()->cmdInstall->isEnabled());
        QVERIFY(install()->cmdAddGame->isEnabled());
        QVERIFY(browse()->cmdBackupHDD->isEnabled());
        QVERIFY(browse()->cmdDelete->isEnabled());
        // Another disk chosen changes the copy menu, not the list.
        target()->cmbHD->setCurrentIndex(1);
        QVERIFY(m_main->mnuHDD[0]->isEnabled());
        QVERIFY(!m_main->mnuHDD[1]->isEnabled());
        QCOMPARE(browse()->lstHD->topLevelItemCount(), 2);
        m_main->fmNavigation->optBrowse->click();
        SaveScreenshot(m_main.get(), QStringLiteral("browse-local.png"));
    }

    void localModeWorksWithTheCurrentLinuxTool()
    {
        // The current tool has no "query": disks come from the machine, which
        // here has no PS2 disk, so the window stays in network mode.
        start(QStringLiteral("linux"));
        target()->optLocal->click();
        QVERIFY(target()->optLAN->isChecked());
        QVERIFY(m_dialogs.texts().contains(
            QStringLiteral("No PS2 formatted HDD's were found on your system.")));
        QCOMPARE(m_world->calls().value(0), QStringList{QStringLiteral("query")});
    }

    void networkRefreshProbesFirst()
    {
        start(QStringLiteral("linux"));
        target()->cmdAttach->click();
        QCOMPARE(m_icmp.sent, QStringList{QStringLiteral("127.0.0.1")});
        QCOMPARE(m_world->calls().last(),
                 (QStringList{QStringLiteral("hdl_toc"), QStringLiteral("127.0.0.1")}));
        QCOMPARE(browse()->lstHD->topLevelItemCount(), 1);
        QCOMPARE(browse()->lstHD->topLevelItem(0)->text(0), QStringLiteral("Net Game"));
        QCOMPARE(browse()->lstHD->topLevelItem(0)->text(4), QString());
        m_main->fmNavigation->optBrowse->click();
        SaveScreenshot(m_main.get(), QStringLiteral("browse-network.png"));

        // Enter in the address box refreshes; other keys only store the address.
        m_world->clearCalls();
        QTest::keyClick(target()->txtIP, Qt::Key_Return);
        QCOMPARE(m_world->calls().last(),
                 (QStringList{QStringLiteral("hdl_toc"), QStringLiteral("127.0.0.1")}));
        QTest::keyClicks(target()->txtIP, QStringLiteral("0"));
        QCOMPARE(browse()->lstHD->topLevelItemCount(), 0);
        QVERIFY(!browse()->cmdDelete->isEnabled());
    }

    void unreachablePS2IsNamedAndNotAsked()
    {
        start();
        target()->txtIP->setText(QStringLiteral("127.0.0.9"));
        m_world->clearCalls();
        target()->cmdAttach->click();
        QCOMPARE(m_dialogs.texts().last(), PS2NotFoundMessage(QStringLiteral("127.0.0.9")));
        for (const QStringList& call : m_world->calls())
            QCOMPARE(call.value(0), QStringLiteral("query"));
        QVERIFY(!m_main->state.AwaitGameTable);
        target()->txtIP->clear();
        target()->cmdAttach->click();
        QCOMPARE(m_dialogs.texts().last(),
                 QStringLiteral("Please enter the IP address of your PlayStation2."));
    }

    void missingToolFallsBackAndWarns()
    {
        start();
        QFile::remove(m_world->toolPath());
        target()->optLocal->click();
        QVERIFY(target()->optLAN->isChecked());
        QCOMPARE(m_dialogs.texts().value(0),
                 QStringLiteral("hdl_dump was not found. Place it in the same directory as this "
                                "program and try again."));
        install()->optOptical->click();
        QVERIFY(install()->optISO->isChecked());
    }

    void opticalDriveReadsItsDisc()
    {
        start();
        m_main->mnuFlags[7]->setChecked(true);
        install()->optOptical->click();
        QCOMPARE(items(install()->cmbOptical), QStringList{QStringLiteral("cd0:  [.3 GB]")});
        QCOMPARE(install()->cmbOptical->currentIndex(), -1);
        QVERIFY(!m_main->mnuFlags[7]->isChecked());
        QCOMPARE(install()->cmbType->currentText(), QStringLiteral("DVD-ROM"));
        QVERIFY(!install()->cmdISO->isEnabled());
        install()->cmbOptical->setCurrentIndex(0);
        QCOMPARE(m_world->calls().last(),
                 (QStringList{QStringLiteral("cdvd_info"), QStringLiteral("cd0:")}));
        QCOMPARE(install()->txtGameName->text(), QStringLiteral("TESTGAME"));
        QCOMPARE(install()->txtGameStartup->text(), QStringLiteral("SLUS_123.45"));
        QCOMPARE(install()->txtGameSize->text(), QStringLiteral("0.29GB"));
        QVERIFY(install()->cmdCompat->isEnabled());
        QVERIFY(install()->cmdMakeISO->isEnabled());
        SaveScreenshot(m_main.get(), QStringLiteral("install-optical.png"));
        install()->optISO->click();
        QVERIFY(install()->txtGameName->text().isEmpty());
        QVERIFY(!install()->cmdMakeISO->isEnabled());
        QVERIFY(!install()->cmbOptical->isEnabled());
    }

    void emptyDriveSwitchesToImages()
    {
        QJsonObject s = SimWorld::defaultState();
        s[QStringLiteral("drives")] =
            QJsonArray{QJsonObject{{QStringLiteral("device"), QStringLiteral("cd0:")}}};
        m_world = std::make_unique<SimWorld>(s);
        startMain();
        install()->optOptical->click();
        QVERIFY(install()->optISO->isChecked());
        QCOMPARE(m_dialogs.texts(),
                 QStringList{QStringLiteral(
                     "There were no game disks found in any of your optical drives.")});
    }

    void imageFileIsReadAndNamed()
    {
        start();
        const QString iso = m_world->path(QStringLiteral("My Game.iso"));
        QFile f(iso);
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray(8192, 'x'));
        f.close();
        WriteSetting(kSettingsSection, QStringLiteral("DefaultISO"), m_world->dir() + u'/',
                     m_world->paths().configFile);
        m_dialogs.files.push_back(iso);
        install()->cmdISO->click();
        QCOMPARE(m_dialogs.fileRequests.value(0).directory, m_world->dir() + u'/');
        QVERIFY(m_dialogs.fileRequests.value(0).filter.startsWith(
            QStringLiteral("ISO Files (*.iso)|*.iso|CUE Files")));
        QVERIFY(m_dialogs.fileRequests.value(0).mustExist);
        QCOMPARE(m_world->calls().last(), (QStringList{QStringLiteral("cdvd_info"), iso}));
        QCOMPARE(m_main->fmOutput->txtCommand->text(), QStringLiteral("cdvd_info \"%1\"").arg(iso));
        QCOMPARE(install()->txtISO->text(), iso);
        QCOMPARE(install()->txtGameName->text(), QStringLiteral("My Game"));
        QCOMPARE(install()->txtGameSize->text(), QStringLiteral("0.00GB"));
        QVERIFY(install()->cmdCompat->isEnabled());
        SaveScreenshot(m_main.get(), QStringLiteral("install-image.png"));
        // Cancelling forgets the image.
        install()->cmbType->setCurrentIndex(0);
        install()->cmdISO->click();
        QVERIFY(install()->txtISO->text().isEmpty());
        QVERIFY(install()->txtGameName->text().isEmpty());
        QCOMPARE(install()->cmbType->currentIndex(), 1);
        QVERIFY(!install()->cmdCompat->isEnabled());
    }

    void flagsMenuStaysOpenUntilDone()
    {
        start();
        install()->cmdCompat->setEnabled(true);
        install()->cmdCompat->click();
        QMenu* menu = m_main->mnuCompat;
        QTRY_VERIFY(menu->isVisible());
        QStringList captions;
        for (QAction* a : menu->actions())
            captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(captions.size(), 10);
        QCOMPARE(captions.first(), QStringLiteral("1: Slow HDD Access"));
        QCOMPARE(captions[7], QStringLiteral("8: Soul Calibur 2 / Suikoden V"));
        QCOMPARE(captions.last(), QStringLiteral("Done"));
        auto click = [menu](QAction* a) {
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
        };
        click(m_main->mnuFlags[0]);
        QVERIFY(menu->isVisible());
        click(m_main->mnuFlags[2]);
        click(m_main->mnuFlags[4]);
        click(m_main->mnuFlags[4]);
        QVERIFY(menu->isVisible());
        SaveScreenshot(m_main.get(), QStringLiteral("flags-menu.png"), menu);
        click(m_main->mnuDone);
        QTRY_VERIFY(!menu->isVisible());
        QList<bool> ticked;
        for (QAction* a : m_main->mnuFlags)
            ticked << a->isChecked();
        QCOMPARE(ticked, (QList<bool>{true, false, true, false, false, false, false, false}));
    }

    void powerOffClearsTheNetworkedList()
    {
        start();
        target()->cmdAttach->click();
        QCOMPARE(browse()->lstHD->topLevelItemCount(), 1);
        target()->cmdShutdownPS2->click();
        QCOMPARE(m_world->calls().last(),
                 (QStringList{QStringLiteral("poweroff"), QStringLiteral("127.0.0.1")}));
        QCOMPARE(m_main->fmOutput->txtCommand->text(), QStringLiteral("poweroff 127.0.0.1"));
        QCOMPARE(browse()->lstHD->topLevelItemCount(), 0);
        QVERIFY(!install()->cmdInstall->isEnabled());

        target()->cmdAttach->click();
        target()->txtIP->setText(QStringLiteral("127.0.0.9"));
        target()->cmdAttach->click(); // not found: the list stays empty, nothing is sent
        m_world->clearCalls();
        target()->cmdShutdownPS2->click();
        QVERIFY(m_world->calls().isEmpty());
        QCOMPARE(m_dialogs.texts().last(), PS2NotFoundMessage(QStringLiteral("127.0.0.9")));
    }

    void deviceOfAnEntry()
    {
        QCOMPARE(Selection::DeviceOf(QStringLiteral("hdd1:  [2.0 GB]")), QStringLiteral("hdd1:"));
        QCOMPARE(Selection::DeviceOf(QStringLiteral("hdd10:  [2.0 GB]")), QStringLiteral("hdd10:"));
        QCOMPARE(Selection::DeviceOf(QStringLiteral("/dev/sdb  [465.8 GB]")),
                 QStringLiteral("/dev/sdb"));
        QCOMPARE(Selection::DeviceOf(QString()), QString());
    }
};

QTEST_MAIN(TestSelection)
#include "tst_selection.moc"
