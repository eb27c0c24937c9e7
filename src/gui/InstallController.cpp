#include "InstallController.h"

#include "Dialogs.h"
#include "InstallPane.h"
#include "JobEditDialog.h"
#include "StickyMenu.h"
#include "core/devices/Flags.h"
#include "core/jobs/BatchAdd.h"
#include "core/jobs/JobCommands.h"
#include "core/session/Session.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QUrl>

InstallController::InstallController(InstallPane* pane, Session& session, Dialogs& dialogs,
                                     Hooks hooks, QWidget* menuParent)
    : QObject(menuParent), m_pane(pane), m_session(session), m_dialogs(dialogs),
      m_hooks(std::move(hooks))
{
    m_pane->typeCombo->addItems({tr("CD-ROM"), tr("DVD-ROM")});
    m_pane->typeCombo->setCurrentIndex(1);
    m_flagsMenu = new StickyMenu(QStringLiteral("compat"), menuParent);
    m_flagsMenu->setObjectName(QStringLiteral("flagsMenu"));
    const QStringList flags = CompatFlagCaptions();
    for (int i = 0; i < 8; ++i) {
        QAction* a = m_flagsMenu->addAction(flags[i]);
        a->setObjectName(QStringLiteral("flagAction%1").arg(i));
        a->setCheckable(true);
        m_flags << a;
    }
    m_flagsMenu->addSeparator()->setObjectName(QStringLiteral("flagsSeparator"));
    m_flagsDone = m_flagsMenu->addAction(tr("Done"));
    m_flagsDone->setObjectName(QStringLiteral("flagsDone"));
    connectPane();
}

QString InstallController::ImageFilter()
{
    //: Pairs of a shown name and its pattern, each followed by "|"; translate only the names.
    // Every kind at once first: an image is found whatever its kind.
    return tr("All disc images|*.iso;*.cue;*.nrg;*.gi;*.iml;*.toc|"
              "ISO Files (*.iso)|*.iso|CUE Files (*.cue)|*.cue|Nero Burning Image (*.nrg)|*.nrg|"
              "RecordNow! Global Image (*.gi)|*.gi|Sony CD/DVD Generator's Intermediate "
              "(*.iml)|*.iml|");
}

void InstallController::connectPane()
{
    // The source, the flags and what is made of them.
    connect(m_pane->discSource, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            chooseOptical();
    });
    connect(m_pane->imageSource, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            chooseImage();
    });
    connect(m_pane->opticalCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0)
            return;
        readDisc(m_pane->opticalCombo->currentData().toString(), true);
    });
    connect(m_pane->browseImageButton, &QPushButton::clicked, this,
            &InstallController::browseImage);
    connect(m_pane->imagePathEdit, &QLineEdit::textChanged, this,
            [this] { m_hooks.updateControls(); });
    // A typed or pasted path is read as a chosen one is, once it is complete.
    connect(m_pane->imagePathEdit, &QLineEdit::editingFinished, this,
            &InstallController::takeTypedImage);
    connect(m_pane->compatFlagsButton, &QPushButton::clicked, this, [this] {
        QPushButton* b = m_pane->compatFlagsButton;
        m_flagsMenu->popup(b->mapToGlobal(QPoint(0, b->height())));
    });
    connect(m_flagsDone, &QAction::triggered, m_flagsMenu, &QMenu::close);
    connect(m_pane->addToQueueButton, &QPushButton::clicked, this, &InstallController::addGame);
    // Enter in the game name box queues the game.
    connect(m_pane->gameNameEdit, &QLineEdit::returnPressed, this, &InstallController::addGame);
    connect(m_pane->gameNameEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_pane->gameNameEdit->setToolTip(
            NameSourceText(text == m_suggestedName ? m_suggestedSource : NameSource::Typed));
    });
    connect(m_pane->installButton, &QPushButton::clicked, this,
            &InstallController::installChosenGame);
    connect(m_pane->makeImageButton, &QPushButton::clicked, this, &InstallController::makeIso);
    connect(m_pane->addImagesButton, &QPushButton::clicked, this, &InstallController::addImages);
    connect(m_pane->addFolderButton, &QPushButton::clicked, this, &InstallController::addFolder);
    connect(&m_session.devices(), &DeviceAccess::opticalDrivesChanged, this,
            &InstallController::fillOpticalDrives);
}

