#pragma once

#include <cairo.h>

#include <string>

namespace artwork {

// The two Liberation Sans faces of the artwork, loaded from their files through FreeType so that
// the pictures do not depend on the machine's font configuration.
class FontFaces {
public:
    // Loads LiberationSans-Regular.ttf and LiberationSans-Bold.ttf from directory; ok() tells
    // whether both loaded.
    explicit FontFaces(const std::string& directory);
    ~FontFaces();
    FontFaces(const FontFaces&) = delete;
    FontFaces& operator=(const FontFaces&) = delete;

    bool ok() const { return regularFace && boldFace; }
    cairo_font_face_t* regular() const { return regularFace; }
    cairo_font_face_t* bold() const { return boldFace; }

private:
    cairo_font_face_t* load(const std::string& path);

    void* library = nullptr; // FT_Library, kept opaque to spare users the FreeType headers
    cairo_font_face_t* regularFace = nullptr;
    cairo_font_face_t* boldFace = nullptr;
};

// Rendering options fixed for every picture: grey anti-aliasing with light vertical hinting.
void applyTextOptions(cairo_t* cr);

} // namespace artwork
