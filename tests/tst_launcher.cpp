#include "Ps2Image.h"
#include "TestSupport.h"

#include "core/output/LauncherFormats.h"

#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <memory>

using launcher::ArtKind;
using launcher::GameConfig;

// What the PS2's launcher keeps on the disk (pictures, games' settings, memory cards), written
// by ventrik-cli through the real pfsshell on disk images this test makes with the real
// hdl_dump, and read back with the real pfsshell. Skipped, and said so, where the builds are
// absent. The readers of pfsshell's output and of the launcher's files come first.
class TestLauncher : public QObject
{
    Q_OBJECT

    QString m_tools;
    QString m_pfs;
    std::unique_ptr<QTemporaryDir> m_dir;

    QString path(const QString& name) const { return m_dir->filePath(name); }
    QProcessEnvironment environment() const { return HomeIn(m_dir->path()); }
    QString hdlDump() const { return m_tools + QStringLiteral("/hdl_dump-0.9.2"); }
    QString shell() const { return m_pfs + QStringLiteral("/pfsshell"); }
    ProcessResult cli(const QStringList& args, const QString& pfsShell = {}) const
    {
        QElapsedTimer t;
        t.start();
        auto rr = RunProcess(QStringLiteral(VENTRIK_CLI_PATH),
                             QStringList{QStringLiteral("--hdl-dump"), hdlDump(),
                                         QStringLiteral("--pfsshell"),
                                         pfsShell.isEmpty() ? shell() : pfsShell} +
                                 args,
                             environment(), m_dir->path());
        qDebug() << "TIMING" << t.elapsed() << args.first() << args.value(1) << rr.status
                 << rr.err.left(300);
        return rr;
    }
    // The real pfsshell given these lines, in the folder dir (made when missing).
    ProcessResult pfs(const QStringList& lines, const QString& dir) const
    {
        QDir().mkpath(dir);
        QFile script(dir + QStringLiteral("/script.txt"));
        if (!script.open(QIODevice::WriteOnly))
            return {};
        script.write((QStringList{QStringLiteral("device ") + m_disk} + lines +
                      QStringList{QStringLiteral("exit")})
                         .join(u'\n')
                         .toUtf8() +
                     '\n');
        script.close();
        return RunProcess(
            QStringLiteral("/bin/sh"),
            {QStringLiteral("-c"), QStringLiteral("exec \"$0\" < script.txt"), shell()},
            environment(), dir);
    }
    // A file of +OPL as the real pfsshell reads it back; empty when it is not there.
    QByteArray readBack(const QString& folder, const QString& name)
    {
        const QString dir = path(QStringLiteral("back-%1").arg(++m_reads));
        pfs({QStringLiteral("mount +OPL"), QStringLiteral("cd ") + folder,
             QStringLiteral("get ") + name},
            dir);
        QFile f(dir + u'/' + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList partitions() const
    {
        return launcher::ParsePfsPartitions(
            pfs({QStringLiteral("ls -l")}, path(QStringLiteral("parts"))).out);
    }
    QString bitmap(const QString& name, int w, int h, quint8 shade) const
    {
        return WriteBitmap(path(name), w, h, shade) ? path(name) : QString();
    }
    // A PNG's width and height from its header; nothing for what is no PNG.
    static std::optional<QSize> pngSize(const QByteArray& png)
    {
        if (!png.startsWith("\x89PNG\r\n\x1a\n") || png.size() < 24)
            return std::nullopt;
        return QSize(int(qFromBigEndian<quint32>(png.constData() + 16)),
                     int(qFromBigEndian<quint32>(png.constData() + 20)));
    }
    static QJsonObject json(const QString& text)
    {
        return QJsonDocument::fromJson(text.toUtf8()).object();
    }
    // A stand-in for pfsshell: the script given, in sh.
    QString standIn(const QString& name, const QString& body) const
    {
        QFile f(path(name));
        if (!f.open(QIODevice::WriteOnly))
            return {};
        f.write("#!/bin/sh\n" + body.toUtf8());
        f.close();
        f.setPermissions(f.permissions() | QFile::ExeOwner);
        return f.fileName();
    }
    bool makeDiskWithGame()
    {
        m_disk = MakeDiskWithGame(m_dir->path(), m_tools);
        return !m_disk.isEmpty();
    }
    QString m_disk;
    int m_reads = 0;

private slots:
    void initTestCase()
    {
        m_tools =
            qEnvironmentVariable("VENTRIK_REAL_TOOLS", QStringLiteral(VENTRIK_REAL_TOOLS_DIR));
        m_pfs = qEnvironmentVariable("VENTRIK_PFSSHELL", QStringLiteral(VENTRIK_PFSSHELL_DIR));
    }
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    // Readers of pfsshell's output and of the launcher's files, without a disk.
    void theLaunchersTextsAreRead()
    {
        const QString listing =
            QStringLiteral("hdd: PS2 APA Driver v2.5 (c) 2003 Vector\n"
                           "drwxrwxrwx        512  2026-12-08 20:19  ./\n"
                           "drwxrwxrwx        512  2026-12-08 20:19  ../\n"
                           "-rw-rw-rw-       5000  2026-12-08 20:19  SLUS_123.45_COV.png\n"
                           "-rw-rw-rw-        300  2026-12-08 20:20  SLUS_123.45_ICO.png\n"
                           "-rw-rw-rw-         12  2026-12-08 20:20  name with blanks.png\n"
                           "drwxrwxrwx        512  2026-12-08 20:19  ART/\n");
        const QList<launcher::PfsEntry> entries = launcher::ParsePfsListing(listing);
        QCOMPARE(entries.size(), 4);
        QCOMPARE(entries[0].size, 5000);
        QCOMPARE(entries[2].name, QStringLiteral("name with blanks.png"));
        QVERIFY(entries[3].folder && entries[3].name == QLatin1String("ART"));
        QStringList names;
        for (const auto& e : entries)
            names << e.name;
        const auto art = launcher::ArtOf(
            names + QStringList{QStringLiteral("_COV.png"), QStringLiteral("SCES_500.00_BG.PNG")});
        QCOMPARE(art.value(QStringLiteral("SLUS_123.45")),
                 (QList<ArtKind>{ArtKind::Cover, ArtKind::Icon}));
        QCOMPARE(art.value(QStringLiteral("SCES_500.00")), QList<ArtKind>{ArtKind::Background});
        QVERIFY(!art.contains(QString()));

        QCOMPARE(launcher::ParsePfsPartitions(QStringLiteral(
                     "Start (sector)       Code    Slice         Size   Timestamp         Name\n"
                     "         0    0 GiB  0001  128 MiB     0.12 GiB   2026-12-09 05:19  __mbr\n"
                     "   0x40000           0100  128 MiB     0.12 GiB   2026-12-08 20:19  "
                     "+OPL/\n")),
                 (QStringList{QStringLiteral("__mbr"), QStringLiteral("+OPL")}));
        QCOMPARE(launcher::PfsErrors(
                     QStringLiteral("> # +OPL:/# (!) pfs0:/NOPE: No such file or directory.\n"
                                    "(!) Exit code is -2.\n+OPL:/# ")),
                 QStringList{QStringLiteral("pfs0:/NOPE: No such file or directory.")});

        // Where the launcher looks: its settings' partition, a "+" name at the root.
        QCOMPARE(launcher::LauncherPartition(QStringLiteral("a=1\r\nhdd_partition=__common\r\n")),
                 QStringLiteral("__common"));
        QCOMPARE(launcher::LauncherFolder(QStringLiteral("__common")), QStringLiteral("OPL"));
        QCOMPARE(launcher::LauncherPartition(QStringLiteral("hdd_partition=+OPL PLUS\n")),
                 QStringLiteral("+OPL"));
        QCOMPARE(launcher::LauncherFolder(QStringLiteral("+OPL")), QString());

        // Names a shell line cannot be split at, or that leave the folder, are refused.
        for (const char* bad : {"a b", "../x", "x/y", "", "..", "a\nrm y", "caf\xc3\xa9"})
            QVERIFY2(!launcher::SafePfsName(QString::fromUtf8(bad)), bad);
        QCOMPARE(launcher::CardFileName(QStringLiteral("card1")), QStringLiteral("card1.bin"));
        QVERIFY(!launcher::CardFileName(QStringLiteral(".bin")));

        // A game's settings: known keys get "$", others are kept as they were, in order.
        GameConfig c = GameConfig::Parse(
            QStringLiteral("Title=World\r\n$DMA=UDMA 4\r\n#note\r\n$Compatibility=1\r\n"));
        QCOMPARE(c.value(QStringLiteral("Compatibility")), QStringLiteral("1"));
        QVERIFY(c.set(QStringLiteral("$Compatibility"), QStringLiteral("5")));
        QVERIFY(c.set(QStringLiteral("VMC_0"), QStringLiteral("card1")));
        QVERIFY(c.set(QStringLiteral("DMA"), QString())); // removed
        QVERIFY(c.set(QStringLiteral("Mine"), QStringLiteral("x")));
        QVERIFY(!c.set(QStringLiteral("Bad Key"), QStringLiteral("x")));
        QVERIFY(!c.set(QStringLiteral("Title"), QStringLiteral("two\nlines")));
        QCOMPARE(c.text(), QStringLiteral("Title=World\n#note\n$Compatibility=5\n$VMC_0=card1\n"
                                          "Mine=x\n"));
    }

    // Pictures, settings and cards written, replaced and removed, each read back with the
    // real pfsshell; the partition made only when asked, and saved before the first write.
    void theLaunchersFilesAreWrittenAndReadBack()
    {
        if (!QFileInfo(m_tools + QStringLiteral("/hdl_dump-0.9.0")).isExecutable() ||
            !QFileInfo(shell()).isExecutable())
            QSKIP("The real hdl_dump or pfsshell builds are not beside the checkout.");
        QVERIFY(makeDiskWithGame());
        const QString tall = bitmap(QStringLiteral("tall.bmp"), 300, 600, 0x40);
        const QString wide = bitmap(QStringLiteral("wide.bmp"), 800, 200, 0xc0);
        QVERIFY(!tall.isEmpty() && !wide.isEmpty());

        // No +OPL yet: nothing is made unasked.
        ProcessResult r = cli({QStringLiteral("art"), m_disk, QStringLiteral("World"), tall});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("--yes")), qPrintable(r.err));
        QVERIFY(!partitions().contains(QStringLiteral("+OPL")));

        r = cli({QStringLiteral("art"), m_disk, QStringLiteral("World"), tall,
                 QStringLiteral("--yes")});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY(partitions().contains(QStringLiteral("+OPL")));
        const QByteArray cover =
            readBack(QStringLiteral("ART"), QStringLiteral("SLUS_123.45_COV.png"));
        QCOMPARE(pngSize(cover), QSize(100, 200)); // fits 140 x 200, proportions kept

        // Replaced by a wider one, shorter than the first: the file is the new one alone.
        r = cli({QStringLiteral("art"), m_disk, QStringLiteral("PP.SLUS-12345..WORLD"), wide});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        const QByteArray replaced =
            readBack(QStringLiteral("ART"), QStringLiteral("SLUS_123.45_COV.png"));
        QCOMPARE(pngSize(replaced), QSize(140, 35));
        QVERIFY(replaced.endsWith(QByteArray("IEND\xae\x42\x60\x82", 8)));
        // The first write of that run saved the partition as it was.
        const QStringList saved = QDir(path(QStringLiteral("data/Ventrik/launcher-backups")))
                                      .entryList({QStringLiteral("*.tar")}, QDir::Files);
        QCOMPARE(saved.size(), 1);

        r = cli({QStringLiteral("art"), m_disk, QStringLiteral("World"), tall,
                 QStringLiteral("--kind"), QStringLiteral("icon")});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(pngSize(readBack(QStringLiteral("ART"), QStringLiteral("SLUS_123.45_ICO.png"))),
                 QSize(32, 64));
        r = cli({QStringLiteral("--json"), QStringLiteral("games"), m_disk});
        QCOMPARE(r.status, 0);
        QCOMPARE(json(r.out)[QStringLiteral("games")][0][QStringLiteral("art")].toArray(),
                 (QJsonArray{QStringLiteral("cover"), QStringLiteral("icon")}));
        r = cli({QStringLiteral("art"), m_disk, QStringLiteral("World"), tall,
                 QStringLiteral("--kind"), QStringLiteral("poster")});
        QCOMPARE(r.status, 2);
        QVERIFY(r.err.contains(QStringLiteral("cover|icon|background|logo|screenshot")));

        r = cli({QStringLiteral("art-remove"), m_disk, QStringLiteral("World"),
                 QStringLiteral("--kind"), QStringLiteral("icon")});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY(readBack(QStringLiteral("ART"), QStringLiteral("SLUS_123.45_ICO.png")).isEmpty());
        QVERIFY(!readBack(QStringLiteral("ART"), QStringLiteral("SLUS_123.45_COV.png")).isEmpty());

        // A game's settings: what the launcher wrote is kept, the keys given are set.
        const QString cfgDir = path(QStringLiteral("cfg"));
        QDir().mkpath(cfgDir);
        QFile own(cfgDir + QStringLiteral("/SLUS_123.45.cfg"));
        QVERIFY(own.open(QIODevice::WriteOnly));
        own.write("$DMA=UDMA 4\r\nTitle=World\r\n");
        own.close();
        pfs({QStringLiteral("mount +OPL"), QStringLiteral("mkdir CFG"), QStringLiteral("cd CFG"),
             QStringLiteral("put SLUS_123.45.cfg")},
            cfgDir);
        r = cli({QStringLiteral("game-config"), m_disk, QStringLiteral("World"),
                 QStringLiteral("Compatibility=5"), QStringLiteral("$VMC_0=card1")});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(readBack(QStringLiteral("CFG"), QStringLiteral("SLUS_123.45.cfg")),
                 QByteArray("$DMA=UDMA 4\nTitle=World\n$Compatibility=5\n$VMC_0=card1\n"));
        r = cli({QStringLiteral("--json"), QStringLiteral("game-config"), m_disk,
                 QStringLiteral("World")});
        QCOMPARE(json(r.out)[QStringLiteral("settings")][QStringLiteral("$Compatibility")],
                 QJsonValue(QStringLiteral("5")));

        // Memory cards: in, listed, out byte for byte, removed only when confirmed.
        QByteArray card(64 * 1024, '\0');
        for (int i = 0; i < card.size(); ++i)
            card[i] = char(i * 7);
        QFile cardFile(path(QStringLiteral("card1.bin")));
        QVERIFY(cardFile.open(QIODevice::WriteOnly) && cardFile.write(card) == card.size());
        cardFile.close();
        r = cli({QStringLiteral("vmc"), QStringLiteral("put"), m_disk, QStringLiteral("card1"),
                 cardFile.fileName()});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY(r.err.contains(QStringLiteral("must not be running a game")));
        QCOMPARE(readBack(QStringLiteral("VMC"), QStringLiteral("card1.bin")), card);
        r = cli({QStringLiteral("--json"), QStringLiteral("vmc"), QStringLiteral("list"), m_disk});
        QCOMPARE(json(r.out)[QStringLiteral("cards")][0][QStringLiteral("size_bytes")].toInt(),
                 card.size());
        const QString back = path(QStringLiteral("back.bin"));
        QCOMPARE(cli({QStringLiteral("vmc"), QStringLiteral("get"), m_disk, QStringLiteral("card1"),
                      back})
                     .status,
                 0);
        QFile got(back);
        QVERIFY(got.open(QIODevice::ReadOnly));
        QCOMPARE(got.readAll(), card);
        QCOMPARE(
            cli({QStringLiteral("vmc"), QStringLiteral("remove"), m_disk, QStringLiteral("card1")})
                .status,
            1); // not asked at a terminal, no --yes
        QCOMPARE(readBack(QStringLiteral("VMC"), QStringLiteral("card1.bin")), card);
        QCOMPARE(cli({QStringLiteral("vmc"), QStringLiteral("remove"), m_disk,
                      QStringLiteral("card1"), QStringLiteral("--yes")})
                     .status,
                 0);
        QVERIFY(readBack(QStringLiteral("VMC"), QStringLiteral("card1.bin")).isEmpty());
        // The game itself was never touched.
        r = cli({QStringLiteral("--json"), QStringLiteral("games"), m_disk});
        QCOMPARE(json(r.out)[QStringLiteral("games")].toArray().size(), 1);
    }

