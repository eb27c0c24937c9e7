#include "SimDisk.h"

#include <QCryptographicHash>
#include <QtEndian>

namespace simdisk {

namespace {

bool plain(char c, Naming naming)
{
    const bool alnum = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    return naming == Naming::Older ? alnum || c == ' ' || c == '.' : alnum;
}

} // namespace

QString partitionName(const QString& name, const QString& startup, Naming naming)
{
    QString p;
    if (naming == Naming::Older) {
        p = QStringLiteral("PP.HDL.");
    } else {
        if (startup.isEmpty())
            return QStringLiteral("PP.");
        QString start = startup;
        start.replace(u'_', u'-').remove(u'.');
        p = QStringLiteral("PP.") + start + QStringLiteral("..");
    }
    // Byte by byte: a two-byte letter leaves two underscores.
    const QByteArray bytes = naming == Naming::Current ? name.toUpper().toUtf8() : name.toUtf8();
    for (const char c : bytes)
        p += plain(c, naming) ? QChar::fromLatin1(c) : QChar(u'_');
    return p.left(31);
}

bool sameName(const QString& a, const QString& b, Naming naming)
{
    return naming == Naming::Older ? a.compare(b, Qt::CaseInsensitive) == 0 : a == b;
}

QString partitionOf(const QJsonObject& game, Naming naming)
{
    const QString stored = game.value(QStringLiteral("partition")).toString();
    if (!stored.isEmpty())
        return stored;
    return partitionName(game.value(QStringLiteral("name")).toString(),
                         game.value(QStringLiteral("startup")).toString(), naming);
}

qint64 slicesFor(qint64 sizeKb)
{
    qint64 n = 1;
    while ((n * 128 - (n + 3)) * 1024 < sizeKb)
        ++n;
    return n;
}

qint64 usedMb(const QJsonObject& target)
{
    qint64 slices = 1;
    for (const QJsonValue g : target.value(QStringLiteral("games")).toArray())
        slices += slicesFor(g.toObject().value(QStringLiteral("size_kb")).toInteger());
    return slices * 128;
}

int findGame(const QJsonArray& games, const QString& name, Naming naming)
{
    for (int i = 0; i < games.size(); ++i) {
        if (sameName(partitionOf(games[i].toObject(), naming), name, naming))
            return i;
    }
    for (int i = 0; i < games.size(); ++i) {
        if (games[i].toObject().value(QStringLiteral("name")).toString() == name)
            return i;
    }
    return -1;
}

bool taken(const QJsonArray& games, const QString& partition, Naming naming, int skip)
{
    for (int i = 0; i < games.size(); ++i) {
        if (i != skip && sameName(partitionOf(games[i].toObject(), naming), partition, naming))
            return true;
    }
    return false;
}

QStringList tocLines(const QJsonObject& target, Naming naming)
{
    // The older build pads the names to 32 characters.
    auto row = [naming](qint64 start, qint64 parts, qint64 mb, const QString& type,
                        const QString& name) {
        return QStringLiteral("%1 %2.:%3 %4MB %5")
            .arg(type)
            .arg(start, 8, 16, QChar(u'0'))
            .arg(parts, 3)
            .arg(mb, 5)
            .arg(naming == Naming::Older ? name.leftJustified(32) : name);
    };
    QStringList lines{QStringLiteral("type   start     #parts size name")};
    lines << row(0, 1, 128, QStringLiteral("0x0001"), QStringLiteral("__mbr"));
    qint64 start = 0x40000;
    for (const QJsonValue v : target.value(QStringLiteral("games")).toArray()) {
        const QJsonObject g = v.toObject();
        const qint64 slices = slicesFor(g.value(QStringLiteral("size_kb")).toInteger());
        lines << row(start, slices, slices * 128, QStringLiteral("0x1337"), partitionOf(g, naming));
        start += slices * 0x40000;
    }
    const qint64 total = target.value(QStringLiteral("size_mb")).toInteger();
    const qint64 used = usedMb(target);
    lines << QStringLiteral("Total slice size: %1MB, used: %2MB, available: %3MB")
                 .arg(total)
                 .arg(used)
                 .arg(total - used);
    return lines;
}

namespace {

void put32(QByteArray& b, qsizetype at, quint32 v)
{
    qToLittleEndian(v, b.data() + at);
}

quint32 get32(const QByteArray& b, qsizetype at)
{
    return at + 4 <= b.size() ? qFromLittleEndian<quint32>(b.constData() + at) : 0;
}

QByteArray header(const QString& name, quint32 start, quint32 sectors, quint16 type, bool sub,
                  quint32 main, quint32 next, quint32 prev, const QByteArray& created)
{
    QByteArray h(1024, '\0');
    h.replace(4, 4, QByteArrayLiteral("APA\0"));
    put32(h, 8, next);
    put32(h, 12, prev);
    const QByteArray n = name.toUtf8().left(31);
    h.replace(16, n.size(), n);
    put32(h, 64, start);
    put32(h, 68, sectors);
    qToLittleEndian<quint16>(type, h.data() + 72);
    qToLittleEndian<quint16>(sub ? 1 : 0, h.data() + 74);
    h.replace(80, 8, created.left(8));
    put32(h, 88, main);
    if (name == QLatin1String("__mbr"))
        h.replace(0x128, 8, created.mid(8, 8));
    quint32 sum = 0;
    for (qsizetype at = 4; at < 1024; at += 4)
        sum += get32(h, at);
    put32(h, 0, sum);
    return h;
}

quint32 flagBits(const QString& flags)
{
    quint32 bits = 0;
    for (const QString& n : flags.split(u'+', Qt::SkipEmptyParts))
        if (n.toInt() >= 1 && n.toInt() <= 8)
            bits |= 1U << (n.toInt() - 1);
    return bits;
}

} // namespace

QByteArray backupOf(const QJsonObject& target, const QString& name, Naming naming)
{
    QByteArray created =
        QByteArray::fromHex(target.value(QStringLiteral("created")).toString().toLatin1());
    if (created.size() < 16)
        created = QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Md5);
    struct Part
    {
        QString name;
        quint32 start, sectors;
        quint16 type;
        bool sub;
        quint32 main;
        QJsonObject game;
    };
    QList<Part> parts{{QStringLiteral("__mbr"), 0, 0x40000, 1, false, 0, {}}};
    quint32 at = 0x40000;
    for (const QJsonValue v : target.value(QStringLiteral("games")).toArray()) {
        const QJsonObject g = v.toObject();
        const auto slices =
            static_cast<quint32>(slicesFor(g.value(QStringLiteral("size_kb")).toInteger()));
        parts.append({partitionOf(g, naming), at, 0x40000, 0x1337, false, 0, g});
        for (quint32 i = 1; i < slices; ++i)
            parts.append({QString(), at + i * 0x40000, 0x40000, 0x1337, true, at, {}});
        at += slices * 0x40000;
    }
    QByteArray file;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const Part& p = parts[i];
        const quint32 next = i + 1 < parts.size() ? parts[i + 1].start : 0;
        const quint32 prev = i > 0 ? parts[i - 1].start : parts.last().start;
        QByteArray record =
            header(p.name, p.start, p.sectors, p.type, p.sub, p.main, next, prev, created);
        QByteArray game(1024, '\0');
        if (!p.game.isEmpty()) {
            put32(game, 0, 0xDEADFEED);
            const QByteArray title =
                p.game.value(QStringLiteral("name")).toString().toUtf8().left(159);
            game.replace(8, title.size(), title);
            game[0xA9] =
                static_cast<char>(flagBits(p.game.value(QStringLiteral("flags")).toString()));
            game[0xAA] = '\x40';
            const QByteArray startup =
                p.game.value(QStringLiteral("startup")).toString().toLatin1().left(59);
            game.replace(0xAC, startup.size(), startup);
            game[0xEC] = p.game.value(QStringLiteral("type")).toString() == QLatin1String("CD")
                             ? '\x12'
                             : '\x14';
            put32(game, 0xF0, 1);
            put32(game, 0xFC,
                  static_cast<quint32>(p.game.value(QStringLiteral("size_kb")).toInteger() * 1024));
        }
        file += record + game;
    }
    return file;
}

