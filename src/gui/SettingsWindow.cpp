#include "SettingsWindow.h"

#include "AppIcon.h"
#include "Colors.h"
#include "Dialogs.h"
#include "TrayIcon.h"
#include "Twips.h"
#include "WindowPlacement.h"
#include "core/session/ProblemText.h"
#include "core/session/Session.h"
#include "core/settings/AtomicFile.h"
#include "core/settings/Settings.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
template <typename T> T* named(T* w, const char* name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QHBoxLayout* lineOf(std::initializer_list<QWidget*> widgets, int stretchIndex = 0)
{
    auto* l = new QHBoxLayout;
    int i = 0;
    for (QWidget* w : widgets)
        l->addWidget(w, i++ == stretchIndex ? 1 : 0);
    return l;
}
} // namespace

SettingsWindow::SettingsWindow(Context context)
    : QWidget(nullptr, Qt::Window), m_context(std::move(context))
{
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(QStringLiteral(" Settings & Tools"));
    setWindowIcon(AppIcon());

    TabStrip = named(new QTabWidget(this), "TabStrip");
    fmHDL_Dump = named(new QWidget, "fmHDL_Dump");
    fmGUI = named(new QWidget, "fmGUI");
    fmTools = named(new QWidget, "fmTools");
    TabStrip->addTab(fmHDL_Dump, QStringLiteral("HDL_Dump"));
    TabStrip->addTab(fmGUI, QStringLiteral("GUI"));
    TabStrip->addTab(fmTools, QStringLiteral("Tools"));

    // HDL_Dump page: the tool's settings.
    txtDiscDatabase = named(new QLineEdit, "txtDiscDatabase");
    cmdDiskDatabase = named(new QPushButton(QStringLiteral("...")), "cmdDiskDatabase");
    chkAutoThrottle = named(new QCheckBox(QStringLiteral("Auto-Throttle")), "chkAutoThrottle");
    chkEnableASPI = named(new QCheckBox(QStringLiteral("Enable ASPI")), "chkEnableASPI");
    chkLimit28bit =
        named(new QCheckBox(QStringLiteral("Limit to 28bit  (HDD is <= 128GB)")), "chkLimit28bit");
    chkUseCompression =
        named(new QCheckBox(QStringLiteral("Use Compression")), "chkUseCompression");
    txtTargetkbps = named(new QLineEdit, "txtTargetkbps");
    chkToxicOS = named(new QCheckBox(QStringLiteral("Use ToxicOS Partition Naming")), "chkToxicOS");
    {
        auto* l = new QVBoxLayout(fmHDL_Dump);
        l->addWidget(new QLabel(QStringLiteral("Disc Database File:")));
        l->addLayout(lineOf({txtDiscDatabase, cmdDiskDatabase}));
        auto* boxes = new QGridLayout;
        boxes->addWidget(chkAutoThrottle, 0, 0);
        boxes->addWidget(chkEnableASPI, 0, 1);
        boxes->addWidget(chkUseCompression, 1, 0);
        boxes->addWidget(chkToxicOS, 1, 1);
        boxes->addWidget(chkLimit28bit, 2, 0, 1, 2);
        l->addLayout(boxes);
        auto* kbps = new QHBoxLayout;
        kbps->addWidget(new QLabel(QStringLiteral("Target kbps:")));
        kbps->addWidget(txtTargetkbps);
        kbps->addStretch();
        l->addLayout(kbps);
        l->addStretch();
    }
    // What the page shows before a file is read.
    showConfig(ToolConfig{});

    // GUI page: the program's settings, stored at each change.
    txtDefaultISO = named(new QLineEdit, "txtDefaultISO");
    txtDefaultISO->setReadOnly(true);
    cmdDefaultISO = named(new QPushButton(QStringLiteral("...")), "cmdDefaultISO");
    txtHDLDumpConfig = named(new QLineEdit, "txtHDLDumpConfig");
    txtHDLDumpConfig->setReadOnly(true);
    cmdHDLDumpConfig = named(new QPushButton(QStringLiteral("...")), "cmdHDLDumpConfig");
    chkClosePS2 =
        named(new QCheckBox(QStringLiteral("Turn off PS2 when exiting this GUI")), "chkClosePS2");
    chkShutdownPS2 =
        named(new QCheckBox(QStringLiteral("Turn off PS2 after all jobs are complete")),
              "chkShutdownPS2");
    chkShutdownPC = named(new QCheckBox(QStringLiteral("Shutdown PC when all jobs are complete")),
                          "chkShutdownPC");
    chkStandby =
        named(new QCheckBox(QStringLiteral("Put PC in Standby when all jobs are complete")),
              "chkStandby");
    chkStayOnTop = named(new QCheckBox(QStringLiteral("Keep GUI windows on top of other windows")),
                         "chkStayOnTop");
    chkBalloonTips =
        named(new QCheckBox(QStringLiteral("Turn off system tray balloon tips")), "chkBalloonTips");
    chkColors = named(new QCheckBox(QStringLiteral("Enable")), "chkColors");
    cmdForecolor = named(new QPushButton(QStringLiteral("Fore")), "cmdForecolor");
    cmdForecolor->setEnabled(false);
    cmdBackcolor = named(new QPushButton(QStringLiteral("Back")), "cmdBackcolor");
    cmdBackcolor->setEnabled(false);
    {
        auto* l = new QVBoxLayout(fmGUI);
        auto* files = new QFormLayout;
        files->addRow(QStringLiteral("Game ISO directory:"),
                      lineOf({txtDefaultISO, cmdDefaultISO}));
        files->addRow(QStringLiteral("HDL_Dump config file:"),
                      lineOf({txtHDLDumpConfig, cmdHDLDumpConfig}));
        l->addLayout(files);
        for (QCheckBox* b :
             {chkClosePS2, chkShutdownPS2, chkShutdownPC, chkStandby, chkStayOnTop, chkBalloonTips})
            l->addWidget(b);
        auto* colors = new QHBoxLayout;
        colors->addWidget(new QLabel(QStringLiteral("Colors")));
        colors->addWidget(chkColors);
        colors->addWidget(cmdForecolor);
        colors->addWidget(cmdBackcolor);
        colors->addStretch();
        l->addLayout(colors);
        l->addStretch();
    }

    // Tools page.
    cmbHD = named(new QComboBox, "cmbHD");
    cmdRefresh = named(new QPushButton(QStringLiteral("Refresh Drives")), "cmdRefresh");
    cmdFormat = named(new QPushButton(QStringLiteral("Format this Drive")), "cmdFormat");
    cmdFormat->setEnabled(false);
    {
        auto* l = new QVBoxLayout(fmTools);
        l->addWidget(new QLabel(QStringLiteral("Format a HDD for HDLoader use:")));
        l->addWidget(cmbHD);
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(cmdRefresh);
        buttons->addWidget(cmdFormat);
        buttons->addStretch();
        l->addLayout(buttons);
        l->addStretch();
    }

    cmdDefaults = named(new QPushButton(QStringLiteral("Use Defaults")), "cmdDefaults");
    cmdExit = named(new QPushButton(QStringLiteral("Save and Exit")), "cmdExit");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TabStrip);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(cmdDefaults);
    bottom->addStretch();
    bottom->addWidget(cmdExit);
    layout->addLayout(bottom);
    // Wide enough for a full path in the file boxes.
    setMinimumSize(Twips(this, 7800), Twips(this, 3980));
    for (QPushButton* dots : {cmdDiskDatabase, cmdDefaultISO, cmdHDLDumpConfig})
        dots->setFixedWidth(dots->fontMetrics().horizontalAdvance(QStringLiteral("...")) +
                            Twips(this, 360));

    bindFlag(chkClosePS2, Setting::ClosePS2);
    bindFlag(chkShutdownPS2, Setting::TurnOffPS2);
    bindFlag(chkShutdownPC, Setting::TurnOffPC);
    bindFlag(chkStandby, Setting::StandbyPC);
    bindFlag(chkStayOnTop, Setting::StayOnTop);
    bindFlag(chkBalloonTips, Setting::BalloonTips);
    // At most one PC end action: ticking one unticks the other first.
    connect(chkShutdownPC, &QCheckBox::toggled, this, [this](bool on) {
        if (on && chkStandby->isChecked())
            chkStandby->setChecked(false);
    });
    connect(chkStandby, &QCheckBox::toggled, this, [this](bool on) {
        if (on && chkShutdownPC->isChecked())
            chkShutdownPC->setChecked(false);
    });
    connect(chkStayOnTop, &QCheckBox::toggled, this, &SettingsWindow::chkStayOnTop_Click);
    connect(chkColors, &QCheckBox::toggled, this, &SettingsWindow::chkColors_Click);
    connect(cmdForecolor, &QPushButton::clicked, this, &SettingsWindow::cmdForecolor_Click);
    connect(cmdBackcolor, &QPushButton::clicked, this, &SettingsWindow::cmdBackcolor_Click);
    connect(cmdDefaultISO, &QPushButton::clicked, this, &SettingsWindow::cmdDefaultISO_Click);
    connect(cmdHDLDumpConfig, &QPushButton::clicked, this, &SettingsWindow::cmdHDLDumpConfig_Click);
    connect(cmdDiskDatabase, &QPushButton::clicked, this, &SettingsWindow::cmdDiskDatabase_Click);
    connect(cmdRefresh, &QPushButton::clicked, this, &SettingsWindow::cmdRefresh_Click);
    connect(cmdFormat, &QPushButton::clicked, this, &SettingsWindow::cmdFormat_Click);
    connect(cmdDefaults, &QPushButton::clicked, this, &SettingsWindow::cmdDefaults_Click);
    connect(cmdExit, &QPushButton::clicked, this, &SettingsWindow::cmdExit_Click);

    Session& session = m_context.session;
    connect(&session, &Session::allDisksChanged, this, &SettingsWindow::fillDisks);
    connect(&session, &Session::busyChanged, this, &SettingsWindow::updateControls);
    connect(&session, &Session::diskFormatted, this, [this](const QString& device) {
        const int row = cmbHD->findData(device);
        const QString label = row >= 0 ? cmbHD->itemText(row) : device;
        ShowBalloon(m_context.tray, settings(), label + tr(" has been formatted for HDLoader"));
    });
}

