#include "ActivityPane.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

ActivityPane::ActivityPane(QWidget* parent) : QGroupBox(QStringLiteral("HDL_Dump Activity"), parent)
{
    setObjectName(QStringLiteral("fmOutput"));
    m_outputTimer.setSingleShot(true);
    m_outputTimer.setInterval(50);
    connect(&m_outputTimer, &QTimer::timeout, this, &ActivityPane::flushOutput);
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

void ActivityPane::showCommand(const QString& shown)
{
    txtCommand->setText(shown);
    showOutput(QString());
}

void ActivityPane::showOutput(const QString& chunk)
{
    m_pendingOutput = chunk;
    m_outputPending = true;
    if (chunk.isEmpty() || !m_outputTimer.isActive()) {
        flushOutput();
        m_outputTimer.start();
    }
}

void ActivityPane::flushOutput()
{
    // A hidden view is brought up to date when it is shown.
    if (!m_outputPending || isHidden())
        return;
    m_outputPending = false;
    QPlainTextEdit* out = txtOutput;
    out->setPlainText(m_pendingOutput);
    // Show the end of the chunk.
    out->moveCursor(QTextCursor::End);
    out->verticalScrollBar()->setValue(out->verticalScrollBar()->maximum());
}
