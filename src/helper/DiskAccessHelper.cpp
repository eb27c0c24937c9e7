#include "DiskAccessHelper.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <sys/stat.h>

namespace helper {

namespace {
Outcome refuse(Status status, const QString& message)
{
    return {status, message};
}
} // namespace

Outcome parseArguments(const QStringList& args, Request* request, const Facts& facts)
{
    static const char* usage = "usage: ventrik-disk-access grant|grant-format|revoke /dev/DISK";
    if (args.size() != 2)
        return refuse(Status::Usage, QString::fromLatin1(usage));
    if (args[0] == QLatin1String("grant"))
        request->verb = Verb::Grant;
    else if (args[0] == QLatin1String("grant-format"))
        request->verb = Verb::GrantForFormat;
    else if (args[0] == QLatin1String("revoke"))
        request->verb = Verb::Revoke;
    else
        return refuse(Status::Usage, QString::fromLatin1(usage));
    // Exactly DEVROOT/NAME: no link folder, no "..", nothing after the name.
    const QString prefix = facts.files.devRoot + u'/';
    const QString& device = args[1];
    if (!device.startsWith(prefix) || device.mid(prefix.size()).contains(u'/'))
        return refuse(
            Status::NotWholeDisk,
            QStringLiteral("%1 is not a device under %2").arg(device, facts.files.devRoot));
    request->device = device;
    request->name = device.mid(prefix.size());
    return {};
}

Outcome checkWholeDisk(const Request& request, const Facts& facts)
{
    if (!platform::isWholeDiskName(request.name))
        return refuse(Status::NotWholeDisk,
                      QStringLiteral("%1 is not a whole disk").arg(request.device));
    const QString sys = facts.files.sysRoot + QStringLiteral("/block/") + request.name;
    if (!QFile::exists(sys) || QFile::exists(sys + QStringLiteral("/partition")))
        return refuse(Status::NotWholeDisk,
                      QStringLiteral("%1 is not a whole disk").arg(request.device));
    if (!facts.isBlockDevice(request.device))
        return refuse(Status::NotWholeDisk,
                      QStringLiteral("%1 is not a block device").arg(request.device));
    return {};
}

Outcome checkContent(const Request& request, const Facts& facts)
{
    const QString use = platform::systemUse(facts.files, request.name,
                                            platform::usedDevices(facts.files.usageFiles));
    if (!use.isEmpty())
        return refuse(Status::InUse, QStringLiteral("%1 is in use (%2)").arg(request.device, use));
    const QString content = platform::knownContent(facts.files, request.name);
    if (!content.isEmpty())
        return refuse(Status::KnownContent,
                      QStringLiteral("%1 holds %2, not a PS2 disk").arg(request.device, content));
    if (request.verb == Verb::GrantForFormat)
        return {};
    QFile disk(request.device);
    if (!disk.open(QIODevice::ReadOnly))
        return refuse(
            Status::Unreadable,
            QStringLiteral("%1 cannot be read: %2").arg(request.device, disk.errorString()));
    const QByteArray sector = disk.read(512);
    if (sector.size() < 512)
        return refuse(Status::Unreadable,
                      QStringLiteral("%1: its first sector cannot be read").arg(request.device));
    if (!platform::hasPs2Signature(sector))
        return refuse(Status::NotPs2, QStringLiteral("%1 is not a PS2 disk").arg(request.device));
    return {};
}

Outcome checkCaller(const QString& pkexecUid)
{
    static const QRegularExpression number(QStringLiteral("^[1-9][0-9]{0,9}$"));
    if (!number.match(pkexecUid).hasMatch())
        return refuse(Status::NoCaller,
                      QStringLiteral("ventrik-disk-access is started by pkexec for a user"));
    return {};
}

Outcome run(const QStringList& args, const QString& pkexecUid, const Facts& facts)
{
    Request request;
    if (!args.isEmpty() && args[0].endsWith(QLatin1String("-nbd"))) {
        Outcome outcome = parseNbdArguments(args, &request, facts);
        if (outcome.status == Status::Done)
            outcome = checkCaller(pkexecUid);
        if (outcome.status != Status::Done)
            return outcome;
        return request.verb == Verb::ConnectNbd ? connectNbd(request, pkexecUid, facts)
                                                : disconnectNbd(request, pkexecUid, facts);
    }
    Outcome outcome = parseArguments(args, &request, facts);
    if (outcome.status == Status::Done)
        outcome = checkCaller(pkexecUid);
    if (outcome.status == Status::Done)
        outcome = checkWholeDisk(request, facts);
    // Taking access back is always safe; giving it needs the disk to be a PS2's.
    if (outcome.status == Status::Done && request.verb != Verb::Revoke)
        outcome = checkContent(request, facts);
    if (outcome.status != Status::Done)
        return outcome;
    const bool grant = request.verb != Verb::Revoke;
    QString error;
    if (!facts.changeAccess(request.device, pkexecUid, grant, &error))
        return refuse(Status::AclFailed, QStringLiteral("%1: %2").arg(request.device, error));
    return {Status::Done,
            grant ? QStringLiteral("user %1 may read and write %2").arg(pkexecUid, request.device)
                  : QStringLiteral("user %1's access to %2 is taken back")
                        .arg(pkexecUid, request.device)};
}

Facts systemFacts()
{
    Facts facts;
    facts.isBlockDevice = [](const QString& path) {
        struct stat st
        {};
        return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISBLK(st.st_mode);
    };
    facts.changeAccess = [](const QString& device, const QString& uid, bool grant, QString* error) {
        QProcess setfacl;
        // pkexec gives a bare environment; the program is named by its full path.
        setfacl.start(QStringLiteral("/usr/bin/setfacl"),
                      grant ? QStringList{QStringLiteral("-m"), QStringLiteral("u:%1:rw").arg(uid),
                                          QStringLiteral("--"), device}
                            : QStringList{QStringLiteral("-x"), QStringLiteral("u:%1").arg(uid),
                                          QStringLiteral("--"), device});
        if (!setfacl.waitForFinished(30000)) {
            *error = QStringLiteral("setfacl: %1").arg(setfacl.errorString());
            return false;
        }
        if (setfacl.exitStatus() != QProcess::NormalExit || setfacl.exitCode() != 0) {
            *error = QString::fromLocal8Bit(setfacl.readAllStandardError()).trimmed();
            if (error->isEmpty())
                *error = QStringLiteral("setfacl ended with status %1").arg(setfacl.exitCode());
            return false;
        }
        return true;
    };
    facts.runProgram = [](const QString& program, const QStringList& args, QString* error) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(program, args);
        if (!p.waitForFinished(60000)) {
            *error = QStringLiteral("%1: %2").arg(program, p.errorString());
            p.kill();
            p.waitForFinished();
            return false;
        }
        if (p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
            return true;
        *error = QString::fromLocal8Bit(p.readAll()).trimmed().section(u'\n', -1);
        if (error->isEmpty())
            *error = QStringLiteral("%1 ended with status %2").arg(program).arg(p.exitCode());
        return false;
    };
    return facts;
}

} // namespace helper
