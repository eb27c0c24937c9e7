#pragma once

#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>

// A PS2's disk over NBD, through the programs of libnbd (nbdinfo, nbdfuse) and FUSE: what the
// export is, and the export shown as a regular file any user can use, without root.
namespace platform {

struct NbdExportInfo
{
    enum class State { Reachable, Unreachable, NoProgram };
    State state = State::Unreachable;
    qint64 sizeBytes = 0;
    bool readOnly = false;
    bool timedOut = false;  // the server accepted and never answered
    bool cancelled = false; // ended before it answered
    // A server answered, without the export asked for.
    bool noSuchExport = false;
    QString error; // nbdinfo's last words when it failed
};

// nbdinfo --json's answer for the export named.
NbdExportInfo ReadNbdInfoJson(const QByteArray& json, const QString& exportName);

// Runs nbdinfo --json on the URI of the export named; done on context's thread. A server that has
// not answered within timeoutMs is given up (nbdinfo itself would wait for ever). The returned
// process can be ended early: done then says it was cancelled.
QPointer<QProcess> ReadNbdExport(QObject* context, const QString& uri, const QString& exportName,
                                 std::function<void(NbdExportInfo)> done, int timeoutMs = 15000);

// A view of a disk (an image file, a device, a mounted export) that ends after bytes: nbdkit's
// file plugin behind its truncate filter, served to nbdfuse. Empty when nbdkit is missing.
QStringList TruncatedDiskServer(const QString& path, qint64 bytes);

// The export as the file DIR/disk through nbdfuse. It is ready when nbdfuse writes its pid
// file; it is unmounted with fusermount3 -u, never killed (the kernel would keep a dead mount).
class NbdMount : public QObject
{
    Q_OBJECT
public:
    NbdMount(const QString& dir, const QString& uri, QObject* parent = nullptr);
    // Served by a program nbdfuse starts ("[", "nbdkit", ..., "]") instead of an address.
    NbdMount(const QString& dir, const QStringList& server, QObject* parent = nullptr);
    ~NbdMount() override;

    // done(true) once the file can be used; done(false, why) when nbdfuse ended or did not
    // get ready in time.
    void mount(std::function<void(bool ok, const QString& error)> done, int timeoutMs = 15000);
    void unmount(std::function<void(bool ok, const QString& error)> done);
    // Cuts the mount off from its server (nbdfuse ended): whatever waits on it gets an error
    // at once. For a program stuck on a server that no longer answers; unmount() still follows.
    void abort();
    bool isMounted() const { return m_mounted; }
    QString diskPath() const { return m_dir + QStringLiteral("/disk"); }
    QString dir() const { return m_dir; }

private:
    void finishMount(bool ok, const QString& error);
    void unmountWith(const QStringList& args, std::function<void(bool, const QString&)> done);

    QString m_dir;
    QStringList m_source; // what nbdfuse is given after the mount point
    QPointer<QProcess> m_fuse;
    QPointer<QProcess> m_unmounting;
    QTimer m_poll;
    int m_waitedMs = 0;
    int m_timeoutMs = 0;
    bool m_mounted = false;
    std::function<void(bool, const QString&)> m_mountDone;
};

// FUSE mounts under base, from the mount table.
QStringList NbdMountsUnder(const QString& base,
                           const QString& mountInfo = QStringLiteral("/proc/self/mountinfo"));
// Those of them left by a Ventrik that did not end well: their owner (DIR.owner, the process
// and its start time) no longer runs. A live program's mount is never among them.
QStringList StaleNbdMounts(const QString& base,
                           const QString& mountInfo = QStringLiteral("/proc/self/mountinfo"));
// Unmounts each (fusermount3 -u), started and left to run.
void UnmountStale(const QStringList& dirs);

// What a run of this program holds (a mount, a connected device, a disk it was given) is
// written down as STEM.owner: its owner (the process and its start time), then what it is.
// Written in one step and never through a link; a later run takes (and removes) the records
// whose owner no longer runs, and never a live program's. The pattern names the stems.
void RecordOwned(const QString& stem, const QString& payload);
void ForgetOwned(const QString& stem);
QStringList TakeStaleOwned(const QString& folder, const QString& pattern);

// An export connected as a device is written down in base (NAME.device: the owner, then the
// device) until it is disconnected, so that a later run finds what a crashed one left.
void RecordNbdDevice(const QString& base, const QString& device);
void ForgetNbdDevice(const QString& base, const QString& device);
// The devices whose owner no longer runs; their records are removed.
QStringList TakeStaleNbdDevices(const QString& base);

} // namespace platform
