// The commands for what the PS2's launcher keeps on the disk: art, art-folder, art-remove,
// game-config, vmc.
#include "CliCommand.h"
#include "CliSupport.h"

#include "core/output/LauncherFormats.h"
#include "core/session/ProblemText.h"
#include "core/session/Session.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>

#include <memory>

using namespace cli;
using launcher::ArtKind;

namespace {
// Letters and digits only, in capitals: "SLUS-123.45", "slus_12345" and "SLUS_123.45" match.
QString Folded(const QString& text)
{
    QString folded;
    for (const QChar c : text)
        if (c.isLetterOrNumber())
            folded += c.toUpper();
    return folded;
}

const QStringList kPictureSuffixes{QStringLiteral("png"),  QStringLiteral("jpg"),
                                   QStringLiteral("jpeg"), QStringLiteral("bmp"),
                                   QStringLiteral("gif"),  QStringLiteral("webp")};
} // namespace

void CliCommand::onLauncher(const Target& target, LauncherWork work)
{
    auto status = std::make_shared<int>(1);
    Operation* op = m_session.operate([&] {
        return m_session.onLauncherFiles(target, [work, status](std::function<void()> end) {
            work([status, end](int s) {
                *status = s;
                end();
            });
        });
    });
    finishWith(op, [this, status](const OperationResult& r) {
        for (const Problem& p : r.problems)
            if (p.kind == ProblemKind::LauncherPartitionMissing)
                writeError(QStringLiteral("Run it again with --yes to make %1 (128 MB), as the "
                                          "launcher itself would.")
                               .arg(p.subject));
        return r.started ? *status : 1;
    });
}

std::optional<ArtKind> CliCommand::kindArgument(QStringList& args)
{
    const qsizetype at = args.indexOf(QStringLiteral("--kind"));
    if (at < 0)
        return ArtKind::Cover;
    const QString value = args.value(at + 1);
    args.remove(at, std::min<qsizetype>(2, args.size() - at));
    if (const std::optional<ArtKind> kind = launcher::ArtKindNamed(value))
        return kind;
    QStringList names;
    for (const ArtKind k : launcher::AllArtKinds())
        names << launcher::ArtKindName(k);
    usageError(QStringLiteral("--kind takes %1, not \"%2\"").arg(names.join(u'|'), value));
    return std::nullopt;
}

bool CliCommand::takeFlag(QStringList& args, const QString& flag)
{
    return args.removeAll(flag) > 0;
}

std::optional<Target> CliCommand::launcherTarget(const QString& text)
{
    const std::optional<Target> target = targetArgument(text);
    if (!target)
        return std::nullopt;
    // Said before the games are read: nothing of the launcher's can be reached anyway.
    if (const std::optional<Problem> p = m_session.launcher().refusal(*target)) {
        writeError(ProblemText(*p));
        finish(1);
        return std::nullopt;
    }
    return target;
}

void CliCommand::withStartup(const QString& targetText, const QString& name,
                             std::function<void(const Target&, const parse::GameRow&)> then)
{
    const std::optional<Target> target = launcherTarget(targetText);
    if (!target)
        return;
    withGame(*target, name, [this, then, target = *target](const parse::GameRow& game) {
        if (game.startup.isEmpty()) {
            writeError(QStringLiteral("%1 was installed without a startup name: the launcher "
                                      "finds its files by that name.")
                           .arg(game.title));
            finish(1);
            return;
        }
        then(target, game);
    });
}

void CliCommand::art(const QStringList& given)
{
    QStringList args = given;
    const bool yes = takeFlag(args, QStringLiteral("--yes"));
    const std::optional<ArtKind> kind = kindArgument(args);
    if (!kind)
        return;
    if (args.size() != 3)
        return usageError(QStringLiteral("art takes TARGET GAME IMAGE [--kind KIND] [--yes]"));
    const QString picture = callersPath(args[2]);
    if (sourceMissing(picture))
        return;
    withStartup(args[0], args[1], [=, this](const Target& target, const parse::GameRow& game) {
        const QString file = QStringLiteral("ART/") + launcher::ArtFileName(game.startup, *kind);
        if (printDryRun({{QStringLiteral("put"), file, picture}}))
            return;
        onLauncher(target, [=, this](std::function<void(int)> end) {
            m_session.launcher().putArt(
                target, game.startup, *kind, picture, yes, [=, this](bool ok) {
                    if (ok)
                        print(QJsonObject{{QStringLiteral("ok"), true},
                                          {QStringLiteral("game"), game.title},
                                          {QStringLiteral("file"), file}},
                              QStringLiteral("%1: %2 written\n").arg(game.title, file));
                    end(ok ? 0 : 1);
                });
        });
    });
}

