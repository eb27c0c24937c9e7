// The main window's part in jobs: what was queued, the runs as they start and end, and the
// dock's count and progress.
#include "Dialogs.h"
#include "GamesController.h"
#include "InstallController.h"
#include "MainWindow.h"
#include "MessageBar.h"
#include "ProblemPresenter.h"
#include "QueueEditor.h"
#include "RunStatusBar.h"
#include "RunTexts.h"
#include "StatusWindow.h"
#include "TrayIcon.h"
#include "WindowPlacement.h"
#include "core/jobs/JobListModel.h"
#include "core/session/ProblemText.h"
#include "core/session/Session.h"

#include <QDateTime>

void MainWindow::jobAdded()
{
    jobsAdded(1, false);
}

void MainWindow::jobsAdded(int count, bool copies)
{
    updateControls();
    if (count < 1)
        return;
    // Told once for all of them; a copy waits for the queue, which the user may not expect.
    if (!copies) {
        balloon(tr("Job added to job queue"));
        return;
    }
    const QString text =
        m_session.isBusy()
            ? tr("%n copies added to the job queue; they run after the jobs "
                 "before them.",
                 nullptr, count)
            : tr("%n copies added to the job queue; start the queue to copy.", nullptr, count);
    balloon(text);
}

QList<int> MainWindow::selectedGames() const
{
    return m_games->selectedRows();
}

void MainWindow::startJobQueue()
{
    // The whole queue is checked first; it starts when nothing was found or the user agrees.
    m_session.checkQueue();
}

void MainWindow::showPendingCount()
{
    const int pending = m_session.jobs().pendingCount();
    // The queue is kept: the title says what waits in it.
    setWindowTitle(pending == 0
                       ? VersionedTitle()
                       : tr("%1 - %n jobs pending", nullptr, pending).arg(VersionedTitle()));
    tellLauncher();
}

void MainWindow::tellLauncher()
{
    LauncherState state;
    state.count = m_session.jobs().pendingCount();
    state.countVisible = state.count > 0;
    state.progressVisible = runsJobs();
    state.progress = state.progressVisible ? m_lastProgress.overall / 100.0 : 0.0;
    // Told on change only: progress arrives many times a second.
    if (state == m_launcherState || !m_seams.launcher)
        return;
    m_launcherState = state;
    m_seams.launcher(state);
}

void MainWindow::showRunStatus(bool installNow)
{
    m_problems->clearHeld();
    m_messageBar->dismiss();
    m_queueEditor->forgetUndo();
    m_status->prepare(m_session.target().isNetwork(), m_session.settings(), !installNow);
    if (installNow)
        m_status->setJobStart(QDateTime::currentMSecsSinceEpoch());
    m_lastProgress = {};
    m_runBar->runStarted();
    if (installNow) {
        const Job& job = m_session.runs().nowJob();
        m_runBar->setJob(tr("Installing %1 to %2").arg(job.name, job.destination));
    }
    tellLauncher();
    // The run shows in this window (the status bar, the job's row); the status window is there
    // for its details, and takes this one's place only where the user asked for that.
    if (!m_session.settings().flag(Setting::HideDuringRuns))
        return;
    CentreOver(m_status.get(), this);
    m_status->showNormal();
    if (m_session.settings().flag(Setting::StayOnTop))
        SetTopmost(m_status.get());
    minimizeToTray();
}

void MainWindow::showRunEnd(bool installNow, bool cancelled)
{
    m_status->runEnded();
    m_runBar->runEnded();
    tellLauncher();
    restoreFromTray();
    if (!installNow) {
        // Told once: a notification that brings the window back, then what was held.
        const QString summary = RunSummaryText(m_session.jobs(), m_session.runs().lastRunRows());
        m_seams.tray.notify(Dialogs::programTitle(), summary);
        // Also in the window: a desktop without a notification service shows none.
        m_runBar->say(cancelled ? tr("The run was stopped: %1").arg(summary) : summary);
        const QStringList texts = m_problems->takeHeldTexts();
        if (!texts.isEmpty())
            m_seams.dialogs.message(summary + QStringLiteral("\n\n") +
                                        texts.join(QStringLiteral("\n\n")),
                                    Dialogs::Icon::Exclamation);
        return;
    }
    const Job& job = m_session.runs().nowJob();
    m_installer->reset();
    // Only a run the tool reported complete is called complete.
    if (job.state == JobState::Complete) {
        balloon(tr("Installation of %1 complete!").arg(job.name));
        return;
    }
    if (cancelled || job.state == JobState::Aborted) {
        m_runBar->say(tr("Installation of %1 was cancelled.").arg(job.name));
        return;
    }
    m_runBar->say(tr("Installation of %1 failed.").arg(job.name));
    showProblem({ProblemKind::InstallFailed, job.name,
                 job.reason.isEmpty() ? JobResultText(job) : job.reason});
}
