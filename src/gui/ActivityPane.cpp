#include "ActivityPane.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

ActivityPane::ActivityPane(QWidget* parent) : QGroupBox(tr("HDL_Dump Activity"), parent)
{
    setObjectName(QStringLiteral("activityPane"));
    m_outputTimer.setSingleShot(true);
    m_outputTimer.setInterval(50);
    connect(&m_outputTimer, &QTimer::timeout, this, &ActivityPane::flushOutput);
    commandLabel = new QLabel(tr("Command:"), this);
    commandLabel->setObjectName(QStringLiteral("commandLabel"));
    commandEdit = new QLineEdit(this);
    commandEdit->setObjectName(QStringLiteral("commandEdit"));
    commandEdit->setReadOnly(true);
    // Only to be read: Tab goes past it.
    commandEdit->setFocusPolicy(Qt::ClickFocus);
    outputView = new QPlainTextEdit(this);
    outputView->setObjectName(QStringLiteral("outputView"));
    outputView->setReadOnly(true);
    // A display, not an editor: no caret, and the end of the chunk in view.
    outputView->setTextInteractionFlags(Qt::TextSelectableByMouse);
    outputView->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    outputView->setLineWrapMode(QPlainTextEdit::NoWrap);

    cancelButton = new QPushButton(tr("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    cancelButton->setEnabled(false);

    openLogButton = new QPushButton(tr("Open log folder"), this);
    openLogButton->setObjectName(QStringLiteral("openLogButton"));
    openLogButton->setToolTip(tr("Every command run, with its output, is kept in run.log"));
    reportButton = new QPushButton(tr("Save diagnostic report..."), this);
    reportButton->setObjectName(QStringLiteral("reportButton"));
    reportButton->setToolTip(
        tr("One text file for a bug report: versions, what the doctor finds, the "
           "settings and the recent log"));

    auto* command = new QHBoxLayout;
    command->addWidget(commandLabel);
    command->addWidget(commandEdit, 1);
    command->addWidget(cancelButton);
    auto* logs = new QHBoxLayout;
    logs->addStretch();
    logs->addWidget(openLogButton);
    logs->addWidget(reportButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(command);
    layout->addWidget(outputView, 1);
    layout->addLayout(logs);
    connect(cancelButton, &QPushButton::clicked, this, &ActivityPane::cancelAsked);
    connect(openLogButton, &QPushButton::clicked, this, &ActivityPane::openLogAsked);
    connect(reportButton, &QPushButton::clicked, this, &ActivityPane::reportAsked);
}

void ActivityPane::showCommand(const QString& shown)
{
    commandEdit->setText(shown);
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
    QPlainTextEdit* out = outputView;
    out->setPlainText(m_pendingOutput);
    // Show the end of the chunk.
    out->moveCursor(QTextCursor::End);
    out->verticalScrollBar()->setValue(out->verticalScrollBar()->maximum());
}

void ActivityPane::applyControls(const ControlState& state)
{
    cancelButton->setEnabled(state.cancel);
}
