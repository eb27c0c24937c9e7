#include "WindowPlacement.h"

#include <QWidget>

namespace {
void setOnTop(QWidget* window, bool onTop)
{
    if (!window || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    // Changing a window's flags hides it; a shown window is shown again where it was.
    const bool shown = window->isVisible();
    const bool minimized = window->isMinimized();
    const QPoint where = window->pos();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (shown) {
        window->move(where);
        if (minimized)
            window->showMinimized();
        else
            window->show();
    }
}
} // namespace

void SetTopmost(QWidget* window)
{
    setOnTop(window, true);
}

void ClearTopmost(QWidget* window)
{
    setOnTop(window, false);
}

void CentreOver(QWidget* window, const QWidget* owner)
{
    const QRect o = owner->frameGeometry();
    window->adjustSize();
    window->move(o.x() + o.width() / 2 - window->frameGeometry().width() / 2,
                 o.y() + o.height() / 2 - window->frameGeometry().height() / 2);
}
