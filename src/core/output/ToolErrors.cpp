#include "ToolErrors.h"

#include <QRegularExpression>
#include <QStringMatcher>

#include <array>
#include <vector>

namespace {

struct Entry
{
    ToolError error;
    std::array<const char*, 3> texts;
};

// The order is the priority: an interrupted run that also printed a space
// error was interrupted.
constexpr std::array<Entry, 14> kTable{{
    {ToolError::Interrupted, {"Interrupted.", nullptr, nullptr}},
    {ToolError::Unsupported, {"Input or output is unsupported.", nullptr, nullptr}},
    {ToolError::FileExists,
     {": The file exists.", "File exists", "partition with such name already exists"}},
    {ToolError::NoSpace,
     {"not enough free space.", "There is not enough space on the disk.",
      "No space left on device"}},
    {ToolError::BadParameter, {"The parameter is incorrect.", "Invalid argument", nullptr}},
    {ToolError::ConnectionRefused,
     {"existing connection was forcibly closed by the remote host",
      "No connection could be made because the target machine actively refused it.",
      "Connection refused"}},
    // A PS2's export that went away under its mount or device.
    {ToolError::ServerGone,
     {"Cannot send after transport endpoint shutdown", "Transport endpoint is not connected",
      nullptr}},
    {ToolError::NetworkTimeout,
     {"A connection attempt failed", "Network communication timeout.", nullptr}},
    {ToolError::NotPs2Disk,
     {"not a PlayStation 2 HDD.", "APA partition is broken; aborting.", nullptr}},
    {ToolError::NoMedium, {"The device is not ready.", "No medium found", nullptr}},
    {ToolError::NotPs2Disc, {"not a Playstation CD-ROM/DVD-ROM.", "bad ISOFS.", nullptr}},
    {ToolError::UnknownCommand, {"unrecognized command", "Usage:", nullptr}},
    {ToolError::NotFound, {"not found", "No such file or directory", nullptr}},
    {ToolError::PermissionDenied, {"Permission denied", nullptr, nullptr}},
}};

constexpr std::uint32_t bit(ToolError e)
{
    return 1u << static_cast<unsigned>(e);
}

} // namespace

namespace {
struct Matcher
{
    ToolError error;
    QStringMatcher matcher;
};

// The table's texts, prepared once: a progress flood is scanned at the pipe's pace.
const std::vector<Matcher>& matchers()
{
    static const std::vector<Matcher> all = [] {
        std::vector<Matcher> m;
        for (const Entry& e : kTable) {
            for (const char* needle : e.texts) {
                if (needle)
                    m.push_back({e.error, QStringMatcher(QString::fromLatin1(needle))});
            }
        }
        return m;
    }();
    return all;
}
} // namespace

// A progress record, "[====]  45%, 2 min remaining, 41.74 MB/sec" or " 45%":
// never an error, and nearly all of what a long run prints.
bool IsProgressPiece(QStringView piece)
{
    piece = piece.trimmed();
    if (piece.startsWith(u'[')) {
        const qsizetype close = piece.indexOf(u']');
        if (close < 0)
            return false;
        piece = piece.mid(close + 1).trimmed();
    }
    qsizetype digits = 0;
    while (digits < piece.size() && digits < 4 && piece[digits].isDigit())
        ++digits;
    if (digits < 1 || digits > 3 || digits >= piece.size() || piece[digits] != u'%')
        return false;
    const QStringView rest = piece.mid(digits + 1);
    return rest.isEmpty() || (rest.startsWith(u',') && rest.endsWith(u"MB/sec"));
}

void ToolErrorScanner::feed(const QString& chunk)
{
    if (chunk.isEmpty())
        return;
    // Texts cut by a read: the unfinished line of the previous chunk is read again
    // with this one. The tool's texts never span a line end.
    const QString text = m_tail + chunk;
    qsizetype lastEnd = text.size() - 1;
    while (lastEnd >= 0 && text[lastEnd] != u'\n' && text[lastEnd] != u'\r')
        --lastEnd;
    QString interesting;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= lastEnd; ++i) {
        if (text[i] != u'\n' && text[i] != u'\r')
            continue;
        const QStringView piece = QStringView(text).mid(start, i - start);
        if (!piece.isEmpty() && !IsProgressPiece(piece)) {
            interesting += piece;
            interesting += u'\n';
        }
        start = i + 1;
    }
    const QStringView unfinished = QStringView(text).mid(lastEnd + 1);
    interesting += unfinished;
    if (!interesting.isEmpty()) {
        for (const Matcher& m : matchers()) {
            if (!(m_found & bit(m.error)) && m.matcher.indexIn(interesting) >= 0)
                m_found |= bit(m.error);
        }
    }
    // An unfinished line that never ends is kept only as far as a text can reach.
    m_tail = unfinished.right(256).toString();
}

void ToolErrorScanner::reset()
{
    m_tail.clear();
    m_found = 0;
}

ToolError ToolErrorScanner::first() const
{
    for (const Entry& e : kTable) {
        if (m_found & bit(e.error))
            return e.error;
    }
    return ToolError::None;
}

bool ToolErrorScanner::has(ToolError error) const
{
    return (m_found & bit(error)) != 0;
}

ToolError RecogniseToolError(const QString& text)
{
    ToolErrorScanner scanner;
    scanner.feed(text);
    return scanner.first();
}

QString LastMeaningfulLine(const QString& output)
{
    static const QRegularExpression lineEnds(QStringLiteral("[\\r\\n]+"));
    // The last record ("100%") has no line end, so what follows it shares its line.
    static const QRegularExpression progress(
        QStringLiteral("^(\\[[^\\]]*\\])?\\s*\\d{1,3}%(,.*?MB/sec)?\\s*"));
    const QStringList lines = output.split(lineEnds, Qt::SkipEmptyParts);
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        QString line = it->trimmed();
        line.remove(progress);
        // A system error reads as its sentence: "00000002 (2): No such file or directory"
        // says no more to a user than "No such file or directory" (the log keeps all of it).
        static const QRegularExpression code(QStringLiteral("\\b[0-9a-fA-F]{8} \\(-?\\d+\\): "));
        line.remove(code);
        line = line.trimmed();
        if (!line.isEmpty())
            return line;
    }
    return {};
}
