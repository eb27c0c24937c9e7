#include "QueueFile.h"

#include "core/settings/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>

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
};

QJsonObject jobToJson(const Job& j)
{
    return QJsonObject{
        {QStringLiteral("kind"), nameOf(kKinds, j.kind)},
        {QStringLiteral("source"), j.source},
        {QStringLiteral("destination"), j.destination},
        {QStringLiteral("name"), j.name},
        {QStringLiteral("startup"), j.startup},
        {QStringLiteral("type"),
         j.type == DiscType::CD ? QStringLiteral("CD") : QStringLiteral("DVD")},
        {QStringLiteral("flags"), j.flags},
        {QStringLiteral("partition"), j.partition},
        {QStringLiteral("writes"), j.writes},
        {QStringLiteral("writes_new"), j.writesNew},
        {QStringLiteral("not_verified"), j.notVerified},
        {QStringLiteral("replace_existing"), j.replaceExisting},
        {QStringLiteral("size_kb"), j.sizeKb},
        {QStringLiteral("state"), nameOf(kStates, j.state)},
        {QStringLiteral("error"), nameOf(kErrors, j.error)},
        {QStringLiteral("no_result"), j.noResult},
        {QStringLiteral("reason"), j.reason},
        {QStringLiteral("tool_reported"), j.toolReported},
        {QStringLiteral("incomplete"), j.incomplete},
        {QStringLiteral("note"), j.note},
        {QStringLiteral("started_at"), j.startedAt},
        {QStringLiteral("ended_at"), j.endedAt},
    };
}

std::optional<Job> jobFromJson(const QJsonObject& o, QString* problem)
{
    const auto kind = valueOf(kKinds, o.value(QStringLiteral("kind")).toString());
    const auto state = valueOf(kStates, o.value(QStringLiteral("state")).toString());
    if (!kind || !state) {
        *problem = QStringLiteral("a job of an unknown kind or state");
        return std::nullopt;
    }
    Job j;
    j.kind = *kind;
    j.state = *state;
    j.source = o.value(QStringLiteral("source")).toString();
    j.destination = o.value(QStringLiteral("destination")).toString();
    j.name = o.value(QStringLiteral("name")).toString();
    j.startup = o.value(QStringLiteral("startup")).toString();
    j.type = o.value(QStringLiteral("type")).toString() == QLatin1String("CD") ? DiscType::CD
                                                                               : DiscType::DVD;
    j.flags = o.value(QStringLiteral("flags")).toString();
    j.partition = o.value(QStringLiteral("partition")).toString();
    j.writes = o.value(QStringLiteral("writes")).toString();
    j.writesNew = o.value(QStringLiteral("writes_new")).toBool();
    j.notVerified = o.value(QStringLiteral("not_verified")).toString();
    j.replaceExisting = o.value(QStringLiteral("replace_existing")).toBool();
    j.sizeKb = o.value(QStringLiteral("size_kb")).toInteger();
    j.error =
        valueOf(kErrors, o.value(QStringLiteral("error")).toString()).value_or(ToolError::None);
    j.noResult = o.value(QStringLiteral("no_result")).toBool();
    j.reason = o.value(QStringLiteral("reason")).toString();
    j.toolReported = o.value(QStringLiteral("tool_reported")).toString();
    j.incomplete = o.value(QStringLiteral("incomplete")).toBool();
    j.note = o.value(QStringLiteral("note")).toString();
    j.startedAt = o.value(QStringLiteral("started_at")).toInteger();
    j.endedAt = o.value(QStringLiteral("ended_at")).toInteger();
    return j;
}

} // namespace

QByteArray QueueToJson(const QList<Job>& jobs)
{
    QJsonArray list;
    for (const Job& j : jobs)
        list.append(jobToJson(j));
    const QJsonObject root{{QStringLiteral("format"), QStringLiteral("ventrik-queue")},
                           {QStringLiteral("version"), kQueueFormatVersion},
                           {QStringLiteral("jobs"), list}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
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
    const int version = root.value(QStringLiteral("version")).toInt();
    if (version > kQueueFormatVersion) {
        loaded.status = QueueFileStatus::Newer;
        loaded.detail = QStringLiteral("format version %1").arg(version);
        return loaded;
    }
    const QJsonArray list = root.value(QStringLiteral("jobs")).toArray();
    loaded.jobs.reserve(list.size());
    for (const QJsonValue v : list) {
        const std::optional<Job> job = jobFromJson(v.toObject(), &loaded.detail);
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
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly)) {
        LoadedQueue loaded;
        loaded.status = QueueFileStatus::Unreadable;
        loaded.detail = file.errorString();
        return loaded;
    }
    return QueueFromJson(file.readAll());
}

bool SaveQueueFile(const QString& path, const QList<Job>& jobs, QString* error)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    return SaveFileAtomically(path, QueueToJson(jobs), error);
}

QString KeepQueueFileAside(const QString& path)
{
    // An older file kept aside is not replaced either.
    QString aside = path + QStringLiteral(".bad");
    for (int n = 1; QFileInfo::exists(aside); ++n)
        aside = path + QStringLiteral(".bad.%1").arg(n);
    QFile::rename(path, aside);
    return aside;
}

bool AppendToQueueInbox(const QString& inbox, const Job& job, QString* error)
{
    QDir().mkpath(QFileInfo(inbox).absolutePath());
    // Two command lines adding at once each keep their job.
    QLockFile lock(inbox + QStringLiteral(".lock"));
    if (!lock.tryLock(5000)) {
        *error = QStringLiteral("the queue's inbox is locked");
        return false;
    }
    QList<Job> jobs = LoadQueueFile(inbox).jobs;
    jobs.append(job);
    return SaveQueueFile(inbox, jobs, error);
}

QList<Job> TakeQueueInbox(const QString& inbox)
{
    if (!QFileInfo::exists(inbox))
        return {};
    QLockFile lock(inbox + QStringLiteral(".lock"));
    if (!lock.tryLock(1000))
        return {};
    const LoadedQueue loaded = LoadQueueFile(inbox);
    if (loaded.status == QueueFileStatus::Loaded)
        QFile::remove(inbox);
    else
        KeepQueueFileAside(inbox);
    return loaded.jobs;
}
