#include "JobListModel.h"

#include <QCoreApplication>
#include <QMimeData>
#include <QUuid>

#include <algorithm>

QString NameSourceText(NameSource source)
{
    switch (source) {
    case NameSource::Typed:
        break;
    case NameSource::DiscDatabase:
        return QCoreApplication::translate("Job", "Named by hdl_dump's disc database");
    case NameSource::TitleIndex:
        return QCoreApplication::translate("Job", "Named by the game index (GameIndex.yaml)");
    case NameSource::FileName:
        return QCoreApplication::translate("Job", "Named after the image file");
    case NameSource::DiscLabel:
        return QCoreApplication::translate("Job", "Named after the disc's label");
    }
    return QCoreApplication::translate("Job", "Named as typed");
}

QString JobKindText(JobKind kind)
{
    switch (kind) {
    case JobKind::Install:
        return QCoreApplication::translate("JobListModel", "Install");
    case JobKind::MakeIso:
        return QCoreApplication::translate("JobListModel", "Make ISO");
    case JobKind::CopyToPC:
        return QCoreApplication::translate("JobListModel", "Copy to PC");
    case JobKind::CopyToPS2:
        return QCoreApplication::translate("JobListModel", "Copy to PS2");
    case JobKind::CopyToHDD:
        return QCoreApplication::translate("JobListModel", "Copy to HDD");
    }
    return {};
}

QString DiscTypeText(DiscType type)
{
    return type == DiscType::CD ? QCoreApplication::translate("JobListModel", "CD-ROM")
                                : QCoreApplication::translate("JobListModel", "DVD-ROM");
}

QString NewJobId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QString JobResultText(const Job& job)
{
    switch (job.state) {
    case JobState::Pending:
        return QCoreApplication::translate("JobListModel", "Pending");
    case JobState::Active:
        return QCoreApplication::translate("JobListModel", "Active");
    case JobState::Complete:
        if (!job.notVerified.isEmpty())
            return QCoreApplication::translate("JobListModel", "Complete, not verified: %1")
                .arg(job.notVerified);
        if (!job.toolReported.isEmpty())
            return QCoreApplication::translate("JobListModel",
                                               "Complete (verified; the tool reported: %1)")
                .arg(job.toolReported);
        return QCoreApplication::translate("JobListModel", "Complete");
    case JobState::Aborted:
        return QCoreApplication::translate("JobListModel", "Cancelled");
    case JobState::Failed:
        break;
    }
    if (job.incomplete)
        return QCoreApplication::translate("JobListModel", "Incomplete on disk");
    switch (job.error) {
    case ToolError::Unsupported:
        return QCoreApplication::translate("JobListModel",
                                           "Error (Input or output is unsupported)");
    case ToolError::FileExists:
        return QCoreApplication::translate("JobListModel", "Error (File already exists)");
    case ToolError::NoSpace:
        return QCoreApplication::translate("JobListModel", "Error (Insufficient disk space)");
    case ToolError::BadParameter:
        return QCoreApplication::translate("JobListModel", "Error (The parameter is incorrect)");
    default:
        break;
    }
    if (job.noResult)
        return QCoreApplication::translate("JobListModel", "Error (Dual-Layer DVD?)");
    return QCoreApplication::translate("JobListModel", "Error (%1)").arg(job.reason);
}

const QStringList& JobListModel::Columns()
{
    static const QStringList columns = [] {
        QStringList names;
        for (const char* name : {QT_TRANSLATE_NOOP("JobListModel", "Result"),
                                 QT_TRANSLATE_NOOP("JobListModel", "Task"),
                                 QT_TRANSLATE_NOOP("JobListModel", "Source"),
                                 QT_TRANSLATE_NOOP("JobListModel", "Destination"),
                                 QT_TRANSLATE_NOOP("JobListModel", "Name"),
                                 QT_TRANSLATE_NOOP("JobListModel", "Startup"),
                                 QT_TRANSLATE_NOOP("JobListModel", "Type"),
                                 QT_TRANSLATE_NOOP("JobListModel", "Flags")})
            names << QString::fromLatin1(name);
        return names;
    }();
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
    if (!index.isValid() || index.row() >= count())
        return {};
    const Job& j = m_jobs[index.row()];
    if (role == WarningRole)
        return m_warnings.value(index.row());
    if (role == Qt::ToolTipRole && index.column() == 0) {
        QStringList tip{JobResultText(j)};
        if (!j.note.isEmpty())
            tip << j.note;
        if (!m_warnings.value(index.row()).isEmpty())
            tip << m_warnings.value(index.row());
        return tip.join(u'\n');
    }
    if (role == Qt::ToolTipRole && index.column() == 4)
        return QStringLiteral("%1\n%2").arg(j.name, NameSourceText(j.nameSource));
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case 0:
        return JobResultText(j);
    case 1:
        return JobKindText(j.kind);
    case 2:
        return j.source;
    case 3:
        return j.destination;
    case 4:
        return j.name;
    case 5:
        return j.startup;
    case 6:
        return j.kind == JobKind::Install ? DiscTypeText(j.type) : QString();
    case 7:
        return j.flags.toolText();
    default:
        return {};
    }
}

