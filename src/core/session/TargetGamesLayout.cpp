// What a disk's own sectors say: read before the first write of an activity, and when the
// tool calls a table broken. A disk whose other half is another file system is written only
// through a view that ends where its PS2 area ends.
#include "TargetGames.h"

#include "ProblemText.h"

bool TargetGames::LayoutReadable(const Target& target)
{
    // A PS2 over its UDP server and the tool's own disk names (hdd1:) are read by the tool
    // alone.
    return target.isNbd() ||
           (target.isDisk() && DiskLayouts::IsReadablePath(target.toolArgument()));
}

void TargetGames::readLayout(const Target& target, bool whole,
                             std::function<void(const layout::DiskLayout&)> done)
{
    const QString name = target.toolArgument();
    m_layouts.read(
        m_nbd.diskOf(name), whole, whole, [this, name, done](const layout::DiskLayout& found) {
            if (found.readError.isEmpty())
                m_layoutOf[name] = found;
            else
                m_runner.log().addNote(
                    tr("The layout of %1 could not be read: %2").arg(name, found.readError));
            done(found);
        });
}

std::optional<layout::DiskLayout> TargetGames::layoutOf(const Target& target) const
{
    const auto it = m_layoutOf.constFind(target.toolArgument());
    if (it == m_layoutOf.cend())
        return std::nullopt;
    return *it;
}

void TargetGames::layoutUnchecked(const Target& target)
{
    const QString name = target.toolArgument();
    if (m_uncheckedSaid.contains(name))
        return;
    m_uncheckedSaid.insert(name);
    // A PS2 over its UDP server reads no sector for anyone: the user is told. A disk name the
    // tool alone knows is written down.
    if (target.kind() == Target::Kind::Udp)
        emit problem({ProblemKind::LayoutUnchecked, name, {}});
    else
        m_runner.log().addNote(
            tr("The layout of %1 was not checked: Ventrik cannot read its sectors.").arg(name));
}

void TargetGames::checkLayout(const Target& target, bool restoring, Checked go)
{
    const QString name = target.toolArgument();
    if (m_layoutChecked.contains(name)) {
        go(std::nullopt);
        return;
    }
    auto unchecked = [this, target, name, go] {
        layoutUnchecked(target);
        m_layoutChecked.insert(name);
        go(std::nullopt);
    };
    if (!LayoutReadable(target)) {
        unchecked();
        return;
    }
    readLayout(target, true,
               [this, target, name, restoring, go, unchecked](const layout::DiskLayout& found) {
                   if (found.absent) {
                       unchecked();
                       return;
                   }
                   std::optional<Problem> refusal;
                   if (!found.readError.isEmpty())
                       refusal = Problem{ProblemKind::LayoutUnreadable, name, found.readError};
                   else if (!found.isApa())
                       refusal = Problem{
                           ProblemKind::NotPs2Disk, name, {}, layout::ContentText(found.content)};
                   else if (!found.damage.isEmpty() && !restoring)
                       refusal = Problem{ProblemKind::DamagedTable, name, {}, found.damage};
                   else if (found.smallSlices && found.damage.isEmpty())
                       refusal = Problem{ProblemKind::NewerLayout, name, {}};
                   if (refusal) {
                       go(refusal);
                       return;
                   }
                   if (!found.needsView()) {
                       m_layoutChecked.insert(name);
                       go(std::nullopt);
                       return;
                   }
                   openView(target, found, go);
               });
}

void TargetGames::openView(const Target& target, const layout::DiskLayout& found, Checked go)
{
    const QString name = target.toolArgument();
    const QString beyond = found.hybrid ? tr("another file system (an exFAT partition)")
                                        : tr("space beyond the 2 TiB that PS2 partitions reach");
    m_nbd.setTool(m_runner.toolPath(), m_runner.workingDir());
    m_nbd.knowBuild([this, name, found, beyond, go](ToolBuild build) {
        auto unavailable = [name, beyond, go](const QString& why) {
            go(Problem{ProblemKind::ViewUnavailable, name, why, beyond});
        };
        if (build == ToolBuild::DevicesOnly)
            return unavailable(tr("this hdl_dump is a release build, which takes devices only"));
        if (!m_nbd.canMountFiles())
            return unavailable(tr("it needs nbdfuse (the package libnbd-bin) and FUSE"));
        const qint64 bytes = found.apaEndBytes / layout::kSectorBytes * layout::kSectorBytes;
        m_layouts.openView(
            m_nbd.diskOf(name), bytes, [this, name, bytes, unavailable, go](const QString& error) {
                if (!error.isEmpty())
                    return unavailable(error);
                m_runner.log().addNote(tr("hdl_dump sees only the first %1 MB of %2, its PS2 area.")
                                           .arg(bytes / (1024 * 1024))
                                           .arg(name));
                m_layoutChecked.insert(name);
                go(std::nullopt);
            });
    });
}

