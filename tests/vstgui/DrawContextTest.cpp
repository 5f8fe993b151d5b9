#include "TestSupport.h"

#include "vstgui/CBitmapPixelAccess.h"
#include "vstgui/COffscreenContext.h"
#include "vstgui/UTF8String.h"

#include <gtest/gtest.h>

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
    }
    int countColoured() const
    {
        int count = 0;
        for (int32_t y = 0; y < pixels->getPixelHeight(); ++y)
            for (int32_t x = 0; x < pixels->getPixelWidth(); ++x)
                count += rawPixel(*pixels, x, y).alpha != 0 ? 1 : 0;
        return count;
    }
    SharedPointer<COffscreenContext> context;
    IPlatformBitmap* pixels;
};

// Source pixel (x, y) has red 10 x + 1 and green 10 y + 1, opaque.
SharedPointer<CBitmap> gridBitmap(int32_t w, int32_t h)
{
    return makeOwned<CBitmap>(testsupport::makeBitmap(
        w, h, [](int32_t x, int32_t y) { return CColor(uint8_t(10 * x + 1), uint8_t(10 * y + 1), 0, 255); }));
}

} // namespace

TEST(DrawContext, FilledRectangleCoversItsPixelsOnly)
{
    Canvas canvas;
    canvas.context->setFillColor(kRed);
    canvas.context->drawRect(CRect(2, 3, 6, 5), kDrawFilled);
    EXPECT_EQ(rawPixel(*canvas.pixels, 2, 3), kRed);
    EXPECT_EQ(rawPixel(*canvas.pixels, 5, 4), kRed);
    EXPECT_EQ(rawPixel(*canvas.pixels, 6, 4), kClear);
    EXPECT_EQ(rawPixel(*canvas.pixels, 2, 5), kClear);
    EXPECT_EQ(canvas.countColoured(), 8);
}

TEST(DrawContext, TranslucentColoursBlendSourceOver)
{
    Canvas canvas;
    canvas.context->setFillColor(kWhiteCColor);
    canvas.context->drawRect(CRect(0, 0, 10, 10), kDrawFilled);
    canvas.context->setFillColor(CColor(0, 0, 0, 128));
    canvas.context->drawRect(CRect(0, 0, 10, 10), kDrawFilled);
    const CColor grey = rawPixel(*canvas.pixels, 4, 4);
    EXPECT_NEAR(grey.red, 127, 1);
    EXPECT_EQ(grey.alpha, 255);
}

TEST(DrawContext, StrokeLiesInsideTheRectangleWithTheLineWidth)
{
    for (double width : {1.0, 2.0, kNaN, 0.2}) {
        Canvas canvas;
        canvas.context->setFrameColor(kRed);
        canvas.context->setLineWidth(width);
        canvas.context->drawRect(CRect(1, 1, 9, 9), kDrawStroked);
        const int w = width == 2.0 ? 2 : 1;
        EXPECT_EQ(rawPixel(*canvas.pixels, 1, 1), kRed);
        EXPECT_EQ(rawPixel(*canvas.pixels, 8, 8), kRed);
        EXPECT_EQ(rawPixel(*canvas.pixels, 0, 0), kClear);
        EXPECT_EQ(rawPixel(*canvas.pixels, 1 + w, 1 + w), kClear) << width;
        EXPECT_EQ(canvas.countColoured(), 64 - (8 - 2 * w) * (8 - 2 * w)) << width;
    }
}

