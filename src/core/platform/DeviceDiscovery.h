#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Disks and optical drives of this machine, for a tool that cannot list them
// itself. The roots are parameters so tests run on a fake tree.
namespace platform {

struct Device
{
    QString path; // /dev/sdb
    qint64 sizeBytes = 0;
    bool optical = false;
    bool hasMedium = false; // optical drives
    bool readable = false;  // disks: sector 0 could be read
    bool ps2Formatted = false;
    // A partition of it is mounted or used as swap (the system disk among them):
    // never offered for formatting, installing, copying or deleting.
    bool inUse = false;
};

// usageFiles list what the system uses, one device a line in the first field
// (the mount table, the swap list).
QList<Device> discoverDevices(const QString& sysRoot = QStringLiteral("/sys"),
                              const QString& devRoot = QStringLiteral("/dev"),
                              const QStringList& usageFiles = {QStringLiteral("/proc/self/mounts"),
                                                               QStringLiteral("/proc/swaps")});

} // namespace platform
