#include "Preflight.h"

#include "JobCommands.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// The context translators see for these texts.
struct PreflightWords
{
    Q_DECLARE_TR_FUNCTIONS(PreflightWords)
};

QString sizeText(qint64 mb)
{
    return mb >= 1024 ? PreflightWords::tr("%1 GB").arg(mb / 1024.0, 0, 'f', 1)
                      : PreflightWords::tr("%1 MB").arg(mb);
}

} // namespace

QString PreflightKindName(PreflightKind kind)
{
    switch (kind) {
    case PreflightKind::NoSpace:
        return QStringLiteral("no-space");
    case PreflightKind::AlreadyInstalled:
        return QStringLiteral("already-installed");
    case PreflightKind::QueuedTwice:
        return QStringLiteral("queued-twice");
    case PreflightKind::PartitionClash:
        return QStringLiteral("partition-clash");
    case PreflightKind::PossibleDuplicate:
        return QStringLiteral("possible-duplicate");
    case PreflightKind::LeftIncomplete:
        return QStringLiteral("left-incomplete");
    case PreflightKind::SameFile:
        return QStringLiteral("same-file");
    case PreflightKind::SourceChanged:
        return QStringLiteral("source-changed");
    case PreflightKind::SourceMissing:
        return QStringLiteral("source-missing");
    case PreflightKind::SourceUnreadable:
        return QStringLiteral("source-unreadable");
    case PreflightKind::FolderProblem:
        return QStringLiteral("folder-problem");
    case PreflightKind::DestinationExists:
        return QStringLiteral("destination-exists");
    case PreflightKind::TargetUnreadable:
        return QStringLiteral("target-unreadable");
    case PreflightKind::TargetReadOnly:
        return QStringLiteral("target-read-only");
    }
    return {};
}

QString TargetFacts::partitionOf(const parse::GameRow& game) const
{
    return game.partition.isEmpty() ? PartitionName(game.title, game.startup, naming)
                                    : game.partition;
}

const parse::GameRow* TargetFacts::gameWithPartition(const QString& partition) const
{
    for (const parse::GameRow& g : games) {
        if (SamePartition(partitionOf(g), partition, naming))
            return &g;
    }
    return nullptr;
}

TargetFacts FactsOf(const parse::GameTable& table)
{
    TargetFacts facts;
    facts.read = true;
    facts.games = table.games;
    facts.availableMb = table.space ? table.space->totalMb - table.space->usedMb : 0;
    facts.space = table.space;
    facts.naming = table.dmaColumn ? PartitionNaming::Current : PartitionNaming::Older;
    return facts;
}

Target WriteTarget(const Job& job)
{
    switch (job.kind) {
    case JobKind::Install:
    case JobKind::CopyToHDD:
    case JobKind::CopyToPS2:
        return Target::Parse(job.destination).value_or(Target());
    case JobKind::MakeIso:
    case JobKind::CopyToPC:
        break;
    }
    return {};
}

Target SourceTarget(const Job& job)
{
    switch (job.kind) {
    case JobKind::CopyToPC:
    case JobKind::CopyToHDD:
    case JobKind::CopyToPS2:
        return Target::Parse(job.source).value_or(Target());
    case JobKind::Install:
    case JobKind::MakeIso:
        break;
    }
    return {};
}

namespace {

// What is taken on one target, looked up by partition and by startup: the games on it and
// the jobs checked so far (rows), so a long queue on a full disk is checked in linear time.
struct TargetIndex
{
    PartitionNaming naming = PartitionNaming::Current;
    QHash<QString, const parse::GameRow*> installed;
    QHash<QString, const parse::GameRow*> installedStartups;
    QHash<QString, int> queued;
    QHash<QString, int> queuedStartups;

    // The older naming tells no case apart.
    QString key(const QString& partition) const
    {
        return naming == PartitionNaming::Older ? partition.toCaseFolded() : partition;
    }
};

TargetIndex indexOf(const TargetFacts* facts)
{
    TargetIndex index;
    if (!facts || !facts->read)
        return index;
    index.naming = facts->naming;
    for (const parse::GameRow& g : facts->games) {
        index.installed.insert(index.key(facts->partitionOf(g)), &g);
        if (!g.startup.isEmpty() && !index.installedStartups.contains(g.startup))
            index.installedStartups.insert(g.startup, &g);
    }
    return index;
}

} // namespace

