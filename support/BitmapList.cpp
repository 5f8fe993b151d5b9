#include "support/BitmapList.h"

#include "platform/Strings.h"

#include <algorithm>
#include <cstring>

VSTGUI::CBitmap* BitmapList::find(const char* name) const
{
    if (!name)
        return nullptr;
    const auto found = std::find_if(entries.begin(), entries.end(), [name](const BitmapEntry& entry) {
        return platform::_stricmp(entry.name, name) == 0;
    });
    return found == entries.end() ? nullptr : found->bitmap;
}

bool BitmapList::contains(const VSTGUI::CBitmap* bitmap) const
{
    return std::any_of(entries.begin(), entries.end(),
                       [bitmap](const BitmapEntry& entry) { return entry.bitmap == bitmap; });
}

int32_t BitmapList::add(VSTGUI::CBitmap* bitmap, const char* name)
{
    BitmapEntry& entry = entries.emplace_back();
    entry.bitmap = bitmap;
    if (name)
        std::strncpy(entry.name, name, sizeof entry.name - 1);
    return int32_t(entries.size());
}

void BitmapList::clear()
{
    for (BitmapEntry& entry : entries) {
        if (entry.bitmap)
            entry.bitmap->forget();
        entry.bitmap = nullptr;
        std::memset(entry.name, 0, sizeof entry.name);
    }
    entries.clear();
}
