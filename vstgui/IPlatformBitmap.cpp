#include "vstgui/IPlatformBitmap.h"

#include "vstgui/IPlatformBitmapPixelAccess.h"
#include "vstgui/PngCodec.h"

#include <cmath>
#include <cstdio>

namespace VSTGUI {

namespace {
// Files larger than this are not images we could accept anyway.
constexpr long kMaxFileBytes = 256L * 1024 * 1024;
} // namespace

IPlatformBitmap::IPlatformBitmap(int32_t width, int32_t height)
    : width(width), height(height), size(width, height), pixels(size_t(width) * size_t(height) * 4, 0)
{
}

SharedPointer<IPlatformBitmap> IPlatformBitmap::create(CPoint* requested)
{
    if (!requested)
        return nullptr;
    const double w = std::trunc(requested->x);
    const double h = std::trunc(requested->y);
    if (!(w >= 1 && w <= kMaxSide && h >= 1 && h <= kMaxSide) || w * h > double(kMaxPixels))
        return nullptr;
    return owned(new IPlatformBitmap(int32_t(w), int32_t(h)));
}

SharedPointer<IPlatformBitmap> IPlatformBitmap::createFromPath(UTF8StringPtr absolutePath)
{
    if (!absolutePath)
        return nullptr;
    std::FILE* file = std::fopen(absolutePath, "rb");
    if (!file)
        return nullptr;
    std::vector<uint8_t> bytes;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long length = std::ftell(file);
        if (length > 0 && length <= kMaxFileBytes && std::fseek(file, 0, SEEK_SET) == 0) {
            bytes.resize(size_t(length));
            if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size())
                bytes.clear();
        }
    }
    std::fclose(file);
    return createFromMemory(bytes.data(), bytes.size());
}

SharedPointer<IPlatformBitmap> IPlatformBitmap::createFromMemory(const void* data, size_t byteSize)
{
    int32_t w = 0;
    int32_t h = 0;
    std::vector<uint8_t> premultiplied;
    if (!PngCodec::decode(data, byteSize, w, h, premultiplied))
        return nullptr;
    auto bitmap = owned(new IPlatformBitmap(w, h));
    bitmap->pixels = std::move(premultiplied);
    return bitmap;
}

SharedPointer<IPlatformBitmapPixelAccess> IPlatformBitmap::lockPixels(bool alwaysAddAlpha)
{
    (void)alwaysAddAlpha;
    pixelsChanged();
    return owned(new IPlatformBitmapPixelAccess(*this));
}

bool IPlatformBitmap::isOpaque() const
{
    if (!opaqueKnown) {
        opaque = true;
        for (size_t i = 3; i < pixels.size(); i += 4) {
            if (pixels[i] != 255) {
                opaque = false;
                break;
            }
        }
        opaqueKnown = true;
    }
    return opaque;
}

} // namespace VSTGUI
