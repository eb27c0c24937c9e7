#include "CliCommand.h"
#include "CliSupport.h"

#include "core/devices/Flags.h"
#include "core/devices/Probe.h"
#include "core/diagnostics/Doctor.h"
#include "core/jobs/JobCommands.h"
#include "core/jobs/JobListModel.h"
#include "core/jobs/JobQueue.h"
#include "core/platform/DeviceDiscovery.h"
#include "core/platform/Platform.h"
#include "core/session/ProblemText.h"
#include "core/session/Session.h"
#include "core/tool/ToolRun.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRegularExpression>
#include <QTimer>

#include <memory>

#include <cstdio>
#include <unistd.h>

using namespace cli;

CliCommand::CliCommand(Session& session, CliOptions options, QObject* parent)
    : QObject(parent), m_session(session), m_options(options)
{
    connect(&m_session, &Session::problem, this, [this](const Problem& p) {
        const QString text = ProblemText(p);
        if (ProblemIsWarning(p)) {
            writeWarning(text);
            return;
        }
        m_failed = true;
        writeError(text);
        // Only a backup of this very disk is offered.
        if ((p.kind == ProblemKind::DamagedTable || p.kind == ProblemKind::TableRefused) &&
            !p.reason.isEmpty())
            writeErr(QStringLiteral("To put that table back: ventrik-cli restore-toc %1 --yes\n")
                         .arg(p.subject));
    });
}

const QList<CliCommand::Entry>& CliCommand::table()
{
    static const QList<Entry> entries{
        {"devices", 0, 0, &CliCommand::devices},
        {"games", 1, 1, &CliCommand::games},
        {"info", 1, 1, &CliCommand::info},
        {"install", 2, 8, &CliCommand::install},
        {"copy-to-pc", 3, 3, &CliCommand::copyToPc},
        {"make-iso", 2, 2, &CliCommand::makeIso},
        {"delete", 2, 2, &CliCommand::remove},
        {"poweroff", 1, 1, &CliCommand::poweroff},
        {"doctor", 0, 0, &CliCommand::doctor},
        {"queue", 1, 12, &CliCommand::queue},
        {"rename", 3, 3, &CliCommand::renameGame},
        {"flags", 3, 3, &CliCommand::setGameFlags},
        {"restore-toc", 1, 4, &CliCommand::restoreToc},
        {"grant", 1, 1, &CliCommand::grant},
        {"revoke", 1, 1, &CliCommand::revoke},
        {"art", 3, 6, &CliCommand::art},
        {"art-folder", 2, 3, &CliCommand::artFolder},
        {"art-remove", 2, 4, &CliCommand::artRemove},
        {"game-config", 2, 64, &CliCommand::gameConfig},
        {"vmc", 2, 5, &CliCommand::vmc},
    };
    return entries;
}

