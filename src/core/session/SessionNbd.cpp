// A PS2 reached through its game launcher's NBD server: which server a networked PS2 runs,
// and its export opened for the tool while an activity needs it.
#include "Session.h"

#include "ProblemText.h"
#include "core/devices/Probe.h"

void Session::openNbd(const QString& target,
                      std::function<void(const std::optional<Problem>&)> done)
{
    if (!IsNbdTarget(target)) {
        done(std::nullopt);
        return;
    }
    const std::optional<NbdAddress> address = ParseNbdAddress(target);
    if (!address) {
        done(Problem{ProblemKind::InvalidAddress, target, {}});
        return;
    }
    m_nbd.setTool(m_paths.toolPath, m_paths.workingDir);
    m_nbd.open(*address, std::move(done));
}

NbdAddress Session::nbdAddressOf(const QString& ip) const
{
    NbdAddress a;
    a.host = ip;
    const qint32 port = m_settings.number(Setting::NbdPort);
    if (port > 0 && port <= 65535)
        a.port = static_cast<quint16>(port);
    // Only a name the address can carry; anything else is the launcher's default.
    const QString name = m_settings.text(Setting::NbdExport).trimmed();
    if (!name.isEmpty() && ParseNbdAddress(QStringLiteral("nbd://%1/%2").arg(ip, name)))
        a.exportName = name;
    return a;
}

QString Session::networkTarget(const QString& typed) const
{
    if (const std::optional<NbdAddress> nbd = ParseNbdAddress(typed.trimmed()))
        return nbd->uri();
    const std::optional<QString> ip = NormaliseIPv4(typed);
    if (!ip)
        return typed.trimmed();
    // Where the last refresh found the launcher's NBD server, with the export asked for now.
    const QString uri = nbdAddressOf(*ip).uri();
    return m_nbdHosts.contains(uri) ? uri : *ip;
}

void Session::findNetworkServer(std::function<void(const std::optional<Problem>& silent)> done)
{
    const QString ip = m_targetDevice;
    auto found = [this, done, ip](NetworkServer server, std::optional<Problem> silent = {}) {
        m_server = server;
        emit networkServerFound(server, m_targetDevice);
        if (server == NetworkServer::None && !silent && !m_cancelRequested)
            silent = Problem{ProblemKind::PS2NotFound, ip, {}};
        done(server == NetworkServer::None ? silent : std::nullopt);
    };
    if (IsNbdTarget(ip)) {
        found(NetworkServer::Nbd);
        return;
    }
    // A PS2 that is not on the network runs neither server; then the launcher's NBD server
    // is asked first: the older UDP server never runs beside it.
    probe(ip, [this, ip, found](bool reply) {
        if (!reply) {
            found(NetworkServer::None);
            return;
        }
        const NbdAddress nbd = nbdAddressOf(ip);
        m_nbd.readExport(nbd.uri(), [this, nbd, found](const platform::NbdExportInfo& info) {
            if (info.state == platform::NbdExportInfo::State::Reachable) {
                m_nbdHosts.insert(nbd.uri());
                m_targetDevice = nbd.uri();
                found(NetworkServer::Nbd);
                return;
            }
            m_nbdHosts.remove(nbd.uri());
            // Stopped by Cancel; or a server that took the connection and said nothing, which
            // no UDP server would do either.
            if (info.cancelled || m_cancelRequested) {
                found(NetworkServer::None);
                return;
            }
            if (info.timedOut) {
                found(NetworkServer::None, NbdExportProblem(nbd, info));
                return;
            }
            found(NetworkServer::Udp);
        });
    });
}
