#pragma once

#include <QString>
#include <QtGlobal>

class cStdIO;

// Ends a process given its id. Without windows per process, "closing its
// windows" becomes a polite request to end (SIGTERM); the result says whether
// the process was asked.
class cKillProcess
{
public:
    static QString version() { return QStringLiteral("Kill Process Class v0.1 BETA by Dorvane"); }

    bool KillProcess(qint64 processId);
    // True while the process exists.
    bool PIDInUse(qint64 processId) const;
    // True while the process exists and is the tool.
    bool PIDInUse2(qint64 processId) const;
};

// The Cancel button's aid: the user cannot press Ctrl+C in a console here, so
// the running tool is interrupted as Ctrl+C would, with escalation when it
// does not end. Does nothing when no tool runs.
void ShowToolConsole(cStdIO& runner);
