#include "ToolRun.h"

#include "core/platform/Platform.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <csignal>

QString RunOutcome::reason(const QString& toolName) const
{
    if (!started)
        return QCoreApplication::translate("ToolRun", "%1 cannot be run: %2")
            .arg(toolName, startError);
    if (timedOut)
        return QCoreApplication::translate("ToolRun", "%1 did not answer in %2 s.")
            .arg(toolName)
            .arg(silenceMs / 1000);
    const QString said = LastMeaningfulLine(output);
    if (!said.isEmpty())
        return said;
    if (!normalExit)
        return QCoreApplication::translate("ToolRun", "%1 was killed by signal %2.")
            .arg(toolName, platform::signalName(signal));
    return QCoreApplication::translate("ToolRun", "%1 ended with status %2 and said nothing.")
        .arg(toolName)
        .arg(exitCode);
}

ToolRun::ToolRun(ToolCommand command, QObject* parent)
    : QObject(parent), m_command(std::move(command)), m_decoder(QStringDecoder::System)
{
    m_escalation.setSingleShot(true);
    connect(&m_escalation, &QTimer::timeout, this, &ToolRun::escalate);
    m_stall.setSingleShot(true);
    connect(&m_stall, &QTimer::timeout, this, [this] {
        m_stalled = true;
        emit stalled(m_stallNoticeMs / 1000);
    });
    m_silence.setSingleShot(true);
    connect(&m_silence, &QTimer::timeout, this, [this] {
        m_outcome.timedOut = true;
        m_outcome.silenceMs = m_silenceMs;
        stop();
    });
}

ToolRun::~ToolRun()
{
    // No child of ours outlives its run object. The killed process is reaped
    // when it has ended, by the application, without waiting here.
    if (!m_process || m_process->state() == QProcess::NotRunning)
        return;
    m_process->disconnect(this);
    if (QCoreApplication* app = QCoreApplication::instance()) {
        m_process->setParent(app);
        connect(m_process, &QProcess::finished, m_process, &QObject::deleteLater);
    }
    m_process->kill();
}

bool ToolRun::isRunning() const
{
    return m_process && m_process->state() != QProcess::NotRunning;
}

void ToolRun::start()
{
    if (m_process || m_finished)
        return;
    m_process = new QProcess(this);
    m_process->setProcessChannelMode(m_command.errorsApart ? QProcess::SeparateChannels
                                                           : QProcess::MergedChannels);
    if (!m_workingDirectory.isEmpty())
        m_process->setWorkingDirectory(m_workingDirectory);
    platform::prepareChildProcess(*m_process);
    connect(m_process, &QProcess::readyReadStandardOutput, this, [this] { readChunks(false); });
    connect(m_process, &QProcess::readyReadStandardError, this, [this] {
        m_outcome.errorOutput += QString::fromLocal8Bit(m_process->readAllStandardError());
        if (m_outcome.errorOutput.size() > m_outputLimit)
            m_outcome.errorOutput = m_outcome.errorOutput.right(m_outputLimit / 2);
        // A scripted tool's prompts are its signs of life.
        if (m_silenceMs > 0)
            m_silence.start(m_silenceMs);
    });
    connect(m_process, &QProcess::finished, this, &ToolRun::onFinished);
    connect(m_process, &QProcess::errorOccurred, this, &ToolRun::onError);
    if (m_silenceMs > 0)
        m_silence.start(m_silenceMs);
    if (m_stallNoticeMs > 0)
        m_stall.start(m_stallNoticeMs);
    if (m_command.input.isEmpty()) {
        m_process->start(m_command.program, m_command.arguments, QIODevice::ReadOnly);
        return;
    }
    m_process->start(m_command.program, m_command.arguments, QIODevice::ReadWrite);
    // Queued until the process has started; the closing end tells it the script is over.
    m_process->write(m_command.input);
    m_process->closeWriteChannel();
}

