#include "InstallPane.h"

#include <algorithm>
#include <utility>

#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
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
    auto* sourceLabel = heading(tr("Source"), this);
    sourceLabel->setObjectName(QStringLiteral("sourceLabel"));
    m_discSource = new QRadioButton(tr("Optical Drive"), this);
    m_discSource->setObjectName(QStringLiteral("discSource"));
    m_opticalCombo = new QComboBox(this);
    m_opticalCombo->setObjectName(QStringLiteral("opticalCombo"));
    m_opticalCombo->setEnabled(false);
    m_imageSource = new QRadioButton(tr("ISO File"), this);
    m_imageSource->setObjectName(QStringLiteral("imageSource"));
    m_imageSource->setChecked(true);
    m_imagePathEdit = new QLineEdit(this);
    m_imagePathEdit->setObjectName(QStringLiteral("imagePathEdit"));
    m_imagePathEdit->setPlaceholderText(tr("Type, paste or browse for an image"));
    // Their radio buttons say what they are; a screen reader needs it on the fields too.
    m_imagePathEdit->setAccessibleName(tr("ISO file"));
    m_opticalCombo->setAccessibleName(tr("Optical drive"));
    m_browseImageButton = new QPushButton(tr("Bro&wse"), this);
    m_browseImageButton->setObjectName(QStringLiteral("browseImageButton"));

    auto* gameInfoLabel = heading(tr("Game Information"), this);
    gameInfoLabel->setObjectName(QStringLiteral("gameInfoLabel"));
    m_gameNameEdit = new QLineEdit(this);
    m_gameNameEdit->setObjectName(QStringLiteral("gameNameEdit"));
    m_startupEdit = new QLineEdit(this);
    m_startupEdit->setObjectName(QStringLiteral("startupEdit"));
    m_gameSizeEdit = new QLineEdit(this);
    m_gameSizeEdit->setObjectName(QStringLiteral("gameSizeEdit"));
    m_gameSizeEdit->setReadOnly(true);
    // Only to be read: Tab goes past it.
    m_gameSizeEdit->setFocusPolicy(Qt::ClickFocus);
    m_typeCombo = new QComboBox(this);
    m_typeCombo->setObjectName(QStringLiteral("typeCombo"));
    m_typeCombo->addItems({tr("CD-ROM"), tr("DVD-ROM")});
    m_typeCombo->setCurrentIndex(1);
    m_typeNoteLabel = new QLabel(this);
    m_typeNoteLabel->setObjectName(QStringLiteral("typeNoteLabel"));
    m_typeNoteLabel->setWordWrap(true);
    m_typeNoteLabel->hide();
    m_compatFlagsButton = new QPushButton(tr("Co&mpatibility Flags"), this);
    m_compatFlagsButton->setObjectName(QStringLiteral("compatFlagsButton"));
    m_compatFlagsButton->setEnabled(false);
    m_makeImageButton = new QPushButton(tr("Make IS&O"), this);
    m_makeImageButton->setObjectName(QStringLiteral("makeImageButton"));
    m_makeImageButton->setEnabled(false);
    m_addToQueueButton = new QPushButton(tr("&Add to Job Queue"), this);
    m_addToQueueButton->setObjectName(QStringLiteral("addToQueueButton"));
    m_addToQueueButton->setEnabled(false);
    m_installButton = new QPushButton(tr("&Install Now"), this);
    m_installButton->setObjectName(QStringLiteral("installButton"));
    m_installButton->setEnabled(false);

    auto* batchLabel = heading(tr("Many Games"), this);
    batchLabel->setObjectName(QStringLiteral("batchLabel"));
    m_addImagesButton = new QPushButton(tr("Add Ima&ges..."), this);
    m_addImagesButton->setObjectName(QStringLiteral("addImagesButton"));
    m_tips.addImages =
        tr("Queue several image files at once; they can also be dropped on the window");
    m_tips.addFolder = tr("Queue every image in a folder and its subfolders");
    m_tips.addGame = tr("Adds this game to the job queue, to be installed when it runs.");
    m_tips.installNow = tr("Installs this game now, after the same check the queue makes.");
    m_tips.makeIso = tr("Saves the disc in the drive as an image file on this PC.");
    m_addImagesButton->setToolTip(m_tips.addImages);
    m_addFolderButton = new QPushButton(tr("Add Fol&der..."), this);
    m_addFolderButton->setObjectName(QStringLiteral("addFolderButton"));
    m_addFolderButton->setToolTip(m_tips.addFolder);
    m_batchProgress = new QProgressBar(this);
    m_batchProgress->setObjectName(QStringLiteral("batchProgress"));
    m_batchProgress->setFormat(tr("%v of %m read"));
    m_batchProgress->hide();
    m_batchCancelButton = new QPushButton(tr("Cancel"), this);
    m_batchCancelButton->setObjectName(QStringLiteral("batchCancelButton"));
    m_batchCancelButton->hide();

    auto* source = new QGridLayout;
    source->addWidget(m_discSource, 0, 0);
    source->addWidget(m_opticalCombo, 0, 1, 1, 2);
    source->addWidget(m_imageSource, 1, 0);
    source->addWidget(m_imagePathEdit, 1, 1);
    source->addWidget(m_browseImageButton, 1, 2);
    source->setColumnStretch(1, 1);

    // Each label leads to its field: a screen reader says it, and a click on it goes there.
    auto labelFor = [this](const QString& text, QWidget* field) {
        auto* label = new QLabel(text, this);
        label->setBuddy(field);
        return label;
    };
    auto* info = new QGridLayout;
    info->addWidget(labelFor(tr("Game Name:"), m_gameNameEdit), 0, 0);
    info->addWidget(m_gameNameEdit, 0, 1, 1, 3);
    info->addWidget(labelFor(tr("Startup File:"), m_startupEdit), 1, 0);
    info->addWidget(m_startupEdit, 1, 1);
    info->addWidget(labelFor(tr("Size:"), m_gameSizeEdit), 1, 2);
    info->addWidget(m_gameSizeEdit, 1, 3);
    info->addWidget(labelFor(tr("Type:"), m_typeCombo), 2, 0);
    info->addWidget(m_typeCombo, 2, 1);
    info->addWidget(m_compatFlagsButton, 2, 2, 1, 2);
    info->addWidget(m_typeNoteLabel, 3, 1, 1, 3);
    info->setColumnStretch(1, 3);
    info->setColumnStretch(3, 2);

    auto* actions = new QHBoxLayout;
    actions->addWidget(m_makeImageButton);
    actions->addStretch();
    actions->addWidget(m_addToQueueButton);
    actions->addWidget(m_installButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sourceLabel);
    layout->addLayout(source);
    layout->addWidget(gameInfoLabel);
    layout->addLayout(info);
    layout->addLayout(actions);
    layout->addStretch();
    auto* batch = new QHBoxLayout;
    batch->addWidget(m_addImagesButton);
    batch->addWidget(m_addFolderButton);
    batch->addWidget(m_batchProgress, 1);
    batch->addWidget(m_batchCancelButton);
    batch->addStretch();
    layout->addWidget(batchLabel);
    layout->addLayout(batch);

    connect(m_discSource, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            emit driveSourceAsked();
    });
    connect(m_imageSource, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            emit imageSourceAsked();
    });
    connect(m_opticalCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            emit driveChosen(m_opticalCombo->currentData().toString());
    });
    connect(m_browseImageButton, &QPushButton::clicked, this, &InstallPane::browseAsked);
    connect(m_imagePathEdit, &QLineEdit::textChanged, this, &InstallPane::imagePathEdited);
    connect(m_imagePathEdit, &QLineEdit::editingFinished, this, &InstallPane::imagePathTaken);
    connect(m_compatFlagsButton, &QPushButton::clicked, this, [this] {
        if (m_flagsMenu)
            m_flagsMenu->popup(
                m_compatFlagsButton->mapToGlobal(QPoint(0, m_compatFlagsButton->height())));
    });
    connect(m_addToQueueButton, &QPushButton::clicked, this, &InstallPane::addAsked);
    // Enter in the game name box queues the game.
    connect(m_gameNameEdit, &QLineEdit::returnPressed, this, &InstallPane::addAsked);
    connect(m_gameNameEdit, &QLineEdit::textEdited, this, &InstallPane::nameEdited);
    connect(m_installButton, &QPushButton::clicked, this, &InstallPane::installAsked);
    connect(m_makeImageButton, &QPushButton::clicked, this, &InstallPane::makeIsoAsked);
    connect(m_addImagesButton, &QPushButton::clicked, this, &InstallPane::addImagesAsked);
    connect(m_addFolderButton, &QPushButton::clicked, this, &InstallPane::addFolderAsked);
    connect(m_batchCancelButton, &QPushButton::clicked, this, &InstallPane::batchCancelAsked);
}

