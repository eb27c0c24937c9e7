#pragma once

#include <QString>

#include <cstdint>

// Something the user should be told. The session reports it as a value; the
// windows and the command line word it.
enum class ProblemKind : std::uint8_t {
    ToolMissing,   // subject: the tool's path
    ToolCannotRun, // subject: the tool's path; reason: why
    Busy,          // another run is active
    NoDiskSelected,
    NoAddress,
    InvalidAddress,  // subject: the text
    PS2NotFound,     // subject: the address (the probe had no answer)
    PS2NotAnswering, // the tool found nothing at the address
    ProbeImpossible, // reason: why no echo could be sent
    ReloadServer,    // the PS2's server refused or dropped the connection
    NoPs2Disks,
    NoDiscsInDrives,
    NoDiscInDrive,
    NotPs2Disc,          // a disc in a drive
    NotPs2Image,         // subject: the image; reason: the tool's words
    DualLayer,           // a warning only
    NotPs2Disk,          // subject: the target, or empty; detail: what it holds, when read
    ListingFailed,       // reason: the tool's words
    DeleteFailed,        // subject: the game; reason
    ModifyFailed,        // subject: the game; reason
    NoModify,            // the tool has no "modify" command
    FormatFailed,        // subject: the disk; reason
    InstallFailed,       // subject: the game; reason
    SaveFailed,          // subject: the file; reason
    NameTooLong,         // subject: the name
    NameTrimmed,         // subject: the name as it will be installed; a notice only
    ConnectionLost,      // subject: the job that failed; reason: the tool's words
    QueueKeptAside,      // subject: where the unreadable queue file now is; reason: what was wrong
    IncompleteGame,      // subject: the game; reason: the disk or PS2 it is on
    QueueInUse,          // subject: the other program's process id
    OutputNotUnderstood, // subject: the target; the raw output is in the run log
    DamagedTable,        // subject: the target; reason: the newest backup's file, or empty;
                         // detail: what is wrong, where the sectors were read
    RestoreFailed,       // subject: the target; reason
    NameReadAsFlags,     // subject: the name the tool would read as flags
    GameNotFound,        // subject: the name; reason: the target
    AmbiguousTitle,      // subject: the title; reason: the partitions of the games that have it
    MediaUnknown,        // subject: the image; reason: the type chosen. A notice only
    CannotLock,          // subject: the lock file; reason: why it cannot be made
    InboxKeptAside,      // subject: where the unreadable inbox now is; reason: what was wrong
    TargetWaiting,       // subject: the target; reason: who writes to it. A notice only
    TargetInUse,         // subject: the target; reason: who writes to it
    DiscDatabaseUnreadable,   // subject: the file and why. A notice: names come from the discs
    NameHasControlCharacters, // subject: the name typed
    DiscReadFailed,           // subject: the image or drive; reason: how the tool ended
    FileNotFound,             // subject: the path of a file named by the user
    DiskAccessNotAuthorised,  // subject: the disk
    DiskAccessNoAgent,        // subject: the disk; reason: its serial number, or empty
    DiskAccessUnavailable,    // subject: the disk; reason: what is missing (pkexec, the helper)
    DiskAccessRefused,        // subject: the disk; reason: the helper's words
    DiskUnplugged,            // subject: the disk; reason: the job it ended, or empty
    NbdProgramMissing,        // subject: the NBD address; reason: the program
    NbdUnreachable,           // subject: the NBD address; reason: nbdinfo's words
    NbdNotADisk,              // subject: the NBD address; reason: the export's size in MB
    NbdReadOnly,              // subject: the NBD address
    NbdNoRoute,               // subject: the NBD address; reason: what this machine lacks
    NbdOpenFailed,            // subject: the NBD address; reason: why
    NbdLost,                  // subject: the job; reason: the tool's words
    NbdNoSuchExport,          // subject: the NBD address; its server answered without it
    LayoutUnchecked,          // subject: the target. A notice: its sectors cannot be read here
    LayoutUnreadable,         // subject: the target; reason: why its sectors could not be read
    NewerLayout,              // subject: the target. A notice: its games are listed read-only
    TableRefused,             // subject: the target; reason: a backup of this disk, or empty
    ViewUnavailable,          // subject: the target; reason: why; detail: what follows its
                              // PS2 area
    FormatRefused,            // subject: the disk; reason: what it holds
    RestoreRefused,           // subject: the target; reason: why
    ToolTakesNoFiles,         // subject: the file given as a disk
    RunStalled,               // subject: what does not answer; reason: the seconds. A notice
    RunStopped,               // subject: the job; reason: the seconds it did not answer
    PfsShellMissing,          // subject: its path; reason: where it was looked for
    LauncherUnreachable,      // subject: the PS2 over its UDP server
    LauncherPartitionMissing, // subject: the partition; reason: the target
    LauncherFailed,           // subject: what was read or written; reason: pfsshell's words
};

struct Problem
{
    ProblemKind kind;
    QString subject;
    QString reason;
    // What the disk's own sectors say (NotPs2Disk: what it holds; DamagedTable: what is wrong).
    QString detail = {};
};
