#include "vstgui/Win32PlatformFrame.h"

#include "vstgui/CFrame.h"
#include "vstgui/Win32TextEdit.h"
#include "vstgui/Win32WindowClass.h"

#include <windows.h>

#include <algorithm>
#include <cmath>

namespace VSTGUI {

namespace {

LRESULT CALLBACK frameWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

const Win32WindowClass& frameWindowClass()
{
    static const Win32WindowClass windowClass(Win32PlatformFrame::kWindowClassName,
                                              reinterpret_cast<void*>(&frameWindowProcedure));
    return windowClass;
}

int32_t modifiersOf(WPARAM keys)
{
    int32_t buttons = 0;
    if (keys & MK_SHIFT)
        buttons |= kShift;
    if (keys & MK_CONTROL)
        buttons |= kControl;
    if (GetKeyState(VK_MENU) < 0)
        buttons |= kAlt;
    return buttons;
}

int32_t heldButtonsOf(WPARAM keys)
{
    int32_t buttons = 0;
    if (keys & MK_LBUTTON)
        buttons |= kLButton;
    if (keys & MK_MBUTTON)
        buttons |= kMButton;
    if (keys & MK_RBUTTON)
        buttons |= kRButton;
    if (keys & MK_XBUTTON1)
        buttons |= kButton4;
    if (keys & MK_XBUTTON2)
        buttons |= kButton5;
    return buttons;
}

CPoint pointOf(LPARAM lParam)
{
    // Signed: a captured drag reports positions left of and above the window.
    return CPoint(int16_t(LOWORD(lParam)), int16_t(HIWORD(lParam)));
}

LRESULT CALLBACK frameWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* backEnd = reinterpret_cast<Win32PlatformFrame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!backEnd)
        return DefWindowProcW(window, message, wParam, lParam);
    return backEnd->handleMessage(message, wParam, lParam);
}

} // namespace

std::unique_ptr<Win32PlatformFrame> Win32PlatformFrame::open(CFrame& frame, void* parentWindow)
{
    const Win32WindowClass& windowClass = frameWindowClass();
    if (!windowClass.isRegistered() || !parentWindow || !IsWindow(static_cast<HWND>(parentWindow)))
        return nullptr;
    const int width = int(std::clamp<CCoord>(frame.getWidth(), 1, 32767));
    const int height = int(std::clamp<CCoord>(frame.getHeight(), 1, 32767));
    HWND window = CreateWindowExW(0, windowClass.getName(), L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
                                  width, height, static_cast<HWND>(parentWindow), nullptr,
                                  static_cast<HINSTANCE>(Win32WindowClass::moduleInstance()), nullptr);
    if (!window)
        return nullptr;
    std::unique_ptr<Win32PlatformFrame> backEnd(new Win32PlatformFrame(frame, window));
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(backEnd.get()));
    return backEnd;
}

Win32PlatformFrame::Win32PlatformFrame(CFrame& frame, void* window)
    : frame(frame), window(window), optionMenu(*this)
{
}

Win32PlatformFrame::~Win32PlatformFrame()
{
    if (!window)
        return;
    HWND hwnd = static_cast<HWND>(window);
    // The window may outlive this object by a few messages while it is destroyed.
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    if (capturing && GetCapture() == hwnd)
        ReleaseCapture();
    DestroyWindow(hwnd);
}

void Win32PlatformFrame::drawArea(void* deviceContext, const IPlatformBitmap& pixels, const CRect& area) const
{
    const int32_t left = int32_t(std::max<CCoord>(area.left, 0));
    const int32_t top = int32_t(std::max<CCoord>(area.top, 0));
    const int32_t right = int32_t(std::min<CCoord>(area.right, pixels.getPixelWidth()));
    const int32_t bottom = int32_t(std::min<CCoord>(area.bottom, pixels.getPixelHeight()));
    if (right <= left || bottom <= top)
        return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = pixels.getPixelWidth();
    info.bmiHeader.biHeight = -pixels.getPixelHeight(); // rows from the top, as the buffer holds them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32; // blue, green, red, unused: the premultiplied colour over black
    info.bmiHeader.biCompression = BI_RGB;
    // The whole image, clipped to the area: a source rectangle of a top-down image is read from
    // its bottom by some implementations and from its top by others.
    HDC dc = static_cast<HDC>(deviceContext);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, left, top, right, bottom);
    StretchDIBits(dc, 0, 0, pixels.getPixelWidth(), pixels.getPixelHeight(), 0, 0, pixels.getPixelWidth(),
                  pixels.getPixelHeight(), pixels.getPixels(), &info, DIB_RGB_COLORS, SRCCOPY);
    RestoreDC(dc, saved);
}

void Win32PlatformFrame::present(const IPlatformBitmap& pixels, const CRect& area)
{
    if (!window)
        return;
    HWND hwnd = static_cast<HWND>(window);
    if (HDC deviceContext = GetDC(hwnd)) {
        drawArea(deviceContext, pixels, area);
        ReleaseDC(hwnd, deviceContext);
    }
}

