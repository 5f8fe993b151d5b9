// Keyboard focus, text editing with keys, and drags delivered by the frame, through the offscreen
// back end. Key codes are the published VST 2.4 numbers: Back 1, Return 4, Escape 6, End 9,
// Home 10, Left 11, Right 13, keypad Enter 19, Delete 22; the Control modifier is 8.

#include "TestSupport.h"

#include "vstgui/CTextEdit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace VSTGUI;

namespace {

const CColor kInk(255, 255, 0, 255);

struct TextEditRig : testsupport::OffscreenRig {
    TextEditRig() : edit(new CTextEdit(CRect(20, 20, 120, 50), &listener, 5, "ab"))
    {
        edit->setFontColor(kInk);
        frame->addView(edit);
        backEnd->mouseDown(CPoint(30, 30), 2);
    }
    // Types keys, where < > ^ $ ~ # stand for Left, Right, Home, End, Delete and Backspace, and %
    // for Control+q.
    void press(const std::string& keys)
    {
        const std::string named = "<>^$~#";
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
            if (backEnd->getPixel(x, 24) == kInk)
                return x;
        return -1;
    }
    CTextEdit* edit;
};

TEST(TextEdit, KeysEditTheTextReturnOrEnterCommitsEscapeRestoresAndLosingTheFocusCommits)
{
    enum End { kReturn = 4, kEscape = 6, kEnter = 19, kClickElsewhere, kRemoved };
    // The keys typed into "ab" (caret at its end), how the editing ends, the text afterwards.
    for (auto [keys, end, result] :
         {std::tuple{"c", kReturn, "abc"}, {"<<<x", kEnter, "xab"}, {"^~>>y", kReturn, "by"}, {"$~###", kReturn, ""},
          {"%\x07\x7f", kReturn, "ab"}, {"c ", kEscape, "ab"}, {"c", kClickElsewhere, "abc"}, {"c", kRemoved, "abc"},
          {"", kClickElsewhere, "ab"}}) {
        TextEditRig rig;
        ASSERT_TRUE(rig.edit->isPlatformEditOpen());
        EXPECT_TRUE(rig.backEnd->hasKeyboardFocus());
        rig.press(keys);
        SharedPointer<CTextEdit> edit(rig.edit);
        if (end == kClickElsewhere)
            rig.backEnd->mouseDown(CPoint(200, 200), 2);
        else if (end == kRemoved)
            rig.frame->removeView(rig.edit);
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
    EXPECT_GT(atEnd, 32);
    rig.press("^");
    EXPECT_EQ(rig.caretColumn(), 22);
    rig.press("$");
    EXPECT_EQ(rig.caretColumn(), atEnd);
    rig.press(std::string(50, 'w'));
    EXPECT_TRUE(rig.caretColumn() >= 110 && rig.caretColumn() < 120) << rig.caretColumn();
    rig.backEnd->mouseDown(CPoint(200, 200), 2);
    EXPECT_EQ(rig.caretColumn(), -1);
}

// Records the calls that reach it in a log shared by all.
struct RecordingTarget : IDropTarget {
    RecordingTarget(std::string name, std::vector<std::string>& log) : name(std::move(name)), log(log) {}
    DragOperation onDragEnter(DragEventData) override { return record("enter"), DragOperation::Copy; }
    DragOperation onDragMove(DragEventData) override { return record("move"), DragOperation::Copy; }
    void onDragLeave(DragEventData) override { record("leave"); }
    bool onDrop(DragEventData) override { return record("drop"), true; }
    void record(const char* what) { log.push_back(std::string(what) + " " + name); }
    std::string name;
    std::vector<std::string>& log;
};

// a; a container c at (150, 10) holding b and, at (60, 60), a view without a target; e, its lower
// half covered by a view without a target.
TEST(Drag, TheTopmostViewUnderThePointerOrItsNearestContainerWithATargetTakesIt)
{
    testsupport::OffscreenRig rig;
    std::vector<std::string> log;
    const auto withTarget = [&](CView* view, const char* name) {
        view->setDropTarget(owned<IDropTarget>(new RecordingTarget(name, log)));
        return view;
    };
    rig.frame->addView(withTarget(new CView(CRect(10, 10, 110, 110)), "a"));
    auto* container = new CViewContainer(CRect(150, 10, 290, 150));
    container->addView(withTarget(new CView(CRect(10, 10, 60, 60)), "b"));
    container->addView(new CView(CRect(60, 60, 100, 100)));
    rig.frame->addView(withTarget(container, "c"));
    rig.frame->addView(withTarget(new CView(CRect(0, 200, 100, 300)), "e"));
    rig.frame->addView(new CView(CRect(0, 250, 100, 300)));
    rig.backEnd->dragEnter(CPoint(50, 50));
    rig.backEnd->dragMove(CPoint(60, 60));
    rig.backEnd->dragMove(CPoint(170, 30));
    rig.backEnd->dragMove(CPoint(230, 90));
    rig.backEnd->dragMove(CPoint(50, 275));
    rig.backEnd->dragMove(CPoint(50, 220));
    EXPECT_TRUE(rig.backEnd->drop(CPoint(50, 50)));
    rig.backEnd->dragEnter(CPoint(500, 500));
    rig.backEnd->dragEnter(CPoint(170, 30));
    rig.frame->remember();
    rig.frame->close(); // the rig's close releases it
    EXPECT_EQ(log, (std::vector<std::string>{"enter a", "move a", "leave a", "enter b", "leave b", "enter c", "leave c",
                                             "enter e", "leave e", "enter a", "drop a", "enter b", "leave b"}));
}

} // namespace
