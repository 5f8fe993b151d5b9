#include "vstgui/Win32TextEdit.h"

#include "vstgui/CTextEdit.h"
#include "vstgui/CViewContainer.h"
#include "vstgui/Win32WindowClass.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace VSTGUI {

namespace {

static_assert(Win32TextEdit::kFocusLostMessage == WM_APP + 0x51);

std::wstring toWide(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size_t(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

std::string toUtf8(const std::wstring& wide)
{
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(size_t(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), text.data(), length, nullptr, nullptr);
    return text;
}

LRESULT CALLBACK fieldProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* field = reinterpret_cast<Win32TextEdit*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!field)
        return DefWindowProcW(window, message, wParam, lParam);
    return field->handleMessage(message, wParam, lParam);
}

} // namespace

std::unique_ptr<Win32TextEdit> Win32TextEdit::open(void* frameWindow, CTextEdit& control)
{
    const CRect rect = control.getRectInFrame();
    HWND parent = static_cast<HWND>(frameWindow);
    HWND window = CreateWindowExW(0, L"EDIT", toWide(control.getText()).c_str(),
                                  WS_CHILD | WS_VISIBLE | ES_LEFT | ES_AUTOHSCROLL, int(rect.left), int(rect.top),
                                  int(std::max<CCoord>(rect.getWidth(), 1)), int(std::max<CCoord>(rect.getHeight(), 1)),
                                  parent, nullptr, static_cast<HINSTANCE>(Win32WindowClass::moduleInstance()), nullptr);
    if (!window)
        return nullptr;
    const int pointSize = control.getFont() ? int(std::lround(control.getFont()->getSize())) : 12;
    HFONT font = CreateFontW(-pointSize, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial");
    if (font)
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    std::unique_ptr<Win32TextEdit> field(new Win32TextEdit(control, window, font));
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(field.get()));
    field->classProcedure =
        reinterpret_cast<void*>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&fieldProcedure)));
    const LRESULT length = GetWindowTextLengthW(window);
    SendMessageW(window, EM_SETSEL, WPARAM(length), LPARAM(length));
    SetFocus(window);
    return field;
}

Win32TextEdit::Win32TextEdit(CTextEdit& control, void* window, void* font) : control(control), window(window), font(font)
{
}

Win32TextEdit::~Win32TextEdit()
{
    HWND hwnd = static_cast<HWND>(window);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    if (classProcedure)
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(classProcedure));
    DestroyWindow(hwnd);
    if (font)
        DeleteObject(static_cast<HFONT>(font));
}

std::string Win32TextEdit::getText() const
{
    HWND hwnd = static_cast<HWND>(window);
    std::wstring wide(size_t(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    wide.resize(size_t(GetWindowTextW(hwnd, wide.data(), int(wide.size()))));
    return toUtf8(wide);
}

intptr_t Win32TextEdit::handleMessage(unsigned message, uintptr_t wParam, intptr_t lParam)
{
    HWND hwnd = static_cast<HWND>(window);
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
            // Ending the editing destroys this object and the window: nothing of either is used
            // afterwards.
            SharedPointer<CTextEdit> keep(&control);
            control.finishEditing(wParam == VK_RETURN);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == '\r' || wParam == 27)
            return 0; // already handled as keys; the class would beep
        break;
    case WM_KILLFOCUS:
        PostMessageW(GetParent(hwnd), kFocusLostMessage, 0, reinterpret_cast<LPARAM>(hwnd));
        break;
    default:
        break;
    }
    return CallWindowProcW(reinterpret_cast<WNDPROC>(classProcedure), hwnd, message, wParam, lParam);
}

} // namespace VSTGUI
