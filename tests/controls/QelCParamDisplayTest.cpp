#include "controls/QelCParamDisplay.h"

#include "support/BitmapFont.h"
#include "tests/vstgui/TestSupport.h"
#include "tools/font-gen/FontImage.h"
#include "vstgui/CBitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>

using namespace VSTGUI;

namespace {

constexpr float kNaNf = std::numeric_limits<float>::quiet_NaN();
constexpr CRect kAnchor(100, 100, 140, 140); // the pop-up opens below it at (60, 145), 120 wide
const CColor kBack(245, 255, 100, 255);
const CColor kLine(0, 0, 255, 255);

// A 300 x 300 frame with a pop-up as the editor makes it, released before the rig's leak check.
struct PopupRig : testsupport::OffscreenRig {
    PopupRig() : popup(new QelCParamDisplay(CRect(10, 10, 100, 20), frame))
    {
        popup->setBackColor(kBack);
        popup->setFrameColor(kLine);
        popup->setFontColor(CColor(255, 0, 0, 255));
    }
    ~PopupRig()
    {
        popup->hidePopup();
        popup->forget();
    }
    // The timer tick at which the pop-up hides; 0 when it is still shown after ten.
    int tickThatHides()
    {
        for (int tick = 1; tick <= 10; ++tick) {
            backEnd->advanceTime(QelCParamDisplay::kTimerPeriodMs);
            if (!popup->isOpen())
                return tick;
        }
        return 0;
    }
    // Row y after the next idle, and the first and last of its pixels in the box's line colour.
    std::vector<CColor> row(int y)
    {
        frame->idle();
        std::vector<CColor> pixels;
        for (int x = 0; x < 300; ++x)
            pixels.push_back(backEnd->getPixel(x, y));
        return pixels;
    }
    std::pair<int, int> lineColumns(int y)
    {
        const std::vector<CColor> pixels = row(y);
        return {int(std::find(pixels.begin(), pixels.end(), kLine) - pixels.begin()),
                int(pixels.rend() - std::find(pixels.rbegin(), pixels.rend(), kLine)) - 1};
    }
    QelCParamDisplay* popup;
};

TEST(ValuePopup, OpensBelowItsAnchorUnlessTheRoomLeftIsBelowTheMargin)
{
    // Font, text scale, padding (written directly, beyond the setter's range once), anchor, forced
    // above, the place. The text shows in the pop-up's middle row unless there is no font.
    const CFontRef f = kSystemFont;
    for (auto [font, scale, padding, anchor, above, placed] :
         {std::tuple{CFontRef(nullptr), 1.f, 8, kAnchor, false, CRect(60, 145, 180, 185)}, // 32 + 8
          {f, 1.f, 8, kAnchor, false, {60, 145, 180, 167}}, {f, 1.f, 8, kAnchor, true, {60, 73, 180, 95}}, // 12 + 2 + 8
          {f, 1.f, 8, {100, 200, 140, 246}, false, {60, 251, 180, 273}}, // 32 pixels left below
          {f, 1.f, 8, {100, 200, 140, 247}, false, {60, 173, 180, 195}}, // 31
          {f, 1.25f, 8, kAnchor, false, {60, 145, 180, 170}}, {f, kNaNf, 8, kAnchor, false, {60, 145, 180, 153}},
          {f, 1.f, 1 << 30, kAnchor, false, {60, 145, 180, 223}}}) { // floor(17.5) + 8, 0 + 8, 14 + 64
        PopupRig rig;
        rig.popup->setFont(font);
        rig.popup->textScale = scale;
        rig.popup->textPadding = padding;
        std::strcpy(rig.popup->popupText, "88");
        rig.popup->showPopup(anchor, above, false);
        EXPECT_EQ(rig.popup->getViewSize(), placed) << scale << " " << padding << " " << anchor.bottom;
        const std::vector<CColor> middle = rig.row(int(placed.top + placed.bottom) / 2);
        auto isText = [](CColor p) { return p != kBack && p != kLine && p != kBlackCColor; }; // black: the frame
        EXPECT_EQ(std::any_of(middle.begin(), middle.end(), isText), font != nullptr);
    }
}

TEST(ValuePopup, WhileShownAShowOnlyRedrawsAndAMoveKeepsTheSize)
{
    PopupRig rig;
    rig.popup->showPopup(kAnchor, false, false);
    rig.frame->idle();
    rig.backEnd->clearPresentedAreas();
    rig.popup->showPopup(CRect(0, 0, 20, 20), true, true);
    EXPECT_EQ(rig.popup->savedRect, kAnchor);
    EXPECT_EQ(rig.popup->hideMode, QelCParamDisplay::kHideNone);
    rig.frame->idle();
    EXPECT_EQ(rig.backEnd->getPresentedAreas(), std::vector<CRect>{CRect(60, 145, 180, 167)});
    rig.popup->movePopup(CPoint(0, 0));
    EXPECT_EQ(rig.popup->getViewSize(), CRect(60, 145, 180, 167));
    rig.popup->movePopup(CPoint(100, 50));
    EXPECT_EQ(rig.popup->getViewSize(), CRect(60, 55, 180, 77));
    rig.popup->hidePopup();
    EXPECT_EQ(rig.frame->getNbViews(), 0);
    EXPECT_EQ(rig.popup->getNbReference(), 1);
}

TEST(ValuePopup, TimedModesHideWhenThePointerLeavesOrTheLeftButtonIsReleased)
{
    // Mode, pointer, buttons, the tick that hides. On leave the anchor's right and bottom edges are
    // outside; on release the modifiers do not count.
    for (auto [mode, pointer, buttons, tick] :
         {std::tuple{1, CPoint(100, 100), 0, 4}, {1, {140, 120}, 0, 1}, {1, {120, 140}, 0, 1}, {2, {}, kLButton, 6},
          {2, {}, kLButton | kShift, 6}, {2, {}, kLButton | kRButton, 1}, {0, {}, kLButton, 0}}) {
        PopupRig rig;
        rig.backEnd->mouseDown(pointer, buttons);
        popupHideOnRelease = mode == 2;
        rig.popup->showPopup(kAnchor, false, mode == 1);
        popupHideOnRelease = false;
        EXPECT_EQ(rig.popup->timer->isRunning(), mode != 0);
        EXPECT_EQ(rig.tickThatHides(), tick) << mode << " " << pointer.x << " " << buttons;
        EXPECT_FALSE(rig.popup->timer->isRunning() && tick);
    }
    PopupRig rig; // a move or a repeated show starts the count again
    rig.backEnd->mouseMoved(CPoint(120, 120), CButtonState());
    rig.popup->showPopup(kAnchor, false, true);
    rig.backEnd->advanceTime(3 * QelCParamDisplay::kTimerPeriodMs);
    rig.popup->movePopup(CPoint(0, 0));
    rig.backEnd->advanceTime(3 * QelCParamDisplay::kTimerPeriodMs);
    ASSERT_TRUE(rig.popup->isOpen());
    rig.popup->showPopup(kAnchor, false, true);
    EXPECT_EQ(rig.tickThatHides(), 4);
}

TEST(ValuePopup, TheBoxIsTheTextWidthPlusPaddingWithinTheViewAndTheTextIsBounded)
{
    // Text, alignment, text scale, padding, the columns of the box's sides.
    for (auto [text, alignment, scale, padding, columns] :
         {std::tuple{"", 1, 1.f, 8, std::pair(112, 127)}, {"", 0, 1.f, 8, {60, 75}}, {"", 2, 1.f, 8, {164, 179}},
          {"", 5, 1.f, 8, {60, 179}}, {"", 1, 1.f, 0, {116, 123}}, {"1", 1, 1.f, 8, {109, 130}}, // 6.67 + 16
          {"WWWWWWWWWWWWWWWWWWWWW", 1, 1.f, 8, {60, 179}}}) {
        PopupRig rig;
        std::strcpy(rig.popup->popupText, text);
        rig.popup->alignment = alignment;
        rig.popup->textScale = scale;
        rig.popup->setPadding(padding);
        rig.popup->showPopup(kAnchor, false, false);
        EXPECT_EQ(rig.lineColumns(146), columns) << text << " " << alignment << " " << padding;
        EXPECT_EQ(rig.backEnd->getPixel(columns.first + 1, 146), kBack);
    }
    PopupRig rig; // with no NUL in the buffer the text ends at its 255th byte
    rig.popup->alignment = 2;
    rig.popup->setHoriAlign(kRightText);
    rig.popup->textScale = 0.1f;
    std::memset(rig.popup->popupText, '1', 255);
    rig.popup->showPopup(CRect(-2000, 10, 200, 20), false, false); // the text's end and the box in sight
    const std::vector<CColor> terminated = rig.row(30);
    rig.popup->popupText[255] = 'W'; // a tenth of its width would widen the box by a pixel
    rig.popup->movePopup(CPoint(0, 0));
    EXPECT_EQ(rig.row(30), terminated);
    EXPECT_EQ(rig.lineColumns(30), std::pair(77, 239));
}

TEST(ValuePopup, WithoutAFrameItNeverShowsAndSettersClamp)
{
    auto popup = makeOwned<QelCParamDisplay>(CRect(10, 10, 100, 20), nullptr);
    popup->showPopup(kAnchor, false, true);
    popup->movePopup(CPoint(100, 50));
    EXPECT_EQ(popup->getViewSize(), CRect(10, 10, 100, 20));
    EXPECT_FALSE(popup->timer->isRunning());
    EXPECT_EQ(popup->notify(nullptr, "another message"), kMessageUnknown);
    for (auto [in, padding, margin] : {std::tuple{-3, 0, 0}, {100, 64, 100}, {300, 64, 256}}) {
        EXPECT_EQ(std::tuple(popup->setPadding(in), popup->setMargin(in)), std::tuple(padding, margin));
        EXPECT_EQ(std::tuple(popup->textPadding, popup->margin), std::tuple(padding, margin));
    }
}

} // namespace

