#include "vstgui/PngCodec.h"

#include "vstgui/IPlatformBitmap.h"

#include <stb_image.h>
#include <stb_image_write.h>

#include <algorithm>
#include <climits>
#include <cstdio>

namespace VSTGUI {

bool PngCodec::readSize(const void* data, size_t byteSize, int32_t& width, int32_t& height)
{
    if (!data || byteSize == 0 || byteSize > size_t(INT_MAX))
        return false;
    int w = 0;
    int h = 0;
    int channels = 0;
    // Refused before decoding: a small file can claim a picture of gigabytes.
    if (!stbi_info_from_memory(static_cast<const stbi_uc*>(data), int(byteSize), &w, &h, &channels) || w < 1 ||
        h < 1 || int64_t(w) * h > IPlatformBitmap::kMaxPixels || w > IPlatformBitmap::kMaxSide ||
        h > IPlatformBitmap::kMaxSide)
        return false;
    width = w;
    height = h;
    return true;
}

bool PngCodec::decode(const void* data, size_t byteSize, int32_t& width, int32_t& height,
                      std::vector<uint8_t>& pixels)
{
    int w = 0;
    int h = 0;
    int channels = 0;
    if (!readSize(data, byteSize, w, h))
        return false;
    stbi_uc* rgba = stbi_load_from_memory(static_cast<const stbi_uc*>(data), int(byteSize), &w, &h,
                                          &channels, 4);
    if (!rgba)
        return false;
    const size_t count = size_t(w) * size_t(h);
    pixels.resize(count * 4);
    for (size_t i = 0; i < count; ++i) {
        const unsigned a = rgba[i * 4 + 3];
        pixels[i * 4 + 0] = uint8_t((rgba[i * 4 + 2] * a + 127) / 255);
        pixels[i * 4 + 1] = uint8_t((rgba[i * 4 + 1] * a + 127) / 255);
        pixels[i * 4 + 2] = uint8_t((rgba[i * 4 + 0] * a + 127) / 255);
        pixels[i * 4 + 3] = uint8_t(a);
    }
    stbi_image_free(rgba);
    width = w;
    height = h;
    return true;
}

std::vector<uint8_t> PngCodec::encode(const IPlatformBitmap& bitmap)
{
    const int32_t w = bitmap.getPixelWidth();
    const int32_t h = bitmap.getPixelHeight();
    const uint8_t* source = bitmap.getPixels();
    std::vector<uint8_t> rgba(size_t(w) * size_t(h) * 4);
    for (size_t i = 0; i < size_t(w) * size_t(h); ++i) {
        const unsigned a = source[i * 4 + 3];
        for (int c = 0; c < 3; ++c) {
            const unsigned premultiplied = source[i * 4 + 2 - c];
            rgba[i * 4 + c] = a == 0 ? 0 : uint8_t(std::min(255u, (premultiplied * 255 + a / 2) / a));
        }
        rgba[i * 4 + 3] = uint8_t(a);
    }
    std::vector<uint8_t> png;
    auto append = [](void* context, void* bytes, int size) {
        auto* out = static_cast<std::vector<uint8_t>*>(context);
        const auto* first = static_cast<const uint8_t*>(bytes);
        out->insert(out->end(), first, first + size);
    };
    if (!stbi_write_png_to_func(append, &png, w, h, 4, rgba.data(), w * 4))
        png.clear();
    return png;
}

bool PngCodec::writeFile(const IPlatformBitmap& bitmap, const std::string& path)
{
    const std::vector<uint8_t> png = encode(bitmap);
    if (png.empty())
        return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && written;
}

} // namespace VSTGUI
