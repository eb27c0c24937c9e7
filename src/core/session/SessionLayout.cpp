// What a disk's own sectors say: read before the first write of an activity, and when the
// tool calls a table broken. A disk whose other half is another file system is written only
// through a view that ends where its PS2 area ends.
#include "ProblemText.h"
#include "Session.h"

#include "core/devices/Flags.h"
#include "core/devices/Probe.h"

bool Session::layoutReadable(const QString& target) const
{
    // A PS2 over its UDP server and the tool's own disk names (hdd1:) are read by the tool
    // alone.
    return IsNbdTarget(target) || DiskLayouts::IsReadablePath(target);
}

void Session::readLayout(const QString& target, bool whole,
                         std::function<void(const layout::DiskLayout&)> done)
{
    m_layouts.read(
        m_nbd.diskOf(target), whole, whole, [this, target, done](const layout::DiskLayout& found) {
            if (found.readError.isEmpty())
                m_layoutOf[target] = found;
            else
                m_runner.log().addNote(
                    tr("The layout of %1 could not be read: %2").arg(target, found.readError));
            done(found);
        });
}

std::optional<layout::DiskLayout> Session::layoutOf(const QString& target) const
{
    const auto it = m_layoutOf.constFind(target);
    if (it == m_layoutOf.cend())
        return std::nullopt;
    return *it;
}

bool Session::targetReadOnly() const
{
    return m_attached && m_facts.value(m_targetDevice).readOnly;
}

void Session::layoutUnchecked(const QString& target)
{
    if (m_uncheckedSaid.contains(target))
        return;
    m_uncheckedSaid.insert(target);
    // A PS2 over its UDP server reads no sector for anyone: the user is told. A disk name the
    // tool alone knows is written down.
    if (NormaliseIPv4(target))
        emit problem({ProblemKind::LayoutUnchecked, target, {}});
    else
        m_runner.log().addNote(tr("The layout of %1 was not checked: Ventrik cannot read its "
                                  "sectors.")
                                   .arg(target));
}

void Session::checkLayout(const QString& target, bool restoring,
                          std::function<void(const std::optional<Problem>&)> go)
{
    if (m_layoutChecked.contains(target)) {
        go(std::nullopt);
        return;
    }
    auto unchecked = [this, target, go] {
        layoutUnchecked(target);
        m_layoutChecked.insert(target);
        go(std::nullopt);
    };
    if (!layoutReadable(target)) {
        unchecked();
        return;
    }
    readLayout(target, true,
               [this, target, restoring, go, unchecked](const layout::DiskLayout& found) {
                   if (found.absent) {
                       unchecked();
                       return;
                   }
                   std::optional<Problem> refusal;
                   if (!found.readError.isEmpty())
                       refusal = Problem{ProblemKind::LayoutUnreadable, target, found.readError};
                   else if (!found.isApa())
                       refusal = Problem{
                           ProblemKind::NotPs2Disk, target, {}, layout::ContentText(found.content)};
                   else if (!found.damage.isEmpty() && !restoring)
                       refusal = Problem{ProblemKind::DamagedTable, target, {}, found.damage};
                   else if (found.smallSlices && found.damage.isEmpty())
                       refusal = Problem{ProblemKind::NewerLayout, target, {}};
                   if (refusal) {
                       go(refusal);
                       return;
                   }
                   if (!found.needsView()) {
                       m_layoutChecked.insert(target);
                       go(std::nullopt);
                       return;
                   }
                   openView(target, found, go);
               });
}

void Session::openView(const QString& target, const layout::DiskLayout& found,
                       std::function<void(const std::optional<Problem>&)> go)
{
    const QString beyond = found.hybrid ? tr("another file system (an exFAT partition)")
                                        : tr("space beyond the 2 TiB that PS2 partitions reach");
    m_nbd.setTool(m_paths.toolPath, m_paths.workingDir);
    m_nbd.knowBuild([this, target, found, beyond, go](ToolBuild build) {
        auto unavailable = [target, beyond, go](const QString& why) {
            go(Problem{ProblemKind::ViewUnavailable, target, why, beyond});
        };
        if (build == ToolBuild::DevicesOnly)
            return unavailable(tr("this hdl_dump is a release build, which takes devices only"));
        if (!m_nbd.canMountFiles())
            return unavailable(tr("it needs nbdfuse (the package libnbd-bin) and FUSE"));
        const qint64 bytes = found.apaEndBytes / layout::kSectorBytes * layout::kSectorBytes;
        m_layouts.openView(m_nbd.diskOf(target), bytes,
                           [this, target, bytes, unavailable, go](const QString& error) {
                               if (!error.isEmpty())
                                   return unavailable(error);
                               m_runner.log().addNote(
                                   tr("hdl_dump sees only the first %1 MB of %2, its PS2 area.")
                                       .arg(bytes / (1024 * 1024))
                                       .arg(target));
                               m_layoutChecked.insert(target);
                               go(std::nullopt);
                           });
    });
}

void Session::CountApaArea(TargetFacts& facts, const layout::DiskLayout& found)
{
    if (!facts.space || !found.isApa() || !found.needsView())
        return;
    const qint64 total = std::min(facts.space->totalMb, found.apaMb());
    facts.space = parse::SpaceOf(total, facts.space->usedMb);
    facts.availableMb = std::max<qint64>(0, total - facts.space->usedMb);
}

TargetFacts Session::examineRefusedTable(const QString& target, TargetFacts facts,
                                         const layout::DiskLayout& found, bool readBefore)
{
    if (!found.readError.isEmpty() || found.absent) {
        // Nothing more is known than the tool's refusal.
        facts.damaged = readBefore;
        return facts;
    }
    if (!found.isApa()) {
        m_layoutProblems.insert(
            target, {ProblemKind::NotPs2Disk, target, {}, layout::ContentText(found.content)});
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
    const std::optional<TocBackup> backup =
        found.smallSlices ? std::nullopt : newestTocBackup(target);
    const Problem said = found.smallSlices ? Problem{ProblemKind::NewerLayout, target, {}}
                                           : Problem{ProblemKind::TableRefused, target,
                                                     backup ? backup->file : QString()};
    facts.readOnlyReason = ProblemText({said.kind, said.subject, {}});
    m_layoutProblems.insert(target, said);
    return facts;
}
