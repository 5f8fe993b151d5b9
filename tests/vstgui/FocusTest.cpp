// The keyboard focus of a text field inside a container, and the characters the field takes,
// through the offscreen back end.

#include "TestSupport.h"

#include "vstgui/CTextEdit.h"

#include <gtest/gtest.h>

using namespace VSTGUI;

namespace {

// A field at (10, 10, 110, 30) of a container at (100, 100): (110, 110, 210, 130) in the frame.
struct NestedFieldRig : testsupport::OffscreenRig {
    NestedFieldRig()
    {
        container->addView(edit);
        frame->addView(container);
        backEnd->mouseDown(CPoint(150, 120), kLButton);
    }
    CViewContainer* container = new CViewContainer(CRect(100, 100, 250, 200));
    CTextEdit* edit = new CTextEdit(CRect(10, 10, 110, 30), &listener, 4, "ab");
};

TEST(Focus, APressIsTestedAgainstTheFocusedFieldInFrameCoordinates)
{
    NestedFieldRig rig;
    ASSERT_TRUE(rig.edit->isPlatformEditOpen());
    rig.backEnd->keyDown('c');
    // Inside the field but outside its container-relative rectangle: editing goes on.
    rig.backEnd->mouseDown(CPoint(200, 125), kLButton);
    EXPECT_TRUE(rig.edit->isPlatformEditOpen());
    EXPECT_EQ(rig.edit->getEditText(), "abc");
    EXPECT_TRUE(rig.listener.calls.empty());
    // Inside the container-relative rectangle (20, 20) but outside the field: the edit commits.
    rig.backEnd->mouseDown(CPoint(20, 20), kLButton);
    EXPECT_FALSE(rig.edit->isPlatformEditOpen());
    EXPECT_EQ(rig.frame->getFocusView(), nullptr);
    EXPECT_STREQ(rig.edit->getText(), "abc");
    EXPECT_EQ(rig.listener.calls.size(), 1u);
}

TEST(Focus, AFieldLeavingTheFrameThroughItsContainerLosesTheFocusAndTheKeyboard)
{
    for (const bool wholeContainer : {false, true}) {
        NestedFieldRig rig;
        SharedPointer<CTextEdit> edit(rig.edit);
        rig.backEnd->keyDown('c');
        ASSERT_TRUE(rig.backEnd->hasKeyboardFocus());
        if (wholeContainer)
            rig.frame->removeView(rig.container);
        else
            rig.container->removeView(rig.edit);
        EXPECT_EQ(rig.frame->getFocusView(), nullptr) << wholeContainer;
        EXPECT_FALSE(rig.backEnd->hasKeyboardFocus()) << wholeContainer;
        EXPECT_FALSE(edit->isPlatformEditOpen()) << wholeContainer;
        EXPECT_STREQ(edit->getText(), "abc") << wholeContainer;
        EXPECT_EQ(rig.backEnd->keyDown('d'), -1) << wholeContainer; // the host's key again
    }
}

TEST(Focus, AFieldTakesPrintableAsciiAndLatin1CharactersAsOneByte)
{
    const std::pair<int32_t, const char*> rows[] = {{31, "ab"},       {32, "ab "},      {126, "ab~"},
                                                    {127, "ab"},      {159, "ab"},      {160, "ab\xa0"},
                                                    {233, "ab\xe9"}, {255, "ab\xff"}, {256, "ab"}};
    for (const auto& [character, text] : rows) {
        NestedFieldRig rig;
        rig.backEnd->keyDown(character);
        EXPECT_EQ(rig.edit->getEditText(), text) << character;
    }
}

} // namespace
