#include "GamesController.h"

#include "BrowsePane.h"
#include "DialogFolders.h"
#include "Dialogs.h"
#include "LauncherDialog.h"
#include "core/devices/Flags.h"
#include "core/devices/NbdAddress.h"
#include "core/devices/Probe.h"
#include "core/jobs/JobCommands.h"
#include "core/session/GameListModel.h"
#include "core/session/Session.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTreeView>

#include <QFileInfo>
#include <algorithm>

GamesController::GamesController(BrowsePane* pane, Session& session, Dialogs& dialogs, Hooks hooks,
                                 QWidget* parent)
    : QObject(parent), m_pane(pane), m_session(session), m_dialogs(dialogs),
      m_hooks(std::move(hooks)), m_filter(new GameFilterModel(this)),
      m_copyMenu(new QMenu(QStringLiteral("backuphdd"), parent))
{
    m_filter->setSourceModel(&m_session.games());
    m_pane->setGames(m_filter);
    m_pane->setCopyMenu(m_copyMenu);
    m_copyMenu->setObjectName(QStringLiteral("copyMenu"));
    for (int i = 0; i < 5; ++i) {
        QAction* a = m_copyMenu->addAction(QString());
        a->setObjectName(QStringLiteral("copyTargetAction%1").arg(i));
        a->setVisible(false);
        m_copyEntries << a;
    }
    connectPane();
}

void GamesController::connectPane()
{
    connect(m_pane, &BrowsePane::filterChanged, m_filter, &GameFilterModel::setFilterText);
    connect(m_pane, &BrowsePane::copyToPcAsked, this, &GamesController::copyToPC);
    connect(m_pane, &BrowsePane::copyToPs2Asked, this, &GamesController::copyToPS2);
    for (QAction* entry : std::as_const(m_copyEntries))
        connect(entry, &QAction::triggered, this,
                [this, entry] { copyToDisk(entry->data().toString()); });
    connect(m_pane, &BrowsePane::deleteAsked, this, &GamesController::deleteChosen);
    connect(m_pane, &BrowsePane::renameAsked, this, &GamesController::renameChosen);
    connect(m_pane, &BrowsePane::flagsAsked, this, &GamesController::changeFlagsOfChosen);
    connect(m_pane, &BrowsePane::launcherFilesAsked, this, &GamesController::openLauncherFiles);
    connect(&m_session.devices(), &DeviceAccess::disksChanged, this,
            &GamesController::fillCopyMenu);
    connect(&m_session.targetGames(), &TargetGames::gamesChanged, this, [this] {
        showGameCount(m_session.games().count());
        m_hooks.updateControls();
    });
}

void GamesController::showGameCount(int count)
{
    m_pane->showGameCount(count);
}

QList<int> GamesController::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& shown : m_pane->chosenRows())
        rows << m_filter->mapToSource(shown).row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void GamesController::fillCopyMenu()
{
    const int source = m_hooks.sourceDiskRow();
    for (int i = 0; i < m_copyEntries.size(); ++i) {
        const bool used = i < m_session.disks().size();
        m_copyEntries[i]->setText(used ? m_session.disks()[i].label() : QString());
        m_copyEntries[i]->setData(used ? m_session.disks()[i].device : QString());
        m_copyEntries[i]->setVisible(used);
        m_copyEntries[i]->setEnabled(used && i != source);
    }
}

void GamesController::copyToPC()
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    if (rows.size() == 1) {
        FileDialogRequest request;
        request.directory = DialogFolder(m_session.settings(), QStringLiteral("copies"));
        request.fileName = FileNameForGame(m_session.games().game(rows[0]).title);
        request.filter = tr("ISO Files (*.iso)|*.iso|All Files (*.*)|*.*|");
        request.defaultSuffix = QStringLiteral("iso");
        request.confirmOverwrite = true;
        const std::optional<QString> path = m_dialogs.saveFile(request);
        if (!path || path->isEmpty() || !CheckFolderOf(m_dialogs, *path))
            return;
        RememberDialogFolder(m_session.settings(), QStringLiteral("copies"), *path);
        queueCopy(JobKind::CopyToPC, rows[0], *path);
        m_hooks.jobsAdded(1, true);
        return;
    }
    // Several games: one folder, each game under its own name. A file that is already
    // there is not replaced; the check before the run names it.
    const std::optional<QString> folder = m_dialogs.chooseFolder(
        tr("Choose the folder for the %n games", nullptr, static_cast<int>(rows.size())),
        DialogFolder(m_session.settings(), QStringLiteral("copies")));
    if (!folder || folder->isEmpty())
        return;
    RememberDialogFolder(m_session.settings(), QStringLiteral("copies"), *folder);
    const QDir dir(*folder);
    if (!CheckFolderOf(m_dialogs, dir.filePath(QStringLiteral("x.iso"))))
        return;
    for (const int row : rows)
        queueCopy(JobKind::CopyToPC, row,
                  dir.filePath(FileNameForGame(m_session.games().game(row).title)), false);
    m_hooks.jobsAdded(static_cast<int>(rows.size()), true);
}

