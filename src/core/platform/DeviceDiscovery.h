#pragma once

#include "DiskRules.h"

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
    // Not readable by this user and holding nothing the system recognises: it may be a PS2
    // disk, which access granted to this disk would show.
    bool needsPermission = false;
    // A partition of it is mounted or used as swap, or another device is built on it (the
    // system disk among them): never offered for formatting, installing, copying or deleting.
    bool inUse = false;
    // Where the system says (UDisks2): the drive's model, serial number and bus ("usb").
    QString model;
    QString serial;
    QString bus;
};

// Reads what a disk holds: whether this user can read it, its PS2 signature, and whether
// it needs permission. Sets readable, ps2Formatted and needsPermission.
void examineDisk(Device& d, const SystemFiles& files, const QString& name);

QList<Device> discoverDevices(const SystemFiles& files = {});

} // namespace platform
