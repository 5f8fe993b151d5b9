#include "support/BitmapCache.h"

BitmapCache& BitmapCache::instance()
{
    static BitmapCache cache;
    return cache;
}

namespace {
// Makes the cache when the library is loaded rather than at its first use; its destruction runs
// at unload.
[[maybe_unused]] const bool initBitmapCache = (BitmapCache::instance(), true);
} // namespace
