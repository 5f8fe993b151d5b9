#include "ControlsTestSupport.h"
#include "controls/DropHighlight.h"
#include "controls/QelCCurveDisplay.h"
#include "controls/QelCFineKnob.h"
#include "controls/QelCMouseForwarder.h"
#include "controls/QelCNumberDisplay.h"

const CColor kGrey(100, 100, 100, 255), kGreen(0, 255, 0, 255), kBlue(0, 0, 200, 255), kRed(200, 0, 0, 255);

TEST(NumberDisplay, ShowsTheScaledValueInAtMostFifteenCharactersWithoutLeavingTheInt32Range)
{
    // Factor (applied to the value 0.5), precision, percent, offset (float), the text.
    for (auto [factor, precision, percent, offset, text] :
         {std::tuple{100.f, 0, false, 1.f, "51"}, {100.f, 1, true, 0.f, "50.0 %"}, {100.f, 2, false, 0.25f, "50.25"},
          {100.f, 0, false, 2.95f, "53"}, {100.f, 0, false, -0.2f, "49"}, {100.f, 0, false, kNaN, "50"},
          {100.f, 0, false, 1e20f, "2147483697"}, {kInf, 0, false, 0.f, "2147483647"},
          {2e30f, 9, true, 0.f, "1.0000000e+30 %"}, {2e6f, 9, false, 0.f, "1000000.0000000"}, {1.f, 2, true, kNaN, "nan %"},
          {1.f, 40, false, 0.f, "0.500000000"}}) {
        QelCNumberDisplay display(CRect(0, 0, 80, 20));
        display.setValue(0.5f);
        display.displayFactor = factor;
        display.precision = precision;
        display.percentSuffix = percent;
        display.setOffset(offset);
        EXPECT_EQ(display.getText(), text) << factor << " " << precision << " " << offset;
    }
}

TEST(CurveDisplay, TheValueBendsTheCurveOverItsBackgroundWhichAloneShowsWhileTheCanvasIsKeptFromAnother)
{
    testsupport::OffscreenRig rig;
    auto* display = new QelCCurveDisplay(CRect(20, 20, 120, 60), nullptr, 0, stacked(100, 40, kBlue, kBlue));
    rig.frame->addView(display);
    // The mean row of the pixels in column 50 that differ from the background, -1 without any.
    const auto curveRow = [&](const CColor& background) {
        display->invalid();
        rig.frame->idle();
        double sum = 0, count = 0;
        for (int32_t y = 0; y < 40; ++y)
            if (rig.backEnd->getPixel(70, 20 + y) != background)
                sum += y, ++count;
        return count ? sum / count : -1;
    };
    // Value, stroke style, the rows the curve's mean row lies in, the canvas's line style: a larger value bends it up.
    for (auto [value, style, lowest, highest, lineStyle] :
         {std::tuple{1.f, 1, 4., 12., 1}, {0.5f, 3, 17., 23., 3}, {0.f, 0, 30., 37., 2}, {0.f, 4, 30., 37., 2}}) {
        display->setValue(value);
        display->strokeStyle = style;
        const double row = curveRow(kBlue);
        EXPECT_TRUE(row >= lowest && row <= highest && display->canvas->lineStyle == lineStyle) << value << ": row " << row;
    }
    auto* canvas = display->canvas.get();
    display->setBitmap(nullptr);
    display->setBitmap(stacked(102, 40, kRed, kRed));
    EXPECT_EQ((std::pair{display->canvas.get(), curveRow(kRed)}), std::pair(canvas, -1.));
    display->setBitmap(stacked(100, 40, kRed, kRed));
    EXPECT_GT(curveRow(kRed), 29);
}

TEST(DropHighlight, WhileADragIsOverTheViewDrawsTheBitmapsLowerHalfAtTheCornerOrARedFrameTwoPixelsWideAndRestoresTheContext)
{
    auto states = stacked(20, 20, kGrey, kGreen);
    const CRect viewSize(10, 10, 60, 50), given(30, 25, 35, 30), none(-9, -9, -5, -5);
    // Bitmap, rectangle given, a drop target, the drag (0: none, 1: entered, 2: dropped), the mark:
    // the bitmap's lower half filled in (its width, half its height) or the red frame stroked.
    for (auto [bitmap, rect, target, drag, mark] :
         {std::tuple{states.get(), (const CRect*)nullptr, true, 1, CRect(10, 10, 30, 20)}, {nullptr, &given, true, 1, viewSize},
          {states.get(), &given, true, 1, {30, 25, 50, 35}}, {states.get(), nullptr, true, 0, none},
          {states.get(), nullptr, true, 2, none}, {states.get(), nullptr, false, 1, none}, {nullptr, nullptr, false, 1, none}}) {
        auto view = makeOwned<CView>(viewSize);
        auto highlight = owned(new DropHighlight(view, bitmap));
        view->setDropTarget(target ? highlight : nullptr);
        const DragOperation entered = drag > 0 ? highlight->onDragEnter({}) : DragOperation::Copy; // a copy: 0
        const bool dropped = drag > 1 && highlight->onDrop({});
        const auto shown = painted(80, 60, [&, rect = rect](CDrawContext& c) {
            c.setLineWidth(3);
            c.setFrameColor(kBlue);
            highlight->draw(&c, rect);
            EXPECT_EQ(std::pair(c.getLineWidth(), c.getFrameColor()), std::pair(CCoord(3), kBlue));
        });
        const auto expected = painted(80, 60, [&, mark = mark, filled = bitmap != nullptr](CDrawContext& c) {
            c.setLineWidth(2);
            c.setFrameColor(CColor(255, 0, 0, 255));
            c.setFillColor(kGreen);
            c.drawRect(mark, filled ? kDrawFilled : kDrawStroked);
        });
        EXPECT_TRUE(shown == expected && entered == DragOperation::Copy && !dropped) << mark.left << " " << target << " " << drag;
    }
}

TEST(MouseForwarder, WithoutATargetInAFrameAPressWantsNoMoreEventsAndTheOthersAreHandled)
{
    CPoint at(25, 35);
    const auto detached = makeOwned<CView>(CRect(200, 100, 240, 140)); // its own answers would be 0
    for (CView* target : {static_cast<CView*>(nullptr), detached.get()}) {
        QelCMouseForwarder mouse(CRect(10, 10, 60, 60), target);
        EXPECT_EQ((std::tuple{mouse.onMouseDown(at, kLButton), mouse.onMouseMoved(at, kLButton), mouse.onMouseUp(at, kLButton)}),
                  std::tuple(kMouseDownEventHandledButDontNeedMovedOrUpEvents, kMouseEventHandled, kMouseEventHandled)) << target;
    }
}

TEST(FineKnob, WhileEditingWithTheLeftButtonAloneOnlyShiftIsPassedOn)
{
    // Buttons, editing, what is passed on.
    for (auto [buttons, editing, passed] :
         {std::tuple{kLButton | kControl | kShift, true, kLButton | kShift}, {kLButton | kAlt | kApple, true, kLButton},
          {kLButton | kControl | kShift, false, kLButton | kControl | kShift}, {kRButton | kControl, true, kRButton | kControl},
          {kLButton | kRButton | kAlt, true, kLButton | kRButton | kAlt}})
        EXPECT_EQ(QelCFineKnob::passedButtons(buttons, editing)(), passed) << buttons << " " << editing;
}
