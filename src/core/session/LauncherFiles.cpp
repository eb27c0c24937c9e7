#include "LauncherFiles.h"

#include "core/settings/AtomicFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

using launcher::PfsEntry;

namespace {
// Whether two files hold the same bytes, read a piece at a time (memory cards are large).
bool SameFiles(const QString& a, const QString& b)
{
    QFile fa(a);
    QFile fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) || fa.size() != fb.size())
        return false;
    constexpr qint64 kPiece = 1 << 20;
    while (!fa.atEnd()) {
        if (fa.read(kPiece) != fb.read(kPiece))
            return false;
    }
    return true;
}

// A copy written whole or not at all.
bool CopyWhole(const QString& from, const QString& to)
{
    QFile in(from);
    QSaveFile out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
        return false;
    while (!in.atEnd()) {
        const QByteArray piece = in.read(1 << 20);
        if (piece.isEmpty() || out.write(piece) != piece.size())
            return false;
    }
    return out.flush() && out.commit();
}
} // namespace

LauncherFiles::LauncherFiles(Parts parts, QString backupDir, QObject* parent)
    : QObject(parent), m_runner(parts.runner), m_games(parts.games), m_gate(parts.gate),
      m_backupDir(std::move(backupDir))
{}

void LauncherFiles::setPrograms(const QString& pfsShell, const QString& pfs2Tar,
                                const QStringList& places, const QString& pictureConverter)
{
    m_shell = pfsShell;
    m_tar = pfs2Tar;
    m_places = places;
    m_converter = pictureConverter;
}

std::optional<Problem> LauncherFiles::refusal(const Target& target) const
{
    if (target.isNull())
        return Problem{ProblemKind::NoDiskSelected, {}, {}};
    if (const QFileInfo shell(m_shell); !shell.isFile() || !shell.isExecutable())
        return Problem{ProblemKind::PfsShellMissing, m_shell, m_places.join(QStringLiteral("; "))};
    if (target.kind() == Target::Kind::Udp)
        return Problem{ProblemKind::LauncherUnreachable, target.toolArgument(), {}};
    return std::nullopt;
}

bool LauncherFiles::work(const Target& target, std::function<void(std::function<void()>)> work)
{
    if (const std::optional<Problem> p = refusal(target)) {
        emit problem(*p);
        return false;
    }
    if (!m_gate.begin(Activity::LauncherFiles))
        return false;
    work([this] { m_gate.end(); });
    return true;
}

void LauncherFiles::readShownArt(std::function<void()> done)
{
    const Target t = m_games.target();
    if (!m_games.isAttached() || refusal(t) ||
        (!t.isNbd() && !QFileInfo::exists(t.toolArgument()))) {
        m_games.model().setArt({});
        return done();
    }
    readArt(t, [this, done](const QHash<QString, QStringList>& art) {
        m_games.model().setArt(art);
        done();
    });
}

void LauncherFiles::fail(const QString& what, const QString& why)
{
    if (!m_runner.cancelRequested() && !m_quiet)
        emit problem({ProblemKind::LauncherFailed, what, why});
}

void LauncherFiles::run(const Target& target, const QStringList& commands, int silenceMs, Ran done,
                        std::shared_ptr<QTemporaryDir> dir)
{
    Script script;
    if (!dir)
        dir = std::make_shared<QTemporaryDir>(QDir::tempPath() +
                                              QStringLiteral("/ventrik-pfs-XXXXXX"));
    script.dir = dir;
    // The disk reaches the shell as a name of our own: it splits its lines at blanks.
    const QString disk = QFileInfo(m_runner.resolved(target.toolArgument())).absoluteFilePath();
    const QString link = dir->filePath(QStringLiteral("disk"));
    QFile::remove(link);
    if (!dir->isValid() || !QFile::link(disk, link)) {
        script.errors
            << tr("No working folder for pfsshell could be made in %1.").arg(QDir::tempPath());
        done(script);
        return;
    }
    QByteArray input = "device disk\n";
    for (const QString& command : commands) {
        // Every name in a command was checked; a line break would start another command.
        if (command.contains(u'\n') || command.contains(u'\r')) {
            script.errors << tr("A name holds a line break.");
            done(script);
            return;
        }
        input += command.toUtf8() + '\n';
    }
    input += "exit\n";
    ToolCommand command{m_shell, {}, input, true};
    m_runner.sideProgram(
        command, dir->path(),
        [done, script](const RunOutcome& o) mutable {
            script.outcome = o;
            script.printed = o.output;
            script.errors = launcher::PfsErrors(o.errorOutput);
            if (!o.succeeded())
                script.errors.prepend(o.reason(QStringLiteral("pfsshell")));
            done(script);
        },
        silenceMs);
}

