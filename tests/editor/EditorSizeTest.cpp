#include "EditorRig.h"

#include "editor/EditorLayout.h"
#include "vstgui/COptionMenu.h"

namespace editortest {
namespace {

template <typename Rect> CRect corners(const Rect& r)
{
    return CRect(r.left, r.top, r.right, r.bottom);
}

uint8_t storedUISize()
{
    uint8_t size = 99;
    readUISize(&size);
    return size;
}

TEST(EditorSize, ARightClickWhereNoControlTakesItChoosesTheSizeForTheNextIdle)
{
    storeUISize(3); // stored by something else: no size
    EXPECT_EQ(storedUISize(), 0);
    EditorRig rig;
    ASSERT_TRUE(rig.open());
    // A right click on a knob or the tap pad opens no menu, on the panel or a model box it does.
    const CPoint clicks[] = {rig.centreOf(kPitchCoarse), rig.centreOf(kTapPadTag), kBackground, {400, 225}};
    for (const CPoint& at : clicks) { // the menu, if any, dismissed
        rig.presenter.shownTitles.clear();
        rig.press(at, kRButton);
        rig.release(at, kRButton);
        EXPECT_EQ(rig.presenter.shownTitles.size(), &at - clicks < 2 ? 0u : 1u) << at.x;
    }
    EXPECT_EQ(rig.presenter.shownTitles, (std::vector<std::vector<std::string>>{{"Default", "Large", "Huge", "-"}}));
    EXPECT_EQ(rig.press(kBackground, kLButton), kMouseEventNotHandled);
    rig.presenter.choices = {0}; // the size already shown: nothing happens
    rig.press(kBackground, kRButton);
    EXPECT_FALSE(rig.editor->isResizePending());

    rig.presenter.choices = {1};
    EXPECT_EQ(rig.press(kBackground, kRButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_EQ(storedUISize(), 1);
    ERect* rect = nullptr;
    rig.plugin->dispatch(effEditGetRect, 0, 0, &rect);
    EXPECT_EQ(corners(*rect), CRect(0, 0, 717, 300));
    rig.host.clearCalls();
    EditorRig::sleeps.clear();
    rig.idle();
    EXPECT_EQ(corners(*rect), CRect(0, 0, 956, 400));
    EXPECT_EQ(EditorRig::sleeps, std::vector<uint32_t>{200});
    std::vector<std::pair<int32_t, VstIntPtr>> sizeRequests; // one before the rebuild, one by it
    for (const auto& call : rig.host.callsWith(audioMasterSizeWindow))
        sizeRequests.emplace_back(call.index, call.value);
    EXPECT_EQ(sizeRequests, (std::vector<std::pair<int32_t, VstIntPtr>>(2, {956, 400})));
    const EditorLayout& large = rig.editor->getLayout();
    EXPECT_EQ(corners(large.controls[kSplashTag]), CRect(76, 272, 300, 360));
    EXPECT_EQ(corners(large.modelBoxes[0]), CRect(500, 292, 584, 308));
    EXPECT_EQ(large.fontSize, 13.0);
    std::vector<bool> checked; // the menu's check mark: on the current size alone
    rig.presenter.whileOpen = [&](COptionMenu& menu) {
        for (int32_t i = 0; i < 3; ++i)
            checked.push_back(menu.getEntry(i)->isChecked());
    };
    rig.press(kBackground, kRButton);
    EXPECT_EQ(checked, (std::vector<bool>{false, true, false}));

    // Another instance opens at the stored size; each editor hit-tests with its own layout.
    EditorRig huge(2);
    ASSERT_TRUE(huge.open());
    EXPECT_EQ(huge.control(kPitchCoarse)->getViewSize(), CRect(144, 138, 228, 222));
    EXPECT_EQ(huge.editor->getLayout().fontSize, 20.0);
    huge.press(CPoint(920, 470));
    rig.press(CPoint(613, 313));
    EXPECT_EQ(std::pair(huge.parameter(kModel), rig.parameter(kModel)), std::pair(5.0f / 7.0f, 5.0f / 7.0f));
}

// The host may close the editor, or the whole plug-in, while the size menu waits for the user.
TEST(EditorLifecycle, TheHostClosingWhileTheSizeMenuIsUpLeavesNothingDangling)
{
    const int64_t objects = ReferenceCounted::liveObjectCount();
    for (const bool wholePlugin : {false, true}) {
        EditorRig rig;
        ASSERT_TRUE(rig.open());
        ASSERT_TRUE(rig.open()); // a second open replaces the first frame
        rig.presenter.choices = {1};
        rig.presenter.whileOpen = [&](COptionMenu&) {
            wholePlugin ? void(rig.plugin->close()) : void(rig.plugin->dispatch(effEditClose));
        };
        EXPECT_EQ(rig.press(kBackground, kRButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
        if (!wholePlugin) {
            ASSERT_TRUE(rig.open());
            EXPECT_EQ(rig.editor->getUISizeIndex(), 1);
        }
    }
    EXPECT_EQ(ReferenceCounted::liveObjectCount(), objects);
}

} // namespace
} // namespace editortest
