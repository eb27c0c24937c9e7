#include "TargetPane.h"

#include "Twips.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TargetPane::TargetPane(QWidget* parent) : QGroupBox(QStringLiteral("Playstation 2 Device"), parent)
{
    setObjectName(QStringLiteral("fmMain"));
    optLocal = new QRadioButton(QStringLiteral("Locally connected PS2 HDD"), this);
    optLocal->setObjectName(QStringLiteral("optLocal"));
    optLAN = new QRadioButton(QStringLiteral("LAN - Networked PS2"), this);
    optLAN->setObjectName(QStringLiteral("optLAN"));
    optLAN->setChecked(true);

    cmbHD = new QComboBox(this);
    cmbHD->setObjectName(QStringLiteral("cmbHD"));
    cmbHD->hide();
    Label6 = new QLabel(QStringLiteral("  IP:"), this);
    Label6->setObjectName(QStringLiteral("Label6"));
    txtIP = new QLineEdit(QStringLiteral("192.168.0.10"), this);
    txtIP->setObjectName(QStringLiteral("txtIP"));
    txtIP->setMaxLength(255);

    cmdAttach = new QPushButton(QStringLiteral("&Refresh PS2"), this);
    cmdAttach->setObjectName(QStringLiteral("cmdAttach"));
    cmdAttach->setFixedWidth(Twips(this, 1215));
    cmdShutdownPS2 = new QPushButton(QStringLiteral("Shu&tdown PS2"), this);
    cmdShutdownPS2->setObjectName(QStringLiteral("cmdShutdownPS2"));

    fmSpace = new QGroupBox(QStringLiteral("HDD Space Information"), this);
    fmSpace->setObjectName(QStringLiteral("fmSpace"));
    prgDiskSpace = new QProgressBar(fmSpace);
    prgDiskSpace->setObjectName(QStringLiteral("prgDiskSpace"));
    prgDiskSpace->setRange(0, 100);
    prgDiskSpace->setValue(0);
    prgDiskSpace->setTextVisible(false);
    lblDiskSpace = new QLabel(fmSpace);
    lblDiskSpace->setObjectName(QStringLiteral("lblDiskSpace"));
    lblDiskSpace->setAlignment(Qt::AlignCenter);
    auto* space = new QVBoxLayout(fmSpace);
    space->addWidget(prgDiskSpace);
    space->addWidget(lblDiskSpace);

    auto* modes = new QHBoxLayout;
    modes->addWidget(optLocal);
    modes->addWidget(optLAN);
    modes->addStretch();

    auto* device = new QHBoxLayout;
    device->addWidget(cmbHD, 1);
    device->addWidget(Label6);
    device->addWidget(txtIP, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdAttach);
    buttons->addWidget(cmdShutdownPS2);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(modes);
    layout->addLayout(device);
    layout->addLayout(buttons);
    layout->addWidget(fmSpace);
    layout->addStretch();
}
