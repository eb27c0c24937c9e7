#include "KillProcess.h"

#include "StdIoRunner.h"
#include "platform/Platform.h"

bool cKillProcess::KillProcess(qint64 processId)
{
    if (!platform::processExists(processId))
        return false;
    return platform::terminateProcess(processId);
}

bool cKillProcess::PIDInUse(qint64 processId) const
{
    return platform::processExists(processId);
}

bool cKillProcess::PIDInUse2(qint64 processId) const
{
    return platform::processExists(processId) &&
           platform::processImageName(processId).contains(QStringLiteral("hdl_dump"));
}

void ShowToolConsole(cStdIO& runner)
{
    runner.Interrupt();
}
