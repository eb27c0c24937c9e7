#include "Selection.h"

#include "Probe.h"
#include "shell/BrowsePane.h"
#include "shell/Dialogs.h"
#include "shell/InstallPane.h"
#include "shell/TargetPane.h"
#include "shell/Twips.h"
#include "shell/frmMain.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTreeWidget>

const QString Selection::kImageFilter = QStringLiteral(
    "ISO Files (*.iso)|*.iso|CUE Files (*.cue)|*.cue|Nero Burning Image (*.nrg)|*.nrg|"
    "RecordNow! Global Image (*.gi)|*.gi|Sony CD/DVD Generator's Intermediate (*.iml)|*.iml|");

Selection::Selection(frmMain& main) : QObject(&main), m_main(main)
{
    TargetPane* t = m_main.fmMain;
    InstallPane* in = m_main.fmInstall;
    // Setting an option from code runs its action as a click does.
    connect(t->optLocal, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optLocal_Click();
    });
    connect(t->optLAN, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optLAN_Click();
    });
    connect(t->cmbHD, &QComboBox::currentIndexChanged, this, &Selection::cmbHD_Click);
    connect(t->cmdAttach, &QPushButton::clicked, this, &Selection::cmdAttach_Click);
    connect(t->txtIP, &QLineEdit::returnPressed, this, &Selection::cmdAttach_Click);
    connect(t->cmdShutdownPS2, &QPushButton::clicked, this, &Selection::cmdShutdownPS2_Click);
    connect(in->optOptical, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optOptical_Click();
    });
    connect(in->optISO, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optISO_Click();
    });
    connect(in->cmbOptical, &QComboBox::currentIndexChanged, this, &Selection::cmbOptical_Click);
    connect(in->cmdISO, &QPushButton::clicked, this, &Selection::cmdISO_Click);
    connect(in->txtISO, &QLineEdit::textChanged, this, &Selection::txtISO_Change);
    connect(in->cmdCompat, &QPushButton::clicked, this, &Selection::cmdCompat_Click);
    connect(m_main.mnuDone, &QAction::triggered, this, &Selection::mnuDone_Click);
}

QString Selection::DeviceOf(const QString& entry)
{
    const QString trimmed = entry.trimmed();
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        if (trimmed[i].isSpace())
            return trimmed.left(i);
    }
    return trimmed;
}

bool Selection::toolMissing()
{
    if (FileExists(HdlDumpPath(m_main.paths())))
        return false;
    m_main.dialogs().message(ToolNotFoundMessage(m_main.paths()), Dialogs::Icon::Exclamation);
    return true;
}

void Selection::refill(QComboBox* combo, bool RunState::*flag)
{
    const int remembered = combo->currentIndex();
    combo->clear();
    if (flag == &RunState::AwaitDiskList)
        m_main.fmBrowse->setTitle(QStringLiteral("Browse, Backup, and Delete - 0 Games"));
    m_main.state.*flag = true;
    m_main.HDL_Command({QStringLiteral("query")});
    // The interpreter has read the list when the command returned; a tool that
    // printed nothing leaves no flag behind either.
    m_main.state.*flag = false;
    if (combo->count() > 0 && remembered != -1 && remembered < combo->count())
        combo->setCurrentIndex(remembered);
}

void Selection::disableTargetButtons()
{
    for (QPushButton* b : {m_main.fmBrowse->cmdBackupPC, m_main.fmBrowse->cmdBackupPS2,
                           m_main.fmBrowse->cmdBackupHDD, m_main.fmBrowse->cmdDelete,
                           m_main.fmInstall->cmdAddGame, m_main.fmInstall->cmdInstall})
        b->setEnabled(false);
    m_main.fmMain->prgDiskSpace->setValue(0);
    m_main.fmMain->lblDiskSpace->setText(QString());
    m_main.fmBrowse->lstHD->clear();
}

