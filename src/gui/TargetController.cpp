#include "TargetController.h"

#include "Dialogs.h"
#include "TargetPane.h"
#include "Twips.h"
#include "core/devices/Probe.h"
#include "core/session/Session.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

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
    connect(m_pane->optLocal, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            chooseLocal();
    });
    connect(m_pane->optLAN, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            chooseNetwork();
    });
    connect(m_pane->cmbHD, &QComboBox::currentIndexChanged, this, [this] {
        if (m_pane->optLocal->isChecked())
            m_session.selectTarget(TargetKind::LocalDisk, chosenDevice());
        m_hooks.updateControls();
    });
    connect(m_pane->cmdAttach, &QPushButton::clicked, this, &TargetController::attachChosenTarget);
    connect(m_pane->txtIP, &QLineEdit::returnPressed, this, &TargetController::attachChosenTarget);
    connect(m_pane->txtIP, &QLineEdit::textChanged, this, [this](const QString& ip) {
        // Written once typing rests, not at every key.
        m_addressSave.start();
        // The game table shown belonged to the previous address.
        if (m_pane->optLAN->isChecked())
            m_session.selectTarget(TargetKind::Network, ip);
        else
            m_session.detach();
    });
    connect(m_pane->cmdShutdownPS2, &QPushButton::clicked, this,
            &TargetController::powerOffChosenPS2);
    connect(&m_session, &Session::disksChanged, this, &TargetController::fillDisks);
    connect(&m_session, &Session::gamesChanged, this, &TargetController::showSpace);
}

TargetController::~TargetController()
{
    saveAddress();
}

void TargetController::saveAddress()
{
    if (!m_addressSave.isActive() &&
        m_pane->txtIP->text() == m_session.settings().text(Setting::IP))
        return;
    m_addressSave.stop();
    m_session.settings().write(Setting::IP, m_pane->txtIP->text());
}

void TargetController::setAddress(const QString& address)
{
    m_pane->txtIP->setText(address);
}

bool TargetController::localChosen() const
{
    return m_pane->optLocal->isChecked();
}

int TargetController::chosenDiskRow() const
{
    return localChosen() ? m_pane->cmbHD->currentIndex() : -1;
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
    m_pane->prgDiskSpace->setRange(0, static_cast<int>(std::max<qint64>(total, 1)));
    m_pane->prgDiskSpace->setValue(static_cast<int>(used));
    m_pane->lblDiskSpace->setText(space ? space->text : QString());
}

QString TargetController::chosenDevice() const
{
    return m_pane->optLocal->isChecked() ? m_pane->cmbHD->currentData().toString()
                                         : m_pane->txtIP->text();
}

void TargetController::chooseLocal()
{
    if (!m_session.toolAvailable()) {
        m_hooks.showProblem({ProblemKind::ToolMissing, m_session.paths().toolPath, {}});
        m_pane->optLAN->setChecked(true);
        return;
    }
    m_hooks.choosingLocal();
    m_waitingForLocalDisks = m_session.refreshDisks();
    if (!m_waitingForLocalDisks)
        m_pane->optLAN->setChecked(true);
}

void TargetController::fillDisks()
{
    TargetPane* t = m_pane;
    const int remembered = t->cmbHD->currentIndex();
    {
        const QSignalBlocker quiet(t->cmbHD);
        t->cmbHD->clear();
        for (const DiskEntry& d : m_session.disks())
            t->cmbHD->addItem(d.label(), d.device);
        if (t->cmbHD->count() > 0)
            t->cmbHD->setCurrentIndex(remembered >= 0 && remembered < t->cmbHD->count() ? remembered
                                                                                        : 0);
    }
    if (m_waitingForLocalDisks) {
        m_waitingForLocalDisks = false;
        if (t->cmbHD->count() == 0) {
            t->optLAN->setChecked(true);
            m_hooks.showProblem({ProblemKind::NoPs2Disks, {}, {}});
            return;
        }
        t->Label6->hide();
        t->txtIP->hide();
        t->cmdAttach->setText(tr("&Refresh HDD"));
        t->cmdAttach->setFixedWidth(Twips(t, 2175));
        t->cmdShutdownPS2->hide();
        t->cmbHD->show();
        m_session.selectTarget(TargetKind::LocalDisk, chosenDevice());
    }
    m_hooks.updateControls();
}

void TargetController::chooseNetwork()
{
    TargetPane* t = m_pane;
    {
        const QSignalBlocker quiet(t->cmbHD);
        t->cmbHD->setCurrentIndex(-1);
    }
    t->cmbHD->hide();
    t->Label6->show();
    t->txtIP->show();
    t->cmdShutdownPS2->show();
    t->cmdAttach->setText(tr("&Refresh PS2"));
    t->cmdAttach->setFixedWidth(Twips(t, 1215));
    m_session.selectTarget(TargetKind::Network, t->txtIP->text());
    m_hooks.updateControls();
}

void TargetController::attachChosenTarget()
{
    const bool local = m_pane->optLocal->isChecked();
    m_session.attach(local ? TargetKind::LocalDisk : TargetKind::Network, chosenDevice());
}

void TargetController::powerOffChosenPS2()
{
    const QString ip = m_pane->txtIP->text().trimmed();
    // One click beside Refresh must not switch a console off by mistake.
    if (!ip.isEmpty() && NormaliseIPv4(ip) &&
        m_dialogs.question(tr("Switch off the PS2 at %1?").arg(ip), Dialogs::Icon::Exclamation) !=
            Dialogs::Answer::Yes)
        return;
    m_session.powerOffPS2(ip);
}
