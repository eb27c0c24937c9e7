#include "QueueFile.h"

#include "core/output/JsonText.h"
#include "core/platform/SafeFile.h"

#include "core/settings/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>

#include "core/platform/Platform.h"

#include <cmath>

#include <array>
#include <utility>

namespace {

// Stored by name, so a new value in the middle of an enum never misreads an old file.
template <typename E, std::size_t N>
QString nameOf(const std::array<std::pair<E, const char*>, N>& table, E value)
{
    for (const auto& [v, name] : table) {
        if (v == value)
            return QString::fromLatin1(name);
    }
    return QString::fromLatin1(table[0].second);
}

template <typename E, std::size_t N>
std::optional<E> valueOf(const std::array<std::pair<E, const char*>, N>& table, const QString& text)
{
    for (const auto& [v, name] : table) {
        if (text == QLatin1String(name))
            return v;
    }
    return std::nullopt;
}

constexpr std::array kKinds{
    std::pair{JobKind::Install, "install"},       std::pair{JobKind::MakeIso, "make-iso"},
    std::pair{JobKind::CopyToPC, "copy-to-pc"},   std::pair{JobKind::CopyToPS2, "copy-to-ps2"},
    std::pair{JobKind::CopyToHDD, "copy-to-hdd"},
};
constexpr std::array kStates{
    std::pair{JobState::Pending, "pending"},   std::pair{JobState::Active, "active"},
    std::pair{JobState::Complete, "complete"}, std::pair{JobState::Aborted, "aborted"},
    std::pair{JobState::Failed, "failed"},
};
constexpr std::array kNameSources{
    std::pair{NameSource::Typed, "typed"},
    std::pair{NameSource::DiscDatabase, "disc-database"},
    std::pair{NameSource::TitleIndex, "title-index"},
    std::pair{NameSource::FileName, "file-name"},
    std::pair{NameSource::DiscLabel, "disc-label"},
};
constexpr std::array kTypes{std::pair{DiscType::DVD, "DVD"}, std::pair{DiscType::CD, "CD"}};
constexpr std::array kErrors{
    std::pair{ToolError::None, "none"},
    std::pair{ToolError::Interrupted, "interrupted"},
    std::pair{ToolError::Unsupported, "unsupported"},
    std::pair{ToolError::FileExists, "file-exists"},
    std::pair{ToolError::NoSpace, "no-space"},
    std::pair{ToolError::BadParameter, "bad-parameter"},
    std::pair{ToolError::ConnectionRefused, "connection-refused"},
    std::pair{ToolError::NetworkTimeout, "network-timeout"},
    std::pair{ToolError::NotPs2Disk, "not-ps2-disk"},
    std::pair{ToolError::NoMedium, "no-medium"},
    std::pair{ToolError::NotPs2Disc, "not-ps2-disc"},
    std::pair{ToolError::UnknownCommand, "unknown-command"},
    std::pair{ToolError::NotFound, "not-found"},
    std::pair{ToolError::PermissionDenied, "permission-denied"},
    std::pair{ToolError::ServerGone, "server-gone"},
    std::pair{ToolError::Stalled, "stalled"},
};

// A job as the queue's file keeps it: the keys in the order a JSON object keeps them, so the
// file reads as it did when it was written through one.
void writeJob(JsonText& json, const Job& j)
{
    auto flag = [&json](QStringView key, bool value) {
        json.key(key);
        json.boolean(value);
    };
    json.beginObject();
    json.field(u"destination", j.destination);
    json.field(u"ended_at", j.endedAt);
    json.field(u"error", nameOf(kErrors, j.error));
    json.field(u"flags", j.flags.toolText());
    json.field(u"id", j.id);
    flag(u"incomplete", j.incomplete);
    json.field(u"kind", nameOf(kKinds, j.kind));
    json.field(u"name", j.name);
    json.field(u"name_source", nameOf(kNameSources, j.nameSource));
    flag(u"no_result", j.noResult);
    json.field(u"not_verified", j.notVerified);
    json.field(u"note", j.note);
    json.field(u"partition", j.partition);
    json.field(u"reason", j.reason);
    flag(u"replace_existing", j.replaceExisting);
    json.field(u"size_kb", j.sizeKb);
    json.field(u"source", j.source);
    json.field(u"source_bytes", j.sourceBytes);
    json.field(u"started_at", j.startedAt);
    json.field(u"startup", j.startup);
    json.field(u"state", nameOf(kStates, j.state));
    json.field(u"tool_pid", j.toolPid);
    json.field(u"tool_reported", j.toolReported);
    json.field(u"tool_start", static_cast<qint64>(j.toolStart));
    json.field(u"type", nameOf(kTypes, j.type));
    json.field(u"writes", j.writes);
    flag(u"writes_new", j.writesNew);
    json.endObject();
}

// Reads a job's fields, each of the type it is written with: a field of another type makes
// the whole file one that is not read, never a job with an empty value in its place.
class FieldReader
{
public:
    explicit FieldReader(const QJsonObject& object) : m_object(object) {}

