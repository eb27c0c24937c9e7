#pragma once

#include <QList>
#include <QString>

// Disks and optical drives of this machine, for a tool that cannot list them
// itself. The roots are parameters so tests run on a fake tree.
namespace platform {

struct Device
{
    QString path; // /dev/sdb
    qint64 sizeBytes = 0;
    bool optical = false;
    bool hasMedium = false; // optical drives
    bool readable = false;  // disks: sector 0 could be read
    bool ps2Formatted = false;
};

QList<Device> discoverDevices(const QString& sysRoot = QStringLiteral("/sys"),
                              const QString& devRoot = QStringLiteral("/dev"));

// The devices written as the tool's "query" lists them, so the same reader serves both.
QString devicesAsQueryText(const QList<Device>& devices);

} // namespace platform