QString CliCommand::usage()
{
    return QStringLiteral(
        "usage: ventrik-cli [--hdl-dump PATH] [--pfsshell PATH] [--json] [--dry-run] "
        "[--no-wait]\n"
        "                   [--stall-timeout SECONDS] COMMAND [ARGS]\n"
        "       ventrik-cli --version | -V      the version\n"
        "       ventrik-cli --help | -h [COMMAND]   this help, or a command's\n"
        "(the options may also follow the command)\n"
        "  help [COMMAND]                   this text, or one command's (also -h, --help)\n"
        "  devices                          PS2 disks and optical drives of this machine\n"
        "  games TARGET                     installed games and space (TARGET: disk path, "
        "hddN:, or IPv4)\n"
        "  info SOURCE                      disc information of an image file or an optical "
        "drive\n"
        "  install TARGET SOURCE [--name NAME] [--flags 1+3] [--type cd|dvd]\n"
        "  copy-to-pc TARGET NAME FILE      a game back to an image file\n"
        "  make-iso DRIVE FILE              an image of a disc\n"
        "  delete TARGET NAME\n"
        "  poweroff IP\n"
        "  rename TARGET NAME NEWNAME       an installed game renamed (the tool's modify)\n"
        "  flags TARGET NAME 1+3            its compatibility flags set (0 for none)\n"
        "  restore-toc TARGET [FILE] [--yes] [--other-disk]\n"
        "                                   the disk's partition table put back from a backup "
        "(the newest\n"
        "                                   Ventrik made of this disk, unless FILE names one); "
        "a backup of\n"
        "                                   another disk is refused unless --other-disk "
        "(dangerous)\n"
        "  grant DISK                       asks the system (pkexec) to let you read and write one "
        "PS2 disk\n"
        "  revoke DISK                      takes that access back\n"
        "  doctor                           which hdl_dump, which of its commands exist, which "
        "disks can be read,\n"
        "                                   whether an ICMP probe is possible, where settings "
        "live\n"
        "  queue add install|copy-to-pc|make-iso ARGS   a job for the saved queue, with the "
        "arguments\n"
        "                                   of the command of that name\n"
        "  queue add-folder TARGET DIR [--type cd|dvd]   every image of a folder and its "
        "subfolders\n"
        "  queue list                       the saved queue (shared with the window)\n"
        "  queue run [--stop-after-failure] [--yes]\n"
        "                                   checks the queue, then runs its waiting jobs; stops "
        "on problems\n"
        "                                   found by the check unless --yes\n"
        "  queue clear\n"
        "  art TARGET GAME IMAGE [--kind cover|icon|background|logo|screenshot] [--yes]\n"
        "                                   a picture for the launcher (converted to PNG, "
        "written to ART/)\n"
        "  art-folder TARGET FOLDER [--yes] the pictures of a folder, matched to the games by "
        "startup\n"
        "                                   (SLUS_123.45.jpg) or title; _COV, _ICO, _BG, _LGO, "
        "_SCR at the\n"
        "                                   end of a name say the kind\n"
        "  art-remove TARGET GAME [--kind KIND]   a game's pictures removed (all kinds without "
        "--kind)\n"
        "  game-config TARGET GAME [KEY=VALUE ...] [--yes]\n"
        "                                   a game's launcher settings ($Compatibility, $DMA, "
        "$VMC_0,\n"
        "                                   $VMC_1, ...); printed without KEY=VALUE, an empty "
        "VALUE removes\n"
        "  vmc list|get|put|remove TARGET [NAME] [FILE] [--yes]\n"
        "                                   the launcher's memory cards (VMC/NAME.bin); the PS2 "
        "must not\n"
        "                                   run a game meanwhile\n"
        "The launcher's files need pfsshell (--pfsshell PATH, Settings, beside this program or "
        "on PATH);\n"
        "where its partition (+OPL) is missing, --yes makes it (128 MB) as the launcher would.\n"
        "NAME is a game's title or its partition (games lists both); a title two games share\n"
        "is refused. Relative paths are read from the current folder.\n"
        "A disk another Ventrik writes to is waited for; --no-wait refuses it at once.\n"
        "A job whose disk or PS2 shows no sign of life is said after 30 s and ended after\n"
        "--stall-timeout SECONDS (config.cfg's StallTimeout, else 300); the jobs after it wait.\n"
        "Exit status: 0 success, 1 the operation failed, 2 a usage error, 3 done but not "
        "verified\n"
        "(the disk could not be read afterwards to check the game).\n");
}

QString CliCommand::usageOf(const QString& command)
{
    // The command's lines of the help: its own, and those indented below them.
    QStringList lines;
    bool in = false;
    for (const QString& line : usage().split(u'\n')) {
        if (line.startsWith(QLatin1String("  ")) && !line.startsWith(QLatin1String("   "))) {
            const QString first = line.trimmed().section(u' ', 0, 0);
            in = first == command;
        } else if (!line.startsWith(QLatin1String("   "))) {
            in = false;
        }
        if (in)
            lines << line;
    }
    if (lines.isEmpty())
        return {};
    return QStringLiteral("usage: ventrik-cli [options]\n") + lines.join(u'\n') + u'\n';
}

QString CliCommand::shortHelp()
{
    return QStringLiteral("Run \"ventrik-cli --help\" for the commands and options.\n");
}

void CliCommand::start(const QStringList& args)
{
    if (args.isEmpty()) {
        usageError(QStringLiteral("no command given"));
        return;
    }
    const QString name = args.first();
    m_command = name;
    const QStringList rest = args.mid(1);
    for (const Entry& e : table()) {
        if (name != QLatin1String(e.name))
            continue;
        if (rest.size() < e.minArgs || rest.size() > e.maxArgs) {
            usageError(QStringLiteral("wrong number of arguments for %1").arg(name));
            return;
        }
        if (const std::optional<QString> bad = BadNbdArgument(rest)) {
            usageError(*bad);
            return;
        }
        (this->*e.run)(rest);
        return;
    }
    m_command.clear();
    usageError(QStringLiteral("unknown command \"%1\"").arg(name));
}

void CliCommand::usageError(const QString& text)
{
    // One line for what was wrong, then how that command is used, not the whole help.
    const QString usage = usageOf(m_command);
    writeError(text);
    writeErr(usage.isEmpty() ? shortHelp() : usage);
    finish(2);
}

