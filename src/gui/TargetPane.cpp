#include "TargetPane.h"

#include "Twips.h"

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
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

TargetPane::TargetPane(QWidget* parent) : QGroupBox(tr("Playstation 2 Device"), parent)
{
    setObjectName(QStringLiteral("targetPane"));
    localTarget = new QRadioButton(tr("Locally connected PS2 HDD"), this);
    localTarget->setObjectName(QStringLiteral("localTarget"));
    networkTarget = new QRadioButton(tr("LAN - Networked PS2"), this);
    networkTarget->setObjectName(QStringLiteral("networkTarget"));
    networkTarget->setChecked(true);

    diskCombo = new QComboBox(this);
    diskCombo->setObjectName(QStringLiteral("diskCombo"));
    diskCombo->hide();
    addressLabel = new QLabel(tr("  IP:"), this);
    addressLabel->setObjectName(QStringLiteral("addressLabel"));
    addressEdit = new QLineEdit(QStringLiteral("192.168.0.10"), this);
    addressEdit->setObjectName(QStringLiteral("addressEdit"));
    addressEdit->setMaxLength(255);
    addressEdit->setToolTip(
        tr("The PS2's IP address. Refresh asks its game launcher's NBD server first, then "
           "the older UDP server. An address such as nbd://192.168.0.10:10809/hdd0 asks only "
           "the NBD server."));
    moreButton = new QToolButton(this);
    moreButton->setObjectName(QStringLiteral("moreButton"));
    moreButton->setText(tr("More…"));
    moreButton->setCheckable(true);
    moreButton->setToolTip(tr("The export and port of the PS2's NBD server"));

    nbdOptions = new QWidget(this);
    nbdOptions->setObjectName(QStringLiteral("nbdOptions"));
    auto* exportLabel = new QLabel(tr("E&xport:"), nbdOptions);
    exportEdit = new QLineEdit(nbdOptions);
    exportEdit->setObjectName(QStringLiteral("exportEdit"));
    exportEdit->setMaxLength(64);
    exportEdit->setPlaceholderText(QStringLiteral("hdd0"));
    // The export's name ends up in a folder's name: letters, digits and . _ - only.
    exportEdit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("([A-Za-z0-9][A-Za-z0-9._-]*)?")), exportEdit));
    exportLabel->setBuddy(exportEdit);
    auto* portLabel = new QLabel(tr("P&ort:"), nbdOptions);
    portSpin = new QSpinBox(nbdOptions);
    portSpin->setObjectName(QStringLiteral("portSpin"));
    portSpin->setRange(1, 65535);
    portSpin->setValue(10809);
    portLabel->setBuddy(portSpin);
    auto* options = new QHBoxLayout(nbdOptions);
    options->setContentsMargins(0, 0, 0, 0);
    options->addWidget(exportLabel);
    options->addWidget(exportEdit, 1);
    options->addWidget(portLabel);
    options->addWidget(portSpin);
    nbdOptions->hide();

    serverLabel = new QLabel(this);
    serverLabel->setObjectName(QStringLiteral("serverLabel"));
    serverLabel->setWordWrap(true);
    serverLabel->setForegroundRole(QPalette::PlaceholderText);

    attachButton = new QPushButton(this);
    attachButton->setObjectName(QStringLiteral("attachButton"));
    setAttachCaption(tr("&Refresh PS2"), 1215);
    shutdownPs2Button = new QPushButton(tr("Shu&tdown PS2"), this);
    shutdownPs2Button->setObjectName(QStringLiteral("shutdownPs2Button"));

    spaceBox = new QGroupBox(tr("HDD Space Information"), this);
    spaceBox->setObjectName(QStringLiteral("spaceBox"));
    diskSpaceBar = new QProgressBar(spaceBox);
    diskSpaceBar->setObjectName(QStringLiteral("diskSpaceBar"));
    diskSpaceBar->setRange(0, 100);
    diskSpaceBar->setValue(0);
    diskSpaceBar->setTextVisible(false);
    diskSpaceLabel = new QLabel(spaceBox);
    diskSpaceLabel->setObjectName(QStringLiteral("diskSpaceLabel"));
    diskSpaceLabel->setAlignment(Qt::AlignCenter);
    auto* space = new QVBoxLayout(spaceBox);
    space->addWidget(diskSpaceBar);
    space->addWidget(diskSpaceLabel);

    auto* modes = new QHBoxLayout;
    modes->addWidget(localTarget);
    modes->addWidget(networkTarget);
    modes->addStretch();

    auto* device = new QHBoxLayout;
    device->addWidget(diskCombo, 1);
    device->addWidget(addressLabel);
    device->addWidget(addressEdit, 1);
    device->addWidget(moreButton);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(attachButton);
    buttons->addWidget(shutdownPs2Button);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(modes);
    layout->addLayout(device);
    layout->addWidget(nbdOptions);
    layout->addLayout(buttons);
    layout->addWidget(serverLabel);
    layout->addWidget(spaceBox);
    layout->addStretch();
}

void TargetPane::setAttachCaption(const QString& caption, int twips)
{
    attachButton->setText(caption);
    attachButton->setFixedWidth(std::max(Twips(this, twips), attachButton->sizeHint().width()));
}

void TargetPane::applyControls(const ControlState& state)
{
    for (QWidget* w :
         std::initializer_list<QWidget*>{localTarget, networkTarget, diskCombo, addressEdit,
                                         moreButton, nbdOptions, attachButton, shutdownPs2Button})
        w->setEnabled(state.targetControls);
}
