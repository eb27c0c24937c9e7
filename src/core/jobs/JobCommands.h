#pragma once

#include "Job.h"
#include "core/devices/Flags.h"
#include "core/devices/Target.h"
#include "core/output/Parsers.h"

#include <QStringList>

// The tool's arguments for a job. They travel as a list; the activity view
// shows them with the names and paths that hold a space in quotes.

// inject_dvd/inject_cd DESTINATION NAME SOURCE [STARTUP] [FLAGS]; an empty
// startup before flags is passed as an empty argument so the flags keep their place.
QStringList InstallArguments(DiscType type, const QString& target, const QString& name,
                             const QString& source, const QString& startup, const QString& flags);
// dump DRIVE FILE; extract SOURCE NAME DESTINATION, where a copy to another
// disk names the game after the device ("hdd2:Name") and a copy to a PS2
// after the address and a colon ("192.168.0.20:Name").
QStringList JobArguments(const Job& job);

// The tool's arguments for an installed game, named by its partition where the listing gave
// one (GameRow::key()): what a run passes and what a dry run prints.
QStringList DeleteArguments(const Target& target, const parse::GameRow& game);
QStringList RenameArguments(const Target& target, const parse::GameRow& game,
                            const QString& newName);
// Flags alone, in the new name's place ("+1+3", or 0x00 for none).
QStringList FlagsArguments(const Target& target, const parse::GameRow& game,
                           const CompatFlags& flags);

// The tool copies a game to another disk only where disks have names it can
// join with the game's ("hdd2:Name"), not where they are paths ("/dev/sdc").
inline bool CanCopyBetweenDisks(const QString& device)
{
    return !device.isEmpty() && !device.startsWith(u'/');
}

// Why a file cannot be written where it is to go (its folder is missing or
// read-only), in the user's words; empty when it can.
QString FolderProblem(const QString& file);
