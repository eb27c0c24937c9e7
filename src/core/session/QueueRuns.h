#pragma once

#include "ActivityGate.h"
#include "NetworkPs2.h"
#include "Problem.h"
#include "QueueStore.h"
#include "TargetGames.h"
#include "TargetLocks.h"
#include "ToolRunner.h"
#include "core/jobs/JobListModel.h"
#include "core/jobs/JobQueue.h"
#include "core/jobs/Preflight.h"

#include <QObject>
#include <QSet>

#include <functional>

class PowerActions;

// What happens once every job of a run is complete.
struct EndActions
{
    bool powerOffPS2 = false;
    bool shutdownPC = false;
    bool standbyPC = false;
};

// The job queue's runs: the saved list and its store, a run of it or of one job at once
// (Install Now, the command line), the work around each job (the disk locked, its layout
// checked and its table saved before the write; the game looked for after it), the check before
// a run, the end-of-run actions, and the jobs a run that ended with the program left.
class QueueRuns : public QObject
{
    Q_OBJECT
public:
    struct Parts
    {
        ToolRunner& runner;
        TargetGames& games;
        TargetLocks& locks;
        NetworkPs2& network;
        PowerActions& power;
        ActivityGate& gate;
    };
    QueueRuns(Parts parts, const QString& dataDir, const QString& stateDir,
              QObject* parent = nullptr);

    JobListModel& jobs() { return m_jobs; }
    const JobListModel& jobs() const { return m_jobs; }
    QueueStore& store() { return m_store; }
    const QueueStore& store() const { return m_store; }
    // The job of the last Install Now, and how its tool's run ended.
    const Job& nowJob() const { return m_nowJobs.job(0); }
    const RunOutcome& nowOutcome() const { return m_nowQueue.lastOutcome(); }

    // A job that shows no sign of life is said after noticeMs, and ended after limitMs.
    void setStallLimits(int noticeMs, int limitMs);
    void setAfter100Grace(int ms);
    // Appended (also during a run), or handed to the Ventrik that owns the queue; false when
    // it could not be stored (told).
    bool add(const Job& job);
    bool clear();
    // Reads every target the waiting jobs (or those of the rows given) write to, then checked.
    bool check(const QList<int>& only);
    // The jobs that are not complete (or those of the rows given) run in list order, as an
    // activity of the gate (started, then finished). The session ends it once the target was
    // read again.
    bool start(const QList<int>& only);
    // One job at once, outside the list.
    bool runNow(const Job& job);
    // Stops the run under way; false when none runs.
    bool cancel();
    // The queue's running job alone is cancelled; the run goes on.
    void cancelJob() { m_queue.cancelJob(); }
    // A disk was pulled out: the job using it stops. False when none did.
    bool stopForLostDisk(const QString& device, const QString& reason);
    // After finished(): the run's hold on the PC's sleep is let go.
    void releaseAwake();

    void setStopAfterCurrentJob(bool stop) { m_queue.setStopAfterCurrent(stop); }
    bool stopsAfterCurrentJob() const { return m_queue.stopsAfterCurrent(); }
    void setStopAfterFailure(bool stop) { m_queue.setStopAfterFailure(stop); }
    const QList<int>& lastRunRows() const { return m_queue.ranRows(); }
    std::optional<qint64> secondsLeft() const { return m_queue.secondsLeft(); }
    int runJobNumber() const { return m_queue.runNumber(); }
    int runJobCount() const { return m_queue.runCount(); }
    void setEndActions(const EndActions& actions) { m_endActions = actions; }
    const EndActions& endActions() const { return m_endActions; }

    // Reads the saved queue; from then on every change is saved. The jobs that were running
    // when the program ended (or that the journal knows finished) are looked for on their
    // targets, as an activity of the gate (a leftover tool ended first).
    void restore();
    // False while another Ventrik has the saved queue open; one that has ended since is taken
    // over (restored).
    bool owns();
    const QList<int>& checkedRows() const { return m_checkOnly; }
    // Whether a job still to run reads or writes the device.
    bool uses(const QString& device) const;
    // The waiting jobs (or those of the rows given) checked against what is known now.
    QList<PreflightIssue> knownIssues(const QList<int>& only = {}) const;

signals:
    void jobStarted(int row);
    void progressChanged(const JobProgress& progress);
    void runStalled(int seconds);
    void runMoving();
    void incompleteFound(int row);
    void problem(const Problem& problem);
    void started(bool installNow);
    void checked(const QList<PreflightIssue>& issues);
    // A run has ended, its end-of-run actions done; lostNbd: the PS2's export stopped answering.
    void finished(bool installNow, bool cancelled, bool lostNbd);

private:
    // owns(), and why not told.
    bool refuseForeign();
    void prepareRun();
    void runEnded(bool installNow);
    // Before a job writes: its image file and disk locked, its export opened, the disk's layout
    // checked, its table saved (once a run), the disk read (what is there before; the space the
    // game needs, one slice left free).
    void prepareJob(const Job& job, bool installNow, std::function<void(const Job&)> go);
    void prepareWrite(const Job& job, const Target& target, std::function<void(const Job&)> go);
    void verifyJob(const Job& job, std::function<void(Verification)> done);
    // Those jobs looked for on their targets (a leftover tool ended first); done() after.
    void resume(const QList<int>& rows, std::function<void()> done);
    void resumeNext(QList<int> rows, std::function<void()> done);
    void checkTargets(const QList<int>& only, std::function<void()> done);
    void readTargets(QList<Target> targets, std::function<void()> done);
    void updateWarnings();
    void holdAwake();

    ToolRunner& m_runner;
    TargetGames& m_games;
    TargetLocks& m_locks;
    NetworkPs2& m_network;
    PowerActions& m_power;
    ActivityGate& m_gate;
    JobListModel m_jobs;
    JobListModel m_nowJobs;
    JobQueue m_queue;
    JobQueue m_nowQueue;
    QueueStore m_store;
    EndActions m_endActions;
    int m_stallLimitMs = 300000;
    QList<int> m_checkOnly;
    QSet<QString> m_recognised;  // jobs the journal knew as complete, being looked for
    QSet<QString> m_imageLocked; // jobs whose image file this run has locked
    QSet<Target> m_backedUp;     // targets whose table this run saved
    bool m_awake = false;
    bool m_warningsDue = false;
};
