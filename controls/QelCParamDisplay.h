#pragma once

#include "vstgui/CFrame.h"
#include "vstgui/CParamDisplay.h"
#include "vstgui/CVSTGUITimer.h"

class BitmapFont;

namespace VSTGUI {

// The value pop-up: a small box beside a knob showing the text the client wrote into popupText.
// It joins the frame's views only while shown. A timer can hide it when the pointer leaves its
// anchor or the left button is released. User-interface thread only.
class QelCParamDisplay : public CParamDisplay {
public:
    enum HideMode : int32_t {
        kHideNone = 0,
        kHideOnLeave = 1,
        kHideOnRelease = 2,
    };

    // parent is borrowed: the frame the pop-up adds itself to.
    QelCParamDisplay(const CRect& size, CFrame* parent, CBitmap* background = nullptr, int32_t style = 0);
    QelCParamDisplay(const QelCParamDisplay&) = delete;
    QelCParamDisplay& operator=(const QelCParamDisplay&) = delete;
    ~QelCParamDisplay() override;

    // Places the pop-up below the anchor (above when forceAbove, or when less than margin pixels
    // would remain below it) and adds it to the frame. While shown, it only redraws.
    void showPopup(const CRect& anchor, bool forceAbove, bool hideOnLeave);
    // Moves a shown pop-up so that its top-left corner is at (x - 40, y + 5) and redraws it; the
    // point (0, 0) only redraws.
    void movePopup(const CPoint& where);
    // Stops the timer and takes the pop-up out of the frame; the owner keeps its reference.
    void hidePopup();

    // Both return the stored value: padding clamped to 0..64, margin to 0..256.
    int32_t setPadding(int32_t padding);
    int32_t setMargin(int32_t newMargin);

    CMessageResult notify(CBaseObject* sender, IdStringPtr message) override;
    void draw(CDrawContext* context) override;

    // Shown: a frame is set and the pop-up is in its view tree.
    bool isOpen() const { return parentFrame && isAttached(); }

    static constexpr uint32_t kTimerPeriodMs = 200;

    // Written by the client before each show; drawn up to its first NUL, at most 255 characters.
    char popupText[256] = {};
    CRect savedRect{0, 0, 32, 32};
    int32_t margin = 32;
    CVSTGUITimer* timer = nullptr;
    int32_t tickCount = 0;
    int32_t hideMode = kHideOnLeave;
    int32_t textPadding = 8;
    // Borrowed; when set, the text is measured and drawn with it.
    BitmapFont* bitmapFont = nullptr;
    CFrame* parentFrame = nullptr;
    float textScale = 1.f;
    // Where the box sits in the view: 0 left, 1 centre, 2 right, any other value the whole width.
    int32_t alignment = 1;

private:
    float textHeight() const;
    CCoord boxWidth(CDrawContext* context, const char* text) const;
};

// The hide mode of a show that does not ask for kHideOnLeave: kHideOnRelease when set,
// else kHideNone. Process-wide; nothing in the plug-in sets it.
extern bool popupHideOnRelease;

} // namespace VSTGUI