void InstallController::describeChoices(ControlInputs& in) const
{
    in.opticalChosen = m_pane->discSource->isChecked();
    in.imageChosen = m_pane->imageSource->isChecked();
    in.sourceChosen = (in.imageChosen && !m_pane->imagePathEdit->text().isEmpty()) ||
                      (in.opticalChosen && m_pane->opticalCombo->currentIndex() >= 0);
    in.discInfoRead = m_discInfoRead;
}

void InstallController::readDisc(const QString& source, bool optical)
{
    // A read of something chosen before gives way; this one follows when it has stopped.
    if (m_discRead) {
        m_nextRead = {source, optical};
        m_discRead->cancel();
        return;
    }
    m_discRead = m_session.readDisc(source, optical);
    connect(m_discRead, &Operation::finished, this, [this](const OperationResult& result) {
        m_discRead = nullptr;
        if (m_nextRead) {
            const auto [next, optical] = *std::exchange(m_nextRead, std::nullopt);
            readDisc(next, optical);
            return;
        }
        if (result.disc)
            showDiscInfo(*result.disc);
        else if (!result.cancelled)
            forgetDisc();
    });
}

void InstallController::showDiscInfo(const parse::DiscInfo& info)
{
    m_discInfoRead = true;
    m_disc = info;
    const DiscType type = DiscTypeOf(info.media, info.sizeKb);
    m_pane->typeCombo->setCurrentIndex(type == DiscType::CD ? 0 : 1);
    // The tool says "?" for every image file: the size chose, and the user may change it.
    m_pane->typeNoteLabel->setText(
        info.mediaUnknown ? tr("hdl_dump does not say whether this image is a CD or a DVD; "
                               "the type was set from its size.")
                          : QString());
    m_pane->typeNoteLabel->setVisible(info.mediaUnknown);
    InstallPane* in = m_pane;
    // Named as the command line names it: the disc database, else the file or the disc.
    const GameNaming naming = m_session.names().nameFor(chosenSource(), info);
    in->startupEdit->setText(info.startup);
    in->gameNameEdit->setText(naming.name);
    m_suggestedName = naming.name;
    m_suggestedSource = naming.source;
    in->gameNameEdit->setToolTip(NameSourceText(naming.source));
    in->gameSizeEdit->setText(info.sizeText);
    if (naming.fromDatabase) {
        for (int flag = 1; flag <= m_flags.size(); ++flag)
            m_flags[flag - 1]->setChecked(naming.flags.has(flag));
    }
    m_hooks.updateControls();
}

void InstallController::forgetDisc()
{
    m_discInfoRead = false;
    m_pane->typeNoteLabel->hide();
    if (m_pane->discSource->isChecked()) {
        const QSignalBlocker quiet(m_pane->opticalCombo);
        m_pane->opticalCombo->setCurrentIndex(-1);
    }
    m_hooks.updateControls();
}

void InstallController::chooseOptical()
{
    m_pane->typeNoteLabel->hide();
    InstallPane* in = m_pane;
    if (!m_session.toolAvailable()) {
        m_hooks.showProblem(m_session.toolMissingProblem());
        in->imageSource->setChecked(true);
        return;
    }
    in->imagePathEdit->clear();
    in->typeCombo->setCurrentIndex(1);
    m_discInfoRead = false;
    uncheckFlags();
    m_waitingForDrives = m_session.refreshOpticalDrives();
    m_hooks.updateControls();
}

void InstallController::fillOpticalDrives()
{
    QComboBox* combo = m_pane->opticalCombo;
    {
        // Filling the list selects nothing; the user picks the drive.
        const QSignalBlocker quiet(combo);
        combo->clear();
        for (const DiskEntry& d : m_session.opticalDrives())
            combo->addItem(d.label(), d.device);
        combo->setCurrentIndex(-1);
    }
    if (m_waitingForDrives) {
        m_waitingForDrives = false;
        if (m_pane->discSource->isChecked() && combo->count() == 0) {
            m_pane->imageSource->setChecked(true);
            m_hooks.showProblem({ProblemKind::NoDiscsInDrives, {}, {}});
        }
    }
    m_hooks.updateControls();
}

