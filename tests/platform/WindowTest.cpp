#include <gtest/gtest.h>

#include "platform/Window.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <X11/Xlib.h>
#endif

#include <cstdint>
#include <cstdlib>

namespace platform {

std::ostream& operator<<(std::ostream& out, const WindowRect& r)
{
    return out << r.left << "," << r.top << "," << r.right << "," << r.bottom;
}

} // namespace platform

namespace {

using platform::WindowRect;

// A top-level window at (60, 150), 200 x 120, holding a child at (10, 20), 50 x 40: a host's
// window and the editor's. Only where the window stages of scripts/test.sh set ZARN_WINDOW_TESTS:
// the X display to use on Linux (never the developer's own), any value under wine once the
// prefix has the null graphics driver.
class ParentWindowTest : public ::testing::Test {
protected:
    const char* setting = std::getenv("ZARN_WINDOW_TESTS");
#ifdef _WIN32
    void SetUp() override
    {
        if (!setting || !*setting)
            GTEST_SKIP() << "ZARN_WINDOW_TESTS is not set";
        top = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, 60, 150, 200, 120, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(top, nullptr) << "no window station: wine needs its null graphics driver";
        child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 20, 50, 40, top, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    }
    void TearDown() override
    {
        if (top)
            DestroyWindow(top);
    }
    void* window(HWND handle) const { return handle; }
    void* missingWindow() const { return reinterpret_cast<void*>(uintptr_t(0x1234)); }

    HWND top = nullptr;
    HWND child = nullptr;
#else
    void SetUp() override
    {
        if (!setting || !*setting)
            GTEST_SKIP() << "ZARN_WINDOW_TESTS names no display";
        setenv("DISPLAY", setting, 1); // the calls under test open $DISPLAY
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr) << setting;
        top = XCreateSimpleWindow(display, DefaultRootWindow(display), 60, 150, 200, 120, 0, 0, 0);
        child = XCreateSimpleWindow(display, top, 10, 20, 50, 40, 0, 0, 0);
        XMapWindow(display, child);
        XMapWindow(display, top);
        XSync(display, False);
    }
    void TearDown() override
    {
        if (display) {
            XDestroyWindow(display, top);
            XCloseDisplay(display);
        }
    }
    void* window(Window id) const { return reinterpret_cast<void*>(uintptr_t(id)); }
    void* missingWindow() const { return reinterpret_cast<void*>(uintptr_t(0x3fffff0)); }

    Display* display = nullptr;
    Window top = 0;
    Window child = 0;
#endif

    WindowRect rectOf(void* handle) const
    {
        WindowRect rect;
        EXPECT_TRUE(platform::GetWindowRect(handle, &rect));
        return rect;
    }
};

TEST_F(ParentWindowTest, RectanglesAreInScreenPixels)
{
    EXPECT_EQ(rectOf(window(top)), (WindowRect{60, 150, 260, 270}));
    EXPECT_EQ(rectOf(window(child)), (WindowRect{70, 170, 120, 210}));
}

TEST_F(ParentWindowTest, ResizeKeepsThePositionWithNoMoveAndMovesWithNoSize)
{
    ASSERT_TRUE(platform::SetWindowPos(window(top), nullptr, 0, 0, 300, 200, platform::kSwpNoMove));
    EXPECT_EQ(rectOf(window(top)), (WindowRect{60, 150, 360, 350}));
    ASSERT_TRUE(platform::SetWindowPos(window(top), nullptr, 5, 7, 1, 1, platform::kSwpNoSize | platform::kSwpNoZOrder));
    EXPECT_EQ(rectOf(window(top)), (WindowRect{5, 7, 305, 207}));
}

TEST_F(ParentWindowTest, MissingWindowsAndNullRectanglesFail)
{
    WindowRect untouched{1, 2, 3, 4};
    EXPECT_FALSE(platform::GetWindowRect(missingWindow(), &untouched));
    EXPECT_FALSE(platform::GetWindowRect(nullptr, &untouched));
    EXPECT_EQ(untouched, (WindowRect{1, 2, 3, 4}));
    EXPECT_FALSE(platform::GetWindowRect(window(top), nullptr));
    for (void* handle : {missingWindow(), static_cast<void*>(nullptr)})
        EXPECT_FALSE(platform::SetWindowPos(handle, nullptr, 0, 0, 100, 100, platform::kSwpNoMove));
}

#ifndef _WIN32
TEST_F(ParentWindowTest, SizesThatXCannotHaveAreRefused)
{
    // Windows allows empty windows; an X window of no pixels is a protocol error.
    for (auto [w, h] : {std::pair{0, 100}, {100, -5}, {100, 40000}})
        EXPECT_FALSE(platform::SetWindowPos(window(top), nullptr, 0, 0, w, h, platform::kSwpNoMove)) << w << "x" << h;
    EXPECT_EQ(rectOf(window(top)), (WindowRect{60, 150, 260, 270}));
}
#endif

} // namespace
