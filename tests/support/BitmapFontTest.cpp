// The bitmap font: detection on the committed font image and on drawn test images, the built-in
// layouts, sizes, measuring with kerning and spacing, drawing and its time, the glyph buffer's
// rendering, and hostile input.

#include "platform/Shell.h"
#include "support/BitmapFont.h"
#include "support/GlyphBuffer.h"
#include "tools/canvas-sheet/CanvasSheet.h"
#include "tools/canvas-sheet/TextSheet.h"
#include "tools/font-gen/FontImage.h"
#include "vstgui/CBitmap.h"
#include "vstgui/CFrame.h"
#include "vstgui/COffscreenContext.h"
#include "vstgui/PngCodec.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <limits>
#include <string>

using VSTGUI::CBitmap;
using VSTGUI::CColor;
using VSTGUI::CRect;
using std::tuple;

namespace {

// Whether the decoded PNG file holds exactly picture's pixels.
bool samePixels(const char* referencePath, const VSTGUI::IPlatformBitmap& picture)
{
    std::ifstream file(referencePath, std::ios::binary);
    const std::vector<char> png{std::istreambuf_iterator<char>(file), {}};
    int32_t width = 0, height = 0;
    std::vector<uint8_t> reference;
    return VSTGUI::PngCodec::decode(png.data(), png.size(), width, height, reference) &&
           width == picture.getPixelWidth() && height == picture.getPixelHeight() &&
           std::equal(reference.begin(), reference.end(), picture.getPixels());
}

int messages = 0;
std::string lastMessage;
int catchMessage(HWND owner, const char* text, const char* caption, UINT type)
{
    lastMessage = std::string(owner || type != 0x1010 ? "not an error box: " : "") + caption + ": " + text;
    return ++messages;
}

// A width x height image of 5-column glyphs at full coverage, each followed by a marker in row 0
// of the next column (6m + 5) in the colour given.
VSTGUI::SharedPointer<CBitmap> markedImage(int width, int height, int markers, CColor marker = CColor(255, 0, 255))
{
    VSTGUI::CPoint size(width, height);
    auto pixels = VSTGUI::IPlatformBitmap::create(&size);
    uint8_t* p = pixels->getPixels();
    for (int m = 0; m < markers && m * 6 + 5 < width; ++m) {
        for (int y = 0; y < height; ++y)
            for (int x = m * 6; x < m * 6 + 5; ++x)
                p[(y * width + x) * 4] = p[(y * width + x) * 4 + 3] = 255;
        uint8_t* at = p + (m * 6 + 5) * 4;
        at[0] = marker.blue, at[1] = marker.green, at[2] = marker.red, at[3] = 255;
    }
    return VSTGUI::makeOwned<CBitmap>(pixels);
}

uint8_t alphaAt(const VSTGUI::IPlatformBitmap& p, int x, int y) { return p.getPixels()[size_t(y) * p.getBytesPerRow() + size_t(x) * 4 + 3]; }
size_t inked(VSTGUI::COffscreenContext& context)
{
    const VSTGUI::IPlatformBitmap& pixels = *context.getBitmap()->getPlatformBitmap();
    size_t count = 0;
    for (int i = 3; i < pixels.getBytesPerRow() * pixels.getPixelHeight(); i += 4)
        count += pixels.getPixels()[i] != 0;
    return count;
}

// Records where the direct road copies each glyph to and from.
struct RecordingBitmap : CBitmap {
    using CBitmap::CBitmap;
    void draw(VSTGUI::CDrawContext*, const CRect& r, const VSTGUI::CPoint& at, float) override { drawn.push_back({r, at}); }
    std::vector<std::pair<CRect, VSTGUI::CPoint>> drawn;
};

struct FontRig : testing::Test {
    FontRig() { platform::setMessageBoxSink(catchMessage); }
    ~FontRig() override { platform::setMessageBoxSink(nullptr); }
    VSTGUI::SharedPointer<CBitmap> glyphs = markedImage(600, 20, 92); // every glyph 5 wide
    BitmapFont font;
    const CColor ink{10, 10, 10};
};

TEST_F(FontRig, SizesClampAndRoundTheScale)
{
    // image height, size asked, size kept, scale, pad, line height
    for (auto [height, asked, size, scale, pad, lineHeight] :
         {tuple{28, 14, 14, 0.5f, 16, 14}, {28, 3, 5, 5.f / 28, 5, 5}, {28, 99, 28, 1.f, 32, 28},
          {20, 19, 19, 1.f, 32, 20}, {20, 18, 18, 0.9f, 28, 18}, {105, 3, 5, 0.05f, 1, 6}}) {
        font.setImage(markedImage(600, height, 92).get(), asked);
        EXPECT_EQ(tuple(font.size, font.scale, font.pad, font.halfPad, font.getLineHeight()), tuple(size, scale, pad, pad >> 1, lineHeight))
            << height << " " << asked;
    }
}

TEST_F(FontRig, WrongMarkerCountsKeepTheGlyphsFoundAndRefusedImagesTheFontBefore)
{
    auto corrupt = VSTGUI::makeOwned<CBitmap>(VSTGUI::IPlatformBitmap::createFromMemory("\x89PNG\r\n\x1a\n\0\0", 10));
    auto before = markedImage(600, 24, 92);
    const CRect none(-1, -1, -1, -1);
    // image, the message, the width of "AV", the line height and the double quote's rectangle after;
    // images of a refused size keep the font before.
    using Case = tuple<VSTGUI::SharedPointer<CBitmap>, const char*, int, int, CRect>;
    const auto kept = [](VSTGUI::SharedPointer<CBitmap> image) { return Case{image, "", 10, 24, CRect(546, 0, 551, 24)}; };
    const Case cases[] = {
        {markedImage(600, 20, 91),
         "The font image error: The font image must contains 92 elements (found 91).\n"
         "The texts may be drawed incorrectly!", 10, 20, CRect()},
        {markedImage(600, 20, 95), "(found 95)", 10, 20, CRect(546, 0, 551, 20)},
        {markedImage(600, 20, 92, CColor(255, 120, 255)), "(found 0)", 0, 20, CRect()},
        {markedImage(600, 20, 92, CColor(120, 0, 255)), "(found 0)", 0, 20, CRect()},
        kept(markedImage(10000, 20, 92)), kept(markedImage(600, 1000, 92)), kept(markedImage(600, 5, 92)),
        kept(markedImage(5, 20, 0)), {corrupt, "", 0, 20, none}, {nullptr, "", 0, 20, none}};
    for (auto [damaged, message, width, lineHeight, lastGlyph] : cases) {
        font.setImage(before.get(), 24);
        messages = 0, lastMessage.clear();
        font.setImage(damaged.get(), 20);
        EXPECT_EQ(tuple(messages, lastMessage.find(message) != std::string::npos, font.getStringWidth("AV", nullptr),
                        font.getLineHeight(), font.glyphRects ? font.glyphRects[91] : none),
                  tuple(*message ? 1 : 0, true, width, lineHeight, lastGlyph)) << message;
        auto context = VSTGUI::COffscreenContext::create(nullptr, 100, 60);
        CRect rect(0, 0, 99, 40);
        font.drawString("AV", context, rect, &ink, 0, 1.f, false, false);
        EXPECT_EQ(inked(*context) > 0, width > 0) << message;
    }
}

TEST_F(FontRig, BuiltInLayoutsPlaceTheGlyphsWithoutMarkersAndDrawThemDirectly)
{
    auto blank = markedImage(900, 30, 0);
    // The right edges of the 20-, 16- and 28-pixel layouts; each glyph starts one column after the
    // one before. Selector 3 names no layout and leaves every rectangle empty.
    const int heights[] = {20, 16, 28}, rights[3][92] = {
        {3, 14, 22, 32, 42, 50, 57, 68, 77, 80, 87, 96, 103, 115, 125, 137, 145, 157, 165, 173, 182, 191, 200, 215, 224, 234, 243,
        250, 258, 265, 273, 281, 287, 296, 303, 307, 312, 319, 322, 334, 342, 351, 359, 367, 373, 379, 385, 392, 399, 411, 418,
        426, 433, 439, 447, 455, 464, 472, 480, 488, 496, 504, 512, 516, 528, 536, 544, 557, 565, 575, 582, 586, 590, 598, 603,
        612, 621, 625, 629, 635, 641, 645, 649, 655, 658, 664, 667, 671, 680, 689, 693, 700}, {3, 11, 17, 24, 32, 38, 44, 52, 59,
        62, 67, 73, 78, 87, 95, 104, 110, 119, 125, 131, 138, 145, 153, 164, 170, 178, 185, 190, 196, 201, 207, 213, 218, 224, 229,
        232, 236, 241, 244, 253, 259, 265, 271, 277, 281, 286, 291, 296, 302, 311, 317, 323, 328, 333, 339, 345, 351, 357, 363,
        369, 375, 381, 387, 390, 399, 405, 411, 421, 428, 436, 441, 445, 448, 454, 458, 464, 471, 474, 477, 481, 485, 488, 491,
        496, 499, 504, 507, 510, 517, 524, 527, 532}, {5, 18, 28, 40, 52, 62, 71, 84, 95, 99, 108, 119, 128, 142, 154, 168, 178,
        192, 202, 211, 222, 233, 245, 263, 274, 285, 296, 305, 315, 324, 334, 343, 350, 360, 369, 373, 379, 387, 390, 404, 413,
        423, 433, 443, 450, 458, 465, 474, 484, 499, 509, 519, 527, 534, 544, 553, 563, 573, 583, 593, 603, 613, 623, 627, 641,
        651, 661, 677, 688, 701, 709, 714, 719, 729, 735, 746, 757, 762, 767, 774, 781, 786, 790, 797, 800, 807, 811, 816, 827,
        838, 843, 851}};
    for (int selector : {0, 1, 2, 3}) {
        font.layoutSelector = selector;
        font.setImage(blank.get(), 30);
        ASSERT_TRUE(font.glyphRects);
        std::vector<CRect> expected(92);
        for (size_t g = 0; selector < 3 && g < 92; ++g)
            expected[g] = CRect(g ? rights[selector][g - 1] + 1 : 0, 0, rights[selector][g], heights[selector]);
        EXPECT_EQ(std::vector<CRect>(font.glyphRects, font.glyphRects + 92), expected) << selector;
    }
    // "AB" in the 28-pixel layout with spacing 2 is 12 + 2 + 9 pixels wide, drawn in a 100 x 40
    // rectangle at the image's own 30-pixel height.
    RecordingBitmap recorder(VSTGUI::SharedPointer<VSTGUI::IPlatformBitmap>(blank->getPlatformBitmap()));
    font.layoutSelector = 2;
    font.setImage(&recorder, 30);
    font.spacing = 2;
    EXPECT_EQ(font.getStringWidth("AB", nullptr), 23); // image pixels, whatever the size
    auto context = VSTGUI::COffscreenContext::create(nullptr, 8, 8);
    const uint32_t timeBefore = BitmapFont::drawTimeMicroseconds;
    for (auto [alignment, left] : {std::pair{0, 10}, {1, 48}, {2, 87}}) {
        recorder.drawn.clear();
        CRect rect(10, 4, 110, 44);
        font.drawString("AB", context, rect, &ink, alignment, 0.5f, true, true);
        EXPECT_EQ(recorder.drawn, (decltype(recorder.drawn){{CRect(left, 9, left + 12, 39), {6, 0}},
                                                            {CRect(left + 14, 9, left + 23, 39), {19, 0}}})) << alignment;
    }
    EXPECT_EQ(BitmapFont::drawTimeMicroseconds, timeBefore);
}

TEST_F(FontRig, KerningSpacingAndTheCharacterLookupChangeTheWidths)
{
    const std::string charset = R"( ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz1234567890!@#$%^&*()_-=+[]{};:\|/.,<>'")";
    for (int glyph = 0; glyph < 92; ++glyph)
        EXPECT_EQ(font.glyphOf(charset[size_t(glyph)]), glyph) << charset[size_t(glyph)];
    font.setImage(glyphs.get(), 20);
    font.loadKerning(nullptr, 0);
    EXPECT_TRUE(font.kerningEnabled);
    const KerningRecord records[] = {{'A', 'V', {5, 0}},  {'A', 'V', {0xfe, 0xff}}, {'V', '*', {3, 0}},
                                     {'~', '*', {4, 0}}, {255, 'A', {9, 0}},    {'A', 255, {9, 0}}};
    font.loadKerning(records, 6);
    // kerning, spacing, size, text, width at the size, width in image pixels. The last character
    // is kerned against "*", bytes 128 to 255 are measured as "*", and the ~ has no glyph: it adds
    // nothing at the size, only its kerning in image pixels.
    for (auto [kerned, spacing, size, text, width, direct] :
         {tuple{false, 0, 20, "A\xc8", 10, 10}, {false, 0, 20, "A~", 5, 5}, {true, 0, 20, "AV", 11, 11},
          {true, 0, 20, "A~", 5, 9}, {false, 1, 20, "AVA", 18, 17}, {false, 1, 20, "", 0, 0},
          {false, 0, 10, "AVA", 8, 15}}) {
        font.kerningEnabled = kerned;
        font.spacing = spacing;
        font.setSize(size);
        EXPECT_EQ(tuple(font.getStringWidth(text, nullptr), font.getStringWidthDirect(text, nullptr)), tuple(width, direct))
            << text << " " << kerned << spacing << " " << size;
    }
    font.useImage = false; // the platform font's width and 3, 0 without a context
    auto context = VSTGUI::COffscreenContext::create(nullptr, 50, 50);
    context->setFont(VSTGUI::kNormalFontSmall);
    const int platformWidth = int(context->getStringWidth("AVA"));
    EXPECT_EQ(tuple(font.getStringWidth("AVA", context), font.getStringWidth("AVA", nullptr)), tuple(platformWidth + 3, 0));
}

