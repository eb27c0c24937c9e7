#include "frmMain.h"

#include "ActivityPane.h"
#include "AppIcon.h"
#include "BrowsePane.h"
#include "Dialogs.h"
#include "InstallPane.h"
#include "JobPane.h"
#include "MainOutputTarget.h"
#include "NavigationPane.h"
#include "StickyMenu.h"
#include "TargetPane.h"
#include "TrayIcon.h"
#include "Twips.h"
#include "devices/Flags.h"
#include "devices/InstallNow.h"
#include "devices/MakeIso.h"
#include "devices/Probe.h"
#include "devices/Selection.h"
#include "frmSettings.h"
#include "jobs/GameOperations.h"
#include "jobs/JobListModel.h"
#include "jobs/JobQueue.h"
#include "jobs/JobRunner.h"
#include "jobs/frmStatus.h"
#include "platform/DeviceDiscovery.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStackedLayout>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

frmMain::frmMain(const AppPaths& paths, MainSeams seams, QWidget* parent)
    : QWidget(parent), m_paths(paths), m_seams(std::move(seams)), m_settings(paths.configFile)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral(" Ventrik v0.9b by Tavrin"));
    setWindowIcon(AppIcon());

    fmMain = new TargetPane;
    fmNavigation = new NavigationPane;
    fmInstall = new InstallPane;
    fmBrowse = new BrowsePane;
    fmBrowse->hide();
    fmJob = new JobPane;
    fmOutput = new ActivityPane(this);

    // Upper part: two columns, or the job pane laid over both.
    m_columns = new QWidget;
    m_columns->setObjectName(QStringLiteral("upperColumns"));
    auto* grid = new QGridLayout(m_columns);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(fmMain, 0, 0);
    grid->addWidget(fmNavigation, 1, 0);
    grid->addWidget(fmInstall, 0, 1, 2, 1);
    grid->addWidget(fmBrowse, 0, 1, 2, 1);
    grid->setRowStretch(0, 1);
    fmMain->setMinimumSize(Twips(this, 4815), Twips(this, 2295));
    fmNavigation->setMinimumWidth(Twips(this, 4815));
    fmInstall->setMinimumSize(Twips(this, 4815), Twips(this, 3255));
    fmBrowse->setMinimumSize(Twips(this, 4815), Twips(this, 3255));

    auto* upperHost = new QWidget(this);
    m_upper = new QStackedLayout(upperHost);
    m_upper->addWidget(m_columns);
    m_upper->addWidget(fmJob);
    fmJob->setMinimumSize(Twips(this, 9735), Twips(this, 3255));
    fmOutput->setMinimumHeight(Twips(this, 2535));
    fmOutput->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(upperHost);
    layout->addWidget(fmOutput);
    // The window takes the size of its contents, so hiding the activity view
    // shortens it and showing it makes it grow downward.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    buildMenus();
    connectNavigation();
    m_outputTimer.setSingleShot(true);
    m_outputTimer.setInterval(50);
    connect(&m_outputTimer, &QTimer::timeout, this, &frmMain::flush);

    m_front = std::make_unique<CommandFront>(StdIO, m_paths, *this, m_seams.dialogs);
    m_target = std::make_unique<MainOutputTarget>(*this);
    m_interpreter = std::make_unique<Interpreter>(state, *m_target, m_seams.dialogs);
    m_interpreter->setDeviceDiscovery(
        [] { return platform::devicesAsQueryText(platform::discoverDevices()); });
    m_front->setInterpreter(
        [this](const QString& chunk) { m_interpreter->InterpretOutput(chunk); });
    m_front->setRunFinisher([this] { m_interpreter->FinishOutput(); });
    StdIO.setWorkingDirectory(m_paths.workingDir);

    fmInstall->cmbType->addItems({QStringLiteral("CD-ROM"), QStringLiteral("DVD-ROM")});
    fmInstall->cmbType->setCurrentIndex(1);

    connect(fmMain->txtIP, &QLineEdit::textChanged, this, &frmMain::txtIP_Change);
    m_selection = new Selection(*this);
    m_jobs = new JobListModel(this);
    fmJob->lstJob->setModel(m_jobs);
    m_status = std::make_unique<frmStatus>(state, StdIO);
    m_jobQueue = new JobQueue(*this);
    m_jobRunner = new JobRunner(*this, *m_status, m_seams.power);
    new InstallNow(*this);
    new MakeIso(*this);
    new GameOperations(*this);
    // A job whose tool ended without any recognised result.
    StdIO.setRunEndedHook([this] {
        if (state.JobActive && !state.JobFinished) {
            m_jobs->setResult(state.CurrentJob, JobResult::NoResult);
            state.JobFinished = true;
        }
    });
    connect(&m_seams.tray, &TrayIcon::doubleClicked, this, &frmMain::trayDoubleClick);

    m_settingsWindow = std::make_unique<frmSettings>(*this);
    m_interpreter->setFormatDiskSink([this](const QString& label) {
        m_settingsWindow->cmbHD->addItem(label);
        m_settingsWindow->cmbHD->setCurrentIndex(0);
    });
    connect(fmNavigation->cmdSettings, &QPushButton::clicked, m_settingsWindow.get(),
            &frmSettings::open);
    connect(mnuSettings, &QAction::triggered, m_settingsWindow.get(), &frmSettings::open);
}

