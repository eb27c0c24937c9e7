#pragma once

#include <QIcon>

// The program's icon, drawn so it needs no image plug-in.
QIcon AppIcon();