TEST_F(FontRig, DrawingPlacesTheBitmapAlsoForANegativeWidth)
{
    // size, spacing, drawing scale, alignment, bold, where "AV" (2 x (5 + spacing) wide) is drawn
    // from the rectangle (20, 10, 90, 30). At size 20 and scale 1 the image is not reduced: pad 32
    // gives 52 rows and 70 + 32 columns, raised to 104, and the A starts at column 16 (17 with
    // bold). A width of 0, and a NaN, negative or infinite drawing scale draw nothing, leave the
    // rectangle and add no time.
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const CRect given(20, 10, 90, 30);
    for (auto [size, spacing, drawScale, alignment, bold, expected] :
         {tuple{20, 4, 1.f, 0, false, CRect(4, -5, 108, 47)}, {20, 4, 1.f, 1, false, CRect(30, -5, 134, 47)},
          {20, 4, 1.f, 2, false, CRect(41, -5, 145, 47)}, {20, 4, 1.f, 2, true, CRect(39, -5, 143, 47)},
          {20, -8, 1.f, 0, false, CRect(4, -5, 108, 47)}, {20, -8, 1.f, 1, false, CRect(42, -5, 146, 47)},
          {20, -8, 1.f, 2, false, CRect(65, -5, 169, 47)}, {10, 0, 1.f, 2, false, CRect(70, 8, 158, 34)},
          {20, 4, 0.5f, 2, false, CRect(50, 0, 154, 42)}, {20, -5, 1.f, 0, false, given}, {20, 4, nan, 0, false, given},
          {20, 4, -1.f, 0, false, given}, {20, -8, -1.f, 0, false, given}, {20, 4, inf, 0, false, given},
          {20, 4, -inf, 0, false, given}}) {
        font.setImage(glyphs.get(), size);
        font.spacing = spacing;
        auto context = VSTGUI::COffscreenContext::create(nullptr, 200, 60);
        CRect rect = given;
        const uint32_t before = BitmapFont::drawTimeMicroseconds;
        font.drawString("AV", context, rect, &ink, alignment, drawScale, false, bold);
        EXPECT_EQ(tuple(rect, font.spacing), tuple(expected, spacing)) << spacing << " " << drawScale << alignment << bold;
        const VSTGUI::IPlatformBitmap& drawn = *context->getBitmap()->getPlatformBitmap();
        const bool drew = rect != given;
        EXPECT_EQ(tuple(inked(*context) > 0, drew || BitmapFont::drawTimeMicroseconds == before), tuple(drew, true));
        if (size == 20 && drawScale == 1.f && drew) {
            EXPECT_EQ(tuple(alphaAt(drawn, int(rect.left) + 16, 20), alphaAt(drawn, int(rect.left) + 18, 20)), tuple(bold ? 0 : 255, 255));
        }
    }
}

