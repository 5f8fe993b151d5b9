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
         {std::tuple{200.f, 0, false, 1.f, "101"}, {100.f, 1, true, 0.f, "50.0 %"}, {100.f, 2, false, 0.25f, "50.25"},
          {100.f, 0, false, 2.95f, "53"}, {100.f, 0, false, -0.2f, "49"}, {100.f, 0, false, kNaN, "50"},
          {100.f, 0, false, 1e20f, "2147483697"}, {std::numeric_limits<float>::infinity(), 0, false, 0.f, "2147483647"},
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
    const CRect viewSize(10, 10, 60, 50), given(30, 25, 35, 30);
    // Bitmap, rectangle given, a drop target, the drag (0: none, 1: entered, 2: dropped), the lower
    // half's top-left (-1: a red frame; none: nothing).
    for (auto [bitmap, rect, target, drag, corner] :
         {std::tuple{states.get(), (const CRect*)nullptr, true, 1, CPoint(10, 10)}, {states.get(), &given, true, 1, {30, 25}},
          {nullptr, &given, true, 1, {-1, -1}}, {states.get(), nullptr, true, 0, {}}, {states.get(), nullptr, true, 2, {}},
          {states.get(), nullptr, false, 1, {}}, {nullptr, nullptr, false, 1, {}}}) {
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
        const auto expected = painted(80, 60, [&, corner = corner](CDrawContext& c) {
            c.setLineWidth(2);
            c.setFrameColor(CColor(255, 0, 0, 255));
            c.setFillColor(kGreen); // the bitmap's width and half its height
            if (corner.x == -1)
                c.drawRect(viewSize, kDrawStroked);
            else if (corner.x != 0)
                c.drawRect(CRect(corner.x, corner.y, corner.x + 20, corner.y + 10), kDrawFilled);
        });
        EXPECT_TRUE(shown == expected && entered == DragOperation::Copy && !dropped) << corner.x << " " << target << " " << drag;
    }
}

// Logs "x,y buttons" of each event and answers presses and releases as handled, moves as not handled.
struct Target : CView {
    Target() : CView(CRect(200, 100, 240, 140)) {}
    CMouseEventResult onMouseDown(CPoint& at, const CButtonState& b) override { return record(at, b, kMouseEventHandled); }
    CMouseEventResult onMouseUp(CPoint& at, const CButtonState& b) override { return record(at, b, kMouseEventHandled); }
    CMouseEventResult onMouseMoved(CPoint& at, const CButtonState& b) override { return record(at, b, kMouseEventNotHandled); }
    CMouseEventResult record(const CPoint& at, const CButtonState& b, CMouseEventResult result)
    {
        log.push_back(std::to_string(int(at.x)) + "," + std::to_string(int(at.y)) + " " + std::to_string(b()));
        return result;
    }
    std::vector<std::string> log;
};

TEST(MouseForwarder, PassesAPressOnePixelInsideTheTargetButNeverReachesATargetOutOfItsFrame)
{
    // No target, a target in the frame, a target its frame removed and released (the forwarder's
    // reference is then the last).
    for (int target : {0, 1, 2}) {
        testsupport::OffscreenRig rig;
        auto* view = new Target;
        rig.frame->addView(view);
        auto* forwarder = new QelCMouseForwarder(CRect(10, 10, 60, 60), target ? view : nullptr);
        rig.frame->addView(forwarder);
        if (target == 2)
            rig.frame->removeView(view);
        CPoint where(25, 35);
        EXPECT_EQ((std::tuple{rig.backEnd->mouseDown(CPoint(20, 30), kLButton | kShift), forwarder->onMouseMoved(where, kLButton),
                              forwarder->onMouseUp(where, kRButton), view->log}),
                  target == 1 ? std::tuple(kMouseEventHandled, kMouseEventNotHandled, kMouseEventHandled,
                                           std::vector<std::string>{"201,101 18", "25,35 2", "201,101 8"})
                              : std::tuple(kMouseDownEventHandledButDontNeedMovedOrUpEvents, kMouseEventHandled, kMouseEventHandled,
                                           std::vector<std::string>()));
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