    QString text(const char* key, bool required = false)
    {
        const QJsonValue v = m_object.value(QLatin1String(key));
        if (v.isUndefined() && !required)
            return {};
        if (!v.isString() || (required && v.toString().isEmpty()))
            return fail(key, required ? "a text that is not empty" : "a text");
        return v.toString();
    }
    bool flag(const char* key)
    {
        const QJsonValue v = m_object.value(QLatin1String(key));
        if (v.isUndefined())
            return false;
        if (!v.isBool()) {
            fail(key, "true or false");
            return false;
        }
        return v.toBool();
    }
    qint64 number(const char* key)
    {
        const QJsonValue v = m_object.value(QLatin1String(key));
        if (v.isUndefined())
            return 0;
        const double d = v.toDouble(-1);
        if (!v.isDouble() || d < 0 || d != std::floor(d) || d > 9.0e15) {
            fail(key, "a whole number");
            return 0;
        }
        return static_cast<qint64>(d);
    }
    template <typename E, std::size_t N>
    std::optional<E> named(const char* key, const std::array<std::pair<E, const char*>, N>& table,
                           bool required)
    {
        const QJsonValue v = m_object.value(QLatin1String(key));
        if (v.isUndefined() && !required)
            return table[0].first;
        const auto value = v.isString() ? valueOf(table, v.toString()) : std::nullopt;
        if (!value)
            fail(key, "one of the names this version knows");
        return value;
    }
    const QString& problem() const { return m_problem; }

private:
    QString fail(const char* key, const char* expected)
    {
        if (m_problem.isEmpty())
            m_problem =
                QStringLiteral("\"%1\" is not %2").arg(QLatin1String(key), QLatin1String(expected));
        return {};
    }
    const QJsonObject& m_object;
    QString m_problem;
};

std::optional<Job> jobFromJson(const QJsonValue& value, int number, QString* problem)
{
    if (!value.isObject()) {
        *problem = QStringLiteral("job %1 is not an object").arg(number);
        return std::nullopt;
    }
    const QJsonObject o = value.toObject();
    FieldReader r(o);
    Job j;
    const auto kind = r.named("kind", kKinds, true);
    const auto state = r.named("state", kStates, true);
    j.id = r.text("id");
    j.source = r.text("source", true);
    j.destination = r.text("destination", true);
    j.name = r.text("name");
    j.startup = r.text("startup");
    j.type = r.named("type", kTypes, false).value_or(DiscType::DVD);
    // Stored flags the tool would not read as flags make no job: they would reach it as words.
    const std::optional<CompatFlags> flags = CompatFlags::parse(r.text("flags"));
    j.flags = flags.value_or(CompatFlags());
    j.partition = r.text("partition");
    j.writes = r.text("writes");
    j.writesNew = r.flag("writes_new");
    j.notVerified = r.text("not_verified");
    j.replaceExisting = r.flag("replace_existing");
    j.sizeKb = r.number("size_kb");
    j.sourceBytes = r.number("source_bytes");
    j.error = r.named("error", kErrors, false).value_or(ToolError::None);
    j.noResult = r.flag("no_result");
    j.reason = r.text("reason");
    j.toolReported = r.text("tool_reported");
    j.incomplete = r.flag("incomplete");
    j.note = r.text("note");
    // Older files have none: a name of unknown origin reads as typed.
    j.nameSource = r.named("name_source", kNameSources, false).value_or(NameSource::Typed);
    j.startedAt = r.number("started_at");
    j.endedAt = r.number("ended_at");
    j.toolPid = r.number("tool_pid");
    j.toolStart = static_cast<quint64>(r.number("tool_start"));
    if (!r.problem().isEmpty() || !kind || !state || !flags) {
        *problem = QStringLiteral("job %1: %2")
                       .arg(number)
                       .arg(flags || !r.problem().isEmpty()
                                ? r.problem()
                                : QStringLiteral("\"flags\" is not a list of flags"));
        return std::nullopt;
    }
    j.kind = *kind;
    j.state = *state;
    // Files of earlier versions gave their jobs no identity: each gets one now.
    if (j.id.isEmpty())
        j.id = NewJobId();
    return j;
}

} // namespace

