#include "ApaImage.h"
#include "GuiFixture.h"
#include "core/jobs/QueueFile.h"
#include "core/jobs/TargetLock.h"
#include "gui/JobEditDialog.h"
#include "gui/JobPane.h"
#include "gui/MessageBar.h"
#include "gui/ProblemListDialog.h"
#include "gui/StatusWindow.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVirtualObject>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

// Install now, the job queue under the status window, and the operations on
// installed games, end to end through the simulator.
// UDisks2 as a test has it, on a private bus: the objects it holds, its two signals.
class FakeUDisks : public QDBusVirtualObject
{
public:
    platform::UDisksObjects objects;
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& bus) override
    {
        if (message.member() != QLatin1String("GetManagedObjects"))
            return false;
        bus.send(message.createReply(QVariant::fromValue(objects)));
        return true;
    }
    static QString root() { return QStringLiteral("/org/freedesktop/UDisks2"); }
    // A drive and its whole-disk block device.
    static platform::UDisksObjects disk(const QString& name, const QString& model)
    {
        const QString drive = root() + QStringLiteral("/drives/") + name;
        QByteArray device = QStringLiteral("/dev/%1").arg(name).toUtf8();
        device.append('\0');
        platform::UDisksObjects o;
        o[QDBusObjectPath(drive)][QStringLiteral("org.freedesktop.UDisks2.Drive")] =
            QVariantMap{{QStringLiteral("Model"), model},
                        {QStringLiteral("Serial"), QStringLiteral("SN-") + name},
                        {QStringLiteral("ConnectionBus"), QStringLiteral("usb")}};
        o[QDBusObjectPath(root() + QStringLiteral("/block_devices/") + name)]
         [QStringLiteral("org.freedesktop.UDisks2.Block")] =
             QVariantMap{{QStringLiteral("Device"), device},
                         {QStringLiteral("Size"), QVariant::fromValue(qulonglong(2147483648))},
                         {QStringLiteral("Drive"), QVariant::fromValue(QDBusObjectPath(drive))}};
        return o;
    }
    void plug(const QDBusConnection& bus, const platform::UDisksObjects& added)
    {
        for (auto it = added.begin(); it != added.end(); ++it) {
            objects.insert(it.key(), it.value());
            QDBusMessage signal = QDBusMessage::createSignal(
                root(), QStringLiteral("org.freedesktop.DBus.ObjectManager"),
                QStringLiteral("InterfacesAdded"));
            signal << QVariant::fromValue(it.key()) << QVariant::fromValue(it.value());
            bus.send(signal);
        }
    }
    void unplug(const QDBusConnection& bus, const platform::UDisksObjects& removed)
    {
        for (auto it = removed.begin(); it != removed.end(); ++it) {
            objects.remove(it.key());
            QDBusMessage signal = QDBusMessage::createSignal(
                root(), QStringLiteral("org.freedesktop.DBus.ObjectManager"),
                QStringLiteral("InterfacesRemoved"));
            signal << QVariant::fromValue(it.key()) << QStringList(it.value().keys());
            bus.send(signal);
        }
    }
};

class TestOperations : public QObject, protected GuiFixture
{
    Q_OBJECT

