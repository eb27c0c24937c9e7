#pragma once

#include "ActivityGate.h"
#include "NbdDisks.h"
#include "Problem.h"
#include "ToolRunner.h"
#include "core/devices/Target.h"
#include "core/settings/Settings.h"

#include <QObject>
#include <QSet>
#include <QThreadPool>

#include <functional>
#include <optional>

class IcmpBackend;

// The server a networked PS2 answered with: its launcher's NBD server, or the older UDP one.
enum class NetworkServer : std::uint8_t { None, Nbd, Udp };

// A PS2 on the network: whether it answers at all (an ICMP echo, off this thread), which server
// it runs, and its export opened for the tool while work needs it.
class NetworkPs2 : public QObject
{
    Q_OBJECT
public:
    // done(problem) when nothing answered, with what to tell (nothing after a cancel).
    using Found = std::function<void(const std::optional<Problem>& silent)>;

    NetworkPs2(IcmpBackend& icmp, QThreadPool& pool, NbdDisks& nbd, ToolRunner& runner,
               const SettingsFile& settings, ActivityGate& gate, QObject* parent = nullptr);

    // done(answered) on this thread. Where no echo can be sent at all, the tool is asked.
    void probe(const QString& address, std::function<void(bool answered)> done);
    // The export the settings name (export and port) at that address.
    NbdAddress exportAt(const QString& ip) const;
    // What a target stands for: the export at its address where the last refresh found the
    // launcher's NBD server there, with the export and port of the settings; else itself.
    Target reached(const Target& typed) const;
    // The address probed, then the launcher's NBD server asked, then the UDP server assumed.
    // found(problem) when nothing answered; reachedTarget() is the export where NBD answered.
    void findServer(const Target& target, Found found);
    NetworkServer server() const { return m_server; }
    const Target& reachedTarget() const { return m_reached; }
    // A PS2 that answers told to switch off; done(answered) once it was.
    void powerOff(const QString& ip, std::function<void(bool answered)> done);
    // The same as an activity of the gate: poweredOff before it ends, or a PS2NotFound problem
    // after. False when refused (told).
    bool switchOff(const Target& ps2);
    // Before the program ends, the PS2 at ip switched off when the settings ask for it (and
    // nothing else runs); exitActionsDone follows either way.
    bool switchOffAtExit(const QString& ip);
    // A PS2's export opened before the tool is given it; done(problem) when it cannot be. At
    // once for any other target.
    void open(const Target& target, NbdDisks::Opened done);

signals:
    void problem(const Problem& problem);
    // A refresh found which server a PS2 runs (None: nothing answered) and what it reached.
    void serverFound(NetworkServer server, const Target& target);
    void poweredOff(const QString& ip);
    void exitActionsDone();

private:
    IcmpBackend& m_icmp;
    QThreadPool& m_pool;
    NbdDisks& m_nbd;
    ToolRunner& m_runner;
    const SettingsFile& m_settings;
    ActivityGate& m_gate;
    NetworkServer m_server = NetworkServer::None;
    Target m_reached;
    QSet<QString> m_nbdHosts; // exports the last refreshes found answering
};
