#pragma once

#include "core/jobs/JobQueue.h"

#include <QTimer>
#include <QWidget>

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
    explicit StatusWindow(Session& session, QWidget* parent = nullptr);

    // The end-of-run choices from the settings; the PS2 one only for a networked PS2.
    void prepare(bool networkTarget, const SettingsFile& settings);
    void setTask(const QString& text);
    void setJob(const QString& text);
    // Back to the start of a job: no progress, no speed, no time yet.
    void resetForJob();
    void showProgress(const JobProgress& progress, bool queue);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void endActionsChanged();
    void applyProgress();

    Session& m_session;
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
    QLabel* m_speed;
    // Progress arrives as fast as the tool writes; the window shows the newest
    // record once per turn of the event loop, not every record it was handed.
    QTimer m_pace;
    JobProgress m_pending;
    bool m_pendingQueue = false;
    bool m_hasPending = false;
};
