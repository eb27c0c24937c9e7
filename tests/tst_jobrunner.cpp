#include "GuiFixture.h"
#include "jobs/JobListModel.h"
#include "jobs/JobQueue.h"
#include "jobs/JobRunner.h"
#include "jobs/frmStatus.h"
#include "shell/InstallPane.h"
#include "shell/JobPane.h"
#include "shell/NavigationPane.h"
#include "shell/Startup.h"
#include "shell/TargetPane.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

// The job queue and its runner on the real windows, through the simulator.
class TestJobRunner : public QObject, protected GuiFixture
{
    Q_OBJECT

    QString m_iso;

    void start(bool local = true)
    {
        makeWorld();
        setSetting(QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
        setSetting(QStringLiteral("StayOnTop"), QStringLiteral("0"));
        startMain();
        m_iso = m_world->path(QStringLiteral("Game One.iso"));
        QFile f(m_iso);
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray(300 * 1024, 'x'));
        f.close();
        if (local)
            m_main->fmMain->optLocal->click();
        m_world->clearCalls();
    }
    void addInstall(const QString& name, const QString& dest,
                    const QString& type = QStringLiteral("CD-ROM"))
    {
        m_main->jobs().AddJob(JobKind::Install, m_iso, dest, name, QString(), type, QString());
        m_main->jobQueue().jobAdded();
    }
    QStringList results() const
    {
        QStringList r;
        for (int i = 1; i <= m_main->jobs().count(); ++i)
            r << m_main->jobs().job(i).result;
        return r;
    }
    QList<QStringList> installCalls() const
    {
        QList<QStringList> calls;
        for (const QStringList& c : m_world->calls()) {
            if (c.value(0).startsWith(QLatin1String("inject_")) ||
                c.value(0) == QLatin1String("extract") || c.value(0) == QLatin1String("dump"))
                calls << c;
        }
        return calls;
    }

private slots:
    void init() { resetSeams(); }
    void cleanup() { m_main.reset(); }

    void addingChecksItsFieldsAndReadiesTheNextGame()
    {
        start(false);
        InstallPane* in = m_main->fmInstall;
        in->cmdAddGame->setEnabled(true);
        in->cmdAddGame->click();
        QCOMPARE(m_dialogs.texts().last(), QStringLiteral("Please select an ISO to install."));
        in->txtISO->setText(m_iso);
        in->cmdAddGame->click();
        QCOMPARE(m_dialogs.texts().last(),
                 QStringLiteral("Please enter a name for the game to be added."));
        QCOMPARE(m_main->jobs().count(), 0);

        in->txtGameName->setText(QStringLiteral("Game One"));
        in->txtGameStartup->setText(QStringLiteral("SLUS_000.00"));
        in->cmbType->setCurrentIndex(0);
        m_main->mnuFlags[0]->setChecked(true);
        m_main->mnuFlags[2]->setChecked(true);
        QTest::keyClick(in->txtGameName, Qt::Key_Return);
        QCOMPARE(m_main->jobs().count(), 1);
        QCOMPARE(m_main->jobs().job(1),
                 (JobRecord{QStringLiteral("Pending"), QStringLiteral("Install"), m_iso,
                            QStringLiteral("127.0.0.1"), QStringLiteral("Game One"),
                            QStringLiteral("SLUS_000.00"), QStringLiteral("CD-ROM"),
                            QStringLiteral("+1+3")}));
        QVERIFY(m_main->fmJob->cmdStart->isEnabled());
        QVERIFY(m_main->fmJob->cmdRemove->isEnabled());
        QVERIFY(m_main->fmJob->cmdClear->isEnabled());
        QVERIFY(in->txtISO->text().isEmpty());
        QVERIFY(in->txtGameName->text().isEmpty());
        QCOMPARE(in->cmbType->currentText(), QStringLiteral("DVD-ROM"));
        QVERIFY(!m_main->mnuFlags[0]->isChecked() && !m_main->mnuFlags[2]->isChecked());
        QVERIFY(!in->cmdCompat->isEnabled());
        QCOMPARE(m_tray.balloons, QStringList{QStringLiteral("Ventrik|Job added to job queue")});

        // In network mode an empty address is queued as it stands.
        m_main->fmMain->txtIP->clear();
        in->txtISO->setText(m_iso);
        in->txtGameName->setText(QStringLiteral("Game One"));
        QVERIFY(!in->cmdAddGame->isEnabled()); // a new address needs a new refresh
        QTest::keyClick(in->txtGameName, Qt::Key_Return);
        QCOMPARE(m_main->jobs().job(2).destination, QString());

        in->optOptical->click();
        in->txtGameName->setText(QStringLiteral("X"));
        QTest::keyClick(in->txtGameName, Qt::Key_Return);
        QCOMPARE(m_dialogs.texts().last(),
                 QStringLiteral("Please select an optical drive with a PS2 game cd\\dvd in it."));
    }