QList<QWidget*> SettingsWindow::windows()
{
    QList<QWidget*> all = m_context.windows;
    all.prepend(this);
    return all;
}

const SettingsFile& SettingsWindow::settings() const
{
    return m_context.session.settings();
}

void SettingsWindow::bindFlag(QCheckBox* box, Setting setting)
{
    connect(box, &QCheckBox::toggled, this,
            [this, setting](bool on) { settings().setFlag(setting, on); });
}

void SettingsWindow::load()
{
    if (!FileExists(settings().path()))
        WriteDefaultSettings(settings().path());
    LoadGuiSettings();
    LoadToolConfig();
}

void SettingsWindow::LoadGuiSettings()
{
    const SettingsFile& s = settings();
    chkClosePS2->setChecked(s.flag(Setting::ClosePS2));
    chkShutdownPC->setChecked(s.flag(Setting::TurnOffPC));
    chkStandby->setChecked(s.flag(Setting::StandbyPC));
    chkShutdownPS2->setChecked(s.flag(Setting::TurnOffPS2));
    txtDefaultISO->setText(s.text(Setting::DefaultISO));
    chkStayOnTop->setChecked(s.flag(Setting::StayOnTop));
    chkBalloonTips->setChecked(s.flag(Setting::BalloonTips));

    quint32 back = s.colour(Setting::Backcolor);
    quint32 fore = s.colour(Setting::Forecolor);
    chkColors->setChecked(s.flag(Setting::UseColor));
    if (chkColors->isChecked()) {
        cmdForecolor->setEnabled(true);
        cmdBackcolor->setEnabled(true);
        // Two black colours mean none was chosen: the desktop's colours then.
        if (fore == 0 && back == 0) {
            s.write(Setting::Backcolor, QStringLiteral("-2147483633"));
            s.write(Setting::Forecolor, QStringLiteral("-2147483630"));
            back = kSystemButtonFace;
            fore = kSystemButtonText;
        }
        ApplyColors(true, fore, back, windows());
        ApplyColors(false, fore, back, windows());
    }
    if (s.text(Setting::ToolConfig).isEmpty())
        s.write(Setting::ToolConfig, DefaultToolConfigPath());
    txtHDLDumpConfig->setText(s.text(Setting::ToolConfig));
}

