#include "JobQueue.h"

#include "JobCommands.h"
#include "JobListModel.h"
#include "Preflight.h"
#include "core/platform/Platform.h"
#include "core/tool/ToolRun.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QtEndian>

#include <cmath>

namespace {

// Why an image file is not a whole disc image: no ISO 9660 volume at its start, or fewer bytes
// than its volume's own size; empty when it is whole.
QString ImageShortfall(const QString& path, qint64 size)
{
    QFile f(path);
    QByteArray pvd;
    if (f.open(QIODevice::ReadOnly) && f.seek(16 * 2048))
        pvd = f.read(2048);
    if (pvd.size() < 2048 || pvd.mid(1, 5) != QByteArrayLiteral("CD001"))
        return JobQueue::tr("The image (%1 bytes) holds no disc's volume; it was not kept.")
            .arg(size);
    const qint64 blocks = qFromLittleEndian<quint32>(pvd.constData() + 80);
    const qint64 block = qFromLittleEndian<quint16>(pvd.constData() + 128);
    const qint64 volume = blocks * (block > 0 ? block : 2048);
    if (size < volume)
        return JobQueue::tr("The image has %1 bytes where its disc's volume has %2; it was not "
                            "kept.")
            .arg(size)
            .arg(volume);
    return {};
}

} // namespace

JobQueue::JobQueue(JobListModel& jobs, Launcher launch, QObject* parent)
    : QObject(parent), m_jobs(jobs), m_launch(std::move(launch))
{
    // A tool that printed 100% and then nothing: what it wrote is on the disk, or is not.
    m_after100.setSingleShot(true);
    m_after100.setInterval(20000);
    connect(&m_after100, &QTimer::timeout, this, [this] {
        if (!m_run)
            return;
        m_endedAfter100 = true;
        m_run->cancel();
    });
}

bool JobQueue::allComplete() const
{
    for (int row = 0; row < m_jobs.count(); ++row) {
        if (m_jobs.job(row).state != JobState::Complete)
            return false;
    }
    return true;
}

bool JobQueue::runs(const Job& job) const
{
    return job.state != JobState::Complete && (m_only.isEmpty() || m_only.contains(job.id));
}

int JobQueue::runCount() const
{
    int count = runNumber();
    for (int row = m_row + 1; row < m_jobs.count(); ++row) {
        if (runs(m_jobs.job(row)))
            ++count;
    }
    return count;
}

void JobQueue::start(const QList<int>& only)
{
    if (isRunning())
        return;
    // By identity: a job queued during the run is not taken for one of these.
    m_only.clear();
    for (int row : only) {
        if (row >= 0 && row < m_jobs.count())
            m_only.insert(m_jobs.job(row).id);
    }
    m_cancelled = false;
    m_connectionLost = false;
    m_lostDisk.clear();
    m_stopAfterCurrent = false;
    m_ranRows.clear();
    m_doneKb = 0;
    m_percent = 0;
    m_toolMs = 0;
    m_toolStartedMs = 0;
    {
        const JobListModel::OneStep step(m_jobs);
        for (int row = 0; row < m_jobs.count(); ++row) {
            if (runs(m_jobs.job(row)))
                m_jobs.setState(row, JobState::Pending);
        }
    }
    m_active = true;
    // The first job starts from the event loop: a caller never sees the run end
    // inside start(), even when no job can run.
    QTimer::singleShot(0, this, [this] { runNext(0); });
}

void JobQueue::end()
{
    // What the run did is stored before anyone hears it ended (a PC turned off, say).
    m_jobs.settle();
    m_row = -1;
    m_preparing = false;
    m_active = false;
    emit finished();
}

void JobQueue::cancel()
{
    if (!isRunning())
        return;
    m_cancelled = true;
    if (m_run)
        m_run->cancel();
}

void JobQueue::cancelJob()
{
    if (!isRunning() || m_row < 0)
        return;
    if (m_run) {
        m_run->cancel();
        return;
    }
    if (!m_preparing)
        return;
    // Not begun: what it waits for is left to answer to nobody (its row is no longer the
    // running one), and the next job starts.
    const int row = m_row;
    Job job = m_jobs.job(row);
    job.state = JobState::Aborted;
    m_preparing = false;
    m_waiting = false;
    finishJob(row, job);
}

bool JobQueue::stopForLostDisk(const QString& device, const QString& reason)
{
    if (!isRunning() || m_row < 0 || !m_lostDisk.isEmpty())
        return false;
    const Job& job = m_jobs.job(m_row);
    if (job.source != device && job.destination != device)
        return false;
    m_lostDisk = device;
    m_lostDiskReason = reason;
    cancel();
    return true;
}

