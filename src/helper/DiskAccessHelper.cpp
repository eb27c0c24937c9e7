#include "DiskAccessHelper.h"

#include "core/platform/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace helper {

namespace {
Outcome refuse(Status status, const QString& message)
{
    return {status, message};
}

// A whole-string match: nothing may follow what the pattern allows (no line break either).
bool matchesWhole(const QString& pattern, const QString& text)
{
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(text).hasMatch();
}

// A folder only root may write in: made when it is not there; refused when it is a link, not
// a folder, not this user's (root's) or writable by others.
bool secureFolder(const QString& path, QString* error)
{
    const QByteArray name = QFile::encodeName(path);
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST) {
        *error = QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    struct stat st
    {};
    if (::lstat(name.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() ||
        (st.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        *error = QStringLiteral("%1 is not a folder of the helper's own").arg(path);
        return false;
    }
    return true;
}

QString recordPath(const Facts& facts, const QString& uid, const QString& record)
{
    return facts.recordsDir + u'/' + uid + u'/' + record;
}
} // namespace

QString deviceInstance(const Facts& facts, const QString& name)
{
    // The device's number, and the kernel's count of disks seen (a new one for every disk
    // plugged in) where the kernel has it.
    const QString block = facts.files.sysRoot + QStringLiteral("/block/") + name;
    auto read = [](const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.read(64)).trimmed() : QString();
    };
    const QString seq = read(block + QStringLiteral("/diskseq"));
    return read(block + QStringLiteral("/dev")) + u' ' +
           (seq.isEmpty() ? QStringLiteral("-") : seq);
}

bool writeRecord(const Facts& facts, const QString& uid, const QString& record,
                 const QByteArray& content, QString* error)
{
    if (!secureFolder(facts.recordsDir, error) ||
        !secureFolder(facts.recordsDir + u'/' + uid, error))
        return false;
    return platform::writeFileAtomically(recordPath(facts, uid, record), content, error);
}

std::optional<QByteArray> readRecord(const Facts& facts, const QString& uid, const QString& record)
{
    const QByteArray name = QFile::encodeName(recordPath(facts, uid, record));
    const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat st
    {};
    QByteArray bytes;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
        st.st_size < 4096) {
        bytes.resize(static_cast<qsizetype>(st.st_size));
        if (::read(fd, bytes.data(), static_cast<size_t>(bytes.size())) != bytes.size())
            bytes.clear();
        ::close(fd);
        return bytes;
    }
    ::close(fd);
    return std::nullopt;
}

void removeRecord(const Facts& facts, const QString& uid, const QString& record)
{
    QFile::remove(recordPath(facts, uid, record));
}

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
    // Exactly DEVROOT/NAME, the name a whole disk's: no link folder, no "..", nothing after.
    const QString prefix = facts.files.devRoot + u'/';
    const QString& device = args[1];
    if (!device.startsWith(prefix) || !platform::isWholeDiskName(device.mid(prefix.size())))
        return refuse(
            Status::NotWholeDisk,
            QStringLiteral("%1 is not a whole disk under %2").arg(device, facts.files.devRoot));
    request->device = device;
    request->name = device.mid(prefix.size());
    return {};
}

Outcome checkWholeDisk(const Request& request, const Facts& facts)
{
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
    // Without udev's word, nobody can tell what the disk holds: nothing is given.
    const std::optional<platform::UdevContent> udev =
        platform::udevContent(facts.files, request.name);
    if (!udev)
        return refuse(Status::NoUdev,
                      QStringLiteral("udev's database does not know %1, so what it holds cannot be "
                                     "told")
                          .arg(request.device));
    // A file system on the whole disk, or a partition table other than the MBR that the
    // newer kits keep beside the PS2 table, is someone else's disk.
    if (!udev->fileSystem.isEmpty())
        return refuse(
            Status::KnownContent,
            QStringLiteral("%1 holds %2, not a PS2 disk").arg(request.device, udev->fileSystem));
    const QByteArray head = facts.readStart(request.device, 1024);
    if (head.size() < 1024)
        return refuse(Status::Unreadable,
                      QStringLiteral("%1: its first sectors cannot be read").arg(request.device));
    const bool apa = platform::isApaHeader(head);
    if (!udev->partitionTable.isEmpty() && !(apa && udev->partitionTable == QLatin1String("dos")))
        return refuse(Status::KnownContent, QStringLiteral("%1 holds %2, not a PS2 disk")
                                                .arg(request.device, udev->partitionTable));
    if (apa)
        return {};
    if (request.verb != Verb::GrantForFormat)
        return refuse(Status::NotPs2, QStringLiteral("%1 is not a PS2 disk").arg(request.device));
    // Formatting takes a PS2 disk, or one whose first MiB is blank.
    const QByteArray start = facts.readStart(request.device, 1024 * 1024);
    if (start.size() < 1024 * 1024)
        return refuse(Status::Unreadable,
                      QStringLiteral("%1: its first sectors cannot be read").arg(request.device));
    if (!std::all_of(start.cbegin(), start.cend(), [](char c) { return c == 0; }))
        return refuse(Status::NotPs2, QStringLiteral("%1 is neither blank nor a PS2 disk: only "
                                                     "such a disk is formatted")
                                          .arg(request.device));
    return {};
}