TEST(ValuePopupWithBitmapFont, TheFontSetsTheHeightAndWidthAndDrawsTheText)
{
    CBitmap image(FontImage::render(FontImage::kNativeHeight));
    BitmapFont font;
    font.setImage(&image, 20);
    std::vector<CColor> platformRow;
    for (BitmapFont* bitmapFont : {static_cast<BitmapFont*>(nullptr), &font}) {
        PopupRig rig;
        std::strcpy(rig.popup->popupText, "440.0 Hz");
        rig.popup->setFont(kNormalFontSmall);
        rig.popup->bitmapFont = bitmapFont;
        rig.popup->showPopup(kAnchor, false, false);
        const std::vector<CColor> textRow = rig.row(155);
        if (!bitmapFont) {
            platformRow = textRow;
            continue;
        }
        // 20 + 8 high; the text's 68 pixels and the padding wide.
        EXPECT_EQ(rig.popup->getViewSize(), CRect(60, 145, 180, 173));
        EXPECT_EQ(rig.lineColumns(146), std::pair(78, 161));
        EXPECT_NE(textRow, platformRow);
        EXPECT_TRUE(std::any_of(textRow.begin() + 90, textRow.begin() + 150,
                                [](const CColor& c) { return c.red > 150 && c.blue < 90; }));
    }
}
