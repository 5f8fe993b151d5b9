#pragma once

#include "vstgui/ReferenceCounted.h"
#include "vstgui/SharedPointer.h"

#include <cstdint>

namespace VSTGUI {

class IPlatformBitmap;

// A lock on a platform bitmap's pixels; the bitmap stays alive while the lock exists.
class IPlatformBitmapPixelAccess : public ReferenceCounted {
public:
    enum PixelFormat : int32_t { kARGB, kRGBA, kABGR, kBGRA };

    explicit IPlatformBitmapPixelAccess(IPlatformBitmap& bitmap);
    ~IPlatformBitmapPixelAccess() override;

    uint8_t* getAddress() const;
    int32_t getBytesPerRow() const;
    // Always kBGRA, premultiplied.
    PixelFormat getPixelFormat() const { return kBGRA; }

private:
    SharedPointer<IPlatformBitmap> bitmap;
};

} // namespace VSTGUI
