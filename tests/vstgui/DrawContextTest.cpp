#include "TestSupport.h"

#include "vstgui/COffscreenContext.h"

#include <limits>

using namespace VSTGUI;
using testsupport::rawPixel;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kHuge = 1e300;
const CColor kRed(255, 0, 0, 255);
const CColor kClear(0, 0, 0, 0);

struct Canvas {
    explicit Canvas(int32_t w = 10, int32_t h = 10) : context(COffscreenContext::create(nullptr, w, h))
    {
        pixels = context->getBitmap()->getPlatformBitmap();
        context->setFillColor(kRed);
        context->setFrameColor(kRed);
    }
    // The pixels whose alpha exceeds minAlpha, and their bounds.
    int count(uint8_t minAlpha = 0, CRect* bounds = nullptr) const
    {
        int n = 0;
        for (int32_t y = 0; y < pixels->getPixelHeight(); ++y)
            for (int32_t x = 0; x < pixels->getPixelWidth(); ++x) {
                if (rawPixel(*pixels, x, y).alpha <= minAlpha)
                    continue;
                if (bounds)
                    *bounds = n == 0 ? CRect(x, y, x + 1, y + 1) : bounds->unite(CRect(x, y, x + 1, y + 1));
                ++n;
            }
        return n;
    }
    CColor at(int32_t x, int32_t y) const { return rawPixel(*pixels, x, y); }
    SharedPointer<COffscreenContext> context;
    IPlatformBitmap* pixels;
};

// Source-over on premultiplied pixels: result = source + destination x (255 - source alpha) / 255.
TEST(DrawContext, FillsBlendSourceOverAndFollowClipAndOffset)
{
    Canvas canvas;
    canvas.context->setFillColor(CColor(0, 0, 0, 64));
    canvas.context->drawRect(CRect(0, 0, 1, 1), kDrawFilled);
    EXPECT_EQ(canvas.at(0, 0), CColor(0, 0, 0, 64));
    canvas.context->setFillColor(kWhiteCColor);
    canvas.context->drawRect(CRect(0, 0, 10, 10), kDrawFilled);
    canvas.context->setFillColor(CColor(0, 0, 0, 64));
    canvas.context->drawRect(CRect(0, 0, 10, 10), kDrawFilled);
    EXPECT_EQ(canvas.at(4, 4), CColor(191, 191, 191, 255));
    canvas.context->setFillColor(CColor(255, 0, 0, 128)); // stored as 128
    canvas.context->drawRect(CRect(0, 0, 10, 10), kDrawFilled);
    EXPECT_EQ(canvas.at(4, 4), CColor(223, 95, 95, 255));

    // Clip and offset restrict and move drawing.
    Canvas moved;
    moved.context->setOffset(CPoint(2, 2));
    moved.context->setClipRect(CRect(0, 0, 3, 3)); // pixels 2..4 after the offset
    moved.context->drawRect(CRect(-100, -100, 100, 100), kDrawFilled);
    EXPECT_EQ(std::pair(moved.count(), moved.at(2, 2)), std::pair(9, kRed));
    moved.context->resetClipRect();
    moved.context->drawRect(CRect(5, 5, 6, 6), kDrawFilled);
    EXPECT_EQ(moved.at(7, 7), kRed);
}

// A frame lies inside its rectangle with the line width. Any rectangle, however odd, draws at most
// the target's pixels, NaN nothing, and a huge frame misses the target; odd targets are refused.
TEST(DrawContext, StrokesLieInsideTheRectangleAndOddRectanglesOrTargetsAreHarmless)
{
    for (double width : {1.0, 2.0, kNaN, 0.2}) {
        Canvas canvas;
        canvas.context->setLineWidth(width);
        canvas.context->drawRect(CRect(1, 1, 9, 9), kDrawStroked);
        const int w = width == 2.0 ? 2 : 1;
        EXPECT_EQ(std::tuple(canvas.at(1, 1), canvas.at(8, 8), canvas.at(1 + w, 1 + w), canvas.count()),
                  std::tuple(kRed, kRed, kClear, 64 - (8 - 2 * w) * (8 - 2 * w))) << width;
    }
    const double inf = std::numeric_limits<double>::infinity();
    for (auto [rect, filled, stroked] :
         {std::tuple{CRect(kNaN, 0, 5, 5), 0, 0}, {CRect(0, 0, 5, kNaN), 0, 0}, {CRect(kHuge, 0, 2 * kHuge, 5), 0, 0},
          {CRect(-kHuge, -kHuge, kHuge, kHuge), 100, 0}, {CRect(8, 8, 2, 2), 0, 0}, {CRect(-3, -3, 2, 2), 4, 4},
          {CRect(9.4, 9.4, 1e12, 1e12), 1, 1}, {CRect(-inf, 0, inf, 1), 10, 10}})
        for (CDrawStyle style : {kDrawFilled, kDrawStroked}) {
            Canvas canvas;
            canvas.context->setLineWidth(1e9);
            canvas.context->drawRect(rect, style);
            EXPECT_EQ(canvas.count(), style == kDrawFilled ? filled : stroked) << rect.left << " " << style;
        }
    for (double width : {0.0, kNaN, 1e6})
        EXPECT_FALSE(COffscreenContext::create(nullptr, width, width == 1e6 ? 1e6 : 10)) << width;
    EXPECT_EQ(COffscreenContext::create(nullptr, 20.7, 10)->getBitmap()->getWidth(), 20);
}

