#pragma once

#include "DeviceAccess.h"
#include "DiscReader.h"
#include "DiskLayouts.h"
#include "GameNames.h"
#include "ImageBatch.h"
#include "NbdDisks.h"
#include "NetworkPs2.h"
#include "Operation.h"
#include "Problem.h"
#include "QueueRuns.h"
#include "TargetGames.h"
#include "TargetLocks.h"
#include "ToolRunner.h"
#include "ToolUsage.h"
#include "core/devices/Target.h"
#include "core/settings/AppPaths.h"
#include "core/settings/Settings.h"

#include <QObject>
#include <QThreadPool>

#include <functional>
#include <optional>

class IcmpBackend;
class PowerActions;

// What runs now; None when the session is idle.
enum class Activity : std::uint8_t {
    None,
    ListingDevices,
    ReadingGames,
    ReadingDisc,
    Deleting,
    Modifying,     // a game renamed or its flags changed
    ReadingImages, // the discs of many images, for the queue
    Formatting,
    Restoring, // a partition table put back from a backup
    PoweringOff,
    RunningQueue,
    InstallingNow,
    CheckingQueue, // the targets of the queue are read before it starts
    Resuming,      // jobs of a run that ended with the program are looked for
    Exiting,
};

struct SessionSeams
{
    IcmpBackend& icmp;
    PowerActions& power;
};

// The one object the windows and the command line talk to, and the gate of all work: one thing
// runs at a time, and while it does every intent is refused with a Busy problem. Intents start
// work in the parts and return at once (false when refused, with a problem told); results
// arrive as signals, relayed from the parts. The parts (the devices and access to them, the
// target's games, the queue's runs, disc reads, names) know nothing of the session; their own
// state is read through them.
class Session : public QObject
{
    Q_OBJECT
public:
    Session(const AppPaths& paths, SessionSeams seams, QObject* parent = nullptr);
    ~Session() override;

    const AppPaths& paths() const { return m_paths; }
    SettingsFile& settings() { return m_settings; }
    const SettingsFile& settings() const { return m_settings; }
    QString toolName() const { return m_runner.toolName(); }
    bool toolAvailable() const;
    // The tool is missing: its path and the places it was looked for.
    Problem toolMissingProblem() const;
    // The tool the user chose (empty: looked for again), stored and used from now on.
    void setToolPath(const QString& chosen);

    bool isBusy() const { return m_activity != Activity::None; }
    Activity activity() const { return m_activity; }
    // done() once the session is idle (at once when it is).
    void whenIdle(std::function<void()> done);

    // The parts, for what they know.
    DeviceAccess& devices() { return m_devices; }
    TargetGames& targetGames() { return m_games; }
    const TargetGames& targetGames() const { return m_games; }
    QueueRuns& runs() { return m_runs; }
    const QueueRuns& runs() const { return m_runs; }
    GameNames& names() { return m_names; }
    ToolUsage& usage() { return m_usage; }
    NbdDisks& nbd() { return m_nbd; }
    RunLog& log() { return m_runner.log(); }
    // What is asked most.
    const QList<DiskEntry>& disks() const { return m_devices.disks(); }
    const QList<DiskEntry>& opticalDrives() const { return m_devices.opticalDrives(); }
    const QList<DiskEntry>& allDisks() const { return m_devices.allDisks(); }
    GameListModel& games() { return m_games.model(); }
    const std::optional<parse::SpaceSummary>& space() const { return m_games.space(); }
    JobListModel& jobs() { return m_runs.jobs(); }

