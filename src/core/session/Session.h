#pragma once

#include "Devices.h"
#include "DiskLayouts.h"
#include "GameListModel.h"
#include "NbdDisks.h"
#include "Operation.h"
#include "Problem.h"
#include "QueueStore.h"
#include "ToolRunner.h"
#include "core/jobs/BatchAdd.h"
#include "core/jobs/JobJournal.h"
#include "core/jobs/JobListModel.h"
#include "core/jobs/JobQueue.h"
#include "core/jobs/Preflight.h"
#include "core/jobs/TargetLock.h"
#include "core/log/RunLog.h"
#include "core/output/Parsers.h"
#include "core/platform/DiskPermission.h"
#include "core/platform/UDisksWatcher.h"
#include "core/settings/AppPaths.h"
#include "core/settings/Settings.h"
#include "core/tool/RunOutcome.h"
#include "core/tool/ToolRun.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QHash>
#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QThreadPool>

#include <functional>
#include <map>
#include <memory>
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

// What happens once every job of a run is complete.
struct EndActions
{
    bool powerOffPS2 = false;
    bool shutdownPC = false;
    bool standbyPC = false;
};

// A copy of a disk's partition table, made by the tool before Ventrik wrote to it.
struct TocBackup
{
    QString file;
    QDateTime made;
};

struct SessionSeams
{
    IcmpBackend& icmp;
    PowerActions& power;
};

// The one object the windows and the command line talk to. It owns the
// settings, the device lists, the attached target's games, the job queue and
// the current run. Intents start work and return at once (false when refused,
// with a problem reported); results arrive as signals. One thing runs at a
// time: while busy, every intent is refused with a Busy problem.
class Session : public QObject
{
    Q_OBJECT
public:
    Session(const AppPaths& paths, SessionSeams seams, QObject* parent = nullptr);
    ~Session() override;

    const AppPaths& paths() const { return m_paths; }
    const SettingsFile& settings() const { return m_settings; }
    QString toolName() const;
    bool toolAvailable() const;
    // The tool is missing: its path and the places it was looked for.
    Problem toolMissingProblem() const;
    // The tool the user chose (empty: looked for again), stored and used from now on. Not
    // while something runs.
    void setToolPath(const QString& chosen);
    // Whether the tool's commands are asked before the first listing (the window offers
    // rename and flags from them); the command line asks only when a command needs them.
    void setCommandsBeforeGames(bool ask) { m_commandsBeforeGames = ask; }
    // The game index that names games by serial: the one chosen (empty: looked for where
    // the emulator puts it), read off this thread; titleIndexLoaded when it is in use.
    void setTitleIndexPath(const QString& chosen);
    // The index file in use or being read; empty when there is none.
    QString titleIndexFile() const { return m_titleIndexFile; }
    qsizetype titleIndexSize() const { return m_titleIndex ? m_titleIndex->size() : 0; }

    bool isBusy() const { return m_activity != Activity::None; }
    Activity activity() const { return m_activity; }

    // Devices: PS2-formatted disks (for the target list), optical drives
    // holding a medium, and every disk (for formatting).
    const QList<DiskEntry>& disks() const { return m_disks; }
    const QList<DiskEntry>& opticalDrives() const { return m_opticals; }
    const QList<DiskEntry>& allDisks() const { return m_allDisks; }
    bool refreshDisks();
    bool refreshOpticalDrives();
    bool refreshAllDisks();
    // All three lists from one listing.
    bool refreshDevices();

    // The attached target and its games.
    bool attach(TargetKind kind, const QString& device);
    bool isAttached() const { return m_attached; }
    TargetKind targetKind() const { return m_targetKind; }
    QString targetDevice() const { return m_targetDevice; }
    GameListModel& games() { return m_games; }
    const std::optional<parse::SpaceSummary>& space() const { return m_space; }
    // The server the networked PS2 answered with at the last refresh.
    NetworkServer networkServer() const { return m_server; }
    // What a typed address stands for: its NBD export where the last refresh found the
    // launcher's NBD server there (with the export and port of the settings), else the IP;
    // an nbd:// address as it is.
    QString networkTarget(const QString& typed) const;
    // Forgets the games shown (the address changed, the PS2 was switched off).
    void detach();
    // The target chosen in the window, not yet read; a change forgets the games shown.
    void selectTarget(TargetKind kind, const QString& device);

