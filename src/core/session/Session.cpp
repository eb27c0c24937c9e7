#include "Session.h"

#include "ProblemText.h"

#include "core/devices/Probe.h"
#include "core/platform/DeviceDiscovery.h"
#include "core/platform/Platform.h"
#include "core/platform/PowerActions.h"
#include "core/tool/ToolRun.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimer>

#include <cstdio>

Session::Session(const AppPaths& paths, SessionSeams seams, QObject* parent)
    : QObject(parent), m_nbd(m_permission), m_paths(paths), m_seams(seams),
      m_settings(paths.configFile), m_runner(paths.toolPath, paths.workingDir, paths.stateDir),
      m_queue(m_jobs, [this](const QStringList& a) { return m_runner.runJob(a); }),
      m_nowQueue(m_nowJobs, [this](const QStringList& a) { return m_runner.runJob(a); }),
      m_store(m_jobs, paths.dataDir, paths.stateDir, m_runner.log())
{
    // The tool is given a PS2's export as its mounted file or device, and a disk it may see
    // only the PS2 area of as that area's view.
    m_runner.setTargetResolver([this](const QString& arg) {
        return m_layouts.viewOf(IsNbdTarget(arg) ? m_nbd.diskOf(arg) : arg);
    });
    m_layouts.setMountBase([this] { return m_nbd.mountBase(); });
    m_pool.setMaxThreadCount(1);
    connect(this, &Session::runFinished, this, [this] { releaseUnusedAccess(); });
    loadTitleIndex();
    // A tool the user chose counts unless --hdl-dump named one.
    if (const QString chosen = m_settings.text(Setting::ToolPath); !chosen.isEmpty()) {
        m_paths.findTool(chosen);
        m_runner.setToolPath(m_paths.toolPath);
    }
    connect(&m_runner, &ToolRunner::commandStarted, this, &Session::commandStarted);
    connect(&m_runner, &ToolRunner::toolStarted, this, &Session::recordTool);
    connect(&m_runner, &ToolRunner::outputArrived, this, &Session::outputArrived);
    // A tool that even SIGKILL did not end waits on an export or view that no longer answers:
    // that is cut off, so that the tool gets its error and ends, and nothing hangs.
    connect(&m_runner, &ToolRunner::runStuck, this, [this] {
        m_runner.log().addNote(tr("hdl_dump did not end when it was killed: the disk it waits "
                                  "on was cut off from Ventrik."));
        m_layouts.abortViews();
        m_nbd.abortMounts();
    });
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
    connect(&m_queue, &JobQueue::jobStarted, this, &Session::jobStarted);
    // Every job that ends complete is also written down apart from the queue's file.
    connect(&m_queue, &JobQueue::jobFinished, this, [this](int row) {
        if (m_jobs.job(row).state == JobState::Complete)
            m_store.journal().recordComplete(m_jobs.job(row));
    });
    connect(&m_queue, &JobQueue::progressChanged, this, &Session::progressChanged);
    m_nowQueue.setSingleJobs(true);
    // A tool that has printed nothing for a while is said, and said again to have moved.
    for (JobQueue* queue : {&m_queue, &m_nowQueue}) {
        connect(queue, &JobQueue::stalled, this, [this, queue](int seconds) {
            const int row = queue->currentRow();
            const QString name =
                row >= 0 ? (queue == &m_queue ? m_jobs : m_nowJobs).job(row).name : QString();
            emit runStalled(seconds);
            emit problem({ProblemKind::RunStalled, name, QString::number(seconds),
                          QString::number(stallTimeoutMs() / 1000)});
        });
        connect(queue, &JobQueue::moving, this, &Session::runMoving);
    }
    connect(&m_queue, &JobQueue::finished, this, [this] { onQueueFinished(false); });
    connect(&m_nowQueue, &JobQueue::progressChanged, this, &Session::progressChanged);
    connect(&m_nowQueue, &JobQueue::finished, this, [this] { onQueueFinished(true); });
    for (JobQueue* queue : {&m_queue, &m_nowQueue}) {
        queue->setPreparer(
            [this](const Job& job, std::function<void(const Job&)> go) { prepareJob(job, go); });
        queue->setVerifier([this](const Job& job, std::function<void(Verification)> done) {
            verifyJob(job, done);
        });
    }
    connect(&m_store, &QueueStore::problem, this, &Session::problem);
    // Every change of the list is checked again (the store saves it).
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(&m_jobs, signal, this, &Session::updateWarnings);
    connect(&m_jobs, &QAbstractItemModel::modelReset, this, &Session::updateWarnings);
    connect(&m_jobs, &QAbstractItemModel::rowsMoved, this, &Session::updateWarnings);
    connect(&m_jobs, &JobListModel::jobChanged, this, &Session::updateWarnings);
}

