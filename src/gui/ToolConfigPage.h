#pragma once

#include "core/settings/ToolConfig.h"

#include <QWidget>

#include <functional>
#include <optional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class Dialogs;

// The HDL_Dump page of "Settings & Tools": the tool's own settings file (hdl_dump.conf), read
// into the page and written back only when it was read whole and something changed.
class ToolConfigPage : public QWidget
{
    Q_OBJECT
public:
    struct Context
    {
        Dialogs& dialogs;
        // The settings file of the tool the program's settings name.
        std::function<QString()> configPath;
        // The main window's address, written along with the page.
        std::function<QString()> currentIp;
        std::function<void(const QString&)> setIp;
    };
    explicit ToolConfigPage(Context context, QWidget* parent = nullptr);

    // The tool's settings from the file at path (the configured one when empty).
    void load(const QString& path = {});
    // Writes the file; false (and a message) when it could not be written.
    bool save();
    // The page differs from the file as it was read.
    bool hasUnsavedChanges() const;
    // Back to what was read.
    void showLoaded() { showConfig(m_loadedConfig); }
    // The tool's defaults, its partition naming kept as the page shows it.
    void showDefaults();

signals:
    void changed();

private:
    ToolConfig pageConfig() const;
    void showConfig(const ToolConfig& config);
    bool configChanged() const;
    // The database and the speed a save writes when their boxes are empty.
    void fillPageDefaults();
    void setControlsEnabled(bool enabled);
    void chooseDiscDatabase();

    Context m_context;
    QLineEdit* discDatabaseEdit;
    QPushButton* discDatabaseButton;
    QCheckBox* autoThrottleCheck;
    QCheckBox* aspiCheck;
    QCheckBox* limit28BitCheck;
    QCheckBox* compressionCheck;
    QLineEdit* targetKbpsEdit;
    QCheckBox* toxicOsCheck;
    // The file as read, when it was read whole, and what the page showed then.
    std::optional<QByteArray> m_configContent;
    ToolConfig m_loadedConfig;
};
