#pragma once

#include "ActivityGate.h"
#include "DiskLayouts.h"
#include "GameListModel.h"
#include "NbdDisks.h"
#include "NetworkPs2.h"
#include "Problem.h"
#include "TargetLocks.h"
#include "ToolRunner.h"
#include "ToolUsage.h"
#include "core/devices/Flags.h"
#include "core/devices/Target.h"
#include "core/jobs/Preflight.h"
#include "core/output/Parsers.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QSet>

#include <functional>
#include <optional>

// A copy of a disk's partition table, made by the tool before Ventrik wrote to it.
struct TocBackup
{
    QString file;
    QDateTime made;
};

// The chosen target and its games, and what is known of every target read: the listing (with
// the games' partitions), the space of its PS2 area, what its own sectors say before it is
// written, its table backups and their restore, and the games deleted and changed. The user's
// intents are activities of the gate; the work around a job is started with a continuation.
// What goes wrong on the way is told as a problem.
class TargetGames : public QObject
{
    Q_OBJECT
public:
    struct Parts
    {
        ToolRunner& runner;
        ToolUsage& usage;
        TargetLocks& locks;
        NetworkPs2& network;
        NbdDisks& nbd;
        DiskLayouts& layouts;
        ActivityGate& gate;
    };
    // What a change of a game or table did. ran: the tool was given the change (the target is
    // to be read again); otherwise it was refused or not needed, and said so where it was.
    struct Change
    {
        bool ran = false;
        bool done = false;
        QString title;  // the game's
        QString reason; // the tool's words when it failed
        QString file;   // a restore: the backup put back
        std::optional<Problem> problem;
    };
    using Changed = std::function<void(const Change&)>;
    using Checked = std::function<void(const std::optional<Problem>&)>;

    TargetGames(Parts parts, QString dataDir, QObject* parent = nullptr);

    // The target chosen; its games once attached.
    const Target& target() const { return m_target; }
    void setTarget(const Target& target) { m_target = target; }
    bool isAttached() const { return m_attached; }
    GameListModel& model() { return m_games; }
    const std::optional<parse::SpaceSummary>& space() const { return m_space; }
    // Forgets the games shown.
    void detach();
    // Whether the tool's commands are asked before the first listing.
    void setCommandsBeforeGames(bool ask) { m_commandsBeforeGames = ask; }

    // The chosen target's games read (its commands first, where asked); done() however it went.
    void read(std::function<void()> done);
    // The same, a PS2 at an address looked for first (which server, and its export there).
    void refresh(std::function<void()> done);
    // go() once the chosen target's games are known (read first when they are not); stop()
    // when they could not be read (said why).
    void withGames(std::function<void()> go, std::function<void()> stop);
    // A target's games read beside the shown run, for the checks around a job.
    void readFacts(const Target& target, std::function<void(const TargetFacts&)> done);
    // The last read of each target, by the name the tool is given.
    const QHash<QString, TargetFacts>& facts() const { return m_facts; }
    TargetFacts factsOf(const Target& target) const { return m_facts.value(target.toolArgument()); }
    // Whether nothing was written to the target since it was last read.
    bool isFresh(const Target& target) const;
    void markWritten(const Target& target);
    void forgetFreshness() { m_fresh.clear(); }
    // Whether the chosen target's games were read from its sectors because the tool cannot take
    // its table (nothing may be written to it), and why.
    bool readOnly() const;
    QString readOnlyReason() const;

    // The chosen target's game a name (partition or title) stands for; when none or several
    // are, the problem is told (GameNotFound, AmbiguousTitle).
    std::optional<parse::GameRow> named(const QString& name);

