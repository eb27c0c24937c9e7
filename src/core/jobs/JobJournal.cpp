#include "JobJournal.h"

#include "core/platform/Platform.h"
#include "core/platform/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
// The newest lines are enough: a run's jobs are looked for by the next one.
constexpr qsizetype kKeptLines = 500;
} // namespace

void JobJournal::recordComplete(const Job& job)
{
    if (job.id.isEmpty())
        return;
    QDir().mkpath(QFileInfo(m_file).absolutePath());
    // Trimmed now and then, so it never grows without end.
    if (QFileInfo(m_file).isFile() && QFileInfo(m_file).size() > kKeptLines * 400) {
        const platform::FileRead read = platform::readRegularFile(m_file);
        QList<QByteArray> lines = read.bytes.split('\n');
        lines = lines.mid(std::max<qsizetype>(0, lines.size() - kKeptLines));
        QString error;
        platform::writeFileAtomically(m_file, lines.join('\n'), &error);
    }
    const QJsonObject line{{QStringLiteral("id"), job.id},
                           {QStringLiteral("destination"), job.destination},
                           {QStringLiteral("name"), job.name},
                           {QStringLiteral("writes"), job.writes},
                           {QStringLiteral("ended_at"), job.endedAt}};
    // Never into a FIFO or through a link in its place.
    platform::appendToRegularFile(m_file,
                                  QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n');
}

QSet<QString> JobJournal::completeIds() const
{
    QSet<QString> ids;
    const platform::FileRead read = platform::readRegularFile(m_file);
    for (const QByteArray& line : read.bytes.split('\n')) {
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        if (o.value(QStringLiteral("id")).isString())
            ids.insert(o.value(QStringLiteral("id")).toString());
    }
    return ids;
}
