#include "tools/artwork-gen/FontFaces.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <cairo-ft.h>

namespace artwork {

namespace {

const cairo_user_data_key_t kFaceKey{};

void releaseFace(void* face) { FT_Done_Face(static_cast<FT_Face>(face)); }

} // namespace

FontFaces::FontFaces(const std::string& directory)
{
    FT_Library freeType = nullptr;
    if (FT_Init_FreeType(&freeType) != 0)
        return;
    library = freeType;
    regularFace = load(directory + "/LiberationSans-Regular.ttf");
    boldFace = load(directory + "/LiberationSans-Bold.ttf");
}

FontFaces::~FontFaces()
{
    if (regularFace)
        cairo_font_face_destroy(regularFace);
    if (boldFace)
        cairo_font_face_destroy(boldFace);
    // Cairo keeps scaled fonts in caches; they must let go of the faces before FreeType ends.
    cairo_debug_reset_static_data();
    if (library)
        FT_Done_FreeType(static_cast<FT_Library>(library));
}

cairo_font_face_t* FontFaces::load(const std::string& path)
{
    FT_Face face = nullptr;
    if (FT_New_Face(static_cast<FT_Library>(library), path.c_str(), 0, &face) != 0)
        return nullptr;
    cairo_font_face_t* fontFace = cairo_ft_font_face_create_for_ft_face(face, 0);
    // The FreeType face lives exactly as long as cairo's face.
    if (cairo_font_face_set_user_data(fontFace, &kFaceKey, face, releaseFace) != CAIRO_STATUS_SUCCESS) {
        cairo_font_face_destroy(fontFace);
        FT_Done_Face(face);
        return nullptr;
    }
    return fontFace;
}

void applyTextOptions(cairo_t* cr)
{
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_subpixel_order(options, CAIRO_SUBPIXEL_ORDER_DEFAULT);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

} // namespace artwork
