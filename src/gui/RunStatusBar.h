#pragma once

#include "core/jobs/JobQueue.h"

#include <QStatusBar>
#include <QTimer>

class QLabel;
class QProgressBar;
class QPushButton;

// The main window's foot. During a run: the job, its percentage and the queue's time left,
// with a button that opens the status window again. Otherwise: how the last action ended.
class RunStatusBar : public QStatusBar
{
    Q_OBJECT
public:
    explicit RunStatusBar(QWidget* parent = nullptr);

    void runStarted();
    // "Job 2 of 5: Installing God of War to hdd1:"
    void setJob(const QString& text);
    void showProgress(const JobProgress& progress);
    void runEnded();
    // An outcome, kept until the next one or a run.
    void say(const QString& text);
    // What the run part shows ("" outside a run), for tests and the window's tooltip.
    QString runText() const;

signals:
    void statusWindowAsked();
    void cancelAsked();

protected:
    // The window coming back into sight shows what was kept while it was away.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showRun();

    QLabel* m_run;
    QProgressBar* m_bar;
    QPushButton* m_show;
    QPushButton* m_cancel;
    QString m_job;
    int m_percent = 0;
    int m_overall = 0;
    QString m_left;
    // Shown at most a few times a second, and not while the window is out of sight.
    QTimer m_pace;
    bool m_due = false;
};
