#include "EditorRig.h"

#include "EditorHostWindow.h"
#include "Win32TestWindow.h"

namespace editortest {
namespace {

using testsupport::pointParam;
using testsupport::pumpMessages;

// A top-level window under wine's null graphics driver; input is posted to the editor's window.
class Win32EditorHost : public EditorHostWindow {
public:
    Win32EditorHost(int32_t width, int32_t height)
        : window(CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40, 60, width, height,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr))
    {
    }
    ~Win32EditorHost() override
    {
        if (window)
            DestroyWindow(window);
        pumpMessages();
    }

    void* parent() override { return window; }
    void pump() override { pumpMessages(); }
    void send(Input input, CPoint at, int32_t buttons) override
    {
        const bool right = buttons & kRButton;
        const WPARAM held = input == Input::release ? 0 : (buttons & kLButton ? MK_LBUTTON : right ? MK_RBUTTON : 0);
        const UINT message = input == Input::move    ? WM_MOUSEMOVE
                             : input == Input::press ? (right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN)
                                                     : (right ? WM_RBUTTONUP : WM_LBUTTONUP);
        PostMessageW(editorWindow(), message, held, pointParam(at.x, at.y));
        pumpMessages();
    }
    std::vector<uint8_t> capture(int32_t width, int32_t height) override
    {
        return testsupport::captureWindow(editorWindow(), width, height);
    }
    CPoint editorWindowSize() override
    {
        RECT client{};
        const HWND editor = editorWindow();
        if (!editor || !GetClientRect(editor, &client))
            return CPoint(0, 0);
        return CPoint(client.right, client.bottom);
    }
    CPoint parentSize() override
    {
        RECT outer{};
        GetWindowRect(window, &outer);
        return CPoint(outer.right - outer.left, outer.bottom - outer.top);
    }
    int childWindows() override
    {
        int count = 0;
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            ++count;
        return count;
    }
    int openHandles() override // GDI and USER objects; wine counts none, Windows does
    {
        return int(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) + GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    }
    // The native menu reads keys posted before it opens; a thread timer ends it after five
    // seconds, so a fault fails instead of hanging.
    void chooseFromMenu(CPoint at, int32_t index, const std::function<void()>& idle) override
    {
        PostMessageW(editorWindow(), WM_RBUTTONDOWN, MK_RBUTTON, pointParam(at.x, at.y));
        PostMessageW(editorWindow(), WM_RBUTTONUP, 0, pointParam(at.x, at.y));
        for (int32_t i = 0; i <= index; ++i) {
            PostMessageW(editorWindow(), WM_KEYDOWN, VK_DOWN, 1);
            PostMessageW(editorWindow(), WM_KEYUP, VK_DOWN, 0xC0000001);
        }
        PostMessageW(editorWindow(), WM_KEYDOWN, VK_RETURN, 1);
        PostMessageW(editorWindow(), WM_KEYUP, VK_RETURN, 0xC0000001);
        const UINT_PTR guard = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
        pumpMessages();
        idle();
        KillTimer(nullptr, guard);
        idle();
    }

private:
    HWND editorWindow() { return GetWindow(window, GW_CHILD); }

    HWND window;
};

} // namespace

std::unique_ptr<EditorHostWindow> makeEditorHostWindow(int32_t width, int32_t height)
{
    auto host = std::make_unique<Win32EditorHost>(width, height);
    EXPECT_NE(host->parent(), nullptr) << "no window station: wine needs its null graphics driver";
    return host->parent() ? std::move(host) : nullptr;
}

} // namespace editortest
