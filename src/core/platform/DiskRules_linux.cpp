#include "DiskRules.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace platform {

bool isWholeDiskName(const QString& name)
{
    static const QRegularExpression disk(
        QStringLiteral("^(sd[a-z]+|hd[a-z]+|vd[a-z]+|xvd[a-z]+|nvme[0-9]+n[0-9]+|mmcblk[0-9]+)$"));
    return disk.match(name).hasMatch();
}

bool isOpticalName(const QString& name)
{
    static const QRegularExpression optical(QStringLiteral("^sr[0-9]+$"));
    return optical.match(name).hasMatch();
}

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

namespace {
// sdb is used when sdb, sdb1, nvme0n1p2 and the like are.
bool namedIn(const QString& disk, const QStringList& used)
{
    static const QRegularExpression partition(QStringLiteral("^p?[0-9]+$"));
    for (const QString& u : used) {
        if (u == disk || (u.startsWith(disk) && partition.match(u.mid(disk.size())).hasMatch()))
            return true;
    }
    return false;
}

QStringList entries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
}
} // namespace

QString systemUse(const SystemFiles& files, const QString& name, const QStringList& used)
{
    if (namedIn(files.devRoot + u'/' + name, used) || namedIn(QStringLiteral("/dev/") + name, used))
        return QStringLiteral("mounted or used as swap");
    // Holders: a device mapper or RAID device on the disk or on one of its partitions.
    const QString block = files.sysRoot + QStringLiteral("/block/") + name;
    if (const QStringList holders = entries(block + QStringLiteral("/holders")); !holders.isEmpty())
        return QStringLiteral("part of %1").arg(holders.first());
    for (const QString& part : entries(block)) {
        if (!part.startsWith(name))
            continue;
        const QStringList holders = entries(block + u'/' + part + QStringLiteral("/holders"));
        if (!holders.isEmpty())
            return QStringLiteral("%1 is part of %2").arg(part, holders.first());
    }
    return {};
}

QString knownContent(const SystemFiles& files, const QString& name)
{
    QFile dev(files.sysRoot + QStringLiteral("/block/") + name + QStringLiteral("/dev"));
    if (!dev.open(QIODevice::ReadOnly))
        return {};
    const QString number = QString::fromLatin1(dev.read(32).trimmed());
    QFile data(files.udevData + QStringLiteral("/b") + number);
    if (number.isEmpty() || !data.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& line : data.read(1 << 20).split('\n')) {
        for (const QByteArrayView key : {"E:ID_PART_TABLE_TYPE=", "E:ID_FS_TYPE="}) {
            if (line.startsWith(key) && line.size() > key.size())
                return QString::fromLatin1(line.mid(key.size()));
        }
    }
    return {};
}

bool hasPs2Signature(const QByteArray& sector)
{
    return sector.size() >= 8 && sector.mid(4, 4) == QByteArray("APA\0", 4);
}

} // namespace platform