Outcome checkCaller(const QString& pkexecUid, const Facts& facts)
{
    bool number = false;
    const qulonglong uid = pkexecUid.toULongLong(&number);
    // A number, whole, neither root's nor the one that means "nobody" (-1), of a real user.
    if (!matchesWhole(QStringLiteral("[1-9][0-9]{0,9}"), pkexecUid) || !number ||
        uid >= 4294967295ULL || !facts.userExists(static_cast<quint32>(uid)))
        return refuse(Status::NoCaller,
                      QStringLiteral("ventrik-disk-access is started by pkexec for a user"));
    return {};
}

Outcome run(const QStringList& args, const QString& pkexecUid, const Facts& facts)
{
    Request request;
    if (!args.isEmpty() && args[0].endsWith(QLatin1String("-nbd"))) {
        Outcome outcome = checkCaller(pkexecUid, facts);
        if (outcome.status == Status::Done)
            outcome = parseNbdArguments(args, &request, facts);
        if (outcome.status != Status::Done)
            return outcome;
        return request.verb == Verb::ConnectNbd ? connectNbd(request, pkexecUid, facts)
                                                : disconnectNbd(request, pkexecUid, facts);
    }
    // Whoever is not a user started through pkexec learns nothing more.
    Outcome outcome = checkCaller(pkexecUid, facts);
    if (outcome.status == Status::Done)
        outcome = parseArguments(args, &request, facts);
    if (outcome.status == Status::Done)
        outcome = checkWholeDisk(request, facts);
    if (outcome.status != Status::Done)
        return outcome;
    const QString record = QStringLiteral("grant-") + request.name;
    const QString instance = deviceInstance(facts, request.name);
    QString error;
    if (request.verb == Verb::Revoke) {
        // Only what this helper gave this user, to this very disk.
        const std::optional<QByteArray> given = readRecord(facts, pkexecUid, record);
        if (!given)
            return refuse(Status::NotGiven, QStringLiteral("user %1 was not given %2 by Ventrik")
                                                .arg(pkexecUid, request.device));
        removeRecord(facts, pkexecUid, record);
        // Given to a disk that has since gone: its node went with it, and so did the access.
        if (QString::fromLatin1(*given).trimmed() != instance)
            return {
                Status::Done,
                QStringLiteral("%1 is another disk now: nothing to take back").arg(request.device)};
        if (!facts.changeAccess(request.device, AclChange::Revoke, pkexecUid, &error))
            return refuse(Status::AclFailed, QStringLiteral("%1: %2").arg(request.device, error));
        return {
            Status::Done,
            QStringLiteral("user %1's access to %2 is taken back").arg(pkexecUid, request.device)};
    }
    outcome = checkContent(request, facts);
    if (outcome.status != Status::Done)
        return outcome;
    // Written down first: a grant nobody knows of could never be taken back.
    if (!writeRecord(facts, pkexecUid, record, instance.toLatin1() + '\n', &error))
        return refuse(Status::RecordFailed, error);
    if (!facts.changeAccess(request.device, AclChange::Grant, pkexecUid, &error)) {
        removeRecord(facts, pkexecUid, record);
        return refuse(Status::AclFailed, QStringLiteral("%1: %2").arg(request.device, error));
    }
    return {Status::Done,
            QStringLiteral("user %1 may read and write %2").arg(pkexecUid, request.device)};
}

Facts systemFacts()
{
    Facts facts;
    facts.isBlockDevice = [](const QString& path) {
        struct stat st
        {};
        return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISBLK(st.st_mode);
    };
    facts.readStart = [](const QString& device, qint64 bytes) {
        QFile disk(device);
        return disk.open(QIODevice::ReadOnly) ? disk.read(bytes) : QByteArray();
    };
    facts.changeAccess = [](const QString& device, AclChange change, const QString& uid,
                            QString* error) {
        QProcess setfacl;
        QStringList args;
        switch (change) {
        case AclChange::Grant:
            args = {QStringLiteral("-m"), QStringLiteral("u:%1:rw").arg(uid)};
            break;
        case AclChange::Revoke:
            args = {QStringLiteral("-x"), QStringLiteral("u:%1").arg(uid)};
            break;
        case AclChange::Clear:
            args = {QStringLiteral("-b")};
            break;
        }
        // pkexec gives a bare environment; the program is named by its full path.
        setfacl.start(QStringLiteral("/usr/bin/setfacl"),
                      args + QStringList{QStringLiteral("--"), device});
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
            // Killed: reaped within moments, and never waited on longer.
            p.waitForFinished(5000);
            return false;
        }
        if (p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
            return true;
        *error = QString::fromLocal8Bit(p.readAll()).trimmed().section(u'\n', -1);
        if (error->isEmpty())
            *error = QStringLiteral("%1 ended with status %2").arg(program).arg(p.exitCode());
        return false;
    };
    facts.userExists = [](quint32 uid) { return ::getpwuid(static_cast<uid_t>(uid)) != nullptr; };
    return facts;
}

} // namespace helper
