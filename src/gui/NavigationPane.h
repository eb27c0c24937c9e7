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

    QRadioButton* optInstall;
    QRadioButton* optBrowse;
    QRadioButton* optJobQueue;
    QCheckBox* chkOutput;
    QPushButton* cmdSettings;
    QPushButton* cmdMinimize;
    QPushButton* cmdExit;
};