void CliCommand::artRemove(const QStringList& given)
{
    QStringList args = given;
    const bool allKinds = !args.contains(QStringLiteral("--kind"));
    const std::optional<ArtKind> kind = kindArgument(args);
    if (!kind)
        return;
    if (args.size() != 2)
        return usageError(QStringLiteral("art-remove takes TARGET GAME [--kind KIND]"));
    withStartup(args[0], args[1], [=, this](const Target& target, const parse::GameRow& game) {
        QStringList names;
        for (const ArtKind k : allKinds ? launcher::AllArtKinds() : QList<ArtKind>{*kind})
            names << launcher::ArtFileName(game.startup, k);
        onLauncher(target, [=, this](std::function<void(int)> end) {
            // Only what is there is removed: a kind the game has no picture of is no failure.
            m_session.launcher().list(
                target, QStringLiteral("ART"),
                [=, this](const std::optional<QList<launcher::PfsEntry>>& entries) {
                    if (!entries)
                        return end(1);
                    QStringList present;
                    for (const launcher::PfsEntry& e : *entries)
                        if (names.contains(e.name))
                            present << e.name;
                    removeEach(target, present, {}, [=, this](const QStringList& removed) {
                        QJsonArray files;
                        QString text;
                        for (const QString& f : removed) {
                            files.append(QStringLiteral("ART/") + f);
                            text += QStringLiteral("ART/%1 removed\n").arg(f);
                        }
                        const bool ok = removed.size() == present.size();
                        if (ok)
                            print(QJsonObject{{QStringLiteral("ok"), true},
                                              {QStringLiteral("game"), game.title},
                                              {QStringLiteral("removed"), files}},
                                  text.isEmpty()
                                      ? QStringLiteral("%1 has no such picture\n").arg(game.title)
                                      : text);
                        end(ok ? 0 : 1);
                    });
                });
        });
    });
}

void CliCommand::removeEach(const Target& target, QStringList names, QStringList removed,
                            std::function<void(const QStringList&)> done)
{
    if (names.isEmpty())
        return done(removed);
    const QString name = names.takeFirst();
    m_session.launcher().remove(target, QStringLiteral("ART"), name, [=, this](bool ok) mutable {
        if (!ok)
            return done(removed);
        removed << name;
        removeEach(target, names, removed, done);
    });
}

void CliCommand::artFolder(const QStringList& given)
{
    QStringList args = given;
    const bool yes = takeFlag(args, QStringLiteral("--yes"));
    if (args.size() != 2)
        return usageError(QStringLiteral("art-folder takes TARGET FOLDER [--yes]"));
    const QString folder = callersPath(args[1]);
    if (!QFileInfo(folder).isDir()) {
        writeError(QStringLiteral("%1 is no folder").arg(folder));
        return finish(1);
    }
    const std::optional<Target> target = launcherTarget(args[0]);
    if (!target)
        return;
    withListing(*target, [=, this, target = *target] {
        const ArtPlan plan = planArt(folder, m_session.games().games());
        QString text;
        for (const ArtMatch& m : plan.matched)
            text +=
                QStringLiteral("%1 -> %2 (%3)\n")
                    .arg(QFileInfo(m.picture).fileName(), m.title, launcher::ArtKindName(m.kind));
        for (const QString& f : plan.unmatched)
            text += QStringLiteral("%1: no game of that startup or title\n").arg(f);
        text += QStringLiteral("%1 matched, %2 not matched\n")
                    .arg(plan.matched.size())
                    .arg(plan.unmatched.size());
        if (m_options.dryRun) {
            QList<QStringList> puts;
            for (const ArtMatch& m : plan.matched)
                puts << QStringList{
                    QStringLiteral("put"),
                    QStringLiteral("ART/") + launcher::ArtFileName(m.startup, m.kind), m.picture};
            if (!m_options.json)
                writeErr(text);
            printDryRun(puts);
            return;
        }
        if (plan.matched.isEmpty()) {
            writeOut(text);
            return finish(plan.unmatched.isEmpty() ? 0 : 1);
        }
        onLauncher(target, [=, this](std::function<void(int)> end) {
            putEach(target, plan.matched, yes, 0, [=, this](int written) {
                QJsonArray unmatched = QJsonArray::fromStringList(plan.unmatched);
                print(
                    QJsonObject{{QStringLiteral("ok"), written == plan.matched.size()},
                                {QStringLiteral("written"), written},
                                {QStringLiteral("matched"), plan.matched.size()},
                                {QStringLiteral("unmatched"), unmatched}},
                    text +
                        QStringLiteral("%1 of %2 written\n").arg(written).arg(plan.matched.size()));
                end(written == plan.matched.size() ? 0 : 1);
            });
        });
    });
}

