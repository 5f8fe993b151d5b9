#include "vstgui/CVSTGUITimer.h"

#include "vstgui/TimerQueue.h"

namespace VSTGUI {

const IdStringPtr CVSTGUITimer::kMsgTimer = "timer fired";

CVSTGUITimer::CVSTGUITimer(CBaseObject* timerObject, uint32_t fireTime, bool doStart)
    : timerObject(timerObject), fireTime(fireTime)
{
    if (doStart)
        start();
}

CVSTGUITimer::~CVSTGUITimer()
{
    stop();
}

bool CVSTGUITimer::start()
{
    if (!running) {
        TimerQueue::forCurrentThread().add(*this, fireTime);
        running = true;
    }
    return true;
}

bool CVSTGUITimer::stop()
{
    if (running) {
        TimerQueue::forCurrentThread().remove(*this);
        running = false;
    }
    return true;
}

bool CVSTGUITimer::setFireTime(uint32_t newFireTime)
{
    fireTime = newFireTime;
    if (running) {
        stop();
        start();
    }
    return true;
}

void CVSTGUITimer::fire()
{
    if (running && timerObject)
        timerObject->notify(this, kMsgTimer);
}

} // namespace VSTGUI
