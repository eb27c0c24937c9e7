#pragma once

#include "DeviceDiscovery.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QMap>
#include <QObject>
#include <QVariantMap>

// The disks and drives UDisks2 knows, kept up to date from its signals: a disk plugged in
// or pulled out is known at once, with its drive's model, serial number and bus.
namespace platform {

using UDisksInterfaces = QMap<QString, QVariantMap>;
using UDisksObjects = QMap<QDBusObjectPath, UDisksInterfaces>;

class UDisksWatcher : public QObject
{
    Q_OBJECT
public:
    // The system bus on a desktop; tests give a private one.
    explicit UDisksWatcher(const QDBusConnection& bus, QObject* parent = nullptr);

    // Asks for every object and listens for changes; ready or unavailable follows.
    void start();
    bool isReady() const { return m_ready; }
    // Whole disks and optical drives, without what only reading them tells (readable, PS2
    // signature): examineDisk does that, off the window's thread.
    QList<Device> devices(const SystemFiles& files = {}) const;

signals:
    void ready();
    // No UDisks2 answers: the machine's own discovery stays.
    void unavailable();
    void devicesChanged();
    void diskRemoved(const QString& device);

private slots:
    void interfacesAdded(const QDBusObjectPath& path, const platform::UDisksInterfaces& added);
    void interfacesRemoved(const QDBusObjectPath& path, const QStringList& removed);

private:
    QString deviceOf(const QString& objectPath) const;

    QDBusConnection m_bus;
    QMap<QString, UDisksInterfaces> m_objects; // by object path
    bool m_ready = false;
};

} // namespace platform

Q_DECLARE_METATYPE(platform::UDisksInterfaces)
Q_DECLARE_METATYPE(platform::UDisksObjects)
