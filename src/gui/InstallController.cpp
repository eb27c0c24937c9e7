#include "InstallController.h"

#include "DialogFolders.h"
#include "Dialogs.h"
#include "InstallPane.h"
#include "JobEditDialog.h"
#include "StickyMenu.h"
#include "core/devices/Flags.h"
#include "core/jobs/BatchAdd.h"
#include "core/jobs/JobCommands.h"
#include "core/jobs/Preflight.h"
#include "core/session/GameNames.h"
#include "core/session/Session.h"

#include <QAction>
#include <QFileInfo>
#include <QUrl>

InstallController::InstallController(InstallPane* pane, Session& session, Dialogs& dialogs,
                                     Hooks hooks, QWidget* menuParent)
    : QObject(menuParent), m_pane(pane), m_session(session), m_dialogs(dialogs),
      m_hooks(std::move(hooks))
{
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
    m_pane->setFlagsMenu(m_flagsMenu);
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
    connect(m_pane, &InstallPane::driveSourceAsked, this, &InstallController::chooseOptical);
    connect(m_pane, &InstallPane::imageSourceAsked, this, &InstallController::chooseImage);
    connect(m_pane, &InstallPane::driveChosen, this,
            [this](const QString& device) { readDisc(device, true); });
    connect(m_pane, &InstallPane::browseAsked, this, &InstallController::browseImage);
    connect(m_pane, &InstallPane::imagePathEdited, this, [this] {
        // An emptied box leaves nothing chosen: the game read from the old path goes with it.
        if (m_pane->imagePath().trimmed().isEmpty() && (!m_typedRead.isEmpty() || m_discInfoRead)) {
            m_pane->clearGame();
            m_suggestedName.clear();
            m_typedRead.clear();
            m_discInfoRead = false;
            uncheckFlags();
        }
        m_hooks.updateControls();
    });
    // A typed or pasted path is read as a chosen one is, once it is complete.
    connect(m_pane, &InstallPane::imagePathTaken, this, &InstallController::takeTypedImage);
    connect(m_flagsDone, &QAction::triggered, m_flagsMenu, &QMenu::close);
    connect(m_pane, &InstallPane::addAsked, this, &InstallController::addGame);
    connect(m_pane, &InstallPane::nameEdited, this, [this](const QString& text) {
        m_pane->setNameOrigin(
            NameSourceText(text == m_suggestedName ? m_suggestedSource : NameSource::Typed));
    });
    connect(m_pane, &InstallPane::installAsked, this, &InstallController::installChosenGame);
    connect(m_pane, &InstallPane::makeIsoAsked, this, &InstallController::makeIso);
    connect(m_pane, &InstallPane::addImagesAsked, this, &InstallController::addImages);
    connect(m_pane, &InstallPane::addFolderAsked, this, &InstallController::addFolder);
    connect(&m_session.devices(), &DeviceAccess::opticalDrivesChanged, this,
            &InstallController::fillOpticalDrives);
}

void InstallController::describeChoices(ControlInputs& in) const
{
    in.opticalChosen = m_pane->driveSourceChosen();
    in.imageChosen = m_pane->imageSourceChosen();
    in.sourceChosen = (in.imageChosen && !m_pane->imagePath().isEmpty()) ||
                      (in.opticalChosen && !m_pane->chosenDrive().isEmpty());
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
    m_pane->setDiscType(DiscTypeOf(info.media, info.sizeKb));
    m_pane->showTypeGuessed(info.mediaUnknown);
    // Named as the command line names it: the disc database, else the file or the disc.
    const GameNaming naming = m_session.names().nameFor(chosenSource(), info);
    m_pane->setStartup(info.startup);
    m_pane->setGameName(naming.name, NameSourceText(naming.source));
    m_suggestedName = naming.name;
    m_suggestedSource = naming.source;
    m_pane->setSize(info.sizeText);
    if (naming.fromDatabase) {
        for (int flag = 1; flag <= m_flags.size(); ++flag)
            m_flags[flag - 1]->setChecked(naming.flags.has(flag));
    }
    m_hooks.updateControls();
}

void InstallController::forgetDisc()
{
    m_discInfoRead = false;
    m_pane->showTypeGuessed(false);
    if (m_pane->driveSourceChosen())
        m_pane->clearDrive();
    m_hooks.updateControls();
}

