#pragma once

struct _XDisplay;

namespace platform {

// Catches the X protocol errors of one display connection for its lifetime. Xlib's default
// handler ends the process, so every request that may name a window the host has already
// destroyed runs under a trap. Errors of other connections, or of other threads, go on to the
// handler that was in place before. Traps nest; destruction waits for the server, so that no error
// of a trapped request arrives after the trap is gone.
class X11ErrorTrap {
public:
    explicit X11ErrorTrap(_XDisplay* display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    // Waits until the server has handled every request so far; true when none of the requests
    // made under this trap failed.
    bool sync();
    // The first error code seen (0 when none).
    int firstError() const { return errorCode; }

    // Xlib's error callback while any trap is in place; event is an XErrorEvent.
    static int handleError(_XDisplay* display, void* event);

private:
    _XDisplay* display;
    X11ErrorTrap* outer;
    int errorCode = 0;
};

} // namespace platform
