#include "TargetController.h"

#include "Dialogs.h"
#include "TargetPane.h"
#include "core/devices/NbdAddress.h"
#include "core/devices/Probe.h"
#include "core/session/Session.h"

#include <algorithm>
#include <utility>

TargetController::TargetController(TargetPane* pane, Session& session, Dialogs& dialogs,
                                   Hooks hooks, QObject* parent)
    : QObject(parent), m_pane(pane), m_session(session), m_dialogs(dialogs),
      m_hooks(std::move(hooks))
{
    m_addressSave.setSingleShot(true);
    m_addressSave.setInterval(kAddressSaveDelayMs);
    connect(&m_addressSave, &QTimer::timeout, this, &TargetController::saveAddress);
    connect(m_pane, &TargetPane::localChosen, this, &TargetController::chooseLocal);
    connect(m_pane, &TargetPane::networkChosen, this, &TargetController::chooseNetwork);
    // The choice is kept for the next start.
    connect(m_pane, &TargetPane::modeClicked, this, [this](bool local) {
        m_session.settings().write(Setting::ChosenTarget,
                                   local ? QStringLiteral("local") : QStringLiteral("network"));
    });
    connect(m_pane, &TargetPane::diskChanged, this, [this] {
        if (m_pane->isLocal())
            m_session.selectTarget(chosenTarget());
        m_hooks.updateControls();
    });
    connect(m_pane, &TargetPane::attachAsked, this, &TargetController::attachChosenTarget);
    connect(m_pane, &TargetPane::addressEdited, this, [this] {
        // Written once typing rests, not at every key. The games shown stay those of the
        // address read until another is read (Enter or Refresh): a half-typed one is nothing.
        m_addressSave.start();
    });
    connect(m_pane, &TargetPane::powerOffAsked, this, &TargetController::powerOffChosenPS2);
    restoreNbdOptions();
    connect(m_pane, &TargetPane::nbdOptionsEdited, this, &TargetController::nbdOptionsChanged);
    connect(&m_session.targetGames(), &TargetGames::gamesChanged, this, [this] {
        showServer();
        m_pane->showSpace(m_session.space());
        // What was read is read again at the next start.
        if (m_session.isAttached() && m_session.space() &&
            m_session.target() == m_session.reached(chosenTarget()) &&
            m_session.settings().text(Setting::LastRead) != choiceKey())
            m_session.settings().write(Setting::LastRead, choiceKey());
    });
    connect(&m_session.devices(), &DeviceAccess::disksChanged, this, &TargetController::fillDisks);
    connect(&m_session, &Session::diskAccessAnswered, this, &TargetController::accessAnswered);
}

TargetController::~TargetController()
{
    saveAddress();
}

void TargetController::restoreChoice()
{
    if (m_session.settings().text(Setting::ChosenTarget) == QLatin1String("local") &&
        m_session.toolAvailable() && !m_pane->isLocal())
        m_pane->choose(true);
}

void TargetController::saveAddress()
{
    if (!m_addressSave.isActive() && m_pane->address() == m_session.settings().text(Setting::IP))
        return;
    m_addressSave.stop();
    m_session.settings().write(Setting::IP, m_pane->address());
}

void TargetController::setAddress(const QString& address)
{
    m_pane->setAddress(address);
    if (!m_pane->isLocal())
        m_session.selectTarget(chosenTarget());
}

QString TargetController::address() const
{
    return m_pane->address();
}

bool TargetController::localChosen() const
{
    return m_pane->isLocal();
}

int TargetController::chosenDiskRow() const
{
    return localChosen() ? m_pane->chosenDiskRow() : -1;
}

Target TargetController::chosenTarget() const
{
    if (m_pane->isLocal()) {
        const QString device = m_pane->chosenDisk();
        return device.isEmpty() ? Target() : Target::Disk(device);
    }
    return m_session.reached(Target::ParseAddress(m_pane->address()).value_or(Target()));
}

void TargetController::restoreNbdOptions()
{
    const QString name = m_session.settings().text(Setting::NbdExport).trimmed();
    const qint32 port = m_session.settings().number(Setting::NbdPort);
    const QString exportName = name.isEmpty() ? NbdAddress::kDefaultExport : name;
    const int shownPort = port > 0 && port <= 65535 ? port : NbdAddress::kDefaultPort;
    // Shown from the start where they are not the launcher's defaults.
    m_pane->setNbdOptions(exportName, shownPort,
                          exportName != NbdAddress::kDefaultExport ||
                              shownPort != NbdAddress::kDefaultPort);
}

void TargetController::nbdOptionsChanged()
{
    QString name = m_pane->exportName().trimmed();
    if (name.isEmpty()) {
        name = NbdAddress::kDefaultExport;
        m_pane->setExportName(name);
    }
    SettingsFile& settings = m_session.settings();
    if (settings.text(Setting::NbdExport) != name)
        settings.write(Setting::NbdExport, name);
    if (settings.number(Setting::NbdPort) != m_pane->port())
        settings.write(Setting::NbdPort, QString::number(m_pane->port()));
    // Another export is another disk: the games shown were of the one before.
    if (!m_pane->isLocal())
        m_session.selectTarget(chosenTarget());
}

