#pragma once

#include "vstgui/CRect.h"
#include "vstgui/IPlatformBitmap.h"

#include <string>
#include <vector>

namespace VSTGUI {

class COptionMenu;

// The drawn pop-up list of an option menu, for back ends without native menus: one row per
// entry (separators thinner), a check column, the highlighted row inverted. Pixels come from the
// shared renderer, so the menu looks the same wherever it is shown.
class OptionMenuPanel {
public:
    static constexpr int32_t kRowHeight = 18;
    static constexpr int32_t kSeparatorHeight = 7;

    // Lays out menu's entries at least minWidth wide.
    OptionMenuPanel(const COptionMenu& menu, int32_t minWidth);

    int32_t getWidth() const { return width; }
    int32_t getHeight() const { return height; }
    // The entry under (x, y) in panel pixels that can be chosen; -1 outside, on a separator or
    // on a disabled entry.
    int32_t entryAt(int32_t x, int32_t y) const;
    // The rows of every entry, in panel pixels.
    CRect getEntryRect(int32_t index) const;

    int32_t getHighlight() const { return highlight; }
    // Highlights one choosable entry (anything else highlights none); true when it changed.
    bool setHighlight(int32_t index);

    // The panel's pixels as they stand; null when the panel is too big for a bitmap.
    SharedPointer<IPlatformBitmap> paint() const;

private:
    struct Row {
        std::string title;
        int32_t top;
        int32_t bottom;
        bool separator;
        bool enabled;
        bool checked;
    };

    std::vector<Row> rows;
    int32_t width = 0;
    int32_t height = 0;
    int32_t highlight = -1;
};

} // namespace VSTGUI