TEST_F(FontRig, TheKerningSheetDrawsEveryGlyphAfterTheBlankOnceKernedWithoutSpacing)
{
    RecordingBitmap recorder(VSTGUI::SharedPointer<VSTGUI::IPlatformBitmap>(glyphs->getPlatformBitmap()));
    font.setImage(&recorder, 20);
    auto frame = VSTGUI::makeOwned<VSTGUI::CFrame>(CRect(0, 0, 10, 10), nullptr);
    font.sheetFrame = frame.get();
    font.spacing = 7;
    const KerningRecord records[] = {{'|', ' ', {0xfe, 0xff}}};
    font.loadKerning(records, 1);
    font.drawKerningSheet();
    font.drawKerningSheet();
    // 91 lines "|%s |  %d %d" of 10 characters and the code's 2 or 3 digits (26 codes above 99).
    EXPECT_EQ(recorder.drawn.size(), 91u * 12 + 26);
    // The small z's line, "| z |  32 122", is 20 + 51 x 20 pixels down, after 51 lines of which
    // 22 (d to y) have 3 digits; glyph g sits at 6 g.
    const int glyph[] = {84, 0, 52, 0, 84, 0, 0, 55, 54, 0, 53, 54, 54};
    const int pen[] = {0, 3, 8, 13, 18, 21, 26, 31, 36, 41, 46, 51, 56};
    for (size_t k = 0; k < 13; ++k)
        EXPECT_EQ(recorder.drawn[51 * 12 + 22 + k], std::pair(CRect(20 + pen[k], 1040, 25 + pen[k], 1060), VSTGUI::CPoint(6 * glyph[k], 0))) << k;
}

