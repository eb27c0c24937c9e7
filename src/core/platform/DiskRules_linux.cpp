#include "DiskRules.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtEndian>

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

std::optional<UdevContent> udevContent(const SystemFiles& files, const QString& name)
{
    QFile dev(files.sysRoot + QStringLiteral("/block/") + name + QStringLiteral("/dev"));
    if (!dev.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString number = QString::fromLatin1(dev.read(32).trimmed());
    QFile data(files.udevData + QStringLiteral("/b") + number);
    if (number.isEmpty() || !data.open(QIODevice::ReadOnly))
        return std::nullopt;
    UdevContent content;
    for (const QByteArray& line : data.read(1 << 20).split('\n')) {
        if (line.startsWith("E:ID_PART_TABLE_TYPE="))
            content.partitionTable = QString::fromLatin1(line.mid(21));
        else if (line.startsWith("E:ID_FS_TYPE="))
            content.fileSystem = QString::fromLatin1(line.mid(13));
    }
    return content;
}

QString knownContent(const SystemFiles& files, const QString& name)
{
    const std::optional<UdevContent> content = udevContent(files, name);
    if (!content)
        return {};
    return content->partitionTable.isEmpty() ? content->fileSystem : content->partitionTable;
}

bool hasPs2Signature(const QByteArray& sector)
{
    return sector.size() >= 8 && sector.mid(4, 4) == QByteArray("APA\0", 4);
}

bool hasApaChecksum(const QByteArray& header)
{
    if (header.size() < 1024 || !hasPs2Signature(header))
        return false;
    quint32 sum = 0;
    for (qsizetype at = 4; at < 1024; at += 4)
        sum += qFromLittleEndian<quint32>(header.constData() + at);
    return sum == qFromLittleEndian<quint32>(header.constData());
}

bool isApaHeader(const QByteArray& first1024)
{
    return hasApaChecksum(first1024) &&
           qFromLittleEndian<quint32>(first1024.constData() + 64) == 0 &&
           first1024.mid(16, 6) == QByteArray("__mbr\0", 6);
}

} // namespace platform
