#include "core/platform/DeviceDiscovery.h"
#include "core/session/Devices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestDiscovery : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;

    void blockDevice(const QString& name, qint64 sectors, const QByteArray& sector0 = {},
                     bool optical = false)
    {
        QDir().mkpath(m_root.filePath(QStringLiteral("sys/block/%1/device").arg(name)));
        QFile size(m_root.filePath(QStringLiteral("sys/block/%1/size").arg(name)));
        size.open(QIODevice::WriteOnly);
        size.write(QByteArray::number(sectors) + '\n');
        if (optical) {
            QFile type(m_root.filePath(QStringLiteral("sys/block/%1/device/type").arg(name)));
            type.open(QIODevice::WriteOnly);
            type.write("5\n");
        }
        if (!sector0.isNull()) {
            QFile dev(m_root.filePath(QStringLiteral("dev/%1").arg(name)));
            dev.open(QIODevice::WriteOnly);
            dev.write(sector0);
        }
    }

    platform::SystemFiles files(const QStringList& usage = {})
    {
        platform::SystemFiles f;
        f.sysRoot = m_root.filePath(QStringLiteral("sys"));
        f.devRoot = m_root.filePath(QStringLiteral("dev"));
        f.usageFiles = usage;
        f.udevData = m_root.filePath(QStringLiteral("udev"));
        return f;
    }

    void write(const QString& relative, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(m_root.filePath(relative)).path());
        QFile f(m_root.filePath(relative));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

