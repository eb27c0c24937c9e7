#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QtGlobal>

// What the desktop's dock or task bar shows on the program's icon: a run's progress and
// the number of jobs waiting. KDE's and GNOME's docks read it from the launcher-entry
// signal (com.canonical.Unity.LauncherEntry).
struct LauncherState
{
    double progress = 0; // 0..1
    bool progressVisible = false;
    qint64 count = 0;
    bool countVisible = false;
    bool operator==(const LauncherState&) const = default;
};

// The signal that tells the docks; the program is named by its desktop file.
QDBusMessage LauncherUpdateMessage(const LauncherState& state);
// Sent on the session bus; false when there is none (nothing shows it then).
bool SendLauncherUpdate(const LauncherState& state,
                        QDBusConnection bus = QDBusConnection::sessionBus());
