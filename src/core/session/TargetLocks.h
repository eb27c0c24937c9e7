#pragma once

#include "Problem.h"
#include "ToolRunner.h"
#include "core/devices/Target.h"
#include "core/jobs/TargetLock.h"

#include <QElapsedTimer>
#include <QObject>

#include <functional>
#include <map>
#include <memory>
#include <utility>

// One writer per disk, PS2 and image file, across programs: the locks this session holds for
// the activity under way, waiting for another Ventrik to let go (or refusing at once), and the
// tool a program that died left writing, ended before anything is written again.
class TargetLocks : public QObject
{
    Q_OBJECT
public:
    using Locked = std::function<void(bool locked)>;
    // A tool process: its id and its start time (the same id may be another process later).
    using Process = std::pair<qint64, quint64>;

    TargetLocks(QString folder, ToolRunner& runner, QObject* parent = nullptr);

    // A target another Ventrik writes to is waited for (the default), or refused at once.
    void setWaitForTargets(bool wait) { m_wait = wait; }
    // go(true) once this session holds the target's lock (until unlockAll); go(false) when it
    // was refused, or the wait was cancelled. holder says who writes, for those who wait:
    // "queue", "install", "copy", "change", "restore".
    void lock(const Target& target, const QString& holder, Locked go);
    // The same for an image file that is to be written.
    void lockImageFile(const QString& file, const QString& holder, Locked go);
    // The tool now writing, written beside every lock held.
    void recordTool(qint64 pid);
    void unlockAll();
    // Tools an earlier Ventrik left running are asked to end, then made to; done() once none runs.
    void endLeftovers(QList<Process> alive, std::function<void()> done);

signals:
    void problem(const Problem& problem);

private:
    void take(const QString& key, const QString& shown, std::unique_ptr<TargetLock> made,
              const QString& holder, Locked go);
    void waitFor(const QString& key, const QString& holder, Locked go);
    void endLeftoverTool(const TargetLock& lock, std::function<void()> done);
    void waitForLeftovers(QList<Process> alive, std::shared_ptr<QElapsedTimer> clock,
                          std::function<void()> done);

    static constexpr int kRetryMs = 300;
    static constexpr int kLeftoverGraceMs = 2000;
    QString m_folder;
    ToolRunner& m_runner;
    bool m_wait = true;
    std::map<QString, std::unique_ptr<TargetLock>> m_locks; // by "disk T" or "image F"
};
