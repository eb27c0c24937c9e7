#include "Session.h"

#include "core/devices/Probe.h"
#include "core/platform/DeviceDiscovery.h"
#include "core/platform/Platform.h"
#include "core/platform/PowerActions.h"
#include "core/tool/ToolRun.h"

#include "core/jobs/QueueFile.h"
#include "core/settings/ToolConfig.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimer>

Session::Session(const AppPaths& paths, SessionSeams seams, QObject* parent)
    : QObject(parent), m_paths(paths), m_seams(seams), m_settings(paths.configFile),
      m_runner(paths.toolPath, paths.workingDir, paths.stateDir),
      m_queue(m_jobs, [this](const QStringList& a) { return m_runner.runJob(a); }),
      m_nowQueue(m_nowJobs, [this](const QStringList& a) { return m_runner.runJob(a); }),
      m_store(m_jobs, paths.dataDir, paths.stateDir, m_runner.log())
{
    m_pool.setMaxThreadCount(1);
    connect(&m_runner, &ToolRunner::commandStarted, this, &Session::commandStarted);
    connect(&m_runner, &ToolRunner::outputArrived, this, &Session::outputArrived);
    connect(&m_runner, &ToolRunner::cannotRun, this, [this](const QString& reason) {
        emit problem({ProblemKind::ToolCannotRun, m_paths.toolPath, reason});
    });
    // A settings file that cannot be written is kept as it was, and the user is told.
    m_settings.setFailureHandler([this](const QString& path, const QString& reason) {
        emit problem({ProblemKind::SaveFailed, path, reason});
    });
    connect(&m_queue, &JobQueue::jobStarted, this, &Session::jobStarted);
    // Every job that ends complete is also written down apart from the queue's file.
    connect(&m_queue, &JobQueue::jobFinished, this, [this](int row) {
        if (m_jobs.job(row).state == JobState::Complete)
            m_store.journal().recordComplete(m_jobs.job(row));
    });
    connect(&m_queue, &JobQueue::progressChanged, this, &Session::progressChanged);
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
}

Session::~Session()
{
    releaseAwake();
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
    m_runner.begin();
    emit busyChanged(true);
    return true;
}

