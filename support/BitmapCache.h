#pragma once

#include "support/BitmapList.h"

// The process-wide list that the resource loader shares bitmaps through when enabled. It is made
// when the library is loaded and destroyed when it is unloaded; nothing in the plug-in enables
// it. Used from the user-interface thread only.
struct BitmapCache {
    bool enabled = false;
    BitmapList list;

    static BitmapCache& instance();
};
