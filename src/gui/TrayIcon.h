#pragma once

#include <QIcon>
#include <QObject>
#include <QString>

class QMenu;
class QSystemTrayIcon;
class SettingsFile;

// The notification-area icon. Tests replace it with a recorder.
class TrayIcon : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    virtual bool isAvailable() const = 0;
    virtual void add(const QString& tip, const QIcon& icon, QMenu* menu) = 0;
    virtual void remove() = 0;
    virtual bool isShown() const = 0;
    virtual void showMessage(const QString& title, const QString& text) = 0;
    // The end of a run, whatever the balloon setting: through the tray, or the desktop's
    // notification service when there is no tray.
    virtual void notify(const QString& title, const QString& text) = 0;

signals:
    void doubleClicked();
    // The user clicked a message or notification.
    void messageClicked();
};

class SystemTrayIcon : public TrayIcon
{
    Q_OBJECT
public:
    explicit SystemTrayIcon(QObject* parent = nullptr);
    ~SystemTrayIcon() override;
    bool isAvailable() const override;
    void add(const QString& tip, const QIcon& icon, QMenu* menu) override;
    void remove() override;
    bool isShown() const override;
    void showMessage(const QString& title, const QString& text) override;
    void notify(const QString& title, const QString& text) override;

private slots:
    void onNotificationAction(uint id, const QString& action);

private:
    QSystemTrayIcon* m_icon = nullptr;
    bool m_listening = false; // to the notification service's clicks
    uint m_notification = 0;
};

inline constexpr int kBalloonTextLimit = 255;
inline constexpr int kTrayTipLimit = 127;

void AddTrayIcon(TrayIcon& tray, const QString& tip, const QIcon& icon, QMenu* menu);
void RemoveTrayIcon(TrayIcon& tray);
// Shows text (cut to 255 characters) under the title "Ventrik" when the
// "BalloonTips" setting converts to 0.
void ShowBalloon(TrayIcon& tray, const SettingsFile& settings, const QString& text);
