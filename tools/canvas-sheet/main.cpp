// canvas-sheet: draws every raster canvas operation into one PNG picture for people to look at.
// Usage: canvas-sheet OUTPUT.png (tests/support/canvas-sheet.png is the reference the tests
// compare with: write it again there after an intended change).

#include "tools/canvas-sheet/CanvasSheet.h"
#include "vstgui/PngCodec.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    auto sheet = CanvasSheet::draw();
    if (!sheet || !VSTGUI::PngCodec::writeFile(*sheet->getBitmap()->getPlatformBitmap(), argv[1])) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
