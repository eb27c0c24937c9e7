#include "MainWindow.h"

#include "ActivityPane.h"
#include "AppIcon.h"
#include "BrowsePane.h"
#include "ControlState.h"
#include "DialogFolders.h"
#include "Dialogs.h"
#include "GamesController.h"
#include "InstallController.h"
#include "InstallPane.h"
#include "JobPane.h"
#include "MainMenu.h"
#include "MessageBar.h"
#include "NavigationPane.h"
#include "ProblemPresenter.h"
#include "QueueActions.h"
#include "QueueEditor.h"
#include "RunStatusBar.h"
#include "SettingsWindow.h"
#include "StatusWindow.h"
#include "StickyMenu.h"
#include "TargetController.h"
#include "TargetPane.h"
#include "TrayIcon.h"
#include "Twips.h"
#include "WindowPlacement.h"
#include "core/devices/Flags.h"
#include "core/devices/Probe.h"
#include "core/diagnostics/Doctor.h"
#include "core/jobs/BatchAdd.h"
#include "core/jobs/JobCommands.h"
#include "core/platform/Platform.h"
#include "core/session/ProblemText.h"
#include "core/session/Session.h"
#include "core/settings/AtomicFile.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStackedLayout>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

namespace {
constexpr int kContentMargin = 6;

} // namespace