void InstallController::chooseOptical()
{
    m_pane->showTypeGuessed(false);
    if (!m_session.toolAvailable()) {
        m_hooks.showProblem(m_session.toolMissingProblem());
        m_pane->chooseImageSource();
        return;
    }
    m_pane->setImagePath({});
    m_pane->setDiscType(DiscType::DVD);
    m_discInfoRead = false;
    uncheckFlags();
    m_waitingForDrives = m_session.refreshOpticalDrives();
    m_hooks.updateControls();
}

void InstallController::fillOpticalDrives()
{
    m_pane->setDrives(m_session.opticalDrives());
    if (m_waitingForDrives) {
        m_waitingForDrives = false;
        if (m_pane->driveSourceChosen() && m_pane->driveCount() == 0) {
            m_pane->chooseImageSource();
            m_hooks.showProblem({ProblemKind::NoDiscsInDrives, {}, {}});
        } else if (m_pane->driveSourceChosen() && m_pane->driveCount() == 1) {
            // The one drive there is: chosen, and its disc read.
            m_pane->chooseDrive(0);
            m_hooks.updateControls();
            m_session.whenIdle([this] {
                if (m_pane->driveSourceChosen() && !m_pane->chosenDrive().isEmpty())
                    readDisc(m_pane->chosenDrive(), true);
            });
            return;
        }
    }
    m_hooks.updateControls();
}

void InstallController::chooseImage()
{
    m_pane->showTypeGuessed(false);
    m_pane->clearDrive();
    m_pane->setGameName({});
    m_pane->setStartup({});
    m_discInfoRead = false;
    uncheckFlags();
    m_hooks.updateControls();
}

void InstallController::browseImage()
{
    if (!m_session.toolAvailable()) {
        m_hooks.showProblem(m_session.toolMissingProblem());
        return;
    }
    FileDialogRequest request;
    request.directory = DialogFolder(m_session.settings(), QStringLiteral("images"));
    request.defaultSuffix = QStringLiteral("*.iso");
    request.mustExist = true;
    request.filter = ImageFilter();
    const std::optional<QString> chosen = m_dialogs.openFile(request);
    if (chosen)
        RememberDialogFolder(m_session.settings(), QStringLiteral("images"), *chosen);
    if (!chosen || chosen->isEmpty()) {
        // A cancelled dialog also forgets an image chosen before.
        m_typedRead.clear();
        m_pane->setImagePath({});
        m_pane->clearGame();
        m_discInfoRead = false;
        m_hooks.updateControls();
        return;
    }
    uncheckFlags();
    m_typedRead = *chosen;
    m_pane->setImagePath(*chosen);
    m_discInfoRead = false;
    readDisc(*chosen, false);
}

void InstallController::takeTypedImage()
{
    QString path = m_pane->imagePath().trimmed();
    // A path pasted from a file manager may come as a file URL.
    if (path.startsWith(QLatin1String("file://")))
        path = QUrl(path).toLocalFile();
    if (path.isEmpty() || path == m_typedRead)
        return;
    if (path != m_pane->imagePath())
        m_pane->setImagePath(path);
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
    return m_pane->imageSourceChosen() ? m_pane->imagePath() : m_pane->chosenDrive();
}

bool InstallController::checkInstallFields()
{
    QString problem;
    if (m_pane->imageSourceChosen() && m_pane->imagePath().isEmpty())
        problem = tr("Please select an ISO to install.");
    else if (m_pane->driveSourceChosen() && m_pane->chosenDrive().isEmpty())
        problem = tr("Please select an optical drive with a PS2 game cd\\dvd in it.");
    else if (TrimGameName(m_pane->gameName()).isEmpty())
        problem = tr("Please enter a name for the game to be added.");
    if (!problem.isEmpty()) {
        m_dialogs.message(problem, Dialogs::Icon::Exclamation);
        return false;
    }
    const QString name = TrimGameName(m_pane->gameName());
    if (const std::optional<Problem> p = GameNameProblem(name)) {
        m_hooks.showProblem(*p);
        return false;
    }
    if (name != m_pane->gameName()) {
        m_pane->setGameName(name);
        m_hooks.showProblem({ProblemKind::NameTrimmed, name, {}});
    }
    return true;
}

