#pragma once

// A host's window for the editor in a real window system (X11 under the test stage's Xvfb, Win32
// under wine's null graphics driver), the input a user gives the editor in it, and what a screen
// grab of it shows. Positions are the editor's.

#include "vstgui/CPoint.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace editortest {

class EditorHostWindow {
public:
    virtual ~EditorHostWindow() = default;
    // The window handed to the editor-open opcode.
    virtual void* parent() = 0;
    virtual void pump() = 0;
    enum class Input { press, move, release };
    virtual void send(Input input, VSTGUI::CPoint at, int32_t buttons) = 0;
    // The editor window's pixels as blue, green, red, unused; empty when there is none.
    virtual std::vector<uint8_t> capture(int32_t width, int32_t height) = 0;
    // The editor window's size, and the host window's outer size.
    virtual VSTGUI::CPoint editorWindowSize() = 0;
    virtual VSTGUI::CPoint parentSize() = 0;
    virtual int childWindows() = 0;
    virtual int openHandles() = 0; // display connections, GDI objects and the like
    // Right-clicks at `at` and, once the size menu shows, chooses its entry `index`; idle is the
    // host's editor idle, during which the menu is up.
    virtual void chooseFromMenu(VSTGUI::CPoint at, int32_t index, const std::function<void()>& idle) = 0;
};

// Null (the test skips) where the test stage prepared no window system.
std::unique_ptr<EditorHostWindow> makeEditorHostWindow(int32_t width, int32_t height);

} // namespace editortest
