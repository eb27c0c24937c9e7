#include "BrowsePane.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

BrowsePane::BrowsePane(QWidget* parent)
    : QGroupBox(QStringLiteral("Browse, Backup, and Delete - 0 Games"), parent)
{
    setObjectName(QStringLiteral("fmBrowse"));
    lstHD = new QTreeView(this);
    lstHD->setObjectName(QStringLiteral("lstHD"));
    lstHD->setRootIsDecorated(false);
    lstHD->setUniformRowHeights(true);
    lstHD->setAlternatingRowColors(true);
    lstHD->header()->setStretchLastSection(false);
    lstHD->setSortingEnabled(true);
    lstHD->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lstHD->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstHD->setTextElideMode(Qt::ElideRight);

    txtFilter = new QLineEdit(this);
    txtFilter->setObjectName(QStringLiteral("txtFilter"));
    txtFilter->setPlaceholderText(QStringLiteral("Filter by title or startup"));
    txtFilter->setClearButtonEnabled(true);

    auto makeButton = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setEnabled(false);
        return b;
    };
    cmdBackupHDD = makeButton("cmdBackupHDD", "Copy to &HDD");
    cmdBackupPS2 = makeButton("cmdBackupPS2", "Copy to P&S2");
    cmdBackupPC = makeButton("cmdBackupPC", "Copy to &PC");
    cmdDelete = makeButton("cmdDelete", "&Delete");
    cmdRename = makeButton("cmdRename", "Re&name...");
    cmdFlags = makeButton("cmdFlags", "F&lags...");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdBackupHDD);
    buttons->addWidget(cmdBackupPS2);
    buttons->addWidget(cmdBackupPC);
    buttons->addWidget(cmdDelete);
    auto* edits = new QHBoxLayout;
    edits->addWidget(txtFilter, 1);
    edits->addWidget(cmdRename);
    edits->addWidget(cmdFlags);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(edits);
    layout->addWidget(lstHD, 1);
    layout->addLayout(buttons);
}
