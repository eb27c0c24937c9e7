#include "ApaImage.h"
#include "SessionFixture.h"
#include "core/devices/DiskLayout.h"
#include "core/jobs/JobBuilder.h"
#include "core/platform/DiskFile.h"
#include "core/session/ProblemText.h"

#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace layout;

// The disk's own sectors, read by Ventrik: which layouts it tells apart, what it refuses to
// write to, and the table backups it takes for a disk's own.
class TestLayout : public QObject, public SessionFixture
{
    Q_OBJECT

    QTemporaryDir m_dir;
    static constexpr qint64 kGiB = qint64{1} << 30;

    QString file(const QString& name) const { return m_dir.filePath(name); }
    static DiskLayout readFile(const QString& path, bool whole = true)
    {
        QString error;
        const auto disk = platform::DiskFile::open(path, false, &error);
        if (!disk)
            return {};
        const ReadBytes bytes = [&disk](qint64 at, qint64 n) { return disk->read(at, n); };
        return whole ? ReadDiskLayout(disk->size(), bytes, true)
                     : ReadDiskHead(disk->size(), bytes);
    }
    static ApaPart game(const QString& name, int slices = 1, quint32 sectors = 0x40000)
    {
        ApaPart p;
        p.name = name;
        p.slices = slices;
        p.sectors = sectors;
        p.title = name;
        p.startup = QStringLiteral("SLUS_123.45");
        p.sizeKb = 1000;
        return p;
    }
    // A partition of the launcher's kind (PFS) of that many sectors.
    static ApaPart pfs(const QString& name, quint32 sectors = 0x4000)
    {
        ApaPart p;
        p.name = name;
        p.sectors = sectors;
        p.type = 0x0100;
        return p;
    }
    // A header rewritten with one field changed, its checksum made to add up again.
    static bool rewriteHeader(const QString& path, quint32 sector, qsizetype field, quint32 value)
    {
        QByteArray h = ReadFileAt(path, qint64{sector} * 512, 1024);
        qToLittleEndian(value, h.data() + field);
        quint32 sum = 0;
        for (qsizetype at = 4; at < 1024; at += 4)
            sum += qFromLittleEndian<quint32>(h.constData() + at);
        qToLittleEndian(sum, h.data());
        return PatchFile(path, qint64{sector} * 512, h);
    }

private slots:
    void theLayoutsAreToldApart_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("content");
        QTest::addColumn<bool>("hybrid");
        QTest::addColumn<bool>("smallSlices");
        QTest::addColumn<QString>("damage");
        QTest::addColumn<qint64>("apaEnd");
        QTest::addColumn<int>("partitions");
        const int apa = static_cast<int>(Content::Apa);
        QTest::newRow("classic") << "classic" << apa << false << false << QString() << 2 * kGiB
                                 << 4;
        QTest::newRow("hybrid: APA, then exFAT")
            << "hybrid" << apa << true << false << QString() << kGiB << 4;
        QTest::newRow("8 MB partitions")
            << "small" << apa << false << true << QString() << 2 * kGiB << 3;
        QTest::newRow("blank") << "blank" << static_cast<int>(Content::Blank) << false << false
                               << QString() << qint64(0) << 0;
        QTest::newRow("MBR") << "mbr" << static_cast<int>(Content::Mbr) << false << false
                             << QString() << qint64(0) << 0;
        QTest::newRow("GPT") << "gpt" << static_cast<int>(Content::Gpt) << false << false
                             << QString() << qint64(0) << 0;
        QTest::newRow("exFAT") << "exfat" << static_cast<int>(Content::ExFat) << false << false
                               << QString() << qint64(0) << 0;
        QTest::newRow("something else") << "other" << static_cast<int>(Content::Unknown) << false
                                        << false << QString() << qint64(0) << 0;
        QTest::newRow("a checksum wrong")
            << "checksum" << apa << false << false
            << "the checksum of the partition header at sector 524288 is wrong" << 2 * kGiB << 2;
        QTest::newRow("a link back wrong")
            << "prev" << apa << false << false
            << "the partition at sector 524288 does not point back to the one before it" << 2 * kGiB
            << 2;
        QTest::newRow("the chain points back")
            << "loop" << apa << false << false
            << "the partition at sector 262144 overlaps the next one" << 2 * kGiB << 2;
        QTest::newRow("past the disk's end")
            << "short" << apa << false << false
            << "the partition at sector 262144 reaches past the end of the disk"
            << qint64(200 << 20) << 1;
        QTest::newRow("into the exFAT partition")
            << "overlap" << apa << true << false
            << "the partition at sector 524288 reaches into the disk's other partition table"
            << 5 * (kGiB / 16) << 2;
        QTest::newRow("a slice too few")
            << "slices" << apa << false << false
            << "the game at sector 262144 lists 2 slices, and 1 were found" << 2 * kGiB << 4;
    }
    void theLayoutsAreToldApart()
    {
        QFETCH(QString, name);
        QFETCH(int, content);
        QFETCH(bool, hybrid);
        QFETCH(bool, smallSlices);
        QFETCH(QString, damage);
        QFETCH(qint64, apaEnd);
        QFETCH(int, partitions);
        const QString path = file(name + QStringLiteral(".img"));
        const QList<ApaPart> three{game(QStringLiteral("One"), 2), game(QStringLiteral("Two"))};
        ApaImageOptions exfat;
        exfat.exfatAt = 0x200000; // 1 GiB
        if (name == QLatin1String("classic")) {
            QVERIFY(WriteApaImage(path, 2 * kGiB, three));
        } else if (name == QLatin1String("hybrid")) {
            QVERIFY(WriteApaImage(path, 2 * kGiB, three, exfat));
        } else if (name == QLatin1String("small")) {
            const ApaPart opl = pfs(QStringLiteral("+OPL"));
            QVERIFY(WriteApaImage(path, 2 * kGiB, {opl, game(QStringLiteral("After"))}));
        } else if (name == QLatin1String("blank")) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.resize(kGiB));
        } else if (name == QLatin1String("mbr")) {
            QVERIFY(WriteApaImage(path, 2 * kGiB, {}, exfat));
            QVERIFY(PatchFile(path, 4, QByteArray(4, '\0'))); // the APA magic gone
        } else if (name == QLatin1String("gpt")) {
            QVERIFY(WriteApaImage(path, kGiB, {}));
            QVERIFY(PatchFile(path, 0, QByteArray(1024, '\0')));
            QVERIFY(PatchFile(path, 512, "EFI PART"));
        } else if (name == QLatin1String("exfat")) {
            QVERIFY(WriteApaImage(path, kGiB, {}));
            QVERIFY(PatchFile(path, 0,
                              QByteArray("\xEB\x76\x90"
                                         "EXFAT   ") +
                                  QByteArray(1013, 0)));
        } else if (name == QLatin1String("other")) {
            QVERIFY(WriteApaImage(path, kGiB, {}));
            QVERIFY(PatchFile(path, 0, QByteArray("hello, world") + QByteArray(1012, 0)));
        } else if (name == QLatin1String("checksum")) {
            QVERIFY(WriteApaImage(path, 2 * kGiB, three));
            QVERIFY(PatchFile(path, qint64{0x80000} * 512 + 40, "X"));
        } else if (name == QLatin1String("prev")) {
            QVERIFY(WriteApaImage(path, 2 * kGiB, three));
            QVERIFY(rewriteHeader(path, 0x80000, 12, 0x123));
        } else if (name == QLatin1String("loop")) {
            QVERIFY(WriteApaImage(path, 2 * kGiB, three));
            QVERIFY(rewriteHeader(path, 0x40000, 8, 0x40000));
        } else if (name == QLatin1String("short")) {
            QVERIFY(WriteApaImage(path, 2 * kGiB, three));
            QVERIFY(QFile(path).resize(200 << 20));
        } else if (name == QLatin1String("overlap")) {
            ApaImageOptions early;
            early.exfatAt = 0xA0000; // 320 MB: inside the first game's second slice
            QVERIFY(WriteApaImage(path, 2 * kGiB, three, early));
        } else if (name == QLatin1String("slices")) {
            QVERIFY(WriteApaImage(path, 2 * kGiB, three));
            QVERIFY(rewriteHeader(path, 0x40000, 76, 2)); // says one slice more than it has
        }
        const DiskLayout found = readFile(path);
        QVERIFY2(found.readError.isEmpty(), qPrintable(found.readError));
        QCOMPARE(static_cast<int>(found.content), content);
        QCOMPARE(found.hybrid, hybrid);
        QCOMPARE(found.smallSlices, smallSlices);
        QCOMPARE(found.damage, damage);
        if (found.isApa())
            QCOMPARE(found.apaEndBytes, apaEnd);
        QCOMPARE(found.partitions.size(), partitions);
        QCOMPARE(found.classic(), name == QLatin1String("classic"));
        QCOMPARE(found.needsView(), hybrid);
    }

    void gamesAreReadFromTheirOwnRecords()
    {
        // What the read-only listing of a disk the tool refuses shows.
        const ApaPart opl = pfs(QStringLiteral("+OPL"));
        ApaPart world = game(QStringLiteral("PP.SLES-54321..WORLD"), 3);
        world.title = QStringLiteral("World");
        world.startup = QStringLiteral("SLES_543.21");
        world.flags = 0x05;
        world.dvd = false;
        world.sizeKb = 300000;
        const QString path = file(QStringLiteral("games.img"));
        QVERIFY(WriteApaImage(path, 2 * kGiB, {opl, world}));
        const DiskLayout found = readFile(path);
        QVERIFY(found.sound());
        QVERIFY(found.smallSlices);
        QCOMPARE(found.games.size(), 1);
        const Game& g = found.games[0];
        QCOMPARE(g.partition, QStringLiteral("PP.SLES-54321..WORLD"));
        QCOMPARE(g.title, QStringLiteral("World"));
        QCOMPARE(g.startup, QStringLiteral("SLES_543.21"));
        QCOMPARE(g.flags, quint8(0x05));
        QVERIFY(!g.dvd);
        QCOMPARE(g.sizeKb, qint64(300000));
        // Its slices follow it in the chain; the table ends after the last of them.
        QCOMPARE(found.partitions.size(), 5);
        QCOMPARE(found.usedEnd, quint32(0x40000 + 0x4000 + 3 * 0x40000));
    }

    void aDiskLargerThanApaReachesIsSeenOnlyToItsCeiling()
    {
        // 3 TiB, sparse: the tool itself would read 1 TiB.
        const QString path = file(QStringLiteral("huge.img"));
        QVERIFY(WriteApaImage(path, 3 * (qint64{1} << 40), {game(QStringLiteral("One"))}));
        const DiskLayout found = readFile(path);
        QVERIFY(found.sound());
        QVERIFY(found.overCeiling);
        QVERIFY(found.needsView());
        QCOMPARE(found.apaEndBytes, kApaCeilingBytes);
        QVERIFY(kApaCeilingBytes < (qint64{1} << 41));
        QFile::remove(path);
    }

    void theReaderNeverReadsPastWhatItIsGiven()
    {
        // Short reads (a disk that stops answering) are said, never taken for zeros.
        const QString path = file(QStringLiteral("cut.img"));
        QVERIFY(WriteApaImage(path, 2 * kGiB, {game(QStringLiteral("One"), 2)}));
        QByteArray head = ReadFileAt(path, 0, 1024);
        const ReadBytes firstOnly = [&head](qint64 at, qint64 n) {
            return at == 0 ? head.left(n) : QByteArray();
        };
        const DiskLayout cut = ReadDiskLayout(2 * kGiB, firstOnly);
        QVERIFY(!cut.readError.isEmpty());
        QVERIFY(!cut.sound());
        QVERIFY(ReadDiskHead(2 * kGiB, firstOnly).sound());
        QVERIFY(!ReadDiskHead(2 * kGiB, [](qint64, qint64) {
                     return QByteArray();
                 }).readError.isEmpty());
    }

    void backupsAreCheckedBeforeTheyAreUsed()
    {
        // Records as backup_toc writes them: each header, then 1024 bytes of its game.
        QByteArray created("\x10\x20\x30\x40\x50\x60\x70\x80", 8);
        auto record = [&created](const QString& name, quint32 start, quint32 next, quint32 prev) {
            return ApaHeader(name, start, 0x40000, name == QLatin1String("__mbr") ? 1 : 0x1337, 0,
                             next, prev, 0, {}, created) +
                   QByteArray(1024, '\0');
        };
        const QByteArray good = record(QStringLiteral("__mbr"), 0, 0x40000, 0x40000) +
                                record(QStringLiteral("PP.GAME"), 0x40000, 0, 0) +
                                QByteArray(4096, '\0');
        const layout::TocBackup copy = ReadTocBackup(good);
        QVERIFY2(copy.valid(), qPrintable(copy.fault));
        QCOMPARE(copy.partitions.size(), 2);
        QCOMPARE(copy.usedEnd, quint32(0x80000));
        QCOMPARE(copy.identity, BackupIdentity(good));
        QCOMPARE(copy.identity.left(8), created);

        const QList<std::pair<const char*, QByteArray>> bad{
            {"a game image", QByteArray(64 * 1024, 'x')},
            {"one byte", QByteArray(1, '\0')},
            {"not a whole record", good.left(3000)},
            {"data after its end", good + QByteArray(2047, '\0') + "x"},
            {"another first partition", record(QStringLiteral("PP.GAME"), 0, 0, 0)},
            {"a broken chain", record(QStringLiteral("__mbr"), 0, 0x40000, 0x40000) +
                                   record(QStringLiteral("PP.GAME"), 0x40000, 0, 0x123)},
            {"too large", QByteArray(kMaxBackupBytes + 2048, '\0')},
        };
        for (const auto& [what, bytes] : bad)
            QVERIFY2(!ReadTocBackup(bytes).valid(), what);
        // A damaged table's copy still says whose disk it is.
        QByteArray damaged = good;
        damaged[2048 + 40] = 'X';
        QVERIFY(!ReadTocBackup(damaged).valid());
        QCOMPARE(BackupIdentity(damaged), copy.identity);
    }

    // The session ------------------------------------------------------------------------

    void writesAreRefusedWhereTheDiskSaysSo_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("said");
        QTest::newRow("blank") << "blank"
                               << "This drive is not a PlayStation 2 HDD: %1 holds nothing (it "
                                  "is blank).";
        QTest::newRow("8 MB partitions") << "small"
                                         << "%1 was made by a newer PS2 disk tool: 8 MB "
                                            "partitions, which this hdl_dump cannot read.";
        QTest::newRow("damaged") << "damaged"
                                 << "The partition table of %1 is damaged: the checksum of the "
                                    "partition header at sector 262144 is wrong.";
        QTest::newRow("hybrid, no view here")
            << "hybrid"
            << "%1 holds another file system (an exFAT partition) after its PS2 area, which "
               "hdl_dump would write over. Ventrik gives hdl_dump a view of the disk that ends "
               "where the PS2 area ends, and that view cannot be made here: it needs nbdfuse";
    }
    void writesAreRefusedWhereTheDiskSaysSo()
    {
        QFETCH(QString, kind);
        QFETCH(QString, said);
        startWorld(SimWorld::defaultState());
        const QString disk = m_world->path(QStringLiteral("disk.img"));
        ApaImageOptions options;
        QList<ApaPart> parts{game(QStringLiteral("One"))};
        if (kind == QLatin1String("blank")) {
            QFile f(disk);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.resize(2 * kGiB));
        } else {
            if (kind == QLatin1String("small"))
                parts.prepend(pfs(QStringLiteral("+OPL")));
            if (kind == QLatin1String("hybrid"))
                options.exfatAt = 0x200000;
            QVERIFY(WriteApaImage(disk, 2 * kGiB, parts, options));
            if (kind == QLatin1String("damaged"))
                QVERIFY(PatchFile(disk, qint64{0x40000} * 512 + 40, "X"));
        }
        // The simulator lists its games there; the disk's sectors decide what may be written.
        QJsonObject state = m_world->state();
        QJsonArray disks = state[QStringLiteral("disks")].toArray();
        QJsonObject d = disks[0].toObject();
        d[QStringLiteral("path")] = disk;
        disks[0] = d;
        state[QStringLiteral("disks")] = disks;
        m_world->setState(state);
        // Where no view of a disk can be made.
        NbdRouteFacts none;
        m_session->nbd().setFacts(none);
        const QByteArray before = ReadFileAt(disk, 0, 4 << 20);

        // Install Now.
        QVERIFY(m_session->runNow(m_world->install(QStringLiteral("Game"), disk)));
        QVERIFY(idle());
        const Job& job = m_session->runs().nowJob();
        QCOMPARE(job.state, JobState::Failed);
        QVERIFY2(job.reason.startsWith(said.arg(disk)), qPrintable(job.reason));
        // Delete, of a game the tool lists.
        QVERIFY(m_session->attach(Target::Disk(disk)));
        QVERIFY(idle());
        QVERIFY(m_session->isAttached());
        m_problems.clear();
        QVERIFY(m_session->deleteGames({Named(QStringLiteral("Test Game"))}));
        QVERIFY(idle());
        QCOMPARE(m_problems.size(), 1);
        QVERIFY2(ProblemText(m_problems[0]).startsWith(said.arg(disk)),
                 qPrintable(ProblemText(m_problems[0])));
        for (const QStringList& call : m_world->calls())
            QVERIFY2(call.value(0) != QLatin1String("inject_dvd") &&
                         call.value(0) != QLatin1String("delete") &&
                         call.value(0) != QLatin1String("backup_toc"),
                     qPrintable(call.join(u' ')));
        QCOMPARE(ReadFileAt(disk, 0, 4 << 20), before);
    }

    void theSpaceShownIsThatOfThePs2Area()
    {
        // A hybrid disk as a file disk of the simulator: the tool counts the whole disk.
        startWorld(SimWorld::defaultState());
        const QString disk = m_world->path(QStringLiteral("hybrid.img"));
        ApaImageOptions options;
        options.exfatAt = 0x100000; // 512 MB
        QVERIFY(WriteApaImage(disk, 2 * kGiB, {}, options));
        QVERIFY(PatchFile(disk, 4096,
                          "VENTRIK-SIM-DISK\n" +
                              QJsonDocument(QJsonObject{{QStringLiteral("size_mb"), 2048},
                                                        {QStringLiteral("formatted"), true},
                                                        {QStringLiteral("games"), QJsonArray()}})
                                  .toJson(QJsonDocument::Compact)));
        QVERIFY(m_session->attach(Target::Disk(disk)));
        QVERIFY(idle());
        QVERIFY(m_session->isAttached());
        QCOMPARE(m_session->space()->totalMb, qint64(512));
        QCOMPARE(m_session->space()->usedMb, qint64(128));
        // The check before a run counts the same.
        m_session->addJob(m_world->install(QStringLiteral("Too Big"), disk));
        QVERIFY(m_session->checkQueue());
        QVERIFY(idle());
        const QList<PreflightIssue> issues = m_session->runs().knownIssues();
        QCOMPARE(issues.size(), 1);
        QCOMPARE(issues[0].kind, PreflightKind::NoSpace);
    }

    void aTableTheToolRefusesIsListedForReading()
    {
        // The simulator calls every table broken here; the sectors hold a newer kit's.
        QJsonObject state = SimWorld::defaultState();
        startWorld(state);
        const QString disk = m_world->path(QStringLiteral("kit.img"));
        ApaPart world = game(QStringLiteral("PP.SLES-54321..WORLD"));
        world.title = QStringLiteral("World");
        QVERIFY(WriteApaImage(disk, 2 * kGiB, {pfs(QStringLiteral("+OPL")), world}));
        QJsonArray disks = state[QStringLiteral("disks")].toArray();
        QJsonObject d = disks[0].toObject();
        d[QStringLiteral("path")] = disk;
        d[QStringLiteral("broken")] = true;
        disks[0] = d;
        state[QStringLiteral("disks")] = disks;
        m_world->setState(state);
        QVERIFY(m_session->attach(Target::Disk(disk)));
        QVERIFY(idle());
        QCOMPARE(kinds(), QList<ProblemKind>{ProblemKind::NewerLayout});
        QVERIFY(m_session->isAttached());
        QVERIFY(m_session->targetGames().readOnly());
        QCOMPARE(m_session->games().count(), 1);
        QCOMPARE(m_session->games().game(0).title, QStringLiteral("World"));
        QCOMPARE(m_session->games().game(0).partition, QStringLiteral("PP.SLES-54321..WORLD"));
        // Never offered a restore: no backup is named, whatever is kept.
        QVERIFY(m_problems[0].reason.isEmpty());
        // Nothing is changed on it.
        m_problems.clear();
        m_world->clearCalls();
        QVERIFY(m_session->renameGame(Named(QStringLiteral("World")), QStringLiteral("Other")));
        QVERIFY(idle());
        QCOMPARE(kinds(), QList<ProblemKind>{ProblemKind::NewerLayout});
        QVERIFY(m_world->calls().isEmpty());
    }

    void aBackupOfAnotherDiskIsNotRestored()
    {
        // Two PS2s at one address, one after the other (the UDP server: the tool's own copy of
        // the table tells whose disk it is). The current tool saves tables.
        QJsonObject state = SimWorld::defaultState();
        state[QStringLiteral("style")] = QStringLiteral("linux");
        startWorld(state);
        const QString ps2 = QStringLiteral("127.0.0.1");
        m_session->selectTarget(TargetOf(ps2));
        QVERIFY(
            m_session->renameGame(Named(QStringLiteral("Net Game")), QStringLiteral("Renamed")));
        QVERIFY(idle());
        QCOMPARE(m_session->targetGames().backups(TargetOf(ps2)).size(), 1);
        // Another disk answers there now.
        QJsonObject now = m_world->state();
        QJsonArray ps2s = now[QStringLiteral("ps2s")].toArray();
        QJsonObject other = ps2s[0].toObject();
        other[QStringLiteral("created")] = QStringLiteral("00112233445566778899aabbccddeeff");
        other[QStringLiteral("games")] = QJsonArray{SimWorld::game(
            QStringLiteral("Its Own"), QStringLiteral("SLUS_999.99"), QStringLiteral("DVD"), 5000)};
        ps2s[0] = other;
        now[QStringLiteral("ps2s")] = ps2s;
        m_world->setState(now);
        const QString file = m_session->targetGames().backups(TargetOf(ps2)).first().file;
        auto restoreRefused = [this, ps2](const QString& named, const QString& why) {
            m_problems.clear();
            QVERIFY(m_session->restoreToc(TargetOf(ps2), named));
            QVERIFY(idle());
            QVERIFY(!m_problems.isEmpty());
            QCOMPARE(kinds().last(), ProblemKind::RestoreRefused);
            QVERIFY2(ProblemText(m_problems.last()).contains(why),
                     qPrintable(ProblemText(m_problems.last())));
            QCOMPARE(m_world
                         ->state()[QStringLiteral("ps2s")][0][QStringLiteral("games")][0]
                                  [QStringLiteral("name")]
                         .toString(),
                     QStringLiteral("Its Own"));
        };
        // Named, as the window offers it; or the newest kept, as ventrik-cli takes it.
        restoreRefused(file, QStringLiteral("it belongs to another disk"));
        restoreRefused({}, QStringLiteral("Ventrik keeps no backup of this disk's table"));
        // Named on purpose as another disk's, it is restored, after the table there was saved.
        m_problems.clear();
        QVERIFY(m_session->restoreToc(TargetOf(ps2), file, true));
        QVERIFY(idle());
        QVERIFY(!kinds().contains(ProblemKind::RestoreRefused));
        QVERIFY(!kinds().contains(ProblemKind::RestoreFailed));
        QCOMPARE(m_world
                     ->state()[QStringLiteral("ps2s")][0][QStringLiteral("games")][0]
                              [QStringLiteral("name")]
                     .toString(),
                 QStringLiteral("Net Game"));
        // Each attempt saved the table it found first.
        QCOMPARE(m_session->targetGames().backups(TargetOf(ps2)).size(), 4);
    }

    void aRestoreThatDoesNotReadBackIsTakenBack()
    {
        QJsonObject state = SimWorld::defaultState();
        state[QStringLiteral("style")] = QStringLiteral("linux");
        startWorld(state);
        const QString ps2 = QStringLiteral("127.0.0.1");
        m_session->selectTarget(TargetOf(ps2));
        QVERIFY(
            m_session->renameGame(Named(QStringLiteral("Net Game")), QStringLiteral("Renamed")));
        QVERIFY(idle());
        QCOMPARE(m_session->targetGames().backups(TargetOf(ps2)).size(), 1);
        const QString file = m_session->targetGames().backups(TargetOf(ps2)).first().file;
        // restore_toc says it did, and did nothing: the table read back is not the backup's.
        m_world->setFault(QJsonObject{{QStringLiteral("mode"), QStringLiteral("silent")},
                                      {QStringLiteral("command"), QStringLiteral("restore_toc")},
                                      {QStringLiteral("times"), 1}});
        m_problems.clear();
        QVERIFY(m_session->restoreToc(TargetOf(ps2), file));
        QVERIFY(idle());
        QCOMPARE(kinds().last(), ProblemKind::RestoreFailed);
        const QString text = ProblemText(m_problems.last());
        QVERIFY2(text.contains(QStringLiteral("is not the one")) &&
                     text.contains(QStringLiteral("was put back")),
                 qPrintable(text));
        int restores = 0;
        for (const QStringList& c : m_world->calls())
            restores += c.value(0) == QLatin1String("restore_toc") ? 1 : 0;
        QCOMPARE(restores, 2);
        QCOMPARE(m_world
                     ->state()[QStringLiteral("ps2s")][0][QStringLiteral("games")][0]
                              [QStringLiteral("name")]
                     .toString(),
                 QStringLiteral("Renamed"));
    }
};

QTEST_GUILESS_MAIN(TestLayout)
#include "tst_layout.moc"