TEST(DrawContext, ClipAndOffsetRestrictAndMoveDrawing)
{
    Canvas canvas;
    canvas.context->setOffset(CPoint(2, 2));
    canvas.context->setClipRect(CRect(0, 0, 3, 3)); // pixels 2..4 after the offset
    CRect clip;
    EXPECT_EQ(canvas.context->getClipRect(clip), CRect(0, 0, 3, 3));
    canvas.context->setFillColor(kRed);
    canvas.context->drawRect(CRect(-100, -100, 100, 100), kDrawFilled);
    EXPECT_EQ(canvas.countColoured(), 9);
    EXPECT_EQ(rawPixel(*canvas.pixels, 2, 2), kRed);
    EXPECT_EQ(rawPixel(*canvas.pixels, 5, 5), kClear);
    canvas.context->resetClipRect();
    canvas.context->drawRect(CRect(5, 5, 6, 6), kDrawFilled);
    EXPECT_EQ(rawPixel(*canvas.pixels, 7, 7), kRed);
}

// Any rectangle, however odd, draws at most the target's pixels; NaN draws nothing.
TEST(DrawContext, OddRectanglesStayInsideTheTarget)
{
    struct Case {
        CRect rect;
        int filled;
        int stroked; // a frame lies at the rectangle's edges, so a huge one misses the target
    };
    const Case cases[] = {
        {CRect(kNaN, 0, 5, 5), 0, 0},
        {CRect(0, 0, kNaN, 5), 0, 0},
        {CRect(-kHuge, -kHuge, kHuge, kHuge), 100, 0},
        {CRect(kHuge, kHuge, 2 * kHuge, 2 * kHuge), 0, 0},
        {CRect(-kHuge, -kHuge, -1e200, -1e200), 0, 0},
        {CRect(8, 8, 2, 2), 0, 0},
        {CRect(-3, -3, 2, 2), 4, 4},
        {CRect(9.4, 9.4, 1e12, 1e12), 1, 1},
        {CRect(-std::numeric_limits<double>::infinity(), 0, std::numeric_limits<double>::infinity(), 1), 10, 10},
    };
    for (CDrawStyle style : {kDrawFilled, kDrawStroked}) {
        for (const Case& c : cases) {
            Canvas canvas;
            canvas.context->setFillColor(kRed);
            canvas.context->setFrameColor(kRed);
            canvas.context->setLineWidth(1e9);
            canvas.context->drawRect(c.rect, style);
            EXPECT_EQ(canvas.countColoured(), style == kDrawFilled ? c.filled : c.stroked)
                << c.rect.left << " " << c.rect.right << " " << style;
        }
    }
}

TEST(DrawContext, BitmapDrawsUnscaledFromItsSourceOffset)
{
    Canvas canvas;
    auto grid = gridBitmap(4, 4);
    canvas.context->drawBitmap(grid, CRect(2, 2, 8, 8), CPoint(1, 1));
    EXPECT_EQ(rawPixel(*canvas.pixels, 2, 2), CColor(11, 11, 0, 255));
    EXPECT_EQ(rawPixel(*canvas.pixels, 4, 3), CColor(31, 21, 0, 255));
    // Source column 4 does not exist: the target keeps its pixel.
    EXPECT_EQ(rawPixel(*canvas.pixels, 5, 2), kClear);
    EXPECT_EQ(canvas.countColoured(), 9);
}

TEST(DrawContext, BitmapWithOddOffsetsAndRectanglesNeverReadsOutsideTheSource)
{
    struct Case {
        CRect dest;
        CPoint offset;
        int expected;
    };
    const Case cases[] = {
        {CRect(0, 0, 10, 10), CPoint(0, 0), 16},
        {CRect(0, 0, 10, 10), CPoint(-2, -2), 16},
        {CRect(0, 0, 10, 10), CPoint(3, 3), 1},
        {CRect(0, 0, 10, 10), CPoint(4, 0), 0},
        {CRect(0, 0, 10, 10), CPoint(kNaN, 0), 0},
        {CRect(0, 0, 10, 10), CPoint(-kHuge, kHuge), 0},
        {CRect(0, 0, 10, 10), CPoint(-9, -9), 1},
        {CRect(-kHuge, -kHuge, kHuge, kHuge), CPoint(0, 0), 0},
        {CRect(-2, -2, 10, 10), CPoint(0, 0), 4},
        {CRect(8, 8, 0, 0), CPoint(0, 0), 0},
        {CRect(kNaN, kNaN, kNaN, kNaN), CPoint(0, 0), 0},
    };
    auto grid = gridBitmap(4, 4);
    for (const Case& c : cases) {
        Canvas canvas;
        canvas.context->drawBitmap(grid, c.dest, c.offset);
        EXPECT_EQ(canvas.countColoured(), c.expected) << c.dest.left << " " << c.offset.x;
    }
    Canvas canvas;
    canvas.context->drawBitmap(nullptr, CRect(0, 0, 10, 10));
    auto empty = makeOwned<CBitmap>(0, 0);
    canvas.context->drawBitmap(empty, CRect(0, 0, 10, 10));
    EXPECT_EQ(canvas.countColoured(), 0);
}

