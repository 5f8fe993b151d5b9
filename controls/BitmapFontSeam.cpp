#include "controls/BitmapFontSeam.h"

namespace VSTGUI {

namespace {
constexpr int32_t kLineHeightWithoutImage = 20;
} // namespace

int32_t bitmapFontLineHeight(const BitmapFont&)
{
    return kLineHeightWithoutImage;
}

int32_t bitmapFontStringWidth(const BitmapFont&, CDrawContext*, const char*)
{
    return 0;
}

void bitmapFontDrawString(const BitmapFont&, CDrawContext*, const char*, const CRect&, const CColor&, int32_t, float) {}

} // namespace VSTGUI
