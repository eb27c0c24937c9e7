#include "GameIdentity.h"

namespace {

// The partition name field holds 32 bytes with its terminating zero. Every byte of the
// name is ASCII by then: the tools replace the others.
QString cutTo31(const QString& text)
{
    return text.left(31);
}

bool isAsciiAlnum(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// Each byte of the name's UTF-8 form kept when it passes, else "_" (a two-byte "é" gives "__").
template <typename Keep> QString bytewise(const QString& name, Keep keep)
{
    QString out;
    for (const char byte : name.toUtf8()) {
        const auto c = static_cast<unsigned char>(byte);
        out += c < 0x80 && keep(static_cast<char>(c)) ? QChar(c) : QChar(u'_');
    }
    return out;
}

} // namespace

QString PartitionName(const QString& name, const QString& startup, PartitionNaming naming)
{
    if (naming == PartitionNaming::Older) {
        // 0.9.0 keeps letters of either case, digits, blanks and dots.
        return cutTo31(QStringLiteral("PP.HDL.") + bytewise(name, [](char c) {
                           return isAsciiAlnum(c) || c == ' ' || c == '.';
                       }));
    }
    // Measured: a game without a startup gets "PP." alone.
    if (startup.isEmpty())
        return QStringLiteral("PP.");
    QString start = startup;
    start.replace(u'_', u'-').remove(u'.');
    const QString upper = bytewise(name, isAsciiAlnum).toUpper();
    return cutTo31(QStringLiteral("PP.") + start + QStringLiteral("..") + upper);
}

bool SamePartition(const QString& a, const QString& b, PartitionNaming naming)
{
    // Case is folded a character for a character: names of two lengths never match, and a
    // disk's thousands of names are mostly told apart by that alone.
    return a.size() == b.size() &&
           a.compare(b, naming == PartitionNaming::Older ? Qt::CaseInsensitive
                                                         : Qt::CaseSensitive) == 0;
}

qint64 SlicesFor(qint64 sizeKb)
{
    // n slices hold 128 n MB less (n + 3) MB of data: 124 MB in one, 251 MB in two.
    const qint64 perSliceKb = (kSliceMb - 1) * 1024;
    const qint64 kb = std::max<qint64>(0, sizeKb) + 3 * 1024;
    return std::max<qint64>(1, (kb + perSliceKb - 1) / perSliceKb);
}

bool ToolReadsAsFlags(const QString& name)
{
    return name.startsWith(u'+') || name.startsWith(u'*') || name.startsWith(u'-') ||
           name.startsWith(QLatin1String("0x"));
}

void AttachPartitions(QList<parse::GameRow>& games, const parse::PartitionTable& toc)
{
    const QList<parse::PartitionRow> parts = toc.games();
    if (parts.size() == games.size()) {
        for (qsizetype i = 0; i < games.size(); ++i)
            games[i].partition = parts[i].name;
        return;
    }
    for (parse::GameRow& g : games) {
        QString found;
        int matches = 0;
        for (const parse::PartitionRow& p : parts) {
            for (const PartitionNaming naming :
                 {PartitionNaming::Current, PartitionNaming::Older}) {
                if (SamePartition(p.name, PartitionName(g.title, g.startup, naming), naming)) {
                    found = p.name;
                    ++matches;
                    break;
                }
            }
        }
        g.partition = matches == 1 ? found : QString();
    }
}

QList<int> GamesNamed(const QList<parse::GameRow>& games, const QString& name)
{
    QList<int> rows;
    for (int i = 0; i < games.size(); ++i) {
        if (!games[i].partition.isEmpty() && games[i].partition == name)
            return {i};
    }
    for (int i = 0; i < games.size(); ++i) {
        if (games[i].title == name)
            rows << i;
    }
    return rows;
}