Session::~Session()
{
    releaseAwake();
    // Access given for this session ends with it; nothing waits for the answer.
    for (const QString& device : std::as_const(m_granted)) {
        m_permission.revokeDetached(device);
        if (const QString base = grantRecords(); !base.isEmpty())
            platform::ForgetOwned(base + QFileInfo(device).fileName());
    }
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

int Session::readTimeoutMs() const
{
    // A listing or a disc read that says nothing for this long gives up.
    const qint32 seconds = m_settings.number(Setting::ReadTimeout);
    return seconds > 0 ? seconds * 1000 : m_readTimeoutMs;
}

QString Session::toolName() const
{
    return QFileInfo(m_paths.toolPath).fileName();
}

bool Session::toolAvailable() const
{
    return FileExists(m_paths.toolPath);
}

bool Session::refuseWhenToolMissing()
{
    if (toolAvailable())
        return false;
    emit problem(toolMissingProblem());
    return true;
}

void Session::setTitleIndexPath(const QString& chosen)
{
    m_settings.write(Setting::TitleIndex, chosen);
    loadTitleIndex();
}

void Session::loadTitleIndex()
{
    const QString chosen = m_settings.text(Setting::TitleIndex);
    m_titleIndexFile = chosen.isEmpty() ? FindTitleIndex(m_paths.titleIndexPlaces) : chosen;
    const int load = ++m_titleIndexLoads;
    if (m_titleIndexFile.isEmpty()) {
        m_titleIndex.reset();
        QTimer::singleShot(0, this, [this, load] {
            if (load == m_titleIndexLoads)
                emit titleIndexLoaded();
        });
        return;
    }
    // A few megabytes of text: read beside the window, never in its way.
    m_pool.start([this, load, file = m_titleIndexFile] {
        QString error;
        auto index = std::make_shared<const TitleIndex>(TitleIndex::Load(file, &error));
        QMetaObject::invokeMethod(
            this,
            [this, load, index, error] {
                if (load != m_titleIndexLoads)
                    return;
                m_titleIndex = index;
                if (!error.isEmpty())
                    m_runner.log().addNote(tr("The game index %1 was read only in part: %2")
                                               .arg(m_titleIndexFile, error));
                emit titleIndexLoaded();
            },
            Qt::QueuedConnection);
    });
}

Problem Session::toolMissingProblem() const
{
    return {ProblemKind::ToolMissing, m_paths.toolPath,
            m_paths.toolPlaces.join(QStringLiteral("; "))};
}

void Session::setToolPath(const QString& chosen)
{
    m_settings.write(Setting::ToolPath, chosen);
    m_paths.findTool(chosen);
    m_runner.setToolPath(m_paths.toolPath);
    // Another tool may know other commands.
    m_toolCommandsKnown = false;
    m_toolCommands.clear();
    m_hasDiscInfo2.reset();
}

bool Session::begin(Activity activity)
{
    if (isBusy()) {
        emit problem({ProblemKind::Busy, {}, {}});
        return false;
    }
    if (refuseWhenToolMissing())
        return false;
    m_activity = activity;
    m_cancelRequested = false;
    m_runner.begin();
    emit busyChanged(true);
    return true;
}

void Session::end()
{
    if (m_activity == Activity::None)
        return;
    // What this activity wrote to is another program's to write again; a PS2's export is
    // opened for one activity (a whole run of the queue) at a time.
    unlockTargets();
    m_layoutChecked.clear();
    if (m_layouts.anyView()) {
        // A view may lie over an export's mount: it goes first, and the export once it has
        // (unless work has begun again, which the export's next closing serves).
        m_layouts.closeViews();
        m_layouts.whenClosed([this] {
            if (!isBusy())
                m_nbd.closeAll();
        });
    } else {
        m_nbd.closeAll();
    }
    m_activity = Activity::None;
    emit busyChanged(false);
}

void Session::probe(const QString& address, std::function<void(bool answered)> done)
{
    IcmpBackend* icmp = &m_seams.icmp;
    m_pool.start([this, icmp, address, done] {
        const ProbeResult result = ProbeAddress(*icmp, address);
        QMetaObject::invokeMethod(
            this,
            [this, address, done, result] {
                // Without a way to check, the tool itself is asked.
                if (result == ProbeResult::Impossible)
                    emit problem({ProblemKind::ProbeImpossible, address,
                                  tr("no ICMP echo can be sent from this computer")});
                done(result != ProbeResult::Silent);
            },
            Qt::QueuedConnection);
    });
}

void Session::listDevices(std::function<void(const DeviceLists&)> done)
{
    m_runner.attempt(
        {QStringLiteral("query")},
        [this, done](const RunOutcome& outcome) {
            // The current tool has no "query" on Linux: list the devices ourselves.
            if (!outcome.output.contains(QStringLiteral("query: unrecognized command"))) {
                done(DevicesFromQuery(outcome.output));
                return;
            }
            m_pool.start([this, done, source = deviceSource()] {
                const DeviceLists found = DevicesFromDiscovery(source());
                QMetaObject::invokeMethod(
                    this, [done, found] { done(found); }, Qt::QueuedConnection);
            });
        },
        readTimeoutMs());
}

void Session::storeDevices(const DeviceLists& found, DeviceListKinds which)
{
    if (which & AllDisks) {
        m_allDisks = found.allDisks;
        emit allDisksChanged();
    }
    if (which & Ps2Disks) {
        m_disks = found.ps2Disks;
        emit disksChanged();
    }
    if (which & OpticalDrives) {
        m_opticals = found.opticals;
        emit opticalDrivesChanged();
    }
}

bool Session::refreshLists(DeviceListKinds which)
{
    if (!begin(Activity::ListingDevices))
        return false;
    listDevices([this, which](const DeviceLists& found) {
        storeDevices(found, which);
        end();
    });
    return true;
}

bool Session::refreshDisks()
{
    return refreshLists(Ps2Disks);
}

bool Session::refreshOpticalDrives()
{
    return refreshLists(OpticalDrives);
}

bool Session::refreshAllDisks()
{
    return refreshLists(AllDisks);
}

bool Session::refreshDevices()
{
    return refreshLists(DeviceListKinds(AllDisks | Ps2Disks | OpticalDrives));
}

QString Session::address() const
{
    if (m_targetKind != TargetKind::Network)
        return {};
    if (const std::optional<NbdAddress> nbd = ParseNbdAddress(m_targetDevice))
        return nbd->host;
    return NormaliseIPv4(m_targetDevice).value_or(QString());
}

void Session::detach()
{
    m_attached = false;
    m_space.reset();
    m_games.clear();
    emit gamesChanged();
}

bool Session::attach(TargetKind kind, const QString& device)
{
    if (refuseWhenToolMissing())
        return false;
    if (device.trimmed().isEmpty()) {
        emit problem(
            {kind == TargetKind::LocalDisk ? ProblemKind::NoDiskSelected : ProblemKind::NoAddress,
             {},
             {}});
        return false;
    }
    QString target = device;
    if (kind == TargetKind::Network && ParseNbdAddress(device.trimmed())) {
        target = networkTarget(device);
    } else if (kind == TargetKind::Network) {
        const std::optional<QString> address = validAddress(device);
        if (!address)
            return false;
        // Which server the PS2 runs is asked again at every refresh.
        target = *address;
    }
    if (!begin(Activity::ReadingGames))
        return false;
    m_targetKind = kind;
    m_targetDevice = target;
    refreshTarget([this] { end(); });
    return true;
}

void Session::refreshTarget(std::function<void()> done)
{
    if (m_targetDevice.isEmpty()) {
        done();
        return;
    }
    if (m_targetKind == TargetKind::LocalDisk) {
        readGames(done);
        return;
    }
    // The disks are listed again for the copy menu, then the PS2 is checked before it is asked.
    listDevices([this, done](const DeviceLists& found) {
        storeDevices(found, Ps2Disks);
        findNetworkServer([this, done](const std::optional<Problem>& silent) {
            if (silent) {
                emit problem(*silent);
                done();
                return;
            }
            if (m_server == NetworkServer::None) {
                done();
                return;
            }
            readGames(done);
        });
    });
}

QString Session::discReadCommand() const
{
    // cdvd_info2 also says whether a disc is a CD or a DVD. Every way of reading a disc
    // asks the same: the tool's usage says which it has (0.9.0 has both).
    if (m_toolCommandsKnown)
        return m_toolCommands.contains(QLatin1String("cdvd_info2")) ? QStringLiteral("cdvd_info2")
                                                                    : QStringLiteral("cdvd_info");
    return m_hasDiscInfo2 == false ? QStringLiteral("cdvd_info") : QStringLiteral("cdvd_info2");
}

QStringList Session::discInfoArguments(const QString& source) const
{
    return {discReadCommand(), source};
}

bool Session::readDiscInfo(const QString& source, bool optical)
{
    // While the queue runs, an image file can still be read for a job to join it: beside
    // the job's run, without taking the activity view.
    if (m_activity == Activity::RunningQueue && !optical && !m_sideReading &&
        !refuseWhenToolMissing()) {
        m_sideReading = true;
        m_sideRun = sideRun(discInfoArguments(source), [this, source](const RunOutcome& outcome) {
            discInfoDone(outcome, source, false, true);
        });
        return true;
    }
    if (!begin(Activity::ReadingDisc))
        return false;
    knowToolCommands([this, source, optical] {
        m_runner.attempt(
            discInfoArguments(source),
            [this, source, optical](const RunOutcome& outcome) {
                discInfoDone(outcome, source, optical, false);
            },
            readTimeoutMs());
    });
    return true;
}

ToolRun* Session::sideRun(const QStringList& args, RunDone done)
{
    return m_runner.side(args, std::move(done), readTimeoutMs());
}

void Session::cancelDiscRead()
{
    if (m_sideReading && m_sideRun)
        m_sideRun->cancel();
    else if (m_activity == Activity::ReadingDisc)
        cancel();
}

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
    connect(this, &Session::tocRestored, op, [op](const QString& target, const QString& file) {
        op->m_result.restored << target;
        op->m_result.restoredFrom = file;
    });
    connect(this, &Session::ps2PoweredOff, op,
            [op](const QString& address) { op->m_result.poweredOff << address; });
    return op;
}

