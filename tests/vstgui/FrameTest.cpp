#include "TestSupport.h"

#include "vstgui/COffscreenContext.h"

#include <functional>
#include <limits>
#include <string>

using namespace VSTGUI;

namespace {

using Log = std::vector<std::string>;

// A view that logs its mouse events, answers presses with a set result and paints itself in one colour.
class ProbeView : public CView {
public:
    ProbeView(const CRect& size, std::string name, Log& log, CMouseEventResult downResult)
        : CView(size), name(std::move(name)), log(log), downResult(downResult) {}
    CMouseEventResult onMouseDown(CPoint&, const CButtonState&) override
    {
        logged("down ");
        if (onDown)
            onDown();
        return downResult;
    }
    CMouseEventResult onMouseMoved(CPoint&, const CButtonState& buttons) override
    {
        lastMoveButtons = buttons();
        return logged("moved ");
    }
    CMouseEventResult onMouseUp(CPoint&, const CButtonState&) override { return logged("up "); }
    CMouseEventResult logged(const std::string& event) { return log.push_back(event + name), kMouseEventHandled; }
    void draw(CDrawContext* context) override
    {
        context->setFillColor(colour);
        context->drawRect(getViewSize(), kDrawFilled);
        ++draws;
        setDirty(false);
    }

    std::string name;
    Log& log;
    CMouseEventResult downResult;
    std::function<void()> onDown;
    CColor colour = CColor(0, 200, 0, 255);
    int draws = 0;
    int32_t lastMoveButtons = -1;
};

struct OpenFrame : testsupport::OffscreenRig {
    OpenFrame() : OffscreenRig(100, 50) {}
    // A view added to the frame, or only made.
    ProbeView* add(const CRect& size, const std::string& name, CMouseEventResult result = kMouseEventHandled,
                   bool inFrame = true)
    {
        auto* view = new ProbeView(size, name, log, result);
        return inFrame && !frame->addView(view) ? nullptr : view;
    }
    Log log;
};

TEST(Frame, PressGoesToTheTopmostViewThatTakesItAndUnhandledOnesToTheEditor)
{
    OpenFrame f;
    ProbeView* bottom = f.add(CRect(0, 0, 50, 50), "bottom");
    f.add(CRect(20, 20, 60, 50), "top", kMouseEventNotHandled);
    EXPECT_EQ((std::vector<int>{f.backEnd->mouseDown(CPoint(30, 30), 2), f.backEnd->mouseMoved(CPoint(35, 35), 2),
                                f.backEnd->mouseUp(CPoint(35, 35), 2)}),
              (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(std::tuple(f.log, f.editor.unhandledDowns.size(), f.editor.unhandledUps, f.frame->getCurrentMouseButtons()),
              std::tuple(Log{"down top", "down bottom", "moved bottom", "up bottom"}, 0u, 0, CButtonState(0)));

    EXPECT_EQ(f.backEnd->mouseDown(CPoint(55, 25), 8 | 16), 2);
    EXPECT_EQ(f.editor.unhandledDowns, (std::vector{std::pair(CPoint(55, 25), 8 | 16)}));
    CPoint where;
    EXPECT_TRUE(f.frame->getCurrentMouseLocation(where) && where == CPoint(55, 25));
    EXPECT_EQ(f.frame->getCurrentMouseButtons(), CButtonState(8 | 16));
    // Dragged from the background over a view: hovering, which carries the modifiers only.
    EXPECT_EQ(f.backEnd->mouseMoved(CPoint(10, 10), 8 | 16), 1);
    EXPECT_EQ(std::pair(f.log.back(), bottom->lastMoveButtons), std::pair(std::string("moved bottom"), 16));
    f.editor.downHook = [](CPoint&, const CButtonState&) { return kMouseDownEventHandledButDontNeedMovedOrUpEvents; };
    EXPECT_EQ(f.backEnd->mouseDown(CPoint(70, 40), 8), 3);
}

// Handlers that add and remove views (themselves included) while the press is dispatched.
TEST(Frame, DispatchSurvivesViewsChangingUnderIt)
{
    OpenFrame f;
    ProbeView* lower = f.add(CRect(0, 0, 50, 50), "lower", kMouseEventNotHandled);
    ProbeView* upper = f.add(CRect(0, 0, 50, 50), "upper", kMouseEventNotHandled);
    upper->onDown = [&] {
        f.frame->removeView(lower);          // released while the dispatch still lists it
        f.frame->removeView(upper);          // and itself
        f.add(CRect(0, 0, 50, 50), "added"); // appears above, after the snapshot
    };
    EXPECT_EQ(f.backEnd->mouseDown(CPoint(10, 10), 2), 2);
    EXPECT_EQ(f.log, (Log{"down upper"}));
    ASSERT_EQ(f.frame->getNbViews(), 1);

    CView* pressed = f.frame->getView(0);
    EXPECT_EQ(f.backEnd->mouseDown(CPoint(10, 10), 2), 1);
    f.frame->removeView(pressed); // the pressed view goes in mid-drag
    EXPECT_EQ(f.backEnd->mouseMoved(CPoint(12, 12), 2), 2);
    f.backEnd->mouseUp(CPoint(12, 12), 2);
    EXPECT_EQ(f.log.size(), 2u);
}

TEST(Frame, ModalViewTakesAllInputAndItsReferenceIsTheFrames)
{
    OpenFrame f;
    ProbeView* under = f.add(CRect(0, 0, 100, 50), "under");
    ProbeView* modal = f.add(CRect(10, 10, 20, 20), "modal", kMouseEventNotHandled, false);
    EXPECT_TRUE(f.frame->setModalView(modal) && modal->getNbReference() == 2);
    EXPECT_FALSE(f.frame->addView(modal) || f.frame->addView(nullptr)); // already in a container, none
    ProbeView* second = f.add(CRect(0, 0, 1, 1), "second", kMouseEventHandled, false);
    EXPECT_FALSE(f.frame->setModalView(second) || f.frame->removeView(second));
    second->forget();
    EXPECT_EQ(f.backEnd->mouseDown(CPoint(50, 40), 8), 2);
    f.backEnd->mouseUp(CPoint(50, 40), 8);
    EXPECT_EQ(std::tuple(f.log, f.editor.unhandledDowns.size(), f.editor.unhandledUps), std::tuple(Log{"down modal"}, 0u, 0));

    EXPECT_TRUE(f.frame->setModalView(nullptr) && modal->getNbReference() == 1);
    EXPECT_TRUE(f.frame->setModalView(modal));
    f.frame->removeAll(false); // an owner that keeps its views still lets the frame's go
    EXPECT_EQ(std::pair(f.frame->getModalView(), modal->getNbReference()), (std::pair<CView*, int32_t>(nullptr, 1)));
    modal->forget();
    under->forget();
}

TEST(Frame, IdleRedrawsOnlyWhatChangedBackgroundFirstWithinWholePixels)
{
    OpenFrame f;
    const CColor back(0, 0, 90, 255), green(0, 200, 0, 255), red(200, 0, 0, 255);
    f.frame->setBackground(testsupport::makeBitmap(100, 50, [&](int32_t, int32_t) { return back; }));
    ProbeView* a = f.add(CRect(10, 10, 20, 20), "a");
    ProbeView* b = f.add(CRect(60, 10, 70, 20), "b");
    f.frame->idle();
    EXPECT_EQ(std::pair(f.backEnd->getPixel(5, 5), f.backEnd->getPixel(15, 15)), std::pair(back, green));
    const auto& presented = f.backEnd->getPresentedAreas();
    const auto idle = [&](std::initializer_list<CRect> invalid = {}) {
        for (const CRect& r : invalid)
            f.frame->invalidRect(r);
        f.backEnd->clearPresentedAreas();
        f.frame->idle();
        return presented;
    };
    EXPECT_TRUE(idle().empty());
    a->colour = red;
    a->setDirty(true);
    EXPECT_EQ(idle(), (std::vector<CRect>{CRect(10, 10, 20, 20)}));
    EXPECT_EQ(std::tuple(a->draws, b->draws, f.backEnd->getPixel(15, 15)), std::tuple(2, 1, red));

    // A move repaints the area left and the area taken.
    a->setViewSize(CRect(30, 30, 40, 40));
    EXPECT_EQ(idle(), (std::vector<CRect>{CRect(10, 10, 20, 20), CRect(30, 30, 40, 40)}));
    EXPECT_EQ(std::pair(f.backEnd->getPixel(15, 15), f.backEnd->getPixel(39, 39)), std::pair(back, red));
    f.frame->removeView(a);
    idle();
    EXPECT_EQ(f.backEnd->getPixel(35, 35), back); // a removed view leaves the background

    // Invalid rectangles widen to whole pixels (left and top down, right and bottom up) within the
    // frame; odd ones are dropped.
    EXPECT_EQ(idle({CRect(10.5, 0.2, 20.2, 5.7), CRect(std::numeric_limits<double>::quiet_NaN(), 0, 10, 10),
                    CRect(-1e300, -1e300, -1e299, -1e299), CRect(90.5, 40.5, 1e300, 1e300)}),
              (std::vector<CRect>{CRect(10, 0, 21, 6), CRect(90, 40, 100, 50)}));

    // Overlapping rectangles merge; many small ones stay few.
    EXPECT_EQ(idle({CRect(0, 0, 10, 10), CRect(5, 5, 15, 15), CRect(50, 0, 60, 10)}),
              (std::vector<CRect>{CRect(0, 0, 15, 15), CRect(50, 0, 60, 10)}));
    for (int i = 0; i < 40; ++i)
        f.frame->invalidRect(CRect(2 * i, 0, 2 * i + 1, 1));
    EXPECT_LE(idle().size(), 16u);
}

// A container draws its children in its own coordinates and hands the context back as it got it.
TEST(Frame, ContainerRestoresTheContextsOffsetAndClip)
{
    Log log;
    auto container = makeOwned<CViewContainer>(CRect(20, 10, 60, 40));
    auto* child = new ProbeView(CRect(5, 5, 15, 15), "child", log, kMouseEventHandled);
    container->addView(child);
    auto context = COffscreenContext::create(nullptr, 100, 50);
    context->setOffset(CPoint(1, 2));
    context->setClipRect(CRect(0, 0, 50, 30));
    container->drawRect(context, CRect(0, 0, 100, 50));
    CRect clip;
    EXPECT_EQ(std::tuple(context->getClipRect(clip), context->getOffset(), child->draws),
              std::tuple(CRect(0, 0, 50, 30), CPoint(1, 2), 1));
}

// The editor may refuse a size; a new size repaints the whole frame, black where nothing draws.
TEST(Frame, SetSizeResizesAndRepaintsUnlessRefusedOrOddAndAClosedFrameHasNoPointer)
{
    struct RefusingEditor : testsupport::RecordingEditor {
        bool beforeSizeChange(const CRect& newSize, const CRect&) override { return newSize.getWidth() < 500; }
    } editor;
    auto* frame = new CFrame(CRect(0, 0, 100, 50), &editor);
    CPoint where; // closed: no pointer, and only the size changes
    EXPECT_EQ(std::pair(frame->getCurrentMouseLocation(where), frame->setSize(120, 60)), std::pair(false, true));
    ASSERT_TRUE(frame->open(nullptr) && !frame->open(nullptr)); // a second open is refused
    auto* backEnd = OffscreenPlatformFrame::of(frame);
    EXPECT_EQ(frame->getBackBuffer()->getPixelWidth(), 120);
    frame->idle();
    backEnd->clearPresentedAreas();
    EXPECT_TRUE(frame->setSize(200, 80));
    frame->idle();
    EXPECT_EQ(std::pair(backEnd->getPresentedAreas(), backEnd->getPixel(199, 79)),
              std::pair(std::vector{CRect(0, 0, 200, 80)}, CColor(0, 0, 0, 255)));
    for (CCoord width : {600.0, 0.0, std::numeric_limits<double>::quiet_NaN(), 1e9})
        EXPECT_FALSE(frame->setSize(width, width == 1e9 ? 1e3 : 80)) << width;
    EXPECT_EQ(frame->getViewSize(), CRect(0, 0, 200, 80));
    frame->close();
}

} // namespace