TEST(DrawContext, BitmapAlphaScalesTheSource)
{
    Canvas canvas;
    canvas.context->setFillColor(kBlackCColor);
    canvas.context->drawRect(CRect(0, 0, 10, 10), kDrawFilled);
    auto red = makeOwned<CBitmap>(testsupport::makeBitmap(2, 2, [](int32_t, int32_t) { return kRed; }));
    for (float alpha : {0.5f, 0.f, -1.f, std::numeric_limits<float>::quiet_NaN()})
        canvas.context->drawBitmap(red, CRect(0, 0, 2, 2), CPoint(0, 0), alpha);
    EXPECT_NEAR(rawPixel(*canvas.pixels, 0, 0).red, 128, 1);
    EXPECT_EQ(rawPixel(*canvas.pixels, 0, 0).alpha, 255);
    canvas.context->drawBitmap(red, CRect(4, 4, 6, 6), CPoint(0, 0), 7.f); // clamped to 1
    EXPECT_EQ(rawPixel(*canvas.pixels, 4, 4), kRed);
}

TEST(DrawContext, TextIsMeasuredAndDrawnInsideItsRectangle)
{
    Canvas canvas(120, 30);
    canvas.context->setFont(kSystemFont, 12);
    const CCoord width12 = canvas.context->getStringWidth("Volume 50 %");
    EXPECT_GT(width12, 40);
    EXPECT_LT(width12, 80);
    canvas.context->setFont(kSystemFont, 24);
    EXPECT_NEAR(canvas.context->getStringWidth("Volume 50 %"), 2 * width12, 1.0);
    EXPECT_NEAR(canvas.context->getStringWidth(UTF8String("Volume 50 %").getPlatformString()), 2 * width12, 1.0);
    EXPECT_EQ(canvas.context->getStringWidth(UTF8String(nullptr)), 0);
    EXPECT_EQ(canvas.context->getStringWidth(""), 0);
    EXPECT_EQ(canvas.context->getStringWidth(nullptr), 0);

    canvas.context->setFont(kSystemFont, 12);
    canvas.context->setFontColor(kWhiteCColor);
    canvas.context->drawString("Volume", CRect(10, 5, 60, 25), kLeftText);
    int inside = 0;
    int leftmost = 1000;
    for (int32_t y = 0; y < 30; ++y)
        for (int32_t x = 0; x < 120; ++x)
            if (rawPixel(*canvas.pixels, x, y).alpha != 0) {
                EXPECT_TRUE(x >= 10 && x < 60 && y >= 5 && y < 25) << x << "," << y;
                ++inside;
                leftmost = std::min(leftmost, x);
            }
    EXPECT_GT(inside, 40);
    EXPECT_LE(leftmost, 12);
}