TEST_F(FontRig, DrawingAddsTheMicrosecondsItTakes)
{
    font.setImage(glyphs.get(), 14);
    const std::string text(300, 'W');
    auto context = VSTGUI::COffscreenContext::create(nullptr, 64, 64);
    for (bool useImage : {true, false}) { // the glyph-buffer and the platform road
        font.useImage = useImage;
        CRect rect(0, 0, 3000, 30);
        const uint32_t before = BitmapFont::drawTimeMicroseconds;
        const auto start = std::chrono::steady_clock::now();
        font.drawString(text.c_str(), context, rect, &ink, 0, 1.f, false, false);
        const int64_t added = BitmapFont::drawTimeMicroseconds - before;
        const int64_t wall = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
        // Both sides are cut to whole microseconds, so the call's own count may round one above.
        EXPECT_TRUE(added <= wall + 1 && added >= wall / 2) << added << " of " << wall << " " << useImage;
    }
}

TEST(GlyphBufferTest, RenderingSlantsEmboldensReducesSharpensColoursAndRims)
{
    using Areas = std::vector<tuple<int, int, int, int, int>>;
    using Bytes = std::vector<tuple<int, int, int, int>>;
    const CColor white(255, 255, 255), magenta(255, 0, 255);
    // square buffer side, areas set (left, top, right, bottom, coverage), slant, bold, square target
    // side, colour, bytes expected (x, y, byte: 0 blue, 3 alpha; value). At the buffer's own size:
    // sharpened 1.2 p - 0.05 x the four neighbours, 10 and below clear; 3 x 3 to 2 x 2 averages a
    // 2 x 2 block whose sum must pass 80; reduced text gets a rim that suits its colour.
    for (auto [side, areas, slant, bold, target, colour, bytes] :
         {tuple{8, Areas{{3, 3, 6, 6, 100}, {1, 1, 2, 2, 8}}, false, false, 8, white,
                Bytes{{4, 4, 3, 100}, {4, 3, 3, 105}, {3, 3, 3, 110}, {1, 1, 3, 0}}},
          {8, Areas{{2, 2, 3, 3, 200}}, false, true, 8, white, Bytes{{2, 2, 3, 220}, {3, 3, 3, 220}, {4, 2, 3, 0}}},
          {8, Areas{{1, 0, 2, 1, 200}, {1, 3, 2, 4, 200}, {1, 7, 2, 8, 200}}, true, false, 8, white,
           Bytes{{3, 0, 3, 200}, {2, 3, 3, 240}, {1, 7, 3, 200}}},
          {3, Areas{{0, 0, 1, 3, 100}}, false, false, 2, magenta, Bytes{{0, 0, 3, 50}}},
          {3, Areas{{0, 0, 1, 3, 40}}, false, false, 2, magenta, Bytes{{0, 0, 3, 0}}},
          {40, Areas{{10, 10, 30, 30, 255}}, false, false, 20, CColor(20, 20, 20),
           Bytes{{4, 10, 0, 35}, {4, 10, 3, 35}, {10, 10, 3, 255}, {2, 10, 3, 0}}},
          {40, Areas{{10, 10, 30, 30, 255}}, false, false, 20, CColor(100, 100, 100), Bytes{{4, 10, 0, 0}, {4, 10, 3, 55}}},
          {40, Areas{{10, 10, 30, 30, 255}}, false, false, 20, magenta, Bytes{{4, 10, 3, 0}, {10, 10, 3, 255}}}}) {
        GlyphBuffer buffer(side, side, slant, bold);
        for (auto [left, top, right, bottom, coverage] : areas)
            for (int y = top; y < bottom; ++y)
                for (int x = left; x < right; ++x)
                    buffer.pixels[size_t(y * side + x)] = uint8_t(coverage);
        VSTGUI::SharedPointer<CBitmap> bitmap(renderGlyphBuffer(buffer, colour, target, target), false);
        for (auto [x, y, byte, value] : bytes)
            EXPECT_EQ(bitmap->getPlatformBitmap()->getPixels()[(y * target + x) * 4 + byte], value)
                << side << slant << bold << " " << x << " " << y << " " << byte;
    }
    GlyphBuffer small(10, 10, false, false); // enlarging blocks reach past its right and bottom edges
    small.pixels.assign(100, 255);
    VSTGUI::SharedPointer<CBitmap>(renderGlyphBuffer(small, CColor(), 40, 30), false);
    const GlyphImage glyphs(12, 6); // a rectangle beyond the mask copies only what the mask has
    copyGlyph(small, glyphs, CRect(5, 0, 40, 30), VSTGUI::CPoint(1, 0));
    EXPECT_EQ(tuple(small.pixels[1], GlyphBuffer(9999, 1, false, false).hasPixels(), GlyphBuffer(10000, 1, false, false).hasPixels()),
              tuple(0, true, false));
}