bool CliCommand::sourceMissing(const QString& source)
{
    if (IsDriveSource(source) || QFileInfo(source).isFile())
        return false;
    // Said as what it is, before the tool is asked and calls it no PS2 game.
    writeError(ProblemText({ProblemKind::FileNotFound, source, {}}));
    finish(1);
    return true;
}

void CliCommand::finish(int status)
{
    if (m_finished)
        return;
    m_finished = true;
    // A script that reads JSON learns of a failure on stdout too, as the same kind of answer.
    if (m_options.json && status != 0 && !jsonWritten()) {
        const QStringList& said = errorsSaid();
        writeJson(QJsonDocument(
                      QJsonObject{{QStringLiteral("ok"), false},
                                  {QStringLiteral("error"),
                                   said.isEmpty() ? QStringLiteral("failed") : said.join(u'\n')},
                                  {QStringLiteral("exit"), status}})
                      .toJson(QJsonDocument::Compact) +
                  '\n');
    }
    // A PS2's export opened for the command is closed before the program leaves; leave after
    // the caller has connected to done().
    m_session.whenNbdClosed(
        [this, status] { QTimer::singleShot(0, this, [this, status] { emit done(status); }); });
}

void CliCommand::finishWith(Operation* op, std::function<int(const OperationResult&)> fn)
{
    connect(op, &Operation::finished, this,
            [this, fn](const OperationResult& result) { finish(fn(result)); });
}

std::optional<DiscType> CliCommand::discTypeArgument(const QString& value)
{
    if (value == QLatin1String("cd"))
        return DiscType::CD;
    if (value == QLatin1String("dvd"))
        return DiscType::DVD;
    usageError(QStringLiteral("--type takes cd or dvd, not \"%1\"").arg(value));
    return std::nullopt;
}

std::optional<Target> CliCommand::targetArgument(const QString& text)
{
    // A PS2's IPv4 address or NBD export, a disk as the tool names it, or a disk or image that
    // exists.
    static const QRegularExpression hdd(QStringLiteral("^hdd[0-9]+:$"));
    if (const std::optional<Target> parsed = Target::Parse(text); parsed && parsed->isNetwork())
        return parsed;
    if (hdd.match(text).hasMatch())
        return Target::Disk(text);
    const QFileInfo info(text);
    if (!text.isEmpty() && info.exists() && !info.isDir())
        return Target::Disk(info.absoluteFilePath());
    usageError(QStringLiteral("\"%1\" is no PS2 target: give an IPv4 address, "
                              "nbd://IP[:PORT][/EXPORT], hddN:, or a disk or disk image that "
                              "exists")
                   .arg(text));
    return std::nullopt;
}

void CliCommand::print(const QJsonValue& json, const QString& text)
{
    if (m_options.json) {
        const QJsonDocument doc =
            json.isArray() ? QJsonDocument(json.toArray()) : QJsonDocument(json.toObject());
        writeJson(doc.toJson(QJsonDocument::Indented));
    } else {
        writeOut(text);
    }
}

bool CliCommand::printDryRun(const QList<QStringList>& commands)
{
    if (!m_options.dryRun)
        return false;
    if (m_options.json) {
        QJsonArray all;
        for (const QStringList& c : commands)
            all.append(QJsonArray::fromStringList(c));
        writeJson(QJsonDocument(all).toJson(QJsonDocument::Compact) + '\n');
    } else {
        for (const QStringList& c : commands)
            writeOut(ToolCommand::DisplayArguments(c) + u'\n');
    }
    finish(0);
    return true;
}

void CliCommand::devices(const QStringList&)
{
    if (printDryRun({{QStringLiteral("query")}}))
        return;
    Operation* op = m_session.operate([this] { return m_session.refreshDevices(); });
    finishWith(op, [this](const OperationResult& r) {
        if (!r.started)
            return 1;
        QJsonArray disks;
        QString text;
        for (const DiskEntry& d : m_session.allDisks()) {
            const QString state = d.ps2Formatted ? QStringLiteral("PS2 formatted")
                                  : d.unreadable ? QStringLiteral("cannot be read")
                                                 : QStringLiteral("not PS2 formatted");
            disks.append(QJsonObject{{QStringLiteral("device"), d.device},
                                     {QStringLiteral("size_mb"), d.sizeMb},
                                     {QStringLiteral("ps2_formatted"), d.ps2Formatted},
                                     {QStringLiteral("readable"), !d.unreadable}});
            text += QStringLiteral("disk  %1  %2\n").arg(d.label(), state);
        }
        QJsonArray drives;
        for (const DiskEntry& d : m_session.opticalDrives()) {
            drives.append(QJsonObject{{QStringLiteral("device"), d.device},
                                      {QStringLiteral("size_mb"), d.sizeMb}});
            text += QStringLiteral("drive %1\n").arg(d.label());
        }
        print(QJsonObject{{QStringLiteral("disks"), disks},
                          {QStringLiteral("optical_drives"), drives}},
              text);
        return r.succeeded() ? 0 : 1;
    });
}