Operation* Session::operate(const std::function<bool()>& intent)
{
    Operation* op = newOperation([this] { cancel(); });
    op->m_result.started = intent();
    op->m_starting = false;
    if (!op->m_result.started || !isBusy()) {
        op->finish(true);
        return op;
    }
    connect(this, &Session::busyChanged, op, [op](bool busy) {
        if (!busy)
            op->finish();
    });
    return op;
}

Operation* Session::readDisc(const QString& source, bool optical)
{
    Operation* op = newOperation([this] { cancelDiscRead(); });
    connect(this, &Session::discReadEnded, op, [op] { op->finish(); });
    op->m_result.started = readDiscInfo(source, optical);
    op->m_starting = false;
    if (!op->m_result.started)
        op->finish(true);
    return op;
}

void Session::discInfoDone(const RunOutcome& outcome, const QString& source, bool optical,
                           bool side)
{
    // An older tool without cdvd_info2 prints its usage: ask it the older way, once for good.
    if (!m_toolCommandsKnown && !m_hasDiscInfo2.has_value() && outcome.started &&
        !outcome.cancelled) {
        m_hasDiscInfo2 = outcome.error != ToolError::UnknownCommand;
        if (!*m_hasDiscInfo2) {
            auto again = [this, source, optical, side](const RunOutcome& older) {
                discInfoDone(older, source, optical, side);
            };
            if (side)
                m_sideRun = sideRun(discInfoArguments(source), again);
            else
                m_runner.attempt(discInfoArguments(source), again, readTimeoutMs());
            return;
        }
    }
    const auto info = parse::FindDiscInfo(outcome.output);
    if (optical && outcome.error == ToolError::NoMedium) {
        emit discInfoFailed();
        emit problem({ProblemKind::NoDiscInDrive, source, {}});
    } else if (outcome.error == ToolError::NotPs2Disc || (!info && !outcome.cancelled)) {
        emit discInfoFailed();
        // A tool that could not start has been reported already; one that crashed, or failed
        // for another reason (a missing file), said nothing of the disc.
        if (outcome.started && !IsNotAPs2Disc(outcome))
            emit problem({ProblemKind::DiscReadFailed, source, outcome.reason(toolName())});
        else if (outcome.started && optical)
            emit problem({ProblemKind::NotPs2Disc, source, {}});
        else if (outcome.started)
            emit problem({ProblemKind::NotPs2Image, source, outcome.reason(toolName())});
    } else if (info) {
        emit discInfoRead(*info);
        // Decided on the size as shown, two decimals.
        if (parse::IsDualLayerSize(info->sizeKb))
            emit problem({ProblemKind::DualLayer, source, {}});
    }
    if (side)
        m_sideReading = false;
    else
        end();
    emit discReadEnded();
}

