#include "TestSupport.h"

#include "vstgui/CVSTGUITimer.h"
#include "vstgui/TimerQueue.h"

using namespace VSTGUI;

namespace {

// The editor's size menu (Default, Large, Huge, separator) with a disabled entry after it.
// Dismissal, the separator, the disabled entry and choices out of range change nothing; a real
// choice becomes the current, checked entry and is reported.
TEST(OptionMenu, OnlyAChoosableChoiceBecomesTheCurrentCheckedEntryAndIsReported)
{
    testsupport::OffscreenRig rig;
    auto* menu = new COptionMenu(CRect(10, 10, 110, 30), &rig.listener, 99999, nullptr, nullptr, COptionMenu::kCheckStyle);
    for (const char* title : {"Default", "Large", "Huge"})
        menu->addEntry(title);
    menu->addSeparator(-1);
    menu->addEntry("Off", -1, CMenuItem::kDisabled);
    EXPECT_FALSE(menu->popup()); // not in an open frame
    rig.frame->addView(menu);
    rig.backEnd->setOptionMenu(nullptr);
    EXPECT_FALSE(menu->popup()); // no presenter
    rig.backEnd->setOptionMenu(&rig.presenter);
    EXPECT_TRUE(!menu->checkEntryAlone(7) && menu->checkEntryAlone(0));
    rig.presenter.choices = {-1, 3, 4, 1000, 2};
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(menu->popup());
    const auto state = [&] {
        return std::tuple(menu->getCurrentIndex(true), menu->getEntry(0)->isChecked(), menu->getEntry(2)->isChecked(),
                          rig.listener.calls.size(), menu->isEditing());
    };
    EXPECT_EQ(state(), std::tuple(-1, true, false, 0u, false));
    EXPECT_TRUE(menu->popup());
    EXPECT_EQ(state(), std::tuple(2, false, true, 1u, false));
    EXPECT_EQ(rig.listener.calls.at(0), (testsupport::RecordingListener::Call{99999, 2}));
    EXPECT_EQ(rig.presenter.shownTitles.at(0), (std::vector<std::string>{"Default", "Large", "Huge", "-", "Off"}));

    // A shown menu may be released meanwhile.
    rig.presenter.whileOpen = [&](COptionMenu& open) { rig.frame->removeView(&open); };
    rig.presenter.choices = {1};
    EXPECT_TRUE(menu->popup());
    EXPECT_EQ(rig.frame->getNbViews(), 0);
}

// Records when timer messages come.
class TimerProbe : public CBaseObject {
public:
    CMessageResult notify(CBaseObject*, IdStringPtr message) override
    {
        if (message != CVSTGUITimer::kMsgTimer)
            return kMessageUnknown;
        ticks.push_back(TimerQueue::forCurrentThread().now());
        return kMessageNotified;
    }
    std::vector<uint64_t> ticks;
};

TEST(Timer, FiresEveryPeriodWhileRunning)
{
    TimerQueue& queue = TimerQueue::forCurrentThread();
    auto probe = makeOwned<TimerProbe>();
    auto timer = makeOwned<CVSTGUITimer>(probe.get(), 200, false);
    const uint64_t start = queue.now();
    queue.advance(1000);
    timer->start();
    queue.advance(199);
    EXPECT_TRUE(probe->ticks.empty());
    queue.advance(1);
    EXPECT_EQ(probe->ticks, (std::vector<uint64_t>{start + 1200}));
    queue.advance(450);
    EXPECT_EQ(probe->ticks.size(), 3u);
    timer->stop();
    queue.advance(1000);
    EXPECT_TRUE(probe->ticks.size() == 3 && !queue.contains(*timer));
}

} // namespace
