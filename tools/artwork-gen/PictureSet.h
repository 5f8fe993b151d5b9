#pragma once

#include "tools/artwork-gen/FontFaces.h"

#include <cairo.h>

#include <string>
#include <vector>

namespace artwork {

// One of the editor's pictures at one window size.
struct PictureSpec {
    std::string fileName;
    int width;
    int height;
    int windowWidth;
    void (*paint)(cairo_t* cr, const PictureSpec& spec, const FontFaces& fonts);
};

// The 18 pictures: each kind at the three window sizes.
std::vector<PictureSpec> pictureSet();

// Draws the picture natively at its size into a new image surface (the caller destroys it).
cairo_surface_t* renderPicture(const PictureSpec& spec, const FontFaces& fonts);

} // namespace artwork
