#pragma once

#include <QString>

// Shutting the PC down or putting it into standby at the end of a run. Tests
// replace this with a recorder: nothing in a test may switch a machine off.
class PowerActions
{
public:
    virtual ~PowerActions() = default;
    virtual void ShutdownPC() = 0;
    virtual void SuspendPC() = 0;
    // Keeps the PC from sleeping or idling into standby until ReleaseSleep();
    // false with the reason when it cannot be.
    virtual bool InhibitSleep(const QString& why, QString* error) = 0;
    virtual void ReleaseSleep() = 0;
};

// The session manager's PowerOff and Suspend, asked without waiting for an answer.
// The inhibitor is logind's "sleep:idle" lock, held as the file descriptor it hands out.
class SystemPowerActions : public PowerActions
{
public:
    ~SystemPowerActions() override;
    void ShutdownPC() override;
    void SuspendPC() override;
    bool InhibitSleep(const QString& why, QString* error) override;
    void ReleaseSleep() override;

private:
    int m_lock = -1;
};
