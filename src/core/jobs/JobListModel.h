#pragma once

#include "Job.h"

#include <QAbstractTableModel>
#include <QList>

// The job queue: rows (from 0) in the order they were added.
class JobListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    static const QStringList& Columns();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Appends the job as Pending; checks nothing, duplicates and empty values included.
    void addJob(Job job);
    int count() const { return static_cast<int>(m_jobs.size()); }
    // Rows out of range read as an empty job and are ignored when written.
    const Job& job(int row) const;
    void setJob(int row, const Job& job);
    void setState(int row, JobState state);
    void removeJob(int row);
    void clear();

private:
    QList<Job> m_jobs;
};
