#pragma once

#include <QString>

#include <cstdint>

// The failures the tool names in its output, older Windows and current Linux
// texts alike. Listings, jobs, delete and format all read them from one table.
enum class ToolError : std::uint8_t {
    None,
    Interrupted,
    Unsupported,
    FileExists,
    NoSpace,
    BadParameter,
    ConnectionRefused, // the PS2's server refused or dropped the connection
    NetworkTimeout,    // nothing answered at the address
    NotPs2Disk,
    NoMedium,
    NotPs2Disc,
    UnknownCommand, // the tool printed its usage
    NotFound,
    PermissionDenied,
    ServerGone, // a PS2's NBD export stopped answering under the tool
    // Not a text of the tool: nothing moved (no output) for longer than the limit, and the
    // run was ended.
    Stalled,
};

// Finds the tool's error texts in a stream of output, also a text that a read
// cut in two. When several are present, the one highest in the table wins.
class ToolErrorScanner
{
public:
    void feed(const QString& chunk);
    void reset();
    ToolError first() const;
    bool has(ToolError error) const;

private:
    QString m_tail;
    std::uint32_t m_found = 0;
};

// True for one progress record of the tool, with or without its gauge.
bool IsProgressPiece(QStringView piece);

// The first error text of a whole output, by the same table.
ToolError RecogniseToolError(const QString& text);

// The last line of output that is not a progress record, trimmed; empty when none.
QString LastMeaningfulLine(const QString& output);
