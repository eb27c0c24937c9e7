// The helper's verbs for a PS2 reached over NBD by a build of the tool that takes only
// devices: the export connected as /dev/nbdN with nbd-client, for the user who asked.
#include "DiskAccessHelper.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace helper {

namespace {

Outcome refuse(Status status, const QString& message)
{
    return {status, message};
}

bool isIPv4(const QString& text)
{
    // Whole: nothing may follow the last number, a line break neither.
    static const QRegularExpression form(QRegularExpression::anchoredPattern(
        QStringLiteral("([0-9]{1,3})\\.([0-9]{1,3})\\.([0-9]{1,3})\\.([0-9]{1,3})")));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return false;
    for (int i = 1; i <= 4; ++i)
        if (m.captured(i).toInt() > 255)
            return false;
    return true;
}

// pkexec gives a bare environment: programs are named by their full paths.
QString systemProgram(const char* name)
{
    for (const char* dir : {"/usr/sbin/", "/sbin/", "/usr/bin/"}) {
        const QString path = QLatin1String(dir) + QLatin1String(name);
        if (QFileInfo(path).isExecutable())
            return path;
    }
    return QLatin1String("/usr/sbin/") + QLatin1String(name);
}

QString readLine(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readLine()).trimmed() : QString();
}

} // namespace

Outcome parseNbdArguments(const QStringList& args, Request* request, const Facts& facts)
{
    static const char* usage = "usage: ventrik-disk-access connect-nbd IP PORT EXPORT | "
                               "disconnect-nbd /dev/nbdN";
    if (args.value(0) == QLatin1String("connect-nbd") && args.size() == 4) {
        request->verb = Verb::ConnectNbd;
        static const QRegularExpression digits(
            QRegularExpression::anchoredPattern(QStringLiteral("[0-9]{1,5}")));
        static const QRegularExpression name(
            QRegularExpression::anchoredPattern(QStringLiteral("[A-Za-z0-9][A-Za-z0-9._-]{0,63}")));
        const int port = digits.match(args[2]).hasMatch() ? args[2].toInt() : 0;
        if (!isIPv4(args[1]) || port < 1 || port > 65535 || !name.match(args[3]).hasMatch())
            return refuse(Status::Usage, QString::fromLatin1(usage));
        request->host = args[1];
        request->port = QString::number(port);
        request->exportName = args[3];
        return {};
    }
    if (args.value(0) == QLatin1String("disconnect-nbd") && args.size() == 2) {
        request->verb = Verb::DisconnectNbd;
        static const QRegularExpression nbd(
            QRegularExpression::anchoredPattern(QStringLiteral("nbd[0-9]{1,3}")));
        const QString prefix = facts.files.devRoot + u'/';
        const QString name = args[1].mid(prefix.size());
        if (!args[1].startsWith(prefix) || !nbd.match(name).hasMatch())
            return refuse(Status::NotWholeDisk,
                          QStringLiteral("%1 is not an NBD device").arg(args[1]));
        request->device = args[1];
        request->name = name;
        return {};
    }
    return refuse(Status::Usage, QString::fromLatin1(usage));
}

Outcome connectNbd(const Request& request, const QString& pkexecUid, const Facts& facts)
{
    const QString sys = facts.files.sysRoot;
    QString error;
    if (!QFileInfo::exists(sys + QStringLiteral("/module/nbd")) &&
        !facts.runProgram(systemProgram("modprobe"), {QStringLiteral("nbd")}, &error))
        return refuse(Status::NbdFailed,
                      QStringLiteral("the nbd module could not be loaded: %1").arg(error));
    // A device nobody uses: no client holds it (no pid) and it has no size.
    QString name;
    for (int n = 0; n < 256 && name.isEmpty(); ++n) {
        const QString block = QStringLiteral("%1/block/nbd%2").arg(sys).arg(n);
        if (QFileInfo::exists(block) && !QFileInfo::exists(block + QStringLiteral("/pid")) &&
            readLine(block + QStringLiteral("/size")) == QLatin1String("0"))
            name = QStringLiteral("nbd%1").arg(n);
    }
    if (name.isEmpty())
        return refuse(Status::NbdFailed, QStringLiteral("no NBD device is free"));
    const QString device = facts.files.devRoot + u'/' + name;
    if (!facts.isBlockDevice(device))
        return refuse(Status::NotWholeDisk, QStringLiteral("%1 is not a block device").arg(device));
    // Nobody keeps anything of a connection before this one: every entry of its access list
    // goes before the export is connected.
    if (!facts.changeAccess(device, AclChange::Clear, pkexecUid, &error))
        return refuse(Status::AclFailed, QStringLiteral("%1: %2").arg(device, error));
    const QString record = QStringLiteral("nbd-") + name;
    if (!writeRecord(
            facts, pkexecUid, record,
            QStringLiteral("%1 %2 %3 %4\n")
                .arg(deviceInstance(facts, name), request.host, request.port, request.exportName)
                .toLatin1(),
            &error))
        return refuse(Status::RecordFailed, error);
    if (!facts.runProgram(
            systemProgram("nbd-client"),
            {QStringLiteral("-N"), request.exportName, request.host, request.port, device},
            &error)) {
        removeRecord(facts, pkexecUid, record);
        return refuse(Status::NbdFailed,
                      QStringLiteral("nbd-client could not connect %1: %2").arg(device, error));
    }
    if (!facts.changeAccess(device, AclChange::Grant, pkexecUid, &error)) {
        QString ignored;
        facts.runProgram(systemProgram("nbd-client"), {QStringLiteral("-d"), device}, &ignored);
        removeRecord(facts, pkexecUid, record);
        return refuse(Status::AclFailed, QStringLiteral("%1: %2").arg(device, error));
    }
    return {Status::Done, device};
}

Outcome disconnectNbd(const Request& request, const QString& pkexecUid, const Facts& facts)
{
    // Only a device this helper connected for this very user.
    const QString record = QStringLiteral("nbd-") + request.name;
    const std::optional<QByteArray> given = readRecord(facts, pkexecUid, record);
    if (!given)
        return refuse(Status::NotGiven, QStringLiteral("user %1 did not connect %2 through Ventrik")
                                            .arg(pkexecUid, request.device));
    const QString block = facts.files.sysRoot + QStringLiteral("/block/") + request.name;
    if (!QFileInfo::exists(block + QStringLiteral("/pid"))) {
        removeRecord(facts, pkexecUid, record);
        return {Status::Done, QStringLiteral("%1 is not connected").arg(request.device)};
    }
    const QString use = platform::systemUse(facts.files, request.name,
                                            platform::usedDevices(facts.files.usageFiles));
    if (!use.isEmpty())
        return refuse(Status::InUse, QStringLiteral("%1 is in use (%2)").arg(request.device, use));
    QString error;
    // Access goes first: nothing of this user's may touch the next connection's disk.
    facts.changeAccess(request.device, AclChange::Clear, pkexecUid, &error);
    if (!facts.runProgram(systemProgram("nbd-client"), {QStringLiteral("-d"), request.device},
                          &error))
        return refuse(Status::NbdFailed, QStringLiteral("%1: %2").arg(request.device, error));
    removeRecord(facts, pkexecUid, record);
    return {Status::Done, QStringLiteral("%1 is disconnected").arg(request.device)};
}

} // namespace helper
