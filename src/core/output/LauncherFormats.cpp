#include "LauncherFormats.h"

#include <QRegularExpression>

namespace launcher {

namespace {
struct KindInfo
{
    ArtKind kind;
    const char* name;
    const char* suffix;
    QSize size;
};
// Sizes the launcher draws them at on a 640x448 screen; larger pictures only cost its memory.
const KindInfo kKinds[] = {
    {ArtKind::Cover, "cover", "COV", {140, 200}},
    {ArtKind::Icon, "icon", "ICO", {64, 64}},
    {ArtKind::Background, "background", "BG", {640, 480}},
    {ArtKind::Logo, "logo", "LGO", {300, 125}},
    {ArtKind::Screenshot, "screenshot", "SCR", {250, 188}},
};
const KindInfo& infoOf(ArtKind kind)
{
    for (const KindInfo& i : kKinds)
        if (i.kind == kind)
            return i;
    return kKinds[0];
}
} // namespace

QList<ArtKind> AllArtKinds()
{
    QList<ArtKind> all;
    for (const KindInfo& i : kKinds)
        all << i.kind;
    return all;
}

QString ArtKindName(ArtKind kind)
{
    return QString::fromLatin1(infoOf(kind).name);
}

std::optional<ArtKind> ArtKindNamed(const QString& name)
{
    for (const KindInfo& i : kKinds)
        if (name.compare(QLatin1String(i.name), Qt::CaseInsensitive) == 0)
            return i.kind;
    return std::nullopt;
}

QString ArtSuffix(ArtKind kind)
{
    return QString::fromLatin1(infoOf(kind).suffix);
}

QSize ArtSize(ArtKind kind)
{
    return infoOf(kind).size;
}

QString ArtFileName(const QString& startup, ArtKind kind)
{
    return startup + u'_' + ArtSuffix(kind) + QStringLiteral(".png");
}

QHash<QString, QList<ArtKind>> ArtOf(const QStringList& fileNames)
{
    QHash<QString, QList<ArtKind>> art;
    for (const QString& file : fileNames) {
        if (!file.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
            continue;
        const QString stem = file.chopped(4);
        for (const KindInfo& i : kKinds) {
            const QString tail = u'_' + QLatin1String(i.suffix);
            if (stem.endsWith(tail) && stem.size() > tail.size()) {
                QList<ArtKind>& kinds = art[stem.chopped(tail.size())];
                if (!kinds.contains(i.kind))
                    kinds << i.kind;
            }
        }
    }
    return art;
}

bool SafePfsName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
        name.toUtf8().size() > 255)
        return false;
    for (const QChar c : name) {
        if (c.isSpace() || c.category() == QChar::Other_Control || c == u'/' || c == u'\\' ||
            c.unicode() > 0x7e)
            return false;
    }
    return true;
}

std::optional<QString> CardFileName(const QString& name)
{
    QString file = name.trimmed();
    if (!file.endsWith(QLatin1String(".bin"), Qt::CaseInsensitive))
        file += QStringLiteral(".bin");
    if (!SafePfsName(file) || file.size() <= 4)
        return std::nullopt;
    return file;
}

QString LauncherPartition(const QString& confText)
{
    for (const QString& raw : confText.split(u'\n')) {
        const QString line = raw.trimmed();
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0 || line.left(eq).trimmed() != QLatin1String("hdd_partition"))
            continue;
        const QString value = line.mid(eq + 1).trimmed();
        // A name the launcher could use: one the shell can be given too.
        if (SafePfsName(value) && value.size() <= 32)
            return value;
    }
    return QStringLiteral("+OPL");
}

QString LauncherFolder(const QString& partition)
{
    return partition.startsWith(u'+') ? QString() : QStringLiteral("OPL");
}

QList<PfsEntry> ParsePfsListing(const QString& text)
{
    static const QRegularExpression entry(
        QStringLiteral(R"(^([d-])[rwx-]{9}\s+(\d+)\s+(\d{4}-\d\d-\d\d \d\d:\d\d)  (.+?)\s*$)"));
    QList<PfsEntry> entries;
    for (const QString& line : text.split(u'\n')) {
        const auto m = entry.match(line);
        if (!m.hasMatch())
            continue;
        PfsEntry e;
        e.folder = m.captured(1) == QLatin1String("d");
        e.size = m.captured(2).toLongLong();
        e.modified = m.captured(3);
        e.name = m.captured(4);
        if (e.folder && e.name.endsWith(u'/'))
            e.name.chop(1);
        if (e.name == QLatin1String(".") || e.name == QLatin1String(".."))
            continue;
        entries << e;
    }
    return entries;
}

