#pragma once

#include "vstgui/IPlatformFrame.h"
#include "vstgui/RealTimeTimerClock.h"
#include "vstgui/X11ImageWriter.h"
#include "vstgui/X11OptionMenu.h"

#include <memory>

struct _XDisplay;
struct _XGC;
union _XEvent;

namespace VSTGUI {

// The Linux back end: a child window of the host's X11 window on a display connection of its
// own. Pixels are put from the frame's back buffer; input is taken from the connection at every
// frame idle (the host calls it often), so no thread is started. A press grabs the pointer (X's
// implicit grab) until the last button is released, so a drag keeps its events outside the
// window.
class X11PlatformFrame : public IPlatformFrame {
public:
    // Null when the display cannot be opened or the parent window does not exist.
    static std::unique_ptr<X11PlatformFrame> open(CFrame& frame, unsigned long parentWindow);
    ~X11PlatformFrame() override;

    void present(const IPlatformBitmap& pixels, const CRect& area) override;
    void setSize(const CRect& size) override;
    CPoint getCurrentMousePosition() const override;
    CButtonState getCurrentMouseButtons() const override;
    IPlatformOptionMenu* getOptionMenu() override { return &optionMenu; }
    void idle() override;
    // While a view has the focus the window takes the keyboard; then it hands it back to the
    // host's window.
    void setKeyboardFocus(bool wanted) override;

    _XDisplay* getDisplay() const { return display; }
    unsigned long getWindow() const { return window; }
    X11OptionMenu& getX11OptionMenu() { return optionMenu; }
    // Shows area of the back buffer again (the window lost those pixels).
    void repaint(const CRect& area);

private:
    X11PlatformFrame(CFrame& frame, _XDisplay* display, unsigned long parentWindow, unsigned long window,
                     unsigned long colormap, _XGC* gc, void* visual, int depth);

    void handleEvent(_XEvent& event);
    void handleKey(_XEvent& event);

    CFrame& frame;
    _XDisplay* display;
    unsigned long parentWindow;
    unsigned long window;
    unsigned long colormap;
    _XGC* gc;
    X11ImageWriter writer;
    X11OptionMenu optionMenu;
    bool windowDestroyed = false;
    bool keyboardFocus = false;
    RealTimeTimerClock timerClock;
};

} // namespace VSTGUI
