#include "SimDisk.h"

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

} // namespace simdisk
