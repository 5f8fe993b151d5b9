#include "vstgui/COptionMenu.h"

#include "vstgui/CFrame.h"
#include "vstgui/IPlatformOptionMenu.h"

namespace VSTGUI {

COptionMenu::COptionMenu(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                         CBitmap* bgWhenClick, int32_t style)
    : CParamDisplay(size, background, style)
{
    (void)bgWhenClick; // the back end's pop-up draws the open menu
    this->listener = listener;
    this->tag = tag;
    setMax(0);
}

COptionMenu::COptionMenu(const COptionMenu& other)
    : CParamDisplay(other), currentIndex(other.currentIndex)
{
    for (const auto& item : other.items)
        items.push_back(std::make_unique<CMenuItem>(*item));
}

CMenuItem* COptionMenu::addEntry(UTF8StringPtr title, int32_t index, int32_t itemFlags)
{
    auto item = std::make_unique<CMenuItem>(title ? title : "", itemFlags);
    CMenuItem* added = item.get();
    if (index < 0 || index > getNbEntries()) {
        items.push_back(std::move(item));
    } else {
        items.insert(items.begin() + index, std::move(item));
        if (currentIndex >= index)
            ++currentIndex;
    }
    setMax(float(getNbEntries() - 1));
    return added;
}

CMenuItem* COptionMenu::addSeparator(int32_t index)
{
    return addEntry("", index, CMenuItem::kSeparator);
}

CMenuItem* COptionMenu::getEntry(int32_t index) const
{
    return index >= 0 && index < getNbEntries() ? items[size_t(index)].get() : nullptr;
}

bool COptionMenu::checkEntryAlone(int32_t index)
{
    for (int32_t i = 0; i < getNbEntries(); ++i)
        items[size_t(i)]->setChecked(i == index);
    return getEntry(index) != nullptr;
}

bool COptionMenu::popup()
{
    CFrame* frame = getFrame();
    IPlatformOptionMenu* presenter = frame && frame->getPlatformFrame() ? frame->getPlatformFrame()->getOptionMenu() : nullptr;
    if (!presenter)
        return false;
    SharedPointer<COptionMenu> keepAlive(this); // the listener may let the menu go
    beginEdit();
    const int32_t chosen = presenter->popup(*this);
    const CMenuItem* item = getEntry(chosen);
    const bool accepted = item && !item->isSeparator() && item->isEnabled();
    if (accepted) {
        currentIndex = chosen;
        if (getStyle() & kCheckStyle)
            checkEntryAlone(chosen);
        setValue(float(chosen));
        invalid();
        valueChanged();
    }
    endEdit();
    return accepted;
}

int32_t COptionMenu::getCurrentIndex(bool countSeparator) const
{
    if (!getEntry(currentIndex) || countSeparator)
        return getEntry(currentIndex) ? currentIndex : -1;
    int32_t index = 0;
    for (int32_t i = 0; i < currentIndex; ++i)
        index += items[size_t(i)]->isSeparator() ? 0 : 1;
    return index;
}

void COptionMenu::draw(CDrawContext* context)
{
    drawBack(context);
    if (const CMenuItem* item = getEntry(currentIndex))
        drawPlatformText(context, item->getTitle().c_str());
    setDirty(false);
}

} // namespace VSTGUI