QStringList LauncherFiles::Enter(const Place& place, const Folder& folder, bool make)
{
    QStringList commands{QStringLiteral("mount ") + place.partition, QStringLiteral("pwd")};
    QStringList steps;
    if (!place.folder.isEmpty())
        steps << place.folder;
    if (!folder.isEmpty())
        steps << folder;
    for (const QString& step : steps) {
        if (make)
            commands << QStringLiteral("mkdir ") + step;
        commands << QStringLiteral("cd ") + step;
    }
    commands << QStringLiteral("pwd");
    return commands;
}

QString LauncherFiles::PathOf(const Place& place, const Folder& folder)
{
    QString path;
    if (!place.folder.isEmpty())
        path += u'/' + place.folder;
    if (!folder.isEmpty())
        path += u'/' + folder;
    return path.isEmpty() ? QStringLiteral("/") : path;
}

QStringList LauncherFiles::Paths(const Script& script)
{
    // pwd prints only where a partition is mounted: first "/", then the folders reached.
    QStringList paths;
    for (const QString& line : script.printed.split(u'\n'))
        if (line.startsWith(u'/') && !line.contains(u' '))
            paths << line.trimmed();
    return paths;
}

bool LauncherFiles::Entered(const Script& script, const Place& place, const Folder& folder)
{
    const QStringList paths = Paths(script);
    return paths.size() >= 2 && paths.first() == QLatin1String("/") &&
           paths.last() == PathOf(place, folder);
}

void LauncherFiles::locate(const Target& target,
                           std::function<void(const std::optional<Place>&)> done)
{
    const QStringList commands{QStringLiteral("ls -l"), QStringLiteral("mount __common"),
                               QStringLiteral("cd OPL"), QStringLiteral("get conf_hdd.cfg")};
    run(target, commands, m_runner.readTimeout(), [this, target, done](const Script& s) {
        const QStringList partitions = launcher::ParsePfsPartitions(s.printed);
        if (!partitions.contains(QLatin1String("__mbr"))) {
            fail(target.toolArgument(), s.errors.isEmpty()
                                            ? tr("pfsshell found no PS2 partitions on it.")
                                            : s.errors.join(u' '));
            done(std::nullopt);
            return;
        }
        QString conf;
        QFile file(s.dir->filePath(QStringLiteral("conf_hdd.cfg")));
        if (file.open(QIODevice::ReadOnly))
            conf = QString::fromUtf8(file.read(64 * 1024));
        Place place;
        place.partition = launcher::LauncherPartition(conf);
        place.folder = launcher::LauncherFolder(place.partition);
        place.exists = partitions.contains(place.partition);
        done(place);
    });
}

void LauncherFiles::list(const Target& target, const Folder& folder, Listed done)
{
    m_games.whileLocked(
        target, QStringLiteral("change"), [=, this] { listLocked(target, folder, done); },
        [done] { done(std::nullopt); });
}

void LauncherFiles::get(const Target& target, const Folder& folder, const QString& name,
                        const QString& localFile, Fetched done)
{
    m_games.whileLocked(
        target, QStringLiteral("change"),
        [=, this] { getLocked(target, folder, name, localFile, done); },
        [done] { done(false, false); });
}

void LauncherFiles::readArt(const Target& target,
                            std::function<void(const QHash<QString, QStringList>&)> done)
{
    m_quiet = true;
    listLocked(target, QStringLiteral("ART"), [this, done](const auto& entries) {
        m_quiet = false;
        QStringList names;
        for (const PfsEntry& e : entries.value_or(QList<PfsEntry>{}))
            names << e.name;
        QHash<QString, QStringList> art;
        const auto kinds = launcher::ArtOf(names);
        for (auto it = kinds.begin(); it != kinds.end(); ++it)
            for (const launcher::ArtKind k : it.value())
                art[it.key()] << launcher::ArtKindName(k);
        done(art);
    });
}

