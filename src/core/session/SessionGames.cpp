// The session's work on the games of a disk: reading them (with their partitions),
// changing and deleting them, the checks before and after a job writes one, and the
// partition table backups.
#include "ProblemText.h"
#include "Session.h"

#include "core/devices/Flags.h"
#include "core/platform/Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStorageInfo>

namespace {

// A backup's file name: the disk (its serial where the system knows it) and the time.
QString backupStem(const QString& target)
{
    QString disk = platform::diskSerial(target);
    if (disk.isEmpty())
        disk = target;
    disk.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]+")), QStringLiteral("_"));
    disk.remove(QRegularExpression(QStringLiteral("^_+|_+$")));
    return disk;
}

const QString kBackupTime = QStringLiteral("yyyyMMdd-HHmmss");

} // namespace

// Reading a disk ------------------------------------------------------------------

void Session::listTarget(const QString& target,
                         std::function<void(const TargetFacts&, const RunOutcome&)> done,
                         bool shown)
{
    const bool readBefore = wasReadable(target);
    m_layoutProblems.remove(target);
    auto store = [this, target, done](const TargetFacts& facts, const RunOutcome& outcome) {
        m_facts[target] = facts;
        if (facts.read)
            m_freshFacts.insert(target);
        else
            m_freshFacts.remove(target);
        updateWarnings();
        done(facts, outcome);
    };
    // The list the user asked for shows in the activity view; the checks around a job do not
    // take its place.
    auto list = [this, shown, target](RunDone read) {
        if (shown)
            m_runner.attempt({QStringLiteral("hdl_toc"), target}, read, readTimeoutMs());
        else
            sideRun({QStringLiteral("hdl_toc"), target}, read);
    };
    // The space is that of the disk's PS2 area, which its first sector tells.
    auto counted = [this, target, store](TargetFacts facts, const RunOutcome& outcome) {
        if (!layoutReadable(target)) {
            store(facts, outcome);
            return;
        }
        readLayout(target, false, [store, facts, outcome](const layout::DiskLayout& found) mutable {
            CountApaArea(facts, found);
            store(facts, outcome);
        });
    };
    auto read = [this, target, readBefore, store, counted](const RunOutcome& outcome) {
        TargetFacts facts;
        if (!outcome.succeeded() || outcome.error != ToolError::None) {
            facts.problem = outcome.reason(toolName());
            const bool refused = outcome.error == ToolError::NotPs2Disk ||
                                 (outcome.normalExit && outcome.exitCode == 107);
            // What the tool calls broken is looked at: a sound table it cannot take, one
            // really damaged, or no PS2 disk at all.
            if (refused && layoutReadable(target)) {
                readLayout(target, true,
                           [this, target, facts, outcome, readBefore,
                            store](const layout::DiskLayout& found) {
                               store(examineRefusedTable(target, facts, found, readBefore),
                                     outcome);
                           });
                return;
            }
            if (outcome.normalExit && outcome.exitCode == 114 && QFileInfo(target).isFile())
                m_layoutProblems.insert(target, {ProblemKind::ToolTakesNoFiles, target, {}});
            facts.damaged = readBefore && refused;
            store(facts, outcome);
            return;
        }
        if (outcome.outputCut) {
            // The start of the table is gone: a part of it would pass for the whole.
            facts.problem = tr("The output was too large to be read.");
            store(facts, outcome);
            return;
        }
        const parse::GameTable table = parse::ParseGameTable(outcome.output);
        if (!table.understood()) {
            // Never an empty disk: a table has its header and its total line.
            facts.notUnderstood = true;
            facts.problem = tr("The tool's output was not understood.");
            store(facts, outcome);
            return;
        }
        facts = FactsOf(table);
        // The partitions: the one name of each game that no other game on the disk has.
        // Read beside the listing, which the activity view keeps showing.
        sideRun({QStringLiteral("toc"), target},
                [this, facts, outcome, counted](const RunOutcome& toc) mutable {
                    const parse::PartitionTable parts = parse::ParsePartitionTable(toc.output);
                    if (toc.succeeded() && !toc.outputCut && parts.understood())
                        AttachPartitions(facts.games, parts);
                    else
                        m_runner.log().addNote(
                            tr("The partitions of the games could not be read: %1")
                                .arg(toc.succeeded() ? tr("the tool's output was not understood")
                                                     : toc.reason(toolName())));
                    counted(facts, outcome);
                });
    };
    openNbd(target, [this, shown, list, read, store](const std::optional<Problem>& p) {
        if (!p) {
            list(read);
            return;
        }
        // The tool was never started: the listing says nothing more than this (and nothing
        // when it was cancelled).
        TargetFacts facts;
        facts.problem = ProblemText(*p);
        if (shown && !m_cancelRequested)
            emit problem(*p);
        store(facts, RunOutcome{});
    });
}

