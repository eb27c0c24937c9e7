#include "Session.h"

#include "ProblemText.h"

#include "core/platform/Platform.h"
#include "core/tool/ToolRun.h"

#include <QTimer>

#include <cstdio>
#include <utility>

Session::Session(const AppPaths& paths, SessionSeams seams, QObject* parent)
    : QObject(parent), m_paths(paths), m_seams(seams), m_settings(paths.configFile),
      m_runner(paths.toolPath, paths.workingDir, paths.stateDir), m_usage(m_runner),
      m_locks(paths.dataDir + QStringLiteral("/locks"), m_runner),
      m_devices(m_runner, m_pool, m_gate), m_nbd(m_devices.permission()),
      m_network(seams.icmp, m_pool, m_nbd, m_runner, m_settings, m_gate),
      m_games({m_runner, m_usage, m_locks, m_network, m_nbd, m_layouts, m_gate}, paths.dataDir),
      m_runs({m_runner, m_games, m_locks, m_network, seams.power, m_gate}, paths.dataDir,
             paths.stateDir),
      m_discs(m_runner, m_usage, m_gate), m_names(m_paths, m_settings, m_pool, m_runner.log()),
      m_images({m_runner, m_usage, m_games, m_names, m_pool, m_runs, m_gate}),
      m_launcher({m_runner, m_games, m_gate}, paths.dataDir + QStringLiteral("/launcher-backups"))
{
    // The tool is given a PS2's export as its mounted file or device, and a disk it may see
    // only the PS2 area of as that area's view.
    m_runner.setTargetResolver(
        [this](const QString& arg) { return m_layouts.viewOf(m_nbd.diskOf(arg)); });
    m_layouts.setMountBase([this] { return m_nbd.mountBase(); });
    m_pool.setMaxThreadCount(1);
    m_gate.setRules(
        [this]() -> std::optional<Problem> {
            if (toolAvailable())
                return std::nullopt;
            return toolMissingProblem();
        },
        [this] {
            m_runner.begin();
            // A listing or a disc read that says nothing for this long gives up.
            const qint32 seconds = m_settings.number(Setting::ReadTimeout);
            m_runner.setReadTimeout(seconds > 0 ? seconds * 1000 : m_readTimeoutMs);
            m_runs.setStallLimits(m_stallNoticeMs, stallTimeoutMs());
        },
        [this] {
            // What this activity wrote to is another program's to write again; a PS2's export
            // is opened for one activity (a whole run of the queue) at a time.
            m_locks.unlockAll();
            m_games.release([this] { return !isBusy(); });
        });
    connect(&m_gate, &ActivityGate::busyChanged, this, &Session::busyChanged);
    connect(&m_gate, &ActivityGate::problem, this, &Session::problem);
    // A tool the user chose counts unless --hdl-dump named one.
    if (const QString chosen = m_settings.text(Setting::ToolPath); !chosen.isEmpty()) {
        m_paths.findTool(chosen);
        m_runner.setToolPath(m_paths.toolPath);
    }
    m_nbd.setTool(m_paths.toolPath, m_paths.workingDir);
    setPfsShellPath(m_settings.text(Setting::PfsShellPath));
    m_names.loadTitleIndex();

    connect(&m_runner, &ToolRunner::commandStarted, this, &Session::commandStarted);
    connect(&m_runner, &ToolRunner::toolStarted, &m_locks, &TargetLocks::recordTool);
    connect(&m_runner, &ToolRunner::outputArrived, this, &Session::outputArrived);
    connect(&m_runner, &ToolRunner::runStuck, &m_games, &TargetGames::cutOff);
    connect(&m_runner, &ToolRunner::cannotRun, this, [this](const QString& reason) {
        emit problem({ProblemKind::ToolCannotRun, m_paths.toolPath, reason});
    });
    // A settings file that cannot be written is kept as it was, and the user is told; while
    // the program ends, nobody is there to answer a message: it goes to stderr and the log.
    m_settings.setFailureHandler([this](const QString& path, const QString& reason) {
        if (!m_ending) {
            emit problem({ProblemKind::SaveFailed, path, reason});
            return;
        }
        const QString text = ProblemText({ProblemKind::SaveFailed, path, reason});
        std::fprintf(stderr, "%s\n", qPrintable(text));
        m_runner.log().addNote(text);
    });

    // What the parts say is the session's to tell.
    connect(&m_locks, &TargetLocks::problem, this, &Session::problem);
    connect(&m_network, &NetworkPs2::problem, this, &Session::problem);
    connect(&m_games, &TargetGames::problem, this, &Session::problem);
    connect(&m_runs, &QueueRuns::problem, this, &Session::problem);
    connect(&m_discs, &DiscReader::problem, this, &Session::problem);
    connect(&m_images, &ImageBatch::problem, this, &Session::problem);
    connect(&m_launcher, &LauncherFiles::problem, this, &Session::problem);
    connect(&m_devices, &DeviceAccess::problem, this, &Session::problem);
    connect(&m_devices, &DeviceAccess::diskRemoved, this, &Session::diskRemoved);
    connect(&m_network, &NetworkPs2::serverFound, this, &Session::networkServerFound);
    connect(&m_network, &NetworkPs2::exitActionsDone, this, &Session::exitActionsDone);
    connect(&m_network, &NetworkPs2::poweredOff, this, [this](const QString& ip) {
        // The game table of a switched-off PS2 is no longer valid.
        if (target().host() == ip)
            detach();
        emit ps2PoweredOff(ip);
    });
    connect(&m_games, &TargetGames::gameDeleted, this, &Session::gameDeleted);
    connect(&m_games, &TargetGames::gameModified, this, &Session::gameModified);
    connect(&m_games, &TargetGames::tocRestored, this, &Session::tocRestored);
    m_games.setReread([this](std::function<void()> done) { refreshTarget(std::move(done)); });
    connect(&m_discs, &DiscReader::discInfoRead, this, &Session::discInfoRead);
    connect(&m_discs, &DiscReader::ended, this, &Session::discReadEnded);
    connect(&m_images, &ImageBatch::progress, this, &Session::batchProgress);
    connect(&m_images, &ImageBatch::finished, this, &Session::batchRead);
    connect(&m_runs, &QueueRuns::finished, this, &Session::runEnded);
    connect(&m_runs, &QueueRuns::started, this, &Session::runStarted);
    connect(&m_runs, &QueueRuns::checked, this, &Session::queueChecked);
}

