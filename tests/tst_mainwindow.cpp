#include "GuiFixture.h"
#include "shell/ActivityPane.h"
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
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

class TestMainWindow : public QObject, protected GuiFixture
{
    Q_OBJECT

    void start()
    {
        startMain();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    }

private slots:
    void init()
    {
        m_world = std::make_unique<SimWorld>();
        resetSeams();
    }
    void cleanup() { m_main.reset(); }

    void firstStartWritesDefaultsAndShowsTheShortWindow()
    {
        start();
        QVERIFY(QFile::exists(m_world->paths().configFile));
        QCOMPARE(setting(QStringLiteral("StayOnTop")), QStringLiteral("1"));
        QCOMPARE(setting(QStringLiteral("IP")), QStringLiteral("192.168.0.10"));
        QCOMPARE(m_main->fmMain->txtIP->text(), QStringLiteral("192.168.0.10"));
        QVERIFY(!m_main->fmNavigation->chkOutput->isChecked());
        QVERIFY(!m_main->fmOutput->isVisible());
        QCOMPARE(m_main->windowTitle(), QStringLiteral(" Ventrik v0.9b by Tavrin"));
        QCOMPARE(m_tray.tip, QStringLiteral(" Ventrik v0.9b by Tavrin"));
        QVERIFY(m_tray.hasIcon);
        QCOMPARE(m_tray.menu, m_main->mnuSystray);
        QCOMPARE(m_main->fmInstall->cmbType->currentText(), QStringLiteral("DVD-ROM"));
        QCOMPARE(m_main->fmInstall->cmbType->count(), 2);
        QVERIFY(m_main->fmInstall->isVisible());
        QVERIFY(!m_main->fmBrowse->isVisible());
        QVERIFY(!m_main->fmJob->isVisible());
        QVERIFY(m_main->fmMain->optLAN->isChecked());
        QVERIFY(m_main->fmInstall->optISO->isChecked());
        QStringList jobColumns;
        for (int i = 0; i < m_main->fmJob->lstJob->model()->columnCount(); ++i)
            jobColumns << m_main->fmJob->lstJob->model()->headerData(i, Qt::Horizontal).toString();
        QCOMPARE(jobColumns, (QStringList{QStringLiteral("Result"), QStringLiteral("Task"),
                                          QStringLiteral("Source"), QStringLiteral("Destination"),
                                          QStringLiteral("Name"), QStringLiteral("Startup"),
                                          QStringLiteral("Type"), QStringLiteral("Flags")}));
        QVERIFY(m_main->fmJob->lstJob->columnWidth(4) > m_main->fmJob->lstJob->columnWidth(6));
        QStringList tray;
        for (QAction* a : m_main->mnuSystray->actions())
            tray << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(tray, (QStringList{QStringLiteral("Settings && Tools"), QStringLiteral("-"),
                                    QStringLiteral("Minimize"), QStringLiteral("-"),
                                    QStringLiteral("Exit")}));
        SaveScreenshot(m_main.get(), QStringLiteral("main-install.png"));
    }

    void storedChoicesAreRestored()
    {
        WriteDefaultSettings(m_world->paths().configFile);
        setSetting(QStringLiteral("ViewOutput"), QStringLiteral("1"));
        setSetting(QStringLiteral("IP"), QString());
        start();
        QVERIFY(m_main->fmNavigation->chkOutput->isChecked());
        QVERIFY(m_main->fmOutput->isVisible());
        QCOMPARE(m_main->fmMain->txtIP->text(), QStringLiteral("192.168.0.10"));
        QCOMPARE(setting(QStringLiteral("IP")), QStringLiteral("192.168.0.10"));
        const int tall = m_main->height();
        const int top = m_main->y();
        m_main->fmNavigation->chkOutput->click();
        QTRY_VERIFY(m_main->height() < tall);
        QCOMPARE(m_main->y(), top);
        QCOMPARE(setting(QStringLiteral("ViewOutput")), QStringLiteral("0"));
        m_main->fmNavigation->chkOutput->click();
        QCOMPARE(setting(QStringLiteral("ViewOutput")), QStringLiteral("1"));
        QTRY_COMPARE(m_main->height(), tall);
    }

    void activityViewShowsTheLastChunkOfACommand()
    {
        WriteDefaultSettings(m_world->paths().configFile);
        setSetting(QStringLiteral("ViewOutput"), QStringLiteral("1"));
        start();
        QCOMPARE(m_main->HDL_Command({QStringLiteral("hdl_toc"), QStringLiteral("hdd1:")}), 1);
        QCOMPARE(m_main->fmOutput->txtCommand->text(), QStringLiteral("hdl_toc hdd1:"));
        QVERIFY(
            m_main->fmOutput->txtOutput->toPlainText().contains(QStringLiteral("total 20480MB")));
        QVERIFY(m_main->fmOutput->txtOutput->isReadOnly());
        SaveScreenshot(m_main.get(), QStringLiteral("main-activity.png"));
    }

    void addressChangesAreStoredAsTyped()
    {
        start();
        m_main->fmMain->txtIP->clear();
        QTest::keyClicks(m_main->fmMain->txtIP, QStringLiteral("127.0.0.5"));
        QCOMPARE(setting(QStringLiteral("IP")), QStringLiteral("127.0.0.5"));
    }

