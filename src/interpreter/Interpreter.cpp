#include "Interpreter.h"

#include "InterpreterTarget.h"
#include "Parsers.h"
#include "jobs/JobRecord.h"
#include "shell/Dialogs.h"
#include "shell/RunState.h"
#include "shell/Settings.h"

#include <QFileInfo>

#include <cmath>

namespace {
bool containsAny(const QString& text, std::initializer_list<const char*> needles)
{
    for (const char* n : needles) {
        if (text.contains(QLatin1String(n)))
            return true;
    }
    return false;
}
} // namespace

bool Interpreter::listFlagSet() const
{
    return m_state.AwaitDiskList || m_state.AwaitOpticalList || m_state.AwaitFormatList ||
           m_state.AwaitDiscInfo || m_state.AwaitGameTable;
}

bool Interpreter::connectionFailure(const QString& chunk)
{
    // A networked PS2 that dropped or refused the connection, whatever command ran.
    if (!containsAny(chunk,
                     {"existing connection was forcibly closed by the remote host",
                      "No connection could be made because the target machine actively refused it.",
                      "Connection refused"}))
        return false;
    m_dialogs.message(
        QStringLiteral("An error has occurred and you must reload hdld_svr.elf on PS2."),
        Dialogs::Icon::Critical);
    return true;
}

void Interpreter::InterpretOutput(const QString& chunk)
{
    if (chunk.isEmpty() || connectionFailure(chunk))
        return;
    // The list sections read the whole output once the run has ended.
    const bool lists = m_state.AwaitDiskList || m_state.AwaitOpticalList || m_state.AwaitFormatList;
    if (lists && m_buffer.size() < kMaxBuffered)
        m_buffer += chunk;
    if (m_state.JobActive && jobResults(chunk))
        return;
    if (!lists && (m_state.AwaitDiscInfo || m_state.AwaitGameTable) &&
        m_buffer.size() < kMaxBuffered)
        m_buffer += chunk;
}

namespace {
// The error texts of a job, both the older and the current tool's, and the
// result each gives; the first found decides.
struct JobError
{
    const char* texts[3];
    const QString& result;
};

// True when needle ends inside chunk, also when a read cut it in two.
bool arrived(const QString& previous, const QString& chunk, const QString& needle)
{
    const QString joined = previous.right(needle.size() - 1) + chunk;
    return joined.contains(needle);
}
} // namespace

bool Interpreter::jobResults(const QString& chunk)
{
    static const JobError errors[] = {
        {{"Interrupted.", nullptr, nullptr}, JobResult::Aborted},
        {{"Input or output is unsupported.", nullptr, nullptr}, JobResult::Unsupported},
        {{": The file exists.", "File exists", "partition with such name already exists"},
         JobResult::FileExists},
        {{"not enough free space.", "There is not enough space on the disk.",
          "No space left on device"},
         JobResult::NoSpace},
        {{"The parameter is incorrect.", "Invalid argument", nullptr}, JobResult::BadParameter},
    };
    const QString previous = m_jobTail;
    m_jobTail = (m_jobTail + chunk).right(256);
    for (const JobError& e : errors) {
        for (const char* text : e.texts) {
            if (!text || !arrived(previous, chunk, QLatin1String(text)))
                continue;
            if (!m_state.InstallNow)
                m_target.setJobResult(m_state.CurrentJob, e.result);
            m_state.JobOutcome = e.result;
            m_state.JobFinished = true;
            return true;
        }
    }

    if (const auto recordText = m_progress.feed(chunk)) {
        const auto record = parse::ParseProgressRecord(*recordText);
        if (record) {
            if (record->remaining)
                m_target.setRemaining(*record->remaining);
            if (record->speed)
                m_target.setSpeed(QStringLiteral("Speed: ") + *record->speed);
            const int percent = static_cast<int>(record->percent);
            m_target.setCurrentProgress(percent, QStringLiteral("Current Job - ") +
                                                     record->percentText + u'%');
            const int n = m_target.jobCount();
            const bool queue = n > 1 && !m_state.InstallNow;
            int overall = m_target.currentProgress();
            if (queue) {
                const qint64 base = parse::RoundHalfEven(100.0 / n * (m_state.CurrentJob - 1));
                // Within 0 to 100 for every real queue; a job number beyond the list stays in
                // range.
                overall = static_cast<int>(std::clamp(
                    std::floor(record->percent / n + static_cast<double>(base)), 0.0, 100.0));
            }
            m_target.setOverallProgress(overall,
                                        QStringLiteral("Overall Completion - %1%").arg(overall));
            if (m_target.statusMinimized()) {
                m_target.setStatusCaption(
                    queue ? QStringLiteral("%1% - %2% - Job %3 / %4")
                                .arg(record->percentText)
                                .arg(static_cast<qint64>(std::floor(record->percent / n)))
                                .arg(m_state.CurrentJob)
                                .arg(n)
                          : record->percentText + QStringLiteral("% Complete"));
            } else {
                m_target.setStatusCaption(QStringLiteral("Status"));
            }
        }
    }
    if (arrived(previous, chunk, QStringLiteral("100%"))) {
        if (!m_state.InstallNow)
            m_target.setJobResult(m_state.CurrentJob, JobResult::Complete);
        m_state.JobOutcome = JobResult::Complete;
        m_state.JobFinished = true;
    }
    return false;
}

