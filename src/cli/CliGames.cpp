// A disk's games: listed (games, and the game a name stands for), and changed (delete, rename,
// flags, restore-toc).
#include "CliCommand.h"
#include "CliSupport.h"

#include "core/devices/Flags.h"
#include "core/jobs/JobCommands.h"
#include "core/output/JsonText.h"
#include "core/session/ProblemText.h"
#include "core/session/Session.h"

#include <QFileInfo>
#include <QJsonObject>

#include <memory>

using namespace cli;

void CliCommand::withListing(const Target& target, std::function<void()> then)
{
    m_session.selectTarget(target);
    Operation* listing = m_session.operate([&] { return m_session.attach(target); });
    connect(listing, &Operation::finished, this, [this, then](const OperationResult& r) {
        if (!r.started || !m_session.isAttached()) {
            finish(1);
            return;
        }
        then();
    });
}

void CliCommand::withGame(const Target& target, const QString& name,
                          std::function<void(const parse::GameRow&)> then)
{
    withListing(target, [this, name, then] {
        // A title two games share names neither: the problem lists their partitions.
        const std::optional<parse::GameRow> game = m_session.targetGames().named(name);
        if (!game) {
            finish(1);
            return;
        }
        then(*game);
    });
}

void CliCommand::games(const QStringList& args)
{
    const std::optional<Target> checked = targetArgument(args[0]);
    if (!checked)
        return;
    const QString target = checked->toolArgument();
    if (printDryRun({{QStringLiteral("hdl_toc"), target}, {QStringLiteral("toc"), target}}))
        return;
    Operation* op = m_session.operate([&] { return m_session.attach(*checked); });
    connect(op, &Operation::finished, this, [this, checked](const OperationResult& r) {
        if (!r.started || !m_session.isAttached())
            return finish(1);
        const Listing listing{*checked, m_session.games().games(),
                              m_session.targetGames().readOnly(), m_session.space()};
        // A table the tool refuses is a failure to be told, though its games could be shown.
        if (listing.readOnly && m_failed) {
            printGames(listing, nullptr);
            return finish(1);
        }
        if (m_options.json)
            return printWithArt(listing);
        printGames(listing, nullptr);
        finish(0);
    });
}

void CliCommand::printGames(const Listing& listing, const ArtIndex* art)
{
    if (!m_options.json) {
        QString text = QStringLiteral("%1 games\n").arg(listing.games.size());
        for (const parse::GameRow& g : listing.games)
            text += QStringLiteral("%1  %2  %3  %4  %5  [%6]\n")
                        .arg(g.type, -3)
                        .arg(g.sizeText, 8)
                        .arg(g.startup, -11)
                        .arg(g.flags, -6)
                        .arg(g.title, g.partition);
        // Read from the disk's own sectors: the tool can change nothing there.
        if (listing.readOnly)
            text += QStringLiteral("(read from the disk itself; hdl_dump cannot change it)\n");
        if (listing.space)
            text += listing.space->text + u'\n';
        writeOut(text);
        return;
    }
    // Written as it is made: a disk of thousands of games costs several times more as a
    // document first. The keys go in the order a JSON object keeps them.
    JsonText json;
    json.beginObject();
    json.key(u"games");
    json.beginArray();
    for (const parse::GameRow& g : listing.games) {
        json.beginObject();
        if (art) {
            json.key(u"art");
            json.beginArray();
            for (const launcher::ArtKind k : art->value(g.startup))
                json.value(launcher::ArtKindName(k));
            json.endArray();
        }
        json.field(u"flags", g.flags);
        json.field(u"name", g.title);
        json.field(u"partition", g.partition);
        json.field(u"size_kb", g.sizeKb);
        json.field(u"startup", g.startup);
        json.field(u"type", g.type);
        json.endObject();
    }
    json.endArray();
    if (listing.readOnly) {
        json.key(u"read_only");
        json.boolean(true);
    }
    if (const auto& s = listing.space) {
        json.key(u"space");
        json.beginObject();
        json.field(u"available_mb", s->totalMb - s->usedMb);
        json.field(u"total_mb", s->totalMb);
        json.field(u"used_mb", s->usedMb);
        json.endObject();
    }
    json.field(u"target", listing.target.toolArgument());
    json.endObject();
    writeJson(json.text());
}

void CliCommand::printWithArt(const Listing& listing)
{
    // Without pfsshell, or through the older server, the games are told without their art.
    const Target target = listing.target;
    if (m_session.launcher().refusal(target)) {
        printGames(listing, nullptr);
        return finish(0);
    }
    auto art = std::make_shared<ArtIndex>();
    Operation* op = m_session.operate([&] {
        return m_session.onLauncherFiles(target, [this, target, art](std::function<void()> end) {
            m_session.launcher().list(
                target, QStringLiteral("ART"),
                [art, end](const std::optional<QList<launcher::PfsEntry>>& entries) {
                    QStringList names;
                    for (const launcher::PfsEntry& e :
                         entries.value_or(QList<launcher::PfsEntry>{}))
                        names << e.name;
                    *art = launcher::ArtOf(names);
                    end();
                });
        });
    });
    finishWith(op, [this, listing, art](const OperationResult&) {
        printGames(listing, art.get());
        return 0;
    });
}

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
