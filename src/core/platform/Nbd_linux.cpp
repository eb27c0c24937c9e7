#include "Nbd.h"

#include "Platform.h"
#include "SafeFile.h"

#include <QCoreApplication>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>

namespace platform {

namespace {
QString ownerFile(const QString& dir)
{
    return dir + QStringLiteral(".owner");
}
QByteArray ownerLine()
{
    const qint64 pid = QCoreApplication::applicationPid();
    return QByteArray::number(pid) + ' ' + QByteArray::number(processStartTime(pid));
}
// Only a plain file of ours is a record: a link or anything else is none.
std::optional<QByteArray> readRecord(const QString& file)
{
    if (QFileInfo(file).isSymLink())
        return std::nullopt;
    const FileRead read = readRegularFile(file, 4096);
    if (read.status != FileReadStatus::Read)
        return std::nullopt;
    return read.bytes;
}
bool ownerRuns(const QString& dir)
{
    const std::optional<QByteArray> record = readRecord(ownerFile(dir));
    if (!record)
        return false;
    const QList<QByteArray> fields = record->split('\n').value(0).trimmed().split(' ');
    const qint64 pid = fields.value(0).toLongLong();
    const quint64 start = fields.value(1).toULongLong();
    return pid > 0 && start != 0 && processStartTime(pid) == start;
}
} // namespace

void RecordOwned(const QString& stem, const QString& payload)
{
    QDir().mkpath(QFileInfo(stem).absolutePath());
    QString error;
    writeFileAtomically(ownerFile(stem), ownerLine() + '\n' + QFile::encodeName(payload) + '\n',
                        &error);
}

void ForgetOwned(const QString& stem)
{
    QFile::remove(ownerFile(stem));
}

QStringList TakeStaleOwned(const QString& folder, const QString& pattern)
{
    QStringList stale;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({pattern + QStringLiteral(".owner")}, QDir::Files)) {
        const QString stem = dir.filePath(name.chopped(6));
        if (ownerRuns(stem))
            continue;
        const std::optional<QByteArray> record = readRecord(dir.filePath(name));
        QFile::remove(dir.filePath(name));
        // Exactly its owner's line and one more: anything else was not written by Ventrik.
        const QList<QByteArray> lines = record ? record->split('\n') : QList<QByteArray>();
        if (lines.size() == 3 && lines[2].isEmpty() && !lines[1].isEmpty())
            stale << QFile::decodeName(lines[1]);
    }
    return stale;
}

NbdExportInfo ReadNbdInfoJson(const QByteArray& json, const QString& exportName)
{
    NbdExportInfo info;
    const QJsonArray exports =
        QJsonDocument::fromJson(json).object().value(QStringLiteral("exports")).toArray();
    for (const QJsonValue& v : exports) {
        const QJsonObject e = v.toObject();
        if (exports.size() > 1 && e.value(QStringLiteral("export-name")).toString() != exportName)
            continue;
        info.state = NbdExportInfo::State::Reachable;
        info.sizeBytes = e.value(QStringLiteral("export-size")).toInteger();
        info.readOnly = e.value(QStringLiteral("is_read_only")).toBool();
        return info;
    }
    info.error = QStringLiteral("no export %1").arg(exportName);
    return info;
}