CliCommand::ArtPlan CliCommand::planArt(const QString& folder, const QList<parse::GameRow>& games)
{
    ArtPlan plan;
    QHash<QString, const parse::GameRow*> byStartup;
    QHash<QString, QList<const parse::GameRow*>> byTitle;
    for (const parse::GameRow& g : games) {
        if (g.startup.isEmpty())
            continue;
        byStartup.insert(Folded(g.startup), &g);
        byTitle[Folded(g.title)] << &g;
    }
    QDir dir(folder);
    for (const QFileInfo& f : dir.entryInfoList(QDir::Files, QDir::Name)) {
        if (!kPictureSuffixes.contains(f.suffix().toLower()))
            continue;
        QString stem = f.completeBaseName();
        ArtKind kind = ArtKind::Cover;
        for (const ArtKind k : launcher::AllArtKinds()) {
            const QString tail = u'_' + launcher::ArtSuffix(k);
            if (stem.endsWith(tail, Qt::CaseInsensitive)) {
                kind = k;
                stem.chop(tail.size());
            }
        }
        const parse::GameRow* game = byStartup.value(Folded(stem));
        // A title two games share names neither of them.
        if (!game && byTitle.value(Folded(stem)).size() == 1)
            game = byTitle.value(Folded(stem)).first();
        if (game)
            plan.matched << ArtMatch{f.absoluteFilePath(), game->startup, game->title, kind};
        else
            plan.unmatched << f.fileName();
    }
    return plan;
}

void CliCommand::putEach(const Target& target, const QList<ArtMatch>& matches, bool mayCreate,
                         int written, std::function<void(int)> done)
{
    if (written >= matches.size())
        return done(written);
    const ArtMatch& m = matches[written];
    m_session.launcher().putArt(target, m.startup, m.kind, m.picture, mayCreate,
                                [=, this](bool ok) {
                                    if (!ok)
                                        return done(written);
                                    putEach(target, matches, mayCreate, written + 1, done);
                                });
}

void CliCommand::gameConfig(const QStringList& given)
{
    QStringList args = given;
    const bool yes = takeFlag(args, QStringLiteral("--yes"));
    if (args.size() < 2)
        return usageError(QStringLiteral("game-config takes TARGET GAME [KEY=VALUE ...]"));
    QList<std::pair<QString, QString>> changes;
    for (const QString& pair : args.mid(2)) {
        const qsizetype eq = pair.indexOf(u'=');
        launcher::GameConfig probe;
        if (eq <= 0 || !probe.set(pair.left(eq), pair.mid(eq + 1)))
            return usageError(
                QStringLiteral("\"%1\" is no KEY=VALUE the launcher's files can hold").arg(pair));
        changes.append({pair.left(eq), pair.mid(eq + 1)});
    }
    withStartup(args[0], args[1], [=, this](const Target& target, const parse::GameRow& game) {
        const QString file = QStringLiteral("CFG/%1.cfg").arg(game.startup);
        if (!changes.isEmpty() && printDryRun({{QStringLiteral("put"), file}}))
            return;
        onLauncher(target, [=, this](std::function<void(int)> end) {
            m_session.launcher().readConfig(
                target, game.startup, [=, this](const std::optional<launcher::GameConfig>& read) {
                    if (!read)
                        return end(1);
                    launcher::GameConfig config = *read;
                    for (const auto& [key, value] : changes)
                        config.set(key, value);
                    auto show = [=, this](const launcher::GameConfig& c) {
                        QJsonObject settings;
                        QString text;
                        for (const auto& [key, value] : c.entries()) {
                            settings.insert(key, value);
                            text += key + u'=' + value + u'\n';
                        }
                        print(
                            QJsonObject{{QStringLiteral("ok"), true},
                                        {QStringLiteral("game"), game.title},
                                        {QStringLiteral("file"), file},
                                        {QStringLiteral("settings"), settings}},
                            text.isEmpty()
                                ? QStringLiteral("%1 has no settings of its own\n").arg(game.title)
                                : text);
                    };
                    if (changes.isEmpty() || config == *read) {
                        show(config);
                        return end(0);
                    }
                    m_session.launcher().writeConfig(target, game.startup, config, yes,
                                                     [=](bool ok) {
                                                         if (ok)
                                                             show(config);
                                                         end(ok ? 0 : 1);
                                                     });
                });
        });
    });
}

