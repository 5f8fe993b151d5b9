#pragma once

#include "vstgui/CKnobBase.h"

namespace VSTGUI {

// A knob drawn from a vertical strip of subPixmaps frames, each heightOfOneImage high: frame
// floor(normalised value x (frames - 1)).
class CAnimKnob : public CKnobBase {
public:
    CAnimKnob(const CRect& size, IControlListener* listener, int32_t tag, int32_t subPixmaps,
              CCoord heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint(0, 0));

    void draw(CDrawContext* context) override;
    CView* newCopy() const override { return new CAnimKnob(*this); }

    int32_t getNumSubPixmaps() const { return subPixmaps; }
    CCoord getHeightOfOneImage() const { return heightOfOneImage; }
    // The frame that draw shows for the current value.
    int32_t getFrameIndex() const;

private:
    int32_t subPixmaps;
    CCoord heightOfOneImage;
    CPoint offset;
};

} // namespace VSTGUI
