// The commands that change a disk's games or its table: delete, rename, flags, restore-toc.
#include "CliCommand.h"
#include "CliSupport.h"

#include "core/devices/Flags.h"
#include "core/jobs/JobCommands.h"
#include "core/session/ProblemText.h"
#include "core/session/Session.h"

#include <QFileInfo>
#include <QJsonObject>

using namespace cli;

void CliCommand::remove(const QStringList& args)
{
    const std::optional<Target> target = targetArgument(args[0]);
    if (!target)
        return;
    // The game as listed: what a dry run shows and what runs name its partition.
    withGame(*target, args[1], [this, target = *target](const parse::GameRow& game) {
        if (printDryRun({DeleteArguments(target, game)}))
            return;
        Operation* op = m_session.operate([&] { return m_session.deleteGames({game}); });
        finishWith(op, [this](const OperationResult& r) {
            if (r.deleted.isEmpty())
                return 1;
            const QString deleted = r.deleted.first();
            print(QJsonObject{{QStringLiteral("ok"), true}, {QStringLiteral("deleted"), deleted}},
                  deleted + QStringLiteral(" deleted\n"));
            return 0;
        });
    });
}

void CliCommand::renameGame(const QStringList& args)
{
    const QString newName = TrimGameName(args[2]);
    if (newName.isEmpty()) {
        usageError(QStringLiteral("the new name is empty"));
        return;
    }
    if (const std::optional<Problem> p = GameNameProblem(newName, NameUse::Rename)) {
        usageError(ProblemText(*p));
        return;
    }
    modifyGame(
        args[0], args[1], newName,
        [newName](const Target& target, const parse::GameRow& game) {
            return RenameArguments(target, game, newName);
        },
        [this, newName](const parse::GameRow& game) {
            return m_session.renameGame(game, newName);
        });
}

void CliCommand::setGameFlags(const QStringList& args)
{
    const auto flags = CompatFlags::parse(args[2]);
    if (!flags) {
        usageError(QStringLiteral("flags are numbers from 1 to 8 joined by +, or 0 for none"));
        return;
    }
    modifyGame(
        args[0], args[1], flags->toolText(),
        [f = *flags](const Target& target, const parse::GameRow& game) {
            return FlagsArguments(target, game, f);
        },
        [this, f = *flags](const parse::GameRow& game) { return m_session.setGameFlags(game, f); });
}

void CliCommand::modifyGame(const QString& targetText, const QString& name, const QString& value,
                            std::function<QStringList(const Target&, const parse::GameRow&)> shown,
                            std::function<bool(const parse::GameRow&)> start)
{
    const std::optional<Target> target = targetArgument(targetText);
    if (!target)
        return;
    withGame(*target, name, [=, this, target = *target](const parse::GameRow& game) {
        if (printDryRun({shown(target, game)}))
            return;
        Operation* op = m_session.operate([&] { return start(game); });
        finishWith(op, [this, name, value](const OperationResult& r) {
            if (!r.changed.isEmpty()) {
                print(QJsonObject{{QStringLiteral("ok"), true},
                                  {QStringLiteral("changed"), r.changed}},
                      r.changed + QStringLiteral(" changed\n"));
                return 0;
            }
            if (!r.succeeded())
                return 1;
            // The game has that name or those flags already: there was nothing to do.
            print(QJsonObject{{QStringLiteral("ok"), true}, {QStringLiteral("unchanged"), name}},
                  QStringLiteral("%1 unchanged: it is %2 already\n")
                      .arg(name, value.isEmpty() ? QStringLiteral("without flags") : value));
            return 0;
        });
    });
}

void CliCommand::restoreToc(const QStringList& args)
{
    const std::optional<Target> disk = targetArgument(args[0]);
    if (!disk)
        return;
    const QString target = disk->toolArgument();
    bool yes = false;
    bool otherDisk = false;
    QString file;
    for (const QString& a : args.mid(1)) {
        if (a == QLatin1String("--yes"))
            yes = true;
        else if (a == QLatin1String("--other-disk"))
            otherDisk = true;
        else if (file.isEmpty() && !a.startsWith(QLatin1String("--")))
            file = callersPath(a);
        else
            return usageError(
                QStringLiteral("restore-toc takes TARGET [FILE] [--yes] [--other-disk]"));
    }
    // Without a file: the newest backup of this very disk, chosen once the disk was read.
    const QList<TocBackup> kept = m_session.targetGames().backups(*disk);
    if (file.isEmpty() && kept.isEmpty()) {
        writeError(QStringLiteral("Ventrik keeps no backup of the partition table of %1; name a "
                                  "backup file.")
                       .arg(target));
        finish(1);
        return;
    }
    if (printDryRun(
            {{QStringLiteral("restore_toc"), target, file.isEmpty() ? kept.first().file : file}}))
        return;
    const QString what =
        file.isEmpty()
            ? QStringLiteral("Restore the partition table of %1 from the newest backup Ventrik "
                             "made of this disk (of %2 kept)?")
                  .arg(target)
                  .arg(kept.size())
            : QStringLiteral("Restore the partition table of %1 from %2?").arg(target, file);
    if (!yes && !confirm(what)) {
        writeError(QStringLiteral("Nothing was restored. Run it again with --yes to restore."));
        finish(1);
        return;
    }
    m_session.selectTarget(*disk);
    if (otherDisk)
        writeWarning(QStringLiteral("--other-disk: the backup is restored even if it is "
                                    "another disk's; the games of this disk's own table are then "
                                    "lost from it."));
    Operation* op = m_session.operate([&] { return m_session.restoreToc(*disk, file, otherDisk); });
    finishWith(op, [this, target](const OperationResult& r) {
        const bool restored = !r.restored.isEmpty();
        if (restored)
            print(QJsonObject{{QStringLiteral("ok"), true},
                              {QStringLiteral("target"), target},
                              {QStringLiteral("restored_from"), r.restoredFrom}},
                  QStringLiteral("The partition table of %1 was restored from %2.\n")
                      .arg(target, r.restoredFrom));
        return restored ? 0 : 1;
    });
}
