#include "tools/font-gen/FontImage.h"

#include "support/FontCharset.h"
#include "vstgui/FontFace.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

namespace {

// One glyph cut out of its own scratch row: coverage columns, rows packed.
struct Cell {
    int32_t width = 0;
    std::vector<uint8_t> coverage;
};

Cell renderCell(char character, int32_t height)
{
    const VSTGUI::FontFace& face = VSTGUI::FontFace::standard();
    // Ascent and descent of the face fill rows 1 to height - 1; row 0 stays free for the markers.
    const double pixelSize = height * 0.82;
    const double baseline = std::floor(height * 0.79);
    const std::string_view text(&character, 1);
    const int32_t advance = std::max(1, int32_t(std::ceil(face.getStringWidth(text, pixelSize))));
    constexpr int32_t kOrigin = 8;
    const int32_t scratchWidth = advance + 2 * kOrigin;
    std::vector<uint8_t> scratch(size_t(scratchWidth) * size_t(height), 0);
    int32_t inkLeft = kOrigin, inkRight = kOrigin + advance;
    if (character != ' ') {
        face.drawString(text, pixelSize, kOrigin, baseline,
                        [&](int32_t left, int32_t top, int32_t w, int32_t h, const uint8_t* src, int32_t stride) {
                            for (int32_t y = 0; y < h; ++y) {
                                for (int32_t x = 0; x < w; ++x) {
                                    const int32_t sx = left + x, sy = top + y;
                                    if (sx < 0 || sy < 1 || sx >= scratchWidth || sy >= height || !src[y * stride + x])
                                        continue;
                                    uint8_t& cell = scratch[size_t(sy) * size_t(scratchWidth) + size_t(sx)];
                                    cell = std::max(cell, src[y * stride + x]);
                                    inkLeft = std::min(inkLeft, sx);
                                    inkRight = std::max(inkRight, sx + 1);
                                }
                            }
                        });
    }
    Cell cell;
    cell.width = inkRight - inkLeft;
    cell.coverage.resize(size_t(cell.width) * size_t(height));
    for (int32_t y = 0; y < height; ++y)
        std::copy_n(&scratch[size_t(y) * size_t(scratchWidth) + size_t(inkLeft)], cell.width,
                    &cell.coverage[size_t(y) * size_t(cell.width)]);
    return cell;
}

} // namespace

VSTGUI::SharedPointer<VSTGUI::IPlatformBitmap> FontImage::render(int32_t height)
{
    if (height < 8 || height > 200)
        return nullptr;
    std::vector<Cell> cells;
    int32_t width = 0;
    for (int32_t i = 0; i < kGlyphCount; ++i) {
        cells.push_back(renderCell(fontCharset[i], height));
        width += cells.back().width + 1;
    }
    width = (width + 3) / 4 * 4;
    VSTGUI::CPoint size(width, height);
    auto bitmap = VSTGUI::IPlatformBitmap::create(&size);
    if (!bitmap)
        return nullptr;
    uint8_t* pixels = bitmap->getPixels();
    const auto pixel = [&](int32_t x, int32_t y) { return pixels + (size_t(y) * size_t(width) + size_t(x)) * 4; };
    int32_t column = 0;
    for (const Cell& cell : cells) {
        // White at the glyph's coverage, premultiplied: every byte carries the coverage.
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < cell.width; ++x)
                std::fill_n(pixel(column + x, y), 4, cell.coverage[size_t(y) * size_t(cell.width) + size_t(x)]);
        column += cell.width;
        uint8_t* marker = pixel(column, 0);
        marker[0] = 255, marker[1] = 0, marker[2] = 255, marker[3] = 255;
        ++column;
    }
    bitmap->pixelsChanged();
    return bitmap;
}
