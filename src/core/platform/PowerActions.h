#pragma once

#include <QList>
#include <QString>

#include <functional>

class QDBusPendingCallWatcher;

// Shutting the PC down or putting it into standby at the end of a run. Tests
// replace this with a recorder: nothing in a test may switch a machine off.
class PowerActions
{
public:
    virtual ~PowerActions() = default;
    virtual void ShutdownPC() = 0;
    virtual void SuspendPC() = 0;
    using InhibitDone = std::function<void(bool held, const QString& error)>;
    // Asks that the PC not sleep or idle into standby until ReleaseSleep(); done gets the
    // answer once, on this thread, without this thread waiting for it. A release before the
    // answer gives the lock back as soon as it arrives.
    virtual void InhibitSleep(const QString& why, InhibitDone done) = 0;
    virtual void ReleaseSleep() = 0;
};

// The session manager's PowerOff and Suspend, asked without waiting for an answer.
// The inhibitor is logind's "sleep:idle" lock, held as the file descriptor it hands out,
// asked for without waiting.
class SystemPowerActions : public PowerActions
{
public:
    ~SystemPowerActions() override;
    void ShutdownPC() override;
    void SuspendPC() override;
    void InhibitSleep(const QString& why, InhibitDone done) override;
    void ReleaseSleep() override;

private:
    void answer(bool held, const QString& error);

    int m_lock = -1;
    QDBusPendingCallWatcher* m_pending = nullptr;
    QList<InhibitDone> m_waiting;
    bool m_wanted = false; // not released since it was asked for
};
