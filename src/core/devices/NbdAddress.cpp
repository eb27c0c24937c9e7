#include "NbdAddress.h"

QString NbdAddress::uri() const
{
    return QStringLiteral("nbd://%1:%2/%3").arg(host).arg(port).arg(exportName);
}

QString NbdAddress::key() const
{
    return QStringLiteral("%1-%2-%3").arg(host).arg(port).arg(exportName);
}
