#pragma once

#include "vstgui/CBaseObject.h"
#include "vstgui/CRect.h"
#include "vstgui/CResourceDescription.h"
#include "vstgui/IPlatformBitmap.h"
#include "vstgui/SharedPointer.h"

namespace VSTGUI {

class CDrawContext;

// A picture. Without a platform bitmap (resource missing, PNG not decodable, size refused) it
// measures 0 x 0 and draws nothing.
class CBitmap : public CBaseObject {
public:
    // Decodes the PNG resource with that number.
    CBitmap(const CResourceDescription& description);
    // A transparent bitmap of width x height pixels.
    CBitmap(CCoord width, CCoord height);
    explicit CBitmap(const SharedPointer<IPlatformBitmap>& platformBitmap);

    // Draws the part of the bitmap that starts at offset into rect, unscaled, with alpha 0..1.
    virtual void draw(CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint(0, 0),
                      float alpha = 1.f);

    CCoord getWidth() const;
    CCoord getHeight() const;
    IPlatformBitmap* getPlatformBitmap() const { return platformBitmap.get(); }

private:
    SharedPointer<IPlatformBitmap> platformBitmap;
};

} // namespace VSTGUI
