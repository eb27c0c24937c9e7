#include "TargetPane.h"

#include "Twips.h"
#include "core/devices/NbdAddress.h"

#include <algorithm>

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

TargetPane::TargetPane(QWidget* parent) : QGroupBox(tr("Playstation 2 Device"), parent)
{
    setObjectName(QStringLiteral("targetPane"));
    m_localTarget = new QRadioButton(tr("Locally connected PS2 HDD"), this);
    m_localTarget->setObjectName(QStringLiteral("localTarget"));
    m_networkTarget = new QRadioButton(tr("LAN - Networked PS2"), this);
    m_networkTarget->setObjectName(QStringLiteral("networkTarget"));
    m_networkTarget->setChecked(true);

    m_diskCombo = new QComboBox(this);
    m_diskCombo->setObjectName(QStringLiteral("diskCombo"));
    m_diskCombo->hide();
    m_addressLabel = new QLabel(tr("  IP:"), this);
    m_addressLabel->setObjectName(QStringLiteral("addressLabel"));
    m_addressEdit = new QLineEdit(QStringLiteral("192.168.0.10"), this);
    m_addressEdit->setObjectName(QStringLiteral("addressEdit"));
    m_addressLabel->setBuddy(m_addressEdit);
    m_addressEdit->setMaxLength(255);
    // What an address is made of, an NBD address's too (nbd://IP:PORT/EXPORT); a pasted line
    // break never gets in.
    m_addressEdit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[A-Za-z0-9.:/_ -]{0,255}")), m_addressEdit));
    m_addressEdit->setToolTip(
        tr("The PS2's IP address. Refresh asks its game launcher's NBD server first, then "
           "the older UDP server. An address such as nbd://192.168.0.10:10809/hdd0 asks only "
           "the NBD server."));
    m_moreButton = new QToolButton(this);
    m_moreButton->setObjectName(QStringLiteral("moreButton"));
    m_moreButton->setText(tr("More…"));
    m_moreButton->setCheckable(true);
    m_moreButton->setToolTip(tr("The export and port of the PS2's NBD server"));

    m_nbdOptions = new QWidget(this);
    m_nbdOptions->setObjectName(QStringLiteral("nbdOptions"));
    auto* exportLabel = new QLabel(tr("Export name:"), m_nbdOptions);
    m_exportEdit = new QLineEdit(m_nbdOptions);
    m_exportEdit->setObjectName(QStringLiteral("exportEdit"));
    m_exportEdit->setMaxLength(64);
    m_exportEdit->setPlaceholderText(NbdAddress::kDefaultExport);
    // The export's name ends up in a folder's name: letters, digits and . _ - only.
    m_exportEdit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("([A-Za-z0-9][A-Za-z0-9._-]*)?")), m_exportEdit));
    exportLabel->setBuddy(m_exportEdit);
    auto* portLabel = new QLabel(tr("Port:"), m_nbdOptions);
    m_portSpin = new QSpinBox(m_nbdOptions);
    m_portSpin->setObjectName(QStringLiteral("portSpin"));
    m_portSpin->setRange(1, 65535);
    m_portSpin->setValue(NbdAddress::kDefaultPort);
    portLabel->setBuddy(m_portSpin);
    auto* options = new QHBoxLayout(m_nbdOptions);
    options->setContentsMargins(0, 0, 0, 0);
    options->addWidget(exportLabel);
    options->addWidget(m_exportEdit, 1);
    options->addWidget(portLabel);
    options->addWidget(m_portSpin);
    m_nbdOptions->hide();

    m_serverLabel = new QLabel(this);
    m_serverLabel->setObjectName(QStringLiteral("serverLabel"));
    m_serverLabel->setWordWrap(true);
    m_serverLabel->setForegroundRole(QPalette::PlaceholderText);

    m_attachButton = new QPushButton(this);
    m_attachButton->setObjectName(QStringLiteral("attachButton"));
    setAttachCaption(tr("&Refresh PS2"), 1215);
    m_shutdownPs2Button = new QPushButton(tr("Sh&utdown PS2"), this);
    m_shutdownPs2Button->setObjectName(QStringLiteral("shutdownPs2Button"));

    auto* spaceBox = new QGroupBox(tr("HDD Space Information"), this);
    spaceBox->setObjectName(QStringLiteral("spaceBox"));
    m_diskSpaceBar = new QProgressBar(spaceBox);
    m_diskSpaceBar->setObjectName(QStringLiteral("diskSpaceBar"));
    m_diskSpaceBar->setRange(0, 100);
    m_diskSpaceBar->setValue(0);
    m_diskSpaceBar->setTextVisible(false);
    m_diskSpaceLabel = new QLabel(spaceBox);
    m_diskSpaceLabel->setObjectName(QStringLiteral("diskSpaceLabel"));
    m_diskSpaceLabel->setAlignment(Qt::AlignCenter);
    auto* space = new QVBoxLayout(spaceBox);
    space->addWidget(m_diskSpaceBar);
    space->addWidget(m_diskSpaceLabel);

    auto* modes = new QHBoxLayout;
    modes->addWidget(m_localTarget);
    modes->addWidget(m_networkTarget);
    modes->addStretch();

    auto* device = new QHBoxLayout;
    device->addWidget(m_diskCombo, 1);
    device->addWidget(m_addressLabel);
    device->addWidget(m_addressEdit, 1);
    device->addWidget(m_moreButton);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_attachButton);
    buttons->addWidget(m_shutdownPs2Button);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(modes);
    layout->addLayout(device);
    layout->addWidget(m_nbdOptions);
    layout->addLayout(buttons);
    layout->addWidget(m_serverLabel);
    layout->addWidget(spaceBox);
    layout->addStretch();
    // Setting a mode from code tells it as a click does.
    connect(m_localTarget, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            emit localChosen();
    });
    connect(m_networkTarget, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            emit networkChosen();
    });
    connect(m_localTarget, &QRadioButton::clicked, this, [this] { emit modeClicked(true); });
    connect(m_networkTarget, &QRadioButton::clicked, this, [this] { emit modeClicked(false); });
    connect(m_diskCombo, &QComboBox::currentIndexChanged, this, &TargetPane::diskChanged);
    connect(m_addressEdit, &QLineEdit::textChanged, this, &TargetPane::addressEdited);
    for (QLineEdit* edit : {m_addressEdit, m_exportEdit})
        connect(edit, &QLineEdit::returnPressed, this, &TargetPane::attachAsked);
    connect(m_attachButton, &QPushButton::clicked, this, &TargetPane::attachAsked);
    connect(m_shutdownPs2Button, &QPushButton::clicked, this, &TargetPane::powerOffAsked);
    connect(m_moreButton, &QToolButton::toggled, m_nbdOptions, &QWidget::setVisible);
    connect(m_exportEdit, &QLineEdit::editingFinished, this, &TargetPane::nbdOptionsEdited);
    connect(m_portSpin, &QSpinBox::editingFinished, this, &TargetPane::nbdOptionsEdited);
}

