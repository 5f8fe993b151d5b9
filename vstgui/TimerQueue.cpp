#include "vstgui/TimerQueue.h"

#include "vstgui/CVSTGUITimer.h"

#include "vstgui/SharedPointer.h"

#include <algorithm>

namespace VSTGUI {

TimerQueue& TimerQueue::forCurrentThread()
{
    thread_local TimerQueue queue;
    return queue;
}

void TimerQueue::add(CVSTGUITimer& timer, uint32_t periodMs)
{
    remove(timer);
    const uint32_t period = std::max<uint32_t>(periodMs, 1); // a zero period would never let time pass
    entries.push_back(Entry{&timer, clock + period, period, nextOrder++});
}

void TimerQueue::remove(CVSTGUITimer& timer)
{
    std::erase_if(entries, [&](const Entry& entry) { return entry.timer == &timer; });
}

bool TimerQueue::contains(const CVSTGUITimer& timer) const
{
    return std::any_of(entries.begin(), entries.end(), [&](const Entry& entry) { return entry.timer == &timer; });
}

void TimerQueue::advance(uint32_t ms)
{
    const uint64_t target = clock + ms;
    // Looked up afresh after every firing: a timer's listener may start, stop or destroy timers.
    for (;;) {
        auto next = std::min_element(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
            return a.due != b.due ? a.due < b.due : a.order < b.order;
        });
        if (next == entries.end() || next->due > target)
            break;
        clock = next->due;
        next->due += next->period;
        next->order = nextOrder++;
        SharedPointer<CVSTGUITimer> timer(next->timer);
        timer->fire();
    }
    clock = target;
}

} // namespace VSTGUI
