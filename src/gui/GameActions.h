#pragma once

#include "core/jobs/Job.h"
#include "core/session/Problem.h"

#include <QObject>

#include <functional>

class Dialogs;
class Session;

// What the window does with the games chosen in its list: copies queued to the PC, a PS2 or
// another disk, and the game deleted, renamed or given other flags. It asks what it must
// (a file, an address, a name) and hands the rest to the session.
class GameActions : public QObject
{
    Q_OBJECT
public:
    struct Hooks
    {
        // The chosen games: rows of the session's list, in its order.
        std::function<QList<int>()> selectedRows;
        std::function<void(const Problem&)> showProblem;
        // A job joined the queue.
        std::function<void()> jobAdded;
    };

    GameActions(Session& session, Dialogs& dialogs, Hooks hooks, QObject* parent = nullptr);

    // The file a game is copied to by default: its title, with what no file name holds
    // replaced.
    static QString FileNameFor(const QString& title);

    void copyToPC();
    void copyToPS2();
    void copyToDisk(const QString& device);
    void deleteChosen();
    void renameChosen();
    void changeFlagsOfChosen();

private:
    void queueCopy(JobKind kind, int gameRow, const QString& destination, bool replaceAsked = true);

    Session& m_session;
    Dialogs& m_dialogs;
    Hooks m_hooks;
};