void LauncherFiles::listLocked(const Target& target, const Folder& folder, Listed done)
{
    locate(target, [this, target, folder, done](const std::optional<Place>& place) {
        if (!place || !place->exists) {
            done(place ? std::optional<QList<PfsEntry>>(QList<PfsEntry>{}) : std::nullopt);
            return;
        }
        const QStringList commands = Enter(*place, folder, false) << QStringLiteral("ls -l");
        run(target, commands, m_runner.readTimeout(),
            [this, target, place, folder, done](const Script& s) {
                if (Entered(s, *place, folder)) {
                    done(launcher::ParsePfsListing(s.printed));
                } else if (Paths(s).value(0) == QLatin1String("/")) {
                    done(QList<PfsEntry>{}); // mounted, and the folder is not there yet
                } else {
                    fail(place->partition, s.errors.join(u' '));
                    done(std::nullopt);
                }
            });
    });
}

void LauncherFiles::getLocked(const Target& target, const Folder& folder, const QString& name,
                              const QString& localFile, Fetched done)
{
    locate(target, [this, target, folder, name, localFile, done](const std::optional<Place>& p) {
        if (!p || !p->exists) {
            done(false, false);
            return;
        }
        const QStringList commands = Enter(*p, folder, false) << QStringLiteral("get ") + name;
        run(target, commands, kTransferMs,
            [this, name, localFile, done, p, folder](const Script& s) {
                const QString fetched = s.dir->filePath(name);
                if (!Entered(s, *p, folder) || !QFileInfo::exists(fetched)) {
                    done(false, false);
                    return;
                }
                if (!CopyWhole(fetched, localFile)) {
                    fail(localFile, tr("it could not be written"));
                    done(false, true);
                    return;
                }
                done(true, true);
            });
    });
}

void LauncherFiles::prepareWrite(const Target& target, bool mayCreate,
                                 std::function<void(const std::optional<Place>&)> done)
{
    locate(target, [this, target, mayCreate, done](const std::optional<Place>& place) {
        if (!place) {
            done(std::nullopt);
            return;
        }
        if (place->exists) {
            backup(target, *place,
                   [done, place](bool saved) { done(saved ? place : std::nullopt); });
            return;
        }
        // The launcher makes +OPL itself when it is missing; another name its settings give
        // is the user's to make.
        if (!mayCreate || place->partition != QLatin1String("+OPL")) {
            emit problem(
                {ProblemKind::LauncherPartitionMissing, place->partition, target.toolArgument()});
            done(std::nullopt);
            return;
        }
        const QStringList commands{QStringLiteral("mkpart +OPL 128M PFS"), QStringLiteral("ls -l")};
        run(target, commands, m_runner.readTimeout(), [this, target, place, done](const Script& s) {
            if (!launcher::ParsePfsPartitions(s.printed).contains(place->partition)) {
                fail(place->partition, s.errors.join(u' '));
                done(std::nullopt);
                return;
            }
            Place made = *place;
            made.exists = true;
            // New and empty: nothing in it to keep.
            m_backedUp.insert(target.toolArgument());
            m_runner.log().addNote(
                tr("The partition %1 was made on %2.").arg(made.partition, target.toolArgument()));
            done(made);
        });
    });
}

