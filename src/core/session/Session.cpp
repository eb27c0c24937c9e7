#include "Session.h"

#include "core/devices/Probe.h"
#include "core/platform/DeviceDiscovery.h"
#include "core/platform/PowerActions.h"
#include "core/tool/ToolRun.h"

#include <QFileInfo>
#include <QTimer>

Session::Session(const AppPaths& paths, SessionSeams seams, QObject* parent)
    : QObject(parent), m_paths(paths), m_seams(seams), m_settings(paths.configFile),
      m_queue(m_jobs, [this](const QStringList& a) { return runJob(a); }),
      m_nowQueue(m_nowJobs, [this](const QStringList& a) { return runJob(a); })
{
    m_pool.setMaxThreadCount(1);
    // A settings file that cannot be written is kept as it was, and the user is told.
    m_settings.setFailureHandler([this](const QString& path, const QString& reason) {
        emit problem({ProblemKind::SaveFailed, path, reason});
    });
    connect(&m_queue, &JobQueue::jobStarted, this, &Session::jobStarted);
    connect(&m_queue, &JobQueue::progressChanged, this, &Session::progressChanged);
    connect(&m_queue, &JobQueue::finished, this, [this] { onQueueFinished(false); });
    connect(&m_nowQueue, &JobQueue::progressChanged, this, &Session::progressChanged);
    connect(&m_nowQueue, &JobQueue::finished, this, [this] { onQueueFinished(true); });
}

Session::~Session()
{
    // A probe still in flight posts to this object; let it land first.
    m_pool.waitForDone();
}

int Session::readTimeoutMs() const
{
    // A listing or a disc read that says nothing for this long gives up.
    const qint32 seconds = m_settings.number(QStringLiteral("ReadTimeout"));
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
    emit problem({ProblemKind::ToolMissing, m_paths.toolPath, {}});
    return true;
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
    emit busyChanged(true);
    return true;
}

void Session::end()
{
    if (m_activity == Activity::None)
        return;
    m_activity = Activity::None;
    emit busyChanged(false);
}

ToolRun* Session::runTool(const QStringList& args, RunDone done, int silenceMs,
                          qsizetype outputLimit)
{
    auto* run = new ToolRun({m_paths.toolPath, args}, this);
    run->setWorkingDirectory(m_paths.workingDir);
    run->setSilenceTimeout(silenceMs);
    run->setOutputLimit(outputLimit > 0 ? outputLimit : m_outputLimit);
    m_run = run;
    connect(run, &ToolRun::output, this, &Session::outputArrived);
    connect(run, &ToolRun::finished, this, [this, run, done](const RunOutcome& outcome) {
        run->deleteLater();
        if (m_run == run)
            m_run = nullptr;
        if (done)
            done(outcome);
    });
    emit commandStarted(ToolCommand::DisplayArguments(args));
    run->start();
    return run;
}

ToolRun* Session::runJob(const QStringList& args)
{
    // A job prints progress for hours; its reason for failing is in its last lines.
    return runTool(args, {}, 0, kJobOutputLimit);
}

