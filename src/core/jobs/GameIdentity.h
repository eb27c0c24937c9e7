#pragma once

#include "core/output/Parsers.h"

#include <QList>
#include <QString>

#include <cstdint>

// What a build of the tool makes of a game's name and size on a disk. All of it was
// measured with the real builds: a game is found by its partition, never by its title.

// How a build of the tool names a game's partition: the current builds from the startup
// and the name in capitals ("PP.SLUS-12345..WORLD"), 0.9.0 from the name ("PP.HDL.World").
enum class PartitionNaming : std::uint8_t { Current, Older };
QString PartitionName(const QString& name, const QString& startup, PartitionNaming naming);
// Whether the tool refuses the second of two partitions so named: the older naming
// compares without regard to case.
bool SamePartition(const QString& a, const QString& b, PartitionNaming naming);

// The tool gives every game whole slices of this size, even a 350 KB one.
inline constexpr qint64 kSliceMb = 128;
// The slices a game of this size takes: its data, a 4 MB header and 1 MB more for every
// further slice, rounded up to whole slices.
qint64 SlicesFor(qint64 sizeKb);
inline qint64 SlicesMb(qint64 sizeKb)
{
    return SlicesFor(sizeKb) * kSliceMb;
}
// An install that leaves no slice free breaks the partition table (every build): the
// space a game may take on a disk with this much free.
inline bool FitsLeavingASlice(qint64 sizeKb, qint64 availableMb)
{
    return SlicesMb(sizeKb) + kSliceMb <= availableMb;
}

// The tool's "modify" reads a new name that looks like flags ("+3", "0x01"), DMA ("*u4")
// or an option ("-hide") as such, not as a name.
bool ToolReadsAsFlags(const QString& name);

// Gives each game of a listing its partition from the "toc" table of the same disk. Both
// tables list the games in the disk's order; when their counts differ, a game gets the
// one partition named as either naming would name it. Games left without stay empty.
void AttachPartitions(QList<parse::GameRow>& games, const parse::PartitionTable& toc);

// The games a name the user gave stands for: the game with that partition, else every
// game with that title.
QList<int> GamesNamed(const QList<parse::GameRow>& games, const QString& name);
