#pragma once

#include "frmMain.h"

#include <memory>

// Start-up: default settings when config.cfg is missing, the main window
// loaded and shown. Everything after runs on window events.
std::unique_ptr<frmMain> Main(const AppPaths& paths, MainSeams seams);
