#pragma once

#include "NavigationPane.h"

#include <QMenuBar>

class QAction;

// The main window's menu bar: every command of the panes once more, with the desktop's
// standard shortcuts (Ctrl+Q, Ctrl+F, Ctrl+,, F1, F5). It only asks; the window decides.
class MainMenu : public QMenuBar
{
    Q_OBJECT
public:
    explicit MainMenu(QWidget* parent = nullptr);

    // Greyed while something runs: what would be refused then.
    void setBusy(bool busy);
    void showView(NavigationPane::View view);
    void showActivity(bool shown);

signals:
    void addImagesAsked();
    void addFolderAsked();
    void reportAsked();
    void quitAsked();
    void findAsked();
    void viewChosen(NavigationPane::View view);
    void activityToggled(bool shown);
    void refreshAsked();
    void startQueueAsked();
    void clearQueueAsked();
    void settingsAsked();
    void openLogAsked();
    void guideAsked();
    void aboutAsked();

private:
    using Asked = void (MainMenu::*)();
    // An item of a menu, telling asked when it is chosen (none: the caller connects it).
    QAction* add(QMenu* menu, const QString& text, const char* name, Asked asked,
                 const QKeySequence& keys = {});

    QList<QAction*> m_idleOnly;
    QAction* m_views[3] = {};
    QAction* m_activity = nullptr;
};
