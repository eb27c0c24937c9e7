#include "DiskToolsPage.h"

#include "Dialogs.h"
#include "TrayIcon.h"
#include "core/session/Session.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

DiskToolsPage::DiskToolsPage(Context context, QWidget* parent)
    : QWidget(parent), m_context(std::move(context))
{
    setObjectName(QStringLiteral("toolsTab"));
    diskCombo = new QComboBox;
    diskCombo->setObjectName(QStringLiteral("diskCombo"));
    refreshButton = new QPushButton(tr("Refresh Drives"));
    refreshButton->setObjectName(QStringLiteral("refreshButton"));
    formatButton = new QPushButton(tr("Format this Drive"));
    formatButton->setObjectName(QStringLiteral("formatButton"));
    formatButton->setEnabled(false);
    auto* l = new QVBoxLayout(this);
    l->addWidget(new QLabel(tr("Format a HDD for HDLoader use:")));
    l->addWidget(diskCombo);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(refreshButton);
    buttons->addWidget(formatButton);
    buttons->addStretch();
    l->addLayout(buttons);
    l->addStretch();
    diskCombo->setToolTip(tr("The disks this PC has; only one that holds nothing you need may "
                             "be formatted."));
    refreshButton->setToolTip(tr("Looks for disks again."));
    formatButton->setToolTip(tr("Erases the chosen disk and makes it a PS2 disk, after asking."));
    connect(refreshButton, &QPushButton::clicked, this, &DiskToolsPage::refreshDiskList);
    connect(formatButton, &QPushButton::clicked, this, &DiskToolsPage::formatChosenDisk);

    Session& session = m_context.session;
    connect(&session.devices(), &DeviceAccess::allDisksChanged, this, &DiskToolsPage::fillDisks);
    // A disk this user may not read is formatted once the system gave access to it.
    connect(&session, &Session::diskAccessAnswered, this,
            [this](const QString& device, const platform::PermissionAnswer& answer) {
                if (device != std::exchange(m_formatAfterAccess, QString()) ||
                    answer.result != platform::PermissionResult::Done)
                    return;
                m_context.session.formatDisk(device);
            });
    connect(&session, &Session::busyChanged, this, &DiskToolsPage::updateControls);
    connect(&session, &Session::diskFormatted, this, [this](const QString& device) {
        const int row = diskCombo->findData(device);
        const QString label = row >= 0 ? diskCombo->itemText(row) : device;
        ShowBalloon(m_context.tray, m_context.settings(),
                    tr("%1 has been formatted for HDLoader").arg(label));
    });
}

void DiskToolsPage::listIfEmpty()
{
    if (diskCombo->count() == 0 && !m_context.session.isBusy() && m_context.session.toolAvailable())
        m_context.session.refreshAllDisks();
}

void DiskToolsPage::fillDisks()
{
    const int index = diskCombo->currentIndex();
    diskCombo->clear();
    for (const DiskEntry& d : m_context.session.allDisks()) {
        QString label = d.label();
        // A disk this user may not read says so, and nothing of a format nobody could see.
        if (d.ps2Formatted)
            label = tr("%1 - Playstation2 Formatted").arg(label);
        else if (!d.needsPermission)
            label = d.unreadable ? tr("%1 - Unknown Format (cannot be read)").arg(label)
                                 : tr("%1 - Unknown Format").arg(label);
        diskCombo->addItem(label, d.device);
    }
    if (diskCombo->count() > 0)
        diskCombo->setCurrentIndex(index >= 0 && index < diskCombo->count() ? index : 0);
    updateControls();
}

void DiskToolsPage::updateControls()
{
    const bool idle = !m_context.session.isBusy();
    refreshButton->setEnabled(idle);
    formatButton->setEnabled(idle && diskCombo->count() > 0);
}

void DiskToolsPage::refreshDiskList()
{
    if (m_context.toolMissing())
        return;
    m_context.session.refreshAllDisks();
}

void DiskToolsPage::formatChosenDisk()
{
    if (m_context.toolMissing())
        return;
    // The disk is its device, kept beside the label: the label only shows it.
    const QString drive = diskCombo->currentText();
    const QString device = diskCombo->currentData().toString();
    if (device.isEmpty())
        return;
    if (m_context.dialogs.question(
            tr("ARE YOU SURE YOU WANT TO FORMAT THIS HARD DRIVE?\n\n%1\n\nALL EXISTING DATA ON "
               "THIS DRIVE WILL BE LOST")
                .arg(drive),
            Dialogs::Icon::Critical, tr("ARE YOU 100% SURE?")) != Dialogs::Answer::Yes)
        return;
    const QList<DiskEntry>& disks = m_context.session.allDisks();
    const auto entry = std::find_if(disks.begin(), disks.end(),
                                    [&](const DiskEntry& d) { return d.device == device; });
    if (entry != disks.end() && entry->needsPermission) {
        // Asked for to format: the helper gives access to a disk without the PS2 signature.
        m_formatAfterAccess = device;
        m_context.session.requestDiskAccess(device, DiskAccessUse::Format);
        return;
    }
    m_context.session.formatDisk(device);
}
