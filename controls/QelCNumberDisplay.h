#pragma once

#include "vstgui/CColor.h"
#include "vstgui/CControl.h"
#include "vstgui/CFontDesc.h"

#include <string>

class BitmapFont;

namespace VSTGUI {

// Shows the control value times displayFactor as a number: an integer plus intOffset, or with
// precision decimals plus floatOffset, optionally followed by a blank and a percent sign. The text
// never has more than 15 characters: a number that would not fit loses decimals, then takes the
// exponent form. User-interface thread only.
class QelCNumberDisplay : public CControl {
public:
    static constexpr size_t kMaxTextLength = 15;
    static constexpr int32_t kMaxPrecision = 9;

    QelCNumberDisplay(const CRect& size, IControlListener* listener = nullptr, int32_t tag = 0);

    // int(displayFactor x value), saturated to the int32 range (NaN gives 0).
    int32_t getIntValue() const;
    // Stores i / displayFactor as the value, without redraw or report; ignored when that is not a
    // number (a factor of 0 or not finite).
    void setIntValue(int32_t i);
    void setOffset(int32_t i);
    // floatOffset = f, intOffset = floor(f + 0.1) (saturated); returns intOffset.
    int32_t setOffset(float f);
    // The text draw shows.
    std::string getText() const;

    void draw(CDrawContext* context) override;
    CView* newCopy() const override { return new QelCNumberDisplay(*this); }

    bool percentSuffix = false;
    int32_t precision = 0; // used within 0..9
    float displayFactor = 1.f;
    int32_t intOffset = 0;
    float floatOffset = 0.f;
    CColor fontColour = kWhiteCColor;
    SharedPointer<CFontDesc> font{kSystemFont};
    int32_t textAlignment = kCenterText;
    // Borrowed; when set, the text is drawn with it.
    BitmapFont* bitmapFont = nullptr;
};

} // namespace VSTGUI
