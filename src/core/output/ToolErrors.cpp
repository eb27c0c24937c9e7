#include "ToolErrors.h"

#include <QRegularExpression>

#include <array>

namespace {

struct Entry
{
    ToolError error;
    std::array<const char*, 3> texts;
};

// The order is the priority: an interrupted run that also printed a space
// error was interrupted.
constexpr std::array<Entry, 13> kTable{{
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

void ToolErrorScanner::feed(const QString& chunk)
{
    if (chunk.isEmpty())
        return;
    // Texts cut by a read: the end of the previous chunk is read again with this one.
    const QString text = m_tail + chunk;
    for (const Entry& e : kTable) {
        if (m_found & bit(e.error))
            continue;
        for (const char* needle : e.texts) {
            if (needle && text.contains(QLatin1String(needle))) {
                m_found |= bit(e.error);
                break;
            }
        }
    }
    m_tail = text.right(128);
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
        line = line.trimmed();
        if (!line.isEmpty())
            return line;
    }
    return {};
}
