#include "ImageBatch.h"

#include <algorithm>

ImageBatch::ImageBatch(Parts parts, QObject* parent)
    : QObject(parent), m_runner(parts.runner), m_usage(parts.usage), m_games(parts.games),
      m_names(parts.names), m_pool(parts.pool), m_runs(parts.runs), m_gate(parts.gate)
{}

bool ImageBatch::queueImages(const QStringList& paths, std::optional<DiscType> type)
{
    const Target target = m_games.target();
    if (target.isNull()) {
        emit problem({ProblemKind::NoDiskSelected, {}, {}});
        return false;
    }
    if (!m_gate.begin(Activity::ReadingImages))
        return false;
    read(
        paths, target, type, [this] { return m_runs.jobs().allJobs(); },
        [this](const BatchSummary& summary) {
            for (const Job& job : summary.jobs(BatchEntry::Outcome::Added))
                m_runs.add(job);
            m_gate.end();
            emit finished(summary);
        });
    return true;
}

void ImageBatch::read(const QStringList& paths, const Target& target, std::optional<DiscType> type,
                      std::function<QList<Job>()> queued, Read done)
{
    // Walking a large folder tree is done off this thread; Cancel ends it.
    m_walkStop = std::make_shared<std::atomic<bool>>(false);
    m_pool.start([this, paths, target, type, queued, done, stop = m_walkStop] {
        QList<SkippedFile> skipped;
        const QStringList files = FindImages(paths, &skipped, stop.get());
        QMetaObject::invokeMethod(
            this,
            [this, files, skipped, target, type, queued, done] {
                readImages(files, skipped, target, type, queued, done);
            },
            Qt::QueuedConnection);
    });
}

void ImageBatch::cancel()
{
    if (m_walkStop)
        m_walkStop->store(true);
    if (m_reader)
        m_reader->cancel();
}

void ImageBatch::readImages(const QStringList& files, const QList<SkippedFile>& skipped,
                            const Target& target, std::optional<DiscType> type,
                            std::function<QList<Job>()> queued, Read done)
{
    // Cancelled while the folders were walked or the tool was asked for its commands: nothing
    // is read.
    auto cancelled = [this, done] {
        if (!m_runner.cancelRequested())
            return false;
        BatchSummary summary;
        summary.cancelled = true;
        done(summary);
        return true;
    };
    if (cancelled())
        return;
    auto read = [this, files, skipped, type, target, queued, done, cancelled] {
        if (cancelled())
            return;
        auto* reader = new BatchReader(
            [this](const QStringList& args) {
                ToolRun* run = m_runner.prepare(args, m_runner.readTimeout(), m_reader);
                run->start();
                return run;
            },
            m_usage.discReadCommand(), BatchReader::Parallel(), this);
        m_reader = reader;
        connect(reader, &BatchReader::readProgress, this, &ImageBatch::progress);
        connect(
            reader, &BatchReader::finished, this,
            [this, reader, skipped, type, target, queued, done](const QList<ReadImage>& images) {
                reader->deleteLater();
                BatchSummary summary;
                summary.cancelled = reader->isCancelled();
                // A tool that cannot start is said once, not as every image's reason.
                const auto unstarted = std::ranges::find_if(
                    images, [](const ReadImage& i) { return !i.startError.isEmpty(); });
                if (unstarted != images.end())
                    emit problem(
                        {ProblemKind::ToolCannotRun, m_runner.toolPath(), unstarted->startError});
                const DiscDatabase database = m_names.discDatabase();
                if (!database.problem.isEmpty() && !summary.cancelled)
                    emit problem({ProblemKind::DiscDatabaseUnreadable, database.problem, {}});
                if (!summary.cancelled)
                    summary =
                        PlanBatch(images, target, type, database.entries,
                                  m_games.factsOf(target).games, queued(), m_names.titleIndex());
                for (const SkippedFile& s : skipped) {
                    BatchEntry entry;
                    entry.path = s.path;
                    entry.outcome = BatchEntry::Outcome::Skipped;
                    entry.reason = s.reason;
                    summary.entries << entry;
                }
                done(summary);
            });
        emit progress(0, static_cast<int>(files.size()));
        reader->start(files);
    };
    // The tool's commands say which disc read it has; the target's list which games it holds.
    m_usage.know([this, target, read, files] {
        if (m_runner.cancelRequested() || files.isEmpty() || m_games.factsOf(target).read) {
            read();
            return;
        }
        m_games.readFacts(target, [read](const TargetFacts&) { read(); });
    });
}