    // A folder of pictures matched to the games by startup or title, with a summary.
    void aFolderOfPicturesIsMatched()
    {
        if (!QFileInfo(m_tools + QStringLiteral("/hdl_dump-0.9.0")).isExecutable() ||
            !QFileInfo(shell()).isExecutable())
            QSKIP("The real hdl_dump or pfsshell builds are not beside the checkout.");
        QVERIFY(makeDiskWithGame());
        const QString folder = path(QStringLiteral("pictures"));
        QDir().mkpath(folder);
        QVERIFY(QFile::rename(bitmap(QStringLiteral("a.bmp"), 50, 50, 1),
                              folder + QStringLiteral("/slus-12345.bmp")));
        QVERIFY(QFile::rename(bitmap(QStringLiteral("b.bmp"), 60, 20, 2),
                              folder + QStringLiteral("/World_BG.bmp")));
        QVERIFY(QFile::rename(bitmap(QStringLiteral("c.bmp"), 60, 20, 3),
                              folder + QStringLiteral("/Other Game.bmp")));
        ProcessResult r =
            cli({QStringLiteral("--dry-run"), QStringLiteral("art-folder"), m_disk, folder});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.err.contains(QStringLiteral("2 matched, 1 not matched")), qPrintable(r.err));
        QVERIFY(!partitions().contains(QStringLiteral("+OPL")));
        r = cli({QStringLiteral("--json"), QStringLiteral("art-folder"), m_disk, folder,
                 QStringLiteral("--yes")});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(json(r.out)[QStringLiteral("written")].toInt(), 2);
        QCOMPARE(json(r.out)[QStringLiteral("unmatched")].toArray(),
                 QJsonArray{QStringLiteral("Other Game.bmp")});
        QCOMPARE(pngSize(readBack(QStringLiteral("ART"), QStringLiteral("SLUS_123.45_COV.png"))),
                 QSize(140, 140));
        QCOMPARE(pngSize(readBack(QStringLiteral("ART"), QStringLiteral("SLUS_123.45_BG.png"))),
                 QSize(640, 213));
    }

    // A pfsshell that says all went well and wrote nothing, or wrote half, is found out by
    // the read back; what was on the disk stays.
    void aShellThatLiesIsFoundOut()
    {
        if (!QFileInfo(m_tools + QStringLiteral("/hdl_dump-0.9.0")).isExecutable() ||
            !QFileInfo(shell()).isExecutable())
            QSKIP("The real hdl_dump or pfsshell builds are not beside the checkout.");
        QVERIFY(makeDiskWithGame());
        const QString first = bitmap(QStringLiteral("first.bmp"), 140, 200, 9);
        QCOMPARE(cli({QStringLiteral("art"), m_disk, QStringLiteral("World"), first,
                      QStringLiteral("--yes")})
                     .status,
                 0);
        const QByteArray before =
            readBack(QStringLiteral("ART"), QStringLiteral("SLUS_123.45_COV.png"));
        QVERIFY(pngSize(before));
        const QString second = bitmap(QStringLiteral("second.bmp"), 70, 200, 200);

        // Half of every file it is to put, then the real shell: a put that "worked".
        const QString halves = standIn(
            QStringLiteral("halves"),
            QStringLiteral("for f in *.new; do [ -f \"$f\" ] && head -c $(( $(wc -c < \"$f\") / "
                           "2 )) \"$f\" > h && mv h \"$f\"; done\nexec \"%1\"\n")
                .arg(shell()));
        ProcessResult r =
            cli({QStringLiteral("art"), m_disk, QStringLiteral("World"), second}, halves);
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("did not read back the same")), qPrintable(r.err));
        QCOMPARE(readBack(QStringLiteral("ART"), QStringLiteral("SLUS_123.45_COV.png")), before);

        // One that reads its script and does nothing at all.
        const QString idle = standIn(QStringLiteral("idle"), QStringLiteral("cat > /dev/null\n"));
        r = cli({QStringLiteral("art"), m_disk, QStringLiteral("World"), second}, idle);
        QCOMPARE(r.status, 1);
        QCOMPARE(readBack(QStringLiteral("ART"), QStringLiteral("SLUS_123.45_COV.png")), before);

        // Missing: said where it was looked for; the games are still listed.
        r = cli({QStringLiteral("art"), m_disk, QStringLiteral("World"), second},
                path(QStringLiteral("nowhere/pfsshell")));
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("pfsshell was not found")), qPrintable(r.err));
        r = cli({QStringLiteral("--json"), QStringLiteral("games"), m_disk},
                path(QStringLiteral("nowhere/pfsshell")));
        QCOMPARE(r.status, 0);
        QCOMPARE(json(r.out)[QStringLiteral("games")].toArray().size(), 1);
        // Through the older UDP server: refused before anything is read, and said why.
        r = cli({QStringLiteral("vmc"), QStringLiteral("list"), QStringLiteral("127.0.0.1")});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("older UDP server")), qPrintable(r.err));
    }

    // A PS2's export over NBD (nbdkit on 127.0.0.1 standing in): written through its mount.
    void aPs2OverNbdGetsItsCover()
    {
        for (const char* program : {"nbdkit", "nbdfuse", "fusermount3"})
            if (QStandardPaths::findExecutable(QLatin1String(program)).isEmpty() ||
                !QFile::exists(QStringLiteral("/dev/fuse")))
                QSKIP("nbdkit, nbdfuse and FUSE are needed (packages nbdkit, libnbd-bin, fuse3)");
        if (!QFileInfo(m_tools + QStringLiteral("/hdl_dump-0.9.0")).isExecutable() ||
            !QFileInfo(shell()).isExecutable())
            QSKIP("The real hdl_dump or pfsshell builds are not beside the checkout.");
        QVERIFY(makeDiskWithGame());
        QTcpServer free;
        QVERIFY(free.listen(QHostAddress::LocalHost));
        const quint16 port = free.serverPort();
        free.close();
        QProcess server;
        server.start(QStringLiteral("nbdkit"),
                     {QStringLiteral("-f"), QStringLiteral("--exit-with-parent"),
                      QStringLiteral("-i"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"),
                      QString::number(port), QStringLiteral("-e"), QStringLiteral("hdd0"),
                      QStringLiteral("file"), m_disk});
        QVERIFY(server.waitForStarted());
        QVERIFY(QTest::qWaitFor(
            [port] {
                QTcpSocket socket;
                socket.connectToHost(QHostAddress::LocalHost, port);
                return socket.waitForConnected(200);
            },
            10000));
        const QString uri = QStringLiteral("nbd://127.0.0.1:%1/hdd0").arg(port);
        const ProcessResult r =
            cli({QStringLiteral("art"), uri, QStringLiteral("World"),
                 bitmap(QStringLiteral("net.bmp"), 140, 100, 5), QStringLiteral("--yes")});
        server.kill();
        server.waitForFinished();
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(pngSize(readBack(QStringLiteral("ART"), QStringLiteral("SLUS_123.45_COV.png"))),
                 QSize(140, 100));
    }
};

QTEST_GUILESS_MAIN(TestLauncher)
#include "tst_launcher.moc"
