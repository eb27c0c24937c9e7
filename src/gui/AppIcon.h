#pragma once

#include <QIcon>
#include <QString>

// The program's icon, drawn so it needs no image plug-in.
QIcon AppIcon();
// The name every window and message of the program carries as its title.
inline QString ProgramTitle()
{
    return QStringLiteral("Ventrik");
}
// The main window's title: the program and the version it was built as.
inline QString VersionedTitle()
{
    return QStringLiteral("Ventrik " VENTRIK_VERSION);
}
