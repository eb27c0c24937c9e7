#include "MainMenu.h"

#include <QActionGroup>

MainMenu::MainMenu(QWidget* parent) : QMenuBar(parent)
{
    setObjectName(QStringLiteral("mainMenu"));
    QMenu* file = addMenu(tr("&File"));
    m_idleOnly << add(file, tr("Add &Images..."), "addImagesAction", QKeySequence::Open);
    m_idleOnly << add(file, tr("Add &Folder..."), "addFolderAction");
    file->addSeparator();
    add(file, tr("Save &Diagnostic Report..."), "reportAction");
    file->addSeparator();
    add(file, tr("&Quit"), "quitAction", QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* edit = addMenu(tr("&Edit"));
    add(edit, tr("&Find Game"), "findAction", QKeySequence::Find);

    QMenu* view = addMenu(tr("&View"));
    auto* views = new QActionGroup(this);
    const QString names[] = {tr("&Install"), tr("&Browse"), tr("Job &Queue")};
    const char* objects[] = {"installViewAction", "browseViewAction", "queueViewAction"};
    for (int i = 0; i < 3; ++i) {
        m_views[i] = add(view, names[i], objects[i], QKeySequence(Qt::CTRL | (Qt::Key_1 + i)));
        m_views[i]->setCheckable(true);
        views->addAction(m_views[i]);
    }
    view->addSeparator();
    m_activity = add(view, tr("&Activity"), "activityAction");
    m_activity->setCheckable(true);
    view->addSeparator();
    m_idleOnly << add(view, tr("&Refresh"), "refreshAction", QKeySequence::Refresh);

    QMenu* queue = addMenu(tr("&Queue"));
    m_idleOnly << add(queue, tr("&Start Job Queue"), "startQueueAction");
    m_idleOnly << add(queue, tr("&Clear Job Queue..."), "clearQueueAction");

    QMenu* tools = addMenu(tr("&Tools"));
    add(tools, tr("&Settings && Tools..."), "settingsMenuAction",
        QKeySequence(Qt::CTRL | Qt::Key_Comma));
    add(tools, tr("Open &Log Folder"), "openLogAction");

    QMenu* help = addMenu(tr("&Help"));
    add(help, tr("&User Guide"), "guideAction", QKeySequence::HelpContents);
    add(help, tr("&About Ventrik"), "aboutAction");

    connect(findChild<QAction*>(QStringLiteral("addImagesAction")), &QAction::triggered, this,
            &MainMenu::addImagesAsked);
    connect(findChild<QAction*>(QStringLiteral("addFolderAction")), &QAction::triggered, this,
            &MainMenu::addFolderAsked);
    connect(findChild<QAction*>(QStringLiteral("reportAction")), &QAction::triggered, this,
            &MainMenu::reportAsked);
    connect(findChild<QAction*>(QStringLiteral("quitAction")), &QAction::triggered, this,
            &MainMenu::quitAsked);
    connect(findChild<QAction*>(QStringLiteral("findAction")), &QAction::triggered, this,
            &MainMenu::findAsked);
    for (int i = 0; i < 3; ++i)
        connect(m_views[i], &QAction::triggered, this,
                [this, i] { emit viewChosen(static_cast<NavigationPane::View>(i)); });
    connect(m_activity, &QAction::triggered, this, &MainMenu::activityToggled);
    connect(findChild<QAction*>(QStringLiteral("refreshAction")), &QAction::triggered, this,
            &MainMenu::refreshAsked);
    connect(findChild<QAction*>(QStringLiteral("startQueueAction")), &QAction::triggered, this,
            &MainMenu::startQueueAsked);
    connect(findChild<QAction*>(QStringLiteral("clearQueueAction")), &QAction::triggered, this,
            &MainMenu::clearQueueAsked);
    connect(findChild<QAction*>(QStringLiteral("settingsMenuAction")), &QAction::triggered, this,
            &MainMenu::settingsAsked);
    connect(findChild<QAction*>(QStringLiteral("openLogAction")), &QAction::triggered, this,
            &MainMenu::openLogAsked);
    connect(findChild<QAction*>(QStringLiteral("guideAction")), &QAction::triggered, this,
            &MainMenu::guideAsked);
    connect(findChild<QAction*>(QStringLiteral("aboutAction")), &QAction::triggered, this,
            &MainMenu::aboutAsked);
}

QAction* MainMenu::add(QMenu* menu, const QString& text, const char* name, const QKeySequence& keys)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    if (!keys.isEmpty())
        action->setShortcut(keys);
    return action;
}

void MainMenu::setBusy(bool busy)
{
    for (QAction* a : std::as_const(m_idleOnly))
        a->setEnabled(!busy);
}

void MainMenu::showView(NavigationPane::View view)
{
    m_views[static_cast<int>(view)]->setChecked(true);
}

void MainMenu::showActivity(bool shown)
{
    m_activity->setChecked(shown);
}
