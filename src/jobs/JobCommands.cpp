#include "JobCommands.h"

QStringList InstallArguments(const QString& type, const QString& target, const QString& name,
                             const QString& source, const QString& startup, const QString& flags)
{
    QStringList args{type == QLatin1String("DVD-ROM") ? QStringLiteral("inject_dvd")
                                                      : QStringLiteral("inject_cd"),
                     target, name, source};
    if (!startup.isEmpty() || !flags.isEmpty())
        args << startup;
    if (!flags.isEmpty())
        args << flags;
    return args;
}

QStringList BuildInstallCommand(const JobRecord& job)
{
    return InstallArguments(job.type, job.destination, job.name, job.source, job.startup,
                            job.flags);
}

QStringList BuildDumpCommand(const JobRecord& job)
{
    return {QStringLiteral("dump"), job.source, job.destination};
}

QStringList BuildExtractCommand(const JobRecord& job)
{
    QString destination = job.destination;
    if (job.task == JobKind::CopyToHDD)
        destination = job.destination + job.name;
    else if (job.task == JobKind::CopyToPS2)
        destination = job.destination + u':' + job.name;
    return {QStringLiteral("extract"), job.source, job.name, destination};
}
