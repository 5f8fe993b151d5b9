#pragma once

#include "support/PathUtilities.h"
#include "vstgui/CBitmap.h"

#include <cstdint>

// Names a bitmap to load: one of the library's PNG resources by number, or an image file by path.
struct ResourceRef {
    int32_t id = 0; // used when byName is false; never negative
    bool byName = false;
    char name[kPathSize] = {}; // the file's path; also the key in the cache
};

// Makes a bitmap from ref into target, giving back what target held before (unless the cache
// holds it). On failure target is unchanged, and the first failure of the process is reported in
// a message box. A null ref or target fails without a message.
bool loadResourceBitmap(const ResourceRef* ref, VSTGUI::CBitmap** target);
inline constexpr size_t kResourceErrorSize = 256;
// The loader's failure message for ref; a file title too long for it is cut.
void formatResourceError(const ResourceRef& ref, char (&text)[kResourceErrorSize]);
// Gives a bitmap back (unless the enabled cache holds it) and sets the pointer to null.
void releaseBitmap(VSTGUI::CBitmap** bitmap);
// An error message box with no owner window and the caption "Error".
void showErrorMessage(const char* text);
