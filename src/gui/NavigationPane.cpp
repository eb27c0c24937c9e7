#include "NavigationPane.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>
#include <QRadioButton>

#include <utility>

NavigationPane::NavigationPane(QWidget* parent) : QGroupBox(tr("Navigation"), parent)
{
    setObjectName(QStringLiteral("navigationPane"));
    m_installView = new QRadioButton(tr("Insta&ll"), this);
    m_installView->setObjectName(QStringLiteral("installView"));
    m_installView->setChecked(true);
    m_browseView = new QRadioButton(tr("&Browse, Backup, Delete"), this);
    m_browseView->setObjectName(QStringLiteral("browseView"));
    m_queueView = new QRadioButton(tr("&Job Queue"), this);
    m_queueView->setObjectName(QStringLiteral("queueView"));
    m_showOutput = new QCheckBox(tr("View HDL_Dump Activit&y"), this);
    m_showOutput->setObjectName(QStringLiteral("showOutputCheck"));
    m_settings = new QPushButton(tr("&Settings && Tools"), this);
    m_settings->setObjectName(QStringLiteral("settingsButton"));
    m_minimize = new QPushButton(tr("Minimi&ze"), this);
    m_minimize->setObjectName(QStringLiteral("minimizeButton"));
    m_exit = new QPushButton(tr("E&xit"), this);
    m_exit->setObjectName(QStringLiteral("exitButton"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_installView, 0, 0);
    grid->addWidget(m_browseView, 0, 1);
    grid->addWidget(m_queueView, 0, 2);
    grid->addWidget(m_settings, 1, 0);
    grid->addWidget(m_minimize, 1, 1);
    grid->addWidget(m_exit, 1, 2);
    grid->addWidget(m_showOutput, 2, 0, 1, 3);

    const std::pair<QRadioButton*, View> views[] = {
        {m_installView, View::Install}, {m_browseView, View::Browse}, {m_queueView, View::Queue}};
    for (const auto& [button, view] : views) {
        connect(button, &QRadioButton::toggled, this, [this, view](bool on) {
            if (on)
                emit viewChosen(view);
        });
    }
    connect(m_showOutput, &QCheckBox::toggled, this, &NavigationPane::activityToggled);
    connect(m_settings, &QPushButton::clicked, this, &NavigationPane::settingsAsked);
    connect(m_minimize, &QPushButton::clicked, this, &NavigationPane::minimizeAsked);
    connect(m_exit, &QPushButton::clicked, this, &NavigationPane::exitAsked);
}

void NavigationPane::setView(View view)
{
    (view == View::Install  ? m_installView
     : view == View::Browse ? m_browseView
                            : m_queueView)
        ->setChecked(true);
}

void NavigationPane::setActivityShown(bool shown)
{
    m_showOutput->setChecked(shown);
}

void NavigationPane::applyControls(const ControlState& state)
{
    m_settings->setEnabled(state.targetControls);
    // Exit always works: during a run it asks first, and ends what runs.
    m_exit->setEnabled(true);
}
