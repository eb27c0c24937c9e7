#pragma once

#include "core/log/RunLog.h"
#include "core/tool/ToolRun.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>

// Starts the tool's runs for a session: each one set up in the tool's working folder,
// logged however it ends, limited in what it keeps, and tried again while it cannot start
// for a passing reason. One run at a time is the shown one (its command and output are
// told); side runs go unseen beside it.
class ToolRunner : public QObject
{
    Q_OBJECT
public:
    using Done = std::function<void(const RunOutcome&)>;

    ToolRunner(QString toolPath, QString workingDir, const QString& logDir,
               QObject* parent = nullptr);

    const QString& toolPath() const { return m_toolPath; }
    void setToolPath(const QString& path) { m_toolPath = path; }
    // The tool's file name, for the reasons that name it.
    QString toolName() const;
    const QString& workingDir() const { return m_workingDir; }
    // How long a listing or a disc read may stay silent; set for each activity.
    void setReadTimeout(int ms) { m_readTimeoutMs = ms; }
    int readTimeout() const { return m_readTimeoutMs; }
    RunLog& log() { return m_log; }

    // A run, set up and logged, not yet started; owner deletes it with itself.
    ToolRun* prepare(const QStringList& args, int silenceMs, QObject* owner);
    // The shown run; done gets the outcome. outputLimit 0: the runner's own.
    ToolRun* run(const QStringList& args, Done done, int silenceMs = 0, qsizetype outputLimit = 0);
    // A job's run: it prints progress for hours, and its reason for failing is at its end.
    // It is said to stall after the notice's silence and ended after the limit's.
    ToolRun* runJob(const QStringList& args);
    void setStallLimits(int noticeMs, int limitMs)
    {
        m_stallNoticeMs = noticeMs;
        m_stallLimitMs = limitMs;
    }
    // Like run, with new attempts while the tool cannot start for a passing reason; a tool
    // that cannot start at all is told once (cannotRun).
    void attempt(const QStringList& args, Done done, int silenceMs = 0);
    // A run beside the shown one: logged, not shown. silenceMs 0: the read timeout.
    ToolRun* side(const QStringList& args, Done done, int silenceMs = 0);

    // A run of another program (pfsshell) beside the tool's: logged with the script it is
    // given, limited and cancelled as the tool's runs are, never shown.
    ToolRun* sideProgram(const ToolCommand& command, const QString& workingDir, Done done,
                         int silenceMs);
    // What the tool would be given for a target: a PS2's export or a disk's view as opened now.
    QString resolved(const QString& target) const { return m_resolve ? m_resolve(target) : target; }

    // Stops the shown run, the runs beside it and any new attempt; cleared by the next begin().
    void cancel();
    // Ends every run at once (SIGKILL): the program leaves now.
    void killAll();
    // What waits to start (a new attempt, a lock) stops; the runs under way go on.
    void cancelWaiting() { m_cancelled = true; }
    void begin() { m_cancelled = false; }
    bool cancelRequested() const { return m_cancelled; }
    bool isRunning() const { return m_current != nullptr; }

    void setRetryPause(int ms) { m_retryPauseMs = ms; }
    // What the tool is given for a target named otherwise to the user (a PS2's export, opened
    // as a file or device): the log and the shown command keep the user's name.
    void setTargetResolver(std::function<QString(const QString&)> resolve)
    {
        m_resolve = std::move(resolve);
    }
    void setOutputLimit(qsizetype chars) { m_outputLimit = chars; }

signals:
    void commandStarted(const QString& shownArguments);
    // The shown run's process started (a job's tool among them).
    void toolStarted(qint64 pid);
    void outputArrived(const QString& chunk);
    void cannotRun(const QString& reason);
    // A run did not end even when killed: it waits on a disk that does not answer.
    void runStuck();

private:
    // The shown run started: told, connected, and done(outcome) when it ends.
    ToolRun* start(ToolRun* run, Done done, const QStringList& args);
    void attemptAgain(const QStringList& args, Done done, int silenceMs, int attempt);

    static constexpr qsizetype kJobOutputLimit = 64 * 1024;
    static constexpr int kAttempts = 4;
    QString m_toolPath;
    QString m_workingDir;
    RunLog m_log;
    QPointer<ToolRun> m_current;
    std::function<QString(const QString&)> m_resolve;
    int m_retryPauseMs = 2000;
    qsizetype m_outputLimit = ToolRun::kDefaultOutputLimit;
    int m_stallNoticeMs = 30000;
    int m_stallLimitMs = 300000;
    int m_readTimeoutMs = 60000;
    bool m_cancelled = false;
};
