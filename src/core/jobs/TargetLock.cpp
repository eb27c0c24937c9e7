#include "TargetLock.h"

#include "core/devices/NbdAddress.h"
#include "core/platform/Platform.h"
#include "core/platform/SafeFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// What a target is: its identity where it is a file or a device, its server and export where it
// is a PS2's, else the name the tool takes (an address, hdd1:).
QString identity(const QString& target, TargetLock::Kind kind)
{
    if (kind == TargetLock::Kind::ImageFile) {
        const QFileInfo info(target);
        const std::optional<QString> folder = platform::identityOf(info.absolutePath());
        return folder ? QStringLiteral("image %1/%2").arg(*folder, info.fileName())
                      : QStringLiteral("image ") + info.absoluteFilePath();
    }
    if (const std::optional<NbdAddress> nbd = ParseNbdAddress(target))
        return QStringLiteral("nbd ") + nbd->uri();
    if (!target.endsWith(u':'))
        if (const std::optional<QString> it = platform::identityOf(target))
            return *it;
    return QStringLiteral("name ") + target;
}

} // namespace

QString TargetLock::LockName(const QString& target, Kind kind)
{
    // Named by the identity alone: every name of the target meets at the same file.
    const QString what = identity(target, kind);
    const QByteArray hash =
        QCryptographicHash::hash(what.toUtf8(), QCryptographicHash::Sha1).toHex().left(20);
    return what.section(u' ', 0, 0) + u'-' + QString::fromLatin1(hash) + QStringLiteral(".lock");
}

TargetLock::TargetLock(const QString& folder, const QString& target, Kind kind)
    : m_file(folder + u'/' + LockName(target, kind))
{
    QDir().mkpath(folder);
}

TargetLock::~TargetLock()
{
    unlock();
}

bool TargetLock::tryLock(const QString& holder)
{
    if (isLocked())
        return true;
    // QLockFile would wait on a FIFO in its place, or read a huge file whole.
    const QFileInfo info(m_file);
    if (info.exists() && (!info.isFile() || info.isSymLink() || info.size() > 4096)) {
        m_error = QStringLiteral("%1 is not a lock file").arg(m_file);
        return false;
    }
    m_error.clear();
    if (!m_lock) {
        m_lock = std::make_unique<QLockFile>(m_file);
        // A lock left by a program that has died is taken over.
        m_lock->setStaleLockTime(0);
    }
    if (!m_lock->tryLock(0))
        return false;
    QString error;
    platform::writeFileAtomically(m_file + QStringLiteral(".who"), holder.toUtf8(), &error);
    return true;
}

void TargetLock::unlock()
{
    if (!isLocked())
        return;
    QFile::remove(m_file + QStringLiteral(".who"));
    QFile::remove(m_file + QStringLiteral(".tool"));
    m_lock->unlock();
}

QString TargetLock::holder() const
{
    const platform::FileRead who = platform::readRegularFile(m_file + QStringLiteral(".who"), 200);
    return QString::fromUtf8(who.bytes).trimmed();
}

qint64 TargetLock::holderPid() const
{
    qint64 pid = 0;
    QString host, app;
    return m_lock && m_lock->getLockInfo(&pid, &host, &app) ? pid : 0;
}

void TargetLock::recordTool(qint64 pid, quint64 start)
{
    if (!isLocked())
        return;
    QString error;
    platform::writeFileAtomically(m_file + QStringLiteral(".tool"),
                                  QByteArray::number(pid) + ' ' + QByteArray::number(start) + '\n',
                                  &error);
}

std::optional<std::pair<qint64, quint64>> TargetLock::leftoverTool() const
{
    const platform::FileRead read =
        platform::readRegularFile(m_file + QStringLiteral(".tool"), 100);
    if (read.status != platform::FileReadStatus::Read)
        return std::nullopt;
    const QList<QByteArray> fields = read.bytes.trimmed().split(' ');
    const qint64 pid = fields.value(0).toLongLong();
    const quint64 start = fields.value(1).toULongLong();
    if (pid <= 0 || start == 0)
        return std::nullopt;
    return std::pair{pid, start};
}
