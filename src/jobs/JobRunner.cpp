#include "JobRunner.h"

#include "JobCommands.h"
#include "JobListModel.h"
#include "devices/Probe.h"
#include "devices/Selection.h"
#include "frmStatus.h"
#include "platform/PowerActions.h"
#include "shell/Dialogs.h"
#include "shell/JobPane.h"
#include "shell/TargetPane.h"
#include "shell/WindowPlacement.h"
#include "shell/frmMain.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>

JobRunner::JobRunner(frmMain& main, frmStatus& status, PowerActions& power)
    : QObject(&main), m_main(main), m_status(status), m_power(power)
{
    connect(m_main.fmJob->cmdStart, &QPushButton::clicked, this, &JobRunner::cmdStart_Click);
}

void JobRunner::PrepareStatusWindow()
{
    const SettingsFile& settings = m_main.settings();
    if (m_main.fmMain->optLAN->isChecked()) {
        m_status.chkShutdownPS2->setEnabled(true);
        m_status.chkShutdownPS2->setChecked(settings.number(QStringLiteral("TurnOffPS2")) == 1);
    } else {
        m_status.chkShutdownPS2->setChecked(false);
        m_status.chkShutdownPS2->setEnabled(false);
    }
    // Standby is set second, so it wins when both are stored.
    m_status.chkShutdown->setChecked(settings.number(QStringLiteral("TurnOffPC")) == 1);
    m_status.chkStandby->setChecked(settings.number(QStringLiteral("StandbyPC")) == 1);
    CentreOver(&m_status, &m_main);
    m_status.setWindowTitle(QStringLiteral("Status"));
    m_status.showNormal();
    m_main.cmdMinimize_Click();
}

void JobRunner::ShowStatusWindow()
{
    PrepareStatusWindow();
    if (m_main.settings().read(QStringLiteral("StayOnTop")) == QLatin1String("1"))
        SetTopmost(&m_status);
}

void JobRunner::RunEndActions()
{
    if (m_status.chkShutdownPS2->isChecked() && m_main.fmMain->optLAN->isChecked())
        m_main.front().RunDirect({QStringLiteral("poweroff"), m_main.fmMain->txtIP->text()});
    if (m_status.chkShutdown->isChecked())
        m_power.ShutdownPC();
    else if (m_status.chkStandby->isChecked())
        m_power.SuspendPC();
}

void JobRunner::Finish()
{
    // A networked PS2 is asked for its list only when it answers; a local disk always.
    if (m_main.fmMain->optLocal->isChecked() ||
        ProbePS2(m_main.icmp(), m_main.fmMain->txtIP->text()) != -1)
        m_main.selection().cmdAttach_Click();
    m_status.hide();
    m_main.showNormal();
    m_main.mnuMinimize->setText(QStringLiteral("Minimize"));
}

void JobRunner::cmdStart_Click()
{
    if (!FileExists(HdlDumpPath(m_main.paths()))) {
        m_main.dialogs().message(ToolNotFoundMessage(m_main.paths()), Dialogs::Icon::Exclamation);
        return;
    }
    JobListModel& jobs = m_main.jobs();
    RunState& state = m_main.state;
    m_main.EnableMainWindow(false);
    ShowStatusWindow();
    for (int row = 1, rows = jobs.count(); row <= rows; ++row) {
        if (jobs.job(row).result != JobResult::Complete)
            jobs.setResult(row, JobResult::Pending);
    }
    state.JobActive = true;
    state.JobStopped = false;
    state.InstallNow = false;

    const int n = jobs.count();
    for (state.CurrentJob = 1; state.CurrentJob <= n; ++state.CurrentJob) {
        const int row = state.CurrentJob;
        if (jobs.job(row).result == JobResult::Complete)
            continue;
        m_main.fmJob->lstJob->setCurrentIndex(jobs.index(row - 1, 0));
        m_status.lblTask->setText(
            QStringLiteral("Currently on Job %1 of %2").arg(row).arg(jobs.count()));
        m_status.resetForJob();
        jobs.setResult(row, JobResult::Active);
        state.JobFinished = false;
        state.JobOutcome.clear();
        const JobRecord job = jobs.job(row);
        // The user agreed to replace this image when queueing the job; only now is it replaced.
        if (job.task == JobKind::MakeIso && job.replaceExisting && FileExists(job.destination))
            QFile::remove(job.destination);
        if (job.task == JobKind::Install) {
            m_status.lblJob->setText(QStringLiteral("Installing ") + job.name +
                                     QStringLiteral(" to ") + job.destination);
            m_main.HDL_Command(BuildInstallCommand(job));
        } else if (job.task == JobKind::MakeIso) {
            m_status.lblJob->setText(QStringLiteral("Creating ISO of ") + job.name +
                                     QStringLiteral(" to ") + job.destination);
            m_main.HDL_Command(BuildDumpCommand(job));
        } else {
            m_status.lblJob->setText(QStringLiteral("Copying ") + job.name +
                                     QStringLiteral(" to ") + job.destination);
            m_main.HDL_Command(BuildExtractCommand(job));
        }
        if (state.JobStopped) {
            for (int later = row; later <= n; ++later)
                jobs.setResult(later, JobResult::Aborted);
            break;
        }
    }
    state.JobActive = false;
    m_main.EnableMainWindow(true);
    if (!state.JobStopped)
        RunEndActions();
    Finish();
}
