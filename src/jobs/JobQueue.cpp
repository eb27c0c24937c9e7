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
    auto warn = [this](const QString& text) {
        m_main.dialogs().message(text, Dialogs::Icon::Exclamation);
    };
    if (in->optISO->isChecked() && in->txtISO->text().isEmpty())
        return warn(QStringLiteral("Please select an ISO to install."));
    if (in->optOptical->isChecked() && in->cmbOptical->currentText().isEmpty())
        return warn(
            QStringLiteral("Please select an optical drive with a PS2 game cd\\dvd in it."));
    if (in->txtGameName->text().isEmpty())
        return warn(QStringLiteral("Please enter a name for the game to be added."));

    const QString source = in->optISO->isChecked()
                               ? in->txtISO->text()
                               : Selection::DeviceOf(in->cmbOptical->currentText());
    const QString destination = m_main.fmMain->optLocal->isChecked()
                                    ? Selection::DeviceOf(m_main.fmMain->cmbHD->currentText())
                                    : m_main.fmMain->txtIP->text();
    m_main.jobs().AddJob(JobKind::Install, source, destination, in->txtGameName->text(),
                         in->txtGameStartup->text(), in->cmbType->currentText(),
                         m_main.flagsString());
    enableQueueButtons(true);

    // Ready for the next game.
    m_main.selection().uncheckFlags();
    in->cmdCompat->setEnabled(false);
    in->txtISO->clear();
    in->txtGameName->clear();
    in->txtGameStartup->clear();
    in->txtGameSize->clear();
    in->cmbType->setCurrentIndex(1);
    in->cmbOptical->setCurrentIndex(-1);
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
