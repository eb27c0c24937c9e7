#pragma once

#include "ControlState.h"

#include <QGroupBox>

class QPushButton;
class QTreeView;

// "Job Queue": the queued operations and the buttons that run and edit them.
class JobPane : public QGroupBox
{
    Q_OBJECT
public:
    explicit JobPane(QWidget* parent = nullptr);
    // Enables its controls from the state of the whole window.
    void applyControls(const ControlState& state);

signals:
    void startAsked();
    void removeAsked();
    void clearAsked();
    void backAsked(); // to the main window's panes

public:
    QPushButton* startButton;
    QPushButton* removeButton;
    QPushButton* clearButton;
    QPushButton* controlsButton;
    QTreeView* jobList;
};
