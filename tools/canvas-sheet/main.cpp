// canvas-sheet: draws every raster canvas operation into one PNG picture for people to look at,
// and, given a second path, the bitmap font's text sheet.
// Usage: canvas-sheet OUTPUT.png [TEXT-OUTPUT.png]
// tests/support/canvas-sheet.png and tests/support/text-sheet.png are the references the tests
// compare with: write them again there after an intended change.

#include "tools/canvas-sheet/CanvasSheet.h"
#include "tools/canvas-sheet/TextSheet.h"
#include "vstgui/PngCodec.h"

#include <cstdio>

namespace {

bool write(const VSTGUI::SharedPointer<VSTGUI::COffscreenContext>& sheet, const char* path)
{
    if (sheet && VSTGUI::PngCodec::writeFile(*sheet->getBitmap()->getPlatformBitmap(), path))
        return true;
    std::fprintf(stderr, "cannot write %s\n", path);
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s OUTPUT.png [TEXT-OUTPUT.png]\n", argv[0]);
        return 2;
    }
    if (!write(CanvasSheet::draw(), argv[1]))
        return 1;
    return argc == 3 && !write(TextSheet::draw(), argv[2]) ? 1 : 0;
}
