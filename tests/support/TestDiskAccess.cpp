// The permission helper as tests run it through the fake pkexec: the same checks and the same
// ACL change, on the fake machine under FAKE_DISK_ROOT (its regular files stand in for block
// devices), never on this machine's disks.
#include "helper/DiskAccessHelper.h"

#include <QCoreApplication>
#include <QDir>
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
    facts.recordsDir = root + QStringLiteral("/records");
    facts.userExists = [](quint32 uid) { return uid == 4242 || uid == 4343; };
    auto setfacl = facts.changeAccess;
    facts.changeAccess = [root, setfacl](const QString& device, helper::AclChange change,
                                         const QString& uid, QString* error) {
        QFile log(root + QStringLiteral("/access.log"));
        const char* word = change == helper::AclChange::Grant    ? "grant"
                           : change == helper::AclChange::Revoke ? "revoke"
                                                                 : "clear";
        if (log.open(QIODevice::Append))
            log.write(QStringLiteral("%1 %2 %3\n")
                          .arg(QLatin1String(word), QFileInfo(device).fileName(), uid)
                          .toUtf8());
        return setfacl(device, change, uid, error);
    };
    // nbd-client and modprobe as the fake machine sees them: a connection is a pid file in the
    // device's sysfs folder; FAKE_NBD_FAIL makes nbd-client fail as with nobody at the port.
    facts.runProgram = [root](const QString& program, const QStringList& args, QString* error) {
        QFile log(root + QStringLiteral("/programs.log"));
        if (log.open(QIODevice::Append))
            log.write((QFileInfo(program).fileName() + u' ' + args.join(u' ') + u'\n').toUtf8());
        if (program.endsWith(QLatin1String("modprobe")))
            return QDir().mkpath(root + QStringLiteral("/sys/module/nbd"));
        if (!qEnvironmentVariableIsEmpty("FAKE_NBD_FAIL")) {
            *error = QStringLiteral("Socket failed: Connection refused");
            return false;
        }
        const QString pid = root + QStringLiteral("/sys/block/") +
                            QFileInfo(args.last()).fileName() + QStringLiteral("/pid");
        if (args.first() == QLatin1String("-d"))
            return QFile::remove(pid);
        QFile f(pid);
        return f.open(QIODevice::WriteOnly) && f.write("4242\n") > 0;
    };
    const helper::Outcome outcome =
        helper::run(app.arguments().mid(1), qEnvironmentVariable("PKEXEC_UID"), facts);
    QTextStream(outcome.status == helper::Status::Done ? stdout : stderr)
        << "ventrik-disk-access: " << outcome.message << '\n';
    return static_cast<int>(outcome.status);
}
