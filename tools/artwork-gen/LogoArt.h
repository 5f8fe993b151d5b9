#pragma once

#include "tools/artwork-gen/FontFaces.h"
#include "tools/artwork-gen/PanelScale.h"

#include <cairo.h>

namespace artwork {

// The product's mark (a ring holding a falling, dying wave) with its name and maker, inside area.
void paintLogo(cairo_t* cr, const PixelRect& area, const PanelScale& scale, const FontFaces& fonts);

// The about picture that covers the whole window when the logo is clicked.
void paintAboutPicture(cairo_t* cr, const PanelScale& scale, const FontFaces& fonts);

} // namespace artwork