MainWindow::MainWindow(Session& session, MainSeams seams, QWidget* parent)
    : QWidget(parent), m_session(session), m_seams(std::move(seams))
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(VersionedTitle());
    setWindowIcon(AppIcon());

    m_target = new TargetPane;
    m_navigation = new NavigationPane;
    m_install = new InstallPane;
    m_browse = new BrowsePane;
    m_browse->hide();
    m_jobPane = new JobPane;
    m_activity = new ActivityPane(this);
    m_messageBar = new MessageBar(this);
    m_runBar = new RunStatusBar(this);
    m_problems = new ProblemPresenter(m_session, m_seams.dialogs,
                                      {[this](const QString& text) {
                                           m_status->setTask(text);
                                           m_runBar->say(text);
                                           balloon(text);
                                       },
                                       [this] { return isActiveWindow(); },
                                       [this](const QString& text) { m_messageBar->say(text); }},
                                      this);
    // The target's controller first: the disks' list is its before the copy menu's.
    m_targetControl =
        new TargetController(m_target, m_session, m_seams.dialogs,
                             {[this](const Problem& p) { showProblem(p); },
                              [this] { updateControls(); }, [this] { m_games->showGameCount(0); }},
                             this);
    m_games = new GamesController(m_browse, m_session, m_seams.dialogs,
                                  {[this](const Problem& p) { showProblem(p); },
                                   [this](int count, bool copies) { jobsAdded(count, copies); },
                                   [this] { updateControls(); },
                                   [this] { return m_targetControl->chosenDiskRow(); }},
                                  this);
    m_installer = new InstallController(
        m_install, m_session, m_seams.dialogs,
        {[this](const Problem& p) { showProblem(p); }, [this] { updateControls(); },
         [this] { jobAdded(); }, [this] { return m_targetControl->chosenTarget(); },
         [this](const Job& job) {
             balloon(tr("Installing %1").arg(job.name));
             m_status->setTask(tr("Installing %1").arg(job.name));
             m_status->setJob(tr("Installing %1 to %2").arg(job.name, job.destination));
             m_status->resetForJob();
         }},
        this);
    m_queueActions =
        new QueueActions(m_session, m_seams.dialogs,
                         {[this] { jobAdded(); }, [this](const QString& text) { balloon(text); },
                          [this](const QString& text) { m_runBar->say(text); },
                          [this](const QString& text) { m_messageBar->say(text); }},
                         this);

    // Upper part: two columns, or the job pane laid over both. The right column (the
    // install and game panes) and the job pane take the room a larger window gives.
    m_columns = new QWidget;
    m_columns->setObjectName(QStringLiteral("upperColumns"));
    m_grid = new QGridLayout(m_columns);
    m_grid->setContentsMargins(0, 0, 0, 0);
    arrangeColumns(false);

    auto* upperHost = new QWidget;
    upperHost->setObjectName(QStringLiteral("upperHost"));
    m_upper = new QStackedLayout(upperHost);
    m_upper->addWidget(m_columns);
    m_upper->addWidget(m_jobPane);
    m_activity->hide();

    // The activity view below, its share set by dragging the handle.
    m_splitter = new QSplitter(Qt::Vertical);
    m_splitter->setObjectName(QStringLiteral("mainSplitter"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(upperHost);
    m_splitter->addWidget(m_activity);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 0);

    // A window smaller than its contents scrolls rather than cutting them off.
    auto* scroll = new QScrollArea(this);
    m_scroll = scroll;
    scroll->setObjectName(QStringLiteral("mainScroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // Only a frame around the panes: Tab goes to what is in it.
    scroll->setFocusPolicy(Qt::NoFocus);
    auto* content = new QWidget;
    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(kContentMargin, kContentMargin, kContentMargin,
                                      kContentMargin);
    contentLayout->addWidget(m_splitter);
    scroll->setWidget(content);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_menu = new MainMenu(this);
    layout->setMenuBar(m_menu);
    layout->addWidget(m_messageBar);
    layout->addWidget(scroll);
    layout->addWidget(m_runBar);

    m_jobPane->setJobs(&m_session.jobs());
    m_queueEditor = new QueueEditor(m_session, m_seams.dialogs, m_jobPane,
                                    {[this](const QString& text, std::function<void()> undo) {
                                         m_messageBar->offer(text, tr("&Undo"), std::move(undo));
                                     },
                                     [this](const QString& text) { m_runBar->say(text); }},
                                    this);
    buildMenus();

    m_status = std::make_unique<StatusWindow>(m_session, m_seams.dialogs);
    m_settingsWindow = std::make_unique<SettingsWindow>(
        SettingsWindow::Context{m_session,
                                m_seams.dialogs,
                                m_seams.tray,
                                {this, m_status.get()},
                                [this] { return m_targetControl->address(); },
                                [this](const QString& ip) { m_targetControl->setAddress(ip); }});
    connectControls();
    connectMenu();
    connectSession();
    updateControls();
}

MainWindow::~MainWindow()
{
    // The panes go after this window's own parts: what they say while they go finds no one.
    for (QObject* pane : std::initializer_list<QObject*>{m_target, m_install, m_browse, m_jobPane})
        disconnect(pane, nullptr, this, nullptr);
}

void MainWindow::buildMenus()
{
    m_trayMenu = new QMenu(QStringLiteral("systraymenu"), this);
    m_trayMenu->setObjectName(QStringLiteral("trayMenu"));
    m_settingsAction = m_trayMenu->addAction(tr("Settings && Tools"));
    m_settingsAction->setObjectName(QStringLiteral("settingsAction"));
    m_trayMenu->addSeparator()->setObjectName(QStringLiteral("traySeparatorTop"));
    m_minimizeAction = m_trayMenu->addAction(tr("Minimize"));
    m_minimizeAction->setObjectName(QStringLiteral("minimizeAction"));
    m_trayMenu->addSeparator()->setObjectName(QStringLiteral("traySeparatorBottom"));
    m_exitAction = m_trayMenu->addAction(tr("Exit"));
    m_exitAction->setObjectName(QStringLiteral("exitAction"));
}

void MainWindow::connectControls()
{
    // Navigation.
    connect(m_navigation, &NavigationPane::viewChosen, this, [this](NavigationPane::View view) {
        if (view == NavigationPane::View::Queue) {
            showJobPane(true);
            return;
        }
        m_install->setVisible(view == NavigationPane::View::Install);
        m_browse->setVisible(view == NavigationPane::View::Browse);
        showJobPane(false);
    });
    connect(m_jobPane, &JobPane::backAsked, this, [this] {
        // Back to whichever pane lies underneath the job pane.
        m_navigation->setView(m_install->isHidden() ? NavigationPane::View::Browse
                                                    : NavigationPane::View::Install);
    });
    connect(m_navigation, &NavigationPane::activityToggled, this, &MainWindow::setActivityVisible);
    // Any command can be stopped from here; a run of jobs is stopped from its status window.
    connect(m_activity, &ActivityPane::cancelAsked, this, &MainWindow::cancelCommand);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &MainWindow::cancelCommand);
    connect(m_navigation, &NavigationPane::minimizeAsked, this, &MainWindow::minimizeToTray);
    connect(m_navigation, &NavigationPane::exitAsked, this, &QWidget::close);
    connect(m_navigation, &NavigationPane::settingsAsked, m_settingsWindow.get(),
            &SettingsWindow::present);
    connect(m_settingsAction, &QAction::triggered, m_settingsWindow.get(),
            &SettingsWindow::present);
    connect(m_minimizeAction, &QAction::triggered, this, [this] {
        if (m_hiddenToTray)
            restoreFromTray();
        else
            minimizeToTray();
    });
    connect(m_exitAction, &QAction::triggered, this, &QWidget::close);
    connect(&m_seams.tray, &TrayIcon::doubleClicked, this, &MainWindow::restoreFromTray);

    // The copy menu follows the disk chosen: the source disk is no destination.
    connect(m_target, &TargetPane::diskChanged, m_games, &GamesController::fillCopyMenu);

    connect(m_install, &InstallPane::batchCancelAsked, &m_session, &Session::cancel);
    setAcceptDrops(true);

    // Jobs.
    connect(m_jobPane, &JobPane::startAsked, this, &MainWindow::startJobQueue);
    connect(m_activity, &ActivityPane::openLogAsked, this, &MainWindow::openLogFolder);
    connect(m_activity, &ActivityPane::reportAsked, this, &MainWindow::saveDiagnosticReport);
    connect(m_jobPane, &JobPane::removeAsked, m_queueEditor, &QueueEditor::removeSelected);
    connect(m_jobPane, &JobPane::runSelectedAsked, m_queueEditor, &QueueEditor::runSelected);
    connect(m_jobPane, &JobPane::editAsked, m_queueEditor, &QueueEditor::editSelected);
    connect(m_jobPane, &JobPane::moveAsked, m_queueEditor, &QueueEditor::moveSelected);
    // Ctrl+Z anywhere but in a text box (which takes it for its own text).
    auto* undo = new QShortcut(QKeySequence(QKeySequence::Undo), this);
    connect(undo, &QShortcut::activated, this, [this] {
        if (m_queueEditor->canUndo() && !m_session.isBusy()) {
            m_messageBar->dismiss();
            m_queueEditor->undo();
        }
    });
    // The status window closed during a run: the main window shows the run, and opens it again.
    connect(m_status.get(), &StatusWindow::closedDuringRun, this, &MainWindow::restoreFromTray);
    connect(m_status.get(), &StatusWindow::stopAfterChanged, this, [this](bool stop) {
        m_runBar->say(stop ? tr("The run will stop when this job ends; the jobs after it wait "
                                "in the queue.")
                           : tr("The run goes on after this job."));
    });
    connect(m_runBar, &RunStatusBar::cancelAsked, m_status.get(), &StatusWindow::confirmCancel);
    connect(m_runBar, &RunStatusBar::statusWindowAsked, this, [this] {
        if (!runsJobs())
            return;
        m_status->showNormal();
        m_status->raise();
        m_status->activateWindow();
    });
    connect(m_jobPane, &JobPane::clearAsked, m_queueEditor, &QueueEditor::clearAll);
    connect(&m_session.jobs(), &QAbstractItemModel::rowsInserted, this,
            &MainWindow::updateControls);
    connect(&m_session.jobs(), &QAbstractItemModel::rowsRemoved, this, &MainWindow::updateControls);
    connect(&m_session.jobs(), &QAbstractItemModel::modelReset, this, &MainWindow::updateControls);
}

void MainWindow::connectSession()
{
    connect(&m_session, &Session::busyChanged, this, [this](bool busy) {
        // The end of a run is shown whole, whatever the pace of the view.
        if (!busy)
            m_activity->flushOutput();
        // How the last action ended is kept until the next one begins: then it is old news.
        else if (!runsJobs())
            m_runBar->clearMessage();
        updateControls();
    });
    connect(&m_session, &Session::commandStarted, this,
            [this](const QString& shown) { m_activity->showCommand(shown); });
    connect(&m_session, &Session::outputArrived, m_activity, &ActivityPane::showOutput);
    connect(&m_session, &Session::problem, this, &MainWindow::showProblem);
    connect(&m_session, &Session::gameModified, this,
            [this](const QString& name) { balloon(tr("%1 changed").arg(name)); });
    connect(&m_session, &Session::gameDeleted, this,
            [this](const QString& name) { balloon(tr("%1 deleted from HDD").arg(name)); });
    connect(&m_session, &Session::diskFormatted, this, &MainWindow::updateControls);
    connect(&m_session, &Session::tocRestored, this, [this](const Target& target) {
        balloon(tr("The partition table of %1 was restored").arg(target.toolArgument()));
    });
    connect(&m_session, &Session::runStarted, this, &MainWindow::showRunStatus);
    connect(&m_session.runs(), &QueueRuns::jobStarted, this, [this](int row) {
        const Job& job = m_session.jobs().job(row);
        m_jobPane->showJob(row);
        // Counted in this run: the jobs done before it are no part of it.
        const int number = m_session.runs().runJobNumber();
        const int count = m_session.runs().runJobCount();
        m_status->setTask(tr("Currently on Job %1 of %2").arg(number).arg(count));
        m_status->resetForJob();
        m_status->setJobStart(job.startedAt);
        const QString what = job.kind == JobKind::Install   ? tr("Installing %1 to %2")
                             : job.kind == JobKind::MakeIso ? tr("Creating ISO of %1 to %2")
                                                            : tr("Copying %1 to %2");
        m_status->setJob(what.arg(job.name, job.destination));
        m_runBar->setJob(
            tr("Job %1 of %2: %3").arg(number).arg(count).arg(what.arg(job.name, job.destination)));
    });
    connect(&m_session.runs(), &QueueRuns::progressChanged, this, [this](const JobProgress& p) {
        m_status->showProgress(p, m_session.activity() == Activity::RunningQueue);
        m_runBar->showProgress(p);
        // The dock hears of whole percents of the run, not of every record.
        if (p.overall != m_lastProgress.overall) {
            m_lastProgress = p;
            tellLauncher();
        }
    });
    // A job that had gone quiet moves again: its notice goes, the run's lines come back.
    connect(&m_session.runs(), &QueueRuns::runMoving, this, [this] {
        m_runBar->clearMessage();
        if (m_session.activity() == Activity::RunningQueue)
            m_status->setTask(tr("Currently on Job %1 of %2")
                                  .arg(m_session.runs().runJobNumber())
                                  .arg(m_session.runs().runJobCount()));
    });
    connect(&m_session, &Session::runFinished, this, &MainWindow::showRunEnd);
    connect(&m_session, &Session::queueChecked, m_queueActions, &QueueActions::confirmStart);
    connect(&m_session, &Session::batchProgress, m_install, &InstallPane::showBatchProgress);
    connect(&m_session, &Session::batchRead, this, [this](const BatchSummary& summary) {
        m_install->hideBatchProgress();
        m_queueActions->showBatchSummary(summary);
    });
    connect(&m_session.runs(), &QueueRuns::incompleteFound, this,
            [this](int row) { m_queueActions->noteIncomplete(row); });
    connect(&m_session, &Session::busyChanged, this, [this](bool busy) {
        if (!busy)
            m_queueActions->offerToDeleteIncomplete();
        if (!busy)
            m_problems->restorePendingToc();
    });
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(&m_session.jobs(), signal, this, &MainWindow::showPendingCount);
    connect(&m_session.jobs(), &QAbstractItemModel::modelReset, this,
            &MainWindow::showPendingCount);
    connect(&m_session.jobs(), &QAbstractItemModel::dataChanged, this,
            &MainWindow::showPendingCount);
    connect(&m_seams.tray, &TrayIcon::messageClicked, this, &MainWindow::bringForward);
    connect(&m_session, &Session::exitActionsDone, this, &MainWindow::exitProgram);
}

void MainWindow::showProblem(const Problem& problem)
{
    // What the read at start could not do is said in the window; nobody asked for it yet.
    if (m_readingAtStart && m_session.isBusy() && m_session.activity() != Activity::RunningQueue) {
        m_messageBar->say(ProblemText(problem));
        return;
    }
    m_problems->show(problem);
}

void MainWindow::balloon(const QString& text)
{
    ShowBalloon(m_seams.tray, m_session.settings(), text);
    // The window says it too: balloons may be turned off, or no notification service runs.
    m_runBar->say(text);
}

void MainWindow::updateControls()
{
    ControlInputs in = ControlInputs::From(m_session);
    in.gamesSelected = static_cast<int>(selectedGames().size());
    in.localChosen = m_targetControl->localChosen();
    m_installer->describeChoices(in);
    const ControlState s = ControlState::Of(in);
    // Each pane enables its own controls from the one state.
    m_target->applyControls(s);
    m_navigation->applyControls(s);
    m_install->applyControls(s);
    m_browse->applyControls(s);
    m_jobPane->applyControls(s);
    m_activity->applyControls(s);
    m_settingsAction->setEnabled(s.targetControls);
    m_browse->setEmptyText(emptyListText());
}

QString MainWindow::emptyListText() const
{
    // What to do next, where the games would be.
    const QString target = m_targetControl->localChosen() ? m_target->chosenDiskLabel()
                                                          : m_targetControl->address().trimmed();
    if (m_session.activity() == Activity::ReadingGames ||
        m_session.activity() == Activity::ListingDevices)
        return tr("Reading %1...").arg(target);
    if (m_session.isAttached())
        return tr("No games on %1 yet: install one from the Install view.").arg(target);
    if (m_targetControl->localChosen() && m_session.disks().isEmpty())
        return tr("No PS2 disk found: plug one in and press Refresh HDD, or choose LAN for a PS2 "
                  "on the network.");
    return m_targetControl->localChosen() ? tr("Press Refresh HDD to read %1.").arg(target)
                                          : tr("Press Refresh PS2 to read %1.").arg(target);
}

bool MainWindow::runsJobs() const
{
    return m_session.activity() == Activity::RunningQueue ||
           m_session.activity() == Activity::InstallingNow;
}

void MainWindow::cancelCommand()
{
    if (m_session.isBusy() && !runsJobs())
        m_session.cancel();
}

void MainWindow::showJobPane(bool show)
{
    m_upper->setCurrentWidget(show ? static_cast<QWidget*>(m_jobPane) : m_columns);
}

// Target -------------------------------------------------------------------

// Source -------------------------------------------------------------------

// Actions ------------------------------------------------------------------

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        const QFileInfo file(url.toLocalFile());
        if (url.isLocalFile() && (file.isDir() || IsImageFile(file.filePath()))) {
            event->acceptProposedAction();
            return;
        }
    }
}