void InstallController::chooseImage()
{
    m_pane->typeNoteLabel->hide();
    InstallPane* in = m_pane;
    {
        const QSignalBlocker quiet(in->opticalCombo);
        in->opticalCombo->setCurrentIndex(-1);
    }
    in->gameNameEdit->clear();
    in->startupEdit->clear();
    m_discInfoRead = false;
    uncheckFlags();
    m_hooks.updateControls();
}

void InstallController::browseImage()
{
    InstallPane* in = m_pane;
    if (!m_session.toolAvailable()) {
        m_hooks.showProblem(m_session.toolMissingProblem());
        return;
    }
    FileDialogRequest request;
    request.directory = m_session.settings().text(Setting::DefaultISO);
    request.defaultSuffix = QStringLiteral("*.iso");
    request.mustExist = true;
    request.filter = ImageFilter();
    const std::optional<QString> chosen = m_dialogs.openFile(request);
    if (!chosen || chosen->isEmpty()) {
        // A cancelled dialog also forgets an image chosen before.
        m_typedRead.clear();
        in->imagePathEdit->clear();
        in->gameNameEdit->clear();
        in->startupEdit->clear();
        in->gameSizeEdit->clear();
        in->typeCombo->setCurrentIndex(1);
        m_discInfoRead = false;
        m_hooks.updateControls();
        return;
    }
    uncheckFlags();
    m_typedRead = *chosen;
    in->imagePathEdit->setText(*chosen);
    m_discInfoRead = false;
    readDisc(*chosen, false);
}

void InstallController::takeTypedImage()
{
    InstallPane* in = m_pane;
    QString path = in->imagePathEdit->text().trimmed();
    // A path pasted from a file manager may come as a file URL.
    if (path.startsWith(QLatin1String("file://")))
        path = QUrl(path).toLocalFile();
    if (path.isEmpty() || path == m_typedRead)
        return;
    if (path != in->imagePathEdit->text())
        in->imagePathEdit->setText(path);
    if (!QFileInfo(path).isFile()) {
        m_hooks.showProblem({ProblemKind::FileNotFound, path, {}});
        return;
    }
    if (!m_session.toolAvailable()) {
        m_hooks.showProblem(m_session.toolMissingProblem());
        return;
    }
    m_typedRead = path;
    uncheckFlags();
    m_discInfoRead = false;
    readDisc(path, false);
}

QString InstallController::chosenSource() const
{
    return m_pane->imageSource->isChecked() ? m_pane->imagePathEdit->text()
                                            : m_pane->opticalCombo->currentData().toString();
}

bool InstallController::checkInstallFields()
{
    InstallPane* in = m_pane;
    QString problem;
    if (in->imageSource->isChecked() && in->imagePathEdit->text().isEmpty())
        problem = tr("Please select an ISO to install.");
    else if (in->discSource->isChecked() && in->opticalCombo->currentText().isEmpty())
        problem = tr("Please select an optical drive with a PS2 game cd\\dvd in it.");
    else if (TrimGameName(in->gameNameEdit->text()).isEmpty())
        problem = tr("Please enter a name for the game to be added.");
    if (!problem.isEmpty()) {
        m_dialogs.message(problem, Dialogs::Icon::Exclamation);
        return false;
    }
    const QString name = TrimGameName(in->gameNameEdit->text());
    if (!GameNameFits(name)) {
        m_hooks.showProblem({ProblemKind::NameTooLong, name, {}});
        return false;
    }
    if (HasControlCharacters(name)) {
        m_hooks.showProblem({ProblemKind::NameHasControlCharacters, name, {}});
        return false;
    }
    if (name != in->gameNameEdit->text()) {
        in->gameNameEdit->setText(name);
        m_hooks.showProblem({ProblemKind::NameTrimmed, name, {}});
    }
    return true;
}

