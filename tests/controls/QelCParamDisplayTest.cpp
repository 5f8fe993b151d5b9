#include "controls/QelCParamDisplay.h"

#include "support/BitmapFont.h"
#include "tests/vstgui/TestSupport.h"
#include "tools/font-gen/FontImage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

using namespace VSTGUI;

namespace {

constexpr CRect kAnchor(100, 100, 140, 140); // the pop-up opens below it at (60, 145), 120 wide
const CColor kBack(245, 255, 100, 255), kLine(0, 0, 255, 255);

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
    // After the next idle: the first and last column of the rows top..bottom - 1 whose pixel is
    // the box's line (line) or text (neither the box's colours nor the frame's black).
    std::pair<int, int> columns(int top, int bottom, bool line)
    {
        frame->idle();
        std::pair<int, int> found(300, -1);
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < 300; ++x) {
                const CColor p = backEnd->getPixel(x, y);
                if (line ? p == kLine : p != kLine && p != kBack && p != kBlackCColor)
                    found = {std::min(found.first, x), std::max(found.second, x)};
            }
        return found;
    }
    QelCParamDisplay* popup;
};

TEST(ValuePopup, OpensBelowItsAnchorUnlessTheRoomLeftIsBelowTheMargin)
{
    // Font, text scale, padding (written directly, beyond the setter's range once), anchor, forced
    // above, the place.
    const CFontRef f = kSystemFont;
    for (auto [font, scale, padding, anchor, above, placed] :
         {std::tuple{CFontRef(nullptr), 1.f, 8, kAnchor, false, CRect(60, 145, 180, 185)}, // 32 + 8
          {f, 1.f, 8, kAnchor, false, {60, 145, 180, 167}}, {f, 1.f, 8, kAnchor, true, {60, 73, 180, 95}}, // 12 + 2 + 8
          {f, 1.f, 8, {100, 200, 140, 246}, false, {60, 251, 180, 273}}, // 32 pixels left below
          {f, 1.f, 8, {100, 200, 140, 247}, false, {60, 173, 180, 195}}, // 31
          {f, 1.25f, 8, kAnchor, false, {60, 145, 180, 170}}, // floor(17.5) + 8
          {f, std::numeric_limits<float>::quiet_NaN(), 8, kAnchor, false, {60, 145, 180, 153}},
          {f, 1.f, 1 << 30, kAnchor, false, {60, 145, 180, 223}}}) { // 14 + 64
        PopupRig rig;
        rig.popup->setFont(font);
        rig.popup->textScale = scale;
        rig.popup->textPadding = padding;
        rig.popup->showPopup(anchor, above, false);
        EXPECT_EQ(rig.popup->getViewSize(), placed) << scale << " " << padding << " " << anchor.bottom;
    }
}

TEST(ValuePopup, WhileShownAShowOnlyRedrawsAndAMoveKeepsTheSize)
{
    PopupRig rig;
    rig.popup->showPopup(kAnchor, false, false);
    rig.frame->idle();
    rig.backEnd->clearPresentedAreas();
    rig.popup->showPopup(CRect(0, 0, 20, 20), true, true);
    EXPECT_EQ(std::pair(rig.popup->savedRect, rig.popup->hideMode), std::pair(kAnchor, 0));
    rig.frame->idle();
    EXPECT_EQ(rig.backEnd->getPresentedAreas(), std::vector<CRect>{CRect(60, 145, 180, 167)});
    rig.popup->movePopup(CPoint(0, 0));
    EXPECT_EQ(rig.popup->getViewSize(), CRect(60, 145, 180, 167));
    rig.popup->movePopup(CPoint(100, 50));
    EXPECT_EQ(rig.popup->getViewSize(), CRect(60, 55, 180, 77));
    rig.popup->hidePopup();
    EXPECT_EQ(std::pair(rig.frame->getNbViews(), rig.popup->getNbReference()), std::pair(0, 1));
}

TEST(ValuePopup, TimedModesHideWhenThePointerLeavesOrTheLeftButtonIsReleased)
{
    // Mode, pointer, buttons, the tick that hides, after a move at the third tick (-1: none). On
    // leave the anchor's right and bottom edges are outside; on release the modifiers do not count.
    for (auto [mode, pointer, buttons, moved, tick] :
         {std::tuple{1, CPoint(100, 100), 0, -1, 4}, {1, {120, 139}, 0, 3, 7}, {1, {140, 120}, 0, -1, 1},
          {1, {120, 140}, 0, -1, 1}, {2, {}, kLButton, -1, 6}, {2, {}, kLButton | kShift, 3, 9},
          {2, {}, kLButton | kRButton, -1, 1}, {0, {}, kLButton, -1, 0}}) {
        PopupRig rig;
        rig.backEnd->mouseDown(pointer, buttons);
        popupHideOnRelease = mode == 2;
        rig.popup->showPopup(kAnchor, false, mode == 1);
        popupHideOnRelease = false;
        if (moved > 0) {
            rig.backEnd->advanceTime(moved * QelCParamDisplay::kTimerPeriodMs);
            rig.popup->movePopup(CPoint(0, 0)); // starts the count again
        }
        EXPECT_EQ(rig.tickThatHides() + std::max(moved, 0), tick) << mode << " " << pointer.x << " " << buttons;
        EXPECT_EQ(rig.popup->timer->isRunning(), tick == 0 && mode != 0);
    }
}

