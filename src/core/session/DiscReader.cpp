#include "DiscReader.h"

#include "core/output/ToolErrors.h"

DiscReader::DiscReader(ToolRunner& runner, ToolUsage& usage, ActivityGate& gate, QObject* parent)
    : QObject(parent), m_runner(runner), m_usage(usage), m_gate(gate)
{}

bool DiscReader::start(const QString& source, bool optical)
{
    // While the queue runs, an image file can still be read for a job to join it: beside the
    // job's run, without taking the activity view.
    if (m_gate.activity() == Activity::RunningQueue && !optical && !m_besideReading &&
        m_gate.ready()) {
        readBeside(source, [this] { emit ended(); });
        return true;
    }
    if (!m_gate.begin(Activity::ReadingDisc))
        return false;
    read(source, optical, [this] {
        m_gate.end();
        emit ended();
    });
    return true;
}

void DiscReader::cancel()
{
    if (!cancelBeside() && m_gate.activity() == Activity::ReadingDisc)
        m_runner.cancel();
}

void DiscReader::read(const QString& source, bool optical, std::function<void()> done)
{
    m_usage.know([this, source, optical, done] { readWith(source, optical, false, done); });
}

void DiscReader::readBeside(const QString& source, std::function<void()> done)
{
    // Beside a job's run, without taking the activity view.
    m_besideReading = true;
    readWith(source, false, true, std::move(done));
}

void DiscReader::readWith(const QString& source, bool optical, bool beside,
                          std::function<void()> done)
{
    auto answer = [this, source, optical, beside, done](const RunOutcome& outcome) {
        readDone(outcome, source, optical, beside, done);
    };
    const QStringList args = m_usage.discReadArguments(source);
    if (beside)
        m_besideRun = m_runner.side(args, answer);
    else
        m_runner.attempt(args, answer, m_runner.readTimeout());
}

bool DiscReader::cancelBeside()
{
    if (!m_besideReading)
        return false;
    if (m_besideRun)
        m_besideRun->cancel();
    return true;
}

void DiscReader::readDone(const RunOutcome& outcome, const QString& source, bool optical,
                          bool beside, std::function<void()> done)
{
    // An older tool without cdvd_info2 prints its usage: asked the older way, once for good.
    if (m_usage.learnFromDiscRead(outcome)) {
        readWith(source, optical, beside, done);
        return;
    }
    const auto info = parse::FindDiscInfo(outcome.output);
    if (optical && outcome.error == ToolError::NoMedium) {
        emit discInfoFailed();
        emit problem({ProblemKind::NoDiscInDrive, source, {}});
    } else if (outcome.error == ToolError::NotPs2Disc || (!info && !outcome.cancelled)) {
        emit discInfoFailed();
        // A tool that could not start has been reported already; one that crashed, or failed
        // for another reason (a missing file), said nothing of the disc.
        const QString reason = outcome.reason(m_runner.toolName());
        if (outcome.started && !IsNotAPs2Disc(outcome))
            emit problem({ProblemKind::DiscReadFailed, source, reason});
        else if (outcome.started && optical)
            emit problem({ProblemKind::NotPs2Disc, source, {}});
        else if (outcome.started)
            emit problem({ProblemKind::NotPs2Image, source, reason});
    } else if (info) {
        emit discInfoRead(*info);
        // Decided on the size as shown, two decimals.
        if (parse::IsDualLayerSize(info->sizeKb))
            emit problem({ProblemKind::DualLayer, source, {}});
    }
    if (beside)
        m_besideReading = false;
    done();
}
