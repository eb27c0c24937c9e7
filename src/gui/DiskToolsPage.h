#pragma once

#include <QWidget>

#include <functional>

class QComboBox;
class QPushButton;
class Dialogs;
class Session;
class SettingsFile;
class TrayIcon;

// The Tools page of "Settings & Tools": every disk of this PC, and one of them formatted as a
// PS2 disk after asking twice (access asked of the system first where this user lacks it).
class DiskToolsPage : public QWidget
{
    Q_OBJECT
public:
    struct Context
    {
        Session& session;
        Dialogs& dialogs;
        TrayIcon& tray;
        std::function<const SettingsFile&()> settings;
        // True (the user told) when the tool is missing.
        std::function<bool()> toolMissing;
    };
    explicit DiskToolsPage(Context context, QWidget* parent = nullptr);

    // The disks are listed when the page first shows and nothing else runs.
    void listIfEmpty();
    void updateControls();

private:
    void fillDisks();
    void refreshDiskList();
    void formatChosenDisk();
    // A PS2 disk: how many games it holds is said, and its name must be typed (gameCount < 0:
    // they could not be counted).
    void confirmPs2Format(const QString& device, const QString& drive, qsizetype gameCount);
    void format(const QString& device);

    Context m_context;
    QComboBox* diskCombo;
    QPushButton* refreshButton;
    QPushButton* formatButton;
    QString m_formatAfterAccess; // the disk to format once access to it is granted
};
