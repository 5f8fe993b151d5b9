#include "vstgui/CBitmapPixelAccess.h"

#include "vstgui/CBitmap.h"

namespace VSTGUI {

CBitmapPixelAccess::CBitmapPixelAccess(SharedPointer<IPlatformBitmapPixelAccess> access, int32_t width,
                                       int32_t height)
    : pixelAccess(std::move(access)), width(width), height(height)
{
}

CBitmapPixelAccess* CBitmapPixelAccess::create(CBitmap* bitmap, bool alwaysAddAlpha)
{
    IPlatformBitmap* platformBitmap = bitmap ? bitmap->getPlatformBitmap() : nullptr;
    if (!platformBitmap)
        return nullptr;
    auto access = platformBitmap->lockPixels(alwaysAddAlpha);
    if (!access)
        return nullptr;
    return new CBitmapPixelAccess(std::move(access), platformBitmap->getPixelWidth(),
                                  platformBitmap->getPixelHeight());
}

} // namespace VSTGUI
