#pragma once

#include "RunState.h"
#include "Settings.h"
#include "interpreter/Interpreter.h"
#include "runner/AppPaths.h"
#include "runner/CommandFront.h"
#include "runner/StdIoRunner.h"

#include <QList>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class ActivityPane;
class BrowsePane;
class Dialogs;
class JobListModel;
class JobQueue;
class JobRunner;
class PowerActions;
class frmSettings;
class frmStatus;
class IcmpBackend;
class InstallPane;
class JobPane;
class MainOutputTarget;
class Selection;
class NavigationPane;
class QAction;
class QCheckBox;
class QMenu;
class QStackedLayout;
class TargetPane;
class TrayIcon;

// What the main window gets from outside, so tests can replace it.
struct MainSeams
{
    Dialogs& dialogs;
    TrayIcon& tray;
    IcmpBackend& icmp;
    PowerActions& power;
    std::function<void()> quit; // ends the program after the exit routine
};

// The main window: target and source choices, the panes, the job queue, the
// activity view, the tray menu, and the runner every tool command goes through.
class frmMain : public QWidget, public ActivityView
{
    Q_OBJECT
public:
    frmMain(const AppPaths& paths, MainSeams seams, QWidget* parent = nullptr);
    ~frmMain() override;

    // Panes and their controls; the controls carry their names as objectNames.
    TargetPane* fmMain;
    NavigationPane* fmNavigation;
    InstallPane* fmInstall;
    BrowsePane* fmBrowse;
    JobPane* fmJob;
    ActivityPane* fmOutput;

    QMenu* mnuSystray;
    QAction* mnuSettings;
    QAction* mnuMinimize;
    QAction* mnuExit;
    QMenu* mnuCompat;
    QList<QAction*> mnuFlags;
    QAction* mnuDone;
    QMenu* mnuBackup;
    QList<QAction*> mnuHDD;

    cStdIO StdIO;
    RunState state;

    int HDL_Command(const QStringList& args) { return m_front->HDL_Command(args); }
    void HDL_Execute(const QStringList& args) { m_front->HDL_Execute(args); }
    CommandFront& front() { return *m_front; }
    const SettingsFile& settings() const { return m_settings; }
    const AppPaths& paths() const { return m_paths; }
    Dialogs& dialogs() { return m_seams.dialogs; }
    IcmpBackend& icmp() { return m_seams.icmp; }
    Interpreter& interpreter() { return *m_interpreter; }
    Selection& selection() { return *m_selection; }
    TrayIcon& tray() { return m_seams.tray; }
    PowerActions& power() { return m_seams.power; }
    JobListModel& jobs() { return *m_jobs; }
    JobQueue& jobQueue() { return *m_jobQueue; }
    JobRunner& jobRunner() { return *m_jobRunner; }
    frmStatus& status() { return *m_status; }
    frmSettings& settingsWindow() { return *m_settingsWindow; }
    // The ticked compatibility flags as the tool takes them ("+1+3").
    QString flagsString() const;

    // Start-up steps that belong to the window: tray icon, size, place,
    // activity view and the stored address.
    void Form_Load();
    void EnableMainWindow(bool enable);
    // Exempt from the lock: the views, the navigation and the frames.
    static const QStringList& ExemptControls();
    // Every control in enumeration order, menu entries included.
    QList<QObject*> controls() const;

    void cmdMinimize_Click();
    void mnuMinimize_Click();
    void trayDoubleClick();
    void cmdControls_Click();
    bool isHiddenToTray() const;
    // Runs once per program run: the PS2 power-off when chosen, the tray icon
    // removed, the program ended.
    void ExitRoutine();
    bool exited() const { return m_exited; }

    void setCommandText(const QString& text) override;
    void setOutputText(const QString& text) override;
    void flush() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void connectNavigation();
    void showJobPane(bool show);
    void chkOutput_Click();
    void txtIP_Change();
    void centreOnScreen();
    void applyColumnWidths();

    AppPaths m_paths;
    MainSeams m_seams;
    SettingsFile m_settings;
    std::unique_ptr<CommandFront> m_front;
    std::unique_ptr<MainOutputTarget> m_target;
    std::unique_ptr<Interpreter> m_interpreter;
    Selection* m_selection = nullptr;
    JobListModel* m_jobs = nullptr;
    std::unique_ptr<frmStatus> m_status;
    std::unique_ptr<frmSettings> m_settingsWindow;
    JobQueue* m_jobQueue = nullptr;
    JobRunner* m_jobRunner = nullptr;
    QStackedLayout* m_upper = nullptr;
    QWidget* m_columns = nullptr;
    QList<bool> m_savedEnabled;
    // The activity view shows the newest chunk; a flood of chunks is shown at a
    // pace the eye can follow rather than one repaint each.
    QString m_pendingOutput;
    bool m_outputPending = false;
    QTimer m_outputTimer;
    bool m_exited = false;
    bool m_loaded = false;
};
