// The rig first: it brings googletest, whose headers Xlib's macros (None, Bool) would break.
#include "EditorRig.h"

#ifdef _WIN32
#include "Win32HostWindow.h"
#else
#include "X11HostWindow.h"
#endif

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

namespace editortest {
namespace {

using testsupport::HostWindow;

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

// Drawn, driven by the window system's input, resized with the host's window, and open and close
// cycles and resizes return every object, window and handle.
TEST_F(EditorWindowTest, DrawsTakesDragsGrowsTheHostWindowAndLeavesNothingBehind)
{
    ASSERT_TRUE(open());
    // Program 0 selects model 0: the window shows its LED lit.
    EXPECT_TRUE(idleUntil([&] {
        const std::vector<uint8_t> shown = host->capture(frame());
        return shown.size() == size_t(717 * 300 * 4) && litModel(shown.data()) == 0;
    }));

    // A drag of 50 pixels up turns a knob by a quarter.
    rig.setParameter(kAmpDecay, 0.25f);
    settle();
    const CPoint knob = rig.centreOf(kAmpDecay);
    send(HostWindow::Input::press, knob);
    send(HostWindow::Input::move, CPoint(knob.x, knob.y - 50));
    send(HostWindow::Input::release, CPoint(knob.x, knob.y - 50));
    EXPECT_TRUE(idleUntil([&] { return rig.parameter(kAmpDecay) == 0.5f; })) << rig.parameter(kAmpDecay);

    // "Large": both windows grow at the next idle, the host's keeping its extent beyond the frame.
    ASSERT_TRUE(chooseSize(1));
    EXPECT_EQ(host->windowSize(frame()), CPoint(956, 400));
    EXPECT_EQ(host->parentSize(), CPoint(956, 400) + kBorder);
    ASSERT_TRUE(chooseSize(0)); // both sizes' pictures are decoded now and stay with the plug-in
    const int64_t objects = ReferenceCounted::liveObjectCount();
    const int handles = host->openHandles();
    const int children = host->childWindows();
    for (int resize = 0; resize < 20; ++resize)
        ASSERT_TRUE(chooseSize(resize % 2 == 0 ? 1 : 0)) << resize;
    for (int cycle = 0; cycle < 200; ++cycle) {
        rig.plugin->dispatch(effEditClose);
        ASSERT_TRUE(open());
        host->pump();
    }
    settle();
    EXPECT_EQ(ReferenceCounted::liveObjectCount(), objects);
    EXPECT_EQ(host->openHandles(), handles);
    EXPECT_EQ(host->childWindows(), children);
}

} // namespace
} // namespace editortest