void TargetGames::format(const QString& device, const QString& label,
                         std::function<void(bool ran, const std::optional<Problem>&)> done)
{
    auto initialize = [this, device, label, done] {
        m_runner.attempt({QStringLiteral("initialize"), device},
                         [this, label, done](const RunOutcome& outcome) {
                             if (!outcome.succeeded() || outcome.error == ToolError::UnknownCommand)
                                 done(true, Problem{ProblemKind::FormatFailed, label,
                                                    outcome.reason(m_runner.toolName())});
                             else
                                 done(true, std::nullopt);
                         });
    };
    const Target disk = Target::Disk(device);
    if (!LayoutReadable(disk)) {
        initialize();
        return;
    }
    // A disk of another PS2 disk kit keeps what that kit made: its exFAT partition, its
    // 8 MB partitions. hdl_dump's format would take them all.
    readLayout(disk, true, [label, done, initialize](const layout::DiskLayout& found) {
        QString holds;
        if (found.isApa() && found.hybrid)
            holds = tr("a PS2 area beside another file system (an exFAT partition)");
        else if (found.isApa() && found.smallSlices)
            holds = tr("the 8 MB partitions of a newer PS2 disk tool");
        if (holds.isEmpty())
            initialize();
        else
            done(false, Problem{ProblemKind::FormatRefused, label, holds});
    });
}

void TargetGames::CountApaArea(TargetFacts& facts, const layout::DiskLayout& found)
{
    if (!facts.space || !found.isApa() || !found.needsView())
        return;
    const qint64 total = std::min(facts.space->totalMb, found.apaMb());
    facts.space = parse::SpaceOf(total, facts.space->usedMb);
    facts.availableMb = std::max<qint64>(0, total - facts.space->usedMb);
}

TargetFacts TargetGames::examineRefusedTable(const Target& target, TargetFacts facts,
                                             const layout::DiskLayout& found, bool readBefore)
{
    const QString name = target.toolArgument();
    if (!found.readError.isEmpty() || found.absent) {
        // Nothing more is known than the tool's refusal.
        facts.damaged = readBefore;
        return facts;
    }
    if (!found.isApa()) {
        m_layoutProblems.insert(
            name, {ProblemKind::NotPs2Disk, name, {}, layout::ContentText(found.content)});
        return facts;
    }
    if (!found.damage.isEmpty()) {
        facts.damaged = true;
        facts.damage = found.damage;
        return facts;
    }
    // A sound chain the tool will not take: its games as the disk records them, for reading.
    facts.read = true;
    facts.readOnly = true;
    facts.naming = PartitionNaming::Current;
    for (const layout::Game& g : found.games) {
        parse::GameRow row;
        row.type = g.dvd ? QStringLiteral("DVD") : QStringLiteral("CD");
        row.sizeKb = g.sizeKb;
        row.sizeText = parse::GameSizeText(static_cast<double>(g.sizeKb));
        QList<bool> ticked;
        for (int bit = 0; bit < 8; ++bit)
            ticked << ((g.flags >> bit) & 1U);
        row.flags = CompatFlags::fromTicked(ticked).toolText().mid(1);
        row.startup = g.startup;
        row.title = g.title;
        row.partition = g.partition;
        facts.games << row;
    }
    const qint64 usedMb = qint64{found.usedEnd} * layout::kSectorBytes / (1024 * 1024);
    facts.space = parse::SpaceOf(found.apaMb(), usedMb);
    facts.availableMb = 0;
    const std::optional<TocBackup> backup = found.smallSlices ? std::nullopt : newestBackup(target);
    const Problem said = found.smallSlices ? Problem{ProblemKind::NewerLayout, name, {}}
                                           : Problem{ProblemKind::TableRefused, name,
                                                     backup ? backup->file : QString()};
    facts.readOnlyReason = ProblemText({said.kind, said.subject, {}});
    m_layoutProblems.insert(name, said);
    return facts;
}
