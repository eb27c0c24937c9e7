#include "StatusWindow.h"

#include "AppIcon.h"
#include "Dialogs.h"
#include "RunTexts.h"
#include "Twips.h"
#include "core/jobs/JobQueue.h"
#include "core/session/Session.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// QProgressBar repaints at once when its value changes; progress arrives many
// times a second, so the bar joins the window's next regular paint instead.
void setBarValue(QProgressBar* bar, int value)
{
    bar->setUpdatesEnabled(false);
    bar->setValue(std::clamp(value, bar->minimum(), bar->maximum()));
    bar->setUpdatesEnabled(true);
}
} // namespace

StatusWindow::StatusWindow(Session& session, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), m_session(session), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("statusWindow"));
    setWindowTitle(tr("Status"));
    setWindowIcon(AppIcon());

    auto bar = [this](const char* name) {
        auto* p = new QProgressBar(this);
        p->setObjectName(QString::fromLatin1(name));
        p->setRange(0, 100);
        p->setValue(0);
        // The frame's caption carries the percentage.
        p->setTextVisible(false);
        return p;
    };
    auto label = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    auto check = [this](const char* name, const QString& text) {
        auto* c = new QCheckBox(text, this);
        c->setObjectName(QString::fromLatin1(name));
        return c;
    };

    m_current = new QGroupBox(tr("Current Job"), this);
    m_current->setObjectName(QStringLiteral("currentJobBox"));
    m_currentBar = bar("currentProgress");
    m_remaining = label("remainingLabel", tr("n/a"));
    m_elapsed = label("elapsedLabel", tr("Elapsed 0:00:00"));
    auto* current = new QVBoxLayout(m_current);
    current->addWidget(m_currentBar);
    current->addWidget(m_remaining);
    current->addWidget(m_elapsed);

    m_overall = new QGroupBox(tr("Overall Completion"), this);
    m_overall->setObjectName(QStringLiteral("overallBox"));
    m_overallBar = bar("overallProgress");
    m_task = label("taskLabel", tr("Currently on Job X of X"));
    m_queueLeft = label("queueLeftLabel", tr("Queue: time left n/a"));
    auto* overall = new QVBoxLayout(m_overall);
    overall->addWidget(m_overallBar);
    overall->addWidget(m_task);
    overall->addWidget(m_queueLeft);
    m_current->setMinimumWidth(Twips(this, 3015));
    m_overall->setMinimumWidth(Twips(this, 3015));

    m_job = label("jobLabel", QString());
    m_job->setMinimumWidth(Twips(this, 6135));
    QLabel* when = label("whenDoneLabel", tr("  When all jobs are complete:"));
    m_shutdownPS2 = check("shutdownPs2Check", tr("Shutdown PS2"));
    m_shutdownPC = check("shutdownCheck", tr("Shutdown PC"));
    m_standbyPC = check("standbyCheck", tr("Standby PC"));
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("stopButton"));
    m_minimize = new QPushButton(tr("Minimize"), this);
    m_minimize->setObjectName(QStringLiteral("minimizeButton"));
    m_cancel->setMinimumWidth(Twips(this, 1455));
    m_minimize->setMinimumWidth(Twips(this, 1455));
    m_stopAfter = new QPushButton(tr("Stop after this job"), this);
    m_stopAfter->setObjectName(QStringLiteral("stopAfterButton"));
    m_stopAfter->setCheckable(true);
    m_stopAfter->setText(tr("Stopping after this job"));
    m_stopAfter->setMinimumWidth(m_stopAfter->sizeHint().width());
    m_stopAfter->setText(tr("Stop after this job"));
    m_stopAfter->setToolTip(
        tr("The running job ends as it would; the jobs after it wait in the queue."));
    m_speed = label("speedLabel", tr("Speed: n/a"));

    auto* frames = new QHBoxLayout;
    frames->addWidget(m_current, 1);
    frames->addWidget(m_overall, 1);
    auto* choices = new QHBoxLayout;
    choices->addWidget(when);
    choices->addStretch();
    choices->addWidget(m_shutdownPS2);
    choices->addWidget(m_shutdownPC);
    choices->addWidget(m_standbyPC);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_stopAfter);
    buttons->addWidget(m_minimize);
    buttons->addSpacing(Twips(this, 105));
    buttons->addWidget(m_speed, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addWidget(m_job);
    layout->addLayout(choices);
    layout->addLayout(buttons);
    // The size fits the widest captions once, so changing progress captions
    // never re-lays out the window.
    m_current->setTitle(tr("Current Job - 100%"));
    m_overall->setTitle(tr("Overall Completion - 100%"));
    m_task->setText(tr("Currently on Job 999 of 999"));
    m_queueLeft->setText(tr("Queue: %1 left").arg(TimeLeftText(99 * 3600 + 59 * 60)));
    setFixedSize(sizeHint());
    m_queueLeft->setText(tr("Queue: time left n/a"));
    m_current->setTitle(tr("Current Job"));
    m_overall->setTitle(tr("Overall Completion"));
    m_task->setText(tr("Currently on Job X of X"));

    // At most one PC action; a value set from code follows the same rule.
    connect(m_shutdownPC, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_standbyPC->setChecked(false);
        endActionsChanged();
    });
    connect(m_standbyPC, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_shutdownPC->setChecked(false);
        endActionsChanged();
    });
    connect(m_shutdownPS2, &QCheckBox::toggled, this, &StatusWindow::endActionsChanged);
    connect(m_cancel, &QPushButton::clicked, this, &StatusWindow::confirmCancel);
    connect(m_stopAfter, &QPushButton::toggled, &m_session.runs(),
            &QueueRuns::setStopAfterCurrentJob);
    // The button says what it will do once pressed.
    connect(m_stopAfter, &QPushButton::toggled, this, [this](bool on) {
        m_stopAfter->setText(on ? tr("Stopping after this job") : tr("Stop after this job"));
        emit stopAfterChanged(on);
    });
    m_clock.setInterval(1000);
    connect(&m_clock, &QTimer::timeout, this, &StatusWindow::showTimes);
    connect(m_minimize, &QPushButton::clicked, this, &QWidget::showMinimized);
    m_pace.setSingleShot(true);
    connect(&m_pace, &QTimer::timeout, this, [this] {
        if (!m_hasPending)
            return;
        applyProgress();
        m_pace.start();
    });
}

