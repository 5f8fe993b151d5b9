#include "controls/QelCParamDisplay.h"

#include "ControlsTestSupport.h"
#include "support/BitmapFont.h"
#include "tools/font-gen/FontImage.h"

#include <cstring>

constexpr CRect kAnchor(100, 100, 140, 140); // the pop-up opens below it at (60, 145), 120 wide
const CColor kBack(245, 255, 100, 255), kLine(0, 0, 255, 255);

// A 300 x 300 frame with a pop-up as the editor makes it, released before the rig's leak check.
struct PopupRig : testsupport::OffscreenRig {
    PopupRig()
    {
        popup->setBackColor(kBack);
        popup->setFrameColor(kLine);
    }
    ~PopupRig() { popup->hidePopup(); }
    // After the next idle: the first and last column of the rows top..bottom - 1 whose pixel is
    // the box's line (line) or text (neither the box's colours nor the frame's black).
    std::pair<int, int> columns(int top, int bottom, bool line)
    {
        frame->idle();
        std::pair<int, int> found(300, -1);
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < 300; ++x)
                if (const CColor p = backEnd->getPixel(x, y); line ? p == kLine : p != kLine && p != kBack && p != kBlackCColor)
                    found = {std::min(found.first, x), std::max(found.second, x)};
        return found;
    }
    SharedPointer<QelCParamDisplay> popup = owned(new QelCParamDisplay(CRect(10, 10, 100, 20), frame));
};

TEST(ValuePopup, OpensBelowItsAnchorUnlessTheRoomLeftIsBelowTheMarginOnlyMovesWhenAskedToAndNeverWithoutAFrame)
{
    // Font, text scale, padding (written directly, beyond the setter's range once), anchor, forced
    // above, the place: 32 + 8 high without a font, 12 + 2 + 8 with the 12-point one; then 32 and 31
    // left below, floor(17.5) + 8, 0 + 8, 14 + 64.
    const CFontRef f = kSystemFont, none = nullptr;
    for (auto [font, scale, padding, anchor, above, placed] :
         {std::tuple{none, 1.f, 8, kAnchor, false, CRect(60, 145, 180, 185)}, {f, 1.f, 8, kAnchor, false, {60, 145, 180, 167}},
          {f, 1.f, 8, kAnchor, true, {60, 73, 180, 95}}, {f, 1.f, 8, {100, 200, 140, 246}, false, {60, 251, 180, 273}},
          {f, 1.f, 8, {100, 200, 140, 247}, false, {60, 173, 180, 195}}, {f, 1.25f, 8, kAnchor, false, {60, 145, 180, 170}},
          {f, kNaN, 8, kAnchor, false, {60, 145, 180, 153}}, {f, 1.f, 1 << 30, kAnchor, false, {60, 145, 180, 223}}}) {
        PopupRig rig;
        rig.popup->setFont(font);
        rig.popup->textScale = scale;
        rig.popup->textPadding = padding;
        rig.popup->showPopup(anchor, above, false);
        rig.popup->showPopup(CRect(0, 0, 20, 20), !above, true); // shown: only redraws
        rig.popup->movePopup(CPoint(0, 0));
        EXPECT_EQ(std::tuple(rig.popup->getViewSize(), rig.popup->savedRect, rig.popup->hideMode), std::tuple(placed, anchor, 0));
        rig.popup->movePopup(CPoint(100, 50));
        rig.popup->hidePopup();
        EXPECT_EQ(std::tuple(rig.popup->getViewSize(), rig.frame->getNbViews(), rig.popup->getNbReference()),
                  std::tuple(CRect(60, 55, 180, 55 + placed.getHeight()), 0, 1));
    }
    // Without a frame it never shows nor times; the setters clamp.
    auto popup = makeOwned<QelCParamDisplay>(CRect(10, 10, 100, 20), nullptr);
    popup->showPopup(kAnchor, false, true);
    popup->movePopup(CPoint(100, 50));
    EXPECT_EQ((std::tuple{popup->getViewSize(), popup->timer->isRunning(), popup->notify(nullptr, "other"), popup->setPadding(100),
                          +popup->textPadding, popup->setPadding(-3), popup->setMargin(300), +popup->margin, popup->setMargin(-3)}),
              std::tuple(CRect(10, 10, 100, 20), false, kMessageUnknown, 64, 64, 0, 256, 256, 0));
}

