// The bitmap font: detection on the committed font image and on drawn test images, the built-in
// layouts, sizes, measuring with kerning and spacing, drawing and its time, and hostile input.

#include "platform/Shell.h"
#include "support/BitmapFont.h"
#include "support/GlyphBuffer.h"
#include "tools/canvas-sheet/TextSheet.h"
#include "tools/font-gen/FontImage.h"
#include "vstgui/CBitmap.h"
#include "vstgui/COffscreenContext.h"
#include "vstgui/PngCodec.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <limits>
#include <string>

using VSTGUI::CBitmap;
using VSTGUI::CColor;
using VSTGUI::CRect;

namespace {

std::vector<char> readFile(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// Decoded pixels equal to picture's, or the count of differing bytes.
size_t bytesDiffering(const char* referencePath, const VSTGUI::IPlatformBitmap& picture)
{
    const std::vector<char> png = readFile(referencePath);
    int32_t width = 0, height = 0;
    std::vector<uint8_t> reference;
    if (!VSTGUI::PngCodec::decode(png.data(), png.size(), width, height, reference) ||
        width != picture.getPixelWidth() || height != picture.getPixelHeight())
        return SIZE_MAX;
    size_t differing = 0;
    for (size_t i = 0; i < reference.size(); ++i)
        differing += reference[i] != picture.getPixels()[i];
    return differing;
}

int messages = 0;
std::string lastMessage;
int catchMessage(HWND owner, const char* text, const char* caption, UINT type)
{
    ++messages;
    lastMessage = std::string(owner || type != 0x1010 ? "not an error box: " : "") + caption + ": " + text;
    return 1;
}

// A width x height image of 5-column glyphs at full coverage, each followed by a marker in row 0
// of the next column (6m + 5) in the colour given.
VSTGUI::SharedPointer<VSTGUI::IPlatformBitmap> markedPixels(int width, int height, int markers,
                                                            CColor marker = CColor(255, 0, 255))
{
    VSTGUI::CPoint size(width, height);
    auto pixels = VSTGUI::IPlatformBitmap::create(&size);
    for (int m = 0; pixels && m < markers && m * 6 + 5 < width; ++m) {
        for (int y = 0; y < height; ++y)
            for (int x = m * 6; x < m * 6 + 5; ++x)
                pixels->getPixels()[(y * width + x) * 4] = pixels->getPixels()[(y * width + x) * 4 + 3] = 255;
        uint8_t* p = pixels->getPixels() + (m * 6 + 5) * 4;
        p[0] = marker.blue, p[1] = marker.green, p[2] = marker.red, p[3] = 255;
    }
    return pixels;
}
VSTGUI::SharedPointer<CBitmap> markedImage(int width, int height, int markers, CColor marker = CColor(255, 0, 255))
{
    auto pixels = markedPixels(width, height, markers, marker);
    return pixels ? VSTGUI::makeOwned<CBitmap>(pixels) : VSTGUI::makeOwned<CBitmap>(0, 0);
}

uint8_t alphaAt(VSTGUI::COffscreenContext& context, int x, int y)
{
    const VSTGUI::IPlatformBitmap& pixels = *context.getBitmap()->getPlatformBitmap();
    return pixels.getPixels()[size_t(y) * pixels.getBytesPerRow() + size_t(x) * 4 + 3];
}
size_t inked(VSTGUI::COffscreenContext& context)
{
    size_t count = 0;
    for (int y = 0; y < context.getBitmap()->getHeight(); ++y)
        for (int x = 0; x < context.getBitmap()->getWidth(); ++x)
            count += alphaAt(context, x, y) != 0;
    return count;
}

// Records where the direct road copies each glyph to and from.
struct RecordingBitmap : CBitmap {
    using CBitmap::CBitmap;
    void draw(VSTGUI::CDrawContext*, const CRect& rect, const VSTGUI::CPoint& offset, float) override
    {
        drawn.push_back({rect, offset});
    }
    std::vector<std::pair<CRect, VSTGUI::CPoint>> drawn;
};

struct FontRig : testing::Test {
    FontRig() : image(FontImage::render(FontImage::kNativeHeight)) { platform::setMessageBoxSink(catchMessage); }
    ~FontRig() override { platform::setMessageBoxSink(nullptr); }
    CBitmap image;
    VSTGUI::SharedPointer<CBitmap> glyphs = markedImage(600, 20, 92); // every glyph 5 wide
    BitmapFont font;
    const CColor ink{10, 10, 10};
};

TEST_F(FontRig, TheCommittedImageIsTheGeneratorsOutputAndDetectsWithoutComplaint)
{
    EXPECT_EQ(bytesDiffering(ZARN_FONT_IMAGE, *image.getPlatformBitmap()), 0u)
        << "write it again with font-gen " ZARN_FONT_IMAGE " after an intended change";
    lastMessage.clear();
    font.setImage(&image, 28);
    EXPECT_EQ(lastMessage, "");
}

TEST_F(FontRig, SizesClampAndRoundTheScale)
{
    // image height, size asked, size kept, scale, pad, line height
    for (auto [height, asked, size, scale, pad, lineHeight] :
         {std::tuple{28, 14, 14, 0.5f, 16, 14}, {28, 3, 5, 5.f / 28, 5, 5}, {28, 27, 27, 1.f, 32, 28},
          {28, 99, 28, 1.f, 32, 28}, {20, 19, 19, 1.f, 32, 20}, {20, 18, 18, 0.9f, 28, 18},
          {105, 3, 5, 0.05f, 1, 6}}) {
        font.setImage(markedImage(600, height, 92).get(), asked);
        EXPECT_EQ(font.size, size) << height << " " << asked;
        EXPECT_EQ(font.scale, scale) << height << " " << asked;
        EXPECT_EQ(font.pad, pad) << height << " " << asked;
        EXPECT_EQ(font.halfPad, pad >> 1) << height << " " << asked;
        EXPECT_EQ(font.getLineHeight(), lineHeight) << height << " " << asked;
    }
}

TEST_F(FontRig, WrongMarkerCountsKeepTheGlyphsFoundAndRefusedImagesTheFontBefore)
{
    auto corrupt = VSTGUI::makeOwned<CBitmap>(VSTGUI::IPlatformBitmap::createFromMemory("\x89PNG\r\n\x1a\n\0\0", 10));
    auto before = markedImage(600, 24, 92);
    // image, the message, the width of "AV" and the line height afterwards
    const std::tuple<VSTGUI::SharedPointer<CBitmap>, const char*, int, int> cases[] = {
        {markedImage(600, 20, 91), "(found 91)", 10, 20},
        {markedImage(600, 20, 95), "(found 95)", 10, 20},
        {markedImage(600, 20, 92, CColor(255, 120, 255)), "(found 0)", 0, 20},
        {markedImage(600, 20, 92, CColor(120, 0, 255)), "(found 0)", 0, 20},
        {markedImage(10000, 20, 92), "", 10, 24},
        {markedImage(600, 1000, 92), "", 10, 24},
        {markedImage(600, 5, 92), "", 10, 24},
        {corrupt, "", 0, 20},
        {nullptr, "", 0, 20},
    };
    for (auto [damaged, message, width, lineHeight] : cases) {
        font.setImage(before.get(), 24);
        messages = 0;
        lastMessage.clear();
        font.setImage(damaged.get(), 20);
        EXPECT_EQ(messages, *message ? 1 : 0) << message;
        EXPECT_NE(lastMessage.find(message), std::string::npos) << lastMessage;
        EXPECT_EQ(font.getStringWidth("AV", nullptr), width) << message;
        EXPECT_EQ(font.getLineHeight(), lineHeight) << message;
        auto context = VSTGUI::COffscreenContext::create(nullptr, 100, 60);
        CRect rect(0, 0, 99, 40);
        font.drawString("AV", context, rect, &ink, 0, 1.f, false, false);
        EXPECT_EQ(inked(*context) > 0, width > 0) << message;
    }
    font.setImage(markedImage(600, 20, 91).get(), 20);
    EXPECT_EQ(lastMessage, "The font image error: The font image must contains 92 elements (found 91).\n"
                           "The texts may be drawed incorrectly!");
    ASSERT_TRUE(font.glyphRects);
    EXPECT_EQ(font.glyphRects[91], CRect()); // the double quote was never found
    font.setImage(markedImage(600, 20, 95).get(), 20);
    EXPECT_EQ(font.glyphRects[91], CRect(546, 0, 551, 20));
}

TEST_F(FontRig, BuiltInLayoutsPlaceTheGlyphsWithoutMarkersAndDrawThemDirectly)
{
    auto blank = markedImage(900, 30, 0);
    // selector, glyph, left, right, height
    for (auto [selector, glyph, left, right, height] :
         {std::tuple{2, 0, 0, 5, 28}, {2, 1, 6, 18, 28}, {2, 9, 96, 99, 28}, {2, 23, 246, 263, 28},
          {0, 91, 694, 700, 20}, {1, 91, 528, 532, 16}, {1, 1, 4, 11, 16}}) {
        font.layoutSelector = selector;
        font.setImage(blank.get(), 30);
        ASSERT_TRUE(font.glyphRects);
        EXPECT_EQ(font.glyphRects[glyph], CRect(left, 0, right, height)) << selector << " " << glyph;
    }
    EXPECT_EQ(font.getStringWidth("AB", nullptr), 7 + 5); // image pixels, whatever the size

    // "AB" in the 28-pixel layout with spacing 2: 12 + 2 + 9 pixels, in a 100-pixel rectangle.
    RecordingBitmap recorder(markedPixels(900, 30, 0));
    font.layoutSelector = 2;
    font.setImage(&recorder, 30);
    font.spacing = 2;
    auto context = VSTGUI::COffscreenContext::create(nullptr, 8, 8);
    const uint32_t timeBefore = BitmapFont::drawTimeMicroseconds;
    for (auto [alignment, left] : {std::pair{0, 10}, {1, 48}, {2, 87}}) {
        recorder.drawn.clear();
        CRect rect(10, 0, 110, 40);
        font.drawString("AB", context, rect, &ink, alignment, 0.5f, true, true);
        ASSERT_EQ(recorder.drawn.size(), 2u) << alignment;
        EXPECT_EQ(recorder.drawn[0].first, CRect(left, 5, left + 12, 35)) << alignment;
        EXPECT_EQ(recorder.drawn[0].second, VSTGUI::CPoint(6, 0));
        EXPECT_EQ(recorder.drawn[1].first, CRect(left + 14, 5, left + 23, 35)) << alignment;
        EXPECT_EQ(recorder.drawn[1].second, VSTGUI::CPoint(19, 0));
    }
    EXPECT_EQ(BitmapFont::drawTimeMicroseconds, timeBefore);
    font.layoutSelector = 3;
    font.setImage(blank.get(), 30);
    EXPECT_EQ(font.glyphRects[1], CRect());
}

TEST_F(FontRig, KerningSpacingAndTheCharacterLookupChangeTheWidths)
{
    font.setImage(glyphs.get(), 20);
    EXPECT_EQ(font.getStringWidth("AV", nullptr), 10);
    EXPECT_EQ(font.getStringWidth("A\xc8", nullptr), 10); // measured as "A*"
    EXPECT_EQ(font.getStringWidth("A~", nullptr), 5);
    font.loadKerning(nullptr, 0);
    EXPECT_TRUE(font.kerningEnabled);
    EXPECT_EQ(font.getStringWidth("AV", nullptr), 10);
    const KerningRecord records[] = {{'A', 'V', {0xfe, 0xff}}, {'V', '*', {3, 0}}, {255, 'A', {9, 0}},
                                     {'A', 255, {9, 0}}};
    font.loadKerning(records, 4);
    EXPECT_EQ(font.getStringWidth("AV", nullptr), 10 - 2 + 3);
    EXPECT_EQ(font.getStringWidthDirect("AV", nullptr), 10 - 2 + 3);
    font.kerningEnabled = false;
    font.spacing = 1;
    EXPECT_EQ(font.getStringWidth("AVA", nullptr), 15 + 3);
    EXPECT_EQ(font.getStringWidthDirect("AVA", nullptr), 15 + 2);
    EXPECT_EQ(font.getStringWidthDirect("", nullptr), 0);
    font.spacing = 0;
    font.setSize(10);
    EXPECT_EQ(font.getStringWidth("AVA", nullptr), 8); // 7.5 rounded up

    font.useImage = false;
    auto context = VSTGUI::COffscreenContext::create(nullptr, 50, 50);
    const int measured = font.getStringWidth("AVA", context);
    context->setFont(VSTGUI::kNormalFontSmall);
    EXPECT_EQ(measured, int(context->getStringWidth("AVA")) + 3);
    EXPECT_EQ(font.getStringWidth("AVA", nullptr), 0);
}

TEST_F(FontRig, DrawingPlacesTheBitmapAlsoForANegativeWidth)
{
    auto sheet = TextSheet::draw();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(bytesDiffering(ZARN_TEXT_SHEET_REFERENCE, *sheet->getBitmap()->getPlatformBitmap()), 0u)
        << "write it again with canvas-sheet OUT.png " ZARN_TEXT_SHEET_REFERENCE " after an intended change";

    // size, spacing, alignment, bold, where "AV" (2 x (5 + spacing) wide) is drawn from the
    // rectangle (20, 10, 90, 30). At size 20 the image is not reduced: pad 32 gives 52 rows and
    // 70 + 32 columns, raised to 104.
    for (auto [size, spacing, alignment, bold, expected] :
         {std::tuple{20, 4, 0, false, CRect(4, -5, 108, 47)}, {20, 4, 1, false, CRect(30, -5, 134, 47)},
          {20, 4, 2, false, CRect(41, -5, 145, 47)}, {20, 4, 2, true, CRect(39, -5, 143, 47)},
          {20, -8, 0, false, CRect(4, -5, 108, 47)}, {20, -8, 1, false, CRect(42, -5, 146, 47)},
          {20, -8, 2, false, CRect(65, -5, 169, 47)}, {10, 0, 2, false, CRect(70, 8, 158, 34)}}) {
        font.setImage(glyphs.get(), size);
        font.spacing = spacing;
        auto context = VSTGUI::COffscreenContext::create(nullptr, 200, 60);
        CRect rect(20, 10, 90, 30);
        font.drawString("AV", context, rect, &ink, alignment, 1.f, false, bold);
        EXPECT_EQ(rect, expected) << spacing << " " << alignment << bold;
        EXPECT_EQ(font.spacing, spacing);
        const int column = size == 20 ? int(expected.left) + 18 : 0; // the A's middle, full coverage
        EXPECT_EQ(alphaAt(*context, column, 20), size == 20 ? 255 : 0) << spacing << " " << alignment;
    }
    // A width of 0, and a NaN, negative or infinite drawing scale: nothing drawn, the rectangle
    // and the time as they were.
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    font.setImage(glyphs.get(), 20);
    for (auto [spacing, drawScale] : {std::pair{-5, 1.f}, {4, nan}, {4, -1.f}, {-8, -1.f}, {4, inf}, {4, -inf}}) {
        font.spacing = spacing;
        auto context = VSTGUI::COffscreenContext::create(nullptr, 200, 60);
        CRect rect(20, 10, 90, 30);
        const uint32_t timeBefore = BitmapFont::drawTimeMicroseconds;
        font.drawString("AV", context, rect, &ink, 0, drawScale, false, false);
        EXPECT_EQ(rect, CRect(20, 10, 90, 30)) << spacing << " " << drawScale;
        EXPECT_EQ(inked(*context), 0u) << spacing << " " << drawScale;
        EXPECT_EQ(BitmapFont::drawTimeMicroseconds, timeBefore);
    }
}

TEST_F(FontRig, DrawingAddsTheMicrosecondsItTakes)
{
    font.setImage(glyphs.get(), 14);
    const std::string text(300, 'W');
    auto context = VSTGUI::COffscreenContext::create(nullptr, 64, 64);
    for (bool useImage : {true, false}) { // the glyph-buffer and the platform road
        font.useImage = useImage;
        const uint32_t before = BitmapFont::drawTimeMicroseconds;
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 5; ++i) {
            CRect rect(0, 0, 3000, 30);
            font.drawString(text.c_str(), context, rect, &ink, 0, 1.f, false, false);
        }
        const auto wall = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
        const int64_t added = BitmapFont::drawTimeMicroseconds - before;
        EXPECT_LE(added, wall.count()) << useImage;
        EXPECT_GE(added, wall.count() / 2) << useImage;
    }
}

TEST(GlyphBufferTest, ReducedTextGetsAHaloThatSuitsItsColour)
{
    // colour, the halo's blue and alpha left of the ink (0 and 0 for none)
    for (auto [colour, shade, alpha] : {std::tuple{CColor(20, 20, 20), 35, 35}, {CColor(240, 240, 240), 0, 55},
                                        {CColor(255, 0, 255), 0, 0}}) {
        GlyphBuffer buffer(40, 40, false, false);
        for (int y = 10; y < 30; ++y)
            for (int x = 10; x < 30; ++x)
                buffer.pixels[size_t(y) * 40 + x] = 255;
        CBitmap* bitmap = renderGlyphBuffer(buffer, colour, 20, 20);
        ASSERT_TRUE(bitmap);
        const uint8_t* p = bitmap->getPlatformBitmap()->getPixels();
        EXPECT_EQ(p[(10 * 20 + 4) * 4], shade);
        EXPECT_EQ(p[(10 * 20 + 4) * 4 + 3], alpha);
        EXPECT_EQ(p[(10 * 20 + 10) * 4 + 3], 255);
        EXPECT_EQ(p[(10 * 20 + 2) * 4 + 3], 0);
        bitmap->forget();
    }
    GlyphBuffer small(10, 10, false, false); // enlarging blocks reach past its right and bottom edges
    small.pixels.assign(100, 255);
    VSTGUI::SharedPointer<CBitmap>(renderGlyphBuffer(small, CColor(), 40, 30), false);
    const GlyphImage glyphs(12, 6); // a rectangle beyond the mask copies only what the mask has
    copyGlyph(small, glyphs, CRect(5, 0, 40, 30), VSTGUI::CPoint(1, 0));
    EXPECT_EQ(small.pixels[1], 0);
    GlyphBuffer refused(10000, 10, false, false);
    EXPECT_FALSE(renderGlyphBuffer(refused, CColor(), 8, 8));
}

TEST_F(FontRig, HostileSizesTextsAndScalesStayInsideEveryBuffer)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::string longText(200000, 'W');
    auto context = VSTGUI::COffscreenContext::create(nullptr, 64, 64);
    const CColor ink(200, 200, 200);
    for (int32_t size : {0, -5, 1 << 30}) {
        for (float drawScale : {1.f, 0.f, nan, 1e30f, -2.f}) {
            for (const char* text : {"\x80\xff\x01 Az", "\x7f~", longText.c_str()}) {
                font.setImage(&image, size);
                font.spacing = drawScale < 0 ? INT32_MAX : 0;
                font.scale = drawScale != drawScale ? nan : font.scale;
                CRect rect(0, 0, drawScale > 1 ? 1e12 : 60, 30);
                font.drawString(text, context, rect, &ink, 1, drawScale, true, true);
                font.getStringWidth(text, nullptr);
                font.getLineHeight();
            }
        }
    }
    font.setImage(&image, 20);
    const int64_t liveBefore = VSTGUI::ReferenceCounted::liveObjectCount();
    font.useStringCache = true;
    for (int i = 0; i < 200; ++i) {
        CRect rect(0, 0, 60, 30);
        font.drawString(std::to_string(i).c_str(), context, rect, &ink, 1, 1.f, false, false);
    }
    EXPECT_EQ(font.stringCache.size(), BitmapFont::kStringCacheCapacity);
    EXPECT_EQ(font.stringCache.front().key.substr(0, 4), "199|");
    EXPECT_EQ(font.stringCache.front().bitmap->getNbReference(), 1);
    CRect again(0, 0, 60, 30);
    font.drawString("150", context, again, &ink, 1, 1.f, false, false);
    EXPECT_EQ(font.stringCache.size(), BitmapFont::kStringCacheCapacity);
    EXPECT_EQ(font.stringCache.front().key.substr(0, 4), "150|");
    font.setSize(19); // a new size draws every text anew
    EXPECT_TRUE(font.stringCache.empty());
    EXPECT_EQ(VSTGUI::ReferenceCounted::liveObjectCount(), liveBefore);
}

} // namespace
