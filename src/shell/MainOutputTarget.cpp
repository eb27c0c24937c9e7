#include "MainOutputTarget.h"

#include "BrowsePane.h"
#include "InstallPane.h"
#include "TargetPane.h"
#include "frmMain.h"
#include "jobs/JobListModel.h"
#include "jobs/frmStatus.h"

#include <QGroupBox>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTreeWidget>

bool MainOutputTarget::targetIsLocal() const
{
    return m_main.fmMain->optLocal->isChecked();
}

bool MainOutputTarget::sourceIsOptical() const
{
    return m_main.fmInstall->optOptical->isChecked();
}

bool MainOutputTarget::sourceIsImage() const
{
    return m_main.fmInstall->optISO->isChecked();
}

void MainOutputTarget::addMainDisk(const QString& label)
{
    m_main.fmMain->cmbHD->addItem(label);
    m_main.fmMain->cmbHD->setCurrentIndex(0);
}

int MainOutputTarget::mainDiskCount() const
{
    return m_main.fmMain->cmbHD->count();
}

void MainOutputTarget::setCopyMenuEntry(int index, const QString& caption)
{
    if (index >= 0 && index < m_main.mnuHDD.size())
        m_main.mnuHDD[index]->setText(caption);
}

QString MainOutputTarget::copyMenuCaption(int index) const
{
    return index >= 0 && index < m_main.mnuHDD.size() ? m_main.mnuHDD[index]->text() : QString();
}

void MainOutputTarget::setCopyMenuEntryState(int index, bool visible, bool enabled)
{
    if (index < 0 || index >= m_main.mnuHDD.size())
        return;
    m_main.mnuHDD[index]->setVisible(visible);
    m_main.mnuHDD[index]->setEnabled(enabled);
}

void MainOutputTarget::addOptical(const QString& label)
{
    // Adding to the list selects nothing; the user picks the drive.
    QComboBox* combo = m_main.fmInstall->cmbOptical;
    const QSignalBlocker quiet(combo);
    const int selected = combo->currentIndex();
    combo->addItem(label);
    combo->setCurrentIndex(selected);
}

int MainOutputTarget::opticalCount() const
{
    return m_main.fmInstall->cmbOptical->count();
}

void MainOutputTarget::chooseImageSource()
{
    m_main.fmInstall->optISO->setChecked(true);
}

void MainOutputTarget::addFormatDisk(const QString&) {}

bool MainOutputTarget::opticalSelected() const
{
    return m_main.fmInstall->cmbOptical->currentIndex() >= 0;
}

void MainOutputTarget::deselectOptical()
{
    m_main.fmInstall->cmbOptical->setCurrentIndex(-1);
}

void MainOutputTarget::setDiscInfo(const QString& startup, const QString& name,
                                   const QString& sizeText)
{
    m_main.fmInstall->txtGameStartup->setText(startup);
    m_main.fmInstall->txtGameName->setText(name);
    m_main.fmInstall->txtGameSize->setText(sizeText);
}

QString MainOutputTarget::gameName() const
{
    return m_main.fmInstall->txtGameName->text();
}

void MainOutputTarget::setGameName(const QString& name)
{
    m_main.fmInstall->txtGameName->setText(name);
}

QString MainOutputTarget::imagePath() const
{
    return m_main.fmInstall->txtISO->text();
}

void MainOutputTarget::enableCompat()
{
    m_main.fmInstall->cmdCompat->setEnabled(true);
}

void MainOutputTarget::enableMakeIso()
{
    m_main.fmInstall->cmdMakeISO->setEnabled(true);
}

void MainOutputTarget::clearGames()
{
    m_main.fmMain->prgDiskSpace->setValue(0);
    m_main.fmMain->lblDiskSpace->setText(QString());
    m_main.fmBrowse->lstHD->clear();
}

void MainOutputTarget::addGames(const QList<parse::GameRow>& rows)
{
    QList<QTreeWidgetItem*> items;
    items.reserve(rows.size());
    for (const parse::GameRow& row : rows) {
        auto* item =
            new QTreeWidgetItem({row.title, row.startup, row.sizeText, row.type, row.flags});
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        items << item;
    }
    // One insertion for the whole table keeps a large disk quick to show.
    m_main.fmBrowse->lstHD->addTopLevelItems(items);
}

void MainOutputTarget::enableGameButtons(bool copyToHdd)
{
    m_main.fmBrowse->cmdBackupPC->setEnabled(true);
    m_main.fmBrowse->cmdBackupPS2->setEnabled(true);
    m_main.fmBrowse->cmdDelete->setEnabled(true);
    if (copyToHdd)
        m_main.fmBrowse->cmdBackupHDD->setEnabled(true);
}

void MainOutputTarget::enableInstallButtons()
{
    m_main.fmInstall->cmdAddGame->setEnabled(true);
    m_main.fmInstall->cmdInstall->setEnabled(true);
}

void MainOutputTarget::setDiskSpace(qint64 totalMb, qint64 usedMb, const QString& text)
{
    // The bar works in whole units of an int; large disks are shown in coarser units.
    qint64 total = std::max<qint64>(totalMb, 0);
    qint64 used = std::clamp<qint64>(usedMb, 0, total);
    while (total > 1000000000) {
        total /= 1024;
        used /= 1024;
    }
    m_main.fmMain->prgDiskSpace->setRange(0, static_cast<int>(total));
    m_main.fmMain->prgDiskSpace->setValue(static_cast<int>(used));
    m_main.fmMain->lblDiskSpace->setText(text);
}

int MainOutputTarget::gameCount() const
{
    return m_main.fmBrowse->lstHD->topLevelItemCount();
}

void MainOutputTarget::setBrowseCaption(const QString& caption)
{
    m_main.fmBrowse->setTitle(caption);
}

namespace {
// QProgressBar repaints at once when its value changes; progress arrives many
// times a second, so the bar joins the window's next regular paint instead.
void setBarValue(QProgressBar* bar, int value)
{
    bar->setUpdatesEnabled(false);
    bar->setValue(std::clamp(value, bar->minimum(), bar->maximum()));
    bar->setUpdatesEnabled(true);
}
} // namespace

void MainOutputTarget::setJobResult(int row, const QString& result)
{
    m_main.jobs().setResult(row, result);
}

int MainOutputTarget::jobCount() const
{
    return m_main.jobs().count();
}

void MainOutputTarget::setCurrentProgress(int percent, const QString& caption)
{
    setBarValue(m_main.status().prgCurrent, percent);
    m_main.status().fmCurrent->setTitle(caption);
}

int MainOutputTarget::currentProgress() const
{
    return m_main.status().prgCurrent->value();
}

void MainOutputTarget::setOverallProgress(int percent, const QString& caption)
{
    setBarValue(m_main.status().prgOverall, percent);
    m_main.status().fmOverall->setTitle(caption);
}

void MainOutputTarget::setRemaining(const QString& text)
{
    m_main.status().lblRemaining->setText(text);
}

void MainOutputTarget::setSpeed(const QString& text)
{
    m_main.status().lblSpeed->setText(text);
}

bool MainOutputTarget::statusMinimized() const
{
    return m_main.status().isMinimized();
}

void MainOutputTarget::setStatusCaption(const QString& caption)
{
    m_main.status().setWindowTitle(caption);
}