    // Where the disks of this machine come from when the tool cannot list them (tests give
    // their own; the system's discovery otherwise).
    void setDeviceSource(std::function<QList<platform::Device>()> source)
    {
        m_deviceSource = std::move(source);
    }
    // Follows UDisks2 on that bus (the system bus; tests give a private one): disks plugged
    // in are listed at once, a disk pulled out ends the runs that use it. Without UDisks2 the
    // machine's own discovery stays.
    void watchDisks(const QDBusConnection& bus);
    // Where the machine's disk facts live (tests give a fake tree).
    void setSystemFiles(const platform::SystemFiles& files) { m_systemFiles = files; }
    bool watchingDisks() const { return m_udisks && m_udisks->isReady(); }
    // Read-write access to a disk this user cannot read, asked of the system (pkexec shows
    // the desktop's prompt). Granted: the disks are listed again and the disk is attached.
    // Otherwise the answer is told as a problem; a prompt dismissed says nothing.
    void requestDiskAccess(const QString& device, bool forFormat = false);
    // The disks this session was given access to; taken back when no longer used, and all
    // at the end.
    const QStringList& grantedDisks() const { return m_granted; }
    platform::DiskPermission& diskPermission() { return m_permission; }
    // What a Ventrik that ended badly left behind is taken away (never a running one's): mounts
    // and connections of a PS2's disk, access to disks it was given. The window does so at its
    // start.
    void cleanStale();
    // done() once no PS2's export and no view of a disk is open or still closing (at once
    // when none is).
    void whenNbdClosed(std::function<void()> done)
    {
        m_nbd.whenClosed([this, done] { m_layouts.whenClosed(done); });
    }
    // What this machine has for reaching a PS2's export (tests give their own).
    void setNbdRouteFacts(const NbdRouteFacts& facts) { m_nbd.setFacts(facts); }

    // Disc information of an image file or a drive.
    bool readDiscInfo(const QString& source, bool optical);
    // The same as an operation: it ends when the disc was read or could not be, also beside
    // a running queue, and its cancel() stops that read alone.
    Operation* readDisc(const QString& source, bool optical);
    // Any other intent as an operation: it ends when the session is idle again (at once when
    // refused), with what the session said and did meanwhile; cancel() is cancel().
    Operation* operate(const std::function<bool()>& intent);
    // The arguments the next disc read gives the tool.
    QStringList discInfoArguments(const QString& source) const;
    QString discReadCommand() const;
    // The name a game from this source gets when nobody typed one: the disc database's first.
    GameNaming nameForGame(const QString& source, const parse::DiscInfo& disc) const;
    // What is wrong with a typed name (blanks at its ends removed), as a problem to tell;
    // nothing for a good name and for an empty one, which each front end asks for its way.
    static std::optional<Problem> NameProblem(const QString& name);

    // A game of the attached target is named by its partition (GameRow::key()), or by a
    // title only one game has; a title two games share is refused (AmbiguousTitle).
    bool deleteGame(const QString& name);
    // Each game in turn, then the list read once.
    bool deleteGames(const QStringList& names);
    // Through the tool's "modify", where the tool has it. A new name the tool would read as
    // flags ("+3", "0x01", "*u4", "-hide") is refused.
    bool renameGame(const QString& name, const QString& newName);
    bool setGameFlags(const QString& name, const CompatFlags& flags);
    // The arguments of those two ("+1+3", or "" for none).
    static QStringList RenameArguments(const QString& target, const QString& name,
                                       const QString& newName);
    static QStringList FlagsArguments(const QString& target, const QString& name,
                                      const CompatFlags& flags);
    // The title of the attached target's game of that name (partition or title).
    QString titleOf(const QString& name) const;
    // The attached target's game a name (partition or title) stands for; when none or
    // several are, the problem is reported (GameNotFound, AmbiguousTitle).
    std::optional<parse::GameRow> gameNamed(const QString& name);

