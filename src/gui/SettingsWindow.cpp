#include "SettingsWindow.h"

#include "AppIcon.h"
#include "Colors.h"
#include "Dialogs.h"
#include "DiskToolsPage.h"
#include "ToolConfigPage.h"
#include "TrayIcon.h"
#include "Twips.h"
#include "WindowPlacement.h"
#include "core/session/ProblemText.h"
#include "core/session/Session.h"
#include "core/settings/AtomicFile.h"
#include "core/settings/Settings.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDialogButtonBox>
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

#include <algorithm>
#include <utility>

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
    : QDialog(context.windows.value(0)), m_context(std::move(context))
{
    setObjectName(QStringLiteral("settingsWindow"));
    setWindowTitle(tr(" Settings & Tools"));
    setWindowIcon(AppIcon());

    tabs = named(new QTabWidget(this), "tabs");
    toolTab = new ToolConfigPage({m_context.dialogs,
                                  [this] { return settings().text(Setting::ToolConfig); },
                                  m_context.currentIp, m_context.setIp});
    windowTab = named(new QWidget, "windowTab");
    toolsTab = new DiskToolsPage({m_context.session, m_context.dialogs, m_context.tray,
                                  [this]() -> const SettingsFile& { return settings(); },
                                  [this] { return toolMissing(); }});
    tabs->addTab(toolTab, tr("HDL_Dump"));
    tabs->addTab(windowTab, tr("GUI"));
    tabs->addTab(toolsTab, tr("Tools"));

    // GUI page: the program's settings, stored at each change.
    imageFolderEdit = named(new QLineEdit, "imageFolderEdit");
    imageFolderButton = named(new QPushButton(tr("...")), "imageFolderButton");
    toolConfigEdit = named(new QLineEdit, "toolConfigEdit");
    toolConfigEdit->setReadOnly(true);
    // Only to be read: Tab goes past it.
    toolConfigEdit->setFocusPolicy(Qt::ClickFocus);
    toolConfigButton = named(new QPushButton(tr("...")), "toolConfigButton");
    toolPathEdit = named(new QLineEdit, "toolPathEdit");
    toolPathButton = named(new QPushButton(tr("...")), "toolPathButton");
    pfsShellEdit = named(new QLineEdit, "pfsShellEdit");
    pfsShellButton = named(new QPushButton(tr("...")), "pfsShellButton");
    titleIndexEdit = named(new QLineEdit, "titleIndexEdit");
    titleIndexButton = named(new QPushButton(tr("...")), "titleIndexButton");
    closePs2Check = named(new QCheckBox(tr("Turn off PS2 when exiting this GUI")), "closePs2Check");
    shutdownPs2Check =
        named(new QCheckBox(tr("Turn off PS2 after all jobs are complete")), "shutdownPs2Check");
    shutdownPcCheck =
        named(new QCheckBox(tr("Shutdown PC when all jobs are complete")), "shutdownPcCheck");
    standbyCheck =
        named(new QCheckBox(tr("Put PC in Standby when all jobs are complete")), "standbyCheck");
    stayOnTopCheck =
        named(new QCheckBox(tr("Keep GUI windows on top of other windows")), "stayOnTopCheck");
    hideDuringRunsCheck = named(
        new QCheckBox(tr("Hide the main window while jobs run (the status window shows them)")),
        "hideDuringRunsCheck");
    balloonTipsCheck =
        named(new QCheckBox(tr("Turn off system tray balloon tips")), "balloonTipsCheck");
    customColorsCheck = named(new QCheckBox(tr("Enable")), "customColorsCheck");
    foreColorButton = named(new QPushButton(tr("Fore")), "foreColorButton");
    foreColorButton->setEnabled(false);
    backColorButton = named(new QPushButton(tr("Back")), "backColorButton");
    backColorButton->setEnabled(false);
    {
        auto* l = new QVBoxLayout(windowTab);
        auto* files = new QFormLayout;
        auto* folderLabel = new QLabel(tr("Game ISO directory:"));
        folderLabel->setBuddy(imageFolderEdit);
        files->addRow(folderLabel, lineOf({imageFolderEdit, imageFolderButton}));
        auto* configLabel = new QLabel(tr("HDL_Dump config file:"));
        configLabel->setBuddy(toolConfigEdit);
        files->addRow(configLabel, lineOf({toolConfigEdit, toolConfigButton}));
        // Labels with Alt letters lead to their boxes.
        auto* toolLabel = new QLabel(tr("hdl_dump &program:"));
        toolLabel->setBuddy(toolPathEdit);
        files->addRow(toolLabel, lineOf({toolPathEdit, toolPathButton}));
        auto* pfsLabel = new QLabel(tr("pfs&shell program:"));
        pfsLabel->setBuddy(pfsShellEdit);
        files->addRow(pfsLabel, lineOf({pfsShellEdit, pfsShellButton}));
        auto* indexLabel = new QLabel(tr("Game title &index:"));
        indexLabel->setBuddy(titleIndexEdit);
        files->addRow(indexLabel, lineOf({titleIndexEdit, titleIndexButton}));
        l->addLayout(files);
        for (QCheckBox* b : {closePs2Check, shutdownPs2Check, shutdownPcCheck, standbyCheck,
                             stayOnTopCheck, hideDuringRunsCheck, balloonTipsCheck})
            l->addWidget(b);
        auto* colors = new QHBoxLayout;
        colors->addWidget(new QLabel(tr("Colors")));
        colors->addWidget(customColorsCheck);
        colors->addWidget(foreColorButton);
        colors->addWidget(backColorButton);
        colors->addStretch();
        l->addLayout(colors);
        l->addStretch();
    }

    defaultsButton = named(new QPushButton(tr("Use Defaults")), "defaultsButton");
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                     QDialogButtonBox::Apply);
    okButton = named(box->button(QDialogButtonBox::Ok), "okButton");
    cancelButton = named(box->button(QDialogButtonBox::Cancel), "cancelButton");
    applyButton = named(box->button(QDialogButtonBox::Apply), "applyButton");
    okButton->setDefault(true);
    defaultsButton->setAutoDefault(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(defaultsButton);
    bottom->addStretch();
    bottom->addWidget(box);
    layout->addLayout(bottom);
    connect(okButton, &QPushButton::clicked, this, &SettingsWindow::accept);
    connect(cancelButton, &QPushButton::clicked, this, &SettingsWindow::reject);
    connect(applyButton, &QPushButton::clicked, this, &SettingsWindow::apply);
    // Wide enough for a full path in the file boxes.
    setMinimumSize(Twips(this, 7800), Twips(this, 3980));
    for (QPushButton* dots :
         {imageFolderButton, toolConfigButton, toolPathButton, pfsShellButton, titleIndexButton})
        dots->setFixedWidth(DotsButtonWidth(dots));

    bindFlag(closePs2Check, Setting::ClosePS2);
    bindFlag(shutdownPs2Check, Setting::TurnOffPS2);
    bindFlag(shutdownPcCheck, Setting::TurnOffPC);
    bindFlag(standbyCheck, Setting::StandbyPC);
    bindFlag(stayOnTopCheck, Setting::StayOnTop);
    bindFlag(hideDuringRunsCheck, Setting::HideDuringRuns);
    bindFlag(balloonTipsCheck, Setting::BalloonTips);
    // At most one PC end action: ticking one unticks the other first.
    connect(shutdownPcCheck, &QCheckBox::toggled, this, [this](bool on) {
        if (on && standbyCheck->isChecked())
            standbyCheck->setChecked(false);
    });
    connect(standbyCheck, &QCheckBox::toggled, this, [this](bool on) {
        if (on && shutdownPcCheck->isChecked())
            shutdownPcCheck->setChecked(false);
    });
    connect(customColorsCheck, &QCheckBox::toggled, this, [this](bool on) {
        foreColorButton->setEnabled(on);
        backColorButton->setEnabled(on);
        markChanged();
    });
    connect(toolPathButton, &QPushButton::clicked, this, [this] {
        chooseProgram(tr("Choose the hdl_dump program"), m_context.session.paths().toolPath,
                      toolPathEdit);
    });
    connect(pfsShellButton, &QPushButton::clicked, this, [this] {
        chooseProgram(tr("Choose the pfsshell program"), m_context.session.paths().pfsShellPath,
                      pfsShellEdit);
    });
    connect(titleIndexButton, &QPushButton::clicked, this, &SettingsWindow::chooseTitleIndex);
    for (QLineEdit* e : {imageFolderEdit, toolPathEdit, pfsShellEdit, titleIndexEdit})
        connect(e, &QLineEdit::textChanged, this, &SettingsWindow::markChanged);
    connect(toolTab, &ToolConfigPage::changed, this, &SettingsWindow::markChanged);
    // The Tools page lists the drives as it opens.
    connect(tabs, &QTabWidget::currentChanged, this, [this] {
        if (tabs->currentWidget() == toolsTab)
            toolsTab->listIfEmpty();
    });
    connect(foreColorButton, &QPushButton::clicked, this, &SettingsWindow::chooseForeColor);
    connect(backColorButton, &QPushButton::clicked, this, &SettingsWindow::chooseBackColor);
    connect(imageFolderButton, &QPushButton::clicked, this, &SettingsWindow::chooseImageFolder);
    connect(toolConfigButton, &QPushButton::clicked, this, &SettingsWindow::chooseToolConfig);
    connect(defaultsButton, &QPushButton::clicked, this, &SettingsWindow::restoreDefaults);
    setTooltips();
    // Enter is OK wherever the focus is, never a "..." that happened to have it.
    for (QPushButton* b : findChildren<QPushButton*>())
        b->setAutoDefault(b == okButton);
    okButton->setDefault(true);
    connect(&m_context.session, &Session::busyChanged, this, &SettingsWindow::updateControls);
}

