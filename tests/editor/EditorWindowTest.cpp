// The rig first: it brings googletest, whose headers Xlib's macros (None, Bool) would break.
#include "EditorRig.h"

#ifdef _WIN32
#include "Win32HostWindow.h"
#else
#include "X11HostWindow.h"
#endif

#include <chrono>
#include <cstdlib>
#include <thread>

namespace editortest {

// The editor opened by the host in its own window, larger than the editor: what lies beyond is
// kept when the size menu grows both.
TEST(EditorWindow, DrawsAndGrowsTheHostWindowByTheChosenSize)
{
    const char* setting = std::getenv("ZARN_WINDOW_TESTS");
    if (!setting || !*setting)
        GTEST_SKIP() << "ZARN_WINDOW_TESTS is not set (the window stages of scripts/test.sh set it)";
    const std::unique_ptr<testsupport::HostWindow> host = testsupport::makeHostWindow(717 + 20, 300 + 10);
    ASSERT_TRUE(host);
    EditorRig rig;
    ASSERT_NE(rig.plugin->dispatch(effEditOpen, 0, 0, host->parent()), 0);
    CFrame& frame = *rig.editor->getFrame();
    // Idles until done() or at least ten seconds (a loaded machine) have passed; false then.
    const auto idleUntil = [&](const auto& done) {
        for (int i = 0; i < 5000 && !done(); ++i, std::this_thread::sleep_for(std::chrono::milliseconds(2))) {
            host->pump();
            rig.plugin->dispatch(effEditIdle);
        }
        return done();
    };
    // Program 0 selects model 0: the window shows its LED lit.
    EXPECT_TRUE(idleUntil([&] {
        const std::vector<uint8_t> shown = host->capture(frame);
        return shown.size() == size_t(717 * 300 * 4) && litModel(shown.data()) == 0;
    }));
    host->send(frame, testsupport::HostWindow::Input::press, kBackground, kRButton);
    host->send(frame, testsupport::HostWindow::Input::release, kBackground, kRButton);
    host->answerNextMenu(frame, 1);
    ASSERT_TRUE(idleUntil([&] { return rig.editor->getFrame() && rig.editor->getFrame()->getWidth() == 956; }));
    // The host window keeps its border of 20 by 10 around the frame.
    EXPECT_EQ(std::pair(host->windowSize(*rig.editor->getFrame()), host->parentSize()),
              std::pair(CPoint(956, 400), CPoint(976, 410)));
}

} // namespace editortest