bool Session::formatDisk(const QString& device)
{
    if (!begin(Activity::Formatting))
        return false;
    QString label = device;
    for (const DiskEntry& d : std::as_const(m_allDisks)) {
        if (d.device == device)
            label = d.label();
    }
    auto format = [this, device, label] {
        m_runner.attempt({QStringLiteral("initialize"), device}, [this, device, label](
                                                                     const RunOutcome& outcome) {
            const bool failed = !outcome.succeeded() || outcome.error == ToolError::UnknownCommand;
            const QString reason = outcome.reason(toolName());
            listDevices([this, device, label, failed, reason](const DeviceLists& found) {
                storeDevices(found, AllDisks);
                end();
                if (failed)
                    emit problem({ProblemKind::FormatFailed, label, reason});
                else
                    emit diskFormatted(device);
            });
        });
    };
    if (!layoutReadable(device)) {
        format();
        return true;
    }
    // A disk of another PS2 disk kit keeps what that kit made: its exFAT partition, its
    // 8 MB partitions. hdl_dump's format would take them all.
    readLayout(device, true, [this, label, format](const layout::DiskLayout& found) {
        QString holds;
        if (found.isApa() && found.hybrid)
            holds = tr("a PS2 area beside another file system (an exFAT partition)");
        else if (found.isApa() && found.smallSlices)
            holds = tr("the 8 MB partitions of a newer PS2 disk tool");
        if (holds.isEmpty()) {
            format();
            return;
        }
        emit problem({ProblemKind::FormatRefused, label, holds});
        end();
    });
    return true;
}

