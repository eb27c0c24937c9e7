#pragma once

#include "ActivityGate.h"
#include "Devices.h"
#include "Problem.h"
#include "ToolRunner.h"
#include "core/platform/DeviceDiscovery.h"
#include "core/platform/DiskPermission.h"
#include "core/platform/UDisksWatcher.h"

#include <QDBusConnection>
#include <QObject>
#include <QThreadPool>

#include <functional>

// How access to a disk is asked for: for this session (taken back when no longer used, and at
// its end), for a format, or kept after this program ends (ventrik-cli grant).
enum class DiskAccessUse : std::uint8_t { ThisSession, Format, Kept };

// The disks and drives of this machine, as the tool or the machine lists them, kept up to date
// from UDisks2; and access to disks this user cannot read, asked of the system (pkexec and the
// permission helper), written down, and taken back.
class DeviceAccess : public QObject
{
    Q_OBJECT
public:
    enum Lists { Ps2Disks = 1, OpticalDrives = 2, AllDisks = 4, AllLists = 7 };

    DeviceAccess(ToolRunner& runner, QThreadPool& pool, ActivityGate& gate,
                 QObject* parent = nullptr);
    ~DeviceAccess() override;

    // PS2-formatted disks (for the target list), optical drives holding a medium, and every
    // disk (for formatting).
    const QList<DiskEntry>& disks() const { return m_disks; }
    const QList<DiskEntry>& opticalDrives() const { return m_opticals; }
    const QList<DiskEntry>& allDisks() const { return m_allDisks; }
    // How a disk is shown (its model and size where known); the device itself otherwise.
    QString labelOf(const QString& device) const;

    // The output of "query", from the machine when the tool has none.
    void list(std::function<void(const DeviceLists&)> done);
    // The lists named kept from a listing, and told.
    void store(const DeviceLists& found, int which);
    // Both: the lists named read again, then done().
    void refresh(int which, std::function<void()> done);
    // The same as an activity of its own (false when the gate refused it).
    bool relist(int which);

    // Where the disks come from when the tool cannot list them (tests give their own).
    void setDeviceSource(std::function<QList<platform::Device>()> source)
    {
        m_source = std::move(source);
    }
    // Where the machine's disk facts live (tests give a fake tree).
    void setSystemFiles(const platform::SystemFiles& files) { m_files = files; }
    // Follows UDisks2 on that bus: devicesChanged when disks come and go, diskRemoved for one
    // pulled out.
    void watch(const QDBusConnection& bus);
    bool watching() const { return m_udisks && m_udisks->isReady(); }

    platform::DiskPermission& permission() { return m_permission; }
    // The disks this session was given access to.
    const QStringList& granted() const { return m_granted; }
    // answered(answer) once the system said; a grant for this session or a format is written
    // down, so that a later start takes it back if this run does not, and the disks are listed
    // again first, so that the one granted shows what it holds.
    void request(const QString& device, DiskAccessUse use,
                 std::function<void(const platform::PermissionAnswer&)> answered);
    void giveBack(const QString& device,
                  std::function<void(const platform::PermissionAnswer&)> answered);
    // Access this session was given to disks no longer needed is taken back.
    void releaseUnused(const std::function<bool(const QString& device)>& needed);
    // Access a killed run was given and did not take back is taken back now.
    void cleanStale();

signals:
    void disksChanged();
    void opticalDrivesChanged();
    void allDisksChanged();
    // Disks came or went: the lists are to be read again.
    void devicesChanged();
    // A disk was pulled out (named under the device folder in use).
    void diskRemoved(const QString& device);
    // What the system answered to a request, where it is to be told.
    void problem(const Problem& problem);

private:
    // The machine's disks as UDisks2 or the discovery see them; run on the pool.
    std::function<QList<platform::Device>()> deviceSource() const;
    // Disks came or went: only the lists someone looks at are read again, once the current
    // work is done; nothing is asked of the user.
    void relistWhenIdle();
    // Where grants are written down ($XDG_RUNTIME_DIR/Ventrik/grants/); empty without one.
    static QString GrantRecords();
    void forgetGrant(const QString& device);

    ToolRunner& m_runner;
    QThreadPool& m_pool;
    ActivityGate& m_gate;
    bool m_relistWaits = false;
    QList<DiskEntry> m_disks;
    QList<DiskEntry> m_opticals;
    QList<DiskEntry> m_allDisks;
    std::function<QList<platform::Device>()> m_source;
    platform::SystemFiles m_files;
    platform::UDisksWatcher* m_udisks = nullptr;
    platform::DiskPermission m_permission;
    QStringList m_granted;
};
