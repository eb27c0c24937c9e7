#include "TrayIcon.h"

#include "core/settings/Settings.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
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
        connect(m_icon, &QSystemTrayIcon::messageClicked, this, &TrayIcon::messageClicked);
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

void SystemTrayIcon::notify(const QString& title, const QString& text)
{
    if (m_icon && m_icon->isVisible()) {
        m_icon->showMessage(title, text, QSystemTrayIcon::Information);
        return;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    const QString service = QStringLiteral("org.freedesktop.Notifications");
    const QString path = QStringLiteral("/org/freedesktop/Notifications");
    if (!m_listening) {
        m_listening = true;
        bus.connect(service, path, service, QStringLiteral("ActionInvoked"), this,
                    SLOT(onNotificationAction(uint, QString)));
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, path, service, QStringLiteral("Notify"));
    // "default" is the action of a click on the notification itself.
    call << QStringLiteral("Ventrik") << m_notification << QStringLiteral("org.ventrik.Ventrik")
         << title << text << QStringList{QStringLiteral("default"), tr("Show Ventrik")}
         << QVariantMap() << qint32(-1);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        const QDBusPendingReply<uint> reply = *w;
        if (!reply.isError())
            m_notification = reply.value();
        w->deleteLater();
    });
}

void SystemTrayIcon::onNotificationAction(uint id, const QString& action)
{
    if (id == m_notification && action == QLatin1String("default"))
        emit messageClicked();
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