void SettingsWindow::setToolControlsEnabled(bool enabled)
{
    for (QWidget* w : std::initializer_list<QWidget*>{chkAutoThrottle, chkEnableASPI, chkLimit28bit,
                                                      chkUseCompression, chkToxicOS, txtTargetkbps,
                                                      txtDiscDatabase})
        w->setEnabled(enabled);
}

ToolConfig SettingsWindow::pageConfig() const
{
    ToolConfig config;
    config.discDatabase = txtDiscDatabase->text();
    config.autoThrottle = chkAutoThrottle->isChecked();
    config.enableAspi = chkEnableASPI->isChecked();
    config.lastIp = m_context.currentIp();
    config.limitTo28bit = chkLimit28bit->isChecked();
    config.toxicOS = chkToxicOS->isChecked();
    config.targetKbps = txtTargetkbps->text();
    config.useCompression = chkUseCompression->isChecked();
    return config;
}

void SettingsWindow::showConfig(const ToolConfig& config)
{
    txtDiscDatabase->setText(config.discDatabase);
    chkAutoThrottle->setChecked(config.autoThrottle);
    chkEnableASPI->setChecked(config.enableAspi);
    chkLimit28bit->setChecked(config.limitTo28bit);
    chkToxicOS->setChecked(config.toxicOS);
    txtTargetkbps->setText(config.targetKbps);
    chkUseCompression->setChecked(config.useCompression);
}

