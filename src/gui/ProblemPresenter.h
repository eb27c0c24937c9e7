#pragma once

#include "core/session/Problem.h"

#include <QList>
#include <QObject>

#include <functional>
#include <optional>
#include <utility>

class Dialogs;
class Session;

// How the window tells what the session reports: a message box when nothing runs; while the
// queue runs, in the message bar when the user is there and held for the end when not (no
// modal box from inside a run); in the status line while a disk is waited for; and for a
// damaged partition table the offer to restore its newest backup.
class ProblemPresenter : public QObject
{
    Q_OBJECT
public:
    struct Hooks
    {
        // Said where the run is shown (waiting for a disk).
        std::function<void(const QString&)> showWaiting;
        // Whether the user is at the window now.
        std::function<bool()> userPresent;
        // Said without stopping anything (a run goes on).
        std::function<void(const QString&)> sayInline;
    };

    ProblemPresenter(Session& session, Dialogs& dialogs, Hooks hooks, QObject* parent = nullptr);

    void show(const Problem& problem);
    // A run begins: nothing is held from before.
    void clearHeld() { m_held.clear(); }
    // What the run had to say, each text once; emptied.
    QStringList takeHeldTexts();
    // A restore the user agreed to runs once nothing else does.
    void restorePendingToc();

private:
    void offerTocRestore(const Problem& problem);

    Session& m_session;
    Dialogs& m_dialogs;
    Hooks m_hooks;
    QList<Problem> m_held;
    std::optional<std::pair<QString, QString>> m_pendingRestore; // target, backup file
};
