#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace VSTGUI {

class IPlatformBitmap;

// PNG to and from the toolkit's premultiplied BGRA pixels (stb_image, stb_image_write).
class PngCodec {
public:
    // Decodes PNG bytes into width x height premultiplied BGRA pixels; false for anything that is
    // not a decodable PNG (null or truncated data included) or larger than a bitmap may be.
    static bool decode(const void* data, size_t byteSize, int32_t& width, int32_t& height,
                       std::vector<uint8_t>& pixels);
    // Reads the picture's size from its header alone; false where decode would refuse it for
    // what the header says.
    static bool readSize(const void* data, size_t byteSize, int32_t& width, int32_t& height);
    // Encodes a bitmap as PNG (straight RGBA); empty on failure.
    static std::vector<uint8_t> encode(const IPlatformBitmap& bitmap);
    // Writes the bitmap as a PNG file; false when it cannot be written.
    static bool writeFile(const IPlatformBitmap& bitmap, const std::string& path);
};

} // namespace VSTGUI
