#pragma once

#include "ControlState.h"
#include "core/jobs/Job.h"
#include "core/session/Devices.h"

#include <QGroupBox>

class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;

// "Install": the source (a disc in a drive or an image file), the game's information, and the
// install actions. It says what the user asks for and shows what it is given.
class InstallPane : public QGroupBox
{
    Q_OBJECT
public:
    explicit InstallPane(QWidget* parent = nullptr);
    // Enables its controls from the state of the whole window.
    void applyControls(const ControlState& state);
    // Reading many images: how far, with a Cancel beside; hidden again when done.
    void showBatchProgress(int done, int total);
    void hideBatchProgress();

    // The source: a drive (its device, nothing while none is chosen) or an image file.
    bool driveSourceChosen() const;
    bool imageSourceChosen() const;
    // The image file chosen as source; from code this tells it as a click would.
    void chooseImageSource();
    // The drives holding a disc, none of them chosen.
    void setDrives(const QList<DiskEntry>& drives);
    int driveCount() const;
    QString chosenDrive() const;
    void clearDrive();
    // The drive of that row chosen, without reading it (the caller does).
    void chooseDrive(int row);
    QString imagePath() const;
    void setImagePath(const QString& path);
    // The game as it will be installed.
    QString gameName() const;
    void setGameName(const QString& name, const QString& whereFrom = {});
    void setNameOrigin(const QString& whereFrom);
    QString startup() const;
    void setStartup(const QString& startup);
    void setSize(const QString& size);
    DiscType discType() const;
    void setDiscType(DiscType type);
    // Said when the tool did not say whether the disc is a CD or a DVD.
    void showTypeGuessed(bool guessed);
    // The game's fields empty again (a DVD, no note).
    void clearGame();
    // Compatibility Flags offers this menu.
    void setFlagsMenu(QMenu* menu);
    bool canAdd() const;
    bool canAddImages() const;

signals:
    void driveSourceAsked();
    void imageSourceAsked();
    void driveChosen(const QString& device);
    void browseAsked();
    void imagePathEdited();
    // A typed or pasted path is complete (the box was left, or Enter).
    void imagePathTaken();
    void nameEdited(const QString& name);
    void addAsked();
    void installAsked();
    void makeIsoAsked();
    void addImagesAsked();
    void addFolderAsked();
    void batchCancelAsked();

private:
    // What the buttons do, said while they can be used.
    struct Tips
    {
        QString addImages, addFolder, addGame, installNow, makeIso;
    };
    Tips m_tips;
    bool m_pathHadFocus = false; // the path box was greyed while it had the keyboard
    QRadioButton* m_discSource;
    QComboBox* m_opticalCombo;
    QRadioButton* m_imageSource;
    QLineEdit* m_imagePathEdit;
    QPushButton* m_browseImageButton;
    QLineEdit* m_gameNameEdit;
    QLineEdit* m_startupEdit;
    QLineEdit* m_gameSizeEdit;
    QComboBox* m_typeCombo;
    QLabel* m_typeNoteLabel;
    QPushButton* m_compatFlagsButton;
    QPushButton* m_makeImageButton;
    QPushButton* m_addToQueueButton;
    QPushButton* m_installButton;
    QPushButton* m_addImagesButton;
    QPushButton* m_addFolderButton;
    QProgressBar* m_batchProgress;
    QPushButton* m_batchCancelButton;
    QMenu* m_flagsMenu = nullptr;
};
