#include "DeviceDiscovery.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace platform {

namespace {
qint64 readNumber(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    return f.read(64).trimmed().toLongLong();
}
// The devices the system uses, by the first field of each line.
QStringList usedDevices(const QStringList& files)
{
    QStringList used;
    for (const QString& file : files) {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : f.readAll().split('\n')) {
            const QByteArray first = line.trimmed().split(' ').value(0).split('\t').value(0);
            if (first.startsWith('/'))
                used << QString::fromLocal8Bit(first);
        }
    }
    return used;
}

// sdb is in use when sdb, sdb1, nvme0n1p2 and the like are.
bool isUsed(const QString& disk, const QStringList& used)
{
    static const QRegularExpression partition(QStringLiteral("^p?[0-9]+$"));
    for (const QString& u : used) {
        if (u == disk || (u.startsWith(disk) && partition.match(u.mid(disk.size())).hasMatch()))
            return true;
    }
    return false;
}
} // namespace

QList<Device> discoverDevices(const QString& sysRoot, const QString& devRoot,
                              const QStringList& usageFiles)
{
    const QStringList used = usedDevices(usageFiles);
    // Whole disks and optical drives; partitions, loop, RAM and mapper devices are not PS2 disks.
    static const QRegularExpression wanted(QStringLiteral(
        "^(sd[a-z]+|hd[a-z]+|vd[a-z]+|xvd[a-z]+|nvme[0-9]+n[0-9]+|mmcblk[0-9]+|sr[0-9]+)$"));
    QList<Device> devices;
    const QDir block(sysRoot + QStringLiteral("/block"));
    const QStringList names =
        block.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
    for (const QString& name : names) {
        if (!wanted.match(name).hasMatch())
            continue;
        Device d;
        d.path = devRoot + u'/' + name;
        d.sizeBytes = readNumber(block.filePath(name + QStringLiteral("/size"))) * 512;
        d.optical = name.startsWith(QLatin1String("sr")) ||
                    readNumber(block.filePath(name + QStringLiteral("/device/type"))) == 5;
        if (d.optical) {
            d.hasMedium = d.sizeBytes > 0;
        } else {
            d.inUse = isUsed(d.path, used) || isUsed(QStringLiteral("/dev/") + name, used);
            QFile disk(d.path);
            if (disk.open(QIODevice::ReadOnly)) {
                const QByteArray sector = disk.read(512);
                d.readable = sector.size() >= 8;
                d.ps2Formatted = d.readable && sector.mid(4, 4) == QByteArray("APA\0", 4);
            }
        }
        devices << d;
    }
    return devices;
}

} // namespace platform