    // Device lists read again: PS2 disks, optical drives, every disk, or all three.
    bool refreshDisks() { return refreshLists(DeviceAccess::Ps2Disks); }
    bool refreshOpticalDrives() { return refreshLists(DeviceAccess::OpticalDrives); }
    bool refreshAllDisks() { return refreshLists(DeviceAccess::AllDisks); }
    bool refreshDevices()
    {
        return refreshLists(DeviceAccess::Ps2Disks | DeviceAccess::OpticalDrives |
                            DeviceAccess::AllDisks);
    }
    // Follows UDisks2 on that bus: disks plugged in are listed at once, a disk pulled out ends
    // the runs that use it.
    void watchDisks(const QDBusConnection& bus) { m_devices.watch(bus); }
    // Access to a disk this user cannot read, asked of the system (pkexec shows the desktop's
    // prompt); diskAccessAnswered follows, after the disks were listed again when it was
    // granted for this program. Kept access outlives the program (and is not listed).
    void requestDiskAccess(const QString& device, DiskAccessUse use = DiskAccessUse::ThisSession);
    void giveBackDiskAccess(const QString& device);
    // What a Ventrik that ended badly left behind is taken away: mounts and connections of a
    // PS2's disk, access to disks it was given.
    void cleanStale();
    // done() once no PS2's export and no view of a disk is open or still closing.
    void whenNbdClosed(std::function<void()> done);
    // Whether block devices are read for their layout (tests read image files only).
    void setReadsDevices(bool read) { m_layouts.setReadsDevices(read); }

    // What a typed or stored target names (Target::Parse; only a PS2 where addressOnly); when
    // nothing, why is told (NoAddress, NoDiskSelected, InvalidAddress).
    std::optional<Target> targetFrom(const QString& text, bool addressOnly = false);
    // The target chosen (not yet read); a change forgets the games shown.
    void selectTarget(const Target& target);
    const Target& target() const { return m_games.target(); }
    // The target chosen and its games read.
    bool attach(const Target& target);
    bool isAttached() const { return m_games.isAttached(); }
    // Forgets the games shown (the PS2 was switched off).
    void detach() { m_games.detach(); }
    // The server the networked PS2 answered with at the last refresh, and what a typed
    // address stands for now (its export where that answered).
    NetworkServer networkServer() const { return m_network.server(); }
    Target reached(const Target& typed) const { return m_network.reached(typed); }

    // Disc information of an image file or a drive; beside a running queue, of an image.
    bool readDiscInfo(const QString& source, bool optical);
    // The same as an operation: it ends when the disc was read or could not be.
    Operation* readDisc(const QString& source, bool optical);
    // Any other intent as an operation: it ends when the session is idle again (at once when
    // refused), with what the session said and did meanwhile; cancel() is cancel().
    Operation* operate(const std::function<bool()>& intent);
    void cancelDiscRead();

    // Games of the attached target, as listed: deleted in turn (then the list read once),
    // renamed or given flags through the tool's "modify".
    bool deleteGames(const QList<parse::GameRow>& games);
    bool renameGame(const parse::GameRow& game, const QString& newName);
    bool setGameFlags(const parse::GameRow& game, const CompatFlags& flags);
    // A backup's table put back (see TargetGames::restore), then the target read again.
    bool restoreToc(const Target& target, const QString& file, bool otherDisk = false);
    bool formatDisk(const QString& device);
    bool powerOffPS2(const Target& ps2);

    // The saved queue: read (and from then on saved), with the jobs a run that ended with the
    // program left looked for; false while another Ventrik has it open.
    void restoreQueue();
    bool ownsQueue();
    QString queueFile() const { return m_runs.store().file(); }
    // Appends a job, also during a run; while another Ventrik owns the queue it goes there.
    // False (and a problem) when it could not be stored.
    bool addJob(const Job& job);
    bool clearQueue();
    // Reads every target the waiting jobs write to, then queueChecked.
    bool checkQueue(const QList<int>& only = {});
    // Every image among the paths queued for the chosen target; batchRead at the end.
    bool addImages(const QStringList& paths, std::optional<DiscType> type = std::nullopt);
    bool startQueue(const QList<int>& only = {});
    // One job at once, outside the list (Install Now, and the command line's jobs).
    bool runNow(const Job& job);
    // Interrupts whatever runs.
    void cancel();
    // Before the program ends: the PS2 switched off when the settings ask for it.
    bool runExitActions();

