#include "ProblemPresenter.h"

#include "Dialogs.h"
#include "core/session/ProblemText.h"
#include "core/session/Session.h"

#include <QLocale>

ProblemPresenter::ProblemPresenter(Session& session, Dialogs& dialogs, Hooks hooks, QObject* parent)
    : QObject(parent), m_session(session), m_dialogs(dialogs), m_hooks(std::move(hooks))
{}

QStringList ProblemPresenter::takeHeldTexts()
{
    QStringList texts;
    for (const Problem& p : std::exchange(m_held, {})) {
        if (p.kind != ProblemKind::Busy)
            texts << ProblemText(p);
    }
    texts.removeDuplicates();
    return texts;
}

void ProblemPresenter::show(const Problem& problem)
{
    // Waiting is no question: it is said where the run is shown, and Cancel ends it. So is a
    // job whose disk has gone quiet: the run goes on, and ends it if it stays so.
    if (problem.kind == ProblemKind::TargetWaiting || problem.kind == ProblemKind::RunStalled) {
        m_hooks.showWaiting(ProblemText(problem));
        return;
    }

    // No box stops an unattended run: what it has to say waits for its end, unless the
    // user is at the window adding to it.
    if (m_session.activity() == Activity::RunningQueue) {
        if (m_hooks.userPresent())
            m_hooks.sayInline(ProblemText(problem));
        else
            m_held << problem;
        return;
    }
    if (problem.kind == ProblemKind::DamagedTable || problem.kind == ProblemKind::TableRefused) {
        offerTocRestore(problem);
        return;
    }
    Dialogs::Icon icon = Dialogs::Icon::Exclamation;
    if (problem.kind == ProblemKind::ReloadServer || problem.kind == ProblemKind::PS2NotAnswering ||
        problem.kind == ProblemKind::Busy)
        icon = Dialogs::Icon::Critical;
    else if (problem.kind == ProblemKind::NameTrimmed)
        icon = Dialogs::Icon::Information;
    m_dialogs.message(ProblemText(problem), icon, ProblemTitle(problem));
}

void ProblemPresenter::offerTocRestore(const Problem& problem)
{
    const QString target = problem.subject;
    // Only a backup of this very disk is offered.
    const std::optional<TocBackup> backup =
        problem.reason.isEmpty()
            ? std::nullopt
            : m_session.targetGames().newestBackup(Target::Parse(target).value_or(Target()));
    if (!backup) {
        m_dialogs.message(ProblemText({problem.kind, target, {}, problem.detail}),
                          Dialogs::Icon::Critical);
        return;
    }
    // Only with the user's yes: the backup may be older than the last change of the disk.
    const QString question =
        TableProblemText(problem) +
        tr("\n\nRestore the backup Ventrik made on %1 before it last wrote to this disk? Games "
           "installed after that backup are lost from the table.")
            .arg(QLocale().toString(backup->made, QLocale::LongFormat));
    const QString title = problem.kind == ProblemKind::DamagedTable ? tr("Damaged Partition Table")
                                                                    : tr("Partition Table Refused");
    if (m_dialogs.question(question, Dialogs::Icon::Exclamation, title) != Dialogs::Answer::Yes)
        return;
    // The problem is told while the listing still ends; the restore follows it.
    m_pendingRestore = std::pair{target, backup->file};
    restorePendingToc();
}

void ProblemPresenter::restorePendingToc()
{
    if (!m_pendingRestore || m_session.isBusy())
        return;
    const auto [target, file] = *std::exchange(m_pendingRestore, std::nullopt);
    m_session.restoreToc(Target::Parse(target).value_or(Target()), file);
}
