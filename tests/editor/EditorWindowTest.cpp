// The rig first: it brings googletest, whose headers Xlib's macros (None, Bool) would break.
#include "EditorRig.h"

#ifdef _WIN32
#include "Win32HostWindow.h"
#else
#include "X11HostWindow.h"
#include <malloc.h>
#endif

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

namespace editortest {
namespace {

using testsupport::HostWindow;

constexpr CPoint kBackground(20, 20);
constexpr CPoint kBorder(20, 10);

// The editor opened by the host in its own window (larger than the editor: what lies beyond is
// kept on resizes), driven by the window system's input.
class EditorWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* setting = std::getenv("ZARN_WINDOW_TESTS");
        if (!setting || !*setting)
            GTEST_SKIP() << "ZARN_WINDOW_TESTS is not set (the window stages of scripts/test.sh set it)";
        storeUISize(0);
        host = testsupport::makeHostWindow(int32_t(717 + kBorder.x), int32_t(300 + kBorder.y));
        ASSERT_TRUE(host);
    }

    bool open() { return rig.plugin->dispatch(effEditOpen, 0, 0, host->parent()) != 0; }
    CFrame& frame() { return *rig.editor->getFrame(); }
    // Idles until done() or ten seconds (a loaded machine) have passed; false then.
    bool idleUntil(const std::function<bool()>& done)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        do {
            host->pump();
            rig.plugin->dispatch(effEditIdle);
            if (done())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        } while (std::chrono::steady_clock::now() < end);
        return false;
    }
    // Idles until the window system has delivered what was sent and the editor painted.
    void settle()
    {
        int rounds = 0;
        idleUntil([&] { return ++rounds == 10; });
    }
    void send(HostWindow::Input input, CPoint at, int32_t buttons = kLButton)
    {
        host->send(frame(), input, at, buttons);
        settle();
    }
    // A right click on the panel and a choice in the size menu that it opens; false when the
    // editor did not reach that size.
    bool chooseSize(int32_t index)
    {
        host->send(frame(), HostWindow::Input::press, kBackground, kRButton);
        host->send(frame(), HostWindow::Input::release, kBackground, kRButton);
        host->answerNextMenu(frame(), index);
        const CCoord width = index == 0 ? 717 : 956;
        return idleUntil([&] { return rig.editor->getFrame() && frame().getWidth() == width; });
    }

    std::unique_ptr<HostWindow> host;
    EditorRig rig;
};

TEST_F(EditorWindowTest, ShowsTheOffscreenPixelsAndTakesDragsAndTheSizeMenu)
{
    EditorRig offscreen;
    ASSERT_TRUE(offscreen.open());
    offscreen.idle();
    const uint8_t* painted = std::as_const(*offscreen.editor->getFrame()->getBackBuffer()).getPixels();
    size_t differing = 0;
    ASSERT_TRUE(open());
    EXPECT_TRUE(idleUntil([&] {
        const std::vector<uint8_t> shown = host->capture(frame());
        if (shown.size() != size_t(717 * 300 * 4))
            return false;
        differing = 0;
        for (size_t i = 0; i < shown.size(); i += 4)
            differing += shown[i] != painted[i] || shown[i + 1] != painted[i + 1] || shown[i + 2] != painted[i + 2];
        return differing == 0;
    })) << differing << " pixels differ";
    EXPECT_EQ(host->windowSize(frame()), CPoint(717, 300));

    // A drag of 50 pixels up turns a knob by a quarter, reported to the host.
    rig.setParameter(kAmpDecay, 0.25f);
    settle();
    const CPoint knob = rig.centreOf(kAmpDecay);
    send(HostWindow::Input::press, knob);
    send(HostWindow::Input::move, CPoint(knob.x, knob.y - 50));
    send(HostWindow::Input::release, CPoint(knob.x, knob.y - 50));
    EXPECT_TRUE(idleUntil([&] { return rig.parameter(kAmpDecay) == 0.5f; })) << rig.parameter(kAmpDecay);
    EXPECT_FALSE(rig.host.callsWith(audioMasterAutomate).empty());

    // "Large": stored at once, and both windows grow at the next idle.
    ASSERT_TRUE(chooseSize(1));
    uint8_t stored = 0;
    readUISize(&stored);
    EXPECT_EQ(stored, 1);
    EXPECT_EQ(host->windowSize(frame()), CPoint(956, 400));
    EXPECT_EQ(host->parentSize(), CPoint(956, 400) + kBorder);
}

// Open and close cycles, second opens and resizes return every object, window and handle, and
// the memory.
TEST_F(EditorWindowTest, CyclesAndResizesLeaveNothingBehind)
{
    // Both sizes shown once: their pictures are decoded and stay with the plug-in.
    ASSERT_TRUE(open());
    ASSERT_TRUE(chooseSize(1));
    ASSERT_TRUE(chooseSize(0));
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
        if (cycle % 100 == 0) {
            ASSERT_TRUE(open()); // a second open replaces the first frame
            settle();
        }
        rig.plugin->dispatch(effEditClose);
        host->pump();
    }
    ASSERT_TRUE(open());
    for (int resize = 0; resize < 100; ++resize)
        ASSERT_TRUE(chooseSize(resize % 2 == 0 ? 1 : 0)) << resize;
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