void StatusWindow::endActionsChanged()
{
    m_session.runs().setEndActions({m_shutdownPS2->isChecked() && m_shutdownPS2->isEnabled(),
                                    m_shutdownPC->isChecked(), m_standbyPC->isChecked()});
}

StatusWindow::~StatusWindow()
{
    delete m_cancelQuestion.data();
}

void StatusWindow::confirmCancel()
{
    if (!m_session.isBusy() || m_cancelQuestion)
        return;
    // An unattended run is not lost to one stray click. The question waits beside the run:
    // when the run ends first it is withdrawn, and a late answer cancels nothing else.
    QWidget* over = isVisible() ? static_cast<QWidget*>(this) : parentWidget();
    const bool jobsAfter = m_session.activity() == Activity::RunningQueue &&
                           m_session.runs().runJobNumber() < m_session.runs().runJobCount();
    if (!jobsAfter) {
        m_cancelQuestion = m_dialogs.ask(
            tr("Cancel the running job? Jobs that have not started stay in the queue."),
            Dialogs::Icon::Exclamation, over, [this, run = m_run](Dialogs::Answer answer) {
                m_cancelQuestion.clear();
                if (answer == Dialogs::Answer::Yes && run == m_run && m_session.isBusy())
                    m_session.cancel();
            });
        return;
    }
    // The job it was asked about, not whichever runs when the answer comes.
    const int job = m_session.runs().runJobNumber();
    m_cancelQuestion = m_dialogs.choose(
        tr("Cancel only the running job, and go on with the next, or stop the run? Jobs that "
           "have not started stay in the queue."),
        Dialogs::Icon::Exclamation, over,
        {tr("Cancel This Job"), tr("Stop the Run"), tr("Keep Running")},
        [this, run = m_run, job](int choice) {
            m_cancelQuestion.clear();
            if (run != m_run || !m_session.isBusy())
                return;
            if (choice == 0 && m_session.runs().runJobNumber() == job)
                m_session.cancelJob();
            else if (choice == 1)
                m_session.cancel();
        });
}