bool Session::wasReadable(const QString& target) const
{
    return m_facts.value(target).read || newestTocBackup(target).has_value();
}

void Session::readGames(std::function<void()> done)
{
    // What the tool can do to the games is known before they are shown: rename and flags
    // are offered, or not, from the first moment.
    // A tool that could not tell is still asked for the list, which says why it failed.
    if (!m_toolCommandsKnown && m_commandsBeforeGames) {
        knowToolCommands([this, done] {
            if (!m_cancelRequested) {
                listGames(done);
                return;
            }
            // Stopped before the list was asked for: nothing is shown as attached.
            m_attached = false;
            m_space.reset();
            m_games.setGames({});
            emit gamesChanged();
            done();
        });
        return;
    }
    listGames(done);
}

void Session::listGames(std::function<void()> done)
{
    const QString target = m_targetDevice;
    listTarget(target, [this, target, done](const TargetFacts& facts, const RunOutcome& outcome) {
        m_attached = false;
        m_space.reset();
        QList<parse::GameRow> rows;
        const auto said = m_layoutProblems.constFind(target);
        if (outcome.error == ToolError::ConnectionRefused) {
            emit problem({ProblemKind::ReloadServer, target, {}});
        } else if (outcome.error == ToolError::NetworkTimeout) {
            emit problem({ProblemKind::PS2NotAnswering, target, {}});
        } else if (facts.damaged) {
            const std::optional<TocBackup> backup = newestTocBackup(target);
            emit problem({ProblemKind::DamagedTable, target, backup ? backup->file : QString(),
                          facts.damage});
        } else if (said != m_layoutProblems.cend()) {
            emit problem(*said);
        } else if (outcome.error == ToolError::NotPs2Disk) {
            emit problem({ProblemKind::NotPs2Disk, target, {}});
        } else if (outcome.cancelled) {
            // The user stopped it; there is nothing to tell.
        } else if (facts.notUnderstood) {
            emit problem({ProblemKind::OutputNotUnderstood, target, {}});
        } else if (!facts.read) {
            // A failed listing is no empty disk; a tool that could not start was told already.
            if (outcome.started)
                emit problem({ProblemKind::ListingFailed, target, facts.problem});
        }
        // Games read from the disk's sectors are shown too, for reading.
        if (facts.read) {
            rows = facts.games;
            m_space = facts.space;
            m_attached = true;
        }
        m_games.setGames(std::move(rows));
        emit gamesChanged();
        done();
    });
}

void Session::readTargetFacts(const QString& target, std::function<void(const TargetFacts&)> done)
{
    listTarget(
        target,
        [this, target, done](const TargetFacts& facts, const RunOutcome&) {
            // A table broken since it was last read is said at once, also in the middle of a run.
            if (facts.damaged) {
                const std::optional<TocBackup> backup = newestTocBackup(target);
                emit problem({ProblemKind::DamagedTable, target, backup ? backup->file : QString(),
                              facts.damage});
            }
            done(facts);
        },
        false);
}

std::optional<parse::GameRow> Session::gameNamed(const QString& name)
{
    const QList<int> rows = GamesNamed(m_games.games(), name);
    if (rows.size() == 1)
        return m_games.game(rows.first());
    if (rows.isEmpty()) {
        emit problem({ProblemKind::GameNotFound, name, m_targetDevice});
        return std::nullopt;
    }
    QStringList partitions;
    for (const int row : rows) {
        const QString p = m_games.game(row).partition;
        partitions << (p.isEmpty() ? tr("(partition unknown)") : p);
    }
    emit problem({ProblemKind::AmbiguousTitle, name, partitions.join(QStringLiteral(", "))});
    return std::nullopt;
}

QString Session::titleOf(const QString& name) const
{
    const QList<int> rows = GamesNamed(m_games.games(), name);
    return rows.size() == 1 ? m_games.game(rows.first()).title : name;
}

void Session::withGames(std::function<void()> go)
{
    // An operation on a game needs the list that names it; a list that could not be read
    // has said why, and nothing is named from it.
    if (m_attached) {
        go();
        return;
    }
    readGames([this, go] {
        if (m_attached)
            go();
        else
            end();
    });
}

// Checks around a job ----------------------------------------------------------------

