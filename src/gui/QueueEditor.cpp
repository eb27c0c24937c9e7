#include "QueueEditor.h"

#include "Dialogs.h"
#include "JobEditDialog.h"
#include "JobPane.h"
#include "core/jobs/JobListModel.h"
#include "core/session/Session.h"

#include <QTreeView>

QueueEditor::QueueEditor(Session& session, Dialogs& dialogs, JobPane* pane, Hooks hooks,
                         QObject* parent)
    : QObject(parent), m_session(session), m_dialogs(dialogs), m_pane(pane),
      m_hooks(std::move(hooks))
{}

void QueueEditor::removeRows(const QList<int>& rows)
{
    JobListModel& jobs = m_session.jobs();
    m_removed.clear();
    for (int row : rows)
        m_removed.append({row, jobs.job(row)});
    // From the bottom up, so the rows above keep their numbers.
    for (auto r = rows.rbegin(); r != rows.rend(); ++r)
        jobs.removeJob(*r);
}

void QueueEditor::removeSelected()
{
    if (m_session.isBusy())
        return;
    const QList<int> rows = m_pane->selectedRows();
    if (rows.isEmpty())
        return;
    const QString name = m_session.jobs().job(rows.first()).name;
    removeRows(rows);
    m_hooks.offerUndo(rows.size() == 1 ? tr("%1 was removed from the job queue.").arg(name)
                                       : tr("%n jobs were removed from the job queue.", nullptr,
                                            static_cast<int>(rows.size())),
                      [this] { undo(); });
}

void QueueEditor::clearAll()
{
    const JobListModel& jobs = m_session.jobs();
    if (m_session.isBusy() || jobs.count() == 0)
        return;
    // One click must not throw away a queue of work.
    const int waiting = jobs.pendingCount();
    const QString text =
        waiting > 0 ? tr("Remove all %n jobs from the job queue? %1 of them have not run yet.",
                         nullptr, jobs.count())
                          .arg(waiting)
                    : tr("Remove all %n jobs from the job queue?", nullptr, jobs.count());
    if (m_dialogs.question(text, Dialogs::Icon::Exclamation) != Dialogs::Answer::Yes)
        return;
    QList<int> all;
    for (int row = 0; row < jobs.count(); ++row)
        all << row;
    const int count = jobs.count();
    m_removed.clear();
    for (int row : all)
        m_removed.append({row, jobs.job(row)});
    if (!m_session.clearQueue()) {
        m_removed.clear();
        return;
    }
    m_hooks.offerUndo(tr("%n jobs were removed from the job queue.", nullptr, count),
                      [this] { undo(); });
}

void QueueEditor::undo()
{
    if (m_session.isBusy() || m_removed.isEmpty())
        return;
    QList<int> rows;
    // Top first: each goes back to the row it had, the ones above it already in place.
    for (const auto& [row, job] : std::as_const(m_removed)) {
        m_session.jobs().insertJob(row, job);
        rows << std::min(row, m_session.jobs().count() - 1);
    }
    m_removed.clear();
    m_pane->selectRows(rows);
    m_hooks.say(tr("%n jobs are back in the job queue.", nullptr, static_cast<int>(rows.size())));
}

void QueueEditor::moveSelected(int by)
{
    if (m_session.isBusy())
        return;
    QList<int> rows = m_pane->selectedRows();
    JobListModel& jobs = m_session.jobs();
    if (rows.isEmpty() || (by < 0 && rows.first() == 0) ||
        (by > 0 && rows.last() == jobs.count() - 1))
        return;
    // The nearest to where they go moves first, so each has a free place.
    if (by > 0)
        std::reverse(rows.begin(), rows.end());
    QList<int> moved;
    for (int row : rows) {
        jobs.moveJob(row, row + by);
        moved << row + by;
    }
    std::sort(moved.begin(), moved.end());
    m_pane->selectRows(moved);
}

void QueueEditor::editSelected()
{
    const QList<int> rows = m_pane->selectedRows();
    if (m_session.isBusy() || rows.size() != 1)
        return;
    const int row = rows.first();
    const Job job = m_session.jobs().job(row);
    if (job.kind != JobKind::Install) {
        m_hooks.say(tr("Only an install can be changed; a copy takes the game as it is."));
        return;
    }
    if (job.state == JobState::Complete || job.state == JobState::Active) {
        m_hooks.say(tr("%1 has run already; only a job that waits can be changed.").arg(job.name));
        return;
    }
    if (m_editor) {
        m_editor->raise();
        return;
    }
    m_editor = new JobEditDialog(job, m_pane->window());
    m_editor->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_editor, &QDialog::accepted, this, [this, id = job.id] {
        JobListModel& jobs = m_session.jobs();
        // Found again by its identity: the list may have changed while the dialog was open.
        for (int r = 0; r < jobs.count(); ++r) {
            if (jobs.job(r).id != id)
                continue;
            if (m_session.isBusy() || jobs.job(r).state == JobState::Active ||
                jobs.job(r).state == JobState::Complete)
                return;
            Job changed = m_editor->job();
            changed.state = jobs.job(r).state;
            jobs.setJob(r, changed);
            m_hooks.say(tr("%1 was changed.").arg(changed.name));
            return;
        }
    });
    m_editor->open();
}

void QueueEditor::runSelected()
{
    const QList<int> rows = m_pane->selectedRows();
    if (rows.isEmpty() || m_session.isBusy())
        return;
    // Checked like a whole run, then only these run; the others wait.
    m_session.checkQueue(rows);
}
