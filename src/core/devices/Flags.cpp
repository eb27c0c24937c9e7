#include "Flags.h"

#include <QRegularExpression>

CompatFlags CompatFlags::fromTicked(const QList<bool>& ticked)
{
    CompatFlags flags;
    for (qsizetype i = 0; i < ticked.size() && i < 8; ++i) {
        if (ticked[i])
            flags.m_bits |= 1U << i;
    }
    return flags;
}

std::optional<CompatFlags> CompatFlags::parse(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^\\+?[1-8](\\+[1-8])*$"));
    if (text.isEmpty() || text == QLatin1String("0"))
        return CompatFlags();
    if (!re.match(text).hasMatch())
        return std::nullopt;
    CompatFlags flags;
    for (const QChar c : text) {
        if (c != u'+')
            flags.m_bits |= 1U << (c.digitValue() - 1);
    }
    return flags;
}

QString CompatFlags::toolText() const
{
    QString text;
    for (int flag = 1; flag <= 8; ++flag) {
        if (has(flag))
            text += u'+' + QString::number(flag);
    }
    return text;
}
