#pragma once

#include <QString>
#include <QStringList>

// Where the program, its settings file and the tool live.
struct AppPaths
{
    QString appDir;       // the program's folder, with one trailing separator
    QString configFile;   // config.cfg: beside the program when writable, else per user
    QString toolPath;     // the tool: beside the program unless --hdl-dump says otherwise
    QString workingDir;   // the tool's own folder to run in (made when first needed)
    QString dataDir;      // the saved queue and partition table backups
    QString stateDir;     // the run log
    QString toolOverride; // --hdl-dump, when given
    bool toolSearchesPath = false;
    // Where the tool was looked for, in order, in words ("/opt/v/hdl_dump (beside this
    // program)"), for the message that says it was not found.
    QStringList toolPlaces;
    // pfsshell, for what the PS2's launcher keeps on the disk: found as the tool is (--pfsshell,
    // the settings, beside the program, PATH); its pfs2tar is the one beside it.
    QString pfsShellPath;
    QString pfsShellOverride;
    QStringList pfsShellPlaces;
    // Where a game index of titles is looked for when none is chosen.
    QStringList titleIndexPlaces;

    // Paths for a program that lives in dir; toolOverride replaces the tool's
    // place. With searchPath, a tool that is not beside the program is looked
    // for on PATH.
    static AppPaths forProgramDir(const QString& dir, const QString& toolOverride = {},
                                  bool searchPath = false);
    // Looks for the tool again: --hdl-dump first, then the file chosen in the settings, then
    // beside the program, then on PATH (when searched).
    void findTool(const QString& chosen);
    void findPfsShell(const QString& chosen);
    // pfs2tar beside the pfsshell found, else on PATH; empty when neither.
    QString pfs2TarPath() const;
};

QString AppDir(const AppPaths& paths);
// Where the emulator's Linux packages, its Flatpak and its older Debian package put its game
// index of titles.
QStringList TitleIndexPlaces();
QString HdlDumpPath(const AppPaths& paths);
// True when path names an existing ordinary file.
bool FileExists(const QString& path);