void Interpreter::FinishOutput()
{
    m_progress.reset();
    m_jobTail.clear();
    QString text;
    text.swap(m_buffer);
    if (!text.isEmpty()) {
        // The current tool has no "query" on Linux: list the devices ourselves.
        if ((m_state.AwaitDiskList || m_state.AwaitOpticalList || m_state.AwaitFormatList) &&
            m_discover && text.contains(QStringLiteral("query: unrecognized command")))
            text = m_discover();
        bool ended = false;
        if (m_state.AwaitDiskList || m_state.AwaitOpticalList)
            ended = discovery(text);
        if (!ended && m_state.AwaitFormatList)
            settingsDiskList(text);
        if (!ended && m_state.AwaitDiscInfo)
            ended = discInformation(text);
        if (!ended && m_state.AwaitGameTable)
            gameTable(text);
    }
    m_state.AwaitDiskList = false;
    m_state.AwaitOpticalList = false;
    m_state.AwaitFormatList = false;
    m_state.AwaitDiscInfo = false;
    m_state.AwaitGameTable = false;
}

bool Interpreter::discovery(const QString& text)
{
    const QStringList lines = parse::SplitLines(text);
    if (m_state.AwaitDiskList) {
        for (int i = 0; i < 5; ++i)
            m_target.setCopyMenuEntry(i, QString());
    }
    int counter = 0;
    for (const QString& line : lines) {
        if (m_state.AwaitDiskList) {
            const auto disk = parse::ParseDiskLine(line);
            if (disk && disk->ps2Formatted) {
                const QString label = parse::DiskLabel(disk->device, disk->sizeMb);
                m_target.addMainDisk(label);
                // Only the first five disks fit the "Copy to HDD" menu.
                if (counter < 5) {
                    m_target.setCopyMenuEntry(counter, label);
                    m_target.setCopyMenuEntryState(counter, true, true);
                    ++counter;
                }
            }
        }
        if (m_state.AwaitOpticalList) {
            if (const auto drive = parse::ParseOpticalLine(line))
                m_target.addOptical(parse::DiskLabel(drive->device, drive->sizeMb));
        }
    }
    if (m_state.AwaitDiskList && counter > 0) {
        for (int i = 0; i < 5; ++i) {
            const bool used = !m_target.copyMenuCaption(i).isEmpty();
            // The local source disk (the first, which the list selects) is no copy target.
            m_target.setCopyMenuEntryState(i, used, used && !(i == 0 && m_target.targetIsLocal()));
        }
    }
    m_state.AwaitDiskList = false;
    if (m_state.AwaitOpticalList) {
        m_state.AwaitOpticalList = false;
        if (m_target.sourceIsOptical() && m_target.opticalCount() == 0) {
            m_target.chooseImageSource();
            m_dialogs.message(
                QStringLiteral("There were no game disks found in any of your optical drives."),
                Dialogs::Icon::Exclamation);
            return true;
        }
    }
    return false;
}

