#include "vstgui/COffscreenContext.h"

namespace VSTGUI {

COffscreenContext::COffscreenContext(const SharedPointer<CBitmap>& bitmap)
    : CDrawContext(bitmap->getPlatformBitmap()), bitmap(bitmap)
{
}

SharedPointer<COffscreenContext> COffscreenContext::create(CFrame* frame, CCoord width, CCoord height,
                                                           double scaleFactor)
{
    (void)frame;
    (void)scaleFactor;
    auto bitmap = makeOwned<CBitmap>(width, height);
    if (!bitmap->getPlatformBitmap())
        return nullptr;
    return owned(new COffscreenContext(bitmap));
}

} // namespace VSTGUI
