// The bitmap font: detection on the committed font image and on damaged images, the built-in
// layouts, sizes, measuring with kerning and spacing, drawing, and hostile input.

#include "platform/Shell.h"
#include "support/BitmapFont.h"
#include "support/GlyphBuffer.h"
#include "tools/canvas-sheet/TextSheet.h"
#include "tools/font-gen/FontImage.h"
#include "vstgui/CBitmap.h"
#include "vstgui/COffscreenContext.h"
#include "vstgui/PngCodec.h"

#include <gtest/gtest.h>

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

std::string lastMessage;
int catchMessage(HWND owner, const char* text, const char* caption, UINT type)
{
    lastMessage = std::string(owner || type != 0x1010 ? "not an error box: " : "") + caption + ": " + text;
    return 1;
}

// A width x height image with a marker after every glyph column group of 5; marker pixels get
// the colour given, the glyphs full coverage.
VSTGUI::SharedPointer<CBitmap> markedImage(int width, int height, int markers, CColor marker = CColor(255, 0, 255))
{
    VSTGUI::CPoint size(width, height);
    auto pixels = VSTGUI::IPlatformBitmap::create(&size);
    if (!pixels)
        return VSTGUI::makeOwned<CBitmap>(0, 0);
    for (int m = 0; m < markers && m * 6 + 5 < width; ++m) {
        uint8_t* p = pixels->getPixels() + (m * 6 + 5) * 4;
        p[0] = marker.blue, p[1] = marker.green, p[2] = marker.red, p[3] = 255;
    }
    return VSTGUI::makeOwned<CBitmap>(pixels);
}

struct FontRig : testing::Test {
    FontRig() : image(FontImage::render(FontImage::kNativeHeight)) { platform::setMessageBoxSink(catchMessage); }
    ~FontRig() override { platform::setMessageBoxSink(nullptr); }
    CBitmap image;
    BitmapFont font;
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
    // size asked, size kept, scale, pad, line height
    for (auto [asked, size, scale, pad, lineHeight] : {std::tuple{14, 14, 0.5f, 16, 14}, {3, 5, 5.f / 28, 5, 5},
                                                       {27, 27, 1.f, 32, 28}, {99, 28, 1.f, 32, 28}}) {
        font.setImage(&image, asked);
        EXPECT_EQ(font.size, size) << asked;
        EXPECT_EQ(font.scale, scale) << asked;
        EXPECT_EQ(font.pad, pad) << asked;
        EXPECT_EQ(font.halfPad, pad >> 1) << asked;
        EXPECT_EQ(font.getLineHeight(), lineHeight) << asked;
    }
}

TEST_F(FontRig, DamagedImagesLeaveAFontThatMeasuresNothing)
{
    auto corrupt = VSTGUI::makeOwned<CBitmap>(VSTGUI::IPlatformBitmap::createFromMemory("\x89PNG\r\n\x1a\n\0\0", 10));
    // image, the message, whether the font keeps the good image set before
    const std::tuple<VSTGUI::SharedPointer<CBitmap>, const char*, bool> cases[] = {
        {markedImage(600, 20, 91), "(found 91)", false},
        {markedImage(600, 20, 95), "(found 95)", false},
        {markedImage(600, 20, 92, CColor(255, 120, 255)), "(found 0)", false},
        {markedImage(600, 20, 92, CColor(120, 0, 255)), "(found 0)", false},
        {markedImage(10000, 20, 92), "", true},
        {markedImage(600, 1000, 92), "", true},
        {markedImage(600, 5, 92), "", true},
        {corrupt, "", false},
        {nullptr, "", false},
    };
    for (auto [damaged, message, keeps] : cases) {
        font.setImage(&image, 28);
        lastMessage.clear();
        font.setImage(damaged.get(), 20);
        EXPECT_NE(lastMessage.find(message), std::string::npos) << lastMessage;
        EXPECT_EQ(lastMessage.empty(), *message == '\0');
        EXPECT_EQ(font.getStringWidth("AV", nullptr) > 0, keeps) << message;
        EXPECT_EQ(font.getLineHeight(), keeps ? 28 : 20) << message;
        font.drawStringDirect("AV", nullptr, CRect(0, 0, 99, 99), nullptr, 0);
    }
    EXPECT_EQ(lastMessage, "");
    font.setImage(markedImage(600, 20, 91).get(), 20);
    EXPECT_EQ(lastMessage, "The font image error: The font image must contains 92 elements (found 91).\n"
                           "The texts may be drawed incorrectly!");
    auto good = markedImage(600, 20, 92);
    font.setImage(good.get(), 20);
    EXPECT_EQ(font.getStringWidth(" \"", nullptr), 10);
}