QPointer<QProcess> ReadNbdExport(QObject* context, const QString& uri, const QString& exportName,
                                 std::function<void(NbdExportInfo)> done, int timeoutMs)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("nbdinfo"));
    if (program.isEmpty()) {
        QMetaObject::invokeMethod(
            context,
            [done] {
                NbdExportInfo info;
                info.state = NbdExportInfo::State::NoProgram;
                done(info);
            },
            Qt::QueuedConnection);
        return {};
    }
    auto* p = new QProcess(context);
    // Whoever ends the process first (nbdinfo, the limit, a cancel) is the answer.
    auto* limit = new QTimer(p);
    limit->setSingleShot(true);
    auto timedOut = std::make_shared<bool>(false);
    QObject::connect(limit, &QTimer::timeout, p, [p, timedOut] {
        *timedOut = true;
        p->kill();
    });
    QObject::connect(p, &QProcess::finished, context,
                     [p, done, exportName, timedOut](int code, QProcess::ExitStatus status) {
                         p->deleteLater();
                         NbdExportInfo info;
                         if (code == 0 && status == QProcess::NormalExit) {
                             info = ReadNbdInfoJson(p->readAllStandardOutput(), exportName);
                             return done(info);
                         }
                         // Its last words, without the advice it may add after them.
                         QString said;
                         for (const QString& line :
                              QString::fromLocal8Bit(p->readAllStandardError()).split(u'\n')) {
                             if (!line.trimmed().isEmpty() &&
                                 !line.contains(QLatin1String("suggestion:")))
                                 said = line.trimmed();
                         }
                         info.timedOut = *timedOut;
                         info.cancelled = !*timedOut && status != QProcess::NormalExit;
                         info.error = said;
                         // A server that answered and refused the name: "nbd_opt_go: server replied
                         // with error to opt_go request: No such file or directory for export:
                         // hdd1".
                         info.noSuchExport = said.contains(QLatin1String("opt_go"));
                         done(info);
                     });
    QObject::connect(p, &QProcess::errorOccurred, context, [p, done](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart)
            return;
        p->deleteLater();
        NbdExportInfo info;
        info.state = NbdExportInfo::State::NoProgram;
        info.error = p->errorString();
        done(info);
    });
    p->start(program, {QStringLiteral("--json"), uri});
    limit->start(timeoutMs);
    return p;
}

QStringList TruncatedDiskServer(const QString& path, qint64 bytes)
{
    const QString nbdkit = QStandardPaths::findExecutable(QStringLiteral("nbdkit"));
    if (nbdkit.isEmpty())
        return {};
    // nbdfuse hands nbdkit its socket; nbdkit ends with it.
    return {QStringLiteral("["),
            nbdkit,
            QStringLiteral("--exit-with-parent"),
            QStringLiteral("--filter=truncate"),
            QStringLiteral("file"),
            QStringLiteral("file=") + path,
            QStringLiteral("truncate=") + QString::number(bytes),
            QStringLiteral("]")};
}

NbdMount::NbdMount(const QString& dir, const QString& uri, QObject* parent)
    : NbdMount(dir, QStringList{uri}, parent)
{}

NbdMount::NbdMount(const QString& dir, const QStringList& server, QObject* parent)
    : QObject(parent), m_dir(dir), m_source(server)
{
    m_poll.setInterval(100);
    connect(&m_poll, &QTimer::timeout, this, [this] {
        m_waitedMs += m_poll.interval();
        if (QFileInfo(m_dir + QStringLiteral(".pid")).size() > 0)
            finishMount(true, {});
        else if (m_waitedMs >= m_timeoutMs)
            finishMount(
                false, QStringLiteral("nbdfuse did not get ready in %1 s").arg(m_timeoutMs / 1000));
    });
}

NbdMount::~NbdMount()
{
    // Never left behind and never killed: nbdfuse, and an unmount under way, are let go to
    // end by themselves (nbdfuse does once its mount is gone); a mount still up is unmounted
    // without waiting.
    const bool unmounting = m_unmounting && m_unmounting->state() != QProcess::NotRunning;
    for (QProcess* p : findChildren<QProcess*>(Qt::FindDirectChildrenOnly)) {
        if (p->state() == QProcess::NotRunning)
            continue;
        p->setParent(nullptr);
        connect(p, &QProcess::finished, p, &QObject::deleteLater);
    }
    if (m_mounted && !unmounting)
        QProcess::startDetached(QStringLiteral("fusermount3"), {QStringLiteral("-u"), m_dir});
}

void NbdMount::mount(std::function<void(bool, const QString&)> done, int timeoutMs)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("nbdfuse"));
    if (program.isEmpty()) {
        QMetaObject::invokeMethod(
            this, [done] { done(false, QStringLiteral("nbdfuse is not installed")); },
            Qt::QueuedConnection);
        return;
    }
    QDir().mkpath(m_dir);
    QFile::remove(m_dir + QStringLiteral(".pid"));
    // Whose mount it is: a later start unmounts it only when this program no longer runs.
    RecordOwned(m_dir, m_dir);
    m_mountDone = std::move(done);
    m_timeoutMs = timeoutMs;
    m_waitedMs = 0;
    m_fuse = new QProcess(this);
    m_fuse->setProcessChannelMode(QProcess::MergedChannels);
    connect(m_fuse, &QProcess::finished, this, [this] {
        const QString said = QString::fromLocal8Bit(m_fuse->readAll()).trimmed();
        m_fuse->deleteLater();
        m_mounted = false;
        if (m_mountDone)
            finishMount(false, said.isEmpty() ? QStringLiteral("nbdfuse ended") : said);
    });
    // The pid file lies beside the mount point: inside, FUSE would hide it.
    m_fuse->start(program,
                  QStringList{QStringLiteral("-P"), m_dir + QStringLiteral(".pid"), diskPath()} +
                      m_source);
    m_poll.start();
}

