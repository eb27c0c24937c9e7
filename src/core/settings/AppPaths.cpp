#include "AppPaths.h"

#include "core/platform/Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

AppPaths AppPaths::forProgramDir(const QString& dir, const QString& toolOverride, bool searchPath)
{
    AppPaths p;
    p.appDir = QDir::cleanPath(dir);
    if (!p.appDir.endsWith(u'/'))
        p.appDir += u'/';
    p.toolOverride = toolOverride;
    p.toolSearchesPath = searchPath;
    p.findTool({});
    p.findPfsShell({});
    p.titleIndexPlaces = TitleIndexPlaces();
    if (!platform::isSystemProgramDir(p.appDir) && platform::isDirWritable(p.appDir)) {
        p.configFile = p.appDir + QStringLiteral("config.cfg");
    } else {
        const QString userDir = platform::userConfigDir();
        QDir().mkpath(userDir);
        p.configFile = userDir + QStringLiteral("/config.cfg");
    }
    p.dataDir = platform::userDataDir();
    p.stateDir = platform::userStateDir();
    // A folder of Ventrik's own, never the program's or the caller's: some builds of the
    // tool leave files where they run (info.sys), and a relative path must not find
    // anything there.
    p.workingDir = p.stateDir + QStringLiteral("/work");
    return p;
}

namespace {
// A program looked for in order: the command line's choice, the settings' choice, beside this
// program, PATH (when searched). places says where, in words; without a find, the path is the
// settings' choice or the place beside the program, for the message that says it is missing.
QString FindProgram(const QString& fileName, const QString& given, const char* option,
                    const QString& chosen, const QString& appDir, bool searchPath,
                    QStringList& places)
{
    places.clear();
    if (!given.isEmpty()) {
        const QString path = QFileInfo(given).absoluteFilePath();
        places << QCoreApplication::translate("AppPaths", "%1 (given with %2)")
                      .arg(path, QLatin1String(option));
        return path;
    }
    if (!chosen.isEmpty()) {
        places << QCoreApplication::translate("AppPaths", "%1 (chosen in Settings)").arg(chosen);
        if (FileExists(chosen))
            return QFileInfo(chosen).absoluteFilePath();
    }
    const QString beside = appDir + fileName;
    places << QCoreApplication::translate("AppPaths", "%1 (beside this program)").arg(beside);
    if (FileExists(beside))
        return beside;
    const QString missing = chosen.isEmpty() ? beside : chosen;
    if (!searchPath)
        return missing;
    places << QCoreApplication::translate("AppPaths", "the folders of PATH (%1)")
                  .arg(qEnvironmentVariable("PATH"));
    const QString onPath = QStandardPaths::findExecutable(fileName);
    return onPath.isEmpty() ? missing : onPath;
}
} // namespace

void AppPaths::findTool(const QString& chosen)
{
    toolPath = FindProgram(platform::toolFileName(), toolOverride, "--hdl-dump", chosen, appDir,
                           toolSearchesPath, toolPlaces);
}

void AppPaths::findPfsShell(const QString& chosen)
{
    pfsShellPath = FindProgram(QStringLiteral("pfsshell"), pfsShellOverride, "--pfsshell", chosen,
                               appDir, true, pfsShellPlaces);
}

QString AppPaths::pfs2TarPath() const
{
    const QString beside = QFileInfo(pfsShellPath).absolutePath() + QStringLiteral("/pfs2tar");
    if (FileExists(beside))
        return beside;
    return QStandardPaths::findExecutable(QStringLiteral("pfs2tar"));
}

QStringList TitleIndexPlaces()
{
    const QString home = QDir::homePath();
    const QString flatpak =
        QStringLiteral("/app/net.pcsx2.PCSX2/current/active/files/share/PCSX2/resources/"
                       "GameIndex.yaml");
    return {
        QStringLiteral("/usr/share/PCSX2/resources/GameIndex.yaml"),
        QStringLiteral("/usr/share/pcsx2/resources/GameIndex.yaml"),
        QStringLiteral("/usr/local/share/PCSX2/resources/GameIndex.yaml"),
        QStringLiteral("/usr/lib/pcsx2/resources/GameIndex.yaml"),
        QStringLiteral("/opt/pcsx2/resources/GameIndex.yaml"),
        QStringLiteral("/usr/share/games/PCSX2/GameIndex.yaml"),
        QStringLiteral("/usr/share/games/pcsx2/GameIndex.yaml"),
        home + QStringLiteral("/.local/share/flatpak") + flatpak,
        QStringLiteral("/var/lib/flatpak") + flatpak,
    };
}

QString AppDir(const AppPaths& paths)
{
    return paths.appDir;
}

QString HdlDumpPath(const AppPaths& paths)
{
    return paths.toolPath;
}

bool FileExists(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}