void Session::end()
{
    if (m_activity == Activity::None)
        return;
    // What this activity wrote to is another program's to write again.
    unlockTargets();
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
            m_pool.start([this, done] {
                const DeviceLists found = DevicesFromDiscovery(platform::discoverDevices());
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
    listDevices([this, done](const DeviceLists& found) {
        storeDevices(found, Ps2Disks);
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
        sideRun(discInfoArguments(source), [this, source](const RunOutcome& outcome) {
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

void Session::sideRun(const QStringList& args, RunDone done)
{
    m_runner.side(args, std::move(done), readTimeoutMs());
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
                sideRun(discInfoArguments(source), again);
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
    m_runner.attempt(
        {QStringLiteral("initialize"), device}, [this, device, label](const RunOutcome& outcome) {
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

bool Session::clearQueue()
{
    if (refuseForeignQueue())
        return false;
    m_jobs.clear();
    return !m_store.saveFailed();
}

bool Session::startQueue()
{
    if (refuseForeignQueue() || !begin(Activity::RunningQueue))
        return false;
    m_backedUp.clear();
    m_store.beginRun();
    // A run reads each disk afresh before its first write: others may have written since.
    m_freshFacts.clear();
    holdAwake();
    emit runStarted(false);
    m_queue.start();
    return true;
}

bool Session::runNow(const Job& job)
{
    if (!begin(Activity::InstallingNow))
        return false;
    m_backedUp.clear();
    m_freshFacts.clear();
    m_nowJobs.clear();
    m_nowJobs.addJob(job);
    holdAwake();
    emit runStarted(true);
    m_nowQueue.start();
    return true;
}

void Session::cancel()
{
    if (!isBusy())
        return;
    m_cancelRequested = true;
    if (m_activity == Activity::ReadingImages && m_batch)
        m_batch->cancel();
    else if (m_activity == Activity::RunningQueue && m_queue.isRunning())
        m_queue.cancel();
    else if (m_activity == Activity::InstallingNow && m_nowQueue.isRunning())
        m_nowQueue.cancel();
    else
        m_runner.cancel();
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
            releaseAwake();
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
        m_runner.run({QStringLiteral("poweroff"), address()},
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
        m_runner.run({QStringLiteral("poweroff"), ip}, [this](const RunOutcome&) {
            end();
            emit exitActionsDone();
        });
    });
    return true;
}

// The saved queue -----------------------------------------------------------

QString Session::queueFile() const
{
    return m_store.file();
}

bool Session::ownsQueue()
{
    if (!m_store.wasOpened() || m_store.isOpen())
        return true;
    // The other program may have ended since: then this one takes the queue over.
    if (!m_store.canTakeOver())
        return false;
    restoreQueue();
    return m_store.isOpen();
}

bool Session::refuseForeignQueue()
{
    if (ownsQueue())
        return false;
    if (const auto refusal = m_store.refusal())
        emit problem(*refusal);
    return true;
}

void Session::restoreQueue()
{
    if (!m_store.open())
        return;

    // A job found Active was running when the program ended. A job the journal knows as
    // complete was finished by a run whose last saves failed: both are looked for.
    const QSet<QString> finished = m_store.journal().completeIds();
    m_recognised.clear();
    QList<int> interrupted;
    for (int row = 0; row < m_jobs.count(); ++row) {
        Job job = m_jobs.job(row);
        if (job.state != JobState::Complete && finished.contains(job.id)) {
            if (JobQueue::writesAGame(job) && toolAvailable()) {
                m_recognised.insert(job.id);
                interrupted << row;
            } else if (!JobQueue::writesAGame(job) && QFileInfo(job.destination).isFile()) {
                job.state = JobState::Complete;
                job.note = tr("Finished by an earlier run; the saved queue could not say so.");
                m_jobs.setJob(row, job);
            }
            continue;
        }
        if (job.state != JobState::Active)
            continue;
        if (JobQueue::writesAGame(job) && toolAvailable()) {
            interrupted << row;
            continue;
        }
        // An image that was being written is not finished: only its .part is removed.
        if (job.kind == JobKind::MakeIso || job.kind == JobKind::CopyToPC)
            QFile::remove(job.destination + QStringLiteral(".part"));
        m_jobs.setState(row, JobState::Pending);
    }
    if (!interrupted.isEmpty() && begin(Activity::Resuming))
        QTimer::singleShot(0, this, [this, interrupted] {
            endLeftoverTools(interrupted, [this, interrupted] { resumeNext(interrupted); });
        });
}

void Session::endLeftoverTools(const QList<int>& rows, std::function<void()> done)
{
    // A tool of an earlier Ventrik that ignored the signals sent to end it may still write:
    // the same process (its id and its start time), ended before anything is written again.
    QList<std::pair<qint64, quint64>> alive;
    for (const int row : rows) {
        const Job& job = m_jobs.job(row);
        if (job.toolPid > 0 && job.toolStart != 0 &&
            platform::processStartTime(job.toolPid) == job.toolStart) {
            alive.append({job.toolPid, job.toolStart});
            m_runner.log().addNote(
                tr("The tool (process %1) that an earlier Ventrik started for %2 still "
                   "runs; it is ended before anything is written again.")
                    .arg(job.toolPid)
                    .arg(job.name));
            platform::terminateProcess(job.toolPid);
        }
    }
    if (alive.isEmpty()) {
        done();
        return;
    }
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    waitForLeftovers(alive, clock, done);
}

void Session::waitForLeftovers(QList<std::pair<qint64, quint64>> alive,
                               std::shared_ptr<QElapsedTimer> clock, std::function<void()> done)
{
    alive.removeIf([](const auto& p) { return platform::processStartTime(p.first) != p.second; });
    if (alive.isEmpty()) {
        done();
        return;
    }
    // It was asked; one that does not listen is made to end.
    if (clock->elapsed() > kLeftoverGraceMs)
        for (const auto& [pid, start] : alive)
            platform::killProcess(pid);
    QTimer::singleShot(100, this,
                       [this, alive, clock, done] { waitForLeftovers(alive, clock, done); });
}

void Session::resumeNext(QList<int> rows)
{
    if (rows.isEmpty() || m_cancelRequested) {
        for (const int row : std::as_const(rows))
            m_jobs.setState(row, JobState::Pending);
        end();
        return;
    }
    const int row = rows.takeFirst();
    verifyJob(m_jobs.job(row), [this, row, rows](const Verification& found) {
        Job job = m_jobs.job(row);
        switch (found.found) {
        case Verification::Found::Whole:
            job.state = JobState::Complete;
            job.note = m_recognised.contains(job.id)
                           ? tr("Finished by an earlier run; the saved queue could not say so.")
                           : tr("Found whole on %1 after Ventrik ended during the job.")
                                 .arg(job.destination);
            m_jobs.setJob(row, job);
            break;
        case Verification::Found::Short:
            job.state = JobState::Failed;
            job.incomplete = true;
            job.reason = tr("Ventrik ended during the job; %1 KB of %2 KB are on %3")
                             .arg(found.sizeKb)
                             .arg(job.sizeKb)
                             .arg(job.destination);
            m_jobs.setJob(row, job);
            emit problem({ProblemKind::IncompleteGame, job.name, job.destination});
            emit incompleteFound(row);
            break;
        case Verification::Found::Missing:
        case Verification::Found::NotNew:
        case Verification::Found::Unknown:
            // Nothing of it (or nothing known): it runs again with the next run.
            m_jobs.setState(row, JobState::Pending);
            break;
        }
        resumeNext(rows);
    });
}

bool Session::addJob(const Job& job)
{
    ownsQueue();
    return m_store.add(job);
}

void Session::updateWarnings()
{
    // Many jobs added at once are checked once.
    if (m_warningsDue)
        return;
    m_warningsDue = true;
    QTimer::singleShot(0, this, [this] {
        m_warningsDue = false;
        QList<QString> texts(m_jobs.count());
        for (const PreflightIssue& issue : knownIssues()) {
            QString& t = texts[issue.row];
            t += (t.isEmpty() ? QString() : QStringLiteral("\n")) + issue.text;
        }
        m_jobs.setWarnings(texts);
    });
}

QList<PreflightIssue> Session::knownIssues() const
{
    QList<int> rows;
    for (int row = 0; row < m_jobs.count(); ++row) {
        if (m_jobs.job(row).state != JobState::Complete)
            rows << row;
    }
    return CheckJobs(m_jobs.allJobs(), rows, m_facts);
}

bool Session::checkQueue()
{
    if (refuseForeignQueue() || !begin(Activity::CheckingQueue))
        return false;
    QStringList targets;
    for (const Job& job : m_jobs.allJobs()) {
        const QString target = WriteTarget(job);
        if (job.state != JobState::Complete && !target.isEmpty() && !targets.contains(target))
            targets << target;
    }
    readTargets(targets, [this] {
        end();
        emit queueChecked(knownIssues());
    });
    return true;
}

void Session::readTargets(QStringList targets, std::function<void()> done)
{
    if (targets.isEmpty() || m_cancelRequested) {
        done();
        return;
    }
    const QString target = targets.takeFirst();
    readTargetFacts(target,
                    [this, targets, done](const TargetFacts&) { readTargets(targets, done); });
}

void Session::holdAwake()
{
    QString error;
    m_awake = m_seams.power.InhibitSleep(tr("Installing and copying PS2 games"), &error);
    if (m_awake) {
        m_runner.log().addNote(tr("The PC is kept awake during the run."));
        return;
    }
    // Not a reason to stop or to interrupt an unattended run with a message.
    m_runner.log().addNote(tr("The PC could not be kept awake during the run: %1").arg(error));
}

void Session::releaseAwake()
{
    if (!m_awake)
        return;
    m_awake = false;
    m_seams.power.ReleaseSleep();
}

// Many images at once -------------------------------------------------------------

DiscDatabase Session::discDatabase() const
{
    QString config = m_settings.read(QStringLiteral("hdl_config"));
    if (config.isEmpty())
        config = DefaultToolConfigPath();
    QByteArray content;
    QString error;
    ToolConfig tool;
    if (ReadToolConfigFile(config, &content, &error))
        ApplyToolConfig(ParseToolConfigLines(content), tool, DefaultDiscDatabasePath());
    const QString path =
        tool.discDatabase.isEmpty() ? DefaultDiscDatabasePath() : tool.discDatabase;
    DiscDatabase database = ReadDiscDatabase(path);
    if (!database.problem.isEmpty())
        database.problem = path + QStringLiteral(": ") + database.problem;
    return database;
}

bool Session::addImages(const QStringList& paths, std::optional<DiscType> type)
{
    if (m_targetDevice.isEmpty()) {
        emit problem({ProblemKind::NoDiskSelected, {}, {}});
        return false;
    }
    if (!begin(Activity::ReadingImages))
        return false;
    // Walking a large folder tree is done off this thread.
    m_pool.start([this, paths, type] {
        QList<SkippedFile> skipped;
        const QStringList files = FindImages(paths, &skipped);
        QMetaObject::invokeMethod(
            this, [this, files, skipped, type] { readImages(files, skipped, type); },
            Qt::QueuedConnection);
    });
    return true;
}

void Session::readImages(const QStringList& files, const QList<SkippedFile>& skipped,
                         std::optional<DiscType> type)
{
    const QString target = m_targetDevice;
    auto read = [this, files, skipped, type, target] {
        const QString command = discReadCommand();
        auto* reader = new BatchReader(
            [this](const QStringList& args) {
                ToolRun* run = m_runner.prepare(args, readTimeoutMs(), m_batch);
                run->start();
                return run;
            },
            command, BatchReader::Parallel(), this);
        m_batch = reader;
        connect(reader, &BatchReader::readProgress, this, &Session::batchProgress);
        connect(reader, &BatchReader::finished, this,
                [this, reader, skipped, type, target](const QList<ReadImage>& images) {
                    reader->deleteLater();
                    BatchSummary summary;
                    summary.cancelled = reader->isCancelled();
                    // A tool that cannot start is said once, not as every image's reason.
                    const auto unstarted = std::ranges::find_if(
                        images, [](const ReadImage& i) { return !i.startError.isEmpty(); });
                    if (unstarted != images.end())
                        emit problem(
                            {ProblemKind::ToolCannotRun, m_paths.toolPath, unstarted->startError});
                    const DiscDatabase database = discDatabase();
                    if (!database.problem.isEmpty() && !summary.cancelled)
                        emit problem({ProblemKind::DiscDatabaseUnreadable, database.problem, {}});
                    if (!summary.cancelled)
                        summary = PlanBatch(images, target, type, database.entries,
                                            m_facts.value(target).games, m_jobs.allJobs());
                    for (const SkippedFile& s : skipped) {
                        BatchEntry entry;
                        entry.path = s.path;
                        entry.outcome = BatchEntry::Outcome::Skipped;
                        entry.reason = s.reason;
                        summary.entries << entry;
                    }
                    for (const Job& job : summary.jobs(BatchEntry::Outcome::Added))
                        addJob(job);
                    end();
                    emit batchRead(summary);
                });
        emit batchProgress(0, static_cast<int>(files.size()));
        reader->start(files);
    };
    // The tool's commands say which disc read it has; the target's list which games it holds.
    knowToolCommands([this, target, read, files] {
        if (m_cancelRequested || files.isEmpty() || m_facts.value(target).read) {
            read();
            return;
        }
        readTargetFacts(target, [read](const TargetFacts&) { read(); });
    });
}
