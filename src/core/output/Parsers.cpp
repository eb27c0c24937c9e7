#include "Parsers.h"

#include "core/settings/Settings.h"

#include <QCoreApplication>
#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace parse {

QStringList SplitLines(const QString& text)
{
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString& line : lines)
        line.remove(u'\r');
    return lines;
}

qint64 RoundHalfEven(double value)
{
    if (!std::isfinite(value))
        return 0;
    return static_cast<qint64>(std::nearbyint(std::clamp(value, -9.0e18, 9.0e18)));
}

QString FormatGB(double megabytes)
{
    QString text = QString::number(megabytes / 1024.0, 'f', 1);
    if (text.startsWith(QLatin1String("0.")))
        text.remove(0, 1);
    return text;
}

namespace {
// Numbers as the user's language writes them ("4,01" in German), without thousands' marks.
QString LocalNumber(double value, int decimals)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', decimals);
}
} // namespace

QString GameSizeText(double kilobytes)
{
    if (kilobytes >= 1048576.0)
        return QCoreApplication::translate("Parsers", "%1GB")
            .arg(LocalNumber(kilobytes / 1048576.0, 2));
    const double mb = kilobytes / 1024.0;
    return QCoreApplication::translate("Parsers", "%1MB").arg(LocalNumber(mb, mb < 10.0 ? 1 : 0));
}

bool IsDualLayerSize(qint64 kilobytes)
{
    // 4.375 GB is the first size that shows as 4.38 with two decimals.
    return static_cast<double>(kilobytes) >= 4.375 * 1048576.0;
}

QString DiskLabel(const QString& device, double megabytes)
{
    return device + QStringLiteral("  [") + FormatGB(megabytes) + QStringLiteral(" GB]");
}

namespace {

qsizetype firstSpace(const QString& text, qsizetype from = 0)
{
    for (qsizetype i = from; i < text.size(); ++i) {
        if (text[i].isSpace())
            return i;
    }
    return -1;
}

qsizetype firstNonSpace(const QString& text, qsizetype from = 0)
{
    for (qsizetype i = from; i < text.size(); ++i) {
        if (!text[i].isSpace())
            return i;
    }
    return -1;
}

// The first word of a line and the size in front of its last "MB".
std::optional<DeviceLine> deviceLine(const QString& line)
{
    const QString trimmed = line.trimmed();
    const qsizetype end = firstSpace(trimmed);
    const QString device = end < 0 ? trimmed : trimmed.left(end);
    if (device.isEmpty())
        return std::nullopt;
    const qsizetype mb = trimmed.lastIndexOf(QStringLiteral("MB"));
    if (mb <= device.size())
        return std::nullopt;
    DeviceLine d;
    d.device = device;
    d.sizeMb = NumericValue(trimmed.mid(device.size(), mb - device.size()));
    return d;
}

const QRegularExpression& flagsPattern()
{
    static const QRegularExpression re(QStringLiteral("^[0-9]+(\\+[0-9]+)*$"));
    return re;
}

const QRegularExpression& dmaPattern()
{
    static const QRegularExpression re(QStringLiteral("^\\*[a-z][0-9]$"));
    return re;
}

} // namespace

std::optional<DeviceLine> ParseDiskLine(const QString& line)
{
    const bool formatted = line.contains(QStringLiteral("formatted Playstation 2 HDD")) &&
                           !line.contains(QStringLiteral("not formatted Playstation 2 HDD"));
    if (!formatted && !line.contains(QStringLiteral("\thdd")) &&
        !line.contains(QStringLiteral("\t/dev/")))
        return std::nullopt;
    auto d = deviceLine(line);
    if (d)
        d->ps2Formatted = formatted;
    return d;
}

std::optional<DeviceLine> ParseOpticalLine(const QString& line)
{
    if (!line.contains(QStringLiteral("\tcd")) && !line.contains(QStringLiteral("\t/dev/sr")))
        return std::nullopt;
    if (!line.contains(QStringLiteral(" MB")))
        return std::nullopt;
    return deviceLine(line);
}

