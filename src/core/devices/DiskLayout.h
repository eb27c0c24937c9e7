#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <functional>

// What a disk holds, read from its own sectors: the PS2's partition table (APA) and what lies
// beside it. hdl_dump takes every disk for classic APA filling the whole disk; this reader
// tells the disks it must not be given that way. Pure: the bytes come from a function.
namespace layout {

inline constexpr qint64 kSectorBytes = 512;
inline constexpr quint32 kSliceSectors = 0x40000; // 128 MB, the tool's slice
// APA counts sectors in 32 bits: the last whole slice below 2 TiB is as far as it reaches.
inline constexpr qint64 kApaCeilingBytes =
    (qint64{1} << 32) * kSectorBytes - qint64{kSliceSectors} * kSectorBytes;
// A partition header: 1024 bytes at its first sector.
inline constexpr qint64 kHeaderBytes = 1024;
// A game partition keeps its title, startup and slices here, from its start.
inline constexpr qint64 kGameInfoOffset = 0x101000;
inline constexpr quint16 kGameType = 0x1337;

// What the first sectors hold.
enum class Content : std::uint8_t { Apa, Blank, Mbr, Gpt, ExFat, Unknown };

struct Partition
{
    QString name;
    quint32 start = 0;   // sectors
    quint32 sectors = 0; // its length
    quint16 type = 0;
    bool sub = false; // a further slice of a main partition
    quint32 main = 0; // a slice's main partition (its start)
    bool operator==(const Partition&) const = default;
};

// A game as its partition records it.
struct Game
{
    QString partition;
    QString title;
    QString startup;
    quint8 flags = 0; // bit n-1 for flag n
    bool dvd = false;
    qint64 sizeKb = 0;
};

struct DiskLayout
{
    qint64 diskBytes = 0;
    Content content = Content::Unknown;
    // An MBR partition table beside the APA header: another file system (exFAT) follows
    // the APA area, which ends at its first partition.
    bool hybrid = false;
    // Partitions whose sizes are not whole 128 MB slices (newer PS2 disk kits make 8 MB ones).
    bool smallSlices = false;
    // Larger than APA's sectors can count.
    bool overCeiling = false;
    // Where the tool may write: the whole disk for classic APA.
    qint64 apaEndBytes = 0;
    // What is wrong with the chain of headers (a checksum, a link); empty when it is sound.
    QString damage;
    // The disk could not be read where the reader had to (a short read): nothing is known
    // beyond what was read.
    QString readError;
    bool chainRead = false; // the chain was walked, not only sector 0
    // Nothing there for this program to read (no such file; a device it does not read): the
    // tool alone knows the disk, as over a PS2's UDP server.
    bool absent = false;
    QList<Partition> partitions;
    QList<Game> games;
    // The stamps a format writes into the first header: one disk's table tells its backups.
    QByteArray identity;
    // Sectors the partitions use (from 0 to the end of the last one).
    quint32 usedEnd = 0;

    bool isApa() const { return content == Content::Apa; }
    bool sound() const { return isApa() && damage.isEmpty() && readError.isEmpty(); }
    // The layout the tool was made for: it may be given the disk as it is.
    bool classic() const { return sound() && !hybrid && !smallSlices && !overCeiling; }
    // The tool must see only the APA area: a view of the disk that ends there.
    bool needsView() const { return hybrid || overCeiling; }
    // Used and available megabytes of the APA area (the tool's 128 MB slices).
    qint64 apaMb() const { return apaEndBytes / (1024 * 1024); }
};

// Reads length bytes at offset; fewer (or none) when the disk could not be read there.
using ReadBytes = std::function<QByteArray(qint64 offset, qint64 length)>;

// What sector 0 alone tells: the content, the APA area, the identity. Cheap: one read.
DiskLayout ReadDiskHead(qint64 diskBytes, const ReadBytes& read);
// The whole chain of partition headers, checked link by link; with games, each game's
// title and startup too. Reads at most maxPartitions headers.
DiskLayout ReadDiskLayout(qint64 diskBytes, const ReadBytes& read, bool withGames = false,
                          int maxPartitions = 1 << 16);

// Whether a 1024-byte header carries the APA magic and a checksum that adds up.
bool IsApaHeader(const QByteArray& header);

// A copy of a partition table, as the tool's backup_toc writes it: a 2048-byte record per
// partition (its header first), zeros after the last.
struct TocBackup
{
    QString fault; // why this is no table backup; empty when it is one
    QList<Partition> partitions;
    QByteArray identity; // of the disk it was taken from
    quint32 usedEnd = 0; // the sector after the last partition it lists
    bool valid() const { return fault.isEmpty(); }
};
inline constexpr qint64 kBackupRecordBytes = 2048;
inline constexpr qint64 kMaxBackupBytes = 64 * 1024 * 1024;
TocBackup ReadTocBackup(const QByteArray& file);
// The identity of the disk a backup was taken from: its first record, when that is a table's
// first header, whatever the rest holds (the tool copies damaged tables too).
QByteArray BackupIdentity(const QByteArray& file);

// "APA partition table", "MBR partition table", "exFAT file system": what a disk holds.
QString ContentText(Content content);
// Hex text of an identity, for files and logs.
QString IdentityText(const QByteArray& identity);

} // namespace layout
