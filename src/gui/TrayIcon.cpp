#include "TrayIcon.h"

#include "core/settings/Settings.h"

#include <QMenu>
#include <QSystemTrayIcon>

SystemTrayIcon::SystemTrayIcon(QObject* parent) : TrayIcon(parent) {}

SystemTrayIcon::~SystemTrayIcon()
{
    delete m_icon;
}

bool SystemTrayIcon::isAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void SystemTrayIcon::add(const QString& tip, const QIcon& icon, QMenu* menu)
{
    if (!m_icon) {
        m_icon = new QSystemTrayIcon;
        connect(m_icon, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason r) {
                    if (r == QSystemTrayIcon::DoubleClick)
                        emit doubleClicked();
                });
    }
    m_icon->setIcon(icon);
    m_icon->setToolTip(tip);
    m_icon->setContextMenu(menu);
    m_icon->show();
}

void SystemTrayIcon::remove()
{
    if (m_icon)
        m_icon->hide();
}

bool SystemTrayIcon::isShown() const
{
    return m_icon && m_icon->isVisible();
}

void SystemTrayIcon::showMessage(const QString& title, const QString& text)
{
    if (m_icon && m_icon->isVisible())
        m_icon->showMessage(title, text, QSystemTrayIcon::Information);
}

void AddTrayIcon(TrayIcon& tray, const QString& tip, const QIcon& icon, QMenu* menu)
{
    tray.add(tip.left(kTrayTipLimit), icon, menu);
}

void RemoveTrayIcon(TrayIcon& tray)
{
    tray.remove();
}

void ShowBalloon(TrayIcon& tray, const SettingsFile& settings, const QString& text)
{
    if (!settings.balloonsOn())
        return;
    tray.showMessage(QStringLiteral("Ventrik"), text.left(kBalloonTextLimit));
}
