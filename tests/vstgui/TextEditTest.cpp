// Keyboard focus and text editing with keys, through the offscreen back end. Key codes are the
// published VST 2.4 numbers: Back 1, Return 4, Escape 6, End 9, Home 10, Left 11, Right 13, keypad
// Enter 19, Delete 22; the Control modifier is 8.

#include "TestSupport.h"

#include "vstgui/CTextEdit.h"

#include <string>

using namespace VSTGUI;

namespace {

const CColor kInk(255, 255, 0, 255);

// A field at (10, 10, 110, 40) of a container at (100, 100): (110, 110, 210, 140) in the frame,
// pressed into editing.
struct TextEditRig : testsupport::OffscreenRig {
    TextEditRig()
    {
        edit->setFontColor(kInk);
        container->addView(edit);
        frame->addView(container);
        backEnd->mouseDown(CPoint(150, 120), 2);
    }
    // Types keys, where < > ^ $ | # stand for Left, Right, Home, End, Delete and Backspace, and %
    // for Control+q.
    void press(const std::string& keys)
    {
        const std::string named = "<>^$|#";
        const unsigned char codes[] = {11, 13, 10, 9, 22, 1};
        for (char c : keys) {
            const size_t at = named.find(c);
            if (c == '%')
                backEnd->keyDown('q', 0, 8);
            else
                backEnd->keyDown(at == std::string::npos ? uint8_t(c) : 0, at == std::string::npos ? 0 : codes[at]);
        }
    }
    // The caret's column: the one ink pixel in a row above every glyph.
    int caretColumn()
    {
        frame->idle();
        for (int x = 0; x < 300; ++x)
            if (backEnd->getPixel(x, 114) == kInk)
                return x;
        return -1;
    }
    CViewContainer* container = new CViewContainer(CRect(100, 100, 250, 200));
    CTextEdit* edit = new CTextEdit(CRect(10, 10, 110, 40), &listener, 5, "ab");
};

// Printable ASCII and Latin-1 (32-126, 160-255) are typed as one byte each. A press inside the
// field keeps the edit; one at (20, 20), inside the field's rectangle in its container but not in
// the frame, ends it, as does the field leaving the frame with or without its container.
TEST(TextEdit, KeysEditTheTextReturnOrEnterCommitsEscapeRestoresAndLosingTheFocusCommits)
{
    enum End { kReturn = 4, kEscape = 6, kEnter = 19, kClickElsewhere, kRemoved, kContainerRemoved };
    // The keys typed into "ab" (caret at its end), how the editing ends, the text afterwards.
    for (auto [keys, end, result] :
         {std::tuple{"c", kReturn, "abc"}, {"<<<x", kEnter, "xab"}, {"^|>>y", kReturn, "by"}, {"$|###", kReturn, ""},
          {"%\x07\x7f\x1f\x9f", kReturn, "ab"}, {" ~\xa0\xe9\xff", kReturn, "ab ~\xa0\xe9\xff"}, {"c ", kEscape, "ab"},
          {"c", kClickElsewhere, "abc"}, {"c", kRemoved, "abc"}, {"c", kContainerRemoved, "abc"},
          {"", kClickElsewhere, "ab"}}) {
        TextEditRig rig;
        ASSERT_TRUE(rig.edit->isPlatformEditOpen() && rig.backEnd->hasKeyboardFocus());
        rig.press(keys);
        rig.backEnd->mouseDown(CPoint(200, 125), 2);
        SharedPointer<CTextEdit> edit(rig.edit);
        if (end == kClickElsewhere)
            rig.backEnd->mouseDown(CPoint(20, 20), 2);
        else if (end == kRemoved)
            rig.container->removeView(rig.edit);
        else if (end == kContainerRemoved)
            rig.frame->removeView(rig.container);
        else
            EXPECT_EQ(rig.backEnd->keyDown(0, uint8_t(end)), 1);
        EXPECT_STREQ(edit->getText(), result) << keys << " " << int(end);
        EXPECT_FALSE(edit->isPlatformEditOpen() || rig.backEnd->hasKeyboardFocus() || rig.frame->getFocusView());
        EXPECT_EQ(rig.listener.calls.size(), std::string(result) != "ab" ? 1u : 0u) << result;
        EXPECT_EQ(rig.backEnd->keyDown('z'), -1); // no focus: the key is nobody's
    }
}

// The caret sits two pixels into the field at Home and scrolls a long text to stay inside it.
TEST(TextEdit, TheCaretFollowsTheKeysAndALongTextScrolls)
{
    TextEditRig rig;
    const int atEnd = rig.caretColumn();
    EXPECT_GT(atEnd, 122);
    rig.press("^");
    EXPECT_EQ(rig.caretColumn(), 112);
    rig.press("$");
    EXPECT_EQ(rig.caretColumn(), atEnd);
    rig.press(std::string(50, 'w'));
    EXPECT_TRUE(rig.caretColumn() >= 200 && rig.caretColumn() < 210) << rig.caretColumn();
    rig.backEnd->mouseDown(CPoint(200, 200), 2);
    EXPECT_EQ(rig.caretColumn(), -1);
}

} // namespace
