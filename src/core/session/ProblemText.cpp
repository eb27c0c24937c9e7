#include "ProblemText.h"

#include "core/jobs/Job.h"
#include "core/platform/Platform.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
// The context translators see for these texts.
struct ProblemWords
{
    Q_DECLARE_TR_FUNCTIONS(ProblemWords)
};
QString withReason(const QString& text, const QString& reason)
{
    return reason.isEmpty() ? text : text + QStringLiteral("\n\n") + reason;
}
} // namespace

QString PermissionAdvice()
{
    return ProblemWords::tr(
        "Your user may not read this disk. Choose it in the list of disks, where it says "
        "\"needs permission\", to let Ventrik ask for access to it, or run \"ventrik-cli grant "
        "DISK\" in a terminal.");
}

std::optional<Problem> NbdExportProblem(const NbdAddress& address,
                                        const platform::NbdExportInfo& info)
{
    using State = platform::NbdExportInfo::State;
    const QString where = address.uri();
    if (info.state == State::NoProgram)
        return Problem{ProblemKind::NbdProgramMissing, where, QStringLiteral("nbdinfo")};
    if (info.state == State::Unreachable && info.noSuchExport)
        return Problem{ProblemKind::NbdNoSuchExport, where, info.error};
    if (info.state == State::Unreachable && info.timedOut)
        return Problem{ProblemKind::NbdUnreachable, where,
                       ProblemWords::tr("it accepted the connection and never answered")};
    if (info.state == State::Unreachable)
        return Problem{ProblemKind::NbdUnreachable, where, info.error};
    if (info.sizeBytes < kSmallestPs2DiskBytes || info.sizeBytes % 512 != 0)
        return Problem{ProblemKind::NbdNotADisk, where,
                       QString::number(info.sizeBytes / (1024 * 1024))};
    if (info.readOnly)
        return Problem{ProblemKind::NbdReadOnly, where, {}};
    return std::nullopt;
}

std::optional<Problem> DiskAccessProblem(const QString& device,
                                         const platform::PermissionAnswer& answer)
{
    using platform::PermissionResult;
    switch (answer.result) {
    case PermissionResult::Done:
    case PermissionResult::Dismissed:
        break;
    case PermissionResult::NotAuthorised:
        return Problem{ProblemKind::DiskAccessNotAuthorised, device, {}};
    case PermissionResult::NoAgent:
        return Problem{ProblemKind::DiskAccessNoAgent, device, platform::diskSerial(device)};
    case PermissionResult::NoPkexec:
    case PermissionResult::NoHelper:
        return Problem{ProblemKind::DiskAccessUnavailable, device, answer.message};
    case PermissionResult::Refused:
    case PermissionResult::Failed:
        return Problem{ProblemKind::DiskAccessRefused, device, answer.message};
    }
    return std::nullopt;
}

