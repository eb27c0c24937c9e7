#pragma once

#include "AppPaths.h"
#include "ToolCommand.h"

#include <QObject>

#include <functional>

class cStdIO;
class Dialogs;

// What the command front writes into the activity view.
class ActivityView
{
public:
    virtual ~ActivityView() = default;
    virtual void setCommandText(const QString& text) = 0;
    virtual void setOutputText(const QString& text) = 0;
    // Shows at once what setOutputText may have held back.
    virtual void flush() {}
};

// Puts the tool's path in front of an operation's arguments, shows them in
// the activity view, runs them through the runner, and passes every chunk of
// output to the interpreter.
class CommandFront : public QObject
{
    Q_OBJECT
public:
    CommandFront(cStdIO& runner, const AppPaths& paths, ActivityView& view, Dialogs& dialogs,
                 QObject* parent = nullptr);

    void setInterpreter(std::function<void(const QString&)> interpreter)
    {
        m_interpreter = std::move(interpreter);
    }
    // Called when a command's output is complete (after an answered run, and
    // when a command gives up), so the interpreter can read whole lists.
    void setRunFinisher(std::function<void()> finisher) { m_finisher = std::move(finisher); }
    // Pause between attempts of HDL_Command; two seconds unless a test shortens it.
    void setRetryPause(int ms) { m_retryPauseMs = ms; }

    // Runs the tool with args, up to four attempts while no answer arrives.
    // 1 when the tool answered, -1 after the attempts ran out (message shown).
    int HDL_Command(const QStringList& args);
    // Runs the tool with args once; "Unexpected error." when another run is busy.
    void HDL_Execute(const QStringList& args);
    // Runs args directly on the runner without a readiness test or retry.
    QString RunDirect(const QStringList& args);

    bool GotOutput() const { return m_gotOutput; }
    // All output of the latest run (its tail when it was very long).
    const QString& lastRunOutput() const { return m_runOutput; }
    // Why the latest run failed, in the tool's words where it said something:
    // its last line of output, else its exit status.
    QString lastRunReason() const;
    ToolCommand commandFor(const QStringList& args) const { return {m_paths.toolPath, args}; }
    const AppPaths& paths() const { return m_paths; }
    int attemptsOfLastCommand() const { return m_attempts; }

    void StdIO_GotData(const QString& data);

signals:
    void outputArrived();

private:
    bool runOnce(const QStringList& args);
    void finish()
    {
        m_view.flush();
        if (m_finisher)
            m_finisher();
    }

    cStdIO& m_runner;
    AppPaths m_paths;
    ActivityView& m_view;
    Dialogs& m_dialogs;
    std::function<void(const QString&)> m_interpreter;
    std::function<void()> m_finisher;
    int m_retryPauseMs = 2000;
    int m_attempts = 0;
    bool m_gotOutput = false;
    QString m_runOutput;
};