std::optional<GameColumns> ParseGameHeader(const QString& line)
{
    if (!line.startsWith(QLatin1String("type ")))
        return std::nullopt;
    const qsizetype startup = line.indexOf(QLatin1String(" startup "));
    const qsizetype name = line.indexOf(QLatin1String(" name"), startup + 1);
    if (startup < 0 || name < 0)
        return std::nullopt;
    return GameColumns{startup + 1, name + 1};
}

std::optional<GameRow> ParseGameLine(const QString& line, const GameColumns* columns)
{
    // The size is right-aligned in ten places: a game of 100 GB or more touches the type.
    static const QRegularExpression head(QStringLiteral("^\\s*(CD|DVD)\\s*([0-9]+)KB(\\s+)"));
    const auto m = head.match(line);
    if (!m.hasMatch())
        return std::nullopt;
    GameRow row;
    row.type = m.captured(1);
    row.sizeKb = m.captured(2).toLongLong();
    row.sizeText = GameSizeText(static_cast<double>(row.sizeKb));

    // A line that fits the header's columns: a blank before the startup and two before the name.
    // (An empty startup leaves only blanks between the size and the name.)
    const qsizetype sizeEnd = m.capturedStart(3);
    const bool fits = columns && columns->startup > sizeEnd &&
                      columns->name >= columns->startup + 2 && line.size() >= columns->name &&
                      line[columns->startup - 1] == u' ' &&
                      line.mid(columns->name - 2, 2) == QLatin1String("  ");
    QString rest =
        fits ? line.mid(sizeEnd, columns->startup - sizeEnd).trimmed() : line.mid(m.capturedEnd(0));
    auto takeWord = [&rest]() {
        const qsizetype end = rest.indexOf(u' ');
        const QString word = end < 0 ? rest : rest.left(end);
        rest = end < 0 ? QString() : rest.mid(end);
        const qsizetype next = firstNonSpace(rest);
        rest = next < 0 ? QString() : rest.mid(next);
        return word;
    };
    QString word = takeWord();
    if (flagsPattern().match(word).hasMatch()) {
        row.flags = word == QLatin1String("0") ? QString() : word;
        word = takeWord();
    }
    if (dmaPattern().match(word).hasMatch())
        word = takeWord();
    if (fits) {
        row.startup = line.mid(columns->startup, columns->name - columns->startup).trimmed();
        row.title = line.mid(columns->name);
        return row;
    }
    row.startup = word;
    row.title = rest.trimmed();
    return row;
}

GameTable ParseGameTable(const QString& output)
{
    GameTable table;
    std::optional<GameColumns> columns;
    for (const QString& line : SplitLines(output)) {
        if (!columns) {
            if ((columns = ParseGameHeader(line))) {
                table.header = true;
                table.dmaColumn = line.contains(QLatin1String(" dma "));
                continue;
            }
        }
        if (auto game = ParseGameLine(line, columns ? &*columns : nullptr))
            table.games << *game;
        else if (auto space = ParseSpaceLine(line))
            table.space = *space;
    }
    return table;
}

QList<PartitionRow> PartitionTable::games() const
{
    QList<PartitionRow> games;
    for (const PartitionRow& row : rows) {
        if (row.type.compare(QLatin1String("0x1337"), Qt::CaseInsensitive) == 0)
            games << row;
    }
    return games;
}

namespace {
// One row of toc, "0x1337 00040000.:  1   128MB PP.HDL.Say _Hi_": its type, then blanks, a hex
// start (with "." and ":" after it), a number, a size in MB, and a name from its first
// non-blank (the older naming holds blanks; the older tool pads it to 32 characters). Read by
// hand: a listing has thousands of rows.
std::optional<PartitionRow> PartitionLine(QStringView line)
{
    const qsizetype n = line.size();
    qsizetype i = 0;
    auto run = [&](auto is) {
        const qsizetype from = i;
        while (i < n && is(line[i].unicode()))
            ++i;
        return i - from;
    };
    auto blank = [](char16_t c) {
        return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
    };
    auto digit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
    auto hex = [digit](char16_t c) {
        return digit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    };
    if (n < 6 || line[0] != u'0' || line[1] != u'x')
        return std::nullopt;
    i = 2;
    if (run(hex) != 4)
        return std::nullopt;
    if (run(blank) == 0 || run(hex) == 0)
        return std::nullopt;
    if (i < n && line[i] == u'.')
        ++i;
    if (i < n && line[i] == u':')
        ++i;
    if (run(blank) == 0 || run(digit) == 0 || run(blank) == 0)
        return std::nullopt;
    const qsizetype sizeAt = i;
    const qsizetype sizeDigits = run(digit);
    if (sizeDigits == 0 || line.mid(i, 2) != u"MB")
        return std::nullopt;
    i += 2;
    if (run(blank) == 0 || i >= n)
        return std::nullopt;
    PartitionRow p;
    p.type = line.first(6).toString();
    p.sizeMb = line.mid(sizeAt, sizeDigits).toLongLong();
    QStringView name = line.mid(i);
    while (name.endsWith(u' '))
        name.chop(1);
    p.name = name.toString();
    return p;
}
} // namespace

