#include "CliSupport.h"

#include "core/devices/NbdAddress.h"

#include <QFileInfo>

#include <cstdio>

namespace cli {

void writeOut(const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

void writeErr(const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

TargetKind kindOf(const QString& target)
{
    return IsNetworkAddress(target) || IsNbdTarget(target) ? TargetKind::Network
                                                           : TargetKind::LocalDisk;
}

std::optional<QString> BadNbdArgument(const QStringList& args)
{
    for (const QString& arg : args) {
        if (arg.startsWith(QLatin1String("nbd://")) && !ParseNbdAddress(arg))
            return QStringLiteral("\"%1\" is no NBD address: nbd://IP[:PORT][/EXPORT]").arg(arg);
    }
    return std::nullopt;
}

// A path the caller typed, read from the caller's folder: the tool runs in a folder of its own.
QString callersPath(const QString& path)
{
    return IsDriveSource(path) ? path : QFileInfo(path).absoluteFilePath();
}

} // namespace cli
