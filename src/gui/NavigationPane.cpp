#include "NavigationPane.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>
#include <QRadioButton>

NavigationPane::NavigationPane(QWidget* parent) : QGroupBox(QStringLiteral("Navigation"), parent)
{
    setObjectName(QStringLiteral("fmNavigation"));
    optInstall = new QRadioButton(QStringLiteral("Install"), this);
    optInstall->setObjectName(QStringLiteral("optInstall"));
    optInstall->setChecked(true);
    optBrowse = new QRadioButton(QStringLiteral("Browse, Backup, Delete"), this);
    optBrowse->setObjectName(QStringLiteral("optBrowse"));
    optJobQueue = new QRadioButton(QStringLiteral("Job Queue"), this);
    optJobQueue->setObjectName(QStringLiteral("optJobQueue"));
    chkOutput = new QCheckBox(QStringLiteral("View HDL_Dump Activity"), this);
    chkOutput->setObjectName(QStringLiteral("chkOutput"));
    cmdSettings = new QPushButton(QStringLiteral("S&ettings && Tools"), this);
    cmdSettings->setObjectName(QStringLiteral("cmdSettings"));
    cmdMinimize = new QPushButton(QStringLiteral("Minimi&ze"), this);
    cmdMinimize->setObjectName(QStringLiteral("cmdMinimize"));
    cmdExit = new QPushButton(QStringLiteral("E&xit"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(optInstall, 0, 0);
    grid->addWidget(optBrowse, 0, 1);
    grid->addWidget(optJobQueue, 0, 2);
    grid->addWidget(cmdSettings, 1, 0);
    grid->addWidget(cmdMinimize, 1, 1);
    grid->addWidget(cmdExit, 1, 2);
    grid->addWidget(chkOutput, 2, 0, 1, 3);
}
