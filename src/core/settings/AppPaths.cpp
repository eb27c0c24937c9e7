#include "AppPaths.h"

#include "core/platform/Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

AppPaths AppPaths::forProgramDir(const QString& dir, const QString& toolOverride, bool searchPath)
{
    AppPaths p;
    p.appDir = QDir::cleanPath(dir);
    if (!p.appDir.endsWith(u'/'))
        p.appDir += u'/';
    p.toolPath = toolOverride.isEmpty() ? p.appDir + platform::toolFileName()
                                        : QFileInfo(toolOverride).absoluteFilePath();
    if (toolOverride.isEmpty() && searchPath && !FileExists(p.toolPath)) {
        const QString onPath = QStandardPaths::findExecutable(platform::toolFileName());
        if (!onPath.isEmpty())
            p.toolPath = onPath;
    }
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

QString ToolNotFoundMessage(const AppPaths& paths)
{
    return QFileInfo(paths.toolPath).fileName() +
           QStringLiteral(
               " was not found. Place it in the same directory as this program and try again.");
}