    void setWaitForTargets(bool wait) { m_locks.setWaitForTargets(wait); }
    void setCommandsBeforeGames(bool ask) { m_games.setCommandsBeforeGames(ask); }
    // Limits, from the settings unless set here: a silent listing or disc read, a silent job
    // (said after the notice, ended after the limit), a tool silent after 100%.
    void setRetryPause(int ms) { m_runner.setRetryPause(ms); }
    void setReadTimeout(int ms) { m_readTimeoutMs = ms; }
    void setStallTimeout(int ms) { m_stallTimeoutMs = ms; }
    void setStallNotice(int ms) { m_stallNoticeMs = ms; }
    void setAfter100Grace(int ms) { m_runs.setAfter100Grace(ms); }
    void setOutputLimit(qsizetype chars) { m_runner.setOutputLimit(chars); }
    int stallTimeoutMs() const;
    // The program ends: no problem is told any more; what could not be saved goes to stderr.
    void setEnding(bool ending) { m_ending = ending; }
    // Ends every run at once: the program leaves now, and no tool of it writes on.
    void abandon();

signals:
    void busyChanged(bool busy);
    void commandStarted(const QString& shownArguments);
    void outputArrived(const QString& chunk);
    void problem(const Problem& problem);
    void disksChanged();
    void opticalDrivesChanged();
    void allDisksChanged();
    void gamesChanged();
    void discInfoRead(const parse::DiscInfo& info);
    void discInfoFailed();
    // A disc read has ended, however (after discInfoRead or discInfoFailed when either came).
    void discReadEnded();
    void gameDeleted(const QString& title);
    void gameModified(const QString& title);
    void tocRestored(const Target& target, const QString& file);
    void diskFormatted(const QString& device);
    void ps2PoweredOff(const QString& address);
    void runStarted(bool installNow);
    // The running job's tool has shown no sign of life for that many seconds; runMoving() once
    // it does again.
    void runStalled(int seconds);
    void runMoving();
    void jobStarted(int row);
    void progressChanged(const JobProgress& progress);
    // A run of the queue or Install Now has ended and the target was read again.
    void runFinished(bool installNow, bool cancelled);
    void exitActionsDone();
    void queueChecked(const QList<PreflightIssue>& issues);
    void batchProgress(int done, int total);
    // The images read; those to add are in the queue already.
    void batchRead(const BatchSummary& summary);
    void incompleteFound(int row);
    void diskAccessAnswered(const QString& device, const platform::PermissionAnswer& answer);
    // A refresh of a networked PS2 found which server it runs (None: nothing answered); the
    // target is its NBD export where that answered.
    void networkServerFound(NetworkServer server, const Target& target);
    void titleIndexLoaded();

private:
    bool begin(Activity activity);
    void end();
    bool refuseWhenToolMissing();
    bool refuseForeignQueue();
    bool refreshLists(int which);
    // The chosen target's games read again (a networked PS2 found first); done() after.
    void refreshTarget(std::function<void()> done);
    void runEnded(bool installNow, bool cancelled, bool lostNbd);
    // A disk came or went: the lists again, now or once the current work is done.
    void relistDisks();
    void diskRemoved(const QString& device);
    void releaseUnusedAccess();
    // A change of a game of the attached target, once its games are known.
    bool changeGame(Activity activity, std::function<void()> go);
    void changed(const TargetGames::Change& change);
    Operation* newOperation(std::function<void()> cancel);

    AppPaths m_paths;
    SessionSeams m_seams;
    SettingsFile m_settings;
    Activity m_activity = Activity::None;
    QThreadPool m_pool;
    ToolRunner m_runner;
    ToolUsage m_usage;
    TargetLocks m_locks;
    DeviceAccess m_devices;
    NbdDisks m_nbd;
    DiskLayouts m_layouts;
    NetworkPs2 m_network;
    TargetGames m_games;
    QueueRuns m_runs;
    DiscReader m_discs;
    GameNames m_names;
    ImageBatch m_images;
    int m_readTimeoutMs = 60000;
    int m_stallTimeoutMs = 0; // 0: the settings'
    int m_stallNoticeMs = 30000;
    bool m_ending = false;
    bool m_relistWhenIdle = false;
};
