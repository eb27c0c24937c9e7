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
    m_commandLabel = new QLabel(tr("Command:"), this);
    m_commandLabel->setObjectName(QStringLiteral("commandLabel"));
    m_commandEdit = new QLineEdit(this);
    m_commandEdit->setObjectName(QStringLiteral("commandEdit"));
    m_commandEdit->setReadOnly(true);
    // Only to be read: Tab goes past it.
    m_commandEdit->setFocusPolicy(Qt::ClickFocus);
    m_outputView = new QPlainTextEdit(this);
    m_outputView->setObjectName(QStringLiteral("outputView"));
    m_outputView->setAccessibleName(tr("hdl_dump's output"));
    m_outputView->setReadOnly(true);
    // A display, not an editor: no caret, and the end of the chunk in view.
    m_outputView->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_outputView->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_outputView->setLineWrapMode(QPlainTextEdit::NoWrap);

    m_cancelButton = new QPushButton(tr("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_cancelButton->setEnabled(false);

    m_openLogButton = new QPushButton(tr("Open log folder"), this);
    m_openLogButton->setObjectName(QStringLiteral("openLogButton"));
    m_openLogButton->setToolTip(tr("Every command run, with its output, is kept in run.log"));
    m_reportButton = new QPushButton(tr("Save diagnostic report..."), this);
    m_reportButton->setObjectName(QStringLiteral("reportButton"));
    m_reportButton->setToolTip(
        tr("One text file for a bug report: versions, what the doctor finds, the "
           "settings and the recent log"));

    auto* command = new QHBoxLayout;
    command->addWidget(m_commandLabel);
    command->addWidget(m_commandEdit, 1);
    command->addWidget(m_cancelButton);
    auto* logs = new QHBoxLayout;
    logs->addStretch();
    logs->addWidget(m_openLogButton);
    logs->addWidget(m_reportButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(command);
    layout->addWidget(m_outputView, 1);
    layout->addLayout(logs);
    connect(m_cancelButton, &QPushButton::clicked, this, &ActivityPane::cancelAsked);
    connect(m_openLogButton, &QPushButton::clicked, this, &ActivityPane::openLogAsked);
    connect(m_reportButton, &QPushButton::clicked, this, &ActivityPane::reportAsked);
}

void ActivityPane::showCommand(const QString& shown)
{
    m_commandEdit->setText(shown);
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
    QPlainTextEdit* out = m_outputView;
    out->setPlainText(m_pendingOutput);
    // Show the end of the chunk.
    out->moveCursor(QTextCursor::End);
    out->verticalScrollBar()->setValue(out->verticalScrollBar()->maximum());
}

void ActivityPane::applyControls(const ControlState& state)
{
    m_cancelButton->setEnabled(state.cancel);
}
