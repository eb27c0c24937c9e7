#pragma once

#include "Parsers.h"

#include <QString>

#include <functional>

class Dialogs;
class InterpreterTarget;
struct RunState;

// Reads every chunk of the tool's output and turns recognised texts into
// list entries, captions, progress and messages. Its sections act only while
// their flag in RunState is set. The lists (devices, disc information, game
// table) are read from the whole output of a run, whatever the pipe's chunk
// boundaries, when the run ends (FinishOutput).
class Interpreter
{
public:
    Interpreter(RunState& state, InterpreterTarget& target, Dialogs& dialogs)
        : m_state(state), m_target(target), m_dialogs(dialogs)
    {}

    // Output of "query" in the tool's own form, for tools that have no "query".
    void setDeviceDiscovery(std::function<QString()> discover) { m_discover = std::move(discover); }
    // Where the settings window's disk list goes; the main target's when not set.
    void setFormatDiskSink(std::function<void(const QString&)> sink)
    {
        m_formatSink = std::move(sink);
    }

    void InterpretOutput(const QString& chunk);
    // The run has ended: the buffered lists are read, and every list flag
    // still set is cleared, so no wait outlives the tool.
    void FinishOutput();

    static constexpr qsizetype kMaxBuffered = 64 * 1024 * 1024;

private:
    bool connectionFailure(const QString& chunk);
    bool jobResults(const QString& chunk);
    bool discovery(const QString& text);
    void settingsDiskList(const QString& text);
    bool discInformation(const QString& text);
    void gameTable(const QString& text);
    bool listFlagSet() const;

    RunState& m_state;
    InterpreterTarget& m_target;
    std::function<void(const QString&)> m_formatSink;
    Dialogs& m_dialogs;
    std::function<QString()> m_discover;
    QString m_buffer;
    parse::ProgressStream m_progress;
    QString m_jobTail; // end of the previous chunk, for texts cut by a read
};
