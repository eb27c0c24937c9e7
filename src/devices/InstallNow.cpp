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
    auto warn = [this](const QString& text) {
        m_main.dialogs().message(text, Dialogs::Icon::Exclamation);
    };
    if (!FileExists(HdlDumpPath(m_main.paths())))
        return warn(ToolNotFoundMessage(m_main.paths()));
    if (in->optISO->isChecked() && in->txtISO->text().isEmpty())
        return warn(QStringLiteral("Please select an ISO to install."));
    if (in->optOptical->isChecked() && in->cmbOptical->currentText().isEmpty())
        return warn(
            QStringLiteral("Please select an optical drive with a PS2 game cd\\dvd in it."));
    if (in->txtGameName->text().isEmpty())
        return warn(QStringLiteral("Please enter a name for the game to be added."));

    RunState& state = m_main.state;
    const QString name = in->txtGameName->text();
    ShowBalloon(m_main.tray(), m_main.settings(), QStringLiteral("Installing ") + name);
    state.InstallNow = true;
    m_main.EnableMainWindow(false);
    frmStatus& status = m_main.status();
    status.lblTask->setText(QStringLiteral("Installing ") + name);
    status.lblJob->setText(QStringLiteral("Installing ") + name + QStringLiteral(" to ") +
                           (target->optLocal->isChecked()
                                ? Selection::DeviceOf(target->cmbHD->currentText())
                                : target->txtIP->text()));
    status.resetForJob();
    m_main.jobRunner().PrepareStatusWindow();

    const QString source = in->optISO->isChecked()
                               ? in->txtISO->text()
                               : Selection::DeviceOf(in->cmbOptical->currentText());
    const QString destination = target->optLocal->isChecked()
                                    ? Selection::DeviceOf(target->cmbHD->currentText())
                                    : target->txtIP->text();
    const QStringList args = InstallArguments(in->cmbType->currentText(), destination, name, source,
                                              in->txtGameStartup->text(), m_main.flagsString());
    // Finished beforehand: an immediate install has no row for the "no result" mark.
    state.JobActive = true;
    state.JobFinished = true;
    state.JobStopped = false;
    state.JobOutcome.clear();
    m_main.HDL_Command(args);
    state.InstallNow = false;

    m_main.selection().uncheckFlags();
    in->cmdCompat->setEnabled(false);
    in->txtISO->clear();
    in->txtGameName->clear();
    in->txtGameStartup->clear();
    in->txtGameSize->clear();
    in->cmbType->setCurrentIndex(1);
    in->cmbOptical->setCurrentIndex(-1);
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
    const QString output = m_main.front().lastRunOutput();
    m_main.jobRunner().Finish();
    state.JobActive = false;

    if (!stopped && !completed) {
        QString reason = outcome;
        if (reason.isEmpty()) {
            const QStringList lines =
                output.split(QRegularExpression(QStringLiteral("[\\r\\n]+")), Qt::SkipEmptyParts);
            reason = lines.isEmpty()
                         ? QStringLiteral("hdl_dump ended without reporting completion.")
                         : lines.last().trimmed();
        }
        m_main.dialogs().message(QStringLiteral("The installation of ") + name +
                                     QStringLiteral(" did not complete.\r\n\r\n") + reason,
                                 Dialogs::Icon::Exclamation);
    }
}
