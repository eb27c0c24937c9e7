#pragma once

#include <QObject>
#include <QString>

#include "shell/RunState.h"

class QComboBox;
class frmMain;

// The target (local disk or networked PS2) and the source (disc or image)
// of the main window: the commands each choice issues, the resets, the
// checks and messages; also the compatibility flags menu and the PS2 power-off.
class Selection : public QObject
{
    Q_OBJECT
public:
    explicit Selection(frmMain& main);

    void optLocal_Click();
    void optLAN_Click();
    void cmbHD_Click();
    void cmdAttach_Click();
    void optOptical_Click();
    void optISO_Click();
    void cmbOptical_Click();
    void cmdISO_Click();
    void txtISO_Change();
    void cmdCompat_Click();
    void mnuDone_Click();
    void cmdShutdownPS2_Click();
    void uncheckFlags();

    // The install pane's checks, each with its warning: an image or a drive
    // is chosen and the game has a name. False at the first that fails.
    bool checkInstallFields();
    // The chosen image or drive, and the chosen disk or address.
    QString installSource() const;
    QString installTarget() const;
    // Ready for the next game: no flags, empty fields, "DVD-ROM", no drive chosen.
    void resetInstallPane();

    // The device a list entry names: its first word ("hdd1:", "/dev/sdb").
    static QString DeviceOf(const QString& entry);
    static const QString kImageFilter;

private:
    bool toolMissing();
    // Clears combo, sets the flag, runs "query" and selects the remembered entry again.
    void refill(QComboBox* combo, bool RunState::*flag);
    void disableTargetButtons();

    frmMain& m_main;
};
