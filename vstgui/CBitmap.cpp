#include "vstgui/CBitmap.h"

#include "vstgui/CDrawContext.h"

namespace VSTGUI {

CBitmap::CBitmap(const CResourceDescription& description)
{
    platformBitmap = IPlatformBitmap::createShared(description.getData());
}

CBitmap::CBitmap(CCoord width, CCoord height)
{
    CPoint size(width, height);
    platformBitmap = IPlatformBitmap::create(&size);
}

CBitmap::CBitmap(const SharedPointer<IPlatformBitmap>& platformBitmap) : platformBitmap(platformBitmap) {}

void CBitmap::draw(CDrawContext* context, const CRect& rect, const CPoint& offset, float alpha)
{
    if (context)
        context->drawBitmap(this, rect, offset, alpha);
}

CCoord CBitmap::getWidth() const
{
    return platformBitmap ? platformBitmap->getSize().x : 0;
}

CCoord CBitmap::getHeight() const
{
    return platformBitmap ? platformBitmap->getSize().y : 0;
}

} // namespace VSTGUI
