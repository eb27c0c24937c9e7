#include "TestSupport.h"
#include "core/devices/Probe.h"
#include "core/platform/Platform.h"
#include "core/session/ProblemText.h"

#include <QTest>

class TestProbe : public QObject
{
    Q_OBJECT

private slots:
    void addressesThatAreNeverSent_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("empty") << "";
        QTest::newRow("letters") << "ps2.local";
        QTest::newRow("zero") << "0.0.0.0";
        QTest::newRow("broadcast") << "255.255.255.255";
        QTest::newRow("out of range") << "1.2.3.400";
    }
    void addressesThatAreNeverSent()
    {
        QFETCH(QString, address);
        FakeIcmp icmp;
        QCOMPARE(ProbePS2(icmp, address), -1);
        QVERIFY(icmp.sent.isEmpty());
        EchoReply reply;
        QCOMPARE(PingAddress(icmp, address, reply), -1);
    }

    void answersAndSilence()
    {
        FakeIcmp icmp;
        icmp.status[QStringLiteral("127.0.0.1")] = 0;
        icmp.roundTrip = 0;
        // A reply under a millisecond is 0, which counts as reachable.
        QCOMPARE(ProbePS2(icmp, QStringLiteral("127.0.0.1")), 0);
        QCOMPARE(icmp.lastPayload, QByteArray("hello"));
        QCOMPARE(icmp.lastTimeout, 500);
        QCOMPARE(icmp.starts, 1);
        QCOMPARE(icmp.stops, 1);
        icmp.roundTrip = 7;
        QCOMPARE(ProbePS2(icmp, QStringLiteral("127.0.0.1")), 7);
        // Any status but success is "not found".
        icmp.status[QStringLiteral("127.0.0.2")] = 11003;
        QCOMPARE(ProbePS2(icmp, QStringLiteral("127.0.0.2")), -1);
        QCOMPARE(ProbePS2(icmp, QStringLiteral("127.0.0.3")), -1);
        EchoReply reply;
        QCOMPARE(PingAddress(icmp, QStringLiteral("127.0.0.2"), reply), 11003);
    }

    void socketsThatDoNotStartSendNothing()
    {
        FakeIcmp icmp;
        icmp.startOk = false;
        QCOMPARE(ProbePS2(icmp, QStringLiteral("127.0.0.1")), -1);
        QVERIFY(icmp.sent.isEmpty());
        QCOMPARE(icmp.stops, 0);
    }

    void addressesAreNormalisedOrRefused()
    {
        QCOMPARE(NormaliseIPv4(QStringLiteral(" 127.0.0.1 ")), QStringLiteral("127.0.0.1"));
        QCOMPARE(NormaliseIPv4(QStringLiteral("127.000.0.01")), QStringLiteral("127.0.0.1"));
        for (const char* bad : {"abc", "999.1.1.1", "127.1", "0x7f.0.0.1", "2130706433",
                                "127.0.0.1 ; rm -rf /", "1.2.3.4.5", "1..2.3", "-1.0.0.1", ""})
            QVERIFY2(!NormaliseIPv4(QString::fromLatin1(bad)), bad);
    }

    void probeResults()
    {
        FakeIcmp icmp;
        icmp.status[QStringLiteral("127.0.0.1")] = 0;
        icmp.status[QStringLiteral("127.0.0.2")] = 11010;
        QCOMPARE(ProbeAddress(icmp, QStringLiteral("127.0.0.1")), ProbeResult::Answered);
        QCOMPARE(ProbeAddress(icmp, QStringLiteral("127.0.0.2")), ProbeResult::Silent);
        QCOMPARE(ProbeAddress(icmp, QStringLiteral("not an address")), ProbeResult::Silent);
        // No way to send an echo is no silent PS2: the tool is then asked itself.
        icmp.startOk = false;
        QCOMPARE(ProbeAddress(icmp, QStringLiteral("127.0.0.1")), ProbeResult::Impossible);
    }

    void notFoundMessage()
    {
        // The address as given, and the launcher's NBD server named before the older server.
        const QString text =
            ProblemText({ProblemKind::PS2NotFound, QStringLiteral(" 127.0.0.9 "), {}});
        QVERIFY(text.startsWith(
            QStringLiteral("A PS2 console could not be found at IP address:  127.0.0.9 \n\n")));
        QVERIFY(text.indexOf(QStringLiteral("NBD server")) >= 0);
        QVERIFY(text.indexOf(QStringLiteral("NBD server")) <
                text.indexOf(QStringLiteral("hdld_svr")));
    }

    void pingCommandAnswersForLoopback()
    {
        // The fallback for machines without ICMP sockets, again only to this machine.
        const platform::EchoResult r =
            platform::echoWithPingCommand(*platform::parseIPv4(QStringLiteral("127.0.0.1")), 500);
        if (!r.sent)
            QSKIP("this machine has no ping command");
        QCOMPARE(r.status, 0u);
    }

    void loopbackAnswersARealEcho()
    {
        // The only real echo any test sends, and only to this machine.
        SystemIcmpBackend icmp;
        EchoReply reply;
        const qint32 status = PingAddress(icmp, QStringLiteral("127.0.0.1"), reply);
        if (status == -1)
            QSKIP("this machine offers no way to send an ICMP echo");
        QCOMPARE(status, 0);
        QVERIFY(ProbePS2(icmp, QStringLiteral("127.0.0.1")) >= 0);
    }
};

QTEST_GUILESS_MAIN(TestProbe)
#include "tst_probe.moc"
