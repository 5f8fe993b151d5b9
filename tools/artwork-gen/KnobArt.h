#pragma once

#include <cairo.h>

namespace artwork {

constexpr int kKnobFrames = 63;

// One knob of diameter size at (x, y) showing value 0..1: a 270-degree track from lower left to
// lower right, lit up to the value, and a pointer on the cap. Everything outside is transparent.
void paintKnob(cairo_t* cr, double x, double y, double size, double value);

// The seat that the background shows under a knob whose top-left corner is (x, y).
void paintKnobSeat(cairo_t* cr, double x, double y, double size);

// The vertical strip of kKnobFrames square frames; frame k shows value k / 62.
void paintKnobStrip(cairo_t* cr, int size);

} // namespace artwork
