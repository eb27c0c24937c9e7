#pragma once

#include "core/devices/Target.h"
#include "core/jobs/Job.h"
#include "core/output/LauncherFormats.h"
#include "core/output/Parsers.h"
#include "core/platform/DiskPermission.h"
#include "core/session/Operation.h"
#include "core/session/Problem.h"

#include <QJsonValue>
#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class Session;

struct CliOptions
{
    bool json = false;
    bool dryRun = false;
    bool noWait = false; // a disk another Ventrik writes to is refused, not waited for
};

// One invocation of ventrik-cli: a command of the table run on the session,
// ending with done(exit status): 0 success, 1 a failed operation, 2 a usage error,
// 3 done but not verified (the disk could not be read afterwards).
class CliCommand : public QObject
{
    Q_OBJECT
public:
    CliCommand(Session& session, CliOptions options, QObject* parent = nullptr);

    // Starts the command; done() follows, possibly at once.
    void start(const QStringList& args);
    static QString usage();
    // The help's lines of one command; empty for a command there is none of.
    static QString usageOf(const QString& command);
    // Where the whole help is.
    static QString shortHelp();

signals:
    void done(int status);

private:
    struct Entry
    {
        const char* name;
        int minArgs;
        int maxArgs;
        void (CliCommand::*run)(const QStringList& args);
    };
    static const QList<Entry>& table();

    void devices(const QStringList& args);
    void games(const QStringList& args);
    void info(const QStringList& args);
    void install(const QStringList& args);
    void copyToPc(const QStringList& args);
    void makeIso(const QStringList& args);
    void remove(const QStringList& args);
    void poweroff(const QStringList& args);
    void doctor(const QStringList& args);
    void grant(const QStringList& args);
    void revoke(const QStringList& args);
    void changeAccess(platform::PermissionVerb verb, const QString& disk);
    void queue(const QStringList& args);
    void renameGame(const QStringList& args);
    void setGameFlags(const QStringList& args);
    // The game found in the target's listing; shown(target, game): the tool's arguments a dry
    // run prints (the run's own); start(game) the intent.
    void modifyGame(const QString& targetText, const QString& name, const QString& value,
                    std::function<QStringList(const Target&, const parse::GameRow&)> shown,
                    std::function<bool(const parse::GameRow&)> start);
    static bool confirm(const QString& question);
    void queueAdd(const QStringList& args);
    void queueAddFolder(const QStringList& args);
    // A job handed to the Ventrik that owns the queue: the answer once it was taken or refused.
    void waitForHandOver(const Job& job, int row, int waitedMs);
    static constexpr int kHandOverWaitMs = 5000;
    void queueList();
    void queueRun(const QStringList& args);
    void showProgress();

    // The launcher's files: art, art-folder, art-remove, game-config, vmc.
    void art(const QStringList& args);
    void artRemove(const QStringList& args);
    void artFolder(const QStringList& args);
    void gameConfig(const QStringList& args);
    void vmc(const QStringList& args);
    // Work on the launcher's files as one operation; it calls end(exit status) when done.
    using LauncherWork = std::function<void(std::function<void(int)> end)>;
    void onLauncher(const Target& target, LauncherWork work);
    // --kind KIND taken out of the arguments (cover when absent); a usage error otherwise.
    std::optional<launcher::ArtKind> kindArgument(QStringList& args);
    static bool takeFlag(QStringList& args, const QString& flag);
    // A TARGET whose launcher's files pfsshell can reach; said why not, and the command ended,
    // otherwise.
    std::optional<Target> launcherTarget(const QString& text);
    // The game a name stands for, when it has the startup name the launcher's files use.
    void withStartup(const QString& targetText, const QString& name,
                     std::function<void(const Target&, const parse::GameRow&)> then);
    struct ArtMatch
    {
        QString picture;
        QString startup;
        QString title;
        launcher::ArtKind kind;
    };
    struct ArtPlan
    {
        QList<ArtMatch> matched;
        QStringList unmatched; // file names
    };
    // The pictures of a folder matched to the games by startup, else by a title only one game
    // has; a name ending in _COV, _ICO, _BG, _LGO or _SCR says the kind (else a cover).
    static ArtPlan planArt(const QString& folder, const QList<parse::GameRow>& games);
    void putEach(const Target& target, const QList<ArtMatch>& matches, bool mayCreate, int written,
                 std::function<void(int written)> done);
    void removeEach(const Target& target, QStringList names, QStringList removed,
                    std::function<void(const QStringList& removed)> done);
    // A target's games as read, kept while its launcher's art is read.
    struct Listing
    {
        Target target;
        QList<parse::GameRow> games;
        bool readOnly = false;
        std::optional<parse::SpaceSummary> space;
    };
    using ArtIndex = QHash<QString, QList<launcher::ArtKind>>; // by startup
    // The games as text or JSON; with art (JSON only), each game's kinds of picture.
    void printGames(const Listing& listing, const ArtIndex* art);
    // games --json: each game's art added where pfsshell can read it, then printed.
    void printWithArt(const Listing& listing);

    static constexpr int kNotVerified = 3;
    // Reads the disc of an install's source and hands on the job it makes.
    void prepareInstall(const QStringList& args, std::function<void(const Job&)> then);
    // Reads the target's games and hands on the copy of the one NAME stands for.
    void prepareCopyToPc(const QStringList& args, std::function<void(const Job&)> then);
    void restoreToc(const QStringList& args);
    // A TARGET as given, or a disk or image path made absolute; a usage error otherwise.
    std::optional<Target> targetArgument(const QString& text);
    // "cd" or "dvd"; anything else is a usage error that names both.
    std::optional<DiscType> discTypeArgument(const QString& value);
    // The target's games read, then then(); the command ends (1) when they cannot be.
    void withListing(const Target& target, std::function<void()> then);
    // The target's games read, then the one the name (partition or title) stands for.
    void withGame(const Target& target, const QString& name,
                  std::function<void(const parse::GameRow&)> then);
    static Job makeIsoJob(const QStringList& args);
    static QJsonObject jobJson(const Job& job, int row);
    // Runs the job at once and reports its result.
    void runJob(const Job& job);
    // When the operation has ended: fn with its result, then the exit status fn gives.
    void finishWith(Operation* op, std::function<int(const OperationResult&)> fn);
    bool printDryRun(const QList<QStringList>& commands);
    void print(const QJsonValue& json, const QString& text);
    void usageError(const QString& text);
    // A source file that is not there is said so, and the command ends (status 1).
    bool sourceMissing(const QString& source);
    QString m_command; // the command being run, for its usage
    void finish(int status);

    Session& m_session;
    CliOptions m_options;
    bool m_failed = false;
    bool m_finished = false;
};
