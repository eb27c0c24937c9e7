#pragma once

#include "ActivityGate.h"
#include "GameNames.h"
#include "Problem.h"
#include "QueueRuns.h"
#include "TargetGames.h"
#include "ToolRunner.h"
#include "ToolUsage.h"
#include "core/jobs/BatchAdd.h"

#include <QObject>
#include <QPointer>
#include <QThreadPool>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

// Many images at once, for the queue: the folders walked (off this thread), every image's disc
// read by the tool, several at a time, and planned against the target's games and the jobs
// already queued.
class ImageBatch : public QObject
{
    Q_OBJECT
public:
    struct Parts
    {
        ToolRunner& runner;
        ToolUsage& usage;
        TargetGames& games;
        GameNames& names;
        QThreadPool& pool;
        QueueRuns& runs;
        ActivityGate& gate;
    };
    using Read = std::function<void(const BatchSummary&)>;
    explicit ImageBatch(Parts parts, QObject* parent = nullptr);

    // Every image among the paths (folders with their subfolders) read and planned for the
    // target; queued() gives the jobs waiting now. done(summary) however it ends.
    void read(const QStringList& paths, const Target& target, std::optional<DiscType> type,
              std::function<QList<Job>()> queued, Read done);
    // The same for the chosen target, as an activity of the gate: the jobs to add are queued,
    // then finished(summary). False when refused (told).
    bool queueImages(const QStringList& paths, std::optional<DiscType> type);
    void cancel();

signals:
    void progress(int done, int total);
    void problem(const Problem& problem);
    void finished(const BatchSummary& summary);

private:
    void readImages(const QStringList& files, const QList<SkippedFile>& skipped,
                    const Target& target, std::optional<DiscType> type,
                    std::function<QList<Job>()> queued, Read done);

    ToolRunner& m_runner;
    ToolUsage& m_usage;
    TargetGames& m_games;
    GameNames& m_names;
    QThreadPool& m_pool;
    QueueRuns& m_runs;
    ActivityGate& m_gate;
    QPointer<BatchReader> m_reader;
    std::shared_ptr<std::atomic<bool>> m_walkStop; // set by Cancel while folders are walked
};