    // Before the first write of an activity to a target: go() when it may be written (through a
    // view that ends at its APA area where it needs one), go(problem) when it may not. A restore
    // may write to a damaged table.
    void checkLayout(const Target& target, bool restoring, Checked go);
    // The activity ended: the next one checks layouts again, and the views of disks and the
    // PS2 exports it opened are closed (the exports once the views are, if stillIdle()).
    void release(std::function<bool()> stillIdle);
    // A tool that even SIGKILL did not end waits on an export or view that no longer answers:
    // that is cut off, so that the tool gets its error and ends, and nothing hangs.
    void cutOff();
    // done() once nothing is left open (no view of a disk, no PS2's export) or closing.
    void whenReleased(std::function<void()> done)
    {
        m_nbd.whenClosed([this, done] { m_layouts.whenClosed(done); });
    }
    // What the last read of a target's sectors found; nothing before one.
    std::optional<layout::DiskLayout> layoutOf(const Target& target) const;
    // A disk formatted for PS2 games, unless it holds what a format would take (another kit's
    // partitions); done(ran, problem): refused, failed, or (without a problem) formatted.
    void format(const QString& device, const QString& label,
                std::function<void(bool ran, const std::optional<Problem>&)> done);
    // go() with the target locked and its export open; stop() when it cannot be (said why).
    void whileLocked(const Target& target, const QString& holder, std::function<void()> go,
                     std::function<void()> stop);
    // The same, and go() only once the disk's layout lets it be written.
    void whileWritable(const Target& target, const QString& holder, std::function<void()> go,
                       std::function<void()> stop);

    // A backup's file name begins with its disk: the serial where the system knows it, else
    // the target's name, in characters any file system takes.
    static QString BackupStem(const QString& target);
    // Table backups of a target, newest first.
    QList<TocBackup> backups(const Target& target) const;
    // The newest backup that belongs to the disk as last read (by the stamps its format wrote;
    // any backup of the target's name while the disk was never read).
    std::optional<TocBackup> newestBackup(const Target& target) const;
    // The table saved where the tool can, then go().
    void backupBeforeWrite(const Target& target, std::function<void()> go);
    // Puts a backup's table back (the file must be a backup of this very disk unless
    // otherDisk), then reads the target again. Without a file: the newest of this disk.
    void restore(const Target& target, const QString& file, bool otherDisk, Changed done);

    // How the chosen target is read again after a change: its games, and what the session
    // shows with them.
    void setReread(std::function<void(std::function<void()>)> reread)
    {
        m_reread = std::move(reread);
    }
    // The user's intents, each an activity of the gate (false when refused, told why), the
    // chosen target read again after a change that ran. Games as listed: deleted in turn
    // (gameDeleted for each), renamed or flagged through "modify" (gameModified; nothing runs
    // where the game has that name or those flags already).
    bool deleteGames(const QList<parse::GameRow>& games);
    bool renameGame(const parse::GameRow& game, const QString& newName);
    bool setGameFlags(const parse::GameRow& game, const CompatFlags& flags);
    // Puts a backup's table back (tocRestored); see restore().
    bool restoreToc(const Target& target, const QString& file, bool otherDisk);
    // A target's games read without showing them (factsOf() has them after).
    bool readTargetFacts(const Target& target);

signals:
    void problem(const Problem& problem);
    void gamesChanged();
    void gameDeleted(const QString& title);
    void gameModified(const QString& title);
    void tocRestored(const Target& target, const QString& file);
    // A target was read: what the queue's checks know changed.
    void factsChanged();

private:
    // Listing --------------------------------------------------------------------------
    void listGames(std::function<void()> done);
    // "hdl_toc", then "toc" for the games' partitions: the target's facts, and the outcome of
    // the listing that failed (or of hdl_toc).
    void list(const Target& target, std::function<void(const TargetFacts&, const RunOutcome&)> done,
              bool shown);
    // A disk that listed before (here, or it has a backup) and now reads as no PS2 disk.
    bool wasReadable(const Target& target) const;
    void tellDamage(const Target& target, const TargetFacts& facts);
    // A target whose games were read from its sectors is refused a change (told why).
    bool refuseReadOnly();

