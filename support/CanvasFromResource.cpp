#include "support/CanvasFromResource.h"

#include "support/RasterCanvas.h"

bool createCanvasFromResource(const ResourceRef* ref, RasterCanvas** out)
{
    VSTGUI::CBitmap* bitmap = nullptr;
    if (!out || !loadResourceBitmap(ref, &bitmap))
        return false;
    *out = new RasterCanvas(bitmap, 1, 1);
    releaseBitmap(&bitmap);
    return true;
}
