#pragma once

#include "vstgui/CBaseObject.h"

#include <string>

namespace VSTGUI {

enum CTxtFace : int32_t {
    kNormalFace = 0,
};

// A font by name, size (pixels per em) and style. Every name draws with the embedded face that
// stands in for "Arial".
class CFontDesc : public CBaseObject {
public:
    CFontDesc(UTF8StringPtr name = "", const CCoord& size = 0, int32_t style = kNormalFace);

    UTF8StringPtr getName() const { return name.c_str(); }
    CCoord getSize() const { return size; }
    void setSize(CCoord newSize) { size = newSize; }
    int32_t getStyle() const { return style; }

private:
    std::string name;
    CCoord size;
    int32_t style;
};

using CFontRef = CFontDesc*;

// The shared fonts. Process-wide by design: setting the system font's size affects every user.
extern const CFontRef kSystemFont;      // "Arial", 12
extern const CFontRef kNormalFontSmall; // "Arial", 11

} // namespace VSTGUI