Session::~Session()
{
    m_runs.releaseAwake();
    // A probe still in flight posts to this object; let it land first.
    m_pool.waitForDone();
}

int Session::stallTimeoutMs() const
{
    if (m_stallTimeoutMs > 0)
        return m_stallTimeoutMs;
    const qint32 seconds = m_settings.number(Setting::StallTimeout);
    return (seconds > 0 ? seconds : 300) * 1000;
}

void Session::abandon()
{
    // The tool first: it must not write on after this program is gone.
    m_runner.killAll();
    m_nbd.cancelPending();
}

bool Session::toolAvailable() const
{
    return FileExists(m_paths.toolPath);
}

Problem Session::toolMissingProblem() const
{
    return {ProblemKind::ToolMissing, m_paths.toolPath,
            m_paths.toolPlaces.join(QStringLiteral("; "))};
}

void Session::setPfsShellPath(const QString& chosen)
{
    if (chosen != m_settings.text(Setting::PfsShellPath))
        m_settings.write(Setting::PfsShellPath, chosen);
    m_paths.findPfsShell(chosen);
    m_launcher.setPrograms(m_paths.pfsShellPath, m_paths.pfs2TarPath(), m_paths.pfsShellPlaces,
                           m_paths.appDir + QStringLiteral("ventrik-picture"));
}

void Session::setToolPath(const QString& chosen)
{
    m_settings.write(Setting::ToolPath, chosen);
    m_paths.findTool(chosen);
    m_runner.setToolPath(m_paths.toolPath);
    m_nbd.setTool(m_paths.toolPath, m_paths.workingDir);
    // Another tool may know other commands.
    m_usage.forget();
}

// Devices and access ----------------------------------------------------------------------

void Session::diskRemoved(const QString& device)
{
    if (m_runs.stopForLostDisk(device, tr("The disk was unplugged.")) ||
        target() != Target::Disk(device))
        return;
    // The disk shown is gone: its games with it.
    if (isAttached() || games().count() > 0)
        detach();
    emit problem({ProblemKind::DiskUnplugged, device, {}});
}

void Session::requestDiskAccess(const QString& device, DiskAccessUse use)
{
    m_devices.request(device, use, [this, device](const platform::PermissionAnswer& answer) {
        emit diskAccessAnswered(device, answer);
    });
}

void Session::giveBackDiskAccess(const QString& device)
{
    m_devices.giveBack(device, [this, device](const platform::PermissionAnswer& answer) {
        emit diskAccessAnswered(device, answer);
    });
}

void Session::releaseUnusedAccess()
{
    // Access stays for the disk chosen and for any a job still to run uses.
    m_devices.releaseUnused([this](const QString& device) {
        return target() == Target::Disk(device) || m_runs.uses(device);
    });
}

// The target -------------------------------------------------------------------------------

std::optional<Target> Session::targetFrom(const QString& text, bool addressOnly)
{
    TargetFault fault = TargetFault::None;
    const std::optional<Target> target =
        addressOnly ? Target::ParseAddress(text, &fault) : Target::Parse(text, &fault);
    if (fault == TargetFault::Empty)
        emit problem({addressOnly ? ProblemKind::NoAddress : ProblemKind::NoDiskSelected, {}, {}});
    else if (fault != TargetFault::None)
        emit problem({ProblemKind::InvalidAddress, text.trimmed(), {}});
    return target;
}