void Win32PlatformFrame::setSize(const CRect& size)
{
    if (!window)
        return;
    SetWindowPos(static_cast<HWND>(window), nullptr, 0, 0, int(std::clamp<CCoord>(size.getWidth(), 1, 32767)),
                 int(std::clamp<CCoord>(size.getHeight(), 1, 32767)), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CPoint Win32PlatformFrame::getCurrentMousePosition() const
{
    POINT where{};
    if (!window || !GetCursorPos(&where) || !ScreenToClient(static_cast<HWND>(window), &where))
        return CPoint();
    return CPoint(where.x, where.y);
}

CButtonState Win32PlatformFrame::getCurrentMouseButtons() const
{
    int32_t buttons = 0;
    if (GetKeyState(VK_LBUTTON) < 0)
        buttons |= kLButton;
    if (GetKeyState(VK_MBUTTON) < 0)
        buttons |= kMButton;
    if (GetKeyState(VK_RBUTTON) < 0)
        buttons |= kRButton;
    if (GetKeyState(VK_SHIFT) < 0)
        buttons |= kShift;
    if (GetKeyState(VK_CONTROL) < 0)
        buttons |= kControl;
    if (GetKeyState(VK_MENU) < 0)
        buttons |= kAlt;
    return CButtonState(buttons);
}

std::unique_ptr<IPlatformTextEdit> Win32PlatformFrame::createTextEdit(CTextEdit& control)
{
    if (!window)
        return nullptr;
    auto field = Win32TextEdit::open(window, control);
    textEditWindow = field ? field->getWindow() : nullptr;
    return field;
}

intptr_t Win32PlatformFrame::handleMessage(unsigned message, uintptr_t wParam, intptr_t lParam)
{
    HWND hwnd = static_cast<HWND>(window);
    // A handler may close the frame; this object then lives until the scope ends.
    CFrame::EventScope scope(frame);
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the frame paints every pixel
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        if (HDC deviceContext = BeginPaint(hwnd, &paint)) {
            if (const IPlatformBitmap* pixels = frame.getBackBuffer())
                drawArea(deviceContext, *pixels,
                         CRect(paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right, paint.rcPaint.bottom));
            EndPaint(hwnd, &paint);
        }
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_XBUTTONDOWN: {
        const int32_t button = message == WM_LBUTTONDOWN   ? kLButton
                               : message == WM_MBUTTONDOWN ? kMButton
                               : message == WM_RBUTTONDOWN ? kRButton
                               : HIWORD(wParam) == XBUTTON1 ? kButton4
                                                            : kButton5;
        if (!capturing) {
            SetCapture(hwnd);
            capturing = true;
        }
        CPoint where = pointOf(lParam);
        frame.onMouseDown(where, CButtonState(button | modifiersOf(LOWORD(wParam))));
        return message == WM_XBUTTONDOWN ? TRUE : 0;
    }
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
    case WM_RBUTTONUP:
    case WM_XBUTTONUP: {
        const int32_t button = message == WM_LBUTTONUP   ? kLButton
                               : message == WM_MBUTTONUP ? kMButton
                               : message == WM_RBUTTONUP ? kRButton
                               : HIWORD(wParam) == XBUTTON1 ? kButton4
                                                            : kButton5;
        CPoint where = pointOf(lParam);
        const bool lastButton = heldButtonsOf(LOWORD(wParam)) == 0;
        frame.onMouseUp(where, CButtonState(button | modifiersOf(LOWORD(wParam))));
        if (lastButton && capturing && frame.isOpen()) {
            capturing = false;
            ReleaseCapture();
        }
        return message == WM_XBUTTONUP ? TRUE : 0;
    }
    case WM_MOUSEMOVE: {
        CPoint where = pointOf(lParam);
        frame.onMouseMoved(where, CButtonState(heldButtonsOf(LOWORD(wParam)) | modifiersOf(LOWORD(wParam))));
        return 0;
    }
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: {
        POINT screen{int16_t(LOWORD(lParam)), int16_t(HIWORD(lParam))}; // wheel positions are on the screen
        ScreenToClient(hwnd, &screen);
        const float steps = float(int16_t(HIWORD(wParam))) / float(WHEEL_DELTA);
        // Up and left count positive, as on the other systems.
        const bool vertical = message == WM_MOUSEWHEEL;
        frame.onWheel(CPoint(screen.x, screen.y), vertical ? kMouseWheelAxisY : kMouseWheelAxisX,
                      vertical ? steps : -steps, CButtonState(modifiersOf(LOWORD(wParam))));
        return 0;
    }
    case Win32TextEdit::kFocusLostMessage:
        // The field told us it lost the keyboard; unless it is gone already or has it back, the
        // editing ends (committing the text).
        if (textEditWindow && reinterpret_cast<HWND>(lParam) == textEditWindow &&
            IsWindow(static_cast<HWND>(textEditWindow)) && GetFocus() != textEditWindow) {
            textEditWindow = nullptr;
            frame.setFocusView(nullptr);
        }
        return 0;
    case WM_CAPTURECHANGED:
        // Another window took the mouse in mid-drag: the drag ends here rather than never.
        if (capturing && reinterpret_cast<HWND>(lParam) != hwnd) {
            capturing = false;
            frame.onMouseCancel();
        }
        return 0;
    case WM_NCDESTROY:
        // The host destroyed its window, and this one with it, before closing the frame.
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        window = nullptr;
        capturing = false;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

} // namespace VSTGUI
