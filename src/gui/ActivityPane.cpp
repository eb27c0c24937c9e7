#include "ActivityPane.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

ActivityPane::ActivityPane(QWidget* parent) : QGroupBox(QStringLiteral("HDL_Dump Activity"), parent)
{
    setObjectName(QStringLiteral("fmOutput"));
    lblCommand = new QLabel(QStringLiteral("Command:"), this);
    lblCommand->setObjectName(QStringLiteral("lblCommand"));
    txtCommand = new QLineEdit(this);
    txtCommand->setObjectName(QStringLiteral("txtCommand"));
    txtCommand->setReadOnly(true);
    txtOutput = new QPlainTextEdit(this);
    txtOutput->setObjectName(QStringLiteral("txtOutput"));
    txtOutput->setReadOnly(true);
    // A display, not an editor: no caret, and the end of the chunk in view.
    txtOutput->setTextInteractionFlags(Qt::TextSelectableByMouse);
    txtOutput->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    txtOutput->setLineWrapMode(QPlainTextEdit::NoWrap);

    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setEnabled(false);

    cmdOpenLog = new QPushButton(QStringLiteral("Open log folder"), this);
    cmdOpenLog->setObjectName(QStringLiteral("cmdOpenLog"));
    cmdOpenLog->setToolTip(
        QStringLiteral("Every command run, with its output, is kept in run.log"));
    cmdReport = new QPushButton(QStringLiteral("Save diagnostic report..."), this);
    cmdReport->setObjectName(QStringLiteral("cmdReport"));
    cmdReport->setToolTip(
        QStringLiteral("One text file for a bug report: versions, what the doctor finds, the "
                       "settings and the recent log"));

    auto* command = new QHBoxLayout;
    command->addWidget(lblCommand);
    command->addWidget(txtCommand, 1);
    command->addWidget(cmdCancel);
    auto* logs = new QHBoxLayout;
    logs->addStretch();
    logs->addWidget(cmdOpenLog);
    logs->addWidget(cmdReport);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(command);
    layout->addWidget(txtOutput, 1);
    layout->addLayout(logs);
}
