#include "StdIoRunner.h"

#include "KillProcess.h"
#include "platform/Platform.h"

#include <QEventLoop>

cStdIO::cStdIO(QObject* parent)
    : QObject(parent), m_decoder(QStringDecoder::System, QStringDecoder::Flag::Stateless)
{
    m_escalation.setSingleShot(true);
    connect(&m_escalation, &QTimer::timeout, this, &cStdIO::escalate);
}

cStdIO::~cStdIO()
{
    // No child of ours outlives the program.
    if (m_process && m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished(2000);
    }
}

void cStdIO::setCommandLine(const ToolCommand& command)
{
    if (!m_ready) {
        emit Error(402, QStringLiteral("Not ready to change settings."));
        return;
    }
    m_command = command;
}

qint64 cStdIO::processId() const
{
    return m_process ? m_process->processId() : 0;
}

QString cStdIO::ExecuteCommand(const ToolCommand& command)
{
    if (!m_ready) {
        emit Error(400, QStringLiteral("Not ready to process another command."));
        return {};
    }
    m_ready = false;
    m_cancel = false;
    if (!command.isEmpty())
        m_command = command;
    if (m_command.isEmpty()) {
        m_ready = true;
        emit Error(401, QStringLiteral("Command Line empty."));
        return {};
    }

    m_lastOutput.clear();
    m_outcome = RunOutcome{};
    m_decoder = QStringDecoder(QStringDecoder::System);
    m_escalationStep = 0;

    QProcess process;
    m_process = &process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!m_workingDirectory.isEmpty())
        process.setWorkingDirectory(m_workingDirectory);

    QEventLoop loop;
    bool failedToStart = false;
    connect(&process, &QProcess::readyReadStandardOutput, this, &cStdIO::readAvailable);
    connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            failedToStart = true;
            loop.quit();
        }
    });
    connect(this, &cStdIO::cancelRequested, &loop, &QEventLoop::quit);

    process.start(m_command.program, m_command.arguments, QIODevice::ReadWrite);
    if (!failedToStart && process.state() != QProcess::NotRunning)
        loop.exec();

    if (failedToStart) {
        m_process = nullptr;
        m_ready = true;
        emit Error(406, QStringLiteral("CreateProcess failed."));
        return {};
    }
    m_outcome.started = true;

    if (m_cancel) {
        m_outcome.cancelled = true;
        const bool asked = cKillProcess().KillProcess(process.processId());
        finishProcess(process);
        m_process = nullptr;
        m_escalation.stop();
        m_ready = true;
        if (asked)
            emit CancelSuccess();
        else
            emit CancelFail();
        return m_lastOutput;
    }

    // What the tool wrote just before it ended is still in the pipe.
    readChunks(-1);
    m_outcome.normalExit = process.exitStatus() == QProcess::NormalExit;
    m_outcome.exitCode = process.exitCode();
    m_escalation.stop();
    if (m_runEndedHook)
        m_runEndedHook();
    m_process = nullptr;
    m_ready = true;
    emit Complete();
    return m_lastOutput;
}

void cStdIO::finishProcess(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    // Give the asked process its grace period, then make sure it is gone.
    QEventLoop wait;
    QTimer bound;
    bound.setSingleShot(true);
    connect(&process, &QProcess::finished, &wait, &QEventLoop::quit);
    connect(&bound, &QTimer::timeout, &wait, &QEventLoop::quit);
    bound.start(m_graceMs);
    if (process.state() != QProcess::NotRunning)
        wait.exec();
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(2000);
    }
}

void cStdIO::readAvailable()
{
    readChunks(kChunksPerTurn);
}

void cStdIO::readChunks(int limit)
{
    if (!m_process || m_reading)
        return;
    m_reading = true;
    // A GotData handler may pump events; the guard above keeps reads in order.
    int chunks = 0;
    while (m_process && m_process->bytesAvailable() > 0 && (limit < 0 || chunks < limit)) {
        const QByteArray bytes = m_process->read(kChunkSize);
        if (bytes.isEmpty())
            break;
        const QString chunk = m_decoder.decode(bytes);
        if (chunk.isEmpty())
            continue;
        ++chunks;
        m_lastOutput = chunk;
        m_outcome.gotOutput = true;
        emit GotData(chunk);
    }
    m_reading = false;
    // A tool that writes faster than the chunks are handled must not starve the
    // windows: the rest waits for the next turn of the event loop.
    if (m_process && m_process->bytesAvailable() > 0 && limit >= 0)
        QTimer::singleShot(0, this, &cStdIO::readAvailable);
}

void cStdIO::Cancel()
{
    if (m_ready) {
        emit Error(402, QStringLiteral("Not processing a command to cancel."));
        return;
    }
    m_cancel = true;
    emit cancelRequested();
}

qint64 cStdIO::WriteData(const QString& text)
{
    if (!m_process || m_process->state() != QProcess::Running)
        return -1;
    const QByteArray bytes = text.toLocal8Bit() + "\r\n";
    const qint64 written = m_process->write(bytes);
    if (written != bytes.size())
        return -1;
    return written - 2;
}

bool cStdIO::Interrupt()
{
    if (!m_process || m_process->state() != QProcess::Running)
        return false;
    m_escalationStep = 0;
    const bool sent = platform::interruptProcess(m_process->processId());
    m_escalation.start(m_graceMs);
    return sent;
}

void cStdIO::escalate()
{
    if (!m_process || m_process->state() != QProcess::Running)
        return;
    if (m_escalationStep == 0) {
        m_escalationStep = 1;
        platform::terminateProcess(m_process->processId());
        m_escalation.start(m_graceMs);
    } else {
        m_process->kill();
    }
}
