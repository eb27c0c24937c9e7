#pragma once

#include "ControlState.h"

#include <QGroupBox>

class QCheckBox;
class QPushButton;
class QRadioButton;

// "Navigation": which pane is shown, the activity view, and the window's own buttons.
class NavigationPane : public QGroupBox
{
    Q_OBJECT
public:
    explicit NavigationPane(QWidget* parent = nullptr);
    // Enables its controls from the state of the whole window.
    void applyControls(const ControlState& state);

    QRadioButton* installView;
    QRadioButton* browseView;
    QRadioButton* queueView;
    QCheckBox* showOutputCheck;
    QPushButton* settingsButton;
    QPushButton* minimizeButton;
    QPushButton* exitButton;
};