void GamesController::copyToPS2()
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    const std::optional<QString> answer = m_dialogs.inputText(
        tr("Please enter the IP address of the PS2 console to copy the selected game to."),
        tr("Destination IP Address"));
    if (!answer || answer->trimmed().isEmpty())
        return;
    // The tool gets the address exactly as the probe would check it.
    const std::optional<Target> ps2 = Target::ParseAddress(*answer);
    if (!ps2 || ps2->isNbd()) {
        m_hooks.showProblem({ProblemKind::InvalidAddress, answer->trimmed(), {}});
        return;
    }
    const QString address = ps2->host();
    if (m_session.target().host() == address) {
        m_dialogs.message(tr("The address you entered matches the source PS2 address. Try again."),
                          Dialogs::Icon::Exclamation);
        return;
    }
    for (const int row : rows)
        queueCopy(JobKind::CopyToPS2, row, address);
    m_hooks.jobsAdded(static_cast<int>(rows.size()), true);
}

void GamesController::copyToDisk(const QString& device)
{
    if (device.isEmpty())
        return;
    const QList<int> rows = selectedRows();
    for (const int row : rows)
        queueCopy(JobKind::CopyToHDD, row, device);
    m_hooks.jobsAdded(static_cast<int>(rows.size()), true);
}

void GamesController::queueCopy(JobKind kind, int gameRow, const QString& destination,
                                bool replaceAsked)
{
    // The dialog asked before a file was chosen over an existing one.
    m_session.addJob(CopyJob(kind, m_session.target(), m_session.games().game(gameRow), destination,
                             replaceAsked));
}

void GamesController::deleteChosen()
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    QStringList names;
    QList<parse::GameRow> games;
    for (const int row : rows) {
        names << m_session.games().game(row).title;
        games << m_session.games().game(row);
    }
    const QString question =
        names.size() == 1
            ? tr("Are you sure you would like to permanently delete this game?\n\n%1").arg(names[0])
            : tr("Are you sure you would like to permanently delete these %n games?\n\n%1", nullptr,
                 static_cast<int>(names.size()))
                  .arg(names.join(u'\n'));
    if (m_dialogs.question(question, Dialogs::Icon::Exclamation) != Dialogs::Answer::Yes)
        return;
    m_session.deleteGames(games);
}

void GamesController::renameChosen()
{
    const QList<int> rows = selectedRows();
    if (rows.size() != 1)
        return;
    const parse::GameRow& game = m_session.games().game(rows[0]);
    const QString name = game.title;
    const std::optional<QString> typed =
        m_dialogs.inputText(tr("The new name of %1:").arg(name), tr("Rename"), name);
    if (!typed)
        return;
    // An unchanged name changes nothing: the tool is not asked.
    const QString newName = TrimGameName(*typed);
    if (newName.isEmpty() || newName == name)
        return;
    // The session refuses what the tool would misread (flags, control characters).
    m_session.renameGame(game, newName);
}

void GamesController::openLauncherFiles()
{
    const QList<int> rows = selectedRows();
    if (rows.size() != 1)
        return;
    const parse::GameRow& game = m_session.games().game(rows[0]);
    if (game.startup.isEmpty()) {
        m_dialogs.message(tr("%1 was installed without a startup name: the launcher finds its "
                             "pictures and settings by that name.")
                              .arg(game.title),
                          Dialogs::Icon::Information);
        return;
    }
    auto* dialog =
        new LauncherDialog(m_session, m_dialogs, m_session.target(), game, m_pane->window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    dialog->load();
}

void GamesController::changeFlagsOfChosen()
{
    const QList<int> rows = selectedRows();
    if (rows.size() != 1)
        return;
    const parse::GameRow& game = m_session.games().game(rows[0]);
    const CompatFlags current = CompatFlags::parse(game.flags).value_or(CompatFlags());
    const std::optional<CompatFlags> parsed =
        m_dialogs.chooseFlags(tr("The compatibility flags of %1:").arg(game.title), current);
    if (!parsed)
        return;
    // Unchanged flags change nothing: the tool is not asked.
    if (*parsed == current)
        return;
    m_session.setGameFlags(game, *parsed);
}
