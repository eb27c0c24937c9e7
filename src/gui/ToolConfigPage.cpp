#include "ToolConfigPage.h"

#include "Dialogs.h"
#include "Twips.h"
#include "core/settings/AppPaths.h"
#include "core/settings/AtomicFile.h"
#include "core/settings/Settings.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ToolConfigPage::ToolConfigPage(Context context, QWidget* parent)
    : QWidget(parent), m_context(std::move(context))
{
    setObjectName(QStringLiteral("toolTab"));
    auto named = [](auto* w, const char* name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };
    discDatabaseEdit = named(new QLineEdit, "discDatabaseEdit");
    discDatabaseButton = named(new QPushButton(tr("...")), "discDatabaseButton");
    discDatabaseButton->setFixedWidth(DotsButtonWidth(discDatabaseButton));
    autoThrottleCheck = named(new QCheckBox(tr("Auto-Throttle")), "autoThrottleCheck");
    aspiCheck = named(new QCheckBox(tr("Enable ASPI")), "aspiCheck");
    limit28BitCheck =
        named(new QCheckBox(tr("Limit to 28bit  (HDD is <= 128GB)")), "limit28BitCheck");
    compressionCheck = named(new QCheckBox(tr("Use Compression")), "compressionCheck");
    targetKbpsEdit = named(new QLineEdit, "targetKbpsEdit");
    toxicOsCheck = named(new QCheckBox(tr("Use ToxicOS Partition Naming")), "toxicOsCheck");
    auto* l = new QVBoxLayout(this);
    auto* databaseLabel = new QLabel(tr("Disc Database File:"));
    databaseLabel->setBuddy(discDatabaseEdit);
    l->addWidget(databaseLabel);
    auto* database = new QHBoxLayout;
    database->addWidget(discDatabaseEdit, 1);
    database->addWidget(discDatabaseButton);
    l->addLayout(database);
    auto* boxes = new QGridLayout;
    boxes->addWidget(autoThrottleCheck, 0, 0);
    boxes->addWidget(aspiCheck, 0, 1);
    boxes->addWidget(compressionCheck, 1, 0);
    boxes->addWidget(toxicOsCheck, 1, 1);
    boxes->addWidget(limit28BitCheck, 2, 0, 1, 2);
    l->addLayout(boxes);
    auto* kbps = new QHBoxLayout;
    auto* kbpsLabel = new QLabel(tr("Target kbps:"));
    kbpsLabel->setBuddy(targetKbpsEdit);
    kbps->addWidget(kbpsLabel);
    kbps->addWidget(targetKbpsEdit);
    kbps->addStretch();
    l->addLayout(kbps);
    l->addStretch();
    // What the page shows before a file is read.
    showConfig(ToolConfig{});
#ifndef Q_OS_WIN
    // Options of old Windows drivers do nothing here; the file keeps their values.
    aspiCheck->hide();
    limit28BitCheck->hide();
#endif

    discDatabaseEdit->setToolTip(tr("hdl_dump's list of games by their startup file: it names "
                                    "and flags the games it knows when they are installed."));
    autoThrottleCheck->setToolTip(tr("hdl_dump slows down its writes when the disk or the "
                                     "network cannot keep up."));
    aspiCheck->setToolTip(tr("For old Windows drivers only (ASPI); it has no effect on Linux."));
    limit28BitCheck->setToolTip(tr("For old Windows drivers that cannot address more than "
                                   "128 GB; it has no effect on Linux."));
    compressionCheck->setToolTip(tr("Compresses what is sent to a networked PS2: faster over a "
                                    "slow network, slower on a fast one."));
    targetKbpsEdit->setToolTip(tr("The network speed hdl_dump aims for with a networked PS2, in "
                                  "kilobits per second."));
    toxicOsCheck->setToolTip(tr("Names new game partitions the way ToxicOS expects them."));

    for (QLineEdit* e : {discDatabaseEdit, targetKbpsEdit})
        connect(e, &QLineEdit::textChanged, this, &ToolConfigPage::changed);
    for (QCheckBox* c :
         {autoThrottleCheck, aspiCheck, limit28BitCheck, compressionCheck, toxicOsCheck})
        connect(c, &QCheckBox::toggled, this, &ToolConfigPage::changed);
    connect(discDatabaseButton, &QPushButton::clicked, this, &ToolConfigPage::chooseDiscDatabase);
}

bool ToolConfigPage::hasUnsavedChanges() const
{
    return m_configContent && configChanged();
}

void ToolConfigPage::showDefaults()
{
    ToolConfig defaults = ToolDefaults(DefaultDiscDatabasePath());
    defaults.toxicOS = toxicOsCheck->isChecked();
    showConfig(defaults);
}

