#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// A PS2 reached through its game launcher's NBD server: nbd://IP[:PORT][/EXPORT].
struct NbdAddress
{
    static constexpr quint16 kDefaultPort = 10809;
    static inline const QString kDefaultExport = QStringLiteral("hdd0");

    QString host; // an IPv4 address, as the UDP server's are written
    quint16 port = kDefaultPort;
    QString exportName = kDefaultExport;

    // nbd://192.168.0.10:10809/hdd0, always whole, as nbdinfo and nbdfuse take it.
    QString uri() const;
    // A name for folders and locks: 192.168.0.10-10809-hdd0.
    QString key() const;
    bool operator==(const NbdAddress&) const = default;
};

// Nothing for text that is not such an address: another scheme, no valid IPv4, a port out of
// range, an export name with anything but letters, digits and . _ - (it ends up in a path), or
// one that does not start with a letter or digit (a program would take it for an option).
std::optional<NbdAddress> ParseNbdAddress(const QString& text);
