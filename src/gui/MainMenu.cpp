#include "MainMenu.h"

#include <QActionGroup>

MainMenu::MainMenu(QWidget* parent) : QMenuBar(parent)
{
    setObjectName(QStringLiteral("mainMenu"));
    QMenu* file = addMenu(tr("&File"));
    m_idleOnly << add(file, tr("Add &Images..."), "addImagesAction", &MainMenu::addImagesAsked,
                      QKeySequence::Open);
    m_idleOnly << add(file, tr("Add &Folder..."), "addFolderAction", &MainMenu::addFolderAsked);
    file->addSeparator();
    add(file, tr("Save &Diagnostic Report..."), "reportAction", &MainMenu::reportAsked);
    file->addSeparator();
    add(file, tr("&Quit"), "quitAction", &MainMenu::quitAsked, QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* edit = addMenu(tr("&Edit"));
    add(edit, tr("&Find Game"), "findAction", &MainMenu::findAsked, QKeySequence::Find);

    QMenu* view = addMenu(tr("&View"));
    auto* views = new QActionGroup(this);
    const QString names[] = {tr("&Install"), tr("&Browse"), tr("Job &Queue")};
    const char* objects[] = {"installViewAction", "browseViewAction", "queueViewAction"};
    for (int i = 0; i < 3; ++i) {
        m_views[i] =
            add(view, names[i], objects[i], nullptr, QKeySequence(Qt::CTRL | (Qt::Key_1 + i)));
        m_views[i]->setCheckable(true);
        views->addAction(m_views[i]);
    }
    view->addSeparator();
    m_activity = add(view, tr("&Activity"), "activityAction", nullptr);
    m_activity->setCheckable(true);
    view->addSeparator();
    m_idleOnly << add(view, tr("&Refresh"), "refreshAction", &MainMenu::refreshAsked,
                      QKeySequence::Refresh);

    QMenu* queue = addMenu(tr("&Queue"));
    m_idleOnly << add(queue, tr("&Start Job Queue"), "startQueueAction",
                      &MainMenu::startQueueAsked);
    m_idleOnly << add(queue, tr("&Clear Job Queue..."), "clearQueueAction",
                      &MainMenu::clearQueueAsked);

    QMenu* tools = addMenu(tr("&Tools"));
    add(tools, tr("&Settings && Tools..."), "settingsMenuAction", &MainMenu::settingsAsked,
        QKeySequence(Qt::CTRL | Qt::Key_Comma));
    add(tools, tr("Open &Log Folder"), "openLogAction", &MainMenu::openLogAsked);

    QMenu* help = addMenu(tr("&Help"));
    add(help, tr("&User Guide"), "guideAction", &MainMenu::guideAsked, QKeySequence::HelpContents);
    add(help, tr("&About Ventrik"), "aboutAction", &MainMenu::aboutAsked);

    for (int i = 0; i < 3; ++i)
        connect(m_views[i], &QAction::triggered, this,
                [this, i] { emit viewChosen(static_cast<NavigationPane::View>(i)); });
    connect(m_activity, &QAction::triggered, this, &MainMenu::activityToggled);
}

QAction* MainMenu::add(QMenu* menu, const QString& text, const char* name, Asked asked,
                       const QKeySequence& keys)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    if (asked)
        connect(action, &QAction::triggered, this, asked);
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
