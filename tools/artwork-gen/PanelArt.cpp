#include "tools/artwork-gen/PanelArt.h"

#include "tools/artwork-gen/KnobArt.h"
#include "tools/artwork-gen/LogoArt.h"
#include "tools/artwork-gen/Palette.h"
#include "tools/artwork-gen/TapPadArt.h"

#include <array>
#include <string_view>

namespace artwork {

namespace {

constexpr int kDefaultKnobSize = 42;
constexpr int kDefaultLedSize = 12;

// A titled group: the plate it sits on, where its title starts and where its rule ends.
struct Section {
    std::string_view title;
    BaseRect plate;
    double titleLeft;
    double ruleRight;
};

// Plates are 12 pixels apart and keep 16 pixels around their knobs, 21 at the panel's sides; the
// lower plate holds the output, the model list and the tap pad.
constexpr std::array kUpperSections{
    Section{"PITCH", {51, 24, 184, 186}, 72, 168},
    Section{"ENVELOPES", {197, 24, 379, 186}, 213, 363},
    Section{"TIMBRE", {392, 24, 520, 186}, 408, 504},
    Section{"LFO", {533, 24, 666, 186}, 549, 645},
};
constexpr BaseRect kLowerPlate{237, 198, 666, 276};
constexpr std::array kLowerDividers{358.0, 525.0};
constexpr std::array kLowerSections{
    Section{"OUT", kLowerPlate, 249, 342},
    Section{"MODEL", kLowerPlate, 375, 516},
};
// Title baselines sit this far below their plate's top edge.
constexpr double kTitleDrop = 16;

struct KnobLabel {
    int tag;
    std::string_view text;
};

constexpr std::array kKnobLabels{
    KnobLabel{0, "COARSE"},    KnobLabel{1, "FINE"},     KnobLabel{2, "ENV AMT"},
    KnobLabel{3, "LFO AMT"},   KnobLabel{4, "P. DECAY"}, KnobLabel{5, "P. START"},
    KnobLabel{6, "P. CURVE"},  KnobLabel{7, "A. DECAY"}, KnobLabel{8, "A. SUSTAIN"},
    KnobLabel{9, "A. CURVE"},  KnobLabel{10, "ATTACK"},  KnobLabel{11, "COLOR"},
    KnobLabel{12, "SELF FM"},  KnobLabel{13, "DECAY"},   KnobLabel{14, "RATE"},
    KnobLabel{15, "SHAPE"},
};
// Labels stand above their knobs, so the value pop-up below a dragged knob never hides one.
constexpr double kLabelGap = 4;

constexpr std::array kSwitchLabels{
    KnobLabel{16, "FREE RUN"},
    KnobLabel{17, "INVERT"},
    KnobLabel{18, "ONE SHOT"},
};

constexpr std::array<std::string_view, 8> kModelNames{
    "CLUB 2012", "PROGRESSIVE", "DISTORTED", "VINTAGE", "808", "909", "ELECTRO", "ACOUSTIC",
};

// The logo area is the logo control's rectangle.
constexpr int kLogoTag = kSplashTag;

TextStyle titleStyle(const PanelScale& scale, const FontFaces& fonts)
{
    return {fonts.bold(), scale.len(10.0), scale.len(1.6), palette::kAccent};
}

TextStyle labelStyle(const PanelScale& scale, const FontFaces& fonts)
{
    return {fonts.bold(), scale.len(8.0), scale.len(0.3), palette::kLabel};
}

void paintPlate(cairo_t* cr, const PixelRect& plate, const PanelScale& scale)
{
    const double radius = scale.len(5.0);
    const double edge = scale.len(1.0);
    cairo_new_path(cr);
    addRoundedRect(cr, plate.left, plate.top, plate.width(), plate.height(), radius);
    setColor(cr, palette::kPlateEdge);
    cairo_fill(cr);
    addRoundedRect(cr, plate.left + edge, plate.top + edge, plate.width() - 2.0 * edge,
                   plate.height() - 2.0 * edge, radius - edge);
    setVerticalGradient(cr, plate.top, plate.bottom, palette::kPlateTop, palette::kPlateBottom);
    cairo_fill(cr);
    cairo_move_to(cr, plate.left + radius, plate.top + 1.5 * edge);
    cairo_line_to(cr, plate.right - radius, plate.top + 1.5 * edge);
    cairo_set_line_width(cr, edge);
    setColor(cr, palette::kPlateHighlight);
    cairo_stroke(cr);
}

void paintSectionTitle(cairo_t* cr, const Section& section, const PanelScale& scale,
                       const FontFaces& fonts)
{
    const TextStyle style = titleStyle(scale, fonts);
    const double left = scale.px(section.titleLeft);
    const double baseline = scale.px(section.plate.top + kTitleDrop);
    drawText(cr, style, left, baseline, section.title, Align::Left);

    const double ruleLeft = left + textWidth(cr, style, section.title) + scale.len(6.0);
    const double ruleRight = scale.px(section.ruleRight);
    // A crisp hairline through the middle of the capitals.
    const double lineWidth = std::max(1.0, std::floor(scale.len(1.0)));
    const double ruleY = std::floor(baseline - 0.5 * capHeight(cr, style)) + 0.5 * lineWidth;
    if (ruleRight <= ruleLeft)
        return;
    cairo_move_to(cr, ruleLeft, ruleY);
    cairo_line_to(cr, ruleRight, ruleY);
    cairo_set_line_width(cr, lineWidth);
    setColor(cr, palette::kRule);
    cairo_stroke(cr);
}

void paintPlates(cairo_t* cr, const PanelScale& scale, const FontFaces& fonts)
{
    for (const Section& section : kUpperSections) {
        paintPlate(cr, scaleRect(scale, section.plate), scale);
        paintSectionTitle(cr, section, scale, fonts);
    }
    const PixelRect lower = scaleRect(scale, kLowerPlate);
    paintPlate(cr, lower, scale);
    for (const Section& section : kLowerSections)
        paintSectionTitle(cr, section, scale, fonts);

    const double lineWidth = std::max(1.0, std::floor(scale.len(1.0)));
    for (double divider : kLowerDividers) {
        const double x = scale.px(divider) + 0.5 * lineWidth;
        cairo_move_to(cr, x, lower.top + scale.len(8.0));
        cairo_line_to(cr, x, lower.bottom - scale.len(8.0));
    }
    cairo_set_line_width(cr, lineWidth);
    setColor(cr, palette::kRule);
    cairo_stroke(cr);
}

PixelRect knobRect(const PanelScale& scale, int tag)
{
    const BaseRect& base = controlBaseRects[tag];
    const int left = scale.px(base.left);
    const int top = scale.px(base.top);
    const int size = scale.size(kDefaultKnobSize);
    return {left, top, left + size, top + size};
}

void paintKnobs(cairo_t* cr, const PanelScale& scale, const FontFaces& fonts)
{
    for (int tag = 0; tag < kNumControlTags; ++tag) {
        if (controlLayout[tag].type != kControlKnob)
            continue;
        const PixelRect knob = knobRect(scale, tag);
        paintKnobSeat(cr, knob.left, knob.top, knob.width());
    }
    const TextStyle style = labelStyle(scale, fonts);
    for (const KnobLabel& label : kKnobLabels) {
        const PixelRect knob = knobRect(scale, label.tag);
        drawText(cr, style, knob.centerX(), knob.top - std::round(scale.len(kLabelGap)), label.text,
                 Align::Center);
    }
}

// A label to the right of the LED that a switch or model box draws at its top-left corner,
// centred on the LED.
void paintBesideLed(cairo_t* cr, const PixelRect& box, const PanelScale& scale,
                    const TextStyle& style, std::string_view text)
{
    const int led = scale.size(kDefaultLedSize);
    const double left = box.left + led + scale.len(4.0);
    const double baseline = std::round(box.top + 0.5 * (led + capHeight(cr, style)));
    drawText(cr, style, left, baseline, text, Align::Left);
}

void paintSwitchLabels(cairo_t* cr, const PanelScale& scale, const FontFaces& fonts)
{
    const TextStyle style = labelStyle(scale, fonts);
    for (const KnobLabel& label : kSwitchLabels)
        paintBesideLed(cr, scaleRect(scale, controlBaseRects[label.tag]), scale, style, label.text);

    // The key-tracking switch has room for its label only in two lines.
    const PixelRect midi = scaleRect(scale, controlBaseRects[20]);
    paintBesideLed(cr, midi, scale, style, "KTRK");
    const PixelRect secondLine{midi.left, midi.top + int(std::round(scale.len(10.0))), midi.right,
                               midi.bottom};
    paintBesideLed(cr, secondLine, scale, style, "OFF");

    // The longest model name nearly fills its box: no extra letter space.
    TextStyle modelStyle = style;
    modelStyle.tracking = 0.0;
    for (size_t model = 0; model < kModelNames.size(); ++model)
        paintBesideLed(cr, scaleRect(scale, modelBoxBaseRects[model]), scale, modelStyle,
                       kModelNames[model]);
}

} // namespace

void paintBackdrop(cairo_t* cr, const PanelScale& scale)
{
    const double height = scale.size(kDefaultHeight);
    cairo_save(cr);
    cairo_rectangle(cr, 0.0, 0.0, scale.width, height);
    setVerticalGradient(cr, 0.0, height, palette::kPanelTop, palette::kPanelBottom);
    cairo_fill(cr);
    cairo_restore(cr);
}

void paintPanelWithoutTapPad(cairo_t* cr, const PanelScale& scale, const FontFaces& fonts)
{
    cairo_save(cr);
    paintBackdrop(cr, scale);
    paintPlates(cr, scale, fonts);
    paintKnobs(cr, scale, fonts);
    paintSwitchLabels(cr, scale, fonts);
    paintLogo(cr, scaleRect(scale, controlBaseRects[kLogoTag]), scale, fonts);
    cairo_restore(cr);
}

void paintPanel(cairo_t* cr, const PanelScale& scale, const FontFaces& fonts)
{
    paintPanelWithoutTapPad(cr, scale, fonts);
    paintTapPad(cr, tapPadRect(scale), scale, fonts, false);
}

} // namespace artwork