void TargetPane::setAttachCaption(const QString& caption, int twips)
{
    m_attachButton->setText(caption);
    m_attachButton->setFixedWidth(std::max(Twips(this, twips), m_attachButton->sizeHint().width()));
}

void TargetPane::applyControls(const ControlState& state)
{
    for (QWidget* w : std::initializer_list<QWidget*>{m_localTarget, m_networkTarget, m_diskCombo,
                                                      m_addressEdit, m_moreButton, m_nbdOptions,
                                                      m_attachButton, m_shutdownPs2Button})
        w->setEnabled(state.targetControls);
}

bool TargetPane::isLocal() const
{
    return m_localTarget->isChecked();
}

void TargetPane::choose(bool local)
{
    (local ? m_localTarget : m_networkTarget)->setChecked(true);
}

void TargetPane::showMode(bool local)
{
    m_diskCombo->setVisible(local);
    m_addressLabel->setVisible(!local);
    m_addressEdit->setVisible(!local);
    m_moreButton->setVisible(!local);
    m_nbdOptions->setVisible(!local && m_moreButton->isChecked());
    m_shutdownPs2Button->setVisible(!local);
    if (local)
        setAttachCaption(tr("&Refresh HDD"), 2175);
    else
        setAttachCaption(tr("&Refresh PS2"), 1215);
}

