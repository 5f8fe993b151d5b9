#include "TestSupport.h"

#include "vstgui/CDrawContext.h"
#include "vstgui/CFrame.h"
#include "vstgui/CTextEdit.h"
#include "vstgui/OffscreenPlatformFrame.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>

using namespace VSTGUI;
using testsupport::RecordingEditor;

namespace {

// A view that logs its mouse events, answers with set results and paints itself in one colour.
class ProbeView : public CView {
public:
    ProbeView(const CRect& size, std::string name, std::vector<std::string>& log,
              CMouseEventResult downResult = kMouseEventHandled)
        : CView(size), name(std::move(name)), log(log), downResult(downResult)
    {
    }
    CMouseEventResult onMouseDown(CPoint&, const CButtonState&) override
    {
        log.push_back("down " + name);
        if (onDown)
            onDown();
        return downResult;
    }
    CMouseEventResult onMouseMoved(CPoint&, const CButtonState& buttons) override
    {
        lastMoveButtons = buttons();
        log.push_back("moved " + name);
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseUp(CPoint&, const CButtonState&) override
    {
        log.push_back("up " + name);
        return kMouseEventHandled;
    }
    void draw(CDrawContext* context) override
    {
        context->setFillColor(colour);
        context->drawRect(getViewSize(), kDrawFilled);
        ++draws;
        setDirty(false);
    }

    std::string name;
    std::vector<std::string>& log;
    CMouseEventResult downResult;
    std::function<void()> onDown;
    CColor colour = CColor(0, 200, 0, 255);
    int draws = 0;
    int32_t lastMoveButtons = -1;
};

struct OpenFrame {
    explicit OpenFrame(CCoord w = 100, CCoord h = 50) : frame(new CFrame(CRect(0, 0, w, h), &editor))
    {
        editor.setFrame(frame);
        frame->open(nullptr, PlatformType::kOffscreen);
        backEnd = OffscreenPlatformFrame::of(frame);
    }
    ~OpenFrame()
    {
        if (frame)
            frame->close();
    }
    ProbeView* add(const CRect& size, const std::string& name, CMouseEventResult result = kMouseEventHandled)
    {
        auto* view = new ProbeView(size, name, log, result);
        frame->addView(view);
        return view;
    }

