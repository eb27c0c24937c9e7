#pragma once

#include "core/settings/Settings.h"

#include <QColor>
#include <QList>
#include <QtGlobal>

class QWidget;

// Colours as the settings give them (SettingsFile::colour): 0x00BBGGRR, or 0x80000000 plus
// a system colour index (kSystemButtonFace, kSystemButtonText).

bool IsSystemColor(quint32 ole);
QColor OleToColor(quint32 ole);

// Mode true sets the text colour of every control of the windows, mode
// false their background and the windows' own. A system colour gives the
// controls back the desktop's colours.
void ApplyColors(bool textMode, quint32 fore, quint32 back, const QList<QWidget*>& windows);
