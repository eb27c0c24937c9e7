#include "RunTexts.h"

#include <QCoreApplication>
#include <QLocale>
#include <QObject>
#include <QRegularExpression>

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

QString ToolTimeLeftText(const QString& toolText)
{
    // "46 sec remaining", "2 min, 46 sec remaining", "1 h, 2 min remaining"
    static const QRegularExpression whole(
        QStringLiteral("^\\s*((?:\\d+\\s*(?:h|min|sec)\\s*,?\\s*)+)remaining\\s*$"));
    static const QRegularExpression part(QStringLiteral("(\\d+)\\s*(h|min|sec)"));
    const QRegularExpressionMatch m = whole.match(toolText);
    if (!m.hasMatch())
        return toolText;
    qint64 seconds = 0;
    for (const QRegularExpressionMatch& p : part.globalMatch(m.captured(1))) {
        const qint64 n = p.captured(1).toLongLong();
        const QString unit = p.captured(2);
        seconds += unit == QLatin1String("h")     ? n * 3600
                   : unit == QLatin1String("min") ? n * 60
                                                  : n;
    }
    if (seconds >= 3600)
        return QCoreApplication::translate("RunTexts", "%1 h %2 min left")
            .arg(seconds / 3600)
            .arg(seconds / 60 % 60);
    if (seconds >= 60)
        return QCoreApplication::translate("RunTexts", "%1 min %2 s left")
            .arg(seconds / 60)
            .arg(seconds % 60);
    return QCoreApplication::translate("RunTexts", "%1 s left").arg(seconds);
}

QString ToolSpeedText(const QString& toolText)
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*([0-9]+(?:\\.[0-9]+)?)\\s*MB/sec\\s*$"));
    const QRegularExpressionMatch m = re.match(toolText);
    if (!m.hasMatch())
        return toolText;
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return QCoreApplication::translate("RunTexts", "%1 MB/s")
        .arg(locale.toString(m.captured(1).toDouble(), 'f', 2));
}
