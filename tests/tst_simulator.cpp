// The simulator stands in for the real tool in every other test, so its
// texts are checked against captures of the real tool here.
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QProcess>
#include <QTest>

class TestSimulator : public QObject
{
    Q_OBJECT

    std::unique_ptr<SimWorld> m_world;

    struct Run
    {
        QByteArray out;
        QByteArray err;
        int rc;
    };
    Run run(const QStringList& args) const
    {
        QProcess p;
        p.start(m_world->toolPath(), args);
        p.waitForFinished(30000);
        return {p.readAllStandardOutput(), p.readAllStandardError(), p.exitCode()};
    }
    void useLinuxTexts() const
    {
        QJsonObject s = m_world->state();
        s[QStringLiteral("style")] = QStringLiteral("linux");
        m_world->setState(s);
    }

private slots:
    void init() { m_world = std::make_unique<SimWorld>(); }

    void gameTablesMatchTheRealLayouts()
    {
        // The captures' disk holds "Test Game" with flags 1+3 first.
        const QByteArray oldLine =
            ReadCaptureBytes(QStringLiteral("v090_hdl_toc_3games.stdout")).split('\n').value(1);
        const QByteArray curLine =
            ReadCaptureBytes(QStringLiteral("cur_hdl_toc_3games.stdout")).split('\n').value(1);
        const Run win = run({QStringLiteral("hdl_toc"), QStringLiteral("hdd1:")});
        QCOMPARE(win.out.split('\n').value(0),
                 QByteArray("type     size flags           startup      name\r"));
        QCOMPARE(win.out.split('\n').value(1), oldLine + '\r');
        useLinuxTexts();
        const Run cur = run({QStringLiteral("hdl_toc"), QStringLiteral("/dev/sdb")});
        QCOMPARE(
            cur.out.split('\n').value(0),
            ReadCaptureBytes(QStringLiteral("cur_hdl_toc_3games.stdout")).split('\n').value(0));
        QCOMPARE(cur.out.split('\n').value(1), curLine);
        QVERIFY(cur.out.contains("\nCD     1374KB               2 *u4 SLUS_123.45  Small\n"));
    }

    void discInformationMatches()
    {
        const QByteArray real = ReadCaptureBytes(QStringLiteral("cur_cdvd_info_test.stdout"));
        useLinuxTexts();
        QCOMPARE(run({QStringLiteral("cdvd_info"), QStringLiteral("/dev/sr0")}).out, real);
    }

    void failuresOfBothStyles()
    {
        Run r = run({QStringLiteral("hdl_toc"), QStringLiteral("hdd3:")});
        QCOMPARE(r.err, QByteArray("hdd3: not a PlayStation 2 HDD.\r\n"));
        QCOMPARE(r.rc, 101);
        m_world->setFault({{QStringLiteral("mode"), QStringLiteral("refused")}});
        r = run({QStringLiteral("hdl_toc"), QStringLiteral("127.0.0.1")});
        QVERIFY(r.err.contains(
            "No connection could be made because the target machine actively refused it."));
        useLinuxTexts();
        r = run({QStringLiteral("hdl_toc"), QStringLiteral("127.0.0.1")});
        QCOMPARE(r.err, ReadCaptureBytes(QStringLiteral("cur_net_hdl_toc_noserver.stderr")));
        m_world->setFault({{QStringLiteral("mode"), QStringLiteral("timeout")}});
        r = run({QStringLiteral("hdl_toc"), QStringLiteral("127.0.0.1")});
        QCOMPARE(r.err, ReadCaptureBytes(QStringLiteral("cur_net_hdl_toc_silent.stderr")));
        QCOMPARE(r.rc, 127);
        m_world->setFault({});
        r = run({QStringLiteral("hdl_toc"), QStringLiteral("/dev/sdd")});
        QCOMPARE(r.err, QByteArray("/dev/sdd: APA partition is broken; aborting.\n"));
        QCOMPARE(r.rc, 107);
        r = run({QStringLiteral("query")});
        QCOMPARE(r.rc, 100);
        QVERIFY(r.err.endsWith("query: unrecognized command.\n"));
        r = run({QStringLiteral("delete"), QStringLiteral("/dev/sdb"), QStringLiteral("Small")});
        QCOMPARE(r.rc, 100);
    }

    void installChangesTheStateAndPrintsProgress()
    {
        const Run r =
            run({QStringLiteral("inject_dvd"), QStringLiteral("hdd2:"), QStringLiteral("New Game"),
                 QStringLiteral("cd0:"), QString(), QStringLiteral("+1+3")});
        QCOMPARE(r.rc, 0);
        QVERIFY(r.out.startsWith("  0%\r"));
        QVERIFY(r.out.endsWith(" MB/sec         \r"));
        QVERIFY(r.out.contains("100%, "));
        const QJsonArray games = m_world->state()[QStringLiteral("disks")]
                                     .toArray()[1]
                                     .toObject()[QStringLiteral("games")]
                                     .toArray();
        QCOMPARE(games.size(), 1);
        QCOMPARE(games[0].toObject()[QStringLiteral("name")].toString(),
                 QStringLiteral("New Game"));
        QCOMPARE(games[0].toObject()[QStringLiteral("type")].toString(), QStringLiteral("DVD"));
        // The same name again is refused.
        const Run again = run({QStringLiteral("inject_cd"), QStringLiteral("hdd2:"),
                               QStringLiteral("New Game"), QStringLiteral("cd0:")});
        QCOMPARE(again.err, QByteArray("hdd2: The file exists.\r\n"));
    }

    void copiesWriteFilesAndRefuseExistingOnes()
    {
        const QString iso = m_world->path(QStringLiteral("out one.iso"));
        QCOMPARE(
            run({QStringLiteral("extract"), QStringLiteral("hdd1:"), QStringLiteral("Small"), iso})
                .rc,
            0);
        QVERIFY(QFile::exists(iso));
        useLinuxTexts();
        const Run r = run(
            {QStringLiteral("extract"), QStringLiteral("/dev/sdb"), QStringLiteral("Small"), iso});
        QCOMPARE(r.err, ReadCaptureBytes(QStringLiteral("cur_extract_exists.stderr")));
        QCOMPARE(r.rc, 1);
    }

    void usageForBadArguments()
    {
        const Run r = run({QStringLiteral("hdl_toc")});
        QCOMPARE(r.rc, 100);
        QVERIFY(r.err.contains("Usage: hdl_dump"));
    }
};

QTEST_GUILESS_MAIN(TestSimulator)
#include "tst_simulator.moc"