    // Partition table backups, newest first; the newest of a disk is offered when its table
    // is damaged.
    QList<TocBackup> tocBackups(const QString& target) const;
    // The newest backup that belongs to the disk as last read (by the stamps its format wrote;
    // any backup of the target's name while the disk was never read).
    std::optional<TocBackup> newestTocBackup(const QString& target) const;
    // Puts the table of a backup back on the disk, then reads its games again. The file must
    // be a table backup of this very disk (unless otherDisk: a dangerous override); without a
    // file, the newest backup of this disk. The table on the disk is saved first, and put back
    // when the restored one does not read back as the backup's.
    bool restoreToc(const QString& target, const QString& file, bool otherDisk = false);
    // Whether the attached target's games were read from its sectors because the tool cannot
    // take its table: nothing may be written to it.
    bool targetReadOnly() const;
    // Why, in the user's words.
    QString readOnlyReason() const { return m_facts.value(m_targetDevice).readOnlyReason; }
    // What the last read of a target's own sectors found; nothing before one.
    std::optional<layout::DiskLayout> layoutOf(const QString& target) const;
    // Whether block devices are read for their layout (the programs do; tests name devices
    // that are not theirs, and read image files only).
    void setReadsDevices(bool read) { m_layouts.setReadsDevices(read); }
    // How long a read of a disk's sectors may take before the disk counts as silent.
    void setLayoutTimeout(int ms) { m_layouts.setReadTimeout(ms); }
    // Known once the tool's usage was read: whether it has "modify".
    std::optional<bool> canModify() const;
    bool formatDisk(const QString& device);
    bool powerOffPS2(const QString& address);

    // The job queue, kept in a file from restoreQueue() on.
    JobListModel& jobs() { return m_jobs; }
    QString queueFile() const;
    // Reads the saved queue and from then on saves every change. Jobs that were running
    // when the program ended are looked for on their targets (a Resuming activity).
    void restoreQueue();
    // False while another Ventrik (the window or a command line) has the saved queue open.
    bool ownsQueue();
    // Appends a job; also during a run, which it joins at the end. Its warnings follow.
    // While another Ventrik owns the queue, the job goes to that program's queue. False
    // (and a problem) when it could not be stored: then it would be lost at the program's end.
    bool addJob(const Job& job);
    // What became of a job handed to the Ventrik that owns the queue.
    HandOver handOverOf(const QString& jobId) const { return m_store.handOverOf(jobId); }
    // Whether a save of the queue failed during the last run (or since it started).
    bool queueSaveFailedInRun() const { return m_store.saveFailedInRun(); }
    // Reads every target the waiting jobs write to, then reports queueChecked. With rows
    // given, only those jobs are checked (a run of only them comes next).
    bool checkQueue(const QList<int>& only = {});
    // The rows the last check was limited to; empty for the whole queue.
    const QList<int>& checkedRows() const { return m_checkOnly; }
    // Every image among the paths (folders with their subfolders) read by the tool and
    // queued for the target chosen; batchProgress while reading, then batchRead. The
    // type is the disc's unless given.
    bool addImages(const QStringList& paths, std::optional<DiscType> type = std::nullopt);
    // Checks the waiting jobs (or those of the rows given) against what is known now,
    // without reading anything.
    QList<PreflightIssue> knownIssues(const QList<int>& only = {}) const;
    void setStopAfterCurrentJob(bool stop) { m_queue.setStopAfterCurrent(stop); }
    bool stopsAfterCurrentJob() const { return m_queue.stopsAfterCurrent(); }
    void setStopAfterFailure(bool stop) { m_queue.setStopAfterFailure(stop); }
    // The rows the last run of the queue started.
    const QList<int>& lastRunRows() const { return m_queue.ranRows(); }
    // The seconds the queue has left, from the sizes and the speed so far.
    std::optional<qint64> queueSecondsLeft() const { return m_queue.secondsLeft(); }
    RunLog& log() { return m_runner.log(); }
    // The commands the tool lists in its usage; empty until it was asked.
    const QStringList& toolCommands() const { return m_toolCommands; }
    void setEndActions(const EndActions& actions) { m_endActions = actions; }
    const EndActions& endActions() const { return m_endActions; }
    // The jobs that are not complete, or only those of the rows given, run in list order.
    bool startQueue(const QList<int>& only = {});
    // Where the running job stands in this run: "Job 3 of 7".
    int runJobNumber() const { return m_queue.runNumber(); }
    int runJobCount() const { return m_queue.runCount(); }
    // Every job removed; refused while another Ventrik owns the queue.
    bool clearQueue();
    // One job at once, outside the list (Install Now, and the command line's jobs).
    bool runNow(const Job& job);
    const Job& nowJob() const { return m_nowJobs.job(0); }
    // How the tool's run of the last job ended.
    const RunOutcome& nowOutcome() const { return m_nowQueue.lastOutcome(); }
    // Interrupts whatever runs.
    void cancel();
    // Stops a disc read, the one beside a running queue too.
    void cancelDiscRead();
    // Before the program ends: the PS2 switched off when the settings ask for it.
    bool runExitActions();

