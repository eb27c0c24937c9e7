// Partition table backups: saved before a disk is written, each marked with its disk, and put
// back only on the disk they belong to.
#include "TargetGames.h"

#include "ProblemText.h"
#include "core/platform/Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>

namespace {} // namespace

QString TargetGames::BackupStem(const QString& target)
{
    QString disk = platform::diskSerial(target);
    if (disk.isEmpty())
        disk = target;
    disk.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]+")), QStringLiteral("_"));
    disk.remove(QRegularExpression(QStringLiteral("^_+|_+$")));
    return disk;
}

namespace {

const QString kBackupTime = QStringLiteral("yyyyMMdd-HHmmss");

layout::TocBackup ReadBackupFile(const QString& file, platform::FileRead* read = nullptr)
{
    platform::FileRead r = platform::readRegularFile(file, layout::kMaxBackupBytes);
    const layout::TocBackup backup = layout::ReadTocBackup(r.bytes);
    if (read)
        *read = std::move(r);
    return backup;
}

} // namespace

void TargetGames::backupBeforeWrite(const Target& target, std::function<void()> go)
{
    m_usage.know([this, target, go] {
        if (m_usage.has(QStringLiteral("backup_toc")))
            saveToc(target, {}, [go](const QString&) { go(); });
        else
            go();
    });
}