Job InstallController::installJob() const
{
    parse::DiscInfo disc = m_discInfoRead ? m_disc : parse::DiscInfo();
    disc.startup = m_pane->startup();
    Job job = InstallJob(chosenSource(), m_hooks.target(), m_pane->gameName(), disc,
                         m_pane->discType(), chosenFlags());
    job.nameSource = job.name == m_suggestedName ? m_suggestedSource : NameSource::Typed;
    return job;
}

void InstallController::resetInstallPane()
{
    uncheckFlags();
    m_pane->setImagePath({});
    m_pane->clearGame();
    m_suggestedName.clear();
    m_typedRead.clear();
    m_pane->clearDrive();
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
    if (!m_pane->canAdd() || !checkInstallFields())
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
    // The queue's check before a run, for this one job: what the disk holds now is read first
    // unless nothing was written to it since it was.
    const Target target = WriteTarget(job);
    if (m_session.targetGames().isFresh(target)) {
        installAfterCheck(job);
        return;
    }
    Operation* read =
        m_session.operate([this, &target] { return m_session.readTargetFacts(target); });
    connect(read, &Operation::finished, this, [this, job](const OperationResult& result) {
        if (result.started && !result.cancelled)
            installAfterCheck(job);
    });
}

void InstallController::installAfterCheck(const Job& job)
{
    QStringList found;
    for (const PreflightIssue& issue : CheckJobs({job}, {0}, m_session.targetGames().facts()))
        found << issue.text;
    if (!found.isEmpty() && !m_dialogs.confirmList(tr("Before %1 is installed:").arg(job.name),
                                                   found, tr("Install Anyway")))
        return;
    m_hooks.installing(job);
    m_session.runNow(job);
}

void InstallController::makeIso()
{
    if (!m_session.toolAvailable()) {
        m_hooks.showProblem(m_session.toolMissingProblem());
        return;
    }
    if (m_pane->gameName().trimmed().isEmpty()) {
        m_dialogs.message(tr("Please enter a name for the game."), Dialogs::Icon::Exclamation);
        return;
    }
    FileDialogRequest request;
    request.directory = DialogFolder(m_session.settings(), QStringLiteral("copies"));
    request.fileName = m_pane->gameName() + QStringLiteral(".iso");
    request.filter = ImageFilter();
    request.defaultSuffix = QStringLiteral("*.iso");
    request.confirmOverwrite = true;
    const std::optional<QString> path = m_dialogs.saveFile(request);
    if (!path || path->isEmpty() || !CheckFolderOf(m_dialogs, *path))
        return;
    RememberDialogFolder(m_session.settings(), QStringLiteral("copies"), *path);
    // The dialog asked before a file was chosen over an existing one.
    m_session.addJob(MakeIsoJob(m_pane->chosenDrive(), *path, m_disc.sizeKb, true));
    m_hooks.jobAdded();
}

void InstallController::addImages()
{
    FileDialogRequest request;
    request.title = tr("Add Images");
    request.directory = DialogFolder(m_session.settings(), QStringLiteral("images"));
    request.filter = ImageFilter();
    request.mustExist = true;
    const QStringList files = m_dialogs.openFiles(request);
    if (files.isEmpty())
        return;
    RememberDialogFolder(m_session.settings(), QStringLiteral("images"), files.first());
    addPaths(files);
}

void InstallController::addFolder()
{
    const std::optional<QString> folder =
        m_dialogs.chooseFolder(tr("Add every image in a folder and its subfolders"),
                               DialogFolder(m_session.settings(), QStringLiteral("imageFolders")));
    if (!folder || folder->isEmpty())
        return;
    RememberDialogFolder(m_session.settings(), QStringLiteral("imageFolders"), *folder);
    addPaths({*folder});
}

void InstallController::addPaths(const QStringList& paths)
{
    if (!m_pane->canAddImages()) {
        // Nothing to compare the images with, or something runs.
        if (!m_session.isBusy())
            m_dialogs.message(tr("Choose and refresh the PS2 device first: the images are "
                                 "queued for it."),
                              Dialogs::Icon::Exclamation);
        return;
    }
    m_session.addImages(paths);
}
