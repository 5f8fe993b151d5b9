#pragma once

#include <cstdint>

namespace VSTGUI {

class COptionMenu;

// Shows an option menu to the user and waits for the choice (a pop-up window of the back end, or
// a scripted choice in tests).
class IPlatformOptionMenu {
public:
    virtual ~IPlatformOptionMenu() = default;
    // The position of the chosen entry, separators counted, or -1 when the menu was dismissed.
    virtual int32_t popup(COptionMenu& menu) = 0;
};

} // namespace VSTGUI
