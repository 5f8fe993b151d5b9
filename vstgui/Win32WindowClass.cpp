#include "vstgui/Win32WindowClass.h"

#include <windows.h>

namespace VSTGUI {

Win32WindowClass::Win32WindowClass(const wchar_t* name, void* procedure) : name(name)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = reinterpret_cast<WNDPROC>(procedure);
    windowClass.hInstance = static_cast<HINSTANCE>(moduleInstance());
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = name;
    atom = RegisterClassExW(&windowClass);
}

Win32WindowClass::~Win32WindowClass()
{
    if (atom)
        UnregisterClassW(name, static_cast<HINSTANCE>(moduleInstance()));
}

void* Win32WindowClass::moduleInstance()
{
    // The module that holds this function, whichever module loaded it: a class registered with
    // another module's handle would outlive the plug-in's unload.
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&Win32WindowClass::moduleInstance), &module);
    return module;
}

} // namespace VSTGUI