void MainWindow::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    m_installer->addPaths(paths);
}

void MainWindow::saveDiagnosticReport()
{
    FileDialogRequest request;
    request.directory = DialogFolder(m_session.settings(), QStringLiteral("reports"));
    request.fileName =
        QStringLiteral("ventrik-report-%1.txt")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    request.filter = tr("Text Files (*.txt)|*.txt|All Files (*.*)|*.*|");
    request.defaultSuffix = QStringLiteral("txt");
    request.confirmOverwrite = true;
    const std::optional<QString> path = m_seams.dialogs.saveFile(request);
    if (!path || path->isEmpty())
        return;
    RememberDialogFolder(m_session.settings(), QStringLiteral("reports"), *path);
    auto* doctor = new Doctor(m_session.paths(), m_session.settings(), this);
    connect(doctor, &Doctor::finished, this,
            [this, doctor, file = *path](const DoctorReport& report) {
                doctor->deleteLater();
                const QString settingsText = QString::fromUtf8(
                    platform::readRegularFile(m_session.paths().configFile, 1 << 20).bytes);
                const QString text =
                    DiagnosticReportText(QCoreApplication::applicationVersion(), report,
                                         settingsText, m_session.log().lastEntries(200));
                QString error;
                if (SaveFileAtomically(file, text.toUtf8(), &error))
                    balloon(tr("Diagnostic report saved"));
                else
                    showProblem({ProblemKind::SaveFailed, file, error});
            });
    doctor->start();
}

