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
