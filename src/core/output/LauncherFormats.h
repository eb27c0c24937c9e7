#pragma once

#include <QHash>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// What the PS2's game launcher keeps in its PFS partition, and what pfsshell prints about it:
// pure readers and writers of those texts.
namespace launcher {

// The pictures the launcher shows for a game, each a PNG named STARTUP_SUFFIX.png in ART/.
enum class ArtKind : std::uint8_t { Cover, Icon, Background, Logo, Screenshot };

QList<ArtKind> AllArtKinds();
// "cover", "icon", "background", "logo", "screenshot": the command line's words.
QString ArtKindName(ArtKind kind);
std::optional<ArtKind> ArtKindNamed(const QString& name);
// "COV", "ICO", "BG", "LGO", "SCR".
QString ArtSuffix(ArtKind kind);
// The size the launcher shows that kind at; a picture is scaled to fit it.
QSize ArtSize(ArtKind kind);
QString ArtFileName(const QString& startup, ArtKind kind);
// The art a folder's file names hold, by game startup.
QHash<QString, QList<ArtKind>> ArtOf(const QStringList& fileNames);

// A name pfsshell can be given on its command line: no blank, no control character, no slash,
// not "." or "..", at most 255 bytes. Names of games' startups and of memory cards must be.
bool SafePfsName(const QString& name);
// A memory card's name as the user gives it ("card1", "card1.bin"): its file name, or nothing
// when it cannot be one.
std::optional<QString> CardFileName(const QString& name);

// The partition the launcher's settings name (hdd_partition in conf_hdd.cfg); "+OPL" when
// they name none.
QString LauncherPartition(const QString& confText);
// Where its folders are in that partition: the root for a "+" name, else "OPL".
QString LauncherFolder(const QString& partition);

// One entry of pfsshell's "ls -l" in a mounted folder.
struct PfsEntry
{
    QString name; // without the "/" of a folder
    qint64 size = 0;
    bool folder = false;
    QString modified; // as printed, "2026-12-08 20:19"
};
// The entries of a folder's "ls -l" ("." and ".." left out); lines that are no entry are skipped.
QList<PfsEntry> ParsePfsListing(const QString& text);
// The partitions of an unmounted "ls -l" (their names, without the trailing "/").
QStringList ParsePfsPartitions(const QString& text);
// The errors pfsshell printed ("(!) ..." lines), without its prompts and marks. Its exit
// status is 0 whatever happened, so these and a read back are all there is.
QStringList PfsErrors(const QString& text);

// A game's settings file (CFG/STARTUP.cfg): lines "Key=value", the launcher's own keys written
// "$Key". Keys this program does not know are kept as they were, in their order.
class GameConfig
{
public:
    static GameConfig Parse(const QString& text);
    QString text() const;

    // The value of a key, given with or without its "$"; nothing when it is not set.
    std::optional<QString> value(const QString& key) const;
    // Sets a key (an empty value removes it). A new key the launcher knows gets its "$".
    // False, and nothing changed, for a key or value that cannot be written in the file.
    bool set(const QString& key, const QString& value);
    // Key and value of every line that has one, in the file's order.
    QList<std::pair<QString, QString>> entries() const;
    bool operator==(const GameConfig&) const = default;

    // The keys the launcher reads from a game's file with "$".
    static const QStringList& LauncherKeys();
    // The compatibility modes, bits of $Compatibility (mode 1 is bit 0).
    static constexpr int kModes = 8;

private:
    // The line a key is on, by its name with or without "$".
    qsizetype lineOf(const QString& key) const;
    QStringList m_lines;
};

} // namespace launcher
