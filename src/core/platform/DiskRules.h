#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// What makes a disk one the system uses, and what makes it a PS2 disk: the same rules for
// the disk list and for the helper that grants access to a disk. The roots are parameters
// so tests run on a fake tree.
namespace platform {

struct SystemFiles
{
    QString sysRoot = QStringLiteral("/sys");
    QString devRoot = QStringLiteral("/dev");
    // One device a line in the first field: the mount table, the swap list.
    QStringList usageFiles = {QStringLiteral("/proc/self/mounts"), QStringLiteral("/proc/swaps")};
    // udev's database of what it found on each device (b8:16 for /dev/sdb).
    QString udevData = QStringLiteral("/run/udev/data");
};

// sdb, nvme0n1, mmcblk0: a name a whole disk can have. Partitions, loop, RAM and mapper
// devices and optical drives are no PS2 disk.
bool isWholeDiskName(const QString& name);
bool isOpticalName(const QString& name);

// The devices named by the first field of each line of the files.
QStringList usedDevices(const QStringList& files);

// Why the system uses the disk (a partition of it mounted or used as swap, or another
// device built on it, as LVM or RAID are); empty when it does not.
QString systemUse(const SystemFiles& files, const QString& name, const QStringList& used);

// The partition table or file system the system found on the disk ("gpt", "ext4"); empty
// when it found none, as for a PS2 disk, or when it does not say.
QString knownContent(const SystemFiles& files, const QString& name);

// What udev found on the whole disk: its partition table's type and a file system's type
// (either may be empty). Nothing when udev's database has no entry for the disk (no udev, as
// in many containers): then nobody can tell what it holds.
struct UdevContent
{
    QString partitionTable;
    QString fileSystem;
};
std::optional<UdevContent> udevContent(const SystemFiles& files, const QString& name);

// The first sector of a PS2-formatted disk: "APA" at byte 4.
bool hasPs2Signature(const QByteArray& sector);
// The first 1024 bytes of a PS2-formatted disk: the table's first header, "APA" at byte 4,
// a checksum that adds up (the sum of the 32-bit words after it), "__mbr" at its start.
bool isApaHeader(const QByteArray& first1024);
// Whether a 1024-byte partition header carries the magic and a checksum that adds up.
bool hasApaChecksum(const QByteArray& header);

} // namespace platform
