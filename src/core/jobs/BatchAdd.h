#pragma once

#include <atomic>

#include "Job.h"
#include "TitleIndex.h"
#include "core/devices/Target.h"
#include "core/output/Parsers.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <optional>

class ToolRun;
struct RunOutcome;

// The image files the tool reads, by extension, any case.
bool IsImageFile(const QString& path);
// A file or folder a batch could not take, and why.
struct SkippedFile
{
    QString path;
    QString reason;
};
// Every image among the paths: files as they are, folders with all their subfolders,
// in a stable order and each file once. Images and folders whose names are not valid UTF-8
// cannot be given to the tool: they go to skipped.
QStringList FindImages(const QStringList& paths, QList<SkippedFile>* skipped = nullptr,
                       const std::atomic<bool>* stop = nullptr);

// The tool's disc database: "STARTUP" = "Name;flags" lines.
struct DiscDatabaseEntry
{
    QString name;
    CompatFlags flags;
};
QHash<QString, DiscDatabaseEntry> ParseDiscDatabase(const QByteArray& content);
struct DiscDatabase
{
    QHash<QString, DiscDatabaseEntry> entries;
    QString problem; // why the file named could not be read
};
DiscDatabase ReadDiscDatabase(const QString& path);

// What the tool said of one image.
struct ReadImage
{
    QString path;
    std::optional<parse::DiscInfo> info;
    QString problem; // why it is no PS2 game or could not be read
    // The tool read it and said it is no PS2 game (not: it crashed, or could not start).
    bool notPs2 = false;
    QString startError; // why the tool could not start, when it could not
};

// Reads the disc information of many images with a bounded number of tool runs
// at a time; finished() follows once every image was read or the reading cancelled.
class BatchReader : public QObject
{
    Q_OBJECT
public:
    // Starts a run of the tool with the arguments; the reader owns it.
    using Launcher = std::function<ToolRun*(const QStringList& args)>;

    BatchReader(Launcher launch, QString command, int parallel, QObject* parent = nullptr);
    // Runs at a time for this machine: two to four, never more than its cores.
    static int Parallel();

    void start(const QStringList& images);
    void cancel();
    bool isCancelled() const { return m_cancelled; }

signals:
    void readProgress(int done, int total);
    void finished(const QList<ReadImage>& images);

private:
    void startNext();
    void done(int index, const RunOutcome& outcome);

    Launcher m_launch;
    QString m_command;
    int m_parallel;
    QList<ReadImage> m_images;
    QList<QPointer<ToolRun>> m_running;
    int m_next = 0;
    int m_done = 0;
    bool m_cancelled = false;
    bool m_finished = false;
};

// What became of each image of a batch.
struct BatchEntry
{
    enum class Outcome : std::uint8_t { Added, NotPs2, Installed, Queued, Skipped };
    QString path;
    Outcome outcome = Outcome::Added;
    QString reason;
    Job job; // also for a duplicate, which may be added anyway
    // Installed or Queued: the name of the game with the same startup there.
    QString sameStartupAs;
    // The tool did not say CD or DVD (every image file): the type came from the size.
    bool typeFromSize = false;
};

struct BatchSummary
{
    QList<BatchEntry> entries;
    bool cancelled = false;
    int count(BatchEntry::Outcome outcome) const;
    QList<Job> jobs(BatchEntry::Outcome outcome) const;
};

// The jobs a batch makes for the target: named from the database when it knows the
// startup, else from the disc's own name (the file's when the disc has none). Not PS2
// games are listed, not added; so are possible duplicates: a startup already installed,
// already queued or twice in the batch, whatever the names (one game shows up as its file
// name, its disc label and a "[backup]" copy).
BatchSummary PlanBatch(const QList<ReadImage>& images, const Target& target,
                       std::optional<DiscType> type,
                       const QHash<QString, DiscDatabaseEntry>& database,
                       const QList<parse::GameRow>& installed, const QList<Job>& queued,
                       const TitleIndex* index = nullptr);
