#pragma once

#include "ControlState.h"

#include <QGroupBox>

class QLineEdit;
class QPushButton;
class QTreeView;

// "Browse, Backup, and Delete": the games installed on the target.
class BrowsePane : public QGroupBox
{
    Q_OBJECT
public:
    explicit BrowsePane(QWidget* parent = nullptr);
    // Enables its controls from the state of the whole window.
    void applyControls(const ControlState& state);

    QTreeView* gameList;
    QPushButton* copyToDiskButton;
    QPushButton* copyToPs2Button;
    QPushButton* copyToPcButton;
    QPushButton* deleteButton;
    QLineEdit* filterEdit;
    QPushButton* renameButton;
    QPushButton* flagsButton;
};