void JobQueue::runNext(int from)
{
    // A job that ends and the next that starts, up to its tool: one change of the queue.
    const JobListModel::OneStep step(m_jobs);
    // Cancelled before the first job: every job waits for the next run.
    if (m_cancelled) {
        end();
        return;
    }
    int row = from;
    while (row < m_jobs.count() && !runs(m_jobs.job(row)))
        ++row;
    if (row >= m_jobs.count()) {
        end();
        return;
    }
    m_row = row;
    m_lastRow = row;
    m_reached100 = false;
    m_endedAfter100 = false;
    m_tail100.clear();
    m_progress.reset();
    m_ranRows << row;
    m_percent = 0;
    m_partFile.clear();
    Job job = JobListModel::InState(m_jobs.job(row), JobState::Active);
    job.startedAt = QDateTime::currentMSecsSinceEpoch();
    m_jobs.setJob(row, job);
    emit jobStarted(row);
    if (refuse(job)) {
        QTimer::singleShot(0, this, [this, row, job] { finishJob(row, job); });
        return;
    }
    if (!m_prepare) {
        launch(row);
        return;
    }
    m_waiting = true;
    m_preparing = true;
    m_prepare(job, [this, row](const Job& prepared) {
        if (m_row != row)
            return;
        m_waiting = false;
        m_preparing = false;
        if (m_cancelled) {
            // The tool never ran for it: it waits for the next run.
            Job waiting = m_jobs.job(row);
            waiting.state = JobState::Pending;
            if (!m_lostDisk.isEmpty())
                waiting.reason = m_lostDiskReason;
            m_jobs.setJob(row, waiting);
            end();
            return;
        }
        if (prepared.state == JobState::Failed) {
            finishJob(row, prepared);
            return;
        }
        m_jobs.setJob(row, prepared);
        launch(row);
    });
}

void JobQueue::launch(int row)
{
    const Job job = m_jobs.job(row);
    if (writesAFile(job)) {
        m_partFile = partFileOf(job);
        QFile::remove(m_partFile);
    }
    // What the job is to write is stored before its tool runs, for a resume to check.
    m_jobs.settle();
    m_run = m_launch(toolArguments(job));
    if (!m_run)
        return;
    m_toolStartedMs = QDateTime::currentMSecsSinceEpoch();
    connect(m_run, &ToolRun::output, this, &JobQueue::onOutput);
    connect(m_run, &ToolRun::finished, this, &JobQueue::onRunFinished);
    connect(m_run, &ToolRun::stalled, this, &JobQueue::stalled);
    connect(m_run, &ToolRun::moving, this, &JobQueue::moving);
    if (m_run->isFinished()) {
        onRunFinished(m_run->outcome());
        return;
    }
    // Saved with the job: a tool that outlives this program (one that ignores the signals
    // sent to end it) is found by the next start before it writes again.
    Job running = m_jobs.job(row);
    running.toolPid = m_run->processId();
    running.toolStart = platform::processStartTime(running.toolPid);
    m_jobs.setJob(row, running);
}

void JobQueue::onOutput(const QString& chunk)
{
    // "100%" may be cut by a read.
    if ((m_tail100 + chunk).contains(QStringLiteral("100%")))
        m_reached100 = true;
    m_tail100 = chunk.right(3);
    if (m_reached100)
        m_after100.start();

    const auto recordText = m_progress.feed(chunk);
    if (!recordText)
        return;
    const auto record = parse::ParseProgressRecord(*recordText);
    if (!record)
        return;
    JobProgress p;
    p.percent = static_cast<int>(record->percent);
    p.percentText = record->percentText;
    p.remaining = record->remaining;
    p.speed = record->speed;
    p.jobNumber = runNumber();
    p.jobCount = runCount();
    m_percent = record->percent;
    p.queueSecondsLeft = secondsLeft();
    const int n = p.jobCount;
    p.overall = p.percent;
    if (n > 1) {
        const qint64 base = parse::RoundHalfEven(100.0 / n * (p.jobNumber - 1));
        p.overall = static_cast<int>(
            std::clamp(std::floor(record->percent / n + static_cast<double>(base)), 0.0, 100.0));
    }
    emit progressChanged(p);
}