QVariant JobListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < Columns().size())
        return QCoreApplication::translate("JobListModel",
                                           Columns()[section].toLatin1().constData());
    return {};
}

void JobListModel::addJob(Job job)
{
    job.state = JobState::Pending;
    if (job.id.isEmpty())
        job.id = NewJobId();
    beginInsertRows({}, count(), count());
    m_jobs.append(std::move(job));
    m_warnings.append(QString());
    endInsertRows();
}

void JobListModel::addJobs(const QList<Job>& jobs)
{
    if (jobs.isEmpty())
        return;
    // One change for all of them: the queue is saved once.
    beginInsertRows({}, count(), count() + static_cast<int>(jobs.size()) - 1);
    for (Job job : jobs) {
        job.state = JobState::Pending;
        if (job.id.isEmpty())
            job.id = NewJobId();
        m_jobs.append(std::move(job));
        m_warnings.append(QString());
    }
    endInsertRows();
}

void JobListModel::removeLastJobs(int n)
{
    n = std::clamp(n, 0, count());
    if (n == 0)
        return;
    beginRemoveRows({}, count() - n, count() - 1);
    m_jobs.remove(count() - n, n);
    m_warnings.remove(m_warnings.size() - n, n);
    endRemoveRows();
}

const Job& JobListModel::job(int row) const
{
    static const Job none;
    return row >= 0 && row < count() ? m_jobs[row] : none;
}

void JobListModel::setJob(int row, const Job& job)
{
    if (row < 0 || row >= count())
        return;
    m_jobs[row] = job;
    m_unsettled = m_unsettled || m_steps > 0;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1), {Qt::DisplayRole});
    emit jobChanged(row);
}

void JobListModel::settle()
{
    if (!m_unsettled)
        return;
    m_unsettled = false;
    emit settled();
}

void JobListModel::setState(int row, JobState state)
{
    if (row < 0 || row >= count())
        return;
    setJob(row, InState(m_jobs[row], state));
}

Job JobListModel::InState(Job j, JobState state)
{
    j.state = state;
    if (state != JobState::Failed) {
        j.error = ToolError::None;
        j.noResult = false;
        j.reason.clear();
        j.incomplete = false;
    }
    if (state == JobState::Pending || state == JobState::Active) {
        j.toolReported.clear();
        j.note.clear();
        j.endedAt = 0;
    }
    if (state == JobState::Pending)
        j.startedAt = 0;
    return j;
}

void JobListModel::removeJob(int row)
{
    if (row < 0 || row >= count())
        return;
    beginRemoveRows({}, row, row);
    m_jobs.removeAt(row);
    m_warnings.removeAt(row);
    endRemoveRows();
}

void JobListModel::insertJob(int row, const Job& job)
{
    row = std::clamp(row, 0, count());
    beginInsertRows({}, row, row);
    m_jobs.insert(row, job);
    m_warnings.insert(row, QString());
    endInsertRows();
}

bool JobListModel::moveJob(int from, int to)
{
    if (from < 0 || from >= count() || to < 0 || to >= count() || from == to)
        return false;
    // Qt counts the destination before the move: one further down when moving down.
    if (!beginMoveRows({}, from, from, {}, to > from ? to + 1 : to))
        return false;
    m_jobs.move(from, to);
    m_warnings.move(from, to);
    endMoveRows();
    return true;
}

namespace {
const QString kRowsMime = QStringLiteral("application/x-ventrik-job-rows");
}

Qt::ItemFlags JobListModel::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags base = QAbstractTableModel::flags(index);
    return index.isValid() ? base | Qt::ItemIsDragEnabled : base | Qt::ItemIsDropEnabled;
}

