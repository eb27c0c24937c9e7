#include "BrowsePane.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

BrowsePane::BrowsePane(QWidget* parent)
    : QGroupBox(tr("Browse, Backup, and Delete - %n Games", nullptr, 0), parent)
{
    setObjectName(QStringLiteral("browsePane"));
    gameList = new QTreeView(this);
    gameList->setObjectName(QStringLiteral("gameList"));
    gameList->setRootIsDecorated(false);
    gameList->setUniformRowHeights(true);
    gameList->setAlternatingRowColors(true);
    gameList->header()->setStretchLastSection(false);
    gameList->setSortingEnabled(true);
    gameList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    gameList->setSelectionBehavior(QAbstractItemView::SelectRows);
    gameList->setTextElideMode(Qt::ElideRight);

    filterEdit = new QLineEdit(this);
    filterEdit->setObjectName(QStringLiteral("filterEdit"));
    filterEdit->setPlaceholderText(tr("Filter by title or startup"));
    filterEdit->setClearButtonEnabled(true);

    auto makeButton = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(tr(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setEnabled(false);
        return b;
    };
    copyToDiskButton = makeButton("copyToDiskButton", QT_TR_NOOP("Copy to &HDD"));
    copyToPs2Button = makeButton("copyToPs2Button", QT_TR_NOOP("Copy to P&S2"));
    copyToPcButton = makeButton("copyToPcButton", QT_TR_NOOP("Copy to &PC"));
    deleteButton = makeButton("deleteButton", QT_TR_NOOP("&Delete"));
    renameButton = makeButton("renameButton", QT_TR_NOOP("Re&name..."));
    flagsButton = makeButton("flagsButton", QT_TR_NOOP("Fla&gs..."));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copyToDiskButton);
    buttons->addWidget(copyToPs2Button);
    buttons->addWidget(copyToPcButton);
    buttons->addWidget(deleteButton);
    auto* edits = new QHBoxLayout;
    edits->addWidget(filterEdit, 1);
    edits->addWidget(renameButton);
    edits->addWidget(flagsButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(edits);
    layout->addWidget(gameList, 1);
    layout->addLayout(buttons);
}

void BrowsePane::applyControls(const ControlState& state)
{
    copyToPcButton->setEnabled(state.copyToPC);
    copyToPs2Button->setEnabled(state.copyToPS2);
    deleteButton->setEnabled(state.deleteGames);
    deleteButton->setToolTip(state.deleteTip);
    for (QPushButton* b : {renameButton, flagsButton}) {
        b->setEnabled(state.modifyGame);
        b->setToolTip(state.modifyTip);
    }
    copyToDiskButton->setEnabled(state.copyToDisk);
    copyToDiskButton->setToolTip(state.copyToDiskTip);
}
