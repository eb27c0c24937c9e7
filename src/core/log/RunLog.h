#pragma once

#include "core/tool/RunOutcome.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// Every tool command the program runs, appended to run.log in the state folder:
// the time, the exact arguments, how it ended, how long it took and its output
// with each line's progress records cut to the last one. The file is rotated by
// size (run.log, run.log.1 ... run.log.N-1), so a bug report has the recent past.
class RunLog
{
public:
    explicit RunLog(QString folder, qint64 maxFileBytes = 1024 * 1024, int files = 5);

    QString folder() const { return m_folder; }
    QString currentFile() const;
    void setEnabled(bool on) { m_enabled = on; }

    void addRun(const QString& program, const QStringList& args, const RunOutcome& outcome,
                qint64 durationMs, const QDateTime& started = QDateTime::currentDateTime());
    // A line of the program's own (a backup written, no way to keep the PC awake).
    void addNote(const QString& text, const QDateTime& when = QDateTime::currentDateTime());
    // The newest entries, oldest first, from every rotated file.
    QStringList lastEntries(int count) const;

    // The output as the log keeps it.
    static QString CollapseProgress(const QString& output);

private:
    void append(const QString& entry);
    QString fileAt(int n) const;

    QString m_folder;
    qint64 m_maxBytes;
    int m_files;
    bool m_enabled = true;
};
