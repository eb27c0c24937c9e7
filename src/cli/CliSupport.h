#pragma once

#include "core/session/Session.h"

#include <QString>
#include <QStringList>

#include <optional>

// What every command of the command line shares: its output, and how it reads a target or
// a path the caller typed.
namespace cli {

// Text for the terminal: every control character (but line breaks and tabs) written as \xNN.
QString Printable(const QString& text);
// To stdout and stderr as Printable; a progress record over the line before.
void writeOut(const QString& text);
void writeErr(const QString& text);
void writeProgress(const QString& text);
// What went wrong, to stderr as "ventrik-cli: TEXT" ("ventrik-cli: warning: TEXT"); errors are
// kept for a JSON caller, who reads them on stdout when the command fails.
void writeError(const QString& text);
void writeWarning(const QString& text);
const QStringList& errorsSaid();
// Whether a JSON answer was written to stdout yet.
bool jsonWritten();
// JSON for stdout, every control character escaped as JSON does.
void writeJson(const QByteArray& json);
// What is wrong with the first argument that starts as an NBD address and is none; nothing
// when all are well.
std::optional<QString> BadNbdArgument(const QStringList& args);
// A path the caller typed, read from the caller's folder: the tool runs in a folder of its own.
QString callersPath(const QString& path);

} // namespace cli
