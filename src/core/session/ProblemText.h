#pragma once

#include "Problem.h"
#include "core/devices/NbdAddress.h"
#include "core/platform/DiskPermission.h"
#include "core/platform/Nbd.h"

#include <QString>

#include <optional>

// The one table of what the user is told for each problem, shared by the
// windows and the command line. Lines are separated by CR LF, as the message
// boxes show them.
QString ProblemText(const Problem& problem);
// The caption of the message box; empty for the program's own.
QString ProblemTitle(const Problem& problem);
// A warning rather than a failure.
bool ProblemIsWarning(const Problem& problem);
// The advice for a disk the user may not read, as the README gives it.
QString PermissionAdvice();
// What to tell of an answer to a request for access to a disk; nothing when it was given or
// the prompt was dismissed.
// What keeps an NBD export from being written to: nobody there, too small for a PS2 disk, or
// read-only (the launcher's "Write Operations" is off). Nothing when it may be written.
std::optional<Problem> NbdExportProblem(const NbdAddress& address,
                                        const platform::NbdExportInfo& info);
inline constexpr qint64 kSmallestPs2DiskBytes = qint64(1) << 30;
std::optional<Problem> DiskAccessProblem(const QString& device,
                                         const platform::PermissionAnswer& answer);
// What is wrong with a partition table (DamagedTable, TableRefused), without the backup.
QString TableProblemText(const Problem& problem);
// Who writes to a target, from the word its lock holds ("queue" -> "the queue").
QString TargetHolderText(const QString& holder);