void NbdMount::finishMount(bool ok, const QString& error)
{
    m_poll.stop();
    m_mounted = ok;
    if (auto done = std::exchange(m_mountDone, {}))
        done(ok, error);
}

void NbdMount::unmount(std::function<void(bool, const QString&)> done)
{
    unmountWith({QStringLiteral("-u"), m_dir}, std::move(done));
}

void NbdMount::unmountWith(const QStringList& args, std::function<void(bool, const QString&)> done)
{
    auto* p = new QProcess(this);
    m_unmounting = p;
    p->setProcessChannelMode(QProcess::MergedChannels);
    connect(p, &QProcess::finished, this, [this, p, args, done](int code) {
        p->deleteLater();
        const bool ok = code == 0;
        const QString said = QString::fromLocal8Bit(p->readAll()).trimmed();
        // Still in use (a tool that is only now ending, after its export was cut off): taken
        // out of sight at once, and gone once the last user has closed it.
        if (!ok && !args.contains(QStringLiteral("-z"))) {
            unmountWith({QStringLiteral("-u"), QStringLiteral("-z"), m_dir}, done);
            return;
        }
        if (ok)
            m_mounted = false;
        // nbdfuse ends by itself once its mount is gone; it is not left to be killed.
        if (ok && m_fuse && m_fuse->state() != QProcess::NotRunning) {
            connect(m_fuse, &QProcess::finished, this, [done, said] { done(true, said); });
            return;
        }
        done(ok, said);
    });
    p->start(QStringLiteral("fusermount3"), args);
}

void NbdMount::abort()
{
    if (m_fuse && m_fuse->state() != QProcess::NotRunning)
        m_fuse->kill();
}

QStringList StaleNbdMounts(const QString& base, const QString& mountInfo)
{
    QStringList stale;
    for (const QString& dir : NbdMountsUnder(base, mountInfo)) {
        if (!ownerRuns(dir))
            stale << dir;
    }
    return stale;
}

QStringList NbdMountsUnder(const QString& base, const QString& mountInfo)
{
    QStringList stale;
    QFile f(mountInfo);
    if (!f.open(QIODevice::ReadOnly))
        return stale;
    const QString prefix = QDir::cleanPath(base) + u'/';
    for (const QByteArray& line : f.readAll().split('\n')) {
        // The fifth field is the mount point, with blanks written as \040.
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 5)
            continue;
        const QString point =
            QString::fromLocal8Bit(fields[4]).replace(QStringLiteral("\\040"), QStringLiteral(" "));
        if (point.startsWith(prefix) && line.contains(" - fuse"))
            stale << point;
    }
    return stale;
}

namespace {
QString deviceRecord(const QString& base, const QString& device)
{
    return QDir(base).filePath(QFileInfo(device).fileName());
}
} // namespace

void RecordNbdDevice(const QString& base, const QString& device)
{
    // The record's stem stands where a mount would: its owner is read the same way.
    RecordOwned(deviceRecord(base, device), device);
}

void ForgetNbdDevice(const QString& base, const QString& device)
{
    ForgetOwned(deviceRecord(base, device));
}

QStringList TakeStaleNbdDevices(const QString& base)
{
    // Only what names an NBD device is one: a record of anything else is nobody's to act on.
    static const QRegularExpression nbd(
        QRegularExpression::anchoredPattern(QStringLiteral("/dev/nbd[0-9]{1,3}")));
    QStringList devices;
    for (const QString& device : TakeStaleOwned(base, QStringLiteral("nbd*")))
        if (nbd.match(device).hasMatch())
            devices << device;
    return devices;
}

void UnmountStale(const QStringList& dirs)
{
    for (const QString& dir : dirs)
        QProcess::startDetached(QStringLiteral("fusermount3"), {QStringLiteral("-u"), dir});
}

} // namespace platform
