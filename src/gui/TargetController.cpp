#include "TargetController.h"

#include "Dialogs.h"
#include "TargetPane.h"
#include "core/devices/NbdAddress.h"
#include "core/devices/Probe.h"
#include "core/session/Session.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>

#include <algorithm>

TargetController::TargetController(TargetPane* pane, Session& session, Dialogs& dialogs,
                                   Hooks hooks, QObject* parent)
    : QObject(parent), m_pane(pane), m_session(session), m_dialogs(dialogs),
      m_hooks(std::move(hooks))
{
    m_addressSave.setSingleShot(true);
    m_addressSave.setInterval(kAddressSaveDelayMs);
    connect(&m_addressSave, &QTimer::timeout, this, &TargetController::saveAddress);
    // Setting an option from code runs its action as a click does.
    // Setting an option from code runs its action as a click does.
    connect(m_pane->localTarget, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            chooseLocal();
    });
    connect(m_pane->networkTarget, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            chooseNetwork();
    });
    // The choice is kept for the next start.
    connect(m_pane->localTarget, &QRadioButton::clicked, this,
            [this] { m_session.settings().write(Setting::ChosenTarget, QStringLiteral("local")); });
    connect(m_pane->networkTarget, &QRadioButton::clicked, this, [this] {
        m_session.settings().write(Setting::ChosenTarget, QStringLiteral("network"));
    });
    connect(m_pane->diskCombo, &QComboBox::currentIndexChanged, this, [this] {
        if (m_pane->localTarget->isChecked())
            m_session.selectTarget(chosenTarget());
        m_hooks.updateControls();
    });
    connect(m_pane->attachButton, &QPushButton::clicked, this,
            &TargetController::attachChosenTarget);
    connect(m_pane->addressEdit, &QLineEdit::returnPressed, this,
            &TargetController::attachChosenTarget);
    connect(m_pane->addressEdit, &QLineEdit::textChanged, this, [this] {
        // Written once typing rests, not at every key.
        m_addressSave.start();
        // The game table shown belonged to the previous address.
        if (m_pane->networkTarget->isChecked())
            m_session.selectTarget(chosenTarget());
        else
            m_session.detach();
    });
    connect(m_pane->shutdownPs2Button, &QPushButton::clicked, this,
            &TargetController::powerOffChosenPS2);
    restoreNbdOptions();
    connect(m_pane->moreButton, &QToolButton::toggled, m_pane->nbdOptions, &QWidget::setVisible);
    connect(m_pane->exportEdit, &QLineEdit::editingFinished, this,
            &TargetController::nbdOptionsChanged);
    connect(m_pane->portSpin, &QSpinBox::editingFinished, this,
            &TargetController::nbdOptionsChanged);
    connect(m_pane->exportEdit, &QLineEdit::returnPressed, this,
            &TargetController::attachChosenTarget);
    connect(&m_session.targetGames(), &TargetGames::gamesChanged, this,
            &TargetController::showServer);
    connect(&m_session.devices(), &DeviceAccess::disksChanged, this, &TargetController::fillDisks);
    connect(&m_session, &Session::diskAccessAnswered, this, &TargetController::accessAnswered);
    connect(&m_session.targetGames(), &TargetGames::gamesChanged, this,
            &TargetController::showSpace);
}

TargetController::~TargetController()
{
    saveAddress();
}

void TargetController::restoreChoice()
{
    if (m_session.settings().text(Setting::ChosenTarget) == QLatin1String("local") &&
        m_session.toolAvailable() && !m_pane->localTarget->isChecked())
        m_pane->localTarget->setChecked(true);
}

void TargetController::saveAddress()
{
    if (!m_addressSave.isActive() &&
        m_pane->addressEdit->text() == m_session.settings().text(Setting::IP))
        return;
    m_addressSave.stop();
    m_session.settings().write(Setting::IP, m_pane->addressEdit->text());
}

void TargetController::setAddress(const QString& address)
{
    m_pane->addressEdit->setText(address);
}

bool TargetController::localChosen() const
{
    return m_pane->localTarget->isChecked();
}

int TargetController::chosenDiskRow() const
{
    return localChosen() ? m_pane->diskCombo->currentIndex() : -1;
}

void TargetController::showSpace()
{
    const std::optional<parse::SpaceSummary>& space = m_session.space();
    // The bar works in whole units of an int; large disks are shown in coarser units.
    qint64 total = space ? std::max<qint64>(space->totalMb, 0) : 0;
    qint64 used = space ? std::clamp<qint64>(space->usedMb, 0, total) : 0;
    while (total > 1000000000) {
        total /= 1024;
        used /= 1024;
    }
    m_pane->diskSpaceBar->setRange(0, static_cast<int>(std::max<qint64>(total, 1)));
    m_pane->diskSpaceBar->setValue(static_cast<int>(used));
    m_pane->diskSpaceLabel->setText(space ? space->text : QString());
}

Target TargetController::chosenTarget() const
{
    if (m_pane->localTarget->isChecked()) {
        const QString device = m_pane->diskCombo->currentData().toString();
        return device.isEmpty() ? Target() : Target::Disk(device);
    }
    return m_session.reached(Target::ParseAddress(m_pane->addressEdit->text()).value_or(Target()));
}

void TargetController::restoreNbdOptions()
{
    const QSignalBlocker quietExport(m_pane->exportEdit);
    const QSignalBlocker quietPort(m_pane->portSpin);
    const QString name = m_session.settings().text(Setting::NbdExport).trimmed();
    m_pane->exportEdit->setText(name.isEmpty() ? NbdAddress::kDefaultExport : name);
    const qint32 port = m_session.settings().number(Setting::NbdPort);
    m_pane->portSpin->setValue(port > 0 && port <= 65535 ? port : NbdAddress::kDefaultPort);
    // Shown from the start where they are not the launcher's defaults.
    const bool own = m_pane->exportEdit->text() != NbdAddress::kDefaultExport ||
                     m_pane->portSpin->value() != NbdAddress::kDefaultPort;
    m_pane->moreButton->setChecked(own);
    m_pane->nbdOptions->setVisible(own);
}

