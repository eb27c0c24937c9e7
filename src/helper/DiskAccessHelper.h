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
};

enum class Verb { Grant, GrantForFormat, Revoke };

struct Request
{
    Verb verb = Verb::Grant;
    QString device; // /dev/sdb
    QString name;   // sdb
};

struct Facts
{
    platform::SystemFiles files;
    // Whether the path is a block device (not a link, file or character device).
    std::function<bool(const QString& path)> isBlockDevice;
    // Sets or removes the user's ACL entry; false with the reason.
    std::function<bool(const QString& device, const QString& uid, bool grant, QString* error)>
        changeAccess;
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

// Every check, then the change.
Outcome run(const QStringList& args, const QString& pkexecUid, const Facts& facts);

// The real machine: /sys, /dev, the mount table, and setfacl.
Facts systemFacts();

} // namespace helper
