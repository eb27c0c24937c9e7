#pragma once

#include "ActivityGate.h"
#include "Problem.h"
#include "core/output/Parsers.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <functional>
#include <optional>

// What one intent of the session did.
struct OperationResult
{
    bool started = false;                // the session took the intent (it was not refused)
    bool cancelled = false;              // cancel() was asked before it ended
    QList<Problem> problems;             // what the session said while it ran
    std::optional<parse::DiscInfo> disc; // a disc or image read
    QStringList deleted;                 // titles of games deleted
    QString changed;                     // a renamed or re-flagged game's title now
    QStringList restored;                // targets whose partition table was restored
    QString restoredFrom;                // the backup that was restored
    QStringList poweredOff;              // PS2s switched off

    // Started, not cancelled, and nothing went wrong.
    bool succeeded() const;
};

// One intent of the session as an object: it ends exactly once with finished(result), also
// when the session refused it (then on the next turn of the event loop, so a caller can
// connect first), and cancel() stops what it started. It deletes itself after finished.
class Operation : public QObject
{
    Q_OBJECT
public:
    bool isFinished() const { return m_finished; }
    const OperationResult& result() const { return m_result; }
    void cancel();

signals:
    void finished(const OperationResult& result);

private:
    friend class Session;
    Operation(std::function<void()> cancel, QObject* parent);
    // later: on the next turn of the event loop, for an operation that ended before its
    // caller could connect (refused, or done at once); so is one that ends while starting.
    void finish(bool later = false);
    // The intent was taken (or refused, or done at once: then it ends on the next turn).
    void begun(bool taken, bool done);

    OperationResult m_result;
    std::function<void()> m_cancel;
    bool m_finished = false;
    bool m_starting = true; // its intent has not returned yet: nobody could connect
};
