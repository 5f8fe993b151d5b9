#pragma once

#include "platform/Shell.h"
#include "vstgui/COffscreenContext.h"

#include <functional>
#include <string>
#include <vector>

// Takes the place of the platform's message box for its lifetime and records every box as
// "caption|text|flags", preceded by "owned|" when an owner window was given.
struct MessageBoxRecorder {
    MessageBoxRecorder() { shown().clear(); }
    ~MessageBoxRecorder() { platform::setMessageBoxSink(previous); }
    static std::vector<std::string>& shown()
    {
        static std::vector<std::string> boxes;
        return boxes;
    }
    static int record(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
    {
        shown().push_back(std::string(owner ? "owned|" : "") + caption + "|" + text + "|" + std::to_string(type));
        return 1;
    }
    platform::MessageBoxSink previous = platform::setMessageBoxSink(&record);
};

// The pixel bytes of a width x height offscreen context after paint.
inline std::vector<uint8_t> painted(VSTGUI::CCoord width, VSTGUI::CCoord height, const std::function<void(VSTGUI::CDrawContext&)>& paint)
{
    auto context = VSTGUI::COffscreenContext::create(nullptr, width, height);
    paint(*context);
    const VSTGUI::IPlatformBitmap& pixels = *context->getBitmap()->getPlatformBitmap();
    return {pixels.getPixels(), pixels.getPixels() + size_t(pixels.getBytesPerRow()) * size_t(pixels.getPixelHeight())};
}