frmMain::~frmMain() = default;

QString frmMain::flagsString() const
{
    QList<bool> ticked;
    for (const QAction* flag : mnuFlags)
        ticked << flag->isChecked();
    return FlagsString(ticked);
}

void frmMain::buildMenus()
{
    mnuSystray = new QMenu(QStringLiteral("systraymenu"), this);
    mnuSystray->setObjectName(QStringLiteral("mnuSystray"));
    mnuSettings = mnuSystray->addAction(QStringLiteral("Settings && Tools"));
    mnuSettings->setObjectName(QStringLiteral("mnuSettings"));
    mnuSystray->addSeparator()->setObjectName(QStringLiteral("mnuBar6"));
    mnuMinimize = mnuSystray->addAction(QStringLiteral("Minimize"));
    mnuMinimize->setObjectName(QStringLiteral("mnuMinimize"));
    mnuSystray->addSeparator()->setObjectName(QStringLiteral("mnuBar5"));
    mnuExit = mnuSystray->addAction(QStringLiteral("Exit"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    connect(mnuMinimize, &QAction::triggered, this, &frmMain::mnuMinimize_Click);
    connect(mnuExit, &QAction::triggered, this, &frmMain::close);

    mnuCompat = new StickyMenu(QStringLiteral("compat"), this);
    mnuCompat->setObjectName(QStringLiteral("mnuCompat"));
    const char* flags[] = {"1: Slow HDD Access",   "2: No DVD9 Support",
                           "3: Kill HD Loader",    "4: Date/time fix 2",
                           "5: Date/time fix 3",   "6: No Network Support",
                           "7: Disable CzC Patch", "8: Soul Calibur 2 / Suikoden V"};
    for (int i = 0; i < 8; ++i) {
        QAction* a = mnuCompat->addAction(QString::fromLatin1(flags[i]));
        a->setObjectName(QStringLiteral("mnuFlags%1").arg(i));
        a->setCheckable(true);
        mnuFlags << a;
    }
    mnuCompat->addSeparator()->setObjectName(QStringLiteral("mnuBar"));
    mnuDone = mnuCompat->addAction(QStringLiteral("Done"));
    mnuDone->setObjectName(QStringLiteral("mnuDone"));

    mnuBackup = new QMenu(QStringLiteral("backuphdd"), this);
    mnuBackup->setObjectName(QStringLiteral("mnuBackup"));
    for (int i = 0; i < 5; ++i) {
        QAction* a = mnuBackup->addAction(QString());
        a->setObjectName(QStringLiteral("mnuHDD%1").arg(i));
        a->setVisible(false);
        mnuHDD << a;
    }
}

void frmMain::connectNavigation()
{
    connect(fmNavigation->optInstall, &QRadioButton::toggled, this, [this](bool on) {
        if (!on)
            return;
        fmInstall->show();
        fmBrowse->hide();
        showJobPane(false);
    });
    connect(fmNavigation->optBrowse, &QRadioButton::toggled, this, [this](bool on) {
        if (!on)
            return;
        fmBrowse->show();
        fmInstall->hide();
        showJobPane(false);
    });
    connect(fmNavigation->optJobQueue, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            showJobPane(true);
    });
    connect(fmJob->cmdControls, &QPushButton::clicked, this, &frmMain::cmdControls_Click);
    connect(fmNavigation->chkOutput, &QCheckBox::toggled, this, &frmMain::chkOutput_Click);
    connect(fmNavigation->cmdMinimize, &QPushButton::clicked, this, &frmMain::cmdMinimize_Click);
    connect(fmNavigation->cmdExit, &QPushButton::clicked, this, &frmMain::close);
}

void frmMain::showJobPane(bool show)
{
    m_upper->setCurrentWidget(show ? static_cast<QWidget*>(fmJob) : m_columns);
}

void frmMain::cmdControls_Click()
{
    // Back to whichever pane lies underneath the job pane.
    if (!fmInstall->isHidden())
        fmNavigation->optInstall->setChecked(true);
    if (!fmBrowse->isHidden())
        fmNavigation->optBrowse->setChecked(true);
}

void frmMain::setCommandText(const QString& text)
{
    fmOutput->txtCommand->setText(text);
}

void frmMain::setOutputText(const QString& text)
{
    m_pendingOutput = text;
    m_outputPending = true;
    if (text.isEmpty() || !m_outputTimer.isActive()) {
        flush();
        m_outputTimer.start();
    }
}

void frmMain::flush()
{
    // A hidden view is brought up to date when it is shown.
    if (!m_outputPending || fmOutput->isHidden())
        return;
    m_outputPending = false;
    QPlainTextEdit* out = fmOutput->txtOutput;
    out->setPlainText(m_pendingOutput);
    // Show the end of the chunk.
    out->moveCursor(QTextCursor::End);
    out->verticalScrollBar()->setValue(out->verticalScrollBar()->maximum());
}

void frmMain::chkOutput_Click()
{
    const bool on = fmNavigation->chkOutput->isChecked();
    fmOutput->setVisible(on);
    flush();
    m_settings.write(QStringLiteral("ViewOutput"), on ? QStringLiteral("1") : QStringLiteral("0"));
}

void frmMain::txtIP_Change()
{
    m_settings.write(QStringLiteral("IP"), fmMain->txtIP->text());
    // The game table shown belonged to the previous address.
    for (QPushButton* b : {fmBrowse->cmdBackupPS2, fmBrowse->cmdBackupPC, fmBrowse->cmdBackupHDD,
                           fmInstall->cmdAddGame, fmInstall->cmdInstall, fmBrowse->cmdDelete})
        b->setEnabled(false);
    fmBrowse->lstHD->clear();
    fmMain->prgDiskSpace->setValue(0);
    fmMain->lblDiskSpace->setText(QString());
}

void frmMain::applyColumnWidths()
{
    // The design widths, widened where the font needs more room for a typical value.
    const QFontMetrics fm(fmBrowse->lstHD->font());
    auto width = [&](int twips, const char* sample) {
        return std::max(Twips(this, twips), fm.horizontalAdvance(QLatin1String(sample)) + 16);
    };
    QHeaderView* hd = fmBrowse->lstHD->header();
    hd->setSectionResizeMode(0, QHeaderView::Stretch);
    const int hdWidths[] = {width(1070, "SLUS_000.00"), width(720, "00.00GB"), width(540, "DVD"),
                            width(690, "+1+2+3")};
    for (int i = 1; i < 5; ++i)
        fmBrowse->lstHD->setColumnWidth(i, hdWidths[i - 1]);
    // Results and paths are long: the result gets room for an error text, a
    // path is shortened in its middle (its whole text is in the tooltip).
    fmJob->lstJob->setTextElideMode(Qt::ElideMiddle);
    const int job[] = {width(1000, "Error (File already exists)"),
                       Twips(this, 1125),
                       Twips(this, 1100),
                       Twips(this, 1375),
                       Twips(this, 1700),
                       width(1200, "SLUS_000.00"),
                       width(900, "DVD-ROM"),
                       Twips(this, 1000)};
    for (int i = 0; i < 8; ++i)
        fmJob->lstJob->setColumnWidth(i, job[i]);
}

void frmMain::centreOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    adjustSize();
    const QRect area = screen->availableGeometry();
    move(area.x() + area.width() / 2 - width() / 2, area.y() + area.height() / 2 - height() / 2);
}

