#pragma once

#include "vstgui/IPlatformTextEdit.h"

#include <cstdint>
#include <memory>

namespace VSTGUI {

class CTextEdit;

// A Win32 EDIT child window over a CTextEdit, with the keyboard focus while it is open. Return and
// Escape end the editing through the control; losing the focus is reported to the frame window
// with kFocusLostMessage, which ends it there (never inside the field's own messages).
class Win32TextEdit : public IPlatformTextEdit {
public:
    static constexpr unsigned kFocusLostMessage = 0x8000 + 0x51; // WM_APP + 0x51

    // Null when the window cannot be made.
    static std::unique_ptr<Win32TextEdit> open(void* frameWindow, CTextEdit& control);
    ~Win32TextEdit() override;
    Win32TextEdit(const Win32TextEdit&) = delete;
    Win32TextEdit& operator=(const Win32TextEdit&) = delete;

    std::string getText() const override;
    void* getWindow() const { return window; }
    // The field's window procedure in front of the EDIT class's own.
    intptr_t handleMessage(unsigned message, uintptr_t wParam, intptr_t lParam);

private:
    Win32TextEdit(CTextEdit& control, void* window, void* font);

    CTextEdit& control;
    void* window;
    void* font;
    void* classProcedure = nullptr;
};

} // namespace VSTGUI
