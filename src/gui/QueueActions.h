#pragma once

#include "core/jobs/BatchAdd.h"
#include "core/jobs/Preflight.h"

#include <QObject>

#include <functional>

class Dialogs;
class Session;

// The window's answers to what the queue reports: the images a batch read added (and the
// duplicates it offers to add anyway), the check before a run (started when nothing was
// found or the user agrees), and the games a killed run left half on a disk.
class QueueActions : public QObject
{
    Q_OBJECT
public:
    struct Hooks
    {
        std::function<void()> jobAdded;
        std::function<void(const QString&)> balloon;
        std::function<void(const QString&)> say;  // an outcome, in the status bar
        std::function<void(const QString&)> tell; // what needs reading, in the message bar
    };

    QueueActions(Session& session, Dialogs& dialogs, Hooks hooks, QObject* parent = nullptr);

    void showBatchSummary(const BatchSummary& summary);
    void confirmStart(const QList<PreflightIssue>& issues);
    // Offered one by one once nothing runs.
    void noteIncomplete(int row) { m_incompleteRows << row; }
    void offerToDeleteIncomplete();

private:
    // The disk of a job's destination chosen, then the game deleted there.
    // The game a job left on its disk deleted there.
    void deleteFrom(const Job& job, const QString& partition);

    Session& m_session;
    Dialogs& m_dialogs;
    Hooks m_hooks;
    QList<int> m_incompleteRows;
};
