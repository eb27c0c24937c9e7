#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Pure readers of the tool's output texts. None of them touches a widget.
namespace parse {

// Lines split at LF with every CR removed; a final empty piece is dropped.
QStringList SplitLines(const QString& text);

// A disk's size in gigabytes as "#.0" formats it: no leading zero (".9").
QString FormatGB(double megabytes);
// A game's size as a person reads it: gigabytes from 1 GB on ("4.38GB"), megabytes
// below ("301MB", "0.3MB" under 10 MB).
QString GameSizeText(double kilobytes);
// The size "4.38" GB and up, as the two-decimal text shows it: a dual-layer disc.
bool IsDualLayerSize(qint64 kilobytes);
// "hdd1:  [2.0 GB]"
QString DiskLabel(const QString& device, double megabytes);

// A device line of the "query" output: the device is its first word, the
// size the number in front of its last "MB".
struct DeviceLine
{
    QString device;
    double sizeMb = 0;
    bool ps2Formatted = false;
};
// A disk line (tab then "hdd", or any line naming a formatted PS2 disk).
std::optional<DeviceLine> ParseDiskLine(const QString& line);
// An optical drive holding a disc: tab then "cd", and " MB".
std::optional<DeviceLine> ParseOpticalLine(const QString& line);

// What the tool is given to address an installed game: its partition (the one name no other
// game on the disk has) where known, else its title.
inline QString GameKey(const QString& partition, const QString& title)
{
    return partition.isEmpty() ? title : partition;
}

// One installed game of the "hdl_toc" table, in either the older layout (no
// DMA column, blank flags) or the current one (a DMA column, "0" for none).
struct GameRow
{
    QString type;
    qint64 sizeKb = 0;
    QString sizeText;
    QString flags;
    QString startup;
    QString title;
    // The game's partition on the disk, unique there (from "toc"); empty when unknown.
    QString partition;

    // What the tool is given to address this game.
    QString key() const { return GameKey(partition, title); }
};
// Where the startup and the name begin, from the table's header line
// ("type     size flags           dma startup      name").
struct GameColumns
{
    qsizetype startup = 0;
    qsizetype name = 0;
};
std::optional<GameColumns> ParseGameHeader(const QString& line);
// With the header's columns, the name is exactly what the tool printed from its
// column on (leading and trailing blanks included) and an empty startup stays
// empty. Without them, or when a line does not fit them, the fields are read as words.
std::optional<GameRow> ParseGameLine(const QString& line, const GameColumns* columns = nullptr);

// "total 20480MB, used 1024MB, available 19456MB"
struct SpaceSummary
{
    qint64 totalMb = 0;
    qint64 usedMb = 0;
    QString text; // "20.00GB Total - 1.00GB Used - 19.00GB Available"
};
std::optional<SpaceSummary> ParseSpaceLine(const QString& line);
// The summary of a disk's space, as the space line gives it.
SpaceSummary SpaceOf(qint64 totalMb, qint64 usedMb);

// A whole "hdl_toc" output: its games, read by the header's columns, and its space line.
struct GameTable
{
    QList<GameRow> games;
    std::optional<SpaceSummary> space;
    // The current builds print a DMA column; the older ones do not.
    bool dmaColumn = false;
    // A header and a closing total line: anything less is no table, whatever it holds.
    bool understood() const { return header && space.has_value(); }
    bool header = false;
};
GameTable ParseGameTable(const QString& output);

// One partition of the "toc" table:
// "0x1337 00040000.:  1   128MB PP.SLUS-12345..WORLD".
struct PartitionRow
{
    QString type; // "0x1337" for a game
    QString name;
    qint64 sizeMb = 0;
};
struct PartitionTable
{
    QList<PartitionRow> rows;
    bool header = false;
    bool total = false; // the closing "Total slice size" line
    bool understood() const { return header && total; }
    // The game partitions, in the table's order.
    QList<PartitionRow> games() const;
};
PartitionTable ParsePartitionTable(const QString& output);

// "SLUS_123.45" "TESTGAME"  308576KB (optionally "dual layer" before the size)
struct DiscInfo
{
    QString startup;
    QString name;
    bool dualLayer = false;
    qint64 sizeKb = 0;
    QString sizeText;
    QString media; // "CD" or "DVD" where the tool says (cdvd_info2), else empty
    // cdvd_info2 printed "?": the tool does not know (every image file, measured).
    bool mediaUnknown = false;
};
std::optional<DiscInfo> ParseDiscInfoLine(const QString& line);
// The current tool's cdvd_info2: CD 4740KB "GAME_ONE" "SLUS_123.45" ("?" for the media
// of an image file)
std::optional<DiscInfo> ParseDiscInfo2Line(const QString& line);
// The first disc-information line of a whole output, in either form.
std::optional<DiscInfo> FindDiscInfo(const QString& text);

// One progress record: " 45%, 2 min, 46 sec remaining, 41.74 MB/sec" or " 45%".
struct ProgressRecord
{
    QString percentText; // "45"
    double percent = 0;
    std::optional<QString> remaining; // "2 min, 46 sec remaining"
    std::optional<QString> speed;     // "41.74 MB/sec"
};
std::optional<ProgressRecord> ParseProgressRecord(const QString& record);

// The tool writes many CR-ended records per read, and a read may end inside
// one. Feeding each chunk gives the newest complete record; an unfinished
// tail is kept for the next chunk, and used only when it reads as a whole record.
class ProgressStream
{
public:
    std::optional<QString> feed(const QString& chunk);
    void reset() { m_tail.clear(); }
    const QString& tail() const { return m_tail; }

private:
    QString m_tail;
};

// Round half to even, as the program's whole-number conversions do.
qint64 RoundHalfEven(double value);

// The commands a build of the tool lists in its usage text.
QStringList ParseToolCommands(const QString& usage);

} // namespace parse
