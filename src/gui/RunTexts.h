#pragma once

#include <QString>
#include <QtGlobal>

// "0:03:07", "12:40:00"
QString ClockText(qint64 seconds);
// "about 1 h 12 min", "about 4 min", "less than a minute"
QString TimeLeftText(qint64 seconds);
