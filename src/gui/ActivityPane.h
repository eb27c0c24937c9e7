#pragma once

#include <QGroupBox>

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

    QLabel* lblCommand;
    QLineEdit* txtCommand;
    QPlainTextEdit* txtOutput;
    // Stops the command that runs now (Esc does the same).
    QPushButton* cmdCancel;
    QPushButton* cmdOpenLog;
    QPushButton* cmdReport;
};
