#pragma once

#include "tools/artwork-gen/FontFaces.h"
#include "tools/artwork-gen/PanelScale.h"

#include <cairo.h>

namespace artwork {

// Where the editor puts the tap pad: its table position and its picture's size.
PixelRect tapPadRect(const PanelScale& scale);

// The tap pad in the rectangle that the editor gives it, raised or pressed in.
void paintTapPad(cairo_t* cr, const PixelRect& pad, const PanelScale& scale, const FontFaces& fonts,
                 bool pressed);

// The pressed pad's picture, opaque: the panel shows behind its rounded corners, so that it
// covers the unpressed pad of the background exactly.
void paintTapPadPicture(cairo_t* cr, const PanelScale& scale, const FontFaces& fonts);

} // namespace artwork