void Interpreter::settingsDiskList(const QString& text)
{
    for (const QString& line : parse::SplitLines(text)) {
        const auto disk = parse::ParseDiskLine(line);
        if (!disk)
            continue;
        QString label = parse::DiskLabel(disk->device, disk->sizeMb);
        if (disk->ps2Formatted)
            label += QStringLiteral(" - Playstation2 Formatted");
        else if (line.contains(QStringLiteral("cannot be read")))
            label += QStringLiteral(" - Unknown Format (cannot be read)");
        else
            label += QStringLiteral(" - Unknown Format");
        if (m_formatSink)
            m_formatSink(label);
        else
            m_target.addFormatDisk(label);
    }
    m_state.AwaitFormatList = false;
}

bool Interpreter::discInformation(const QString& text)
{
    if (m_target.opticalSelected() &&
        containsAny(text, {"The device is not ready.", "No medium found"})) {
        m_target.deselectOptical();
        m_state.AwaitDiscInfo = false;
        m_dialogs.message(
            QStringLiteral(
                "There is either no disc in the drive or a PS2 game was not found on the disc."),
            Dialogs::Icon::Exclamation);
        return true;
    }
    if (m_target.sourceIsOptical() &&
        containsAny(text, {"not a Playstation CD-ROM/DVD-ROM.", "bad ISOFS."})) {
        m_state.AwaitDiscInfo = false;
        m_dialogs.message(QStringLiteral("The disc in the selected drive is not a PS2 game disc."),
                          Dialogs::Icon::Exclamation, QStringLiteral("Not a PS2 Game"));
        return true;
    }
    const auto info = parse::FindDiscInfo(text);
    if (!info)
        return false;
    m_target.setDiscInfo(info->startup, info->name, info->sizeText);
    m_target.enableCompat();
    if (m_target.sourceIsOptical())
        m_target.enableMakeIso();
    if (m_target.sourceIsImage() && m_target.gameName().isEmpty()) {
        // The image's file name without its extension names the game.
        QString file = m_target.imagePath();
        file = file.mid(std::max(file.lastIndexOf(u'/'), file.lastIndexOf(u'\\')) + 1);
        const qsizetype dot = file.lastIndexOf(u'.');
        m_target.setGameName(dot > 0 ? file.left(dot) : file);
    }
    m_state.AwaitDiscInfo = false;
    // Decided on the size as shown, two decimals.
    if (NumericValue(info->sizeText) >= 4.38) {
        m_dialogs.message(
            QStringLiteral(
                "The disk you selected is a dual-layer DVD which sometimes causes errors "
                "with HDL_Dump while both dumping ISOs and installing games."),
            Dialogs::Icon::Exclamation);
    }
    return false;
}

void Interpreter::gameTable(const QString& text)
{
    if (containsAny(text, {"A connection attempt failed", "Network communication timeout."})) {
        m_state.AwaitGameTable = false;
        m_dialogs.message(
            QStringLiteral(
                "The PS2 console could not be found at the IP address entered. Make sure "
                "that the console has hdld_svr.elf running and the IP address is "
                "configured properly in IPCONFIG.DAT."),
            Dialogs::Icon::Critical);
        return;
    }
    if (containsAny(text, {"not a PlayStation 2 HDD.", "APA partition is broken; aborting."})) {
        m_state.AwaitGameTable = false;
        m_dialogs.message(QStringLiteral("This drive is not a PlayStation 2 HDD."),
                          Dialogs::Icon::Exclamation);
        return;
    }
    m_target.clearGames();
    QList<parse::GameRow> rows;
    for (const QString& line : parse::SplitLines(text)) {
        if (const auto game = parse::ParseGameLine(line)) {
            // A networked PS2 can copy to any local disk; a local disk needs a second one.
            const bool copyToHdd = m_target.targetIsLocal() ? m_target.mainDiskCount() >= 2
                                                            : m_target.mainDiskCount() >= 1;
            m_target.enableGameButtons(copyToHdd);
            rows << *game;
        }
        if (const auto space = parse::ParseSpaceLine(line)) {
            m_target.enableInstallButtons();
            m_target.setDiskSpace(space->totalMb, space->usedMb, space->text);
        }
    }
    m_target.addGames(rows);
    m_target.setBrowseCaption(
        QStringLiteral("Browse, Backup, and Delete - %1 Games").arg(m_target.gameCount()));
    m_state.AwaitGameTable = false;
}
