#include "tools/artwork-gen/PictureSet.h"

#include "tools/artwork-gen/KnobArt.h"
#include "tools/artwork-gen/LogoArt.h"
#include "tools/artwork-gen/PanelArt.h"
#include "tools/artwork-gen/SwitchArt.h"
#include "tools/artwork-gen/TapPadArt.h"

#include <array>

namespace artwork {

namespace {

struct WindowSize {
    const char* name;
    int width;
};

constexpr std::array kWindowSizes{
    WindowSize{"default", 717},
    WindowSize{"large", 956},
    WindowSize{"huge", 1434},
};

struct PictureKind {
    const char* name;
    int defaultWidth;
    int defaultHeight;
    void (*paint)(cairo_t* cr, const PictureSpec& spec, const FontFaces& fonts);
};

const std::array kPictureKinds{
    PictureKind{"background", 717, 300,
                [](cairo_t* cr, const PictureSpec& spec, const FontFaces& fonts) {
                    paintPanel(cr, PanelScale(spec.windowWidth), fonts);
                }},
    PictureKind{"led", 12, 24,
                [](cairo_t* cr, const PictureSpec& spec, const FontFaces&) {
                    paintLedPicture(cr, spec.width);
                }},
    PictureKind{"tap-pad", 126, 66,
                [](cairo_t* cr, const PictureSpec& spec, const FontFaces& fonts) {
                    paintTapPadPicture(cr, PanelScale(spec.windowWidth), fonts);
                }},
    PictureKind{"button", 12, 24,
                [](cairo_t* cr, const PictureSpec& spec, const FontFaces&) {
                    paintButtonPicture(cr, spec.width);
                }},
    PictureKind{"knob", 42, 42 * kKnobFrames,
                [](cairo_t* cr, const PictureSpec& spec, const FontFaces&) {
                    paintKnobStrip(cr, spec.width);
                }},
    PictureKind{"about", 717, 300,
                [](cairo_t* cr, const PictureSpec& spec, const FontFaces& fonts) {
                    paintAboutPicture(cr, PanelScale(spec.windowWidth), fonts);
                }},
};

} // namespace

std::vector<PictureSpec> pictureSet()
{
    std::vector<PictureSpec> pictures;
    for (const WindowSize& size : kWindowSizes) {
        const PanelScale scale(size.width);
        for (const PictureKind& kind : kPictureKinds)
            pictures.push_back({std::string(kind.name) + "-" + size.name + ".png",
                                scale.size(kind.defaultWidth), scale.size(kind.defaultHeight),
                                size.width, kind.paint});
    }
    return pictures;
}

cairo_surface_t* renderPicture(const PictureSpec& spec, const FontFaces& fonts)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, spec.width, spec.height);
    cairo_t* cr = cairo_create(surface);
    applyTextOptions(cr);
    spec.paint(cr, spec, fonts);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    return surface;
}

} // namespace artwork