    void start(const QString& style = QStringLiteral("win"), bool hideDuringRuns = false)
    {
        makeWorld(style);
        if (hideDuringRuns)
            setSetting(QStringLiteral("HideDuringRuns"), QStringLiteral("1"));
        setSetting(QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
        setSetting(QStringLiteral("StayOnTop"), QStringLiteral("0"));
        setSetting(QStringLiteral("DefaultISO"), m_world->dir() + u'/');
        startMain();
    }
    // An image of a game of its own: a startup no other image has.
    QString makeImage(const QString& name) const
    {
        const QString path = writeImage(name);
        QJsonObject s = m_world->state();
        QJsonObject images = s.value(QStringLiteral("images")).toObject();
        if (!images.contains(name)) {
            images[name] = QJsonObject{
                {QStringLiteral("startup"), QStringLiteral("SLUS_%1.00").arg(300 + images.size())},
                {QStringLiteral("name"), QString()},
                {QStringLiteral("size_kb"), 600}};
            s[QStringLiteral("images")] = images;
            m_world->setState(s);
        }
        return path;
    }
    void attachLocal()
    {
        child<QRadioButton>("localTarget")->click();
        QVERIFY(idle());
        child<QPushButton>("attachButton")->click();
        QVERIFY(idle());
    }
    void chooseImage(const QString& image, const QString& name)
    {
        child<QRadioButton>("imageSource")->click();
        m_dialogs.files.push_back(image);
        child<QPushButton>("browseImageButton")->click();
        QVERIFY(idle());
        child<QLineEdit>("gameNameEdit")->setText(name);
    }
    void selectGame(const QString& name)
    {
        auto* view = child<QTreeView>("gameList");
        for (int r = 0; r < view->model()->rowCount(); ++r) {
            if (view->model()->index(r, 0).data().toString() == name)
                view->setCurrentIndex(view->model()->index(r, 0));
        }
    }
    QString result(int row) { return session().jobs().index(row, 0).data().toString(); }
    // Two installs queued, "One" and the second (its image two.iso); with seconds given,
    // each takes the simulator that long.
    void queueOneAnd(const QString& second, int seconds = 0)
    {
        if (seconds > 0) {
            QJsonObject s = m_world->state();
            s[QStringLiteral("job_seconds")] = seconds;
            m_world->setState(s);
        }
        chooseImage(makeImage(QStringLiteral("one.iso")), QStringLiteral("One"));
        child<QPushButton>("addToQueueButton")->click();
        chooseImage(makeImage(QStringLiteral("two.iso")), second);
        child<QPushButton>("addToQueueButton")->click();
    }

private slots:
    void init() { resetSeams(); }
    void cleanup() { stopMain(); }

    void installNowUnderTheStatusWindow()
    {
        // The status window stands in for the main window during runs, as the user chose.
        start(QStringLiteral("win"), true);
        // The newest tool's records, with a gauge before the percentage.
        QJsonObject state = m_world->state();
        state[QStringLiteral("gauge")] = true;
        m_world->setState(state);
        attachLocal();
        chooseImage(makeImage(QStringLiteral("new game.iso")), QStringLiteral("New Game"));
        QVERIFY(child<QPushButton>("installButton")->isEnabled());
        auto& status = main().statusWindow();
        QString during;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            if (status.isVisible() &&
                child<QProgressBar>("currentProgress", &status)->value() > 0 && during.isEmpty()) {
                during = child<QLabel>("taskLabel", &status)->text();
                SaveScreenshot(&status, QStringLiteral("status-running.png"));
            }
        });
        watch.start(5);
        child<QPushButton>("installButton")->click();
        QVERIFY(main().isHidden());
        QVERIFY(idle());
        QCOMPARE(during, QStringLiteral("Installing New Game"));
        // A disc of under 700 MB is preset as a CD.
        const QString startup =
            m_world
                ->state()[QStringLiteral("images")][QStringLiteral("new game.iso")]
                         [QStringLiteral("startup")]
                .toString();
        QVERIFY(m_world->calls().contains(QStringList{
            QStringLiteral("inject_cd"), QStringLiteral("hdd1:"), QStringLiteral("New Game"),
            m_world->path(QStringLiteral("new game.iso")), startup}));
        QCOMPARE(m_tray.balloons,
                 (QStringList{QStringLiteral("Ventrik|Installing New Game"),
                              QStringLiteral("Ventrik|Installation of New Game complete!")}));
        QVERIFY(m_dialogs.shown.isEmpty());
        QCOMPARE(child<QStatusBar>("runStatusBar")->currentMessage(),
                 QStringLiteral("Installation of New Game complete!"));
        QCOMPARE(shownGames(), (QStringList{QStringLiteral("Test Game"), QStringLiteral("Small"),
                                            QStringLiteral("New Game")}));
        QVERIFY(main().isVisible());
        QVERIFY(status.isHidden());
        QVERIFY2(child<QLabel>("speedLabel", &status)->text().endsWith(QStringLiteral(" MB/s")),
                 qPrintable(child<QLabel>("speedLabel", &status)->text()));
        QVERIFY(child<QLineEdit>("gameNameEdit")->text().isEmpty());
        // After the run every control follows the session again.
        QVERIFY(child<QPushButton>("settingsButton")->isEnabled());
        QVERIFY(child<QPushButton>("attachButton")->isEnabled());
    }

    void failedInstallIsToldAndNoPowerAction()
    {
        start();
        attachLocal();
        setSetting(QStringLiteral("StandbyPC"), QStringLiteral("1"));
        chooseImage(makeImage(QStringLiteral("g.iso")), QStringLiteral("Test Game"));
        // The check before it says the name is taken; installed anyway, the tool refuses.
        m_dialogs.answers.push_back(Dialogs::Answer::Yes);
        child<QPushButton>("installButton")->click();
        QVERIFY(idle());
        QCOMPARE(m_dialogs.shown.size(), 2);
        QVERIFY2(m_dialogs.shown[1].text.startsWith(
                     QStringLiteral("The installation of Test Game did not complete.")),
                 qPrintable(m_dialogs.shown[1].text));
        QVERIFY(m_power.calls.isEmpty());
    }

    void queueRunsEveryJobWithItsResult()
    {
        start();
        attachLocal();
        queueOneAnd(QStringLiteral("Test Game"));
        QCOMPARE(session().jobs().count(), 2);
        // Copies are queued too.
        child<QRadioButton>("browseView")->click();
        selectGame(QStringLiteral("Small"));
        const QString copy = m_world->path(QStringLiteral("Small.iso"));
        m_dialogs.files.push_back(copy);
        child<QPushButton>("copyToPcButton")->click();
        QCOMPARE(m_dialogs.fileRequests.last().fileName, QStringLiteral("Small.iso"));
        QCOMPARE(session().jobs().count(), 3);

        child<QRadioButton>("queueView")->click();
        auto& status = main().statusWindow();
        child<QCheckBox>("shutdownCheck", &status)->setChecked(true);
        // The check before the run finds the game that is already there; the user goes on.
        m_dialogs.choicesMade.push_back(0);
        child<QPushButton>("startButton")->click();
        QVERIFY(idle());
        QCOMPARE(m_dialogs.lists.size(), 1);
        QCOMPARE(m_dialogs.lists[0].size(), 1);
        QVERIFY2(m_dialogs.lists[0][0].startsWith(
                     QStringLiteral("Row 2, Test Game: \"Test Game\" is already installed")),
                 qPrintable(m_dialogs.lists[0][0]));
        QCOMPARE(m_dialogs.listChoices,
                 (QStringList{QStringLiteral("Start Anyway"),
                              QStringLiteral("Skip these and start the rest")}));
        QCOMPARE(result(0), QStringLiteral("Complete"));
        QCOMPARE(result(1), QStringLiteral("Error (File already exists)"));
        QCOMPARE(result(2), QStringLiteral("Complete"));
        QVERIFY(QFile::exists(copy));
        // A failure cancels the end-of-run actions.
        QVERIFY(m_power.calls.isEmpty());
        QVERIFY(main().isVisible());
        SaveScreenshot(&main(), QStringLiteral("jobs-results.png"));

        // A second run runs only what is not complete.
        m_world->clearCalls();
        m_dialogs.choicesMade.push_back(0);
        child<QPushButton>("startButton")->click();
        QVERIFY(idle());
        int injects = 0;
        for (const QStringList& c : m_world->calls())
            injects += c.first().startsWith(QLatin1String("inject")) ? 1 : 0;
        QCOMPARE(injects, 1);
    }

    void installNowWaitsForAnotherWriter()
    {
        start();
        attachLocal();
        // Another Ventrik's queue writes to the disk.
        TargetLock other(m_world->paths().dataDir + QStringLiteral("/locks"),
                         Target::Disk(QStringLiteral("hdd1:")));
        QVERIFY(other.tryLock(QStringLiteral("queue")));
        chooseImage(makeImage(QStringLiteral("waiting.iso")), QStringLiteral("Waiting Game"));
        child<QPushButton>("installButton")->click();
        auto& status = main().statusWindow();
        QTRY_COMPARE(child<QLabel>("taskLabel", &status)->text(),
                     QStringLiteral("Waiting for the queue to finish with hdd1:."));
        QTest::qWait(500);
        auto injected = [this] {
            for (const QStringList& c : m_world->calls()) {
                if (c.value(0).startsWith(QLatin1String("inject")))
                    return true;
            }
            return false;
        };
        QVERIFY(!injected());
        QVERIFY(m_dialogs.shown.isEmpty());
        other.unlock();
        QVERIFY(idle());
        QVERIFY(injected());
        QVERIFY(session().games().count() == 3);
    }

    void installNowNeverTakesTheLastSlice()
    {
        // hdd1: 768 MB, the table and four one-slice games: one slice is free.
        QJsonObject state = SimWorld::defaultState();
        QJsonArray disks = state[QStringLiteral("disks")].toArray();
        QJsonObject disk = disks[0].toObject();
        disk[QStringLiteral("size_mb")] = 768;
        QJsonArray games;
        for (int i = 1; i <= 4; ++i)
            games.append(SimWorld::game(QStringLiteral("G%1").arg(i),
                                        QStringLiteral("SLUS_00%1.00").arg(i), QStringLiteral("CD"),
                                        1000));
        disk[QStringLiteral("games")] = games;
        disks[0] = disk;
        state[QStringLiteral("disks")] = disks;
        makeWorld(QStringLiteral("win"), state);
        setSetting(QStringLiteral("StayOnTop"), QStringLiteral("0"));
        startMain();
        attachLocal();
        chooseImage(makeImage(QStringLiteral("last.iso")), QStringLiteral("Last"));
        child<QPushButton>("installButton")->click();
        QVERIFY(idle());
        for (const QStringList& c : m_world->calls())
            QVERIFY(!c.value(0).startsWith(QLatin1String("inject")));
        // Said by the check before it, as the queue's check says it.
        QVERIFY(!m_dialogs.lists.isEmpty());
        QVERIFY2(m_dialogs.lists.last().join(u' ').contains(QStringLiteral("free")),
                 qPrintable(m_dialogs.lists.last().join(u'|')));
        QCOMPARE(session().games().count(), 4);
    }

    void aDamagedTableIsOfferedItsBackup()
    {
        start(QStringLiteral("linux"));
        child<QPushButton>("attachButton")->click();
        QVERIFY(idle());
        // A rename saves the table first.
        child<QRadioButton>("browseView")->click();
        selectGame(QStringLiteral("Net Game"));
        m_dialogs.inputs.push_back(QStringLiteral("Renamed"));
        child<QPushButton>("renameButton")->click();
        QVERIFY(idle());
        QCOMPARE(shownGames(), QStringList{QStringLiteral("Renamed")});
        QCOMPARE(session().targetGames().backups(TargetOf(QStringLiteral("127.0.0.1"))).size(), 1);
        // Then something breaks the table: the disk that listed is damaged, not "no PS2 disk".
        QJsonObject s = m_world->state();
        QJsonArray ps2s = s[QStringLiteral("ps2s")].toArray();
        QJsonObject ps2 = ps2s[0].toObject();
        ps2[QStringLiteral("broken")] = true;
        ps2s[0] = ps2;
        s[QStringLiteral("ps2s")] = ps2s;
        m_world->setState(s);
        m_dialogs.shown.clear();
        m_dialogs.answers.push_back(Dialogs::Answer::Yes);
        child<QPushButton>("attachButton")->click();
        QVERIFY(idle());
        QTRY_VERIFY(!session().isBusy() && session().isAttached());
        QCOMPARE(m_dialogs.shown.size(), 1);
        QVERIFY2(
            m_dialogs.shown[0].text.contains(QStringLiteral("Restore the backup Ventrik made")),
            qPrintable(m_dialogs.shown[0].text));
        QVERIFY(!m_dialogs.shown[0].text.contains(QStringLiteral("not a PlayStation 2 HDD")));
        QCOMPARE(m_world->calls().last().value(0), QStringLiteral("toc"));
        bool restored = false;
        for (const QStringList& c : m_world->calls())
            restored = restored || c.value(0) == QLatin1String("restore_toc");
        QVERIFY(restored);
        // The table from before the rename.
        QCOMPARE(shownGames(), QStringList{QStringLiteral("Net Game")});
    }

    void theCheckOffersToDeleteAGameLeftHalf()
    {
        QJsonObject state = SimWorld::defaultState();
        QJsonArray disks = state[QStringLiteral("disks")].toArray();
        QJsonObject disk = disks[1].toObject();
        disk[QStringLiteral("games")] = QJsonArray{SimWorld::game(
            QStringLiteral("Half"), QStringLiteral("SLUS_200.02"), QStringLiteral("DVD"), 1000)};
        disks[1] = disk;
        state[QStringLiteral("disks")] = disks;
        makeWorld(QStringLiteral("win"), state);
        Job pending;
        pending.source = m_world->path(QStringLiteral("half.iso"));
        QFile(pending.source).open(QIODevice::WriteOnly);
        pending.destination = QStringLiteral("hdd2:");
        pending.name = QStringLiteral("Half");
        pending.startup = QStringLiteral("SLUS_200.02");
        pending.sizeKb = 300000;
        // An earlier run was killed during it and found part of it on the disk.
        pending.state = JobState::Failed;
        pending.incomplete = true;
        QString error;
        QVERIFY(SaveQueueFile(m_world->paths().dataDir + QStringLiteral("/queue.json"), {pending},
                              &error));
        startMain();
        m_dialogs.answers.push_back(Dialogs::Answer::Yes);
        child<QPushButton>("startButton")->click();
        QVERIFY(idle());
        QVERIFY(m_dialogs.texts()
                    .filter(QStringLiteral("left incomplete on hdd2: by an earlier run"))
                    .size() == 1);
        QVERIFY(m_world->calls().contains(QStringList{
            QStringLiteral("delete"), QStringLiteral("hdd2:"), QStringLiteral("PP.HDL.Half")}));
        // Nothing ran: the job waits as it was.
        for (const QStringList& c : m_world->calls())
            QVERIFY(!c.value(0).startsWith(QLatin1String("inject")));
        QCOMPARE(session().jobs().job(0).state, JobState::Failed);
    }

    void typedNamesAreCheckedBeforeQueueing()
    {
        start();
        attachLocal();
        chooseImage(makeImage(QStringLiteral("one.iso")), QStringLiteral("   "));
        child<QPushButton>("addToQueueButton")->click();
        QCOMPARE(m_dialogs.texts().last(),
                 QStringLiteral("Please enter a name for the game to be added."));
        // The tool would cut a longer name without a word.
        child<QLineEdit>("gameNameEdit")->setText(QString(65, u'x'));
        child<QPushButton>("addToQueueButton")->click();
        QVERIFY(m_dialogs.texts().last().startsWith(QStringLiteral("The name is 65 bytes long.")));
        QCOMPARE(session().jobs().count(), 0);
        // A line break would leave a game the tool lists cut, and that nothing can name.
        child<QLineEdit>("gameNameEdit")->setText(QStringLiteral("Re\nz"));
        child<QPushButton>("addToQueueButton")->click();
        QVERIFY(
            m_dialogs.texts().last().contains(QStringLiteral("cannot hold a control character")));
        QCOMPARE(session().jobs().count(), 0);
        child<QLineEdit>("gameNameEdit")->setText(QStringLiteral("  Spaced Out  "));
        child<QPushButton>("addToQueueButton")->click();
        QCOMPARE(session().jobs().count(), 1);
        QCOMPARE(session().jobs().job(0).name, QStringLiteral("Spaced Out"));
        QCOMPARE(m_dialogs.shown.last().icon, Dialogs::Icon::Information);
        QVERIFY(m_dialogs.texts().last().contains(QStringLiteral("\"Spaced Out\"")));
    }

    // Install Now asks what the queue's check would: here, a game of that name is on the disk.
    void installNowIsCheckedLikeTheQueue()
    {
        start();
        attachLocal();
        chooseImage(makeImage(QStringLiteral("again.iso")), QStringLiteral("Test Game"));
        m_world->clearCalls();
        child<QPushButton>("installButton")->click();
        QVERIFY(idle());
        QCOMPARE(m_dialogs.texts().last(), QStringLiteral("Before Test Game is installed:"));
        QVERIFY2(m_dialogs.lists.last().join(u'\n').contains(
                     QStringLiteral("\"Test Game\" is already installed on hdd1:")),
                 qPrintable(m_dialogs.lists.last().join(u'\n')));
        QCOMPARE(m_dialogs.listAccept, QStringLiteral("Install Anyway"));
        for (const QStringList& call : m_world->calls())
            QVERIFY(!call.value(0).startsWith(QLatin1String("inject")));
        // Asked to, it installs all the same.
        m_dialogs.answers.push_back(Dialogs::Answer::Yes);
        child<QPushButton>("installButton")->click();
        QVERIFY(idle());
        const QList<QStringList> calls = m_world->calls();
        QVERIFY(std::any_of(calls.begin(), calls.end(), [](const QStringList& c) {
            return c.value(0).startsWith(QLatin1String("inject"));
        }));
        // How it ended stays in the status bar until the next action begins.
        auto* bar = child<QStatusBar>("runStatusBar");
        QVERIFY(!bar->currentMessage().isEmpty());
        child<QPushButton>("attachButton")->click();
        QVERIFY(idle());
        QVERIFY2(bar->currentMessage().isEmpty(), qPrintable(bar->currentMessage()));
    }

    void cancelStopsTheJobOrTheRun()
    {
        start();
        attachLocal();
        queueOneAnd(QStringLiteral("Two"), 20);
        chooseImage(makeImage(QStringLiteral("three.iso")), QStringLiteral("Three"));
        child<QPushButton>("addToQueueButton")->click();
        child<QPushButton>("startButton")->click();
        auto& status = main().statusWindow();
        QTRY_VERIFY(child<QProgressBar>("currentProgress", &status)->value() > 0);
        // Cancel, from the main window's status bar, asks first: Keep Running leaves the run
        // alone.
        child<QPushButton>("runCancelButton")->click();
        QCOMPARE(m_dialogs.lastChoices,
                 (QStringList{QStringLiteral("Cancel This Job"), QStringLiteral("Stop the Run"),
                              QStringLiteral("Keep Running")}));
        QVERIFY(m_dialogs.answerAskedWith(2));
        QCOMPARE(session().activity(), Activity::RunningQueue);
        QCOMPARE(result(0), QStringLiteral("Active"));
        // This job alone: the run goes on with the next.
        child<QPushButton>("runCancelButton")->click();
        QVERIFY(m_dialogs.answerAskedWith(0));
        QTRY_COMPARE(result(0), QStringLiteral("Cancelled"));
        QTRY_COMPARE(result(1), QStringLiteral("Active"));
        QCOMPARE(session().activity(), Activity::RunningQueue);
        // The whole run: the job is cancelled and the one after it waits.
        QTRY_VERIFY(child<QProgressBar>("currentProgress", &status)->value() > 0);
        child<QPushButton>("stopButton", &status)->click();
        QVERIFY(m_dialogs.answerAskedWith(1));
        QVERIFY(idle());
        QCOMPARE(result(1), QStringLiteral("Cancelled"));
        QCOMPARE(result(2), QStringLiteral("Pending"));
        QVERIFY(m_power.calls.isEmpty());
        QVERIFY(main().isVisible());
        QVERIFY(child<QStatusBar>("runStatusBar")
                    ->currentMessage()
                    .startsWith(QStringLiteral("The run was stopped: ")));
    }

    void aCancelQuestionWhoseJobEndedIsWithdrawn()
    {
        start();
        attachLocal();
        QJsonObject s = m_world->state();
        s[QStringLiteral("job_seconds")] = 2;
        m_world->setState(s);
        chooseImage(makeImage(QStringLiteral("one.iso")), QStringLiteral("One"));
        child<QPushButton>("installButton")->click();
        auto& status = main().statusWindow();
        QTRY_VERIFY(child<QProgressBar>("currentProgress", &status)->value() > 0);
        // The question does not hold the run up; asking twice shows one question.
        child<QPushButton>("stopButton", &status)->click();
        child<QPushButton>("stopButton", &status)->click();
        QCOMPARE(m_dialogs.asked.size(), size_t(1));
        QVERIFY(m_dialogs.anyAskedOpen());
        QVERIFY(idle());
        // The job ended first: the question went with it, and nobody is left without a window.
        QVERIFY(!m_dialogs.anyAskedOpen());
        QVERIFY(!m_dialogs.answerAsked(Dialogs::Answer::Yes));
        QVERIFY(main().isVisible());
        QVERIFY(status.isHidden());
        QCOMPARE(session().runs().nowJob().state, JobState::Complete);
        // Nothing is left holding the disk: another writer gets it at once.
        TargetLock other(m_world->paths().dataDir + QStringLiteral("/locks"),
                         Target::Disk(QStringLiteral("hdd1:")));
        QVERIFY(other.tryLock(QStringLiteral("queue")));
        other.unlock();

        // Answered in time, the question cancels; the window says how it ended.
        QCOMPARE(child<QStatusBar>("runStatusBar")->currentMessage(),
                 QStringLiteral("Installation of One complete!"));
        m_world->holdJobsAt(30);
        chooseImage(makeImage(QStringLiteral("two.iso")), QStringLiteral("Two"));
        child<QPushButton>("installButton")->click();
        QTRY_VERIFY(child<QProgressBar>("currentProgress", &status)->value() > 0);
        child<QPushButton>("stopButton", &status)->click();
        QVERIFY(m_dialogs.answerAsked(Dialogs::Answer::Yes));
        QVERIFY(idle());
        QCOMPARE(child<QStatusBar>("runStatusBar")->currentMessage(),
                 QStringLiteral("Installation of Two was cancelled."));
        QVERIFY(main().isVisible());
    }

    void theRunIsShownWhereverTheUserLooks()
    {
        start();
        attachLocal();
        queueOneAnd(QStringLiteral("Two"), 3);
        QCOMPARE(m_launcher.last().count, 2);
        QVERIFY(m_launcher.last().countVisible && !m_launcher.last().progressVisible);
        child<QPushButton>("startButton")->click();
        auto& status = main().statusWindow();
        // The run is shown in the main window, which stays; the status window opens from its
        // status bar, and its X closes only it.
        QTRY_COMPARE(session().activity(), Activity::RunningQueue);
        QVERIFY(main().isVisible());
        QVERIFY(status.isHidden());
        child<QPushButton>("showStatusButton")->click();
        QVERIFY(status.isVisible());
        QTRY_VERIFY(child<QProgressBar>("currentProgress", &status)->value() > 0);
        status.close();
        QVERIFY(status.isHidden());
        QVERIFY(main().isVisible());
        QCOMPARE(session().activity(), Activity::RunningQueue);
        auto* runText = child<QLabel>("runStatusLabel");
        QTRY_VERIFY2(
            runText->text().startsWith(QStringLiteral("Job 1 of 2: Installing One to hdd1: - ")),
            qPrintable(runText->text()));
        QVERIFY2(runText->text().contains(QStringLiteral("%")), qPrintable(runText->text()));
        QTRY_VERIFY(child<QLabel>("runStatusLabel")->text().contains(QStringLiteral("left")));
        SaveScreenshot(&main(), QStringLiteral("main-run-statusbar.png"));
        // The dock shows the run's progress, and the title still counts what waits.
        QVERIFY(std::any_of(m_launcher.begin(), m_launcher.end(), [](const LauncherState& l) {
            return l.progressVisible && l.progress > 0 && l.progress < 1;
        }));
        QVERIFY(main().windowTitle().contains(QStringLiteral("pending")));
        // And the status window comes back from the status bar.
        child<QPushButton>("showStatusButton")->click();
        QVERIFY(status.isVisible());
        QVERIFY(idle());
        QVERIFY(!child<QPushButton>("showStatusButton")->isVisible());
        QVERIFY(runText->isHidden());
        QVERIFY(status.isHidden());
        QCOMPARE(m_launcher.last(), LauncherState{});
    }

    void theQueueCanBeSteered()
    {
        // The status window stands in for the main window during runs, as the user chose.
        start(QStringLiteral("win"), true);
        attachLocal();
        for (const char* name : {"One", "Two", "Three", "Four"}) {
            const QString n = QString::fromLatin1(name);
            chooseImage(makeImage(n.toLower() + QStringLiteral(".iso")), n);
            child<QPushButton>("addToQueueButton")->click();
        }
        child<QRadioButton>("queueView")->click();
        auto* pane = child<JobPane>("jobPane");
        auto names = [this] {
            QStringList n;
            for (const Job& j : session().jobs().allJobs())
                n << j.name;
            return n.join(u',');
        };
        // Move by keys: the selection goes along.
        pane->selectRows({2, 3});
        child<QAction>("moveUpAction")->trigger();
        QCOMPARE(names(), QStringLiteral("One,Three,Four,Two"));
        QCOMPARE(pane->selectedRows(), (QList<int>{1, 2}));
        QVERIFY(child<QToolButton>("moveUpButton")->isEnabled());
        child<QToolButton>("moveDownButton")->click();
        child<QToolButton>("moveDownButton")->click();
        QCOMPARE(names(), QStringLiteral("One,Two,Three,Four"));
        QVERIFY(!child<QToolButton>("moveDownButton")->isEnabled());
        // The right-click menu holds the same actions.
        const QStringList menu = [pane] {
            QStringList m;
            for (QAction* a : pane->contextMenu()->actions())
                if (!a->isSeparator())
                    m << a->objectName();
            return m;
        }();
        QCOMPARE(menu, (QStringList{"runSelectedAction", "editJobAction", "moveUpAction",
                                    "moveDownAction", "removeJobAction"}));
        auto* jobList = pane->findChild<QTreeView*>(QStringLiteral("jobList"));
        pane->contextMenu()->popup(jobList->viewport()->mapToGlobal(QPoint(40, 30)));
        SaveScreenshot(&main(), QStringLiteral("jobs-menu.png"), pane->contextMenu());
        pane->contextMenu()->close();

        // Remove two, then take it back: they return to their rows.
        pane->selectRows({1, 3});
        child<QAction>("removeJobAction")->trigger();
        QCOMPARE(names(), QStringLiteral("One,Three"));
        auto* bar = child<MessageBar>("messageBar");
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->texts(), QStringList{"2 jobs were removed from the job queue."});
        child<QPushButton>("messageAction")->click();
        QCOMPARE(names(), QStringLiteral("One,Two,Three,Four"));
        QVERIFY(bar->isHidden());
        // Clear asks first; No keeps the queue, Yes empties it, Ctrl+Z brings it back.
        child<QPushButton>("clearButton")->click();
        QCOMPARE(
            m_dialogs.texts().last(),
            QStringLiteral("Remove all 4 jobs from the job queue? 4 of them have not run yet."));
        QCOMPARE(session().jobs().count(), 4);
        m_dialogs.answers.push_back(Dialogs::Answer::Yes);
        child<QPushButton>("clearButton")->click();
        QCOMPARE(session().jobs().count(), 0);
        QTest::keyClick(&main(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(names(), QStringLiteral("One,Two,Three,Four"));
        // The saved queue follows: a new start finds the same order.
        QStringList saved;
        for (const Job& j :
             LoadQueueFile(m_world->paths().dataDir + QStringLiteral("/queue.json")).jobs)
            saved << j.name;
        QCOMPARE(saved.join(u','), QStringLiteral("One,Two,Three,Four"));

        // A waiting install is changed in place; a name the tool cannot take is refused.
        pane->selectRows({1});
        main().activateWindow();
        jobList->setFocus();
        QTest::keyClick(jobList, Qt::Key_F2);
        auto* editor = main().findChild<JobEditDialog*>(QStringLiteral("jobEditor"));
        QVERIFY(editor && editor->isVisible());
        auto* nameEdit = child<QLineEdit>("jobNameEdit", editor);
        nameEdit->setText(QString(70, u'x'));
        editor->accept();
        QVERIFY(editor->isVisible());
        QVERIFY(!child<QLabel>("jobEditProblem", editor)->text().isEmpty());
        nameEdit->setText(QStringLiteral("  Two: Special  "));
        child<QComboBox>("jobTypeCombo", editor)->setCurrentIndex(1);
        child<QCheckBox>("jobFlag3", editor)->setChecked(true);
        SaveScreenshot(editor, QStringLiteral("job-editor.png"));
        editor->accept();
        QTRY_VERIFY(!main().findChild<JobEditDialog*>(QStringLiteral("jobEditor")));
        const Job two = session().jobs().job(1);
        QCOMPARE(two.name, QStringLiteral("Two: Special"));
        QCOMPARE(two.type, DiscType::DVD);
        QCOMPARE(two.flags.toolText(), QStringLiteral("+3"));

        // Run only the last one: it runs as "Job 1 of 1", and the others wait.
        auto& status = main().statusWindow();
        QString task;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            if (status.isVisible())
                task = child<QLabel>("taskLabel", &status)->text();
        });
        watch.start(5);
        pane->selectRows({3});
        m_world->clearCalls();
        child<QPushButton>("runSelectedButton")->click();
        QVERIFY(idle());
        QTRY_VERIFY(!session().isBusy());
        QCOMPARE(task, QStringLiteral("Currently on Job 1 of 1"));
        QCOMPARE(result(3), QStringLiteral("Complete"));
        for (int row : {0, 1, 2})
            QCOMPARE(result(row), QStringLiteral("Pending"));
        // A run forgets what could be undone before it.
        QTest::keyClick(&main(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(session().jobs().count(), 4);
        // "Job 1 of 3" for the next run: the job done before is no part of it.
        watch.stop();
        task.clear();
        watch.start(5);
        child<QPushButton>("startButton")->click();
        QVERIFY(idle());
        QTRY_VERIFY(!session().isBusy());
        QCOMPARE(task, QStringLiteral("Currently on Job 3 of 3"));
    }

    void theCheckCanSkipWhatItFound()
    {
        start();
        attachLocal();
        queueOneAnd(QStringLiteral("Test Game"));
        child<QRadioButton>("queueView")->click();
        m_dialogs.choicesMade.push_back(1); // skip these and start the rest
        child<QPushButton>("startButton")->click();
        QVERIFY(idle());
        QTRY_VERIFY(!session().isBusy());
        QCOMPARE(m_dialogs.lists.size(), 1);
        QCOMPARE(result(0), QStringLiteral("Complete"));
        // The one found wanting never ran: it waits, untouched.
        QCOMPARE(result(1), QStringLiteral("Pending"));
        for (const QStringList& c : m_world->calls())
            QVERIFY(!c.contains(QStringLiteral("Test Game")));
    }

    void deleteAsksAndReports()
    {
        start();
        attachLocal();
        child<QRadioButton>("browseView")->click();
        selectGame(QStringLiteral("Small"));
        child<QPushButton>("deleteButton")->click(); // answered No
        QVERIFY(!session().isBusy());
        QCOMPARE(shownGames().size(), 2);
        m_dialogs.answers.push_back(Dialogs::Answer::Yes);
        child<QPushButton>("deleteButton")->click();
        QVERIFY(idle());
        QCOMPARE(shownGames(), QStringList{QStringLiteral("Test Game")});
        QCOMPARE(m_tray.balloons.last(), QStringLiteral("Ventrik|Small deleted from HDD"));

        // The current tool cannot delete: Delete is not offered, and nothing is asked of it.
        stopMain();
        resetSeams();
        start(QStringLiteral("linux"));
        child<QPushButton>("attachButton")->click();
        QVERIFY(idle());
        child<QRadioButton>("browseView")->click();
        selectGame(QStringLiteral("Net Game"));
        QVERIFY(!child<QPushButton>("deleteButton")->isEnabled());
        m_dialogs.answers.push_back(Dialogs::Answer::Yes);
        QTest::keyClick(child<QTreeView>("gameList"), Qt::Key_Delete);
        QVERIFY(idle());
        QCOMPARE(shownGames(), QStringList{QStringLiteral("Net Game")});
        for (const QStringList& call : m_world->calls())
            QVERIFY(call.value(0) != QLatin1String("delete"));
        QVERIFY(m_tray.balloons.filter(QStringLiteral("deleted")).isEmpty());
    }

    void copyToPcProposesTheNameAndChecksTheFolder()
    {
        QJsonObject state = SimWorld::defaultState();
        QJsonArray disks = state[QStringLiteral("disks")].toArray();
        QJsonObject disk = disks[0].toObject();
        QJsonArray games = disk[QStringLiteral("games")].toArray();
        games.append(SimWorld::game(QStringLiteral("He said \"Hi\" / Edition"),
                                    QStringLiteral("SLUS_123.45"), QStringLiteral("CD"), 350));
        disk[QStringLiteral("games")] = games;
        disks[0] = disk;
        state[QStringLiteral("disks")] = disks;
        makeWorld(QStringLiteral("win"), state);
        setSetting(QStringLiteral("StayOnTop"), QStringLiteral("0"));
        startMain();
        attachLocal();
        child<QRadioButton>("browseView")->click();
        selectGame(QStringLiteral("He said \"Hi\" / Edition"));
        // The proposal keeps the quotes; only the slash, which no file name can hold, goes.
        m_dialogs.files.push_back(m_world->path(QStringLiteral("missing/x.iso")));
        child<QPushButton>("copyToPcButton")->click();
        QCOMPARE(m_dialogs.fileRequests.last().fileName,
                 QStringLiteral("He said \"Hi\" _ Edition.iso"));
        QVERIFY(m_dialogs.fileRequests.last().confirmOverwrite);
        // A folder that does not exist is found now, not when the job runs.
        QVERIFY(m_dialogs.texts().last().startsWith(QStringLiteral("The folder ")));
        QCOMPARE(session().jobs().count(), 0);
        // The chosen path is used as it is.
        const QString chosen = m_world->path(QStringLiteral("Hi.iso\" and more.iso"));
        m_dialogs.files.push_back(chosen);
        child<QPushButton>("copyToPcButton")->click();
        QCOMPARE(session().jobs().count(), 1);
        QCOMPARE(session().jobs().job(0).destination, chosen);
        // The next copy's dialog opens where this one was left, also after a new start; the
        // image dialog keeps its own folder.
        const QString elsewhere = m_world->path(QStringLiteral("copies"));
        QVERIFY(QDir().mkpath(elsewhere));
        m_dialogs.files.push_back(elsewhere + QStringLiteral("/one.iso"));
        child<QPushButton>("copyToPcButton")->click();
        m_dialogs.files.push_back(std::nullopt);
        child<QPushButton>("copyToPcButton")->click();
        QCOMPARE(QDir(m_dialogs.fileRequests.last().directory), QDir(elsewhere));
        stopMain();
        startMain();
        QVERIFY(idle()); // the disk read last time is read again
        child<QRadioButton>("imageSource")->click();
        const qsizetype asked = m_dialogs.fileRequests.size();
        m_dialogs.files.push_back(std::nullopt);
        child<QPushButton>("browseImageButton")->click();
        QCOMPARE(m_dialogs.fileRequests.size(), asked + 1);
        QVERIFY(QDir(m_dialogs.fileRequests.last().directory) != QDir(elsewhere));
        attachLocal();
        child<QRadioButton>("browseView")->click();
        selectGame(QStringLiteral("He said \"Hi\" / Edition"));
        m_dialogs.files.push_back(std::nullopt);
        child<QPushButton>("copyToPcButton")->click();
        QCOMPARE(QDir(m_dialogs.fileRequests.last().directory), QDir(elsewhere));
    }

    void copyToAnotherPs2()
    {
        start();
        child<QPushButton>("attachButton")->click();
        QVERIFY(idle());
        child<QRadioButton>("browseView")->click();
        selectGame(QStringLiteral("Net Game"));
        m_dialogs.inputs.push_back(QStringLiteral(" 127.0.0.1 "));
        child<QPushButton>("copyToPs2Button")->click();
        QCOMPARE(
            m_dialogs.texts().last(),
            QStringLiteral("The address you entered matches the source PS2 address. Try again."));
        m_dialogs.inputs.push_back(QStringLiteral(" 127.0.0.2 "));
        child<QPushButton>("copyToPs2Button")->click();
        QCOMPARE(session().jobs().count(), 1);
        QCOMPARE(session().jobs().job(0).destination, QStringLiteral("127.0.0.2"));

        // From a local disk, the address in the hidden network box is no source.
        attachLocal();
        child<QRadioButton>("browseView")->click();
        selectGame(QStringLiteral("Small"));
        m_dialogs.inputs.push_back(QStringLiteral("127.0.0.1"));
        child<QPushButton>("copyToPs2Button")->click();
        QCOMPARE(session().jobs().count(), 2);
        QCOMPARE(session().jobs().job(1).source, QStringLiteral("hdd1:"));
    }

    void anUnattendedRunIsToldOnceAtItsEnd()
    {
        // The status window stands in for the main window during runs, as the user chose.
        start(QStringLiteral("win"), true);
        attachLocal();
        queueOneAnd(QStringLiteral("Test Game"));
        // The queue is kept, and the title says what waits in it.
        QVERIFY(main().windowTitle().endsWith(QStringLiteral(" - 2 jobs pending")));
        // The disk shown has that game already: the row says so before any run.
        QTRY_VERIFY(session()
                        .jobs()
                        .index(1, 0)
                        .data(JobListModel::WarningRole)
                        .toString()
                        .contains(QStringLiteral("\"Test Game\" is already installed on hdd1:")));
        QVERIFY(session().jobs().index(0, 0).data(JobListModel::WarningRole).toString().isEmpty());
        child<QRadioButton>("queueView")->click();
        SaveScreenshot(&main(), QStringLiteral("jobs-warning.png"));
        m_dialogs.shown.clear();
        m_dialogs.choicesMade.push_back(0); // start despite the check
        child<QRadioButton>("queueView")->click();
        child<QPushButton>("startButton")->click();
        QTRY_COMPARE(session().activity(), Activity::RunningQueue);
        // Something to say during the run waits for its end.
        emit session().problem({ProblemKind::SaveFailed, QStringLiteral("/x/config.cfg"),
                                QStringLiteral("No space left on device")});
        QCOMPARE(m_dialogs.shown.size(), 1); // only the check's list
        QVERIFY(idle());
        QCOMPARE(m_tray.notifications,
                 QStringList{QStringLiteral("Ventrik|1 installed, 1 failed")});
        QCOMPARE(m_dialogs.shown.size(), 2);
        QVERIFY(m_dialogs.shown[1].text.startsWith(QStringLiteral("1 installed, 1 failed")));
        QVERIFY(
            m_dialogs.shown[1].text.contains(QStringLiteral("/x/config.cfg could not be saved.")));
        QCOMPARE(main().windowTitle(),
                 QStringLiteral("Ventrik ") + QStringLiteral(VENTRIK_VERSION));
        // A click on the notification brings the window back.
        main().hide();
        m_tray.clickMessage();
        QVERIFY(main().isVisible());
    }

    void theStatusWindowStopsAfterThisJobAndEstimates()
    {
        // The status window stands in for the main window during runs, as the user chose.
        start(QStringLiteral("win"), true);
        attachLocal();
        m_world->holdJobsAt(50);
        for (const char* name : {"One", "Two", "Three"}) {
            chooseImage(makeImage(QString::fromLatin1(name) + QStringLiteral(".iso")),
                        QString::fromLatin1(name));
            child<QPushButton>("addToQueueButton")->click();
        }
        child<QPushButton>("startButton")->click();
        auto& status = main().statusWindow();
        QTRY_VERIFY(status.isVisible());
        auto* stopAfter = child<QPushButton>("stopAfterButton", &status);
        QVERIFY(stopAfter->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(child<QLabel>("queueLeftLabel", &status)->text() !=
                                     QStringLiteral("Queue: time left n/a"),
                                 10000);
        QVERIFY(child<QLabel>("elapsedLabel", &status)
                    ->text()
                    .startsWith(QStringLiteral("Elapsed 0:00:0")));
        SaveScreenshot(&status, QStringLiteral("status-queue.png"));
        stopAfter->click();
        // It says what it will do, in the button and in the main window.
        QCOMPARE(stopAfter->text(), QStringLiteral("Stopping after this job"));
        QVERIFY(child<QStatusBar>("runStatusBar")
                    ->currentMessage()
                    .startsWith(QStringLiteral("The run will stop when this job ends")));
        QVERIFY(ClippedTexts(&status).isEmpty());
        m_world->releaseJobs();
        QVERIFY(idle());
        QCOMPARE(result(0), QStringLiteral("Complete"));
        QCOMPARE(result(1), QStringLiteral("Pending"));
        QCOMPARE(result(2), QStringLiteral("Pending"));
        QVERIFY(main().windowTitle().endsWith(QStringLiteral(" - 2 jobs pending")));
        // How the run ended is in the window, whether or not a notification showed.
        QCOMPARE(child<QStatusBar>("runStatusBar")->currentMessage(),
                 m_tray.notifications.last().section(u'|', 1));
    }

    void theLogAndTheDiagnosticReport()
    {
        start();
        child<QCheckBox>("showOutputCheck")->setChecked(true);
        attachLocal();
        child<QPushButton>("openLogButton")->click();
        QCOMPARE(m_openedFolders, QStringList{m_world->paths().stateDir});
        QVERIFY(QDir(m_world->paths().stateDir).exists());
        SaveScreenshot(child<QWidget>("activityPane"), QStringLiteral("activity-log.png"));

        const QString report = m_world->path(QStringLiteral("home/report.txt"));
        m_dialogs.files.push_back(report);
        child<QPushButton>("reportButton")->click();
        QTRY_VERIFY(QFile::exists(report));
        QFile file(report);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        // What it holds is said first.
        QVERIFY(text.startsWith(QStringLiteral("This report holds these network addresses: ")));
        QVERIFY(text.contains(QStringLiteral("\nVentrik diagnostic report\n")));
        QVERIFY(
            text.contains(QStringLiteral("usage banner: hdl_dump-0.9.2 simulator (win texts)")));
        QVERIFY(text.contains(QStringLiteral("commands: ")));
        QVERIFY(text.contains(QStringLiteral("== config.cfg\n[")));
        QVERIFY(text.contains(QStringLiteral("arguments: [\"hdl_toc\",\"hdd1:\"]")));
        // Paths in the home folder are shortened.
        QVERIFY(text.contains(QStringLiteral("~/")));
        QVERIFY(!text.contains(m_world->path(QStringLiteral("home")) + u'/'));
    }

    void anImageJoinsARunningQueue()
    {
        start();
        attachLocal();
        m_world->holdJobsAt(50);
        chooseImage(makeImage(QStringLiteral("first.iso")), QStringLiteral("First"));
        child<QPushButton>("addToQueueButton")->click();
        child<QPushButton>("startButton")->click();
        QTRY_COMPARE(session().activity(), Activity::RunningQueue);
        // The user brings the window back and queues one more image while the first installs.
        main().bringForward();
        child<QRadioButton>("installView")->click();
        QVERIFY(child<QPushButton>("browseImageButton")->isEnabled());
        QVERIFY(!child<QPushButton>("installButton")->isEnabled());
        // A read that hangs gives way to the image chosen after it: that one is read and shown.
        const QString slow = makeImage(QStringLiteral("slow.iso"));
        m_world->setFault({{"mode", "hang"}, {"command", session().usage().discReadCommand()}});
        m_dialogs.files.push_back(slow);
        child<QPushButton>("browseImageButton")->click();
        m_world->setFault({});
        const QString late = makeImage(QStringLiteral("late.iso"));
        m_dialogs.files.push_back(late);
        child<QPushButton>("browseImageButton")->click();
        QTRY_COMPARE(child<QLineEdit>("startupEdit")->text(),
                     m_world
                         ->state()[QStringLiteral("images")][QStringLiteral("late.iso")]
                                  [QStringLiteral("startup")]
                         .toString());
        QCOMPARE(child<QLineEdit>("gameNameEdit")->text(), QStringLiteral("late"));
        QCOMPARE(session().activity(), Activity::RunningQueue);
        // What goes wrong meanwhile is said in the bar above the panes: no box stops the run.
        main().activateWindow();
        QTRY_VERIFY(main().isActiveWindow());
        const qsizetype boxes = m_dialogs.shown.size();
        child<QLineEdit>("gameNameEdit")->setText(QString(65, u'x'));
        child<QPushButton>("addToQueueButton")->click();
        QCOMPARE(m_dialogs.shown.size(), boxes);
        auto* bar = child<QWidget>("messageBar");
        QVERIFY(bar->isVisible());
        QVERIFY(child<QLabel>("messageText", bar)
                    ->text()
                    .startsWith(QStringLiteral("The name is 65 bytes long.")));
        SaveScreenshot(&main(), QStringLiteral("message-bar.png"));
        child<QAbstractButton>("messageClose", bar)->click();
        QVERIFY(!bar->isVisible());
        child<QLineEdit>("gameNameEdit")->setText(QStringLiteral("Late"));
        child<QPushButton>("addToQueueButton")->click();
        QCOMPARE(session().jobs().count(), 2);
        m_world->releaseJobs();
        QVERIFY(idle());
        QCOMPARE(session().runs().lastRunRows(), (QList<int>{0, 1}));
        QCOMPARE(result(0), QStringLiteral("Complete"));
        QCOMPARE(result(1), QStringLiteral("Complete"));
    }

    void aGameLeftHalfByAnEndedRunIsOfferedForDeletion()
    {
        makeWorld();
        QJsonObject state = m_world->state();
        QJsonArray disks = state[QStringLiteral("disks")].toArray();
        QJsonObject disk = disks[1].toObject();
        disk[QStringLiteral("games")] = QJsonArray{SimWorld::game(
            QStringLiteral("Half"), QStringLiteral("SLUS_200.02"), QStringLiteral("DVD"), 1000)};
        disks[1] = disk;
        state[QStringLiteral("disks")] = disks;
        m_world->setState(state);
        Job active;
        active.source = m_world->path(QStringLiteral("half.iso"));
        active.destination = QStringLiteral("hdd2:");
        active.name = QStringLiteral("Half");
        active.startup = QStringLiteral("SLUS_200.02");
        active.sizeKb = 300000;
        active.state = JobState::Active;
        QString error;
        QVERIFY(SaveQueueFile(m_world->paths().dataDir + QStringLiteral("/queue.json"), {active},
                              &error));
        m_dialogs.answers.push_back(Dialogs::Answer::Yes);
        startMain();
        QVERIFY(idle());
        QTRY_VERIFY(m_world->calls().contains(QStringList{
            QStringLiteral("delete"), QStringLiteral("hdd2:"), QStringLiteral("PP.HDL.Half")}));
        QVERIFY(idle());
        QVERIFY(m_dialogs.texts().filter(QStringLiteral("Only part of Half is on hdd2:")).size() ==
                1);
        QCOMPARE(result(0), QStringLiteral("Incomplete on disk"));
        QVERIFY(m_world->state()[QStringLiteral("disks")][1][QStringLiteral("games")]
                    .toArray()
                    .isEmpty());
    }

    void theCheckBeforeARunListsItsFindings()
    {
        ProblemListDialog dialog(
            QStringLiteral("3 problems were found in the job queue. Fix them before the run, or "
                           "start anyway and let those jobs fail."),
            {QStringLiteral("Job 2: \"Small\" is already installed on hdd1:."),
             QStringLiteral("Job 4: \"A Very Long Game Name With Spaces & Symbols!\" and \"A Very "
                            "Long Game Name With Spaces & Other\" would get the same partition "
                            "name (PP.SLES-54321..A_VERY_LONG_GAME) on hdd1:; the tool would "
                            "refuse the second. Give one a different name."),
             QStringLiteral("Job 5: Not enough space on hdd2: from this job on: the games queued "
                            "so far need 40.0 GB in 128 MB slices, one slice is kept free, and "
                            "39.9 GB is free.")},
            QStringLiteral("Start Anyway"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("problemList"));
        QCOMPARE(list->count(), 3);
        // Long findings wrap instead of running off the dialog.
        QVERIFY(list->visualItemRect(list->item(1)).height() >
                list->fontMetrics().height() * 3 / 2);
        SaveScreenshot(&dialog, QStringLiteral("preflight.png"));
    }

    // A disk of a newer kit (8 MB partitions), which the tool refuses: said what it is, its
    // games shown from the disk itself, and nothing offered that would write to it.
    void aDiskOfANewerKitIsShownForReading()
    {
        start(QStringLiteral("linux"));
        const QString root = m_world->path(QStringLiteral("machine"));
        const QString node = AddFakeDisk(root, QStringLiteral("sdq"), Ps2Sector());
        ApaPart opl;
        opl.name = QStringLiteral("+OPL");
        opl.sectors = 0x4000;
        opl.type = 0x0100;
        ApaPart world;
        world.name = QStringLiteral("PP.SLES-54321..WORLD");
        world.title = QStringLiteral("World");
        world.startup = QStringLiteral("SLES_543.21");
        world.sizeKb = 900000;
        world.slices = 8;
        QVERIFY(WriteApaImage(node, qint64(4194304) * 512, {opl, world}));
        QFile access(root + QStringLiteral("/access.log"));
        QVERIFY(access.open(QIODevice::WriteOnly));
        access.write("grant sdq 4242\n");
        access.close();
        QJsonObject s = m_world->state();
        QJsonObject disk = s[QStringLiteral("disks")].toArray()[0].toObject();
        disk[QStringLiteral("path")] = node;
        disk[QStringLiteral("broken")] = true;
        s[QStringLiteral("disks")] = QJsonArray{disk};
        m_world->setState(s);
        session().devices().setDeviceSource([root] { return FakeMachineDevices(root); });
        child<QRadioButton>("localTarget")->click();
        QVERIFY(idle());
        QCOMPARE(child<QComboBox>("diskCombo")->count(), 1);
        child<QPushButton>("attachButton")->click();
        QVERIFY(idle());
        QVERIFY2(m_dialogs.texts().join(u' ').contains(
                     QStringLiteral("was made by a newer PS2 disk tool: 8 MB partitions")),
                 qPrintable(m_dialogs.texts().join(u'|')));
        QVERIFY(!m_dialogs.texts().join(u' ').contains(QStringLiteral("Restore")));
        child<QRadioButton>("browseView")->click();
        QCOMPARE(shownGames(), QStringList{QStringLiteral("World")});
        selectGame(QStringLiteral("World"));
        for (const char* name : {"deleteButton", "renameButton", "flagsButton"}) {
            auto* b = child<QPushButton>(name);
            QVERIFY2(!b->isEnabled(), name);
            QVERIFY(b->toolTip().contains(QStringLiteral("newer PS2 disk tool")));
        }
        QVERIFY(child<QPushButton>("copyToPcButton")->isEnabled());
        SaveScreenshot(&main(), QStringLiteral("browse-newer-kit.png"));
    }

    // A PS2 disk this user may not read: listed as needing permission, asked for when chosen,
    // every answer of pkexec handled, access taken back when another target is chosen and
    // when Ventrik ends. pkexec is the tests' fake; its helper works on a fake machine.
    void aDiskThatNeedsPermissionIsAskedFor()
    {
        start(QStringLiteral("linux"));
        const QString root = m_world->path(QStringLiteral("machine"));
        const QString node = AddFakeDisk(root, QStringLiteral("sdq"), Ps2Sector());
        QJsonObject s = m_world->state();
        QJsonArray disks = s[QStringLiteral("disks")].toArray();
        QJsonObject first = disks[0].toObject();
        first[QStringLiteral("path")] = node;
        disks = QJsonArray{first};
        s[QStringLiteral("disks")] = disks;
        m_world->setState(s);
        session().devices().setDeviceSource([root] { return FakeMachineDevices(root); });
        // The test's program has no helper beside it: the fake pkexec is given the test's.
        session().devices().permission().setCommand(
            {QStringLiteral(VENTRIK_FAKE_PKEXEC), QStringLiteral(VENTRIK_TEST_DISK_HELPER)});
        auto accessLog = [this] {
            QFile f(m_world->path(QStringLiteral("machine/access.log")));
            f.open(QIODevice::ReadOnly);
            return QString::fromUtf8(f.readAll());
        };
        auto pkexecCalls = [this] {
            QFile f(m_world->path(QStringLiteral("pkexec.log")));
            f.open(QIODevice::ReadOnly);
            return f.readAll().count('\n');
        };

        child<QRadioButton>("localTarget")->click();
        QVERIFY(idle());
        auto* combo = child<QComboBox>("diskCombo");
        QCOMPARE(combo->count(), 1);
        QVERIFY2(combo->currentText().endsWith(QLatin1String(" - needs permission")),
                 qPrintable(combo->currentText()));
        SaveScreenshot(&main(), QStringLiteral("disk-needs-permission.png"));

        // Said no to the question: pkexec is never started.
        child<QPushButton>("attachButton")->click();
        QVERIFY(
            m_dialogs.texts().last().startsWith(QLatin1String("Allow Ventrik to use this disk?")));
        QVERIFY(m_dialogs.answerAsked(Dialogs::Answer::No));
        QTest::qWait(100);
        QCOMPARE(pkexecCalls(), 0);

        // The prompt dismissed: nothing happens, nothing is said.
        qputenv("FAKE_PKEXEC_MODE", "dismiss");
        m_dialogs.shown.clear();
        child<QPushButton>("attachButton")->click();
        QVERIFY(m_dialogs.answerAsked(Dialogs::Answer::Yes));
        QTRY_COMPARE(pkexecCalls(), 1);
        QTest::qWait(200);
        QCOMPARE(m_dialogs.shown.size(), 1); // the question only
        QCOMPARE(session().games().count(), 0);

        // Not authorised: said so.
        qputenv("FAKE_PKEXEC_MODE", "deny");
        child<QPushButton>("attachButton")->click();
        QVERIFY(m_dialogs.answerAsked(Dialogs::Answer::Yes));
        QTRY_VERIFY(m_dialogs.texts().join(u'|').contains(
            QStringLiteral("You are not allowed to use %1").arg(node)));
        qunsetenv("FAKE_PKEXEC_MODE");
        QVERIFY(accessLog().isEmpty());

        // Granted: listed again as a PS2 disk and read.
        child<QPushButton>("attachButton")->click();
        QVERIFY(m_dialogs.answerAsked(Dialogs::Answer::Yes));
        QTRY_VERIFY(session().games().count() > 0);
        QVERIFY(idle());
        QCOMPARE(accessLog(), QStringLiteral("grant sdq 4242\n"));
        QVERIFY(!combo->currentText().contains(QLatin1String("needs permission")));
        QCOMPARE(session().devices().granted(), QStringList{node});
        SaveScreenshot(&main(), QStringLiteral("disk-granted.png"));

        // Another target chosen: the access is taken back.
        child<QRadioButton>("networkTarget")->click();
        QTRY_VERIFY(accessLog().endsWith(QLatin1String("revoke sdq 4242\n")));
        QVERIFY(session().devices().granted().isEmpty());

        // Granted again, then Ventrik ends: taken back without anyone waiting for it.
        child<QRadioButton>("localTarget")->click();
        QVERIFY(idle());
        child<QPushButton>("attachButton")->click();
        QVERIFY(m_dialogs.answerAsked(Dialogs::Answer::Yes));
        QTRY_VERIFY(session().games().count() > 0);
        QVERIFY(idle());
        stopMain();
        QTRY_COMPARE(accessLog().count(QLatin1String("revoke")), 2);
    }

    // UDisks2 tells of disks plugged in and pulled out: the list follows without Refresh,
    // labelled by the drive's model, and a disk pulled out mid-job ends the run with its jobs
    // waiting. UDisks2 is a fake on a bus of the test's own.
    void disksThatComeAndGo()
    {
        start(QStringLiteral("linux"));
        const QString root = m_world->path(QStringLiteral("machine"));
        const QString sdq = AddFakeDisk(root, QStringLiteral("sdq"), Ps2Sector());
        QJsonObject s = m_world->state();
        QJsonObject first = s[QStringLiteral("disks")].toArray()[0].toObject();
        first[QStringLiteral("path")] = sdq;
        s[QStringLiteral("disks")] = QJsonArray{first};
        m_world->setState(s);
        platform::SystemFiles files;
        files.sysRoot = root + QStringLiteral("/sys");
        files.devRoot = root + QStringLiteral("/dev");
        files.usageFiles = {root + QStringLiteral("/mounts")};
        files.udevData = root + QStringLiteral("/udev");
        session().devices().setSystemFiles(files);

        PrivateBus bus;
        const QString address = bus.address();
        QVERIFY2(!address.isEmpty(), "dbus-daemon is needed (package dbus-daemon)");
        qDBusRegisterMetaType<platform::UDisksInterfaces>();
        qDBusRegisterMetaType<platform::UDisksObjects>();
        FakeUDisks udisks;
        udisks.objects = FakeUDisks::disk(QStringLiteral("sdq"), QStringLiteral("Samsung T7"));
        {
            QDBusConnection service =
                QDBusConnection::connectToBus(address, QStringLiteral("udisks"));
            QVERIFY(service.registerVirtualObject(FakeUDisks::root(), &udisks,
                                                  QDBusConnection::SubPath));
            QVERIFY(service.registerService(QStringLiteral("org.freedesktop.UDisks2")));
            session().devices().watch(
                QDBusConnection::connectToBus(address, QStringLiteral("ventrik")));
            QTRY_VERIFY(session().devices().watching());

            child<QRadioButton>("localTarget")->click();
            QVERIFY(idle());
            auto* combo = child<QComboBox>("diskCombo");
            QCOMPARE(combo->count(), 1);
            QCOMPARE(combo->itemText(0), QStringLiteral("Samsung T7 (2.0 GB)"));
            QCOMPARE(combo->itemData(0, Qt::ToolTipRole).toString(),
                     QStringLiteral("Samsung T7 (2.0 GB) - %1").arg(sdq));

            // Plugged in: listed without Refresh. Pulled out: gone again.
            AddFakeDisk(root, QStringLiteral("sdr"), Ps2Sector());
            const platform::UDisksObjects sdr =
                FakeUDisks::disk(QStringLiteral("sdr"), QStringLiteral("WD Elements"));
            udisks.plug(service, sdr);
            QTRY_COMPARE(combo->count(), 2);
            QCOMPARE(combo->itemText(1), QStringLiteral("WD Elements (2.0 GB)"));
            QCOMPARE(combo->currentIndex(), 0);
            SaveScreenshot(&main(), QStringLiteral("disk-plugged-in.png"));
            udisks.unplug(service, sdr);
            QTRY_COMPARE(combo->count(), 1);
            QVERIFY(idle());

            // The disk a job writes to is pulled out: the run ends, the job and the next wait.
            child<QPushButton>("attachButton")->click();
            QVERIFY(idle());
            queueOneAnd(QStringLiteral("Two"), 60);
            QVERIFY(idle());
            QCOMPARE(session().jobs().rowCount(), 2);
            QVERIFY(session().startQueue());
            // Unplugged while the tool writes the game.
            auto writing = [this] {
                const QList<QStringList> calls = m_world->calls();
                return std::any_of(calls.begin(), calls.end(), [](const QStringList& c) {
                    return c.value(0).startsWith(QLatin1String("inject"));
                });
            };
            QTRY_VERIFY_WITH_TIMEOUT(writing(), 20000);
            m_dialogs.shown.clear();
            udisks.unplug(service, FakeUDisks::disk(QStringLiteral("sdq"), {}));
            QTRY_VERIFY_WITH_TIMEOUT(!session().isBusy(), 20000);
            const QList<Job> jobs = session().jobs().allJobs();
            QCOMPARE(jobs[0].state, JobState::Pending);
            QCOMPARE(jobs[0].reason, QStringLiteral("The disk was unplugged."));
            QCOMPARE(jobs[1].state, JobState::Pending);
            const QString said =
                m_dialogs.texts().join(u'|') + child<MessageBar>("messageBar")->texts().join(u'|');
            QVERIFY2(
                said.contains(QStringLiteral("%1 was unplugged during the job \"One\"").arg(sdq)),
                qPrintable(said));
            QTRY_COMPARE(combo->count(), 0);
        }
        QDBusConnection::disconnectFromBus(QStringLiteral("udisks"));
        QDBusConnection::disconnectFromBus(QStringLiteral("ventrik"));
    }
};

QTEST_MAIN(TestOperations)
#include "tst_operations.moc"