void InstallPane::applyControls(const ControlState& state)
{
    m_discSource->setEnabled(state.targetControls);
    for (QWidget* w : std::initializer_list<QWidget*>{m_imageSource, m_gameNameEdit, m_startupEdit,
                                                      m_gameSizeEdit, m_typeCombo})
        w->setEnabled(state.queueInputs);
    m_opticalCombo->setEnabled(state.opticalDrives);
    m_browseImageButton->setEnabled(state.imageBrowse);
    // A path typed and taken with Enter is read at once, which greys the box a moment: the
    // keyboard comes back to it, not to whatever Tab would reach next.
    if (!state.imageBrowse && m_imagePathEdit->hasFocus())
        m_pathHadFocus = true;
    m_imagePathEdit->setEnabled(state.imageBrowse);
    if (state.imageBrowse && std::exchange(m_pathHadFocus, false))
        m_imagePathEdit->setFocus(Qt::OtherFocusReason);
    m_compatFlagsButton->setEnabled(state.compatFlags);
    m_makeImageButton->setEnabled(state.makeIso);
    m_addToQueueButton->setEnabled(state.addGame);
    m_addImagesButton->setEnabled(state.addImages);
    m_addFolderButton->setEnabled(state.addImages);
    m_installButton->setEnabled(state.installNow);
    // A grey button says why, and what makes it usable; an enabled one what it does.
    m_makeImageButton->setToolTip(state.makeIso ? m_tips.makeIso : state.makeIsoTip);
    m_addToQueueButton->setToolTip(state.addGame ? m_tips.addGame : state.installTip);
    m_installButton->setToolTip(state.installNow ? m_tips.installNow : state.installTip);
    m_addImagesButton->setToolTip(state.addImages ? m_tips.addImages : state.imagesTip);
    m_addFolderButton->setToolTip(state.addImages ? m_tips.addFolder : state.imagesTip);
}

