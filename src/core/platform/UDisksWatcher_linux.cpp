#include "UDisksWatcher.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFileInfo>

namespace platform {

namespace {
const QString kService = QStringLiteral("org.freedesktop.UDisks2");
const QString kRoot = QStringLiteral("/org/freedesktop/UDisks2");
const QString kManager = QStringLiteral("org.freedesktop.DBus.ObjectManager");
const QString kBlock = QStringLiteral("org.freedesktop.UDisks2.Block");
const QString kDrive = QStringLiteral("org.freedesktop.UDisks2.Drive");

QString pathText(const QVariant& v)
{
    return v.value<QDBusObjectPath>().path();
}
} // namespace

UDisksWatcher::UDisksWatcher(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_bus(bus)
{
    qDBusRegisterMetaType<UDisksInterfaces>();
    qDBusRegisterMetaType<UDisksObjects>();
}

void UDisksWatcher::start()
{
    if (!m_bus.isConnected()) {
        QMetaObject::invokeMethod(this, &UDisksWatcher::unavailable, Qt::QueuedConnection);
        return;
    }
    m_bus.connect(kService, kRoot, kManager, QStringLiteral("InterfacesAdded"), this,
                  SLOT(interfacesAdded(QDBusObjectPath, platform::UDisksInterfaces)));
    m_bus.connect(kService, kRoot, kManager, QStringLiteral("InterfacesRemoved"), this,
                  SLOT(interfacesRemoved(QDBusObjectPath, QStringList)));
    const QDBusMessage call = QDBusMessage::createMethodCall(kService, kRoot, kManager,
                                                             QStringLiteral("GetManagedObjects"));
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, 5000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        const QDBusPendingReply<UDisksObjects> reply = *watcher;
        if (reply.isError()) {
            emit unavailable();
            return;
        }
        const UDisksObjects objects = reply.value();
        for (auto it = objects.begin(); it != objects.end(); ++it)
            m_objects[it.key().path()].insert(it.value());
        m_ready = true;
        emit ready();
    });
}

void UDisksWatcher::interfacesAdded(const QDBusObjectPath& path, const UDisksInterfaces& added)
{
    m_objects[path.path()].insert(added);
    if (m_ready && (added.contains(kBlock) || added.contains(kDrive)))
        emit devicesChanged();
}

void UDisksWatcher::interfacesRemoved(const QDBusObjectPath& path, const QStringList& removed)
{
    const auto it = m_objects.find(path.path());
    if (it == m_objects.end())
        return;
    const QString device = deviceOf(path.path());
    for (const QString& name : removed)
        it->remove(name);
    if (it->isEmpty())
        m_objects.erase(it);
    if (!m_ready || !(removed.contains(kBlock) || removed.contains(kDrive)))
        return;
    if (removed.contains(kBlock) && !device.isEmpty())
        emit diskRemoved(device);
    emit devicesChanged();
}

QString UDisksWatcher::deviceOf(const QString& objectPath) const
{
    const QVariantMap block = m_objects.value(objectPath).value(kBlock);
    // A byte string with its closing NUL.
    QByteArray bytes = block.value(QStringLiteral("Device")).toByteArray();
    if (bytes.endsWith('\0'))
        bytes.chop(1);
    return QString::fromLocal8Bit(bytes);
}

QList<Device> UDisksWatcher::devices(const SystemFiles& files) const
{
    QList<Device> devices;
    for (auto it = m_objects.begin(); it != m_objects.end(); ++it) {
        const QVariantMap block = it->value(kBlock);
        if (block.isEmpty() || block.value(QStringLiteral("HintIgnore")).toBool())
            continue;
        const QString path = deviceOf(it.key());
        const QString name = QFileInfo(path).fileName();
        if (!isWholeDiskName(name) && !isOpticalName(name))
            continue;
        const QVariantMap drive =
            m_objects.value(pathText(block.value(QStringLiteral("Drive")))).value(kDrive);
        Device d;
        d.path = files.devRoot + u'/' + name;
        d.sizeBytes = block.value(QStringLiteral("Size")).toLongLong();
        d.optical = isOpticalName(name) || drive.value(QStringLiteral("Optical")).toBool();
        d.hasMedium = d.optical && d.sizeBytes > 0;
        d.model = drive.value(QStringLiteral("Model")).toString().trimmed();
        d.serial = drive.value(QStringLiteral("Serial")).toString().trimmed();
        d.bus = drive.value(QStringLiteral("ConnectionBus")).toString();
        devices << d;
    }
    std::sort(devices.begin(), devices.end(),
              [](const Device& a, const Device& b) { return a.path < b.path; });
    return devices;
}

} // namespace platform