void TargetPane::setDisks(const QList<DiskEntry>& disks)
{
    const int remembered = m_diskCombo->currentIndex();
    const QSignalBlocker quiet(m_diskCombo);
    m_diskCombo->clear();
    for (const DiskEntry& d : disks) {
        m_diskCombo->addItem(d.label(), d.device);
        // The whole label and the device, where a narrow window cuts them.
        m_diskCombo->setItemData(m_diskCombo->count() - 1,
                                 d.label() == d.device || d.model.isEmpty()
                                     ? d.label()
                                     : QStringLiteral("%1 - %2").arg(d.label(), d.device),
                                 Qt::ToolTipRole);
    }
    if (m_diskCombo->count() > 0)
        m_diskCombo->setCurrentIndex(
            remembered >= 0 && remembered < m_diskCombo->count() ? remembered : 0);
}

int TargetPane::diskCount() const
{
    return m_diskCombo->count();
}

QString TargetPane::chosenDisk() const
{
    return m_diskCombo->currentData().toString();
}

QString TargetPane::chosenDiskLabel() const
{
    return m_diskCombo->currentText().trimmed();
}

int TargetPane::chosenDiskRow() const
{
    return m_diskCombo->currentIndex();
}

void TargetPane::chooseDisk(const QString& device)
{
    if (const int row = m_diskCombo->findData(device); row >= 0)
        m_diskCombo->setCurrentIndex(row);
}

void TargetPane::clearDisk()
{
    const QSignalBlocker quiet(m_diskCombo);
    m_diskCombo->setCurrentIndex(-1);
}

QString TargetPane::address() const
{
    return m_addressEdit->text();
}

void TargetPane::setAddress(const QString& address)
{
    m_addressEdit->setText(address);
}

QString TargetPane::exportName() const
{
    return m_exportEdit->text();
}

void TargetPane::setExportName(const QString& name)
{
    const QSignalBlocker quiet(m_exportEdit);
    m_exportEdit->setText(name);
}

int TargetPane::port() const
{
    return m_portSpin->value();
}

void TargetPane::setNbdOptions(const QString& exportName, int port, bool shown)
{
    const QSignalBlocker quietExport(m_exportEdit);
    const QSignalBlocker quietPort(m_portSpin);
    m_exportEdit->setText(exportName);
    m_portSpin->setValue(port);
    m_moreButton->setChecked(shown);
    m_nbdOptions->setVisible(shown);
}

void TargetPane::showServer(const QString& text, const QString& detail)
{
    m_serverLabel->setText(text);
    m_serverLabel->setToolTip(detail);
}

void TargetPane::showSpace(const std::optional<parse::SpaceSummary>& space)
{
    // The bar works in whole units of an int; large disks are shown in coarser units.
    qint64 total = space ? std::max<qint64>(space->totalMb, 0) : 0;
    qint64 used = space ? std::clamp<qint64>(space->usedMb, 0, total) : 0;
    while (total > 1000000000) {
        total /= 1024;
        used /= 1024;
    }
    m_diskSpaceBar->setRange(0, static_cast<int>(std::max<qint64>(total, 1)));
    m_diskSpaceBar->setValue(static_cast<int>(used));
    m_diskSpaceLabel->setText(space ? space->text : QString());
}

bool TargetPane::canAttach() const
{
    return m_attachButton->isEnabled();
}