TEST(DrawContext, BitmapDrawsUnscaledFromItsSourceOffsetAndNeverReadsOutsideTheSource)
{
    // Source pixel (x, y) has red 10 x + 1 and green 10 y + 1, opaque.
    const auto grid = testsupport::makeBitmap(
        4, 4, [](int32_t x, int32_t y) { return CColor(uint8_t(10 * x + 1), uint8_t(10 * y + 1), 0, 255); });
    Canvas shifted;
    shifted.context->drawBitmap(grid, CRect(2, 2, 8, 8), CPoint(1, 1));
    // Source column 4 does not exist: the target keeps its pixel at (5, 2).
    EXPECT_EQ(std::tuple(shifted.at(2, 2), shifted.at(4, 3), shifted.at(5, 2), shifted.count()),
              std::tuple(CColor(11, 11, 0, 255), CColor(31, 21, 0, 255), kClear, 9));
    const CRect all(0, 0, 10, 10);
    const struct {
        CRect dest;
        CPoint offset;
        int expected;
    } cases[] = {
        {all, CPoint(-2, -2), 16}, {all, CPoint(3, 3), 1},     {all, CPoint(4, 0), 0},
        {all, CPoint(kNaN, 0), 0}, {all, CPoint(-kHuge, kHuge), 0}, {CRect(-kHuge, -kHuge, kHuge, kHuge), CPoint(0, 0), 0},
        {CRect(-2, -2, 10, 10), CPoint(0, 0), 4},                {CRect(8, 8, 0, 0), CPoint(0, 0), 0},
    };
    for (const auto& c : cases) {
        Canvas canvas;
        canvas.context->drawBitmap(grid, c.dest, c.offset);
        EXPECT_EQ(canvas.count(), c.expected) << c.dest.left << " " << c.offset.x;
    }
    Canvas canvas;
    canvas.context->drawBitmap(nullptr, all);
    canvas.context->drawBitmap(makeOwned<CBitmap>(0, 0), all);
    EXPECT_EQ(canvas.count(), 0);

    // Alpha scales the source and is clamped to 0 to 1.
    canvas.context->setFillColor(kBlackCColor);
    canvas.context->drawRect(all, kDrawFilled);
    auto red = testsupport::makeBitmap(2, 2, [](int32_t, int32_t) { return kRed; });
    for (float alpha : {0.5f, 0.f, -1.f, std::numeric_limits<float>::quiet_NaN()})
        canvas.context->drawBitmap(red, CRect(0, 0, 2, 2), CPoint(0, 0), alpha);
    EXPECT_EQ(canvas.at(0, 0), CColor(128, 0, 0, 255));
    canvas.context->drawBitmap(red, CRect(4, 4, 6, 6), CPoint(0, 0), 7.f);
    EXPECT_EQ(canvas.at(4, 4), kRed);
}

// Ink of the text in a 200-pixel rectangle from x = 20, per alignment, and none outside it; widths
// in proportion to the font size; odd sizes, text and rectangles draw nothing harmful.
TEST(DrawContext, TextAlignsStaysInItsRectangleAndScalesWithTheFontSize)
{
    for (CHoriTxtAlign align : {kLeftText, kCenterText, kRightText}) {
        Canvas canvas(240, 30);
        canvas.context->setFont(kSystemFont, 16);
        canvas.context->setFontColor(kWhiteCColor);
        const CCoord width = canvas.context->getStringWidth("Align");
        canvas.context->drawString("Align", CRect(20, 5, 220, 25), align);
        CRect ink, all;
        canvas.count(64, &ink);
        EXPECT_GT(canvas.count(0, &all), 40);
        const double left = align == kLeftText ? 20 : align == kCenterText ? 120 - width / 2 : 220 - width;
        EXPECT_NEAR(ink.left, left, 3) << align;
        EXPECT_NEAR(ink.right, left + width, 3) << align;
        EXPECT_TRUE(all.left >= 20 && all.right <= 220 && all.top >= 5 && all.bottom <= 25) << align;
        EXPECT_TRUE(width > 25 && width < 60) << width;
        canvas.context->setFont(kSystemFont, 32);
        EXPECT_NEAR(canvas.context->getStringWidth("Align"), 2 * width, 1.0);
        EXPECT_EQ(canvas.context->getStringWidth(nullptr), 0);
        for (double size : {0.0, kNaN, 1e9}) {
            canvas.context->setFont(kSystemFont, size);
            for (const CRect& r : {CRect(kNaN, 0, 40, 20), CRect(-kHuge, -kHuge, kHuge, kHuge)})
                canvas.context->drawString("Wide \xff\xfe\xc3", r); // malformed UTF-8 at the end
        }
    }
}

} // namespace
