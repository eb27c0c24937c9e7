#include "Probe.h"

#include "platform/Platform.h"

#include <algorithm>
#include <array>
#include <utility>

bool SystemIcmpBackend::sendEcho(quint32 addressNetOrder, const QByteArray& payload, int timeoutMs,
                                 EchoReply& reply)
{
    const platform::EchoResult r = platform::sendIcmpEcho(addressNetOrder, payload, timeoutMs);
    if (!r.sent)
        return false;
    reply.address = addressNetOrder;
    reply.status = r.status;
    reply.roundTripTime = r.roundTripMs;
    return true;
}

bool StartWinsock(IcmpBackend& backend)
{
    return backend.start();
}

void StopWinsock(IcmpBackend& backend)
{
    backend.stop();
}

qint32 PingAddress(IcmpBackend& backend, const QString& address, EchoReply& reply)
{
    const std::optional<quint32> addr = platform::parseIPv4(address);
    if (!addr || *addr == 0)
        return -1;
    if (!backend.sendEcho(*addr, QByteArrayLiteral("hello"), kEchoTimeoutMs, reply))
        return -1;
    return static_cast<qint32>(reply.status);
}

qint32 ProbePS2(IcmpBackend& backend, const QString& address)
{
    if (!StartWinsock(backend))
        return -1;
    EchoReply reply;
    const qint32 status = PingAddress(backend, address, reply);
    StopWinsock(backend);
    if (status != 0)
        return -1;
    return static_cast<qint32>(std::min<quint32>(reply.roundTripTime, 0x7fffffff));
}

QString IcmpStatusText(qint32 status)
{
    static const std::array<std::pair<qint32, const char*>, 21> texts{{
        {0, "Success!"},
        {11001, "Buffer Too Small"},
        {11002, "Destination Net Unreachable"},
        {11003, "Destination Host Unreachable"},
        {11004, "Destination Protocol Unreachable"},
        {11005, "Destination Port Unreachable"},
        {11006, "No Resources"},
        {11007, "Bad Option"},
        {11008, "Hardware Error"},
        {11009, "Packet Too Big"},
        {11010, "Request Timed Out"},
        {11011, "Bad Request"},
        {11012, "Bad Route"},
        {11013, "TimeToLive Expired Transit"},
        {11014, "TimeToLive Expired Reassembly"},
        {11015, "Parameter Problem"},
        {11016, "Source Quench"},
        {11017, "Option Too Big"},
        {11018, "Bad Destination"},
        {11032, "Negotiating IPSEC"},
        {11050, "General Failure"},
    }};
    for (const auto& [code, text] : texts) {
        if (code == status)
            return QString::fromLatin1(text);
    }
    return QStringLiteral("Unknown Response");
}

QString PS2NotFoundMessage(const QString& address)
{
    return QStringLiteral("A PS2 console could not be found at IP address: ") + address +
           QStringLiteral("\r\n\r\nVerify the following:"
                          "\r\n\r\n1. The PS2 console is currently running hdld_svr.elf and it is "
                          "fully initialized."
                          "\r\n2. The IP address you entered matches the IP address configured in "
                          "mc0:SYS-CONF/IPCONFIG.DAT");
}
