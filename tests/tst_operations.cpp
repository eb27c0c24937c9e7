#include "GuiFixture.h"
#include "jobs/JobListModel.h"
#include "jobs/frmStatus.h"
#include "shell/BrowsePane.h"
#include "shell/InstallPane.h"
#include "shell/JobPane.h"
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
#include <QTimer>
#include <QTreeWidget>

// Install now, the operations on installed games and image jobs, end to end
// through the simulator.
class TestOperations : public QObject, protected GuiFixture
{
    Q_OBJECT

    void start(const QString& style = QStringLiteral("win"))
    {
        // A second networked PS2 to copy games to.
        QJsonObject s = SimWorld::defaultState();
        QJsonArray ps2s = s[QStringLiteral("ps2s")].toArray();
        ps2s.append(QJsonObject{{QStringLiteral("address"), QStringLiteral("127.0.0.2")},
                                {QStringLiteral("size_mb"), 20480},
                                {QStringLiteral("games"), QJsonArray()}});
        s[QStringLiteral("ps2s")] = ps2s;
        makeWorld(style, s);
        setSetting(QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
        setSetting(QStringLiteral("StayOnTop"), QStringLiteral("0"));
        setSetting(QStringLiteral("DefaultISO"), m_world->dir() + u'/');
        startMain();
    }
    QString makeImage(const QString& name) const
    {
        const QString path = m_world->path(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray(600 * 1024, 'x'));
        return path;
    }
    // Chooses an image as the source and names the game.
    void chooseImage(const QString& image, const QString& name)
    {
        m_dialogs.files.push_back(image);
        m_main->fmInstall->cmdISO->click();
        m_main->fmInstall->txtGameName->setText(name);
    }
    QStringList games() const
    {
        QStringList names;
        for (int i = 0; i < m_main->fmBrowse->lstHD->topLevelItemCount(); ++i)
            names << m_main->fmBrowse->lstHD->topLevelItem(i)->text(0);
        return names;
    }
    void selectGame(const QString& name)
    {
        const auto found = m_main->fmBrowse->lstHD->findItems(name, Qt::MatchExactly, 0);
        QVERIFY(!found.isEmpty());
        m_main->fmBrowse->lstHD->setCurrentItem(found.first());
    }
    QStringList diskGames(int disk) const
    {
        QStringList names;
        for (const QJsonValue g : m_world->state()[QStringLiteral("disks")]
                                      .toArray()[disk]
                                      .toObject()[QStringLiteral("games")]
                                      .toArray())
            names << g.toObject()[QStringLiteral("name")].toString();
        return names;
    }

private slots:
    void init()
    {
        resetSeams();
        m_icmp.status[QStringLiteral("127.0.0.2")] = 0;
    }
    void cleanup() { m_main.reset(); }

    void localDiskEndToEnd()
    {
        start();
        m_main->fmMain->optLocal->click();
        m_main->fmMain->cmdAttach->click();
        chooseImage(makeImage(QStringLiteral("new game.iso")), QStringLiteral("New Game"));
        QVERIFY(m_main->fmInstall->cmdInstall->isEnabled());
        QString during;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            if (m_main->status().isVisible() && m_main->status().prgCurrent->value() > 0 &&
                during.isEmpty()) {
                during = m_main->status().lblTask->text();
                SaveScreenshot(&m_main->status(), QStringLiteral("install-now.png"));
            }
        });
        watch.start(5);
        m_main->fmInstall->cmdInstall->click();
        QCOMPARE(during, QStringLiteral("Installing New Game"));
        QVERIFY(m_world->calls().contains(QStringList{
            QStringLiteral("inject_dvd"), QStringLiteral("hdd1:"), QStringLiteral("New Game"),
            m_world->path(QStringLiteral("new game.iso")), QStringLiteral("SLUS_200.02")}));
        QCOMPARE(m_tray.balloons,
                 (QStringList{QStringLiteral("Ventrik|Installing New Game"),
                              QStringLiteral("Ventrik|Installation of New Game complete!")}));
        QVERIFY(m_dialogs.shown.isEmpty());
        QCOMPARE(games(), (QStringList{QStringLiteral("Test Game"), QStringLiteral("Small"),
                                       QStringLiteral("New Game")}));
        QVERIFY(m_main->fmInstall->txtGameName->text().isEmpty());
        QVERIFY(m_main->isVisible());
        QVERIFY(!m_main->state.JobActive);

