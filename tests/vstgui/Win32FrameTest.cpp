#include <gtest/gtest.h>

#include "WindowTestScene.h"

#include "vstgui/COptionMenu.h"
#include "vstgui/Win32PlatformFrame.h"
#include "vstgui/Win32WindowClass.h"

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

using namespace VSTGUI;
using testsupport::RecordingEditor;
using testsupport::RecordingListener;
using testsupport::WindowTestScene;

namespace {

CPoint centreOf(const CRect& r)
{
    return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

LPARAM pointParam(CCoord x, CCoord y)
{
    return MAKELPARAM(WORD(int16_t(x)), WORD(int16_t(y)));
}

void pumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// A top-level window standing in for the host's, under wine's null graphics driver (the window
// stage of scripts/test.sh sets it in the build's prefix).
class Win32FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!testsupport::windowTestSetting())
            GTEST_SKIP() << "ZARN_WINDOW_TESTS is not set (the wine-window stage of scripts/test.sh sets it)";
        parent = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 60, 150, 200, 120,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(parent, nullptr) << "no window station: wine needs its null graphics driver";
        editor.setKnobMode(kLinearMode);
    }
    void TearDown() override
    {
        if (frame)
            frame->close();
        if (parent)
            DestroyWindow(parent);
        pumpMessages();
    }

    void openFrame()
    {
        frame = WindowTestScene::makeFrame(editor, listener);
        ASSERT_TRUE(frame->open(parent));
        backEnd = dynamic_cast<Win32PlatformFrame*>(frame->getPlatformFrame());
        ASSERT_NE(backEnd, nullptr);
        child = static_cast<HWND>(backEnd->getWindow());
    }
    // What the host's loop and its idle calls do.
    void settle()
    {
        for (int i = 0; i < 3; ++i) {
            pumpMessages();
            frame->idle();
        }
    }
    void post(UINT message, WPARAM wParam, LPARAM lParam)
    {
        PostMessageW(child, message, wParam, lParam);
        settle();
    }

    // Where the window's pixels, captured through GDI, differ from the offscreen rendering.
    std::string differenceFromOffscreen(const std::vector<uint8_t>& expected)
    {
        const int w = int(WindowTestScene::kWidth);
        const int h = int(WindowTestScene::kHeight);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HDC windowContext = GetDC(child);
        HDC memory = CreateCompatibleDC(windowContext);
        HBITMAP capture = CreateDIBSection(windowContext, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ previous = SelectObject(memory, capture);
        BitBlt(memory, 0, 0, w, h, windowContext, 0, 0, SRCCOPY);
        GdiFlush();
        std::string difference;
        const auto* p = static_cast<const uint8_t*>(bits);
        for (int i = 0; bits && i < w * h && difference.empty(); ++i) {
            if (p[i * 4] != expected[size_t(i) * 4] || p[i * 4 + 1] != expected[size_t(i) * 4 + 1] ||
                p[i * 4 + 2] != expected[size_t(i) * 4 + 2])
                difference = "pixel " + std::to_string(i % w) + "," + std::to_string(i / w);
        }
        if (!bits)
            difference = "no capture";
        SelectObject(memory, previous);
        DeleteObject(capture);
        DeleteDC(memory);
        ReleaseDC(child, windowContext);
        return difference;
    }

    HWND parent = nullptr;
    HWND child = nullptr;
    RecordingEditor editor;
    RecordingListener listener;
    CFrame* frame = nullptr;
    Win32PlatformFrame* backEnd = nullptr;
};

