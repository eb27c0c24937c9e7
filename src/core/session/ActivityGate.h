#pragma once

#include "Problem.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <optional>

// What runs now; None when the session is idle.
enum class Activity : std::uint8_t {
    None,
    ListingDevices,
    ReadingGames,
    ReadingDisc,
    Deleting,
    Modifying,     // a game renamed or its flags changed
    ReadingImages, // the discs of many images, for the queue
    Formatting,
    Restoring, // a partition table put back from a backup
    PoweringOff,
    RunningQueue,
    InstallingNow,
    CheckingQueue, // the targets of the queue are read before it starts
    Resuming,      // jobs of a run that ended with the program are looked for
    LauncherFiles, // the launcher's pictures, games' settings or memory cards
    Exiting,
};

// One thing at a time: an activity begins only while none runs and what every activity needs
// holds (the tool is there); whoever waits for the end is told.
class ActivityGate : public QObject
{
    Q_OBJECT
public:
    using Check = std::function<std::optional<Problem>()>;

    explicit ActivityGate(QObject* parent = nullptr) : QObject(parent) {}

    // What must hold before any activity (its problem when not), what is set up as one begins,
    // and what is put away as it ends.
    void setRules(Check needed, std::function<void()> began, std::function<void()> ended);
    bool isBusy() const { return m_activity != Activity::None; }
    Activity activity() const { return m_activity; }
    // False, with the problem told, while busy or when what is needed is missing.
    bool begin(Activity activity);
    void end();
    // What is needed alone: false, with its problem told.
    bool ready();
    // The same, nothing told.
    bool holds() const { return !m_needed || !m_needed(); }
    // done() once idle (at once when it is).
    void whenIdle(std::function<void()> done);

signals:
    void busyChanged(bool busy);
    void problem(const Problem& problem);

private:
    Activity m_activity = Activity::None;
    Check m_needed;
    std::function<void()> m_began;
    std::function<void()> m_ended;
};