        // Copies are queued: to the PC and to the other disk.
        selectGame(QStringLiteral("New Game"));
        const QString copy = m_world->path(QStringLiteral("copy of new game.iso"));
        m_dialogs.files.push_back(copy);
        m_main->fmBrowse->cmdBackupPC->click();
        QCOMPARE(m_dialogs.fileRequests.last().fileName, QStringLiteral("New Game.iso"));
        QCOMPARE(m_dialogs.fileRequests.last().directory, m_world->dir() + u'/');
        QVERIFY(!m_dialogs.fileRequests.last().confirmOverwrite);
        m_main->fmNavigation->optBrowse->click();
        m_main->fmBrowse->cmdBackupHDD->click();
        QTRY_VERIFY(m_main->mnuBackup->isVisible());
        QVERIFY(!m_main->mnuHDD[0]->isEnabled()); // the source disk
        QVERIFY(m_main->mnuHDD[1]->isEnabled());
        QCOMPARE(m_main->mnuHDD[1]->text(), QStringLiteral("hdd2:  [40.0 GB]"));
        SaveScreenshot(m_main.get(), QStringLiteral("browse-copy-menu.png"), m_main->mnuBackup);
        m_main->mnuHDD[1]->trigger();
        m_main->mnuBackup->close();
        QCOMPARE(m_main->jobs().count(), 2);
        QCOMPARE(m_main->jobs().job(1), (JobRecord{QStringLiteral("Pending"),
                                                   QStringLiteral("Copy to PC"),
                                                   QStringLiteral("hdd1:"),
                                                   copy,
                                                   QStringLiteral("New Game"),
                                                   {},
                                                   {},
                                                   {}}));
        QCOMPARE(m_main->jobs().job(2).destination, QStringLiteral("hdd2:"));
        QCOMPARE(m_tray.balloons.count(QStringLiteral("Ventrik|Job added to job queue")), 2);
        m_main->fmJob->cmdStart->click();
        QVERIFY(QFile::exists(copy));
        QVERIFY(diskGames(1).contains(QStringLiteral("New Game")));
        QCOMPARE(m_main->jobs().job(2).result, QStringLiteral("Complete"));

