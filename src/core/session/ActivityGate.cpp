#include "ActivityGate.h"

#include <memory>

void ActivityGate::setRules(Check needed, std::function<void()> began, std::function<void()> ended)
{
    m_needed = std::move(needed);
    m_began = std::move(began);
    m_ended = std::move(ended);
}

bool ActivityGate::ready()
{
    const std::optional<Problem> missing = m_needed ? m_needed() : std::nullopt;
    if (missing)
        emit problem(*missing);
    return !missing;
}

bool ActivityGate::begin(Activity activity)
{
    if (isBusy()) {
        emit problem({ProblemKind::Busy, {}, {}});
        return false;
    }
    if (!ready())
        return false;
    m_activity = activity;
    if (m_began)
        m_began();
    emit busyChanged(true);
    return true;
}

void ActivityGate::end()
{
    if (m_activity == Activity::None)
        return;
    if (m_ended)
        m_ended();
    m_activity = Activity::None;
    emit busyChanged(false);
}

void ActivityGate::whenIdle(std::function<void()> done)
{
    if (!isBusy()) {
        done();
        return;
    }
    auto once = std::make_shared<QMetaObject::Connection>();
    *once = connect(this, &ActivityGate::busyChanged, this, [once, done](bool busy) {
        if (busy)
            return;
        disconnect(*once);
        done();
    });
}
