#pragma once

#include <QString>

class Dialogs;
struct RunState;

// Reads every chunk of the tool's output and turns recognised texts into
// list entries, captions, progress and messages. Its sections act only
// while their flag in RunState is set.
class Interpreter
{
public:
    Interpreter(RunState& state, Dialogs& dialogs) : m_state(state), m_dialogs(dialogs) {}

    void InterpretOutput(const QString& chunk);

private:
    RunState& m_state;
    Dialogs& m_dialogs;
};