ToolConfig ToolConfigPage::pageConfig() const
{
    ToolConfig config;
    config.discDatabase = discDatabaseEdit->text();
    config.autoThrottle = autoThrottleCheck->isChecked();
    config.enableAspi = aspiCheck->isChecked();
    config.lastIp = m_context.currentIp();
    config.limitTo28bit = limit28BitCheck->isChecked();
    config.toxicOS = toxicOsCheck->isChecked();
    config.targetKbps = targetKbpsEdit->text();
    config.useCompression = compressionCheck->isChecked();
    return config;
}

void ToolConfigPage::showConfig(const ToolConfig& config)
{
    discDatabaseEdit->setText(config.discDatabase);
    autoThrottleCheck->setChecked(config.autoThrottle);
    aspiCheck->setChecked(config.enableAspi);
    limit28BitCheck->setChecked(config.limitTo28bit);
    toxicOsCheck->setChecked(config.toxicOS);
    targetKbpsEdit->setText(config.targetKbps);
    compressionCheck->setChecked(config.useCompression);
}

void ToolConfigPage::load(const QString& chosen)
{
    const QString path = chosen.isEmpty() ? m_context.configPath() : chosen;
    m_configContent.reset();
    if (!FileExists(path)) {
        m_context.dialogs.message(
            tr("Your hdl_dump settings could not be loaded because your hdl_dump configuration "
               "file could not be found.\n\nThe default path for this file is:\n%1\n\nIf you "
               "have never used hdl_dump on this PC then you will no longer see this message "
               "once you use atleast 1 command.\n\nFor people that have Windows configured with "
               "a language other then English, you must go to settings and locate the file as "
               "described below.\n\nTo fix this problem go to Settings, click the GUI tab, and "
               "use the HDL_Dump config file option.\n\n")
                .arg(path),
            Dialogs::Icon::Exclamation);
        setControlsEnabled(false);
        return;
    }
    setControlsEnabled(true);
    QByteArray content;
    QString error;
    // Only a file read whole may be written back.
    if (ReadToolConfigFile(path, &content, &error))
        m_configContent = content;
    else
        m_context.dialogs.message(tr("Your hdl_dump settings could not be read from:\n%1"
                                     "\n\n%2\n\nThe file will not be changed.")
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

bool ToolConfigPage::configChanged() const
{
    // The address is the main window's; it is written along with a change made here.
    ToolConfig page = pageConfig();
    page.lastIp = m_loadedConfig.lastIp;
    return !m_configContent || page != m_loadedConfig;
}

void ToolConfigPage::fillPageDefaults()
{
    if (discDatabaseEdit->text().trimmed().isEmpty())
        discDatabaseEdit->setText(DefaultDiscDatabasePath());
    if (targetKbpsEdit->text().isEmpty())
        targetKbpsEdit->setText(kDefaultTargetKbps);
}

bool ToolConfigPage::save()
{
    fillPageDefaults();
    if (m_context.currentIp().isEmpty())
        m_context.setIp(kDefaultIP);
    const ToolConfig config = pageConfig();
    const QString path = m_context.configPath();
    const bool exists = QFileInfo::exists(path);
    QString error;
    if (exists && !QFileInfo(path).isFile())
        error = tr("It is not a regular file.");
    else if (exists && !m_configContent)
        error = tr("It could not be read whole, so it is not rewritten.");
    else if (exists && !configChanged())
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
            tr("Your hdl_dump settings could not be saved to:\n%1\n\n%2\n\nThe file was left as it "
               "was.")
                .arg(path, error),
            Dialogs::Icon::Exclamation);
        return false;
    }
    m_configContent = content;
    m_loadedConfig = config;
    return true;
}

void ToolConfigPage::chooseDiscDatabase()
{
    FileDialogRequest request;
    request.mustExist = true;
    request.filter =
        tr("HDL_Dump Disk Database") + QStringLiteral("|hdl_dump.list;.hdl_dump.list|");
    const QString config = m_context.configPath();
    request.directory =
        config.contains(u'/') ? config.left(config.lastIndexOf(u'/') + 1) : QDir::homePath() + u'/';
    const std::optional<QString> chosen = m_context.dialogs.openFile(request);
    if (!chosen || chosen->isEmpty() ||
        !chosen->right(13).toLower().endsWith(QLatin1String("hdl_dump.list")))
        return;
    discDatabaseEdit->setText(*chosen);
}

void ToolConfigPage::setControlsEnabled(bool enabled)
{
    for (QWidget* w : std::initializer_list<QWidget*>{autoThrottleCheck, aspiCheck, limit28BitCheck,
                                                      compressionCheck, toxicOsCheck,
                                                      targetKbpsEdit, discDatabaseEdit})
        w->setEnabled(enabled);
}
