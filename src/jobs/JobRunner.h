#pragma once

#include <QObject>

class PowerActions;
class frmMain;
class frmStatus;

// "Start Job Queue": runs the queued jobs one after another under the status
// window, then the end-of-run actions, a refresh, and the main window again.
class JobRunner : public QObject
{
    Q_OBJECT
public:
    JobRunner(frmMain& main, frmStatus& status, PowerActions& power);

    void cmdStart_Click();
    // The status window readied for a run: the end-of-run choices from the
    // settings, centred over the main window and shown, the main window hidden.
    void PrepareStatusWindow();
    // The same, kept on top when the settings ask for it.
    void ShowStatusWindow();
    void RunEndActions();
    // After a run: the target's list again, the main window back.
    void Finish();

private:
    frmMain& m_main;
    frmStatus& m_status;
    PowerActions& m_power;
};