TEST_F(FontRig, BuiltInLayoutsPlaceTheGlyphsWithoutMarkers)
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
    font.layoutSelector = 3;
    font.setImage(blank.get(), 30);
    EXPECT_EQ(font.glyphRects[1], CRect());
}

TEST_F(FontRig, KerningSpacingAndTheCharacterLookupChangeTheWidths)
{
    font.setImage(&image, 28);
    const int a = font.glyphRects[1].getWidth(), v = font.glyphRects[22].getWidth();
    const int star = font.glyphRects[70].getWidth();
    EXPECT_EQ(font.getStringWidth("AV", nullptr), a + v);
    EXPECT_EQ(font.getStringWidth("A\xc8", nullptr), a + star);
    EXPECT_EQ(font.getStringWidth("A~", nullptr), a);
    font.loadKerning(nullptr, 0);
    EXPECT_TRUE(font.kerningEnabled);
    EXPECT_EQ(font.getStringWidth("AV", nullptr), a + v);
    const KerningRecord records[] = {{'A', 'V', {0xfe, 0xff}}, {'V', '*', {3, 0}}, {255, 'A', {9, 0}},
                                     {'A', 255, {9, 0}}};
    font.loadKerning(records, 4);
    EXPECT_EQ(font.getStringWidth("AV", nullptr), a + v - 2 + 3);
    EXPECT_EQ(font.getStringWidthDirect("AV", nullptr), a + v - 2 + 3);
    font.kerningEnabled = false;
    font.spacing = 1;
    EXPECT_EQ(font.getStringWidth("AVA", nullptr), 2 * a + v + 3);
    EXPECT_EQ(font.getStringWidthDirect("AVA", nullptr), 2 * a + v + 2);
    font.setSize(14);
    EXPECT_EQ(font.getStringWidth("AVA", nullptr), int(std::ceil((2 * a + v + 3) * 0.5f)));

    font.useImage = false;
    auto context = VSTGUI::COffscreenContext::create(nullptr, 50, 50);
    const int measured = font.getStringWidth("AVA", context);
    context->setFont(VSTGUI::kNormalFontSmall);
    EXPECT_EQ(measured, int(context->getStringWidth("AVA")) + 3);
    EXPECT_EQ(font.getStringWidth("AVA", nullptr), 0);
}

TEST_F(FontRig, DrawingPlacesTheBitmapAndMatchesTheReferenceSheet)
{
    auto sheet = TextSheet::draw();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(bytesDiffering(ZARN_TEXT_SHEET_REFERENCE, *sheet->getBitmap()->getPlatformBitmap()), 0u)
        << "write it again with canvas-sheet OUT.png " ZARN_TEXT_SHEET_REFERENCE " after an intended change";

    font.setImage(&image, 28);
    auto context = VSTGUI::COffscreenContext::create(nullptr, 200, 100);
    const CColor ink(10, 10, 10);
    // alignment, bold, the rectangle drawn into: full size has no reduction and a 16-pixel margin.
    font.spacing = 4;
    const int textW = font.getStringWidth("AV", nullptr), boldW = font.getStringWidth("AV", nullptr) + 2;
    for (auto [alignment, bold, expected] :
         {std::tuple{0, false, CRect(4, -9, 4 + 104, 51)}, {2, false, CRect(90 - textW - 31, -9, 90 - textW - 31 + 104, 51)},
          {2, true, CRect(90 - boldW - 31, -9, 90 - boldW - 31 + 104, 51)}}) {
        CRect rect(20, 10, 90, 30);
        font.spacing = 4;
        font.drawString("AV", context, rect, &ink, alignment, 1.f, false, bold);
        EXPECT_EQ(rect, expected) << alignment << bold;
        EXPECT_EQ(font.spacing, 4);
        font.spacing = 0;
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
