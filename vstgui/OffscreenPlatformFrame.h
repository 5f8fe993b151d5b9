#pragma once

#include "vstgui/CColor.h"
#include "vstgui/IDropTarget.h"
#include "vstgui/IPlatformFrame.h"

#include <string>
#include <vector>

namespace VSTGUI {

// The back end without a window: the frame's pixels stay in memory. Tests drive the mouse and
// the timers through it, read pixels and write PNG snapshots.
class OffscreenPlatformFrame : public IPlatformFrame {
public:
    explicit OffscreenPlatformFrame(CFrame& frame);

    // The offscreen back end of an open frame, or null.
    static OffscreenPlatformFrame* of(CFrame* frame);

    void present(const IPlatformBitmap& pixels, const CRect& area) override;
    void setSize(const CRect& size) override;
    CPoint getCurrentMousePosition() const override { return mousePosition; }
    CButtonState getCurrentMouseButtons() const override { return mouseButtons; }
    IPlatformOptionMenu* getOptionMenu() override { return optionMenu; }
    void setKeyboardFocus(bool wanted) override { keyboardFocus = wanted; }

    // Mouse input as a window would deliver it; the pointer position and buttons follow.
    CMouseEventResult mouseDown(const CPoint& where, const CButtonState& buttons);
    CMouseEventResult mouseMoved(const CPoint& where, const CButtonState& buttons);
    // The buttons are those released; afterwards no button is held.
    CMouseEventResult mouseUp(const CPoint& where, const CButtonState& buttons);
    bool wheel(const CPoint& where, float distance, const CButtonState& buttons = CButtonState());
    // A key press as a window would deliver it: the character, or a VKEY_ code with character 0.
    int32_t keyDown(int32_t character, unsigned char virt = 0, unsigned char modifier = 0);
    // Types each character of text as a key press.
    void type(const std::string& text);
    bool hasKeyboardFocus() const { return keyboardFocus; }
    // A drag over the frame, as a window system's drag and drop would deliver it.
    DragOperation dragEnter(const CPoint& where, const CButtonState& modifiers = CButtonState());
    DragOperation dragMove(const CPoint& where, const CButtonState& modifiers = CButtonState());
    void dragLeave(const CPoint& where, const CButtonState& modifiers = CButtonState());
    bool drop(const CPoint& where, const CButtonState& modifiers = CButtonState());
    // Advances this thread's timer clock, firing the timers that fall due.
    void advanceTime(uint32_t ms);

    // Borrowed: the presenter must outlive its use.
    void setOptionMenu(IPlatformOptionMenu* presenter) { optionMenu = presenter; }

    // A straight (not premultiplied) colour; transparent outside the frame.
    CColor getPixel(int32_t x, int32_t y) const;
    bool writePng(const std::string& path) const;
    // Areas painted since the last clear, in order.
    const std::vector<CRect>& getPresentedAreas() const { return presentedAreas; }
    void clearPresentedAreas() { presentedAreas.clear(); }

private:
    CFrame& frame;
    CPoint mousePosition;
    CButtonState mouseButtons;
    IPlatformOptionMenu* optionMenu = nullptr;
    std::vector<CRect> presentedAreas;
    bool keyboardFocus = false;
};

} // namespace VSTGUI
