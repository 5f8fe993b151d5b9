#include "vstgui/OffscreenPlatformFrame.h"

#include "vstgui/CFrame.h"
#include "vstgui/PngCodec.h"
#include "vstgui/TimerQueue.h"

namespace VSTGUI {

OffscreenPlatformFrame::OffscreenPlatformFrame(CFrame& frame) : frame(frame) {}

OffscreenPlatformFrame* OffscreenPlatformFrame::of(CFrame* frame)
{
    return frame ? dynamic_cast<OffscreenPlatformFrame*>(frame->getPlatformFrame()) : nullptr;
}

void OffscreenPlatformFrame::present(const IPlatformBitmap&, const CRect& area)
{
    presentedAreas.push_back(area);
}

void OffscreenPlatformFrame::setSize(const CRect&) {}

CMouseEventResult OffscreenPlatformFrame::mouseDown(const CPoint& where, const CButtonState& buttons)
{
    mousePosition = where;
    mouseButtons = buttons;
    CPoint point = where;
    return frame.onMouseDown(point, buttons);
}

CMouseEventResult OffscreenPlatformFrame::mouseMoved(const CPoint& where, const CButtonState& buttons)
{
    mousePosition = where;
    mouseButtons = buttons;
    CPoint point = where;
    return frame.onMouseMoved(point, buttons);
}

CMouseEventResult OffscreenPlatformFrame::mouseUp(const CPoint& where, const CButtonState& buttons)
{
    mousePosition = where;
    mouseButtons = CButtonState(buttons.getModifierState());
    CPoint point = where;
    return frame.onMouseUp(point, buttons);
}

bool OffscreenPlatformFrame::wheel(const CPoint& where, float distance, const CButtonState& buttons)
{
    mousePosition = where;
    return frame.onWheel(where, kMouseWheelAxisY, distance, buttons);
}

int32_t OffscreenPlatformFrame::keyDown(int32_t character, unsigned char virt, unsigned char modifier)
{
    VstKeyCode key{character, virt, modifier};
    return frame.onKeyDown(key);
}

void OffscreenPlatformFrame::type(const std::string& text)
{
    for (const char c : text)
        keyDown(uint8_t(c));
}

DragOperation OffscreenPlatformFrame::dragEnter(const CPoint& where, const CButtonState& modifiers)
{
    mousePosition = where;
    return frame.onDragEnter(where, modifiers);
}

DragOperation OffscreenPlatformFrame::dragMove(const CPoint& where, const CButtonState& modifiers)
{
    mousePosition = where;
    return frame.onDragMove(where, modifiers);
}

void OffscreenPlatformFrame::dragLeave(const CPoint& where, const CButtonState& modifiers)
{
    mousePosition = where;
    frame.onDragLeave(where, modifiers);
}

bool OffscreenPlatformFrame::drop(const CPoint& where, const CButtonState& modifiers)
{
    mousePosition = where;
    return frame.onDrop(where, modifiers);
}

void OffscreenPlatformFrame::advanceTime(uint32_t ms)
{
    TimerQueue::forCurrentThread().advance(ms);
}

CColor OffscreenPlatformFrame::getPixel(int32_t x, int32_t y) const
{
    const IPlatformBitmap* pixels = frame.getBackBuffer();
    if (!pixels || x < 0 || y < 0 || x >= pixels->getPixelWidth() || y >= pixels->getPixelHeight())
        return kTransparentCColor;
    const uint8_t* p = pixels->getPixels() + (size_t(y) * size_t(pixels->getPixelWidth()) + size_t(x)) * 4;
    const unsigned a = p[3];
    auto straight = [a](unsigned c) { return a == 0 ? uint8_t(0) : uint8_t((c * 255 + a / 2) / a); };
    return CColor(straight(p[2]), straight(p[1]), straight(p[0]), uint8_t(a));
}

bool OffscreenPlatformFrame::writePng(const std::string& path) const
{
    const IPlatformBitmap* pixels = frame.getBackBuffer();
    return pixels && PngCodec::writeFile(*pixels, path);
}

} // namespace VSTGUI
