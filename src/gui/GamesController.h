#pragma once

#include "core/jobs/Job.h"
#include "core/session/Problem.h"

#include <QObject>

#include <functional>

class BrowsePane;
class Dialogs;
class GameFilterModel;
class QAction;
class QMenu;
class QWidget;
class Session;

// The game pane's logic: the list of the target's games (filtered, sorted), and what is done
// with the games chosen in it: copies queued to the PC, a PS2 or another disk, and the game
// deleted, renamed or given other flags. It asks what it must (a file, an address, a name)
// and hands the rest to the session.
class GamesController : public QObject
{
    Q_OBJECT
public:
    struct Hooks
    {
        std::function<void(const Problem&)> showProblem;
        // A job joined the queue.
        // Jobs were queued: how many, and whether they copy games (which wait for a run).
        std::function<void(int count, bool copies)> jobsAdded;
        std::function<void()> updateControls;
        // The local disk whose games are shown (no destination for a copy), or -1.
        std::function<int()> sourceDiskRow;
    };

    GamesController(BrowsePane* pane, Session& session, Dialogs& dialogs, Hooks hooks,
                    QWidget* parent);

    // The chosen games: rows of the session's list, in its order, whatever the view's sorting.
    QList<int> selectedRows() const;
    // The disks a game can be copied to (the first five; the source disk is none).
    void fillCopyMenu();
    void showGameCount(int count);

    void copyToPC();
    void copyToPS2();
    void copyToDisk(const QString& device);
    void deleteChosen();
    void renameChosen();
    void changeFlagsOfChosen();
    // The chosen game's pictures and settings where the launcher keeps them, in a dialog.
    void openLauncherFiles();

private:
    void connectPane();
    void queueCopy(JobKind kind, int gameRow, const QString& destination, bool replaceAsked = true);

    BrowsePane* m_pane;
    Session& m_session;
    Dialogs& m_dialogs;
    Hooks m_hooks;
    GameFilterModel* m_filter;
    QMenu* m_copyMenu;
    QList<QAction*> m_copyEntries;
};
