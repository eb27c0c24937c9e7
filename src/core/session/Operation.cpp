#include "Operation.h"

#include "ProblemText.h"

#include <QTimer>

#include <algorithm>

bool OperationResult::succeeded() const
{
    // Warnings and notes (a name trimmed, a dual-layer disc) are no failure.
    return started && !cancelled &&
           std::ranges::none_of(problems, [](const Problem& p) { return !ProblemIsWarning(p); });
}

Operation::Operation(std::function<void()> cancel, QObject* parent)
    : QObject(parent), m_cancel(std::move(cancel))
{}

void Operation::cancel()
{
    if (m_finished || m_result.cancelled)
        return;
    m_result.cancelled = true;
    if (m_cancel)
        m_cancel();
}

void Operation::begun(bool taken, bool done)
{
    m_result.started = taken;
    m_starting = false;
    if (!taken || done)
        finish(true);
}

void Operation::finish(bool later)
{
    if (m_finished)
        return;
    m_finished = true;
    auto tell = [this] {
        emit finished(m_result);
        deleteLater();
    };
    if (later || m_starting)
        QTimer::singleShot(0, this, tell);
    else
        tell();
}
