#pragma once

#include "vstgui/CBaseObject.h"

namespace VSTGUI {

// Sends kMsgTimer to its listener every fireTime milliseconds while it runs, on the
// user-interface thread that started it. The listener is not remembered.
class CVSTGUITimer : public CBaseObject {
public:
    // One object, so that receivers may compare the message pointer.
    static const IdStringPtr kMsgTimer;

    CVSTGUITimer(CBaseObject* timerObject, uint32_t fireTime = 100, bool doStart = false);
    ~CVSTGUITimer() override;

    bool start();
    bool stop();
    // Changes the period; a running timer restarts with it.
    bool setFireTime(uint32_t newFireTime);
    uint32_t getFireTime() const { return fireTime; }
    bool isRunning() const { return running; }

    // Called by the timer queue when the timer falls due.
    void fire();

private:
    CBaseObject* timerObject;
    uint32_t fireTime;
    bool running = false;
};

} // namespace VSTGUI
