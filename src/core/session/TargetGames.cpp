// The chosen target's games: reading them with their partitions, the facts of every target
// read, the games named, and the locks held while a target is written.
#include "TargetGames.h"

#include "ProblemText.h"

#include <QFileInfo>

#include <memory>
#include <utility>

namespace {

// A listing's read of the partitions, beside its read of the games.
struct PartitionRead
{
    bool begun = false;
    std::optional<RunOutcome> outcome;
    ToolRunner::Done waiting; // what needs the partitions, until they are read
    QMetaObject::Connection early;
};

} // namespace

TargetGames::TargetGames(Parts parts, QString dataDir, QObject* parent)
    : QObject(parent), m_runner(parts.runner), m_usage(parts.usage), m_locks(parts.locks),
      m_network(parts.network), m_nbd(parts.nbd), m_layouts(parts.layouts), m_gate(parts.gate),
      m_dataDir(std::move(dataDir))
{}

void TargetGames::detach()
{
    m_attached = false;
    m_space.reset();
    m_games.clear();
    emit gamesChanged();
}

bool TargetGames::isFresh(const Target& target) const
{
    return m_fresh.contains(target.toolArgument());
}

void TargetGames::markWritten(const Target& target)
{
    m_fresh.remove(target.toolArgument());
}

bool TargetGames::readOnly() const
{
    return m_attached && factsOf(m_target).readOnly;
}

QString TargetGames::readOnlyReason() const
{
    return factsOf(m_target).readOnlyReason;
}

void TargetGames::list(const Target& target,
                       std::function<void(const TargetFacts&, const RunOutcome&)> done, bool shown)
{
    const QString name = target.toolArgument();
    const bool readBefore = wasReadable(target);
    m_layoutProblems.remove(name);
    auto store = [this, name, done](const TargetFacts& facts, const RunOutcome& outcome) {
        m_facts[name] = facts;
        if (facts.read)
            m_fresh.insert(name);
        else
            m_fresh.remove(name);
        emit factsChanged();
        done(facts, outcome);
    };
    // The partitions are read by a second run, begun once the first has begun to print its
    // table: both only read the disk. A PS2's own server answers one client at a time, so there
    // the second waits for the first.
    auto parts = std::make_shared<PartitionRead>();
    auto beginParts = [this, parts, name] {
        QObject::disconnect(parts->early);
        if (parts->begun)
            return;
        parts->begun = true;
        m_runner.side({QStringLiteral("toc"), name}, [parts](const RunOutcome& toc) {
            parts->outcome = toc;
            if (ToolRunner::Done then = std::exchange(parts->waiting, nullptr))
                then(toc);
        });
    };
    auto early = [parts, beginParts](const QString& chunk) {
        // Only a table: a run that fails says so at once, and is not read twice.
        if (chunk.startsWith(QLatin1String("type")))
            beginParts();
        else
            QObject::disconnect(parts->early);
    };
    const bool beside = target.kind() != Target::Kind::Udp;
    // The list the user asked for shows in the activity view; the checks around a job do not
    // take its place.
    auto run = [this, shown, name, parts, early, beside](ToolRunner::Done read) {
        if (shown) {
            if (beside)
                parts->early = connect(&m_runner, &ToolRunner::outputArrived, this, early);
            m_runner.attempt({QStringLiteral("hdl_toc"), name}, read, m_runner.readTimeout());
            return;
        }
        ToolRun* listing = m_runner.side({QStringLiteral("hdl_toc"), name}, read);
        if (beside)
            parts->early = connect(listing, &ToolRun::output, this, early);
    };
    // A listing that failed ends only once a partition read under way has: no run outlives it.
    auto afterParts = [parts](std::function<void()> then) {
        QObject::disconnect(parts->early);
        if (parts->begun && !parts->outcome)
            parts->waiting = [then](const RunOutcome&) { then(); };
        else
            then();
    };
    // The space is that of the disk's PS2 area, which its first sector tells.
    auto counted = [this, target, store](TargetFacts facts, const RunOutcome& outcome) {
        if (!LayoutReadable(target)) {
            store(facts, outcome);
            return;
        }
        readLayout(target, false, [store, facts, outcome](const layout::DiskLayout& found) mutable {
            CountApaArea(facts, found);
            store(facts, outcome);
        });
    };
    auto failed = [this, target, readBefore, store](const RunOutcome& outcome) {
        TargetFacts facts;
        if (!outcome.succeeded() || outcome.error != ToolError::None) {
            facts.problem = outcome.reason(m_runner.toolName());
            const bool refused = outcome.error == ToolError::NotPs2Disk ||
                                 (outcome.normalExit && outcome.exitCode == 107);
            // What the tool calls broken is looked at: a sound table it cannot take, one
            // really damaged, or no PS2 disk at all.
            if (refused && LayoutReadable(target)) {
                readLayout(target, true,
                           [this, target, facts, outcome, readBefore,
                            store](const layout::DiskLayout& found) {
                               store(examineRefusedTable(target, facts, found, readBefore),
                                     outcome);
                           });
                return;
            }
            const QString file = target.toolArgument();
            if (outcome.normalExit && outcome.exitCode == 114 && QFileInfo(file).isFile())
                m_layoutProblems.insert(file, {ProblemKind::ToolTakesNoFiles, file, {}});
            facts.damaged = readBefore && refused;
            store(facts, outcome);
            return;
        }
        if (outcome.outputCut) {
            // The start of the table is gone: a part of it would pass for the whole.
            facts.problem = tr("The output was too large to be read.");
            store(facts, outcome);
            return;
        }
        // Never an empty disk: a table has its header and its total line.
        facts.notUnderstood = true;
        facts.problem = tr("The tool's output was not understood.");
        store(facts, outcome);
    };
    auto read = [this, failed, afterParts, beginParts, parts, counted](const RunOutcome& outcome) {
        std::optional<parse::GameTable> table;
        if (outcome.succeeded() && outcome.error == ToolError::None && !outcome.outputCut)
            table = parse::ParseGameTable(outcome.output);
        if (!table || !table->understood()) {
            afterParts([failed, outcome] { failed(outcome); });
            return;
        }
        TargetFacts facts = FactsOf(*table);
        // The partitions: the one name of each game that no other game on the disk has.
        // Read beside the listing, which the activity view keeps showing.
        beginParts();
        auto attach = [this, facts, outcome, counted](const RunOutcome& toc) mutable {
            const parse::PartitionTable found = parse::ParsePartitionTable(toc.output);
            if (toc.succeeded() && !toc.outputCut && found.understood())
                AttachPartitions(facts.games, found);
            else
                m_runner.log().addNote(tr("The partitions of the games could not be read: %1")
                                           .arg(toc.succeeded()
                                                    ? tr("the tool's output was not understood")
                                                    : toc.reason(m_runner.toolName())));
            counted(facts, outcome);
        };
        if (parts->outcome)
            attach(*parts->outcome);
        else
            parts->waiting = std::move(attach);
    };
    m_network.open(target, [this, shown, run, read, store](const std::optional<Problem>& p) {
        if (!p) {
            run(read);
            return;
        }
        // The tool was never started: the listing says nothing more than this (and nothing
        // when it was cancelled).
        TargetFacts facts;
        facts.problem = ProblemText(*p);
        if (shown && !m_runner.cancelRequested())
            emit problem(*p);
        store(facts, RunOutcome{});
    });
}

