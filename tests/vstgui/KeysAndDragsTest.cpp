// Keyboard focus, text editing with keys, and drags delivered by the frame, through the offscreen
// back end.

#include "TestSupport.h"

#include "vstgui/CTextEdit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace VSTGUI;

namespace {

const CColor kInk(255, 255, 0, 255);
constexpr CRect kField(20, 20, 120, 50);

struct Key {
    int32_t character;
    unsigned char virt = 0;
    unsigned char modifier = 0;
};
constexpr Key key(unsigned char virt) { return {0, virt}; }

struct TextEditRig : testsupport::OffscreenRig {
    TextEditRig() : edit(new CTextEdit(kField, &listener, 5, "ab"))
    {
        edit->setFontColor(kInk);
        edit->setBackColor(CColor(0, 0, 80, 255));
        frame->addView(edit);
    }
    void press(const std::vector<Key>& keys)
    {
        for (const Key& k : keys)
            backEnd->keyDown(k.character, k.virt, k.modifier);
    }
    // The caret's column: the one ink pixel in a row above every glyph.
    int caretColumn()
    {
        frame->idle();
        for (int x = 0; x < 300; ++x)
            if (backEnd->getPixel(x, int(kField.top) + 4) == kInk)
                return x;
        return -1;
    }
    CTextEdit* edit;
};

TEST(TextEdit, KeysEditTheTextReturnCommitsEscapeRestoresAndLosingTheFocusCommits)
{
    enum End { kReturn, kEscape, kClickElsewhere, kRemoved };
    // The keys typed into "ab" (caret at its end), how the editing ends, the text afterwards.
    for (auto [keys, end, result] :
         {std::tuple{std::vector<Key>{{'c'}}, kReturn, "abc"},
          {{key(VKEY_LEFT), key(VKEY_LEFT), key(VKEY_LEFT), {'x'}}, kReturn, "xab"},
          {{key(VKEY_HOME), key(VKEY_DELETE), key(VKEY_RIGHT), key(VKEY_RIGHT), {'y'}}, kReturn, "by"},
          {{key(VKEY_END), key(VKEY_DELETE), key(VKEY_BACK), key(VKEY_BACK), key(VKEY_BACK)}, kReturn, ""},
          {{{'q', 0, MODIFIER_CONTROL}, {7}, {127}, key(VKEY_UP)}, kReturn, "ab"},
          {{{'c'}, {' '}}, kEscape, "ab"},
          {{{'c'}}, kClickElsewhere, "abc"},
          {{{'c'}}, kRemoved, "abc"},
          {{}, kClickElsewhere, "ab"}}) {
        TextEditRig rig;
        EXPECT_EQ(rig.backEnd->keyDown('z'), -1); // no focus: the key is nobody's
        rig.backEnd->mouseDown(CPoint(30, 30), kLButton);
        ASSERT_TRUE(rig.edit->isPlatformEditOpen());
        EXPECT_TRUE(rig.backEnd->hasKeyboardFocus());
        rig.press(keys);
        SharedPointer<CTextEdit> edit(rig.edit);
        if (end == kReturn)
            EXPECT_EQ(rig.backEnd->keyDown(0, VKEY_RETURN), 1);
        else if (end == kEscape)
            rig.backEnd->keyDown(0, VKEY_ESCAPE);
        else if (end == kClickElsewhere)
            rig.backEnd->mouseDown(CPoint(200, 200), kLButton);
        else
            rig.frame->removeView(rig.edit);
        EXPECT_STREQ(edit->getText(), result) << int(end);
        EXPECT_FALSE(edit->isPlatformEditOpen());
        EXPECT_FALSE(rig.backEnd->hasKeyboardFocus());
        EXPECT_EQ(rig.frame->getFocusView(), nullptr);
        EXPECT_EQ(rig.listener.calls.size(), std::string(result) != "ab" ? 1u : 0u) << result;
        EXPECT_EQ(rig.backEnd->keyDown('z'), -1);
    }
}

TEST(TextEdit, TheCaretFollowsTheKeysAndALongTextScrollsToKeepItInTheField)
{
    TextEditRig rig;
    EXPECT_EQ(rig.caretColumn(), -1); // not editing: no caret
    rig.backEnd->mouseDown(CPoint(30, 30), kLButton);
    const int atEnd = rig.caretColumn();
    rig.press({key(VKEY_HOME)});
    EXPECT_EQ(rig.caretColumn(), int(kField.left) + 2);
    rig.press({key(VKEY_END)});
    EXPECT_EQ(rig.caretColumn(), atEnd);
    EXPECT_GT(atEnd, int(kField.left) + 2 + 10);
    rig.backEnd->type("wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwww");
    const int scrolled = rig.caretColumn();
    EXPECT_GE(scrolled, int(kField.right) - 10);
    EXPECT_LT(scrolled, int(kField.right));
}

// Records what reaches it, named.
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

struct DragRig : testsupport::OffscreenRig {
    DragRig()
    {
        // a; a container c holding b and a view without a target; e, partly covered by another.
        addWithTarget(frame, new CView(CRect(10, 10, 110, 110)), "a");
        auto* container = new CViewContainer(CRect(150, 10, 290, 150));
        addWithTarget(container, new CView(CRect(10, 10, 60, 60)), "b");
        container->addView(new CView(CRect(60, 60, 100, 100)));
        addWithTarget(frame, container, "c");
        addWithTarget(frame, new CView(CRect(0, 200, 100, 300)), "e");
        frame->addView(new CView(CRect(0, 250, 100, 300)));
    }
    void addWithTarget(CViewContainer* parent, CView* view, const char* name)
    {
        view->setDropTarget(owned<IDropTarget>(new RecordingTarget(name, log)));
        parent->addView(view);
    }
    std::vector<std::string> log;
};

TEST(Drag, TheTopmostViewUnderThePointerOrItsNearestContainerWithATargetTakesIt)
{
    DragRig rig;
    // Each step's position and the calls it adds.
    enum Step { kEnter, kMove, kLeave, kDrop };
    for (auto [step, where, calls] :
         {std::tuple{kEnter, CPoint(50, 50), std::vector<std::string>{"enter a"}},
          {kMove, {60, 60}, {"move a"}},
          {kMove, {170, 30}, {"leave a", "enter b"}},
          {kMove, {230, 90}, {"leave b", "enter c"}},
          {kMove, {50, 275}, {"leave c"}},
          {kMove, {50, 220}, {"enter e"}},
          {kDrop, {50, 220}, {"move e", "drop e"}},
          {kLeave, {50, 220}, {}},
          {kEnter, {500, 500}, {}},
          {kEnter, {50, 50}, {"enter a"}},
          {kLeave, {50, 50}, {"leave a"}}}) {
        rig.log.clear();
        if (step == kEnter)
            rig.backEnd->dragEnter(where);
        else if (step == kMove)
            rig.backEnd->dragMove(where);
        else if (step == kLeave)
            rig.backEnd->dragLeave(where);
        else
            EXPECT_TRUE(rig.backEnd->drop(where));
        EXPECT_EQ(rig.log, calls) << where.x << "," << where.y;
    }
}

TEST(Drag, AFrameThatClosesMidDragSendsTheLeave)
{
    DragRig rig;
    rig.backEnd->dragEnter(CPoint(50, 220));
    rig.log.clear();
    rig.frame->remember();
    rig.frame->close();
    EXPECT_EQ(rig.log, std::vector<std::string>{"leave e"});
    rig.frame->forget();
    rig.frame = new CFrame(CRect(0, 0, 10, 10), nullptr); // for the rig's own close
    rig.frame->open(nullptr, PlatformType::kOffscreen);
}

} // namespace