void InstallPane::showBatchProgress(int done, int total)
{
    m_batchProgress->setRange(0, std::max(total, 1));
    m_batchProgress->setValue(done);
    m_batchProgress->show();
    m_batchCancelButton->show();
}

void InstallPane::hideBatchProgress()
{
    m_batchProgress->hide();
    m_batchCancelButton->hide();
}

bool InstallPane::driveSourceChosen() const
{
    return m_discSource->isChecked();
}

bool InstallPane::imageSourceChosen() const
{
    return m_imageSource->isChecked();
}

void InstallPane::chooseImageSource()
{
    m_imageSource->setChecked(true);
}

void InstallPane::setDrives(const QList<DiskEntry>& drives)
{
    // Filling the list selects nothing; the user picks the drive.
    const QSignalBlocker quiet(m_opticalCombo);
    m_opticalCombo->clear();
    for (const DiskEntry& d : drives)
        m_opticalCombo->addItem(d.label(), d.device);
    m_opticalCombo->setCurrentIndex(-1);
}

void InstallPane::chooseDrive(int row)
{
    const QSignalBlocker quiet(m_opticalCombo);
    m_opticalCombo->setCurrentIndex(row);
}

int InstallPane::driveCount() const
{
    return m_opticalCombo->count();
}

QString InstallPane::chosenDrive() const
{
    return m_opticalCombo->currentIndex() >= 0 ? m_opticalCombo->currentData().toString()
                                               : QString();
}

void InstallPane::clearDrive()
{
    const QSignalBlocker quiet(m_opticalCombo);
    m_opticalCombo->setCurrentIndex(-1);
}

QString InstallPane::imagePath() const
{
    return m_imagePathEdit->text();
}

void InstallPane::setImagePath(const QString& path)
{
    m_imagePathEdit->setText(path);
}

QString InstallPane::gameName() const
{
    return m_gameNameEdit->text();
}

void InstallPane::setGameName(const QString& name, const QString& whereFrom)
{
    m_gameNameEdit->setText(name);
    m_gameNameEdit->setToolTip(whereFrom);
}

void InstallPane::setNameOrigin(const QString& whereFrom)
{
    m_gameNameEdit->setToolTip(whereFrom);
}

QString InstallPane::startup() const
{
    return m_startupEdit->text();
}

void InstallPane::setStartup(const QString& startup)
{
    m_startupEdit->setText(startup);
}

void InstallPane::setSize(const QString& size)
{
    m_gameSizeEdit->setText(size);
}

DiscType InstallPane::discType() const
{
    return m_typeCombo->currentIndex() == 0 ? DiscType::CD : DiscType::DVD;
}

void InstallPane::setDiscType(DiscType type)
{
    m_typeCombo->setCurrentIndex(type == DiscType::CD ? 0 : 1);
}

void InstallPane::showTypeGuessed(bool guessed)
{
    // The tool says "?" for every image file: the size chose, and the user may change it.
    m_typeNoteLabel->setText(guessed ? tr("hdl_dump does not say whether this image is a CD or "
                                          "a DVD; the type was set from its size.")
                                     : QString());
    m_typeNoteLabel->setVisible(guessed);
}

void InstallPane::clearGame()
{
    m_gameNameEdit->clear();
    m_gameNameEdit->setToolTip({});
    m_startupEdit->clear();
    m_gameSizeEdit->clear();
    setDiscType(DiscType::DVD);
    showTypeGuessed(false);
}

void InstallPane::setFlagsMenu(QMenu* menu)
{
    m_flagsMenu = menu;
}

bool InstallPane::canAdd() const
{
    return m_addToQueueButton->isEnabled();
}

bool InstallPane::canAddImages() const
{
    return m_addImagesButton->isEnabled();
}
