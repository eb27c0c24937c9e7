#pragma once

#include "core/platform/NbdDefaults.h"

#include <QString>
#include <QtGlobal>

// A PS2 reached through its game launcher's NBD server: nbd://IP[:PORT][/EXPORT].
struct NbdAddress
{
    static constexpr quint16 kDefaultPort = platform::kNbdDefaultPort;
    static inline const QString kDefaultExport = QString::fromLatin1(platform::kNbdDefaultExport);

    QString host; // an IPv4 address, as the UDP server's are written
    quint16 port = kDefaultPort;
    QString exportName = kDefaultExport;

    // nbd://192.168.0.10:10809/hdd0, always whole, as nbdinfo and nbdfuse take it.
    QString uri() const;
    // A name for folders and locks: 192.168.0.10-10809-hdd0.
    QString key() const;
    bool operator==(const NbdAddress&) const = default;
};
