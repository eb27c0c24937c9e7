#include "BatchAdd.h"

#include "JobBuilder.h"
#include "core/devices/Flags.h"
#include "core/platform/Platform.h"
#include "core/tool/ToolRun.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QThread>
#include <QTimer>

#include <algorithm>

bool IsImageFile(const QString& path)
{
    static const QStringList extensions{QStringLiteral("iso"), QStringLiteral("cue"),
                                        QStringLiteral("nrg"), QStringLiteral("gi"),
                                        QStringLiteral("iml"), QStringLiteral("toc")};
    return extensions.contains(QFileInfo(path).suffix().toLower());
}

QStringList FindImages(const QStringList& paths, QList<SkippedFile>* skipped,
                       const std::atomic<bool>* stop)
{
    // A walk through a large tree ends as soon as it is no longer wanted.
    auto stopped = [stop] { return stop && stop->load(); };
    // What Qt's listing leaves out without a word: said, with the reason.
    auto undecodable = [skipped](const QString& dir) {
        if (!skipped)
            return;
        for (const platform::RawEntry& e : platform::undecodableEntries(dir)) {
            if (e.folder || IsImageFile(e.shown))
                skipped->append({dir + u'/' + e.shown,
                                 e.folder ? QCoreApplication::translate(
                                                "Batch", "a folder whose name is not valid "
                                                         "UTF-8; rename it to add what it holds")
                                          : QCoreApplication::translate(
                                                "Batch", "its name is not valid UTF-8; rename "
                                                         "it to add it")});
        }
    };
    QStringList found;
    QSet<QString> seen;
    auto take = [&](const QString& file) {
        const QString canonical = QFileInfo(file).absoluteFilePath();
        if (!seen.contains(canonical)) {
            seen.insert(canonical);
            found << canonical;
        }
    };
    for (const QString& path : paths) {
        if (stopped())
            return {};
        const QFileInfo info(path);
        if (info.isFile() && IsImageFile(path)) {
            take(path);
        } else if (info.isFile() || !info.exists()) {
            // Named by the user (chosen or dropped): never left out without a word.
            if (skipped)
                skipped->append(
                    {info.absoluteFilePath(),
                     info.exists()
                         ? QCoreApplication::translate(
                               "Batch", "not a disc image (.iso, .cue, .nrg, .gi, .iml, .toc)")
                         : QCoreApplication::translate("Batch", "the file does not exist")});
        } else if (info.isDir()) {
            undecodable(info.absoluteFilePath());
            QDirIterator folders(path, QDir::Dirs | QDir::NoDotAndDotDot,
                                 QDirIterator::Subdirectories);
            while (folders.hasNext() && !stopped())
                undecodable(folders.next());
            QStringList inFolder;
            QDirIterator it(path, QDir::Files | QDir::Readable, QDirIterator::Subdirectories);
            while (it.hasNext() && !stopped()) {
                const QString file = it.next();
                if (IsImageFile(file))
                    inFolder << file;
            }
            // The folder's files in the order a file manager shows them.
            std::ranges::sort(inFolder, [](const QString& a, const QString& b) {
                return QString::compare(a, b, Qt::CaseInsensitive) < 0;
            });
            for (const QString& file : std::as_const(inFolder))
                take(file);
        }
    }
    return found;
}

QHash<QString, DiscDatabaseEntry> ParseDiscDatabase(const QByteArray& content)
{
    QHash<QString, DiscDatabaseEntry> db;
    for (const QByteArray& raw : content.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        // "SLUS_200.02" = "Game Name;+1+3"
        const qsizetype eq = line.indexOf(QLatin1String("\" = \""));
        if (!line.startsWith(u'"') || !line.endsWith(u'"') || eq < 1)
            continue;
        const QString startup = line.mid(1, eq - 1);
        const QString value = line.mid(eq + 5, line.size() - eq - 6);
        const qsizetype semicolon = value.lastIndexOf(u';');
        DiscDatabaseEntry entry;
        entry.name = WithoutControlCharacters(semicolon < 0 ? value : value.left(semicolon));
        // Flags that are no flag list are not handed to the tool.
        entry.flags =
            CompatFlags::parse(semicolon < 0 ? QString() : value.mid(semicolon + 1).trimmed())
                .value_or(CompatFlags());
        if (!startup.isEmpty() && !entry.name.isEmpty())
            db.insert(startup, entry);
    }
    return db;
}

DiscDatabase ReadDiscDatabase(const QString& path)
{
    DiscDatabase db;
    if (path.isEmpty())
        return db;
    // A database is a short list in a regular file: /dev/zero, /dev/urandom or a FIFO named
    // here are said, never read without end or waited for.
    const platform::FileRead read = platform::readRegularFile(path);
    if (read.status == platform::FileReadStatus::Read)
        db.entries = ParseDiscDatabase(read.bytes);
    else if (read.status != platform::FileReadStatus::Missing)
        db.problem = read.error;
    return db;
}

BatchReader::BatchReader(Launcher launch, QString command, int parallel, QObject* parent)
    : QObject(parent), m_launch(std::move(launch)), m_command(std::move(command)),
      m_parallel(std::max(1, parallel))
{}

int BatchReader::Parallel()
{
    const int cores = std::max(1, QThread::idealThreadCount());
    return std::clamp(cores, std::min(2, cores), 4);
}

