#include "tools/canvas-sheet/TextSheet.h"

#include "support/BitmapFont.h"
#include "tools/font-gen/FontImage.h"
#include "vstgui/CBitmap.h"

namespace {

constexpr char kSample[] = "Zarn Pro: AV To Wa 440.0 Hz";

void row(BitmapFont& font, VSTGUI::CDrawContext& context, double top, float drawScale, bool slant, bool bold,
         const VSTGUI::CColor& colour, int32_t alignment = 0)
{
    VSTGUI::CRect rect(10, top, 10 + 460, top + 34);
    font.drawString(kSample, &context, rect, &colour, alignment, drawScale, slant, bold);
}

} // namespace

VSTGUI::SharedPointer<VSTGUI::COffscreenContext> TextSheet::draw()
{
    auto context = VSTGUI::COffscreenContext::create(nullptr, kWidth, kHeight);
    auto pixels = FontImage::render(FontImage::kNativeHeight);
    if (!context || !pixels)
        return nullptr;
    VSTGUI::CBitmap image(pixels);
    context->setFillColor(VSTGUI::CColor(236, 232, 224));
    context->drawRect(VSTGUI::CRect(0, 0, kWidth, kHeight), VSTGUI::kDrawFilled);
    context->setFillColor(VSTGUI::CColor(40, 44, 52));
    context->drawRect(VSTGUI::CRect(0, 300, kWidth, kHeight), VSTGUI::kDrawFilled);

    const VSTGUI::CColor ink(20, 24, 32), red(200, 0, 0), light(250, 240, 200);
    BitmapFont font;
    font.setImage(&image, 28);
    row(font, *context, 0, 1.f, false, false, ink);
    font.setSize(20);
    row(font, *context, 30, 1.f, false, false, ink);
    font.setSize(14);
    row(font, *context, 56, 1.f, false, false, ink);
    row(font, *context, 76, 0.7f, false, false, ink);
    row(font, *context, 96, 1.f, true, false, ink);
    row(font, *context, 116, 1.f, false, true, ink);
    row(font, *context, 136, 1.f, true, true, red);
    font.setSize(20);
    row(font, *context, 160, 1.f, false, false, ink, 2);
    const KerningRecord pairs[] = {{'A', 'V', {0xfc, 0xff}}, {'T', 'o', {0xfd, 0xff}}, {'W', 'a', {0xfd, 0xff}}};
    font.loadKerning(pairs, 3);
    row(font, *context, 186, 1.f, false, false, ink, 2);
    font.spacing = 2;
    row(font, *context, 212, 1.f, false, false, ink, 1);
    font.spacing = 0;
    font.drawStringDirect(kSample, context, VSTGUI::CRect(10, 240, 700, 270), &ink, 0);
    font.useImage = false;
    row(font, *context, 268, 1.3f, false, false, ink);
    font.useImage = true;
    row(font, *context, 310, 1.f, false, false, light);
    font.setSize(12);
    row(font, *context, 340, 1.f, false, true, light);
    row(font, *context, 362, 1.f, false, false, VSTGUI::CColor(255, 80, 80));
    font.useImage = false;
    row(font, *context, 384, 1.f, false, false, light);
    return context;
}
