#include "NavigationPane.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>
#include <QRadioButton>

NavigationPane::NavigationPane(QWidget* parent) : QGroupBox(tr("Navigation"), parent)
{
    setObjectName(QStringLiteral("navigationPane"));
    installView = new QRadioButton(tr("Install"), this);
    installView->setObjectName(QStringLiteral("installView"));
    installView->setChecked(true);
    browseView = new QRadioButton(tr("Browse, Backup, Delete"), this);
    browseView->setObjectName(QStringLiteral("browseView"));
    queueView = new QRadioButton(tr("Job Queue"), this);
    queueView->setObjectName(QStringLiteral("queueView"));
    showOutputCheck = new QCheckBox(tr("View HDL_Dump Activity"), this);
    showOutputCheck->setObjectName(QStringLiteral("showOutputCheck"));
    settingsButton = new QPushButton(tr("S&ettings && Tools"), this);
    settingsButton->setObjectName(QStringLiteral("settingsButton"));
    minimizeButton = new QPushButton(tr("Minimi&ze"), this);
    minimizeButton->setObjectName(QStringLiteral("minimizeButton"));
    exitButton = new QPushButton(tr("E&xit"), this);
    exitButton->setObjectName(QStringLiteral("exitButton"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(installView, 0, 0);
    grid->addWidget(browseView, 0, 1);
    grid->addWidget(queueView, 0, 2);
    grid->addWidget(settingsButton, 1, 0);
    grid->addWidget(minimizeButton, 1, 1);
    grid->addWidget(exitButton, 1, 2);
    grid->addWidget(showOutputCheck, 2, 0, 1, 3);
}

void NavigationPane::applyControls(const ControlState& state)
{
    settingsButton->setEnabled(state.targetControls);
    exitButton->setEnabled(state.targetControls);
}
