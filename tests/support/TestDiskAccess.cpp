// The permission helper as tests run it through the fake pkexec: the same checks and the same
// ACL change, on the fake machine under FAKE_DISK_ROOT (its regular files stand in for block
// devices), never on this machine's disks.
#include "helper/DiskAccessHelper.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString root = qEnvironmentVariable("FAKE_DISK_ROOT");
    if (root.isEmpty()) {
        QTextStream(stderr) << "ventrik-disk-access: no fake machine (FAKE_DISK_ROOT)\n";
        return static_cast<int>(helper::Status::Usage);
    }
    helper::Facts facts = helper::systemFacts();
    facts.files.sysRoot = root + QStringLiteral("/sys");
    facts.files.devRoot = root + QStringLiteral("/dev");
    facts.files.usageFiles = {root + QStringLiteral("/mounts")};
    facts.files.udevData = root + QStringLiteral("/udev");
    facts.isBlockDevice = [](const QString& path) { return QFileInfo(path).isFile(); };
    auto setfacl = facts.changeAccess;
    facts.changeAccess = [root, setfacl](const QString& device, const QString& uid, bool grant,
                                         QString* error) {
        QFile log(root + QStringLiteral("/access.log"));
        if (log.open(QIODevice::Append))
            log.write(QStringLiteral("%1 %2 %3\n")
                          .arg(grant ? QStringLiteral("grant") : QStringLiteral("revoke"),
                               QFileInfo(device).fileName(), uid)
                          .toUtf8());
        return setfacl(device, uid, grant, error);
    };
    const helper::Outcome outcome =
        helper::run(app.arguments().mid(1), qEnvironmentVariable("PKEXEC_UID"), facts);
    QTextStream(outcome.status == helper::Status::Done ? stdout : stderr)
        << "ventrik-disk-access: " << outcome.message << '\n';
    return static_cast<int>(outcome.status);
}
