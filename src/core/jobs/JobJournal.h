#pragma once

#include "Job.h"

#include <QSet>
#include <QString>

// One line for every job that ended Complete, in a file of its own beside the run log: what
// the saved queue may have failed to keep (a full or read-only data folder), so the next run
// knows which jobs this program finished.
class JobJournal
{
public:
    explicit JobJournal(QString file) : m_file(std::move(file)) {}

    void recordComplete(const Job& job);
    // The jobs recorded as complete, by their identity.
    QSet<QString> completeIds() const;

private:
    QString m_file;
};
