// font-gen: writes the bitmap font's image. Usage: font-gen OUTPUT.png [HEIGHT]
// resources/font-28.png is the committed image at the native height; the tests check that it is
// this tool's output, so write it again there after an intended change.

#include "tools/font-gen/FontImage.h"
#include "vstgui/PngCodec.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s OUTPUT.png [HEIGHT]\n", argv[0]);
        return 2;
    }
    const int height = argc == 3 ? std::atoi(argv[2]) : FontImage::kNativeHeight;
    auto image = FontImage::render(height);
    if (!image || !VSTGUI::PngCodec::writeFile(*image, argv[1])) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
