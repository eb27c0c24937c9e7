#include "ApaImage.h"
#include "Ps2Image.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>

#include <memory>

// ventrik-cli driving the real hdl_dump builds kept beside the checkout (0.9.0, 0.9.2, the
// newest and a release build), on disk images this test makes: where the tool's behaviour
// decides, the real tool shows it. Skipped, and said so, where the builds are absent.
class TestRealTool : public QObject
{
    Q_OBJECT

    QString m_tools;
    std::unique_ptr<QTemporaryDir> m_dir;

    using Result = ProcessResult;

    QString build(const QString& name) const
    {
        return m_tools + QStringLiteral("/hdl_dump-") + name;
    }
    QString path(const QString& name) const { return m_dir->filePath(name); }

    static Result run(const QString& program, const QStringList& args,
                      const QProcessEnvironment& env, const QString& cwd = {})
    {
        return RunProcess(program, args, env, cwd);
    }
    QProcessEnvironment environment() const { return HomeIn(m_dir->path()); }
    // ventrik-cli with that build of the tool.
    Result cli(const QString& tool, const QStringList& args, const QString& cwd = {}) const
    {
        return run(QStringLiteral(VENTRIK_CLI_PATH),
                   QStringList{QStringLiteral("--hdl-dump"), tool} + args, environment(), cwd);
    }
    // The real tool alone, to set a disk up or to look at it.
    Result tool(const QString& name, const QStringList& args) const
    {
        return run(build(name), args, environment(), m_dir->path());
    }
    // A PS2 disk of the given size, formatted by 0.9.0 (the only build that can).
    QString makeDisk(const QString& name, qint64 sizeMb) const
    {
        QFile f(path(name));
        if (!f.open(QIODevice::WriteOnly) || !f.resize(sizeMb * 1024 * 1024))
            return {};
        f.close();
        return tool(QStringLiteral("0.9.0"), {QStringLiteral("initialize"), f.fileName()}).status ==
                       0
                   ? f.fileName()
                   : QString();
    }
    QString makeImage(const QString& name, const QString& startup, qint64 kb, char seed = 'A',
                      ImageMedia media = ImageMedia::Unknown) const
    {
        const QString file = path(name);
        return WritePs2Image(file, startup, QStringLiteral("GAME"), kb, seed, media) ? file
                                                                                     : QString();
    }
    // The games a build lists, by its own table.
    QList<QStringList> listed(const QString& name, const QString& disk) const
    {
        QList<QStringList> rows;
        const Result r = tool(name, {QStringLiteral("hdl_toc"), disk});
        const QStringList lines = r.out.split(u'\n');
        for (qsizetype i = 1; i < lines.size(); ++i) {
            if (lines[i].startsWith(QLatin1String("CD")) ||
                lines[i].startsWith(QLatin1String("DVD")))
                rows << lines[i].simplified().split(u' ');
        }
        return rows;
    }
    // What a view of a disk (nbdkit behind nbdfuse) needs.
    static bool canView()
    {
        return !QStandardPaths::findExecutable(QStringLiteral("nbdkit")).isEmpty() &&
               !QStandardPaths::findExecutable(QStringLiteral("nbdfuse")).isEmpty() &&
               QFile::exists(QStringLiteral("/dev/fuse"));
    }
    int listingStatus(const QString& name, const QString& disk) const
    {
        return tool(name, {QStringLiteral("hdl_toc"), disk}).status;
    }
    QStringList partitions(const QString& name, const QString& disk) const
    {
        QStringList names;
        for (const QString& line : tool(name, {QStringLiteral("toc"), disk}).out.split(u'\n')) {
            if (line.startsWith(QLatin1String("0x1337")))
                names << line.mid(line.indexOf(QLatin1String("MB ")) + 3).trimmed();
        }
        return names;
    }
    int backups() const
    {
        return static_cast<int>(QDir(path(QStringLiteral("data/Ventrik/toc-backups")))
                                    .entryList({QStringLiteral("*.bin")}, QDir::Files)
                                    .size());
    }
    static QJsonObject json(const QString& text)
    {
        return QJsonDocument::fromJson(text.toUtf8()).object();
    }
    static QByteArray bytes(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void initTestCase()
    {
        m_tools =
            qEnvironmentVariable("VENTRIK_REAL_TOOLS", QStringLiteral(VENTRIK_REAL_TOOLS_DIR));
        if (!QFileInfo(build(QStringLiteral("0.9.0"))).isExecutable())
            QSKIP(qPrintable(QStringLiteral("The real hdl_dump builds are not in %1: this tier "
                                            "is skipped (the simulator's tests cover the rest).")
                                 .arg(m_tools)));
    }
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void aGameIsItsPartitionNotItsTitle_data()
    {
        QTest::addColumn<QString>("build");
        QTest::newRow("newest") << QStringLiteral("new");
        QTest::newRow("0.9.2") << QStringLiteral("0.9.2");
    }
    void aGameIsItsPartitionNotItsTitle()
    {
        QFETCH(QString, build);
        const QString tool = this->build(build);
        const QString disk = makeDisk(QStringLiteral("disk.img"), 1024);
        const QString us =
            makeImage(QStringLiteral("world-us.iso"), QStringLiteral("SLUS_123.45"), 5000, 'U');
        const QString eu =
            makeImage(QStringLiteral("world-eu.iso"), QStringLiteral("SLES_543.21"), 7000, 'E');
        QVERIFY(!disk.isEmpty() && !us.isEmpty() && !eu.isEmpty());
        QCOMPARE(cli(tool, {QStringLiteral("install"), disk, us, QStringLiteral("--name"),
                            QStringLiteral("World"), QStringLiteral("--type"), QStringLiteral("cd"),
                            QStringLiteral("--flags"), QStringLiteral("1+3")})
                     .status,
                 0);
        // The tools install a second World under another startup.
        QCOMPARE(
            cli(tool, {QStringLiteral("install"), disk, eu, QStringLiteral("--name"),
                       QStringLiteral("World"), QStringLiteral("--type"), QStringLiteral("dvd")})
                .status,
            0);
        const QJsonArray games =
            json(cli(tool, {QStringLiteral("--json"), QStringLiteral("games"), disk}).out)
                .value(QStringLiteral("games"))
                .toArray();
        QCOMPARE(games.size(), 2);
        QCOMPARE(games[0][QStringLiteral("partition")].toString(),
                 QStringLiteral("PP.SLUS-12345..WORLD"));
        QCOMPARE(games[1][QStringLiteral("partition")].toString(),
                 QStringLiteral("PP.SLES-54321..WORLD"));
        QCOMPARE(games[1][QStringLiteral("type")].toString(), QStringLiteral("DVD"));

        // The shared title names neither game; the message names both partitions.
        const Result ambiguous = cli(
            tool, {QStringLiteral("flags"), disk, QStringLiteral("World"), QStringLiteral("2")});
        QCOMPARE(ambiguous.status, 1);
        QVERIFY2(ambiguous.err.contains(QStringLiteral("PP.SLUS-12345..WORLD")) &&
                     ambiguous.err.contains(QStringLiteral("PP.SLES-54321..WORLD")),
                 qPrintable(ambiguous.err));

        // The second World, and only it.
        const int before = backups();
        QCOMPARE(cli(tool, {QStringLiteral("flags"), disk, QStringLiteral("PP.SLES-54321..WORLD"),
                            QStringLiteral("2")})
                     .status,
                 0);
        QList<QStringList> rows = listed(build, disk);
        QCOMPARE(rows[0].value(2), QStringLiteral("1+3"));
        QCOMPARE(rows[1].value(2), QStringLiteral("2"));
        // A backup of the table before the write.
        QCOMPARE(backups(), before + 1);

        const QString out = path(QStringLiteral("out.iso"));
        const Result copied = cli(tool, {QStringLiteral("copy-to-pc"), disk,
                                         QStringLiteral("PP.SLES-54321..WORLD"), out});
        QCOMPARE(copied.status, 0);
        QCOMPARE(bytes(out), bytes(eu));

        QCOMPARE(cli(tool, {QStringLiteral("rename"), disk, QStringLiteral("PP.SLES-54321..WORLD"),
                            QStringLiteral("Other World")})
                     .status,
                 0);
        QCOMPARE(partitions(build, disk),
                 (QStringList{QStringLiteral("PP.SLUS-12345..WORLD"),
                              QStringLiteral("PP.SLES-54321..OTHER_WORLD")}));
        QCOMPARE(backups(), before + 2);

        // "No flags" clears them; the name stays (a bare "0" would rename the game to "0").
        QCOMPARE(cli(tool, {QStringLiteral("flags"), disk, QStringLiteral("Other World"),
                            QStringLiteral("0")})
                     .status,
                 0);
        rows = listed(build, disk);
        QCOMPARE(rows[1].mid(2, 1), QStringList{QStringLiteral("0")});
        QCOMPARE(rows[1].mid(5).join(u' '), QStringLiteral("Other World"));
        QCOMPARE(rows[0].mid(5).join(u' '), QStringLiteral("World"));

        // A name the tool would read as flags is refused; nothing changes.
        QCOMPARE(cli(tool, {QStringLiteral("rename"), disk, QStringLiteral("Other World"),
                            QStringLiteral("+3")})
                     .status,
                 2);
        QCOMPARE(listed(build, disk)[1].mid(5).join(u' '), QStringLiteral("Other World"));
        // Sizes under a gigabyte read in megabytes.
        QVERIFY(cli(tool, {QStringLiteral("games"), disk}).out.contains(QStringLiteral("6.8MB")));
    }

    void theOlderToolByItsPartitionsToo()
    {
        const QString older = build(QStringLiteral("0.9.0"));
        const QString disk = makeDisk(QStringLiteral("disk.img"), 1024);
        const QString image =
            makeImage(QStringLiteral("game.iso"), QStringLiteral("SLUS_123.45"), 4000);
        for (const QString& name : {QStringLiteral("World"), QStringLiteral("Say 'Hi'")})
            QCOMPARE(tool(QStringLiteral("0.9.0"), {QStringLiteral("inject_cd"), disk, name, image,
                                                    QStringLiteral("SLUS_123.45")})
                         .status,
                     0);
        const QJsonArray games =
            json(cli(older, {QStringLiteral("--json"), QStringLiteral("games"), disk}).out)
                .value(QStringLiteral("games"))
                .toArray();
        QCOMPARE(games[1][QStringLiteral("partition")].toString(),
                 QStringLiteral("PP.HDL.Say _Hi_"));
        // 0.9.0's usage lists its commands "toc, hdl_toc, delete*,": all of them are known.
        const QJsonArray commands =
            json(cli(older, {QStringLiteral("--json"), QStringLiteral("doctor")}).out)
                .value(QStringLiteral("commands"))
                .toArray();
        for (const char* c : {"delete", "modify", "backup_toc", "restore_toc", "cdvd_info2"})
            QVERIFY2(commands.contains(QString::fromLatin1(c)), c);
        // Deleted by its partition, after a backup of the table.
        QCOMPARE(
            cli(older, {QStringLiteral("delete"), disk, QStringLiteral("PP.HDL.Say _Hi_")}).status,
            0);
        QCOMPARE(partitions(QStringLiteral("0.9.0"), disk),
                 QStringList{QStringLiteral("PP.HDL.World")});
        QCOMPARE(backups(), 1);
        // Flags with the older tool: "0x00" clears them where "+0" would be a new name.
        QCOMPARE(cli(older, {QStringLiteral("flags"), disk, QStringLiteral("World"),
                             QStringLiteral("1+3")})
                     .status,
                 0);
        QCOMPARE(listed(QStringLiteral("0.9.0"), disk)[0].value(2), QStringLiteral("1+3"));
        QCOMPARE(cli(older,
                     {QStringLiteral("flags"), disk, QStringLiteral("World"), QStringLiteral("0")})
                     .status,
                 0);
        const QStringList row = listed(QStringLiteral("0.9.0"), disk)[0];
        QCOMPARE(row.mid(3).join(u' '), QStringLiteral("World"));
        QCOMPARE(row.value(2), QStringLiteral("SLUS_123.45"));
        QCOMPARE(backups(), 3);
    }

    void theLastFreeSliceIsNeverTaken_data()
    {
        QTest::addColumn<QString>("build");
        QTest::newRow("newest") << QStringLiteral("new");
        QTest::newRow("0.9.0") << QStringLiteral("0.9.0");
    }
    void theLastFreeSliceIsNeverTaken()
    {
        QFETCH(QString, build);
        const QString tool = this->build(build);
        // 1 GB: the table's slice and seven free ones. Six games leave the last one free.
        const QString disk = makeDisk(QStringLiteral("disk.img"), 1024);
        const QString image =
            makeImage(QStringLiteral("small.iso"), QStringLiteral("SLUS_200.01"), 3000);
        for (int i = 1; i <= 6; ++i)
            QCOMPARE(this->tool(build, {QStringLiteral("inject_cd"), disk,
                                        QStringLiteral("Game %1").arg(i), image,
                                        QStringLiteral("SLUS_200.0%1").arg(i)})
                         .status,
                     0);
        // Ventrik does not take it, with Install Now's command as with the queue.
        const Result refused = cli(tool, {QStringLiteral("--json"), QStringLiteral("install"), disk,
                                          image, QStringLiteral("--name"), QStringLiteral("Last")});
        QCOMPARE(refused.status, 1);
        QCOMPARE(json(refused.out).value(QStringLiteral("result")).toString(),
                 QStringLiteral("Error (Insufficient disk space)"));
        QVERIFY2(refused.err.contains(QStringLiteral("one slice must stay free")),
                 qPrintable(refused.err));
        QCOMPARE(listingStatus(build, disk), 0);
        QCOMPARE(listed(build, disk).size(), 6);

        // The tool itself takes it when asked, and then calls its own table broken.
        QCOMPARE(this->tool(build, {QStringLiteral("inject_cd"), disk, QStringLiteral("Last"),
                                    image, QStringLiteral("SLUS_200.07")})
                     .status,
                 0);
        QCOMPARE(listingStatus(build, disk), 107);
        // Its partitions read sound: not "damaged", not "no PS2 disk". The games are listed
        // from the disk itself, and the backup Ventrik made before its refused install (of this
        // very disk) brings the table back.
        const Result refusedTable =
            cli(tool, {QStringLiteral("--json"), QStringLiteral("games"), disk});
        QCOMPARE(refusedTable.status, 1);
        QVERIFY2(
            refusedTable.err.contains(QStringLiteral("although every partition on it reads sound")),
            qPrintable(refusedTable.err));
        QVERIFY(!refusedTable.err.contains(QStringLiteral("is damaged")));
        QVERIFY(!refusedTable.err.contains(QStringLiteral("not a PlayStation 2 HDD")));
        QVERIFY(refusedTable.err.contains(QStringLiteral("ventrik-cli restore-toc")));
        const QJsonObject listing = json(refusedTable.out);
        QVERIFY(listing[QStringLiteral("read_only")].toBool());
        const QJsonArray games = listing[QStringLiteral("games")].toArray();
        QCOMPARE(games.size(), 7);
        QCOMPARE(games[6][QStringLiteral("name")].toString(), QStringLiteral("Last"));
        QCOMPARE(games[6][QStringLiteral("startup")].toString(), QStringLiteral("SLUS_200.07"));
        QCOMPARE(cli(tool, {QStringLiteral("restore-toc"), disk}).status, 1); // no --yes, no tty
        QCOMPARE(cli(tool, {QStringLiteral("restore-toc"), disk, QStringLiteral("--yes")}).status,
                 0);
        QCOMPARE(listingStatus(build, disk), 0);
        QCOMPARE(listed(build, disk).size(), 6);
    }

    // A disk of the newer kits, APA then exFAT: the tool is shown only the PS2 area, and the
    // exFAT partition after it (and the MBR table beside the APA header) stay byte for byte,
    // however full the PS2 area gets.
    void aHybridDiskKeepsItsOtherFileSystem()
    {
        if (!canView())
            QSKIP("nbdkit, nbdfuse and FUSE are needed (packages nbdkit, libnbd-bin, fuse3)");
        const QString tool = build(QStringLiteral("0.9.2"));
        const QString disk = makeDisk(QStringLiteral("hybrid.img"), 2048);
        QVERIFY(MakeHybrid(disk, 0x200000)); // exFAT from 1 GiB
        const QByteArray mbr = ReadFileAt(disk, 446, 66);
        const QByteArray exfat = ReadFileAt(disk, qint64{1} << 30, 1 << 20);
        auto untouched = [&] {
            return ReadFileAt(disk, 446, 66) == mbr &&
                   ReadFileAt(disk, qint64{1} << 30, 1 << 20) == exfat;
        };
        const Result listing = cli(tool, {QStringLiteral("--json"), QStringLiteral("games"), disk});
        QCOMPARE(listing.status, 0);
        QCOMPARE(json(listing.out)[QStringLiteral("space")][QStringLiteral("total_mb")].toInt(),
                 1024);
        // Larger than what is free in the PS2 area: refused before anything is written.
        const QString big =
            makeImage(QStringLiteral("big.iso"), QStringLiteral("SLUS_900.01"), 1000000);
        const Result refused =
            cli(tool, {QStringLiteral("--json"), QStringLiteral("install"), disk, big});
        QCOMPARE(refused.status, 1);
        QCOMPARE(json(refused.out)[QStringLiteral("result")].toString(),
                 QStringLiteral("Error (Insufficient disk space)"));
        QVERIFY(untouched());
        // Two games fill the PS2 area (one slice stays free), written through the view.
        for (const auto& [name, kb] : {std::pair{QStringLiteral("Five"), qint64(600000)},
                                       std::pair{QStringLiteral("One"), qint64(100000)}}) {
            const QString image = makeImage(name + QStringLiteral(".iso"),
                                            QStringLiteral("SLUS_900.0%1").arg(kb / 100000), kb);
            const Result r = cli(tool, {QStringLiteral("--json"), QStringLiteral("install"), disk,
                                        image, QStringLiteral("--name"), name});
            QVERIFY2(r.status == 0, qPrintable(r.err + r.out));
            QCOMPARE(json(r.out)[QStringLiteral("result")].toString(), QStringLiteral("Complete"));
            QVERIFY(untouched());
        }
        QCOMPARE(listed(QStringLiteral("0.9.2"), disk).size(), 2);
        const Result full =
            cli(tool, {QStringLiteral("--json"), QStringLiteral("install"), disk,
                       makeImage(QStringLiteral("tiny.iso"), QStringLiteral("SLUS_900.99"), 1000)});
        QCOMPARE(full.status, 1);
        QVERIFY(untouched());
        // The tool given the whole disk would have written over it: measured, it does.
        QCOMPARE(this->tool(QStringLiteral("0.9.2"),
                            {QStringLiteral("inject_dvd"), disk, QStringLiteral("Over"), big})
                     .status,
                 0);
        QVERIFY(!untouched());
    }

    // A disk of the newer kits with 8 MB partitions: every build refuses it, pfsshell lists it.
    // Ventrik lists its games from the disk itself and never writes to it nor offers to.
    void aDiskOfANewerKitIsListedAndLeftAlone()
    {
        const QString tool = build(QStringLiteral("0.9.2"));
        const QString disk = path(QStringLiteral("kit.img"));
        ApaPart opl;
        opl.name = QStringLiteral("+OPL");
        opl.sectors = 0x4000;
        opl.type = 0x0100;
        ApaPart world;
        world.name = QStringLiteral("PP.SLES-54321..WORLD");
        world.title = QStringLiteral("World");
        world.startup = QStringLiteral("SLES_543.21");
        world.sizeKb = 5000;
        QVERIFY(WriteApaImage(disk, qint64(2048) << 20, {opl, world}));
        QCOMPARE(listingStatus(QStringLiteral("0.9.2"), disk), 107);
        const QString pfsshell =
            QFileInfo(m_tools + QStringLiteral("/../pfsshell/pfsshell")).absoluteFilePath();
        if (QFileInfo(pfsshell).isExecutable()) {
            QProcess shell;
            shell.setProcessChannelMode(QProcess::MergedChannels);
            shell.start(pfsshell, {});
            shell.write(QStringLiteral("device %1\nls\nexit\n").arg(disk).toUtf8());
            shell.closeWriteChannel();
            QVERIFY(shell.waitForFinished(20000));
            const QByteArray said = shell.readAll();
            QVERIFY2(said.contains("+OPL") && said.contains("PP.SLES-54321..WORLD"),
                     said.constData());
        }
        const QByteArray before = ReadFileAt(disk, 0, 4 << 20);
        const Result listing = cli(tool, {QStringLiteral("--json"), QStringLiteral("games"), disk});
        QCOMPARE(listing.status, 0);
        QVERIFY(json(listing.out)[QStringLiteral("read_only")].toBool());
        const QJsonArray games = json(listing.out)[QStringLiteral("games")].toArray();
        QCOMPARE(games.size(), 1);
        QCOMPARE(games[0][QStringLiteral("name")].toString(), QStringLiteral("World"));
        QCOMPARE(games[0][QStringLiteral("startup")].toString(), QStringLiteral("SLES_543.21"));
        const QString newer = QStringLiteral("made by a newer PS2 disk tool: 8 MB partitions, "
                                             "which this hdl_dump cannot read");
        QVERIFY2(listing.err.contains(newer), qPrintable(listing.err));
        QVERIFY(!listing.err.contains(QStringLiteral("not a PlayStation 2 HDD")));
        QVERIFY(!listing.err.contains(QStringLiteral("restore-toc")));
        // Another disk's table, named on purpose: still never restored to this one.
        const QString other = makeDisk(QStringLiteral("other.img"), 1024);
        const QString table = path(QStringLiteral("other.bin"));
        QCOMPARE(this->tool(QStringLiteral("0.9.2"), {QStringLiteral("backup_toc"), other, table})
                     .status,
                 0);
        for (const QStringList& args :
             {QStringList{QStringLiteral("install"), disk,
                          makeImage(QStringLiteral("g.iso"), QStringLiteral("SLUS_100.01"), 2000)},
              QStringList{QStringLiteral("delete"), disk, QStringLiteral("World")},
              QStringList{QStringLiteral("restore-toc"), disk, table, QStringLiteral("--yes"),
                          QStringLiteral("--other-disk")}}) {
            const Result r = cli(tool, args);
            QCOMPARE(r.status, 1);
            // Said on stderr, or as the job's result.
            QVERIFY2((r.err + r.out).contains(newer),
                     qPrintable(args.first() + u' ' + r.err + r.out));
        }
        QCOMPARE(ReadFileAt(disk, 0, 4 << 20), before);
    }

    // restore-toc puts back only a table backup of this very disk.
    void aTableIsRestoredOnlyFromItsOwnDisksBackup()
    {
        const QString tool = build(QStringLiteral("0.9.2"));
        const QString disk = makeDisk(QStringLiteral("own.img"), 1024);
        QCOMPARE(cli(tool, {QStringLiteral("install"), disk,
                            makeImage(QStringLiteral("a.iso"), QStringLiteral("SLUS_100.01"), 2000),
                            QStringLiteral("--name"), QStringLiteral("Mine")})
                     .status,
                 0);
        QCOMPARE(backups(), 1);
        // Any file: a game image.
        const Result notATable =
            cli(tool, {QStringLiteral("restore-toc"), disk,
                       makeImage(QStringLiteral("b.iso"), QStringLiteral("SLUS_100.02"), 2000),
                       QStringLiteral("--yes")});
        QCOMPARE(notATable.status, 1);
        QVERIFY2(notATable.err.contains(QStringLiteral("is no partition table backup")),
                 qPrintable(notATable.err));
        // Another disk's table, formatted apart from this one.
        const QString other = path(QStringLiteral("other.img"));
        ApaImageOptions apart;
        apart.created = QByteArrayLiteral("\x09\x08\x07\x06\x05\x04\x03\x02");
        QVERIFY(WriteApaImage(other, qint64(1024) << 20, {}, apart));
        const QString table = path(QStringLiteral("other.bin"));
        QCOMPARE(this->tool(QStringLiteral("0.9.2"), {QStringLiteral("backup_toc"), other, table})
                     .status,
                 0);
        const Result foreign =
            cli(tool, {QStringLiteral("restore-toc"), disk, table, QStringLiteral("--yes")});
        QCOMPARE(foreign.status, 1);
        QVERIFY2(foreign.err.contains(QStringLiteral("belongs to another disk")) &&
                     foreign.err.contains(QStringLiteral("--other-disk")),
                 qPrintable(foreign.err));
        QCOMPARE(listed(QStringLiteral("0.9.2"), disk).size(), 1);
        QCOMPARE(backups(), 1); // nothing was begun
        // Named as another disk's on purpose: restored, after this disk's table was saved.
        const Result forced = cli(tool, {QStringLiteral("restore-toc"), disk, table,
                                         QStringLiteral("--yes"), QStringLiteral("--other-disk")});
        QVERIFY2(forced.status == 0, qPrintable(forced.err));
        QVERIFY(forced.err.contains(QStringLiteral("--other-disk")));
        QCOMPARE(listingStatus(QStringLiteral("0.9.2"), disk), 0);
        QCOMPARE(listed(QStringLiteral("0.9.2"), disk).size(), 0);
        QCOMPARE(backups(), 2);
        // The newest backup of this disk, without a file: the one from before the install
        // (the copy taken before the restore is never chosen by itself, and is another's now).
        const Result newest =
            cli(tool, {QStringLiteral("restore-toc"), disk, QStringLiteral("--yes")});
        QCOMPARE(newest.status, 1);
        QVERIFY2(newest.err.contains(QStringLiteral("keeps no backup of this disk's table")),
                 qPrintable(newest.err));
    }

    void aReleaseBuildIsToldItTakesNoImages()
    {
        const QString disk = makeDisk(QStringLiteral("disk.img"), 1024);
        const Result r =
            cli(build(QStringLiteral("0.9.2-release")), {QStringLiteral("games"), disk});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("This hdl_dump is a release build")),
                 qPrintable(r.err));
        // doctor says so too.
        const Result doctor = cli(build(QStringLiteral("0.9.2-release")),
                                  {QStringLiteral("--json"), QStringLiteral("doctor")});
        QCOMPARE(json(doctor.out)[QStringLiteral("build")].toString(), QStringLiteral("release"));
        QCOMPARE(json(cli(build(QStringLiteral("0.9.2")),
                          {QStringLiteral("--json"), QStringLiteral("doctor")})
                          .out)[QStringLiteral("build")]
                     .toString(),
                 QStringLiteral("takes-files"));
    }

    void imagesTheToolCannotType_data()
    {
        QTest::addColumn<QString>("build");
        QTest::newRow("newest") << QStringLiteral("new");
        QTest::newRow("0.9.0") << QStringLiteral("0.9.0");
    }
    void imagesTheToolCannotType()
    {
        QFETCH(QString, build);
        const QString tool = this->build(build);
        const QString disk = makeDisk(QStringLiteral("disk.img"), 1024);
        const QString image =
            makeImage(QStringLiteral("game.iso"), QStringLiteral("SLUS_300.01"), 4000);
        // "?" to the tool: installed all the same, by its size a CD, and the user is told.
        const Result byDefault = cli(tool, {QStringLiteral("install"), disk, image,
                                            QStringLiteral("--name"), QStringLiteral("Guess")});
        QCOMPARE(byDefault.status, 0);
        QVERIFY2(byDefault.err.contains(QStringLiteral("does not say whether")),
                 qPrintable(byDefault.err));
        const Result chosen =
            cli(tool, {QStringLiteral("install"), disk, image, QStringLiteral("--name"),
                       QStringLiteral("Chosen"), QStringLiteral("--type"), QStringLiteral("dvd")});
        QCOMPARE(chosen.status, 0);
        QVERIFY(!chosen.err.contains(QStringLiteral("does not say whether")));
        const QList<QStringList> rows = listed(build, disk);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].value(0), QStringLiteral("CD"));
        QCOMPARE(rows[1].value(0), QStringLiteral("DVD"));
        // A folder is read the same way: with 0.9.0 too, cdvd_info2 first.
        QDir().mkpath(path(QStringLiteral("pile")));
        makeImage(QStringLiteral("pile/a.iso"), QStringLiteral("SLUS_300.02"), 900000, 'a');
        const QJsonObject added =
            json(cli(tool, {QStringLiteral("--json"), QStringLiteral("queue"),
                            QStringLiteral("add-folder"), disk, path(QStringLiteral("pile"))})
                     .out);
        const QJsonArray list = added.value(QStringLiteral("added")).toArray();
        QCOMPARE(list.size(), 1);
        QCOMPARE(list[0][QStringLiteral("type")].toString(), QStringLiteral("DVD-ROM"));
        QCOMPARE(list[0][QStringLiteral("type_from_size")].toBool(), true);
    }

    void theCheckPredictsExactlyWhatTheToolRefuses_data()
    {
        QTest::addColumn<QString>("build");
        QTest::addColumn<QList<int>>("refused");
        // world: the same partition as World; Caf!!: after Café both are ..CAF__; the DVD
        // World of another startup is another game to the current builds, not to 0.9.0.
        QTest::newRow("newest") << QStringLiteral("new") << QList<int>{1, 3};
        QTest::newRow("0.9.2") << QStringLiteral("0.9.2") << QList<int>{1, 3};
        QTest::newRow("0.9.0") << QStringLiteral("0.9.0") << QList<int>{1, 3, 4};
    }
    void theCheckPredictsExactlyWhatTheToolRefuses()
    {
        QFETCH(QString, build);
        QFETCH(QList<int>, refused);
        const QString tool = this->build(build);
        const QString disk = makeDisk(QStringLiteral("disk.img"), 1024);
        const QString us =
            makeImage(QStringLiteral("us.iso"), QStringLiteral("SLUS_123.45"), 3000, 'u');
        QCOMPARE(this->tool(build, {QStringLiteral("inject_cd"), disk, QStringLiteral("World"), us,
                                    QStringLiteral("SLUS_123.45")})
                     .status,
                 0);
        const QString cafe =
            makeImage(QStringLiteral("cafe.iso"), QStringLiteral("SLES_111.11"), 3000, 'c');
        const QString eu =
            makeImage(QStringLiteral("eu.iso"), QStringLiteral("SLES_543.21"), 3000, 'e');
        const QList<QStringList> adds{
            {us, QStringLiteral("world")},
            {cafe, QStringLiteral("Café")},
            {cafe, QStringLiteral("Caf!!")},
            {eu, QStringLiteral("World"), QStringLiteral("--type"), QStringLiteral("dvd")}};
        for (const QStringList& a : adds)
            QCOMPARE(cli(tool, QStringList{QStringLiteral("queue"), QStringLiteral("add"),
                                           QStringLiteral("install"), disk, a[0],
                                           QStringLiteral("--name"), a[1]} +
                                   a.mid(2))
                         .status,
                     0);
        const QJsonObject checked = json(
            cli(tool, {QStringLiteral("--json"), QStringLiteral("queue"), QStringLiteral("run")})
                .out);
        QCOMPARE(checked.value(QStringLiteral("started")).toBool(), false);
        QList<int> predicted;
        for (const QJsonValue f : checked.value(QStringLiteral("findings")).toArray()) {
            const QString kind = f[QStringLiteral("kind")].toString();
            if (kind == QLatin1String("partition-clash") ||
                kind == QLatin1String("already-installed"))
                predicted << f[QStringLiteral("job")].toInt();
        }
        QCOMPARE(predicted, refused);
        // Run anyway: the tool refuses exactly those.
        const QJsonObject ran = json(cli(tool, {QStringLiteral("--json"), QStringLiteral("queue"),
                                                QStringLiteral("run"), QStringLiteral("--yes")})
                                         .out);
        QList<int> failed;
        for (const QJsonValue j : ran.value(QStringLiteral("jobs")).toArray()) {
            if (!j[QStringLiteral("ok")].toBool()) {
                failed << j[QStringLiteral("job")].toInt();
                QCOMPARE(j[QStringLiteral("result")].toString(),
                         QStringLiteral("Error (File already exists)"));
            }
        }
        QCOMPARE(failed, refused);
        QCOMPARE(listed(build, disk).size(), 1 + 4 - refused.size());
    }

    void aRunKilledAfterItsToolFinishedIsCompleteWhenResumed()
    {
        const QString real = build(QStringLiteral("new"));
        const QString disk = makeDisk(QStringLiteral("disk.img"), 1024);
        const QString image =
            makeImage(QStringLiteral("game.iso"), QStringLiteral("SLUS_400.01"), 4000);
        // A tool in front of the real one: once the game is written, the read that checks it
        // ends the ventrik-cli that started it, as a power cut or a kill would.
        const QString wrapper = path(QStringLiteral("hdl_dump"));
        QFile script(wrapper);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(
            "#!/bin/sh\n"
            "case \"$1\" in\n"
            "  inject_cd|inject_dvd) \"$REAL\" \"$@\"; rc=$?; touch \"$MARK\"; exit $rc;;\n"
            "  hdl_toc) if [ -f \"$MARK\" ]; then rm -f \"$MARK\"; kill -KILL \"$PPID\"; exit 1; "
            "fi;;\n"
            "esac\n"
            "exec \"$REAL\" \"$@\"\n");
        script.close();
        script.setPermissions(script.permissions() | QFile::ExeOwner);
        QCOMPARE(
            cli(real, {QStringLiteral("queue"), QStringLiteral("add"), QStringLiteral("install"),
                       disk, image, QStringLiteral("--name"), QStringLiteral("Resumed")})
                .status,
            0);
        QProcessEnvironment env = environment();
        env.insert(QStringLiteral("REAL"), real);
        env.insert(QStringLiteral("MARK"), path(QStringLiteral("written")));
        const Result killed = run(QStringLiteral(VENTRIK_CLI_PATH),
                                  {QStringLiteral("--hdl-dump"), wrapper, QStringLiteral("queue"),
                                   QStringLiteral("run"), QStringLiteral("--yes")},
                                  env);
        QCOMPARE(killed.status, -1);
        QCOMPARE(listed(QStringLiteral("new"), disk).size(), 1);
        // The next run finds the game it wrote: Complete, and nothing written twice.
        const Result again =
            cli(real, {QStringLiteral("queue"), QStringLiteral("run"), QStringLiteral("--yes")});
        QVERIFY2(again.out.contains(QStringLiteral("Resumed: Complete")) ||
                     cli(real, {QStringLiteral("queue"), QStringLiteral("list")})
                         .out.contains(QStringLiteral("Complete")),
                 qPrintable(again.out + again.err));
        QCOMPARE(again.status, 0);
        QCOMPARE(listed(QStringLiteral("new"), disk).size(), 1);
    }

    void pathsAreTheCallersAndTheToolRunsInAFolderOfItsOwn()
    {
        const QString newest = build(QStringLiteral("new"));
        QDir().mkpath(path(QStringLiteral("elsewhere")));
        const QString cwd = path(QStringLiteral("elsewhere"));
        makeDisk(QStringLiteral("elsewhere/disk.img"), 1024);
        makeImage(QStringLiteral("elsewhere/mine.iso"), QStringLiteral("SLUS_777.77"), 3000);
        const Result info = cli(
            newest, {QStringLiteral("--json"), QStringLiteral("info"), QStringLiteral("mine.iso")},
            cwd);
        QCOMPARE(info.status, 0);
        QCOMPARE(json(info.out).value(QStringLiteral("startup")).toString(),
                 QStringLiteral("SLUS_777.77"));
        QCOMPARE(cli(newest,
                     {QStringLiteral("install"), QStringLiteral("disk.img"),
                      QStringLiteral("mine.iso"), QStringLiteral("--name"), QStringLiteral("Mine")},
                     cwd)
                     .status,
                 0);
        QCOMPARE(
            listed(QStringLiteral("new"), path(QStringLiteral("elsewhere/disk.img")))[0].value(4),
            QStringLiteral("SLUS_777.77"));
        // What the newest build leaves where it runs is in Ventrik's folder, not the caller's.
        QVERIFY(!QFile::exists(path(QStringLiteral("elsewhere/info.sys"))));
        QVERIFY(QFile::exists(path(QStringLiteral("state/Ventrik/work/info.sys"))));
    }

    void aNetworkedPs2ByItsPartitions()
    {
        const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
        if (python.isEmpty())
            QSKIP("python3 runs the network stand-in; it is not installed");
        QUdpSocket probe;
        if (!probe.bind(QHostAddress(QStringLiteral("127.0.0.1")), 12345))
            QSKIP("UDP 127.0.0.1:12345 is in use: the network stand-in cannot serve there");
        probe.close();
        const QString newest = build(QStringLiteral("new"));
        const QString disk = makeDisk(QStringLiteral("net.img"), 1024);
        const QString us =
            makeImage(QStringLiteral("us.iso"), QStringLiteral("SLUS_123.45"), 2000, 'u');
        const QString eu =
            makeImage(QStringLiteral("eu.iso"), QStringLiteral("SLES_543.21"), 3000, 'e');
        tool(QStringLiteral("new"), {QStringLiteral("inject_cd"), disk, QStringLiteral("World"), us,
                                     QStringLiteral("SLUS_123.45")});
        tool(QStringLiteral("new"), {QStringLiteral("inject_dvd"), disk, QStringLiteral("World"),
                                     eu, QStringLiteral("SLES_543.21")});
        QProcess standin;
        standin.start(python, {m_tools + QStringLiteral("/ps2_udp_standin.py"), disk});
        QVERIFY(standin.waitForReadyRead(10000));
        const QJsonArray games =
            json(cli(newest, {QStringLiteral("--json"), QStringLiteral("games"),
                              QStringLiteral("127.0.0.1")})
                     .out)
                .value(QStringLiteral("games"))
                .toArray();
        QCOMPARE(games.size(), 2);
        QCOMPARE(games[1][QStringLiteral("partition")].toString(),
                 QStringLiteral("PP.SLES-54321..WORLD"));
        const QString out = path(QStringLiteral("out.iso"));
        QCOMPARE(cli(newest, {QStringLiteral("copy-to-pc"), QStringLiteral("127.0.0.1"),
                              QStringLiteral("PP.SLES-54321..WORLD"), out})
                     .status,
                 0);
        standin.kill();
        standin.waitForFinished();
        QCOMPARE(bytes(out), bytes(eu));
    }
};

QTEST_GUILESS_MAIN(TestRealTool)
#include "tst_realtool.moc"
