#include "EditorRig.h"

#include "platform/Registry.h"
#include "vstgui/CResourceDescription.h"

#include <vector>

namespace editortest {
namespace {

constexpr CPoint kBackground(20, 20);

std::vector<int> sizeOf(const ERect& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

uint8_t storedUISize()
{
    uint8_t size = 99;
    readUISize(&size);
    return size;
}

// Writes raw bytes as the stored size, as another program might have left them.
void storeRawUISize(const std::vector<BYTE>& bytes)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Halvane Audio\\Zarn Pro\\", 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "UISize", 0, REG_BINARY, bytes.data(), DWORD(bytes.size()));
    RegCloseKey(key);
}

TEST(EditorSize, ChoosingASizeStoresItAtOnceAndResizesAtTheNextIdle)
{
    storeUISize(0);
    EditorRig rig;
    ASSERT_TRUE(rig.open());
    rig.presenter.choices = {0}; // the size already shown: nothing happens
    rig.press(kBackground, kRButton);
    EXPECT_FALSE(rig.editor->isResizePending());
    rig.press(kBackground, kRButton); // dismissed
    EXPECT_FALSE(rig.editor->isResizePending());

    rig.presenter.choices = {1};
    EXPECT_EQ(rig.press(kBackground, kRButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_EQ(storedUISize(), 1);
    EXPECT_EQ(sizeOf(rig.rect()), (std::vector<int>{0, 0, 717, 300}));
    rig.host.clearCalls();
    EditorRig::sleeps.clear();
    rig.idle();
    EXPECT_EQ(sizeOf(rig.rect()), (std::vector<int>{0, 0, 956, 400}));
    EXPECT_EQ(EditorRig::sleeps, std::vector<uint32_t>{200}); // the resize's wait, as the system's
    const auto sizeRequests = rig.host.callsWith(audioMasterSizeWindow);
    ASSERT_FALSE(sizeRequests.empty());
    EXPECT_EQ(std::pair(sizeRequests.back().index, sizeRequests.back().value), std::pair(956, VstIntPtr{400}));

    // The next open, by this instance or another, starts at the stored size.
    rig.plugin->dispatch(effEditClose);
    EditorRig other;
    EXPECT_EQ(sizeOf(other.rect()), (std::vector<int>{0, 0, 717, 300})); // until it opens
    ASSERT_TRUE(other.open());
    EXPECT_EQ(sizeOf(other.rect()), (std::vector<int>{0, 0, 956, 400}));
}

// Something else may have stored anything: only one byte of 0 to 2 is a size.
TEST(EditorSize, AStoredSizeThatIsNotOneByteOfZeroToTwoReadsAsDefault)
{
    storeUISize(2);
    EXPECT_EQ(storedUISize(), 2);
    for (const std::vector<BYTE>& bytes : {std::vector<BYTE>{3}, {255}, {1, 0}, {}}) {
        storeRawUISize(bytes);
        EXPECT_EQ(storedUISize(), 0) << bytes.size();
    }
    EditorRig rig;
    ASSERT_TRUE(rig.open());
    EXPECT_EQ(rig.editor->getUISizeIndex(), 0);
}

// Each editor hit-tests with its own layout, whatever size another instance opened at since.
TEST(EditorSize, EditorsOpenAtDifferentSizesKeepTheirOwnLayouts)
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
    EXPECT_EQ(huge.control(kPitchCoarse)->getViewSize(), CRect(144, 138, 228, 222));
}

// The host may close the editor, or the whole plug-in, while the size menu waits for the user.
TEST(EditorLifecycle, TheHostClosingWhileTheSizeMenuIsUpLeavesNothingDangling)
{
    storeUISize(0);
    const int64_t objects = ReferenceCounted::liveObjectCount();
    {
        EditorRig rig;
        ASSERT_TRUE(rig.open());
        rig.presenter.choices = {1};
        rig.presenter.whileOpen = [&](COptionMenu&) { rig.plugin->dispatch(effEditClose); };
        EXPECT_EQ(rig.press(kBackground, kRButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
        EXPECT_FALSE(rig.editor->isEditorOpen());
        ASSERT_TRUE(rig.open());
        EXPECT_EQ(rig.editor->getUISizeIndex(), 1);
    }
    {
        EditorRig rig;
        ASSERT_TRUE(rig.open());
        rig.presenter.choices = {2};
        rig.presenter.whileOpen = [&](COptionMenu&) { rig.plugin->close(); };
        rig.press(kBackground, kRButton);
    }
    EXPECT_EQ(ReferenceCounted::liveObjectCount(), objects);
}

// Without the panel or the knob strip there is no window to size: the open fails, the plug-in
// plays on. The other pictures only draw.
TEST(EditorLifecycle, AMissingPanelOrKnobStripFailsTheOpenCleanly)
{
    storeUISize(0);
    EditorRig warmUp; // the real pictures are registered once; these replace them for a while
    static const char kNotAPicture[] = "not a picture";
    for (int32_t missing : {112, 118, 114}) {
        SCOPED_TRACE(missing);
        const std::span<const uint8_t> real = CResourceDescription(missing).getData();
        CResourceDescription::registerData(missing, kNotAPicture, sizeof kNotAPicture);
        {
            EditorRig rig;
            EXPECT_EQ(rig.open(), missing == 114);
            EXPECT_EQ(rig.editor->isEditorOpen(), missing == 114);
            rig.plugin->start(44100.0f, 32);
            rig.plugin->sendMidi({{0, {0x90, 36, 100}}});
            float left[32], right[32];
            float* outputs[] = {left, right};
            rig.plugin->processReplacing(outputs, 32);
            EXPECT_NE(left[31], 0.0f);
        }
        CResourceDescription::registerData(missing, real.data(), real.size());
    }
}

} // namespace
} // namespace editortest
