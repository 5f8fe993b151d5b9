#pragma once

#include "support/RasterCanvas.h"
#include "vstgui/CControl.h"

#include <cstdint>
#include <memory>

namespace VSTGUI {

// A curve over a background picture: a root curve from the lower left to the upper right corner,
// bent by the value (0.5 straight, 0 towards the lower right, 1 towards the upper left), drawn by
// a raster canvas of the background's size that holds the background's pixels. A background whose
// width is not a multiple of four gets no canvas of its own; while the canvas and the background
// differ in size, the background is drawn alone. User-interface thread only.
class QelCCurveDisplay : public CControl {
public:
    struct Colour {
        uint8_t red;
        uint8_t green;
        uint8_t blue;
    };

    // background is shared, as setBitmap takes it.
    QelCCurveDisplay(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background);
    // The copy shares the background and draws through a canvas of its own.
    QelCCurveDisplay(const QelCCurveDisplay& other);
    ~QelCCurveDisplay() override;

    // Ignored for null. Otherwise the bitmap becomes the background; a width that is a multiple
    // of four also replaces the canvas with one of the bitmap's size.
    void setBitmap(CBitmap* bitmap);

    CView* newCopy() const override { return new QelCCurveDisplay(*this); }
    void draw(CDrawContext* context) override;

    Colour curveColour{255, 255, 255};
    // 1 and 3 select the canvas's line styles 1 and 3 (two and four pixels across), anything
    // else style 2 (three pixels).
    int32_t strokeStyle = 2;
    std::unique_ptr<RasterCanvas> canvas;
    // The background's pixels are in the canvas.
    bool sourceLoaded = false;

private:
    bool canvasFitsBackground() const;
};

} // namespace VSTGUI
