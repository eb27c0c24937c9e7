#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <functional>
#include <optional>

class QObject;
class QProcess;

// The only place that knows one operating system from another.
namespace platform {

// File name of the tool as it lies beside the program.
QString toolFileName();
QString homeDir();
// Per-user folder for config.cfg when the program's own folder is not writable.
QString userConfigDir();
// Where the saved queue and partition table backups live ($XDG_DATA_HOME/Ventrik).
QString userDataDir();
// The serial number the kernel reports for a disk path (/dev/sdb); empty when none.
QString diskSerial(const QString& device);
// Where the run log lives ($XDG_STATE_HOME/Ventrik).
QString userStateDir();
// Where the tool itself reads its configuration and disc database.
QString defaultToolConfigPath();
QString defaultDiscDatabasePath();
bool isDirWritable(const QString& dir);
// A folder of the system's own programs: nothing of a user's belongs there,
// even when it happens to be writable (as for root).
bool isSystemProgramDir(const QString& dir);

// Process signals. Each reports whether the request reached the process.
bool interruptProcess(qint64 pid); // as Ctrl+C does
bool terminateProcess(qint64 pid); // polite request to end
bool processExists(qint64 pid);
// The child ends with us: it is interrupted (as by Ctrl+C) when this program dies.
void prepareChildProcess(QProcess& process);
// Calls handler on context's thread when the program is asked to end (SIGTERM,
// SIGINT, SIGHUP), instead of dying with its tool still running. Once per program.
void watchTerminationSignals(QObject* context, std::function<void(int signal)> handler);

// Reads a file that must be a regular file, at most maxBytes of it. A device, a FIFO or a
// folder is refused without ever blocking in open() or read().
enum class FileReadStatus : std::uint8_t { Read, Missing, NotRegular, TooLarge, Failed };
struct FileRead
{
    FileReadStatus status = FileReadStatus::Missing;
    QByteArray bytes;
    QString error; // in the user's words, for every status but Read and Missing
};
inline constexpr qint64 kMaxReadBytes = 16 * 1024 * 1024;
FileRead readRegularFile(const QString& path, qint64 maxBytes = kMaxReadBytes);
// Appends to a regular file (made when missing), never blocking on a FIFO or writing through a
// link; false with the reason otherwise.
bool appendToRegularFile(const QString& path, const QByteArray& bytes, QString* error = nullptr);
// Why a lock file cannot be one (a FIFO, a folder, a link, a file far larger than a lock);
// empty when it is absent or a plain small file. QLockFile would wait on a FIFO, or read it all.
QString lockFileProblem(const QString& path);

// What tells one version of a file from another without reading it: which file it is, its
// size and its change times to the nanosecond. All zero when there is no such file.
struct FileStamp
{
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    bool operator==(const FileStamp&) const = default;
};
FileStamp fileStamp(const QString& path);

// What a path is, whatever it is called (a link, a hard link, a bind mount, "./"): a block
// device by its device number ("block 8:16"), anything else by its file system and inode
// ("file 2049:131"); nothing when there is nothing there.
std::optional<QString> identityOf(const QString& path);

// The entries of a folder whose names are not valid in the file names' encoding (UTF-8):
// Qt's own listings leave them out without a word. Each as it reads, and whether a folder.
struct RawEntry
{
    QString shown; // the name with what cannot be read replaced
    QByteArray bytes;
    bool folder = false;
};
QList<RawEntry> undecodableEntries(const QString& dir);

// When a process started (ticks since boot), 0 when it does not run: a pid with the same
// start time is the same process, not a new one that got its number.
quint64 processStartTime(qint64 pid);
bool killProcess(qint64 pid); // the way that cannot be ignored

// Puts from in the place of to in one step, replacing to; false with the reason.
bool replaceFile(const QString& from, const QString& to, QString* error);
// "SIGSEGV" for 11.
QString signalName(int signal);

// Resident memory of this process in KiB, 0 when unknown.
qint64 residentMemoryKb();

// Dotted IPv4 text to an address in network order, as inet_addr reads it;
// nothing for text that is not an address.
std::optional<quint32> parseIPv4(const QString& text);

struct EchoResult
{
    bool sent = false;       // false: no way to send an echo here
    quint32 status = 11050;  // 0 success, else an IP status code
    quint32 roundTripMs = 0; // valid when status is 0
};

// The same through the system's ping command, where no socket can send it.
EchoResult echoWithPingCommand(quint32 addressNetOrder, int timeoutMs);
// One ICMP echo request with the given payload, waiting at most timeoutMs.
EchoResult sendIcmpEcho(quint32 addressNetOrder, const QByteArray& payload, int timeoutMs);

} // namespace platform
