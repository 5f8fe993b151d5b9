#include "vstgui/Win32OptionMenu.h"

#include "vstgui/CFrame.h"
#include "vstgui/COptionMenu.h"
#include "vstgui/Win32PlatformFrame.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace VSTGUI {

namespace {

std::wstring toWide(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size_t(std::max(length, 0)), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

int toPixel(CCoord value)
{
    return std::isfinite(value) ? int(std::clamp<CCoord>(value, -32768, 32767)) : 0;
}

} // namespace

int32_t Win32OptionMenu::popup(COptionMenu& menu)
{
    HWND window = static_cast<HWND>(owner.getWindow());
    if (!window || menu.getNbEntries() == 0)
        return -1;
    HMENU popupMenu = CreatePopupMenu();
    if (!popupMenu)
        return -1;
    // Command ids are positions + 1: TrackPopupMenu reports a dismissal as 0.
    for (int32_t i = 0; i < menu.getNbEntries(); ++i) {
        const CMenuItem* item = menu.getEntry(i);
        if (item->isSeparator()) {
            AppendMenuW(popupMenu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const UINT flags = MF_STRING | (item->isEnabled() ? 0 : MF_GRAYED) | (item->isChecked() ? MF_CHECKED : 0);
        AppendMenuW(popupMenu, flags, UINT_PTR(i + 1), toWide(item->getTitle()).c_str());
    }
    const CRect area = menu.getRectInFrame();
    POINT corner{toPixel(area.left), toPixel(area.top)};
    ClientToScreen(window, &corner);
    const int chosen = int(TrackPopupMenu(popupMenu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON,
                                          corner.x, corner.y, 0, window, nullptr));
    DestroyMenu(popupMenu);
    return chosen > 0 && chosen <= menu.getNbEntries() ? chosen - 1 : -1;
}

} // namespace VSTGUI
