#pragma once

#include "core/settings/Settings.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <optional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class Dialogs;
class DiskToolsPage;
class ToolConfigPage;
class Session;
class SettingsFile;
class TrayIcon;

// "Settings & Tools": the tool's own settings (hdl_dump.conf), the program's settings
// (config.cfg), and formatting a disk (its own page). Like any dialog: OK and Apply store what the
// pages show, Cancel and Esc forget it, the X asks when something was changed.
class SettingsWindow : public QDialog
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
    // Opened at the field where the tool is chosen.
    void presentToolChoice();
    // Something shown differs from what is stored.
    bool hasUnsavedChanges() const;
    // OK, Apply and Cancel.
    void accept() override;
    bool apply();
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QTabWidget* tabs;
    ToolConfigPage* toolTab;
    QWidget* windowTab;
    DiskToolsPage* toolsTab;
    // GUI page
    QLineEdit* imageFolderEdit;
    QPushButton* imageFolderButton;
    QLineEdit* toolConfigEdit;
    QPushButton* toolConfigButton;
    QLineEdit* toolPathEdit;
    QPushButton* toolPathButton;
    QLineEdit* pfsShellEdit;
    QPushButton* pfsShellButton;
    QLineEdit* titleIndexEdit;
    QPushButton* titleIndexButton;
    QCheckBox* closePs2Check;
    QCheckBox* shutdownPs2Check;
    QCheckBox* shutdownPcCheck;
    QCheckBox* standbyCheck;
    QCheckBox* stayOnTopCheck;
    QCheckBox* hideDuringRunsCheck;
    QCheckBox* balloonTipsCheck;
    QCheckBox* customColorsCheck;
    QPushButton* foreColorButton;
    QPushButton* backColorButton;
    // Outside the pages
    QPushButton* defaultsButton;
    QPushButton* okButton;
    QPushButton* cancelButton;
    QPushButton* applyButton;

    void loadWindowSettings();
    void chooseImageFolder();
    void chooseToolConfig();
    // A program chosen in a file dialog that opens where the current one is.
    void chooseProgram(const QString& title, const QString& current, QLineEdit* edit);
    void chooseTitleIndex();
    void restoreDefaults();
    void chooseForeColor();
    void chooseBackColor();

    // The three windows that share colours and the stay-on-top choice.
    QList<QWidget*> windows();
    SettingsFile& settings() const;
    void updateControls();
    void bindFlag(QCheckBox* box, Setting setting);
    void applyStayOnTop();
    void applyCustomColors();
    bool toolMissing();

    Context m_context;
    QList<QPair<QCheckBox*, Setting>> m_flagBoxes;
    // Colours chosen but not yet stored.
    quint32 m_fore = 0;
    QPointer<QObject> m_closeQuestion; // "Save your changes?" while it is open
    quint32 m_back = 0;
    QString m_toolConfigShown; // the tool's settings file the page was loaded from
    // Tooltips: what each option does.
    void setTooltips();
    void markChanged();
};