void Selection::optLocal_Click()
{
    TargetPane* t = m_main.fmMain;
    if (toolMissing()) {
        t->optLAN->setChecked(true);
        return;
    }
    refill(t->cmbHD, &RunState::AwaitDiskList);
    if (t->cmbHD->count() == 0) {
        t->optLAN->setChecked(true);
        m_main.dialogs().message(
            QStringLiteral("No PS2 formatted HDD's were found on your system."),
            Dialogs::Icon::Exclamation);
        return;
    }
    t->Label6->hide();
    t->txtIP->hide();
    t->cmdAttach->setText(QStringLiteral("Refresh HDD"));
    t->cmdAttach->setFixedWidth(Twips(t, 2175));
    t->cmdShutdownPS2->hide();
    disableTargetButtons();
    t->cmbHD->show();
}

void Selection::optLAN_Click()
{
    TargetPane* t = m_main.fmMain;
    t->cmbHD->setCurrentIndex(-1);
    t->cmbHD->hide();
    t->Label6->show();
    t->txtIP->show();
    t->cmdShutdownPS2->show();
    t->cmdAttach->setText(QStringLiteral("Refresh PS2"));
    t->cmdAttach->setFixedWidth(Twips(t, 1215));
    disableTargetButtons();
}

void Selection::cmbHD_Click()
{
    const int index = m_main.fmMain->cmbHD->currentIndex();
    const int count =
        std::min<int>(m_main.fmMain->cmbHD->count(), static_cast<int>(m_main.mnuHDD.size()));
    for (int i = 0; i < count; ++i)
        m_main.mnuHDD[i]->setEnabled(i != index);
}

void Selection::cmdAttach_Click()
{
    TargetPane* t = m_main.fmMain;
    if (toolMissing())
        return;
    const bool local = t->optLocal->isChecked();
    if (local && t->cmbHD->currentText().isEmpty()) {
        m_main.dialogs().message(QStringLiteral("No hard-drive selected."),
                                 Dialogs::Icon::Exclamation);
        return;
    }
    if (!local && t->txtIP->text().isEmpty()) {
        m_main.dialogs().message(
            QStringLiteral("Please enter the IP address of your PlayStation2."),
            Dialogs::Icon::Exclamation);
        return;
    }
    m_main.fmInstall->cmdAddGame->setEnabled(false);
    m_main.fmInstall->cmdInstall->setEnabled(false);
    if (!local)
        refill(t->cmbHD, &RunState::AwaitDiskList);
    m_main.state.AwaitGameTable = true;
    if (local) {
        m_main.HDL_Command({QStringLiteral("hdl_toc"), DeviceOf(t->cmbHD->currentText())});
        return;
    }
    const QString ip = t->txtIP->text();
    if (ProbePS2(m_main.icmp(), ip) == -1) {
        m_main.state.AwaitGameTable = false;
        m_main.dialogs().message(PS2NotFoundMessage(ip), Dialogs::Icon::Exclamation);
        return;
    }
    m_main.HDL_Command({QStringLiteral("hdl_toc"), ip});
}

void Selection::uncheckFlags()
{
    for (QAction* flag : m_main.mnuFlags)
        flag->setChecked(false);
}

void Selection::optOptical_Click()
{
    InstallPane* in = m_main.fmInstall;
    if (toolMissing()) {
        in->optISO->setChecked(true);
        return;
    }
    in->txtISO->setText(QString());
    in->txtISO->setEnabled(false);
    in->cmdISO->setEnabled(false);
    in->txtGameName->setEnabled(true);
    in->txtGameStartup->setEnabled(true);
    in->txtGameSize->setEnabled(true);
    in->cmbType->setCurrentIndex(1);
    in->cmbOptical->setEnabled(true);
    in->cmdCompat->setEnabled(false);
    refill(in->cmbOptical, &RunState::AwaitOpticalList);
    uncheckFlags();
}

void Selection::optISO_Click()
{
    InstallPane* in = m_main.fmInstall;
    in->cmbOptical->setCurrentIndex(-1);
    in->cmbOptical->setEnabled(false);
    in->cmdISO->setEnabled(true);
    in->txtISO->setEnabled(true);
    in->txtGameName->setText(QString());
    in->txtGameStartup->setText(QString());
    in->cmdCompat->setEnabled(false);
    in->cmdMakeISO->setEnabled(false);
    uncheckFlags();
}

