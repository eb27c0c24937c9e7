#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

// The reply of one echo, as far as the probe reads it.
struct EchoReply
{
    quint32 address = 0;
    quint32 status = 0;
    quint32 roundTripTime = 0;
};

// Sends ICMP echoes. Production uses the system; tests use a fake, so that
// nothing but loopback is ever probed from a test.
class IcmpBackend
{
public:
    virtual ~IcmpBackend() = default;
    virtual bool start() { return true; }
    virtual void stop() {}
    // Sends one echo and fills reply; false when no echo could be sent at all.
    virtual bool sendEcho(quint32 addressNetOrder, const QByteArray& payload, int timeoutMs,
                          EchoReply& reply) = 0;
};

class SystemIcmpBackend : public IcmpBackend
{
public:
    bool sendEcho(quint32 addressNetOrder, const QByteArray& payload, int timeoutMs,
                  EchoReply& reply) override;
};

inline constexpr int kEchoTimeoutMs = 500;

// The reply's status, or -1 when no echo was sent (unparsable or zero address).
qint32 PingAddress(IcmpBackend& backend, const QString& address, EchoReply& reply);
// The address as the probe and the tool both get it: blanks around it removed,
// four decimal numbers from 0 to 255 ("127.0.0.1"); nothing for anything else
// ("127.1", "0x7f.0.0.1", "2130706433", "1.2.3.4 ; rm").
std::optional<QString> NormaliseIPv4(const QString& text);

enum class ProbeResult { Answered, Silent, Impossible };
// Impossible when no echo could be sent from here at all (no permission, no ping).
ProbeResult ProbeAddress(IcmpBackend& backend, const QString& address);
// Round-trip time in ms when the address answered, -1 otherwise.
qint32 ProbePS2(IcmpBackend& backend, const QString& address);
