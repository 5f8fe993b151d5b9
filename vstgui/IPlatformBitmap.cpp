#include "vstgui/IPlatformBitmap.h"

#include "vstgui/IPlatformBitmapPixelAccess.h"
#include "vstgui/PngCodec.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <mutex>

namespace VSTGUI {

namespace {
// Files larger than this are not images we could accept anyway.
constexpr long kMaxFileBytes = 256L * 1024 * 1024;

// The decoded pixels of PNG bytes that live for the process, by the bytes' address, for as long
// as some bitmap holds them.
struct SharedDecodes {
    struct Entry {
        size_t byteSize = 0;
        int32_t width = 0;
        int32_t height = 0;
        std::weak_ptr<std::vector<uint8_t>> pixels;
    };
    std::mutex mutex;
    std::map<const uint8_t*, Entry> entries;

    static SharedDecodes& instance()
    {
        static SharedDecodes decodes;
        return decodes;
    }
};

} // namespace

IPlatformBitmap::IPlatformBitmap(int32_t width, int32_t height, std::shared_ptr<Pixels> pixels, bool shared)
    : width(width), height(height), size(width, height), pixels(std::move(pixels)), shared(shared)
{
}

uint8_t* IPlatformBitmap::getPixels()
{
    if (shared) {
        pixels = std::make_shared<Pixels>(*pixels);
        shared = false;
    }
    return pixels->data();
}

SharedPointer<IPlatformBitmap> IPlatformBitmap::create(CPoint* requested)
{
    if (!requested)
        return nullptr;
    const double w = std::trunc(requested->x);
    const double h = std::trunc(requested->y);
    if (!(w >= 1 && w <= kMaxSide && h >= 1 && h <= kMaxSide) || w * h > double(kMaxPixels))
        return nullptr;
    return owned(new IPlatformBitmap(int32_t(w), int32_t(h), std::make_shared<Pixels>(size_t(w) * size_t(h) * 4, 0),
                                     false));
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
    return owned(new IPlatformBitmap(w, h, std::make_shared<Pixels>(std::move(premultiplied)), false));
}

SharedPointer<IPlatformBitmap> IPlatformBitmap::createShared(std::span<const uint8_t> png)
{
    if (png.empty())
        return nullptr;
    SharedDecodes& decodes = SharedDecodes::instance();
    std::lock_guard lock(decodes.mutex);
    SharedDecodes::Entry& entry = decodes.entries[png.data()];
    std::shared_ptr<Pixels> pixels = entry.byteSize == png.size() ? entry.pixels.lock() : nullptr;
    if (!pixels) {
        int32_t w = 0;
        int32_t h = 0;
        std::vector<uint8_t> premultiplied;
        if (!PngCodec::decode(png.data(), png.size(), w, h, premultiplied)) {
            decodes.entries.erase(png.data());
            return nullptr;
        }
        pixels = std::make_shared<Pixels>(std::move(premultiplied));
        entry = {png.size(), w, h, pixels};
    }
    return owned(new IPlatformBitmap(entry.width, entry.height, std::move(pixels), true));
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
        for (size_t i = 3; i < pixels->size(); i += 4) {
            if ((*pixels)[i] != 255) {
                opaque = false;
                break;
            }
        }
        opaqueKnown = true;
    }
    return opaque;
}

} // namespace VSTGUI
