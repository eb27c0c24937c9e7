#include "TargetLock.h"

#include "core/platform/Platform.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// The same disk however it was named (a link, a relative path) gets the same lock.
QString lockName(const QString& target)
{
    const QFileInfo info(target);
    const QString canonical =
        !target.endsWith(u':') && info.exists() ? info.canonicalFilePath() : target;
    QString readable = canonical;
    readable.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]+")), QStringLiteral("_"));
    readable.remove(QRegularExpression(QStringLiteral("^_+")));
    const QByteArray hash =
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(10);
    return readable.right(40) + u'-' + QString::fromLatin1(hash) + QStringLiteral(".lock");
}

} // namespace

TargetLock::TargetLock(const QString& folder, const QString& target)
    : m_file(folder + u'/' + lockName(target)), m_lock(m_file)
{
    QDir().mkpath(folder);
    // A lock left by a program that has died is taken over.
    m_lock.setStaleLockTime(0);
}

TargetLock::~TargetLock()
{
    unlock();
}

bool TargetLock::tryLock(const QString& holder)
{
    if (m_lock.isLocked())
        return true;
    if (!m_lock.tryLock(0))
        return false;
    QFile who(m_file + QStringLiteral(".who"));
    if (who.open(QIODevice::WriteOnly | QIODevice::Truncate))
        who.write(holder.toUtf8());
    return true;
}

void TargetLock::unlock()
{
    if (!m_lock.isLocked())
        return;
    QFile::remove(m_file + QStringLiteral(".who"));
    m_lock.unlock();
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
    return m_lock.getLockInfo(&pid, &host, &app) ? pid : 0;
}