QList<QWidget*> SettingsWindow::windows()
{
    QList<QWidget*> all = m_context.windows;
    all.prepend(this);
    return all;
}

SettingsFile& SettingsWindow::settings() const
{
    return m_context.session.settings();
}

void SettingsWindow::bindFlag(QCheckBox* box, Setting setting)
{
    m_flagBoxes.append({box, setting});
    connect(box, &QCheckBox::toggled, this, &SettingsWindow::markChanged);
}

void SettingsWindow::setTooltips()
{
    imageFolderEdit->setToolTip(tr("Where the file dialogs for images open first."));
    toolConfigEdit->setToolTip(tr("hdl_dump's own settings file, which the first page edits."));
    toolPathEdit->setToolTip(tr("The hdl_dump program to run. Empty: the one beside Ventrik, "
                                "else the first on the PATH; --hdl-dump on the command line "
                                "comes first."));
    pfsShellEdit->setToolTip(
        tr("pfsshell, for the launcher's pictures, game settings and memory cards on the disk. "
           "Empty: the one beside Ventrik, else the first on the PATH; --pfsshell on the "
           "command line comes first. Without it, only these are unavailable."));
    titleIndexEdit->setToolTip(tr("A game index (GameIndex.yaml, as PCSX2 installs it) that "
                                  "gives games their full titles by serial. Empty: looked for "
                                  "where PCSX2 puts it."));
    closePs2Check->setToolTip(tr("When Ventrik ends, the networked PS2 is turned off."));
    shutdownPs2Check->setToolTip(tr("Preset for each run of the queue: the networked PS2 is "
                                    "turned off when every job has ended well."));
    shutdownPcCheck->setToolTip(tr("Preset for each run of the queue: this PC shuts down when "
                                   "every job has ended well."));
    standbyCheck->setToolTip(tr("Preset for each run of the queue: this PC goes to sleep when "
                                "every job has ended well."));
    stayOnTopCheck->setToolTip(tr("Ventrik's windows stay above other windows."));
    hideDuringRunsCheck->setToolTip(
        tr("Off: the main window stays in sight during a run, with its progress in the status "
           "bar; the status window opens from there."));
    balloonTipsCheck->setToolTip(tr("No desktop notifications for finished jobs; the window's "
                                    "status bar still says how things ended."));
    customColorsCheck->setToolTip(tr("Ventrik's windows in colours of your choice."));
    foreColorButton->setToolTip(tr("The colour of the text."));
    backColorButton->setToolTip(tr("The colour of the background."));
    defaultsButton->setToolTip(tr("Puts every setting of both pages back as it was first."));
}

