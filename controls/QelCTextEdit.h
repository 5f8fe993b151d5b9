#pragma once

#include "vstgui/CTextEdit.h"

class BitmapFont;

namespace VSTGUI {

// A text edit that shows its text, while it is not edited, on up to three lines: '|' breaks a
// line, and a line too wide for the view wraps at its last space that makes it fit. After losing
// the focus it sends kMsgLooseFocus to a listener that is also a CBaseObject. Editing is the
// toolkit's. User-interface thread only.
class QelCTextEdit : public CTextEdit {
public:
    static constexpr size_t kMaxShownLength = 254;
    static constexpr int32_t kMaxLines = 3;

    QelCTextEdit(const CRect& size, IControlListener* listener, int32_t tag, UTF8StringPtr text);
    ~QelCTextEdit() override;

    void draw(CDrawContext* context) override;
    void takeFocus() override;
    void looseFocus() override;
    CView* newCopy() const override { return new QelCTextEdit(*this); }

    // Borrowed; when set, text is measured and drawn with it.
    BitmapFont* bitmapFont = nullptr;
    // Pixels from one line's top to the next.
    int32_t lineHeight = 12;

private:
    int32_t measure(CDrawContext* context, const std::string& line) const;
    void drawLine(CDrawContext* context, const std::string& line, const CRect& rect) const;

    // The listener as a reference-counted object, held while editing so that one its owner
    // releases meanwhile still hears that the editing ended.
    SharedPointer<CBaseObject> editingListener;
};

} // namespace VSTGUI
