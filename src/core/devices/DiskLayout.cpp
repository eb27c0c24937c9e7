#include "DiskLayout.h"

#include "core/platform/DiskRules.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <QtEndian>

namespace layout {

namespace {

// The context translators see for these texts.
struct LayoutWords
{
    Q_DECLARE_TR_FUNCTIONS(LayoutWords)
};

quint32 word(const QByteArray& b, qsizetype at)
{
    if (at < 0 || at + 4 > b.size())
        return 0;
    return qFromLittleEndian<quint32>(b.constData() + at);
}

quint8 byte(const QByteArray& b, qsizetype at)
{
    return at >= 0 && at < b.size() ? static_cast<quint8>(b[at]) : 0;
}

quint16 half(const QByteArray& b, qsizetype at)
{
    if (at < 0 || at + 2 > b.size())
        return 0;
    return qFromLittleEndian<quint16>(b.constData() + at);
}

// A zero-ended text of at most length bytes.
QString text(const QByteArray& b, qsizetype at, qsizetype length)
{
    QByteArray field = b.mid(at, length);
    if (const qsizetype end = field.indexOf('\0'); end >= 0)
        field.truncate(end);
    return QString::fromUtf8(field);
}

bool allZero(const QByteArray& b)
{
    return std::all_of(b.cbegin(), b.cend(), [](char c) { return c == 0; });
}

// Header fields.
constexpr qsizetype kNext = 8;
constexpr qsizetype kPrev = 12;
constexpr qsizetype kName = 16;
constexpr qsizetype kNameBytes = 32;
constexpr qsizetype kStart = 64;
constexpr qsizetype kLength = 68;
constexpr qsizetype kType = 72;
constexpr qsizetype kFlags = 74;
constexpr qsizetype kSubCount = 76;
constexpr qsizetype kCreated = 80;
constexpr qsizetype kMain = 88;
constexpr qsizetype kMbrCreated = 0x128;
constexpr quint16 kSubFlag = 0x0001;

Partition partitionOf(const QByteArray& h)
{
    Partition p;
    p.name = text(h, kName, kNameBytes);
    p.start = word(h, kStart);
    p.sectors = word(h, kLength);
    p.type = half(h, kType);
    p.sub = (half(h, kFlags) & kSubFlag) != 0;
    p.main = word(h, kMain);
    return p;
}

QByteArray identityOf(const QByteArray& mbr)
{
    return mbr.mid(kCreated, 8) + mbr.mid(kMbrCreated, 8);
}

// The lowest start of the MBR's partitions (in sectors), 0 when it lists none.
quint32 lowestMbrStart(const QByteArray& sector0)
{
    if (sector0.size() < 512 || static_cast<quint8>(sector0[510]) != 0x55 ||
        static_cast<quint8>(sector0[511]) != 0xAA)
        return 0;
    quint32 lowest = 0;
    for (qsizetype entry = 446; entry < 510; entry += 16) {
        const quint8 type = static_cast<quint8>(sector0[entry + 4]);
        const quint32 start = word(sector0, entry + 8);
        const quint32 count = word(sector0, entry + 12);
        if (type == 0 || start == 0 || count == 0)
            continue;
        if (lowest == 0 || start < lowest)
            lowest = start;
    }
    return lowest;
}

Game gameOf(const Partition& p, const QByteArray& info)
{
    Game g;
    g.partition = p.name;
    // The title and startup as the tool wrote them; the partition's name where the record
    // is missing.
    if (word(info, 0) != 0xDEADFEED) {
        g.title = p.name;
        return g;
    }
    g.title = text(info, 0x08, 160);
    g.flags = byte(info, 0xA9);
    g.startup = text(info, 0xAC, 60);
    g.dvd = byte(info, 0xEC) == 0x14;
    const quint32 slices = std::min<quint32>(word(info, 0xF0), 64);
    qint64 bytes = 0;
    for (quint32 i = 0; i < slices; ++i)
        bytes += word(info, 0xF4 + 12 * static_cast<qsizetype>(i) + 8);
    g.sizeKb = bytes / 1024;
    return g;
}

} // namespace

bool IsApaHeader(const QByteArray& h)
{
    return platform::hasApaChecksum(h);
}

DiskLayout ReadDiskHead(qint64 diskBytes, const ReadBytes& read)
{
    DiskLayout d;
    d.diskBytes = diskBytes;
    const QByteArray head = read(0, kHeaderBytes);
    if (head.size() < kHeaderBytes) {
        d.readError = LayoutWords::tr("its first sectors could not be read");
        return d;
    }
    const quint32 mbrStart = lowestMbrStart(head);
    if (head.mid(4, 4) != QByteArrayLiteral("APA\0")) {
        if (read(512, 8) == QByteArrayLiteral("EFI PART"))
            d.content = Content::Gpt;
        else if (head.mid(3, 8) == QByteArrayLiteral("EXFAT   "))
            d.content = Content::ExFat;
        else if (mbrStart != 0)
            d.content = Content::Mbr;
        else if (allZero(head) && allZero(read(kHeaderBytes, 3 * kHeaderBytes)))
            d.content = Content::Blank;
        else
            d.content = Content::Unknown;
        return d;
    }
    d.content = Content::Apa;
    d.identity = identityOf(head);
    d.apaEndBytes = diskBytes;
    if (mbrStart != 0) {
        d.hybrid = true;
        d.apaEndBytes = std::min<qint64>(diskBytes, qint64{mbrStart} * kSectorBytes);
    }
    if (diskBytes >= (qint64{1} << 32) * kSectorBytes) {
        d.overCeiling = true;
        d.apaEndBytes = std::min(d.apaEndBytes, kApaCeilingBytes);
    }
    if (!IsApaHeader(head))
        d.damage = LayoutWords::tr("the checksum of its first partition header is wrong");
    else if (word(head, kStart) != 0 || text(head, kName, kNameBytes) != QLatin1String("__mbr"))
        d.damage = LayoutWords::tr("its first partition header is not the table's own");
    return d;
}

DiskLayout ReadDiskLayout(qint64 diskBytes, const ReadBytes& read, bool withGames,
                          int maxPartitions)
{
    DiskLayout d = ReadDiskHead(diskBytes, read);
    if (!d.sound())
        return d;
    d.chainRead = true;
    const qint64 areaSectors = d.apaEndBytes / kSectorBytes;
    QHash<quint32, int> subsOf; // main partition -> slices found
    QHash<quint32, quint32> subsSaid;
    quint32 at = 0;
    quint32 previous = 0;
    quint32 firstPrev = 0;
    auto fail = [&d](const QString& why) {
        d.damage = why;
        return d;
    };
    for (int n = 0;; ++n) {
        if (n >= maxPartitions)
            return fail(LayoutWords::tr("its chain of partitions does not end"));
        const QByteArray h = read(qint64{at} * kSectorBytes, kHeaderBytes);
        if (h.size() < kHeaderBytes) {
            d.readError =
                LayoutWords::tr("the partition header at sector %1 could not be read").arg(at);
            return d;
        }
        if (h.mid(4, 4) != QByteArrayLiteral("APA\0"))
            return fail(
                LayoutWords::tr("no partition header where the chain points (sector %1)").arg(at));
        if (!IsApaHeader(h))
            return fail(
                LayoutWords::tr("the checksum of the partition header at sector %1 is wrong")
                    .arg(at));
        const Partition p = partitionOf(h);
        if (p.start != at)
            return fail(
                LayoutWords::tr("the partition header at sector %1 names another start").arg(at));
        if (n == 0)
            firstPrev = word(h, kPrev);
        else if (word(h, kPrev) != previous)
            return fail(LayoutWords::tr(
                            "the partition at sector %1 does not point back to the one before it")
                            .arg(at));
        if (p.sectors == 0 || qint64{p.start} + p.sectors > areaSectors)
            return fail(
                d.hybrid && qint64{p.start} + p.sectors <= diskBytes / kSectorBytes
                    ? LayoutWords::tr("the partition at sector %1 reaches into the disk's other "
                                      "partition table")
                          .arg(at)
                    : LayoutWords::tr("the partition at sector %1 reaches past the end of the disk")
                          .arg(at));
        if (p.sectors % kSliceSectors != 0)
            d.smallSlices = true;
        if (p.sub) {
            if (!subsSaid.contains(p.main))
                return fail(LayoutWords::tr("the slice at sector %1 belongs to no game").arg(at));
            ++subsOf[p.main];
        } else {
            subsSaid.insert(p.start, word(h, kSubCount));
        }
        d.partitions << p;
        d.usedEnd = p.start + p.sectors;
        const quint32 next = word(h, kNext);
        previous = at;
        if (next == 0)
            break;
        if (qint64{next} < qint64{p.start} + p.sectors)
            return fail(
                LayoutWords::tr("the partition at sector %1 overlaps the next one").arg(at));
        at = next;
    }
    if (firstPrev != previous)
        return fail(
            LayoutWords::tr("the table's first header does not point to its last partition"));
    for (auto it = subsSaid.cbegin(); it != subsSaid.cend(); ++it) {
        if (static_cast<quint32>(subsOf.value(it.key())) != it.value())
            return fail(LayoutWords::tr("the game at sector %1 lists %2 slices, and %3 were found")
                            .arg(it.key())
                            .arg(it.value())
                            .arg(subsOf.value(it.key())));
    }
    if (withGames) {
        for (const Partition& p : std::as_const(d.partitions)) {
            if (p.type == kGameType && !p.sub)
                d.games << gameOf(
                    p, read(qint64{p.start} * kSectorBytes + kGameInfoOffset, kHeaderBytes));
        }
    }
    return d;
}

TocBackup ReadTocBackup(const QByteArray& file)
{
    TocBackup b;
    if (file.size() < kBackupRecordBytes || file.size() % kBackupRecordBytes != 0 ||
        file.size() > kMaxBackupBytes) {
        b.fault = LayoutWords::tr("its size (%1 bytes) is not that of a partition table backup")
                      .arg(file.size());
        return b;
    }
    const qsizetype records = file.size() / kBackupRecordBytes;
    quint32 previous = 0;
    quint32 firstPrev = 0;
    for (qsizetype i = 0; i < records; ++i) {
        const QByteArray h = file.mid(i * kBackupRecordBytes, kHeaderBytes);
        if (i > 0 && allZero(file.mid(i * kBackupRecordBytes, kBackupRecordBytes))) {
            // The rest of the file is empty.
            if (!allZero(file.mid(i * kBackupRecordBytes))) {
                b.fault = LayoutWords::tr("it has data after its end");
                return b;
            }
            break;
        }
        if (!IsApaHeader(h)) {
            b.fault = i == 0 ? LayoutWords::tr("it does not begin with a PS2 partition table")
                             : LayoutWords::tr("its record %1 is no partition header").arg(i + 1);
            return b;
        }
        const Partition p = partitionOf(h);
        if (i == 0) {
            if (p.start != 0 || p.name != QLatin1String("__mbr")) {
                b.fault = LayoutWords::tr("it does not begin with a PS2 partition table");
                return b;
            }
            firstPrev = word(h, kPrev);
            b.identity = identityOf(h);
        } else if (word(h, kPrev) != previous || p.start <= previous || p.sectors == 0) {
            b.fault =
                LayoutWords::tr("its partitions do not follow one another (record %1)").arg(i + 1);
            return b;
        }
        b.partitions << p;
        b.usedEnd = std::max<quint32>(b.usedEnd, p.start + p.sectors);
        previous = p.start;
    }
    if (firstPrev != previous) {
        b.fault = LayoutWords::tr("its first header does not point to its last partition");
        b.partitions.clear();
    }
    return b;
}

QByteArray BackupIdentity(const QByteArray& file)
{
    const QByteArray first = file.left(kHeaderBytes);
    if (!IsApaHeader(first) || word(first, kStart) != 0 ||
        text(first, kName, kNameBytes) != QLatin1String("__mbr"))
        return {};
    return identityOf(first);
}

QString ContentText(Content content)
{
    switch (content) {
    case Content::Apa:
        return LayoutWords::tr("a PS2 partition table");
    case Content::Blank:
        return LayoutWords::tr("nothing (it is blank)");
    case Content::Mbr:
        return LayoutWords::tr("an MBR partition table");
    case Content::Gpt:
        return LayoutWords::tr("a GPT partition table");
    case Content::ExFat:
        return LayoutWords::tr("an exFAT file system");
    case Content::Unknown:
        break;
    }
    return LayoutWords::tr("data Ventrik does not know");
}

QString IdentityText(const QByteArray& identity)
{
    return QString::fromLatin1(identity.toHex());
}

} // namespace layout
