#pragma once

#include <QString>

// The kinds of job, as the Task column names them.
namespace JobKind {
inline const QString Install = QStringLiteral("Install");
inline const QString MakeIso = QStringLiteral("Make ISO");
inline const QString CopyToPC = QStringLiteral("Copy to PC");
inline const QString CopyToPS2 = QStringLiteral("Copy to PS2");
inline const QString CopyToHDD = QStringLiteral("Copy to HDD");
} // namespace JobKind

// The states and outcomes a job's Result column shows.
namespace JobResult {
inline const QString Pending = QStringLiteral("Pending");
inline const QString Active = QStringLiteral("Active");
inline const QString Complete = QStringLiteral("Complete");
inline const QString Aborted = QStringLiteral("Aborted");
inline const QString Unsupported = QStringLiteral("Error (Input or output is unsupported)");
inline const QString FileExists = QStringLiteral("Error (File already exists)");
inline const QString NoSpace = QStringLiteral("Error (Insufficient disk space)");
inline const QString BadParameter = QStringLiteral("Error (The parameter is incorrect)");
inline const QString NoResult = QStringLiteral("Error (Dual-Layer DVD?)");
} // namespace JobResult

// One row of the job queue.
struct JobRecord
{
    QString result;
    QString task;
    QString source;
    QString destination;
    QString name;
    QString startup;
    QString type;
    QString flags;
    // Make ISO: the user agreed to replace the file that was there when the
    // job was queued; it is removed when the job starts, not before.
    bool replaceExisting = false;

    bool operator==(const JobRecord&) const = default;
};