void TargetController::nbdOptionsChanged()
{
    QString name = m_pane->exportEdit->text().trimmed();
    if (name.isEmpty()) {
        name = NbdAddress::kDefaultExport;
        const QSignalBlocker quiet(m_pane->exportEdit);
        m_pane->exportEdit->setText(name);
    }
    SettingsFile& settings = m_session.settings();
    if (settings.text(Setting::NbdExport) != name)
        settings.write(Setting::NbdExport, name);
    if (settings.number(Setting::NbdPort) != m_pane->portSpin->value())
        settings.write(Setting::NbdPort, QString::number(m_pane->portSpin->value()));
    // Another export is another disk: the games shown were of the one before.
    if (m_pane->networkTarget->isChecked())
        m_session.selectTarget(chosenTarget());
}

void TargetController::showServer()
{
    // Said once the PS2's games were read through it: a server that answered a question
    // but not the listing reached nothing.
    const Target& target = m_session.target();
    const bool reached = m_session.isAttached() && target.isNetwork();
    m_pane->serverLabel->setToolTip({});
    switch (reached ? m_session.networkServer() : NetworkServer::None) {
    case NetworkServer::Nbd:
        m_pane->serverLabel->setText(
            tr("Reached through the game launcher's NBD server (export %1, port %2).")
                .arg(target.nbd().exportName)
                .arg(target.nbd().port));
        m_pane->serverLabel->setToolTip(target.toolArgument());
        break;
    case NetworkServer::Udp:
        m_pane->serverLabel->setText(tr("Reached through the UDP server (hdld_svr)."));
        break;
    case NetworkServer::None:
        m_pane->serverLabel->clear();
        break;
    }
}

void TargetController::chooseLocal()
{
    if (!m_session.toolAvailable()) {
        m_hooks.showProblem(m_session.toolMissingProblem());
        m_pane->networkTarget->setChecked(true);
        return;
    }
    m_hooks.choosingLocal();
    m_waitingForLocalDisks = m_session.refreshDisks();
    if (!m_waitingForLocalDisks)
        m_pane->networkTarget->setChecked(true);
}

void TargetController::fillDisks()
{
    TargetPane* t = m_pane;
    const int remembered = t->diskCombo->currentIndex();
    {
        const QSignalBlocker quiet(t->diskCombo);
        t->diskCombo->clear();
        for (const DiskEntry& d : m_session.disks()) {
            t->diskCombo->addItem(d.label(), d.device);
            // The whole label and the device, where a narrow window cuts them.
            t->diskCombo->setItemData(t->diskCombo->count() - 1,
                                      d.label() == d.device || d.model.isEmpty()
                                          ? d.label()
                                          : QStringLiteral("%1 - %2").arg(d.label(), d.device),
                                      Qt::ToolTipRole);
        }
        if (t->diskCombo->count() > 0)
            t->diskCombo->setCurrentIndex(
                remembered >= 0 && remembered < t->diskCombo->count() ? remembered : 0);
    }
    if (m_waitingForLocalDisks) {
        m_waitingForLocalDisks = false;
        if (t->diskCombo->count() == 0) {
            t->networkTarget->setChecked(true);
            m_hooks.showProblem({ProblemKind::NoPs2Disks, {}, {}});
            return;
        }
        t->addressLabel->hide();
        t->addressEdit->hide();
        t->setAttachCaption(tr("&Refresh HDD"), 2175);
        t->shutdownPs2Button->hide();
        t->diskCombo->show();
        m_session.selectTarget(chosenTarget());
    }
    m_hooks.updateControls();
}

void TargetController::chooseNetwork()
{
    TargetPane* t = m_pane;
    {
        const QSignalBlocker quiet(t->diskCombo);
        t->diskCombo->setCurrentIndex(-1);
    }
    t->diskCombo->hide();
    t->addressLabel->show();
    t->addressEdit->show();
    t->shutdownPs2Button->show();
    t->setAttachCaption(tr("&Refresh PS2"), 1215);
    m_session.selectTarget(chosenTarget());
    m_hooks.updateControls();
}

void TargetController::attachChosenTarget()
{
    const bool local = m_pane->localTarget->isChecked();
    if (local) {
        const int row = m_pane->diskCombo->currentIndex();
        if (row >= 0 && row < m_session.disks().size() && m_session.disks()[row].needsPermission) {
            askForAccess(m_session.disks()[row]);
            return;
        }
    }
    if (local) {
        m_session.attach(chosenTarget());
        return;
    }
    // The address as typed, told when it is none; the export a refresh found there, else itself.
    if (const std::optional<Target> typed = m_session.targetFrom(m_pane->addressEdit->text(), true))
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
    const int row = m_pane->diskCombo->findData(device);
    if (row >= 0)
        m_pane->diskCombo->setCurrentIndex(row);
    m_session.attach(Target::Disk(device));
}

void TargetController::powerOffChosenPS2()
{
    const std::optional<Target> ps2 = m_session.targetFrom(m_pane->addressEdit->text(), true);
    // One click beside Refresh must not switch a console off by mistake.
    if (!ps2 || m_dialogs.question(tr("Switch off the PS2 at %1?").arg(ps2->host()),
                                   Dialogs::Icon::Exclamation) != Dialogs::Answer::Yes)
        return;
    m_session.powerOffPS2(*ps2);
}
