#include "LauncherEntry.h"

#include <QVariantMap>

QDBusMessage LauncherUpdateMessage(const LauncherState& state)
{
    QDBusMessage message = QDBusMessage::createSignal(
        QStringLiteral("/org/ventrik/Ventrik/LauncherEntry"),
        QStringLiteral("com.canonical.Unity.LauncherEntry"), QStringLiteral("Update"));
    const QVariantMap properties{
        {QStringLiteral("progress"), std::clamp(state.progress, 0.0, 1.0)},
        {QStringLiteral("progress-visible"), state.progressVisible},
        {QStringLiteral("count"), state.count},
        {QStringLiteral("count-visible"), state.countVisible},
    };
    message << QStringLiteral("application://org.ventrik.Ventrik.desktop") << properties;
    return message;
}

bool SendLauncherUpdate(const LauncherState& state, QDBusConnection bus)
{
    return bus.isConnected() && bus.send(LauncherUpdateMessage(state));
}
