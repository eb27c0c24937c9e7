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
// Taking the inbox is done in steps that lose nothing whenever the owner is killed: the inbox
// is moved aside (INBOX.taking) and read; the owner saves the jobs to its queue and only then
// removes the moved file (FinishInboxTaking). A moved file left by an owner that died is taken
// first at the next take. A save that fails puts the jobs back (ReturnToQueueInbox) and writes
// down, for the program that handed them over, that they were refused and why.
struct InboxTaken
{
    QList<Job> jobs;
    QString problem;   // why the inbox could not be read
    QString keptAside; // where it was moved then
    QString taking;    // the moved file, to remove once the jobs are saved
};
InboxTaken TakeQueueInbox(const QString& inbox);
void FinishInboxTaking(const QString& taking);
bool ReturnToQueueInbox(const QString& inbox, const QList<Job>& jobs, const QString& why,
                        QString* error);
// What became of a job handed over: taken (in the owner's saved queue), refused (why), or still
// waiting in the inbox.
struct HandOver
{
    enum class State { Waiting, Taken, Refused };
    State state = State::Waiting;
    QString why;
};
HandOver HandOverOf(const QString& inbox, const QString& jobId);
