#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

namespace VSTGUI {

// The embedded Liberation Sans face (metric-compatible with Arial), measured and rasterised with
// stb_truetype. Loaded once, read-only afterwards, so any thread may use it.
class FontFace {
public:
    // Coverage of one glyph: left, top in device pixels, a width x height mask with stride.
    using GlyphSink = std::function<void(int32_t left, int32_t top, int32_t width, int32_t height,
                                         const uint8_t* coverage, int32_t stride)>;

    static const FontFace& standard();

    // Sizes are pixels per em; a size that is not positive and finite measures and draws nothing,
    // and sizes above kMaxPixelSize are drawn at kMaxPixelSize.
    static constexpr double kMaxPixelSize = 1024;

    double getStringWidth(std::string_view utf8, double pixelSize) const;
    // Height of a capital letter above the baseline.
    double getCapHeight(double pixelSize) const;
    // Rasterises the text with its baseline starting at (x, baselineY).
    void drawString(std::string_view utf8, double pixelSize, double x, double baselineY, const GlyphSink& sink) const;

    ~FontFace();

private:
    FontFace();
    struct Impl;
    std::unique_ptr<Impl> impl;
};

} // namespace VSTGUI
