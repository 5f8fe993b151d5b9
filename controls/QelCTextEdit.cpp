#include "controls/QelCTextEdit.h"

#include "support/BitmapFont.h"
#include "vstgui/CDrawContext.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace VSTGUI {

QelCTextEdit::QelCTextEdit(const CRect& size, IControlListener* listener, int32_t tag, UTF8StringPtr text)
    : CTextEdit(size, listener, tag, text, nullptr, 0)
{
}

QelCTextEdit::~QelCTextEdit() = default;

int32_t QelCTextEdit::measure(CDrawContext* context, const std::string& line) const
{
    if (bitmapFont)
        return bitmapFont->getStringWidth(line.c_str(), context);
    const CCoord width = context->getStringWidth(line.c_str());
    return std::isfinite(width) ? int32_t(std::clamp<CCoord>(width, 0, INT32_MAX)) : 0;
}

void QelCTextEdit::drawLine(CDrawContext* context, const std::string& line, const CRect& rect) const
{
    if (bitmapFont) {
        CRect drawnRect = rect;
        const CColor colour = getFontColor();
        bitmapFont->drawString(line.c_str(), context, drawnRect, &colour, getHoriAlign(), 1.f, false, false);
        return;
    }
    context->setFontColor(getFontColor());
    context->drawString(line.c_str(), rect, getHoriAlign(), true);
}

void QelCTextEdit::draw(CDrawContext* context)
{
    if (isPlatformEditOpen()) {
        CTextEdit::draw(context); // the field shows the text being edited
        return;
    }
    const std::string shown = std::string(getText()).substr(0, kMaxShownLength);
    const CRect& r = getViewSize();
    const int32_t maxWidth = int32_t(std::clamp<CCoord>(r.getWidth(), 0, INT32_MAX));
    // Every line is measured with the font it is drawn in (the context may hold any font before).
    if (!bitmapFont && getFont())
        context->setFont(getFont(), 0, -1);
    size_t pos = 0;
    for (int32_t l = 0; l < kMaxLines && pos < shown.size(); ++l) {
        const std::string rest = shown.substr(pos);
        std::string line = rest.substr(0, rest.find('|'));
        if (measure(context, line) > maxWidth) {
            // Back from the end at each space until the line fits; a word alone stays too wide.
            for (size_t i = std::min(line.size(), rest.size()); i-- > 0;) {
                if (line[i] != ' ')
                    continue;
                line.resize(i);
                if (measure(context, line) <= maxWidth)
                    break;
            }
        }
        const CCoord top = r.top + CCoord(lineHeight) * l;
        drawLine(context, line, CRect(r.left, top, r.right, top + (lineHeight - 1)));
        pos += line.size() + 1; // past the '|' or space that ended the line
    }
    setDirty(false);
}

void QelCTextEdit::takeFocus()
{
    editingListener = dynamic_cast<CBaseObject*>(getListener());
    CTextEdit::takeFocus();
}

void QelCTextEdit::looseFocus()
{
    // The listener may release this control or change listeners when it hears of the new text.
    SharedPointer<QelCTextEdit> self(this);
    SharedPointer<CBaseObject> held = std::move(editingListener);
    editingListener = nullptr;
    CTextEdit::looseFocus();
    // Only a listener still set is told: the held one when it is it, else one that is a
    // reference-counted object now.
    CBaseObject* receiver = dynamic_cast<CBaseObject*>(getListener());
    if (!receiver)
        return;
    SharedPointer<CBaseObject> keep(receiver);
    receiver->notify(this, kMsgLooseFocus);
}

} // namespace VSTGUI
