#pragma once

#include "ToolConfig.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class frmMain;

// "Settings & Tools": the tool's own settings (hdl_dump.conf, stored when the
// window is saved), the program's settings (config.cfg, stored at each
// change), and formatting a disk.
class frmSettings : public QWidget
{
    Q_OBJECT
public:
    explicit frmSettings(frmMain& main);

    QTabWidget* TabStrip;
    QWidget* fmHDL_Dump;
    QWidget* fmGUI;
    QWidget* fmTools;
    // HDL_Dump page
    QLineEdit* txtDiscDatabase;
    QPushButton* cmdDiskDatabase;
    QCheckBox* chkAutoThrottle;
    QCheckBox* chkEnableASPI;
    QCheckBox* chkLimit28bit;
    QCheckBox* chkUseCompression;
    QLineEdit* txtTargetkbps;
    QCheckBox* chkToxicOS;
    // GUI page
    QLineEdit* txtDefaultISO;
    QPushButton* cmdDefaultISO;
    QLineEdit* txtHDLDumpConfig;
    QPushButton* cmdHDLDumpConfig;
    QCheckBox* chkClosePS2;
    QCheckBox* chkShutdownPS2;
    QCheckBox* chkShutdownPC;
    QCheckBox* chkStandby;
    QCheckBox* chkStayOnTop;
    QCheckBox* chkBalloonTips;
    QCheckBox* chkColors;
    QPushButton* cmdForecolor;
    QPushButton* cmdBackcolor;
    // Tools page
    QComboBox* cmbHD;
    QPushButton* cmdRefresh;
    QPushButton* cmdFormat;
    // Outside the pages
    QPushButton* cmdDefaults;
    QPushButton* cmdExit;

    void Form_Load();
    void LoadGuiSettings();
    void LoadToolConfig();
    // Writes hdl_dump.conf; false (and a message) when it could not be written.
    bool SaveToolConfig();
    // Opened from the main window: the first tab, centred on the main window.
    void open();

    void cmdDefaultISO_Click();
    void cmdHDLDumpConfig_Click();
    void cmdDiskDatabase_Click();
    void cmdRefresh_Click();
    void cmdFormat_Click();
    void cmdDefaults_Click();
    void cmdExit_Click();
    void cmdForecolor_Click();
    void cmdBackcolor_Click();

    // The three windows that share colours and the stay-on-top choice.
    QList<QWidget*> windows();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void bindFlag(QCheckBox* box, const char* key);
    void chkStayOnTop_Click();
    void chkColors_Click();
    void setToolControlsEnabled(bool enabled);
    bool toolMissing();
    void refreshDrives();

    frmMain& m_main;
};
