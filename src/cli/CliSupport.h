#pragma once

#include "core/session/Session.h"

#include <QString>

// What every command of the command line shares: its output, and how it reads a target or
// a path the caller typed.
namespace cli {

void writeOut(const QString& text);
void writeErr(const QString& text);
// Four numbers with dots: a networked PS2 (checked in full later).
bool isAddress(const QString& text);
TargetKind kindOf(const QString& target);
// An optical drive the tool reads ("cd0:", "/dev/sr0"), not a file.
bool isDrive(const QString& source);
// A path the caller typed, read from the caller's folder: the tool runs in a folder of its own.
QString callersPath(const QString& path);

} // namespace cli
