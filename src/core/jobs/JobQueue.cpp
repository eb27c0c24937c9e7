#include "JobQueue.h"

#include "JobCommands.h"
#include "JobListModel.h"
#include "core/platform/Platform.h"
#include "core/tool/ToolRun.h"

#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <cmath>

JobQueue::JobQueue(JobListModel& jobs, Launcher launch, QObject* parent)
    : QObject(parent), m_jobs(jobs), m_launch(std::move(launch))
{}

bool JobQueue::allComplete() const
{
    for (int row = 0; row < m_jobs.count(); ++row) {
        if (m_jobs.job(row).state != JobState::Complete)
            return false;
    }
    return true;
}

void JobQueue::start()
{
    if (isRunning())
        return;
    m_cancelled = false;
    m_connectionLost = false;
    for (int row = 0; row < m_jobs.count(); ++row) {
        if (m_jobs.job(row).state != JobState::Complete)
            m_jobs.setState(row, JobState::Pending);
    }
    m_active = true;
    // The first job starts from the event loop: a caller never sees the run end
    // inside start(), even when no job can run.
    QTimer::singleShot(0, this, [this] { runNext(0); });
}

void JobQueue::end()
{
    m_row = -1;
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

void JobQueue::runNext(int from)
{
    if (m_cancelled) {
        // Cancelled before its first job began.
        for (int later = from; later < m_jobs.count(); ++later) {
            if (m_jobs.job(later).state != JobState::Complete)
                m_jobs.setState(later, JobState::Aborted);
        }
        end();
        return;
    }
    int row = from;
    while (row < m_jobs.count() && m_jobs.job(row).state == JobState::Complete)
        ++row;
    if (row >= m_jobs.count()) {
        end();
        return;
    }
    m_row = row;
    m_lastRow = row;
    m_reached100 = false;
    m_tail100.clear();
    m_progress.reset();
    m_jobs.setState(row, JobState::Active);
    m_partFile.clear();
    Job job = m_jobs.job(row);
    emit jobStarted(row);
    if (refuse(job)) {
        QTimer::singleShot(0, this, [this, row, job] { finishJob(row, job); });
        return;
    }
    if (writesAFile(job)) {
        m_partFile = partFileOf(job);
        QFile::remove(m_partFile);
    }
    m_run = m_launch(toolArguments(job));
    if (!m_run)
        return;
    connect(m_run, &ToolRun::output, this, &JobQueue::onOutput);
    connect(m_run, &ToolRun::finished, this, &JobQueue::onRunFinished);
    if (m_run->isFinished())
        onRunFinished(m_run->outcome());
}

void JobQueue::onOutput(const QString& chunk)
{
    // "100%" may be cut by a read.
    if ((m_tail100 + chunk).contains(QStringLiteral("100%")))
        m_reached100 = true;
    m_tail100 = chunk.right(3);

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
    p.jobNumber = m_row + 1;
    p.jobCount = m_jobs.count();
    const int n = p.jobCount;
    p.overall = p.percent;
    if (n > 1) {
        const qint64 base = parse::RoundHalfEven(100.0 / n * m_row);
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
    if (outcome.succeeded() && reached100 && outcome.error == ToolError::None) {
        job.state = JobState::Complete;
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
    Job job = m_jobs.job(row);
    decideResult(job, outcome, m_reached100, tool);
    if (!m_partFile.isEmpty()) {
        QString error;
        if (job.state == JobState::Complete &&
            !platform::replaceFile(m_partFile, job.destination, &error)) {
            job.state = JobState::Failed;
            job.reason = tr("The image could not be put in place: %1").arg(error);
        }
        QFile::remove(m_partFile);
        m_partFile.clear();
    }
    finishJob(row, job);
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

void JobQueue::finishJob(int row, const Job& job)
{
    m_jobs.setJob(row, job);
    emit jobFinished(row);
    // A PS2 that no longer answers fails every later job the same way: the run stops
    // and they wait, Pending, for the next one.
    if (job.state == JobState::Failed &&
        (job.error == ToolError::ConnectionRefused || job.error == ToolError::NetworkTimeout)) {
        m_connectionLost = true;
        end();
        return;
    }
    if (m_cancelled) {
        for (int later = row; later < m_jobs.count(); ++later) {
            if (m_jobs.job(later).state != JobState::Complete)
                m_jobs.setState(later, JobState::Aborted);
        }
        end();
        return;
    }
    runNext(row + 1);
}
