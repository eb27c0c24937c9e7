#pragma once

#include "ControlState.h"

#include <QGroupBox>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QToolButton;

// "Playstation 2 Device": the local disk or the networked PS2, and the
// disk-space display of the chosen target.
class TargetPane : public QGroupBox
{
    Q_OBJECT
public:
    explicit TargetPane(QWidget* parent = nullptr);
    // Enables its controls from the state of the whole window.
    void applyControls(const ControlState& state);
    // The button keeps the width it is given, unless its caption needs more (a translation).
    void setAttachCaption(const QString& caption, int twips);

    QRadioButton* localTarget;
    QRadioButton* networkTarget;
    QComboBox* diskCombo;
    QLabel* addressLabel;
    QLineEdit* addressEdit;
    // The NBD server's export and port, shown by "More…".
    QToolButton* moreButton;
    QWidget* nbdOptions;
    QLineEdit* exportEdit;
    QSpinBox* portSpin;
    // Which server the PS2 answered with at the last refresh.
    QLabel* serverLabel;
    QPushButton* attachButton;
    QPushButton* shutdownPs2Button;
    QGroupBox* spaceBox;
    QProgressBar* diskSpaceBar;
    QLabel* diskSpaceLabel;
};
