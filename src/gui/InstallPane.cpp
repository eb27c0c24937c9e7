#include "InstallPane.h"

#include <algorithm>

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

InstallPane::InstallPane(QWidget* parent) : QGroupBox(tr("Install"), parent)
{
    setObjectName(QStringLiteral("installPane"));
    sourceLabel = heading(tr("Source"), this);
    sourceLabel->setObjectName(QStringLiteral("sourceLabel"));
    discSource = new QRadioButton(tr("Optical Drive"), this);
    discSource->setObjectName(QStringLiteral("discSource"));
    opticalCombo = new QComboBox(this);
    opticalCombo->setObjectName(QStringLiteral("opticalCombo"));
    opticalCombo->setEnabled(false);
    imageSource = new QRadioButton(tr("ISO File"), this);
    imageSource->setObjectName(QStringLiteral("imageSource"));
    imageSource->setChecked(true);
    imagePathEdit = new QLineEdit(this);
    imagePathEdit->setObjectName(QStringLiteral("imagePathEdit"));
    imagePathEdit->setPlaceholderText(tr("Type, paste or browse for an image"));
    browseImageButton = new QPushButton(tr("Bro&wse"), this);
    browseImageButton->setObjectName(QStringLiteral("browseImageButton"));

    gameInfoLabel = heading(tr("Game Information"), this);
    gameInfoLabel->setObjectName(QStringLiteral("gameInfoLabel"));
    gameNameEdit = new QLineEdit(this);
    gameNameEdit->setObjectName(QStringLiteral("gameNameEdit"));
    startupEdit = new QLineEdit(this);
    startupEdit->setObjectName(QStringLiteral("startupEdit"));
    gameSizeEdit = new QLineEdit(this);
    gameSizeEdit->setObjectName(QStringLiteral("gameSizeEdit"));
    gameSizeEdit->setReadOnly(true);
    // Only to be read: Tab goes past it.
    gameSizeEdit->setFocusPolicy(Qt::ClickFocus);
    typeCombo = new QComboBox(this);
    typeCombo->setObjectName(QStringLiteral("typeCombo"));
    typeNoteLabel = new QLabel(this);
    typeNoteLabel->setObjectName(QStringLiteral("typeNoteLabel"));
    typeNoteLabel->setWordWrap(true);
    typeNoteLabel->hide();
    compatFlagsButton = new QPushButton(tr("Compatibility &Flags"), this);
    compatFlagsButton->setObjectName(QStringLiteral("compatFlagsButton"));
    compatFlagsButton->setEnabled(false);
    makeImageButton = new QPushButton(tr("Make IS&O"), this);
    makeImageButton->setObjectName(QStringLiteral("makeImageButton"));
    makeImageButton->setEnabled(false);
    addToQueueButton = new QPushButton(tr("&Add to Job Queue"), this);
    addToQueueButton->setObjectName(QStringLiteral("addToQueueButton"));
    addToQueueButton->setEnabled(false);
    installButton = new QPushButton(tr("&Install Now"), this);
    installButton->setObjectName(QStringLiteral("installButton"));
    installButton->setEnabled(false);

    batchLabel = heading(tr("Many Games"), this);
    batchLabel->setObjectName(QStringLiteral("batchLabel"));
    addImagesButton = new QPushButton(tr("Add Ima&ges..."), this);
    addImagesButton->setObjectName(QStringLiteral("addImagesButton"));
    addImagesButton->setToolTip(tr("Queue several image files at once; they can also be "
                                   "dropped on the window"));
    addFolderButton = new QPushButton(tr("Add Fol&der..."), this);
    addFolderButton->setObjectName(QStringLiteral("addFolderButton"));
    addFolderButton->setToolTip(tr("Queue every image in a folder and its subfolders"));
    batchProgress = new QProgressBar(this);
    batchProgress->setObjectName(QStringLiteral("batchProgress"));
    batchProgress->setFormat(tr("%v of %m read"));
    batchProgress->hide();
    batchCancelButton = new QPushButton(tr("Cancel"), this);
    batchCancelButton->setObjectName(QStringLiteral("batchCancelButton"));
    batchCancelButton->hide();

    auto* source = new QGridLayout;
    source->addWidget(discSource, 0, 0);
    source->addWidget(opticalCombo, 0, 1, 1, 2);
    source->addWidget(imageSource, 1, 0);
    source->addWidget(imagePathEdit, 1, 1);
    source->addWidget(browseImageButton, 1, 2);
    source->setColumnStretch(1, 1);

    auto* info = new QGridLayout;
    info->addWidget(new QLabel(tr("Game Name:"), this), 0, 0);
    info->addWidget(gameNameEdit, 0, 1, 1, 3);
    info->addWidget(new QLabel(tr("Startup File:"), this), 1, 0);
    info->addWidget(startupEdit, 1, 1);
    info->addWidget(new QLabel(tr("Size:"), this), 1, 2);
    info->addWidget(gameSizeEdit, 1, 3);
    info->addWidget(new QLabel(tr("Type:"), this), 2, 0);
    info->addWidget(typeCombo, 2, 1);
    info->addWidget(compatFlagsButton, 2, 2, 1, 2);
    info->addWidget(typeNoteLabel, 3, 1, 1, 3);
    info->setColumnStretch(1, 3);
    info->setColumnStretch(3, 2);

    auto* actions = new QHBoxLayout;
    actions->addWidget(makeImageButton);
    actions->addStretch();
    actions->addWidget(addToQueueButton);
    actions->addWidget(installButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sourceLabel);
    layout->addLayout(source);
    layout->addWidget(gameInfoLabel);
    layout->addLayout(info);
    layout->addLayout(actions);
    layout->addStretch();
    auto* batch = new QHBoxLayout;
    batch->addWidget(addImagesButton);
    batch->addWidget(addFolderButton);
    batch->addWidget(batchProgress, 1);
    batch->addWidget(batchCancelButton);
    batch->addStretch();
    layout->addWidget(batchLabel);
    layout->addLayout(batch);
}

void InstallPane::applyControls(const ControlState& state)
{
    discSource->setEnabled(state.targetControls);
    for (QWidget* w : std::initializer_list<QWidget*>{imageSource, gameNameEdit, startupEdit,
                                                      gameSizeEdit, typeCombo})
        w->setEnabled(state.queueInputs);
    opticalCombo->setEnabled(state.opticalDrives);
    browseImageButton->setEnabled(state.imageBrowse);
    imagePathEdit->setEnabled(state.imageBrowse);
    compatFlagsButton->setEnabled(state.compatFlags);
    makeImageButton->setEnabled(state.makeIso);
    addToQueueButton->setEnabled(state.addGame);
    addImagesButton->setEnabled(state.addImages);
    addFolderButton->setEnabled(state.addImages);
    installButton->setEnabled(state.installNow);
}

void InstallPane::showBatchProgress(int done, int total)
{
    batchProgress->setRange(0, std::max(total, 1));
    batchProgress->setValue(done);
    batchProgress->show();
    batchCancelButton->show();
}

void InstallPane::hideBatchProgress()
{
    batchProgress->hide();
    batchCancelButton->hide();
}