// Ink columns of the text in a 200-pixel rectangle from x = 20, per alignment.
TEST(DrawContext, TextAlignsInItsRectangle)
{
    const char* text = "Align";
    for (CHoriTxtAlign align : {kLeftText, kCenterText, kRightText}) {
        Canvas canvas(240, 30);
        canvas.context->setFont(kSystemFont, 16);
        canvas.context->setFontColor(kWhiteCColor);
        const CCoord width = canvas.context->getStringWidth(text);
        canvas.context->drawString(text, CRect(20, 0, 220, 30), align);
        int32_t first = 1000;
        int32_t last = -1;
        for (int32_t y = 0; y < 30; ++y)
            for (int32_t x = 0; x < 240; ++x)
                if (rawPixel(*canvas.pixels, x, y).alpha > 64) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        const double expectedLeft = align == kLeftText ? 20 : align == kCenterText ? 120 - width / 2 : 220 - width;
        EXPECT_NEAR(first, expectedLeft, 3) << align;
        EXPECT_NEAR(last + 1, expectedLeft + width, 3) << align;
    }
}

TEST(DrawContext, TheSharedSystemFontSizeDecidesTheDefaultTextSize)
{
    Canvas canvas(10, 10);
    const CCoord saved = kSystemFont->getSize();
    canvas.context->setFont(kSystemFont);
    const CCoord atDefault = canvas.context->getStringWidth("Huge");
    kSystemFont->setSize(2 * saved);
    canvas.context->setFont(kSystemFont);
    EXPECT_NEAR(canvas.context->getStringWidth("Huge"), 2 * atDefault, 0.5);
    kSystemFont->setSize(saved);
}

TEST(DrawContext, TextOddInputDrawsNothingHarmful)
{
    Canvas canvas(40, 20);
    canvas.context->setFontColor(kWhiteCColor);
    for (double size : {0.0, -5.0, kNaN, 1e9}) {
        canvas.context->setFont(kSystemFont, size);
        EXPECT_GE(canvas.context->getStringWidth("x"), 0);
        canvas.context->drawString("Wide text", CRect(0, 0, 40, 20));
    }
    canvas.context->setFont(kSystemFont, 12);
    canvas.context->drawString("\xff\xfe\xc3", CRect(0, 0, 40, 20)); // malformed UTF-8
    canvas.context->drawString("x", CRect(kNaN, 0, 40, 20));
    canvas.context->drawString("x", CRect(-kHuge, -kHuge, kHuge, kHuge));
    SUCCEED();
}

TEST(DrawContext, OffscreenContextsAndPixelAccess)
{
    EXPECT_FALSE(COffscreenContext::create(nullptr, 0, 10));
    EXPECT_FALSE(COffscreenContext::create(nullptr, kNaN, 10));
    EXPECT_FALSE(COffscreenContext::create(nullptr, 1e6, 1e6));
    auto context = COffscreenContext::create(nullptr, 20.7, 10);
    ASSERT_TRUE(context);
    EXPECT_EQ(context->getBitmap()->getWidth(), 20);
    EXPECT_EQ(context->getBitmap()->getHeight(), 10);

    EXPECT_EQ(CBitmapPixelAccess::create(nullptr), nullptr);
    auto empty = makeOwned<CBitmap>(-4, 4);
    EXPECT_EQ(CBitmapPixelAccess::create(empty), nullptr);
    context->setFillColor(CColor(0, 0, 255, 255));
    context->drawRect(CRect(0, 0, 1, 1), kDrawFilled);
    CBitmapPixelAccess* access = CBitmapPixelAccess::create(context->getBitmap());
    ASSERT_NE(access, nullptr);
    EXPECT_EQ(access->getPixelFormat(), IPlatformBitmapPixelAccess::kBGRA);
    EXPECT_EQ(access->getBytesPerRow(), 80);
    EXPECT_EQ(access->getBitmapWidth(), 20);
    EXPECT_EQ(access->getPlatformBitmapPixelAccess()->getAddress(), access->getAddress());
    EXPECT_EQ(access->getAddress()[0], 255); // blue first
    EXPECT_EQ(access->getAddress()[3], 255);
    access->getAddress()[4 * 5 + 3] = 255; // writes through the accessor reach the bitmap
    access->forget();
    EXPECT_EQ(rawPixel(*context->getBitmap()->getPlatformBitmap(), 5, 0).alpha, 255);
}
