#include "vstgui/IPlatformFrame.h"

#include "vstgui/IPlatformTextEdit.h"
#include "vstgui/OffscreenPlatformFrame.h"

#ifdef _WIN32
#include "vstgui/Win32PlatformFrame.h"
#else
#include "vstgui/X11PlatformFrame.h"
#endif

#include <cstdint>

namespace VSTGUI {

std::unique_ptr<IPlatformFrame> IPlatformFrame::create(CFrame& frame, void* parent, PlatformType type)
{
    if (type == PlatformType::kOffscreen || !parent)
        return std::make_unique<OffscreenPlatformFrame>(frame);
#ifdef _WIN32
    return Win32PlatformFrame::open(frame, parent);
#else
    // A VST 2.4 host on Linux passes the X11 window id in the pointer.
    return X11PlatformFrame::open(frame, static_cast<unsigned long>(reinterpret_cast<uintptr_t>(parent)));
#endif
}

std::unique_ptr<IPlatformTextEdit> IPlatformFrame::createTextEdit(CTextEdit&)
{
    return nullptr;
}

} // namespace VSTGUI
