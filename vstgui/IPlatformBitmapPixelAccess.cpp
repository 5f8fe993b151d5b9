#include "vstgui/IPlatformBitmapPixelAccess.h"

#include "vstgui/IPlatformBitmap.h"

namespace VSTGUI {

IPlatformBitmapPixelAccess::IPlatformBitmapPixelAccess(IPlatformBitmap& bitmap) : bitmap(&bitmap) {}

// The holder may have written pixels through the address until now.
IPlatformBitmapPixelAccess::~IPlatformBitmapPixelAccess()
{
    bitmap->pixelsChanged();
}

uint8_t* IPlatformBitmapPixelAccess::getAddress() const
{
    return bitmap->getPixels();
}

int32_t IPlatformBitmapPixelAccess::getBytesPerRow() const
{
    return bitmap->getBytesPerRow();
}

} // namespace VSTGUI