std::optional<QString> Session::validAddress(const QString& text)
{
    const std::optional<QString> address = NormaliseIPv4(text);
    if (!address)
        emit problem({ProblemKind::InvalidAddress, text.trimmed(), {}});
    return address;
}

bool Session::powerOffPS2(const QString& typed)
{
    if (refuseWhenToolMissing())
        return false;
    if (typed.trimmed().isEmpty()) {
        emit problem({ProblemKind::NoAddress, {}, {}});
        return false;
    }
    const std::optional<QString> address = validAddress(typed);
    if (!address)
        return false;
    const QString ip = *address;
    if (!begin(Activity::PoweringOff))
        return false;
    probe(ip, [this, ip](bool answered) {
        if (!answered) {
            emit problem({ProblemKind::PS2NotFound, ip, {}});
            end();
            return;
        }
        // The game table of a switched-off PS2 is no longer valid.
        if (m_targetKind == TargetKind::Network && m_targetDevice == ip)
            detach();
        m_runner.run({QStringLiteral("poweroff"), ip}, [this, ip](const RunOutcome&) {
            end();
            emit ps2PoweredOff(ip);
        });
    });
    return true;
}

void Session::selectTarget(TargetKind kind, const QString& typed)
{
    const QString device = kind == TargetKind::Network ? networkTarget(typed) : typed;
    if (m_targetKind == kind && m_targetDevice == device)
        return;
    m_targetKind = kind;
    m_targetDevice = device;
    if (m_attached || m_games.count() > 0)
        detach();
    releaseUnusedAccess();
}

bool Session::runExitActions()
{
    const bool wanted =
        m_settings.flag(Setting::ClosePS2) && !address().isEmpty() && toolAvailable() && !isBusy();
    if (!wanted) {
        QTimer::singleShot(0, this, &Session::exitActionsDone);
        return false;
    }
    begin(Activity::Exiting);
    const QString ip = address();
    probe(ip, [this, ip](bool answered) {
        if (!answered) {
            end();
            emit exitActionsDone();
            return;
        }
        m_runner.run({QStringLiteral("poweroff"), ip}, [this](const RunOutcome&) {
            end();
            emit exitActionsDone();
        });
    });
    return true;
}