void JobQueue::decideResult(Job& job, const RunOutcome& outcome, bool reached100,
                            const QString& toolName)
{
    job.error = ToolError::None;
    job.noResult = false;
    job.reason.clear();
    job.notVerified.clear();
    job.toolReported.clear();
    job.incomplete = false;
    if (outcome.succeeded() && reached100 && outcome.error == ToolError::None) {
        job.state = JobState::Complete;
        return;
    }
    // Nothing moved for the whole limit (a disk or an export that stopped answering), and
    // Ventrik ended it: what it left is looked at when the queue resumes, as for a PS2 that
    // went away.
    if (outcome.timedOut) {
        job.state = JobState::Failed;
        job.error = ToolError::Stalled;
        job.reason = tr("stopped answering: nothing moved for %1 s").arg(outcome.silenceMs / 1000);
        return;
    }
    if (outcome.cancelled || outcome.error == ToolError::Interrupted) {
        job.state = JobState::Aborted;
        return;
    }
    job.state = JobState::Failed;
    job.error = outcome.error;
    // A run that ended well without reaching its end: the tool's old riddle.
    job.noResult = outcome.succeeded() && !reached100 && outcome.error == ToolError::None;
    job.reason = outcome.reason(toolName);

    // What a PS2 that went away mid-job left is unknown until it answers again.
    if (job.error == ToolError::ServerGone && writesAGame(job))
        job.reason = tr("The PS2 stopped answering; its game is checked when the queue "
                        "resumes.");
}

void JobQueue::onRunFinished(const RunOutcome& outcome)
{
    const int row = m_row;
    if (row < 0)
        return;
    m_lastOutcome = outcome;
    QString tool = QStringLiteral("hdl_dump");
    if (m_run) {
        tool = QFileInfo(m_run->command().program).fileName();
        m_run->disconnect(this);
    }
    m_run = nullptr;
    if (m_toolStartedMs > 0)
        m_toolMs += QDateTime::currentMSecsSinceEpoch() - m_toolStartedMs;
    m_toolStartedMs = 0;
    m_after100.stop();
    Job job = m_jobs.job(row);
    decideResult(job, outcome, m_reached100, tool);
    // Install Now has no later run that looks at what a lost PS2 was left with.
    if (m_singleJobs && job.error == ToolError::ServerGone && writesAGame(job))
        job.reason = tr("The PS2 stopped answering; part of the game may be on its disk. Read its "
                        "games when it answers again, and delete the game if it is listed.");
    if (m_endedAfter100) {
        // Ended by Ventrik, not by the user: the disk says whether the game is whole.
        job.state = JobState::Failed;
        job.error = ToolError::None;
        job.reason = tr("%1 did not end after 100%; it was ended after %2 s")
                         .arg(tool)
                         .arg((m_after100.interval() + 999) / 1000);
    }
    if (!m_partFile.isEmpty()) {
        QString error;
        // An image takes an older one's place only when it is whole: the game's size from the
        // listing, or the disc's; and never shorter than the volume it holds says.
        const qint64 expected = job.sizeKb * 1024;
        const qint64 made = QFileInfo(m_partFile).size();
        const QString cut = ImageShortfall(m_partFile, made);
        if (job.state == JobState::Complete && expected > 0 && made != expected) {
            job.state = JobState::Failed;
            job.reason = tr("The image has %1 bytes where the game has %2; it was not kept.")
                             .arg(made)
                             .arg(expected);
        } else if (job.state == JobState::Complete && !cut.isEmpty()) {
            job.state = JobState::Failed;
            job.reason = cut;
        } else if (job.state == JobState::Complete &&
                   !platform::replaceFile(m_partFile, job.destination, &error)) {
            job.state = JobState::Failed;
            job.reason = tr("The image could not be put in place: %1").arg(error);
        }
        QFile::remove(m_partFile);
        m_partFile.clear();
    }
    // A cancelled job is not looked for: the tool removes what it began.
    // A tool that ended well saying nothing is judged by the disk too.
    const bool check = m_verify && writesAGame(job) && job.state != JobState::Aborted &&
                       (job.state == JobState::Complete || m_reached100 || job.noResult);
    if (!check) {
        finishJob(row, job);
        return;
    }
    m_waiting = true;
    const bool reached100 = m_reached100;
    const bool exitedWithError =
        !m_endedAfter100 && outcome.started && outcome.normalExit && outcome.exitCode != 0;
    m_verify(job, [this, row, job, reached100, exitedWithError](const Verification& found) mutable {
        m_waiting = false;
        if (m_row != row)
            return;
        applyVerification(job, found, reached100, exitedWithError);
        finishJob(row, job);
    });
}

bool JobQueue::writesAGame(const Job& job)
{
    return !WriteTarget(job).isNull();
}

