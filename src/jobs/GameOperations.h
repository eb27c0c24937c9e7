#pragma once

#include <QObject>
#include <QString>

class frmMain;

// The browse pane's operations on the selected game: copies to the PC, to
// another PS2 or to another disk (queued), and delete (at once).
class GameOperations : public QObject
{
    Q_OBJECT
public:
    explicit GameOperations(frmMain& main);

    void cmdBackupPC_Click();
    void cmdBackupPS2_Click();
    void cmdBackupHDD_Click();
    void mnuHDD_Click(int index);
    void cmdDelete_Click();

    // Waits while window events go on.
    static void PauseWithEvents(int milliseconds);

private:
    bool gameSelected() const;
    QString gameName() const;
    // The chosen disk's device in local mode, the address otherwise.
    QString source() const;

    frmMain& m_main;
};
