#include "RunLog.h"

#include "core/platform/Platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

namespace {
// Every entry begins with this at the start of a line; output lines are indented, so
// nothing the tool prints can look like the start of an entry.
constexpr QLatin1String kEntryMark("=== ");
// An entry keeps this much of a run's output, its start and its end: one flood of output
// must not push days of history out of the rotated files.
constexpr qsizetype kKeptOutputChars = 16 * 1024;

// A field that must stay on its line (a path, an error text): every control character is
// written as an escape, so none can begin a line that passes for an entry.
QString oneLine(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

// The start and the end of a long output, and how much between them was not kept.
QString shortened(const QString& output)
{
    if (output.size() <= kKeptOutputChars)
        return output;
    const qsizetype half = kKeptOutputChars / 2;
    qsizetype headEnd = output.lastIndexOf(u'\n', half);
    headEnd = headEnd < 0 ? half : headEnd;
    qsizetype tailStart = output.indexOf(u'\n', output.size() - half);
    tailStart = tailStart < 0 ? output.size() - half : tailStart + 1;
    return output.left(headEnd) +
           QStringLiteral("\n[%1 characters of output not kept here]\n").arg(tailStart - headEnd) +
           output.mid(tailStart);
}
} // namespace

RunLog::RunLog(QString folder, qint64 maxFileBytes, int files)
    : m_folder(std::move(folder)), m_maxBytes(maxFileBytes), m_files(std::max(1, files))
{}

QString RunLog::currentFile() const
{
    return fileAt(0);
}

QString RunLog::fileAt(int n) const
{
    return m_folder + QStringLiteral("/run.log") +
           (n > 0 ? QStringLiteral(".%1").arg(n) : QString());
}

QString RunLog::CollapseProgress(const QString& output)
{
    // Views, not copies: a listing's output has thousands of lines.
    QString kept;
    kept.reserve(output.size());
    qsizetype withText = 0; // the length up to the last line with text
    bool first = true;
    for (const QStringView line : QStringView(output).tokenize(u'\n')) {
        // Records are separated by carriage returns; the last one with text is what was shown.
        QStringView last;
        for (const QStringView piece : line.tokenize(u'\r')) {
            if (!piece.trimmed().isEmpty())
                last = piece.trimmed();
        }
        if (!first)
            kept += u'\n';
        first = false;
        kept += last;
        if (!last.isEmpty())
            withText = kept.size();
    }
    kept.truncate(withText);
    return kept;
}

void RunLog::addRun(const QString& program, const QStringList& args, const RunOutcome& outcome,
                    qint64 durationMs, const QDateTime& started)
{
    QString ended;
    if (!outcome.started)
        ended = QStringLiteral("could not start: %1").arg(oneLine(outcome.startError));
    else if (!outcome.normalExit)
        ended = QStringLiteral("killed by signal %1").arg(platform::signalName(outcome.signal));
    else
        ended = QStringLiteral("exit status %1").arg(outcome.exitCode);
    if (outcome.cancelled)
        ended += QStringLiteral(" (cancelled)");
    if (outcome.timedOut)
        ended += QStringLiteral(" (no answer for %1 s)").arg(outcome.silenceMs / 1000);
    // The arguments as JSON: blanks, quotes and non-ASCII names stay exact.
    QString entry = kEntryMark + started.toString(Qt::ISODateWithMs) + u' ' +
                    oneLine(QFileInfo(program).fileName()) + u'\n';
    entry += QStringLiteral("program: %1\n").arg(oneLine(program));
    entry +=
        QStringLiteral("arguments: %1\n")
            .arg(QString::fromUtf8(
                QJsonDocument(QJsonArray::fromStringList(args)).toJson(QJsonDocument::Compact)));
    entry +=
        QStringLiteral("ended: %1 after %2 s\n").arg(ended).arg(durationMs / 1000.0, 0, 'f', 2);
    const QString output = shortened(CollapseProgress(outcome.output));
    if (!output.isEmpty()) {
        entry += QStringLiteral("output:%1\n")
                     .arg(outcome.outputCut ? QStringLiteral(" (its beginning was not kept)")
                                            : QString());
        for (const QString& line : output.split(u'\n'))
            entry += QStringLiteral("  ") + line + u'\n';
    }
    append(entry);
}

void RunLog::addNote(const QString& text, const QDateTime& when)
{
    QString entry = kEntryMark + when.toString(Qt::ISODateWithMs) + QStringLiteral(" Ventrik\n");
    for (const QString& line : text.split(u'\n'))
        entry += QStringLiteral("  ") + line + u'\n';
    append(entry);
}

void RunLog::append(const QString& entry)
{
    if (!m_enabled || m_folder.isEmpty())
        return;
    QDir().mkpath(m_folder);
    const QByteArray bytes = entry.toUtf8();
    if (QFileInfo(currentFile()).size() + bytes.size() > m_maxBytes &&
        QFileInfo::exists(currentFile())) {
        QFile::remove(fileAt(m_files - 1));
        for (int n = m_files - 2; n >= 0; --n)
            QFile::rename(fileAt(n), fileAt(n + 1));
    }
    // A log that cannot be written never stops a run; one that is no plain file (a FIFO)
    // never holds it either.
    platform::appendToRegularFile(currentFile(), bytes);
}

QStringList RunLog::lastEntries(int count) const
{
    QStringList entries;
    for (int n = m_files - 1; n >= 0; --n) {
        const platform::FileRead read = platform::readRegularFile(fileAt(n), 4 * m_maxBytes);
        if (read.status != platform::FileReadStatus::Read)
            continue;
        const QString text = QString::fromUtf8(read.bytes);
        qsizetype at = text.startsWith(kEntryMark) ? 0 : text.indexOf(u'\n' + kEntryMark);
        while (at >= 0) {
            if (text[at] == u'\n')
                ++at;
            const qsizetype next = text.indexOf(u'\n' + kEntryMark, at);
            entries << text.mid(at, next < 0 ? -1 : next + 1 - at);
            at = next;
        }
    }
    if (entries.size() > count)
        entries = entries.mid(entries.size() - count);
    return entries;
}
