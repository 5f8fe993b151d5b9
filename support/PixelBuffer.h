#pragma once

#include <cstdint>
#include <vector>

// One rectangular buffer of a raster canvas: colour buffers hold blue, green, red, alpha bytes
// (count = width x height x 4), intensity buffers one float per pixel (count = width x height).
// Pixel (x, y) is element y x width + x (times 4 for colour). Zero-filled at construction.
template <typename Element> struct PixelBuffer {
    PixelBuffer(uint32_t width, uint32_t height, uint32_t count)
        : width(width), height(height), count(count), data(count)
    {
    }

    uint32_t width;
    uint32_t height;
    uint32_t count;
    std::vector<Element> data;
};

using ColourBuffer = PixelBuffer<uint8_t>;
using IntensityBuffer = PixelBuffer<float>;
