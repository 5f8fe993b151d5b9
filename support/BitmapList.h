#pragma once

#include "vstgui/CBitmap.h"

#include <cstdint>
#include <list>

// One named bitmap of a BitmapList.
struct BitmapEntry {
    char name[260] = {}; // at most 259 characters
    VSTGUI::CBitmap* bitmap = nullptr;
};

// Named bitmaps in the order added; names are compared ignoring case. The list holds one
// reference to each bitmap: add takes over the caller's, clear gives them back. Destroying the
// list without clear keeps the references (the bitmaps stay alive).
class BitmapList {
public:
    // The bitmap of the first entry called name, or null.
    VSTGUI::CBitmap* find(const char* name) const;
    // Whether some entry holds exactly this bitmap.
    bool contains(const VSTGUI::CBitmap* bitmap) const;
    // Appends an entry (the name cut to 259 characters) and returns the number of entries.
    int32_t add(VSTGUI::CBitmap* bitmap, const char* name);
    // Gives back every bitmap and removes every entry.
    void clear();
    size_t count() const { return entries.size(); }

private:
    std::list<BitmapEntry> entries;
};
