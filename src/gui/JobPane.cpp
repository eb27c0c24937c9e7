#include "JobPane.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

JobPane::JobPane(QWidget* parent) : QGroupBox(QStringLiteral("Job Queue"), parent)
{
    setObjectName(QStringLiteral("fmJob"));
    auto makeButton = [this](const char* name, const char* caption, bool enabled) {
        auto* b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setEnabled(enabled);
        return b;
    };
    cmdStart = makeButton("cmdStart", "Start Job Queue", false);
    cmdRemove = makeButton("cmdRemove", "Remove Job", false);
    cmdClear = makeButton("cmdClear", "Clear Jobs", false);
    cmdControls = makeButton("cmdControls", "Go Back to Main Window", true);

    lstJob = new QTreeView(this);
    lstJob->setObjectName(QStringLiteral("lstJob"));
    lstJob->setRootIsDecorated(false);
    lstJob->setUniformRowHeights(true);
    lstJob->setAlternatingRowColors(true);
    lstJob->setSelectionMode(QAbstractItemView::SingleSelection);
    lstJob->setSelectionBehavior(QAbstractItemView::SelectRows);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdStart);
    buttons->addWidget(cmdRemove);
    buttons->addWidget(cmdClear);
    buttons->addStretch();
    buttons->addWidget(cmdControls);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(lstJob, 1);
}
