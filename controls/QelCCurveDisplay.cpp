#include "controls/QelCCurveDisplay.h"

#include "support/CanvasMath.h"
#include "vstgui/CBitmap.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

namespace {

// A length in whole pixels, truncated; NaN and sizes beyond the int32 range saturate.
int32_t wholePixels(CCoord length)
{
    return int32_t(std::clamp<int64_t>(CanvasMath::toIndex(length), INT32_MIN, INT32_MAX));
}

std::unique_ptr<RasterCanvas> canvasOfSize(int32_t width, int32_t height)
{
    return std::make_unique<RasterCanvas>(width, height, 1, 1);
}

} // namespace

QelCCurveDisplay::QelCCurveDisplay(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background)
    : CControl(size, listener, tag, nullptr)
{
    setBitmap(background);
}

QelCCurveDisplay::QelCCurveDisplay(const QelCCurveDisplay& other)
    : CControl(other), curveColour(other.curveColour), strokeStyle(other.strokeStyle)
{
    if (other.canvas)
        canvas = canvasOfSize(int32_t(other.canvas->width), int32_t(other.canvas->height));
}

QelCCurveDisplay::~QelCCurveDisplay() = default;

void QelCCurveDisplay::setBitmap(CBitmap* bitmap)
{
    if (!bitmap)
        return;
    setBackground(bitmap);
    const int32_t width = wholePixels(bitmap->getWidth());
    if (width % 4 != 0)
        return;
    canvas = canvasOfSize(width, wholePixels(bitmap->getHeight()));
    sourceLoaded = false;
}

// A canvas kept from an earlier background would show that background's pixels, or none.
bool QelCCurveDisplay::canvasFitsBackground() const
{
    const CBitmap* background = getBackground();
    return canvas && background && int64_t(canvas->width) == wholePixels(background->getWidth()) &&
           int64_t(canvas->height) == wholePixels(background->getHeight());
}

void QelCCurveDisplay::draw(CDrawContext* context)
{
    CBitmap* background = getBackground();
    if (canvasFitsBackground()) {
        if (!sourceLoaded) {
            canvas->copySourcePixels(background);
            sourceLoaded = true;
        }
        canvas->clearLayers();
        canvas->lineStyle = strokeStyle == 1 || strokeStyle == 3 ? uint8_t(strokeStyle) : 2;
        const CRect& view = getViewSize();
        canvas->drawRootCurve(0, 0, wholePixels(view.getWidth() - 2), wholePixels(view.getHeight() - 2),
                              curveColour.red, curveColour.green, curveColour.blue, 1.f - getValue());
        canvas->present(context, view);
    } else if (background) {
        background->draw(context, getViewSize());
    }
    setDirty(false);
}

} // namespace VSTGUI
