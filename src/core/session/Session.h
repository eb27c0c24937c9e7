#pragma once

#include "ActivityGate.h"
#include "DeviceAccess.h"
#include "DiscReader.h"
#include "DiskLayouts.h"
#include "GameNames.h"
#include "ImageBatch.h"
#include "LauncherFiles.h"
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

struct SessionSeams
{
    IcmpBackend& icmp;
    PowerActions& power;
};

// The one object the windows and the command line talk to. One thing runs at a time: every
// activity begins at the gate, and while one runs every intent is refused with a Busy problem.
// Most intents are the parts' own, gated there; the session keeps those that join parts (a
// target chosen and read, a format, a run's end). Intents return at once (false when refused,
// with a problem told); results come as signals, relayed from the parts. The parts know
// nothing of the session; what they know, and when it changes, is read from them.
class Session : public QObject
{
    Q_OBJECT
public:
    Session(const AppPaths& paths, SessionSeams seams, QObject* parent = nullptr);
    ~Session() override;

    const AppPaths& paths() const { return m_paths; }
    SettingsFile& settings() { return m_settings; }
    const SettingsFile& settings() const { return m_settings; }
    bool toolAvailable() const;
    // The tool is missing: its path and the places it was looked for.
    Problem toolMissingProblem() const;
    // The tool the user chose (empty: looked for again), stored and used from now on.
    void setToolPath(const QString& chosen);
    bool isBusy() const { return m_gate.isBusy(); }
    Activity activity() const { return m_gate.activity(); }
    // done() once the session is idle (at once when it is).
    void whenIdle(std::function<void()> done) { m_gate.whenIdle(std::move(done)); }

    DeviceAccess& devices() { return m_devices; }
    TargetGames& targetGames() { return m_games; }
    QueueRuns& runs() { return m_runs; }
    GameNames& names() { return m_names; }
    ToolUsage& usage() { return m_usage; }
    NbdDisks& nbd() { return m_nbd; }
    LauncherFiles& launcher() { return m_launcher; }
    RunLog& log() { return m_runner.log(); }
    const QList<DiskEntry>& disks() const { return m_devices.disks(); }
    const QList<DiskEntry>& opticalDrives() const { return m_devices.opticalDrives(); }
    const QList<DiskEntry>& allDisks() const { return m_devices.allDisks(); }
    GameListModel& games() { return m_games.model(); }
    const std::optional<parse::SpaceSummary>& space() const { return m_games.space(); }
    JobListModel& jobs() { return m_runs.jobs(); }
    const Target& target() const { return m_games.target(); }
    bool isAttached() const { return m_games.isAttached(); }
    NetworkServer networkServer() const { return m_network.server(); }
    // What a typed address stands for now: its export where the last refresh found it.
    Target reached(const Target& typed) const { return m_network.reached(typed); }

    // Device lists read again: PS2 disks, optical drives, every disk, or all three.
    bool refreshDisks() { return m_devices.relist(DeviceAccess::Ps2Disks); }
    bool refreshOpticalDrives() { return m_devices.relist(DeviceAccess::OpticalDrives); }
    bool refreshAllDisks() { return m_devices.relist(DeviceAccess::AllDisks); }
    bool refreshDevices() { return m_devices.relist(DeviceAccess::AllLists); }
    // Access to a disk this user cannot read, asked of the system; diskAccessAnswered follows,
    // after the disks were listed again when it was granted for this program.
    void requestDiskAccess(const QString& device, DiskAccessUse use = DiskAccessUse::ThisSession);
    void giveBackDiskAccess(const QString& device);
    // What a Ventrik that ended badly left behind is taken away (mounts, connections, access).
    void cleanStale()
    {
        m_nbd.cleanStale();
        m_devices.cleanStale();
    }
    // done() once no PS2's export and no view of a disk is open or still closing.
    void whenNbdClosed(std::function<void()> done) { m_games.whenReleased(std::move(done)); }
    // Whether block devices are read for their layout (tests read image files only).
    void setReadsDevices(bool read) { m_layouts.setReadsDevices(read); }

    // What a typed or stored target names (only a PS2 where addressOnly); when nothing, why is
    // told (NoAddress, NoDiskSelected, InvalidAddress).
    std::optional<Target> targetFrom(const QString& text, bool addressOnly = false);
    // The target chosen, not yet read (a change forgets the games shown), or chosen and read.
    void selectTarget(const Target& target);
    bool attach(const Target& target);
    // Forgets the games shown (the PS2 was switched off).
    void detach() { m_games.detach(); }

    // A disc or image read; beside a running queue, an image. readDisc: the same as an
    // operation, which ends once the disc was read or could not be.
    bool readDiscInfo(const QString& source, bool optical)
    {
        return m_discs.start(source, optical);
    }
    Operation* readDisc(const QString& source, bool optical);
    void cancelDiscRead() { m_discs.cancel(); }
    // Any other intent as an operation: it ends when the session is idle again (at once when
    // refused), with what the session said and did meanwhile; cancel() is cancel().
    Operation* operate(const std::function<bool()>& intent);

