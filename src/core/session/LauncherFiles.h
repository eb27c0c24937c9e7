#pragma once

#include "ActivityGate.h"
#include "Problem.h"
#include "TargetGames.h"
#include "ToolRunner.h"
#include "core/devices/Target.h"
#include "core/output/LauncherFormats.h"

#include <QObject>
#include <QSet>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <optional>

// What the PS2's game launcher keeps in its PFS partition on a target (art, games' settings,
// memory cards), read and written with pfsshell, which hdl_dump cannot. pfsshell is driven
// through its standard input and says nothing by its exit status: every write goes to a new
// name first, is read back and compared, and only then takes the old file's place. The
// partition is backed up (pfs2tar) before the first write to it in a session.
class LauncherFiles : public QObject
{
    Q_OBJECT
public:
    struct Parts
    {
        ToolRunner& runner;
        TargetGames& games;
        ActivityGate& gate;
    };
    // Where the launcher keeps its folders on a target.
    struct Place
    {
        QString partition; // "+OPL" unless its settings name another
        QString folder;    // within the partition: empty (its root) or "OPL"
        bool exists = false;
    };
    // A folder of the launcher's: "ART", "CFG", "VMC".
    using Folder = QString;
    using Done = std::function<void(bool ok)>;
    using Listed = std::function<void(const std::optional<QList<launcher::PfsEntry>>&)>;
    using Fetched = std::function<void(bool ok, bool found)>;

    LauncherFiles(Parts parts, QString backupDir, QObject* parent = nullptr);

    // The programs, as found (missing ones disable what needs them).
    void setPrograms(const QString& pfsShell, const QString& pfs2Tar, const QStringList& places,
                     const QString& pictureConverter);
    // Why the launcher's files of a target cannot be worked on (none chosen, pfsshell missing,
    // a PS2 over its UDP server); nothing when they can.
    std::optional<Problem> refusal(const Target& target) const;
    // The files of a target worked on as one activity: work(end) runs once it may, and calls
    // end() when it has finished. False, and told why, when it may not.
    bool work(const Target& target, std::function<void(std::function<void()>)> work);
    // The pictures of the games shown read into their list, after a listing (none where
    // pfsshell cannot open the target); done() after.
    void readShownArt(std::function<void()> done);

    // Where the launcher's folders are; nothing when the disk could not be read (told).
    void locate(const Target& target, std::function<void(const std::optional<Place>&)> done);
    // The files of one of its folders (none when the folder or the partition is not there);
    // nothing when it could not be read (told).
    void list(const Target& target, const Folder& folder, Listed done);
    // The pictures of every game by startup, read without a word when they cannot be (a
    // target pfsshell cannot open is no fault of a listing).
    void readArt(const Target& target,
                 std::function<void(const QHash<QString, QStringList>&)> done);
    // A file of a folder copied to a local file; done(false) when it is not there (found
    // false) or could not be read (told).
    void get(const Target& target, const Folder& folder, const QString& name,
             const QString& localFile, Fetched done);
    // A local file written as name in a folder, checked by reading it back; the old file
    // stays until the new one is whole. A missing partition is made only where mayCreate.
    void put(const Target& target, const Folder& folder, const QString& name,
             const QString& localFile, bool mayCreate, Done done);
    // A file of a folder removed, checked by listing the folder again. ok when it is gone.
    void remove(const Target& target, const Folder& folder, const QString& name, Done done);

    // A game's picture: the file converted to PNG at the size the launcher shows that kind at,
    // then written as STARTUP_KIND.png in ART.
    void putArt(const Target& target, const QString& startup, launcher::ArtKind kind,
                const QString& picture, bool mayCreate, Done done);
    // A game's settings (an empty file when it has none); nothing when unreadable (told).
    void readConfig(const Target& target, const QString& startup,
                    std::function<void(const std::optional<launcher::GameConfig>&)> done);
    void writeConfig(const Target& target, const QString& startup,
                     const launcher::GameConfig& config, bool mayCreate, Done done);

signals:
    void problem(const Problem& problem);
    // The launcher's partition was backed up before it was first written to.
    void backedUp(const QString& file);

private:
    struct Script
    {
        RunOutcome outcome;
        QString printed;                    // its standard output
        QStringList errors;                 // what it said went wrong
        std::shared_ptr<QTemporaryDir> dir; // its working folder, with what it fetched
    };
    using Ran = std::function<void(const Script&)>;
    // pfsshell run on the target's disk with these commands (after "device", before "exit"),
    // in a folder of its own holding the given files.
    void run(const Target& target, const QStringList& commands, int silenceMs, Ran done,
             std::shared_ptr<QTemporaryDir> dir = {});
    // The folders pwd printed, in order (only where a partition was mounted).
    static QStringList Paths(const Script& script);
    // Whether the commands of Enter got into the folder (the last pwd printed its path).
    static bool Entered(const Script& script, const Place& place, const Folder& folder);
    // list and get, the target locked and its export open.
    void listLocked(const Target& target, const Folder& folder, Listed done);
    void getLocked(const Target& target, const Folder& folder, const QString& name,
                   const QString& localFile, Fetched done);
    // The commands that reach a folder of the launcher's (pwd then says where they got).
    static QStringList Enter(const Place& place, const Folder& folder, bool make);
    static QString PathOf(const Place& place, const Folder& folder);
    // The place, made when missing and allowed; the partition backed up once per session.
    // go(place) with the target locked and writable, for a name that can be written; the
    // launcher's partition there (made where mayCreate) and saved. done(false) otherwise.
    void whileWritable(const Target& target, const QString& name, bool mayCreate, Done done,
                       std::function<void(const Place&)> go);
    void prepareWrite(const Target& target, bool mayCreate,
                      std::function<void(const std::optional<Place>&)> done);
    // done(false) when it could not be saved (told): nothing is written then.
    void backup(const Target& target, const Place& place, Done done);
    // A file of the folder compared with the local one, byte for byte.
    void verify(const Target& target, const Place& place, const Folder& folder, const QString& name,
                const QString& localFile, Done done);
    void fail(const QString& what, const QString& why);

    static constexpr int kTransferMs = 600000;
    ToolRunner& m_runner;
    TargetGames& m_games;
    ActivityGate& m_gate;
    QString m_backupDir;
    QString m_shell;
    QString m_tar;
    QString m_converter;
    QStringList m_places;
    QSet<QString> m_backedUp; // targets whose partition was saved this session
    bool m_quiet = false;     // problems are not told (a read beside a listing)
};
