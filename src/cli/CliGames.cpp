// The commands that change a disk's games or its table: delete, rename, flags, restore-toc.
#include "CliCommand.h"
#include "CliSupport.h"

#include "core/devices/Flags.h"
#include "core/session/ProblemText.h"
#include "core/session/Session.h"

#include <QFileInfo>
#include <QJsonObject>

using namespace cli;

void CliCommand::remove(const QStringList& args)
{
    const std::optional<QString> target = targetArgument(args[0]);
    if (!target || printDryRun({{QStringLiteral("delete"), *target, args[1]}}))
        return;
    m_session.selectTarget(kindOf(*target), *target);
    Operation* op = m_session.operate([&] { return m_session.deleteGame(args[1]); });
    finishWith(op, [this](const OperationResult& r) {
        if (r.deleted.isEmpty())
            return 1;
        const QString deleted = r.deleted.first();
        print(QJsonObject{{QStringLiteral("ok"), true}, {QStringLiteral("deleted"), deleted}},
              deleted + QStringLiteral(" deleted\n"));
        return 0;
    });
}

void CliCommand::renameGame(const QStringList& args)
{
    const QString newName = TrimGameName(args[2]);
    if (newName.isEmpty()) {
        usageError(QStringLiteral("the new name is empty"));
        return;
    }
    if (!GameNameFits(newName)) {
        usageError(ProblemText({ProblemKind::NameTooLong, newName, {}}));
        return;
    }
    if (ToolReadsAsFlags(newName)) {
        usageError(ProblemText({ProblemKind::NameReadAsFlags, newName, {}}));
        return;
    }
    if (HasControlCharacters(newName)) {
        usageError(ProblemText({ProblemKind::NameHasControlCharacters, newName, {}}));
        return;
    }
    modifyGame(
        args[0], args[1], newName,
        [this, newName](const QString& target, const QString& name) {
            return Session::RenameArguments(target, name, newName);
        },
        [this, newName](const QString& name) { return m_session.renameGame(name, newName); });
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
        [f = *flags](const QString& target, const QString& name) {
            return Session::FlagsArguments(target, name, f);
        },
        [this, f = *flags](const QString& name) { return m_session.setGameFlags(name, f); });
}

void CliCommand::modifyGame(const QString& targetText, const QString& name, const QString& value,
                            std::function<QStringList(const QString&, const QString&)> shown,
                            std::function<bool(const QString&)> start)
{
    const std::optional<QString> target = targetArgument(targetText);
    if (!target || printDryRun({shown(*target, name)}))
        return;
    m_session.selectTarget(kindOf(*target), *target);
    Operation* op = m_session.operate([&] { return start(name); });
    finishWith(op, [this, name, value](const OperationResult& r) {
        if (!r.changed.isEmpty()) {
            print(QJsonObject{{QStringLiteral("ok"), true}, {QStringLiteral("changed"), r.changed}},
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
}

void CliCommand::restoreToc(const QStringList& args)
{
    const std::optional<QString> target = targetArgument(args[0]);
    if (!target)
        return;
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
    const QList<TocBackup> kept = m_session.tocBackups(*target);
    if (file.isEmpty() && kept.isEmpty()) {
        writeErr(QStringLiteral("Ventrik keeps no backup of the partition table of %1; name a "
                                "backup file.\n")
                     .arg(*target));
        finish(1);
        return;
    }
    if (printDryRun(
            {{QStringLiteral("restore_toc"), *target, file.isEmpty() ? kept.first().file : file}}))
        return;
    const QString what =
        file.isEmpty()
            ? QStringLiteral("Restore the partition table of %1 from the newest backup Ventrik "
                             "made of this disk (of %2 kept)?")
                  .arg(*target)
                  .arg(kept.size())
            : QStringLiteral("Restore the partition table of %1 from %2?").arg(*target, file);
    if (!yes && !confirm(what)) {
        writeErr(QStringLiteral("Nothing was restored. Run it again with --yes to restore.\n"));
        finish(1);
        return;
    }
    m_session.selectTarget(kindOf(*target), *target);
    if (otherDisk)
        writeErr(QStringLiteral("warning: --other-disk: the backup is restored even if it is "
                                "another disk's; the games of this disk's own table are then "
                                "lost from it.\n"));
    Operation* op =
        m_session.operate([&] { return m_session.restoreToc(*target, file, otherDisk); });
    finishWith(op, [this, target = *target](const OperationResult& r) {
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
