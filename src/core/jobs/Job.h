#pragma once

#include "core/devices/Flags.h"
#include "core/output/Parsers.h"
#include "core/output/ToolErrors.h"

#include <QString>

#include <algorithm>
#include <cstdint>

enum class JobKind : std::uint8_t { Install, MakeIso, CopyToPC, CopyToPS2, CopyToHDD };
enum class JobState : std::uint8_t { Pending, Active, Complete, Aborted, Failed };
enum class DiscType : std::uint8_t { CD, DVD };
// Where a game's name came from: shown beside it, so a user knows whom to believe.
enum class NameSource : std::uint8_t { Typed, DiscDatabase, TitleIndex, FileName, DiscLabel };

// One queued operation. Its result is a state and, for a failure, the tool's
// error and reason; the job list words them.
struct Job
{
    // Which job this is, across saves and programs (a new one for every job queued).
    QString id;
    JobKind kind = JobKind::Install;
    QString source;
    QString destination;
    QString name;
    NameSource nameSource = NameSource::Typed;
    QString startup;
    DiscType type = DiscType::DVD;
    CompatFlags flags;
    // A copy: the game's partition on the source disk, which the tool is given; empty when
    // the listing did not say (then the name).
    QString partition;
    // Make ISO: the user agreed to replace the file that was there when the
    // job was queued; it is removed when the job starts, not before.
    bool replaceExisting = false;
    // The game's size: the disc's for an install, the listed game's for a copy. 0 when
    // unknown. Plans the space, checks the copy on the disk and estimates the time.
    qint64 sizeKb = 0;
    // An install from an image: the file's size when it was queued, 0 when unknown.
    qint64 sourceBytes = 0;
    // The tool's process while the job runs (its id and start time), so a program started
    // after this one ended can tell whether it still writes.
    qint64 toolPid = 0;
    quint64 toolStart = 0;

    JobState state = JobState::Pending;
    ToolError error = ToolError::None;
    bool noResult = false; // the tool ended without a result of its own
    QString reason;        // the tool's words for a failure it did not name
    // Complete although the tool said otherwise: the game was found whole on the disk.
    QString toolReported;
    bool incomplete = false; // part of the game is on the disk
    QString note;            // what else the run said about this job
    // A job that writes a game: the partition it makes on its target, and whether that was
    // free when the job started (read from the disk before the write).
    QString writes;
    bool writesNew = false;
    // Complete, but the disk could not be read afterwards to check it: why.
    QString notVerified;
    qint64 startedAt = 0; // ms since the epoch; 0 before it ran
    qint64 endedAt = 0;

    bool operator==(const Job&) const = default;
};

// A fresh identity for a job.
QString NewJobId();

// What the tool is given for the game a copy reads.
inline QString SourceGame(const Job& job)
{
    return parse::GameKey(job.partition, job.name);
}

// The tool keeps this many bytes of a game's name and cuts the rest silently.
inline constexpr qsizetype kMaxGameNameBytes = 64;
// A name typed for an install: blanks at its ends removed. Empty when nothing is left.
inline QString TrimGameName(const QString& typed)
{
    return typed.trimmed();
}
inline bool GameNameFits(const QString& name)
{
    return name.toUtf8().size() <= kMaxGameNameBytes;
}

// A control character (C0, DEL) in a name reaches the tool and a terminal raw, and the tool
// lists a name cut at a line break: such a game could no longer be named. A typed name with
// one is refused; a name taken from a disc, a file or a database has each replaced by a blank.
inline bool HasControlCharacters(const QString& name)
{
    return std::ranges::any_of(name,
                               [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
}
inline QString WithoutControlCharacters(const QString& name)
{
    QString clean = name;
    for (QChar& c : clean) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = u' ';
    }
    return clean.trimmed();
}

// A CD holds at most about 700 MB: a larger disc is a DVD. The older tool does not
// say which a disc is; its size does.
inline DiscType DiscTypeForSize(qint64 kilobytes)
{
    return kilobytes <= 700 * 1024 ? DiscType::CD : DiscType::DVD;
}

// The tool's word for the media where it gives one ("CD", "DVD"), else the size's guess.
inline DiscType DiscTypeOf(const QString& media, qint64 kilobytes)
{
    if (media == QLatin1String("CD"))
        return DiscType::CD;
    if (media == QLatin1String("DVD"))
        return DiscType::DVD;
    return DiscTypeForSize(kilobytes);
}

// The Task column's words, the Type column's words.
QString JobKindText(JobKind kind);
QString DiscTypeText(DiscType type);
// "Named from the game index", for the name's tooltip.
QString NameSourceText(NameSource source);
// The Result column: "Pending", "Complete", "Error (Insufficient disk space)", ...
QString JobResultText(const Job& job);
