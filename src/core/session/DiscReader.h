#pragma once

#include "ActivityGate.h"
#include "Problem.h"
#include "ToolRunner.h"
#include "ToolUsage.h"
#include "core/output/Parsers.h"

#include <QObject>
#include <QPointer>

#include <functional>

// Reads what a disc or an image holds (its startup, name, size and kind) with the tool: shown,
// or beside a running queue (an image only, for a job to join it).
class DiscReader : public QObject
{
    Q_OBJECT
public:
    DiscReader(ToolRunner& runner, ToolUsage& usage, ActivityGate& gate, QObject* parent = nullptr);

    // A disc or image read as an activity of the gate; while the queue runs, an image is read
    // beside the run instead. False when refused (told); ended() follows otherwise.
    bool start(const QString& source, bool optical);
    // The read under way stopped, beside the run or as the activity.
    void cancel();

signals:
    void discInfoRead(const parse::DiscInfo& info);
    void discInfoFailed();
    void problem(const Problem& problem);
    // A read has ended, however (after discInfoRead when it came).
    void ended();

private:
    // done() once the disc was read or could not be (after discInfoRead or discInfoFailed,
    // and the problem, where they came).
    void read(const QString& source, bool optical, std::function<void()> done);
    void readBeside(const QString& source, std::function<void()> done);
    // Stops the read beside the run; false when none was under way.
    bool cancelBeside();
    void readWith(const QString& source, bool optical, bool beside, std::function<void()> done);
    void readDone(const RunOutcome& outcome, const QString& source, bool optical, bool beside,
                  std::function<void()> done);

    ToolRunner& m_runner;
    ToolUsage& m_usage;
    ActivityGate& m_gate;
    bool m_besideReading = false;
    QPointer<ToolRun> m_besideRun;
};
