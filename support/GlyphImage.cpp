#include "support/GlyphImage.h"

#include "platform/Shell.h"

#include "vstgui/CBitmap.h"
#include "vstgui/IPlatformBitmapPixelAccess.h"

#include <algorithm>
#include <cstdio>

namespace {

// Right edges of the glyphs of the built-in layouts, 20, 16 and 28 pixels high.
constexpr int32_t kLayoutHeights[GlyphImage::kBuiltInLayouts] = {20, 16, 28};
constexpr int16_t kLayoutRightEdges[GlyphImage::kBuiltInLayouts][kGlyphCount] = {
    {3,   14,  22,  32,  42,  50,  57,  68,  77,  80,  87,  96,  103, 115, 125, 137, 145, 157, 165,
     173, 182, 191, 200, 215, 224, 234, 243, 250, 258, 265, 273, 281, 287, 296, 303, 307, 312, 319,
     322, 334, 342, 351, 359, 367, 373, 379, 385, 392, 399, 411, 418, 426, 433, 439, 447, 455, 464,
     472, 480, 488, 496, 504, 512, 516, 528, 536, 544, 557, 565, 575, 582, 586, 590, 598, 603, 612,
     621, 625, 629, 635, 641, 645, 649, 655, 658, 664, 667, 671, 680, 689, 693, 700},
    {3,   11,  17,  24,  32,  38,  44,  52,  59,  62,  67,  73,  78,  87,  95,  104, 110, 119, 125,
     131, 138, 145, 153, 164, 170, 178, 185, 190, 196, 201, 207, 213, 218, 224, 229, 232, 236, 241,
     244, 253, 259, 265, 271, 277, 281, 286, 291, 296, 302, 311, 317, 323, 328, 333, 339, 345, 351,
     357, 363, 369, 375, 381, 387, 390, 399, 405, 411, 421, 428, 436, 441, 445, 448, 454, 458, 464,
     471, 474, 477, 481, 485, 488, 491, 496, 499, 504, 507, 510, 517, 524, 527, 532},
    {5,   18,  28,  40,  52,  62,  71,  84,  95,  99,  108, 119, 128, 142, 154, 168, 178, 192, 202,
     211, 222, 233, 245, 263, 274, 285, 296, 305, 315, 324, 334, 343, 350, 360, 369, 373, 379, 387,
     390, 404, 413, 423, 433, 443, 450, 458, 465, 474, 484, 499, 509, 519, 527, 534, 544, 553, 563,
     573, 583, 593, 603, 613, 623, 627, 641, 651, 661, 677, 688, 701, 709, 714, 719, 729, 735, 746,
     757, 762, 767, 774, 781, 786, 790, 797, 800, 807, 811, 816, 827, 838, 843, 851},
};

constexpr uint8_t kMarkerLeast = 121;
constexpr uint8_t kMarkerGreenMost = 119;

} // namespace

GlyphImage::GlyphImage(int32_t width, int32_t height) : RasterCanvas(width, height, 1, 1)
{
    const uint64_t count = uint64_t(std::max(width, 0)) * uint64_t(std::max(height, 0));
    // The font accepts images below 10000 x 1000 pixels only; anything larger gets no mask.
    if (count < 10000ull * 1000ull) {
        mask.assign(size_t(count), 0);
        maskSize = uint32_t(count);
    }
}

GlyphImage::~GlyphImage()
{
    mask.clear();
    maskSize = 0;
}

int32_t GlyphImage::builtInLayoutHeight(int32_t selector)
{
    return selector >= 0 && selector < kBuiltInLayouts ? kLayoutHeights[selector] : 0;
}

void GlyphImage::parseImage(VSTGUI::CBitmap* bitmap)
{
    loadFromBitmap(bitmap, 1);
    if (sourceImage && !sourceImage->data.empty() && uint64_t(width) * height * 4 != 0 &&
        layoutSelector == kDetectFromMarkers) {
        detectGlyphs(bitmap);
        return;
    }
    applyBuiltInLayout(layoutSelector);
}

void GlyphImage::applyBuiltInLayout(int32_t selector)
{
    const int32_t height = builtInLayoutHeight(selector);
    if (!height)
        return;
    double left = 0;
    for (int32_t i = 0; i < kGlyphCount; ++i) {
        const double right = kLayoutRightEdges[selector][i];
        glyphRects[size_t(i)] = VSTGUI::CRect(left, 0, right, height);
        left = right + 1;
    }
}

void GlyphImage::detectGlyphs(VSTGUI::CBitmap* bitmap)
{
    const std::vector<uint8_t>& source = sourceImage->data;
    const size_t pixels = std::min<uint64_t>({uint64_t(width) * height, source.size() / 4, mask.size()});
    for (size_t i = 0; i < pixels; ++i)
        mask[i] = source[i * 4];

    auto access = bitmap->getPlatformBitmap()->lockPixels(true);
    int32_t count = 0;
    for (uint32_t x = 0; access && x < width; ++x) {
        const size_t at = size_t(x) * 4;
        if (at + 3 >= source.size())
            break;
        const uint8_t* b = &source[at];
        bool marker = false;
        switch (access->getPixelFormat()) {
        case VSTGUI::IPlatformBitmapPixelAccess::kARGB:
        case VSTGUI::IPlatformBitmapPixelAccess::kABGR:
            marker = b[1] >= kMarkerLeast && b[2] <= kMarkerGreenMost && b[3] >= kMarkerLeast;
            break;
        case VSTGUI::IPlatformBitmapPixelAccess::kRGBA:
        case VSTGUI::IPlatformBitmapPixelAccess::kBGRA:
            marker = b[0] >= kMarkerLeast && b[1] <= kMarkerGreenMost && b[2] >= kMarkerLeast;
            break;
        }
        if (!marker)
            continue;
        if (count < kGlyphCount) {
            const double left = count == 0 ? 0 : glyphRects[size_t(count - 1)].right + 1;
            glyphRects[size_t(count)] = VSTGUI::CRect(left, 0, x, height);
        }
        ++count;
    }
    if (count != kGlyphCount) {
        char text[160];
        std::snprintf(text, sizeof(text),
                      "The font image must contains %d elements (found %d).\nThe texts may be drawed incorrectly!",
                      kGlyphCount, count);
        platform::MessageBoxA(nullptr, text, kErrorCaption, MB_ICONERROR | MB_SYSTEMMODAL);
    }
}
