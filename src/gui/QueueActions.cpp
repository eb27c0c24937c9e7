#include "QueueActions.h"

#include "Dialogs.h"
#include "core/session/Session.h"

#include <QFileInfo>

#include <algorithm>

QueueActions::QueueActions(Session& session, Dialogs& dialogs, Hooks hooks, QObject* parent)
    : QObject(parent), m_session(session), m_dialogs(dialogs), m_hooks(std::move(hooks))
{}

void QueueActions::deleteFrom(const Job& job, const QString& partition)
{
    // The game the job wrote: its partition where known (another game may have its title).
    parse::GameRow game;
    game.title = job.name;
    game.partition = partition;
    m_session.selectTarget(WriteTarget(job));
    m_session.deleteGames({game});
}

void QueueActions::showBatchSummary(const BatchSummary& summary)
{
    if (summary.cancelled)
        return;
    using Outcome = BatchEntry::Outcome;
    const int added = summary.count(Outcome::Added);
    QStringList items;
    for (const BatchEntry& e : summary.entries) {
        const QString file = QFileInfo(e.path).fileName();
        switch (e.outcome) {
        case Outcome::Added:
            break;
        case Outcome::NotPs2:
            items << tr("%1: not a PS2 game (%2)").arg(file, e.reason);
            break;
        case Outcome::Skipped:
            items << tr("%1: skipped (%2)").arg(file, e.reason);
            break;
        case Outcome::Installed:
            items << (e.sameStartupAs == e.job.name
                          ? tr("%1: \"%2\" is already installed on %3")
                                .arg(file, e.job.name, e.reason)
                          : tr("%1: \"%2\" has the startup %3 of \"%4\", which is on %5 "
                               "already: it may be the same game")
                                .arg(file, e.job.name, e.job.startup, e.sameStartupAs, e.reason));
            break;
        case Outcome::Queued:
            items << (e.sameStartupAs == e.job.name
                          ? tr("%1: \"%2\" is already in the job queue").arg(file, e.job.name)
                          : tr("%1: \"%2\" has the startup %3 of \"%4\", which is in the job "
                               "queue already: it may be the same game")
                                .arg(file, e.job.name, e.job.startup, e.sameStartupAs));
            break;
        }
    }
    QString text = tr("%1 of %n images were added to the job queue.", nullptr,
                      static_cast<int>(summary.entries.size()))
                       .arg(added);
    if (added > 0)
        m_hooks.jobAdded();
    // Said in the window whatever came of it: a notification may never show.
    m_hooks.say(text);
    if (std::ranges::any_of(summary.entries, [](const BatchEntry& e) { return e.typeFromSize; }))
        text += u' ' + tr("hdl_dump does not say whether an image file is a CD or a DVD: up to "
                          "700 MB they are installed as CDs, above as DVDs, unless you chose a "
                          "type.");
    if (items.isEmpty()) {
        m_hooks.balloon(text);
        return;
    }
    const QList<Job> duplicates = summary.jobs(Outcome::Installed) + summary.jobs(Outcome::Queued);
    if (duplicates.isEmpty()) {
        // Nothing to decide: read beside the window, not in a box that stops it.
        constexpr int kListed = 8;
        QStringList shown = items.mid(0, kListed);
        if (items.size() > kListed)
            shown << tr("... and %n more.", nullptr, static_cast<int>(items.size() - kListed));
        m_hooks.tell(text + u' ' + tr("These were not:") + u'\n' + shown.join(u'\n'));
        return;
    }
    if (m_dialogs.confirmList(text + u' ' + tr("These were not:"), items,
                              tr("Add Duplicates Anyway"))) {
        for (const Job& job : duplicates)
            m_session.addJob(job);
        m_hooks.jobAdded();
    }
}

void QueueActions::confirmStart(const QList<PreflightIssue>& issues)
{
    // What a killed run left on a disk is offered for deletion first; the check runs again
    // with the next Start.
    for (const PreflightIssue& issue : issues) {
        if (issue.kind != PreflightKind::LeftIncomplete)
            continue;
        const Job& job = m_session.jobs().job(issue.row);
        if (m_dialogs.question(issue.text + QStringLiteral("\n\n") +
                                   tr("Delete it from %1 now?").arg(job.destination),
                               Dialogs::Icon::Exclamation) != Dialogs::Answer::Yes)
            continue;
        deleteFrom(job, issue.partition);
        return;
    }
    if (!issues.isEmpty()) {
        QStringList items;
        // Named as the list shows them: by their place and their game.
        QList<int> troubled;
        for (const PreflightIssue& issue : issues) {
            items << tr("Row %1, %2: %3")
                         .arg(issue.row + 1)
                         .arg(m_session.jobs().job(issue.row).name, issue.text);
            troubled << issue.row;
        }
        // What the run would have had, without the jobs found wanting.
        QList<int> rest;
        const QList<int>& checked = m_session.runs().checkedRows();
        for (int row = 0; row < m_session.jobs().count(); ++row) {
            if (m_session.jobs().job(row).state != JobState::Complete &&
                (checked.isEmpty() || checked.contains(row)) && !troubled.contains(row))
                rest << row;
        }
        const QString text =
            issues.size() == 1
                ? tr("One problem was found in the job queue. Fix it before the run, or start "
                     "anyway and let that job fail.")
                : tr("%n problems were found in the job queue. Fix them before the run, or start "
                     "anyway and let those jobs fail.",
                     nullptr, static_cast<int>(issues.size()));
        QStringList choices{tr("Start Anyway")};
        if (!rest.isEmpty())
            choices << tr("Skip these and start the rest");
        const std::optional<int> choice = m_dialogs.chooseForList(text, items, choices);
        if (!choice)
            return;
        if (*choice == 1) {
            m_session.startQueue(rest);
            return;
        }
    }
    m_session.startQueue(m_session.runs().checkedRows());
}

void QueueActions::offerToDeleteIncomplete()
{
    while (!m_incompleteRows.isEmpty() && !m_session.isBusy()) {
        const Job job = m_session.jobs().job(m_incompleteRows.takeFirst());
        if (m_dialogs.question(tr("Only part of %1 is on %2. Delete it from there?")
                                   .arg(job.name, job.destination),
                               Dialogs::Icon::Exclamation) != Dialogs::Answer::Yes)
            continue;
        deleteFrom(job, job.writes);
    }
}
