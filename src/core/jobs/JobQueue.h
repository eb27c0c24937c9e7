#pragma once

#include "Job.h"
#include "core/output/Parsers.h"
#include "core/tool/RunOutcome.h"

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTimer>

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
    std::optional<qint64> queueSecondsLeft;
};

// What a read of the target after a job found of its game.
struct Verification
{
    // NotNew: the job's partition is there, but it was there before the job ran.
    enum class Found : std::uint8_t { Whole, Missing, Short, NotNew, Unknown };
    Found found = Found::Unknown;
    qint64 sizeKb = 0; // what is on the disk
    QString problem;   // why the list could not be read (Unknown)
};

// Runs the jobs of a list one after another, as a state machine: a job's
// run finishing decides its result and starts the next. Nothing waits.
class JobQueue : public QObject
{
    Q_OBJECT
public:
    // Starts the tool with the arguments and hands back the run (owned by the caller).
    using Launcher = std::function<ToolRun*(const QStringList& args)>;
    // Work before a job's run (a backup of the disk's partition table, a read of the disk);
    // go() starts it with the job as prepared, or finishes it when that one has Failed.
    using Preparer =
        std::function<void(const Job& job, std::function<void(const Job& prepared)> go)>;
    // Reads the target after a job that wrote a game to it.
    using Verifier = std::function<void(const Job& job, std::function<void(Verification)> done)>;

    JobQueue(JobListModel& jobs, Launcher launch, QObject* parent = nullptr);
    void setPreparer(Preparer prepare) { m_prepare = std::move(prepare); }
    void setVerifier(Verifier verify) { m_verify = std::move(verify); }

    // Every job that is not Complete runs again; with rows given, only those (the others
    // wait). Nothing when already running.
    void start(const QList<int>& only = {});
    // Where the running job stands in this run: its number from 1, and how many the run
    // has (those done, this one, and those still to come).
    int runNumber() const { return static_cast<int>(m_ranRows.size()); }
    int runCount() const;
    // Interrupts the running job, which becomes Aborted; the jobs after it stay Pending.
    void cancel();
    // Interrupts the running job alone (Aborted, or at once when it has not begun: it waits for
    // its disk); the run goes on with the next. Nothing once the job is being checked.
    void cancelJob();
    // The run ends when the running job has; the others stay Pending.
    void setStopAfterCurrent(bool stop) { m_stopAfterCurrent = stop; }
    bool stopsAfterCurrent() const { return m_stopAfterCurrent; }
    // The run ends after the first job that does not complete.
    void setStopAfterFailure(bool stop) { m_stopAfterFailure = stop; }
    bool isRunning() const { return m_active; }
    bool wasCancelled() const { return m_cancelled; }
    // The run stopped because the PS2 of a job stopped answering, or its tool did.
    bool lostConnection() const { return m_connectionLost; }
    // How long a tool that reached 100% may stay silent before it is ended and its job is
    // judged by what is on the disk.
    void setAfter100Grace(int ms) { m_after100.setInterval(ms); }
    // Jobs run one at a time outside the saved queue (Install Now): nothing resumes them.
    void setSingleJobs(bool single) { m_singleJobs = single; }
    // The disk the running job works on is gone (unplugged): the job is stopped and waits,
    // Pending, with the reason, as the later jobs do. False when no job uses that disk.
    bool stopForLostDisk(const QString& device, const QString& reason);
    // The run ended because its disk went away; the device.
    QString lostDisk() const { return m_lostDisk; }
    int currentRow() const { return m_row; }
    // The row of the job that ran last.
    int lastRow() const { return m_lastRow; }
    // True when every job of the finished run is Complete.
    bool allComplete() const;
    const RunOutcome& lastOutcome() const { return m_lastOutcome; }
    // The rows this run started, in order.
    const QList<int>& ranRows() const { return m_ranRows; }
    // From the sizes of the jobs and the speed so far; nothing before there is a speed.
    std::optional<qint64> secondsLeft() const;

    // The arguments a job's run gives the tool (an image goes to NAME.part first).
    static QStringList toolArguments(const Job& job);

    // The result a job's run gives, from its outcome and whether it reached 100%.
    static void decideResult(Job& job, const RunOutcome& outcome, bool reached100,
                             const QString& toolName);
    // The result once the target was read again: only a game found whole, and new, is
    // complete; a game missing after a reported success is a failure. A tool that exited
    // with an error is never complete.
    static void applyVerification(Job& job, const Verification& found, bool reached100,
                                  bool exitedWithError = false);
    // Jobs that put a game on a disk, checked by reading the disk afterwards.
    static bool writesAGame(const Job& job);

signals:
    void jobStarted(int row);
    void progressChanged(const JobProgress& progress);
    // The running job's tool has printed nothing for that many seconds; moving() once it does.
    void stalled(int seconds);
    void moving();
    void jobFinished(int row);
    void finished();

private:
    static QString partFileOf(const Job& job);
    // Jobs that write an image file on this computer.
    static bool writesAFile(const Job& job);
    // A job that cannot run at all is failed with its reason as it starts.
    static bool refuse(Job& job);
    void finishJob(int row, Job job);
    void end();
    void runNext(int from);
    void launch(int row);
    void onOutput(const QString& chunk);
    void onRunFinished(const RunOutcome& outcome);

    JobListModel& m_jobs;
    Launcher m_launch;
    Preparer m_prepare;
    Verifier m_verify;
    bool m_stopAfterCurrent = false;
    bool m_stopAfterFailure = false;
    bool m_waiting = false; // for a preparation or a verification, not the tool
    bool m_preparing = false;
    QPointer<ToolRun> m_run;
    parse::ProgressStream m_progress;
    int m_row = -1;
    bool m_active = false;
    int m_lastRow = -1;
    bool m_reached100 = false;
    QTimer m_after100;            // silence after 100%
    bool m_endedAfter100 = false; // the tool was ended by it
    bool m_singleJobs = false;
    bool m_cancelled = false;
    bool m_connectionLost = false;
    QString m_lostDisk;
    QString m_lostDiskReason;
    QString m_tail100;
    RunOutcome m_lastOutcome;
    QString m_partFile; // where the running job's image is written until it is complete
    QList<int> m_ranRows;
    QSet<QString> m_only; // the ids of the jobs this run is limited to; empty: all
    bool runs(const Job& job) const;
    qint64 m_toolMs = 0;        // how long this run's finished jobs had the tool running
    qint64 m_toolStartedMs = 0; // when the current job's tool started; 0 between runs
    qint64 m_doneKb = 0;        // sizes of the jobs this run has finished
    double m_percent = 0;       // of the running job
};
