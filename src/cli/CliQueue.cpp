// The queue's commands: add, add-folder, list, run, clear.
#include "CliCommand.h"

#include "CliSupport.h"
#include <QTimer>

#include "core/jobs/JobListModel.h"
#include "core/session/ProblemText.h"
#include "core/session/Session.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace cli;

void CliCommand::queue(const QStringList& args)
{
    // A saved queue with jobs of a run that ended with the program is put right first.
    m_session.restoreQueue();
    auto go = [this, args] {
        const QString sub = args[0];
        const QStringList rest = args.mid(1);
        if (sub == QLatin1String("add")) {
            queueAdd(rest);
        } else if (sub == QLatin1String("add-folder")) {
            queueAddFolder(rest);
        } else if (sub == QLatin1String("list") && rest.isEmpty()) {
            queueList();
        } else if (sub == QLatin1String("run")) {
            queueRun(rest);
        } else if (sub == QLatin1String("clear") && rest.isEmpty()) {
            finish(m_session.clearQueue() && !m_failed ? 0 : 1);
        } else {
            usageError(QStringLiteral("queue takes add, list, run or clear"));
        }
    };
    m_session.whenIdle(go);
}

void CliCommand::queueAdd(const QStringList& args)
{
    auto add = [this](const Job& job) {
        if (m_options.dryRun) {
            printDryRun({JobQueue::toolArguments(job)});
            return;
        }
        const bool handedOver = !m_session.ownsQueue();
        // Said only once the job is in a file: a job only in memory is lost when this ends.
        if (!m_session.addJob(job)) {
            finish(1);
            return;
        }
        if (handedOver) {
            waitForHandOver(m_session.jobs().job(m_session.jobs().count() - 1),
                            m_session.jobs().count() - 1, 0);
            return;
        }
        const int row = m_session.jobs().count() - 1;
        for (const PreflightIssue& issue : m_session.runs().knownIssues()) {
            if (issue.row == row)
                writeWarning(issue.text);
        }
        print(jobJson(m_session.jobs().job(row), row), QStringLiteral("job %1 added: %2 %3\n")
                                                           .arg(row + 1)
                                                           .arg(JobKindText(job.kind), job.name));
        finish(0);
    };
    const QString kind = args.value(0);
    const QStringList rest = args.mid(1);
    if (kind == QLatin1String("install") && rest.size() >= 2) {
        prepareInstall(rest, add);
    } else if (kind == QLatin1String("copy-to-pc") && rest.size() == 3) {
        prepareCopyToPc(rest, add);
    } else if (kind == QLatin1String("make-iso") && rest.size() == 2) {
        add(makeIsoJob(rest));
    } else {
        usageError(QStringLiteral("queue add takes install, copy-to-pc or make-iso with their "
                                  "arguments"));
    }
}

void CliCommand::waitForHandOver(const Job& job, int row, int waitedMs)
{
    // Added only once the Ventrik that has the queue open has saved it; told why when it
    // could not, and said so when it has not taken it yet.
    const HandOver said = m_session.runs().store().handOverOf(job.id);
    if (said.state == HandOver::State::Taken) {
        print(jobJson(job, row),
              QStringLiteral("job added to the queue of the Ventrik that has it open: %1 %2\n")
                  .arg(JobKindText(job.kind), job.name));
        finish(0);
        return;
    }
    if (said.state == HandOver::State::Refused) {
        writeError(QStringLiteral("the Ventrik that has the queue open could not save the job "
                                  "(%1); it waits to be taken until it can.")
                       .arg(said.why));
        finish(1);
        return;
    }
    if (waitedMs >= kHandOverWaitMs) {
        print(jobJson(job, row),
              QStringLiteral("job handed to the Ventrik that has the queue open, which has not "
                             "taken it yet: %1 %2\n")
                  .arg(JobKindText(job.kind), job.name));
        finish(0);
        return;
    }
    QTimer::singleShot(100, this,
                       [this, job, row, waitedMs] { waitForHandOver(job, row, waitedMs + 100); });
}

void CliCommand::queueAddFolder(const QStringList& args)
{
    std::optional<DiscType> type;
    if (args.size() == 4 && args[2] == QLatin1String("--type")) {
        type = discTypeArgument(args[3]);
        if (!type)
            return;
    } else if (args.size() != 2) {
        usageError(QStringLiteral("queue add-folder takes TARGET DIR [--type cd|dvd]"));
        return;
    }
    const std::optional<Target> target = targetArgument(args[0]);
    if (!target)
        return;
    const QString folder = callersPath(args[1]);
    if (!QFileInfo(folder).isDir()) {
        usageError(QStringLiteral("%1 is no folder").arg(args[1]));
        return;
    }
    m_session.selectTarget(*target);
    connect(&m_session, &Session::batchRead, this, [this](const BatchSummary& summary) {
        using Outcome = BatchEntry::Outcome;
        QJsonArray added, notPs2, installed, queued, skipped;
        QString text;
        for (const BatchEntry& e : summary.entries) {
            const QJsonObject item{{QStringLiteral("file"), e.path},
                                   {QStringLiteral("name"), e.job.name},
                                   {QStringLiteral("startup"), e.job.startup},
                                   {QStringLiteral("type"), DiscTypeText(e.job.type)},
                                   {QStringLiteral("type_from_size"), e.typeFromSize},
                                   {QStringLiteral("same_startup_as"), e.sameStartupAs},
                                   {QStringLiteral("reason"), e.reason}};
            switch (e.outcome) {
            case Outcome::Added:
                added.append(item);
                text += QStringLiteral("added        %1  (%2)\n").arg(e.job.name, e.path);
                break;
            case Outcome::NotPs2:
                notPs2.append(item);
                text += QStringLiteral("not PS2      %1: %2\n").arg(e.path, e.reason);
                break;
            case Outcome::Installed:
                installed.append(item);
                text += QStringLiteral("installed    %1  (%2): %3 is on %4 as \"%5\"\n")
                            .arg(e.job.name, e.path, e.job.startup, e.reason, e.sameStartupAs);
                break;
            case Outcome::Queued:
                queued.append(item);
                text += QStringLiteral("queued       %1  (%2): %3 is queued as \"%4\"\n")
                            .arg(e.job.name, e.path, e.job.startup, e.sameStartupAs);
                break;
            case Outcome::Skipped:
                skipped.append(item);
                text += QStringLiteral("skipped      %1: %2\n").arg(e.path, e.reason);
                break;
            }
        }
        text +=
            QStringLiteral("%1 of %2 images added\n").arg(added.size()).arg(summary.entries.size());
        print(QJsonObject{{QStringLiteral("added"), added},
                          {QStringLiteral("not_ps2"), notPs2},
                          {QStringLiteral("already_installed"), installed},
                          {QStringLiteral("already_queued"), queued},
                          {QStringLiteral("skipped"), skipped}},
              text);
        finish(summary.cancelled || m_failed ? 1 : 0);
    });
    if (!m_session.addImages({folder}, type))
        finish(1);
}

