#include "platform/X11ErrorTrap.h"

#include <X11/Xlib.h>

#include <atomic>

namespace platform {
namespace {

using ErrorHandler = int (*)(Display*, XErrorEvent*);

thread_local X11ErrorTrap* innermostTrap = nullptr;
thread_local int trapDepth = 0;
// The handler that was installed before the first trap: errors that no trap claims go there.
std::atomic<ErrorHandler> handlerBeforeTraps{nullptr};

int dispatchError(Display* display, XErrorEvent* event);

} // namespace

X11ErrorTrap::X11ErrorTrap(Display* display) : display(display), outer(innermostTrap)
{
    // Requests made before the trap must not have their errors blamed on it.
    XSync(display, False);
    innermostTrap = this;
    if (trapDepth++ == 0) {
        const ErrorHandler previous = XSetErrorHandler(dispatchError);
        if (previous != dispatchError)
            handlerBeforeTraps.store(previous, std::memory_order_release);
    }
}

X11ErrorTrap::~X11ErrorTrap()
{
    XSync(display, False);
    innermostTrap = outer;
    if (--trapDepth == 0)
        XSetErrorHandler(handlerBeforeTraps.load(std::memory_order_acquire));
}

bool X11ErrorTrap::sync()
{
    XSync(display, False);
    return errorCode == 0;
}

int X11ErrorTrap::handleError(Display* errorDisplay, void* event)
{
    for (X11ErrorTrap* trap = innermostTrap; trap; trap = trap->outer) {
        if (trap->display == errorDisplay) {
            if (trap->errorCode == 0)
                trap->errorCode = static_cast<XErrorEvent*>(event)->error_code;
            return 0;
        }
    }
    const ErrorHandler previous = handlerBeforeTraps.load(std::memory_order_acquire);
    return previous ? previous(errorDisplay, static_cast<XErrorEvent*>(event)) : 0;
}

namespace {

int dispatchError(Display* display, XErrorEvent* event)
{
    return X11ErrorTrap::handleError(display, event);
}

} // namespace
} // namespace platform
