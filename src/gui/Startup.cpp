#include "Startup.h"

Program StartProgram(const AppPaths& paths, SessionSeams sessionSeams, MainSeams mainSeams)
{
    if (!FileExists(paths.configFile))
        WriteDefaultSettings(paths.configFile);
    Program p;
    p.session = std::make_unique<Session>(paths, sessionSeams);
    p.window = std::make_unique<MainWindow>(*p.session, std::move(mainSeams));
    p.window->load();
    // The window hears what the saved queue brings (a file kept aside, a game left half).
    p.session->restoreQueue();
    return p;
}
