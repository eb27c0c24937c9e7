#pragma once

#include "JobRecord.h"

#include <QAbstractTableModel>
#include <QList>

// The job queue: rows in the order they were added; a row's number (from 1)
// is the job's identity while the queue runs.
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

    // Appends a "Pending" row; checks nothing, duplicates and empty values included.
    void AddJob(const QString& kind, const QString& source, const QString& destination,
                const QString& name, const QString& startup, const QString& type,
                const QString& flags);
    int count() const { return static_cast<int>(m_jobs.size()); }
    // 1-based, as the runner numbers jobs; rows out of range are ignored.
    const JobRecord& job(int row) const;
    void setResult(int row, const QString& result);
    void setReplaceExisting(int row, bool replace);
    void removeJob(int row);
    void clear();

private:
    QList<JobRecord> m_jobs;
};
