#include "NavigationPane.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>
#include <QRadioButton>

NavigationPane::NavigationPane(QWidget* parent) : QGroupBox(QStringLiteral("Navigation"), parent)
{
    setObjectName(QStringLiteral("navigationPane"));
    installView = new QRadioButton(QStringLiteral("Install"), this);
    installView->setObjectName(QStringLiteral("installView"));
    installView->setChecked(true);
    browseView = new QRadioButton(QStringLiteral("Browse, Backup, Delete"), this);
    browseView->setObjectName(QStringLiteral("browseView"));
    queueView = new QRadioButton(QStringLiteral("Job Queue"), this);
    queueView->setObjectName(QStringLiteral("queueView"));
    showOutputCheck = new QCheckBox(QStringLiteral("View HDL_Dump Activity"), this);
    showOutputCheck->setObjectName(QStringLiteral("showOutputCheck"));
    settingsButton = new QPushButton(QStringLiteral("S&ettings && Tools"), this);
    settingsButton->setObjectName(QStringLiteral("settingsButton"));
    minimizeButton = new QPushButton(QStringLiteral("Minimi&ze"), this);
    minimizeButton->setObjectName(QStringLiteral("minimizeButton"));
    exitButton = new QPushButton(QStringLiteral("E&xit"), this);
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
