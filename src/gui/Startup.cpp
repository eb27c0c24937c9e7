#include "Startup.h"

Program CreateProgram(const AppPaths& paths, SessionSeams sessionSeams, MainSeams mainSeams)
{
    if (!FileExists(paths.configFile))
        WriteDefaultSettings(paths.configFile);
    Program p;
    p.session = std::make_unique<Session>(paths, sessionSeams);
    // A PS2's disk a crashed run left mounted would block the same export's mount.
    p.session->cleanStale();
    p.window = std::make_unique<MainWindow>(*p.session, std::move(mainSeams));
    // The queue is this program's before anything can wait for a user's answer; the window
    // hears what it brings (a file kept aside, a game left half).
    p.session->restoreQueue();
    return p;
}

Program StartProgram(const AppPaths& paths, SessionSeams sessionSeams, MainSeams mainSeams)
{
    Program p = CreateProgram(paths, sessionSeams, std::move(mainSeams));
    p.window->load();
    return p;
}
