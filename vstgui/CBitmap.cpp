#include "vstgui/CBitmap.h"

#include "vstgui/CDrawContext.h"
#include "vstgui/PngCodec.h"

namespace VSTGUI {

CBitmap::CBitmap(const CResourceDescription& description)
{
    const std::span<const uint8_t> png = description.getData();
    int32_t width = 0;
    int32_t height = 0;
    if (PngCodec::readSize(png.data(), png.size(), width, height)) {
        undecodedPng = png;
        declaredSize = CPoint(width, height);
    }
}

IPlatformBitmap* CBitmap::getPlatformBitmap() const
{
    if (!undecodedPng.empty()) {
        platformBitmap = IPlatformBitmap::createShared(undecodedPng);
        undecodedPng = {};
    }
    return platformBitmap.get();
}

bool CBitmap::isLoadable() const
{
    return platformBitmap || !undecodedPng.empty();
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
    return !undecodedPng.empty() ? declaredSize.x : platformBitmap ? platformBitmap->getSize().x : 0;
}

CCoord CBitmap::getHeight() const
{
    return !undecodedPng.empty() ? declaredSize.y : platformBitmap ? platformBitmap->getSize().y : 0;
}

} // namespace VSTGUI