void frmMain::Form_Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    AddTrayIcon(m_seams.tray, windowTitle(), windowIcon(), mnuSystray);
    // The short window is centred; the activity view then grows it downward.
    centreOnScreen();
    fmNavigation->chkOutput->setChecked(m_settings.number(QStringLiteral("ViewOutput")) == 1);
    if (!fmNavigation->chkOutput->isChecked())
        chkOutput_Click();
    QString ip = m_settings.read(QStringLiteral("IP"));
    if (ip.isEmpty())
        ip = kDefaultIP;
    fmMain->txtIP->setText(ip);
    m_settings.write(QStringLiteral("IP"), ip);
    applyColumnWidths();
}

const QStringList& frmMain::ExemptControls()
{
    static const QStringList names{
        QStringLiteral("chkOutput"),   QStringLiteral("optInstall"),   QStringLiteral("optBrowse"),
        QStringLiteral("optJobQueue"), QStringLiteral("cmdMinimize"),  QStringLiteral("fmMain"),
        QStringLiteral("fmInstall"),   QStringLiteral("fmBrowse"),     QStringLiteral("fmJob"),
        QStringLiteral("fmOutput"),    QStringLiteral("txtOutput"),    QStringLiteral("txtCommand"),
        QStringLiteral("lblCommand"),  QStringLiteral("fmNavigation"), QStringLiteral("lstHD"),
        QStringLiteral("lstJob"),      QStringLiteral("cmdControls")};
    return names;
}

