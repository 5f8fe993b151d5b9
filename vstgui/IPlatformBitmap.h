#pragma once

#include "vstgui/CPoint.h"
#include "vstgui/IPlatformBitmapPixelAccess.h"
#include "vstgui/ReferenceCounted.h"
#include "vstgui/SharedPointer.h"

#include <cstddef>
#include <memory>
#include <span>
#include <vector>

namespace VSTGUI {


// The pixels of a bitmap: premultiplied blue, green, red, alpha bytes, rows packed. Every back end
// draws with the same software renderer, so this is the only platform bitmap there is.
class IPlatformBitmap : public ReferenceCounted {
public:
    // Largest accepted side and pixel count; larger requests give no bitmap.
    static constexpr int32_t kMaxSide = 32768;
    static constexpr int64_t kMaxPixels = int64_t(1) << 26;

    // A transparent bitmap of size (whole pixels, truncated); null for a size outside 1..kMaxSide
    // in either direction, NaN included, or above kMaxPixels.
    static SharedPointer<IPlatformBitmap> create(CPoint* size);
    // Decodes the PNG file at absolutePath; null when it cannot be read or decoded.
    static SharedPointer<IPlatformBitmap> createFromPath(UTF8StringPtr absolutePath);
    // Decodes PNG bytes; null when they do not decode.
    static SharedPointer<IPlatformBitmap> createFromMemory(const void* data, size_t byteSize);
    // Decodes PNG bytes that live for the process (a module's resources) once: every bitmap made
    // from the same bytes shares the decoded pixels until it is written, whichever thread makes
    // or releases it. Null when they do not decode.
    static SharedPointer<IPlatformBitmap> createShared(std::span<const uint8_t> png);

    const CPoint& getSize() const { return size; }
    // Gives direct access to the pixels (premultiplied BGRA); alwaysAddAlpha is accepted for
    // compatibility: these bitmaps always have alpha.
    SharedPointer<IPlatformBitmapPixelAccess> lockPixels(bool alwaysAddAlpha);

    int32_t getPixelWidth() const { return width; }
    int32_t getPixelHeight() const { return height; }
    int32_t getBytesPerRow() const { return width * 4; }
    // Writable pixels: shared decoded pixels are copied first.
    uint8_t* getPixels();
    const uint8_t* getPixels() const { return pixels->data(); }
    // Whether the pixels are still those shared with other bitmaps of the same bytes.
    bool sharesPixels() const { return shared; }

    // True when every pixel is fully opaque (lets the renderer copy rows instead of blending).
    bool isOpaque() const;
    // Called after the pixels were written other than through the renderer.
    void pixelsChanged() { opaqueKnown = false; }

private:
    using Pixels = std::vector<uint8_t>;

    IPlatformBitmap(int32_t width, int32_t height, std::shared_ptr<Pixels> pixels, bool shared);

    int32_t width;
    int32_t height;
    CPoint size;
    std::shared_ptr<Pixels> pixels;
    bool shared;
    mutable bool opaqueKnown = false;
    mutable bool opaque = false;
};

} // namespace VSTGUI
