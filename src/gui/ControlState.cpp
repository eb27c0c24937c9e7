#include "ControlState.h"

#include "core/jobs/JobCommands.h"
#include "core/session/ProblemText.h"

ControlInputs ControlInputs::From(Session& session)
{
    ControlInputs in;
    in.activity = session.activity();
    in.attached = session.isAttached() && session.space().has_value();
    in.gameCount = session.isAttached() ? session.games().count() : 0;
    in.canModify = session.usage().canModify();
    if (session.usage().known())
        in.canDelete = session.usage().has(QStringLiteral("delete"));
    in.readOnly = session.targetGames().readOnly();
    if (in.readOnly)
        in.readOnlyWhy = session.targetGames().readOnlyReason();
    if (const std::optional<Problem> p = session.launcher().refusal(session.target()))
        in.launcherWhy = ProblemText(*p);
    for (const DiskEntry& d : session.disks())
        in.disks << d.device;
    in.jobCount = session.jobs().count();
    return in;
}

ControlState ControlState::Of(const ControlInputs& in)
{
    ControlState s;
    const QString busy = tr("Ventrik is busy; this can be used once the current work has ended.");
    const bool idle = in.activity == Activity::None;
    const bool runsJobs =
        in.activity == Activity::RunningQueue || in.activity == Activity::InstallingNow;
    const bool gameChosen = in.gameCount > 0 && in.gamesSelected > 0;
    // An image or a copy can join the end of a running queue.
    const bool canQueue = idle || in.activity == Activity::RunningQueue;

    s.targetControls = idle;
    s.queueInputs = canQueue;
    s.opticalDrives = idle && in.opticalChosen;
    s.imageBrowse = canQueue && in.imageChosen;
    s.compatFlags = canQueue && in.sourceChosen;
    s.makeIso = idle && in.opticalChosen && in.sourceChosen && in.discInfoRead;
    // A game is added or installed once its disc or image is chosen and the target was read.
    s.addGame = canQueue && in.attached && in.sourceChosen;
    s.addImages = idle && in.attached;
    s.installNow = idle && in.attached && in.sourceChosen;
    if (!canQueue || (!idle && !in.attached)) {
        s.installTip = s.imagesTip = s.makeIsoTip = busy;
    } else {
        if (!in.attached)
            s.installTip = s.imagesTip =
                tr("Choose the PS2 device above and press Refresh first: games are installed "
                   "on the device that was read.");
        else if (!in.sourceChosen)
            s.installTip = tr("Choose an optical drive or an image file first.");
        if (!idle)
            s.imagesTip = tr("Images can be added once the run has ended; one game can be "
                             "added to the running queue meanwhile.");
        if (!s.makeIso)
            s.makeIsoTip =
                tr("Choose an optical drive with a PS2 disc, and let its disc be read first.");
    }

    s.copyToPC = canQueue && gameChosen;
    s.copyToPS2 = canQueue && gameChosen;
    if (!canQueue)
        s.gamesTip = busy;
    else if (in.gameCount == 0)
        s.gamesTip = tr("Read a PS2 device that holds games first.");
    else if (!gameChosen)
        s.gamesTip = tr("Choose one or more games in the list first.");
    s.deleteGames = idle && gameChosen && in.canDelete.value_or(true);
    if (!in.canDelete.value_or(true))
        s.deleteTip = tr("This hdl_dump has no \"delete\" command: it cannot delete games.");
    else
        s.deleteTip = idle ? s.gamesTip : busy;
    // Renaming and flags need the tool's "modify"; until it is known whether it has one,
    // the first click finds out.
    const bool noModify = !in.canModify.value_or(true);
    s.modifyGame = idle && in.gameCount > 0 && in.gamesSelected == 1 && !noModify;
    if (noModify)
        s.modifyTip = tr("This hdl_dump has no \"modify\" command; the current builds have it.");
    else if (!idle)
        s.modifyTip = busy;
    else if (!s.modifyGame)
        s.modifyTip = gameChosen ? tr("Choose one game to rename or flag.") : s.gamesTip;
    // The launcher's files are not the tool's: a table it cannot take does not stop them.
    s.launcherFiles = idle && in.gameCount > 0 && in.gamesSelected == 1 && in.launcherWhy.isEmpty();
    if (!in.launcherWhy.isEmpty())
        s.launcherTip = in.launcherWhy;
    else if (!idle)
        s.launcherTip = busy;
    else if (!s.launcherFiles)
        s.launcherTip = gameChosen ? tr("Choose one game.") : s.gamesTip;
    // A networked PS2 can copy to any local disk; a local disk needs a second one.
    const auto disks = in.disks.size();
    const bool diskToDisk = disks > 0 && CanCopyBetweenDisks(in.disks.first());
    s.copyToDisk =
        canQueue && gameChosen && diskToDisk && (in.localChosen ? disks >= 2 : disks >= 1);
    if (disks > 0 && !diskToDisk)
        s.copyToDiskTip = tr("hdl_dump cannot copy a game from one disk to another here. Copy it "
                             "to the PC, then install the image.");

    // Games listed from the disk's own sectors, which the tool cannot take: nothing is written.
    if (in.readOnly) {
        s.addGame = s.addImages = s.installNow = s.deleteGames = s.modifyGame = false;
        s.deleteTip = s.modifyTip = in.readOnlyWhy;
    }

    s.jobButtons = idle && in.jobCount > 0;
    if (!idle)
        s.jobsTip = busy;
    else if (in.jobCount == 0)
        s.jobsTip = tr("The queue is empty: add games with Add to Job Queue, or copies from the "
                       "game list.");
    s.cancel = !idle && !runsJobs;
    return s;
}