PartitionTable ParsePartitionTable(const QString& output)
{
    PartitionTable table;
    for (const QString& line : SplitLines(output)) {
        if (!table.header) {
            table.header = line.startsWith(QLatin1String("type ")) &&
                           line.contains(QLatin1String(" start ")) &&
                           line.contains(QLatin1String(" name"));
            continue;
        }
        if (line.startsWith(QLatin1String("Total slice size:"))) {
            table.total = true;
            continue;
        }
        if (const std::optional<PartitionRow> p = PartitionLine(line))
            table.rows << *p;
    }
    return table;
}

std::optional<SpaceSummary> ParseSpaceLine(const QString& line)
{
    if (!line.contains(QStringLiteral("total")) || !line.contains(QStringLiteral("used")) ||
        !line.contains(QStringLiteral("available")))
        return std::nullopt;
    const qsizetype totalAt = line.indexOf(QStringLiteral("total"));
    const qsizetype totalMb = line.indexOf(QStringLiteral("MB"), totalAt);
    const qsizetype usedAt = line.indexOf(QStringLiteral("used "));
    if (totalMb < 0 || usedAt < 0)
        return std::nullopt;
    const qsizetype usedMb = line.indexOf(QStringLiteral("MB"), usedAt + 5);
    if (usedMb < 0)
        return std::nullopt;
    return SpaceOf(RoundHalfEven(NumericValue(line.mid(totalAt + 5, totalMb - totalAt - 5))),
                   RoundHalfEven(NumericValue(line.mid(usedAt + 5, usedMb - usedAt - 5))));
}

SpaceSummary SpaceOf(qint64 totalMb, qint64 usedMb)
{
    SpaceSummary s;
    s.totalMb = totalMb;
    s.usedMb = usedMb;
    auto gb = [](qint64 mb) { return LocalNumber(static_cast<double>(mb) / 1024.0, 2); };
    s.text = QCoreApplication::translate("Parsers", "%1GB Total - %2GB Used - %3GB Available")
                 .arg(gb(s.totalMb), gb(s.usedMb), gb(s.totalMb - s.usedMb));
    return s;
}

std::optional<DiscInfo> ParseDiscInfoLine(const QString& line)
{
    static const QRegularExpression re(QStringLiteral(
        "^\\s*\"([^\"]*)\"\\s+\"([^\"]*)\"\\s*(dual layer)?\\s*([0-9]+)\\s*KB\\s*$"));
    const auto m = re.match(line);
    if (!m.hasMatch() || m.captured(1).trimmed().isEmpty())
        return std::nullopt;
    DiscInfo d;
    d.startup = m.captured(1);
    d.name = m.captured(2);
    d.dualLayer = !m.captured(3).isEmpty();
    d.sizeKb = m.captured(4).toLongLong();
    d.sizeText = GameSizeText(static_cast<double>(d.sizeKb));
    return d;
}

std::optional<DiscInfo> ParseDiscInfo2Line(const QString& line)
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*(CD|DVD|\\?)\\s+([0-9]+)KB\\s+\"([^\"]*)\"\\s+\"([^\"]*)\"\\s*$"));
    const auto m = re.match(line);
    if (!m.hasMatch() || m.captured(4).trimmed().isEmpty())
        return std::nullopt;
    DiscInfo d;
    d.mediaUnknown = m.captured(1) == QLatin1String("?");
    if (!d.mediaUnknown)
        d.media = m.captured(1);
    d.sizeKb = m.captured(2).toLongLong();
    d.name = m.captured(3);
    d.startup = m.captured(4);
    d.sizeText = GameSizeText(static_cast<double>(d.sizeKb));
    return d;
}

