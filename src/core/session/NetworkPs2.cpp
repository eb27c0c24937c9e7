#include "NetworkPs2.h"

#include "ProblemText.h"
#include "core/devices/Probe.h"

#include <QTimer>

NetworkPs2::NetworkPs2(IcmpBackend& icmp, QThreadPool& pool, NbdDisks& nbd, ToolRunner& runner,
                       const SettingsFile& settings, ActivityGate& gate, QObject* parent)
    : QObject(parent), m_icmp(icmp), m_pool(pool), m_nbd(nbd), m_runner(runner),
      m_settings(settings), m_gate(gate)
{}

void NetworkPs2::probe(const QString& address, std::function<void(bool answered)> done)
{
    IcmpBackend* icmp = &m_icmp;
    m_pool.start([this, icmp, address, done] {
        const ProbeResult result = ProbeAddress(*icmp, address);
        QMetaObject::invokeMethod(
            this,
            [this, address, done, result] {
                // Without a way to check, the tool itself is asked.
                if (result == ProbeResult::Impossible)
                    emit problem({ProblemKind::ProbeImpossible, address,
                                  tr("no ICMP echo can be sent from this computer")});
                done(result != ProbeResult::Silent);
            },
            Qt::QueuedConnection);
    });
}

NbdAddress NetworkPs2::exportAt(const QString& ip) const
{
    NbdAddress a;
    a.host = ip;
    const qint32 port = m_settings.number(Setting::NbdPort);
    if (port > 0 && port <= 65535)
        a.port = static_cast<quint16>(port);
    // Only a name an address can carry; anything else is the launcher's default.
    const QString name = m_settings.text(Setting::NbdExport).trimmed();
    NbdAddress named = a;
    named.exportName = name;
    if (!name.isEmpty() && Target::Parse(named.uri()))
        a.exportName = name;
    return a;
}

Target NetworkPs2::reached(const Target& typed) const
{
    if (typed.kind() != Target::Kind::Udp)
        return typed;
    const NbdAddress nbd = exportAt(typed.host());
    return m_nbdHosts.contains(nbd.uri()) ? Target::Nbd(nbd) : typed;
}

void NetworkPs2::findServer(const Target& target, Found done)
{
    auto found = [this, done, target](NetworkServer server, const Target& reached,
                                      std::optional<Problem> silent = {}) {
        m_server = server;
        m_reached = reached;
        emit serverFound(server, reached);
        if (server == NetworkServer::None && !silent && !m_runner.cancelRequested())
            silent = Problem{ProblemKind::PS2NotFound, target.toolArgument(), {}};
        done(server == NetworkServer::None ? silent : std::nullopt);
    };
    if (target.isNbd()) {
        found(NetworkServer::Nbd, target);
        return;
    }
    // A PS2 that is not on the network runs neither server; then the launcher's NBD server
    // is asked first: the older UDP server never runs beside it.
    probe(target.host(), [this, target, found](bool reply) {
        if (!reply) {
            found(NetworkServer::None, target);
            return;
        }
        const NbdAddress nbd = exportAt(target.host());
        m_nbd.readExport(nbd, [this, nbd, target, found](const platform::NbdExportInfo& info) {
            if (info.state == platform::NbdExportInfo::State::Reachable) {
                m_nbdHosts.insert(nbd.uri());
                found(NetworkServer::Nbd, Target::Nbd(nbd));
                return;
            }
            m_nbdHosts.remove(nbd.uri());
            // Stopped by Cancel; or a server that took the connection and said nothing, which
            // no UDP server would do either.
            if (info.cancelled || m_runner.cancelRequested()) {
                found(NetworkServer::None, target);
                return;
            }
            if (info.timedOut) {
                found(NetworkServer::None, target, NbdExportProblem(nbd, info));
                return;
            }
            found(NetworkServer::Udp, target);
        });
    });
}

void NetworkPs2::powerOff(const QString& ip, std::function<void(bool answered)> done)
{
    probe(ip, [this, ip, done](bool answered) {
        if (!answered) {
            done(false);
            return;
        }
        m_runner.run({QStringLiteral("poweroff"), ip}, [done](const RunOutcome&) { done(true); });
    });
}

bool NetworkPs2::switchOff(const Target& ps2)
{
    if (!m_gate.ready())
        return false;
    const QString ip = ps2.host();
    if (ip.isEmpty()) {
        emit problem({ProblemKind::NoAddress, {}, {}});
        return false;
    }
    if (!m_gate.begin(Activity::PoweringOff))
        return false;
    powerOff(ip, [this, ip](bool answered) {
        // Told before the gate opens again, so that whoever waits for it knows.
        if (answered)
            emit poweredOff(ip);
        m_gate.end();
        if (!answered)
            emit problem({ProblemKind::PS2NotFound, ip, {}});
    });
    return true;
}

bool NetworkPs2::switchOffAtExit(const QString& ip)
{
    const bool wanted =
        m_settings.flag(Setting::ClosePS2) && !ip.isEmpty() && m_gate.holds() && !m_gate.isBusy();
    if (!wanted) {
        QTimer::singleShot(0, this, &NetworkPs2::exitActionsDone);
        return false;
    }
    m_gate.begin(Activity::Exiting);
    powerOff(ip, [this](bool) {
        m_gate.end();
        emit exitActionsDone();
    });
    return true;
}

void NetworkPs2::open(const Target& target, NbdDisks::Opened done)
{
    if (!target.isNbd()) {
        done(std::nullopt);
        return;
    }
    m_nbd.setTool(m_runner.toolPath(), m_runner.workingDir());
    m_nbd.open(target.nbd(), std::move(done));
}
