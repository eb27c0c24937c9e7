#pragma once

#include "Job.h"
#include "core/output/Parsers.h"
#include "core/tool/RunOutcome.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

class JobListModel;
class ToolRun;

// Progress of the running job and of the whole run.
struct JobProgress
{
    int percent = 0;
    QString percentText; // as the tool wrote it
    std::optional<QString> remaining;
    std::optional<QString> speed;
    int overall = 0;
    int jobNumber = 0; // from 1, the row's place in the list
    int jobCount = 0;
};

// Runs the jobs of a list one after another, as a state machine: a job's
// run finishing decides its result and starts the next. Nothing waits.
class JobQueue : public QObject
{
    Q_OBJECT
public:
    // Starts the tool with the arguments and hands back the run (owned by the caller).
    using Launcher = std::function<ToolRun*(const QStringList& args)>;

    JobQueue(JobListModel& jobs, Launcher launch, QObject* parent = nullptr);

    // Every job that is not Complete runs again. Nothing when already running.
    void start();
    // Interrupts the running job; it and the later jobs become Aborted.
    void cancel();
    bool isRunning() const { return m_active; }
    bool wasCancelled() const { return m_cancelled; }
    // The run stopped because the PS2 of a job stopped answering.
    bool lostConnection() const { return m_connectionLost; }
    int currentRow() const { return m_row; }
    // The row of the job that ran last.
    int lastRow() const { return m_lastRow; }
    // True when every job of the finished run is Complete.
    bool allComplete() const;
    const RunOutcome& lastOutcome() const { return m_lastOutcome; }

    // The arguments a job's run gives the tool (an image goes to NAME.part first).
    static QStringList toolArguments(const Job& job);

    // The result a job's run gives, from its outcome and whether it reached 100%.
    static void decideResult(Job& job, const RunOutcome& outcome, bool reached100,
                             const QString& toolName);

signals:
    void jobStarted(int row);
    void progressChanged(const JobProgress& progress);
    void jobFinished(int row);
    void finished();

private:
    static QString partFileOf(const Job& job);
    // Jobs that write an image file on this computer.
    static bool writesAFile(const Job& job);
    // A job that cannot run at all is failed with its reason as it starts.
    static bool refuse(Job& job);
    void finishJob(int row, const Job& job);
    void end();
    void runNext(int from);
    void onOutput(const QString& chunk);
    void onRunFinished(const RunOutcome& outcome);

    JobListModel& m_jobs;
    Launcher m_launch;
    QPointer<ToolRun> m_run;
    parse::ProgressStream m_progress;
    int m_row = -1;
    bool m_active = false;
    int m_lastRow = -1;
    bool m_reached100 = false;
    bool m_cancelled = false;
    bool m_connectionLost = false;
    QString m_tail100;
    RunOutcome m_lastOutcome;
    QString m_partFile; // where the running job's image is written until it is complete
};
