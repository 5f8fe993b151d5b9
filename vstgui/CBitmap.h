#pragma once

#include "vstgui/CBaseObject.h"
#include "vstgui/CRect.h"
#include "vstgui/CResourceDescription.h"
#include "vstgui/IPlatformBitmap.h"
#include "vstgui/SharedPointer.h"

#include <span>

namespace VSTGUI {

class CDrawContext;

// A picture. Without a platform bitmap (resource missing, PNG not decodable, size refused) it
// measures 0 x 0 and draws nothing.
class CBitmap : public CBaseObject {
public:
    // The PNG resource with that number, decoded when its pixels are first needed (until then
    // it measures what its header declares).
    CBitmap(const CResourceDescription& description);
    // A transparent bitmap of width x height pixels.
    CBitmap(CCoord width, CCoord height);
    explicit CBitmap(const SharedPointer<IPlatformBitmap>& platformBitmap);

    // Draws the part of the bitmap that starts at offset into rect, unscaled, with alpha 0..1.
    virtual void draw(CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint(0, 0),
                      float alpha = 1.f);

    CCoord getWidth() const;
    CCoord getHeight() const;
    // Decodes a resource's pixels on the first call.
    IPlatformBitmap* getPlatformBitmap() const;
    // Whether the bitmap has pixels, or a resource whose header promises a usable picture.
    bool isLoadable() const;

private:
    mutable SharedPointer<IPlatformBitmap> platformBitmap;
    // A resource not decoded yet, and the size its header declares.
    mutable std::span<const uint8_t> undecodedPng;
    CPoint declaredSize;
};

} // namespace VSTGUI
