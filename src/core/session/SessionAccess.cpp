#include "ProblemText.h"
#include "Session.h"
#include "core/platform/DeviceDiscovery.h"
#include "core/platform/Nbd.h"

#include <QFileInfo>
#include <QStandardPaths>

#include <utility>

// Access to disks this user cannot read: asked of the system through pkexec and the
// permission helper, kept while the disk is used, taken back after.

void Session::requestDiskAccess(const QString& device, bool forFormat)
{
    using platform::PermissionResult;
    const auto verb =
        forFormat ? platform::PermissionVerb::GrantForFormat : platform::PermissionVerb::Grant;
    m_permission.request(verb, device, [this, device](const platform::PermissionAnswer& answer) {
        if (answer.result == PermissionResult::Done && !m_granted.contains(device)) {
            m_granted << device;
            // Written down, so that a later start takes it back if this run does not.
            if (const QString base = grantRecords(); !base.isEmpty())
                platform::RecordOwned(base + QFileInfo(device).fileName(), device);
        }
        if (const std::optional<Problem> p = DiskAccessProblem(device, answer))
            emit problem(*p);
        if (answer.result != PermissionResult::Done || !begin(Activity::ListingDevices)) {
            emit diskAccessAnswered(device, answer);
            return;
        }
        // The disk reads now: listed again, it shows what it holds.
        listDevices([this, device, answer](const DeviceLists& found) {
            storeDevices(found, DeviceListKinds(Ps2Disks | AllDisks));
            end();
            emit diskAccessAnswered(device, answer);
        });
    });
}

void Session::releaseUnusedAccess()
{
    for (const QString& device : QStringList(m_granted)) {
        if (m_targetKind == TargetKind::LocalDisk && m_targetDevice == device)
            continue;
        bool needed = false;
        for (const Job& job : m_jobs.allJobs()) {
            if (job.state != JobState::Complete &&
                (job.source == device || job.destination == device))
                needed = true;
        }
        if (needed)
            continue;
        m_granted.removeAll(device);
        m_permission.request(platform::PermissionVerb::Revoke, device,
                             [](const platform::PermissionAnswer&) {});
        if (const QString base = grantRecords(); !base.isEmpty())
            platform::ForgetOwned(base + QFileInfo(device).fileName());
    }
}

QString Session::grantRecords() const
{
    // Where the user's runtime folder is, as for the exports' mounts.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return {};
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
           QStringLiteral("/Ventrik/grants/");
}

void Session::cleanStale()
{
    m_nbd.cleanStale();
    // Access an earlier run was given and did not take back (it was killed): taken back now.
    // Only a whole disk's name is one; the helper takes back only what it gave this user.
    const QString base = grantRecords();
    if (base.isEmpty())
        return;
    for (const QString& device : platform::TakeStaleOwned(base, QStringLiteral("*"))) {
        if (device == m_systemFiles.devRoot + u'/' + QFileInfo(device).fileName() &&
            platform::isWholeDiskName(QFileInfo(device).fileName()))
            m_permission.requestDetached(platform::PermissionVerb::Revoke, device);
    }
}

std::function<QList<platform::Device>()> Session::deviceSource() const
{
    if (m_deviceSource)
        return m_deviceSource;
    const platform::SystemFiles files = m_systemFiles;
    if (!m_udisks || !m_udisks->isReady())
        return [files] { return platform::discoverDevices(files); };
    // What UDisks2 knows now; what the disks hold is read on the pool.
    return [files, raw = m_udisks->devices(files)]() mutable {
        const QStringList used = platform::usedDevices(files.usageFiles);
        for (platform::Device& d : raw) {
            if (d.optical)
                continue;
            const QString name = QFileInfo(d.path).fileName();
            d.inUse = !platform::systemUse(files, name, used).isEmpty();
            platform::examineDisk(d, files, name);
        }
        return raw;
    };
}

void Session::watchDisks(const QDBusConnection& bus)
{
    delete m_udisks;
    m_udisks = new platform::UDisksWatcher(bus, this);
    connect(m_udisks, &platform::UDisksWatcher::devicesChanged, this, &Session::relistDisks);
    connect(m_udisks, &platform::UDisksWatcher::diskRemoved, this, &Session::diskRemoved);
    connect(this, &Session::busyChanged, this, [this](bool busy) {
        if (!busy && std::exchange(m_relistWhenIdle, false))
            relistDisks();
    });
    m_udisks->start();
}

void Session::relistDisks()
{
    // Only lists someone looked at are kept up to date; nothing is asked of the user.
    if (isBusy()) {
        m_relistWhenIdle = true;
        return;
    }
    refreshLists(DeviceListKinds(Ps2Disks | AllDisks));
}

void Session::diskRemoved(const QString& removed)
{
    // UDisks2 names /dev/sdb; the lists name it under the device folder in use.
    const QString device = m_systemFiles.devRoot + u'/' + QFileInfo(removed).fileName();
    const QString reason = tr("The disk was unplugged.");
    const bool stopped =
        m_queue.stopForLostDisk(device, reason) || m_nowQueue.stopForLostDisk(device, reason);
    m_granted.removeAll(device);
    if (stopped || m_targetKind != TargetKind::LocalDisk || m_targetDevice != device)
        return;
    // The disk shown is gone: its games with it.
    if (m_attached || m_games.count() > 0)
        detach();
    emit problem({ProblemKind::DiskUnplugged, device, {}});
}