bool TargetGames::wasReadable(const Target& target) const
{
    return factsOf(target).read || newestBackup(target).has_value();
}

void TargetGames::release(std::function<bool()> stillIdle)
{
    m_layoutChecked.clear();
    if (!m_layouts.anyView()) {
        m_nbd.closeAll();
        return;
    }
    // A view may lie over an export's mount: it goes first, and the export once it has (unless
    // work has begun again, which the export's next closing serves).
    m_layouts.closeViews();
    m_layouts.whenClosed([this, stillIdle] {
        if (stillIdle())
            m_nbd.closeAll();
    });
}

void TargetGames::cutOff()
{
    m_runner.log().addNote(tr("hdl_dump did not end when it was killed: the disk it waits on "
                              "was cut off from Ventrik."));
    m_layouts.abortViews();
    m_nbd.abortMounts();
}

void TargetGames::refresh(std::function<void()> done)
{
    if (m_target.isNull()) {
        done();
        return;
    }
    if (m_target.isDisk()) {
        read(done);
        return;
    }
    m_network.findServer(m_target, [this, done](const std::optional<Problem>& silent) {
        if (silent)
            emit problem(*silent);
        if (silent || m_network.server() == NetworkServer::None) {
            done();
            return;
        }
        m_target = m_network.reachedTarget();
        read(done);
    });
}

void TargetGames::read(std::function<void()> done)
{
    // What the tool can do to the games is known before they are shown: rename and flags
    // are offered, or not, from the first moment.
    // A tool that could not tell is still asked for the list, which says why it failed.
    if (!m_usage.known() && m_commandsBeforeGames) {
        m_usage.know([this, done] {
            if (!m_runner.cancelRequested()) {
                listGames(done);
                return;
            }
            // Stopped before the list was asked for: nothing is shown as attached.
            m_attached = false;
            m_space.reset();
            m_games.setGames({});
            emit gamesChanged();
            done();
        });
        return;
    }
    listGames(done);
}

