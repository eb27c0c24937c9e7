#include "frmStatus.h"

#include "runner/KillProcess.h"
#include "runner/StdIoRunner.h"
#include "shell/AppIcon.h"
#include "shell/RunState.h"
#include "shell/Twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

frmStatus::frmStatus(RunState& state, cStdIO& runner, QWidget* parent)
    : QWidget(parent, Qt::Window), m_state(state), m_runner(runner)
{
    setObjectName(QStringLiteral("frmStatus"));
    setWindowTitle(QStringLiteral(" Status"));
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
    auto check = [this](const char* name, const char* text) {
        auto* c = new QCheckBox(QString::fromLatin1(text), this);
        c->setObjectName(QString::fromLatin1(name));
        return c;
    };

    fmCurrent = new QGroupBox(QStringLiteral("Current Job"), this);
    fmCurrent->setObjectName(QStringLiteral("fmCurrent"));
    prgCurrent = bar("prgCurrent");
    lblRemaining = label("lblRemaining", QStringLiteral("n/a"));
    auto* current = new QVBoxLayout(fmCurrent);
    current->addWidget(prgCurrent);
    current->addWidget(lblRemaining);

    fmOverall = new QGroupBox(QStringLiteral("Overall Completion"), this);
    fmOverall->setObjectName(QStringLiteral("fmOverall"));
    prgOverall = bar("prgOverall");
    lblTask = label("lblTask", QStringLiteral("Currently on Job X of X"));
    auto* overall = new QVBoxLayout(fmOverall);
    overall->addWidget(prgOverall);
    overall->addWidget(lblTask);
    fmCurrent->setMinimumWidth(Twips(this, 3015));
    fmOverall->setMinimumWidth(Twips(this, 3015));

    lblJob = label("lblJob", QString());
    lblJob->setMinimumWidth(Twips(this, 6135));
    Label1 = label("Label1", QStringLiteral("  When all jobs are complete:"));
    chkShutdownPS2 = check("chkShutdownPS2", "Shutdown PS2");
    chkShutdown = check("chkShutdown", "Shutdown PC");
    chkStandby = check("chkStandby", "Standby PC");
    cmdStop = new QPushButton(QStringLiteral("Cancel"), this);
    cmdStop->setObjectName(QStringLiteral("cmdStop"));
    cmdMinimize = new QPushButton(QStringLiteral("Minimize"), this);
    cmdMinimize->setObjectName(QStringLiteral("cmdMinimize"));
    cmdStop->setMinimumWidth(Twips(this, 1455));
    cmdMinimize->setMinimumWidth(Twips(this, 1455));
    lblSpeed = label("lblSpeed", QStringLiteral("Speed: n/a"));

    auto* frames = new QHBoxLayout;
    frames->addWidget(fmCurrent, 1);
    frames->addWidget(fmOverall, 1);
    auto* choices = new QHBoxLayout;
    choices->addWidget(Label1);
    choices->addStretch();
    choices->addWidget(chkShutdownPS2);
    choices->addWidget(chkShutdown);
    choices->addWidget(chkStandby);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdStop);
    buttons->addWidget(cmdMinimize);
    buttons->addSpacing(Twips(this, 105));
    buttons->addWidget(lblSpeed, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addWidget(lblJob);
    layout->addLayout(choices);
    layout->addLayout(buttons);
    // The size fits the widest captions once, so changing progress captions
    // never re-lays out the window.
    fmCurrent->setTitle(QStringLiteral("Current Job - 100%"));
    fmOverall->setTitle(QStringLiteral("Overall Completion - 100%"));
    lblTask->setText(QStringLiteral("Currently on Job 999 of 999"));
    setFixedSize(sizeHint());
    fmCurrent->setTitle(QStringLiteral("Current Job"));
    fmOverall->setTitle(QStringLiteral("Overall Completion"));
    lblTask->setText(QStringLiteral("Currently on Job X of X"));

    // A value set from code runs the same rule as a click: at most one PC action.
    connect(chkShutdown, &QCheckBox::toggled, this, &frmStatus::chkShutdown_Click);
    connect(chkStandby, &QCheckBox::toggled, this, &frmStatus::chkStandby_Click);
    connect(cmdStop, &QPushButton::clicked, this, &frmStatus::cmdStop_Click);
    connect(cmdMinimize, &QPushButton::clicked, this, &frmStatus::cmdMinimize_Click);
}

void frmStatus::chkShutdown_Click()
{
    if (chkShutdown->isChecked() && chkStandby->isChecked())
        chkStandby->setChecked(false);
}

void frmStatus::chkStandby_Click()
{
    if (chkShutdown->isChecked() && chkStandby->isChecked())
        chkShutdown->setChecked(false);
}

void frmStatus::cmdStop_Click()
{
    m_state.JobStopped = true;
    m_state.InstallNow = false;
    m_state.JobActive = false;
    ShowToolConsole(m_runner);
}

void frmStatus::cmdMinimize_Click()
{
    showMinimized();
}

void frmStatus::resetForJob()
{
    prgCurrent->setValue(0);
    fmCurrent->setTitle(QStringLiteral("Current Job"));
    lblSpeed->setText(QStringLiteral("Speed: n/a"));
    lblRemaining->setText(QStringLiteral("Time remaining n/a"));
}

void frmStatus::closeEvent(QCloseEvent* event)
{
    // While a job runs the window stays; closing it only gets it out of the way.
    if (m_state.JobActive) {
        event->ignore();
        showMinimized();
        return;
    }
    event->accept();
}