std::optional<QJsonArray> gamesOfBackup(const QByteArray& file)
{
    if (file.size() < 2048 || file.size() % 2048 != 0 ||
        file.mid(4, 4) != QByteArrayLiteral("APA\0"))
        return std::nullopt;
    QJsonArray games;
    for (qsizetype at = 2048; at + 2048 <= file.size(); at += 2048) {
        const QByteArray h = file.mid(at, 1024);
        const QByteArray g = file.mid(at + 1024, 1024);
        if (h.mid(4, 4) != QByteArrayLiteral("APA\0"))
            break;
        if (qFromLittleEndian<quint16>(h.constData() + 74) != 0 || get32(g, 0) != 0xDEADFEED)
            continue;
        QString flags;
        for (int n = 1; n <= 8; ++n)
            if (static_cast<quint8>(g[0xA9]) & (1U << (n - 1)))
                flags += QStringLiteral("+%1").arg(n);
        auto text = [](const QByteArray& b, qsizetype from, qsizetype length) {
            QByteArray t = b.mid(from, length);
            return QString::fromUtf8(t.left(t.indexOf('\0') < 0 ? t.size() : t.indexOf('\0')));
        };
        games.append(QJsonObject{{QStringLiteral("name"), text(g, 8, 160)},
                                 {QStringLiteral("partition"), text(h, 16, 32)},
                                 {QStringLiteral("startup"), text(g, 0xAC, 60)},
                                 {QStringLiteral("type"), static_cast<quint8>(g[0xEC]) == 0x12
                                                              ? QStringLiteral("CD")
                                                              : QStringLiteral("DVD")},
                                 {QStringLiteral("size_kb"), qint64{get32(g, 0xFC)} / 1024},
                                 {QStringLiteral("flags"), flags},
                                 {QStringLiteral("dma"), QStringLiteral("*u4")}});
    }
    return games;
}

} // namespace simdisk
