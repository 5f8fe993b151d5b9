#pragma once

#include "vstgui/CMenuItem.h"
#include "vstgui/CParamDisplay.h"

#include <memory>
#include <vector>

namespace VSTGUI {

// A list of entries that pops up for the user to choose one. Positions count separators.
class COptionMenu : public CParamDisplay {
public:
    // With kCheckStyle the chosen entry becomes the only checked one.
    static constexpr int32_t kCheckStyle = 1 << 10;

    COptionMenu(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background = nullptr,
                CBitmap* bgWhenClick = nullptr, int32_t style = 0);
    COptionMenu(const COptionMenu& other);

    // Inserts at index, or appends for a negative or too large index.
    CMenuItem* addEntry(UTF8StringPtr title, int32_t index = -1, int32_t itemFlags = CMenuItem::kNoFlags);
    CMenuItem* addSeparator(int32_t index = -1);
    int32_t getNbEntries() const { return int32_t(items.size()); }
    CMenuItem* getEntry(int32_t index) const;
    // Checks the entry at index and unchecks every other; false for an index outside the menu.
    bool checkEntryAlone(int32_t index);

    // Shows the menu through the frame's back end and returns once the user chose or dismissed
    // it. A choice becomes the current entry and the value, and is reported; true then. The menu
    // must be in an open frame.
    bool popup();
    // The current entry's position (with or without counting separators), -1 before any choice.
    int32_t getCurrentIndex(bool countSeparator = false) const;

    void draw(CDrawContext* context) override;
    CView* newCopy() const override { return new COptionMenu(*this); }

private:
    std::vector<std::unique_ptr<CMenuItem>> items;
    int32_t currentIndex = -1;
};

} // namespace VSTGUI