void SettingsWindow::LoadToolConfig()
{
    const QString path = settings().text(Setting::ToolConfig);
    m_configContent.reset();
    if (!FileExists(path)) {
        m_context.dialogs.message(
            QStringLiteral("Your hdl_dump settings could not be loaded because your hdl_dump "
                           "configuration file could "
                           "not be found.\r\n\r\nThe default path for this file is:\r\n") +
                path +
                QStringLiteral("\r\n\r\nIf you have never used hdl_dump on this PC then you will "
                               "no longer see this "
                               "message once you use atleast 1 command.\r\n\r\nFor people that "
                               "have Windows configured "
                               "with a language other then English, you must go to settings and "
                               "locate the file as "
                               "described below.\r\n\r\nTo fix this problem go to Settings, click "
                               "the GUI tab, and use "
                               "the HDL_Dump config file option.\r\n\r\n"),
            Dialogs::Icon::Exclamation);
        setToolControlsEnabled(false);
        return;
    }
    setToolControlsEnabled(true);
    QByteArray content;
    QString error;
    // Only a file read whole may be written back.
    if (ReadToolConfigFile(path, &content, &error))
        m_configContent = content;
    else
        m_context.dialogs.message(tr("Your hdl_dump settings could not be read from:\r\n%1"
                                     "\r\n\r\n%2\r\n\r\nThe file will not be changed.")
                                      .arg(path, error),
                                  Dialogs::Icon::Exclamation);
    ToolConfig config = pageConfig();
    const auto pairs = ParseToolConfigLines(content);
    ApplyToolConfig(pairs, config, DefaultDiscDatabasePath());
    showConfig(config);
    // What Save would write for keys the file lacks counts as what was loaded.
    fillPageDefaults();
    m_loadedConfig = pageConfig();
}

bool SettingsWindow::toolConfigChanged() const
{
    // The address is the main window's; it is written along with a change made here.
    ToolConfig page = pageConfig();
    page.lastIp = m_loadedConfig.lastIp;
    return !m_configContent || page != m_loadedConfig;
}

void SettingsWindow::fillPageDefaults()
{
    if (txtDiscDatabase->text().trimmed().isEmpty())
        txtDiscDatabase->setText(DefaultDiscDatabasePath());
    if (txtTargetkbps->text().isEmpty())
        txtTargetkbps->setText(kDefaultTargetKbps);
}

