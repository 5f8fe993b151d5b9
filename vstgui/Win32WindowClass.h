#pragma once

namespace VSTGUI {

// A window class of this module: registered by the constructor, unregistered by the destructor.
// The frame's class is one static object, so it is registered once, at first use, and
// unregistered when the module unloads.
class Win32WindowClass {
public:
    // procedure is the class's WNDPROC.
    Win32WindowClass(const wchar_t* name, void* procedure);
    ~Win32WindowClass();
    Win32WindowClass(const Win32WindowClass&) = delete;
    Win32WindowClass& operator=(const Win32WindowClass&) = delete;

    bool isRegistered() const { return atom != 0; }
    const wchar_t* getName() const { return name; }
    // The HINSTANCE of the module that holds this code (the plug-in DLL, or a test program).
    static void* moduleInstance();

private:
    const wchar_t* name;
    unsigned short atom = 0;
};

} // namespace VSTGUI
