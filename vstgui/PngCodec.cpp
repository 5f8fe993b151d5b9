#include "vstgui/PngCodec.h"

#include "vstgui/IPlatformBitmap.h"

#include <stb_image.h>
#include <stb_image_write.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <span>

namespace VSTGUI {
namespace {

uint32_t bigEndian32(const uint8_t* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

struct Pass {
    uint32_t x0, y0, dx, dy;
};
constexpr Pass kWholePicture[] = {{0, 0, 1, 1}};
constexpr Pass kAdam7[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                           {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

// The inflated bytes that a header's rows take: per row a filter byte and its pixels' bits in whole
// bytes, counted per pass for an interlaced picture, where a pass without columns or rows has none.
size_t declaredDataSize(const uint8_t* header)
{
    static constexpr uint32_t kChannels[] = {1, 0, 3, 1, 2, 0, 4}; // per colour type; palette indices are one
    const uint32_t width = bigEndian32(header), height = bigEndian32(header + 4);
    const uint32_t bitsPerPixel = header[8] * (header[9] < 7 ? kChannels[header[9]] : 0);
    size_t size = 0;
    for (const Pass& pass : header[12] ? std::span<const Pass>(kAdam7) : std::span<const Pass>(kWholePicture)) {
        const size_t columns = (width + pass.dx - 1 - pass.x0) / pass.dx;
        const size_t rows = (height + pass.dy - 1 - pass.y0) / pass.dy;
        if (columns > 0)
            size += rows * (1 + (columns * bitsPerPixel + 7) / 8);
    }
    return size;
}

// Whether the IDAT data inflates to exactly the rows IHDR declares, inflated into a buffer of that
// size: stb_image grows its buffer for whatever the stream holds (a 1 x 1 picture can inflate to
// gigabytes) and accepts data beyond the rows. For bytes whose signature and IHDR stb_image has
// read; the walk refuses only what stb_image refuses too (a file that ends before IEND, a chunk
// that runs past the end, a second IHDR). Apple's CgBI pictures hold deflate data without zlib's
// header and checksum.
bool holdsDeclaredRows(const uint8_t* png, size_t byteSize)
{
    const uint8_t* header = nullptr;
    bool rawDeflate = false;
    std::vector<char> compressed;
    for (size_t at = 8;;) {
        if (byteSize - at < 8)
            return false;
        const uint32_t length = bigEndian32(png + at);
        const uint8_t* type = png + at + 4;
        const uint8_t* body = png + at + 8;
        if (std::memcmp(type, "IEND", 4) == 0)
            break;
        if (size_t(length) + 4 > byteSize - at - 8) // the chunk and its CRC
            return false;
        if (std::memcmp(type, "IHDR", 4) == 0) {
            if (header || length != 13)
                return false;
            header = body;
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
            compressed.insert(compressed.end(), body, body + length);
        } else if (std::memcmp(type, "CgBI", 4) == 0) {
            rawDeflate = true;
        }
        at += 12 + size_t(length);
    }
    const size_t declared = header ? declaredDataSize(header) : 0;
    if (declared == 0 || declared > size_t(INT_MAX))
        return false;
    const auto rows = std::make_unique_for_overwrite<char[]>(declared);
    const auto inflate = rawDeflate ? stbi_zlib_decode_noheader_buffer : stbi_zlib_decode_buffer;
    return inflate(rows.get(), int(declared), compressed.data(), int(compressed.size())) == int(declared);
}

} // namespace

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
    if (!readSize(data, byteSize, w, h) || !holdsDeclaredRows(static_cast<const uint8_t*>(data), byteSize))
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
