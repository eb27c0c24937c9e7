#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

// PS2 disk images of every layout the tests need, written header by header the way the PS2's
// partition table lays them out (a 1024-byte header at each partition's first sector, chained
// both ways, each with its checksum). Only for tests: the program reads these, it never writes
// them.
struct ApaPart
{
    QString name;
    quint32 sectors = 0x40000; // 128 MB
    quint16 type = 0x1337;
    int slices = 1; // a game of more than one slice: that many partitions of `sectors`
    // A game's record, as hdl_dump writes it where the game begins (title, startup, flags).
    QString title;
    QString startup;
    quint8 flags = 0;
    bool dvd = true;
    qint64 sizeKb = 0;
};

struct ApaImageOptions
{
    // The stamps a format writes: two disks formatted apart differ here.
    QByteArray created = QByteArrayLiteral("\x01\x02\x03\x04\x05\x06\x07\x08");
    // An MBR partition table beside the APA header, with one exFAT partition from this sector
    // to the disk's end (0: none), and an exFAT boot sector there.
    quint32 exfatAt = 0;
    // A byte that fills the exFAT area's first MiB, so a stray write is found.
    char exfatFill = '\xE5';
};

// One header: name, start, length, type, flags (1: a slice of main), the links, the slices of a
// main partition.
QByteArray ApaHeader(const QString& name, quint32 start, quint32 sectors, quint16 type,
                     quint16 flags, quint32 next, quint32 prev, quint32 main,
                     const QList<std::pair<quint32, quint32>>& subs,
                     const QByteArray& created = {});
// Writes a sparse image of sizeBytes holding __mbr and then the parts, one after another.
bool WriteApaImage(const QString& path, qint64 sizeBytes, const QList<ApaPart>& parts,
                   const ApaImageOptions& options = {});
// Makes a formatted disk image (hdl_dump's own) hybrid, as the newer kits lay it out: an MBR
// table beside the APA header in sector 0 (its checksum made to add up again) with one exFAT
// partition from exfatAt to the end, an exFAT boot sector there and a MiB of fill after it.
bool MakeHybrid(const QString& path, quint32 exfatAt, char fill = '\xE5');
// Overwrites bytes of a file at offset (to damage a header).
bool PatchFile(const QString& path, qint64 offset, const QByteArray& bytes);
// What a file holds at offset.
QByteArray ReadFileAt(const QString& path, qint64 offset, qint64 length);

// A disk of the simulator kept in a file of its own: a partition table's first header, then
// the simulator's JSON (size_mb, formatted, games), as a PS2's export shows it.
bool WriteSimFileDisk(const QString& path, const QJsonObject& disk, qint64 sizeBytes);
QJsonObject ReadSimFileDisk(const QString& path);
