#include "Colors.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

bool IsSystemColor(quint32 ole)
{
    return (ole & 0x80000000u) != 0;
}

QColor OleToColor(quint32 ole)
{
    const QPalette system = QApplication::palette();
    if (IsSystemColor(ole))
        return (ole & 0xff) == 0x12 ? system.color(QPalette::ButtonText)
                                    : system.color(QPalette::Button);
    return QColor(static_cast<int>(ole & 0xff), static_cast<int>((ole >> 8) & 0xff),
                  static_cast<int>((ole >> 16) & 0xff));
}

void ApplyColors(bool textMode, quint32 fore, quint32 back, const QList<QWidget*>& windows)
{
    const quint32 ole = textMode ? fore : back;
    const QPalette system = QApplication::palette();
    const QList<QPalette::ColorRole> roles =
        textMode
            ? QList<QPalette::ColorRole>{QPalette::WindowText, QPalette::Text, QPalette::ButtonText}
            : QList<QPalette::ColorRole>{QPalette::Window, QPalette::Button, QPalette::Base,
                                         QPalette::AlternateBase};
    for (QWidget* window : windows) {
        if (!window)
            continue;
        // Controls take the window's palette, so the window carries the colours.
        QPalette p = window->palette();
        for (QPalette::ColorRole role : roles) {
            const QColor c = IsSystemColor(ole) ? system.color(role) : OleToColor(ole);
            for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
                p.setColor(group, role, c);
            if (!IsSystemColor(ole) && !textMode)
                p.setColor(QPalette::Disabled, role, c);
            else if (IsSystemColor(ole))
                p.setColor(QPalette::Disabled, role, system.color(QPalette::Disabled, role));
        }
        window->setPalette(p);
    }
}
