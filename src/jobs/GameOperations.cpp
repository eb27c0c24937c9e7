#include "GameOperations.h"

#include "JobListModel.h"
#include "JobQueue.h"
#include "devices/Probe.h"
#include "devices/Selection.h"
#include "runner/StdIoRunner.h"
#include "shell/BrowsePane.h"
#include "shell/Dialogs.h"
#include "shell/TargetPane.h"
#include "shell/TrayIcon.h"
#include "shell/frmMain.h"

#include <QAction>
#include <QComboBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>
#include <QTreeWidget>

GameOperations::GameOperations(frmMain& main) : QObject(&main), m_main(main)
{
    BrowsePane* b = m_main.fmBrowse;
    connect(b->cmdBackupPC, &QPushButton::clicked, this, &GameOperations::cmdBackupPC_Click);
    connect(b->cmdBackupPS2, &QPushButton::clicked, this, &GameOperations::cmdBackupPS2_Click);
    connect(b->cmdBackupHDD, &QPushButton::clicked, this, &GameOperations::cmdBackupHDD_Click);
    connect(b->cmdDelete, &QPushButton::clicked, this, &GameOperations::cmdDelete_Click);
    for (int i = 0; i < m_main.mnuHDD.size(); ++i)
        connect(m_main.mnuHDD[i], &QAction::triggered, this, [this, i] { mnuHDD_Click(i); });
}

void GameOperations::PauseWithEvents(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool GameOperations::gameSelected() const
{
    const QTreeWidgetItem* item = m_main.fmBrowse->lstHD->currentItem();
    return m_main.fmBrowse->lstHD->topLevelItemCount() > 0 && item && item->isSelected();
}

QString GameOperations::gameName() const
{
    return m_main.fmBrowse->lstHD->currentItem()->text(0);
}

QString GameOperations::source() const
{
    return m_main.fmMain->optLocal->isChecked()
               ? Selection::DeviceOf(m_main.fmMain->cmbHD->currentText())
               : m_main.fmMain->txtIP->text();
}

void GameOperations::cmdBackupPC_Click()
{
    if (!gameSelected())
        return;
    const QString name = gameName();
    FileDialogRequest request;
    request.directory = m_main.settings().read(QStringLiteral("DefaultISO"));
    // A name cannot carry folders into the proposed file name.
    request.fileName = name.mid(std::max(name.lastIndexOf(u'\\'), name.lastIndexOf(u'/')) + 1) +
                       QStringLiteral(".iso");
    request.filter = QStringLiteral("ISO Files (*.iso)|*.iso|All Files (*.*)|*.*|");
    request.defaultSuffix = QStringLiteral("iso");
    const std::optional<QString> path = m_main.dialogs().saveFile(request);
    if (!path || path->isEmpty())
        return;
    m_main.jobs().AddJob(QStringLiteral("Copy to PC"), source(), *path, name, QString(), QString(),
                         QString());
    m_main.jobQueue().jobAdded();
}

void GameOperations::cmdBackupPS2_Click()
{
    if (!gameSelected())
        return;
    const std::optional<QString> answer = m_main.dialogs().inputText(
        QStringLiteral("Please enter the IP address of the PS2 console to copy the "
                       "selected game to."),
        QStringLiteral("Destination IP Address"));
    // Spaces typed around an address would reach the tool as part of it.
    const QString address = answer ? answer->trimmed() : QString();
    if (address.isEmpty())
        return;
    if (address == m_main.fmMain->txtIP->text().trimmed()) {
        m_main.dialogs().message(
            QStringLiteral("The address you entered matches the source PS2 address. Try again."),
            Dialogs::Icon::Exclamation);
        return;
    }
    if (ProbePS2(m_main.icmp(), address) == -1) {
        m_main.dialogs().message(PS2NotFoundMessage(address), Dialogs::Icon::Exclamation);
        return;
    }
    m_main.jobs().AddJob(QStringLiteral("Copy to PS2"), source(), address, gameName(), QString(),
                         QString(), QString());
    m_main.jobQueue().jobAdded();
}

void GameOperations::cmdBackupHDD_Click()
{
    QPushButton* b = m_main.fmBrowse->cmdBackupHDD;
    m_main.mnuBackup->popup(b->mapToGlobal(QPoint(0, b->height())));
}

void GameOperations::mnuHDD_Click(int index)
{
    if (!gameSelected() || index < 0 || index >= m_main.mnuHDD.size())
        return;
    m_main.jobs().AddJob(QStringLiteral("Copy to HDD"), source(),
                         Selection::DeviceOf(m_main.mnuHDD[index]->text()), gameName(), QString(),
                         QString(), QString());
    m_main.jobQueue().jobAdded();
}

void GameOperations::cmdDelete_Click()
{
    if (!gameSelected())
        return;
    const QString name = gameName();
    if (m_main.dialogs().question(
            QStringLiteral("Are you sure you would like to permanently delete this game?\r\n\r\n") +
                name,
            Dialogs::Icon::Exclamation) != Dialogs::Answer::Yes)
        return;
    m_main.HDL_Command({QStringLiteral("delete"), source(), name});
    // The tool's answer decides what the user is told: a delete that failed is not reported as
    // done.
    const cStdIO::RunOutcome outcome = m_main.StdIO.lastRun();
    const QString output = m_main.front().lastRunOutput();
    const QString reason = m_main.front().lastRunReason(); // before the refresh runs
    const bool refused = output.contains(QStringLiteral("unrecognized command")) ||
                         output.contains(QStringLiteral("Usage:")) ||
                         output.contains(QStringLiteral("not found")) ||
                         output.contains(QStringLiteral("Connection refused")) ||
                         output.contains(QStringLiteral("refused it")) ||
                         output.contains(QStringLiteral("Network communication timeout")) ||
                         output.contains(QStringLiteral("A connection attempt failed")) ||
                         output.contains(QStringLiteral("not a PlayStation 2 HDD")) ||
                         output.contains(QStringLiteral("APA partition is broken"));
    const bool deleted = outcome.started && outcome.normalExit && outcome.exitCode == 0 && !refused;
    PauseWithEvents(500);
    m_main.selection().cmdAttach_Click();
    if (deleted) {
        ShowBalloon(m_main.tray(), m_main.settings(), name + QStringLiteral(" deleted from HDD"));
        return;
    }
    m_main.dialogs().message(QStringLiteral("The game ") + name +
                                 QStringLiteral(" could not be deleted.\r\n\r\n") + reason,
                             Dialogs::Icon::Exclamation);
}
