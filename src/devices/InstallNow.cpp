#include "InstallNow.h"

#include "Selection.h"
#include "jobs/JobCommands.h"
#include "jobs/JobRecord.h"
#include "jobs/JobRunner.h"
#include "jobs/frmStatus.h"
#include "platform/PowerActions.h"
#include "shell/Dialogs.h"
#include "shell/InstallPane.h"
#include "shell/TargetPane.h"
#include "shell/TrayIcon.h"
#include "shell/frmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

InstallNow::InstallNow(frmMain& main) : QObject(&main), m_main(main)
{
    connect(m_main.fmInstall->cmdInstall, &QPushButton::clicked, this,
            &InstallNow::cmdInstall_Click);
}

void InstallNow::cmdInstall_Click()
{
    InstallPane* in = m_main.fmInstall;
    TargetPane* target = m_main.fmMain;
    if (!FileExists(HdlDumpPath(m_main.paths()))) {
        m_main.dialogs().message(ToolNotFoundMessage(m_main.paths()), Dialogs::Icon::Exclamation);
        return;
    }
    if (!m_main.selection().checkInstallFields())
        return;

    RunState& state = m_main.state;
    const QString name = in->txtGameName->text();
    ShowBalloon(m_main.tray(), m_main.settings(), QStringLiteral("Installing ") + name);
    state.InstallNow = true;
    m_main.EnableMainWindow(false);
    frmStatus& status = m_main.status();
    status.lblTask->setText(QStringLiteral("Installing ") + name);
    status.lblJob->setText(QStringLiteral("Installing ") + name + QStringLiteral(" to ") +
                           m_main.selection().installTarget());
    status.resetForJob();
    m_main.jobRunner().PrepareStatusWindow();

    const QString source = m_main.selection().installSource();
    const QString destination = m_main.selection().installTarget();
    const QStringList args = InstallArguments(in->cmbType->currentText(), destination, name, source,
                                              in->txtGameStartup->text(), m_main.flagsString());
    // Finished beforehand: an immediate install has no row for the "no result" mark.
    state.JobActive = true;
    state.JobFinished = true;
    state.JobStopped = false;
    state.JobOutcome.clear();
    m_main.HDL_Command(args);
    state.InstallNow = false;

    m_main.selection().resetInstallPane();
    m_main.EnableMainWindow(true);

    // Only a run the tool reported complete is called complete.
    const bool completed = state.JobOutcome == JobResult::Complete;
    if (!state.JobStopped) {
        if (completed)
            ShowBalloon(m_main.tray(), m_main.settings(),
                        QStringLiteral("Installation of ") + name + QStringLiteral(" complete!"));
        if (status.chkShutdownPS2->isChecked() && target->optLAN->isChecked())
            m_main.HDL_Execute({QStringLiteral("poweroff"), target->txtIP->text()});
        if (status.chkShutdown->isChecked())
            m_main.power().ShutdownPC();
        else if (status.chkStandby->isChecked())
            m_main.power().SuspendPC();
    }
    const bool stopped = state.JobStopped;
    const QString outcome = state.JobOutcome;
    // Why it failed, taken before the refresh runs another command.
    const QString reason = outcome.isEmpty() ? m_main.front().lastRunReason() : outcome;
    m_main.jobRunner().Finish();
    state.JobActive = false;

    if (!stopped && !completed) {
        m_main.dialogs().message(QStringLiteral("The installation of ") + name +
                                     QStringLiteral(" did not complete.\r\n\r\n") + reason,
                                 Dialogs::Icon::Exclamation);
    }
}