void CliCommand::queueList()
{
    QJsonArray list;
    QString text;
    const JobListModel& jobs = m_session.jobs();
    for (int row = 0; row < jobs.count(); ++row) {
        const Job& j = jobs.job(row);
        list.append(jobJson(j, row));
        text += QStringLiteral("%1  %2  %3  %4 -> %5  %6\n")
                    .arg(row + 1, 3)
                    .arg(JobResultText(j), -10)
                    .arg(JobKindText(j.kind), -11)
                    .arg(j.source, j.destination, j.name);
    }
    if (jobs.count() == 0)
        text = QStringLiteral("The queue is empty.\n");
    print(list, text);
    finish(0);
}

void CliCommand::queueRun(const QStringList& args)
{
    bool yes = false;
    bool stopAfterFailure = false;
    for (const QString& a : args) {
        if (a == QLatin1String("--yes")) {
            yes = true;
        } else if (a == QLatin1String("--stop-after-failure")) {
            stopAfterFailure = true;
        } else {
            usageError(QStringLiteral("unknown option %1").arg(a));
            return;
        }
    }
    const JobListModel& jobs = m_session.jobs();
    if (m_options.dryRun) {
        QList<QStringList> commands;
        for (const Job& j : jobs.allJobs()) {
            if (j.state != JobState::Complete)
                commands << JobQueue::toolArguments(j);
        }
        printDryRun(commands);
        return;
    }
    if (jobs.count() == 0 ||
        std::all_of(jobs.allJobs().cbegin(), jobs.allJobs().cend(),
                    [](const Job& j) { return j.state == JobState::Complete; })) {
        print(QJsonArray(), QStringLiteral("No job is waiting.\n"));
        finish(0);
        return;
    }
    auto* guard = new QObject(this);
    connect(&m_session, &Session::queueChecked, guard,
            [this, guard, yes, stopAfterFailure](const QList<PreflightIssue>& issues) {
                guard->deleteLater();
                QJsonArray findings;
                for (const PreflightIssue& issue : issues) {
                    writeErr(QStringLiteral("job %1: %2\n").arg(issue.row + 1).arg(issue.text));
                    findings.append(
                        QJsonObject{{QStringLiteral("job"), issue.row + 1},
                                    {QStringLiteral("kind"), PreflightKindName(issue.kind)},
                                    {QStringLiteral("text"), issue.text}});
                }
                if (!issues.isEmpty() && !yes) {
                    writeError(QStringLiteral("The queue was not started. Fix the jobs, or run "
                                              "it with --yes to start it anyway."));
                    print(QJsonObject{{QStringLiteral("started"), false},
                                      {QStringLiteral("findings"), findings},
                                      {QStringLiteral("jobs"), QJsonArray()}},
                          QString());
                    finish(1);
                    return;
                }
                m_session.runs().setStopAfterFailure(stopAfterFailure);
                showProgress();
                connect(&m_session, &Session::runFinished, this, [this, findings](bool now, bool) {
                    if (now)
                        return;
                    QJsonArray results;
                    QString text;
                    bool allOk = true;
                    bool allVerified = true;
                    for (const int row : m_session.runs().lastRunRows()) {
                        const Job& j = m_session.jobs().job(row);
                        allOk = allOk && j.state == JobState::Complete;
                        allVerified = allVerified && j.notVerified.isEmpty();
                        results.append(jobJson(j, row));
                        text += QStringLiteral("job %1 %2: %3\n")
                                    .arg(row + 1)
                                    .arg(j.name, JobResultText(j));
                    }
                    allOk = allOk && m_session.jobs().pendingCount() == 0;
                    // A run whose results could not all be saved has failed: the next run
                    // would read an older queue.
                    if (m_session.runs().store().saveFailedInRun()) {
                        writeError(QStringLiteral("The job queue could not be saved during the "
                                                  "run; see the message above."));
                        allOk = false;
                    }
                    print(QJsonObject{{QStringLiteral("started"), true},
                                      {QStringLiteral("findings"), findings},
                                      {QStringLiteral("jobs"), results}},
                          text);
                    finish(!allOk ? 1 : allVerified ? 0 : kNotVerified);
                });
                if (!m_session.startQueue())
                    finish(1);
            });
    if (!m_session.checkQueue())
        finish(1);
}
