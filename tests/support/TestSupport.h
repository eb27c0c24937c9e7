#pragma once

#include "core/devices/Probe.h"
#include "core/devices/Target.h"
#include "core/jobs/Job.h"
#include "core/output/Parsers.h"
#include "core/platform/DeviceDiscovery.h"
#include "core/platform/PowerActions.h"
#include "core/settings/AppPaths.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

// While it lives, no file of this process may grow beyond the given bytes: an
// honest full disk. Writes beyond fail with EFBIG instead of killing the process.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    qint64 m_oldSoft = 0;
    void (*m_oldHandler)(int) = nullptr;
};

// How a program run to its end went: its exit status (-1 when it crashed or was killed)
// and what it wrote.
struct ProcessResult
{
    int status = -1;
    QString out;
    QString err;
};
// Runs a program to its end. With fileSizeLimit, no file it writes may grow beyond that many
// bytes (an honest full disk; its children may lift the limit again).
ProcessResult RunProcess(const QString& program, const QStringList& args,
                         const QProcessEnvironment& env, const QString& cwd = {},
                         qint64 fileSizeLimit = 0);

// The system's environment with HOME and the XDG config, data and state folders inside dir:
// a program started with it reads and writes nothing of the user's.
QProcessEnvironment HomeIn(const QString& dir);

// A picture of w x h in one colour, as a BMP file: what a picture converter must read.
bool WriteBitmap(const QString& path, int w, int h, quint8 shade);
// A 1 GB PS2 disk image in dir with one game, SLUS_123.45 "World", made by the real hdl_dump
// builds in toolsDir (0.9.0 formats, ventrik-cli with 0.9.2 installs); empty when it could not.
QString MakeDiskWithGame(const QString& dir, const QString& toolsDir);

// A disk of the fake machine the test permission helper works on (FAKE_DISK_ROOT, a SimWorld's
// "machine" folder): its sysfs entry and a regular file for its node, holding sector0. Returns
// the node's path.
QString AddFakeDisk(const QString& root, const QString& name, const QByteArray& sector0);
// The first sector of a PS2-formatted disk.
QByteArray Ps2Sector();
// What the fake machine sees of the disks, for a session: each disk under root, unreadable and
// needing permission until the test helper granted access to it.
QList<platform::Device> FakeMachineDevices(const QString& root);

// A D-Bus of the test's own (dbus-daemon --session), never the desktop's; ended with the object.
class PrivateBus
{
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;
    // Empty when no daemon could be started.
    QString address() const { return m_address; }

private:
    QProcess m_daemon;
    QString m_address;
};

// A capture of the real tool's output (see tests/captures/README.md).
QByteArray ReadCaptureBytes(const QString& name);
inline QString ReadCapture(const QString& name)
{
    return QString::fromLatin1(ReadCaptureBytes(name));
}

// A program folder in a temporary directory with the simulator placed
// beside the program as its tool, and the simulator's state and call log.
class SimWorld
{
public:
    explicit SimWorld(const QJsonObject& state = defaultState());

    bool isValid() const { return m_dir.isValid(); }
    QString dir() const { return m_dir.path(); }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    // The saved queue, the log and the backups stay inside the test's folder.
    AppPaths paths() const
    {
        AppPaths p = AppPaths::forProgramDir(m_dir.path());
        p.dataDir = path(QStringLiteral("data"));
        p.stateDir = path(QStringLiteral("state"));
        p.workingDir = path(QStringLiteral("state/work"));
        // Never the machine's own game index: a test gives its own.
        p.titleIndexPlaces = {path(QStringLiteral("GameIndex.yaml"))};
        return p;
    }
    QString toolPath() const { return path(QStringLiteral("hdl_dump")); }

    QJsonObject state() const;
    void setState(const QJsonObject& state) const;
    void setFault(const QJsonObject& fault) const;
    // Every job the tool runs stops at that percent until releaseJobs(): a test acts mid-job
    // without racing the clock.
    void holdJobsAt(int percent) const;
    void releaseJobs() const;
    // The command lines the tool received, one list of arguments each.
    QList<QStringList> calls() const;
    void clearCalls() const { QFile::remove(path(QStringLiteral("calls.log"))); }

    static QJsonObject defaultState();
    // An install of an image (4 KB in the world's folder) the simulator reads as a
    // 300 000 KB disc.
    Job install(const QString& name, const QString& target) const;
    static QJsonObject game(const QString& name, const QString& startup, const QString& type,
                            qint64 sizeKb, const QString& flags = {});

private:
    QTemporaryDir m_dir;
};

// Probe backend that sends nothing: answers come from a table, every
// address asked for is recorded.
class FakeIcmp : public IcmpBackend
{
public:
    bool start() override
    {
        ++starts;
        return startOk;
    }
    void stop() override { ++stops; }
    bool sendEcho(quint32 addressNetOrder, const QByteArray& payload, int timeoutMs,
                  EchoReply& reply) override;

    // Address text -> status (0 answers); unlisted addresses time out.
    QMap<QString, quint32> status;
    quint32 roundTrip = 3;
    bool startOk = true;
    bool canSend = true; // false: no echo can be sent from here
    int starts = 0;
    int stops = 0;
    QStringList sent;
    QByteArray lastPayload;
    int lastTimeout = 0;
};

// Records the PC power actions instead of performing them.
class FakePower : public PowerActions
{
public:
    void ShutdownPC() override { calls << QStringLiteral("shutdown"); }
    void SuspendPC() override { calls << QStringLiteral("standby"); }
    void InhibitSleep(const QString& why, InhibitDone done) override
    {
        sleepCalls << QStringLiteral("inhibit");
        reasons << why;
        held = canInhibit;
        // Answered later, as logind does.
        QTimer::singleShot(0, [done, ok = canInhibit] {
            done(ok, ok ? QString() : QStringLiteral("no logind here"));
        });
    }
    void ReleaseSleep() override
    {
        if (held)
            sleepCalls << QStringLiteral("release");
        held = false;
    }
    QStringList calls;      // shutdown and standby
    QStringList sleepCalls; // the inhibitor taken and released
    QStringList reasons;
    bool canInhibit = true;
    bool held = false;
};

// A game as a test names it: by its title (or its partition), as a listing would hold it.
inline parse::GameRow Named(const QString& name)
{
    parse::GameRow game;
    game.title = name;
    return game;
}
inline QList<parse::GameRow> Named(const QStringList& names)
{
    QList<parse::GameRow> games;
    for (const QString& name : names)
        games << Named(name);
    return games;
}
// A target as a test names it; one that names none is a fault of the test.
inline Target TargetOf(const QString& text)
{
    return Target::Parse(text).value();
}
