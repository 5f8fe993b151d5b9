#include "controls/QelCTextEdit.h"

#include "tests/vstgui/TestSupport.h"

#include "vstgui/COffscreenContext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace VSTGUI;

namespace {

constexpr CCoord kHeight = 40;

// The pixels of a context of width x 40 after paint.
std::vector<uint8_t> painted(CCoord width, const std::function<void(CDrawContext&)>& paint)
{
    auto context = COffscreenContext::create(nullptr, width, kHeight);
    context->setFont(kSystemFont, 30); // the context's font before: not the display's
    paint(*context);
    const IPlatformBitmap& pixels = *context->getBitmap()->getPlatformBitmap();
    return {pixels.getPixels(), pixels.getPixels() + size_t(pixels.getBytesPerRow()) * size_t(pixels.getPixelHeight())};
}

CCoord widthOf(const char* text)
{
    auto context = COffscreenContext::create(nullptr, 1, 1);
    context->setFont(kSystemFont);
    return std::trunc(context->getStringWidth(text));
}

TEST(MultiLineTextEdit, BreaksAtBarsWrapsAtTheLastFittingSpaceAndShowsThreeLinesOf254Characters)
{
    const CCoord fits = widthOf("aa bb cc");
    const std::string long253(253, 'a');
    // Text, view width, the lines it shows.
    for (auto [text, width, lines] :
         {std::tuple{std::string("one|two|three|four"), CCoord(200), std::vector<std::string>{"one", "two", "three"}},
          {"", 200, {}},
          {"|x||y", 200, {"", "x", ""}},
          {"aa bb cc dd ee", fits, {"aa bb cc", "dd ee"}},
          {"aa bb cc dd ee", fits - 1, {"aa bb", "cc dd", "ee"}},
          {"wwwwwwwwww x", 30, {"wwwwwwwwww", "x"}},
          {"wwwwwwwwww|x", 30, {"wwwwwwwwww", "x"}},
          {"wwwwwwwwwwww", 30, {"wwwwwwwwwwww"}},
          {" wwwwwwwwww", 30, {"", "wwwwwwwwww"}},
          {long253 + "|bc", 200, {long253}}}) {
        auto edit = makeOwned<QelCTextEdit>(CRect(0, 0, width, kHeight), nullptr, 0, text.c_str());
        const auto shown = painted(width, [&](CDrawContext& c) { edit->draw(&c); });
        const auto expected = painted(width, [&, width = width, lines = lines](CDrawContext& c) {
            c.setFont(kSystemFont);
            c.setFontColor(edit->getFontColor());
            for (size_t l = 0; l < lines.size(); ++l)
                c.drawString(lines[l].c_str(), CRect(0, 12.0 * l, width, 12.0 * l + 11), kCenterText, true);
        });
        EXPECT_EQ(shown, expected) << text << " " << width;
        EXPECT_FALSE(edit->isDirty());
    }
}

// A reference-counted listener, as an editor would be, that counts what it hears into the test's
// counters (they outlive it).
struct ObjectListener : CBaseObject, IControlListener {
    ObjectListener(int& changes, int& looseFocus) : changes(changes), looseFocus(looseFocus) {}
    void valueChanged(CControl*) override { ++changes; }
    CMessageResult notify(CBaseObject*, IdStringPtr message) override
    {
        looseFocus += message == kMsgLooseFocus ? 1 : 0;
        return kMessageNotified;
    }
    int& changes;
    int& looseFocus;
};

TEST(MultiLineTextEdit, LosingTheFocusNotifiesAListenerThatIsAnObjectEvenOneReleasedWhileEditing)
{
    enum Case { kObject, kPlain, kReleasedWhileEditing, kClearedWhileEditing };
    // The case, the changes and focus losses the object listener hears.
    for (auto [c, changes, losses] : {std::tuple{kObject, 1, 1}, {kPlain, 0, 0}, {kReleasedWhileEditing, 1, 1},
                                      {kClearedWhileEditing, 0, 0}}) {
        testsupport::OffscreenRig rig;
        int heardChanges = 0, heardLosses = 0;
        SharedPointer<ObjectListener> object = owned(new ObjectListener(heardChanges, heardLosses));
        IControlListener* listener = c == kPlain ? static_cast<IControlListener*>(&rig.listener) : object.get();
        auto* edit = new QelCTextEdit(CRect(10, 10, 110, 40), listener, 2, "ab");
        rig.frame->addView(edit);
        edit->setBackColor(CColor(0, 0, 90, 255));
        rig.backEnd->mouseDown(CPoint(20, 20), kLButton);
        rig.frame->idle();
        EXPECT_EQ(rig.backEnd->getPixel(11, 11), CColor(0, 0, 90, 255)); // the field while editing
        rig.backEnd->type("c");
        if (c == kReleasedWhileEditing)
            object = nullptr; // its owner lets it go: the edit still holds it
        if (c == kClearedWhileEditing)
            edit->setListener(nullptr);
        rig.backEnd->mouseDown(CPoint(200, 200), kLButton);
        EXPECT_EQ(std::pair(heardChanges, heardLosses), std::pair(changes, losses)) << c;
        EXPECT_STREQ(edit->getText(), "abc");
    }
}

} // namespace
