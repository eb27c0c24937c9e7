#include "DeviceAccess.h"

#include "ProblemText.h"

#include "core/platform/DiskRules.h"
#include "core/platform/Nbd.h"
#include "core/platform/Platform.h"

#include <QFileInfo>
#include <QStandardPaths>

#include <utility>

DeviceAccess::DeviceAccess(ToolRunner& runner, QThreadPool& pool, ActivityGate& gate,
                           QObject* parent)
    : QObject(parent), m_runner(runner), m_pool(pool), m_gate(gate)
{
    connect(this, &DeviceAccess::devicesChanged, this, &DeviceAccess::relistWhenIdle);
}

DeviceAccess::~DeviceAccess()
{
    // Access given for this session ends with it; nothing waits for the answer.
    for (const QString& device : std::as_const(m_granted)) {
        m_permission.revokeDetached(device);
        forgetGrant(device);
    }
}

QString DeviceAccess::labelOf(const QString& device) const
{
    for (const DiskEntry& d : m_allDisks) {
        if (d.device == device)
            return d.label();
    }
    return device;
}

void DeviceAccess::list(std::function<void(const DeviceLists&)> done)
{
    m_runner.attempt(
        {QStringLiteral("query")},
        [this, done](const RunOutcome& outcome) {
            // The current tool has no "query" on Linux: the devices are listed here.
            if (!outcome.output.contains(QStringLiteral("query: unrecognized command"))) {
                done(DevicesFromQuery(outcome.output));
                return;
            }
            m_pool.start([this, done, source = deviceSource()] {
                const DeviceLists found = DevicesFromDiscovery(source());
                QMetaObject::invokeMethod(
                    this, [done, found] { done(found); }, Qt::QueuedConnection);
            });
        },
        m_runner.readTimeout());
}

void DeviceAccess::store(const DeviceLists& found, int which)
{
    if (which & AllDisks) {
        m_allDisks = found.allDisks;
        emit allDisksChanged();
    }
    if (which & Ps2Disks) {
        m_disks = found.ps2Disks;
        emit disksChanged();
    }
    if (which & OpticalDrives) {
        m_opticals = found.opticals;
        emit opticalDrivesChanged();
    }
}

void DeviceAccess::refresh(int which, std::function<void()> done)
{
    list([this, which, done](const DeviceLists& found) {
        store(found, which);
        done();
    });
}

bool DeviceAccess::relist(int which)
{
    if (!m_gate.begin(Activity::ListingDevices))
        return false;
    refresh(which, [this] { m_gate.end(); });
    return true;
}

void DeviceAccess::relistWhenIdle()
{
    if (!std::exchange(m_relistWaits, true))
        m_gate.whenIdle([this] {
            m_relistWaits = false;
            relist(Ps2Disks | AllDisks);
        });
}

std::function<QList<platform::Device>()> DeviceAccess::deviceSource() const
{
    if (m_source)
        return m_source;
    const platform::SystemFiles files = m_files;
    if (!watching())
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

void DeviceAccess::watch(const QDBusConnection& bus)
{
    delete m_udisks;
    m_udisks = new platform::UDisksWatcher(bus, this);
    connect(m_udisks, &platform::UDisksWatcher::devicesChanged, this,
            &DeviceAccess::devicesChanged);
    connect(m_udisks, &platform::UDisksWatcher::diskRemoved, this, [this](const QString& removed) {
        // UDisks2 names /dev/sdb; the lists name it under the device folder in use.
        const QString device = m_files.devRoot + u'/' + QFileInfo(removed).fileName();
        m_granted.removeAll(device);
        emit diskRemoved(device);
    });
    m_udisks->start();
}

QString DeviceAccess::GrantRecords()
{
    // Where the user's runtime folder is, as for the exports' mounts.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return {};
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
           QStringLiteral("/Ventrik/grants/");
}

void DeviceAccess::forgetGrant(const QString& device)
{
    if (const QString base = GrantRecords(); !base.isEmpty())
        platform::ForgetOwned(base + QFileInfo(device).fileName());
}

void DeviceAccess::request(const QString& device, DiskAccessUse use,
                           std::function<void(const platform::PermissionAnswer&)> answered)
{
    const auto verb = use == DiskAccessUse::Format ? platform::PermissionVerb::GrantForFormat
                                                   : platform::PermissionVerb::Grant;
    m_permission.request(verb, device, [this, device, use, answered](const auto& answer) {
        if (answer.result == platform::PermissionResult::Done && use != DiskAccessUse::Kept &&
            !m_granted.contains(device)) {
            m_granted << device;
            if (const QString base = GrantRecords(); !base.isEmpty())
                platform::RecordOwned(base + QFileInfo(device).fileName(), device);
        }
        if (const std::optional<Problem> p = DiskAccessProblem(device, answer))
            emit problem(*p);
        if (answer.result != platform::PermissionResult::Done || use == DiskAccessUse::Kept ||
            !m_gate.begin(Activity::ListingDevices)) {
            answered(answer);
            return;
        }
        refresh(Ps2Disks | AllDisks, [this, answered, answer] {
            m_gate.end();
            answered(answer);
        });
    });
}

void DeviceAccess::giveBack(const QString& device,
                            std::function<void(const platform::PermissionAnswer&)> answered)
{
    m_permission.request(platform::PermissionVerb::Revoke, device,
                         [this, device, answered](const platform::PermissionAnswer& answer) {
                             if (answer.result == platform::PermissionResult::Done &&
                                 m_granted.removeAll(device) > 0)
                                 forgetGrant(device);
                             if (const std::optional<Problem> p = DiskAccessProblem(device, answer))
                                 emit problem(*p);
                             answered(answer);
                         });
}

void DeviceAccess::releaseUnused(const std::function<bool(const QString& device)>& needed)
{
    for (const QString& device : QStringList(m_granted)) {
        if (needed(device))
            continue;
        m_granted.removeAll(device);
        m_permission.request(platform::PermissionVerb::Revoke, device,
                             [](const platform::PermissionAnswer&) {});
        forgetGrant(device);
    }
}

void DeviceAccess::cleanStale()
{
    // Only a whole disk's name is one; the helper takes back only what it gave this user.
    const QString base = GrantRecords();
    if (base.isEmpty())
        return;
    for (const QString& device : platform::TakeStaleOwned(base, QStringLiteral("*"))) {
        if (device == m_files.devRoot + u'/' + QFileInfo(device).fileName() &&
            platform::isWholeDiskName(QFileInfo(device).fileName()))
            m_permission.requestDetached(platform::PermissionVerb::Revoke, device);
    }
}
