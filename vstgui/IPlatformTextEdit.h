#pragma once

#include <string>

namespace VSTGUI {

// A text field of the window system over a CTextEdit, open while the control has the focus. It
// draws and edits itself; closing it (destroying this) takes it off the screen.
class IPlatformTextEdit {
public:
    virtual ~IPlatformTextEdit() = default;
    virtual std::string getText() const = 0;
};

} // namespace VSTGUI