void Session::selectTarget(const Target& typed)
{
    const Target chosen = typed.isNetwork() ? reached(typed) : typed;
    if (target() == chosen)
        return;
    m_games.setTarget(chosen);
    if (isAttached() || games().count() > 0)
        detach();
    releaseUnusedAccess();
}

bool Session::attach(const Target& typed)
{
    if (refuseWhenToolMissing())
        return false;
    if (typed.isNull()) {
        emit problem({ProblemKind::NoDiskSelected, {}, {}});
        return false;
    }
    if (!begin(Activity::ReadingGames))
        return false;
    // The games shown were another target's; which server a PS2 at an address runs is asked
    // again at every refresh.
    selectTarget(typed);
    m_games.setTarget(typed);
    refreshTarget([this] { end(); });
    return true;
}

void Session::refreshTarget(std::function<void()> done)
{
    // The launcher's pictures are read with the games, where pfsshell can open the target.
    auto thenArt = [this, done] { m_launcher.readShownArt(done); };
    // Before a PS2 is read, the disks are listed again for the copy menu.
    if (target().isNetwork())
        m_devices.refresh(DeviceAccess::Ps2Disks, [this, thenArt] { m_games.refresh(thenArt); });
    else
        m_games.refresh(thenArt);
}

bool Session::formatDisk(const QString& device)
{
    if (!begin(Activity::Formatting))
        return false;
    m_games.format(device, m_devices.labelOf(device),
                   [this, device](bool ran, const std::optional<Problem>& failed) {
                       // What the disk holds now is listed before anything is told.
                       auto told = [this, device, failed] {
                           end();
                           if (failed)
                               emit problem(*failed);
                           else
                               emit diskFormatted(device);
                       };
                       if (ran)
                           m_devices.refresh(DeviceAccess::AllDisks, told);
                       else
                           told();
                   });
    return true;
}

// Operations ------------------------------------------------------------------------

Operation* Session::newOperation(std::function<void()> cancel)
{
    auto* op = new Operation(std::move(cancel), this);
    connect(this, &Session::problem, op, [op](const Problem& p) { op->m_result.problems << p; });
    connect(this, &Session::discInfoRead, op,
            [op](const parse::DiscInfo& info) { op->m_result.disc = info; });
    connect(this, &Session::gameDeleted, op,
            [op](const QString& name) { op->m_result.deleted << name; });
    connect(this, &Session::gameModified, op,
            [op](const QString& name) { op->m_result.changed = name; });
    connect(this, &Session::tocRestored, op, [op](const Target& target, const QString& file) {
        op->m_result.restored << target.toolArgument();
        op->m_result.restoredFrom = file;
    });
    connect(this, &Session::ps2PoweredOff, op,
            [op](const QString& address) { op->m_result.poweredOff << address; });
    return op;
}

Operation* Session::operate(const std::function<bool()>& intent)
{
    Operation* op = newOperation([this] { cancel(); });
    const bool taken = intent();
    op->begun(taken, !isBusy());
    if (!op->isFinished())
        whenIdle([op = QPointer<Operation>(op)] {
            if (op)
                op->finish();
        });
    return op;
}

Operation* Session::readDisc(const QString& source, bool optical)
{
    Operation* op = newOperation([this] { cancelDiscRead(); });
    connect(this, &Session::discReadEnded, op, [op] { op->finish(); });
    op->begun(readDiscInfo(source, optical), false);
    return op;
}

// The queue --------------------------------------------------------------------------------

void Session::cancel()
{
    if (!isBusy())
        return;
    // A server asked whether it is there, or an export being opened, is not waited for.
    m_nbd.cancelPending();
    if (activity() == Activity::ReadingImages) {
        m_runner.cancelWaiting();
        m_images.cancel();
    } else if (m_runs.cancel()) {
        // A job waiting for its disk stops waiting; a disc read beside the run goes on.
        m_runner.cancelWaiting();
    } else {
        m_runner.cancel();
    }
}

void Session::runEnded(bool installNow, bool cancelled, bool lostNbd)
{
    auto finish = [this, installNow, cancelled] {
        m_runs.releaseAwake();
        end();
        emit runFinished(installNow, cancelled);
        releaseUnusedAccess();
    };
    // Only a list that is shown is read again; nothing is asked of a target never read, nor of a
    // PS2 whose export stopped answering; a PS2 over UDP only when it answers.
    const Target shown = target();
    if (!isAttached() || lostNbd) {
        finish();
        return;
    }
    if (shown.isDisk() || shown.isNbd()) {
        refreshTarget(finish);
        return;
    }
    m_network.probe(shown.host(), [this, finish](bool answered) {
        if (answered)
            refreshTarget(finish);
        else
            finish();
    });
}
