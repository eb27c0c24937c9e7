#pragma once

#include "Job.h"
#include "core/output/Parsers.h"

#include <QHash>
#include <QList>
#include <QString>

// How a build of the tool names a game's partition. Two games whose names come out
// the same cannot both be installed: the second is refused.
enum class PartitionNaming : std::uint8_t { Current, Older };
QString PartitionName(const QString& name, const QString& startup, PartitionNaming naming);

// The tool gives every game whole slices of this size, even a 350 KB one.
inline constexpr qint64 kSliceMb = 128;
qint64 SlicesMb(qint64 sizeKb);

// What a read of a target gave, for checking the jobs that write to it.
struct TargetFacts
{
    bool read = false;
    QString problem; // why it could not be read
    qint64 availableMb = 0;
    QList<parse::GameRow> games;
    PartitionNaming naming = PartitionNaming::Current;
};

// The facts a game table gives; read, whatever its space line says.
TargetFacts FactsOf(const parse::GameTable& table);

enum class PreflightKind : std::uint8_t {
    NoSpace,
    AlreadyInstalled,
    QueuedTwice,
    PartitionClash,
    SourceMissing,
    SourceUnreadable,
    FolderProblem,
    DestinationExists,
    TargetUnreadable,
};

struct PreflightIssue
{
    int row = -1; // the job's row
    PreflightKind kind = PreflightKind::NoSpace;
    QString text;
};

// The disk or PS2 a job writes a game to; empty for jobs that write a file.
QString WriteTarget(const Job& job);
// Drives are read by the tool; files are checked here.
bool IsDriveSource(const QString& source);

// Checks the jobs of the given rows (in order) against each other, the files of
// this computer and what is known of their targets. Targets without facts are
// not checked for space or names.
QList<PreflightIssue> CheckJobs(const QList<Job>& jobs, const QList<int>& rows,
                                const QHash<QString, TargetFacts>& targets);
