#pragma once

#include <QString>
#include <QtGlobal>

// "0:03:07", "12:40:00"
QString ClockText(qint64 seconds);
// "about 1 h 12 min", "about 4 min", "less than a minute"
QString TimeLeftText(qint64 seconds);
// The tool's "5 sec remaining" and "41.74 MB/sec" in the user's language and number format
// ("5 s left", "41,74 MB/s"); what is not understood as it came.
QString ToolTimeLeftText(const QString& toolText);
QString ToolSpeedText(const QString& toolText);
