#include "Interpreter.h"

#include "InterpreterTarget.h"
#include "Parsers.h"
#include "shell/Dialogs.h"
#include "shell/RunState.h"
#include "shell/Settings.h"

#include <QFileInfo>

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
    if (connectionFailure(chunk))
        return;
    // The list sections read the whole output once the run has ended.
    if (listFlagSet() && m_buffer.size() < kMaxBuffered)
        m_buffer += chunk;
}

void Interpreter::FinishOutput()
{
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
    InterpreterTarget& target = m_settingsTarget ? *m_settingsTarget : m_target;
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
        target.addFormatDisk(label);
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
