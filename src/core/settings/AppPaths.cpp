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

void AppPaths::findTool(const QString& chosen)
{
    toolPlaces.clear();
    if (!toolOverride.isEmpty()) {
        toolPath = QFileInfo(toolOverride).absoluteFilePath();
        toolPlaces
            << QCoreApplication::translate("AppPaths", "%1 (given with --hdl-dump)").arg(toolPath);
        return;
    }
    if (!chosen.isEmpty()) {
        toolPlaces
            << QCoreApplication::translate("AppPaths", "%1 (chosen in Settings)").arg(chosen);
        if (FileExists(chosen)) {
            toolPath = QFileInfo(chosen).absoluteFilePath();
            return;
        }
    }
    const QString beside = appDir + platform::toolFileName();
    toolPlaces << QCoreApplication::translate("AppPaths", "%1 (beside this program)").arg(beside);
    toolPath = chosen.isEmpty() ? beside : chosen;
    if (FileExists(beside)) {
        toolPath = beside;
        return;
    }
    if (!toolSearchesPath)
        return;
    toolPlaces << QCoreApplication::translate("AppPaths", "the folders of PATH (%1)")
                      .arg(qEnvironmentVariable("PATH"));
    const QString onPath = QStandardPaths::findExecutable(platform::toolFileName());
    if (!onPath.isEmpty())
        toolPath = onPath;
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
