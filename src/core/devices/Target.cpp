#include "Target.h"

#include "Probe.h"

#include <QHashFunctions>
#include <QRegularExpression>

Target Target::Disk(const QString& device)
{
    Target t;
    t.m_kind = device.isEmpty() ? Kind::None : Kind::Disk;
    t.m_name = device;
    return t;
}

Target Target::Udp(const QString& ip)
{
    Target t;
    t.m_kind = ip.isEmpty() ? Kind::None : Kind::Udp;
    t.m_name = ip;
    return t;
}

Target Target::Nbd(const NbdAddress& address)
{
    Target t;
    t.m_kind = Kind::Nbd;
    t.m_nbd = address;
    return t;
}

namespace {

bool LooksLikeAddress(const QString& text)
{
    // Digits and dots only: meant as an address, never a file's name ("127.1" is no disk).
    return !text.isEmpty() &&
           std::ranges::all_of(text, [](QChar c) { return c == u'.' || (c >= u'0' && c <= u'9'); });
}

// nbd://IP[:PORT][/EXPORT]. Nothing for another scheme, no valid IPv4, a port out of range, an
// export name with anything but letters, digits and . _ - (it ends up in a path), or one that
// does not start with a letter or digit (a program would take it for an option).
std::optional<NbdAddress> ParseNbd(const QString& text)
{
    static const QRegularExpression form(
        QStringLiteral(
            "^nbd://([0-9.]+)(?::([0-9]{1,5}))?(?:/([A-Za-z0-9][A-Za-z0-9._-]{0,63}))?/?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const std::optional<QString> host = NormaliseIPv4(m.captured(1));
    if (!host)
        return std::nullopt;
    NbdAddress a;
    a.host = *host;
    if (!m.captured(2).isEmpty()) {
        const int port = m.captured(2).toInt();
        if (port < 1 || port > 65535)
            return std::nullopt;
        a.port = static_cast<quint16>(port);
    }
    if (!m.captured(3).isEmpty()) {
        a.exportName = m.captured(3);
        // "." and ".." would name folders, not an export.
        if (a.exportName.count(u'.') == a.exportName.size())
            return std::nullopt;
    }
    return a;
}

std::optional<Target> Fail(TargetFault* fault, TargetFault why)
{
    if (fault)
        *fault = why;
    return std::nullopt;
}

} // namespace

std::optional<Target> Target::Parse(const QString& text, TargetFault* fault)
{
    if (fault)
        *fault = TargetFault::None;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return Fail(fault, TargetFault::Empty);
    if (trimmed.startsWith(QLatin1String("nbd://"), Qt::CaseInsensitive)) {
        const std::optional<NbdAddress> nbd = ParseNbd(trimmed);
        if (!nbd)
            return Fail(fault, TargetFault::BadNbdAddress);
        return Nbd(*nbd);
    }
    if (LooksLikeAddress(trimmed)) {
        const std::optional<QString> ip = NormaliseIPv4(trimmed);
        if (!ip)
            return Fail(fault, TargetFault::BadAddress);
        return Udp(*ip);
    }
    return Disk(text);
}

std::optional<Target> Target::ParseAddress(const QString& text, TargetFault* fault)
{
    std::optional<Target> target = Parse(text, fault);
    if (target && !target->isNetwork())
        return Fail(fault, TargetFault::BadAddress);
    return target;
}

QString Target::toolArgument() const
{
    return m_kind == Kind::Nbd ? m_nbd.uri() : m_name;
}

QString Target::host() const
{
    switch (m_kind) {
    case Kind::Udp:
        return m_name;
    case Kind::Nbd:
        return m_nbd.host;
    case Kind::None:
    case Kind::Disk:
        break;
    }
    return {};
}

size_t qHash(const Target& target, size_t seed)
{
    return qHashMulti(seed, static_cast<int>(target.kind()), target.toolArgument());
}