void TargetGames::tellDamage(const Target& target, const TargetFacts& facts)
{
    const std::optional<TocBackup> backup = newestBackup(target);
    emit problem({ProblemKind::DamagedTable, target.toolArgument(),
                  backup ? backup->file : QString(), facts.damage});
}

void TargetGames::listGames(std::function<void()> done)
{
    const Target target = m_target;
    list(
        target,
        [this, target, done](const TargetFacts& facts, const RunOutcome& outcome) {
            const QString name = target.toolArgument();
            m_attached = false;
            m_space.reset();
            QList<parse::GameRow> rows;
            const auto said = m_layoutProblems.constFind(name);
            if (outcome.error == ToolError::ConnectionRefused) {
                emit problem({ProblemKind::ReloadServer, name, {}});
            } else if (outcome.error == ToolError::NetworkTimeout) {
                emit problem({ProblemKind::PS2NotAnswering, name, {}});
            } else if (facts.damaged) {
                tellDamage(target, facts);
            } else if (said != m_layoutProblems.cend()) {
                emit problem(*said);
            } else if (outcome.error == ToolError::NotPs2Disk) {
                emit problem({ProblemKind::NotPs2Disk, name, {}});
            } else if (outcome.cancelled) {
                // The user stopped it; there is nothing to tell.
            } else if (facts.notUnderstood) {
                emit problem({ProblemKind::OutputNotUnderstood, name, {}});
            } else if (!facts.read) {
                // A failed listing is no empty disk; a tool that could not start was told
                // already.
                if (outcome.started)
                    emit problem({ProblemKind::ListingFailed, name, facts.problem});
            }
            // Games read from the disk's sectors are shown too, for reading.
            if (facts.read) {
                rows = facts.games;
                m_space = facts.space;
                m_attached = true;
            }
            m_games.setGames(std::move(rows));
            emit gamesChanged();
            done();
        },
        true);
}

bool TargetGames::readTargetFacts(const Target& target)
{
    if (target.isNull() || !m_gate.begin(Activity::ReadingGames))
        return false;
    readFacts(target, [this](const TargetFacts&) { m_gate.end(); });
    return true;
}

void TargetGames::readFacts(const Target& target, std::function<void(const TargetFacts&)> done)
{
    list(
        target,
        [this, target, done](const TargetFacts& facts, const RunOutcome&) {
            // A table broken since it was last read is said at once, also in the middle of a run.
            if (facts.damaged)
                tellDamage(target, facts);
            done(facts);
        },
        false);
}

std::optional<parse::GameRow> TargetGames::named(const QString& name)
{
    const QList<int> rows = GamesNamed(m_games.games(), name);
    if (rows.size() == 1)
        return m_games.game(rows.first());
    if (rows.isEmpty()) {
        emit problem({ProblemKind::GameNotFound, name, m_target.toolArgument()});
        return std::nullopt;
    }
    QStringList partitions;
    for (const int row : rows) {
        const QString p = m_games.game(row).partition;
        partitions << (p.isEmpty() ? tr("(partition unknown)") : p);
    }
    emit problem({ProblemKind::AmbiguousTitle, name, partitions.join(QStringLiteral(", "))});
    return std::nullopt;
}

void TargetGames::withGames(std::function<void()> go, std::function<void()> stop)
{
    // An operation on a game needs the list that names it; a list that could not be read
    // has said why, and nothing is named from it.
    if (m_attached) {
        go();
        return;
    }
    read([this, go, stop] {
        if (m_attached)
            go();
        else
            stop();
    });
}

bool TargetGames::refuseReadOnly()
{
    if (!readOnly())
        return false;
    const QString name = m_target.toolArgument();
    const auto said = m_layoutProblems.constFind(name);
    emit problem(said != m_layoutProblems.cend() ? *said
                                                 : Problem{ProblemKind::NewerLayout, name, {}});
    return true;
}

void TargetGames::whileLocked(const Target& target, const QString& holder, std::function<void()> go,
                              std::function<void()> stop)
{
    m_locks.lock(target, holder, [this, target, go, stop](bool locked) {
        if (!locked) {
            stop();
            return;
        }
        m_network.open(target, [this, go, stop](const std::optional<Problem>& p) {
            if (!p) {
                go();
                return;
            }
            if (!m_runner.cancelRequested())
                emit problem(*p);
            stop();
        });
    });
}

void TargetGames::whileWritable(const Target& target, const QString& holder,
                                std::function<void()> go, std::function<void()> stop)
{
    whileLocked(
        target, holder,
        [this, target, go, stop] {
            checkLayout(target, false, [this, go, stop](const std::optional<Problem>& p) {
                if (!p) {
                    go();
                    return;
                }
                emit problem(*p);
                stop();
            });
        },
        stop);
}
