#pragma once

#include <QString>

// The flags that tell the interpreter what output to expect and how a job
// run stands. The main window owns the one instance and hands it by
// reference to the interpreter and the runners.
struct RunState
{
    bool AwaitDiskList = false;
    bool AwaitOpticalList = false;
    bool AwaitFormatList = false;
    bool AwaitDiscInfo = false;
    bool AwaitGameTable = false;

    bool JobActive = false;
    bool InstallNow = false;
    bool JobFinished = false;
    bool JobStopped = false;
    int CurrentJob = 0; // 1-based row of the running job
    // The result the interpreter recognised for the running job, also for an
    // immediate install, which has no row to hold it. Empty: none yet.
    QString JobOutcome;
};
