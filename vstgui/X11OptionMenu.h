#pragma once

#include "vstgui/IPlatformOptionMenu.h"

#include <functional>

namespace VSTGUI {

class X11ImageWriter;
class X11PlatformFrame;

// Shows an option menu on X11: an override-redirect window at the menu view's place holding an
// OptionMenuPanel, with the pointer and keyboard grabbed, and a local event loop until an entry
// is chosen (press and release on it, or a release on it after moving there) or the menu is
// dismissed (Escape, a press outside, or the window system refusing the grab).
class X11OptionMenu : public IPlatformOptionMenu {
public:
    X11OptionMenu(X11PlatformFrame& owner, const X11ImageWriter& writer);

    int32_t popup(COptionMenu& menu) override;

    // Called once the menu window is shown and has the grabs, with its window id; tests send
    // their input from here.
    std::function<void(unsigned long menuWindow)> onShown;

private:
    X11PlatformFrame& owner;
    const X11ImageWriter& writer;
};

} // namespace VSTGUI