QString ProblemText(const Problem& p)
{
    switch (p.kind) {
    case ProblemKind::ToolMissing:
        // Where it was looked for, and where to choose it.
        if (!p.reason.isEmpty())
            return ProblemWords::tr("%1 was not found. Looked for: %2. Choose it under \"hdl_dump "
                                    "program\" in Settings & Tools (GUI tab), or place it beside "
                                    "this program, and try again.")
                .arg(QFileInfo(p.subject).fileName(), p.reason);
        return ProblemWords::tr(
                   "%1 was not found. Place it in the same directory as this program and try "
                   "again.")
            .arg(QFileInfo(p.subject).fileName());
    case ProblemKind::ToolCannotRun:
        return ProblemWords::tr("%1 at %2 cannot be run: %3")
            .arg(QFileInfo(p.subject).fileName(), p.subject, p.reason);
    case ProblemKind::Busy:
        return ProblemWords::tr(
            "Another command is still running. Wait for it to end or cancel it.");
    case ProblemKind::NoDiskSelected:
        return ProblemWords::tr("No hard-drive selected.");
    case ProblemKind::NoAddress:
        return ProblemWords::tr("Please enter the IP address of your PlayStation2.");
    case ProblemKind::InvalidAddress:
        return ProblemWords::tr("\"%1\" is not a valid IPv4 address.").arg(p.subject);
    case ProblemKind::PS2NotFound:
        return ProblemWords::tr(
                   "A PS2 console could not be found at IP address: %1\n\nVerify the "
                   "following:\n\n1. The PS2 console is running its game launcher's NBD "
                   "server (or the older hdld_svr.elf) and has fully started.\n2. The IP "
                   "address you entered is the one the PS2 uses: the launcher's network "
                   "settings, or mc0:SYS-CONF/IPCONFIG.DAT for hdld_svr.elf.")
            .arg(p.subject);
    case ProblemKind::PS2NotAnswering:
        return ProblemWords::tr(
            "The PS2 console could not be found at the IP address entered. Make sure "
            "that the console runs its game launcher's NBD server (or the older "
            "hdld_svr.elf) and that the address is the one it uses.");
    case ProblemKind::ProbeImpossible:
        return ProblemWords::tr("Whether the PS2 answers could not be checked: %1").arg(p.reason);
    case ProblemKind::ReloadServer:
        return ProblemWords::tr("An error has occurred and you must reload hdld_svr.elf on PS2.");
    case ProblemKind::NoPs2Disks:
        return ProblemWords::tr("No PS2 formatted HDD's were found on your system.");
    case ProblemKind::NoDiscsInDrives:
        return ProblemWords::tr("There were no game disks found in any of your optical drives.");
    case ProblemKind::NoDiscInDrive:
        return ProblemWords::tr(
            "There is either no disc in the drive or a PS2 game was not found on the "
            "disc.");
    case ProblemKind::NotPs2Disc:
        return ProblemWords::tr("The disc in the selected drive is not a PS2 game disc.");
    case ProblemKind::NotPs2Image:
        return withReason(ProblemWords::tr("The image %1 is not a PS2 game.").arg(p.subject),
                          p.reason);
    case ProblemKind::DualLayer:
        return ProblemWords::tr(
            "The disk you selected is a dual-layer DVD which sometimes causes errors "
            "with HDL_Dump while both dumping ISOs and installing games.");
    case ProblemKind::NotPs2Disk:
        if (!p.detail.isEmpty())
            return ProblemWords::tr("This drive is not a PlayStation 2 HDD: %1 holds %2.")
                .arg(p.subject, p.detail);
        return ProblemWords::tr("This drive is not a PlayStation 2 HDD.");
    case ProblemKind::ListingFailed: {
        QString text = withReason(
            ProblemWords::tr("The games on %1 could not be read.").arg(p.subject), p.reason);
        if (p.reason.contains(QStringLiteral("Permission denied")))
            text += QStringLiteral("\n\n") + PermissionAdvice();
        return text;
    }
    case ProblemKind::ModifyFailed:
        return withReason(ProblemWords::tr("%1 could not be changed.").arg(p.subject), p.reason);
    case ProblemKind::NoModify:
        return ProblemWords::tr(
            "This hdl_dump cannot rename games or change their flags: it has no \"modify\" "
            "command. The current builds of hdl_dump have it.");
    case ProblemKind::DeleteFailed:
        return withReason(ProblemWords::tr("The game %1 could not be deleted.").arg(p.subject),
                          p.reason);
    case ProblemKind::FormatFailed:
        return withReason(ProblemWords::tr("The drive %1 could not be formatted.").arg(p.subject),
                          p.reason);
    case ProblemKind::InstallFailed:
        return withReason(
            ProblemWords::tr("The installation of %1 did not complete.").arg(p.subject), p.reason);
    case ProblemKind::NameTooLong:
        return ProblemWords::tr(
                   "The name is %1 bytes long. hdl_dump keeps at most %2 bytes of a game's name; "
                   "please shorten it.")
            .arg(p.subject.toUtf8().size())
            .arg(kMaxGameNameBytes);
    case ProblemKind::NameTrimmed:
        return ProblemWords::tr("The blanks at the start and end of the name were removed: \"%1\"")
            .arg(p.subject);
    case ProblemKind::ConnectionLost:
        return withReason(
            ProblemWords::tr("The connection to the PS2 was lost during the job %1. The jobs "
                             "after it were not started; they stay Pending.")
                .arg(p.subject),
            p.reason);
    case ProblemKind::SaveFailed:
        return withReason(ProblemWords::tr("%1 could not be saved.").arg(p.subject), p.reason);
    case ProblemKind::QueueKeptAside:
        return withReason(
            ProblemWords::tr("The saved job queue could not be read, so it was kept as %1 and "
                             "the queue starts empty.")
                .arg(p.subject),
            p.reason);
    case ProblemKind::QueueInUse:
        return ProblemWords::tr(
                   "Another Ventrik (process %1) has the job queue open (%2). Jobs added here join "
                   "its queue; start, stop or clear the queue there.")
            .arg(p.subject, p.reason);
    case ProblemKind::OutputNotUnderstood:
        return ProblemWords::tr(
                   "The games on %1 could not be read: the tool's output was not understood. "
                   "What it printed is in the run log.")
            .arg(p.subject);
    case ProblemKind::DamagedTable:
        return TableProblemText(p) +
               (p.reason.isEmpty()
                    ? ProblemWords::tr("\n\nVentrik keeps no backup of this disk's table.")
                    : ProblemWords::tr(
                          "\n\nA backup of its table from before Ventrik last wrote to it is "
                          "kept: %1")
                          .arg(p.reason));
    case ProblemKind::TableRefused:
        return TableProblemText(p) +
               (p.reason.isEmpty()
                    ? QString()
                    : ProblemWords::tr(
                          "\n\nA backup of its table from before Ventrik last wrote to it is "
                          "kept: %1")
                          .arg(p.reason));
    case ProblemKind::NewerLayout:
        return ProblemWords::tr(
                   "%1 was made by a newer PS2 disk tool: 8 MB partitions, which this hdl_dump "
                   "cannot read. Its games are listed from the disk itself and cannot be "
                   "changed here. Do not format it or restore a partition table to it: its "
                   "games would be lost.")
            .arg(p.subject);
    case ProblemKind::LayoutUnchecked:
        return ProblemWords::tr(
                   "The partition layout of %1 could not be checked: Ventrik cannot read its "
                   "sectors there, so it relies on hdl_dump's own checks.")
            .arg(p.subject);
    case ProblemKind::LayoutUnreadable:
        return ProblemWords::tr("The partition layout of %1 could not be read (%2), so nothing "
                                "was written to it.")
            .arg(p.subject, p.reason);
    case ProblemKind::ViewUnavailable:
        return ProblemWords::tr(
                   "%1 holds %2 after its PS2 area, which hdl_dump would write over. Ventrik "
                   "gives hdl_dump a view of the disk that ends where the PS2 area ends, and "
                   "that view cannot be made here: %3. Nothing was written.")
            .arg(p.subject, p.detail, p.reason);
    case ProblemKind::FormatRefused:
        return ProblemWords::tr("%1 was not formatted: it holds %2. Format it with the tool that "
                                "made it, if you mean to.")
            .arg(p.subject, p.reason);
    case ProblemKind::RestoreRefused:
        return ProblemWords::tr("Nothing was restored to %1: %2.").arg(p.subject, p.reason);
    case ProblemKind::ToolTakesNoFiles:
        return ProblemWords::tr(
                   "This hdl_dump is a release build: it takes disks (devices) and PS2 "
                   "addresses, not image files such as %1. Build hdl_dump with its Makefile's "
                   "default to use disk images, or choose a disk.")
            .arg(p.subject);
    case ProblemKind::RunStalled:
        return ProblemWords::tr("The job %1 has not moved for %2 s: its disk or PS2 may have "
                                "stopped answering. Ventrik waits; the job ends if nothing moves "
                                "for %3 s.")
            .arg(p.subject, p.reason, p.detail);
    case ProblemKind::PfsShellMissing:
        return ProblemWords::tr("pfsshell was not found, so the launcher's pictures, game "
                                "settings and memory cards cannot be reached (everything else "
                                "works). Looked for: %1. Install pfsshell, or choose it under "
                                "\"pfsshell program\" in Settings & Tools.")
            .arg(p.reason);
    case ProblemKind::LauncherUnreachable:
        return ProblemWords::tr("The launcher's pictures, game settings and memory cards of the "
                                "PS2 at %1 cannot be reached through its older UDP server. "
                                "Start the launcher's NBD server on the PS2 and refresh, or "
                                "attach its disk to this PC.")
            .arg(p.subject);
    case ProblemKind::LauncherPartitionMissing:
        return ProblemWords::tr("%1 has no partition %2, where the launcher keeps its pictures, "
                                "game settings and memory cards. Nothing was written.")
            .arg(p.reason, p.subject);
    case ProblemKind::LauncherFailed:
        return withReason(
            ProblemWords::tr("The launcher's files could not be read or written (%1).")
                .arg(p.subject),
            p.reason);
    case ProblemKind::RunStopped:
        return ProblemWords::tr(
                   "The job %1 stopped answering: nothing moved for %2 s, so it was ended. The "
                   "jobs after it were not started; they stay Pending.")
            .arg(p.subject, p.reason);
    case ProblemKind::NbdNoSuchExport:
        return ProblemWords::tr("The NBD server at %1 answered, but it has no export of that "
                                "name. Check the export's name (hdd0 unless the launcher's "
                                "settings say otherwise).")
            .arg(p.subject);
    case ProblemKind::RestoreFailed:
        return withReason(
            ProblemWords::tr("The partition table of %1 could not be restored.").arg(p.subject),
            p.reason);
    case ProblemKind::NameReadAsFlags:
        return ProblemWords::tr(
                   "\"%1\" cannot be a game's name: hdl_dump would read it as compatibility "
                   "flags, a DMA mode or an option, not as a name. Choose a name that does not "
                   "begin with +, *, - or 0x.")
            .arg(p.subject);
    case ProblemKind::FileNotFound:
        return ProblemWords::tr("The file %1 does not exist.").arg(p.subject);
    case ProblemKind::DiskAccessNotAuthorised:
        return ProblemWords::tr("You are not allowed to use %1: the system refused the "
                                "permission (a wrong password, or your account may not do this).")
            .arg(p.subject);
    case ProblemKind::DiskAccessNoAgent:
        return ProblemWords::tr(
                   "No program is running that could ask for your password to let Ventrik use "
                   "%1. Give the access once from a terminal:\n  sudo setfacl -m u:$USER:rw %1\n"
                   "or let your user always use this one disk with a udev rule in "
                   "/etc/udev/rules.d/70-ventrik-ps2.rules:\n"
                   "  SUBSYSTEM==\"block\", ENV{ID_SERIAL_SHORT}==\"%2\", TAG+=\"uaccess\"\n"
                   "then run: sudo udevadm control --reload && sudo udevadm trigger")
            .arg(p.subject, p.reason.isEmpty() ? QStringLiteral("SERIAL") : p.reason);
    case ProblemKind::DiskAccessUnavailable:
        return ProblemWords::tr("Ventrik cannot ask for permission to use %1 (%2). Install the "
                                "packages pkexec and acl, and Ventrik's own package.")
            .arg(p.subject, p.reason);
    case ProblemKind::DiskUnplugged:
        return p.reason.isEmpty()
                   ? ProblemWords::tr("%1 was unplugged.").arg(p.subject)
                   : ProblemWords::tr("%1 was unplugged during the job \"%2\". The job and "
                                      "those after it wait, Pending: plug the disk in again and "
                                      "start the queue.")
                         .arg(p.subject, p.reason);
    case ProblemKind::NbdProgramMissing:
        return ProblemWords::tr("%1 was not found: install the package libnbd-bin to reach a "
                                "PS2 over NBD.")
            .arg(p.reason);
    case ProblemKind::NbdUnreachable:
        return ProblemWords::tr("No NBD server answered at %1. Check that the PS2 runs its game "
                                "launcher with the NBD server started, and the address.%2")
            .arg(p.subject, p.reason.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(p.reason));
    case ProblemKind::NbdNotADisk:
        return ProblemWords::tr("The export %1 holds %2 MB: that is no PS2 disk. Check the "
                                "export's name in the launcher's settings.")
            .arg(p.subject, p.reason);
    case ProblemKind::NbdReadOnly:
        return ProblemWords::tr("The PS2 at %1 does not let anyone write to its disk. Turn on "
                                "\"Write Operations\" in the launcher's settings, then try again.")
            .arg(p.subject);
    case ProblemKind::NbdNoRoute:
        return ProblemWords::tr("The PS2 at %1 cannot be reached from this computer: %2.")
            .arg(p.subject, p.reason);
    case ProblemKind::NbdOpenFailed:
        return ProblemWords::tr("The PS2's disk at %1 could not be opened: %2.")
            .arg(p.subject, p.reason);
    case ProblemKind::NbdLost:
        return withReason(
            ProblemWords::tr("The PS2 stopped answering during the job %1; its game is checked "
                             "when the queue resumes. The jobs after it were not started; they "
                             "stay Pending.")
                .arg(p.subject),
            p.reason);
    case ProblemKind::DiskAccessRefused:
        return ProblemWords::tr("Ventrik may not use %1: %2.").arg(p.subject, p.reason);
    case ProblemKind::GameNotFound:
        return ProblemWords::tr("No game called \"%1\" is on %2.").arg(p.subject, p.reason);
    case ProblemKind::AmbiguousTitle:
        return ProblemWords::tr(
                   "Several games are called \"%1\". Name the one you mean by its partition: %2")
            .arg(p.subject, p.reason);
    case ProblemKind::MediaUnknown:
        return ProblemWords::tr(
                   "hdl_dump does not say whether %1 is a CD or a DVD; it is installed as a %2, "
                   "from its size. Choose the type yourself if that is wrong.")
            .arg(p.subject, p.reason);
    case ProblemKind::CannotLock:
        return ProblemWords::tr(
                   "The job queue cannot be locked: %1 could not be made (%2). Nothing was "
                   "added to the queue or run from it.")
            .arg(p.subject, p.reason);
    case ProblemKind::InboxKeptAside:
        return withReason(
            ProblemWords::tr("Jobs handed over by another Ventrik could not be read; the file "
                             "was kept as %1.")
                .arg(p.subject),
            p.reason);
    case ProblemKind::TargetWaiting:
        return ProblemWords::tr("Waiting for %1 to finish with %2.")
            .arg(TargetHolderText(p.reason), p.subject);
    case ProblemKind::TargetInUse:
        return ProblemWords::tr(
                   "%1 is in use: %2 writes to it. Nothing was done; try again when it has "
                   "finished.")
            .arg(p.subject, TargetHolderText(p.reason));
    case ProblemKind::DiscDatabaseUnreadable:
        return ProblemWords::tr(
                   "The disc database could not be read (%1); the games are named from their "
                   "discs.")
            .arg(p.subject);
    case ProblemKind::NameHasControlCharacters:
        return ProblemWords::tr(
            "A game's name cannot hold a control character (a line break, a tab, an "
            "escape): hdl_dump would list the name cut, and the game could no longer be "
            "named. Please type it again.");
    case ProblemKind::DiscReadFailed:
        return withReason(ProblemWords::tr("The disc of %1 could not be read.").arg(p.subject),
                          p.reason);
    case ProblemKind::IncompleteGame:
        return ProblemWords::tr(
                   "Ventrik ended while %1 was being installed. Only part of it is on %2.")
            .arg(p.subject, p.reason);
    }
    return {};
}