void Session::verifyJob(const Job& job, std::function<void(Verification)> done)
{
    readTargetFacts(WriteTarget(job), [job, done](const TargetFacts& facts) {
        Verification v;
        if (!facts.read) {
            v.found = Verification::Found::Unknown;
            v.problem = facts.problem;
            done(v);
            return;
        }
        // The game is its partition, with the job's startup; a title alone proves nothing.
        const QString partition =
            job.writes.isEmpty() ? PartitionName(job.name, job.startup, facts.naming) : job.writes;
        const parse::GameRow* game = facts.gameWithPartition(partition);
        if (game && !job.startup.isEmpty() && game->startup != job.startup)
            game = nullptr;
        if (!game) {
            v.found = Verification::Found::Missing;
        } else if (!job.writes.isEmpty() && !job.writesNew) {
            v.found = Verification::Found::NotNew;
        } else {
            v.sizeKb = game->sizeKb;
            // The list gives kilobytes of the game's data; a megabyte less is a copy cut short.
            const bool whole = job.sizeKb <= 0 || game->sizeKb + 1024 >= job.sizeKb;
            v.found = whole ? Verification::Found::Whole : Verification::Found::Short;
        }
        done(v);
    });
}

void Session::knowToolCommands(std::function<void()> done)
{
    if (m_toolCommandsKnown) {
        done();
        return;
    }
    // The usage, printed when the tool gets no arguments, lists what this build can do.
    m_runner.run(
        {},
        [this, done](const RunOutcome& outcome) {
            m_toolCommandsKnown = outcome.started;
            m_toolCommands = parse::ParseToolCommands(outcome.output);
            done();
        },
        readTimeoutMs());
}

void Session::prepareJob(const Job& job, std::function<void(const Job&)> go)
{
    auto refuse = [go, job](ToolError error, const QString& reason) {
        Job refused = job;
        refused.state = JobState::Failed;
        refused.error = error;
        refused.reason = reason;
        go(refused);
    };
    // An image needs room for all of it in its folder, checked before a byte is written.
    if (job.kind == JobKind::MakeIso || job.kind == JobKind::CopyToPC) {
        const QStorageInfo volume(QFileInfo(job.destination).absolutePath());
        const qint64 needed = job.sizeKb * 1024;
        if (needed > 0 && volume.isValid() && volume.bytesAvailable() < needed) {
            refuse(ToolError::NoSpace, tr("%1 needs %2 MB in %3, and %4 MB are free there.")
                                           .arg(QFileInfo(job.destination).fileName())
                                           .arg((needed + 1048575) / 1048576)
                                           .arg(QFileInfo(job.destination).absolutePath())
                                           .arg(volume.bytesAvailable() / 1048576));
            return;
        }
    }
    // An image file has one writer too: another Ventrik writing the same file waits, or is
    // refused, by the file's folder and name however it was named.
    if (job.kind == JobKind::MakeIso || job.kind == JobKind::CopyToPC) {
        if (!m_imageLocked.contains(job.id)) {
            lockTarget(
                job.destination, jobHolder(job),
                [this, job, go, refuse](bool locked) {
                    if (!locked && !m_cancelRequested) {
                        refuse(ToolError::None, tr("%1 is being written by another Ventrik; "
                                                   "nothing was written.")
                                                    .arg(job.destination));
                        return;
                    }
                    if (!locked) {
                        go(job);
                        return;
                    }
                    m_imageLocked.insert(job.id);
                    prepareJob(job, go);
                },
                true);
            return;
        }
        m_imageLocked.remove(job.id);
    }
    // The disk the job writes to, or a PS2 disk it copies from: one writer at a time there,
    // and nothing changes under a copy.
    const QString target = WriteTarget(job);
    const QString disk = target.isEmpty() && job.kind == JobKind::CopyToPC ? job.source : target;
    if (disk.isEmpty()) {
        go(job);
        return;
    }
    lockTarget(disk, jobHolder(job), [this, job, target, disk, go, refuse](bool locked) {
        if (!locked && !m_cancelRequested) {
            refuse(ToolError::None,
                   tr("%1 is in use by another Ventrik; nothing was written.").arg(disk));
            return;
        }
        if (!locked) {
            go(job);
            return;
        }
        // A PS2 over NBD the job reads from or writes to is opened first; one that does not
        // answer holds the later jobs, as a PS2 whose server is gone does.
        const QString other = job.source == disk ? QString() : job.source;
        openNbd(disk, [this, job, target, other, go, refuse](const std::optional<Problem>& p) {
            if (p) {
                refuse(p->kind == ProblemKind::NbdUnreachable ? ToolError::NetworkTimeout
                                                              : ToolError::None,
                       ProblemText(*p));
                return;
            }
            openNbd(other, [this, job, target, go, refuse](const std::optional<Problem>& q) {
                if (q) {
                    refuse(ToolError::None, ProblemText(*q));
                    return;
                }
                if (target.isEmpty()) {
                    go(job);
                    return;
                }
                // Nothing is written before the disk's own sectors say it may be.
                checkLayout(target, false,
                            [this, job, target, go, refuse](const std::optional<Problem>& r) {
                                if (r) {
                                    refuse(ToolError::None, ProblemText(*r));
                                    return;
                                }
                                prepareWrite(job, target, go);
                            });
            });
        });
    });
}

