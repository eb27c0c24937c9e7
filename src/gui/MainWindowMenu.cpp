// The main window's menu bar: what each of its commands does, the user guide and About.
#include "BrowsePane.h"
#include "Dialogs.h"
#include "InstallController.h"
#include "MainMenu.h"
#include "MainWindow.h"
#include "NavigationPane.h"
#include "QueueEditor.h"
#include "SettingsWindow.h"
#include "TargetController.h"
#include "TargetPane.h"
#include "core/session/Session.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

void MainWindow::connectMenu()
{
    connect(m_menu, &MainMenu::addImagesAsked, m_installer, &InstallController::addImages);
    connect(m_menu, &MainMenu::addFolderAsked, m_installer, &InstallController::addFolder);
    connect(m_menu, &MainMenu::reportAsked, this, &MainWindow::saveDiagnosticReport);
    connect(m_menu, &MainMenu::quitAsked, this, &QWidget::close);
    connect(m_menu, &MainMenu::findAsked, this, [this] {
        m_navigation->setView(NavigationPane::View::Browse);
        m_browse->focusFilter();
    });
    connect(m_menu, &MainMenu::viewChosen, m_navigation, &NavigationPane::setView);
    connect(m_navigation, &NavigationPane::viewChosen, m_menu, &MainMenu::showView);
    connect(m_menu, &MainMenu::activityToggled, this, [this](bool shown) {
        m_navigation->setActivityShown(shown);
        setActivityVisible(shown);
    });
    connect(m_navigation, &NavigationPane::activityToggled, m_menu, &MainMenu::showActivity);
    // F5 reads the target again, as Refresh does.
    connect(m_menu, &MainMenu::refreshAsked, this, [this] {
        if (m_target->canAttach())
            m_targetControl->attachChosenTarget();
    });
    connect(m_menu, &MainMenu::startQueueAsked, this, &MainWindow::startJobQueue);
    connect(m_menu, &MainMenu::clearQueueAsked, m_queueEditor, &QueueEditor::clearAll);
    connect(m_menu, &MainMenu::settingsAsked, m_settingsWindow.get(), &SettingsWindow::present);
    connect(m_menu, &MainMenu::openLogAsked, this, &MainWindow::openLogFolder);
    connect(m_menu, &MainMenu::guideAsked, this, &MainWindow::openUserGuide);
    connect(m_menu, &MainMenu::aboutAsked, this, &MainWindow::showAbout);
    connect(&m_session, &Session::busyChanged, m_menu, &MainMenu::setBusy);
    m_menu->showView(NavigationPane::View::Install);
}

void MainWindow::openLogFolder()
{
    QDir().mkpath(m_session.log().folder());
    if (m_seams.openFolder)
        m_seams.openFolder(m_session.log().folder());
}

void MainWindow::openUserGuide()
{
    // The guide installed with the package, else the one beside a build of the sources.
    const QString here = QCoreApplication::applicationDirPath();
    for (const QString& guide : {here + QStringLiteral("/../share/doc/ventrik/README.md"),
                                 here + QStringLiteral("/../../README.md")}) {
        if (QFileInfo(guide).isFile()) {
            if (m_seams.openFolder)
                m_seams.openFolder(QFileInfo(guide).canonicalFilePath());
            return;
        }
    }
    m_seams.dialogs.message(tr("The user guide is not installed. It comes with the package, in "
                               "/usr/share/doc/ventrik/README.md."),
                            Dialogs::Icon::Information, tr("User Guide"));
}

void MainWindow::showAbout()
{
    const AppPaths& paths = m_session.paths();
    const QString version = m_session.usage().version();
    const QString tool =
        m_session.toolAvailable()
            ? (version.isEmpty() ? paths.toolPath
                                 : tr("%1, version %2").arg(paths.toolPath, version))
            : tr("not found (%1)").arg(paths.toolPath);
    m_seams.dialogs.message(
        tr("Ventrik %1\n\nInstalls PS2 games on a PS2 hard disk, attached to this PC or inside a "
           "PS2 on the network, and manages them, through the disk tool hdl_dump.\n\n"
           "Licence: proprietary; all rights reserved.\n\n"
           "hdl_dump: %2\nSettings: %3\nData: %4\nLogs: %5")
            .arg(QStringLiteral(VENTRIK_VERSION), tool, paths.configFile, paths.dataDir,
                 m_session.log().folder()),
        Dialogs::Icon::Information, tr("About Ventrik"));
}