void BatchReader::start(const QStringList& images)
{
    m_images.clear();
    for (const QString& path : images)
        m_images.append(ReadImage{path, std::nullopt, {}, false, {}});
    m_next = 0;
    m_done = 0;
    m_cancelled = false;
    m_finished = false;
    // Never finished inside start(), even with nothing to read.
    QTimer::singleShot(0, this, &BatchReader::startNext);
}

void BatchReader::cancel()
{
    m_cancelled = true;
    for (const QPointer<ToolRun>& run : std::as_const(m_running)) {
        if (run)
            run->cancel();
    }
}

void BatchReader::startNext()
{
    m_running.removeAll(nullptr);
    while (!m_cancelled && m_next < m_images.size() && m_running.size() < m_parallel) {
        const int index = m_next++;
        ToolRun* run = m_launch({m_command, m_images[index].path});
        if (!run) {
            m_images[index].problem = tr("the tool could not be started");
            ++m_done;
            continue;
        }
        m_running << run;
        connect(run, &ToolRun::finished, this,
                [this, index](const RunOutcome& outcome) { done(index, outcome); });
    }
    // Several runs ending together each ask for the next: the end is told once.
    if (m_running.isEmpty() && (m_cancelled || m_next >= m_images.size()) && !m_finished) {
        m_finished = true;
        emit finished(m_images);
    }
}

void BatchReader::done(int index, const RunOutcome& outcome)
{
    ReadImage& image = m_images[index];
    if (outcome.succeeded() && outcome.error == ToolError::None)
        image.info = parse::FindDiscInfo(outcome.output);
    if (!image.info) {
        image.problem = outcome.reason(QStringLiteral("hdl_dump"));
        image.notPs2 = IsNotAPs2Disc(outcome);
        // Why the tool cannot start is said once for the whole batch.
        if (!outcome.started) {
            image.startError = outcome.startError;
            image.problem = tr("not read: the tool did not start");
        }
    }
    ++m_done;
    emit readProgress(m_done, static_cast<int>(m_images.size()));
    if (auto* run = qobject_cast<ToolRun*>(sender())) {
        m_running.removeAll(run);
        run->deleteLater();
    }
    // The next run starts from the event loop, after this one has been let go.
    QTimer::singleShot(0, this, &BatchReader::startNext);
}

int BatchSummary::count(BatchEntry::Outcome outcome) const
{
    return static_cast<int>(std::ranges::count_if(
        entries, [outcome](const BatchEntry& e) { return e.outcome == outcome; }));
}

QList<Job> BatchSummary::jobs(BatchEntry::Outcome outcome) const
{
    QList<Job> list;
    for (const BatchEntry& e : entries) {
        if (e.outcome == outcome)
            list << e.job;
    }
    return list;
}

BatchSummary PlanBatch(const QList<ReadImage>& images, const Target& target,
                       std::optional<DiscType> type,
                       const QHash<QString, DiscDatabaseEntry>& database,
                       const QList<parse::GameRow>& installed, const QList<Job>& queued,
                       const TitleIndex* index)
{
    BatchSummary summary;
    // Startup -> the name it has on the disk, or in the queue.
    QHash<QString, QString> onDisk;
    for (const parse::GameRow& g : installed) {
        if (!g.startup.isEmpty() && !onDisk.contains(g.startup))
            onDisk.insert(g.startup, g.title);
    }
    QHash<QString, QString> inQueue;
    QSet<QString> queuedSources;
    for (const Job& j : queued) {
        if (j.kind == JobKind::Install && j.destination == target.toolArgument()) {
            if (!j.startup.isEmpty() && !inQueue.contains(j.startup))
                inQueue.insert(j.startup, j.name);
            queuedSources.insert(QFileInfo(j.source).absoluteFilePath());
        }
    }
    for (const ReadImage& image : images) {
        BatchEntry entry;
        entry.path = image.path;
        if (!image.info) {
            // A tool that crashed or could not start said nothing of the disc.
            entry.outcome =
                image.notPs2 ? BatchEntry::Outcome::NotPs2 : BatchEntry::Outcome::Skipped;
            // The tool names the file first; the summary names it already.
            entry.reason = image.problem;
            if (entry.reason.startsWith(image.path + QStringLiteral(": ")))
                entry.reason.remove(0, image.path.size() + 2);
            summary.entries << entry;
            continue;
        }
        const parse::DiscInfo& disc = *image.info;
        const GameNaming naming = NameForGame(image.path, disc, database, index);
        Job& job = entry.job;
        job = InstallJob(image.path, target, naming.name, disc, type, naming.flags);
        job.nameSource = naming.source;
        entry.typeFromSize = !type && disc.mediaUnknown;
        if (onDisk.contains(job.startup)) {
            entry.outcome = BatchEntry::Outcome::Installed;
            entry.reason = target.toolArgument();
            entry.sameStartupAs = onDisk.value(job.startup);
        } else if (inQueue.contains(job.startup)) {
            entry.outcome = BatchEntry::Outcome::Queued;
            entry.sameStartupAs = inQueue.value(job.startup);
        } else if (queuedSources.contains(image.path)) {
            entry.outcome = BatchEntry::Outcome::Queued;
            entry.sameStartupAs = job.name;
        } else {
            inQueue.insert(job.startup, job.name);
        }
        summary.entries << entry;
    }
    return summary;
}