void CliCommand::info(const QStringList& args)
{
    const QString source = callersPath(args[0]);
    if (sourceMissing(source) || printDryRun({m_session.usage().discReadArguments(source)}))
        return;
    finishWith(m_session.readDisc(source, IsDriveSource(source)), [this](const OperationResult& r) {
        if (!r.disc)
            return 1;
        const parse::DiscInfo& i = *r.disc;
        print(QJsonObject{{QStringLiteral("startup"), i.startup},
                          {QStringLiteral("name"), i.name},
                          {QStringLiteral("size_kb"), i.sizeKb},
                          {QStringLiteral("dual_layer"), i.dualLayer}},
              QStringLiteral("startup %1\nname    %2\nsize    %3\n")
                  .arg(i.startup, i.name, i.sizeText));
        return 0;
    });
}

void CliCommand::install(const QStringList& args)
{
    prepareInstall(args, [this](const Job& job) {
        if (printDryRun(
                {m_session.usage().discReadArguments(job.source), JobQueue::toolArguments(job)}))
            return;
        m_session.selectTarget(WriteTarget(job));
        runJob(job);
    });
}

void CliCommand::prepareInstall(const QStringList& args, std::function<void(const Job&)> then)
{
    if (args.size() < 2) {
        usageError(QStringLiteral("install needs a target and a source"));
        return;
    }
    const std::optional<Target> target = targetArgument(args[0]);
    if (!target)
        return;
    const QString source = callersPath(args[1]);
    const Target destination = *target;
    QString name;
    std::optional<CompatFlags> flags;
    std::optional<DiscType> type;
    bool named = false;
    for (int i = 2; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) {
            usageError(QStringLiteral("%1 needs a value").arg(args[i]));
            return;
        }
        const QString value = args[i + 1];
        if (args[i] == QLatin1String("--name")) {
            name = value;
            named = true;
        } else if (args[i] == QLatin1String("--flags")) {
            // "0" is for clearing an installed game's flags, not for an install.
            flags = value == QLatin1String("0") ? std::optional<CompatFlags>()
                                                : CompatFlags::parse(value);
            if (!flags) {
                usageError(QStringLiteral("flags are numbers from 1 to 8 joined by +"));
                return;
            }
        } else if (args[i] == QLatin1String("--type")) {
            type = discTypeArgument(value);
            if (!type)
                return;
        } else {
            usageError(QStringLiteral("unknown option %1").arg(args[i]));
            return;
        }
    }
    if (named) {
        const QString typed = name;
        name = TrimGameName(typed);
        if (name.isEmpty()) {
            usageError(QStringLiteral("the name is empty"));
            return;
        }
        if (const std::optional<Problem> p = GameNameProblem(name)) {
            usageError(ProblemText(*p));
            return;
        }
        if (name != typed)
            writeWarning(ProblemText({ProblemKind::NameTrimmed, name, {}}));
    }
    if (sourceMissing(source))
        return;
    // The startup, the name and the type come from the disc itself.
    Operation* read = m_session.readDisc(source, IsDriveSource(source));
    connect(read, &Operation::finished, this, [=, this](const OperationResult& r) {
        if (!r.disc) {
            finish(1);
            return;
        }
        const parse::DiscInfo& i = *r.disc;
        const GameNaming naming = m_session.names().nameFor(source, i);
        const Job job = InstallJob(source, destination, named ? name : naming.name, i, type,
                                   flags.value_or(naming.flags));
        // The tool does not say for an image file: the size decides, and the user is told.
        if (i.mediaUnknown && !type)
            writeWarning(
                ProblemText({ProblemKind::MediaUnknown, job.source, DiscTypeText(job.type)}));
        then(job);
    });
}

Job CliCommand::makeIsoJob(const QStringList& args)
{
    return MakeIsoJob(callersPath(args[0]), args[1], 0, false);
}

void CliCommand::copyToPc(const QStringList& args)
{
    prepareCopyToPc(args, [this](const Job& job) { runJob(job); });
}

