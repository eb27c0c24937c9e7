#pragma once

#include "ControlState.h"

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
    // Enables its controls from the state of the whole window.
    void applyControls(const ControlState& state);
    // Reading many images: how far, with a Cancel beside; hidden again when done.
    void showBatchProgress(int done, int total);
    void hideBatchProgress();

    QLabel* sourceLabel;
    QRadioButton* discSource;
    QComboBox* opticalCombo;
    QRadioButton* imageSource;
    QLineEdit* imagePathEdit;
    QPushButton* browseImageButton;
    QLabel* gameInfoLabel;
    QLineEdit* gameNameEdit;
    QLineEdit* startupEdit;
    QLineEdit* gameSizeEdit;
    QComboBox* typeCombo;
    // Shown when the tool did not say whether the disc is a CD or a DVD.
    QLabel* typeNoteLabel;
    QPushButton* compatFlagsButton;
    QPushButton* makeImageButton;
    QPushButton* addToQueueButton;
    QPushButton* installButton;
    // Many images at once: chosen files, a folder, or dropped on the window.
    QLabel* batchLabel;
    QPushButton* addImagesButton;
    QPushButton* addFolderButton;
    QProgressBar* batchProgress;
    QPushButton* batchCancelButton;
};
