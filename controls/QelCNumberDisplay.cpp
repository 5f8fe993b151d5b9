#include "controls/QelCNumberDisplay.h"

#include "support/BitmapFont.h"
#include "vstgui/CDrawContext.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace VSTGUI {

namespace {

// int(x) where it exists, else the nearest end of the int32 range; NaN gives 0.
int32_t saturatedInt(float x)
{
    if (std::isnan(x))
        return 0;
    if (x >= 2147483648.f)
        return INT32_MAX;
    if (x <= -2147483648.f)
        return INT32_MIN;
    return int32_t(x);
}

std::string formatted(const char* format, int digits, double number)
{
    char text[512]; // room for any double in fixed form
    std::snprintf(text, sizeof(text), format, digits, number);
    return text;
}

} // namespace

QelCNumberDisplay::QelCNumberDisplay(const CRect& size, IControlListener* listener, int32_t tag)
    : CControl(size, listener, tag, nullptr)
{
}

int32_t QelCNumberDisplay::getIntValue() const
{
    return saturatedInt(displayFactor * getValue());
}

void QelCNumberDisplay::setIntValue(int32_t i)
{
    const float candidate = float(i) / displayFactor;
    if (std::isfinite(candidate))
        value = candidate;
}

void QelCNumberDisplay::setOffset(int32_t i)
{
    intOffset = i;
    floatOffset = float(i);
}

int32_t QelCNumberDisplay::setOffset(float f)
{
    floatOffset = f;
    intOffset = saturatedInt(std::floor(f + 0.1f));
    return intOffset;
}

std::string QelCNumberDisplay::getText() const
{
    const float n = displayFactor * getValue();
    if (!percentSuffix && precision == 0) {
        // In 64 bits: the sum of two int32 values has at most 11 characters.
        const long long sum = (long long)saturatedInt(n) + intOffset;
        return std::to_string(sum);
    }
    const std::string suffix = percentSuffix ? " %" : "";
    const double shown = double(n + floatOffset);
    // The asked decimals while the text fits, fewer when not, then the exponent form.
    for (int digits = std::clamp(precision, 0, kMaxPrecision); digits >= 0; --digits) {
        const std::string text = formatted("%.*f", digits, shown) + suffix;
        if (text.size() <= kMaxTextLength)
            return text;
    }
    for (int digits = kMaxPrecision;; --digits) {
        const std::string text = formatted("%.*e", digits, shown) + suffix;
        if (text.size() <= kMaxTextLength || digits == 0)
            return text;
    }
}

void QelCNumberDisplay::draw(CDrawContext* context)
{
    const std::string text = getText();
    if (bitmapFont) {
        CRect drawnRect = getViewSize();
        bitmapFont->drawString(text.c_str(), context, drawnRect, &fontColour, textAlignment, 1.f, false, false);
    } else if (font) {
        context->setFont(font, 0, -1);
        context->setFontColor(fontColour);
        context->drawString(text.c_str(), getViewSize(), CHoriTxtAlign(textAlignment), true);
    }
    setDirty(false);
}

} // namespace VSTGUI