void Session::prepareWrite(const Job& job, const QString& target,
                           std::function<void(const Job&)> go)
{
    auto decide = [this, job, target, go](const TargetFacts& facts) {
        Job prepared = job;
        prepared.writes.clear();
        prepared.writesNew = false;
        if (facts.read) {
            prepared.writes = PartitionName(job.name, job.startup, facts.naming);
            prepared.writesNew = facts.gameWithPartition(prepared.writes) == nullptr;
            qint64 size = job.sizeKb;
            if (size <= 0 && job.kind == JobKind::Install && !IsDriveSource(job.source))
                size = QFileInfo(job.source).size() / 1024;
            // An install that leaves no slice free breaks the partition table; it never runs.
            if (!FitsLeavingASlice(size, facts.availableMb)) {
                prepared.state = JobState::Failed;
                prepared.error = ToolError::NoSpace;
                prepared.reason =
                    tr("%1 needs %2 MB on %3 in %4 MB slices, one slice must stay free, and "
                       "%5 MB are free.")
                        .arg(job.name)
                        .arg(SlicesMb(size))
                        .arg(target)
                        .arg(kSliceMb)
                        .arg(facts.availableMb);
                go(prepared);
                return;
            }
        }
        // From here on the disk is being written: what was read of it is old.
        m_freshFacts.remove(target);
        go(prepared);
    };
    auto read = [this, target, decide] {
        if (m_freshFacts.contains(target))
            decide(m_facts.value(target));
        else
            readTargetFacts(target, decide);
    };
    if (m_backedUp.contains(target)) {
        read();
        return;
    }
    m_backedUp.insert(target);
    backupBeforeWrite(target, read);
}

// Partition table backups --------------------------------------------------------------

void Session::backupBeforeWrite(const QString& target, std::function<void()> go)
{
    knowToolCommands([this, target, go] {
        if (m_toolCommands.contains(QLatin1String("backup_toc")))
            backupToc(target, go);
        else
            go();
    });
}

void Session::backupToc(const QString& target, std::function<void()> done)
{
    saveToc(target, {}, [done](const QString&) { done(); });
}

void Session::saveToc(const QString& target, const QString& path,
                      std::function<void(const QString& file)> done, bool beforeRestore)
{
    const QString folder = m_paths.dataDir + QStringLiteral("/toc-backups");
    QDir().mkpath(folder);
    const QString disk = backupStem(target);
    const QString stamp = QDateTime::currentDateTime().toString(kBackupTime);
    // Two writes in one second get two backups: the tool refuses to write over a file, and a
    // failed backup's file is removed, which must never be an earlier backup.
    QString file = path.isEmpty() ? QStringLiteral("%1/%2-%3.bin").arg(folder, disk, stamp) : path;
    for (int n = 2; path.isEmpty() && QFileInfo::exists(file); ++n)
        file = QStringLiteral("%1/%2-%3-%4.bin").arg(folder, disk, stamp).arg(n);
    m_runner.run(
        {QStringLiteral("backup_toc"), target, file},
        [this, target, file, path, done, beforeRestore](const RunOutcome& outcome) {
            if (!outcome.succeeded() || outcome.error != ToolError::None ||
                !QFileInfo::exists(file)) {
                QFile::remove(file);
                m_runner.log().addNote(tr("The partition table of %1 could not be saved: %2")
                                           .arg(target, outcome.reason(toolName())));
                done({});
                return;
            }
            if (!path.isEmpty()) {
                done(file);
                return;
            }
            m_runner.log().addNote(
                tr("The partition table of %1 was saved to %2").arg(target, file));
            // Which disk it is, beside it: what the system knows of the disk where the table
            // itself cannot tell (two disks formatted in the same second).
            const layout::DiskLayout known = m_layoutOf.value(target);
            // A copy taken just before a restore is what went wrong, perhaps: it is kept, and
            // never chosen as "the newest backup" by itself.
            QJsonObject disk{{QStringLiteral("target"), target},
                             {QStringLiteral("serial"), platform::diskSerial(target)},
                             {QStringLiteral("size_bytes"), known.diskBytes},
                             {QStringLiteral("identity"), layout::IdentityText(known.identity)},
                             {QStringLiteral("before_restore"), beforeRestore}};
            QSaveFile side(file + QStringLiteral(".json"));
            const QByteArray json = QJsonDocument(disk).toJson();
            if (!side.open(QIODevice::WriteOnly) || side.write(json) != json.size() ||
                !side.commit())
                m_runner.log().addNote(
                    tr("Which disk %1 belongs to could not be written down.").arg(file));
            // The newest ten of each disk are kept.
            const QList<TocBackup> all = tocBackups(target);
            for (qsizetype i = 10; i < all.size(); ++i) {
                QFile::remove(all[i].file);
                QFile::remove(all[i].file + QStringLiteral(".json"));
            }
            done(file);
        },
        readTimeoutMs());
}

