#include "PowerActions.h"

#include <QDBusConnection>
#include <QDBusMessage>

namespace {
void askLogind(const QString& method)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), method);
    // false: no interactive authentication prompt.
    call << false;
    QDBusConnection::systemBus().send(call);
}
} // namespace

void SystemPowerActions::ShutdownPC()
{
    askLogind(QStringLiteral("PowerOff"));
}

void SystemPowerActions::SuspendPC()
{
    askLogind(QStringLiteral("Suspend"));
}
