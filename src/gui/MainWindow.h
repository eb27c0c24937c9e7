#pragma once

#include "LauncherEntry.h"
#include "core/jobs/JobQueue.h"
#include "core/jobs/Preflight.h"
#include "core/session/Problem.h"

#include <QList>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class ActivityPane;
class BrowsePane;
class GamesController;
class InstallController;
class ProblemPresenter;
class MessageBar;
class RunStatusBar;
class TargetController;
class QueueActions;
class Dialogs;
class InstallPane;
class JobPane;
class NavigationPane;
class QAction;
class QMenu;
class QSplitter;
class QStackedLayout;
class Session;
class SettingsWindow;
class StatusWindow;
class TargetPane;
class TrayIcon;
struct BatchSummary;
struct Job;
enum class JobKind : std::uint8_t;

// What the main window gets from outside, so tests can replace it.
struct MainSeams
{
    Dialogs& dialogs;
    TrayIcon& tray;
    std::function<void()> quit; // ends the program after the exit routine
    // Shows a folder in the desktop's file manager (tests record it).
    std::function<void(const QString& folder)> openFolder = {};
    // Tells the desktop's dock the progress and the pending count (tests record it).
    std::function<void(const LauncherState&)> launcher = {};
};

// The main window: the target and source choices, the panes, the job queue,
// the activity view and the tray menu. It shows the session's state and
// calls its intents; it never waits for a run.
class MainWindow : public QWidget
{
    Q_OBJECT
public:
    MainWindow(Session& session, MainSeams seams, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up steps that belong to the window: tray icon, size, place, the
    // activity view and the stored address; then shown.
    void load();
    StatusWindow& statusWindow() { return *m_status; }
    SettingsWindow& settingsWindow() { return *m_settingsWindow; }
    bool isHiddenToTray() const { return m_hiddenToTray; }
    bool exited() const { return m_exited; }
    // Shown, raised and active again (from the tray, or when Ventrik is started again).
    void bringForward();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Image files and folders dropped anywhere on the window are queued.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenus();
    void connectControls();
    void connectMenu();
    void openLogFolder();
    void openUserGuide();
    void showAbout();
    void connectSession();
    // Enables every control from the session's state and the window's choices.
    void updateControls();
    // What the empty game list says to do next.
    QString emptyListText() const;
    bool runsJobs() const;
    void cancelCommand();
    void showJobPane(bool show);
    void showProblem(const Problem& problem);
    void balloon(const QString& text);
    // Actions.
    void jobAdded();
    void jobsAdded(int count, bool copies);
    // The selected games, as rows of the session's list.
    QList<int> selectedGames() const;
    void startJobQueue();
    // Runs.
    void showRunStatus(bool installNow);
    void showRunEnd(bool installNow, bool cancelled);
    void showPendingCount();
    void tellLauncher();
    void saveDiagnosticReport();
    // Window.
    void minimizeToTray();
    void restoreFromTray();
    void setActivityVisible(bool on);
    void placeWindow();
    void arrangeColumns(bool stacked);
    void saveWindowState();
    void exitProgram();

    Session& m_session;
    MainSeams m_seams;
    TargetPane* m_target;
    NavigationPane* m_navigation;
    InstallPane* m_install;
    BrowsePane* m_browse;
    GamesController* m_games = nullptr;
    InstallController* m_installer = nullptr;
    ProblemPresenter* m_problems = nullptr;
    MessageBar* m_messageBar = nullptr;
    RunStatusBar* m_runBar = nullptr;
    LauncherState m_launcherState;
    JobProgress m_lastProgress;
    TargetController* m_targetControl = nullptr;
    QueueActions* m_queueActions = nullptr;
    class QueueEditor* m_queueEditor = nullptr;
    JobPane* m_jobPane;
    ActivityPane* m_activity;
    class MainMenu* m_menu = nullptr;
    QMenu* m_trayMenu = nullptr;
    QAction* m_settingsAction = nullptr;
    QAction* m_minimizeAction = nullptr;
    QAction* m_exitAction = nullptr;
    QStackedLayout* m_upper = nullptr;
    QSplitter* m_splitter = nullptr;
    class QGridLayout* m_grid = nullptr;
    bool m_stacked = false;
    int m_sideBySideWidth = 0;
    class QScrollArea* m_scroll = nullptr;
    bool m_placed = false; // sized and placed on the screen
    QWidget* m_columns = nullptr;
    std::unique_ptr<StatusWindow> m_status;
    std::unique_ptr<SettingsWindow> m_settingsWindow;
    bool m_hiddenToTray = false;
    bool m_loaded = false;
    bool m_readingAtStart = false;
    bool m_exiting = false;
    bool m_exited = false;
};