Job InstallController::installJob() const
{
    const InstallPane* in = m_pane;
    parse::DiscInfo disc = m_discInfoRead ? m_disc : parse::DiscInfo();
    disc.startup = in->startupEdit->text();
    Job job = InstallJob(chosenSource(), m_hooks.target(), in->gameNameEdit->text(), disc,
                         in->typeCombo->currentIndex() == 0 ? DiscType::CD : DiscType::DVD,
                         chosenFlags());
    job.nameSource = job.name == m_suggestedName ? m_suggestedSource : NameSource::Typed;
    return job;
}

void InstallController::resetInstallPane()
{
    m_pane->typeNoteLabel->hide();
    InstallPane* in = m_pane;
    uncheckFlags();
    in->imagePathEdit->clear();
    in->gameNameEdit->clear();
    in->gameNameEdit->setToolTip({});
    m_suggestedName.clear();
    m_typedRead.clear();
    in->startupEdit->clear();
    in->gameSizeEdit->clear();
    in->typeCombo->setCurrentIndex(1);
    {
        const QSignalBlocker quiet(in->opticalCombo);
        in->opticalCombo->setCurrentIndex(-1);
    }
    m_discInfoRead = false;
    m_hooks.updateControls();
}

CompatFlags InstallController::chosenFlags() const
{
    QList<bool> ticked;
    for (const QAction* flag : m_flags)
        ticked << flag->isChecked();
    return CompatFlags::fromTicked(ticked);
}

void InstallController::uncheckFlags()
{
    for (QAction* flag : std::as_const(m_flags))
        flag->setChecked(false);
}

void InstallController::addGame()
{
    if (!m_pane->addToQueueButton->isEnabled() || !checkInstallFields())
        return;
    m_session.addJob(installJob());
    resetInstallPane();
    m_hooks.jobAdded();
}

void InstallController::installChosenGame()
{
    if (!m_session.toolAvailable()) {
        m_hooks.showProblem(m_session.toolMissingProblem());
        return;
    }
    if (!checkInstallFields())
        return;
    const Job job = installJob();
    m_hooks.installing(job);
    m_session.runNow(job);
}

void InstallController::makeIso()
{
    InstallPane* in = m_pane;
    if (!m_session.toolAvailable()) {
        m_hooks.showProblem(m_session.toolMissingProblem());
        return;
    }
    if (in->gameNameEdit->text().trimmed().isEmpty()) {
        m_dialogs.message(tr("Please enter a name for the game."), Dialogs::Icon::Exclamation);
        return;
    }
    FileDialogRequest request;
    request.directory = m_session.settings().text(Setting::DefaultISO);
    request.fileName = in->gameNameEdit->text() + QStringLiteral(".iso");
    request.filter = ImageFilter();
    request.defaultSuffix = QStringLiteral("*.iso");
    request.confirmOverwrite = true;
    const std::optional<QString> path = m_dialogs.saveFile(request);
    if (!path || path->isEmpty() || !CheckFolderOf(m_dialogs, *path))
        return;
    // The dialog asked before a file was chosen over an existing one.
    m_session.addJob(
        MakeIsoJob(in->opticalCombo->currentData().toString(), *path, m_disc.sizeKb, true));
    m_hooks.jobAdded();
}

void InstallController::addImages()
{
    FileDialogRequest request;
    request.title = tr("Add Images");
    request.directory = m_session.settings().text(Setting::DefaultISO);
    request.filter = ImageFilter();
    request.mustExist = true;
    const QStringList files = m_dialogs.openFiles(request);
    if (!files.isEmpty())
        addPaths(files);
}

void InstallController::addFolder()
{
    const std::optional<QString> folder =
        m_dialogs.chooseFolder(tr("Add every image in a folder and its subfolders"),
                               m_session.settings().text(Setting::DefaultISO));
    if (folder && !folder->isEmpty())
        addPaths({*folder});
}

void InstallController::addPaths(const QStringList& paths)
{
    if (!m_pane->addImagesButton->isEnabled()) {
        // Nothing to compare the images with, or something runs.
        if (!m_session.isBusy())
            m_dialogs.message(tr("Choose and refresh the PS2 device first: the images are "
                                 "queued for it."),
                              Dialogs::Icon::Exclamation);
        return;
    }
    m_session.addImages(paths);
}