QByteArray QueueToJson(const QList<Job>& jobs)
{
    // Written as it is made: the queue is saved at every change of a job, and a document built
    // first cost a long queue's run more than its saving did.
    JsonText json;
    json.beginObject();
    json.field(u"format", u"ventrik-queue");
    json.key(u"jobs");
    json.beginArray();
    for (const Job& j : jobs)
        writeJob(json, j);
    json.endArray();
    json.field(u"version", kQueueFormatVersion);
    json.endObject();
    return json.text();
}

LoadedQueue QueueFromJson(const QByteArray& json)
{
    LoadedQueue loaded;
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    const QJsonObject root = doc.object();
    if (error.error != QJsonParseError::NoError || !doc.isObject() ||
        root.value(QStringLiteral("format")).toString() != QLatin1String("ventrik-queue")) {
        loaded.status = QueueFileStatus::Unreadable;
        loaded.detail = error.error != QJsonParseError::NoError ? error.errorString()
                                                                : QStringLiteral("not a queue");
        return loaded;
    }
    // Every value exactly as this program writes it: a version that is no whole number, or
    // jobs that are no list, are not read as an empty queue (which would then be saved).
    const QJsonValue version = root.value(QStringLiteral("version"));
    const double number = version.toDouble(-1);
    if (!version.isDouble() || number < 1 || number != std::floor(number)) {
        loaded.status = QueueFileStatus::Unreadable;
        loaded.detail = QStringLiteral("\"version\" is not a whole number");
        return loaded;
    }
    if (number > kQueueFormatVersion) {
        loaded.status = QueueFileStatus::Newer;
        loaded.detail = QStringLiteral("format version %1").arg(number);
        return loaded;
    }
    if (!root.value(QStringLiteral("jobs")).isArray()) {
        loaded.status = QueueFileStatus::Unreadable;
        loaded.detail = QStringLiteral("\"jobs\" is not a list");
        return loaded;
    }
    const QJsonArray list = root.value(QStringLiteral("jobs")).toArray();
    loaded.jobs.reserve(list.size());
    for (qsizetype i = 0; i < list.size(); ++i) {
        const std::optional<Job> job =
            jobFromJson(list[i], static_cast<int>(i + 1), &loaded.detail);
        if (!job) {
            // One job that cannot be read makes the file one to keep aside whole.
            loaded.status = QueueFileStatus::Unreadable;
            loaded.jobs.clear();
            return loaded;
        }
        loaded.jobs.append(*job);
    }
    loaded.status = QueueFileStatus::Loaded;
    return loaded;
}

LoadedQueue LoadQueueFile(const QString& path)
{
    // A link is followed; a link to nothing is no missing queue but a file that is wrong.
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return {};
    const platform::FileRead read = platform::readRegularFile(path);
    if (read.status != platform::FileReadStatus::Read) {
        LoadedQueue loaded;
        loaded.status = QueueFileStatus::Unreadable;
        loaded.detail = read.status == platform::FileReadStatus::Missing
                            ? QStringLiteral("it is a link to %1, which does not exist")
                                  .arg(info.symLinkTarget())
                            : read.error;
        return loaded;
    }
    return QueueFromJson(read.bytes);
}

bool SaveQueueFile(const QString& path, const QList<Job>& jobs, QString* error)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    return SaveFileAtomically(path, QueueToJson(jobs), error);
}

std::optional<QString> KeepQueueFileAside(const QString& path, QString* error)
{
    // An older file kept aside is not replaced either; a link is moved as a link.
    auto taken = [](const QString& p) { return QFileInfo::exists(p) || QFileInfo(p).isSymLink(); };
    QString aside = path + QStringLiteral(".bad");
    for (int n = 1; taken(aside); ++n)
        aside = path + QStringLiteral(".bad.%1").arg(n);
    if (!platform::replaceFile(path, aside, error))
        return std::nullopt;
    return aside;
}

bool AppendToQueueInbox(const QString& inbox, const Job& job, QString* error)
{
    QDir().mkpath(QFileInfo(inbox).absolutePath());
    if (const QString why = platform::lockFileProblem(inbox + QStringLiteral(".lock"));
        !why.isEmpty()) {
        *error = why;
        return false;
    }
    // Two command lines adding at once each keep their job.
    QLockFile lock(inbox + QStringLiteral(".lock"));
    if (!lock.tryLock(5000)) {
        *error = QStringLiteral("the queue's inbox is locked");
        return false;
    }
    const LoadedQueue waiting = LoadQueueFile(inbox);
    QList<Job> jobs = waiting.jobs;
    // An inbox that cannot be read is kept, never written over.
    if (waiting.status == QueueFileStatus::Unreadable || waiting.status == QueueFileStatus::Newer) {
        if (!KeepQueueFileAside(inbox, error))
            return false;
    }
    jobs.append(job);
    return SaveQueueFile(inbox, jobs, error);
}