        // Delete asks once, then deletes at once.
        selectGame(QStringLiteral("New Game"));
        m_dialogs.answers.push_back(Dialogs::Answer::No);
        m_world->clearCalls();
        m_main->fmBrowse->cmdDelete->click();
        QVERIFY(m_world->calls().isEmpty());
        m_dialogs.answers.push_back(Dialogs::Answer::Yes);
        m_main->fmBrowse->cmdDelete->click();
        QCOMPARE(
            m_dialogs.shown.last().text,
            QStringLiteral(
                "Are you sure you would like to permanently delete this game?\r\n\r\nNew Game"));
        QCOMPARE(m_world->calls().value(0),
                 (QStringList{QStringLiteral("delete"), QStringLiteral("hdd1:"),
                              QStringLiteral("New Game")}));
        QVERIFY(!games().contains(QStringLiteral("New Game")));
        QVERIFY(!diskGames(0).contains(QStringLiteral("New Game")));
        QCOMPARE(m_tray.balloons.last(), QStringLiteral("Ventrik|New Game deleted from HDD"));
    }

    void networkEndToEnd()
    {
        start();
        m_main->fmMain->cmdAttach->click();
        QCOMPARE(games(), QStringList{QStringLiteral("Net Game")});
        chooseImage(makeImage(QStringLiteral("lan.iso")), QStringLiteral("Lan Game"));
        m_main->fmInstall->cmbType->setCurrentIndex(0);
        m_main->mnuFlags[1]->setChecked(true);
        QCOMPARE(m_main->fmInstall->txtGameStartup->text(), QStringLiteral("SLUS_200.02"));
        m_main->fmInstall->cmdInstall->click();
        QVERIFY(m_world->calls().contains(
            QStringList{QStringLiteral("inject_cd"), QStringLiteral("127.0.0.1"),
                        QStringLiteral("Lan Game"), m_world->path(QStringLiteral("lan.iso")),
                        QStringLiteral("SLUS_200.02"), QStringLiteral("+2")}));
        QCOMPARE(games(), (QStringList{QStringLiteral("Net Game"), QStringLiteral("Lan Game")}));

        selectGame(QStringLiteral("Lan Game"));
        const QString copy = m_world->path(QStringLiteral("lan copy.iso"));
        m_dialogs.files.push_back(copy);
        m_main->fmBrowse->cmdBackupPC->click();
        QVERIFY(m_main->mnuHDD[0]->isEnabled()); // from a networked PS2 every disk is a target
        m_main->mnuHDD[0]->trigger();
        m_dialogs.inputs.push_back(QStringLiteral("  127.0.0.2 "));
        m_main->fmBrowse->cmdBackupPS2->click();
        QCOMPARE(m_main->jobs().count(), 3);
        QCOMPARE(m_main->jobs().job(2).source, QStringLiteral("127.0.0.1"));
        QCOMPARE(m_main->jobs().job(2).destination, QStringLiteral("hdd1:"));
        QCOMPARE(m_main->jobs().job(3).destination, QStringLiteral("127.0.0.2"));
        m_main->fmJob->cmdStart->click();
        QCOMPARE(m_main->jobs().job(3).result, QStringLiteral("Complete"));
        QVERIFY(QFile::exists(copy));
        QVERIFY(diskGames(0).contains(QStringLiteral("Lan Game")));
        QVERIFY(m_world->calls().contains(
            QStringList{QStringLiteral("extract"), QStringLiteral("127.0.0.1"),
                        QStringLiteral("Lan Game"), QStringLiteral("127.0.0.2:Lan Game")}));

        selectGame(QStringLiteral("Lan Game"));
        m_dialogs.answers.push_back(Dialogs::Answer::Yes);
        m_main->fmBrowse->cmdDelete->click();
        QCOMPARE(games(), QStringList{QStringLiteral("Net Game")});
    }

    void copyToAnotherPS2Checks()
    {
        start();
        m_main->fmMain->cmdAttach->click();
        selectGame(QStringLiteral("Net Game"));
        m_main->fmBrowse->cmdBackupPS2->click(); // cancelled: nothing
        m_dialogs.inputs.push_back(QStringLiteral("   "));
        m_main->fmBrowse->cmdBackupPS2->click(); // blank: nothing
        QCOMPARE(m_dialogs.shown.size(), 2);
        QCOMPARE(m_dialogs.shown[0].title, QStringLiteral("Destination IP Address"));
        m_dialogs.inputs.push_back(QStringLiteral(" 127.0.0.1"));
        m_main->fmBrowse->cmdBackupPS2->click();
        QCOMPARE(
            m_dialogs.texts().last(),
            QStringLiteral("The address you entered matches the source PS2 address. Try again."));
        m_dialogs.inputs.push_back(QStringLiteral("127.0.0.9"));
        m_main->fmBrowse->cmdBackupPS2->click();
        QCOMPARE(m_dialogs.texts().last(), PS2NotFoundMessage(QStringLiteral("127.0.0.9")));
        QCOMPARE(m_main->jobs().count(), 0);
        // Without a selected game nothing is asked.
        m_main->fmBrowse->lstHD->clearSelection();
        const int shown = static_cast<int>(m_dialogs.shown.size());
        m_main->fmBrowse->cmdBackupPS2->click();
        m_main->fmBrowse->cmdDelete->click();
        QCOMPARE(m_dialogs.shown.size(), shown);
    }

    void failedDeleteIsReported()
    {
        // The current tool has no "delete": it answers with its usage.
        start(QStringLiteral("linux"));
        m_main->fmMain->cmdAttach->click();
        selectGame(QStringLiteral("Net Game"));
        m_dialogs.answers.push_back(Dialogs::Answer::Yes);
        m_world->clearCalls();
        m_main->fmBrowse->cmdDelete->click();
        QCOMPARE(
            m_dialogs.texts().last(),
            QStringLiteral(
                "The game Net Game could not be deleted.\r\n\r\ndelete: unrecognized command."));
        QVERIFY(m_tray.balloons.isEmpty());
        QCOMPARE(m_world->calls().size(), 3); // delete once, then the refresh
        QCOMPARE(m_world->calls().last().value(0), QStringLiteral("hdl_toc"));
        QCOMPARE(games(), QStringList{QStringLiteral("Net Game")});
    }

    void makeIsoReplacesOnlyWhenTheJobRuns()
    {
        start();
        const QString image = m_world->path(QStringLiteral("TESTGAME.iso"));
        QFile old(image);
        old.open(QIODevice::WriteOnly);
        old.write("the old image");
        old.close();
        m_main->fmInstall->optOptical->click();
        m_main->fmInstall->cmbOptical->setCurrentIndex(0);
        QVERIFY(m_main->fmInstall->cmdMakeISO->isEnabled());
        m_main->fmInstall->txtGameName->setText(QStringLiteral("   "));
        m_main->fmInstall->cmdMakeISO->click();
        QCOMPARE(m_dialogs.texts().last(), QStringLiteral("Please enter a name for the game."));
        m_main->fmInstall->txtGameName->setText(QStringLiteral("TESTGAME"));
        m_dialogs.files.push_back(image);
        m_main->fmInstall->cmdMakeISO->click();
        QCOMPARE(m_dialogs.fileRequests.last().fileName, QStringLiteral("TESTGAME.iso"));
        QVERIFY(m_dialogs.fileRequests.last().confirmOverwrite);
        QCOMPARE(m_main->jobs().job(1).task, QStringLiteral("Make ISO"));
        QCOMPARE(m_main->jobs().job(1).source, QStringLiteral("cd0:"));
        QVERIFY(m_main->fmJob->cmdStart->isEnabled());
        QCOMPARE(m_main->fmInstall->txtGameName->text(), QStringLiteral("TESTGAME")); // fields stay
        // Queued, then removed from the queue: the old image is untouched.
        QVERIFY(QFile::exists(image));
        m_main->fmJob->cmdClear->click();
        QFile check(image);
        check.open(QIODevice::ReadOnly);
        QCOMPARE(check.readAll(), QByteArray("the old image"));
        check.close();
        // Queued and run: replaced by the new image.
        m_dialogs.files.push_back(image);
        m_main->fmInstall->cmdMakeISO->click();
        m_main->fmJob->cmdStart->click();
        QCOMPARE(m_main->jobs().job(1).result, QStringLiteral("Complete"));
        check.open(QIODevice::ReadOnly);
        QVERIFY(check.readAll().startsWith("PS2SIM dump SLUS_123.45"));
    }

    void cancelledInstallEndsQuietly()
    {
        start();
        setSetting(QStringLiteral("TurnOffPC"), QStringLiteral("1"));
        m_world->setFault({{QStringLiteral("mode"), QStringLiteral("hang")},
                           {QStringLiteral("command"), QStringLiteral("inject_dvd")},
                           {QStringLiteral("text"), QStringLiteral("  5%\r")}});
        m_main->fmMain->cmdAttach->click();
        chooseImage(makeImage(QStringLiteral("slow.iso")), QStringLiteral("Slow Game"));
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            if (m_main->status().prgCurrent->value() == 5) {
                watch.stop();
                m_main->status().cmdStop->click();
            }
        });
        watch.start(10);
        m_main->fmInstall->cmdInstall->click();
        QCOMPARE(m_tray.balloons, QStringList{QStringLiteral("Ventrik|Installing Slow Game")});
        QVERIFY(m_power.calls.isEmpty());
        QVERIFY(m_dialogs.shown.isEmpty());
        QVERIFY(m_main->fmInstall->txtGameName->text().isEmpty());
        QVERIFY(m_main->isVisible());
        QVERIFY(!m_main->status().isVisible());
        QVERIFY(m_main->StdIO.Ready());
    }

    void failedInstallIsNotCalledComplete()
    {
        start();
        setSetting(QStringLiteral("BalloonTips"), QStringLiteral("1"));
        setSetting(QStringLiteral("StandbyPC"), QStringLiteral("1"));
        m_main->fmMain->cmdAttach->click();
        chooseImage(makeImage(QStringLiteral("dup.iso")), QStringLiteral("Net Game"));
        m_main->fmInstall->cmdInstall->click();
        QCOMPARE(m_dialogs.texts(),
                 QStringList{QStringLiteral("The installation of Net Game did not "
                                            "complete.\r\n\r\nError (File already exists)")});
        QVERIFY(m_tray.balloons.isEmpty());
        QCOMPARE(m_power.calls, QStringList{QStringLiteral(
                                    "standby")}); // what was chosen for the end still happens
    }

    void installChecksComeFirst()
    {
        start();
        m_main->fmInstall->cmdInstall->setEnabled(true);
        m_main->fmInstall->cmdInstall->click();
        QCOMPARE(m_dialogs.texts(),
                 QStringList{QStringLiteral("Please select an ISO to install.")});
        m_main->fmInstall->txtISO->setText(makeImage(QStringLiteral("x.iso")));
        m_main->fmInstall->cmdInstall->click();
        QCOMPARE(m_dialogs.texts().last(),
                 QStringLiteral("Please enter a name for the game to be added."));
        QVERIFY(m_main->fmMain->txtIP->isEnabled()); // nothing locked
        QVERIFY(m_main->isVisible());
    }
};

QTEST_MAIN(TestOperations)
#include "tst_operations.moc"
