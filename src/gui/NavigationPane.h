#pragma once

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

    QRadioButton* installView;
    QRadioButton* browseView;
    QRadioButton* queueView;
    QCheckBox* showOutputCheck;
    QPushButton* settingsButton;
    QPushButton* minimizeButton;
    QPushButton* exitButton;
};
