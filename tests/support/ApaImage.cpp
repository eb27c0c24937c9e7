#include "ApaImage.h"

#include <QFile>
#include <QJsonDocument>
#include <QtEndian>

namespace {

void put32(QByteArray& b, qsizetype at, quint32 v)
{
    qToLittleEndian(v, b.data() + at);
}

void put16(QByteArray& b, qsizetype at, quint16 v)
{
    qToLittleEndian(v, b.data() + at);
}

void sealHeader(QByteArray& h)
{
    quint32 sum = 0;
    for (qsizetype at = 4; at < 1024; at += 4)
        sum += qFromLittleEndian<quint32>(h.constData() + at);
    put32(h, 0, sum);
}

QByteArray gameRecord(const ApaPart& p, quint32 start)
{
    QByteArray r(1024, '\0');
    put32(r, 0, 0xDEADFEED);
    const QByteArray title = p.title.toUtf8().left(159);
    r.replace(8, title.size(), title);
    r[0xA9] = static_cast<char>(p.flags);
    r[0xAA] = '\x40';
    const QByteArray startup = p.startup.toLatin1().left(59);
    r.replace(0xAC, startup.size(), startup);
    r[0xEC] = p.dvd ? '\x14' : '\x12';
    put32(r, 0xF0, 1);
    put32(r, 0xF4, 0);
    put32(r, 0xF8, start + 0x2000);
    put32(r, 0xFC, static_cast<quint32>(p.sizeKb * 1024));
    return r;
}

} // namespace

QByteArray ApaHeader(const QString& name, quint32 start, quint32 sectors, quint16 type,
                     quint16 flags, quint32 next, quint32 prev, quint32 main,
                     const QList<std::pair<quint32, quint32>>& subs, const QByteArray& created)
{
    QByteArray h(1024, '\0');
    h.replace(4, 4, QByteArrayLiteral("APA\0"));
    put32(h, 8, next);
    put32(h, 12, prev);
    const QByteArray n = name.toLatin1().left(31);
    h.replace(16, n.size(), n);
    put32(h, 64, start);
    put32(h, 68, sectors);
    put16(h, 72, type);
    put16(h, 74, flags);
    put32(h, 76, static_cast<quint32>(subs.size()));
    if (!created.isEmpty())
        h.replace(80, 8, created.left(8));
    put32(h, 88, main);
    put32(h, 92, flags ? 1 : 0);
    for (qsizetype i = 0; i < subs.size(); ++i) {
        put32(h, 0x200 + 8 * i, subs[i].first);
        put32(h, 0x204 + 8 * i, subs[i].second);
    }
    if (name == QLatin1String("__mbr")) {
        h.replace(0x100, 32, QByteArrayLiteral("Sony Computer Entertainment Inc."));
        put32(h, 0x120, 2);
        if (!created.isEmpty())
            h.replace(0x128, 8, created.left(8));
    }
    sealHeader(h);
    return h;
}

bool WriteApaImage(const QString& path, qint64 sizeBytes, const QList<ApaPart>& parts,
                   const ApaImageOptions& options)
{
    struct Placed
    {
        QString name;
        quint32 start;
        quint32 sectors;
        quint16 type;
        quint16 flags;
        quint32 main;
        QList<std::pair<quint32, quint32>> subs;
        const ApaPart* part;
    };
    QList<Placed> placed{{QStringLiteral("__mbr"), 0, 0x40000, 1, 0, 0, {}, nullptr}};
    quint32 at = 0x40000;
    for (const ApaPart& p : parts) {
        const quint32 main = at;
        QList<std::pair<quint32, quint32>> subs;
        for (int i = 1; i < p.slices; ++i)
            subs.append({main + static_cast<quint32>(i) * p.sectors, p.sectors});
        placed.append({p.name, main, p.sectors, p.type, 0, 0, subs, &p});
        for (const auto& [start, length] : subs)
            placed.append({QString(), start, length, p.type, 1, main, {}, nullptr});
        at += static_cast<quint32>(p.slices) * p.sectors;
    }
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || !f.resize(sizeBytes))
        return false;
    for (qsizetype i = 0; i < placed.size(); ++i) {
        const Placed& p = placed[i];
        const quint32 next = i + 1 < placed.size() ? placed[i + 1].start : 0;
        const quint32 prev = i > 0 ? placed[i - 1].start : placed.last().start;
        QByteArray h = ApaHeader(p.name, p.start, p.sectors, p.type, p.flags, next, prev, p.main,
                                 p.subs, options.created);
        if (!f.seek(qint64{p.start} * 512) || f.write(h) != h.size())
            return false;
        if (p.part && p.type == 0x1337) {
            const QByteArray record = gameRecord(*p.part, p.start);
            if (!f.seek(qint64{p.start} * 512 + 0x101000) || f.write(record) != record.size())
                return false;
        }
    }
    f.close();
    return options.exfatAt == 0 || MakeHybrid(path, options.exfatAt, options.exfatFill);
}

bool MakeHybrid(const QString& path, quint32 exfatAt, char fill)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite))
        return false;
    QByteArray h = f.read(1024);
    if (h.size() != 1024)
        return false;
    QByteArray entry(16, '\0');
    entry[4] = '\x07';
    put32(entry, 8, exfatAt);
    put32(entry, 12, static_cast<quint32>(f.size() / 512 - exfatAt));
    h.replace(446, 16, entry);
    h[510] = '\x55';
    h[511] = '\xAA';
    sealHeader(h);
    QByteArray boot(512, '\0');
    boot.replace(0, 11,
                 QByteArrayLiteral("\xEB\x76\x90"
                                   "EXFAT   "));
    boot[510] = '\x55';
    boot[511] = '\xAA';
    const QByteArray rest(1024 * 1024 - 512, fill);
    return f.seek(0) && f.write(h) == h.size() && f.seek(qint64{exfatAt} * 512) &&
           f.write(boot) == boot.size() && f.write(rest) == rest.size();
}

bool PatchFile(const QString& path, qint64 offset, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::ReadWrite) && f.seek(offset) && f.write(bytes) == bytes.size();
}

QByteArray ReadFileAt(const QString& path, qint64 offset, qint64 length)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || !f.seek(offset))
        return {};
    return f.read(length);
}

bool WriteSimFileDisk(const QString& path, const QJsonObject& disk, qint64 sizeBytes)
{
    if (!WriteApaImage(path, sizeBytes, {}))
        return false;
    return PatchFile(path, 4096,
                     "VENTRIK-SIM-DISK\n" + QJsonDocument(disk).toJson(QJsonDocument::Compact));
}

QJsonObject ReadSimFileDisk(const QString& path)
{
    QByteArray head = ReadFileAt(path, 4096, 1024 * 1024 - 4096).mid(17);
    head.truncate(head.indexOf('\0') < 0 ? head.size() : head.indexOf('\0'));
    return QJsonDocument::fromJson(head.trimmed()).object();
}
