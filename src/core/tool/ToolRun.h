#pragma once

#include "RunOutcome.h"
#include "ToolCommand.h"

#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QStringDecoder>
#include <QTimer>

// One run of the tool: starts the process, delivers its output as it arrives
// and emits finished() exactly once. Standard output and standard error are
// merged, as the user saw them in a console. Can always be cancelled: SIGINT
// first (Ctrl+C, which the tool answers by stopping cleanly), then SIGTERM and
// SIGKILL if it does not end.
class ToolRun : public QObject
{
    Q_OBJECT
public:
    static constexpr int kChunkSize = 4096;
    // Time spent handling chunks before the event loop gets a turn.
    static constexpr int kMsPerTurn = 8;
    static constexpr qsizetype kDefaultOutputLimit = 16 * 1024 * 1024;

    explicit ToolRun(ToolCommand command, QObject* parent = nullptr);
    ~ToolRun() override;

    const ToolCommand& command() const { return m_command; }
    void setWorkingDirectory(const QString& dir) { m_workingDirectory = dir; }
    // A run that prints nothing for this long is ended as timed out; 0: never.
    void setSilenceTimeout(int ms) { m_silenceMs = ms; }
    // stalled() once a run has printed nothing for this long (again after each time it
    // printed); 0: never.
    void setStallNotice(int ms) { m_stallNoticeMs = ms; }
    void setGracePeriod(int ms) { m_graceMs = ms; }
    void setOutputLimit(qsizetype chars) { m_outputLimit = chars; }

    void start();
    void cancel();
    // Ends the run at once, the way that cannot be ignored: for a program that must leave now.
    void kill();
    bool isRunning() const;
    // The tool's process while it runs, else 0.
    qint64 processId() const;
    bool isFinished() const { return m_finished; }
    const RunOutcome& outcome() const { return m_outcome; }

signals:
    void output(const QString& chunk);
    void finished(const RunOutcome& outcome);
    // Nothing has been printed for that many seconds; moving() when output comes again.
    void stalled(int seconds);
    void moving();
    // Even SIGKILL did not end it (a write waiting on a disk that does not answer): the run
    // ends without it, and whoever holds that disk open may cut it off.
    void stuck();

private:
    // Handles chunks for at most kMsPerTurn, or all of them when the run has ended.
    void readChunks(bool all);
    void onFinished(int exitCode, QProcess::ExitStatus status);
    void onError(QProcess::ProcessError error);
    void escalate();
    void stop();
    void finish();

    ToolCommand m_command;
    QString m_workingDirectory;
    QProcess* m_process = nullptr;
    QStringDecoder m_decoder;
    QTimer m_escalation;
    QTimer m_silence;
    QTimer m_stall;
    int m_stallNoticeMs = 0;
    bool m_stalled = false;
    RunOutcome m_outcome;
    ToolErrorScanner m_errors;
    qsizetype m_outputLimit = kDefaultOutputLimit;
    int m_silenceMs = 0;
    int m_graceMs = 3000;
    int m_escalationStep = 0;
    bool m_finished = false;
    bool m_readScheduled = false;
};