    // A target another Ventrik writes to is waited for (the default), or refused at once.
    void setWaitForTargets(bool wait) { m_waitForTargets = wait; }

    // Pause between attempts to start the tool (tests shorten it).
    void setRetryPause(int ms) { m_runner.setRetryPause(ms); }
    // Silence after which a listing or disc read gives up, unless the settings'
    // "ReadTimeout" (seconds) says otherwise.
    void setReadTimeout(int ms) { m_readTimeoutMs = ms; }
    int readTimeoutMs() const;
    // How long a job may show no sign of life before it ends as stopped answering (settings'
    // "StallTimeout", 300 s, unless set here), and after how long that is said.
    void setStallTimeout(int ms) { m_stallTimeoutMs = ms; }
    int stallTimeoutMs() const;
    void setStallNotice(int ms) { m_stallNoticeMs = ms; }
    // How long a tool that printed 100% may stay silent before it is ended and its job
    // judged by the disk.
    void setAfter100Grace(int ms)
    {
        m_queue.setAfter100Grace(ms);
        m_nowQueue.setAfter100Grace(ms);
    }
    // The program ends: no problem is told any more (nobody would answer it); what could not
    // be saved goes to stderr and the log.
    void setEnding(bool ending) { m_ending = ending; }
    // Ends every run at once: the program leaves now, and no tool of it writes on.
    void abandon();
    // How much of one run's output is kept (its end); 16 MB unless a test says less.
    void setOutputLimit(qsizetype chars) { m_runner.setOutputLimit(chars); }

signals:
    void titleIndexLoaded();
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
    void gameDeleted(const QString& name);
    void gameModified(const QString& name);
    void tocRestored(const QString& target, const QString& file);
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
    // A job of an interrupted run left part of its game on the disk.
    void incompleteFound(int row);
    // An answer to requestDiskAccess, after the disks were listed again when it was granted.
    void diskAccessAnswered(const QString& device, const platform::PermissionAnswer& answer);
    // A refresh of a networked PS2 found which server it runs (None: nothing answered); the
    // target is its NBD export where that answered.
    void networkServerFound(NetworkServer server, const QString& target);

private:
    QList<int> m_checkOnly;
    std::function<QList<platform::Device>()> m_deviceSource;
    platform::SystemFiles m_systemFiles;
    platform::UDisksWatcher* m_udisks = nullptr;
    bool m_relistWhenIdle = false;
    // A disk came or went: the lists again, now or once the current work is done.
    void relistDisks();
    void diskRemoved(const QString& device);
    // The machine's disks as UDisks2 or the discovery see them; on the pool.
    std::function<QList<platform::Device>()> deviceSource() const;
    platform::DiskPermission m_permission;
    QStringList m_granted;
    // Where the access given to this user is written down ($XDG_RUNTIME_DIR/Ventrik/grants/).
    QString grantRecords() const;
    NbdDisks m_nbd;
    DiskLayouts m_layouts;
    QHash<QString, layout::DiskLayout> m_layoutOf; // the last read of each target's sectors
    QSet<QString> m_layoutChecked;                 // this activity's targets that may be written
    QSet<QString> m_uncheckedSaid;                 // told that their layout cannot be checked
    QHash<QString, Problem> m_layoutProblems;      // what the last listing's sectors said
    // The target's sectors, read through the route the tool uses (its export's mount).
    void readLayout(const QString& target, bool whole,
                    std::function<void(const layout::DiskLayout&)> done);
    // Whether the tool's target is one whose sectors this program reads too.
    bool layoutReadable(const QString& target) const;
    // Before the first write of an activity to a target: go() when it may be written (through
    // a view that ends at its APA area where it needs one), go(problem) when it may not. A
    // restore may write to a table that is damaged.
    void checkLayout(const QString& target, bool restoring,
                     std::function<void(const std::optional<Problem>&)> go);
    // Told once per target: the layout could not be checked there.
    void layoutUnchecked(const QString& target);
    void openView(const QString& target, const layout::DiskLayout& found,
                  std::function<void(const std::optional<Problem>&)> go);
    // What a table the tool refused is, once its sectors were read.
    TargetFacts examineRefusedTable(const QString& target, TargetFacts facts,
                                    const layout::DiskLayout& found, bool readBefore);
    // The space of a listing counted within the APA area.
    static void CountApaArea(TargetFacts& facts, const layout::DiskLayout& found);
    // A PS2's export opened before the tool is given it; done(problem) when it cannot be.
    // At once for any other target.
    void openNbd(const QString& target, std::function<void(const std::optional<Problem>&)> done);
    NetworkServer m_server = NetworkServer::None;
    QSet<QString> m_nbdHosts; // exports the last refreshes found answering
    NbdAddress nbdAddressOf(const QString& ip) const;
    // The address probed, then the launcher's NBD server asked, then the UDP server assumed;
    // done(problem) when nothing answered, with what to tell (nothing after a cancel).
    void findNetworkServer(std::function<void(const std::optional<Problem>& silent)> done);
    // Takes back access to disks neither chosen nor written by a job still to run.
    void releaseUnusedAccess();
    bool m_commandsBeforeGames = true;
    using RunDone = std::function<void(const RunOutcome&)>;
    enum DeviceListKinds { Ps2Disks = 1, OpticalDrives = 2, AllDisks = 4 };
    // Keeps the lists named from a device listing and tells who shows them.
    void storeDevices(const DeviceLists& found, DeviceListKinds which);
    bool refreshLists(DeviceListKinds which);
    bool begin(Activity activity);
    void end();
    bool refuseWhenToolMissing();

