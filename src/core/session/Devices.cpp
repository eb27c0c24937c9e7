#include "Devices.h"

#include <QCoreApplication>

namespace {
DiskEntry entryOf(const QString& device, double sizeMb, bool ps2Formatted, bool unreadable)
{
    DiskEntry e;
    e.device = device;
    e.sizeMb = sizeMb;
    e.ps2Formatted = ps2Formatted;
    e.unreadable = unreadable;
    return e;
}
} // namespace

QString DiskEntry::label() const
{
    const QString text = model.isEmpty()
                             ? parse::DiskLabel(device, sizeMb)
                             : QStringLiteral("%1 (%2 GB)").arg(model, parse::FormatGB(sizeMb));
    return needsPermission
               ? QCoreApplication::translate("DiskEntry", "%1 - needs permission").arg(text)
               : text;
}

DeviceLists DevicesFromQuery(const QString& text)
{
    DeviceLists lists;
    // A drive's line under "Optical drives:" reads like a disk's too (/dev/sr0): it is
    // never offered as a disk to format.
    bool opticalSection = false;
    for (const QString& line : parse::SplitLines(text)) {
        if (line.startsWith(QLatin1String("Optical drives")))
            opticalSection = true;
        else if (line.startsWith(QLatin1String("Hard drives")))
            opticalSection = false;
        if (opticalSection) {
            if (const auto drive = parse::ParseOpticalLine(line))
                lists.opticals << entryOf(drive->device, drive->sizeMb, false, false);
        } else if (const auto disk = parse::ParseDiskLine(line)) {
            const DiskEntry entry = entryOf(disk->device, disk->sizeMb, disk->ps2Formatted,
                                            line.contains(QStringLiteral("cannot be read")));
            lists.allDisks << entry;
            if (entry.ps2Formatted)
                lists.ps2Disks << entry;
        }
    }
    return lists;
}

DeviceLists DevicesFromDiscovery(const QList<platform::Device>& devices)
{
    DeviceLists lists;
    for (const platform::Device& d : devices) {
        // Whole megabytes, as the tool counts them.
        const auto megabytes = static_cast<double>(d.sizeBytes / (1024 * 1024));
        if (d.optical) {
            if (d.hasMedium)
                lists.opticals << entryOf(d.path, megabytes, false, false);
            continue;
        }
        // A disk the system uses (mounted, swap) is never offered.
        if (d.inUse)
            continue;
        DiskEntry entry =
            entryOf(d.path, megabytes, d.ps2Formatted, !d.readable && !d.ps2Formatted);
        entry.needsPermission = d.needsPermission;
        entry.model = d.model;
        entry.serial = d.serial;
        lists.allDisks << entry;
        // A disk that may be a PS2's is offered: choosing it asks for the permission.
        if (entry.ps2Formatted || entry.needsPermission)
            lists.ps2Disks << entry;
    }
    return lists;
}
