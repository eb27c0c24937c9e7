#pragma once

#include "Job.h"

#include <QAbstractTableModel>
#include <QList>

class JobListModel;

// "7 installed, 1 failed": what a run of the given rows did.
QString RunSummaryText(const JobListModel& jobs, const QList<int>& rows);

// The job queue: rows (from 0) in the order they were added.
class JobListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // A problem found with the job before it runs (an icon and a tooltip in the window).
    static constexpr int WarningRole = Qt::UserRole + 1;

    static const QStringList& Columns();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Appends the job as Pending; checks nothing, duplicates and empty values included.
    void addJob(Job job);
    // Many at the end in one change (saved once).
    void addJobs(const QList<Job>& jobs);
    void removeLastJobs(int n);
    int count() const { return static_cast<int>(m_jobs.size()); }
    // Rows out of range read as an empty job and are ignored when written.
    const Job& job(int row) const;
    void setJob(int row, const Job& job);
    void setState(int row, JobState state);
    // The job in that state: what the state leaves behind (a result, an error) cleared.
    static Job InState(Job job, JobState state);
    void removeJob(int row);
    // Back where it was (an undone removal): the job as it was, state and result included.
    void insertJob(int row, const Job& job);
    // The job at from goes to the place to (both rows of the list as it is now).
    bool moveJob(int from, int to);
    void clear();
    // Every job at once, as a saved queue is read back.
    void setJobs(const QList<Job>& jobs);
    const QList<Job>& allJobs() const { return m_jobs; }
    QString warning(int row) const { return m_warnings.value(row); }
    void setWarning(int row, const QString& text);
    // Every row's warning at once (one per row), told in one change.
    void setWarnings(const QList<QString>& texts);
    int pendingCount() const;

    // Rows are dragged to a new place in the list; nothing else is dropped on it.
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

    // Changes of jobs made as one step (a run going from one job to the next): each is told by
    // jobChanged as it is made, and settled once, when the last of these guards goes or when
    // settle() is called first (before anything outside the program acts on them).
    class OneStep
    {
    public:
        explicit OneStep(JobListModel& jobs) : m_jobs(jobs) { ++m_jobs.m_steps; }
        ~OneStep()
        {
            if (--m_jobs.m_steps == 0)
                m_jobs.settle();
        }
        OneStep(const OneStep&) = delete;
        OneStep& operator=(const OneStep&) = delete;

    private:
        JobListModel& m_jobs;
    };
    // Whether a step is under way: its changes are told settled later.
    bool inStep() const { return m_steps > 0; }
    // The changes of the step so far are settled now; the step goes on.
    void settle();

signals:
    // A job's own values changed (its state, its result); a warning is not one.
    void jobChanged(int row);
    // The changes of a step are made (told only when a step changed a job).
    void settled();

private:
    QList<Job> m_jobs;
    QList<QString> m_warnings; // beside m_jobs, row for row
    int m_steps = 0;
    bool m_unsettled = false;
};
