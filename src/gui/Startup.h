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
Program StartProgram(const AppPaths& paths, SessionSeams sessionSeams, MainSeams mainSeams);
