#pragma once

#include "core/jobs/JobQueue.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

class Dialogs;
class QCheckBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class Session;
class SettingsFile;

// The small window that stands in for the main window while jobs run:
// progress of the current job and of the run, speed, time remaining, the
// end-of-run choices, Cancel and Minimize.
class StatusWindow : public QWidget
{
    Q_OBJECT
public:
    StatusWindow(Session& session, Dialogs& dialogs, QWidget* parent = nullptr);
    ~StatusWindow() override;

    // The end-of-run choices from the settings; the PS2 one only for a networked PS2.
    // "Stop after this job" belongs to a run of the queue only.
    void prepare(bool networkTarget, const SettingsFile& settings, bool queue = true);
    // The job's clock starts (ms since the epoch).
    void setJobStart(qint64 startedAt);
    void setTask(const QString& text);
    void setJob(const QString& text);
    // Back to the start of a job: no progress, no speed, no time yet.
    void resetForJob();
    void showProgress(const JobProgress& progress, bool queue);
    // The run it showed has ended: a question about it is withdrawn, and the window hides.
    void runEnded();
    // Cancel, asked first: in a run of several jobs, this job alone or the whole run.
    void confirmCancel();

signals:
    // Closed by the user while the run goes on: the main window takes over.
    void closedDuringRun();
    void stopAfterChanged(bool stop);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void endActionsChanged();
    void applyProgress();
    void showTimes();

    Session& m_session;
    Dialogs& m_dialogs;
    QGroupBox* m_current;
    QProgressBar* m_currentBar;
    QLabel* m_remaining;
    QGroupBox* m_overall;
    QProgressBar* m_overallBar;
    QLabel* m_task;
    QLabel* m_job;
    QCheckBox* m_shutdownPS2;
    QCheckBox* m_shutdownPC;
    QCheckBox* m_standbyPC;
    QPushButton* m_cancel;
    QPushButton* m_minimize;
    QPushButton* m_stopAfter;
    QLabel* m_speed;
    QLabel* m_elapsed;
    QLabel* m_queueLeft;
    QPointer<QObject> m_cancelQuestion; // open while the user decides
    int m_run = 0;                      // counts runs, so an answer knows its own
    QTimer m_clock;                     // the elapsed time, once a second
    qint64 m_jobStart = 0;
    std::optional<qint64> m_secondsLeft;
    // Progress arrives as fast as the tool writes; the window shows the newest
    // record once per turn of the event loop, not every record it was handed.
    QTimer m_pace;
    JobProgress m_pending;
    bool m_pendingQueue = false;
    bool m_hasPending = false;
};
