#pragma once

#include "platform/Shell.h"
#include "vstgui/COffscreenContext.h"

#include <functional>
#include <string>
#include <vector>

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

// The pixel bytes of a width x height offscreen context after paint.
inline std::vector<uint8_t> painted(VSTGUI::CCoord width, VSTGUI::CCoord height,
                                    const std::function<void(VSTGUI::CDrawContext&)>& paint)
{
    auto context = VSTGUI::COffscreenContext::create(nullptr, width, height);
    paint(*context);
    const VSTGUI::IPlatformBitmap& pixels = *context->getBitmap()->getPlatformBitmap();
    return {pixels.getPixels(), pixels.getPixels() + size_t(pixels.getBytesPerRow()) * size_t(pixels.getPixelHeight())};
}