void LauncherFiles::backup(const Target& target, const Place& place, Done done)
{
    const QString key = target.toolArgument();
    if (m_backedUp.contains(key)) {
        done(true);
        return;
    }
    if (m_tar.isEmpty()) {
        m_runner.log().addNote(
            tr("pfs2tar was not found: %1 on %2 was not backed up.").arg(place.partition, key));
        m_backedUp.insert(key);
        done(true);
        return;
    }
    QDir().mkpath(m_backupDir);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString part = place.partition;
    part.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]+")), QStringLiteral("_"));
    const QString stem =
        QStringLiteral("%1/%2-%3-%4").arg(m_backupDir, TargetGames::BackupStem(key), part, stamp);
    // Two sessions in one second get two backups: pfs2tar refuses to write over a file.
    QString file = stem + QStringLiteral(".tar");
    for (int n = 2; QFileInfo::exists(file); ++n)
        file = QStringLiteral("%1-%2.tar").arg(stem).arg(n);
    const QString disk = m_runner.resolved(key);
    ToolCommand command{
        m_tar,
        {QStringLiteral("--backup"), disk, QStringLiteral("--partition"), place.partition, file},
        {},
        true};
    m_runner.sideProgram(
        command, m_backupDir,
        [this, key, file, done](const RunOutcome& o) {
            // pfs2tar removes an archive that would be empty: a partition with nothing in it.
            if (o.succeeded() &&
                (QFileInfo::exists(file) || o.output.contains(QLatin1String("Tar file empty")))) {
                m_backedUp.insert(key);
                if (QFileInfo::exists(file)) {
                    m_runner.log().addNote(
                        tr("The launcher's files on %1 were saved to %2").arg(key, file));
                    emit backedUp(file);
                }
                done(true);
                return;
            }
            QFile::remove(file);
            const QString said =
                (o.errorOutput.isEmpty() ? o.output : o.errorOutput).trimmed().section(u'\n', -1);
            fail(key, tr("its launcher's partition could not be backed up first, so nothing was "
                         "written: %1")
                          .arg(said.isEmpty() ? o.reason(QStringLiteral("pfs2tar")) : said));
            done(false);
        },
        kTransferMs);
}

void LauncherFiles::verify(const Target& target, const Place& place, const Folder& folder,
                           const QString& name, const QString& localFile, Done done)
{
    const QStringList commands = Enter(place, folder, false) << QStringLiteral("get ") + name;
    run(target, commands, kTransferMs, [name, localFile, done](const Script& s) {
        done(SameFiles(s.dir->filePath(name), localFile));
    });
}

void LauncherFiles::whileWritable(const Target& target, const QString& name, bool mayCreate,
                                  Done done, std::function<void(const Place&)> go)
{
    if (!launcher::SafePfsName(name)) {
        fail(name, tr("this name cannot be written on a PS2 disk"));
        done(false);
        return;
    }
    m_games.whileWritable(
        target, QStringLiteral("change"),
        [=, this] {
            prepareWrite(target, mayCreate, [=](const std::optional<Place>& place) {
                if (place)
                    go(*place);
                else
                    done(false);
            });
        },
        [done] { done(false); });
}

void LauncherFiles::put(const Target& target, const Folder& folder, const QString& name,
                        const QString& localFile, bool mayCreate, Done done)
{
    const QString what = PathOf({QString(), folder, true}, name);
    whileWritable(target, name, mayCreate, done, [=, this](const Place& place) {
        // The new file goes beside the old one, which stays until the new one reads
        // back whole: pfsshell's put writes over a file without shortening it.
        const QString fresh = name + QStringLiteral(".new");
        auto dir = std::make_shared<QTemporaryDir>(QDir::tempPath() +
                                                   QStringLiteral("/ventrik-pfs-XXXXXX"));
        if (!dir->isValid() || !CopyWhole(localFile, dir->filePath(fresh))) {
            fail(what, tr("%1 could not be read").arg(localFile));
            done(false);
            return;
        }
        const QStringList commands = Enter(place, folder, true) << QStringLiteral("rm ") + fresh
                                                                << QStringLiteral("put ") + fresh;
        run(
            target, commands, kTransferMs,
            [=, this](const Script& s) {
                if (!Entered(s, place, folder)) {
                    fail(what, s.errors.join(u' '));
                    done(false);
                    return;
                }
                verify(target, place, folder, fresh, localFile, [=, this](bool same) {
                    if (!same) {
                        fail(what, tr("what pfsshell wrote did not read back the same; "
                                      "the file on the disk was left as it was"));
                        run(target, Enter(place, folder, false) << QStringLiteral("rm ") + fresh,
                            m_runner.readTimeout(), [done](const Script&) { done(false); });
                        return;
                    }
                    const QStringList swap = Enter(place, folder, false)
                                             << QStringLiteral("rm ") + name
                                             << QStringLiteral("rename %1 %2").arg(fresh, name);
                    run(target, swap, m_runner.readTimeout(), [=, this](const Script&) {
                        verify(target, place, folder, name, localFile, [=, this](bool whole) {
                            if (!whole)
                                fail(what, tr("it did not read back the same"));
                            done(whole);
                        });
                    });
                });
            },
            dir);
    });
}