QList<TocBackup> Session::tocBackups(const QString& target) const
{
    const QString folder = m_paths.dataDir + QStringLiteral("/toc-backups");
    const QString stem = backupStem(target);
    // DISK-yyyyMMdd-HHmmss.bin, then -2.bin, -3.bin ... for more in the same second.
    QList<std::pair<TocBackup, int>> found;
    for (const QString& name :
         QDir(folder).entryList({stem + QStringLiteral("-*.bin")}, QDir::Files)) {
        const QString rest = name.mid(stem.size() + 1).chopped(4);
        const QDateTime made = QDateTime::fromString(rest.left(kBackupTime.size()), kBackupTime);
        const QString more = rest.mid(kBackupTime.size());
        bool numbered = false;
        const int n = more.startsWith(u'-') ? more.mid(1).toInt(&numbered) : 1;
        if (made.isValid() && (more.isEmpty() || numbered))
            found.append({{folder + u'/' + name, made}, n});
    }
    std::ranges::sort(found, [](const auto& a, const auto& b) {
        return a.first.made != b.first.made ? a.first.made > b.first.made : a.second > b.second;
    });
    QList<TocBackup> backups;
    for (const auto& [backup, n] : found)
        backups << backup;
    return backups;
}

std::optional<QString> Session::backupMismatch(const QString& file, const QString& target,
                                               const layout::TocBackup& backup) const
{
    const auto known = m_layoutOf.constFind(target);
    if (known == m_layoutOf.cend() || !known->isApa())
        return std::nullopt;
    if (qint64{backup.usedEnd} * layout::kSectorBytes > known->apaEndBytes)
        return tr("its partitions reach past the end of the disk's PS2 area");
    if (backup.identity != known->identity)
        return tr("it belongs to another disk: the table it holds was made by another format "
                  "than this disk's");
    // What the system knew of the disk then, where it knows it now.
    const platform::FileRead side =
        platform::readRegularFile(file + QStringLiteral(".json"), 64 * 1024);
    if (side.status != platform::FileReadStatus::Read)
        return std::nullopt;
    const QJsonObject then = QJsonDocument::fromJson(side.bytes).object();
    const QString serial = then.value(QStringLiteral("serial")).toString();
    const QString now = platform::diskSerial(target);
    if (!serial.isEmpty() && !now.isEmpty() && serial != now)
        return tr("it belongs to another disk (serial number %1, this one's is %2)")
            .arg(serial, now);
    const qint64 size = then.value(QStringLiteral("size_bytes")).toInteger();
    if (size > 0 && known->diskBytes > 0 && size != known->diskBytes)
        return tr("it belongs to another disk (%1 bytes, this one has %2)")
            .arg(size)
            .arg(known->diskBytes);
    return std::nullopt;
}

bool Session::TakenBeforeRestore(const QString& file)
{
    const platform::FileRead side =
        platform::readRegularFile(file + QStringLiteral(".json"), 64 * 1024);
    return side.status == platform::FileReadStatus::Read &&
           QJsonDocument::fromJson(side.bytes)
               .object()
               .value(QStringLiteral("before_restore"))
               .toBool();
}

std::optional<TocBackup> Session::newestTocBackup(const QString& target) const
{
    for (const TocBackup& b : tocBackups(target)) {
        if (TakenBeforeRestore(b.file))
            continue;
        const platform::FileRead read = platform::readRegularFile(b.file, layout::kMaxBackupBytes);
        if (read.status != platform::FileReadStatus::Read)
            continue;
        const layout::TocBackup backup = layout::ReadTocBackup(read.bytes);
        if (backup.valid() && !backupMismatch(b.file, target, backup))
            return b;
    }
    return std::nullopt;
}

bool Session::restoreToc(const QString& target, const QString& file, bool otherDisk)
{
    if (target.isEmpty() || !begin(Activity::Restoring))
        return false;
    whileLocked(target, QStringLiteral("restore"), [this, target, file, otherDisk] {
        m_freshFacts.remove(target);
        restoreLocked(target, file, otherDisk);
    });
    return true;
}

