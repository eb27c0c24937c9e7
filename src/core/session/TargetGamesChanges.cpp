// Deleting installed games, and renaming them or changing their flags through "modify".
#include "GameNames.h"
#include "TargetGames.h"

#include "core/jobs/JobCommands.h"

bool TargetGames::changeGame(Activity activity, std::function<void()> go)
{
    if (m_target.isNull() || !m_gate.begin(activity))
        return false;
    go();
    return true;
}

void TargetGames::changed(const Change& change)
{
    if (!change.ran) {
        if (change.problem)
            emit problem(*change.problem);
        m_gate.end();
        return;
    }
    m_reread([this, change] {
        // Told before the gate is open again, so whoever waits for it knows.
        if (change.done)
            emit gameModified(change.title);
        else
            emit problem({ProblemKind::ModifyFailed, change.title, change.reason});
        m_gate.end();
    });
}

bool TargetGames::deleteGames(const QList<parse::GameRow>& games)
{
    if (games.isEmpty())
        return false;
    return changeGame(Activity::Deleting, [this, games] {
        remove(games, [this](bool ran) {
            if (ran)
                m_reread([this] { m_gate.end(); });
            else
                m_gate.end();
        });
    });
}

bool TargetGames::renameGame(const parse::GameRow& game, const QString& newName)
{
    if (const std::optional<Problem> p = GameNameProblem(newName, NameUse::Rename)) {
        emit problem(*p);
        return false;
    }
    return changeGame(Activity::Modifying, [this, game, newName] {
        rename(game, newName, [this](const Change& c) { changed(c); });
    });
}

bool TargetGames::setGameFlags(const parse::GameRow& game, const CompatFlags& flags)
{
    return changeGame(Activity::Modifying, [this, game, flags] {
        setFlags(game, flags, [this](const Change& c) { changed(c); });
    });
}

std::optional<parse::GameRow> TargetGames::stillListed(const parse::GameRow& game)
{
    // A game is its partition (a title where the listing gave none): the same one, or nothing.
    return named(game.key());
}

void TargetGames::remove(const QList<parse::GameRow>& games, std::function<void(bool ran)> done)
{
    withGames(
        [this, games, done] {
            // Every game is found in the list before the first one goes.
            QList<parse::GameRow> found;
            for (const parse::GameRow& game : games) {
                if (const auto listed = stillListed(game))
                    found << *listed;
            }
            if (found.isEmpty() || found.size() != games.size() || refuseReadOnly()) {
                done(false);
                return;
            }
            const Target target = m_target;
            whileWritable(
                target, QStringLiteral("change"),
                [this, target, found, done] {
                    backupBeforeWrite(target, [this, target, found, done] {
                        markWritten(target);
                        deleteNext(target, found, done);
                    });
                },
                [done] { done(false); });
        },
        [done] { done(false); });
}

void TargetGames::deleteNext(const Target& target, QList<parse::GameRow> games,
                             std::function<void(bool ran)> done)
{
    if (games.isEmpty() || m_runner.cancelRequested()) {
        done(true);
        return;
    }
    const parse::GameRow game = games.takeFirst();
    m_runner.attempt(DeleteArguments(target, game), [this, target, game, games,
                                                     done](const RunOutcome& outcome) {
        static constexpr ToolError refusals[] = {ToolError::UnknownCommand, ToolError::NotFound,
                                                 ToolError::ConnectionRefused,
                                                 ToolError::NetworkTimeout, ToolError::NotPs2Disk};
        bool deleted = outcome.succeeded();
        for (const ToolError e : refusals)
            deleted = deleted && outcome.error != e;
        if (deleted)
            emit gameDeleted(game.title);
        else
            emit problem(
                {ProblemKind::DeleteFailed, game.title, outcome.reason(m_runner.toolName())});
        // A tool without delete, or a PS2 that stopped answering, fails every other game too.
        const bool hopeless = outcome.error == ToolError::UnknownCommand ||
                              outcome.error == ToolError::ConnectionRefused ||
                              outcome.error == ToolError::NetworkTimeout || !outcome.started;
        deleteNext(target, hopeless ? QList<parse::GameRow>() : games, done);
    });
}

void TargetGames::rename(const parse::GameRow& game, const QString& newName, Changed done)
{
    modify(
        game,
        [newName](const Target& target, const parse::GameRow& listed) {
            return listed.title == newName ? QStringList()
                                           : RenameArguments(target, listed, newName);
        },
        std::move(done));
}

void TargetGames::setFlags(const parse::GameRow& game, const CompatFlags& flags, Changed done)
{
    modify(
        game,
        [flags](const Target& target, const parse::GameRow& listed) {
            return CompatFlags::parse(listed.flags).value_or(CompatFlags()) == flags
                       ? QStringList()
                       : FlagsArguments(target, listed, flags);
        },
        std::move(done));
}

void TargetGames::modify(const parse::GameRow& game, ModifyArguments arguments, Changed done)
{
    withGames(
        [this, game, arguments, done] {
            if (refuseReadOnly()) {
                done({});
                return;
            }
            const Target target = m_target;
            const std::optional<parse::GameRow> listed = stillListed(game);
            // An unchanged name or flags change nothing, and the tool is not asked.
            const QStringList args = listed ? arguments(target, *listed) : QStringList();
            if (args.isEmpty()) {
                done({});
                return;
            }
            m_usage.know([this, target, title = listed->title, args, done] {
                if (!m_usage.canModify().value_or(false)) {
                    emit problem({ProblemKind::NoModify, {}, {}});
                    done({});
                    return;
                }
                whileWritable(
                    target, QStringLiteral("change"),
                    [this, target, title, args, done] {
                        backupBeforeWrite(target, [this, target, title, args, done] {
                            markWritten(target);
                            m_runner.attempt(args, [this, title, done](const RunOutcome& outcome) {
                                Change change;
                                change.ran = true;
                                change.title = title;
                                change.done =
                                    outcome.succeeded() && outcome.error == ToolError::None;
                                change.reason = outcome.reason(m_runner.toolName());
                                done(change);
                            });
                        });
                    },
                    [done] { done({}); });
            });
        },
        [done] { done({}); });
}