void CliCommand::prepareCopyToPc(const QStringList& args, std::function<void(const Job&)> then)
{
    const std::optional<Target> target = targetArgument(args[0]);
    if (!target)
        return;
    // The game is its partition: the tool is given that, never a title two games may share; a
    // dry run shows the same, once the listing named it.
    withGame(*target, args[1],
             [this, target = *target, then, file = args[2]](const parse::GameRow& game) {
                 const Job job = CopyJob(JobKind::CopyToPC, target, game, file);
                 if (!printDryRun({JobQueue::toolArguments(job)}))
                     then(job);
             });
}

void CliCommand::makeIso(const QStringList& args)
{
    const Job job = makeIsoJob(args);
    if (printDryRun({JobQueue::toolArguments(job)}))
        return;
    runJob(job);
}

void CliCommand::showProgress()
{
    if (m_options.json || !::isatty(STDERR_FILENO))
        return;
    connect(&m_session.runs(), &QueueRuns::progressChanged, this, [](const JobProgress& p) {
        writeProgress(
            QStringLiteral("%1%  %2  %3   ")
                .arg(p.percentText, p.remaining.value_or(QString()), p.speed.value_or(QString())));
    });
    connect(&m_session.runs(), &QueueRuns::jobStarted, this,
            [](int) { writeErr(QStringLiteral("\n")); });
    connect(&m_session, &Session::runFinished, this, [] { writeErr(QStringLiteral("\n")); });
}

void CliCommand::runJob(const Job& job)
{
    showProgress();
    connect(&m_session, &Session::runFinished, this, [this](bool now, bool) {
        if (!now)
            return;
        const Job& j = m_session.runs().nowJob();
        const bool ok = j.state == JobState::Complete;
        const bool verified = ok && j.notVerified.isEmpty();
        const QString result = JobResultText(j);
        QJsonObject json{{QStringLiteral("ok"), ok},
                         {QStringLiteral("verified"), verified},
                         {QStringLiteral("result"), result},
                         {QStringLiteral("reason"), j.reason},
                         {QStringLiteral("exit"), m_session.runs().nowOutcome().exitCode}};
        // Said once: the result already holds the reason where it is the tool's words.
        if (!ok && !j.reason.isEmpty() && !result.contains(j.reason))
            writeError(j.reason);
        print(json, result + u'\n');
        // Done, but the disk could not be read to show it: neither success nor failure.
        finish(!ok ? 1 : verified ? 0 : kNotVerified);
    });
    if (!m_session.runNow(job))
        finish(1);
}

QJsonObject CliCommand::jobJson(const Job& job, int row)
{
    return QJsonObject{
        {QStringLiteral("job"), row + 1},
        {QStringLiteral("task"), JobKindText(job.kind)},
        {QStringLiteral("source"), job.source},
        {QStringLiteral("destination"), job.destination},
        {QStringLiteral("name"), job.name},
        {QStringLiteral("ok"), job.state == JobState::Complete},
        {QStringLiteral("verified"), job.state == JobState::Complete && job.notVerified.isEmpty()},
        {QStringLiteral("partition"), job.partition},
        {QStringLiteral("result"), JobResultText(job)},
        {QStringLiteral("reason"), job.reason},
        {QStringLiteral("note"), job.note}};
}

bool CliCommand::confirm(const QString& question)
{
    // Asked only of a person at a terminal; a script says --yes.
    if (!::isatty(STDIN_FILENO))
        return false;
    writeErr(question + QStringLiteral(" [y/N] "));
    char line[16] = {};
    if (!std::fgets(line, sizeof line, stdin))
        return false;
    return line[0] == 'y' || line[0] == 'Y';
}

void CliCommand::poweroff(const QStringList& args)
{
    const std::optional<Target> ps2 = Target::ParseAddress(args[0]);
    if (!ps2) {
        usageError(QStringLiteral("\"%1\" is not an IPv4 address").arg(args[0]));
        return;
    }
    if (printDryRun({{QStringLiteral("poweroff"), ps2->host()}}))
        return;
    finishWith(m_session.operate([&] { return m_session.powerOffPS2(*ps2); }),
               [](const OperationResult& r) { return r.poweredOff.isEmpty() ? 1 : 0; });
}

void CliCommand::doctor(const QStringList&)
{
    auto* doctor = new Doctor(m_session.paths(), m_session.settings(), this);
    connect(doctor, &Doctor::finished, this, [this](const DoctorReport& report) {
        print(report.json, report.text);
        finish(report.toolRuns ? 0 : 1);
    });
    doctor->start();
}