    void navigationSwitchesPanes()
    {
        start();
        m_main->fmNavigation->optBrowse->click();
        QVERIFY(m_main->fmBrowse->isVisible());
        QVERIFY(!m_main->fmInstall->isVisible());
        QCOMPARE(m_main->fmBrowse->title(), QStringLiteral("Browse, Backup, and Delete - 0 Games"));
        m_main->fmNavigation->optJobQueue->click();
        QVERIFY(m_main->fmJob->isVisible());
        QVERIFY(!m_main->fmNavigation->isVisible());
        SaveScreenshot(m_main.get(), QStringLiteral("main-jobs.png"));
        m_main->fmJob->cmdControls->click();
        QVERIFY(m_main->fmNavigation->optBrowse->isChecked());
        QVERIFY(m_main->fmBrowse->isVisible());
        QVERIFY(!m_main->fmJob->isVisible());
        m_main->fmNavigation->optInstall->click();
        m_main->fmNavigation->optJobQueue->click();
        m_main->fmJob->cmdControls->click();
        QVERIFY(m_main->fmNavigation->optInstall->isChecked());
        QVERIFY(m_main->fmInstall->isVisible());
    }

    void lockDisablesAllButTheExemptAndUnlockRestores()
    {
        start();
        QVERIFY(m_main->fmInstall->cmdISO->isEnabled());
        QVERIFY(!m_main->fmInstall->cmdCompat->isEnabled());
        m_main->EnableMainWindow(false);
        QVERIFY(!m_main->fmInstall->cmdISO->isEnabled());
        QVERIFY(!m_main->fmMain->txtIP->isEnabled());
        QVERIFY(!m_main->fmNavigation->cmdExit->isEnabled());
        QVERIFY(!m_main->mnuExit->isEnabled());
        QVERIFY(!m_main->mnuMinimize->isEnabled());
        for (const QString& name : frmMain::ExemptControls()) {
            QObject* o = m_main->findChild<QObject*>(name);
            QVERIFY2(o, qPrintable(name));
            if (auto* w = qobject_cast<QWidget*>(o))
                QVERIFY2(w->isEnabled(), qPrintable(name));
        }
        QCOMPARE(frmMain::ExemptControls().size(), 17);
        m_main->EnableMainWindow(true);
        QVERIFY(m_main->fmInstall->cmdISO->isEnabled());
        QVERIFY(m_main->fmMain->txtIP->isEnabled());
        QVERIFY(m_main->mnuExit->isEnabled());
        QVERIFY(!m_main->fmInstall->cmdCompat->isEnabled());
    }

    void hideToTrayAndBack()
    {
        start();
        m_main->fmNavigation->cmdMinimize->click();
        QVERIFY(!m_main->isVisible());
        QCOMPARE(m_main->mnuMinimize->text(), QStringLiteral("Maximize"));
        m_main->mnuMinimize->trigger();
        QVERIFY(m_main->isVisible());
        QCOMPARE(m_main->mnuMinimize->text(), QStringLiteral("Minimize"));
        m_main->mnuMinimize->trigger();
        QVERIFY(!m_main->isVisible());
        m_tray.doubleClick();
        QVERIFY(m_main->isVisible());
        QCOMPARE(m_main->mnuMinimize->text(), QStringLiteral("Minimize"));
        // A double click on a shown window leaves it shown.
        m_tray.doubleClick();
        QVERIFY(m_main->isVisible());
    }

    void withoutATrayMinimiseInsteadOfHiding()
    {
        m_tray.available = false;
        start();
        m_main->fmNavigation->cmdMinimize->click();
        QVERIFY(m_main->isVisible());
        QVERIFY(m_main->isMinimized());
    }

    void balloonsFollowTheSetting()
    {
        start();
        ShowBalloon(m_tray, m_main->settings(), QString(300, u'x'));
        QCOMPARE(m_tray.balloons, QStringList{QStringLiteral("Ventrik|") + QString(255, u'x')});
        setSetting(QStringLiteral("BalloonTips"), QStringLiteral("1"));
        ShowBalloon(m_tray, m_main->settings(), QStringLiteral("Job added to job queue"));
        QCOMPARE(m_tray.balloons.size(), 1);
    }

    void exitSwitchesTheNetworkedPS2OffWhenChosen()
    {
        WriteDefaultSettings(m_world->paths().configFile);
        setSetting(QStringLiteral("ClosePS2"), QStringLiteral("1"));
        setSetting(QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
        m_icmp.status[QStringLiteral("127.0.0.1")] = 0;
        start();
        m_main->fmNavigation->cmdExit->click();
        QCOMPARE(m_icmp.sent, QStringList{QStringLiteral("127.0.0.1")});
        QCOMPARE(m_world->calls(),
                 (QList<QStringList>{{QStringLiteral("poweroff"), QStringLiteral("127.0.0.1")}}));
        QCOMPARE(m_tray.removes, 1);
        QCOMPARE(m_quits, 1);
        QVERIFY(!m_main->isVisible());
        // Once per run, whatever asks again.
        m_main->ExitRoutine();
        QCOMPARE(m_quits, 1);
    }

    void exitSendsNothingUnlessChosenReachableAndNetworked()
    {
        WriteDefaultSettings(m_world->paths().configFile);
        setSetting(QStringLiteral("ClosePS2"), QStringLiteral("1"));
        setSetting(QStringLiteral("IP"), QStringLiteral("127.0.0.9"));
        start();
        m_main->close(); // the close box runs the same routine
        QCOMPARE(m_icmp.sent, QStringList{QStringLiteral("127.0.0.9")});
        QVERIFY(m_world->calls().isEmpty());
        QCOMPARE(m_quits, 1);

        m_main.reset();
        m_icmp.sent.clear();
        start();
        m_main->fmMain->optLocal->setChecked(true);
        QVERIFY(m_main->fmMain->optLocal->isChecked());
        m_world->clearCalls();
        m_main->mnuExit->trigger();
        QVERIFY(m_icmp.sent.isEmpty());
        QVERIFY(m_world->calls().isEmpty());
        QCOMPARE(m_quits, 2);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