    void removeAndClear()
    {
        start(false);
        addInstall(QStringLiteral("A"), QStringLiteral("hdd1:"));
        addInstall(QStringLiteral("B"), QStringLiteral("hdd1:"));
        QTreeView* view = m_main->fmJob->lstJob;
        m_main->fmJob->cmdRemove->click(); // nothing selected: nothing removed
        QCOMPARE(m_main->jobs().count(), 2);
        view->setCurrentIndex(m_main->jobs().index(0, 0));
        m_main->fmJob->cmdRemove->click();
        QCOMPARE(m_main->jobs().job(1).name, QStringLiteral("B"));
        QVERIFY(m_main->fmJob->cmdStart->isEnabled());
        view->setCurrentIndex(m_main->jobs().index(0, 0));
        m_main->fmJob->cmdRemove->click();
        QVERIFY(!m_main->fmJob->cmdStart->isEnabled());
        QVERIFY(!m_main->fmJob->cmdClear->isEnabled());
        addInstall(QStringLiteral("C"), QStringLiteral("hdd1:"));
        m_main->fmJob->cmdClear->click();
        QCOMPARE(m_main->jobs().count(), 0);
        QVERIFY(!m_main->fmJob->cmdRemove->isEnabled());
    }

    void aFailedJobDoesNotStopTheQueue()
    {
        start();
        addInstall(QStringLiteral("One"), QStringLiteral("hdd2:"));
        addInstall(QStringLiteral("Small"), QStringLiteral("hdd1:")); // already installed there
        addInstall(QStringLiteral("Three"), QStringLiteral("hdd2:"), QStringLiteral("DVD-ROM"));
        QStringList tasks;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            if (m_main->status().isVisible() && !tasks.contains(m_main->status().lblTask->text()))
                tasks << m_main->status().lblTask->text();
        });
        watch.start(5);
        m_main->fmJob->cmdStart->click();
        QCOMPARE(results(), (QStringList{QStringLiteral("Complete"),
                                         QStringLiteral("Error (File already exists)"),
                                         QStringLiteral("Complete")}));
        QCOMPARE(installCalls(),
                 (QList<QStringList>{{QStringLiteral("inject_cd"), QStringLiteral("hdd2:"),
                                      QStringLiteral("One"), m_iso},
                                     {QStringLiteral("inject_cd"), QStringLiteral("hdd1:"),
                                      QStringLiteral("Small"), m_iso},
                                     {QStringLiteral("inject_dvd"), QStringLiteral("hdd2:"),
                                      QStringLiteral("Three"), m_iso}}));
        QVERIFY(tasks.contains(QStringLiteral("Currently on Job 3 of 3")));
        // After the run: the list again, the main window back, the status window gone.
        QCOMPARE(m_world->calls().last(),
                 (QStringList{QStringLiteral("hdl_toc"), QStringLiteral("hdd1:")}));
        QVERIFY(!m_main->status().isVisible());
        QVERIFY(m_main->isVisible());
        QCOMPARE(m_main->mnuMinimize->text(), QStringLiteral("Minimize"));
        QVERIFY(m_main->fmMain->txtIP->isEnabled());
        QVERIFY(m_power.calls.isEmpty());
        m_main->fmNavigation->optJobQueue->click();
        SaveScreenshot(m_main.get(), QStringLiteral("jobs-results.png"));

        // A second start runs only what is not complete.
        m_world->clearCalls();
        m_main->fmJob->cmdStart->click();
        QCOMPARE(installCalls().size(), 1);
        QCOMPARE(installCalls()[0].value(2), QStringLiteral("Small"));
        QCOMPARE(m_main->status().lblTask->text(), QStringLiteral("Currently on Job 2 of 3"));
    }

    void cancelAbortsTheCurrentAndLaterJobs()
    {
        start();
        setSetting(QStringLiteral("TurnOffPC"), QStringLiteral("1"));
        m_world->setFault({{QStringLiteral("mode"), QStringLiteral("hang")},
                           {QStringLiteral("command"), QStringLiteral("inject_dvd")},
                           {QStringLiteral("text"),
                            QStringLiteral(" 12%, 7 sec remaining, 41.74 MB/sec         \r")}});
        addInstall(QStringLiteral("One"), QStringLiteral("hdd2:"));
        addInstall(QStringLiteral("Two"), QStringLiteral("hdd2:"), QStringLiteral("DVD-ROM"));
        addInstall(QStringLiteral("Three"), QStringLiteral("hdd2:"));
        QString caption;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            frmStatus& s = m_main->status();
            if (m_main->state.CurrentJob == 2 && s.prgCurrent->value() == 12) {
                watch.stop();
                SaveScreenshot(&s, QStringLiteral("status-running.png"));
                s.close(); // refused while a job runs: it is minimised
                QTRY_VERIFY(s.isVisible());
                QVERIFY(s.isMinimized());
                caption = s.windowTitle();
                s.cmdStop->click();
            }
        });
        watch.start(10);
        m_main->fmJob->cmdStart->click();
        QCOMPARE(results(), (QStringList{QStringLiteral("Complete"), QStringLiteral("Aborted"),
                                         QStringLiteral("Aborted")}));
        QCOMPARE(installCalls().size(), 2);
        QVERIFY(m_power.calls.isEmpty());
        QVERIFY(m_main->isVisible());
        QVERIFY(m_main->StdIO.Ready());
        QVERIFY(!m_main->status().isVisible());
        // The status window can be closed once nothing runs.
        m_main->status().show();
        QVERIFY(m_main->status().close());
        QVERIFY(caption == QStringLiteral("Status") ||
                caption.endsWith(QStringLiteral("Job 2 / 3")));
    }

    void minimisedCaptionShowsTheRun()
    {
        start();
        m_world->setFault({{QStringLiteral("mode"), QStringLiteral("hang")},
                           {QStringLiteral("command"), QStringLiteral("inject_dvd")},
                           {QStringLiteral("text"), QStringLiteral(" 50%\r")}});
        addInstall(QStringLiteral("One"), QStringLiteral("hdd2:"));
        addInstall(QStringLiteral("Two"), QStringLiteral("hdd2:"), QStringLiteral("DVD-ROM"));
        m_main->status().cmdMinimize->click();
        bool stopped = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            if (m_main->state.CurrentJob == 2 && !m_main->StdIO.Ready() && !stopped)
                m_main->status().cmdMinimize->click();
            if (m_main->status().windowTitle() == QLatin1String("50% - 25% - Job 2 / 2") &&
                !stopped) {
                stopped = true;
                m_main->status().cmdStop->click();
            }
        });
        watch.start(10);
        m_main->fmJob->cmdStart->click();
        QVERIFY(stopped);
    }

    void endOfRunActions()
    {
        // Local mode: no PS2 power-off whatever is stored, and standby wins over shutdown.
        start();
        setSetting(QStringLiteral("TurnOffPS2"), QStringLiteral("1"));
        setSetting(QStringLiteral("TurnOffPC"), QStringLiteral("1"));
        setSetting(QStringLiteral("StandbyPC"), QStringLiteral("1"));
        addInstall(QStringLiteral("One"), QStringLiteral("hdd2:"));
        m_main->fmJob->cmdStart->click();
        QVERIFY(!m_main->status().chkShutdownPS2->isChecked());
        QVERIFY(!m_main->status().chkShutdownPS2->isEnabled());
        QVERIFY(m_main->status().chkStandby->isChecked());
        QVERIFY(!m_main->status().chkShutdown->isChecked());
        QCOMPARE(m_power.calls, QStringList{QStringLiteral("standby")});
        for (const QStringList& c : m_world->calls())
            QVERIFY(c.value(0) != QLatin1String("poweroff"));

        // Network mode: the PS2 first, then the PC.
        m_main.reset();
        m_power = FakePower();
        start(false);
        setSetting(QStringLiteral("TurnOffPS2"), QStringLiteral("1"));
        setSetting(QStringLiteral("TurnOffPC"), QStringLiteral("1"));
        addInstall(QStringLiteral("One"), QStringLiteral("127.0.0.1"));
        m_main->fmJob->cmdStart->click();
        QCOMPARE(results(), QStringList{QStringLiteral("Complete")});
        QVERIFY(m_world->calls().contains(
            QStringList{QStringLiteral("poweroff"), QStringLiteral("127.0.0.1")}));
        QCOMPARE(m_power.calls, QStringList{QStringLiteral("shutdown")});

        // A queue with nothing left to do still ends the same way.
        m_world->clearCalls();
        m_main->fmJob->cmdStart->click();
        QVERIFY(installCalls().isEmpty());
        QCOMPARE(m_power.calls.size(), 2);
        QVERIFY(m_main->isVisible());
    }

    void pcActionsExcludeEachOther()
    {
        start();
        frmStatus& s = m_main->status();
        s.chkStandby->setChecked(true);
        s.chkShutdown->click();
        QVERIFY(s.chkShutdown->isChecked() && !s.chkStandby->isChecked());
        s.chkStandby->click();
        QVERIFY(!s.chkShutdown->isChecked() && s.chkStandby->isChecked());
        s.chkShutdownPS2->setChecked(true);
        QVERIFY(s.chkStandby->isChecked());
    }

    void namesAndPathsReachTheToolExactly()
    {
        start();
        const QString dir = m_world->path(QStringLiteral("dir with space"));
        QDir().mkpath(dir);
        const QString iso = dir + QStringLiteral("/Zoë's \"Best\" Game (EU).iso");
        QFile f(iso);
        f.open(QIODevice::WriteOnly);
        f.write("x");
        f.close();
        const QString name = QStringLiteral("Zoë's \"Best\"  Game; $HOME");
        m_main->jobs().AddJob(JobKind::Install, iso, QStringLiteral("hdd2:"), name,
                              QStringLiteral("SLES 500.01"), QStringLiteral("DVD-ROM"),
                              QStringLiteral("+2"));
        m_main->jobs().AddJob(JobKind::CopyToPC, QStringLiteral("hdd2:"),
                              dir + QStringLiteral("/out ö.iso"), name, {}, {}, {});
        m_main->jobs().AddJob(JobKind::CopyToHDD, QStringLiteral("hdd2:"), QStringLiteral("hdd1:"),
                              name, {}, {}, {});
        m_main->jobQueue().jobAdded();
        m_main->fmJob->cmdStart->click();
        QCOMPARE(installCalls(),
                 (QList<QStringList>{{QStringLiteral("inject_dvd"), QStringLiteral("hdd2:"), name,
                                      iso, QStringLiteral("SLES 500.01"), QStringLiteral("+2")},
                                     {QStringLiteral("extract"), QStringLiteral("hdd2:"), name,
                                      dir + QStringLiteral("/out ö.iso")},
                                     {QStringLiteral("extract"), QStringLiteral("hdd2:"), name,
                                      QStringLiteral("hdd1:") + name}}));
        QCOMPARE(results(), QStringList(3, QStringLiteral("Complete")));
        QVERIFY(QFile::exists(dir + QStringLiteral("/out ö.iso")));
    }

    void jobsWithoutAResult()
    {
        start();
        m_world->setFault({{QStringLiteral("mode"), QStringLiteral("silent")},
                           {QStringLiteral("command"), QStringLiteral("inject_cd")}});
        addInstall(QStringLiteral("Quiet"), QStringLiteral("hdd2:"));
        m_main->fmJob->cmdStart->click();
        QCOMPARE(results(), QStringList{QStringLiteral("Error (Dual-Layer DVD?)")});
        QCOMPARE(installCalls().size(), 1); // it ended well: not repeated

        m_world->setFault({{QStringLiteral("mode"), QStringLiteral("crash")},
                           {QStringLiteral("command"), QStringLiteral("inject_cd")}});
        m_world->clearCalls();
        m_main->fmJob->cmdStart->click();
        QCOMPARE(results(), QStringList{QStringLiteral("Error (Dual-Layer DVD?)")});
        QCOMPARE(installCalls().size(), 4); // a silent failure is tried again
        QCOMPARE(m_dialogs.texts().size(), 1);
    }
};

QTEST_MAIN(TestJobRunner)
#include "tst_jobrunner.moc"
