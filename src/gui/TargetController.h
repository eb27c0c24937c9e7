#pragma once

#include "core/devices/Target.h"
#include "core/platform/DiskPermission.h"
#include "core/session/Devices.h"
#include "core/session/Problem.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

class Dialogs;
class Session;
class TargetPane;

// The target pane's logic: a local disk or a networked PS2 chosen, the disks listed, the
// target read, the PS2 switched off, the space shown, and the address kept in the settings.
class TargetController : public QObject
{
    Q_OBJECT
public:
    struct Hooks
    {
        std::function<void(const Problem&)> showProblem;
        std::function<void()> updateControls;
        // A local disk is chosen: the games shown are about to be another disk's.
        std::function<void()> choosingLocal;
    };

    // How long typing rests before the address is written to the settings.
    static constexpr int kAddressSaveDelayMs = 500;

    TargetController(TargetPane* pane, Session& session, Dialogs& dialogs, Hooks hooks,
                     QObject* parent = nullptr);
    ~TargetController() override;

    // The disk or PS2 chosen (a PS2's export where a refresh found it); none when the address
    // typed is none.
    Target chosenTarget() const;
    bool localChosen() const;
    // The index of the chosen disk in the session's list of disks, or -1.
    int chosenDiskRow() const;
    void setAddress(const QString& address);
    QString address() const;
    // A typed address not yet written is written now.
    void saveAddress();
    // The device chosen at the last start (local or network), chosen again.
    void restoreChoice();
    void attachChosenTarget();
    // The device read last time is read again now, in the background (a PS2 is looked for
    // first); one never read is left for Refresh. False when nothing is read; else done()
    // once the read has ended.
    bool readRemembered(std::function<void()> done);
    // What would be read: "local:DEVICE" or "network:ADDRESS".
    QString choiceKey() const;

private:
    void chooseLocal();
    void chooseNetwork();
    void fillDisks();
    void powerOffChosenPS2();
    // The export and port of the NBD server, from the settings and back to them.
    void restoreNbdOptions();
    void nbdOptionsChanged();
    void showServer();

    TargetPane* m_pane;
    Session& m_session;
    Dialogs& m_dialogs;
    Hooks m_hooks;
    QTimer m_addressSave;
    bool m_waitingForLocalDisks = false;
    QString m_readWhenListed; // a disk to read once the disks are listed (at start)
    std::function<void()> m_startReadDone;
    // The disk whose access is being asked for, attached once granted.
    QString m_accessAskedFor;
    QPointer<QObject> m_accessQuestion;
    // The chosen disk needs permission: asks whether to ask the system for it.
    void askForAccess(const DiskEntry& disk);
    void accessAnswered(const QString& device, const platform::PermissionAnswer& answer);
};
