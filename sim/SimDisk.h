#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <optional>

// The simulated PS2 disk as the real builds lay it out: games in partitions named by
// the build's rule, whole 128 MB slices, and a table the tools call broken once an
// install took the last free slice.
namespace simdisk {

// The current builds name a partition "PP.SLUS-12345..NAME"; 0.9.0 (the older texts)
// "PP.HDL.Name" and compares names without regard to case.
enum class Naming { Current, Older };

QString partitionName(const QString& name, const QString& startup, Naming naming);
bool sameName(const QString& a, const QString& b, Naming naming);
// A game's partition: stored with it, else as the build would name it.
QString partitionOf(const QJsonObject& game, Naming naming);

// The 128 MB slices a game of this size takes (its data, a 4 MB header, 1 MB more per
// further slice).
qint64 slicesFor(qint64 sizeKb);
// The table's own slice and every game's.
qint64 usedMb(const QJsonObject& target);

// The index of the game a name stands for: its partition first, else the first game
// with that title, as the tools do; -1 when none.
int findGame(const QJsonArray& games, const QString& name, Naming naming);
// Whether a game other than skip has that partition.
bool taken(const QJsonArray& games, const QString& partition, Naming naming, int skip = -1);

// The "toc" table: the partitions in the disk's order.
QStringList tocLines(const QJsonObject& target, Naming naming);

// backup_toc's file, as the real builds write it: a 2048-byte record per partition (its
// header, then the game's record for a game), the table's first header carrying the stamps of
// the disk's format ("created": 16 hex digits, else made from the disk's name).
QByteArray backupOf(const QJsonObject& target, const QString& name, Naming naming);
// The games of such a file; nothing when it is none.
std::optional<QJsonArray> gamesOfBackup(const QByteArray& file);

} // namespace simdisk
