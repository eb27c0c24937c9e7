#include "Probe.h"

#include <QStringList>

#include "core/platform/Platform.h"

#include <algorithm>

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
    if (!backend.start())
        return -1;
    EchoReply reply;
    const qint32 status = PingAddress(backend, address, reply);
    backend.stop();
    if (status != 0)
        return -1;
    return static_cast<qint32>(std::min<quint32>(reply.roundTripTime, 0x7fffffff));
}

ProbeResult ProbeAddress(IcmpBackend& backend, const QString& address)
{
    const std::optional<quint32> addr = platform::parseIPv4(address);
    if (!addr || *addr == 0)
        return ProbeResult::Silent;
    if (!backend.start())
        return ProbeResult::Impossible;
    EchoReply reply;
    const bool sent = backend.sendEcho(*addr, QByteArrayLiteral("hello"), kEchoTimeoutMs, reply);
    backend.stop();
    if (!sent)
        return ProbeResult::Impossible;
    return reply.status == 0 ? ProbeResult::Answered : ProbeResult::Silent;
}

std::optional<QString> NormaliseIPv4(const QString& text)
{
    const QStringList parts = text.trimmed().split(u'.');
    if (parts.size() != 4)
        return std::nullopt;
    QStringList numbers;
    for (const QString& part : parts) {
        if (part.isEmpty() || part.size() > 3)
            return std::nullopt;
        for (const QChar c : part) {
            if (c < u'0' || c > u'9')
                return std::nullopt;
        }
        const int value = part.toInt();
        if (value > 255)
            return std::nullopt;
        numbers << QString::number(value);
    }
    return numbers.join(u'.');
}
