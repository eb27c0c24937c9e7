#include "DeviceDiscovery.h"

#include <QDir>
#include <QFile>

namespace platform {

namespace {
qint64 readNumber(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    return f.read(64).trimmed().toLongLong();
}
} // namespace

void examineDisk(Device& d, const SystemFiles& files, const QString& name)
{
    QFile disk(d.path);
    if (disk.open(QIODevice::ReadOnly)) {
        const QByteArray sector = disk.read(512);
        d.readable = sector.size() >= 8;
        d.ps2Formatted = hasPs2Signature(sector);
    }
    // A disk with a partition table or file system the system knows is no PS2 disk; one it
    // cannot tell may be, and this user cannot look.
    d.needsPermission = !d.readable && !d.inUse && knownContent(files, name).isEmpty();
}

QList<Device> discoverDevices(const SystemFiles& files)
{
    const QStringList used = usedDevices(files.usageFiles);
    QList<Device> devices;
    const QDir block(files.sysRoot + QStringLiteral("/block"));
    const QStringList names =
        block.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
    for (const QString& name : names) {
        if (!isWholeDiskName(name) && !isOpticalName(name))
            continue;
        Device d;
        d.path = files.devRoot + u'/' + name;
        d.sizeBytes = readNumber(block.filePath(name + QStringLiteral("/size"))) * 512;
        d.optical = isOpticalName(name) ||
                    readNumber(block.filePath(name + QStringLiteral("/device/type"))) == 5;
        if (d.optical) {
            d.hasMedium = d.sizeBytes > 0;
        } else {
            d.inUse = !systemUse(files, name, used).isEmpty();
            examineDisk(d, files, name);
        }
        devices << d;
    }
    return devices;
}

} // namespace platform