// The canvas and text sheets (written by canvas-sheet) and the font image (by font-gen) as committed.
TEST(Pictures, TheSheetsAndTheFontImageMatchTheirReferences)
{
    auto canvasSheet = CanvasSheet::draw(), textSheet = TextSheet::draw();
    ASSERT_TRUE(canvasSheet && textSheet);
    EXPECT_TRUE(samePixels(ZARN_CANVAS_SHEET_REFERENCE, *canvasSheet->getBitmap()->getPlatformBitmap()));
    EXPECT_TRUE(samePixels(ZARN_TEXT_SHEET_REFERENCE, *textSheet->getBitmap()->getPlatformBitmap()));
    EXPECT_TRUE(samePixels(ZARN_FONT_IMAGE, *CBitmap(FontImage::render(FontImage::kNativeHeight)).getPlatformBitmap()));
}

TEST_F(FontRig, TheCommittedImageDetectsWithoutComplaintAndItsDrawnTextsAreKeptWhenAsked)
{
    CBitmap image(FontImage::render(FontImage::kNativeHeight));
    messages = 0;
    font.setImage(&image, 28);
    EXPECT_EQ(messages, 0);
    auto context = VSTGUI::COffscreenContext::create(nullptr, 64, 64);
    font.setImage(&image, 20);
    const int64_t liveBefore = VSTGUI::ReferenceCounted::liveObjectCount();
    font.useStringCache = true;
    for (int i = 0; i <= 200; ++i) { // the text drawn again last moves to the front
        CRect rect(0, 0, 60, 30);
        font.drawString(std::to_string(i < 200 ? i : 150).c_str(), context, rect, &ink, 1, 1.f, false, false);
    }
    EXPECT_EQ(tuple(font.stringCache.size(), font.stringCache.front().key.substr(0, 4)), tuple(BitmapFont::kStringCacheCapacity, "150|"));
    font.setSize(19); // a new size draws every text anew
    EXPECT_EQ(tuple(font.stringCache.size(), VSTGUI::ReferenceCounted::liveObjectCount()), tuple(0u, liveBefore));
}

} // namespace
