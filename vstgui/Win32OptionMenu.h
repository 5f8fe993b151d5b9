#pragma once

#include "vstgui/IPlatformOptionMenu.h"

namespace VSTGUI {

class Win32PlatformFrame;

// Shows an option menu as a native pop-up menu (TrackPopupMenu) at the menu view's top-left
// corner; the call returns when the user chose or dismissed it.
class Win32OptionMenu : public IPlatformOptionMenu {
public:
    explicit Win32OptionMenu(Win32PlatformFrame& owner) : owner(owner) {}

    int32_t popup(COptionMenu& menu) override;

private:
    Win32PlatformFrame& owner;
};

} // namespace VSTGUI
