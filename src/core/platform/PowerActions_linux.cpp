#include "PowerActions.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusUnixFileDescriptor>

#include <unistd.h>

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

SystemPowerActions::~SystemPowerActions()
{
    ReleaseSleep();
}

bool SystemPowerActions::InhibitSleep(const QString& why, QString* error)
{
    if (m_lock >= 0)
        return true;
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        *error = QStringLiteral("no system bus: %1").arg(bus.lastError().message());
        return false;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep:idle") << QStringLiteral("Ventrik") << why
         << QStringLiteral("block");
    // Blocks this thread for at most 3 s without running the event loop.
    const QDBusMessage reply = bus.call(call, QDBus::Block, 3000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        *error = reply.errorMessage().isEmpty() ? QStringLiteral("logind did not answer")
                                                : reply.errorMessage();
        return false;
    }
    const auto fd = qdbus_cast<QDBusUnixFileDescriptor>(reply.arguments().first());
    // The lock lasts as long as a descriptor of it is open; the reply's own closes with it.
    m_lock = fd.isValid() ? ::dup(fd.fileDescriptor()) : -1;
    if (m_lock < 0) {
        *error = QStringLiteral("logind gave no lock");
        return false;
    }
    return true;
}

void SystemPowerActions::ReleaseSleep()
{
    if (m_lock >= 0)
        ::close(m_lock);
    m_lock = -1;
}
