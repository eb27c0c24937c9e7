#pragma once

#include "core/output/Parsers.h"
#include "core/platform/DeviceDiscovery.h"

#include <QList>
#include <QString>

// A disk or optical drive as the tool (or the machine) lists it.
struct DiskEntry
{
    QString device; // "hdd1:", "/dev/sdb", "cd0:"
    double sizeMb = 0;
    bool ps2Formatted = false;
    bool unreadable = false;

    // "hdd1:  [2.0 GB]"
    QString label() const { return parse::DiskLabel(device, sizeMb); }
};

// The devices of one listing: every disk (for formatting), the PS2-formatted ones (for
// the target list) and the optical drives holding a medium.
struct DeviceLists
{
    QList<DiskEntry> allDisks;
    QList<DiskEntry> ps2Disks;
    QList<DiskEntry> opticals;
};

// From the tool's "query".
DeviceLists DevicesFromQuery(const QString& text);
// From the machine's own discovery, for a tool without "query"; disks in use are left out.
DeviceLists DevicesFromDiscovery(const QList<platform::Device>& devices);
