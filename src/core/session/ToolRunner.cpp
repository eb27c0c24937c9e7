#include "ToolRunner.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>

#include <memory>

ToolRunner::ToolRunner(QString toolPath, QString workingDir, const QString& logDir, QObject* parent)
    : QObject(parent), m_toolPath(std::move(toolPath)), m_workingDir(std::move(workingDir)),
      m_log(logDir)
{}

ToolRun* ToolRunner::prepare(const QStringList& args, int silenceMs, QObject* owner)
{
    QStringList given = args;
    if (m_resolve)
        for (QString& arg : given)
            arg = m_resolve(arg);
    auto* run = new ToolRun({m_toolPath, given}, owner);
    // The tool writes files of its own where it runs (info.sys): a folder of ours, not the
    // caller's.
    if (!m_workingDir.isEmpty() && !QFileInfo::exists(m_workingDir)) {
        QDir().mkpath(m_workingDir);
        QFile::setPermissions(m_workingDir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    run->setWorkingDirectory(m_workingDir);
    run->setSilenceTimeout(silenceMs);
    connect(run, &ToolRun::stuck, this, &ToolRunner::runStuck);
    run->setOutputLimit(m_outputLimit);
    // Every run the program starts is in the log, however it ends.
    const QDateTime started = QDateTime::currentDateTime();
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    connect(run, &ToolRun::finished, this, [this, args, started, clock](const RunOutcome& o) {
        m_log.addRun(m_toolPath, args, o, clock->elapsed(), started);
    });
    return run;
}

ToolRun* ToolRunner::run(const QStringList& args, Done done, int silenceMs, qsizetype outputLimit)
{
    ToolRun* run = prepare(args, silenceMs, this);
    if (outputLimit > 0)
        run->setOutputLimit(outputLimit);
    return start(run, std::move(done), args);
}

ToolRun* ToolRunner::start(ToolRun* run, Done done, const QStringList& args)
{
    m_current = run;
    connect(run, &ToolRun::output, this, &ToolRunner::outputArrived);
    connect(run, &ToolRun::finished, this, [this, run, done](const RunOutcome& outcome) {
        run->deleteLater();
        if (m_current == run)
            m_current = nullptr;
        if (done)
            done(outcome);
    });
    emit commandStarted(ToolCommand::DisplayArguments(args));
    run->start();
    if (const qint64 pid = run->processId(); pid > 0)
        emit toolStarted(pid);
    return run;
}

ToolRun* ToolRunner::runJob(const QStringList& args)
{
    // Its limits are set before it starts.
    ToolRun* job = prepare(args, m_stallLimitMs, this);
    job->setStallNotice(m_stallNoticeMs);
    job->setOutputLimit(kJobOutputLimit);
    return start(job, {}, args);
}

void ToolRunner::attempt(const QStringList& args, Done done, int silenceMs)
{
    attemptAgain(args, std::move(done), silenceMs, 1);
}

void ToolRunner::attemptAgain(const QStringList& args, Done done, int silenceMs, int attempt)
{
    run(
        args,
        [this, args, done, silenceMs, attempt](const RunOutcome& outcome) {
            // A tool that could not start for a passing reason gets another try; a
            // tool that started is never started again by itself.
            const bool passing = !outcome.started && !m_cancelled && attempt < kAttempts &&
                                 outcome.startFailure == StartFailure::Other;
            if (passing) {
                QTimer::singleShot(m_retryPauseMs, this,
                                   [=, this] { attemptAgain(args, done, silenceMs, attempt + 1); });
                return;
            }
            if (!outcome.started)
                emit cannotRun(outcome.startError);
            done(outcome);
        },
        silenceMs);
}

QString ToolRunner::toolName() const
{
    return QFileInfo(m_toolPath).fileName();
}

ToolRun* ToolRunner::side(const QStringList& args, Done done, int silenceMs)
{
    ToolRun* run = prepare(args, silenceMs > 0 ? silenceMs : m_readTimeoutMs, this);
    connect(run, &ToolRun::finished, this, [run, done](const RunOutcome& o) {
        run->deleteLater();
        done(o);
    });
    run->start();
    return run;
}

ToolRun* ToolRunner::sideProgram(const ToolCommand& command, const QString& workingDir, Done done,
                                 int silenceMs)
{
    auto* run = new ToolRun(command, this);
    run->setWorkingDirectory(workingDir);
    run->setSilenceTimeout(silenceMs);
    run->setOutputLimit(m_outputLimit);
    connect(run, &ToolRun::stuck, this, &ToolRunner::runStuck);
    QStringList logged = command.arguments;
    for (const QByteArray& line : command.input.split('\n'))
        if (!line.isEmpty())
            logged << QStringLiteral("< ") + QString::fromUtf8(line);
    const QDateTime started = QDateTime::currentDateTime();
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    connect(run, &ToolRun::finished, this,
            [this, run, command, logged, started, clock, done](const RunOutcome& o) {
                RunOutcome kept = o;
                // The log has what went wrong, not the prompts around it.
                kept.output += o.errorOutput;
                m_log.addRun(command.program, logged, kept, clock->elapsed(), started);
                run->deleteLater();
                done(o);
            });
    if (m_cancelled) {
        run->cancel();
        return run;
    }
    run->start();
    return run;
}

void ToolRunner::cancel()
{
    m_cancelled = true;
    // The runs beside the shown one (a listing's partitions, a table's copy) are the
    // activity's too.
    for (ToolRun* run : findChildren<ToolRun*>(Qt::FindDirectChildrenOnly))
        run->cancel();
}

void ToolRunner::killAll()
{
    m_cancelled = true;
    for (ToolRun* run : findChildren<ToolRun*>(Qt::FindDirectChildrenOnly))
        run->kill();
}
