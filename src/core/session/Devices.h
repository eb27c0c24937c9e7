#pragma once

#include "core/output/Parsers.h"
#include "core/platform/DeviceDiscovery.h"

#include <QList>
#include <QString>

#include <cstdint>

// A disk or optical drive as the tool (or the machine) lists it.
struct DiskEntry
{
    QString device; // "hdd1:", "/dev/sdb", "cd0:"
    double sizeMb = 0;
    bool ps2Formatted = false;
    bool unreadable = false;
    // This user cannot read it and the system knows nothing on it: it may be a PS2 disk,
    // which access granted through the permission helper would show.
    bool needsPermission = false;
    QString model; // "WDC WD5000AAKS" where the system says
    QString serial;

    // "hdd1:  [2.0 GB]", "WDC WD5000AAKS (465.8 GB)", each with "needs permission" where
    // it does.
    QString label() const;
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
