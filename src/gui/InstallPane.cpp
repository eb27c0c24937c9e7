#include "InstallPane.h"

#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
QLabel* heading(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}
} // namespace

InstallPane::InstallPane(QWidget* parent) : QGroupBox(QStringLiteral("Install"), parent)
{
    setObjectName(QStringLiteral("fmInstall"));
    lblSource = heading(QStringLiteral("Source"), this);
    lblSource->setObjectName(QStringLiteral("lblSource"));
    optOptical = new QRadioButton(QStringLiteral("Optical Drive"), this);
    optOptical->setObjectName(QStringLiteral("optOptical"));
    cmbOptical = new QComboBox(this);
    cmbOptical->setObjectName(QStringLiteral("cmbOptical"));
    cmbOptical->setEnabled(false);
    optISO = new QRadioButton(QStringLiteral("ISO File"), this);
    optISO->setObjectName(QStringLiteral("optISO"));
    optISO->setChecked(true);
    txtISO = new QLineEdit(this);
    txtISO->setObjectName(QStringLiteral("txtISO"));
    txtISO->setReadOnly(true);
    cmdISO = new QPushButton(QStringLiteral("Bro&wse"), this);
    cmdISO->setObjectName(QStringLiteral("cmdISO"));

    lblGameInfo = heading(QStringLiteral("Game Information"), this);
    lblGameInfo->setObjectName(QStringLiteral("lblGameInfo"));
    txtGameName = new QLineEdit(this);
    txtGameName->setObjectName(QStringLiteral("txtGameName"));
    txtGameStartup = new QLineEdit(this);
    txtGameStartup->setObjectName(QStringLiteral("txtGameStartup"));
    txtGameSize = new QLineEdit(this);
    txtGameSize->setObjectName(QStringLiteral("txtGameSize"));
    txtGameSize->setReadOnly(true);
    cmbType = new QComboBox(this);
    cmbType->setObjectName(QStringLiteral("cmbType"));
    lblTypeNote = new QLabel(this);
    lblTypeNote->setObjectName(QStringLiteral("lblTypeNote"));
    lblTypeNote->setWordWrap(true);
    lblTypeNote->hide();
    cmdCompat = new QPushButton(QStringLiteral("Compatibility &Flags"), this);
    cmdCompat->setObjectName(QStringLiteral("cmdCompat"));
    cmdCompat->setEnabled(false);
    cmdMakeISO = new QPushButton(QStringLiteral("Make IS&O"), this);
    cmdMakeISO->setObjectName(QStringLiteral("cmdMakeISO"));
    cmdMakeISO->setEnabled(false);
    cmdAddGame = new QPushButton(QStringLiteral("&Add to Job Queue"), this);
    cmdAddGame->setObjectName(QStringLiteral("cmdAddGame"));
    cmdAddGame->setEnabled(false);
    cmdInstall = new QPushButton(QStringLiteral("&Install Now"), this);
    cmdInstall->setObjectName(QStringLiteral("cmdInstall"));
    cmdInstall->setEnabled(false);

    lblBatch = heading(QStringLiteral("Many Games"), this);
    lblBatch->setObjectName(QStringLiteral("lblBatch"));
    cmdAddImages = new QPushButton(QStringLiteral("Add Ima&ges..."), this);
    cmdAddImages->setObjectName(QStringLiteral("cmdAddImages"));
    cmdAddImages->setToolTip(QStringLiteral("Queue several image files at once; they can also be "
                                            "dropped on the window"));
    cmdAddFolder = new QPushButton(QStringLiteral("Add Fol&der..."), this);
    cmdAddFolder->setObjectName(QStringLiteral("cmdAddFolder"));
    cmdAddFolder->setToolTip(QStringLiteral("Queue every image in a folder and its subfolders"));
    prgBatch = new QProgressBar(this);
    prgBatch->setObjectName(QStringLiteral("prgBatch"));
    prgBatch->setFormat(QStringLiteral("%v of %m read"));
    prgBatch->hide();
    cmdBatchCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdBatchCancel->setObjectName(QStringLiteral("cmdBatchCancel"));
    cmdBatchCancel->hide();

    auto* source = new QGridLayout;
    source->addWidget(optOptical, 0, 0);
    source->addWidget(cmbOptical, 0, 1, 1, 2);
    source->addWidget(optISO, 1, 0);
    source->addWidget(txtISO, 1, 1);
    source->addWidget(cmdISO, 1, 2);
    source->setColumnStretch(1, 1);

    auto* info = new QGridLayout;
    info->addWidget(new QLabel(QStringLiteral("Game Name:"), this), 0, 0);
    info->addWidget(txtGameName, 0, 1, 1, 3);
    info->addWidget(new QLabel(QStringLiteral("Startup File:"), this), 1, 0);
    info->addWidget(txtGameStartup, 1, 1);
    info->addWidget(new QLabel(QStringLiteral("Size:"), this), 1, 2);
    info->addWidget(txtGameSize, 1, 3);
    info->addWidget(new QLabel(QStringLiteral("Type:"), this), 2, 0);
    info->addWidget(cmbType, 2, 1);
    info->addWidget(cmdCompat, 2, 2, 1, 2);
    info->addWidget(lblTypeNote, 3, 1, 1, 3);
    info->setColumnStretch(1, 3);
    info->setColumnStretch(3, 2);

    auto* actions = new QHBoxLayout;
    actions->addWidget(cmdMakeISO);
    actions->addStretch();
    actions->addWidget(cmdAddGame);
    actions->addWidget(cmdInstall);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblSource);
    layout->addLayout(source);
    layout->addWidget(lblGameInfo);
    layout->addLayout(info);
    layout->addLayout(actions);
    layout->addStretch();
    auto* batch = new QHBoxLayout;
    batch->addWidget(cmdAddImages);
    batch->addWidget(cmdAddFolder);
    batch->addWidget(prgBatch, 1);
    batch->addWidget(cmdBatchCancel);
    batch->addStretch();
    layout->addWidget(lblBatch);
    layout->addLayout(batch);
}