void Selection::cmbOptical_Click()
{
    QComboBox* combo = m_main.fmInstall->cmbOptical;
    if (combo->currentIndex() == -1)
        return;
    if (toolMissing())
        return;
    m_main.state.AwaitDiscInfo = true;
    m_main.HDL_Command({QStringLiteral("cdvd_info"), DeviceOf(combo->currentText())});
}

void Selection::cmdISO_Click()
{
    InstallPane* in = m_main.fmInstall;
    if (toolMissing())
        return;
    FileDialogRequest request;
    request.directory = m_main.settings().read(QStringLiteral("DefaultISO"));
    request.defaultSuffix = QStringLiteral("*.iso");
    request.mustExist = true;
    request.filter = kImageFilter;
    const std::optional<QString> chosen = m_main.dialogs().openFile(request);
    if (!chosen || chosen->isEmpty()) {
        // A cancelled dialog also forgets an image chosen before.
        in->txtISO->setText(QString());
        in->txtGameName->setText(QString());
        in->txtGameStartup->setText(QString());
        in->txtGameSize->setText(QString());
        in->cmbType->setCurrentIndex(1);
        in->cmdCompat->setEnabled(false);
        return;
    }
    uncheckFlags();
    in->txtISO->setText(*chosen);
    m_main.state.AwaitDiscInfo = true;
    m_main.HDL_Command({QStringLiteral("cdvd_info"), *chosen});
}

void Selection::txtISO_Change()
{
    m_main.fmInstall->cmdCompat->setEnabled(!m_main.fmInstall->txtISO->text().isEmpty());
}

void Selection::cmdCompat_Click()
{
    QPushButton* b = m_main.fmInstall->cmdCompat;
    m_main.mnuCompat->popup(b->mapToGlobal(QPoint(0, b->height())));
}

void Selection::mnuDone_Click()
{
    m_main.mnuCompat->close();
}

void Selection::cmdShutdownPS2_Click()
{
    TargetPane* t = m_main.fmMain;
    if (toolMissing())
        return;
    const QString ip = t->txtIP->text();
    if (t->optLAN->isChecked() && ip.isEmpty()) {
        m_main.dialogs().message(
            QStringLiteral("Please enter the IP address of your PlayStation2."),
            Dialogs::Icon::Exclamation);
        return;
    }
    if (ProbePS2(m_main.icmp(), ip) == -1) {
        m_main.state.AwaitGameTable = false;
        m_main.dialogs().message(PS2NotFoundMessage(ip), Dialogs::Icon::Exclamation);
        return;
    }
    // The game table of a switched-off PS2 is no longer valid.
    disableTargetButtons();
    m_main.front().RunDirect({QStringLiteral("poweroff"), ip});
}

bool Selection::checkInstallFields()
{
    InstallPane* in = m_main.fmInstall;
    QString problem;
    if (in->optISO->isChecked() && in->txtISO->text().isEmpty())
        problem = QStringLiteral("Please select an ISO to install.");
    else if (in->optOptical->isChecked() && in->cmbOptical->currentText().isEmpty())
        problem = QStringLiteral("Please select an optical drive with a PS2 game cd\\dvd in it.");
    else if (in->txtGameName->text().isEmpty())
        problem = QStringLiteral("Please enter a name for the game to be added.");
    if (problem.isEmpty())
        return true;
    m_main.dialogs().message(problem, Dialogs::Icon::Exclamation);
    return false;
}

QString Selection::installSource() const
{
    InstallPane* in = m_main.fmInstall;
    return in->optISO->isChecked() ? in->txtISO->text() : DeviceOf(in->cmbOptical->currentText());
}

QString Selection::installTarget() const
{
    TargetPane* t = m_main.fmMain;
    return t->optLocal->isChecked() ? DeviceOf(t->cmbHD->currentText()) : t->txtIP->text();
}

void Selection::resetInstallPane()
{
    InstallPane* in = m_main.fmInstall;
    uncheckFlags();
    in->cmdCompat->setEnabled(false);
    in->txtISO->clear();
    in->txtGameName->clear();
    in->txtGameStartup->clear();
    in->txtGameSize->clear();
    in->cmbType->setCurrentIndex(1);
    in->cmbOptical->setCurrentIndex(-1);
}
