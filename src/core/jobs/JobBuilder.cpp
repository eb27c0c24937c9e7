#include "JobBuilder.h"

#include "GameIdentity.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

bool IsDriveSource(const QString& source)
{
    static const QRegularExpression re(QStringLiteral("^(cd[0-9]+:|/dev/)"));
    return re.match(source).hasMatch();
}

GameNaming NameForGame(const QString& source, const parse::DiscInfo& disc,
                       const QHash<QString, DiscDatabaseEntry>& database, const TitleIndex* index)
{
    GameNaming naming;
    const auto known = database.constFind(disc.startup);
    const QString indexed =
        index ? WithoutControlCharacters(index->titleFor(disc.startup)) : QString();
    if (!disc.startup.isEmpty() && known != database.constEnd() && !known->name.isEmpty()) {
        naming.name = WithoutControlCharacters(known->name);
        naming.flags = known->flags;
        naming.fromDatabase = true;
        naming.source = NameSource::DiscDatabase;
    } else if (!indexed.isEmpty()) {
        naming.name = indexed;
        naming.source = NameSource::TitleIndex;
    } else {
        const QString label = ReadableLabel(WithoutControlCharacters(disc.name));
        QString file;
        if (!IsDriveSource(source)) {
            const QString fileName = QFileInfo(source).fileName();
            const qsizetype dot = fileName.lastIndexOf(u'.');
            file = WithoutControlCharacters(dot > 0 ? fileName.left(dot) : fileName);
        }
        const bool drive = IsDriveSource(source);
        naming.name = drive ? label : file;
        naming.source = drive ? NameSource::DiscLabel : NameSource::FileName;
        if (naming.name.isEmpty()) {
            naming.name = drive ? file : label;
            naming.source = drive ? NameSource::FileName : NameSource::DiscLabel;
        }
    }
    // The tool keeps 64 bytes of a name.
    while (!GameNameFits(naming.name))
        naming.name.chop(1);
    naming.name = naming.name.trimmed();
    return naming;
}

NameFault CheckGameName(const QString& name, NameUse use)
{
    if (name.isEmpty())
        return NameFault::Empty;
    if (!GameNameFits(name))
        return NameFault::TooLong;
    if (use == NameUse::Rename && ToolReadsAsFlags(name))
        return NameFault::ReadAsFlags;
    if (HasControlCharacters(name))
        return NameFault::ControlCharacter;
    return NameFault::None;
}

Job InstallJob(const QString& source, const Target& target, const QString& name,
               const parse::DiscInfo& disc, std::optional<DiscType> type, CompatFlags flags)
{
    Job job;
    job.kind = JobKind::Install;
    job.source = source;
    job.destination = target.toolArgument();
    job.name = name;
    job.startup = disc.startup;
    job.sizeKb = disc.sizeKb;
    job.type = type ? *type : DiscTypeOf(disc.media, disc.sizeKb);
    job.flags = flags;
    // The check before a run sees whether the image changed since.
    if (!IsDriveSource(source))
        job.sourceBytes = QFileInfo(source).size();
    return job;
}

Job MakeIsoJob(const QString& drive, const QString& file, qint64 sizeKb, bool replaceExisting)
{
    Job job;
    job.kind = JobKind::MakeIso;
    job.source = drive;
    job.destination = QFileInfo(file).absoluteFilePath();
    job.name = QFileInfo(file).completeBaseName();
    job.sizeKb = sizeKb;
    // The old image stays until the job runs: a job removed from the queue loses nothing.
    job.replaceExisting = replaceExisting && QFileInfo(file).isFile();
    return job;
}

Job CopyJob(JobKind kind, const Target& from, const parse::GameRow& game,
            const QString& destination, bool replaceExisting)
{
    Job job;
    job.kind = kind;
    job.source = from.toolArgument();
    job.destination =
        kind == JobKind::CopyToPC ? QFileInfo(destination).absoluteFilePath() : destination;
    job.name = game.title;
    job.partition = game.partition;
    job.startup = game.startup;
    job.sizeKb = game.sizeKb;
    // Only a file the user agreed to replace is replaced, and only by a finished copy.
    job.replaceExisting =
        replaceExisting && kind == JobKind::CopyToPC && QFileInfo::exists(destination);
    return job;
}

QString FileNameForGame(const QString& title)
{
    // Only what a file name cannot hold is replaced; quotes and all else stay.
    QString name = title;
    name.replace(u'/', u'_').replace(QChar(0), u'_');
    return name + QStringLiteral(".iso");
}

QString ReadableLabel(const QString& label)
{
    // Someone wrote it with small letters on purpose: theirs.
    if (label != label.toUpper())
        return label;
    static const QRegularExpression roman(QStringLiteral("^[IVX]+$"));
    static const QStringList small{
        QStringLiteral("a"),   QStringLiteral("an"), QStringLiteral("and"), QStringLiteral("of"),
        QStringLiteral("the"), QStringLiteral("to"), QStringLiteral("in"),  QStringLiteral("on")};
    QStringList words;
    for (const QString& word : QString(label).replace(u'_', u' ').split(u' ', Qt::SkipEmptyParts)) {
        if (roman.match(word).hasMatch() ||
            std::any_of(word.begin(), word.end(), [](QChar c) { return c.isDigit(); }))
            words << word;
        else if (!words.isEmpty() && small.contains(word.toLower()))
            words << word.toLower();
        else
            words << word.left(1) + word.mid(1).toLower();
    }
    return words.join(u' ');
}
