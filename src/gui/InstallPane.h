#pragma once

#include <QGroupBox>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

// "Install": the source (a disc in a drive or an image file), the game's
// information, and the install actions.
class InstallPane : public QGroupBox
{
    Q_OBJECT
public:
    explicit InstallPane(QWidget* parent = nullptr);

    QLabel* lblSource;
    QRadioButton* optOptical;
    QComboBox* cmbOptical;
    QRadioButton* optISO;
    QLineEdit* txtISO;
    QPushButton* cmdISO;
    QLabel* lblGameInfo;
    QLineEdit* txtGameName;
    QLineEdit* txtGameStartup;
    QLineEdit* txtGameSize;
    QComboBox* cmbType;
    // Shown when the tool did not say whether the disc is a CD or a DVD.
    QLabel* lblTypeNote;
    QPushButton* cmdCompat;
    QPushButton* cmdMakeISO;
    QPushButton* cmdAddGame;
    QPushButton* cmdInstall;
    // Many images at once: chosen files, a folder, or dropped on the window.
    QLabel* lblBatch;
    QPushButton* cmdAddImages;
    QPushButton* cmdAddFolder;
    QProgressBar* prgBatch;
    QPushButton* cmdBatchCancel;
};
