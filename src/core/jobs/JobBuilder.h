#pragma once

#include "core/jobs/BatchAdd.h"
#include "core/jobs/Job.h"
#include "core/jobs/TitleIndex.h"
#include "core/output/Parsers.h"

#include <QHash>
#include <QString>

// The one way both front ends make a job: they name, check and aim games alike, and what
// ventrik-cli --dry-run lists is the job that would run.

// A disc drive ("cd0:", "/dev/sr0"), not an image file.
bool IsDriveSource(const QString& source);

// The name a game gets when nobody typed one: the disc database's for its startup (with its
// flags), else an image's file name without its extension or a disc's own label (the other
// when that one is empty); without control characters and cut to what the tool keeps.
// Between the two, the emulator's game index where one is given.
struct GameNaming
{
    QString name;
    CompatFlags flags;
    bool fromDatabase = false;
    NameSource source = NameSource::FileName;
};
GameNaming NameForGame(const QString& source, const parse::DiscInfo& disc,
                       const QHash<QString, DiscDatabaseEntry>& database = {},
                       const TitleIndex* index = nullptr);

// What is wrong with a name typed for a game (blanks at its ends already removed): every name
// is checked here. A new name given to "modify" must not read as flags.
enum class NameFault : std::uint8_t { None, Empty, TooLong, ControlCharacter, ReadAsFlags };
enum class NameUse : std::uint8_t { Install, Rename };
NameFault CheckGameName(const QString& name, NameUse use = NameUse::Install);

// An install of a read disc or image. The type is the disc's unless one is chosen.
Job InstallJob(const QString& source, const Target& target, const QString& name,
               const parse::DiscInfo& disc, std::optional<DiscType> type = std::nullopt,
               CompatFlags flags = {});
// A disc saved as an image file, named after the file.
Job MakeIsoJob(const QString& drive, const QString& file, qint64 sizeKb, bool replaceExisting);
// A copy of a listed game: to a file (CopyToPC), or to a PS2 or another disk (their tool
// argument). The tool is given the game's partition.
Job CopyJob(JobKind kind, const Target& from, const parse::GameRow& game,
            const QString& destination, bool replaceExisting = false);
// The file name a game is copied to in a folder: its title, with only what a file name cannot
// hold replaced.
QString FileNameForGame(const QString& title);
// A disc label as a title: "BEYOND_GOOD_EVIL" reads "Beyond Good Evil" (roman numerals and
// words with digits stay as they were); a label with small letters is left as it is.
QString ReadableLabel(const QString& label);
