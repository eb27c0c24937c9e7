#pragma once

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class cStdIO;
struct RunState;

// The small window that stands in for the main window while jobs run:
// progress of the current job and of the run, speed, time remaining, the
// end-of-run choices, Cancel and Minimize.
class frmStatus : public QWidget
{
    Q_OBJECT
public:
    frmStatus(RunState& state, cStdIO& runner, QWidget* parent = nullptr);

    QGroupBox* fmCurrent;
    QProgressBar* prgCurrent;
    QLabel* lblRemaining;
    QGroupBox* fmOverall;
    QProgressBar* prgOverall;
    QLabel* lblTask;
    QLabel* lblJob;
    QLabel* Label1;
    QCheckBox* chkShutdownPS2;
    QCheckBox* chkShutdown;
    QCheckBox* chkStandby;
    QPushButton* cmdStop;
    QPushButton* cmdMinimize;
    QLabel* lblSpeed;

    void cmdStop_Click();
    void cmdMinimize_Click();
    // Back to the start of a job: no progress, no speed, no time yet.
    void resetForJob();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void chkShutdown_Click();
    void chkStandby_Click();

    RunState& m_state;
    cStdIO& m_runner;
};