void Session::startAttempt(const QStringList& args, RunDone done, int silenceMs, int attempt)
{
    runTool(
        args,
        [this, args, done, silenceMs, attempt](const RunOutcome& outcome) {
            // A tool that could not start for a passing reason gets another try; a
            // tool that started is never started again by itself.
            const bool passing = !outcome.started && !m_cancelRequested && attempt < 4 &&
                                 outcome.startError != QLatin1String("Permission denied") &&
                                 outcome.startError != QLatin1String("No such file or directory");
            if (passing) {
                QTimer::singleShot(m_retryPauseMs, this,
                                   [=, this] { startAttempt(args, done, silenceMs, attempt + 1); });
                return;
            }
            if (!outcome.started)
                emit problem({ProblemKind::ToolCannotRun, m_paths.toolPath, outcome.startError});
            done(outcome);
        },
        silenceMs);
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

void Session::listDevices(std::function<void(const QString& text, const RunOutcome&)> done)
{
    startAttempt(
        {QStringLiteral("query")},
        [this, done](const RunOutcome& outcome) {
            // The current tool has no "query" on Linux: list the devices ourselves.
            if (!outcome.output.contains(QStringLiteral("query: unrecognized command"))) {
                done(outcome.output, outcome);
                return;
            }
            m_pool.start([this, done, outcome] {
                const QString text = platform::devicesAsQueryText(platform::discoverDevices());
                QMetaObject::invokeMethod(
                    this, [done, text, outcome] { done(text, outcome); }, Qt::QueuedConnection);
            });
        },
        readTimeoutMs());
}

namespace {
QList<DiskEntry> readDisks(const QString& text, bool formattedOnly)
{
    QList<DiskEntry> disks;
    for (const QString& line : parse::SplitLines(text)) {
        const auto disk = parse::ParseDiskLine(line);
        if (!disk || (formattedOnly && !disk->ps2Formatted))
            continue;
        disks.append({disk->device, disk->sizeMb, disk->ps2Formatted,
                      line.contains(QStringLiteral("cannot be read"))});
    }
    return disks;
}

QList<DiskEntry> readOpticals(const QString& text)
{
    QList<DiskEntry> drives;
    for (const QString& line : parse::SplitLines(text)) {
        if (const auto drive = parse::ParseOpticalLine(line))
            drives.append({drive->device, drive->sizeMb, false, false});
    }
    return drives;
}
} // namespace

void Session::storeDevices(const QString& text, DeviceLists which)
{
    if (which & AllDisks) {
        m_allDisks = readDisks(text, false);
        emit allDisksChanged();
    }
    if (which & Ps2Disks) {
        m_disks = readDisks(text, true);
        emit disksChanged();
    }
    if (which & OpticalDrives) {
        m_opticals = readOpticals(text);
        emit opticalDrivesChanged();
    }
}

bool Session::refreshLists(DeviceLists which)
{
    if (!begin(Activity::ListingDevices))
        return false;
    listDevices([this, which](const QString& text, const RunOutcome&) {
        storeDevices(text, which);
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
    return refreshLists(DeviceLists(AllDisks | Ps2Disks | OpticalDrives));
}

QString Session::address() const
{
    return m_targetKind == TargetKind::Network ? NormaliseIPv4(m_targetDevice).value_or(QString())
                                               : QString();
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
    if (kind == TargetKind::Network) {
        const std::optional<QString> address = validAddress(device);
        if (!address)
            return false;
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
    listDevices([this, done](const QString& text, const RunOutcome&) {
        storeDevices(text, Ps2Disks);
        const QString ip = m_targetDevice;
        probe(ip, [this, ip, done](bool answered) {
            if (!answered) {
                emit problem({ProblemKind::PS2NotFound, ip, {}});
                done();
                return;
            }
            readGames(done);
        });
    });
}

void Session::readGames(std::function<void()> done)
{
    startAttempt(
        {QStringLiteral("hdl_toc"), m_targetDevice},
        [this, done](const RunOutcome& outcome) {
            m_attached = false;
            m_space.reset();
            QList<parse::GameRow> rows;
            if (outcome.error == ToolError::ConnectionRefused) {
                emit problem({ProblemKind::ReloadServer, m_targetDevice, {}});
            } else if (outcome.error == ToolError::NetworkTimeout) {
                emit problem({ProblemKind::PS2NotAnswering, m_targetDevice, {}});
            } else if (outcome.error == ToolError::NotPs2Disk) {
                emit problem({ProblemKind::NotPs2Disk, m_targetDevice, {}});
            } else if (outcome.cancelled) {
                // The user stopped it; there is nothing to tell.
            } else if (outcome.outputCut) {
                // The start of the table is gone: a part of it would pass for the whole.
                emit problem({ProblemKind::ListingFailed, m_targetDevice,
                              tr("The output was too large to be read.")});
            } else if (!outcome.succeeded()) {
                // A failed listing is no empty disk.
                if (outcome.started)
                    emit problem(
                        {ProblemKind::ListingFailed, m_targetDevice, outcome.reason(toolName())});
            } else {
                parse::GameTable table = parse::ParseGameTable(outcome.output);
                rows = std::move(table.games);
                m_space = table.space;
                m_attached = true;
            }
            m_games.setGames(std::move(rows));
            emit gamesChanged();
            done();
        },
        readTimeoutMs());
}

QStringList Session::discInfoArguments(const QString& source) const
{
    // The current tool's cdvd_info2 also says whether a disc is a CD or a DVD.
    return {m_hasDiscInfo2 == false ? QStringLiteral("cdvd_info") : QStringLiteral("cdvd_info2"),
            source};
}

bool Session::readDiscInfo(const QString& source, bool optical)
{
    if (!begin(Activity::ReadingDisc))
        return false;
    startAttempt(
        discInfoArguments(source),
        [this, source, optical](const RunOutcome& outcome) {
            discInfoDone(outcome, source, optical);
        },
        readTimeoutMs());
    return true;
}

void Session::discInfoDone(const RunOutcome& outcome, const QString& source, bool optical)
{
    // An older tool without cdvd_info2 prints its usage: ask it the older way, once for good.
    if (!m_hasDiscInfo2.has_value() && outcome.started && !outcome.cancelled) {
        m_hasDiscInfo2 = outcome.error != ToolError::UnknownCommand;
        if (!*m_hasDiscInfo2) {
            startAttempt(
                discInfoArguments(source),
                [this, source, optical](const RunOutcome& older) {
                    discInfoDone(older, source, optical);
                },
                readTimeoutMs());
            return;
        }
    }
    const auto info = parse::FindDiscInfo(outcome.output);
    if (optical && outcome.error == ToolError::NoMedium) {
        emit discInfoFailed();
        emit problem({ProblemKind::NoDiscInDrive, source, {}});
    } else if (outcome.error == ToolError::NotPs2Disc || (!info && !outcome.cancelled)) {
        emit discInfoFailed();
        // A tool that could not start has been reported already.
        if (outcome.started && optical)
            emit problem({ProblemKind::NotPs2Disc, source, {}});
        else if (outcome.started)
            emit problem({ProblemKind::NotPs2Image, source, outcome.reason(toolName())});
    } else if (info) {
        emit discInfoRead(*info);
        // Decided on the size as shown, two decimals.
        if (NumericValue(info->sizeText) >= 4.38)
            emit problem({ProblemKind::DualLayer, source, {}});
    }
    end();
}

bool Session::deleteGame(const QString& name)
{
    if (m_targetDevice.isEmpty() || !begin(Activity::Deleting))
        return false;
    startAttempt({QStringLiteral("delete"), m_targetDevice, name}, [this, name](
                                                                       const RunOutcome& outcome) {
        static constexpr ToolError refusals[] = {ToolError::UnknownCommand, ToolError::NotFound,
                                                 ToolError::ConnectionRefused,
                                                 ToolError::NetworkTimeout, ToolError::NotPs2Disk};
        bool deleted = outcome.succeeded();
        for (const ToolError e : refusals)
            deleted = deleted && outcome.error != e;
        const QString reason = outcome.reason(toolName());
        refreshTarget([this, name, deleted, reason] {
            end();
            if (deleted)
                emit gameDeleted(name);
            else
                emit problem({ProblemKind::DeleteFailed, name, reason});
        });
    });
    return true;
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
    startAttempt({QStringLiteral("initialize"), device}, [this, device,
                                                          label](const RunOutcome& outcome) {
        const bool failed = !outcome.succeeded() || outcome.error == ToolError::UnknownCommand;
        const QString reason = outcome.reason(toolName());
        listDevices([this, device, label, failed, reason](const QString& text, const RunOutcome&) {
            storeDevices(text, AllDisks);
            end();
            if (failed)
                emit problem({ProblemKind::FormatFailed, label, reason});
            else
                emit diskFormatted(device);
        });
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
        runTool({QStringLiteral("poweroff"), ip}, [this, ip](const RunOutcome&) {
            end();
            emit ps2PoweredOff(ip);
        });
    });
    return true;
}

bool Session::startQueue()
{
    if (!begin(Activity::RunningQueue))
        return false;
    emit runStarted(false);
    m_queue.start();
    return true;
}

bool Session::runNow(const Job& job)
{
    if (!begin(Activity::InstallingNow))
        return false;
    m_nowJobs.clear();
    m_nowJobs.addJob(job);
    emit runStarted(true);
    m_nowQueue.start();
    return true;
}

void Session::cancel()
{
    if (!isBusy())
        return;
    m_cancelRequested = true;
    if (m_activity == Activity::RunningQueue && m_queue.isRunning())
        m_queue.cancel();
    else if (m_activity == Activity::InstallingNow && m_nowQueue.isRunning())
        m_nowQueue.cancel();
    else if (m_run)
        m_run->cancel();
}

void Session::onQueueFinished(bool installNow)
{
    const JobQueue& queue = installNow ? m_nowQueue : m_queue;
    const bool cancelled = queue.wasCancelled();
    if (queue.lostConnection() && !installNow) {
        const Job& failed = m_jobs.job(m_queue.lastRow());
        emit problem({ProblemKind::ConnectionLost, failed.name, failed.reason});
    }
    auto refresh = [this, installNow, cancelled] {
        // A networked PS2 that no longer answers is not asked for its list.
        auto finish = [this, installNow, cancelled] {
            end();
            emit runFinished(installNow, cancelled);
        };
        // Only a list that is shown is read again; nothing is asked of a target never read.
        if (!m_attached) {
            finish();
            return;
        }
        if (m_targetKind == TargetKind::LocalDisk) {
            refreshTarget(finish);
            return;
        }
        probe(m_targetDevice, [this, finish](bool answered) {
            if (answered)
                refreshTarget(finish);
            else
                finish();
        });
    };
    // The end-of-run actions follow only a run in which every job completed.
    if (cancelled || !queue.allComplete()) {
        refresh();
        return;
    }
    auto pcActions = [this, refresh] {
        if (m_endActions.shutdownPC)
            m_seams.power.ShutdownPC();
        else if (m_endActions.standbyPC)
            m_seams.power.SuspendPC();
        refresh();
    };
    if (m_endActions.powerOffPS2 && !address().isEmpty()) {
        runTool({QStringLiteral("poweroff"), address()},
                [pcActions](const RunOutcome&) { pcActions(); });
        return;
    }
    pcActions();
}

void Session::selectTarget(TargetKind kind, const QString& typed)
{
    const QString device =
        kind == TargetKind::Network ? NormaliseIPv4(typed).value_or(typed.trimmed()) : typed;
    if (m_targetKind == kind && m_targetDevice == device)
        return;
    m_targetKind = kind;
    m_targetDevice = device;
    if (m_attached || m_games.count() > 0)
        detach();
}

bool Session::runExitActions()
{
    const bool wanted = NumericValue(m_settings.read(QStringLiteral("ClosePS2"))) == 1 &&
                        !address().isEmpty() && toolAvailable() && !isBusy();
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
        runTool({QStringLiteral("poweroff"), ip}, [this](const RunOutcome&) {
            end();
            emit exitActionsDone();
        });
    });
    return true;
}
