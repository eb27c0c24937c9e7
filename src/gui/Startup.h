#pragma once

#include "MainWindow.h"
#include "core/session/Session.h"

#include <memory>

// The running program: the session and the main window over it.
struct Program
{
    std::unique_ptr<Session> session;
    std::unique_ptr<MainWindow> window;
};

// Start-up: default settings when config.cfg is missing, the session made,
// the main window loaded and shown. Everything after runs on events.
// The session and the window, and the saved queue taken: nothing shown yet, no message asked.
Program CreateProgram(const AppPaths& paths, SessionSeams sessionSeams, MainSeams mainSeams);
// All of it, and the window shown with its settings (which may bring a message).
Program StartProgram(const AppPaths& paths, SessionSeams sessionSeams, MainSeams mainSeams);