void SettingsWindow::markChanged()
{
    applyButton->setEnabled(hasUnsavedChanges());
}

bool SettingsWindow::hasUnsavedChanges() const
{
    const SettingsFile& s = settings();
    for (const auto& [box, setting] : m_flagBoxes) {
        if (box->isChecked() != s.flag(setting))
            return true;
    }
    return customColorsCheck->isChecked() != s.flag(Setting::UseColor) ||
           m_fore != s.colour(Setting::Forecolor) || m_back != s.colour(Setting::Backcolor) ||
           imageFolderEdit->text() != s.text(Setting::DefaultISO) ||
           toolConfigEdit->text() != m_toolConfigShown ||
           toolPathEdit->text().trimmed() != s.text(Setting::ToolPath) ||
           pfsShellEdit->text().trimmed() != s.text(Setting::PfsShellPath) ||
           titleIndexEdit->text().trimmed() != s.text(Setting::TitleIndex) ||
           toolTab->hasUnsavedChanges();
}

bool SettingsWindow::apply()
{
    SettingsFile& s = settings();
    for (const auto& [box, setting] : m_flagBoxes)
        s.setFlag(setting, box->isChecked());
    QString folder = imageFolderEdit->text().trimmed();
    if (!folder.isEmpty() && !folder.endsWith(u'/'))
        folder += u'/';
    s.write(Setting::DefaultISO, folder);
    imageFolderEdit->setText(folder);
    // Only a file chosen here is written: the stored one may have changed meanwhile.
    if (toolConfigEdit->text() != m_toolConfigShown) {
        s.write(Setting::ToolConfig, toolConfigEdit->text());
        m_toolConfigShown = toolConfigEdit->text();
    }
    const QString tool = toolPathEdit->text().trimmed();
    if (tool != s.text(Setting::ToolPath) && !m_context.session.isBusy())
        m_context.session.setToolPath(tool);
    if (const QString shell = pfsShellEdit->text().trimmed();
        shell != s.text(Setting::PfsShellPath))
        m_context.session.setPfsShellPath(shell);
    const QString index = titleIndexEdit->text().trimmed();
    if (index != s.text(Setting::TitleIndex))
        m_context.session.names().setTitleIndexPath(index);
    s.setColour(Setting::Forecolor, m_fore);
    s.setColour(Setting::Backcolor, m_back);
    applyStayOnTop();
    applyCustomColors();
    const bool saved = toolTab->save();
    markChanged();
    return saved;
}

