#pragma once

#include "core/platform/DiskRules.h"

#include <QString>
#include <QStringList>

#include <functional>

// ventrik-disk-access: started through pkexec, it gives the user who asked read-write access
// to one PS2 disk's device node (a POSIX ACL), or takes back what it gave that user. It never
// runs hdl_dump and reads nothing of the disk but its first MiB. It trusts nothing it is given:
// every argument is checked to its end, the caller's number must name a user, and what it gave
// is written down per user where only root writes, so that a user takes back only their own.
// Every check is a function of the facts given, so tests run them on a fake tree.
namespace helper {

// The exit status says which check refused; pkexec keeps 126 and 127 for itself.
enum class Status : int {
    Done = 0,
    Usage = 2,        // not exactly VERB DEVICE
    NotWholeDisk = 3, // not a whole-disk block device under /dev
    InUse = 4,        // mounted, swap, or part of another device
    KnownContent = 5, // holds a partition table or file system the system knows
    NotPs2 = 6,       // no PS2 partition table (or, for a format, neither blank nor one)
    NoCaller = 7,     // not started by pkexec for a user
    AclFailed = 8,    // the access could not be changed
    Unreadable = 9,   // the first sectors could not be read
    NbdFailed = 10,   // a PS2's export could not be connected or disconnected
    NoUdev = 11,      // udev's database does not know the disk: what it holds is unknown
    NotGiven = 12,    // the caller was not given this by the helper
    RecordFailed = 13 // what was given could not be written down
};

enum class Verb { Grant, GrantForFormat, Revoke, ConnectNbd, DisconnectNbd };

// How a device node's access list changes: the caller's entry added or removed, or every
// extended entry removed (before a device is given to somebody new).
enum class AclChange { Grant, Revoke, Clear };

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
    // Where the helper writes down what it gave, one folder per user; only root writes there.
    QString recordsDir = QStringLiteral("/run/ventrik-disk-access");
    // Whether the path is a block device (not a link, file or character device).
    std::function<bool(const QString& path)> isBlockDevice;
    // The first bytes of a device; fewer when it cannot be read.
    std::function<QByteArray(const QString& device, qint64 bytes)> readStart;
    // Changes the device's access list; false with the reason.
    std::function<bool(const QString& device, AclChange change, const QString& uid, QString* error)>
        changeAccess;
    // Runs a system program (nbd-client, modprobe) to its end; false with its words.
    std::function<bool(const QString& program, const QStringList& args, QString* error)> runProgram;
    // Whether a user of that number exists.
    std::function<bool(quint32 uid)> userExists;
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
// Nothing on it is in use, udev knows what it holds, and that is a PS2 partition table (a
// format also takes a blank disk).
Outcome checkContent(const Request& request, const Facts& facts);
// The caller as pkexec names it: the number of an existing user, not root's.
Outcome checkCaller(const QString& pkexecUid, const Facts& facts);

// "connect-nbd IP PORT EXPORT" and "disconnect-nbd /dev/nbdN", nothing more.
Outcome parseNbdArguments(const QStringList& args, Request* request, const Facts& facts);
// A free /dev/nbdN, cleared of everyone's access, connected to the export (the nbd module
// loaded first where it is not), and given to the user; the message is the device.
Outcome connectNbd(const Request& request, const QString& pkexecUid, const Facts& facts);
// The user's access taken back and the device disconnected: only one this helper connected
// for this user, and not in use.
Outcome disconnectNbd(const Request& request, const QString& pkexecUid, const Facts& facts);

// What the helper gave a user: a record per device in the user's folder, holding which device
// it was (its number and its disk sequence, so a disk plugged in later is not taken for it).
QString deviceInstance(const Facts& facts, const QString& name);
bool writeRecord(const Facts& facts, const QString& uid, const QString& record,
                 const QByteArray& content, QString* error);
// The record's content; nothing when there is none (or it is no plain file of root's).
std::optional<QByteArray> readRecord(const Facts& facts, const QString& uid, const QString& record);
void removeRecord(const Facts& facts, const QString& uid, const QString& record);

// Every check, then the change.
Outcome run(const QStringList& args, const QString& pkexecUid, const Facts& facts);

// The real machine: /sys, /dev, the mount table, udev's database, setfacl, /run.
Facts systemFacts();

} // namespace helper
