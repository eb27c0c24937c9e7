#include "Ps2Image.h"

#include <QByteArray>
#include <QFile>

namespace {

constexpr int kSector = 2048;

void put16(QByteArray& b, int at, quint16 v)
{
    b[at] = static_cast<char>(v & 0xff);
    b[at + 1] = static_cast<char>(v >> 8);
    b[at + 2] = static_cast<char>(v >> 8);
    b[at + 3] = static_cast<char>(v & 0xff);
}

void put32le(QByteArray& b, int at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<char>((v >> (8 * i)) & 0xff);
}

void put32be(QByteArray& b, int at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<char>((v >> (8 * (3 - i))) & 0xff);
}

// Both byte orders, as ISO 9660 stores its numbers.
void put32(QByteArray& b, int at, quint32 v)
{
    put32le(b, at, v);
    put32be(b, at + 4, v);
}

void putText(QByteArray& b, int at, int length, const QByteArray& text)
{
    for (int i = 0; i < length; ++i)
        b[at + i] = i < text.size() ? text[i] : ' ';
}

QByteArray directoryRecord(quint32 extent, quint32 size, bool directory, const QByteArray& name)
{
    const int length = 33 + static_cast<int>(name.size()) + (name.size() % 2 == 0 ? 1 : 0);
    QByteArray r(length, '\0');
    r[0] = static_cast<char>(length);
    put32(r, 2, extent);
    put32(r, 10, size);
    r[18] = 126; // 2026
    r[19] = 1;
    r[20] = 1;
    r[25] = directory ? 2 : 0;
    put16(r, 28, 1);
    r[32] = static_cast<char>(name.size());
    r.replace(33, name.size(), name);
    return r;
}

} // namespace

bool WritePs2Image(const QString& path, const QString& startup, const QString& label, qint64 sizeKb,
                   char contentSeed, ImageMedia media)
{
    const QByteArray cnf =
        "BOOT2 = cdrom0:\\" + startup.toLatin1() + ";1\r\nVER = 1.00\r\nVMODE = NTSC\r\n";
    constexpr quint32 rootSector = 20;
    constexpr quint32 cnfSector = 21;
    constexpr quint32 dataSector = 22;
    const qint64 bytes = std::max<qint64>(sizeKb * 1024, (dataSector + 1) * kSector);
    const auto sectors = static_cast<quint32>((bytes + kSector - 1) / kSector);

    QByteArray head((dataSector + 1) * kSector, '\0');
    QByteArray pvd(kSector, '\0');
    pvd[0] = 1;
    pvd.replace(1, 5, "CD001");
    pvd[6] = 1;
    putText(pvd, 8, 32, "PLAYSTATION");
    putText(pvd, 40, 32, label.toLatin1());
    put32(pvd, 80, sectors);
    put16(pvd, 120, 1);
    put16(pvd, 124, 1);
    put16(pvd, 128, kSector);
    put32(pvd, 132, 10);
    put32le(pvd, 140, 18);
    put32be(pvd, 148, 19);
    const QByteArray root = directoryRecord(rootSector, kSector, true, QByteArray(1, '\0'));
    pvd.replace(156, root.size(), root);
    for (const int at : {190, 318, 446, 574})
        putText(pvd, at, 128, {});
    for (const int at : {702, 739, 776})
        putText(pvd, at, 37, {});
    for (const int at : {813, 830, 847, 864})
        pvd.replace(at, 16, QByteArray(16, '0'));
    pvd[881] = 1;
    if (media == ImageMedia::Unknown)
        putText(pvd, 883, 512, {});
    head.replace(16 * kSector, kSector, pvd);

    QByteArray end(kSector, '\0');
    end[0] = static_cast<char>(255);
    end.replace(1, 5, "CD001");
    end[6] = 1;
    head.replace(17 * kSector, kSector, end);

    // The path tables: the root alone, in both byte orders.
    QByteArray pathLe(10, '\0');
    pathLe[0] = 1;
    put32le(pathLe, 2, rootSector);
    pathLe[6] = 1;
    QByteArray pathBe = pathLe;
    put32be(pathBe, 2, rootSector);
    pathBe[6] = 0;
    pathBe[7] = 1;
    head.replace(18 * kSector, pathLe.size(), pathLe);
    head.replace(19 * kSector, pathBe.size(), pathBe);

    QByteArray dir =
        directoryRecord(rootSector, kSector, true, QByteArray(1, '\0')) +
        directoryRecord(rootSector, kSector, true, QByteArray(1, '\1')) +
        directoryRecord(cnfSector, static_cast<quint32>(cnf.size()), false, "SYSTEM.CNF;1");
    head.replace(rootSector * kSector, dir.size(), dir);
    head.replace(cnfSector * kSector, cnf.size(), cnf);
    // Data that tells one image from another, in the first sector after the file system.
    head.replace(dataSector * kSector, kSector, QByteArray(kSector, contentSeed));

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    if (file.write(head) != head.size())
        return false;
    return file.resize(static_cast<qint64>(sectors) * kSector);
}
