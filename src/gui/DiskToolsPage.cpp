#include "DiskToolsPage.h"

#include "Dialogs.h"
#include "TrayIcon.h"
#include "core/session/Session.h"

#include <QComboBox>
#include <QFileInfo>
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
    auto* diskLabel = new QLabel(tr("Format a HDD for HDLoader use:"));
    diskLabel->setBuddy(diskCombo);
    l->addWidget(diskLabel);
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
    const QList<DiskEntry>& disks = m_context.session.allDisks();
    const auto entry = std::find_if(disks.begin(), disks.end(),
                                    [&](const DiskEntry& d) { return d.device == device; });
    if (entry != disks.end() && entry->ps2Formatted) {
        // What would be lost is counted first, from the disk as it is now.
        const Target disk = Target::Disk(device);
        Operation* read = m_context.session.operate(
            [this, &disk] { return m_context.session.readTargetFacts(disk); });
        connect(read, &Operation::finished, this,
                [this, device, drive, disk](const OperationResult& result) {
                    if (!result.started)
                        return;
                    const TargetFacts facts = m_context.session.targetGames().factsOf(disk);
                    confirmPs2Format(device, drive, facts.read ? facts.games.size() : -1);
                });
        return;
    }
    if (m_context.dialogs.question(
            tr("Format %1 as a PS2 disk?\n\nEverything on this disk will be erased.").arg(drive),
            Dialogs::Icon::Critical, tr("Format Disk")) != Dialogs::Answer::Yes)
        return;
    format(device);
}

void DiskToolsPage::confirmPs2Format(const QString& device, const QString& drive,
                                     qsizetype gameCount)
{
    if (gameCount == 0) {
        if (m_context.dialogs.question(
                tr("Format %1 again?\n\nIt holds no games; its partitions will be erased.")
                    .arg(drive),
                Dialogs::Icon::Critical, tr("Format Disk")) == Dialogs::Answer::Yes)
            format(device);
        return;
    }
    const QString name = QFileInfo(device).fileName();
    const QString lost =
        gameCount > 0
            ? tr("%1 holds %n PS2 game(s). Formatting erases them, and everything else on the "
                 "disk; nothing can bring them back.",
                 nullptr, static_cast<int>(gameCount))
                  .arg(drive)
            : tr("%1 is a PS2 disk whose games could not be counted. Formatting erases them, "
                 "and everything else on the disk; nothing can bring them back.")
                  .arg(drive);
    const std::optional<QString> typed = m_context.dialogs.inputText(
        lost + QStringLiteral("\n\n") + tr("Type the disk's name, %1, to format it:").arg(name),
        tr("Format Disk"));
    if (!typed)
        return;
    if (typed->trimmed() != name) {
        m_context.dialogs.message(tr("Nothing was formatted: the name typed is not %1.").arg(name),
                                  Dialogs::Icon::Information, tr("Format Disk"));
        return;
    }
    format(device);
}

void DiskToolsPage::format(const QString& device)
{
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
