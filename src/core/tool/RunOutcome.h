#pragma once

#include "core/output/ToolErrors.h"

#include <QString>

#include <cstdint>

// Why a run could not start: a missing or unpermitted program is no passing fault.
enum class StartFailure : std::uint8_t { None, Missing, NotPermitted, Other };

// How one run of the tool ended, as a value.
struct RunOutcome
{
    bool started = false;
    StartFailure startFailure = StartFailure::None;
    QString startError; // why it could not start, in words
    bool normalExit = false;
    int exitCode = -1;
    int signal = 0; // the signal that ended it, when it did not end by itself
    bool cancelled = false;
    bool timedOut = false;
    int silenceMs = 0; // the silence that ended a run that timed out
    bool gotOutput = false;
    bool outputCut = false; // more was printed than a run keeps
    QString output;         // what the run printed (its end, when very long)
    QString errorOutput;    // its standard error, where the command keeps it apart
    ToolError error = ToolError::None;

    // Ended by itself with status 0, not cancelled and not timed out.
    bool succeeded() const
    {
        return started && normalExit && exitCode == 0 && !cancelled && !timedOut;
    }
    // Why a run failed, in the tool's own words where it said something.
    QString reason(const QString& toolName) const;
};

// A read of a disc whose answer is that it holds no PS2 game: the tool said so, or ended well
// without any disc information. A crash or a failure to start says nothing of the disc.
inline bool IsNotAPs2Disc(const RunOutcome& outcome)
{
    return outcome.error == ToolError::NotPs2Disc ||
           (outcome.started && outcome.normalExit &&
            (outcome.exitCode == 111 || outcome.exitCode == 112)) ||
           (outcome.succeeded() && outcome.error == ToolError::None);
}
