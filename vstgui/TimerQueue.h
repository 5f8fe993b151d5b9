#pragma once

#include <cstdint>
#include <vector>

namespace VSTGUI {

class CVSTGUITimer;

// The running timers of one user-interface thread and that thread's timer clock. Timers fire
// only when the thread's back end (or a test) advances the clock, so they always fire on the
// thread that started them. The queue holds no references: a timer leaves it when it stops or dies.
class TimerQueue {
public:
    static TimerQueue& forCurrentThread();

    void add(CVSTGUITimer& timer, uint32_t periodMs);
    void remove(CVSTGUITimer& timer);
    bool contains(const CVSTGUITimer& timer) const;

    // Moves the clock forward by ms, firing every timer that falls due, in time order; a timer
    // whose period fits several times fires several times.
    void advance(uint32_t ms);
    uint64_t now() const { return clock; }

private:
    struct Entry {
        CVSTGUITimer* timer;
        uint64_t due;
        uint32_t period;
        uint64_t order;
    };

    std::vector<Entry> entries;
    uint64_t clock = 0;
    uint64_t nextOrder = 0;
};

} // namespace VSTGUI
