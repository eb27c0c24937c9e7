#include "PowerActions.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
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
    // An answer still on its way lands nowhere.
    delete m_pending;
    m_pending = nullptr;
    ReleaseSleep();
}

void SystemPowerActions::InhibitSleep(const QString& why, InhibitDone done)
{
    m_wanted = true;
    if (m_lock >= 0) {
        done(true, {});
        return;
    }
    // Asked already: the answer to that question is this one's too.
    m_waiting << std::move(done);
    if (m_pending)
        return;
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        answer(false, QStringLiteral("no system bus: %1").arg(bus.lastError().message()));
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep:idle") << QStringLiteral("Ventrik") << why
         << QStringLiteral("block");
    m_pending = new QDBusPendingCallWatcher(bus.asyncCall(call, 3000));
    QObject::connect(
        m_pending, &QDBusPendingCallWatcher::finished, m_pending,
        [this](QDBusPendingCallWatcher* watcher) {
            const QDBusMessage reply = watcher->reply();
            watcher->deleteLater();
            m_pending = nullptr;
            if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
                answer(false, reply.errorMessage().isEmpty()
                                  ? QStringLiteral("logind did not answer")
                                  : reply.errorMessage());
                return;
            }
            const auto fd = qdbus_cast<QDBusUnixFileDescriptor>(reply.arguments().first());
            // The lock lasts as long as a descriptor of it is open; the reply's
            // own closes with it. Released before the answer: given back at once.
            if (fd.isValid() && m_wanted)
                m_lock = ::dup(fd.fileDescriptor());
            if (!m_wanted)
                m_waiting.clear();
            else if (m_lock < 0)
                answer(false, QStringLiteral("logind gave no lock"));
            else
                answer(true, {});
        });
}

void SystemPowerActions::answer(bool held, const QString& error)
{
    for (const InhibitDone& done : std::exchange(m_waiting, {}))
        done(held, error);
}

void SystemPowerActions::ReleaseSleep()
{
    m_wanted = false;
    if (m_lock >= 0)
        ::close(m_lock);
    m_lock = -1;
}
