#include "JobQueue.h"

#include "JobListModel.h"
#include "devices/Flags.h"
#include "devices/Selection.h"
#include "shell/Dialogs.h"
#include "shell/InstallPane.h"
#include "shell/JobPane.h"
#include "shell/TargetPane.h"
#include "shell/TrayIcon.h"
#include "shell/frmMain.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>

JobQueue::JobQueue(frmMain& main) : QObject(&main), m_main(main)
{
    connect(m_main.fmInstall->cmdAddGame, &QPushButton::clicked, this, &JobQueue::cmdAddGame_Click);
    // Enter in the game name box queues the game.
    connect(m_main.fmInstall->txtGameName, &QLineEdit::returnPressed, this,
            &JobQueue::cmdAddGame_Click);
    connect(m_main.fmJob->cmdRemove, &QPushButton::clicked, this, &JobQueue::cmdRemove_Click);
    connect(m_main.fmJob->cmdClear, &QPushButton::clicked, this, &JobQueue::cmdClear_Click);
}

void JobQueue::enableQueueButtons(bool enable)
{
    m_main.fmJob->cmdStart->setEnabled(enable);
    m_main.fmJob->cmdRemove->setEnabled(enable);
    m_main.fmJob->cmdClear->setEnabled(enable);
}

void JobQueue::jobAdded()
{
    enableQueueButtons(true);
    ShowBalloon(m_main.tray(), m_main.settings(), QStringLiteral("Job added to job queue"));
}

void JobQueue::cmdAddGame_Click()
{
    InstallPane* in = m_main.fmInstall;
    Selection& selection = m_main.selection();
    if (!selection.checkInstallFields())
        return;
    m_main.jobs().AddJob(JobKind::Install, selection.installSource(), selection.installTarget(),
                         in->txtGameName->text(), in->txtGameStartup->text(),
                         in->cmbType->currentText(), m_main.flagsString());
    enableQueueButtons(true);
    selection.resetInstallPane();
    ShowBalloon(m_main.tray(), m_main.settings(), QStringLiteral("Job added to job queue"));
}

void JobQueue::cmdRemove_Click()
{
    QTreeView* view = m_main.fmJob->lstJob;
    const QModelIndex current = view->currentIndex();
    if (current.isValid() && view->selectionModel()->isRowSelected(current.row(), {}))
        m_main.jobs().removeJob(current.row() + 1);
    if (m_main.jobs().count() == 0)
        enableQueueButtons(false);
}

void JobQueue::cmdClear_Click()
{
    m_main.jobs().clear();
    enableQueueButtons(false);
}
