#include "vstgui/X11ImageWriter.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <bit>
#include <cstdlib>

namespace VSTGUI {

namespace {

// The colour channel c (0..255) placed under mask, scaled to the mask's width.
unsigned long channel(unsigned c, unsigned long mask)
{
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    const unsigned long value = bits >= 8 ? (unsigned long)c << (bits - 8) : c >> (8 - bits);
    return (value << shift) & mask;
}

} // namespace

X11ImageWriter::X11ImageWriter(Display* display, void* visual, int depth)
    : display(display), visual(visual), depth(depth), directPixels(false)
{
    const Visual* v = static_cast<Visual*>(visual);
    directPixels = (depth == 24 || depth == 32) && v->c_class == TrueColor && v->red_mask == 0xff0000 &&
                   v->green_mask == 0xff00 && v->blue_mask == 0xff;
}

void X11ImageWriter::put(unsigned long drawable, GC gc, const IPlatformBitmap& pixels, int32_t left, int32_t top,
                         int32_t width, int32_t height, int32_t x, int32_t y) const
{
    const int32_t right = std::min(left + width, pixels.getPixelWidth());
    const int32_t bottom = std::min(top + height, pixels.getPixelHeight());
    if (left < 0 || top < 0 || right <= left || bottom <= top)
        return;
    if (!directPixels) {
        putConverted(drawable, gc, pixels, left, top, right - left, bottom - top, x, y);
        return;
    }
    // The image only borrows the bitmap's rows; it never owns or writes them.
    XImage* image = XCreateImage(display, static_cast<Visual*>(visual), unsigned(depth), ZPixmap, 0,
                                 reinterpret_cast<char*>(const_cast<uint8_t*>(pixels.getPixels())),
                                 unsigned(pixels.getPixelWidth()), unsigned(pixels.getPixelHeight()), 32,
                                 pixels.getBytesPerRow());
    if (!image)
        return;
    image->byte_order = LSBFirst; // the bytes are blue, green, red, alpha whatever the server's order
    XPutImage(display, drawable, gc, image, left, top, x, y, unsigned(right - left), unsigned(bottom - top));
    image->data = nullptr;
    XDestroyImage(image);
}

void X11ImageWriter::putConverted(unsigned long drawable, GC gc, const IPlatformBitmap& pixels, int32_t left,
                                  int32_t top, int32_t width, int32_t height, int32_t x, int32_t y) const
{
    XImage* image = XCreateImage(display, static_cast<Visual*>(visual), unsigned(depth), ZPixmap, 0, nullptr, unsigned(width),
                                 unsigned(height), 32, 0);
    if (!image)
        return;
    image->data = static_cast<char*>(std::malloc(size_t(image->bytes_per_line) * size_t(height)));
    if (!image->data) {
        XDestroyImage(image);
        return;
    }
    const Visual* v = static_cast<Visual*>(visual);
    for (int32_t row = 0; row < height; ++row) {
        const uint8_t* p = pixels.getPixels() + size_t(top + row) * size_t(pixels.getBytesPerRow()) + size_t(left) * 4;
        for (int32_t column = 0; column < width; ++column, p += 4) {
            XPutPixel(image, column, row,
                      channel(p[2], v->red_mask) | channel(p[1], v->green_mask) |
                          channel(p[0], v->blue_mask));
        }
    }
    XPutImage(display, drawable, gc, image, 0, 0, x, y, unsigned(width), unsigned(height));
    XDestroyImage(image); // frees the converted pixels too
}

} // namespace VSTGUI
