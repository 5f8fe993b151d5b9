#pragma once

#include "vstgui/CBitmap.h"
#include "vstgui/CDrawContext.h"

namespace VSTGUI {

class CFrame;

// A drawing context over a new bitmap of its own.
class COffscreenContext : public CDrawContext {
public:
    // Null when the size is not a usable bitmap size. The frame and the scale factor are accepted
    // for compatibility: the software renderer draws at one pixel per point everywhere.
    static SharedPointer<COffscreenContext> create(CFrame* frame, CCoord width, CCoord height,
                                                   double scaleFactor = 1.);

    CBitmap* getBitmap() const { return bitmap.get(); }

private:
    explicit COffscreenContext(const SharedPointer<CBitmap>& bitmap);

    SharedPointer<CBitmap> bitmap;
};

} // namespace VSTGUI
