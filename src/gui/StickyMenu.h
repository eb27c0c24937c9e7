#pragma once

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

// A pop-up menu whose checkable entries toggle without closing it, so several
// can be ticked in a row; any other entry closes it as usual.
class StickyMenu : public QMenu
{
    Q_OBJECT
public:
    using QMenu::QMenu;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QAction* a = actionAt(event->position().toPoint());
        if (a && a->isCheckable() && a->isEnabled()) {
            a->trigger();
            return;
        }
        QMenu::mouseReleaseEvent(event);
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        QAction* a = activeAction();
        const bool choose = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                            event->key() == Qt::Key_Space;
        if (choose && a && a->isCheckable() && a->isEnabled()) {
            a->trigger();
            return;
        }
        QMenu::keyPressEvent(event);
    }
};
