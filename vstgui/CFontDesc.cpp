#include "vstgui/CFontDesc.h"

namespace VSTGUI {

CFontDesc::CFontDesc(UTF8StringPtr name, const CCoord& size, int32_t style)
    : name(name ? name : ""), size(size), style(style)
{
}

namespace {
// Static objects: the reference they are born with is never returned.
CFontDesc systemFont("Arial", 12);
CFontDesc normalFontSmall("Arial", 11);
} // namespace

const CFontRef kSystemFont = &systemFont;
const CFontRef kNormalFontSmall = &normalFontSmall;

} // namespace VSTGUI