QList<PreflightIssue> CheckJobs(const QList<Job>& jobs, const QList<int>& rows,
                                const QHash<QString, TargetFacts>& targets)
{
    QList<PreflightIssue> issues;
    auto add = [&](int row, PreflightKind kind, const QString& text) {
        issues.append({row, kind, text, {}});
    };
    QHash<QString, qint64> plannedMb;
    QHash<QString, bool> spaceReported;
    QHash<QString, bool> unreadableReported;
    QHash<QString, TargetIndex> indexes;
    QHash<QString, int> files; // an image's path -> the first row that writes it

    for (const int row : rows) {
        if (row < 0 || row >= jobs.size())
            continue;
        const Job& job = jobs[row];
        if (job.kind == JobKind::Install && !IsDriveSource(job.source)) {
            const QFileInfo source(job.source);
            if (!source.isFile())
                add(row, PreflightKind::SourceMissing,
                    PreflightWords::tr("The image %1 is missing.").arg(job.source));
            else if (!source.isReadable())
                add(row, PreflightKind::SourceUnreadable,
                    PreflightWords::tr("The image %1 cannot be read.").arg(job.source));
            else if (job.sourceBytes > 0 && source.size() != job.sourceBytes)
                add(row, PreflightKind::SourceChanged,
                    PreflightWords::tr(
                        "The image %1 has changed since it was queued (%2 bytes then, %3 now): "
                        "queue it again.")
                        .arg(job.source)
                        .arg(job.sourceBytes)
                        .arg(source.size()));
        }
        if (job.kind == JobKind::MakeIso || job.kind == JobKind::CopyToPC) {
            const QString folder = FolderProblem(job.destination);
            const QString file = QFileInfo(job.destination).absoluteFilePath();
            if (const int earlier = files.value(file, -1); earlier >= 0)
                add(row, PreflightKind::SameFile,
                    PreflightWords::tr(
                        "Job %1 writes %2 too: the second would find the first's image there.")
                        .arg(earlier + 1)
                        .arg(job.destination));
            else
                files.insert(file, row);
            if (!folder.isEmpty())
                add(row, PreflightKind::FolderProblem, folder);
            else if (QFileInfo::exists(job.destination) && !job.replaceExisting)
                add(row, PreflightKind::DestinationExists,
                    PreflightWords::tr("%1 already exists.").arg(job.destination));
        }

        const QString target = WriteTarget(job).toolArgument();
        if (target.isEmpty())
            continue;
        const auto facts = targets.constFind(target);
        const bool known = facts != targets.cend() && facts->read;
        if (!indexes.contains(target))
            indexes.insert(target, indexOf(known ? &*facts : nullptr));
        TargetIndex& index = indexes[target];
        const PartitionNaming naming = index.naming;
        const QString partition = PartitionName(job.name, job.startup, naming);
        // The same name is the same game where the startup is part of the partition's name
        // or does not matter to it (the older naming).
        auto sameGame = [&](const QString& name, const QString& startup) {
            return name == job.name && (startup == job.startup || naming == PartitionNaming::Older);
        };
        // The tool refuses a game whose partition is taken, by an installed game or a job
        // before this one: the same game is "installed" or "queued twice", another a clash.
        bool refused = false;
        if (const int earlier = index.queued.value(index.key(partition), -1); earlier >= 0) {
            const Job& other = jobs[earlier];
            refused = true;
            if (sameGame(other.name, other.startup))
                add(row, PreflightKind::QueuedTwice,
                    PreflightWords::tr("\"%1\" is queued twice for %2 (jobs %3 and %4).")
                        .arg(job.name, target)
                        .arg(earlier + 1)
                        .arg(row + 1));
            else
                add(row, PreflightKind::PartitionClash,
                    PreflightWords::tr(
                        "\"%1\" (job %2) and \"%3\" would get the same partition name (%4) on "
                        "%5; the tool would refuse the second. Give one a different name.")
                        .arg(other.name)
                        .arg(earlier + 1)
                        .arg(job.name, partition, target));
        }
        if (facts != targets.cend() && !facts->read && !unreadableReported.value(target)) {
            unreadableReported[target] = true;
            add(row, PreflightKind::TargetUnreadable,
                PreflightWords::tr("%1 could not be read: %2").arg(target, facts->problem));
        }
        if (known && facts->readOnly && !unreadableReported.value(target)) {
            unreadableReported[target] = true;
            add(row, PreflightKind::TargetReadOnly,
                PreflightWords::tr("Nothing can be installed on %1: %2")
                    .arg(target, facts->readOnlyReason));
        }
        const parse::GameRow* installed =
            refused ? nullptr : index.installed.value(index.key(partition));
        // Less of it than the job writes, where an earlier run of this job found part of its
        // game on the disk: what a killed run left, not a game installed.
        const bool leftHalf = installed &&
                              (job.incomplete || job.error == ToolError::ServerGone ||
                               job.error == ToolError::Stalled) &&
                              sameGame(installed->title, installed->startup) && job.sizeKb > 0 &&
                              installed->sizeKb + 1024 < job.sizeKb;
        if (leftHalf) {
            refused = true;
            issues.append({row, PreflightKind::LeftIncomplete,
                           PreflightWords::tr(
                               "\"%1\" was left incomplete on %2 by an earlier run (%3 KB of %4 "
                               "KB): delete it first.")
                               .arg(job.name, target)
                               .arg(installed->sizeKb)
                               .arg(job.sizeKb),
                           facts->partitionOf(*installed)});
        } else if (installed) {
            refused = true;
            if (sameGame(installed->title, installed->startup))
                add(row, PreflightKind::AlreadyInstalled,
                    PreflightWords::tr("\"%1\" is already installed on %2.").arg(job.name, target));
            else
                add(row, PreflightKind::PartitionClash,
                    PreflightWords::tr(
                        "\"%1\" would get the partition name %2, which \"%3\" has on %4; the "
                        "tool would refuse it. Give it a different name.")
                        .arg(job.name, partition, installed->title, target));
        }
        // The same startup under another name is most likely the same game again.
        if (!refused && !job.startup.isEmpty()) {
            if (const parse::GameRow* same = index.installedStartups.value(job.startup)) {
                add(row, PreflightKind::PossibleDuplicate,
                    PreflightWords::tr(
                        "\"%1\" has the startup %2 of \"%3\", which is on %4 already: it may "
                        "be the same game.")
                        .arg(job.name, job.startup, same->title, target));
            } else if (const int earlier = index.queuedStartups.value(job.startup, -1);
                       earlier >= 0) {
                add(row, PreflightKind::PossibleDuplicate,
                    PreflightWords::tr(
                        "\"%1\" has the startup %2 of \"%3\" (job %4): it may be the same "
                        "game.")
                        .arg(job.name, job.startup, jobs[earlier].name)
                        .arg(earlier + 1));
            }
        }
        if (!index.queued.contains(index.key(partition)))
            index.queued.insert(index.key(partition), row);
        if (!job.startup.isEmpty() && !index.queuedStartups.contains(job.startup))
            index.queuedStartups.insert(job.startup, row);
        if (refused || !known)
            continue;

        qint64 size = job.sizeKb;
        if (size <= 0 && job.kind == JobKind::Install && !IsDriveSource(job.source))
            size = QFileInfo(job.source).size() / 1024;
        plannedMb[target] += SlicesMb(size);
        // The last free slice is never planned: an install that takes it breaks the table.
        if (plannedMb[target] + kSliceMb > facts->availableMb && !spaceReported.value(target)) {
            spaceReported[target] = true;
            add(row, PreflightKind::NoSpace,
                PreflightWords::tr(
                    "Not enough space on %1 from this job on: the games queued so far need %2 "
                    "in %3 MB slices, one slice is kept free, and %4 is free.")
                    .arg(target, sizeText(plannedMb[target]))
                    .arg(kSliceMb)
                    .arg(sizeText(facts->availableMb)));
        }
    }
    return issues;
}