    // Games of the chosen target as listed: deleted in turn, renamed, flagged ("modify").
    bool deleteGames(const QList<parse::GameRow>& games) { return m_games.deleteGames(games); }
    bool renameGame(const parse::GameRow& game, const QString& newName)
    {
        return m_games.renameGame(game, newName);
    }
    bool setGameFlags(const parse::GameRow& game, const CompatFlags& flags)
    {
        return m_games.setGameFlags(game, flags);
    }
    bool restoreToc(const Target& target, const QString& file, bool otherDisk = false)
    {
        return m_games.restoreToc(target, file, otherDisk);
    }
    // A target's games read without showing them (targetGames().factsOf() has them after).
    bool readTargetFacts(const Target& target) { return m_games.readTargetFacts(target); }
    bool formatDisk(const QString& device);
    // The launcher's files of a target (pictures, games' settings, memory cards) worked on as
    // one activity: work(end) runs once it may, and calls end() when it has finished. False,
    // and told why, where pfsshell is missing or cannot reach the target.
    bool onLauncherFiles(const Target& target, std::function<void(std::function<void()>)> work)
    {
        return m_launcher.work(target, std::move(work));
    }
    // pfsshell as the user chose it (empty: looked for again), stored and used from now on.
    void setPfsShellPath(const QString& chosen);
    bool powerOffPS2(const Target& ps2) { return m_network.switchOff(ps2); }

    // The saved queue read (from then on saved), and the jobs a run that ended with the program
    // left looked for; ownsQueue() is false while another Ventrik has it open.
    void restoreQueue() { m_runs.restore(); }
    bool ownsQueue() { return m_runs.owns(); }
    QString queueFile() const { return m_runs.store().file(); }
    // Appended (also during a run), or handed to the Ventrik that owns the queue; false (and a
    // problem) when it could not be stored.
    bool addJob(const Job& job) { return m_runs.add(job); }
    bool clearQueue() { return m_runs.clear(); }
    // Reads every target the waiting jobs write to, then queueChecked.
    bool checkQueue(const QList<int>& only = {}) { return m_runs.check(only); }
    // Every image among the paths queued for the chosen target; batchRead at the end.
    bool addImages(const QStringList& paths, std::optional<DiscType> type = std::nullopt)
    {
        return m_images.queueImages(paths, type);
    }
    bool startQueue(const QList<int>& only = {}) { return m_runs.start(only); }
    // One job at once, outside the list (Install Now, and the command line's jobs).
    bool runNow(const Job& job) { return m_runs.runNow(job); }
    void cancel();
    // In a run of the queue, its running job alone; the run goes on with the next.
    void cancelJob()
    {
        if (activity() == Activity::RunningQueue)
            m_runs.cancelJob();
    }
    // Before the program ends: the PS2 switched off when the settings ask for it.
    bool runExitActions() { return m_network.switchOffAtExit(target().host()); }

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
    void discInfoRead(const parse::DiscInfo& info);
    // A disc read has ended, however (after discInfoRead when it came).
    void discReadEnded();
    void gameDeleted(const QString& title);
    void gameModified(const QString& title);
    void tocRestored(const Target& target, const QString& file);
    void diskFormatted(const QString& device);
    void ps2PoweredOff(const QString& address);
    void runStarted(bool installNow);
    // A run of the queue or Install Now has ended and the target was read again.
    void runFinished(bool installNow, bool cancelled);
    void exitActionsDone();
    void queueChecked(const QList<PreflightIssue>& issues);
    void batchProgress(int done, int total);
    // The images read; those to add are in the queue already.
    void batchRead(const BatchSummary& summary);
    void diskAccessAnswered(const QString& device, const platform::PermissionAnswer& answer);
    // A refresh of a networked PS2 found which server it runs, and what it reached.
    void networkServerFound(NetworkServer server, const Target& target);

private:
    bool begin(Activity activity) { return m_gate.begin(activity); }
    void end() { m_gate.end(); }
    bool refuseWhenToolMissing() { return !m_gate.ready(); }
    // The chosen target's games read again; a PS2's disks listed first for the copy menu.
    void refreshTarget(std::function<void()> done);
    void runEnded(bool installNow, bool cancelled, bool lostNbd);
    void diskRemoved(const QString& device);
    void releaseUnusedAccess();
    Operation* newOperation(std::function<void()> cancel);

    AppPaths m_paths;
    SessionSeams m_seams;
    SettingsFile m_settings;
    ActivityGate m_gate;
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
    LauncherFiles m_launcher;
    int m_readTimeoutMs = 60000;
    int m_stallTimeoutMs = 0; // 0: the settings'
    int m_stallNoticeMs = 30000;
    bool m_ending = false;
};