void CliCommand::vmc(const QStringList& given)
{
    QStringList args = given;
    const bool yes = takeFlag(args, QStringLiteral("--yes"));
    const QString verb = args.value(0);
    const int wanted = verb == QLatin1String("list")                                  ? 2
                       : verb == QLatin1String("remove")                              ? 3
                       : verb == QLatin1String("get") || verb == QLatin1String("put") ? 4
                                                                                      : 0;
    if (wanted == 0 || args.size() != wanted)
        return usageError(QStringLiteral("vmc takes list TARGET, get TARGET NAME FILE, put "
                                         "TARGET NAME FILE or remove TARGET NAME"));
    const std::optional<Target> target = launcherTarget(args[1]);
    if (!target)
        return;
    const QString folder = QStringLiteral("VMC");
    if (verb == QLatin1String("list")) {
        if (printDryRun({{QStringLiteral("ls"), folder}}))
            return;
        return onLauncher(*target, [this, target = *target, folder](std::function<void(int)> end) {
            m_session.launcher().list(
                target, folder, [this, end](const std::optional<QList<launcher::PfsEntry>>& all) {
                    if (!all)
                        return end(1);
                    QJsonArray cards;
                    QString text;
                    for (const launcher::PfsEntry& e : *all) {
                        if (e.folder || !e.name.endsWith(QLatin1String(".bin")))
                            continue;
                        cards.append(QJsonObject{{QStringLiteral("name"), e.name.chopped(4)},
                                                 {QStringLiteral("size_bytes"), e.size},
                                                 {QStringLiteral("modified"), e.modified}});
                        text += QStringLiteral("%1  %2 KB  %3\n")
                                    .arg(e.name.chopped(4), -20)
                                    .arg(e.size / 1024, 6)
                                    .arg(e.modified);
                    }
                    print(
                        QJsonObject{{QStringLiteral("ok"), true}, {QStringLiteral("cards"), cards}},
                        QStringLiteral("%1 memory cards\n").arg(cards.size()) + text);
                    end(0);
                });
        });
    }
    const std::optional<QString> card = launcher::CardFileName(args[2]);
    if (!card)
        return usageError(QStringLiteral("\"%1\" cannot be a memory card's name: letters, "
                                         "digits, '_', '-' and '.', no blanks")
                              .arg(args[2]));
    const QString local = wanted == 4 ? callersPath(args[3]) : QString();
    const QString shown = folder + u'/' + *card;
    if (verb == QLatin1String("get")) {
        if (QFileInfo::exists(local)) {
            writeError(QStringLiteral("%1 exists; choose a new file").arg(local));
            return finish(1);
        }
        if (printDryRun({{QStringLiteral("get"), shown, local}}))
            return;
        return onLauncher(*target, [=, this, target = *target](std::function<void(int)> end) {
            m_session.launcher().get(target, folder, *card, local, [=, this](bool ok, bool found) {
                if (!found)
                    writeError(QStringLiteral("%1 has no memory card %2")
                                   .arg(target.toolArgument(), *card));
                else if (ok)
                    print(
                        QJsonObject{{QStringLiteral("ok"), true}, {QStringLiteral("file"), local}},
                        QStringLiteral("%1 copied to %2\n").arg(shown, local));
                end(ok ? 0 : 1);
            });
        });
    }
    // The PS2 writes its cards while a game runs; nothing here can tell.
    writeWarning(QStringLiteral("the PS2 must not be running a game while its memory cards are "
                                "changed."));
    if (verb == QLatin1String("put")) {
        if (sourceMissing(local))
            return;
        if (printDryRun({{QStringLiteral("put"), shown, local}}))
            return;
        return onLauncher(*target, [=, this, target = *target](std::function<void(int)> end) {
            m_session.launcher().put(target, folder, *card, local, yes, [=, this](bool ok) {
                if (ok)
                    print(
                        QJsonObject{{QStringLiteral("ok"), true}, {QStringLiteral("file"), shown}},
                        QStringLiteral("%1 written\n").arg(shown));
                end(ok ? 0 : 1);
            });
        });
    }
    if (printDryRun({{QStringLiteral("rm"), shown}}))
        return;
    if (!yes &&
        !confirm(QStringLiteral("Delete the memory card %1 and every save on it?").arg(*card))) {
        writeError(QStringLiteral("Nothing was deleted. Run it again with --yes to delete."));
        return finish(1);
    }
    onLauncher(*target, [=, this, target = *target](std::function<void(int)> end) {
        m_session.launcher().remove(target, folder, *card, [=, this](bool ok) {
            if (ok)
                print(QJsonObject{{QStringLiteral("ok"), true}, {QStringLiteral("removed"), shown}},
                      QStringLiteral("%1 removed\n").arg(shown));
            end(ok ? 0 : 1);
        });
    });
}