QStringList JobListModel::mimeTypes() const
{
    return {kRowsMime};
}

QMimeData* JobListModel::mimeData(const QModelIndexList& indexes) const
{
    QList<int> rows;
    for (const QModelIndex& i : indexes) {
        if (i.isValid() && !rows.contains(i.row()))
            rows << i.row();
    }
    std::sort(rows.begin(), rows.end());
    QStringList words;
    for (int r : rows)
        words << QString::number(r);
    auto* data = new QMimeData;
    data->setData(kRowsMime, words.join(u' ').toLatin1());
    return data;
}

bool JobListModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int,
                                const QModelIndex& parent)
{
    if (action != Qt::MoveAction || !data || !data->hasFormat(kRowsMime))
        return false;
    // Dropped on a row: before it; below the last: at the end.
    int at = row >= 0 ? row : parent.isValid() ? parent.row() : count();
    QList<int> rows;
    for (const QByteArray& word : data->data(kRowsMime).split(' ')) {
        bool ok = false;
        const int r = word.toInt(&ok);
        if (ok && r >= 0 && r < count() && !rows.contains(r))
            rows << r;
    }
    std::sort(rows.begin(), rows.end());
    // Moved one by one, keeping their order. Those above the place go there from the
    // nearest up, each before the last moved; those below it follow from the nearest down.
    int before = at;
    for (auto r = rows.rbegin(); r != rows.rend(); ++r) {
        if (*r < at)
            moveJob(*r, --before);
    }
    int next = at;
    for (int r : rows) {
        if (r >= at)
            moveJob(r, next++);
    }
    // The view removes nothing afterwards: this model has no removeRows of its own.
    return !rows.isEmpty();
}

void JobListModel::clear()
{
    setJobs({});
}

void JobListModel::setJobs(const QList<Job>& jobs)
{
    beginResetModel();
    m_jobs = jobs;
    m_warnings = QList<QString>(jobs.size());
    endResetModel();
}

void JobListModel::setWarning(int row, const QString& text)
{
    if (row < 0 || row >= count() || m_warnings[row] == text)
        return;
    m_warnings[row] = text;
    emit dataChanged(index(row, 0), index(row, 0), {WarningRole, Qt::ToolTipRole});
}

void JobListModel::setWarnings(const QList<QString>& texts)
{
    int first = -1;
    int last = -1;
    for (int row = 0; row < count() && row < texts.size(); ++row) {
        if (m_warnings[row] == texts[row])
            continue;
        m_warnings[row] = texts[row];
        first = first < 0 ? row : first;
        last = row;
    }
    if (first >= 0)
        emit dataChanged(index(first, 0), index(last, 0), {WarningRole, Qt::ToolTipRole});
}

int JobListModel::pendingCount() const
{
    return static_cast<int>(std::count_if(
        m_jobs.cbegin(), m_jobs.cend(), [](const Job& j) { return j.state == JobState::Pending; }));
}

QString RunSummaryText(const JobListModel& jobs, const QList<int>& rows)
{
    int installed = 0, copied = 0, saved = 0, failed = 0, aborted = 0;
    for (const int row : rows) {
        const Job& j = jobs.job(row);
        if (j.state == JobState::Complete) {
            if (j.kind == JobKind::Install)
                ++installed;
            else if (j.kind == JobKind::MakeIso)
                ++saved;
            else
                ++copied;
        } else if (j.state == JobState::Aborted) {
            ++aborted;
        } else if (j.state == JobState::Failed) {
            ++failed;
        }
    }
    QStringList parts;
    if (installed > 0)
        parts << QCoreApplication::translate("JobListModel", "%n installed", nullptr, installed);
    if (copied > 0)
        parts << QCoreApplication::translate("JobListModel", "%n copied", nullptr, copied);
    if (saved > 0)
        parts << QCoreApplication::translate("JobListModel", "%n saved as image", nullptr, saved);
    if (failed > 0)
        parts << QCoreApplication::translate("JobListModel", "%n failed", nullptr, failed);
    if (aborted > 0)
        parts << QCoreApplication::translate("JobListModel", "%n cancelled", nullptr, aborted);
    const int pending = jobs.pendingCount();
    if (pending > 0)
        parts << QCoreApplication::translate("JobListModel", "%n still pending", nullptr, pending);
    return parts.isEmpty() ? QCoreApplication::translate("JobListModel", "No job ran")
                           : parts.join(QStringLiteral(", "));
}
