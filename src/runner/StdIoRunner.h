#pragma once

#include "ToolCommand.h"

#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QStringDecoder>
#include <QTimer>

#include <functional>

// Runs one tool command line as a child process with standard output and
// standard error merged, delivering the output in chunks of at most 4096
// characters as GotData. ExecuteCommand returns when the child has ended,
// while the event loop keeps running (other windows' handlers run inside it).
// (Named cStdIO after its role; the file name avoids clashing with <cstdio>.)
class cStdIO : public QObject
{
    Q_OBJECT
public:
    static constexpr int kChunkSize = 4096;
    // Chunks handled before the event loop gets a turn.
    static constexpr int kChunksPerTurn = 4;

    struct RunOutcome
    {
        bool started = false;
        bool normalExit = false; // ended by itself, not by a signal or crash
        int exitCode = -1;
        bool gotOutput = false;
        bool cancelled = false;
    };

    explicit cStdIO(QObject* parent = nullptr);
    ~cStdIO() override;

    ToolCommand CommandLine() const { return m_command; }
    void setCommandLine(const ToolCommand& command);
    bool Ready() const { return m_ready; }
    static QString version()
    {
        return QStringLiteral("Standard Input/Output Class v0.1 BETA by Dorvane");
    }

    // Runs command (or the stored command line when command is empty) and
    // returns the last chunk read.
    QString ExecuteCommand(const ToolCommand& command = {});
    void Cancel();
    // Writes text and CR LF to the child's standard input; returns the byte
    // count of text, or -1.
    qint64 WriteData(const QString& text);

    // Ctrl+C for a child without a console: SIGINT now, then SIGTERM and
    // SIGKILL if it has not ended after each grace period. False when no tool runs.
    bool Interrupt();

    RunOutcome lastRun() const { return m_outcome; }
    qint64 processId() const;
    void setWorkingDirectory(const QString& dir) { m_workingDirectory = dir; }
    void setGracePeriod(int ms) { m_graceMs = ms; }
    // Called after a run that was not cancelled (the job fallback lives with the job list).
    void setRunEndedHook(std::function<void()> hook) { m_runEndedHook = std::move(hook); }

signals:
    void GotData(const QString& data);
    void CancelSuccess();
    void CancelFail();
    void Complete();
    void Error(int number, const QString& description);
    void cancelRequested(); // internal: ends the wait of the running ExecuteCommand

private:
    void readAvailable();
    // Reads and delivers at most limit chunks (all when limit is negative).
    void readChunks(int limit);
    void escalate();
    void finishProcess(QProcess& process);

    ToolCommand m_command;
    QString m_workingDirectory;
    QString m_lastOutput;
    RunOutcome m_outcome;
    QPointer<QProcess> m_process;
    QStringDecoder m_decoder;
    QTimer m_escalation;
    std::function<void()> m_runEndedHook;
    int m_escalationStep = 0;
    int m_graceMs = 3000;
    bool m_ready = true;
    bool m_cancel = false;
    bool m_reading = false;
};
