#include "TargetLock.h"

#include "core/platform/Platform.h"
#include "core/platform/SafeFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// What a target is: its identity where it is a file or a device, its server and export where it
// is a PS2's, else the name the tool takes (an address, hdd1:).
QString IdentityOf(const Target& target)
{
    if (target.isNbd())
        return QStringLiteral("nbd ") + target.toolArgument();
    const QString name = target.toolArgument();
    if (target.isDisk() && !name.endsWith(u':'))
        if (const std::optional<QString> it = platform::identityOf(name))
            return *it;
    return QStringLiteral("name ") + name;
}

// An image file to be written: its folder's identity and its name.
QString IdentityOfImageFile(const QString& file)
{
    const QFileInfo info(file);
    const std::optional<QString> folder = platform::identityOf(info.absolutePath());
    return folder ? QStringLiteral("image %1/%2").arg(*folder, info.fileName())
                  : QStringLiteral("image ") + info.absoluteFilePath();
}

// Named by the identity alone: every name of the target meets at the same file.
QString NameOf(const QString& identity)
{
    const QByteArray hash =
        QCryptographicHash::hash(identity.toUtf8(), QCryptographicHash::Sha1).toHex().left(20);
    return identity.section(u' ', 0, 0) + u'-' + QString::fromLatin1(hash) +
           QStringLiteral(".lock");
}

} // namespace

QString TargetLock::LockName(const Target& target)
{
    return NameOf(IdentityOf(target));
}

QString TargetLock::ImageFileLockName(const QString& file)
{
    return NameOf(IdentityOfImageFile(file));
}

TargetLock::TargetLock(const QString& folder, Identity identity)
    : m_file(folder + u'/' + NameOf(identity.text))
{
    QDir().mkpath(folder);
}

TargetLock::TargetLock(const QString& folder, const Target& target)
    : TargetLock(folder, Identity{IdentityOf(target)})
{}

std::unique_ptr<TargetLock> TargetLock::OfImageFile(const QString& folder, const QString& file)
{
    return std::unique_ptr<TargetLock>(new TargetLock(folder, Identity{IdentityOfImageFile(file)}));
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
    // Who holds it, and the tool it runs, matter only while this machine runs: a program that
    // died left them; a machine that stopped left no tool running.
    QString error;
    platform::writeFileAtomically(m_file + QStringLiteral(".who"), holder.toUtf8(), &error, 0600,
                                  platform::Lasting::ProgramOnly);
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
                                  &error, 0600, platform::Lasting::ProgramOnly);
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