void Session::restoreLocked(const QString& target, const QString& chosen, bool otherDisk)
{
    auto refuse = [this, target](const QString& why) {
        emit problem({ProblemKind::RestoreRefused, target, why});
        end();
    };
    // The backup named, or the newest of this very disk.
    // (Never a copy of the table taken just before a restore.)
    auto backupOf = [this, chosen, target](const QByteArray& identity, QString* file,
                                           layout::TocBackup* backup,
                                           const QString& justMade = {}) -> QString {
        *file = chosen;
        if (file->isEmpty()) {
            for (const TocBackup& b : tocBackups(target)) {
                if (b.file == justMade || TakenBeforeRestore(b.file))
                    continue;
                const platform::FileRead r =
                    platform::readRegularFile(b.file, layout::kMaxBackupBytes);
                const layout::TocBackup candidate = layout::ReadTocBackup(r.bytes);
                if (r.status == platform::FileReadStatus::Read && candidate.valid() &&
                    (identity.isEmpty() || candidate.identity == identity)) {
                    *file = b.file;
                    break;
                }
            }
            if (file->isEmpty())
                return tr("Ventrik keeps no backup of this disk's table");
        }
        const platform::FileRead read = platform::readRegularFile(*file, layout::kMaxBackupBytes);
        if (read.status == platform::FileReadStatus::Missing)
            return tr("%1 does not exist").arg(*file);
        if (read.status != platform::FileReadStatus::Read)
            return tr("%1 cannot be read (%2)").arg(*file, read.error);
        *backup = layout::ReadTocBackup(read.bytes);
        if (!backup->valid())
            return tr("%1 is no partition table backup: %2").arg(*file, backup->fault);
        return {};
    };
    const QString anyway = tr("Restore it anyway with --other-disk (dangerous: the games of "
                              "the disk's own table are lost from it).");
    // No sector can be read there: the table on the disk, as the tool saves it, tells whose
    // disk it is.
    auto byTheToolsCopy = [this, target, otherDisk, anyway, refuse, backupOf] {
        layoutUnchecked(target);
        saveToc(
            target, {},
            [this, otherDisk, anyway, refuse, backupOf, target](const QString& before) {
                const QByteArray identity = layout::BackupIdentity(
                    platform::readRegularFile(before, layout::kMaxBackupBytes).bytes);
                if (!otherDisk && identity.isEmpty())
                    return refuse(tr("the table on the disk could not be read to tell whether a "
                                     "backup belongs to it. ") +
                                  anyway);
                QString file;
                layout::TocBackup backup;
                if (const QString why =
                        backupOf(otherDisk ? QByteArray() : identity, &file, &backup, before);
                    !why.isEmpty())
                    return refuse(why);
                if (!otherDisk && identity != backup.identity)
                    return refuse(tr("it belongs to another disk: the table it holds was made by "
                                     "another format than this disk's. ") +
                                  anyway);
                restoreWrite(target, file, backup, before);
            },
            true);
    };
    if (!layoutReadable(target)) {
        byTheToolsCopy();
        return;
    }
    readLayout(target, true,
               [this, target, otherDisk, anyway, refuse, backupOf,
                byTheToolsCopy](const layout::DiskLayout& disk) {
                   if (disk.absent)
                       return byTheToolsCopy();
                   if (!disk.readError.isEmpty())
                       return refuse(tr("the disk could not be read (%1)").arg(disk.readError));
                   if (disk.isApa() && disk.smallSlices && disk.damage.isEmpty())
                       return refuse(ProblemText({ProblemKind::NewerLayout, target, {}}));
                   QString file;
                   layout::TocBackup backup;
                   if (const QString why =
                           backupOf(otherDisk || !disk.isApa() ? QByteArray() : disk.identity,
                                    &file, &backup);
                       !why.isEmpty())
                       return refuse(why);
                   const qint64 area = disk.isApa() ? disk.apaEndBytes : disk.diskBytes;
                   if (qint64{backup.usedEnd} * layout::kSectorBytes > area)
                       return refuse(tr("the partitions of %1 reach past the end of the disk's "
                                        "PS2 area")
                                         .arg(file));
                   if (!otherDisk && !disk.isApa())
                       return refuse(tr("the disk holds %1, so it cannot be told whether the "
                                        "backup belongs to it. ")
                                         .arg(layout::ContentText(disk.content)) +
                                     anyway);
                   if (!otherDisk) {
                       if (const auto why = backupMismatch(file, target, backup))
                           return refuse(*why + QStringLiteral(". ") + anyway);
                   }
                   auto write = [this, target, file, backup] {
                       saveToc(
                           target, {},
                           [this, target, file, backup](const QString& before) {
                               restoreWrite(target, file, backup, before);
                           },
                           true);
                   };
                   if (!disk.isApa() || !disk.needsView()) {
                       write();
                       return;
                   }
                   openView(target, disk, [this, write](const std::optional<Problem>& p) {
                       if (!p) {
                           write();
                           return;
                       }
                       emit problem(*p);
                       end();
                   });
               });
}

