#include "ProblemText.h"
#include "Session.h"

// Access to disks this user cannot read: asked of the system through pkexec and the
// permission helper, kept while the disk is used, taken back after.

void Session::requestDiskAccess(const QString& device, bool forFormat)
{
    using platform::PermissionResult;
    const auto verb =
        forFormat ? platform::PermissionVerb::GrantForFormat : platform::PermissionVerb::Grant;
    m_permission.request(verb, device, [this, device](const platform::PermissionAnswer& answer) {
        if (answer.result == PermissionResult::Done && !m_granted.contains(device))
            m_granted << device;
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
    }
}