std::optional<DiscInfo> FindDiscInfo(const QString& text)
{
    for (const QString& line : SplitLines(text)) {
        if (auto d = ParseDiscInfoLine(line))
            return d;
        if (auto d = ParseDiscInfo2Line(line))
            return d;
    }
    return std::nullopt;
}

std::optional<ProgressRecord> ParseProgressRecord(const QString& raw)
{
    QString record = raw.trimmed();
    // The tool's builds since mid-2024 draw a gauge in front of the percentage.
    if (record.startsWith(u'[')) {
        const qsizetype close = record.indexOf(u']');
        if (close < 0)
            return std::nullopt;
        record = record.mid(close + 1).trimmed();
    }
    const qsizetype pct = record.indexOf(u'%');
    if (pct <= 0)
        return std::nullopt;
    ProgressRecord r;
    r.percentText = record.left(pct).trimmed();
    // The tool writes one to three digits; anything else is not a record.
    if (r.percentText.isEmpty() || r.percentText.size() > 3)
        return std::nullopt;
    for (const QChar c : r.percentText) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    r.percent = r.percentText.toInt();
    if (record.contains(QStringLiteral("remaining"))) {
        const qsizetype first = record.indexOf(u',');
        const qsizetype mb = record.indexOf(QStringLiteral("MB/"));
        const qsizetype last = mb < 0 ? -1 : record.lastIndexOf(u',', mb);
        if (first >= 0 && last > first + 1)
            r.remaining = record.mid(first + 2, last - first - 2).trimmed();
    }
    if (record.contains(QStringLiteral("MB/sec"))) {
        const qsizetype last = record.lastIndexOf(u',');
        if (last >= 0)
            r.speed = record.mid(last + 2).trimmed();
    }
    return r;
}

std::optional<QString> ProgressStream::feed(const QString& chunk)
{
    static const QRegularExpression whole(
        QStringLiteral("^\\s*(\\[[^\\]]*\\])?\\s*\\d{1,3}%(, .+ remaining, [0-9.]+ MB/sec)?\\s*$"));
    // A tail that never ends is not a progress record; do not let it grow.
    if (m_tail.size() > 4096)
        m_tail.clear();
    const QString text = m_tail + chunk;
    qsizetype end = text.size() - 1;
    while (end >= 0 && text[end] != u'\r' && text[end] != u'\n')
        --end;
    m_tail = text.mid(end + 1);
    // The newest complete record: the last piece before the last line end that reads as one.
    qsizetype stop = end;
    while (stop > 0) {
        qsizetype start = stop - 1;
        while (start >= 0 && text[start] != u'\r' && text[start] != u'\n')
            --start;
        const QString piece = text.mid(start + 1, stop - start - 1);
        if (!piece.trimmed().isEmpty() && ParseProgressRecord(piece))
            return piece.trimmed();
        stop = start;
    }
    if (whole.match(m_tail).hasMatch())
        return m_tail.trimmed();
    return std::nullopt;
}

QStringList ParseToolCommands(const QString& usage)
{
    static const char* known[] = {"query",      "hdl_toc",     "toc",        "cdvd_info",
                                  "cdvd_info2", "inject_cd",   "inject_dvd", "extract",
                                  "dump",       "delete",      "initialize", "modify",
                                  "backup_toc", "restore_toc", "poweroff",   "info"};
    QStringList found;
    for (const char* k : known) {
        // The current builds list "  hdl_toc   display ..."; 0.9.0 lists "toc, hdl_toc, delete*,".
        const QRegularExpression word(QStringLiteral("(^|[\\s,])%1\\*?([\\s,]|$)")
                                          .arg(QRegularExpression::escape(QLatin1String(k))),
                                      QRegularExpression::MultilineOption);
        if (word.match(usage).hasMatch())
            found << QString::fromLatin1(k);
    }
    return found;
}

} // namespace parse
