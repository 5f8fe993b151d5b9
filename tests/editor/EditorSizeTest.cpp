#include "EditorRig.h"

#include "editor/EditorLayout.h"
#include "platform/Registry.h"
#include "vstgui/COptionMenu.h"
#include "vstgui/CResourceDescription.h"

namespace editortest {
namespace {

std::vector<double> corners(const ERect& r) { return {double(r.left), double(r.top), double(r.right), double(r.bottom)}; }
std::vector<double> corners(const BaseRect& r) { return {r.left, r.top, r.right, r.bottom}; }
std::vector<double> corners(const ControlDesc& r) { return {double(r.left), double(r.top), double(r.right), double(r.bottom)}; }

uint8_t storedUISize()
{
    uint8_t size = 99;
    readUISize(&size);
    return size;
}

// Each editor hit-tests with its own layout, whatever size another instance opened at since.
TEST(EditorSize, EachEditorKeepsTheLayoutOfItsOwnSize)
{
    storeUISize(0);
    EditorRig small;
    ASSERT_TRUE(small.open());
    storeUISize(2);
    EditorRig huge;
    ASSERT_TRUE(huge.open());
    small.press(CPoint(460, 235));
    EXPECT_EQ(small.parameter(kModel), 5.0f / 7.0f);
    huge.press(CPoint(920, 470));
    EXPECT_EQ(huge.parameter(kModel), 5.0f / 7.0f);
    EXPECT_EQ(small.control(kPitchCoarse)->getViewSize(), CRect(72, 69, 114, 111));
    EXPECT_EQ(small.control(kTapPadTag)->getViewSize(), CRect(534, 204, 660, 270));
    EXPECT_EQ(huge.control(kPitchCoarse)->getViewSize(), CRect(144, 138, 228, 222));
    EXPECT_EQ(small.editor->getLayout().fontSize + huge.editor->getLayout().fontSize, 12.0 + 20.0);
}

TEST(EditorSize, ChoosingASizeStoresItAtOnceAndResizesAtTheNextIdle)
{
    storeUISize(0);
    EditorRig rig;
    ASSERT_TRUE(rig.open());
    const struct {
        CPoint at;
        bool menu;
    } clicks[] = {{rig.centreOf(kPitchCoarse), false}, {rig.centreOf(kTapPadTag), false}, {kBackground, true},
                  {{400, 225}, true}}; // a model box
    for (const auto& click : clicks) { // a right click; the menu, if any, dismissed
        rig.presenter.shownTitles.clear();
        rig.press(click.at, kRButton);
        rig.release(click.at, kRButton);
        EXPECT_EQ(rig.presenter.shownTitles.size(), click.menu ? 1u : 0u) << click.at.x;
    }
    EXPECT_EQ(rig.presenter.shownTitles.back(), (std::vector<std::string>{"Default", "Large", "Huge", "-"}));
    EXPECT_EQ(rig.press(kBackground, kLButton), kMouseEventNotHandled);
    rig.presenter.choices = {0}; // the size already shown: nothing happens
    rig.press(kBackground, kRButton);
    EXPECT_FALSE(rig.editor->isResizePending());

    rig.presenter.choices = {1};
    EXPECT_EQ(rig.press(kBackground, kRButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_EQ(storedUISize(), 1);
    ERect* rect = nullptr;
    rig.plugin->dispatch(effEditGetRect, 0, 0, &rect);
    EXPECT_EQ(corners(*rect), (std::vector<double>{0, 0, 717, 300}));
    rig.host.clearCalls();
    EditorRig::sleeps.clear();
    rig.idle();
    EXPECT_EQ(corners(*rect), (std::vector<double>{0, 0, 956, 400}));
    EXPECT_EQ(EditorRig::sleeps, std::vector<uint32_t>{200});
    std::vector<std::pair<int32_t, VstIntPtr>> sizeRequests; // one before the rebuild, one by it
    for (const auto& call : rig.host.callsWith(audioMasterSizeWindow))
        sizeRequests.emplace_back(call.index, call.value);
    EXPECT_EQ(sizeRequests, (std::vector<std::pair<int32_t, VstIntPtr>>(2, {956, 400})));
    const EditorLayout& large = rig.editor->getLayout();
    EXPECT_EQ(corners(large.controls[kSplashTag]), (std::vector<double>{76, 272, 300, 360}));
    EXPECT_EQ(corners(large.modelBoxes[0]), (std::vector<double>{500, 292, 584, 308}));
    EXPECT_EQ(large.fontSize, 13.0);
    std::vector<bool> checked; // the menu's check mark: on the current size alone
    rig.presenter.whileOpen = [&](COptionMenu& menu) {
        for (int32_t i = 0; i < 3; ++i)
            checked.push_back(menu.getEntry(i)->isChecked());
    };
    rig.press(kBackground, kRButton);
    EXPECT_EQ(checked, (std::vector<bool>{false, true, false}));

    // The next open, by this instance or another, starts at the stored size.
    rig.plugin->dispatch(effEditClose);
    EditorRig other;
    ERect* otherRect = nullptr;
    other.plugin->dispatch(effEditGetRect, 0, 0, &otherRect);
    EXPECT_EQ(corners(*otherRect), (std::vector<double>{0, 0, 717, 300})); // until it opens
    ASSERT_TRUE(other.open());
    EXPECT_EQ(corners(*otherRect), (std::vector<double>{0, 0, 956, 400}));
}

// Something else may have stored anything: only one byte of 0 to 2 is a size.
TEST(EditorSize, AStoredSizeThatIsNotOneByteOfZeroToTwoReadsAsDefault)
{
    storeUISize(2);
    EXPECT_EQ(storedUISize(), 2);
    for (const std::vector<BYTE>& bytes : {std::vector<BYTE>{3}, {255}, {1, 0}, {}}) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Halvane Audio\\Zarn Pro\\", 0, nullptr, 0,
                                  KEY_SET_VALUE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, "UISize", 0, REG_BINARY, bytes.data(), DWORD(bytes.size()));
        RegCloseKey(key);
        EXPECT_EQ(storedUISize(), 0) << bytes.size();
    }
}

// The host may close the editor, or the whole plug-in, while the size menu waits for the user.
TEST(EditorLifecycle, TheHostClosingWhileTheSizeMenuIsUpLeavesNothingDangling)
{
    storeUISize(0);
    const int64_t objects = ReferenceCounted::liveObjectCount();
    for (const bool wholePlugin : {false, true}) {
        EditorRig rig;
        ASSERT_TRUE(rig.open());
        ASSERT_TRUE(rig.open()); // a second open replaces the first frame
        rig.presenter.choices = {1};
        rig.presenter.whileOpen = [&](COptionMenu&) {
            wholePlugin ? void(rig.plugin->close()) : void(rig.plugin->dispatch(effEditClose));
        };
        EXPECT_EQ(rig.press(kBackground, kRButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
        if (!wholePlugin) {
            EXPECT_FALSE(rig.editor->isEditorOpen());
            ASSERT_TRUE(rig.open());
            EXPECT_EQ(rig.editor->getUISizeIndex(), 1);
        }
    }
    EXPECT_EQ(ReferenceCounted::liveObjectCount(), objects);
}

// Without the panel or the knob strip there is no window to size: the open fails cleanly. The
// other pictures only draw.
TEST(EditorLifecycle, AMissingPanelOrKnobStripFailsTheOpenCleanly)
{
    storeUISize(0);
    EditorRig warmUp; // the real pictures are registered once; these replace them for a while
    static const char kNotAPicture[] = "not a picture";
    for (int32_t missing : {112, 118, 114}) {
        const std::span<const uint8_t> real = CResourceDescription(missing).getData();
        CResourceDescription::registerData(missing, kNotAPicture, sizeof kNotAPicture);
        {
            EditorRig rig;
            EXPECT_EQ(rig.open(), missing == 114) << missing;
            EXPECT_EQ(rig.editor->isEditorOpen(), missing == 114) << missing;
        }
        CResourceDescription::registerData(missing, real.data(), real.size());
    }
}

} // namespace
} // namespace editortest