void ToolRun::onError(QProcess::ProcessError error)
{
    if (error != QProcess::FailedToStart || m_finished)
        return;
    m_outcome.started = false;
    m_outcome.startFailure = StartFailure::Other;
    m_outcome.startError = m_process->errorString();
    // Qt words a missing file and a file without execute permission the same way.
    const QFileInfo info(m_command.program);
    if (info.exists() && !info.isExecutable()) {
        m_outcome.startFailure = StartFailure::NotPermitted;
        m_outcome.startError = QStringLiteral("Permission denied");
    } else if (!info.exists()) {
        m_outcome.startFailure = StartFailure::Missing;
        m_outcome.startError = QStringLiteral("No such file or directory");
    }
    finish();
}

void ToolRun::onFinished(int exitCode, QProcess::ExitStatus status)
{
    // What the tool wrote just before it ended is still in the pipe.
    readChunks(true);
    if (m_command.errorsApart)
        m_outcome.errorOutput += QString::fromLocal8Bit(m_process->readAllStandardError());
    m_outcome.started = true;
    m_outcome.normalExit = status == QProcess::NormalExit;
    m_outcome.exitCode = m_outcome.normalExit ? exitCode : -1;
    m_outcome.signal = m_outcome.normalExit ? 0 : exitCode;
    finish();
}

void ToolRun::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    m_escalation.stop();
    m_silence.stop();
    m_stall.stop();
    m_outcome.error = m_errors.first();
    emit finished(m_outcome);
}

void ToolRun::readChunks(bool all)
{
    m_readScheduled = false;
    if (!m_process)
        return;
    QElapsedTimer turn;
    turn.start();
    while (m_process->bytesAvailable() > 0 && (all || turn.elapsed() < kMsPerTurn)) {
        const QByteArray bytes = m_process->read(kChunkSize);
        if (bytes.isEmpty())
            break;
        const QString chunk = m_decoder.decode(bytes);
        if (chunk.isEmpty())
            continue;
        m_outcome.gotOutput = true;
        m_outcome.output += chunk;
        if (m_outcome.output.size() > m_outputLimit) {
            // Keep the end: the space line and the error come last.
            m_outcome.output = m_outcome.output.right(m_outputLimit / 2);
            m_outcome.outputCut = true;
        }
        m_errors.feed(chunk);
        if (m_silenceMs > 0)
            m_silence.start(m_silenceMs);
        if (m_stallNoticeMs > 0)
            m_stall.start(m_stallNoticeMs);
        if (std::exchange(m_stalled, false))
            emit moving();
        emit output(chunk);
        if (m_finished)
            return;
    }
    // A tool that writes faster than the chunks are handled must not starve the
    // windows: the rest waits for the next turn of the event loop.
    if (!all && m_process && m_process->bytesAvailable() > 0 && !m_readScheduled) {
        m_readScheduled = true;
        QTimer::singleShot(0, this, [this] { readChunks(false); });
    }
}

qint64 ToolRun::processId() const
{
    return m_process && isRunning() ? m_process->processId() : 0;
}

void ToolRun::cancel()
{
    if (m_finished)
        return;
    m_outcome.cancelled = true;
    if (!isRunning()) {
        if (!m_process)
            finish();
        return;
    }
    stop();
}

void ToolRun::kill()
{
    if (m_finished)
        return;
    m_outcome.cancelled = true;
    if (isRunning())
        m_process->kill();
    else if (!m_process)
        finish();
}

void ToolRun::stop()
{
    if (!isRunning())
        return;
    m_escalationStep = 0;
    platform::interruptProcess(m_process->processId());
    m_escalation.start(m_graceMs);
}

void ToolRun::escalate()
{
    if (!isRunning())
        return;
    if (m_escalationStep == 0) {
        m_escalationStep = 1;
        platform::terminateProcess(m_process->processId());
        m_escalation.start(m_graceMs);
    } else if (m_escalationStep == 1) {
        m_escalationStep = 2;
        m_process->kill();
        m_escalation.start(m_graceMs);
    } else {
        // Waiting in the kernel for a disk that does not answer: the run is over for Ventrik.
        // The process is reaped whenever it ends.
        QProcess* process = std::exchange(m_process, nullptr);
        process->disconnect(this);
        if (QCoreApplication* app = QCoreApplication::instance()) {
            process->setParent(app);
            connect(process, &QProcess::finished, process, &QObject::deleteLater);
        }
        m_outcome.started = true;
        m_outcome.normalExit = false;
        m_outcome.signal = SIGKILL;
        emit stuck();
        finish();
    }
}
