#include "Devices.h"

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
                lists.opticals << DiskEntry{drive->device, drive->sizeMb, false, false};
        } else if (const auto disk = parse::ParseDiskLine(line)) {
            const DiskEntry entry{disk->device, disk->sizeMb, disk->ps2Formatted,
                                  line.contains(QStringLiteral("cannot be read"))};
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
                lists.opticals << DiskEntry{d.path, megabytes, false, false};
            continue;
        }
        // A disk the system uses (mounted, swap) is never offered.
        if (d.inUse)
            continue;
        const DiskEntry entry{d.path, megabytes, d.ps2Formatted, !d.readable && !d.ps2Formatted};
        lists.allDisks << entry;
        if (entry.ps2Formatted)
            lists.ps2Disks << entry;
    }
    return lists;
}