void Session::restoreWrite(const QString& target, const QString& file,
                           const layout::TocBackup& backup, const QString& before)
{
    if (before.isEmpty())
        m_runner.log().addNote(tr("The partition table of %1 could not be saved before the "
                                  "restore; it could not be put back if the restore went wrong.")
                                   .arg(target));
    m_runner.attempt(
        {QStringLiteral("restore_toc"), target, file},
        [this, target, file, backup, before](const RunOutcome& outcome) {
            auto finish = [this, target](std::optional<Problem> said) {
                auto told = [this, target, said] {
                    if (said)
                        emit problem(*said);
                    else
                        emit tocRestored(target, m_restoredFrom);
                    end();
                };
                if (target == m_targetDevice)
                    readGames(told);
                else
                    readTargetFacts(target, [told](const TargetFacts&) { told(); });
            };
            if (!outcome.succeeded() || outcome.error != ToolError::None) {
                finish(Problem{ProblemKind::RestoreFailed, target, outcome.reason(toolName())});
                return;
            }
            // What is on the disk now must be the backup's table, partition for partition.
            readBackTable(target, [this, target, file, backup, before,
                                   finish](const std::optional<QList<layout::Partition>>& now) {
                if (now && *now == backup.partitions) {
                    m_runner.log().addNote(
                        tr("The partition table of %1 was restored from %2").arg(target, file));
                    m_restoredFrom = file;
                    finish(std::nullopt);
                    return;
                }
                const QString wrong = tr("the table read back from the disk is not the one %1 "
                                         "holds")
                                          .arg(file);
                if (before.isEmpty()) {
                    finish(Problem{ProblemKind::RestoreFailed, target,
                                   wrong + tr("; the table from before could not be saved, so "
                                              "it could not be put back")});
                    return;
                }
                m_runner.run(
                    {QStringLiteral("restore_toc"), target, before},
                    [this, target, wrong, before, finish](const RunOutcome& back) {
                        const bool ok = back.succeeded() && back.error == ToolError::None;
                        finish(Problem{ProblemKind::RestoreFailed, target,
                                       wrong + (ok ? tr("; the table that was on the disk before "
                                                        "was put back (%1)")
                                                         .arg(before)
                                                   : tr("; putting back the table from before "
                                                        "(%1) failed too: %2")
                                                         .arg(before, back.reason(toolName())))});
                    });
            });
        });
}

void Session::readBackTable(
    const QString& target, std::function<void(const std::optional<QList<layout::Partition>>&)> done)
{
    if (layoutReadable(target)) {
        readLayout(target, true, [done](const layout::DiskLayout& found) {
            if (found.sound())
                done(found.partitions);
            else
                done(std::nullopt);
        });
        return;
    }
    // The tool's own copy of it, where no sector can be read.
    const QString copy = m_paths.workingDir + QStringLiteral("/read-back-toc.bin");
    QFile::remove(copy);
    saveToc(target, copy, [done](const QString& file) {
        const platform::FileRead read = platform::readRegularFile(file, layout::kMaxBackupBytes);
        QFile::remove(file);
        const layout::TocBackup now = layout::ReadTocBackup(read.bytes);
        if (file.isEmpty() || !now.valid())
            done(std::nullopt);
        else
            done(now.partitions);
    });
}

void Session::whileWritable(const QString& target, const QString& holder, std::function<void()> go)
{
    whileLocked(target, holder, [this, target, go] {
        checkLayout(target, false, [this, go](const std::optional<Problem>& p) {
            if (!p) {
                go();
                return;
            }
            emit problem(*p);
            end();
        });
    });
}

bool Session::refuseReadOnly()
{
    if (!targetReadOnly())
        return false;
    const auto said = m_layoutProblems.constFind(m_targetDevice);
    emit problem(said != m_layoutProblems.cend()
                     ? *said
                     : Problem{ProblemKind::NewerLayout, m_targetDevice, {}});
    return true;
}

void Session::whileLocked(const QString& target, const QString& holder, std::function<void()> go)
{
    lockTarget(target, holder, [this, target, go](bool locked) {
        if (!locked) {
            end();
            return;
        }
        openNbd(target, [this, go](const std::optional<Problem>& p) {
            if (!p) {
                go();
                return;
            }
            if (!m_cancelRequested)
                emit problem(*p);
            end();
        });
    });
}

// Deleting and editing installed games ---------------------------------------------------

bool Session::deleteGame(const QString& name)
{
    return deleteGames({name});
}

bool Session::deleteGames(const QStringList& names)
{
    if (m_targetDevice.isEmpty() || names.isEmpty() || !begin(Activity::Deleting))
        return false;
    withGames([this, names] {
        // Every name is resolved against the list before the first game goes.
        QList<parse::GameRow> games;
        for (const QString& name : names) {
            if (const auto game = gameNamed(name))
                games << *game;
        }
        if (games.isEmpty() || games.size() != names.size()) {
            end();
            return;
        }
        if (refuseReadOnly()) {
            end();
            return;
        }
        whileWritable(m_targetDevice, QStringLiteral("change"), [this, games] {
            backupBeforeWrite(m_targetDevice, [this, games] {
                m_freshFacts.remove(m_targetDevice);
                deleteNext(games);
            });
        });
    });
    return true;
}

