#pragma once

#include "vstgui/IPlatformBitmap.h"

struct _XDisplay;
struct _XGC;

namespace VSTGUI {

// Puts areas of a bitmap onto an X drawable. The premultiplied channels are the colour over
// black, which is what an opaque window shows. A 24-bit true-colour visual with the usual masks
// (every X server in use) takes the pixels as they are; other visuals get them converted.
class X11ImageWriter {
public:
    // visual is the drawable's Visual*.
    X11ImageWriter(_XDisplay* display, void* visual, int depth);

    // Copies the area (source pixels, clipped to the bitmap) to (x, y) of the drawable.
    void put(unsigned long drawable, _XGC* gc, const IPlatformBitmap& pixels, int32_t left, int32_t top,
             int32_t width, int32_t height, int32_t x, int32_t y) const;

private:
    void putConverted(unsigned long drawable, _XGC* gc, const IPlatformBitmap& pixels, int32_t left,
                      int32_t top, int32_t width, int32_t height, int32_t x, int32_t y) const;

    _XDisplay* display;
    void* visual;
    int depth;
    bool directPixels;
};

} // namespace VSTGUI
