#pragma once

#include <cairo.h>

namespace artwork {

// A round LED filling a square cell of side size at (x, y).
void paintLed(cairo_t* cr, double x, double y, double size, bool lit);
// A small square push button filling the cell.
void paintButton(cairo_t* cr, double x, double y, double size, bool lit);

// The pictures of the switches: the off state above the on state, each size x size.
void paintLedPicture(cairo_t* cr, int size);
void paintButtonPicture(cairo_t* cr, int size);

} // namespace artwork
