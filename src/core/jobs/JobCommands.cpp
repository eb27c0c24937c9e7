#include "JobCommands.h"

#include <QCoreApplication>
#include <QFileInfo>

QStringList InstallArguments(DiscType type, const QString& target, const QString& name,
                             const QString& source, const QString& startup, const QString& flags)
{
    QStringList args{type == DiscType::DVD ? QStringLiteral("inject_dvd")
                                           : QStringLiteral("inject_cd"),
                     target, name, source};
    if (!startup.isEmpty() || !flags.isEmpty())
        args << startup;
    if (!flags.isEmpty())
        args << flags;
    return args;
}

QStringList JobArguments(const Job& job)
{
    switch (job.kind) {
    case JobKind::Install:
        return InstallArguments(job.type, job.destination, job.name, job.source, job.startup,
                                job.flags.toolText());
    case JobKind::MakeIso:
        return {QStringLiteral("dump"), job.source, job.destination};
    case JobKind::CopyToHDD:
        return {QStringLiteral("extract"), job.source, SourceGame(job), job.destination + job.name};
    case JobKind::CopyToPS2:
        return {QStringLiteral("extract"), job.source, SourceGame(job),
                job.destination + u':' + job.name};
    case JobKind::CopyToPC:
        return {QStringLiteral("extract"), job.source, SourceGame(job), job.destination};
    }
    return {};
}

QStringList DeleteArguments(const Target& target, const parse::GameRow& game)
{
    return {QStringLiteral("delete"), target.toolArgument(), game.key()};
}

QStringList RenameArguments(const Target& target, const parse::GameRow& game,
                            const QString& newName)
{
    return {QStringLiteral("modify"), target.toolArgument(), game.key(), newName};
}

QStringList FlagsArguments(const Target& target, const parse::GameRow& game,
                           const CompatFlags& flags)
{
    // Without a new name the tool reads the flags in its place. "No flags" is 0x00: every
    // build reads it so, where 0.9.0 takes "+0" for a new name and every build a bare "0".
    return {QStringLiteral("modify"), target.toolArgument(), game.key(),
            flags.isEmpty() ? QStringLiteral("0x00") : flags.toolText()};
}

QString FolderProblem(const QString& file)
{
    const QFileInfo folder(QFileInfo(file).absolutePath());
    if (folder.isDir() && folder.isWritable())
        return {};
    return QCoreApplication::translate("Jobs",
                                       "The folder %1 does not exist or cannot be written to.")
        .arg(folder.filePath());
}