void LauncherFiles::remove(const Target& target, const Folder& folder, const QString& name,
                           Done done)
{
    const QString what = PathOf({QString(), folder, true}, name);
    whileWritable(target, name, false, done, [=, this](const Place& place) {
        run(target, Enter(place, folder, false) << QStringLiteral("rm ") + name,
            m_runner.readTimeout(), [=, this](const Script&) {
                listLocked(target, folder,
                           [=, this](const std::optional<QList<PfsEntry>>& entries) {
                               const bool gone =
                                   entries &&
                                   std::none_of(entries->begin(), entries->end(),
                                                [&](const PfsEntry& e) { return e.name == name; });
                               if (entries && !gone)
                                   fail(what, tr("it is still there"));
                               done(gone);
                           });
            });
    });
}

void LauncherFiles::putArt(const Target& target, const QString& startup, launcher::ArtKind kind,
                           const QString& picture, bool mayCreate, Done done)
{
    const QString name = launcher::ArtFileName(startup, kind);
    if (!launcher::SafePfsName(name)) {
        fail(startup, tr("a game needs a startup name of letters, digits, '_' and '.' for "
                         "its pictures"));
        done(false);
        return;
    }
    auto dir =
        std::make_shared<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/ventrik-art-XXXXXX"));
    const QString png = dir->filePath(name);
    const QSize size = launcher::ArtSize(kind);
    // Pictures are read by a program of their own: a file that crashes a reader must not take
    // Ventrik with it, and the command line links no picture library.
    ToolCommand command{
        m_converter,
        {picture, png, QString::number(size.width()), QString::number(size.height())},
        {},
        true};
    m_runner.sideProgram(
        command, dir->path(),
        [=, this](const RunOutcome& o) {
            if (!o.succeeded() || !QFileInfo::exists(png)) {
                const QString said = o.errorOutput.trimmed();
                fail(picture, said.isEmpty() ? o.reason(QFileInfo(m_converter).fileName()) : said);
                done(false);
                return;
            }
            put(target, QStringLiteral("ART"), name, png, mayCreate,
                [dir, done](bool ok) { done(ok); });
        },
        m_runner.readTimeout());
}

void LauncherFiles::readConfig(const Target& target, const QString& startup,
                               std::function<void(const std::optional<launcher::GameConfig>&)> done)
{
    const QString name = startup + QStringLiteral(".cfg");
    if (!launcher::SafePfsName(name)) {
        fail(startup, tr("a game needs a startup name of letters, digits, '_' and '.' for its "
                         "settings"));
        done(std::nullopt);
        return;
    }
    auto dir =
        std::make_shared<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/ventrik-cfg-XXXXXX"));
    const QString local = dir->filePath(name);
    // The folder lives until the file was read.
    get(target, QStringLiteral("CFG"), name, local, [dir, local, done](bool ok, bool found) {
        if (!found) {
            done(launcher::GameConfig{});
            return;
        }
        QFile file(local);
        if (!ok || !file.open(QIODevice::ReadOnly)) {
            done(std::nullopt);
            return;
        }
        done(launcher::GameConfig::Parse(QString::fromUtf8(file.read(1 << 20))));
    });
}

void LauncherFiles::writeConfig(const Target& target, const QString& startup,
                                const launcher::GameConfig& config, bool mayCreate, Done done)
{
    const QString name = startup + QStringLiteral(".cfg");
    auto dir =
        std::make_shared<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/ventrik-cfg-XXXXXX"));
    const QString local = dir->filePath(name);
    QString error;
    if (!dir->isValid() || !SaveFileAtomically(local, config.text().toUtf8(), &error)) {
        fail(name, error.isEmpty() ? tr("it could not be written") : error);
        done(false);
        return;
    }
    put(target, QStringLiteral("CFG"), name, local, mayCreate, [dir, done](bool ok) { done(ok); });
}