void Session::deleteNext(QList<parse::GameRow> games)
{
    if (games.isEmpty() || m_cancelRequested) {
        refreshTarget([this] { end(); });
        return;
    }
    const parse::GameRow game = games.takeFirst();
    m_runner.attempt(
        {QStringLiteral("delete"), m_targetDevice, game.key()},
        [this, game, games](const RunOutcome& outcome) {
            static constexpr ToolError refusals[] = {
                ToolError::UnknownCommand, ToolError::NotFound, ToolError::ConnectionRefused,
                ToolError::NetworkTimeout, ToolError::NotPs2Disk};
            bool deleted = outcome.succeeded();
            for (const ToolError e : refusals)
                deleted = deleted && outcome.error != e;
            if (deleted)
                emit gameDeleted(game.title);
            else
                emit problem({ProblemKind::DeleteFailed, game.title, outcome.reason(toolName())});
            // A tool without delete, or a PS2 that stopped answering, fails every other game too.
            const bool hopeless = outcome.error == ToolError::UnknownCommand ||
                                  outcome.error == ToolError::ConnectionRefused ||
                                  outcome.error == ToolError::NetworkTimeout || !outcome.started;
            deleteNext(hopeless ? QList<parse::GameRow>() : games);
        });
}

std::optional<bool> Session::canModify() const
{
    if (!m_toolCommandsKnown)
        return std::nullopt;
    return m_toolCommands.contains(QLatin1String("modify"));
}

QStringList Session::RenameArguments(const QString& target, const QString& name,
                                     const QString& newName)
{
    return {QStringLiteral("modify"), target, name, newName};
}

QStringList Session::FlagsArguments(const QString& target, const QString& name,
                                    const CompatFlags& flags)
{
    // Without a new name the tool reads the flags in its place. "No flags" is 0x00: every
    // build reads it so, where 0.9.0 takes "+0" for a new name and every build a bare "0".
    return {QStringLiteral("modify"), target, name,
            flags.isEmpty() ? QStringLiteral("0x00") : flags.toolText()};
}

bool Session::renameGame(const QString& name, const QString& newName)
{
    if (ToolReadsAsFlags(newName)) {
        emit problem({ProblemKind::NameReadAsFlags, newName, {}});
        return false;
    }
    if (HasControlCharacters(newName)) {
        emit problem({ProblemKind::NameHasControlCharacters, newName, {}});
        return false;
    }
    return modifyGame(name, [this, newName](const parse::GameRow& game) {
        return game.title == newName ? QStringList()
                                     : RenameArguments(m_targetDevice, game.key(), newName);
    });
}

bool Session::setGameFlags(const QString& name, const CompatFlags& flags)
{
    return modifyGame(name, [this, flags](const parse::GameRow& game) {
        return CompatFlags::parse(game.flags).value_or(CompatFlags()) == flags
                   ? QStringList()
                   : FlagsArguments(m_targetDevice, game.key(), flags);
    });
}

bool Session::modifyGame(const QString& name,
                         std::function<QStringList(const parse::GameRow&)> arguments)
{
    if (m_targetDevice.isEmpty() || !begin(Activity::Modifying))
        return false;
    withGames([this, name, arguments] {
        if (refuseReadOnly()) {
            end();
            return;
        }
        const std::optional<parse::GameRow> game = gameNamed(name);
        // An unchanged name or flags change nothing, and the tool is not asked.
        const QStringList args = game ? arguments(*game) : QStringList();
        if (args.isEmpty()) {
            end();
            return;
        }
        knowToolCommands([this, title = game->title, args] {
            if (!canModify().value_or(false)) {
                emit problem({ProblemKind::NoModify, {}, {}});
                end();
                return;
            }
            whileWritable(m_targetDevice, QStringLiteral("change"),
                          [this, title, args] { changeLocked(title, args); });
        });
    });
    return true;
}

void Session::changeLocked(const QString& title, const QStringList& args)
{
    backupBeforeWrite(m_targetDevice, [this, title, args] {
        m_freshFacts.remove(m_targetDevice);
        m_runner.attempt(args, [this, title](const RunOutcome& outcome) {
            const bool changed = outcome.succeeded() && outcome.error == ToolError::None;
            const QString reason = outcome.reason(toolName());
            refreshTarget([this, title, changed, reason] {
                // Told before the session is idle again, so whoever waits for idle knows.
                if (changed)
                    emit gameModified(title);
                else
                    emit problem({ProblemKind::ModifyFailed, title, reason});
                end();
            });
        });
    });
}