bool SettingsWindow::SaveToolConfig()
{
    fillPageDefaults();
    if (m_context.currentIp().isEmpty())
        m_context.setIp(kDefaultIP);
    const ToolConfig config = pageConfig();
    const QString path = settings().text(Setting::ToolConfig);
    const bool exists = QFileInfo::exists(path);
    QString error;
    if (exists && !QFileInfo(path).isFile())
        error = tr("It is not a regular file.");
    else if (exists && !m_configContent)
        error = tr("It could not be read whole, so it is not rewritten.");
    else if (exists && !toolConfigChanged())
        return true; // nothing changed: the file is not touched
    for (const auto& entry : ToolConfigEntries(config)) {
        if (error.isEmpty() && !IsSingleLineValue(entry.second))
            error = tr("The value of %1 holds a line break.").arg(entry.first);
    }
    const QByteArray content = m_configContent
                                   ? UpdateToolConfig(*m_configContent, config, &m_loadedConfig)
                                   : SerializeToolConfig(config);
    if (!error.isEmpty() || !SaveToolConfigFile(path, content, &error)) {
        m_context.dialogs.message(
            QStringLiteral("Your hdl_dump settings could not be saved to:\r\n") + path +
                QStringLiteral("\r\n\r\n") + error +
                QStringLiteral("\r\n\r\nThe file was left as it was."),
            Dialogs::Icon::Exclamation);
        return false;
    }
    m_configContent = content;
    m_loadedConfig = config;
    return true;
}

void SettingsWindow::present()
{
    TabStrip->setCurrentIndex(0);
    adjustSize();
    const QRect m = m_context.windows.value(0, this)->frameGeometry();
    move(m.x() + m.width() / 2 - frameGeometry().width() / 2,
         m.y() + m.height() / 2 - frameGeometry().height() / 2);
    show();
    raise();
    activateWindow();
}

void SettingsWindow::closeEvent(QCloseEvent* event)
{
    // The window's X saves nothing by itself: changes are kept only when the user says so.
    event->ignore();
    if (m_configContent && toolConfigChanged()) {
        if (m_context.dialogs.question(tr("Save your changes to the hdl_dump settings?"),
                                       Dialogs::Icon::Exclamation) == Dialogs::Answer::Yes) {
            if (!SaveToolConfig())
                return;
        } else {
            showConfig(m_loadedConfig);
        }
    }
    hide();
}

void SettingsWindow::cmdExit_Click()
{
    // "Save and Exit" saves; the window stays loaded, hidden.
    if (SaveToolConfig())
        hide();
}

void SettingsWindow::chkStayOnTop_Click()
{
    const bool on = chkStayOnTop->isChecked();
    for (QWidget* w : windows()) {
        // The status window is kept on top only while it is shown.
        if (w->isVisible() || w == this || w == m_context.windows.value(0))
            on ? SetTopmost(w) : ClearTopmost(w);
    }
}

void SettingsWindow::chkColors_Click()
{
    const SettingsFile& s = settings();
    const bool on = chkColors->isChecked();
    s.setFlag(Setting::UseColor, on);
    cmdForecolor->setEnabled(on);
    cmdBackcolor->setEnabled(on);
    if (on) {
        const quint32 back = s.colour(Setting::Backcolor);
        const quint32 fore = s.colour(Setting::Forecolor);
        if (back != 0 || fore != 0) {
            ApplyColors(true, fore, back, windows());
            ApplyColors(false, fore, back, windows());
        }
    } else {
        ApplyColors(true, kSystemButtonText, kSystemButtonFace, windows());
        ApplyColors(false, kSystemButtonText, kSystemButtonFace, windows());
    }
}

void SettingsWindow::cmdBackcolor_Click()
{
    const auto colour = m_context.dialogs.chooseColor(settings().colour(Setting::Backcolor));
    if (!colour)
        return;
    ApplyColors(false, 0, *colour, windows());
    settings().setColour(Setting::Backcolor, *colour);
}

void SettingsWindow::cmdForecolor_Click()
{
    const auto colour = m_context.dialogs.chooseColor(settings().colour(Setting::Forecolor));
    if (!colour)
        return;
    ApplyColors(true, *colour, 0, windows());
    settings().setColour(Setting::Forecolor, *colour);
}

void SettingsWindow::cmdDefaultISO_Click()
{
    std::optional<QString> folder = m_context.dialogs.chooseFolder(
        QStringLiteral("Select PS2 Game ISO directory"), txtDefaultISO->text());
    if (!folder || folder->isEmpty())
        return;
    QString dir = *folder;
    if (!dir.endsWith(u'/'))
        dir += u'/';
    settings().write(Setting::DefaultISO, dir);
    txtDefaultISO->setText(dir);
}