void SettingsWindow::accept()
{
    if (apply())
        hide();
}

void SettingsWindow::reject()
{
    // What the pages show goes back to what is stored.
    const bool otherConfig = toolConfigEdit->text() != m_toolConfigShown;
    loadWindowSettings();
    if (otherConfig)
        toolTab->load();
    else
        toolTab->showLoaded();
    markChanged();
    hide();
}

void SettingsWindow::load()
{
    if (!FileExists(settings().path()))
        WriteDefaultSettings(settings().path());
    loadWindowSettings();
    applyStayOnTop();
    toolTab->load();
    markChanged();
    connect(&m_context.session.names(), &GameNames::titleIndexLoaded, this, [this] {
        const QString found = m_context.session.names().titleIndexFile();
        titleIndexEdit->setPlaceholderText(found.isEmpty() ? tr("none found") : found);
    });
}

void SettingsWindow::loadWindowSettings()
{
    SettingsFile& s = settings();
    closePs2Check->setChecked(s.flag(Setting::ClosePS2));
    shutdownPcCheck->setChecked(s.flag(Setting::TurnOffPC));
    standbyCheck->setChecked(s.flag(Setting::StandbyPC));
    // Both stored: standby, read second, wins, and the file says so too.
    if (s.flag(Setting::TurnOffPC) && s.flag(Setting::StandbyPC))
        s.setFlag(Setting::TurnOffPC, false);
    shutdownPs2Check->setChecked(s.flag(Setting::TurnOffPS2));
    imageFolderEdit->setText(s.text(Setting::DefaultISO));
    stayOnTopCheck->setChecked(s.flag(Setting::StayOnTop));
    hideDuringRunsCheck->setChecked(s.flag(Setting::HideDuringRuns));
    balloonTipsCheck->setChecked(s.flag(Setting::BalloonTips));

    quint32 back = s.colour(Setting::Backcolor);
    quint32 fore = s.colour(Setting::Forecolor);
    customColorsCheck->setChecked(s.flag(Setting::UseColor));
    foreColorButton->setEnabled(customColorsCheck->isChecked());
    backColorButton->setEnabled(customColorsCheck->isChecked());
    if (customColorsCheck->isChecked()) {
        // Two black colours mean none was chosen: the desktop's colours then.
        if (fore == 0 && back == 0) {
            s.setColour(Setting::Backcolor, kSystemButtonFace);
            s.setColour(Setting::Forecolor, kSystemButtonText);
            back = kSystemButtonFace;
            fore = kSystemButtonText;
        }
        ApplyColors(true, fore, back, windows());
        ApplyColors(false, fore, back, windows());
    }
    m_fore = fore;
    m_back = back;
    if (s.text(Setting::ToolConfig).isEmpty())
        s.write(Setting::ToolConfig, DefaultToolConfigPath());
    toolConfigEdit->setText(s.text(Setting::ToolConfig));
    m_toolConfigShown = toolConfigEdit->text();
    toolPathEdit->setText(s.text(Setting::ToolPath));
    // Where it is found when nothing is chosen.
    toolPathEdit->setPlaceholderText(m_context.session.paths().toolPath);
    pfsShellEdit->setText(s.text(Setting::PfsShellPath));
    const QString shell = m_context.session.paths().pfsShellPath;
    pfsShellEdit->setPlaceholderText(QFileInfo(shell).isExecutable() ? shell : tr("none found"));
    titleIndexEdit->setText(s.text(Setting::TitleIndex));
    const QString found = m_context.session.names().titleIndexFile();
    titleIndexEdit->setPlaceholderText(found.isEmpty() ? tr("none found") : found);
}

