#pragma once

#include <QColor>
#include <QList>
#include <QtGlobal>

class QWidget;

// Colours as the settings file stores them: 0x00BBGGRR, or 0x80000000 plus a
// system colour index (0x8000000F the button face, 0x80000012 its text).
inline constexpr quint32 kSystemButtonFace = 0x8000000F;
inline constexpr quint32 kSystemButtonText = 0x80000012;

bool IsSystemColor(quint32 ole);
QColor OleToColor(quint32 ole);

// Mode true sets the text colour of every control of the windows, mode
// false their background and the windows' own. A system colour gives the
// controls back the desktop's colours.
void ApplyColors(bool textMode, quint32 fore, quint32 back, const QList<QWidget*>& windows);
