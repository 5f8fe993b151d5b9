#include "tools/controls-gallery/ControlsGallery.h"

#include "controls/DropHighlight.h"
#include "controls/QelCCurveDisplay.h"
#include "controls/QelCFineKnob.h"
#include "controls/QelCMouseForwarder.h"
#include "controls/QelCMultiLedSwitch.h"
#include "controls/QelCNumberDisplay.h"
#include "controls/QelCParamDisplay.h"
#include "controls/QelCTextEdit.h"
#include "controls/QelCVUDisplay.h"
#include "vstgui/COffscreenContext.h"
#include "vstgui/OffscreenPlatformFrame.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

using namespace VSTGUI;

namespace gallery {

namespace {

const CColor kPanel(28, 32, 40, 255);
const CColor kLabel(200, 210, 230, 255);

// A picture painted by the toolkit itself.
SharedPointer<CBitmap> painted(CCoord width, CCoord height, const std::function<void(CDrawContext&)>& paint)
{
    auto context = COffscreenContext::create(nullptr, width, height);
    paint(*context);
    return context->getBitmap();
}

// Two states stacked: the upper one off, the lower one on, each a rounded-looking block.
SharedPointer<CBitmap> twoStates(CCoord width, CCoord height, const CColor& off, const CColor& on)
{
    return painted(width, height * 2, [&](CDrawContext& c) {
        for (int state = 0; state < 2; ++state) {
            c.setFillColor(state ? on : off);
            c.setFrameColor(CColor(10, 10, 10, 255));
            c.drawRect(CRect(0, height * state, width, height * (state + 1)), kDrawFilledAndStroked);
        }
    });
}

// A view that draws a plate and its drop highlight over it.
struct DropPlate : CView {
    using CView::CView;
    void draw(CDrawContext* context) override
    {
        context->setFillColor(CColor(70, 80, 100, 255));
        context->drawRect(getViewSize(), kDrawFilled);
        context->setFontColor(kLabel);
        context->setFont(kSystemFont);
        context->drawString("drop here", getViewSize());
        if (highlight)
            highlight->draw(context);
        setDirty(false);
    }
    SharedPointer<DropHighlight> highlight;
};

} // namespace

// The bitmaps the controls borrow: they live as long as the gallery.
struct ControlsGallery::Pieces {
    SharedPointer<CBitmap> background = painted(kWidth, kHeight, [](CDrawContext& c) {
        c.setFillColor(kPanel);
        c.drawRect(CRect(0, 0, kWidth, kHeight), kDrawFilled);
        c.setFont(kSystemFont, 11);
        c.setFontColor(kLabel);
        const std::pair<CRect, const char*> labels[] = {
            {{20, 60, 200, 75}, "QelCVUDisplay"},      {{240, 60, 420, 75}, "QelCMultiLedSwitch"},
            {{20, 140, 160, 155}, "QelCTextEdit"},     {{180, 140, 280, 155}, "DropHighlight"},
            {{290, 140, 370, 155}, "QelCFineKnob"},    {{368, 140, 480, 155}, "QelCMouseForwarder"},
            {{170, 180, 300, 195}, "QelCParamDisplay"}, {{362, 180, 480, 195}, "QelCNumberDisplay"},
            {{492, 120, 600, 135}, "QelCCurveDisplay"}};
        for (const auto& [rect, text] : labels)
            c.drawString(text, rect, kLeftText);
    });
    std::vector<SharedPointer<CBitmap>> segments{twoStates(6, 24, CColor(20, 60, 20, 255), CColor(60, 230, 60, 255)),
                                                 twoStates(6, 24, CColor(70, 60, 10, 255), CColor(250, 210, 30, 255)),
                                                 twoStates(6, 24, CColor(70, 15, 15, 255), CColor(250, 40, 40, 255))};
    SharedPointer<CBitmap> led = twoStates(14, 14, CColor(50, 20, 20, 255), CColor(255, 80, 60, 255));
    SharedPointer<CBitmap> knob = painted(40, 40, [](CDrawContext& c) {
        // A disc, row by row, with a rim and an orange pointer at the top.
        for (int y = 0; y < 40; ++y) {
            const double half = std::sqrt(std::max(0.0, 19.5 * 19.5 - (y - 19.5) * (y - 19.5)));
            c.setFillColor(CColor(150, 150, 165, 255));
            c.drawRect(CRect(std::round(20 - half), y, std::round(20 + half), y + 1), kDrawFilled);
            const double inner = std::sqrt(std::max(0.0, 17.0 * 17.0 - (y - 19.5) * (y - 19.5)));
            c.setFillColor(CColor(60, 62, 75, 255));
            c.drawRect(CRect(std::round(20 - inner), y, std::round(20 + inner), y + 1), kDrawFilled);
        }
        c.setFillColor(CColor(255, 140, 20, 255));
        c.drawRect(CRect(19, 5, 21, 17), kDrawFilled);
    });
    SharedPointer<CBitmap> button = twoStates(60, 20, CColor(90, 90, 110, 255), CColor(90, 90, 110, 255));
    // A plate with a quarter grid for the curve.
    SharedPointer<CBitmap> curvePlate = painted(100, 80, [](CDrawContext& c) {
        c.setFillColor(CColor(16, 20, 26, 255));
        c.drawRect(CRect(0, 0, 100, 80), kDrawFilled);
        c.setFillColor(CColor(48, 56, 70, 255));
        for (int i = 1; i < 4; ++i) {
            c.drawRect(CRect(25 * i, 0, 25 * i + 1, 80), kDrawFilled);
            c.drawRect(CRect(0, 20 * i, 100, 20 * i + 1), kDrawFilled);
        }
    });
    SharedPointer<QelCParamDisplay> popup;
};

ControlsGallery::ControlsGallery() : pieces(std::make_unique<Pieces>()), frame(new CFrame(CRect(0, 0, kWidth, kHeight), nullptr))
{
    if (!frame->open(nullptr, PlatformType::kOffscreen))
        return;
    frame->setBackground(pieces->background);

    auto* meter = new QelCVUDisplay(CRect(20, 30, 200, 54), nullptr, 0, 3, 0, 100);
    for (int32_t s = 0; s < 3; ++s)
        meter->setSegmentBitmap(pieces->segments[size_t(s)], s + 1, s == 0 ? 14 : 4 - s, true);
    meter->setIntValue(15);
    frame->addView(meter);

    auto* row = new QelCMultiLedSwitch(CRect(240, 30, 240, 30), nullptr, 1, pieces->led, 6, 2);
    row->setSelectedLed(2);
    frame->addView(row);
    auto* column = new QelCMultiLedSwitch(CRect(360, 16, 360, 16), nullptr, 2, pieces->led, 3, 1);
    column->setSelectedLed(0);
    frame->addView(column);

    auto* text = new QelCTextEdit(CRect(20, 95, 160, 135), nullptr, 3, "Zarn Pro|a text that wraps at its spaces");
    text->setFontColor(kLabel);
    text->lineHeight = 13;
    frame->addView(text);

    auto* plate = new DropPlate(CRect(180, 95, 270, 135));
    plate->highlight = owned(new DropHighlight(plate));
    plate->setDropTarget(plate->highlight);
    frame->addView(plate);

    auto* knob = new QelCFineKnob(CRect(295, 95, 335, 135), nullptr, 4, pieces->knob);
    frame->addView(knob);
    frame->addView(new QelCMouseForwarder(CRect(385, 105, 445, 125), row));
    frame->getView(frame->getNbViews() - 1)->setBackground(pieces->button);

    auto* curve = new QelCCurveDisplay(CRect(492, 30, 592, 110), nullptr, 5, pieces->curvePlate);
    curve->curveColour = {255, 140, 20};
    curve->setValue(0.3f);
    frame->addView(curve);

    auto* number = new QelCNumberDisplay(CRect(290, 178, 360, 198));
    number->displayFactor = 100.f;
    number->precision = 1;
    number->percentSuffix = true;
    number->setValue(0.625f);
    frame->addView(number);

    pieces->popup = owned(new QelCParamDisplay(CRect(10, 10, 100, 20), frame));
    pieces->popup->setFont(kSystemFont);
    pieces->popup->setBackColor(CColor(245, 255, 100, 255));
    pieces->popup->setFontColor(CColor(0, 0, 0, 255));
    pieces->popup->setFrameColor(CColor(0, 0, 0, 255));
    std::snprintf(pieces->popup->popupText, sizeof(pieces->popup->popupText), "%s", "120 ms");
    pieces->popup->showPopup(CRect(60, 158, 100, 162), false, false);

    OffscreenPlatformFrame::of(frame)->dragEnter(CPoint(220, 115));
    frame->idle();
}

ControlsGallery::~ControlsGallery()
{
    if (pieces->popup)
        pieces->popup->hidePopup();
    frame->close();
}

bool ControlsGallery::writePng(const std::string& path) const
{
    OffscreenPlatformFrame* backEnd = OffscreenPlatformFrame::of(frame);
    return backEnd && backEnd->writePng(path);
}

} // namespace gallery