TEST(ValuePopup, TheBoxIsTheTextWidthInItsOwnFontPlusPaddingWithinTheView)
{
    // Text, font size (0: the toolkit's 12-point font), alignment, padding, the box's line columns
    // (0, 0: the text's, with a padding of at least 8 on each side).
    for (auto [text, size, alignment, padding, box] :
         {std::tuple{"", 0, 1, 8, std::pair(112, 127)}, {"", 0, 0, 8, {60, 75}}, {"", 0, 2, 8, {164, 179}},
          {"", 0, 5, 8, {60, 179}}, {"", 0, 1, 0, {116, 123}}, {"1", 0, 1, 8, {109, 130}}, // 6.67 + 16
          {"WWWWWWWWWWWWWWWWWWWWW", 0, 1, 8, {60, 179}}, {"440.0 Hz", 20, 1, 8, {0, 0}}, {"-12.5 dB", 20, 1, 8, {0, 0}}}) {
        PopupRig rig;
        std::strcpy(rig.popup->popupText, text);
        rig.popup->setFont(size ? makeOwned<CFontDesc>("Arial", size).get() : kSystemFont);
        rig.popup->alignment = alignment;
        rig.popup->setPadding(padding);
        rig.popup->showPopup(kAnchor, false, false);
        const CRect r = rig.popup->getViewSize();
        const auto drawn = rig.columns(int(r.top) + 1, int(r.bottom) - 1, false), lines = rig.columns(146, 147, true);
        if (box.second)
            EXPECT_EQ(lines, box) << text << " " << alignment << " " << padding;
        else
            EXPECT_TRUE(lines.first + 7 <= drawn.first && drawn.second + 7 <= lines.second && drawn.second > 0)
                << text << ": text " << drawn.first << ".." << drawn.second << ", box " << lines.first << ".." << lines.second;
    }
}

TEST(ValuePopup, ATextLeftWithoutItsNulEndsAtItsLastByte)
{
    PopupRig rig;
    rig.popup->alignment = 2;
    rig.popup->textScale = 0.1f;
    std::memset(rig.popup->popupText, '1', 255);
    rig.popup->showPopup(CRect(-2000, 10, 200, 20), false, false); // the box's left end in sight
    const auto terminated = rig.columns(30, 31, true);
    rig.popup->popupText[255] = 'W'; // a tenth of its width would widen the box by a pixel
    rig.popup->movePopup(CPoint(0, 0));
    EXPECT_EQ(rig.columns(30, 31, true), terminated);
    EXPECT_LT(terminated.first, 239 - 16);
}

TEST(ValuePopup, WithoutAFrameItNeverShowsAndSettersClamp)
{
    auto popup = makeOwned<QelCParamDisplay>(CRect(10, 10, 100, 20), nullptr);
    popup->showPopup(kAnchor, false, true);
    popup->movePopup(CPoint(100, 50));
    EXPECT_EQ(popup->getViewSize(), CRect(10, 10, 100, 20));
    EXPECT_FALSE(popup->timer->isRunning());
    EXPECT_EQ(popup->notify(nullptr, "another message"), kMessageUnknown);
    for (auto [in, padding, margin] : {std::tuple{-3, 0, 0}, {100, 64, 100}, {300, 64, 256}})
        EXPECT_EQ(std::tuple(popup->setPadding(in), popup->setMargin(in), popup->textPadding, popup->margin),
                  std::tuple(padding, margin, padding, margin));
}

TEST(ValuePopup, ABitmapFontSetsTheHeightAndWidthAndDrawsTheText)
{
    CBitmap image(FontImage::render(FontImage::kNativeHeight));
    BitmapFont font;
    font.setImage(&image, 20);
    PopupRig rig;
    std::strcpy(rig.popup->popupText, "440.0 Hz");
    rig.popup->bitmapFont = &font;
    rig.popup->showPopup(kAnchor, false, false);
    EXPECT_EQ(rig.popup->getViewSize(), CRect(60, 145, 180, 173)); // 20 + 8 high
    EXPECT_EQ(rig.columns(146, 147, true), std::pair(78, 161));    // the text's 68 pixels and the padding
    const auto drawn = rig.columns(147, 171, false);
    EXPECT_TRUE(drawn.first > 78 && drawn.second < 161 && drawn.second > 140) << drawn.first << ".." << drawn.second;
}

} // namespace