void StatusWindow::runEnded()
{
    ++m_run;
    delete m_cancelQuestion.data();
    hide();
}

void StatusWindow::setJobStart(qint64 startedAt)
{
    m_jobStart = startedAt;
    showTimes();
    m_clock.start();
}

void StatusWindow::showTimes()
{
    if (!m_session.isBusy()) {
        m_clock.stop();
        return;
    }
    if (m_jobStart > 0)
        m_elapsed->setText(
            tr("Elapsed %1")
                .arg(ClockText((QDateTime::currentMSecsSinceEpoch() - m_jobStart) / 1000)));
    m_queueLeft->setText(m_secondsLeft ? tr("Queue: %1 left").arg(TimeLeftText(*m_secondsLeft))
                                       : tr("Queue: time left n/a"));
}

void StatusWindow::prepare(bool networkTarget, const SettingsFile& settings, bool queue)
{
    {
        const QSignalBlocker quiet(m_stopAfter);
        m_stopAfter->setChecked(false);
        m_stopAfter->setText(tr("Stop after this job"));
    }
    m_stopAfter->setVisible(queue);
    m_queueLeft->setVisible(queue);
    m_secondsLeft.reset();
    m_jobStart = 0;
    m_elapsed->setText(tr("Elapsed 0:00:00"));
    m_shutdownPS2->setEnabled(networkTarget);
    m_shutdownPS2->setChecked(networkTarget && settings.flag(Setting::TurnOffPS2));
    // Standby is set second, so it wins when both are stored.
    m_shutdownPC->setChecked(settings.flag(Setting::TurnOffPC));
    m_standbyPC->setChecked(settings.flag(Setting::StandbyPC));
    endActionsChanged();
    setWindowTitle(tr("Status"));
    ++m_run;
    delete m_cancelQuestion.data();
}

void StatusWindow::setTask(const QString& text)
{
    m_task->setText(text);
}

void StatusWindow::setJob(const QString& text)
{
    m_job->setText(text);
}

void StatusWindow::resetForJob()
{
    m_hasPending = false;
    m_currentBar->setValue(0);
    m_current->setTitle(tr("Current Job"));
    m_speed->setText(tr("Speed: n/a"));
    m_remaining->setText(tr("Time remaining n/a"));
}

void StatusWindow::showProgress(const JobProgress& progress, bool queue)
{
    m_pending = progress;
    m_pendingQueue = queue;
    m_hasPending = true;
    if (!m_pace.isActive()) {
        applyProgress();
        m_pace.start();
    }
}

void StatusWindow::applyProgress()
{
    if (!m_hasPending)
        return;
    m_hasPending = false;
    const JobProgress& p = m_pending;
    const bool queue = m_pendingQueue;
    if (p.remaining)
        m_remaining->setText(ToolTimeLeftText(*p.remaining));
    if (p.speed)
        m_speed->setText(tr("Speed: %1").arg(ToolSpeedText(*p.speed)));
    setBarValue(m_currentBar, p.percent);
    m_current->setTitle(tr("Current Job - %1%").arg(p.percentText));
    setBarValue(m_overallBar, p.overall);
    if (p.queueSecondsLeft)
        m_secondsLeft = p.queueSecondsLeft;
    m_overall->setTitle(tr("Overall Completion - %1%").arg(p.overall));
    if (!isMinimized()) {
        setWindowTitle(tr("Status"));
        return;
    }
    if (queue && p.jobCount > 1)
        setWindowTitle(tr("%1% - %2% - Job %3 / %4")
                           .arg(p.percentText)
                           .arg(p.percent / p.jobCount)
                           .arg(p.jobNumber)
                           .arg(p.jobCount));
    else
        setWindowTitle(tr("%1% Complete").arg(p.percentText));
}

void StatusWindow::closeEvent(QCloseEvent* event)
{
    // Closing it during a run closes only this window: the run goes on, shown in the main
    // window, from where this one can be opened again.
    event->accept();
    if (m_session.isBusy())
        emit closedDuringRun();
}
