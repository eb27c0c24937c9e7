#pragma once

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
    DiscReader(ToolRunner& runner, ToolUsage& usage, QObject* parent = nullptr);

    // done() once the disc was read or could not be (after discInfoRead or discInfoFailed,
    // and the problem, where they came).
    void read(const QString& source, bool optical, std::function<void()> done);
    void readBeside(const QString& source, std::function<void()> done);
    bool readingBeside() const { return m_besideReading; }
    // Stops the read beside the run; false when none was under way.
    bool cancelBeside();

signals:
    void discInfoRead(const parse::DiscInfo& info);
    void discInfoFailed();
    void problem(const Problem& problem);

private:
    void readWith(const QString& source, bool optical, bool beside, std::function<void()> done);
    void readDone(const RunOutcome& outcome, const QString& source, bool optical, bool beside,
                  std::function<void()> done);

    ToolRunner& m_runner;
    ToolUsage& m_usage;
    bool m_besideReading = false;
    QPointer<ToolRun> m_besideRun;
};
