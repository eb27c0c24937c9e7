// Many images at once: found below folders, read by the tool, planned and queued.
#include "Session.h"

#include "core/settings/ToolConfig.h"

// Many images at once -------------------------------------------------------------

GameNaming Session::nameForGame(const QString& source, const parse::DiscInfo& disc) const
{
    return NameForGame(source, disc, discDatabase().entries, m_titleIndex.get());
}

std::optional<Problem> Session::NameProblem(const QString& name)
{
    switch (CheckGameName(name)) {
    case NameFault::TooLong:
        return Problem{ProblemKind::NameTooLong, name, {}};
    case NameFault::ControlCharacter:
        return Problem{ProblemKind::NameHasControlCharacters, name, {}};
    case NameFault::None:
    case NameFault::Empty:
        break;
    }
    return std::nullopt;
}

DiscDatabase Session::discDatabase() const
{
    QString config = m_settings.text(Setting::ToolConfig);
    if (config.isEmpty())
        config = DefaultToolConfigPath();
    QByteArray content;
    QString error;
    ToolConfig tool;
    if (ReadToolConfigFile(config, &content, &error))
        ApplyToolConfig(ParseToolConfigLines(content), tool, DefaultDiscDatabasePath());
    const QString path =
        tool.discDatabase.isEmpty() ? DefaultDiscDatabasePath() : tool.discDatabase;
    DiscDatabase database = ReadDiscDatabase(path);
    if (!database.problem.isEmpty())
        database.problem = path + QStringLiteral(": ") + database.problem;
    return database;
}

bool Session::addImages(const QStringList& paths, std::optional<DiscType> type)
{
    if (m_targetDevice.isEmpty()) {
        emit problem({ProblemKind::NoDiskSelected, {}, {}});
        return false;
    }
    if (!begin(Activity::ReadingImages))
        return false;
    // Walking a large folder tree is done off this thread; Cancel ends it.
    m_walkStop = std::make_shared<std::atomic<bool>>(false);
    m_pool.start([this, paths, type, stop = m_walkStop] {
        QList<SkippedFile> skipped;
        const QStringList files = FindImages(paths, &skipped, stop.get());
        QMetaObject::invokeMethod(
            this, [this, files, skipped, type] { readImages(files, skipped, type); },
            Qt::QueuedConnection);
    });
    return true;
}

void Session::readImages(const QStringList& files, const QList<SkippedFile>& skipped,
                         std::optional<DiscType> type)
{
    // Cancelled while the folders were walked or the tool was asked for its commands:
    // nothing is read.
    auto cancelled = [this] {
        if (!m_cancelRequested)
            return false;
        BatchSummary summary;
        summary.cancelled = true;
        end();
        emit batchRead(summary);
        return true;
    };
    if (cancelled())
        return;
    const QString target = m_targetDevice;
    auto read = [this, files, skipped, type, target, cancelled] {
        if (cancelled())
            return;
        const QString command = discReadCommand();
        auto* reader = new BatchReader(
            [this](const QStringList& args) {
                ToolRun* run = m_runner.prepare(args, readTimeoutMs(), m_batch);
                run->start();
                return run;
            },
            command, BatchReader::Parallel(), this);
        m_batch = reader;
        connect(reader, &BatchReader::readProgress, this, &Session::batchProgress);
        connect(reader, &BatchReader::finished, this,
                [this, reader, skipped, type, target](const QList<ReadImage>& images) {
                    reader->deleteLater();
                    BatchSummary summary;
                    summary.cancelled = reader->isCancelled();
                    // A tool that cannot start is said once, not as every image's reason.
                    const auto unstarted = std::ranges::find_if(
                        images, [](const ReadImage& i) { return !i.startError.isEmpty(); });
                    if (unstarted != images.end())
                        emit problem(
                            {ProblemKind::ToolCannotRun, m_paths.toolPath, unstarted->startError});
                    const DiscDatabase database = discDatabase();
                    if (!database.problem.isEmpty() && !summary.cancelled)
                        emit problem({ProblemKind::DiscDatabaseUnreadable, database.problem, {}});
                    if (!summary.cancelled)
                        summary = PlanBatch(images, target, type, database.entries,
                                            m_facts.value(target).games, m_jobs.allJobs(),
                                            m_titleIndex.get());
                    for (const SkippedFile& s : skipped) {
                        BatchEntry entry;
                        entry.path = s.path;
                        entry.outcome = BatchEntry::Outcome::Skipped;
                        entry.reason = s.reason;
                        summary.entries << entry;
                    }
                    for (const Job& job : summary.jobs(BatchEntry::Outcome::Added))
                        addJob(job);
                    end();
                    emit batchRead(summary);
                });
        emit batchProgress(0, static_cast<int>(files.size()));
        reader->start(files);
    };
    // The tool's commands say which disc read it has; the target's list which games it holds.
    knowToolCommands([this, target, read, files] {
        if (m_cancelRequested || files.isEmpty() || m_facts.value(target).read) {
            read();
            return;
        }
        readTargetFacts(target, [read](const TargetFacts&) { read(); });
    });
}
