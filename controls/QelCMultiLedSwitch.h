#pragma once

#include "vstgui/CBitmap.h"
#include "vstgui/CControl.h"

namespace VSTGUI {

// A row (orientation 2) or column (any other value) of LEDs of which one is lit, drawn from one
// bitmap holding the unlit LED in its upper half and the lit one in its lower half. With n LEDs
// and the value v in [0, 0.9998], LED n - 1 - int(n x v) is lit, counted from the left or top:
// the first covers the top values, the last values below 1/n. A click or drag along the row picks
// the LED under the pointer; the listener hears of it at the release. User-interface thread only.
class QelCMultiLedSwitch : public CControl {
public:
    static constexpr float kMaxValue = 0.9998f;

    // bitmap is borrowed. With a bitmap the control is sized to its LEDs: along the row n LEDs,
    // across at least one. A count below 1 means no LEDs.
    QelCMultiLedSwitch(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* bitmap,
                       int32_t ledCount, int32_t orientation);
    QelCMultiLedSwitch(const QelCMultiLedSwitch& other) = default;
    ~QelCMultiLedSwitch() override;

    // The lit LED; -1 without LEDs.
    int32_t getSelectedLed() const;
    // Stores the value i / n + 0.1, within [0, 0.9998]; neither draws nor notifies. Ignored
    // without LEDs.
    void setSelectedLed(int32_t index);

    CView* newCopy() const override { return new QelCMultiLedSwitch(*this); }
    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;

    bool isHorizontal() const { return orientation == kHorizontal; }

    static constexpr int32_t kHorizontal = 2;

    int32_t orientation;
    int32_t ledCount;
    int32_t ledWidth = 0;
    int32_t ledHeight = 0;
    CBitmap* ledBitmap;

private:
    int32_t litLed(float value) const;
};

} // namespace VSTGUI
