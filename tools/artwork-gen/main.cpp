// zarn-artwork-gen DIR: draws the editor's 18 pictures and writes them as PNG files into DIR.
// Every size is drawn from vectors at its own resolution; the output is the same on every run.
#include "tools/artwork-gen/FontFaces.h"
#include "tools/artwork-gen/PictureSet.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: zarn-artwork-gen OUTPUT_DIR\n");
        return 2;
    }
    const std::string directory = argv[1];
    artwork::FontFaces fonts(ZARN_FONT_DIR);
    if (!fonts.ok()) {
        std::fprintf(stderr, "zarn-artwork-gen: cannot load Liberation Sans from %s\n", ZARN_FONT_DIR);
        return 1;
    }
    for (const artwork::PictureSpec& picture : artwork::pictureSet()) {
        const std::string path = directory + "/" + picture.fileName;
        cairo_surface_t* surface = artwork::renderPicture(picture, fonts);
        const cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
        cairo_surface_destroy(surface);
        if (status != CAIRO_STATUS_SUCCESS) {
            std::fprintf(stderr, "zarn-artwork-gen: cannot write %s: %s\n", path.c_str(),
                         cairo_status_to_string(status));
            return 1;
        }
        std::printf("%s\n", path.c_str());
    }
    return 0;
}
