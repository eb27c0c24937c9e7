#include "Startup.h"

#include "Settings.h"

std::unique_ptr<frmMain> Main(const AppPaths& paths, MainSeams seams)
{
    if (!FileExists(paths.configFile))
        WriteDefaultSettings(paths.configFile);
    auto window = std::make_unique<frmMain>(paths, std::move(seams));
    window->Form_Load();
    window->show();
    return window;
}