QString TableProblemText(const Problem& p)
{
    if (p.kind == ProblemKind::TableRefused)
        return ProblemWords::tr(
                   "hdl_dump calls the partition table of %1 broken, although every partition "
                   "on it reads sound to Ventrik. The current builds do this after an install "
                   "took the disk's last free slice. Its games are listed from the disk itself; "
                   "hdl_dump can change nothing on it until the table is one it takes again.")
            .arg(p.subject);
    return p.detail.isEmpty()
               ? ProblemWords::tr("The partition table of %1 is damaged: hdl_dump now calls it "
                                  "broken, although it read its games before.")
                     .arg(p.subject)
               : ProblemWords::tr("The partition table of %1 is damaged: %2.")
                     .arg(p.subject, p.detail);
}

QString TargetHolderText(const QString& holder)
{
    if (holder == QLatin1String("queue"))
        return ProblemWords::tr("the queue");
    if (holder == QLatin1String("install"))
        return ProblemWords::tr("an install");
    if (holder == QLatin1String("copy"))
        return ProblemWords::tr("a copy");
    if (holder == QLatin1String("change"))
        return ProblemWords::tr("a change of its games");
    if (holder == QLatin1String("restore"))
        return ProblemWords::tr("a restore of its partition table");
    return ProblemWords::tr("another Ventrik");
}

QString ProblemTitle(const Problem& p)
{
    if (p.kind == ProblemKind::NotPs2Disc || p.kind == ProblemKind::NotPs2Image)
        return ProblemWords::tr("Not a PS2 Game");
    return {};
}

bool ProblemIsWarning(const Problem& p)
{
    return p.kind == ProblemKind::DualLayer || p.kind == ProblemKind::ProbeImpossible ||
           p.kind == ProblemKind::NameTrimmed || p.kind == ProblemKind::MediaUnknown ||
           p.kind == ProblemKind::TargetWaiting || p.kind == ProblemKind::DiscDatabaseUnreadable ||
           p.kind == ProblemKind::LayoutUnchecked || p.kind == ProblemKind::NewerLayout ||
           p.kind == ProblemKind::RunStalled;
}