TEST_F(Win32FrameTest, WindowShowsExactlyTheOffscreenPixelsAndRepaintsWhatWasInvalidated)
{
    openFrame();
    const std::vector<uint8_t> expected = testsupport::offscreenPixelsOfScene();
    settle();
    EXPECT_EQ(differenceFromOffscreen(expected), "");
    // A region the system asks to be painted again comes from the frame's buffer.
    HDC context = GetDC(child);
    RECT all{0, 0, 160, 100};
    FillRect(context, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(child, context);
    ASSERT_NE(differenceFromOffscreen(expected), "");
    InvalidateRect(child, nullptr, FALSE);
    UpdateWindow(child);
    EXPECT_EQ(differenceFromOffscreen(expected), "");
}

TEST_F(Win32FrameTest, PostedMouseMessagesTurnTheKnobAndFlipTheSwitch)
{
    openFrame();
    settle();
    CAnimKnob* knob = WindowTestScene::knobOf(frame);
    const CPoint centre = centreOf(WindowTestScene::kKnobRect);
    post(WM_LBUTTONDOWN, MK_LBUTTON, pointParam(centre.x, centre.y));
    EXPECT_EQ(GetCapture(), child);
    post(WM_MOUSEMOVE, MK_LBUTTON, pointParam(centre.x, centre.y - 50));
    EXPECT_FLOAT_EQ(knob->getValue(), 0.25f);
    // Captured, the drag goes on above the window (negative positions).
    post(WM_MOUSEMOVE, MK_LBUTTON, pointParam(centre.x, centre.y - 150));
    post(WM_LBUTTONUP, 0, pointParam(centre.x, centre.y - 150));
    EXPECT_FLOAT_EQ(knob->getValue(), 0.75f);
    EXPECT_EQ(GetCapture(), nullptr);
    ASSERT_FALSE(listener.calls.empty());
    EXPECT_EQ(listener.calls.back().tag, WindowTestScene::kKnobTag);

    // The wheel reports screen positions; one notch down is one step of 0.1 down.
    POINT screen{LONG(centre.x), LONG(centre.y)};
    ClientToScreen(child, &screen);
    post(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(int16_t(-WHEEL_DELTA))), pointParam(screen.x, screen.y));
    EXPECT_FLOAT_EQ(knob->getValue(), 0.65f);

    // Control+click restores the default.
    post(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, pointParam(centre.x, centre.y));
    post(WM_LBUTTONUP, MK_CONTROL, pointParam(centre.x, centre.y));
    EXPECT_FLOAT_EQ(knob->getValue(), 0.5f);

    const CPoint switchCentre = centreOf(WindowTestScene::kSwitchRect);
    post(WM_LBUTTONDOWN, MK_LBUTTON, pointParam(switchCentre.x, switchCentre.y));
    post(WM_LBUTTONUP, 0, pointParam(switchCentre.x, switchCentre.y));
    EXPECT_FLOAT_EQ(WindowTestScene::switchOf(frame)->getValue(), 1.f);
    EXPECT_EQ(listener.calls.back().tag, WindowTestScene::kSwitchTag);

    post(WM_RBUTTONDOWN, MK_RBUTTON, pointParam(130, 20));
    post(WM_RBUTTONUP, 0, pointParam(130, 20));
    ASSERT_EQ(editor.unhandledDowns.size(), 1u);
    EXPECT_EQ(editor.unhandledDownButtons.at(0), kRButton);
    EXPECT_EQ(editor.unhandledDowns.at(0), CPoint(130, 20));
}

TEST_F(Win32FrameTest, ResizingTheFrameResizesItsWindow)
{
    openFrame();
    ASSERT_TRUE(frame->setSize(180, 110));
    RECT client{};
    GetClientRect(child, &client);
    EXPECT_EQ(client.right, 180);
    EXPECT_EQ(client.bottom, 110);
}

TEST_F(Win32FrameTest, APressThatClosesTheFrameDestroysTheWindowOnlyAfterItsMessage)
{
    openFrame();
    editor.downHook = [&](CPoint&, const CButtonState&) {
        frame->close();
        frame = nullptr;
        return kMouseEventHandled;
    };
    PostMessageW(child, WM_RBUTTONDOWN, MK_RBUTTON, pointParam(130, 20));
    PostMessageW(child, WM_RBUTTONUP, 0, pointParam(130, 20));
    pumpMessages();
    EXPECT_EQ(frame, nullptr);
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Win32FrameTest, ADragWhoseCaptureIsTakenAwayEnds)
{
    openFrame();
    CAnimKnob* knob = WindowTestScene::knobOf(frame);
    const CPoint centre = centreOf(WindowTestScene::kKnobRect);
    post(WM_LBUTTONDOWN, MK_LBUTTON, pointParam(centre.x, centre.y));
    SetCapture(parent);
    settle();
    post(WM_MOUSEMOVE, MK_LBUTTON, pointParam(centre.x, centre.y - 50));
    EXPECT_FLOAT_EQ(knob->getValue(), 0.f);
    ReleaseCapture();
}