namespace {
QString takingFile(const QString& inbox)
{
    return inbox + QStringLiteral(".taking");
}
QString refusedFile(const QString& inbox)
{
    return inbox + QStringLiteral(".refused");
}
bool listsJob(const QString& file, const QString& id)
{
    const LoadedQueue loaded = LoadQueueFile(file);
    return std::any_of(loaded.jobs.cbegin(), loaded.jobs.cend(),
                       [&id](const Job& j) { return j.id == id; });
}
} // namespace

InboxTaken TakeQueueInbox(const QString& inbox)
{
    InboxTaken taken;
    const QString taking = takingFile(inbox);
    // Nothing handed over: no lock is taken. Its file would change the folder, which is
    // watched for an inbox, and every change would take the lock again.
    if (!QFileInfo::exists(inbox) && !QFileInfo(inbox).isSymLink() && !QFileInfo::exists(taking))
        return taken;
    if (const QString why = platform::lockFileProblem(inbox + QStringLiteral(".lock"));
        !why.isEmpty()) {
        taken.problem = why;
        return taken;
    }
    QLockFile lock(inbox + QStringLiteral(".lock"));
    if (!lock.tryLock(1000))
        return taken;
    // A moved inbox an owner that died left is taken first; else the inbox is moved aside.
    if (!QFileInfo::exists(taking)) {
        if (!QFileInfo::exists(inbox) && !QFileInfo(inbox).isSymLink())
            return taken;
        if (!QFile::rename(inbox, taking))
            return taken;
    }
    const LoadedQueue loaded = LoadQueueFile(taking);
    if (loaded.status == QueueFileStatus::Loaded || loaded.status == QueueFileStatus::Missing) {
        taken.jobs = loaded.jobs;
        taken.taking = taking;
        return taken;
    }
    // Jobs that cannot be read are kept (under the inbox's own name, as handed over), and
    // whoever takes them is told.
    taken.problem = loaded.detail;
    const QString unread =
        !QFileInfo::exists(inbox) && QFile::rename(taking, inbox) ? inbox : taking;
    QString error;
    taken.keptAside = KeepQueueFileAside(unread, &error).value_or(QString());
    if (taken.keptAside.isEmpty())
        taken.problem += QStringLiteral("; it could not be moved aside: %1").arg(error);
    return taken;
}

void FinishInboxTaking(const QString& taking)
{
    if (!taking.isEmpty())
        QFile::remove(taking);
}

bool ReturnToQueueInbox(const QString& inbox, const QList<Job>& jobs, const QString& why,
                        QString* error)
{
    if (const QString problem = platform::lockFileProblem(inbox + QStringLiteral(".lock"));
        !problem.isEmpty()) {
        *error = problem;
        return false;
    }
    QLockFile lock(inbox + QStringLiteral(".lock"));
    if (!lock.tryLock(5000)) {
        *error = QStringLiteral("the queue's inbox is locked");
        return false;
    }
    QList<Job> waiting = LoadQueueFile(inbox).jobs;
    QJsonArray ids;
    for (const Job& job : jobs) {
        ids.append(job.id);
        if (std::none_of(waiting.cbegin(), waiting.cend(),
                         [&job](const Job& w) { return w.id == job.id; }))
            waiting.append(job);
    }
    QString ignored;
    platform::writeFileAtomically(
        refusedFile(inbox),
        QJsonDocument(QJsonObject{{QStringLiteral("ids"), ids}, {QStringLiteral("why"), why}})
            .toJson(),
        &ignored);
    return SaveQueueFile(inbox, waiting, error);
}

HandOver HandOverOf(const QString& inbox, const QString& jobId)
{
    const platform::FileRead refused = platform::readRegularFile(refusedFile(inbox), 1 << 20);
    if (refused.status == platform::FileReadStatus::Read) {
        const QJsonObject said = QJsonDocument::fromJson(refused.bytes).object();
        if (said.value(QStringLiteral("ids")).toArray().contains(jobId))
            return {HandOver::State::Refused, said.value(QStringLiteral("why")).toString()};
    }
    if (listsJob(inbox, jobId) || listsJob(takingFile(inbox), jobId))
        return {};
    return {HandOver::State::Taken, {}};
}
