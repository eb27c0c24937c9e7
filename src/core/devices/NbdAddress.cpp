#include "NbdAddress.h"

#include "Probe.h"

#include <QRegularExpression>

QString NbdAddress::uri() const
{
    return QStringLiteral("nbd://%1:%2/%3").arg(host).arg(port).arg(exportName);
}

QString NbdAddress::key() const
{
    return QStringLiteral("%1-%2-%3").arg(host).arg(port).arg(exportName);
}

std::optional<NbdAddress> ParseNbdAddress(const QString& text)
{
    static const QRegularExpression form(QStringLiteral(
        "^nbd://([0-9.]+)(?::([0-9]{1,5}))?(?:/([A-Za-z0-9][A-Za-z0-9._-]{0,63}))?/?$"));
    const QRegularExpressionMatch m = form.match(text.trimmed());
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
