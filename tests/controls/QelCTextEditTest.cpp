#include "controls/QelCTextEdit.h"

#include "ControlsTestSupport.h"

#include <cmath>

// A reference-counted listener, as an editor would be, that logs each change and each focus loss
// with the text then into the test's log (which outlives it).
struct ObjectListener : CBaseObject, IControlListener {
    explicit ObjectListener(std::vector<std::string>& log) : log(log) {}
    void valueChanged(CControl* edit) override { log.push_back("changed " + std::string(static_cast<CTextEdit*>(edit)->getText())); }
    CMessageResult notify(CBaseObject* edit, IdStringPtr message) override
    {
        log.push_back((message == kMsgLooseFocus ? "loose " : "other ") + std::string(static_cast<CTextEdit*>(edit)->getText()));
        return kMessageNotified;
    }
    std::vector<std::string>& log;
};

TEST(MultiLineTextEdit, ShowsThreeLinesBrokenAtBarsAndFittingSpacesAndEndsAnEditInACommitThenTheFocusLoss)
{
    // An 11-point font: half a pixel more or less in a line's height moves its baseline.
    const auto font = makeOwned<CFontDesc>("Arial", 11);
    const auto measuring = COffscreenContext::create(nullptr, 1, 1);
    measuring->setFont(font);
    const CCoord fits = std::trunc(measuring->getStringWidth("aa bb cc"));
    const std::string long253(253, 'a');
    // Text, view width, the lines it shows.
    for (auto [text, width, lines] :
         {std::tuple{std::string("one|two|three|four"), CCoord(200), std::vector<std::string>{"one", "two", "three"}},
          {"", 200, {}}, {"|x||y", 200, {"", "x", ""}}, {"aa bb cc dd ee", fits, {"aa bb cc", "dd ee"}},
          {"aa bb cc dd ee", fits - 1, {"aa bb", "cc dd", "ee"}}, {"wwwwwwwwww x", 30, {"wwwwwwwwww", "x"}},
          {"wwwwwwwwwwww", 30, {"wwwwwwwwwwww"}}, {" wwwwwwwwww", 30, {"", "wwwwwwwwww"}}, {long253 + "|bc", 200, {long253}}}) {
        auto edit = makeOwned<QelCTextEdit>(CRect(0, 0, width, 40), nullptr, 0, text.c_str());
        edit->setFont(font);
        const auto shown = painted(width, 40, [&](CDrawContext& c) {
            c.setFont(kSystemFont, 30); // the context's font before: not the display's
            edit->draw(&c);
        });
        const auto expected = painted(width, 40, [&, width = width, lines = lines](CDrawContext& c) {
            c.setFont(font);
            c.setFontColor(edit->getFontColor());
            for (size_t l = 0; l < lines.size(); ++l)
                c.drawString(lines[l].c_str(), CRect(0, 12.0 * l, width, 12.0 * l + 11), kCenterText, true);
        });
        EXPECT_TRUE(shown == expected && !edit->isDirty()) << text << " " << width;
    }
    // How the editing ends (with an object listener unless the listener is named), what the object
    // listener hears.
    enum Case { kClickElsewhere, kKeypadEnter, kEscape, kOtherApplication, kPlainListener, kListenerReleasedWhileEditing };
    const std::vector<std::string> committed{"changed abc", "loose abc"};
    for (auto [how, heard] : {std::pair{kClickElsewhere, committed}, {kKeypadEnter, committed}, {kEscape, {"loose ab"}},
                              {kOtherApplication, committed}, {kPlainListener, {}}, {kListenerReleasedWhileEditing, committed}}) {
        testsupport::OffscreenRig rig;
        std::vector<std::string> log;
        SharedPointer<ObjectListener> object = owned(new ObjectListener(log));
        IControlListener* listener = how == kPlainListener ? &rig.listener : static_cast<IControlListener*>(object);
        auto* edit = new QelCTextEdit(CRect(10, 10, 110, 40), listener, 2, "ab");
        rig.frame->addView(edit);
        rig.backEnd->mouseDown(CPoint(20, 20), kLButton);
        rig.backEnd->type("c");
        if (how == kListenerReleasedWhileEditing)
            object = nullptr; // its owner lets it go: the edit still holds it
        if (how == kOtherApplication)
            rig.frame->setFocusView(nullptr); // what a window back end does when another window takes the keyboard
        else if (how != kKeypadEnter && how != kEscape)
            rig.backEnd->mouseDown(CPoint(200, 200), kLButton);
        else
            EXPECT_EQ(rig.backEnd->keyDown(0, how == kKeypadEnter ? 19 : 6), 1); // VKEY_ENTER, VKEY_ESCAPE
        EXPECT_EQ((std::tuple{log, rig.frame->getFocusView(), rig.listener.calls.size(), std::string(edit->getText())}),
                  std::tuple(heard, nullptr, size_t(how == kPlainListener), std::string(how == kEscape ? "ab" : "abc")))
            << how;
    }
}
