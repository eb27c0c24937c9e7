#pragma once

#include "core/session/Session.h"

#include <QCoreApplication>
#include <QString>

// What the window's controls depend on: the session's state and the user's choices.
struct ControlInputs
{
    Activity activity = Activity::None;
    bool attached = false; // a target was read and its space is known
    int gameCount = 0;     // games of the attached target
    int gamesSelected = 0; // of those, chosen in the list
    std::optional<bool> canModify;
    std::optional<bool> canDelete; // unknown until the tool's usage was read
    // The attached target's games were read from its sectors: the tool cannot change them.
    bool readOnly = false;
    QString readOnlyWhy;
    // Why the launcher's files of the target cannot be reached; empty when they can.
    QString launcherWhy;
    QStringList disks; // PS2 disks of this machine
    int jobCount = 0;
    bool localChosen = false;
    bool opticalChosen = false;
    bool imageChosen = false;
    bool sourceChosen = false; // an image file or a drive picked
    bool discInfoRead = false;

    static ControlInputs From(Session& session);
};

// Which controls can be used now, and why not where that is not plain. Computed from the
// inputs alone, so the rules are read (and tested) in one place.
struct ControlState
{
    Q_DECLARE_TR_FUNCTIONS(ControlState)

public:
    bool targetControls = false; // the target pane, the settings, exit
    bool queueInputs = false;    // the name, type and image of a game to queue
    bool opticalDrives = false;
    bool imageBrowse = false;
    bool compatFlags = false;
    bool makeIso = false;
    bool addGame = false;
    bool addImages = false;
    bool installNow = false;
    // Why a game or images cannot be added or installed now, and what makes them usable.
    QString installTip;
    QString imagesTip;
    QString makeIsoTip;
    bool copyToPC = false;
    bool copyToPS2 = false;
    // Why the buttons for the listed games are grey (copies; delete and changes say their own
    // reason first).
    QString gamesTip;
    bool copyToDisk = false;
    QString copyToDiskTip;
    bool deleteGames = false;
    QString deleteTip;
    bool modifyGame = false; // rename, flags
    QString modifyTip;
    bool launcherFiles = false; // a game's pictures and settings
    QString launcherTip;
    bool jobButtons = false; // start, remove, clear
    QString jobsTip;
    bool cancel = false;

    static ControlState Of(const ControlInputs& in);
};
