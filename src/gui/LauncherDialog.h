#pragma once

#include "core/devices/Target.h"
#include "core/output/LauncherFormats.h"
#include "core/output/Parsers.h"

#include <QDialog>
#include <QList>

#include <functional>
#include <optional>

class Dialogs;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class Session;

// What the PS2's launcher keeps for one game: its pictures (shown, replaced from a file chosen,
// dropped or pasted, removed) and its own settings (compatibility modes, memory cards). Every
// read and write is an activity of the session; the dialog waits for none of them.
class LauncherDialog : public QDialog
{
    Q_OBJECT
public:
    LauncherDialog(Session& session, Dialogs& dialogs, const Target& target,
                   const parse::GameRow& game, QWidget* parent = nullptr);

    // Reads what the disk holds for the game (its settings, then the picture shown).
    void load();
    // A picture file given to the game as the kind shown (asked first where the launcher's
    // partition must be made).
    void givePicture(const QString& file);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    launcher::ArtKind kind() const;
    // Work on the disk as one activity of the session; the dialog's controls wait meanwhile.
    // work gets end(), to call when it has finished.
    void onDisk(std::function<void(std::function<void()> end)> work);
    void readPicture(std::function<void()> end);
    void showPicture(const QString& file);
    void removePicture();
    void pastePicture();
    void saveSettings();
    void showSettings(const launcher::GameConfig& config);
    // Whether a write may make the launcher's partition: asked when it is missing.
    std::optional<bool> mayCreate();
    void setBusy(bool busy);
    // The memory cards on the disk listed again.
    void listCards(std::function<void()> end);
    QString chosenCard() const;
    // A card's file name for what the user gave; nothing (and said why) when it can be none.
    std::optional<QString> cardName(const QString& name);
    void saveCard();
    void loadCard();
    void deleteCard();

    Session& m_session;
    Dialogs& m_dialogs;
    Target m_target;
    parse::GameRow m_game;
    launcher::GameConfig m_config;
    bool m_partitionMissing = false;
    bool m_hasPicture = false;
    QComboBox* m_kind;
    QLabel* m_picture;
    QPushButton* m_choose;
    QPushButton* m_paste;
    QPushButton* m_remove;
    QList<QCheckBox*> m_modes;
    QLineEdit* m_card1;
    QLineEdit* m_card2;
    QPushButton* m_save;
    QListWidget* m_cards;
    QPushButton* m_cardOut;
    QPushButton* m_cardIn;
    QPushButton* m_cardDelete;
    QLabel* m_status;
};
