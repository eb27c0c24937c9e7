#include "TestSupport.h"
#include "core/settings/ToolConfig.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
ToolConfig read(const QByteArray& content, ToolConfig start = {})
{
    ApplyToolConfig(ParseToolConfigLines(content), start,
                    QStringLiteral("/home/me/.hdl_dump.list"));
    return start;
}
} // namespace

class TestToolConfig : public QObject
{
    Q_OBJECT

private slots:
    void toolDefaultsAreTheToolsOwn()
    {
        const ToolConfig d = ToolDefaults(QStringLiteral("/x/hdl_dump.list"));
        QVERIFY(!d.autoThrottle && !d.enableAspi && d.limitTo28bit && !d.useCompression);
        QCOMPARE(d.targetKbps, kDefaultTargetKbps);
        QCOMPARE(d.discDatabase, QStringLiteral("/x/hdl_dump.list"));
        // An empty target in a file reads as the same default.
        QCOMPARE(read("\"target_kbps\" = \"\"\n").targetKbps, d.targetKbps);
    }

    void readsBothLineEndsAndQuoting()
    {
        const QByteArray lf =
            "\"disc_database_file\" = \"C:\\\\Data\\\\hdl_dump.list\"\n\"auto_throttle\" = \"1\"\n"
            "\"enable_aspi\" = \"no\"\n\"limit_to_28bit\" = \"no\"\n\"partition_naming\" = "
            "\"toxicos\"\n"
            "\"target_kbps\" = \"1200\"\n\"use_compression\" = \"yes\"\n";
        QByteArray crlf = lf;
        crlf.replace("\n", "\r\n");
        for (const QByteArray& content : {lf, crlf}) {
            const ToolConfig c = read(content);
            QCOMPARE(c.discDatabase, QStringLiteral("C:\\Data\\hdl_dump.list"));
            QVERIFY(c.autoThrottle);
            QVERIFY(!c.enableAspi);
            QVERIFY(!c.limitTo28bit);
            QVERIFY(c.toxicOS);
            QCOMPARE(c.targetKbps, QStringLiteral("1200"));
            QVERIFY(c.useCompression);
        }
        // Keys and values may go without quotes.
        QVERIFY(!read("enable_aspi = no\n").enableAspi);
        QVERIFY(read("enable_aspi = yes\n").enableAspi);
    }

    void valuesOfTheWrongForm()
    {
        QVERIFY(!read("\"auto_throttle\" = \"yes\"\n").autoThrottle); // a number, not yes/no
        QVERIFY(read("\"auto_throttle\" = \"1\"\n").autoThrottle);
        QVERIFY(!read("\"enable_aspi\" = \"YES\"\n").enableAspi); // exact and case-sensitive
        ToolConfig ticked;
        ticked.toxicOS = true;
        QVERIFY(!read("\"partition_naming\" = \"standard\"\n", ticked).toxicOS);
        QCOMPARE(read("\"target_kbps\" = \"\"\n").targetKbps, QStringLiteral("2300"));
        QCOMPARE(read("\"disc_database_file\" = \"\"\n").discDatabase,
                 QStringLiteral("/home/me/.hdl_dump.list"));
        QCOMPARE(read("\"target_kbps\" = \"100\"\n\"target_kbps\" = \"200\"\n").targetKbps,
                 QStringLiteral("200"));
        // last_ip and unknown keys change nothing; lines without " = " are skipped.
        const ToolConfig c =
            read("\"last_ip\" = \"1.2.3.4\"\n\"other\" = \"x\"\nenable_aspi=no\n\n\n");
        QVERIFY(c.lastIp.isEmpty());
        QVERIFY(c.enableAspi);
    }

    void lastLineWithoutLineFeedCounts()
    {
        QCOMPARE(read("\"auto_throttle\" = \"0\"\n\"target_kbps\" = \"999\"").targetKbps,
                 QStringLiteral("999"));
    }

    void garbageIsIgnored()
    {
        QByteArray junk(4096, '\0');
        for (int i = 0; i < junk.size(); ++i)
            junk[i] = static_cast<char>((i * 37) % 256);
        const ToolConfig c = read(junk + "\n\"use_compression\" = \"yes\"\n" + junk);
        QVERIFY(c.useCompression);
        QVERIFY(c.enableAspi);
    }

    void writesTheToolsFormatByteForByte()
    {
        ToolConfig c;
        c.discDatabase = QStringLiteral("C:\\Docs\\hdl_dump.list");
        c.autoThrottle = true;
        c.enableAspi = false;
        c.lastIp = QStringLiteral("192.168.0.10");
        c.limitTo28bit = true;
        c.toxicOS = false;
        c.targetKbps = QStringLiteral("2300");
        c.useCompression = true;
        QCOMPARE(SerializeToolConfig(c),
                 QByteArray("\"disc_database_file\" = \"C:\\\\Docs\\\\hdl_dump.list\"\n"
                            "\"auto_throttle\" = \"1\"\n"
                            "\"enable_aspi\" = \"no\"\n"
                            "\"last_ip\" = \"192.168.0.10\"\n"
                            "\"limit_to_28bit\" = \"yes\"\n"
                            "\"partition_naming\" = \"standard\"\n"
                            "\"target_kbps\" = \"2300\"\n"
                            "\"use_compression\" = \"yes\"\n"));
        // What is written reads back the same.
        const ToolConfig back = read(SerializeToolConfig(c));
        QCOMPARE(back.discDatabase, c.discDatabase);
        QCOMPARE(back.autoThrottle, true);
    }

    void savingIsAtomic()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("hdl_dump.conf"));
        QString error;
        QVERIFY(SaveToolConfigFile(path, "one\n", &error));
        QVERIFY(SaveToolConfigFile(path, "two\n", &error));
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        QCOMPARE(f.readAll(), QByteArray("two\n"));
        // A file in place of the folder: nothing can be written, and it is said why.
        QVERIFY(!SaveToolConfigFile(path + QStringLiteral("/nested.conf"), "x", &error));
        QVERIFY(!error.isEmpty());
        f.seek(0);
        QCOMPARE(f.readAll(), QByteArray("two\n"));
        // A full disk: the old file stays whole and the reason is given.
        error.clear();
        {
            const FileSizeLimit full(8);
            QVERIFY(!SaveToolConfigFile(path, QByteArray(100, 'x'), &error));
        }
        QVERIFY(!error.isEmpty());
        f.seek(0);
        QCOMPARE(f.readAll(), QByteArray("two\n"));
    }
};

QTEST_GUILESS_MAIN(TestToolConfig)
#include "tst_toolconfig.moc"
