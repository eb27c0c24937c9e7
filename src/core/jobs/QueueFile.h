#pragma once

#include "Job.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The job queue as a file ($XDG_DATA_HOME/Ventrik/queue.json): every field of
// every job and its result, so a queue outlives the program and a killed run.
enum class QueueFileStatus : std::uint8_t {
    Loaded,
    Missing,    // no queue was saved yet
    Unreadable, // not a queue this program wrote
    Newer,      // written by a later version of the program
};

struct LoadedQueue
{
    QueueFileStatus status = QueueFileStatus::Missing;
    QList<Job> jobs;
    QString detail; // what was wrong with an unreadable file
};

inline constexpr int kQueueFormatVersion = 1;

QByteArray QueueToJson(const QList<Job>& jobs);
LoadedQueue QueueFromJson(const QByteArray& json);
LoadedQueue LoadQueueFile(const QString& path);
// Replaces the file atomically; false with the reason otherwise.
bool SaveQueueFile(const QString& path, const QList<Job>& jobs, QString* error);
// Moves a file that cannot be read aside to PATH.bad (.bad.1, ...), so nothing is lost: the
// new name, or nothing (and why) when it could not be moved.
std::optional<QString> KeepQueueFileAside(const QString& path, QString* error);

// Jobs handed to the queue of another running Ventrik, which owns queue.json: they wait in
// an inbox file beside it until that program takes them into its queue.
bool AppendToQueueInbox(const QString& inbox, const Job& job, QString* error);
struct InboxTaken
{
    QList<Job> jobs;
    QString problem;   // why the inbox could not be read
    QString keptAside; // where it was moved then
};
InboxTaken TakeQueueInbox(const QString& inbox);
