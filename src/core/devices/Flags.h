#pragma once

#include <QList>
#include <QString>

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