void JobQueue::applyVerification(Job& job, const Verification& found, bool reached100,
                                 bool exitedWithError)
{
    const QString target = job.destination;
    switch (found.found) {
    case Verification::Found::Unknown:
        if (job.state == JobState::Complete)
            job.notVerified = found.problem;
        return;
    case Verification::Found::Whole:
        // A game found whole after the tool failed past 100% (a crash, an error text) is the
        // game; a tool that ended with an error status said it is not, and is believed.
        if (job.state == JobState::Failed && (reached100 || job.noResult) && !exitedWithError) {
            job.toolReported = job.noResult           ? tr("nothing, and it ended well")
                               : job.reason.isEmpty() ? JobResultText(job)
                                                      : job.reason;
            job.state = JobState::Complete;
            job.error = ToolError::None;
            job.noResult = false;
            job.reason.clear();
        }
        return;
    case Verification::Found::NotNew:
        if (job.state == JobState::Complete) {
            job.state = JobState::Failed;
            job.reason = tr("the tool reported success, but the game %1 on %2 was there before "
                            "the job; nothing new was written")
                             .arg(job.writes, target);
        }
        return;
    case Verification::Found::Missing:
        if (job.state == JobState::Complete) {
            job.state = JobState::Failed;
            job.reason = tr("the tool reported success, but %1 is not on %2").arg(job.name, target);
        }
        return;
    case Verification::Found::Short:
        job.state = JobState::Failed;
        job.incomplete = true;
        job.error = ToolError::None;
        job.noResult = false;
        job.reason = tr("%1 is on %2 with %3 KB of %4 KB")
                         .arg(job.name, target)
                         .arg(found.sizeKb)
                         .arg(job.sizeKb);
        return;
    }
}

QString JobQueue::partFileOf(const Job& job)
{
    return job.destination + QStringLiteral(".part");
}

QStringList JobQueue::toolArguments(const Job& job)
{
    if (!writesAFile(job))
        return JobArguments(job);
    // The tool sizes its file first and cannot be stopped cleanly: it writes beside the
    // old image, which is replaced only by a finished copy.
    Job run = job;
    run.destination = partFileOf(job);
    return JobArguments(run);
}

bool JobQueue::writesAFile(const Job& job)
{
    return job.kind == JobKind::MakeIso || job.kind == JobKind::CopyToPC;
}

bool JobQueue::refuse(Job& job)
{
    QString reason;
    if (writesAFile(job)) {
        reason = FolderProblem(job.destination);
        if (reason.isEmpty() && QFileInfo::exists(job.destination) && !job.replaceExisting) {
            job.error = ToolError::FileExists;
            reason = tr("%1 already exists.").arg(job.destination);
        }
    }
    // Disks named by their paths cannot be joined with a game's name: that would be a
    // file inside /dev.
    if (job.kind == JobKind::CopyToHDD && !CanCopyBetweenDisks(job.destination))
        reason = tr("hdl_dump cannot copy a game from one disk to another here.");
    if (reason.isEmpty())
        return false;
    job.state = JobState::Failed;
    job.reason = reason;
    return true;
}

std::optional<qint64> JobQueue::secondsLeft() const
{
    if (!m_active || m_row < 0)
        return std::nullopt;
    const qint64 current = m_jobs.job(m_row).sizeKb;
    const double doneKb = static_cast<double>(m_doneKb) + current * m_percent / 100.0;
    // The speed of the tool's own runs: the checks and reads before each job (slow over a
    // PS2's network link) would make the copying look slower than it is.
    const qint64 elapsedMs =
        m_toolMs +
        (m_toolStartedMs > 0 ? QDateTime::currentMSecsSinceEpoch() - m_toolStartedMs : 0);
    // Too early for a speed worth showing.
    if (doneKb <= 0 || elapsedMs < 2000)
        return std::nullopt;
    double leftKb = current * (100.0 - m_percent) / 100.0;
    for (int row = m_row + 1; row < m_jobs.count(); ++row) {
        if (m_jobs.job(row).state == JobState::Pending && runs(m_jobs.job(row)))
            leftKb += static_cast<double>(m_jobs.job(row).sizeKb);
    }
    return static_cast<qint64>(
        std::ceil(leftKb / (doneKb / static_cast<double>(elapsedMs)) / 1000.0));
}

void JobQueue::finishJob(int row, Job job)
{
    const JobListModel::OneStep step(m_jobs);
    job.endedAt = QDateTime::currentMSecsSinceEpoch();
    job.toolPid = 0;
    job.toolStart = 0;
    m_doneKb += job.sizeKb;
    m_percent = 0;
    // Stopped because its disk went away: it waits for the disk to come back.
    if (!m_lostDisk.isEmpty()) {
        job.state = JobState::Pending;
        job.reason = m_lostDiskReason;
    }
    m_jobs.setJob(row, job);
    emit jobFinished(row);
    if (!m_lostDisk.isEmpty()) {
        end();
        return;
    }
    // A PS2 that no longer answers fails every later job the same way: the run stops
    // and they wait, Pending, for the next one.
    if (job.state == JobState::Failed &&
        (job.error == ToolError::ConnectionRefused || job.error == ToolError::NetworkTimeout ||
         job.error == ToolError::ServerGone || job.error == ToolError::Stalled)) {
        m_connectionLost = true;
        end();
        return;
    }
    if (m_cancelled || m_stopAfterCurrent ||
        (m_stopAfterFailure && job.state != JobState::Complete)) {
        end();
        return;
    }
    runNext(row + 1);
}
