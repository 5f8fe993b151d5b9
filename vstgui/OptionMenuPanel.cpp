#include "vstgui/OptionMenuPanel.h"

#include "vstgui/CDrawContext.h"
#include "vstgui/COptionMenu.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

namespace {

constexpr int32_t kCheckColumn = 18;
constexpr int32_t kRightPadding = 12;
constexpr int32_t kMaxWidth = 4096;
// Fixed, so that the rows fit whatever size an editor gives the shared system font.
constexpr CCoord kFontSize = 12;

const CColor kPanelColour(240, 240, 240, 255);
const CColor kBorderColour(100, 100, 100, 255);
const CColor kTextColour(0, 0, 0, 255);
const CColor kDisabledTextColour(150, 150, 150, 255);
const CColor kHighlightColour(50, 100, 200, 255);
const CColor kHighlightTextColour(255, 255, 255, 255);

} // namespace

OptionMenuPanel::OptionMenuPanel(const COptionMenu& menu, int32_t minWidth)
{
    auto measure = makeOwned<CDrawContext>(nullptr);
    measure->setFont(kSystemFont, kFontSize);
    int32_t textWidth = 0;
    int32_t top = 1;
    for (int32_t i = 0; i < menu.getNbEntries(); ++i) {
        const CMenuItem* item = menu.getEntry(i);
        const bool separator = item->isSeparator();
        const int32_t rowHeight = separator ? kSeparatorHeight : kRowHeight;
        rows.push_back(Row{item->getTitle(), top, top + rowHeight, separator, item->isEnabled() && !separator,
                           item->isChecked()});
        if (!separator) {
            const CCoord measured = measure->getStringWidth(item->getTitle().c_str());
            if (std::isfinite(measured))
                textWidth = std::max(textWidth, int32_t(std::min<CCoord>(std::ceil(measured), kMaxWidth)));
        }
        top += rowHeight;
    }
    width = std::clamp(std::max(minWidth, kCheckColumn + textWidth + kRightPadding), 1, kMaxWidth);
    height = top + 1;
}

int32_t OptionMenuPanel::entryAt(int32_t x, int32_t y) const
{
    if (x < 0 || x >= width)
        return -1;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (y >= rows[i].top && y < rows[i].bottom)
            return rows[i].enabled ? int32_t(i) : -1;
    }
    return -1;
}

CRect OptionMenuPanel::getEntryRect(int32_t index) const
{
    if (index < 0 || size_t(index) >= rows.size())
        return CRect();
    const Row& row = rows[size_t(index)];
    return CRect(1, row.top, width - 1, row.bottom);
}

bool OptionMenuPanel::setHighlight(int32_t index)
{
    const bool choosable = index >= 0 && size_t(index) < rows.size() && rows[size_t(index)].enabled;
    const int32_t next = choosable ? index : -1;
    if (next == highlight)
        return false;
    highlight = next;
    return true;
}

SharedPointer<IPlatformBitmap> OptionMenuPanel::paint() const
{
    CPoint size(width, height);
    auto pixels = IPlatformBitmap::create(&size);
    if (!pixels)
        return nullptr;
    auto context = makeOwned<CDrawContext>(pixels.get());
    context->setFillColor(kPanelColour);
    context->setFrameColor(kBorderColour);
    context->drawRect(CRect(0, 0, width, height), kDrawFilledAndStroked);
    context->setFont(kSystemFont, kFontSize);
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        const CRect area = getEntryRect(int32_t(i));
        if (row.separator) {
            context->setFillColor(kBorderColour);
            const CCoord middle = (row.top + row.bottom) / 2;
            context->drawRect(CRect(4, middle, width - 4, middle + 1), kDrawFilled);
            continue;
        }
        const bool highlighted = int32_t(i) == highlight;
        if (highlighted) {
            context->setFillColor(kHighlightColour);
            context->drawRect(area, kDrawFilled);
        }
        const CColor text = highlighted ? kHighlightTextColour : row.enabled ? kTextColour : kDisabledTextColour;
        if (row.checked) {
            context->setFillColor(text);
            const CCoord middle = (row.top + row.bottom) / 2;
            context->drawRect(CRect(6, middle - 3, 12, middle + 3), kDrawFilled);
        }
        context->setFontColor(text);
        context->drawString(row.title.c_str(), CRect(kCheckColumn, row.top, width - 4, row.bottom), kLeftText);
    }
    return pixels;
}

} // namespace VSTGUI
