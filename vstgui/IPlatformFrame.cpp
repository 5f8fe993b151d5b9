#include "vstgui/IPlatformFrame.h"

#include "vstgui/OffscreenPlatformFrame.h"

namespace VSTGUI {

// Window back ends join here; until then every frame paints offscreen.
std::unique_ptr<IPlatformFrame> IPlatformFrame::create(CFrame& frame, void* parent, PlatformType type)
{
    (void)parent;
    (void)type;
    return std::make_unique<OffscreenPlatformFrame>(frame);
}

} // namespace VSTGUI