// Window -------------------------------------------------------------------

void MainWindow::minimizeToTray()
{
    // Without a tray the window could not come back from hiding: minimise instead.
    if (m_seams.tray.isAvailable())
        hide();
    else
        showMinimized();
    m_hiddenToTray = true;
    m_minimizeAction->setText(tr("Maximize"));
}

void MainWindow::bringForward()
{
    restoreFromTray();
}

void MainWindow::restoreFromTray()
{
    // Back as it was: a maximised window stays maximised.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    m_hiddenToTray = false;
    m_minimizeAction->setText(tr("Minimize"));
}

void MainWindow::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    // The selection model exists once the view has its model.
    connect(m_browse, &BrowsePane::chosenChanged, this, &MainWindow::updateControls);
    m_settingsWindow->load();
    AddTrayIcon(m_seams.tray, windowTitle(), windowIcon(), m_trayMenu);
    const bool viewOutput = m_session.settings().flag(Setting::ViewOutput);
    m_navigation->setActivityShown(viewOutput);
    if (!viewOutput)
        setActivityVisible(false);
    m_placed = false;
    placeWindow();
    m_placed = true;
    QString ip = m_session.settings().text(Setting::IP);
    if (ip.isEmpty())
        ip = kDefaultIP;
    // The box stores the address and makes it the target.
    m_targetControl->setAddress(ip);
    m_browse->sizeColumns(m_session.settings().state(Setting::GameColumns));
    m_jobPane->sizeColumns(m_session.settings().state(Setting::JobColumns));
    m_targetControl->restoreChoice();
    updateControls();
    show();
    // The scroll area judged its bars while it was hidden and too small; judged again at its
    // shown size, a window whose panes fit is not first drawn with two bars, then again
    // without them.
    QEvent relayout(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(m_scroll, &relayout);
    // The device read last time is read again, in the background; until that has ended, what
    // it could not do is said in the window, not in a box nobody asked for.
    m_readingAtStart = m_targetControl->readRemembered([this] { m_readingAtStart = false; });
    // A missing tool is said at once, with where it was looked for and where to choose it,
    // not at the first click.
    if (!m_session.toolAvailable())
        m_messageBar->offer(ProblemText(m_session.toolMissingProblem()), tr("&Choose hdl_dump..."),
                            [this] { m_settingsWindow->presentToolChoice(); });
    // The splitter's shares apply to its final size, known once the window is laid out.
    layout()->activate();
    m_splitter->restoreState(m_session.settings().state(Setting::MainSplitter));
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (m_exited || m_exiting)
        return;
    if (m_session.isBusy() && m_session.activity() != Activity::Exiting) {
        if (m_seams.dialogs.question(tr("A job is running. Cancel it and exit?"),
                                     Dialogs::Icon::Exclamation) != Dialogs::Answer::Yes)
            return;
        m_exiting = true;
        // The run may have ended while the question was open: then there is nothing to wait for.
        if (!m_session.isBusy()) {
            m_session.runExitActions();
            return;
        }
        // Leaves once the tool has stopped.
        auto* once = new QObject(this);
        connect(&m_session, &Session::busyChanged, once, [this, once](bool busy) {
            if (busy)
                return;
            once->deleteLater();
            m_session.runExitActions();
        });
        m_session.cancel();
        return;
    }
    m_exiting = true;
    m_session.runExitActions();
}

void MainWindow::exitProgram()
{
    if (m_exited)
        return;
    m_exited = true;
    // Nobody answers a message now: what cannot be saved goes to stderr and the log.
    m_session.setEnding(true);
    saveWindowState();
    RemoveTrayIcon(m_seams.tray);
    m_status->hide();
    m_settingsWindow->hide();
    hide();
    if (m_seams.quit)
        m_seams.quit();
}
