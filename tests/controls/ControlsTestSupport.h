#pragma once

#include "platform/Shell.h"
#include "tests/vstgui/TestSupport.h"
#include "vstgui/COffscreenContext.h"

#include <climits>
#include <limits>

using namespace VSTGUI;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN(), kInf = std::numeric_limits<float>::infinity();

// Every message box shown while a MessageBoxRecorder lives, as "caption|text|flags", preceded by
// "owned|" when an owner window was given.
inline std::vector<std::string> shownBoxes;

struct MessageBoxRecorder {
    MessageBoxRecorder() { shownBoxes.clear(); }
    ~MessageBoxRecorder() { platform::setMessageBoxSink(previous); }
    platform::MessageBoxSink previous = platform::setMessageBoxSink([](HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
        shownBoxes.push_back(std::string(owner ? "owned|" : "") + caption + "|" + text + "|" + std::to_string(type));
        return 1;
    });
};

// Two states stacked: upper in the bitmap's upper half, lower in the rest.
inline SharedPointer<CBitmap> stacked(int32_t w, int32_t h, const CColor& upper, const CColor& lower)
{
    return testsupport::makeBitmap(w, h, [=](int32_t, int32_t y) { return y < h / 2 ? upper : lower; });
}

// The pixel bytes of a width x height offscreen context after paint.
inline std::vector<uint8_t> painted(CCoord width, CCoord height, const std::function<void(CDrawContext&)>& paint)
{
    auto context = COffscreenContext::create(nullptr, width, height);
    paint(*context);
    const IPlatformBitmap& pixels = *context->getBitmap()->getPlatformBitmap();
    return {pixels.getPixels(), pixels.getPixels() + size_t(pixels.getBytesPerRow()) * size_t(pixels.getPixelHeight())};
}
