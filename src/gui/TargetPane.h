#pragma once

#include "ControlState.h"
#include "core/output/Parsers.h"
#include "core/session/Devices.h"

#include <QGroupBox>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QToolButton;

// "Playstation 2 Device": the local disk or the networked PS2, and the disk-space display of
// the chosen target. It says what the user asks for and shows what it is given.
class TargetPane : public QGroupBox
{
    Q_OBJECT
public:
    explicit TargetPane(QWidget* parent = nullptr);
    // Enables its controls from the state of the whole window.
    void applyControls(const ControlState& state);

    // Local disk or networked PS2; choosing one from code tells it as a click would
    // (localChosen, networkChosen), without modeClicked.
    bool isLocal() const;
    void choose(bool local);
    // The controls of the mode chosen shown, the other's hidden.
    void showMode(bool local);
    // The disks to choose from, the one chosen kept where it still is.
    void setDisks(const QList<DiskEntry>& disks);
    int diskCount() const;
    // The chosen disk's device and row; empty and -1 when none is chosen.
    QString chosenDisk() const;
    // The chosen disk as the list shows it ("hdd1:  [20.0 GB]").
    QString chosenDiskLabel() const;
    int chosenDiskRow() const;
    void chooseDisk(const QString& device);
    // Nothing chosen (the networked PS2 is).
    void clearDisk();
    // The address as typed.
    QString address() const;
    void setAddress(const QString& address);
    // The NBD server's export and port, and whether they are shown (More…).
    QString exportName() const;
    void setExportName(const QString& name);
    int port() const;
    void setNbdOptions(const QString& exportName, int port, bool shown);
    // Which server the PS2 answered with at the last refresh (empty: none).
    void showServer(const QString& text, const QString& detail = {});
    void showSpace(const std::optional<parse::SpaceSummary>& space);
    // Whether Refresh may be pressed now.
    bool canAttach() const;

signals:
    void localChosen();
    void networkChosen();
    // The user clicked a mode (kept for the next start).
    void modeClicked(bool local);
    void diskChanged();
    void addressEdited();
    void nbdOptionsEdited();
    void attachAsked();
    void powerOffAsked();

private:
    // The button keeps the width it is given, unless its caption needs more (a translation).
    void setAttachCaption(const QString& caption, int twips);

    QRadioButton* m_localTarget;
    QRadioButton* m_networkTarget;
    QComboBox* m_diskCombo;
    QLabel* m_addressLabel;
    QLineEdit* m_addressEdit;
    QToolButton* m_moreButton;
    QWidget* m_nbdOptions;
    QLineEdit* m_exportEdit;
    QSpinBox* m_portSpin;
    QLabel* m_serverLabel;
    QPushButton* m_attachButton;
    QPushButton* m_shutdownPs2Button;
    QProgressBar* m_diskSpaceBar;
    QLabel* m_diskSpaceLabel;
};
