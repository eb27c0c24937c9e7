#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>

#include <optional>

// The compatibility flags as the tool takes them: "+n" for each ticked flag
// n (1 to 8) in ascending order, "" when none is ticked.
inline QString FlagsString(const QList<bool>& ticked)
{
    QString text;
    for (int i = 0; i < ticked.size(); ++i) {
        if (ticked[i])
            text += u'+' + QString::number(i + 1);
    }
    return text;
}

// A typed flag list as the tool takes it: "1+3" and "+1+3" give "+1+3"; "" and "0" (as
// the game list shows no flags) give ""; nothing for a text that is no flag list.
inline std::optional<QString> ParseFlags(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^\\+?[1-8](\\+[1-8])*$"));
    if (text.isEmpty() || text == QLatin1String("0"))
        return QString();
    if (!re.match(text).hasMatch())
        return std::nullopt;
    return text.startsWith(u'+') ? text : u'+' + text;
}