QList<QObject*> frmMain::controls() const
{
    QList<QObject*> result;
    const QList<QWidget*> widgets = findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        const QString name = w->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) ||
            name == QLatin1String("upperColumns"))
            continue;
        if (qobject_cast<QMenu*>(w))
            continue;
        result << w;
    }
    for (QMenu* menu : {mnuSystray, mnuCompat, mnuBackup}) {
        const QList<QAction*> actions = menu->actions();
        for (QAction* a : actions) {
            if (!a->isSeparator())
                result << a;
        }
    }
    return result;
}

namespace {
bool ownEnabled(QObject* o)
{
    if (auto* w = qobject_cast<QWidget*>(o))
        return !w->testAttribute(Qt::WA_Disabled);
    if (auto* a = qobject_cast<QAction*>(o))
        return a->isEnabled();
    return false;
}

void setOwnEnabled(QObject* o, bool enabled)
{
    if (auto* w = qobject_cast<QWidget*>(o))
        w->setEnabled(enabled);
    else if (auto* a = qobject_cast<QAction*>(o))
        a->setEnabled(enabled);
}
} // namespace

void frmMain::EnableMainWindow(bool enable)
{
    const QList<QObject*> all = controls();
    if (!enable) {
        m_savedEnabled.clear();
        for (QObject* o : all)
            m_savedEnabled << ownEnabled(o);
        for (QObject* o : all) {
            if (!ExemptControls().contains(o->objectName()))
                setOwnEnabled(o, false);
        }
        return;
    }
    for (int i = 0; i < all.size() && i < m_savedEnabled.size(); ++i)
        setOwnEnabled(all[i], m_savedEnabled[i]);
}

bool frmMain::isHiddenToTray() const
{
    return mnuMinimize->text() == QLatin1String("Maximize");
}

void frmMain::cmdMinimize_Click()
{
    // Without a tray the window could not come back from hiding: minimise instead.
    if (m_seams.tray.isAvailable())
        hide();
    else
        showMinimized();
    mnuMinimize->setText(QStringLiteral("Maximize"));
}

void frmMain::mnuMinimize_Click()
{
    if (mnuMinimize->text() == QLatin1String("Minimize")) {
        cmdMinimize_Click();
    } else {
        showNormal();
        raise();
        activateWindow();
        mnuMinimize->setText(QStringLiteral("Minimize"));
    }
}

void frmMain::trayDoubleClick()
{
    showNormal();
    raise();
    activateWindow();
    mnuMinimize->setText(QStringLiteral("Minimize"));
}

void frmMain::ExitRoutine()
{
    if (m_exited)
        return;
    m_exited = true;
    if (NumericValue(m_settings.read(QStringLiteral("ClosePS2"))) == 1 &&
        fmMain->optLAN->isChecked()) {
        const QString ip = fmMain->txtIP->text();
        if (ProbePS2(m_seams.icmp, ip) != -1)
            m_front->RunDirect({QStringLiteral("poweroff"), ip});
    }
    RemoveTrayIcon(m_seams.tray);
    hide();
    if (m_seams.quit)
        m_seams.quit();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    ExitRoutine();
    event->accept();
}
