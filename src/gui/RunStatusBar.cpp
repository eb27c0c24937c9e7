#include "RunStatusBar.h"

#include "RunTexts.h"

#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

RunStatusBar::RunStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("runStatusBar"));
    setSizeGripEnabled(false);
    setContentsMargins(6, 0, 6, 2);
    m_run = new QLabel(this);
    m_run->setObjectName(QStringLiteral("runStatusLabel"));
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("runProgress"));
    m_bar->setRange(0, 100);
    m_bar->setMaximumWidth(160);
    m_show = new QPushButton(tr("Show &Status"), this);
    m_show->setObjectName(QStringLiteral("showStatusButton"));
    m_show->setToolTip(tr("Opens the status window, with Cancel and the end-of-run choices."));
    m_cancel = new QPushButton(tr("Cancel…"), this);
    m_cancel->setObjectName(QStringLiteral("runCancelButton"));
    m_cancel->setToolTip(tr("Cancels the running job, or the whole run, after asking which."));
    addWidget(m_run, 1);
    addPermanentWidget(m_bar);
    addPermanentWidget(m_show);
    addPermanentWidget(m_cancel);
    connect(m_show, &QPushButton::clicked, this, &RunStatusBar::statusWindowAsked);
    connect(m_cancel, &QPushButton::clicked, this, &RunStatusBar::cancelAsked);
    m_pace.setSingleShot(true);
    m_pace.setInterval(250);
    connect(&m_pace, &QTimer::timeout, this, [this] {
        if (m_due)
            showRun();
    });
    if (parent)
        parent->window()->installEventFilter(this);
    // Its text changes with every percent: it never asks the window to lay out again.
    m_run->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    // With nothing to say it takes no room: small screens need every line.
    connect(this, &QStatusBar::messageChanged, this, [this](const QString& text) {
        setVisible(!text.isEmpty() || m_show->isVisibleTo(this));
    });
    runEnded();
}

bool RunStatusBar::eventFilter(QObject* watched, QEvent* event)
{
    if (m_due && (event->type() == QEvent::Show || event->type() == QEvent::WindowStateChange))
        QTimer::singleShot(0, this, [this] {
            if (m_due)
                showRun();
        });
    return QStatusBar::eventFilter(watched, event);
}

void RunStatusBar::runStarted()
{
    clearMessage();
    m_job.clear();
    m_percent = 0;
    m_overall = 0;
    m_left.clear();
    m_bar->setValue(0);
    for (QWidget* w : {static_cast<QWidget*>(m_run), static_cast<QWidget*>(m_bar),
                       static_cast<QWidget*>(m_show), static_cast<QWidget*>(m_cancel)})
        w->show();
    show();
    showRun();
}

void RunStatusBar::setJob(const QString& text)
{
    m_job = text;
    m_percent = 0;
    // Shown once the job's tool is under way: the bar repaints at once when it moves, and
    // that is no reason for the disk to wait.
    m_due = true;
    QTimer::singleShot(0, this, [this] {
        if (m_due)
            showRun();
    });
}

void RunStatusBar::showProgress(const JobProgress& progress)
{
    // Records arrive many times a second; the bar changes only when what it shows does.
    const QString left =
        progress.queueSecondsLeft ? TimeLeftText(*progress.queueSecondsLeft) : m_left;
    const int overall = std::clamp(progress.overall, 0, 100);
    if (progress.percent == m_percent && left == m_left && overall == m_overall)
        return;
    m_percent = progress.percent;
    m_left = left;
    m_overall = overall;
    m_due = true;
    if (!m_pace.isActive())
        m_pace.start();
}

void RunStatusBar::runEnded()
{
    m_job.clear();
    m_run->clear();
    m_run->hide();
    m_bar->hide();
    m_show->hide();
    m_cancel->hide();
    setVisible(!currentMessage().isEmpty());
}

void RunStatusBar::say(const QString& text)
{
    // Outcomes stay until replaced: someone who looked away still reads them. During a run
    // the run's own line comes back after a while.
    showMessage(text, m_show->isVisibleTo(this) ? 8000 : 0);
}

QString RunStatusBar::runText() const
{
    return m_run->isHidden() ? QString() : m_run->text();
}

void RunStatusBar::showRun()
{
    // Out of sight (minimised, or hidden while the status window stands in): kept for later.
    if (!window()->isVisible() || window()->isMinimized()) {
        m_due = true;
        return;
    }
    m_due = false;
    m_bar->setValue(m_overall);
    QString text = m_job.isEmpty() ? tr("Starting...") : m_job;
    text = tr("%1 - %2%").arg(text).arg(m_percent);
    if (!m_left.isEmpty())
        text = tr("%1 - Queue: %2 left").arg(text, m_left);
    m_run->setText(text);
}