    // Probes the address off this thread; done(answered) on this one.
    void probe(const QString& address, std::function<void(bool answered)> done);
    // The output of "query", from the machine when the tool has none.
    void listDevices(std::function<void(const DeviceLists&)> done);
    void readGames(std::function<void()> done);
    void listGames(std::function<void()> done);
    // "hdl_toc", then "toc" for the games' partitions: the target's facts, and the outcome of
    // the listing that failed (or of hdl_toc).
    void listTarget(const QString& target,
                    std::function<void(const TargetFacts&, const RunOutcome&)> done,
                    bool shown = true);
    // A disk that listed before (here, or it has a backup) and now reads as no PS2 disk.
    bool wasReadable(const QString& target) const;
    // Runs go once the attached target's games are known (read first when they are not).
    void withGames(std::function<void()> go);
    // After a run: the target's list again (a networked PS2 only when it answers).
    void refreshTarget(std::function<void()> done);
    void onQueueFinished(bool installNow);
    void discInfoDone(const RunOutcome& outcome, const QString& source, bool optical, bool side);
    // A run of the tool beside the current activity (logged, not shown).
    ToolRun* sideRun(const QStringList& args, RunDone done);
    Operation* newOperation(std::function<void()> cancel);
    void reportRunFailure(const RunOutcome& outcome);
    QString address() const;
    // The game list of a target as facts for checking and verifying.
    void readTargetFacts(const QString& target, std::function<void(const TargetFacts&)> done);
    void readTargets(QStringList targets, std::function<void()> done);
    void verifyJob(const Job& job, std::function<void(Verification)> done);
    // Before a job writes to a disk: its partition table saved (once a run), the disk read
    // (what is there before; the space the game needs, one slice left free).
    void prepareJob(const Job& job, std::function<void(const Job&)> go);
    void prepareWrite(const Job& job, const QString& target, std::function<void(const Job&)> go);
    void backupToc(const QString& target, std::function<void()> done);
    // One writer per target, across programs: go(true) once this session holds its lock
    // (held until the activity ends); go(false) when refused or the wait was cancelled.
    // An image file to be written is locked by its folder and name (imageFile).
    void lockTarget(const QString& target, const QString& holder,
                    std::function<void(bool locked)> go, bool imageFile = false);
    void waitForTarget(const QString& key, const QString& holder,
                       std::function<void(bool locked)> go);
    void endLeftoverTool(const TargetLock& lock, std::function<void()> done);
    // The tool now writing, written beside every lock this session holds.
    void recordTool(qint64 pid);
    void unlockTargets();
    // go() with the target locked; the activity ends when it cannot be.
    void whileLocked(const QString& target, const QString& holder, std::function<void()> go);
    // The same, and go() only once the disk's layout lets it be written.
    void whileWritable(const QString& target, const QString& holder, std::function<void()> go);
    // A target whose games were read from its sectors is refused a change (told why).
    bool refuseReadOnly();
    void restoreLocked(const QString& target, const QString& chosen, bool otherDisk);
    QString m_restoredFrom;
    void restoreWrite(const QString& target, const QString& file, const layout::TocBackup& backup,
                      const QString& before);
    // The partitions on the disk now (nothing when they cannot be read).
    void readBackTable(const QString& target,
                       std::function<void(const std::optional<QList<layout::Partition>>&)> done);
    // The table on the disk saved to a backup file (to path, when given, kept apart from the
    // backups); done(file), empty when it could not be.
    void saveToc(const QString& target, const QString& path,
                 std::function<void(const QString& file)> done, bool beforeRestore = false);
    // A copy taken just before a restore: never chosen as a disk's newest backup by itself.
    static bool TakenBeforeRestore(const QString& file);
    // Why a backup does not belong to the disk as last read; nothing when it does, or when
    // the disk was never read.
    std::optional<QString> backupMismatch(const QString& file, const QString& target,
                                          const layout::TocBackup& backup) const;
    void changeLocked(const QString& title, const QStringList& args);
    // Who a job's writes are, for those who wait: "queue", "install", "copy".
    QString jobHolder(const Job& job) const;
    // The table saved where the tool can, then go.
    void backupBeforeWrite(const QString& target, std::function<void()> go);
    void knowToolCommands(std::function<void()> done);
    void resumeNext(QList<int> rows);
    void endLeftoverTools(const QList<int>& rows, std::function<void()> done);
    void waitForLeftovers(QList<std::pair<qint64, quint64>> alive,
                          std::shared_ptr<QElapsedTimer> clock, std::function<void()> done);
    void deleteNext(QList<parse::GameRow> games);
    void readImages(const QStringList& files, const QList<SkippedFile>& skipped,
                    std::optional<DiscType> type);
    DiscDatabase discDatabase() const;
    // The arguments for the game, or none when nothing would change.
    bool modifyGame(const QString& name,
                    std::function<QStringList(const parse::GameRow&)> arguments);
    bool refuseForeignQueue();
    void updateWarnings();
    void holdAwake();
    void releaseAwake();
    // The normalised address, or nothing (and an InvalidAddress problem).
    std::optional<QString> validAddress(const QString& text);

