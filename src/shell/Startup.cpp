#include "Startup.h"

#include "Settings.h"
#include "frmSettings.h"

std::unique_ptr<frmMain> Main(const AppPaths& paths, MainSeams seams)
{
    if (!FileExists(paths.configFile))
        WriteDefaultSettings(paths.configFile);
    auto window = std::make_unique<frmMain>(paths, std::move(seams));
    // The settings window applies the window-wide settings (on top, colours) as it loads.
    window->settingsWindow().Form_Load();
    window->Form_Load();
    window->show();
    return window;
}