void SettingsWindow::present()
{
    // What the pages show starts from what is stored.
    if (!isVisible() && hasUnsavedChanges())
        reject();
    tabs->setCurrentIndex(0);
    markChanged();
    adjustSize();
    const QRect m = m_context.windows.value(0, this)->frameGeometry();
    move(m.x() + m.width() / 2 - frameGeometry().width() / 2,
         m.y() + m.height() / 2 - frameGeometry().height() / 2);
    show();
    raise();
    activateWindow();
}

void SettingsWindow::presentToolChoice()
{
    present();
    tabs->setCurrentWidget(windowTab);
    toolPathEdit->setFocus();
}

void SettingsWindow::closeEvent(QCloseEvent* event)
{
    // The X is Cancel; it asks first only when something would be lost, and the question
    // can be taken back (the window stays as it was).
    event->ignore();
    if (!hasUnsavedChanges()) {
        reject();
        return;
    }
    if (m_closeQuestion)
        return;
    m_closeQuestion = m_context.dialogs.choose(
        tr("Save your changes to the settings?"), Dialogs::Icon::Exclamation, this,
        {tr("&Save"), tr("&Discard"), tr("Cancel")}, [this](int choice) {
            m_closeQuestion.clear();
            if (choice == 0)
                accept();
            else if (choice == 1)
                reject();
        });
}

