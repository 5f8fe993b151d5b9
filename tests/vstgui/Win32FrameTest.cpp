#include "WindowTestScene.h"
#include "Win32TestWindow.h"

#include "vstgui/COptionMenu.h"
#include "vstgui/Win32PlatformFrame.h"
#include "vstgui/Win32WindowClass.h"

using namespace VSTGUI;

namespace testsupport {

namespace {

HWND windowOf(CFrame& frame)
{
    return static_cast<HWND>(dynamic_cast<Win32PlatformFrame&>(*frame.getPlatformFrame()).getWindow());
}

// A top-level window under wine's null graphics driver; input is posted to the frame's window.
class Win32Host : public HostWindow {
public:
    Win32Host()
        : window(CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 60, 150, 200, 120,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr))
    {
    }
    ~Win32Host() override
    {
        if (window)
            DestroyWindow(window);
        pumpMessages();
    }

    void* parent() override { return window; }
    void* notAWindow() override { return reinterpret_cast<void*>(uintptr_t(0x1234)); }
    void destroyParent(CFrame& frame) override
    {
        DestroyWindow(window);
        window = nullptr;
        EXPECT_EQ(dynamic_cast<Win32PlatformFrame&>(*frame.getPlatformFrame()).getWindow(), nullptr);
    }
    void pump() override { pumpMessages(); }
    void send(CFrame& frame, Input input, CPoint at, int32_t state) override
    {
        const HWND child = windowOf(frame);
        const bool right = state & kRButton;
        const WPARAM held = (input == Input::release ? 0 : state & kLButton ? MK_LBUTTON : right ? MK_RBUTTON : 0) |
                            (state & kControl ? MK_CONTROL : 0);
        if (input == Input::wheelDown) {
            POINT screen{LONG(at.x), LONG(at.y)}; // the wheel reports screen positions
            ClientToScreen(child, &screen);
            PostMessageW(child, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(int16_t(-WHEEL_DELTA))), pointParam(screen.x, screen.y));
        } else {
            const UINT message = input == Input::move      ? WM_MOUSEMOVE
                                 : input == Input::press   ? (right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN)
                                                           : (right ? WM_RBUTTONUP : WM_LBUTTONUP);
            PostMessageW(child, message, held, pointParam(at.x, at.y));
        }
    }
    std::vector<uint8_t> capture(CFrame& frame) override // through GDI, as a screen grab does
    {
        return captureWindow(windowOf(frame), int(WindowTest::kWidth), int(WindowTest::kHeight));
    }
    void loseContents(CFrame& frame) override
    {
        const std::vector<uint8_t> before = capture(frame);
        HDC context = GetDC(windowOf(frame));
        RECT all{0, 0, 160, 100};
        FillRect(context, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ReleaseDC(windowOf(frame), context);
        ASSERT_NE(capture(frame), before);
        InvalidateRect(windowOf(frame), nullptr, FALSE);
    }
    CPoint windowSize(CFrame& frame) override
    {
        RECT client{};
        GetClientRect(windowOf(frame), &client);
        return CPoint(client.right, client.bottom);
    }
    int childWindows() override
    {
        int count = 0;
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            ++count;
        return count;
    }
    bool pointerHeld() override { return GetCapture() != nullptr; }
    int openHandles() override // GDI and USER objects; wine counts none, Windows does
    {
        return int(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) + GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    }

    HWND window;
};

} // namespace

std::unique_ptr<HostWindow> makeHostWindow()
{
    auto host = std::make_unique<Win32Host>();
    EXPECT_NE(host->window, nullptr) << "no window station: wine needs its null graphics driver";
    return host->window ? std::move(host) : nullptr;
}

namespace {

TEST_F(WindowTest, ADragWhoseCaptureIsTakenAwayEnds)
{
    openFrame();
    const CPoint centre = centreOf(kKnobRect);
    send(HostWindow::Input::press, centre);
    settle();
    EXPECT_EQ(GetCapture(), windowOf(*frame));
    SetCapture(static_cast<HWND>(host->parent()));
    settle();
    send(HostWindow::Input::move, centre - CPoint(0, 50));
    settle();
    EXPECT_FLOAT_EQ(knob()->getValue(), 0.f);
    ReleaseCapture();
}

// The native menu is driven with posted keys; a thread timer ends it after five seconds, so a
// fault fails instead of hanging.
TEST_F(WindowTest, TheNativeMenuChoosesWithKeysAndEscapeDismissesIt)
{
    openFrame();
    const auto popupWithKeys = [&](std::initializer_list<WPARAM> keys) {
        for (WPARAM key : keys) {
            PostMessageW(windowOf(*frame), WM_KEYDOWN, key, 1);
            PostMessageW(windowOf(*frame), WM_KEYUP, key, 0xC0000001);
        }
        const UINT_PTR guard = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
        const int32_t chosen = popupSizeMenu();
        KillTimer(nullptr, guard);
        return chosen;
    };
    EXPECT_EQ(popupWithKeys({VK_DOWN, VK_DOWN, VK_RETURN}), 1);
    EXPECT_EQ(listener.calls.back().tag, 99999);
    listener.calls.clear();
    EXPECT_EQ(popupWithKeys({VK_ESCAPE}), -1);
    EXPECT_TRUE(listener.calls.empty());
}

TEST(Win32WindowClass, ASecondRegistrationOfTheNameFailsWithoutTakingTheFirstAway)
{
    const auto instance = static_cast<HINSTANCE>(Win32WindowClass::moduleInstance());
    WNDCLASSEXW info{};
    info.cbSize = sizeof(info);
    {
        Win32WindowClass first(L"ZarnProTestClass", reinterpret_cast<void*>(&DefWindowProcW));
        EXPECT_TRUE(first.isRegistered());
        EXPECT_FALSE(Win32WindowClass(L"ZarnProTestClass", reinterpret_cast<void*>(&DefWindowProcW)).isRegistered());
        EXPECT_TRUE(GetClassInfoExW(instance, L"ZarnProTestClass", &info));
    }
    EXPECT_FALSE(GetClassInfoExW(instance, L"ZarnProTestClass", &info));
}

} // namespace

} // namespace testsupport
