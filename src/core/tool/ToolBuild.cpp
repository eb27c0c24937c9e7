#include "ToolBuild.h"

#include "ToolRun.h"

#include <QDir>
#include <QFile>

void DetectToolBuild(QObject* context, const QString& tool, const QString& workingDir,
                     std::function<void(ToolBuild)> done)
{
    QDir().mkpath(workingDir);
    const QString probe = workingDir + QStringLiteral("/build-probe.img");
    QFile empty(probe);
    if (!empty.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        QMetaObject::invokeMethod(
            context, [done] { done(ToolBuild::Unknown); }, Qt::QueuedConnection);
        return;
    }
    empty.close();
    auto* run = new ToolRun({tool, {QStringLiteral("toc"), probe}}, context);
    run->setWorkingDirectory(workingDir);
    run->setSilenceTimeout(10000);
    QObject::connect(run, &ToolRun::finished, context, [run, done, probe](const RunOutcome& o) {
        run->deleteLater();
        QFile::remove(probe);
        if (!o.started || !o.normalExit)
            done(ToolBuild::Unknown);
        else if (o.exitCode == 114)
            done(ToolBuild::DevicesOnly);
        else
            done(ToolBuild::AcceptsFiles);
    });
    run->start();
}