QStringList ParsePfsPartitions(const QString& text)
{
    // "   0x40000           0100  128 MiB     0.12 GiB   2026-12-08 20:19  +OPL/"
    static const QRegularExpression row(
        QStringLiteral(R"(^\s*\S+.*\s[0-9a-fA-F]{4}\s.*\d{4}-\d\d-\d\d \d\d:\d\d  (.+?)\s*$)"));
    QStringList names;
    for (const QString& line : text.split(u'\n')) {
        const auto m = row.match(line);
        if (!m.hasMatch())
            continue;
        QString name = m.captured(1);
        if (name.endsWith(u'/'))
            name.chop(1);
        names << name;
    }
    return names;
}

QStringList PfsErrors(const QString& text)
{
    QStringList errors;
    for (const QString& line : text.split(u'\n')) {
        const qsizetype mark = line.indexOf(QLatin1String("(!) "));
        if (mark < 0)
            continue;
        const QString said = line.mid(mark + 4).trimmed();
        // The status line that follows each error repeats nothing the user can use.
        if (!said.startsWith(QLatin1String("Exit code is")))
            errors << said;
    }
    return errors;
}

const QStringList& GameConfig::LauncherKeys()
{
    static const QStringList keys{
        QStringLiteral("Compatibility"), QStringLiteral("DMA"),
        QStringLiteral("VMC_0"),         QStringLiteral("VMC_1"),
        QStringLiteral("AltStartup"),    QStringLiteral("GSMConfig"),
        QStringLiteral("CheatsSource"),  QStringLiteral("EnableCheat"),
        QStringLiteral("PadEmuSource"),  QStringLiteral("ConfigSource"),
    };
    return keys;
}

GameConfig GameConfig::Parse(const QString& text)
{
    GameConfig c;
    QString normal = text;
    normal.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    c.m_lines = normal.split(u'\n');
    while (!c.m_lines.isEmpty() && c.m_lines.last().isEmpty())
        c.m_lines.removeLast();
    return c;
}

QString GameConfig::text() const
{
    return m_lines.isEmpty() ? QString() : m_lines.join(u'\n') + u'\n';
}

qsizetype GameConfig::lineOf(const QString& key) const
{
    const QString bare = key.startsWith(u'$') ? key.mid(1) : key;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const qsizetype eq = m_lines[i].indexOf(u'=');
        if (eq <= 0)
            continue;
        QString k = m_lines[i].left(eq);
        if (k.startsWith(u'$'))
            k.remove(0, 1);
        if (k == bare)
            return i;
    }
    return -1;
}

std::optional<QString> GameConfig::value(const QString& key) const
{
    const qsizetype i = lineOf(key);
    if (i < 0)
        return std::nullopt;
    return m_lines[i].mid(m_lines[i].indexOf(u'=') + 1);
}

bool GameConfig::set(const QString& key, const QString& value)
{
    static const QRegularExpression keyForm(QStringLiteral(R"(^\$?[A-Za-z0-9_]{1,64}$)"));
    if (!keyForm.match(key).hasMatch())
        return false;
    for (const QChar c : value)
        if (c.category() == QChar::Other_Control)
            return false;
    const qsizetype i = lineOf(key);
    if (value.isEmpty()) {
        if (i >= 0)
            m_lines.removeAt(i);
        return true;
    }
    if (i >= 0) {
        const QString written = m_lines[i].left(m_lines[i].indexOf(u'='));
        m_lines[i] = written + u'=' + value;
        return true;
    }
    const QString bare = key.startsWith(u'$') ? key.mid(1) : key;
    const QString written =
        key.startsWith(u'$') || LauncherKeys().contains(bare) ? u'$' + bare : bare;
    m_lines << written + u'=' + value;
    return true;
}

QList<std::pair<QString, QString>> GameConfig::entries() const
{
    QList<std::pair<QString, QString>> all;
    for (const QString& line : m_lines) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0)
            all.append({line.left(eq), line.mid(eq + 1)});
    }
    return all;
}

} // namespace launcher
