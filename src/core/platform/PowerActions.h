#pragma once

// Shutting the PC down or putting it into standby at the end of a run. Tests
// replace this with a recorder: nothing in a test may switch a machine off.
class PowerActions
{
public:
    virtual ~PowerActions() = default;
    virtual void ShutdownPC() = 0;
    virtual void SuspendPC() = 0;
};

// The session manager's PowerOff and Suspend, asked without waiting for an answer.
class SystemPowerActions : public PowerActions
{
public:
    void ShutdownPC() override;
    void SuspendPC() override;
};
