#include "Preflight.h"

#include "JobCommands.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("Preflight", text);
}

QString sizeText(qint64 mb)
{
    return mb >= 1024 ? QStringLiteral("%1 GB").arg(mb / 1024.0, 0, 'f', 1)
                      : QStringLiteral("%1 MB").arg(mb);
}

// The partition name field holds 32 bytes with its terminating zero.
QString cutTo31Bytes(const QString& text)
{
    QString cut = text;
    while (cut.toUtf8().size() > 31)
        cut.chop(1);
    return cut;
}

} // namespace

QString PartitionName(const QString& name, const QString& startup, PartitionNaming naming)
{
    if (naming == PartitionNaming::Older)
        return cutTo31Bytes(QStringLiteral("PP.HDL.") + name);
    // Measured: a game without a startup gets "PP." alone.
    if (startup.isEmpty())
        return QStringLiteral("PP.");
    QString start = startup;
    start.replace(u'_', u'-').remove(u'.');
    QString upper;
    for (const QChar c : name.toUpper()) {
        const bool plain = (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
        upper += plain ? c : QChar(u'_');
    }
    return cutTo31Bytes(QStringLiteral("PP.") + start + QStringLiteral("..") + upper);
}

qint64 SlicesMb(qint64 sizeKb)
{
    const qint64 sliceKb = kSliceMb * 1024;
    return std::max<qint64>(1, (sizeKb + sliceKb - 1) / sliceKb) * kSliceMb;
}

TargetFacts FactsOf(const parse::GameTable& table)
{
    TargetFacts facts;
    facts.read = true;
    facts.games = table.games;
    facts.availableMb = table.space ? table.space->totalMb - table.space->usedMb : 0;
    facts.naming = table.dmaColumn ? PartitionNaming::Current : PartitionNaming::Older;
    return facts;
}

QString WriteTarget(const Job& job)
{
    switch (job.kind) {
    case JobKind::Install:
    case JobKind::CopyToHDD:
    case JobKind::CopyToPS2:
        return job.destination;
    case JobKind::MakeIso:
    case JobKind::CopyToPC:
        break;
    }
    return {};
}

bool IsDriveSource(const QString& source)
{
    static const QRegularExpression re(QStringLiteral("^(cd[0-9]+:|/dev/)"));
    return re.match(source).hasMatch();
}

QList<PreflightIssue> CheckJobs(const QList<Job>& jobs, const QList<int>& rows,
                                const QHash<QString, TargetFacts>& targets)
{
    QList<PreflightIssue> issues;
    auto add = [&](int row, PreflightKind kind, const QString& text) {
        issues.append({row, kind, text});
    };
    QHash<QString, qint64> plannedMb;
    QHash<QString, bool> spaceReported;
    QHash<QString, bool> unreadableReported;
    // Per target: names and partition names already taken, by installed games or earlier jobs.
    QHash<QString, QHash<QString, QString>> partitions; // target -> partition -> game name
    QHash<QString, QHash<QString, int>> queuedNames;    // target -> name -> first row
    for (auto it = targets.cbegin(); it != targets.cend(); ++it) {
        for (const parse::GameRow& g : it->games)
            partitions[it.key()].insert(PartitionName(g.title, g.startup, it->naming), g.title);
    }

    for (const int row : rows) {
        if (row < 0 || row >= jobs.size())
            continue;
        const Job& job = jobs[row];
        if (job.kind == JobKind::Install && !IsDriveSource(job.source)) {
            const QFileInfo source(job.source);
            if (!source.isFile())
                add(row, PreflightKind::SourceMissing,
                    tr("The image %1 is missing.").arg(job.source));
            else if (!source.isReadable())
                add(row, PreflightKind::SourceUnreadable,
                    tr("The image %1 cannot be read.").arg(job.source));
        }
        if (job.kind == JobKind::MakeIso || job.kind == JobKind::CopyToPC) {
            const QString folder = FolderProblem(job.destination);
            if (!folder.isEmpty())
                add(row, PreflightKind::FolderProblem, folder);
            else if (QFileInfo::exists(job.destination) && !job.replaceExisting)
                add(row, PreflightKind::DestinationExists,
                    tr("%1 already exists.").arg(job.destination));
        }

        const QString target = WriteTarget(job);
        if (target.isEmpty())
            continue;
        const int first = queuedNames[target].value(job.name, -1);
        if (first >= 0)
            add(row, PreflightKind::QueuedTwice,
                tr("\"%1\" is queued twice for %2 (jobs %3 and %4).")
                    .arg(job.name, target)
                    .arg(first + 1)
                    .arg(row + 1));
        else
            queuedNames[target].insert(job.name, row);

        const auto facts = targets.constFind(target);
        if (facts == targets.cend())
            continue;
        if (!facts->read) {
            if (!unreadableReported.value(target)) {
                unreadableReported[target] = true;
                add(row, PreflightKind::TargetUnreadable,
                    tr("%1 could not be read: %2").arg(target, facts->problem));
            }
            continue;
        }
        bool installed = false;
        for (const parse::GameRow& g : facts->games)
            installed = installed || g.title == job.name;
        // A job the tool will refuse takes no space.
        bool refused = first >= 0;
        if (installed) {
            add(row, PreflightKind::AlreadyInstalled,
                tr("\"%1\" is already installed on %2.").arg(job.name, target));
            refused = true;
        } else if (first < 0) {
            const QString partition = PartitionName(job.name, job.startup, facts->naming);
            const QString taken = partitions[target].value(partition);
            refused = partitions[target].contains(partition);
            if (refused)
                add(row, PreflightKind::PartitionClash,
                    tr("\"%1\" and \"%2\" would get the same partition name (%3) on %4; "
                       "the tool would refuse the second. Give one a different name.")
                        .arg(taken, job.name, partition, target));
            else
                partitions[target].insert(partition, job.name);
        }
        if (refused)
            continue;

        qint64 size = job.sizeKb;
        if (size <= 0 && job.kind == JobKind::Install && !IsDriveSource(job.source))
            size = QFileInfo(job.source).size() / 1024;
        plannedMb[target] += SlicesMb(size);
        // The last free slice is never planned: the tools have broken partition tables
        // on installs that took it.
        if (plannedMb[target] + kSliceMb > facts->availableMb && !spaceReported.value(target)) {
            spaceReported[target] = true;
            add(row, PreflightKind::NoSpace,
                tr("Not enough space on %1 from this job on: the games queued so far need %2 "
                   "in %3 MB slices, one slice is kept free, and %4 is free.")
                    .arg(target, sizeText(plannedMb[target]))
                    .arg(kSliceMb)
                    .arg(sizeText(facts->availableMb)));
        }
    }
    return issues;
}
