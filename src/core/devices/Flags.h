#pragma once

#include <QList>
#include <QString>

#include <optional>

// A game's compatibility flags: a set of the numbers 1 to 8.
class CompatFlags
{
public:
    CompatFlags() = default;

    // Flag n is set where ticked[n - 1] is true.
    static CompatFlags fromTicked(const QList<bool>& ticked);
    // A typed or stored flag list: "1+3" and "+1+3" give 1 and 3, in any order; "" and "0"
    // (as the game list shows no flags) give none; nothing for a text that is no flag list.
    static std::optional<CompatFlags> parse(const QString& text);

    bool has(int flag) const { return flag >= 1 && flag <= 8 && (m_bits >> (flag - 1)) & 1U; }
    bool isEmpty() const { return m_bits == 0; }
    // As the tool takes them and the queue stores them: "+1+3", "" for none.
    QString toolText() const;

    bool operator==(const CompatFlags&) const = default;

private:
    unsigned m_bits = 0;
};