void SettingsWindow::applyStayOnTop()
{
    const bool on = stayOnTopCheck->isChecked();
    for (QWidget* w : windows()) {
        // The status window is kept on top only while it is shown.
        if (w->isVisible() || w == this || w == m_context.windows.value(0))
            on ? SetTopmost(w) : ClearTopmost(w);
    }
}

void SettingsWindow::applyCustomColors()
{
    SettingsFile& s = settings();
    const bool on = customColorsCheck->isChecked();
    s.setFlag(Setting::UseColor, on);
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

void SettingsWindow::chooseBackColor()
{
    const auto colour = m_context.dialogs.chooseColor(m_back);
    if (!colour)
        return;
    m_back = *colour;
    markChanged();
}

void SettingsWindow::chooseForeColor()
{
    const auto colour = m_context.dialogs.chooseColor(m_fore);
    if (!colour)
        return;
    m_fore = *colour;
    markChanged();
}

void SettingsWindow::chooseImageFolder()
{
    std::optional<QString> folder = m_context.dialogs.chooseFolder(
        tr("Select PS2 Game ISO directory"), imageFolderEdit->text());
    if (!folder || folder->isEmpty())
        return;
    QString dir = *folder;
    if (!dir.endsWith(u'/'))
        dir += u'/';
    imageFolderEdit->setText(dir);
}

void SettingsWindow::chooseToolConfig()
{
    FileDialogRequest request;
    request.mustExist = true;
    request.filter = tr("HDL_Dump Config File") + QStringLiteral("|hdl_dump.conf;.hdl_dump.conf|");
    const QString current = settings().text(Setting::ToolConfig);
    if (!current.isEmpty())
        request.directory = QFileInfo(current).absolutePath();
    const std::optional<QString> chosen = m_context.dialogs.openFile(request);
    if (!chosen || chosen->isEmpty() ||
        !chosen->right(13).toLower().endsWith(QLatin1String("hdl_dump.conf")))
        return;
    toolConfigEdit->setText(*chosen);
    toolTab->load(*chosen);
    markChanged();
}

void SettingsWindow::chooseProgram(const QString& title, const QString& current, QLineEdit* edit)
{
    FileDialogRequest request;
    request.title = title;
    request.mustExist = true;
    request.directory = QFileInfo(current).absolutePath();
    request.filter = tr("Programs") + QStringLiteral("|*|");
    const std::optional<QString> chosen = m_context.dialogs.openFile(request);
    if (chosen && !chosen->isEmpty())
        edit->setText(*chosen);
}

void SettingsWindow::chooseTitleIndex()
{
    FileDialogRequest request;
    request.title = tr("Choose a game index");
    request.mustExist = true;
    request.directory = QDir::homePath();
    request.filter = tr("Game index (GameIndex.yaml)") + QStringLiteral("|*.yaml;*.yml|");
    const std::optional<QString> chosen = m_context.dialogs.openFile(request);
    if (chosen && !chosen->isEmpty())
        titleIndexEdit->setText(*chosen);
}

bool SettingsWindow::toolMissing()
{
    if (m_context.session.toolAvailable())
        return false;
    m_context.dialogs.message(ProblemText(m_context.session.toolMissingProblem()),
                              Dialogs::Icon::Exclamation);
    return true;
}

void SettingsWindow::updateControls()
{
    defaultsButton->setEnabled(!m_context.session.isBusy());
}

void SettingsWindow::restoreDefaults()
{
    if (m_context.dialogs.question(
            tr("Are you sure you want to reset all of your settings to default for both hdl_dump "
               "and the GUI?"),
            Dialogs::Icon::Exclamation) != Dialogs::Answer::Yes)
        return;
    QFile::remove(settings().path());
    WriteDefaultSettings(settings().path());
    loadWindowSettings();
    toolTab->load();
    toolTab->showDefaults();
    m_context.setIp(kDefaultIP);
}
