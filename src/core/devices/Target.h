#pragma once

#include "NbdAddress.h"

#include <QString>

#include <cstdint>
#include <optional>

// Why a text names no target.
enum class TargetFault : std::uint8_t {
    None,
    Empty,
    BadAddress,    // digits and dots that are no IPv4 address, or a disk where an address goes
    BadNbdAddress, // "nbd://" followed by anything but IP[:PORT][/EXPORT]
};

// What the tool works on: a disk (a block device, a disk image, or the tool's own name for a
// disk such as hdd1:), a PS2 over its UDP server at an IPv4 address, or a PS2's export over its
// game launcher's NBD server.
class Target
{
public:
    enum class Kind : std::uint8_t { None, Disk, Udp, Nbd };

    Target() = default;
    static Target Disk(const QString& device);
    // ip as Parse gives it (four numbers 0-255 with dots).
    static Target Udp(const QString& ip);
    static Target Nbd(const NbdAddress& address);

    // The one reading of a target, typed or stored: "nbd://" starts an NBD export; digits and
    // dots are an IPv4 address; anything else names a disk. Blanks around an address are
    // dropped; a disk's name is taken as it is. Nothing (and why) for empty text, for an
    // address that is none and for a malformed NBD address.
    static std::optional<Target> Parse(const QString& text, TargetFault* fault = nullptr);
    // The same where only a PS2 may be named (the window's address box): a disk's name is a
    // bad address there.
    static std::optional<Target> ParseAddress(const QString& text, TargetFault* fault = nullptr);

    Kind kind() const { return m_kind; }
    bool isNull() const { return m_kind == Kind::None; }
    bool isDisk() const { return m_kind == Kind::Disk; }
    bool isNetwork() const { return m_kind == Kind::Udp || m_kind == Kind::Nbd; }
    bool isNbd() const { return m_kind == Kind::Nbd; }
    // What the tool is given: the disk as named, the IP, the export's whole URI. Also the name
    // shown and the key under which what is known of the target is kept.
    QString toolArgument() const;
    // The PS2's IPv4 address (an export's server's too); empty for a disk.
    QString host() const;
    // The export of an NBD target.
    const NbdAddress& nbd() const { return m_nbd; }

    bool operator==(const Target& other) const = default;

private:
    Kind m_kind = Kind::None;
    QString m_name; // the disk's name, or the IP
    NbdAddress m_nbd;
};

size_t qHash(const Target& target, size_t seed = 0);
