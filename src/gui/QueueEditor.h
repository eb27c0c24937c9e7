#pragma once

#include "core/jobs/Job.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class Dialogs;
class JobEditDialog;
class JobPane;
class Session;

// What the user does to the queue itself: remove jobs (and take that back until the next
// run), clear it after asking, move jobs, change a waiting install, run only some jobs.
class QueueEditor : public QObject
{
    Q_OBJECT
public:
    struct Hooks
    {
        // Says what was done, with a way to take it back.
        std::function<void(const QString& text, std::function<void()> undo)> offerUndo;
        std::function<void(const QString& text)> say; // an outcome, in the status bar
    };

    QueueEditor(Session& session, Dialogs& dialogs, JobPane* pane, Hooks hooks,
                QObject* parent = nullptr);

    void removeSelected();
    void clearAll();
    void moveSelected(int by);
    void editSelected();
    void runSelected();
    bool canUndo() const { return !m_removed.isEmpty(); }
    void undo();
    // A run began: what was removed before it is gone for good.
    void forgetUndo() { m_removed.clear(); }

private:
    void removeRows(const QList<int>& rows);

    Session& m_session;
    Dialogs& m_dialogs;
    JobPane* m_pane;
    Hooks m_hooks;
    // The jobs the last removal took, with the rows they had, top first.
    QList<QPair<int, Job>> m_removed;
    QPointer<JobEditDialog> m_editor;
};