    RecordingEditor editor;
    CFrame* frame;
    OffscreenPlatformFrame* backEnd;
    std::vector<std::string> log;
};

} // namespace

TEST(Frame, AddViewTakesOverTheReferenceAndRemoveMayGiveItBack)
{
    const int64_t before = ReferenceCounted::liveObjectCount();
    {
        OpenFrame f;
        ProbeView* a = f.add(CRect(0, 0, 10, 10), "a");
        EXPECT_EQ(a->getNbReference(), 1);
        EXPECT_TRUE(a->isAttached());
        EXPECT_EQ(a->getFrame(), f.frame);
        EXPECT_FALSE(f.frame->addView(a)); // already in a container
        EXPECT_FALSE(f.frame->addView(nullptr));
        auto* b = new ProbeView(CRect(0, 0, 10, 10), "b", f.log);
        EXPECT_TRUE(f.frame->addView(b, a));
        EXPECT_EQ(f.frame->getView(0), b);
        EXPECT_TRUE(f.frame->removeView(b, false));
        EXPECT_FALSE(b->isAttached());
        EXPECT_EQ(b->getNbReference(), 1);
        EXPECT_FALSE(f.frame->removeView(b));
        b->forget();
        f.add(CRect(0, 0, 5, 5), "c");
        EXPECT_EQ(f.frame->getNbViews(), 2);
        f.frame->removeAll();
        EXPECT_EQ(f.frame->getNbViews(), 0);
    }
    EXPECT_EQ(ReferenceCounted::liveObjectCount(), before);
}

TEST(Frame, PressGoesToTheTopmostViewThatTakesIt)
{
    OpenFrame f;
    f.add(CRect(0, 0, 50, 50), "bottom");
    ProbeView* top = f.add(CRect(20, 20, 60, 50), "top", kMouseEventNotHandled);
    top->setMouseEnabled(true);
    EXPECT_EQ(f.backEnd->mouseDown(CPoint(30, 30), kLButton), kMouseEventHandled);
    EXPECT_EQ(f.backEnd->mouseMoved(CPoint(35, 35), kLButton), kMouseEventHandled);
    EXPECT_EQ(f.backEnd->mouseUp(CPoint(35, 35), kLButton), kMouseEventHandled);
    const std::vector<std::string> expected = {"down top", "down bottom", "moved bottom", "up bottom"};
    EXPECT_EQ(f.log, expected);
    EXPECT_TRUE(f.editor.unhandledDowns.empty());
    EXPECT_EQ(f.editor.unhandledUps, 0);
}

TEST(Frame, DisabledAndUnhitViewsAreSkippedAndHoveringReachesViewsUnderThePointer)
{
    OpenFrame f;
    ProbeView* disabled = f.add(CRect(0, 0, 50, 50), "disabled");
    disabled->setMouseEnabled(false);
    ProbeView* narrow = f.add(CRect(0, 0, 50, 50), "narrow");
    narrow->setMouseableArea(CRect(0, 0, 5, 5));
    EXPECT_EQ(f.backEnd->mouseDown(CPoint(10, 10), kLButton), kMouseEventNotHandled);
    f.backEnd->mouseUp(CPoint(10, 10), kLButton);
    f.backEnd->mouseDown(CPoint(60, 40), kLButton); // a press on the background, dragged over a view
    f.backEnd->mouseMoved(CPoint(2, 2), kLButton | kShift);
    const std::vector<std::string> expected = {"moved narrow"};
    EXPECT_EQ(f.log, expected);
    EXPECT_EQ(narrow->lastMoveButtons, kShift);
    EXPECT_EQ(f.editor.unhandledDowns.size(), 2u);
    EXPECT_EQ(f.editor.unhandledUps, 1);
}

TEST(Frame, ResultThreeWithholdsMovesReleaseAndTheEditorHook)
{
    OpenFrame f;
    f.add(CRect(0, 0, 50, 50), "v", kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_EQ(f.backEnd->mouseDown(CPoint(5, 5), kRButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    f.backEnd->mouseUp(CPoint(60, 5), kRButton); // released outside: no view is pressed
    const std::vector<std::string> expected = {"down v"};
    EXPECT_EQ(f.log, expected);
    EXPECT_TRUE(f.editor.unhandledDowns.empty());
}

TEST(Frame, UnhandledPressesGoToTheEditorHook)
{
    OpenFrame f;
    f.add(CRect(0, 0, 20, 20), "declines", kMouseEventNotHandled);
    EXPECT_EQ(f.backEnd->mouseDown(CPoint(5, 5), kRButton | kShift), kMouseEventNotHandled);
    ASSERT_EQ(f.editor.unhandledDowns.size(), 1u);
    EXPECT_EQ(f.editor.unhandledDowns[0], CPoint(5, 5));
    EXPECT_EQ(f.editor.unhandledDownButtons[0], kRButton | kShift);
    f.editor.downHook = [](CPoint&, const CButtonState&) { return kMouseDownEventHandledButDontNeedMovedOrUpEvents; };
    EXPECT_EQ(f.backEnd->mouseDown(CPoint(70, 40), kRButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_EQ(f.editor.unhandledDowns.size(), 2u);
}

// Handlers that add and remove views (themselves included) while the press is dispatched.
TEST(Frame, DispatchSurvivesViewsChangingUnderIt)
{
    const int64_t before = ReferenceCounted::liveObjectCount();
    {
        OpenFrame f;
        ProbeView* lower = f.add(CRect(0, 0, 50, 50), "lower", kMouseEventNotHandled);
        ProbeView* upper = f.add(CRect(0, 0, 50, 50), "upper", kMouseEventNotHandled);
        upper->onDown = [&] {
            f.frame->removeView(lower);           // released while the dispatch still lists it
            f.frame->removeView(upper);           // and itself
            f.add(CRect(0, 0, 50, 50), "added");  // appears above, after the snapshot
        };
        EXPECT_EQ(f.backEnd->mouseDown(CPoint(10, 10), kLButton), kMouseEventNotHandled);
        const std::vector<std::string> expected = {"down upper"};
        EXPECT_EQ(f.log, expected);
        EXPECT_EQ(f.frame->getNbViews(), 1);

        ProbeView* pressed = f.frame->getNbViews() ? static_cast<ProbeView*>(f.frame->getView(0)) : nullptr;
        ASSERT_NE(pressed, nullptr);
        f.log.clear();
        EXPECT_EQ(f.backEnd->mouseDown(CPoint(10, 10), kLButton), kMouseEventHandled);
        f.frame->removeView(pressed); // the pressed view goes in mid-drag
        EXPECT_EQ(f.backEnd->mouseMoved(CPoint(12, 12), kLButton), kMouseEventNotHandled);
        f.backEnd->mouseUp(CPoint(12, 12), kLButton);
        EXPECT_EQ(f.log.size(), 1u);
    }
    EXPECT_EQ(ReferenceCounted::liveObjectCount(), before);
}

TEST(Frame, ModalViewTakesAllInputAndItsReferenceIsTheFrames)
{
    const int64_t before = ReferenceCounted::liveObjectCount();
    {
        OpenFrame f;
        ProbeView* under = f.add(CRect(0, 0, 100, 50), "under");
        auto* modal = new ProbeView(CRect(10, 10, 20, 20), "modal", f.log, kMouseEventNotHandled);
        EXPECT_TRUE(f.frame->setModalView(modal));
        EXPECT_EQ(modal->getNbReference(), 2);
        auto* second = new ProbeView(CRect(0, 0, 1, 1), "second", f.log);
        EXPECT_FALSE(f.frame->setModalView(second));
        second->forget();
        EXPECT_EQ(f.backEnd->mouseDown(CPoint(50, 40), kRButton), kMouseEventNotHandled);
        f.backEnd->mouseUp(CPoint(50, 40), kRButton);
        const std::vector<std::string> expected = {"down modal"};
        EXPECT_EQ(f.log, expected);
        EXPECT_TRUE(f.editor.unhandledDowns.empty());
        EXPECT_EQ(f.editor.unhandledUps, 0);

        EXPECT_TRUE(f.frame->setModalView(nullptr));
        EXPECT_EQ(modal->getNbReference(), 1);
        EXPECT_TRUE(f.frame->setModalView(modal));
        f.frame->removeAll(false); // an owner that keeps its views still lets the frame's go
        EXPECT_EQ(f.frame->getModalView(), nullptr);
        EXPECT_EQ(modal->getNbReference(), 1);
        modal->forget();
        under->forget();
    }
    EXPECT_EQ(ReferenceCounted::liveObjectCount(), before);
}

TEST(Frame, IdleRedrawsOnlyWhatChangedBackgroundFirst)
{
    OpenFrame f(100, 50);
    auto background = makeOwned<CBitmap>(
        testsupport::makeBitmap(100, 50, [](int32_t, int32_t) { return CColor(0, 0, 90, 255); }));
    f.frame->setBackground(background);
    ProbeView* a = f.add(CRect(10, 10, 20, 20), "a");
    ProbeView* b = f.add(CRect(60, 10, 70, 20), "b");
    f.frame->idle();
    EXPECT_EQ(a->draws, 1);
    EXPECT_EQ(f.backEnd->getPixel(5, 5), CColor(0, 0, 90, 255));
    EXPECT_EQ(f.backEnd->getPixel(15, 15), CColor(0, 200, 0, 255));
    f.backEnd->clearPresentedAreas();
    f.frame->idle();
    EXPECT_TRUE(f.backEnd->getPresentedAreas().empty());

    a->colour = CColor(200, 0, 0, 255);
    a->setDirty(true);
    f.frame->idle();
    EXPECT_EQ(a->draws, 2);
    EXPECT_EQ(b->draws, 1);
    ASSERT_EQ(f.backEnd->getPresentedAreas().size(), 1u);
    EXPECT_EQ(f.backEnd->getPresentedAreas()[0], CRect(10, 10, 20, 20));
    EXPECT_EQ(f.backEnd->getPixel(15, 15), CColor(200, 0, 0, 255));

    // A removed view leaves the background behind.
    f.frame->removeView(a);
    f.frame->idle();
    EXPECT_EQ(f.backEnd->getPixel(15, 15), CColor(0, 0, 90, 255));

    // Odd invalid rectangles are clipped or ignored.
    f.backEnd->clearPresentedAreas();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    f.frame->invalidRect(CRect(nan, 0, 10, 10));
    f.frame->invalidRect(CRect(-1e300, -1e300, -1e299, -1e299));
    f.frame->invalidRect(CRect(90.5, 40.5, 1e300, 1e300));
    f.frame->idle();
    ASSERT_EQ(f.backEnd->getPresentedAreas().size(), 1u);
    EXPECT_EQ(f.backEnd->getPresentedAreas()[0], CRect(90, 40, 100, 50));
}

TEST(Frame, OverlappingInvalidRectanglesMerge)
{
    OpenFrame f(100, 50);
    f.frame->idle();
    f.backEnd->clearPresentedAreas();
    f.frame->invalidRect(CRect(0, 0, 10, 10));
    f.frame->invalidRect(CRect(5, 5, 15, 15));
    f.frame->invalidRect(CRect(50, 0, 60, 10));
    f.frame->idle();
    ASSERT_EQ(f.backEnd->getPresentedAreas().size(), 2u);
    EXPECT_EQ(f.backEnd->getPresentedAreas()[0], CRect(0, 0, 15, 15));
    for (int i = 0; i < 40; ++i)
        f.frame->invalidRect(CRect(2 * i, 0, 2 * i + 1, 1));
    f.backEnd->clearPresentedAreas();
    f.frame->idle();
    EXPECT_LE(f.backEnd->getPresentedAreas().size(), 16u);
}

TEST(Frame, SetSizeResizesTheBackBufferUnlessRefused)
{
    struct RefusingEditor : RecordingEditor {
        bool beforeSizeChange(const CRect& newSize, const CRect&) override { return newSize.getWidth() < 500; }
    } editor;
    auto* frame = new CFrame(CRect(0, 0, 100, 50), &editor);
    EXPECT_TRUE(frame->setSize(120, 60)); // closed: only the size changes
    ASSERT_TRUE(frame->open(nullptr));
    EXPECT_FALSE(frame->open(nullptr));
    EXPECT_EQ(frame->getBackBuffer()->getPixelWidth(), 120);
    EXPECT_TRUE(frame->setSize(200, 80));
    EXPECT_EQ(frame->getBackBuffer()->getPixelWidth(), 200);
    EXPECT_FALSE(frame->setSize(600, 80));
    EXPECT_FALSE(frame->setSize(0, 80));
    EXPECT_FALSE(frame->setSize(std::numeric_limits<double>::quiet_NaN(), 80));
    EXPECT_FALSE(frame->setSize(1e9, 1e9 / 1e6));
    EXPECT_EQ(frame->getViewSize(), CRect(0, 0, 200, 80));
    frame->close();
}

TEST(Frame, MouseLocationAndButtonsFollowTheBackEnd)
{
    OpenFrame f;
    CPoint where;
    f.backEnd->mouseDown(CPoint(7, 8), kLButton | kShift);
    EXPECT_TRUE(f.frame->getCurrentMouseLocation(where));
    EXPECT_EQ(where, CPoint(7, 8));
    EXPECT_EQ(f.frame->getCurrentMouseButtons(), CButtonState(kLButton | kShift));
    f.backEnd->mouseUp(CPoint(9, 9), kLButton | kShift);
    EXPECT_EQ(f.frame->getCurrentMouseButtons().getButtonState(), 0);
    auto* closed = new CFrame(CRect(0, 0, 10, 10), nullptr);
    EXPECT_FALSE(closed->getCurrentMouseLocation(where));
    closed->forget();
}

TEST(Frame, TextEditTakesAndLosesTheFocus)
{
    OpenFrame f;
    testsupport::RecordingListener listener;
    auto* edit = new CTextEdit(CRect(0, 0, 40, 20), &listener, 5, "name");
    f.frame->addView(edit);
    EXPECT_EQ(f.backEnd->mouseDown(CPoint(5, 5), kLButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_TRUE(edit->isPlatformEditOpen());
    EXPECT_EQ(f.frame->getFocusView(), edit);
    f.backEnd->mouseDown(CPoint(80, 40), kLButton);
    EXPECT_FALSE(edit->isPlatformEditOpen());
    EXPECT_EQ(f.frame->getFocusView(), nullptr);
    EXPECT_STREQ(edit->getText(), "name");
    edit->setText(nullptr);
    EXPECT_STREQ(edit->getText(), "");
}