void TargetController::showServer()
{
    // Said once the PS2's games were read through it: a server that answered a question
    // but not the listing reached nothing.
    const Target& target = m_session.target();
    const bool reached = m_session.isAttached() && target.isNetwork();
    switch (reached ? m_session.networkServer() : NetworkServer::None) {
    case NetworkServer::Nbd:
        m_pane->showServer(
            tr("Reached through the game launcher's NBD server (export %1, port %2).")
                .arg(target.nbd().exportName)
                .arg(target.nbd().port),
            target.toolArgument());
        break;
    case NetworkServer::Udp:
        m_pane->showServer(tr("Reached through the UDP server (hdld_svr)."));
        break;
    case NetworkServer::None:
        m_pane->showServer({});
        break;
    }
}

void TargetController::chooseLocal()
{
    if (!m_session.toolAvailable()) {
        m_hooks.showProblem(m_session.toolMissingProblem());
        m_pane->choose(false);
        return;
    }
    m_hooks.choosingLocal();
    m_waitingForLocalDisks = m_session.refreshDisks();
    if (!m_waitingForLocalDisks)
        m_pane->choose(false);
}

QString TargetController::choiceKey() const
{
    return m_pane->isLocal() ? QStringLiteral("local:") + m_pane->chosenDisk()
                             : QStringLiteral("network:") + m_pane->address().trimmed();
}

bool TargetController::readRemembered(std::function<void()> done)
{
    const QString last = m_session.settings().text(Setting::LastRead);
    if (last.isEmpty() || !m_session.toolAvailable())
        return false;
    if (m_pane->isLocal() && last.startsWith(QLatin1String("local:"))) {
        // Read once the disks are listed, if it is still there.
        m_readWhenListed = last.mid(6);
        m_startReadDone = std::move(done);
        if (!m_waitingForLocalDisks)
            fillDisks();
        return true;
    }
    if (last != choiceKey())
        return false;
    attachChosenTarget();
    m_session.whenIdle(std::move(done));
    return true;
}

void TargetController::fillDisks()
{
    m_pane->setDisks(m_session.disks());
    if (m_waitingForLocalDisks) {
        m_waitingForLocalDisks = false;
        if (m_pane->diskCount() == 0) {
            m_pane->choose(false);
            m_hooks.showProblem({ProblemKind::NoPs2Disks, {}, {}});
            return;
        }
        m_pane->showMode(true);
        m_session.selectTarget(chosenTarget());
    }
    if (!m_readWhenListed.isEmpty() && !m_waitingForLocalDisks)
        m_session.whenIdle([this] {
            const QString device = std::exchange(m_readWhenListed, QString());
            const QList<DiskEntry>& disks = m_session.disks();
            const auto disk = std::find_if(disks.begin(), disks.end(),
                                           [&](const DiskEntry& d) { return d.device == device; });
            std::function<void()> done = std::exchange(m_startReadDone, {});
            // One this user may not read is not asked for unasked.
            if (!device.isEmpty() && disk != disks.end() && !disk->needsPermission) {
                m_pane->chooseDisk(device);
                m_session.selectTarget(chosenTarget());
                m_session.attach(chosenTarget());
            }
            if (done)
                m_session.whenIdle(std::move(done));
        });
    m_hooks.updateControls();
}

void TargetController::chooseNetwork()
{
    m_pane->clearDisk();
    m_pane->showMode(false);
    m_session.selectTarget(chosenTarget());
    m_hooks.updateControls();
}

void TargetController::attachChosenTarget()
{
    if (m_pane->isLocal()) {
        const int row = m_pane->chosenDiskRow();
        if (row >= 0 && row < m_session.disks().size() && m_session.disks()[row].needsPermission) {
            askForAccess(m_session.disks()[row]);
            return;
        }
        m_session.attach(chosenTarget());
        return;
    }
    // The address as typed, told when it is none; the export a refresh found there, else itself.
    if (const std::optional<Target> typed = m_session.targetFrom(m_pane->address(), true))
        m_session.attach(*typed);
}

void TargetController::askForAccess(const DiskEntry& disk)
{
    if (m_accessQuestion || !m_accessAskedFor.isEmpty())
        return;
    const QString device = disk.device;
    m_accessQuestion = m_dialogs.ask(
        tr("Allow Ventrik to use this disk?\n\n%1 may be a PS2 disk, but your user may not "
           "read or write it. The system asks for an administrator's password, then lets you "
           "use this one disk until Ventrik no longer needs it.")
            .arg(disk.label()),
        Dialogs::Icon::Exclamation, m_pane->window(), [this, device](Dialogs::Answer answer) {
            if (answer != Dialogs::Answer::Yes)
                return;
            m_accessAskedFor = device;
            m_session.requestDiskAccess(device);
        });
}

void TargetController::accessAnswered(const QString& device,
                                      const platform::PermissionAnswer& answer)
{
    if (device != m_accessAskedFor)
        return;
    m_accessAskedFor.clear();
    if (answer.result != platform::PermissionResult::Done)
        return;
    // The disks were listed again: the disk is chosen and read, or said to be no PS2 disk.
    m_pane->chooseDisk(device);
    m_session.attach(Target::Disk(device));
}

void TargetController::powerOffChosenPS2()
{
    const std::optional<Target> ps2 = m_session.targetFrom(m_pane->address(), true);
    // One click beside Refresh must not switch a console off by mistake.
    if (!ps2 || m_dialogs.question(tr("Switch off the PS2 at %1?").arg(ps2->host()),
                                   Dialogs::Icon::Exclamation) != Dialogs::Answer::Yes)
        return;
    m_session.powerOffPS2(*ps2);
}
