#pragma once

#include <QString>

// Where the program, its settings file and the tool live.
struct AppPaths
{
    QString appDir;     // the program's folder, with one trailing separator
    QString configFile; // config.cfg: beside the program when writable, else per user
    QString toolPath;   // the tool: beside the program unless --hdl-dump says otherwise
    QString workingDir; // the tool's own folder to run in (made when first needed)
    QString dataDir;    // the saved queue and partition table backups
    QString stateDir;   // the run log

    // Paths for a program that lives in dir; toolOverride replaces the tool's
    // place. With searchPath, a tool that is not beside the program is looked
    // for on PATH.
    static AppPaths forProgramDir(const QString& dir, const QString& toolOverride = {},
                                  bool searchPath = false);
};

QString AppDir(const AppPaths& paths);
QString HdlDumpPath(const AppPaths& paths);
// True when path names an existing ordinary file.
bool FileExists(const QString& path);
// The message every operation shows when the tool is missing.
QString ToolNotFoundMessage(const AppPaths& paths);