// The native menu is driven with posted keys; a thread timer ends it after five seconds, so a
// fault fails instead of hanging.
int32_t popupWithKeys(CFrame* frame, IControlListener& listener, HWND window, std::initializer_list<WPARAM> keys)
{
    auto* menu = new COptionMenu(CRect(40, 20, 140, 40), &listener, 99999, nullptr, nullptr, COptionMenu::kCheckStyle);
    for (const char* title : {"Default", "Large", "Huge"})
        menu->addEntry(title);
    menu->addSeparator();
    frame->addView(menu);
    menu->checkEntryAlone(0);
    for (WPARAM key : keys) {
        PostMessageW(window, WM_KEYDOWN, key, 1);
        PostMessageW(window, WM_KEYUP, key, 0xC0000001);
    }
    const UINT_PTR guard = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
    menu->popup();
    KillTimer(nullptr, guard);
    const int32_t chosen = menu->getCurrentIndex(true);
    frame->removeView(menu);
    return chosen;
}

TEST_F(Win32FrameTest, TheNativeMenuChoosesWithKeysAndEscapeDismissesIt)
{
    openFrame();
    EXPECT_EQ(popupWithKeys(frame, listener, child, {VK_DOWN, VK_DOWN, VK_RETURN}), 1);
    EXPECT_EQ(listener.calls.back().tag, 99999);
    listener.calls.clear();
    EXPECT_EQ(popupWithKeys(frame, listener, child, {VK_ESCAPE}), -1);
    EXPECT_TRUE(listener.calls.empty());
}

TEST_F(Win32FrameTest, HundredOpenCloseCyclesReturnEveryWindowAndRegisterTheClassOnce)
{
    const int64_t objects = ReferenceCounted::liveObjectCount();
    for (int i = 0; i < 100; ++i) {
        openFrame();
        settle();
        frame->close();
        frame = nullptr;
        EXPECT_FALSE(IsWindow(child));
    }
    pumpMessages();
    EXPECT_EQ(ReferenceCounted::liveObjectCount(), objects);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);
    WNDCLASSEXW info{};
    info.cbSize = sizeof(info);
    EXPECT_TRUE(GetClassInfoExW(static_cast<HINSTANCE>(Win32WindowClass::moduleInstance()),
                                Win32PlatformFrame::kWindowClassName, &info));
}

TEST(Win32WindowClass, RegistersOnceAndUnregistersWithTheObject)
{
    const auto instance = static_cast<HINSTANCE>(Win32WindowClass::moduleInstance());
    WNDCLASSEXW info{};
    info.cbSize = sizeof(info);
    {
        Win32WindowClass first(L"ZarnProTestClass", reinterpret_cast<void*>(&DefWindowProcW));
        EXPECT_TRUE(first.isRegistered());
        {
            // A second registration of the name fails and must not take the first one away.
            Win32WindowClass second(L"ZarnProTestClass", reinterpret_cast<void*>(&DefWindowProcW));
            EXPECT_FALSE(second.isRegistered());
        }
        EXPECT_TRUE(GetClassInfoExW(instance, L"ZarnProTestClass", &info));
    }
    EXPECT_FALSE(GetClassInfoExW(instance, L"ZarnProTestClass", &info));
}

TEST_F(Win32FrameTest, ANonWindowOrADestroyedParentIsSurvived)
{
    frame = WindowTestScene::makeFrame(editor, listener);
    EXPECT_FALSE(frame->open(reinterpret_cast<void*>(uintptr_t(0x1234))));
    frame->close();
    frame = nullptr;

    openFrame();
    settle();
    DestroyWindow(parent);
    parent = nullptr;
    frame->invalid();
    settle();
    EXPECT_EQ(backEnd->getWindow(), nullptr);
    frame->close();
    frame = nullptr;
}

} // namespace
