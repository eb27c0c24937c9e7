#include "JobListModel.h"

const QStringList& JobListModel::Columns()
{
    static const QStringList columns{QStringLiteral("Result"), QStringLiteral("Task"),
                                     QStringLiteral("Source"), QStringLiteral("Destination"),
                                     QStringLiteral("Name"),   QStringLiteral("Startup"),
                                     QStringLiteral("Type"),   QStringLiteral("Flags")};
    return columns;
}

int JobListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

int JobListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(Columns().size());
}

QVariant JobListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count() ||
        (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const JobRecord& j = m_jobs[index.row()];
    switch (index.column()) {
    case 0:
        return j.result;
    case 1:
        return j.task;
    case 2:
        return j.source;
    case 3:
        return j.destination;
    case 4:
        return j.name;
    case 5:
        return j.startup;
    case 6:
        return j.type;
    case 7:
        return j.flags;
    default:
        return {};
    }
}

QVariant JobListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < Columns().size())
        return Columns()[section];
    return {};
}

void JobListModel::AddJob(const QString& kind, const QString& source, const QString& destination,
                          const QString& name, const QString& startup, const QString& type,
                          const QString& flags)
{
    beginInsertRows({}, count(), count());
    m_jobs.append({JobResult::Pending, kind, source, destination, name, startup, type, flags});
    endInsertRows();
}

const JobRecord& JobListModel::job(int row) const
{
    static const JobRecord none;
    return row >= 1 && row <= count() ? m_jobs[row - 1] : none;
}

void JobListModel::setResult(int row, const QString& result)
{
    if (row < 1 || row > count())
        return;
    m_jobs[row - 1].result = result;
    const QModelIndex cell = index(row - 1, 0);
    emit dataChanged(cell, cell, {Qt::DisplayRole});
}

void JobListModel::setReplaceExisting(int row, bool replace)
{
    if (row >= 1 && row <= count())
        m_jobs[row - 1].replaceExisting = replace;
}

void JobListModel::removeJob(int row)
{
    if (row < 1 || row > count())
        return;
    beginRemoveRows({}, row - 1, row - 1);
    m_jobs.removeAt(row - 1);
    endRemoveRows();
}

void JobListModel::clear()
{
    beginResetModel();
    m_jobs.clear();
    endResetModel();
}
