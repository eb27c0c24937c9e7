#include "CommandFront.h"

#include "StdIoRunner.h"
#include "shell/Dialogs.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimer>

CommandFront::CommandFront(cStdIO& runner, const AppPaths& paths, ActivityView& view,
                           Dialogs& dialogs, QObject* parent)
    : QObject(parent), m_runner(runner), m_paths(paths), m_view(view), m_dialogs(dialogs)
{
    connect(&m_runner, &cStdIO::GotData, this, &CommandFront::StdIO_GotData);
}

void CommandFront::StdIO_GotData(const QString& data)
{
    m_runOutput += data;
    if (m_runOutput.size() > 65536)
        m_runOutput = m_runOutput.right(32768);
    m_view.setOutputText(data);
    if (m_interpreter)
        m_interpreter(data);
    m_gotOutput = true;
    emit outputArrived();
}

bool CommandFront::runOnce(const QStringList& args)
{
    if (!m_runner.Ready())
        return false;
    m_view.setCommandText(ToolCommand::DisplayArguments(args));
    m_view.setOutputText(QString());
    m_runOutput.clear();
    m_runner.ExecuteCommand(commandFor(args));
    return true;
}

int CommandFront::HDL_Command(const QStringList& args)
{
    m_gotOutput = false;
    m_attempts = 0;
    for (;;) {
        const bool ran = runOnce(args);
        ++m_attempts;
        if (m_gotOutput) {
            finish();
            return 1;
        }
        // A run that ended by itself with status 0 has answered, silent or not;
        // running it again would repeat a finished command.
        const cStdIO::RunOutcome outcome = m_runner.lastRun();
        if (ran && outcome.started && !outcome.cancelled && outcome.normalExit &&
            outcome.exitCode == 0) {
            finish();
            return 1;
        }
        if (ran && outcome.cancelled) {
            finish();
            return 1;
        }
        if (m_attempts >= 4)
            break;
        QEventLoop pause;
        QTimer timer;
        timer.setSingleShot(true);
        connect(&timer, &QTimer::timeout, &pause, &QEventLoop::quit);
        connect(this, &CommandFront::outputArrived, &pause, &QEventLoop::quit);
        timer.start(m_retryPauseMs);
        pause.exec();
        if (m_gotOutput) {
            finish();
            return 1;
        }
    }
    finish();
    const QString tool = QFileInfo(m_paths.toolPath).fileName();
    m_dialogs.message(
        QStringLiteral("An unknown error has occurred. Please try restarting the program "
                       "and make sure to close %1 by pressing CTRL+ALT+DEL.")
            .arg(tool),
        Dialogs::Icon::Exclamation);
    return -1;
}

void CommandFront::HDL_Execute(const QStringList& args)
{
    if (!runOnce(args)) {
        m_dialogs.message(QStringLiteral("Unexpected error."), Dialogs::Icon::Critical);
        return;
    }
    finish();
}

QString CommandFront::RunDirect(const QStringList& args)
{
    m_view.setCommandText(ToolCommand::DisplayArguments(args));
    m_view.setOutputText(QString());
    m_runOutput.clear();
    const QString last = m_runner.ExecuteCommand(commandFor(args));
    finish();
    return last;
}

QString CommandFront::lastRunReason() const
{
    static const QRegularExpression lineEnds(QStringLiteral("[\\r\\n]+"));
    const QStringList lines = m_runOutput.split(lineEnds, Qt::SkipEmptyParts);
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        if (!it->trimmed().isEmpty())
            return it->trimmed();
    }
    const QString tool = QFileInfo(m_paths.toolPath).fileName();
    const cStdIO::RunOutcome outcome = m_runner.lastRun();
    if (!outcome.started)
        return tool + QStringLiteral(" could not be started.");
    return tool + QStringLiteral(" ended with status %1 and said nothing.").arg(outcome.exitCode);
}
