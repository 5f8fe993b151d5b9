#pragma once

#include "tools/artwork-gen/FontFaces.h"
#include "tools/artwork-gen/PanelScale.h"

#include <cairo.h>

namespace artwork {

// The bare panel surface under everything else, over the whole window.
void paintBackdrop(cairo_t* cr, const PanelScale& scale);

// The whole background picture: plates, titles, labels, knob seats, the unpressed tap pad and the
// logo, each at the place where the editor puts the matching control.
void paintPanel(cairo_t* cr, const PanelScale& scale, const FontFaces& fonts);
// The same without the tap pad: what lies under the pad.
void paintPanelWithoutTapPad(cairo_t* cr, const PanelScale& scale, const FontFaces& fonts);

} // namespace artwork