    // Layout ----------------------------------------------------------------------------
    // Whether the tool's target is one whose sectors this program reads too.
    static bool LayoutReadable(const Target& target);
    void readLayout(const Target& target, bool whole,
                    std::function<void(const layout::DiskLayout&)> done);
    // Told once per target: the layout could not be checked there.
    void layoutUnchecked(const Target& target);
    void openView(const Target& target, const layout::DiskLayout& found, Checked go);
    // What a table the tool refused is, once its sectors were read.
    TargetFacts examineRefusedTable(const Target& target, TargetFacts facts,
                                    const layout::DiskLayout& found, bool readBefore);
    // The space of a listing counted within the APA area.
    static void CountApaArea(TargetFacts& facts, const layout::DiskLayout& found);

    // Backups ---------------------------------------------------------------------------
    // The table on the disk saved to a backup file (to path, when given, kept apart from the
    // backups); done(file), empty when it could not be.
    void saveToc(const Target& target, const QString& path,
                 std::function<void(const QString& file)> done, bool beforeRestore = false);
    // A copy taken just before a restore: never chosen as a disk's newest backup by itself.
    static bool TakenBeforeRestore(const QString& file);
    // Why a backup does not belong to the disk as last read; nothing when it does, or when the
    // disk was never read.
    std::optional<QString> backupMismatch(const QString& file, const Target& target,
                                          const layout::TocBackup& backup) const;
    void restoreLocked(const Target& target, const QString& chosen, bool otherDisk, Changed done);
    void restoreWrite(const Target& target, const QString& file, const layout::TocBackup& backup,
                      const QString& before, Changed done);
    // The partitions on the disk now (nothing when they cannot be read).
    void readBackTable(const Target& target,
                       std::function<void(const std::optional<QList<layout::Partition>>&)> done);

    // Changes ---------------------------------------------------------------------------
    bool changeGame(Activity activity, std::function<void()> go);
    // A modify ended: the target read again where it ran, then told.
    void changed(const Change& change);
    // The games deleted one after another (each told, gameDeleted or a problem); done(ran).
    void remove(const QList<parse::GameRow>& games, std::function<void(bool ran)> done);
    void rename(const parse::GameRow& game, const QString& newName, Changed done);
    void setFlags(const parse::GameRow& game, const CompatFlags& flags, Changed done);
    void deleteNext(const Target& target, QList<parse::GameRow> games,
                    std::function<void(bool ran)> done);
    // The tool's "modify" given the arguments for the game as listed now (none: nothing would
    // change, and nothing runs).
    using ModifyArguments = std::function<QStringList(const Target&, const parse::GameRow&)>;
    void modify(const parse::GameRow& game, ModifyArguments arguments, Changed done);
    // The game a row of a listing is, in the listing now (told when it is gone).
    std::optional<parse::GameRow> stillListed(const parse::GameRow& game);

    ToolRunner& m_runner;
    ToolUsage& m_usage;
    TargetLocks& m_locks;
    NetworkPs2& m_network;
    NbdDisks& m_nbd;
    DiskLayouts& m_layouts;
    ActivityGate& m_gate;
    QString m_dataDir;
    std::function<void(std::function<void()>)> m_reread;

    Target m_target;
    bool m_attached = false;
    GameListModel m_games;
    std::optional<parse::SpaceSummary> m_space;
    bool m_commandsBeforeGames = true;
    QHash<QString, TargetFacts> m_facts;           // the last read of each target
    QSet<QString> m_fresh;                         // targets whose last read nothing wrote after
    QHash<QString, layout::DiskLayout> m_layoutOf; // the last read of each target's sectors
    QSet<QString> m_layoutChecked;                 // this activity's targets that may be written
    QSet<QString> m_uncheckedSaid;                 // told that their layout cannot be checked
    QHash<QString, Problem> m_layoutProblems;      // what the last listing's sectors said
};