    AppPaths m_paths;
    SessionSeams m_seams;
    SettingsFile m_settings;
    Activity m_activity = Activity::None;
    ToolRunner m_runner;
    QThreadPool m_pool;
    std::shared_ptr<const TitleIndex> m_titleIndex;
    QString m_titleIndexFile;
    int m_titleIndexLoads = 0; // the newest load wins
    void loadTitleIndex();
    QList<DiskEntry> m_disks;
    QList<DiskEntry> m_opticals;
    QList<DiskEntry> m_allDisks;
    GameListModel m_games;
    std::optional<parse::SpaceSummary> m_space;
    bool m_attached = false;
    TargetKind m_targetKind = TargetKind::Network;
    QString m_targetDevice;
    JobListModel m_jobs;
    JobListModel m_nowJobs;
    JobQueue m_queue;
    JobQueue m_nowQueue;
    EndActions m_endActions;
    int m_readTimeoutMs = 60000;
    int m_stallTimeoutMs = 0; // 0: the settings'
    int m_stallNoticeMs = 30000;
    bool m_ending = false;
    bool m_cancelRequested = false;
    std::optional<bool> m_hasDiscInfo2; // unknown until the tool was asked once
    QueueStore m_store;
    QSet<QString> m_recognised; // jobs the journal knew as complete, being looked for
    std::map<QString, std::unique_ptr<TargetLock>> m_targetLocks; // by "disk T" or "image F"
    QSet<QString> m_imageLocked; // jobs whose image file this session has locked
    bool m_waitForTargets = true;
    static constexpr int kTargetRetryMs = 300;
    static constexpr int kLeftoverGraceMs = 2000;
    QPointer<BatchReader> m_batch;
    std::shared_ptr<std::atomic<bool>> m_walkStop; // set by Cancel while folders are walked
    QHash<QString, TargetFacts> m_facts;           // the last read of each target
    QSet<QString> m_freshFacts;                    // targets whose last read nothing wrote after
    QSet<QString> m_backedUp;                      // targets whose table this run saved
    QStringList m_toolCommands;
    bool m_toolCommandsKnown = false;
    bool m_awake = false;
    bool m_warningsDue = false;
    bool m_sideReading = false; // an image read while the queue runs
    QPointer<ToolRun> m_sideRun;
};
