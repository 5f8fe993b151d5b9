#include "EditorRig.h"

#include "EditorHostWindow.h"

#include <chrono>
#include <thread>

#ifndef _WIN32
#include <malloc.h>
#endif

namespace editortest {
namespace {

constexpr CPoint kBackground(20, 20);
constexpr CPoint kBorder(20, 10);

// The editor opened by the host in its own window, driven by the window system's input.
class EditorWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* setting = std::getenv("ZARN_WINDOW_TESTS");
        if (!setting || !*setting)
            GTEST_SKIP() << "ZARN_WINDOW_TESTS is not set (the window stages of scripts/test.sh set it)";
        storeUISize(0);
        // The host's window measures more than the editor: what lies beyond it is kept on resizes.
        host = makeEditorHostWindow(717 + kBorder.x, 300 + kBorder.y);
        ASSERT_TRUE(host);
    }

    bool open() { return rig.plugin->dispatch(effEditOpen, 0, 0, host->parent()) != 0; }
    void idle()
    {
        host->pump();
        rig.plugin->dispatch(effEditIdle);
    }
    // Idles until the window system has delivered what was sent and the editor painted.
    void settle()
    {
        for (int i = 0; i < 10; ++i) {
            idle();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    void send(EditorHostWindow::Input input, CPoint at, int32_t buttons = kLButton)
    {
        host->send(input, at, buttons);
        settle();
    }

    std::unique_ptr<EditorHostWindow> host;
    EditorRig rig;
};

TEST_F(EditorWindowTest, ShowsTheOffscreenPixelsAndTakesDragsAndTheSizeMenu)
{
    ASSERT_TRUE(open());
    settle();
    EXPECT_EQ(host->editorWindowSize(), CPoint(717, 300));
    EditorRig offscreen;
    ASSERT_TRUE(offscreen.open());
    offscreen.idle();
    const std::vector<uint8_t> shown = host->capture(717, 300);
    ASSERT_EQ(shown.size(), size_t(717 * 300 * 4));
    const IPlatformBitmap& painted = *offscreen.editor->getFrame()->getBackBuffer();
    size_t differing = 0;
    for (size_t i = 0; i < shown.size(); i += 4)
        differing += shown[i] != painted.getPixels()[i] || shown[i + 1] != painted.getPixels()[i + 1] ||
                     shown[i + 2] != painted.getPixels()[i + 2];
    EXPECT_EQ(differing, 0u);

    // A drag of 50 pixels up turns a knob by a quarter, reported to the host.
    rig.setParameter(kAmpDecay, 0.25f);
    settle();
    const CPoint knob = rig.centreOf(kAmpDecay);
    send(EditorHostWindow::Input::press, knob);
    send(EditorHostWindow::Input::move, CPoint(knob.x, knob.y - 50));
    send(EditorHostWindow::Input::release, CPoint(knob.x, knob.y - 50));
    EXPECT_FLOAT_EQ(rig.parameter(kAmpDecay), 0.5f);
    EXPECT_FALSE(rig.host.callsWith(audioMasterAutomate).empty());

    // A right click on the panel, "Large": stored at once, the windows grow at the next idle.
    host->chooseFromMenu(kBackground, 1, [&] { rig.plugin->dispatch(effEditIdle); });
    settle();
    uint8_t stored = 0;
    readUISize(&stored);
    EXPECT_EQ(stored, 1);
    EXPECT_EQ(host->editorWindowSize(), CPoint(956, 400));
    EXPECT_EQ(host->parentSize(), CPoint(956, 400) + kBorder);

    // The next open starts at "Large".
    rig.plugin->dispatch(effEditClose);
    ASSERT_TRUE(open());
    settle();
    EXPECT_EQ(host->editorWindowSize(), CPoint(956, 400));
    EXPECT_EQ(rig.control(kPitchCoarse)->getViewSize(), CRect(96, 92, 152, 148));
}

// Open and close cycles, resizes and a host window that vanishes return every resource.
TEST_F(EditorWindowTest, CyclesAndResizesLeaveNothingBehind)
{
    // Both sizes shown once: their pictures are decoded and stay with the plug-in.
    ASSERT_TRUE(open());
    host->chooseFromMenu(kBackground, 1, [&] { rig.plugin->dispatch(effEditIdle); });
    host->chooseFromMenu(kBackground, 0, [&] { rig.plugin->dispatch(effEditIdle); });
    rig.plugin->dispatch(effEditClose);
    host->pump();
    const int64_t objects = ReferenceCounted::liveObjectCount();
    const int handles = host->openHandles();
    const int children = host->childWindows();
#ifndef _WIN32
    const size_t heap = mallinfo2().uordblks;
#endif
    for (int cycle = 0; cycle < 1000; ++cycle) {
        ASSERT_TRUE(open());
        if (cycle % 100 == 0)
            idle();
        rig.plugin->dispatch(effEditClose);
        host->pump();
    }
    ASSERT_TRUE(open());
    for (int resize = 0; resize < 100; ++resize) {
        const int32_t size = resize % 2 == 0 ? 1 : 0;
        host->chooseFromMenu(kBackground, size, [&] { rig.plugin->dispatch(effEditIdle); });
        ASSERT_EQ(rig.editor->getUISizeIndex(), size) << resize;
    }
    rig.plugin->dispatch(effEditClose);
    host->pump();
    EXPECT_EQ(ReferenceCounted::liveObjectCount(), objects);
    EXPECT_EQ(host->openHandles(), handles);
    EXPECT_EQ(host->childWindows(), children);
#ifndef _WIN32
    // Allocator bookkeeping may move a little; a leak per cycle would show as megabytes.
    EXPECT_LT(std::abs(int64_t(mallinfo2().uordblks) - int64_t(heap)), 256 * 1024);
#endif
}

} // namespace
} // namespace editortest
