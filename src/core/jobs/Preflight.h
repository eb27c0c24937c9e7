#pragma once

#include "GameIdentity.h"
#include "Job.h"
#include "JobBuilder.h"
#include "core/devices/Target.h"
#include "core/output/Parsers.h"

#include <QHash>
#include <QList>
#include <QString>

// What a read of a target gave, for checking the jobs that write to it.
struct TargetFacts
{
    bool read = false;
    QString problem; // why it could not be read
    // It listed before and now reads as no PS2 disk: its partition table is damaged.
    bool damaged = false;
    bool notUnderstood = false; // the tool printed something that is no game table
    // What is wrong with the table, read from the disk's sectors; empty when unknown.
    QString damage;
    // Listed from the disk's own sectors (the tool refuses its table): nothing may be written.
    bool readOnly = false;
    QString readOnlyReason;
    qint64 availableMb = 0;
    std::optional<parse::SpaceSummary> space;
    QList<parse::GameRow> games;
    PartitionNaming naming = PartitionNaming::Current;

    // The partition a game listed here has: as the disk says, else as the tool would name it.
    QString partitionOf(const parse::GameRow& game) const;
    // The listed game with that partition, or nullptr.
    const parse::GameRow* gameWithPartition(const QString& partition) const;
};

// The facts a game table gives; read, whatever its space line says.
TargetFacts FactsOf(const parse::GameTable& table);

enum class PreflightKind : std::uint8_t {
    NoSpace,
    AlreadyInstalled,
    QueuedTwice,
    PartitionClash,
    PossibleDuplicate, // the same startup is installed or queued under another name
    LeftIncomplete,    // part of the game is on the disk, left by an earlier run
    SameFile,          // two jobs write the same image file
    SourceChanged,     // the image's size is not what it was when the job was queued
    SourceMissing,
    SourceUnreadable,
    FolderProblem,
    DestinationExists,
    TargetUnreadable,
    TargetReadOnly, // its games were read from its sectors; the tool cannot write to it
};

// A kind's name in JSON ("no-space", "partition-clash", ...).
QString PreflightKindName(PreflightKind kind);

struct PreflightIssue
{
    int row = -1; // the job's row
    PreflightKind kind = PreflightKind::NoSpace;
    QString text;
    QString partition; // LeftIncomplete: the partition to delete first
};

// The disk or PS2 a job writes a game to; none for jobs that write a file.
Target WriteTarget(const Job& job);
// The disk or PS2 a copy reads its game from; none for the other jobs.
Target SourceTarget(const Job& job);

// Checks the jobs of the given rows (in order) against each other, the files of
// this computer and what is known of their targets. Targets without facts are
// not checked for space or names.
QList<PreflightIssue> CheckJobs(const QList<Job>& jobs, const QList<int>& rows,
                                const QHash<QString, TargetFacts>& targets);
