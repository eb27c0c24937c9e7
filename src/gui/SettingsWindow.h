#pragma once

#include "core/settings/Settings.h"
#include "core/settings/ToolConfig.h"

#include <QWidget>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class Dialogs;
class Session;
class SettingsFile;
class TrayIcon;

// "Settings & Tools": the tool's own settings (hdl_dump.conf, stored when the
// window is saved), the program's settings (config.cfg, stored at each
// change), and formatting a disk.
class SettingsWindow : public QWidget
{
    Q_OBJECT
public:
    struct Context
    {
        Session& session;
        Dialogs& dialogs;
        TrayIcon& tray;
        // The other windows that share colours and the stay-on-top choice, the main one first.
        QList<QWidget*> windows;
        std::function<QString()> currentIp;
        std::function<void(const QString&)> setIp;
    };
    explicit SettingsWindow(Context context);

    // Reads both settings files and applies the window-wide settings.
    void load();
    // Opened from the main window: the first tab, centred on the main window.
    void present();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QTabWidget* tabs;
    QWidget* toolTab;
    QWidget* windowTab;
    QWidget* toolsTab;
    // HDL_Dump page
    QLineEdit* discDatabaseEdit;
    QPushButton* discDatabaseButton;
    QCheckBox* autoThrottleCheck;
    QCheckBox* aspiCheck;
    QCheckBox* limit28BitCheck;
    QCheckBox* compressionCheck;
    QLineEdit* targetKbpsEdit;
    QCheckBox* toxicOsCheck;
    // GUI page
    QLineEdit* imageFolderEdit;
    QPushButton* imageFolderButton;
    QLineEdit* toolConfigEdit;
    QPushButton* toolConfigButton;
    QCheckBox* closePs2Check;
    QCheckBox* shutdownPs2Check;
    QCheckBox* shutdownPcCheck;
    QCheckBox* standbyCheck;
    QCheckBox* stayOnTopCheck;
    QCheckBox* balloonTipsCheck;
    QCheckBox* customColorsCheck;
    QPushButton* foreColorButton;
    QPushButton* backColorButton;
    // Tools page
    QComboBox* diskCombo;
    QPushButton* refreshButton;
    QPushButton* formatButton;
    // Outside the pages
    QPushButton* defaultsButton;
    QPushButton* exitButton;

    void loadWindowSettings();
    void loadToolConfig();
    // Writes hdl_dump.conf; false (and a message) when it could not be written.
    bool saveToolConfig();
    void chooseImageFolder();
    void chooseToolConfig();
    void chooseDiscDatabase();
    void refreshDiskList();
    void formatChosenDisk();
    void restoreDefaults();
    void saveAndClose();
    void chooseForeColor();
    void chooseBackColor();

    // The three windows that share colours and the stay-on-top choice.
    QList<QWidget*> windows();
    const SettingsFile& settings() const;
    void fillDisks();
    void updateControls();
    // The tool's settings as the page shows them, and back.
    ToolConfig pageConfig() const;
    void showConfig(const ToolConfig& config);
    bool toolConfigChanged() const;
    // The database and the speed a save writes when their boxes are empty.
    void fillPageDefaults();
    void bindFlag(QCheckBox* box, Setting setting);
    void applyStayOnTop();
    void applyCustomColors();
    void setToolControlsEnabled(bool enabled);
    bool toolMissing();

    Context m_context;
    // The tool's settings file as read, when it was read whole, and what the page showed then.
    std::optional<QByteArray> m_configContent;
    ToolConfig m_loadedConfig;
};