void SettingsWindow::cmdHDLDumpConfig_Click()
{
    FileDialogRequest request;
    request.mustExist = true;
    request.filter = QStringLiteral("HDL_Dump Config File|hdl_dump.conf;.hdl_dump.conf|");
    const QString current = settings().text(Setting::ToolConfig);
    if (!current.isEmpty())
        request.directory = QFileInfo(current).absolutePath();
    const std::optional<QString> chosen = m_context.dialogs.openFile(request);
    if (!chosen || chosen->isEmpty() ||
        !chosen->right(13).toLower().endsWith(QLatin1String("hdl_dump.conf")))
        return;
    settings().write(Setting::ToolConfig, *chosen);
    txtHDLDumpConfig->setText(*chosen);
    LoadToolConfig();
}

void SettingsWindow::cmdDiskDatabase_Click()
{
    FileDialogRequest request;
    request.mustExist = true;
    request.filter = QStringLiteral("HDL_Dump Disk Database|hdl_dump.list;.hdl_dump.list|");
    const QString config = settings().text(Setting::ToolConfig);
    request.directory =
        config.contains(u'/') ? config.left(config.lastIndexOf(u'/') + 1) : QDir::homePath() + u'/';
    const std::optional<QString> chosen = m_context.dialogs.openFile(request);
    if (!chosen || chosen->isEmpty() ||
        !chosen->right(13).toLower().endsWith(QLatin1String("hdl_dump.list")))
        return;
    txtDiscDatabase->setText(*chosen);
}

bool SettingsWindow::toolMissing()
{
    if (m_context.session.toolAvailable())
        return false;
    m_context.dialogs.message(
        ProblemText({ProblemKind::ToolMissing, m_context.session.paths().toolPath, {}}),
        Dialogs::Icon::Exclamation);
    return true;
}

void SettingsWindow::fillDisks()
{
    const int index = cmbHD->currentIndex();
    cmbHD->clear();
    for (const DiskEntry& d : m_context.session.allDisks()) {
        QString label = d.label();
        if (d.ps2Formatted)
            label += tr(" - Playstation2 Formatted");
        else if (d.unreadable)
            label += tr(" - Unknown Format (cannot be read)");
        else
            label += tr(" - Unknown Format");
        cmbHD->addItem(label, d.device);
    }
    if (cmbHD->count() > 0)
        cmbHD->setCurrentIndex(index >= 0 && index < cmbHD->count() ? index : 0);
    updateControls();
}

void SettingsWindow::updateControls()
{
    const bool idle = !m_context.session.isBusy();
    cmdRefresh->setEnabled(idle);
    cmdFormat->setEnabled(idle && cmbHD->count() > 0);
    cmdDefaults->setEnabled(idle);
}

void SettingsWindow::cmdRefresh_Click()
{
    if (toolMissing())
        return;
    m_context.session.refreshAllDisks();
}

void SettingsWindow::cmdFormat_Click()
{
    if (toolMissing())
        return;
    // The disk is its device, kept beside the label: the label only shows it.
    const QString drive = cmbHD->currentText();
    const QString device = cmbHD->currentData().toString();
    if (device.isEmpty())
        return;
    if (m_context.dialogs.question(
            tr("ARE YOU SURE YOU WANT TO FORMAT THIS HARD DRIVE?\r\n\r\n") + drive +
                tr("\r\n\r\nALL EXISTING DATA ON THIS DRIVE WILL BE LOST"),
            Dialogs::Icon::Critical, tr("ARE YOU 100% SURE?")) != Dialogs::Answer::Yes)
        return;
    m_context.session.formatDisk(device);
}

void SettingsWindow::cmdDefaults_Click()
{
    if (m_context.dialogs.question(
            QStringLiteral("Are you sure you want to reset all of your settings to default for "
                           "both hdl_dump and the GUI?"),
            Dialogs::Icon::Exclamation) != Dialogs::Answer::Yes)
        return;
    QFile::remove(settings().path());
    WriteDefaultSettings(settings().path());
    LoadGuiSettings();
    LoadToolConfig();
    ToolConfig defaults = ToolDefaults(DefaultDiscDatabasePath());
    defaults.toxicOS = chkToxicOS->isChecked();
    showConfig(defaults);
    m_context.setIp(kDefaultIP);
}
