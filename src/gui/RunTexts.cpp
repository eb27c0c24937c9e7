#include "RunTexts.h"

#include <QObject>

#include <algorithm>

QString ClockText(qint64 seconds)
{
    seconds = std::max<qint64>(0, seconds);
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString TimeLeftText(qint64 seconds)
{
    if (seconds < 60)
        return QObject::tr("less than a minute");
    const qint64 minutes = (seconds + 59) / 60;
    if (minutes < 60)
        return QObject::tr("about %1 min").arg(minutes);
    return QObject::tr("about %1 h %2 min").arg(minutes / 60).arg(minutes % 60);
}