void TargetGames::saveToc(const Target& target, const QString& path,
                          std::function<void(const QString& file)> done, bool beforeRestore)
{
    const QString name = target.toolArgument();
    const QString folder = m_dataDir + QStringLiteral("/toc-backups");
    QDir().mkpath(folder);
    const QString disk = BackupStem(name);
    const QString stamp = QDateTime::currentDateTime().toString(kBackupTime);
    // Two writes in one second get two backups: the tool refuses to write over a file, and a
    // failed backup's file is removed, which must never be an earlier backup.
    QString file = path.isEmpty() ? QStringLiteral("%1/%2-%3.bin").arg(folder, disk, stamp) : path;
    for (int n = 2; path.isEmpty() && QFileInfo::exists(file); ++n)
        file = QStringLiteral("%1/%2-%3-%4.bin").arg(folder, disk, stamp).arg(n);
    m_runner.run(
        {QStringLiteral("backup_toc"), name, file},
        [this, target, name, file, path, done, beforeRestore](const RunOutcome& outcome) {
            if (!outcome.succeeded() || outcome.error != ToolError::None ||
                !QFileInfo::exists(file)) {
                QFile::remove(file);
                m_runner.log().addNote(tr("The partition table of %1 could not be saved: %2")
                                           .arg(name, outcome.reason(m_runner.toolName())));
                done({});
                return;
            }
            if (!path.isEmpty()) {
                done(file);
                return;
            }
            m_runner.log().addNote(tr("The partition table of %1 was saved to %2").arg(name, file));
            // Which disk it is, beside it: what the system knows of the disk where the table
            // itself cannot tell (two disks formatted in the same second).
            const layout::DiskLayout known = m_layoutOf.value(name);
            // A copy taken just before a restore is what went wrong, perhaps: it is kept, and
            // never chosen as "the newest backup" by itself.
            QJsonObject disk{{QStringLiteral("target"), name},
                             {QStringLiteral("serial"), platform::diskSerial(name)},
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
            const QList<TocBackup> all = backups(target);
            for (qsizetype i = 10; i < all.size(); ++i) {
                QFile::remove(all[i].file);
                QFile::remove(all[i].file + QStringLiteral(".json"));
            }
            done(file);
        },
        m_runner.readTimeout());
}

QList<TocBackup> TargetGames::backups(const Target& target) const
{
    const QString folder = m_dataDir + QStringLiteral("/toc-backups");
    const QString stem = BackupStem(target.toolArgument());
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
    QList<TocBackup> all;
    for (const auto& [backup, n] : found)
        all << backup;
    return all;
}

std::optional<QString> TargetGames::backupMismatch(const QString& file, const Target& target,
                                                   const layout::TocBackup& backup) const
{
    const auto known = m_layoutOf.constFind(target.toolArgument());
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
    const QString now = platform::diskSerial(target.toolArgument());
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

bool TargetGames::TakenBeforeRestore(const QString& file)
{
    const platform::FileRead side =
        platform::readRegularFile(file + QStringLiteral(".json"), 64 * 1024);
    return side.status == platform::FileReadStatus::Read &&
           QJsonDocument::fromJson(side.bytes)
               .object()
               .value(QStringLiteral("before_restore"))
               .toBool();
}

std::optional<TocBackup> TargetGames::newestBackup(const Target& target) const
{
    for (const TocBackup& b : backups(target)) {
        if (TakenBeforeRestore(b.file))
            continue;
        platform::FileRead read;
        const layout::TocBackup backup = ReadBackupFile(b.file, &read);
        if (read.status == platform::FileReadStatus::Read && backup.valid() &&
            !backupMismatch(b.file, target, backup))
            return b;
    }
    return std::nullopt;
}

bool TargetGames::restoreToc(const Target& disk, const QString& file, bool otherDisk)
{
    if (disk.isNull() || !m_gate.begin(Activity::Restoring))
        return false;
    restore(disk, file, otherDisk, [this, disk](const Change& change) {
        if (change.problem)
            emit problem(*change.problem);
        else if (change.done)
            emit tocRestored(disk, change.file);
        m_gate.end();
    });
    return true;
}

void TargetGames::restore(const Target& target, const QString& file, bool otherDisk, Changed done)
{
    whileLocked(
        target, QStringLiteral("restore"),
        [this, target, file, otherDisk, done] {
            markWritten(target);
            restoreLocked(target, file, otherDisk, done);
        },
        [done] { done({}); });
}

void TargetGames::restoreLocked(const Target& target, const QString& chosen, bool otherDisk,
                                Changed done)
{
    const QString name = target.toolArgument();
    auto refuse = [name, done](const QString& why) {
        Change refused;
        refused.problem = Problem{ProblemKind::RestoreRefused, name, why};
        done(refused);
    };
    // The backup named, or the newest of this very disk.
    // (Never a copy of the table taken just before a restore.)
    auto backupOf = [this, chosen, target](const QByteArray& identity, QString* file,
                                           layout::TocBackup* backup,
                                           const QString& justMade = {}) -> QString {
        *file = chosen;
        if (file->isEmpty()) {
            for (const TocBackup& b : backups(target)) {
                if (b.file == justMade || TakenBeforeRestore(b.file))
                    continue;
                platform::FileRead r;
                const layout::TocBackup candidate = ReadBackupFile(b.file, &r);
                if (r.status == platform::FileReadStatus::Read && candidate.valid() &&
                    (identity.isEmpty() || candidate.identity == identity)) {
                    *file = b.file;
                    break;
                }
            }
            if (file->isEmpty())
                return tr("Ventrik keeps no backup of this disk's table");
        }
        platform::FileRead read;
        *backup = ReadBackupFile(*file, &read);
        if (read.status == platform::FileReadStatus::Missing)
            return tr("%1 does not exist").arg(*file);
        if (read.status != platform::FileReadStatus::Read)
            return tr("%1 cannot be read (%2)").arg(*file, read.error);
        if (!backup->valid())
            return tr("%1 is no partition table backup: %2").arg(*file, backup->fault);
        return {};
    };
    const QString anyway = tr("Restore it anyway with --other-disk (dangerous: the games of "
                              "the disk's own table are lost from it).");
    // No sector can be read there: the table on the disk, as the tool saves it, tells whose
    // disk it is.
    auto byTheToolsCopy = [this, target, otherDisk, anyway, refuse, backupOf, done] {
        layoutUnchecked(target);
        saveToc(
            target, {},
            [this, otherDisk, anyway, refuse, backupOf, target, done](const QString& before) {
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
                restoreWrite(target, file, backup, before, done);
            },
            true);
    };
    if (!LayoutReadable(target)) {
        byTheToolsCopy();
        return;
    }
    readLayout(target, true,
               [this, target, name, otherDisk, anyway, refuse, backupOf, byTheToolsCopy,
                done](const layout::DiskLayout& disk) {
                   if (disk.absent)
                       return byTheToolsCopy();
                   if (!disk.readError.isEmpty())
                       return refuse(tr("the disk could not be read (%1)").arg(disk.readError));
                   if (disk.isApa() && disk.smallSlices && disk.damage.isEmpty())
                       return refuse(ProblemText({ProblemKind::NewerLayout, name, {}}));
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
                   auto write = [this, target, file, backup, done] {
                       saveToc(
                           target, {},
                           [this, target, file, backup, done](const QString& before) {
                               restoreWrite(target, file, backup, before, done);
                           },
                           true);
                   };
                   if (!disk.isApa() || !disk.needsView()) {
                       write();
                       return;
                   }
                   openView(target, disk, [write, done](const std::optional<Problem>& p) {
                       if (!p) {
                           write();
                           return;
                       }
                       Change refused;
                       refused.problem = p;
                       done(refused);
                   });
               });
}

void TargetGames::restoreWrite(const Target& target, const QString& file,
                               const layout::TocBackup& backup, const QString& before, Changed done)
{
    const QString name = target.toolArgument();
    if (before.isEmpty())
        m_runner.log().addNote(tr("The partition table of %1 could not be saved before the "
                                  "restore; it could not be put back if the restore went wrong.")
                                   .arg(name));
    m_runner.attempt({QStringLiteral("restore_toc"), name, file}, [this, target, name, file, backup,
                                                                   before, done](
                                                                      const RunOutcome& outcome) {
        // The target is read again before anything is told.
        auto finish = [this, target, done](Change change) {
            change.ran = true;
            auto told = [done, change] { done(change); };
            if (target == m_target)
                read(told);
            else
                readFacts(target, [told](const TargetFacts&) { told(); });
        };
        if (!outcome.succeeded() || outcome.error != ToolError::None) {
            Change failed;
            failed.problem =
                Problem{ProblemKind::RestoreFailed, name, outcome.reason(m_runner.toolName())};
            finish(failed);
            return;
        }
        // What is on the disk now must be the backup's table, partition for partition.
        readBackTable(target, [this, name, file, backup, before,
                               finish](const std::optional<QList<layout::Partition>>& now) {
            if (now && *now == backup.partitions) {
                m_runner.log().addNote(
                    tr("The partition table of %1 was restored from %2").arg(name, file));
                Change restored;
                restored.done = true;
                restored.file = file;
                finish(restored);
                return;
            }
            const QString wrong = tr("the table read back from the disk is not the one %1 "
                                     "holds")
                                      .arg(file);
            if (before.isEmpty()) {
                Change failed;
                failed.problem = Problem{ProblemKind::RestoreFailed, name,
                                         wrong + tr("; the table from before could not be "
                                                    "saved, so it could not be put back")};
                finish(failed);
                return;
            }
            m_runner.run({QStringLiteral("restore_toc"), name, before},
                         [this, name, wrong, before, finish](const RunOutcome& back) {
                             const bool ok = back.succeeded() && back.error == ToolError::None;
                             Change failed;
                             failed.problem = Problem{
                                 ProblemKind::RestoreFailed, name,
                                 wrong + (ok ? tr("; the table that was on the disk before "
                                                  "was put back (%1)")
                                                   .arg(before)
                                             : tr("; putting back the table from before "
                                                  "(%1) failed too: %2")
                                                   .arg(before, back.reason(m_runner.toolName())))};
                             finish(failed);
                         });
        });
    });
}

void TargetGames::readBackTable(
    const Target& target, std::function<void(const std::optional<QList<layout::Partition>>&)> done)
{
    if (LayoutReadable(target)) {
        readLayout(target, true, [done](const layout::DiskLayout& found) {
            if (found.sound())
                done(found.partitions);
            else
                done(std::nullopt);
        });
        return;
    }
    // The tool's own copy of it, where no sector can be read.
    const QString copy = m_runner.workingDir() + QStringLiteral("/read-back-toc.bin");
    QFile::remove(copy);
    saveToc(target, copy, [done](const QString& file) {
        const layout::TocBackup now = ReadBackupFile(file);
        QFile::remove(file);
        if (file.isEmpty() || !now.valid())
            done(std::nullopt);
        else
            done(now.partitions);
    });
}
