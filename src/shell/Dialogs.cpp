#include "Dialogs.h"

#include <QMessageBox>

namespace {
QMessageBox::Icon boxIcon(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::Critical:
        return QMessageBox::Critical;
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::Exclamation:
        break;
    }
    return QMessageBox::Warning;
}
} // namespace

void WidgetDialogs::message(const QString& text, Icon icon, const QString& title)
{
    QMessageBox box(boxIcon(icon), title.isEmpty() ? programTitle() : title, text, QMessageBox::Ok,
                    m_owner);
    box.exec();
}

Dialogs::Answer WidgetDialogs::question(const QString& text, Icon icon, const QString& title)
{
    QMessageBox box(boxIcon(icon), title.isEmpty() ? programTitle() : title, text,
                    QMessageBox::Yes | QMessageBox::No, m_owner);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}
