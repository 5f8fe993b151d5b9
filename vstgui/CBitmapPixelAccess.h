#pragma once

#include "vstgui/IPlatformBitmapPixelAccess.h"
#include "vstgui/ReferenceCounted.h"
#include "vstgui/SharedPointer.h"

namespace VSTGUI {

class CBitmap;

// Direct access to a bitmap's premultiplied BGRA pixels, rows packed.
class CBitmapPixelAccess : public ReferenceCounted {
public:
    // A new accessor carrying one reference for the caller, or null when the bitmap has no pixels.
    static CBitmapPixelAccess* create(CBitmap* bitmap, bool alwaysAddAlpha = true);

    uint8_t* getAddress() const { return pixelAccess->getAddress(); }
    int32_t getBytesPerRow() const { return pixelAccess->getBytesPerRow(); }
    IPlatformBitmapPixelAccess::PixelFormat getPixelFormat() const { return pixelAccess->getPixelFormat(); }
    int32_t getBitmapWidth() const { return width; }
    int32_t getBitmapHeight() const { return height; }
    IPlatformBitmapPixelAccess* getPlatformBitmapPixelAccess() const { return pixelAccess.get(); }

private:
    CBitmapPixelAccess(SharedPointer<IPlatformBitmapPixelAccess> access, int32_t width, int32_t height);

    SharedPointer<IPlatformBitmapPixelAccess> pixelAccess;
    int32_t width;
    int32_t height;
};

} // namespace VSTGUI