TEST(ValuePopup, TimedModesHideWhenThePointerLeavesOrTheLeftButtonIsReleased)
{
    // Mode, pointer, buttons, a move after that many ticks (0: none), the tick that hides (0: none of
    // ten). On leave the anchor's right and bottom edges are outside; on release modifiers do not count.
    for (auto [mode, pointer, buttons, moved, tick] :
         {std::tuple{1, CPoint(100, 100), 0, 0, 4}, {1, {120, 139}, 0, 3, 7}, {1, {140, 120}, 0, 0, 1}, {1, {120, 140}, 0, 0, 1},
          {2, {}, kLButton, 0, 6}, {2, {}, kLButton | kShift, 3, 9}, {2, {}, kLButton | kRButton, 0, 1}, {0, {}, 0, 0, 0}}) {
        PopupRig rig;
        rig.backEnd->mouseDown(pointer, buttons);
        popupHideOnRelease = mode == 2;
        rig.popup->showPopup(kAnchor, false, mode == 1);
        popupHideOnRelease = false;
        int hidden = 0;
        for (int t = 1; t <= 10 && !hidden; ++t) {
            rig.backEnd->advanceTime(QelCParamDisplay::kTimerPeriodMs);
            if (t == moved)
                rig.popup->movePopup(CPoint(0, 0)); // starts the count again
            hidden = rig.popup->isOpen() ? 0 : t;
        }
        EXPECT_EQ(std::pair(hidden, rig.popup->timer->isRunning()), std::pair(tick, tick == 0 && mode != 0)) << mode << pointer.x;
    }
}

TEST(ValuePopup, TheBoxIsTheTextWidthInItsOwnFontPlusPaddingWithinTheView)
{
    CBitmap image(FontImage::render(FontImage::kNativeHeight));
    BitmapFont bitmapFont;
    bitmapFont.setImage(&image, 20);
    // Text, font size (0: the toolkit's 12-point font, -1: the bitmap font), alignment, padding, the
    // pop-up's bottom, the box's line columns (none: the text's, with at least 7 on either side).
    for (auto [text, size, alignment, padding, bottom, box] :
         {std::tuple{"", 0, 1, 8, 167, std::pair(112, 127)}, {"", 0, 0, 8, 167, {60, 75}}, {"", 0, 2, 8, 167, {164, 179}},
          {"", 0, 5, 8, 167, {60, 179}}, {"", 0, 1, 0, 159, {116, 123}}, {"1", 0, 1, 8, 167, {109, 130}}, // 6.67 + 16
          {"WWWWWWWWWWWWWWWWWWWWW", 0, 1, 8, 167, {60, 179}}, {"440.0 Hz", 20, 1, 8, 175, {}}, {"-12.5 dB", 20, 1, 8, 175, {}},
          {"440.0 Hz", -1, 1, 8, 173, {78, 161}}}) { // 68 + 16 wide, 20 + 8 high
        PopupRig rig;
        std::strcpy(rig.popup->popupText, text);
        rig.popup->setFont(size > 0 ? makeOwned<CFontDesc>("Arial", size).get() : kSystemFont);
        rig.popup->bitmapFont = size < 0 ? &bitmapFont : nullptr;
        rig.popup->alignment = alignment;
        rig.popup->setPadding(padding);
        rig.popup->showPopup(kAnchor, false, false);
        const auto drawn = rig.columns(146, bottom - 1, false), lines = rig.columns(146, 147, true);
        EXPECT_EQ(std::pair(rig.popup->getViewSize().bottom, lines), std::pair(CCoord(bottom), box.second ? box : lines));
        const bool inside = lines.first + 7 <= drawn.first && drawn.second + 7 <= lines.second && drawn.second > 0;
        EXPECT_TRUE(!*text || lines == std::pair(60, 179) || inside)
            << text << ": text " << drawn.first << ".." << drawn.second << ", box " << lines.first << ".." << lines.second;
    }
}
