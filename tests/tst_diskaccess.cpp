#include "ApaImage.h"
#include "TestSupport.h"
#include "core/platform/DiskPermission.h"
#include "helper/DiskAccessHelper.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// The permission helper's checks on a fake tree, and its ACL change on regular files that
// stand in for device nodes (getfacl shows what it did).
class TestDiskAccess : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    QStringList m_blockDevices; // names that pass for block devices
    QStringList m_programs;     // the system programs the helper would have run
    bool m_programsFail = false;

    QString path(const QString& relative) const { return m_root.filePath(relative); }

    void write(const QString& relative, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path(relative)).path());
        QFile f(path(relative));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // A disk of the fake machine: its sysfs entry (with a device number), its node holding the
    // first bytes given, and what udev found on it (nothing, unless said; no entry at all when
    // udev is null, as without udev's database).
    void disk(const QString& name, const QByteArray& start, bool block = true,
              const QByteArray& udev = QByteArray(""))
    {
        QDir().mkpath(path(QStringLiteral("sys/block/") + name));
        const QString number = QStringLiteral("8:%1").arg(++m_disks * 16);
        write(QStringLiteral("sys/block/%1/dev").arg(name), number.toLatin1() + '\n');
        if (!udev.isNull())
            write(QStringLiteral("udev/b") + number,
                  "E:DEVNAME=/dev/" + name.toLatin1() + '\n' + udev);
        if (!start.isNull())
            write(QStringLiteral("dev/") + name, start);
        if (block)
            m_blockDevices << name;
    }
    int m_disks = 0;

    helper::Facts facts(QStringList* changes = nullptr)
    {
        helper::Facts f = helper::systemFacts();
        f.files.sysRoot = path(QStringLiteral("sys"));
        f.files.devRoot = path(QStringLiteral("dev"));
        f.files.usageFiles = {path(QStringLiteral("mounts"))};
        f.files.udevData = path(QStringLiteral("udev"));
        f.recordsDir = path(QStringLiteral("records"));
        const QStringList block = m_blockDevices;
        f.isBlockDevice = [block](const QString& p) {
            return block.contains(QFileInfo(p).fileName());
        };
        f.userExists = [](quint32 uid) { return uid == 4242 || uid == 4343; };
        // Nothing of this machine's is ever run: nbd-client and modprobe are recorded.
        f.runProgram = [this](const QString& program, const QStringList& args, QString* error) {
            m_programs << QFileInfo(program).fileName() + u' ' + args.join(u' ');
            if (m_programsFail)
                *error = QStringLiteral("Socket failed: Connection refused");
            return !m_programsFail;
        };
        if (changes) {
            auto real = f.changeAccess;
            f.changeAccess = [changes, real](const QString& device, helper::AclChange change,
                                             const QString& uid, QString* error) {
                const char* word = change == helper::AclChange::Grant    ? "grant "
                                   : change == helper::AclChange::Revoke ? "revoke "
                                                                         : "clear ";
                *changes << QLatin1String(word) + QFileInfo(device).fileName();
                return real(device, change, uid, error);
            };
        }
        return f;
    }

    QString dev(const QString& name) const { return path(QStringLiteral("dev/") + name); }

    static QString acl(const QString& file)
    {
        QProcess getfacl;
        getfacl.start(QStringLiteral("getfacl"),
                      {QStringLiteral("-n"), QStringLiteral("-p"), file});
        getfacl.waitForFinished();
        return QString::fromLocal8Bit(getfacl.readAllStandardOutput());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        // A PS2 disk's first header, with its checksum; APA at byte 4 alone is no PS2 disk.
        const QByteArray apa = Ps2Sector() + QByteArray(3072, '\0');
        QByteArray magicOnly(4096, '\0');
        magicOnly.replace(4, 4, QByteArray("APA\0", 4));
        disk(QStringLiteral("sdb"), apa);                               // a PS2 disk
        disk(QStringLiteral("sdc"), apa);                               // a partition mounted
        disk(QStringLiteral("sdd"), apa, true, "E:ID_FS_TYPE=exfat\n"); // a file system
        disk(QStringLiteral("sde"), QByteArray(1 << 20, '\0'));         // blank: to format
        disk(QStringLiteral("sdf"), {});                                // no node to read
        disk(QStringLiteral("sdg"), apa, false);                        // not a block device
        disk(QStringLiteral("sdh"), apa.left(100));                     // a short read
        disk(QStringLiteral("sdi"), apa);                               // part of a RAID
        disk(QStringLiteral("loop0"), apa);                             // never a PS2 disk
        disk(QStringLiteral("sdj"), magicOnly, true, "E:ID_PART_TABLE_TYPE=dos\n"); // DOS disk
        disk(QStringLiteral("sdk"), magicOnly);               // APA\0, no table
        disk(QStringLiteral("sdl"), apa, true, QByteArray()); // udev never saw it
        disk(QStringLiteral("sdm"), QByteArray(1 << 20, 'x'), true, QByteArray()); // no udev
        disk(QStringLiteral("sdn"), QByteArray(1 << 20, 'x')); // data, not blank
        disk(QStringLiteral("sdo"), apa.left(1024) + QByteArray((1 << 20) - 1024, 'x'), true,
             "E:ID_PART_TABLE_TYPE=gpt\n");                  // a GPT beside APA
        disk(QStringLiteral("nbd5"), QByteArray(512, '\0')); // another's NBD
        write(QStringLiteral("sys/block/nbd5/pid"), "99\n");
        write(QStringLiteral("sys/block/sdb/sdb1/partition"), "1\n");
        write(QStringLiteral("dev/sdb1"), apa);
        m_blockDevices << QStringLiteral("sdb1");
        write(QStringLiteral("mounts"), QStringLiteral("%1 /media/x vfat rw 0 0\n")
                                            .arg(dev(QStringLiteral("sdc2")))
                                            .toLocal8Bit());
        QDir().mkpath(path(QStringLiteral("sys/block/sdi/holders/md127")));
    }

    void everyRefusalHasItsOwnStatus_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("uid");
        QTest::addColumn<int>("status");
        const QString sdb = dev(QStringLiteral("sdb"));
        using helper::Status;
        auto row = [](const char* name, const QStringList& args, const QString& uid, Status s) {
            QTest::newRow(name) << args << uid << static_cast<int>(s);
        };
        const QString user = QStringLiteral("4242");
        row("no arguments", {}, user, Status::Usage);
        row("verb alone", {QStringLiteral("grant")}, user, Status::Usage);
        row("one more", {QStringLiteral("grant"), sdb, QStringLiteral("x")}, user, Status::Usage);
        row("unknown verb", {QStringLiteral("chmod"), sdb}, user, Status::Usage);
        row("outside the device folder", {QStringLiteral("grant"), QStringLiteral("/etc/shadow")},
            user, Status::NotWholeDisk);
        row("a link folder", {QStringLiteral("grant"), dev(QStringLiteral("disk/by-id/usb-X"))},
            user, Status::NotWholeDisk);
        row("climbing out", {QStringLiteral("grant"), dev(QStringLiteral("../mounts"))}, user,
            Status::NotWholeDisk);
        row("not started by pkexec", {QStringLiteral("grant"), sdb}, QString(), Status::NoCaller);
        row("for root", {QStringLiteral("grant"), sdb}, QStringLiteral("0"), Status::NoCaller);
        row("uid not a number", {QStringLiteral("grant"), sdb}, QStringLiteral("1000 "),
            Status::NoCaller);
        row("uid and a line break", {QStringLiteral("grant"), sdb}, QStringLiteral("4242\n"),
            Status::NoCaller);
        row("uid -1", {QStringLiteral("grant"), sdb}, QStringLiteral("4294967295"),
            Status::NoCaller);
        row("uid of nobody", {QStringLiteral("grant"), sdb}, QStringLiteral("5555"),
            Status::NoCaller);
        row("a device and a line break", {QStringLiteral("grant"), sdb + u'\n'}, user,
            Status::NotWholeDisk);
        row("a partition", {QStringLiteral("grant"), dev(QStringLiteral("sdb1"))}, user,
            Status::NotWholeDisk);
        row("a loop device", {QStringLiteral("grant"), dev(QStringLiteral("loop0"))}, user,
            Status::NotWholeDisk);
        row("not a block device", {QStringLiteral("grant"), dev(QStringLiteral("sdg"))}, user,
            Status::NotWholeDisk);
        row("no such disk", {QStringLiteral("grant"), dev(QStringLiteral("sdz"))}, user,
            Status::NotWholeDisk);
        row("mounted", {QStringLiteral("grant"), dev(QStringLiteral("sdc"))}, user, Status::InUse);
        row("in a RAID", {QStringLiteral("grant"), dev(QStringLiteral("sdi"))}, user,
            Status::InUse);
        row("a file system", {QStringLiteral("grant"), dev(QStringLiteral("sdd"))}, user,
            Status::KnownContent);
        row("formatting a file system",
            {QStringLiteral("grant-format"), dev(QStringLiteral("sdd"))}, user,
            Status::KnownContent);
        row("no PS2 signature", {QStringLiteral("grant"), dev(QStringLiteral("sde"))}, user,
            Status::NotPs2);
        row("a DOS disk with APA at byte 4", {QStringLiteral("grant"), dev(QStringLiteral("sdj"))},
            user, Status::KnownContent);
        row("APA at byte 4, no header", {QStringLiteral("grant"), dev(QStringLiteral("sdk"))}, user,
            Status::NotPs2);
        row("no udev database", {QStringLiteral("grant"), dev(QStringLiteral("sdl"))}, user,
            Status::NoUdev);
        row("formatting without udev's word",
            {QStringLiteral("grant-format"), dev(QStringLiteral("sdm"))}, user, Status::NoUdev);
        row("formatting a disk holding data",
            {QStringLiteral("grant-format"), dev(QStringLiteral("sdn"))}, user, Status::NotPs2);
        row("a GPT beside the PS2 table", {QStringLiteral("grant"), dev(QStringLiteral("sdo"))},
            user, Status::KnownContent);
        row("taking back what was never given", {QStringLiteral("revoke"), sdb}, user,
            Status::NotGiven);
        row("unreadable", {QStringLiteral("grant"), dev(QStringLiteral("sdf"))}, user,
            Status::Unreadable);
        row("short first sector", {QStringLiteral("grant"), dev(QStringLiteral("sdh"))}, user,
            Status::Unreadable);
        const QString nbd = QStringLiteral("connect-nbd");
        const QString ip = QStringLiteral("127.0.0.1");
        const QString port = QStringLiteral("10809");
        const QString hdd0 = QStringLiteral("hdd0");
        row("nbd: too few arguments", {nbd, ip, port}, user, Status::Usage);
        row("nbd: no IPv4 address", {nbd, QStringLiteral("127.1"), port, hdd0}, user,
            Status::Usage);
        row("nbd: an address with more", {nbd, QStringLiteral("127.0.0.1;reboot"), port, hdd0},
            user, Status::Usage);
        row("nbd: an address and a line break", {nbd, QStringLiteral("127.0.0.1\n"), port, hdd0},
            user, Status::Usage);
        row("nbd: a port and a line break", {nbd, ip, QStringLiteral("10809\n"), hdd0}, user,
            Status::Usage);
        row("nbd: an export and a line break", {nbd, ip, port, QStringLiteral("hdd0\n")}, user,
            Status::Usage);
        row("nbd: an octet too large", {nbd, QStringLiteral("127.0.0.256"), port, hdd0}, user,
            Status::Usage);
        row("nbd: port 0", {nbd, ip, QStringLiteral("0"), hdd0}, user, Status::Usage);
        row("nbd: port too large", {nbd, ip, QStringLiteral("65536"), hdd0}, user, Status::Usage);
        row("nbd: an option for an export", {nbd, ip, port, QStringLiteral("-d")}, user,
            Status::Usage);
        row("nbd: a path for an export", {nbd, ip, port, QStringLiteral("../x")}, user,
            Status::Usage);
        row("nbd: root", {nbd, ip, port, hdd0}, QStringLiteral("0"), Status::NoCaller);
        row("nbd: a disk to disconnect",
            {QStringLiteral("disconnect-nbd"), dev(QStringLiteral("sdb"))}, user,
            Status::NotWholeDisk);
        row("nbd: a path out of /dev",
            {QStringLiteral("disconnect-nbd"), dev(QStringLiteral("nbd0/../sdb"))}, user,
            Status::NotWholeDisk);
        row("nbd: another's connection",
            {QStringLiteral("disconnect-nbd"), dev(QStringLiteral("nbd5"))}, user,
            Status::NotGiven);
        row("nbd: nothing connected by this user",
            {QStringLiteral("disconnect-nbd"), dev(QStringLiteral("nbd0"))}, user,
            Status::NotGiven);
    }

    void everyRefusalHasItsOwnStatus()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, uid);
        QFETCH(int, status);
        QStringList changes;
        m_programs.clear();
        const helper::Outcome outcome = helper::run(args, uid, facts(&changes));
        QCOMPARE(static_cast<int>(outcome.status), status);
        QVERIFY(!outcome.message.isEmpty());
        // Nothing refused is ever changed, nor run.
        QVERIFY(changes.isEmpty());
        QVERIFY(m_programs.isEmpty());
    }

    // A PS2's export as /dev/nbdN: the module loaded where it is not, the first free device
    // connected and given to the user, taken back and disconnected after.
    void anExportIsConnectedForTheUser()
    {
        m_programs.clear();
        for (const char* name : {"nbd0", "nbd1", "nbd2"}) {
            disk(QLatin1String(name), QByteArray(512, '\0'));
            write(QStringLiteral("sys/block/%1/size").arg(QLatin1String(name)), "0\n");
        }
        write(QStringLiteral("sys/block/nbd0/pid"), "77\n"); // another user's connection
        write(QStringLiteral("sys/block/nbd1/size"), "8\n"); // one going away
        // Someone kept access to the device from before: it goes before the export comes.
        const bool acls = !QStandardPaths::findExecutable(QStringLiteral("setfacl")).isEmpty();
        if (acls)
            QCOMPARE(QProcess::execute(QStringLiteral("setfacl"),
                                       {QStringLiteral("-m"), QStringLiteral("u:5555:rw"),
                                        dev(QStringLiteral("nbd2"))}),
                     0);
        QStringList changes;
        const QStringList connect{QStringLiteral("connect-nbd"), QStringLiteral("127.0.0.1"),
                                  QStringLiteral("10809"), QStringLiteral("hdd0")};
        helper::Outcome outcome = helper::run(connect, QStringLiteral("4242"), facts(&changes));
        QCOMPARE(outcome.status, helper::Status::Done);
        QCOMPARE(outcome.message, dev(QStringLiteral("nbd2")));
        QCOMPARE(m_programs, (QStringList{QStringLiteral("modprobe nbd"),
                                          QStringLiteral("nbd-client -N hdd0 127.0.0.1 10809 ") +
                                              dev(QStringLiteral("nbd2"))}));
        QCOMPARE(changes,
                 (QStringList{QStringLiteral("clear nbd2"), QStringLiteral("grant nbd2")}));
        if (acls) {
            QVERIFY(acl(dev(QStringLiteral("nbd2"))).contains(QLatin1String("user:4242:rw-")));
            QVERIFY(!acl(dev(QStringLiteral("nbd2"))).contains(QLatin1String("user:5555:")));
        }

        // Another user cannot disconnect it; its user can, access first.
        write(QStringLiteral("sys/block/nbd2/pid"), "88\n");
        m_programs.clear();
        changes.clear();
        const QStringList disconnect{QStringLiteral("disconnect-nbd"), dev(QStringLiteral("nbd2"))};
        QCOMPARE(helper::run(disconnect, QStringLiteral("4343"), facts(&changes)).status,
                 helper::Status::NotGiven);
        QVERIFY(changes.isEmpty() && m_programs.isEmpty());
        outcome = helper::run(disconnect, QStringLiteral("4242"), facts(&changes));
        QCOMPARE(outcome.status, helper::Status::Done);
        QCOMPARE(changes, QStringList{QStringLiteral("clear nbd2")});
        QCOMPARE(m_programs,
                 QStringList{QStringLiteral("nbd-client -d ") + dev(QStringLiteral("nbd2"))});
        // Gone from the records: a second disconnect is refused.
        QCOMPARE(helper::run(disconnect, QStringLiteral("4242"), facts()).status,
                 helper::Status::NotGiven);

        // nbd-client failing leaves nobody with access to anything, and nothing recorded.
        QFile::remove(path(QStringLiteral("sys/block/nbd2/pid")));
        QDir().mkpath(path(QStringLiteral("sys/module/nbd")));
        m_programs.clear();
        changes.clear();
        m_programsFail = true;
        outcome = helper::run(connect, QStringLiteral("4242"), facts(&changes));
        m_programsFail = false;
        QCOMPARE(outcome.status, helper::Status::NbdFailed);
        QVERIFY(outcome.message.contains(QLatin1String("Connection refused")));
        QCOMPARE(changes, QStringList{QStringLiteral("clear nbd2")});
        QCOMPARE(m_programs.size(), 1); // no modprobe: the module is there
        QVERIFY(!helper::readRecord(facts(), QStringLiteral("4242"), QStringLiteral("nbd-nbd2")));
    }

    void grantsAndRevokesOneUsersAccess()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("getfacl")).isEmpty())
            QSKIP("getfacl is not installed (Debian package acl)");
        const QString sdb = dev(QStringLiteral("sdb"));
        QFile(sdb).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QVERIFY(!acl(sdb).contains(QStringLiteral("user:4242:")));

        QStringList changes;
        helper::Outcome outcome =
            helper::run({QStringLiteral("grant"), sdb}, QStringLiteral("4242"), facts(&changes));
        QCOMPARE(outcome.status, helper::Status::Done);
        QVERIFY(acl(sdb).contains(QStringLiteral("user:4242:rw-")));
        // A second user's grant stands beside the first; revoking one leaves the other.
        outcome =
            helper::run({QStringLiteral("grant"), sdb}, QStringLiteral("4343"), facts(&changes));
        QCOMPARE(outcome.status, helper::Status::Done);
        outcome =
            helper::run({QStringLiteral("revoke"), sdb}, QStringLiteral("4242"), facts(&changes));
        QCOMPARE(outcome.status, helper::Status::Done);
        QVERIFY(!acl(sdb).contains(QStringLiteral("user:4242:")));
        QVERIFY(acl(sdb).contains(QStringLiteral("user:4343:rw-")));
        // The owner's own bits are untouched.
        QVERIFY(acl(sdb).contains(QStringLiteral("user::rw-")));

        // A blank disk the user chose to format; revoking needs no PS2 signature, only a disk.
        const QString sde = dev(QStringLiteral("sde"));
        QCOMPARE(helper::run({QStringLiteral("grant-format"), sde}, QStringLiteral("4242"),
                             facts(&changes))
                     .status,
                 helper::Status::Done);
        QVERIFY(acl(sde).contains(QStringLiteral("user:4242:rw-")));
        QCOMPARE(
            helper::run({QStringLiteral("revoke"), sde}, QStringLiteral("4242"), facts(&changes))
                .status,
            helper::Status::Done);
        QVERIFY(!acl(sde).contains(QStringLiteral("user:4242:")));
        QCOMPARE(changes, (QStringList{QStringLiteral("grant sdb"), QStringLiteral("grant sdb"),
                                       QStringLiteral("revoke sdb"), QStringLiteral("grant sde"),
                                       QStringLiteral("revoke sde")}));

        // What is given is written down per user, in a folder only root writes.
        QVERIFY(helper::readRecord(facts(), QStringLiteral("4343"), QStringLiteral("grant-sdb")));
        QVERIFY(!helper::readRecord(facts(), QStringLiteral("4242"), QStringLiteral("grant-sdb")));
        QFileInfo records(path(QStringLiteral("records/4343")));
        QVERIFY(records.isDir() && !records.isSymLink());
        QCOMPARE(records.permissions() & (QFile::WriteGroup | QFile::WriteOther),
                 QFile::Permissions());
        // A disk plugged in since (a new disk sequence) is not the disk given: nothing of it
        // is touched, and the record goes.
        write(QStringLiteral("sys/block/sdb/diskseq"), "77\n");
        changes.clear();
        outcome =
            helper::run({QStringLiteral("revoke"), sdb}, QStringLiteral("4343"), facts(&changes));
        QCOMPARE(outcome.status, helper::Status::Done);
        QVERIFY(changes.isEmpty());
        QVERIFY(!helper::readRecord(facts(), QStringLiteral("4343"), QStringLiteral("grant-sdb")));
        QFile::remove(path(QStringLiteral("sys/block/sdb/diskseq")));

        // A disk of the newer kits (an MBR beside the PS2 table) is a PS2 disk.
        const QString hybrid = path(QStringLiteral("hybrid.img"));
        QVERIFY(WriteApaImage(hybrid, qint64(8) << 20, {}));
        QVERIFY(MakeHybrid(hybrid, 0x2000));
        QFile image(hybrid);
        QVERIFY(image.open(QIODevice::ReadOnly));
        disk(QStringLiteral("sdp"), image.read(1 << 20), true, "E:ID_PART_TABLE_TYPE=dos\n");
        QCOMPARE(helper::run({QStringLiteral("grant"), dev(QStringLiteral("sdp"))},
                             QStringLiteral("4242"), facts())
                     .status,
                 helper::Status::Done);
    }

    void aFailedChangeIsNoSuccess()
    {
        helper::Facts f = facts();
        f.changeAccess = [](const QString&, helper::AclChange, const QString&, QString* error) {
            *error = QStringLiteral("Operation not supported");
            return false;
        };
        const helper::Outcome outcome = helper::run(
            {QStringLiteral("grant"), dev(QStringLiteral("sdb"))}, QStringLiteral("4242"), f);
        QCOMPARE(outcome.status, helper::Status::AclFailed);
        QVERIFY(outcome.message.contains(QStringLiteral("Operation not supported")));
    }

    // The program as pkexec starts it: only refusals are tried here, on no real disk.
    // A password prompt nobody answers is given up: the request counts as dismissed.
    void aPromptNobodyAnswersIsGivenUp()
    {
        platform::DiskPermission permission;
        permission.setCommand({QStringLiteral(VENTRIK_FAKE_PKEXEC), QStringLiteral("/bin/true")});
        permission.setLimit(300);
        qputenv("FAKE_PKEXEC_MODE", "unanswered");
        std::optional<platform::PermissionAnswer> answer;
        permission.request(platform::PermissionVerb::Grant, QStringLiteral("/dev/null"),
                           [&answer](const platform::PermissionAnswer& a) { answer = a; });
        QTRY_VERIFY_WITH_TIMEOUT(answer.has_value(), 10000);
        qunsetenv("FAKE_PKEXEC_MODE");
        QCOMPARE(answer->result, platform::PermissionResult::Dismissed);
    }

    void theProgramRefusesWhatItMustNotDo()
    {
        auto runHelper = [](const QStringList& args, const QString& uid) {
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.remove(QStringLiteral("PKEXEC_UID"));
            if (!uid.isEmpty())
                env.insert(QStringLiteral("PKEXEC_UID"), uid);
            p.setProcessEnvironment(env);
            p.start(QStringLiteral(VENTRIK_HELPER_BIN), args);
            p.waitForFinished();
            return std::pair{p.exitCode(), QString::fromLocal8Bit(p.readAllStandardError())};
        };
        // Not started by pkexec for a user, or for one that does not exist: refused first.
        auto [status, err] = runHelper({QStringLiteral("grant"), QStringLiteral("/dev/null")}, {});
        QCOMPARE(status, static_cast<int>(helper::Status::NoCaller));
        QVERIFY(err.startsWith(QLatin1String("ventrik-disk-access: ")));
        std::tie(status, err) = runHelper({QStringLiteral("grant"), QStringLiteral("/dev/null")},
                                          QStringLiteral("4294967295"));
        QCOMPARE(status, static_cast<int>(helper::Status::NoCaller));
        // /dev/null is a character device: refused for a user that exists (daemon, 1).
        std::tie(status, err) =
            runHelper({QStringLiteral("grant"), QStringLiteral("/dev/null")}, QStringLiteral("1"));
        QCOMPARE(status, static_cast<int>(helper::Status::NotWholeDisk));
        std::tie(status, err) = runHelper({QStringLiteral("grant")}, QStringLiteral("1"));
        QCOMPARE(status, static_cast<int>(helper::Status::Usage));
    }
};

QTEST_GUILESS_MAIN(TestDiskAccess)
#include "tst_diskaccess.moc"