private slots:
    void initTestCase()
    {
        QDir().mkpath(m_root.filePath(QStringLiteral("dev")));
        QByteArray apa(512, '\0');
        apa.replace(4, 4, QByteArray("APA\0", 4));
        blockDevice(QStringLiteral("sdb"), 976773168, apa);                // 465.8 GB PS2 disk
        blockDevice(QStringLiteral("sdc"), 2097152, QByteArray(512, 'x')); // 1 GB other disk
        blockDevice(QStringLiteral("sdd"), 2097152);                       // no node: unreadable
        blockDevice(QStringLiteral("sr0"), 6400000, {}, true);             // a disc in the drive
        blockDevice(QStringLiteral("sr1"), 0, {}, true);                   // empty drive
        blockDevice(QStringLiteral("loop0"), 100, apa);                    // never listed
        blockDevice(QStringLiteral("sdb1"), 100, apa); // a partition, never listed
    }

    void listsWholeDisksAndDrives()
    {
        const QList<platform::Device> devices = platform::discoverDevices(files());
        QStringList paths;
        for (const auto& d : devices)
            paths << QFileInfo(d.path).fileName();
        QCOMPARE(paths,
                 (QStringList{QStringLiteral("sdb"), QStringLiteral("sdc"), QStringLiteral("sdd"),
                              QStringLiteral("sr0"), QStringLiteral("sr1")}));
        QVERIFY(devices[0].ps2Formatted);
        QCOMPARE(devices[0].sizeBytes, qint64(976773168) * 512);
        QVERIFY(!devices[1].ps2Formatted);
        QVERIFY(devices[1].readable);
        QVERIFY(!devices[2].readable);
        QVERIFY(devices[3].optical && devices[3].hasMedium);
        QVERIFY(devices[4].optical && !devices[4].hasMedium);
    }

    void listedAsTheToolListsThem()
    {
        const DeviceLists lists = DevicesFromDiscovery(platform::discoverDevices(files()));
        auto names = [](const QList<DiskEntry>& entries) {
            QStringList out;
            for (const DiskEntry& e : entries)
                out << QFileInfo(e.device).fileName() + u' ' + QString::number(e.sizeMb) +
                           (e.unreadable ? QStringLiteral(" unreadable") : QString());
            return out;
        };
        // sdd cannot be read and holds nothing the system knows: it may be a PS2 disk.
        QCOMPARE(names(lists.ps2Disks), (QStringList{QStringLiteral("sdb 476940"),
                                                     QStringLiteral("sdd 1024 unreadable")}));
        QVERIFY(!lists.ps2Disks[0].needsPermission);
        QVERIFY(lists.ps2Disks[1].needsPermission);
        QVERIFY(lists.ps2Disks[1].label().endsWith(QLatin1String(" - needs permission")));
        QCOMPARE(names(lists.allDisks),
                 (QStringList{QStringLiteral("sdb 476940"), QStringLiteral("sdc 1024"),
                              QStringLiteral("sdd 1024 unreadable")}));
        // Only a drive holding a disc is offered.
        QCOMPARE(names(lists.opticals), QStringList{QStringLiteral("sr0 3125")});
    }

    void aDriveInTheToolsListingIsNoDisk()
    {
        const DeviceLists lists = DevicesFromQuery(
            QStringLiteral("Hard drives:\n\t/dev/sdb  2048 MB, formatted Playstation 2 HDD\n"
                           "\t/dev/sdc  1024 MB, not formatted (cannot be read)\n"
                           "Optical drives:\n\t/dev/sr0  700 MB, disc\n\t/dev/sr1  no media\n"));
        QCOMPARE(lists.allDisks.size(), 2);
        QVERIFY(lists.allDisks[1].unreadable);
        QCOMPARE(lists.ps2Disks.size(), 1);
        QCOMPARE(lists.opticals.size(), 1);
        QCOMPARE(lists.opticals[0].device, QStringLiteral("/dev/sr0"));
    }

    void disksInUseAreNeverOffered()
    {
        // The system disk and a disk with a mounted or swap partition.
        blockDevice(QStringLiteral("sde"), 2097152, QByteArray(512, 'x'));
        blockDevice(QStringLiteral("nvme0n1"), 2097152, QByteArray(512, 'x'));
        const QString dev = m_root.filePath(QStringLiteral("dev"));
        QFile mounts(m_root.filePath(QStringLiteral("mounts")));
        QVERIFY(mounts.open(QIODevice::WriteOnly));
        mounts.write(QStringLiteral("%1/nvme0n1p2 / ext4 rw 0 0\nproc /proc proc rw 0 0\n")
                         .arg(dev)
                         .toLocal8Bit());
        mounts.close();
        QFile swaps(m_root.filePath(QStringLiteral("swaps")));
        QVERIFY(swaps.open(QIODevice::WriteOnly));
        swaps.write(QStringLiteral("Filename\tType\tSize\n%1/sde3\tpartition\t1024\n")
                        .arg(dev)
                        .toLocal8Bit());
        swaps.close();
        const QList<platform::Device> devices =
            platform::discoverDevices(files({mounts.fileName(), swaps.fileName()}));
        QStringList used;
        for (const auto& d : devices) {
            if (d.inUse)
                used << QFileInfo(d.path).fileName();
        }
        QCOMPARE(used, (QStringList{QStringLiteral("nvme0n1"), QStringLiteral("sde")}));
        QStringList offered;
        for (const DiskEntry& d : DevicesFromDiscovery(devices).allDisks)
            offered << QFileInfo(d.device).fileName();
        QVERIFY(offered.contains(QStringLiteral("sdb")));
        QVERIFY(!offered.contains(QStringLiteral("sde")));
        QVERIFY(!offered.contains(QStringLiteral("nvme0n1")));
    }

    // The rules the permission helper shares: what the system found on a disk it cannot read,
    // and devices built on a disk.
    void whatTheSystemKnowsOfADisk()
    {
        blockDevice(QStringLiteral("sdf"), 2097152); // unreadable, udev found a GPT
        write(QStringLiteral("sys/block/sdf/dev"), "8:80\n");
        write(QStringLiteral("udev/b8:80"), "S:disk/by-id/usb-X\nE:ID_PART_TABLE_TYPE=gpt\n");
        blockDevice(QStringLiteral("sdg"), 2097152); // unreadable, udev found nothing
        write(QStringLiteral("sys/block/sdg/dev"), "8:96\n");
        write(QStringLiteral("udev/b8:96"), "E:ID_FS_TYPE=\nE:ID_MODEL=Disk\n");
        blockDevice(QStringLiteral("sdh"), 2097152); // a partition of it is in an LVM volume
        QDir().mkpath(m_root.filePath(QStringLiteral("sys/block/sdh/sdh1/holders/dm-0")));
        blockDevice(QStringLiteral("sdi"), 2097152); // a RAID member as a whole
        QDir().mkpath(m_root.filePath(QStringLiteral("sys/block/sdi/holders/md0")));

        const platform::SystemFiles f = files();
        QCOMPARE(platform::knownContent(f, QStringLiteral("sdf")), QStringLiteral("gpt"));
        QCOMPARE(platform::knownContent(f, QStringLiteral("sdg")), QString());
        QCOMPARE(platform::knownContent(f, QStringLiteral("sdd")), QString()); // no udev entry
        QCOMPARE(platform::systemUse(f, QStringLiteral("sdh"), {}),
                 QStringLiteral("sdh1 is part of dm-0"));
        QCOMPARE(platform::systemUse(f, QStringLiteral("sdi"), {}), QStringLiteral("part of md0"));
        QCOMPARE(platform::systemUse(f, QStringLiteral("sdg"), {}), QString());
        QCOMPARE(
            platform::systemUse(f, QStringLiteral("sdg"), {f.devRoot + QStringLiteral("/sdg2")}),
            QStringLiteral("mounted or used as swap"));

        QStringList mayBePs2;
        for (const DiskEntry& d : DevicesFromDiscovery(platform::discoverDevices(f)).ps2Disks) {
            if (d.needsPermission)
                mayBePs2 << QFileInfo(d.device).fileName();
        }
        QCOMPARE(mayBePs2, (QStringList{QStringLiteral("sdd"), QStringLiteral("sdg")}));

        QByteArray sector(512, '\0');
        QVERIFY(!platform::hasPs2Signature(sector));
        sector.replace(4, 4, QByteArray("APA\0", 4));
        QVERIFY(platform::hasPs2Signature(sector));
        QVERIFY(!platform::hasPs2Signature(sector.left(6)));
        QVERIFY(platform::isWholeDiskName(QStringLiteral("nvme0n1")));
        for (const char* name : {"nvme0n1p1", "sda1", "loop0", "ram0", "dm-0", "sr0", "md0"})
            QVERIFY2(!platform::isWholeDiskName(QLatin1String(name)), name);
    }

    void missingTreeListsNothing()
    {
        platform::SystemFiles nowhere = files();
        nowhere.sysRoot = m_root.filePath(QStringLiteral("nowhere"));
        QVERIFY(platform::discoverDevices(nowhere).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDiscovery)
#include "tst_discovery.moc"
