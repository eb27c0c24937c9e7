#pragma once

#include "ControlState.h"

#include <QGroupBox>
#include <QTimer>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// "HDL_Dump Activity": the arguments of the latest command and its latest output chunk.
class ActivityPane : public QGroupBox
{
    Q_OBJECT
public:
    explicit ActivityPane(QWidget* parent = nullptr);
    // Enables its controls from the state of the whole window.
    void applyControls(const ControlState& state);

    // A new command: its arguments, and its output from nothing.
    void showCommand(const QString& shown);

signals:
    void cancelAsked();
    void openLogAsked();
    void reportAsked();

public:
    // The newest chunk; a flood of chunks is shown at a pace the eye can follow rather than
    // one repaint each.
    void showOutput(const QString& chunk);
    // What waits is shown now (a hidden view is brought up to date when it is shown).
    void flushOutput();

private:
    QLabel* m_commandLabel;
    QLineEdit* m_commandEdit;
    QPlainTextEdit* m_outputView;
    // Stops the command that runs now (Esc does the same).
    QPushButton* m_cancelButton;
    QPushButton* m_openLogButton;
    QPushButton* m_reportButton;

    QString m_pendingOutput;
    bool m_outputPending = false;
    QTimer m_outputTimer;
};
