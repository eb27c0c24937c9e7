#pragma once

#include "core/platform/DiskRules.h"

#include <QString>
#include <QStringList>

#include <functional>

// ventrik-disk-access: started through pkexec, it gives the user who asked read-write access
// to one PS2 disk's device node (a POSIX ACL), or takes it back. It never runs hdl_dump and
// reads nothing of the disk but its first sector. Every check is a function of the facts
// given, so tests run them on a fake tree.
namespace helper {

// The exit status says which check refused; pkexec keeps 126 and 127 for itself.
enum class Status : int {
    Done = 0,
    Usage = 2,        // not exactly VERB DEVICE
    NotWholeDisk = 3, // not a whole-disk block device under /dev
    InUse = 4,        // mounted, swap, or part of another device
    KnownContent = 5, // holds a partition table or file system the system knows
    NotPs2 = 6,       // no PS2 signature (and no format was asked for)
    NoCaller = 7,     // not started by pkexec for a user
    AclFailed = 8,    // the access could not be changed
    Unreadable = 9,   // the first sector could not be read
    NbdFailed = 10,   // a PS2's export could not be connected or disconnected
};

enum class Verb { Grant, GrantForFormat, Revoke, ConnectNbd, DisconnectNbd };

struct Request
{
    Verb verb = Verb::Grant;
    QString device; // /dev/sdb, /dev/nbd0
    QString name;   // sdb
    // connect-nbd: the PS2's NBD server and its export.
    QString host;
    QString port;
    QString exportName;
};

struct Facts
{
    platform::SystemFiles files;
    // Whether the path is a block device (not a link, file or character device).
    std::function<bool(const QString& path)> isBlockDevice;
    // Sets or removes the user's ACL entry; false with the reason.
    std::function<bool(const QString& device, const QString& uid, bool grant, QString* error)>
        changeAccess;
    // Runs a system program (nbd-client, modprobe) to its end; false with its words.
    std::function<bool(const QString& program, const QStringList& args, QString* error)> runProgram;
};

struct Outcome
{
    Status status = Status::Done;
    QString message;
};

// The arguments after the program's name: "grant /dev/sdb", "grant-format /dev/sdb",
// "revoke /dev/sdb", nothing more.
Outcome parseArguments(const QStringList& args, Request* request, const Facts& facts);
// The device is a whole disk under the device folder.
Outcome checkWholeDisk(const Request& request, const Facts& facts);
// Nothing on it is in use and it holds nothing the system knows; a PS2 signature unless a
// format was asked for.
Outcome checkContent(const Request& request, const Facts& facts);
// The caller as pkexec names it: a user's number, not root's.
Outcome checkCaller(const QString& pkexecUid);

// "connect-nbd IP PORT EXPORT" and "disconnect-nbd /dev/nbdN", nothing more.
Outcome parseNbdArguments(const QStringList& args, Request* request, const Facts& facts);
// A free /dev/nbdN connected to the export (the nbd module loaded first where it is not), and
// the user given read-write access to it; the message is the device.
Outcome connectNbd(const Request& request, const QString& pkexecUid, const Facts& facts);
// The user's access taken back and the device disconnected; only a connected nbd device.
Outcome disconnectNbd(const Request& request, const QString& pkexecUid, const Facts& facts);

// Every check, then the change.
Outcome run(const QStringList& args, const QString& pkexecUid, const Facts& facts);

// The real machine: /sys, /dev, the mount table, and setfacl.
Facts systemFacts();

} // namespace helper
