#include "MakeIso.h"

#include "Selection.h"
#include "jobs/JobListModel.h"
#include "jobs/JobQueue.h"
#include "shell/Dialogs.h"
#include "shell/InstallPane.h"
#include "shell/frmMain.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

MakeIso::MakeIso(frmMain& main) : QObject(&main), m_main(main)
{
    connect(m_main.fmInstall->cmdMakeISO, &QPushButton::clicked, this, &MakeIso::cmdMakeISO_Click);
}

void MakeIso::cmdMakeISO_Click()
{
    InstallPane* in = m_main.fmInstall;
    if (!FileExists(HdlDumpPath(m_main.paths()))) {
        m_main.dialogs().message(ToolNotFoundMessage(m_main.paths()), Dialogs::Icon::Exclamation);
        return;
    }
    if (in->txtGameName->text().trimmed().isEmpty()) {
        m_main.dialogs().message(QStringLiteral("Please enter a name for the game."),
                                 Dialogs::Icon::Exclamation);
        return;
    }
    FileDialogRequest request;
    request.directory = m_main.settings().read(QStringLiteral("DefaultISO"));
    request.fileName = in->txtGameName->text() + QStringLiteral(".iso");
    request.filter = Selection::kImageFilter;
    request.defaultSuffix = QStringLiteral("*.iso");
    request.confirmOverwrite = true;
    const std::optional<QString> path = m_main.dialogs().saveFile(request);
    if (!path || path->isEmpty())
        return;
    JobListModel& jobs = m_main.jobs();
    jobs.AddJob(QStringLiteral("Make ISO"), Selection::DeviceOf(in->cmbOptical->currentText()),
                *path, in->txtGameName->text(), QString(), QString(), QString());
    // The old image stays until the job runs: a job removed from the queue loses nothing.
    jobs.setReplaceExisting(jobs.count(), FileExists(*path));
    m_main.jobQueue().jobAdded();
}
