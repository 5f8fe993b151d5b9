#include "ProbeEffect.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct Row {
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    bool ptr; // a buffer holding "abc", or null
    float opt;
    const char* calls; // effect's log, then the editor's
    VstIntPtr result;
};

constexpr VstIntPtr kAnswer = ProbeEffect::kAnswer;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

class DispatcherTest : public ::testing::Test {
protected:
    ProbeEffect effect;
    ProbeEditor editor;
    alignas(16) char buffer[1024] = {};

    void SetUp() override { effect.setEditor(&editor); }

    void check(const Row& row) {
        SCOPED_TRACE("opcode " + std::to_string(row.opcode) + " index " + std::to_string(row.index) + " value " +
                     std::to_string(row.value));
        effect.log.clear();
        editor.log.clear();
        std::snprintf(buffer, sizeof buffer, "abc");
        const VstIntPtr value = row.opcode == effSetSpeakerArrangement ? reinterpret_cast<VstIntPtr>(buffer) : row.value;
        EXPECT_EQ(effect.dispatcher(row.opcode, row.index, value, row.ptr ? buffer : nullptr, row.opt), row.result);
        EXPECT_EQ(effect.log + editor.log, row.calls);
    }
};

TEST_F(DispatcherTest, BaseOpcodesReachTheirOperations) {
    const Row rows[] = {
        {effOpen, 0, 0, false, 0, "open();", 0},
        {effClose, 0, 0, false, 0, "close();", 0},
        {effSetProgram, 0, 3, false, 0, "setProgram(3);", 0},
        {effSetProgram, 0, 63, false, 0, "setProgram(63);", 0},
        {effSetProgram, 0, 64, false, 0, "", 0},
        {effSetProgram, 0, -1, false, 0, "setProgram(-1);", 0},
        {effGetProgram, 0, 0, false, 0, "getProgram();", kAnswer},
        {effSetProgramName, 0, 0, true, 0, "setProgramName(abc);", 0},
        {effGetProgramName, 0, 0, true, 0, "getProgramName();", 0},
        {effGetParamLabel, 2, 0, true, 0, "getParameterLabel(2);", 0},
        {effGetParamDisplay, 3, 0, true, 0, "getParameterDisplay(3);", 0},
        {effGetParamName, 21, 0, true, 0, "getParameterName(21);", 0},
        {effGetVu, 0, 0, false, 0, "", 0},
        {effSetSampleRate, 0, 0, false, 48000.0f, "setSampleRate(48000);", 0},
        {effSetBlockSize, 0, 256, false, 0, "setBlockSize(256);", 0},
        {effMainsChanged, 0, 0, false, 0, "suspend();", 0},
        {effMainsChanged, 0, 1, false, 0, "resume();", 0},
        {effMainsChanged, 0, 5, false, 0, "resume();", 0},
        {effEditGetRect, 0, 0, true, 0, "getRect();", 1},
        {effEditOpen, 0, 0, true, 0, "open(1);", 1},
        {effEditClose, 0, 0, false, 0, "close();", 0},
        {effEditDraw, 0, 0, true, 0, "", 0},
        {effEditMouse, 0, 0, false, 0, "", 0},
        {effEditKey, 0, 0, false, 0, "", 0},
        {effEditIdle, 0, 0, false, 0, "idle();", 0},
        {effEditTop, 0, 0, false, 0, "", 0},
        {effEditSleep, 0, 0, false, 0, "", 0},
        {effIdentify, 0, 0, false, 0, "", vst2::fourCC("NvEf")},
        {effGetChunk, 0, 0, true, 0, "getChunk(0);", kAnswer},
        {effGetChunk, 1, 0, true, 0, "getChunk(1);", kAnswer},
        {effSetChunk, 0, 8232, true, 0, "setChunk(8232,0);", kAnswer},
        {effSetChunk, 7, 100, true, 0, "setChunk(100,1);", kAnswer},
        // A size the operation's 32-bit argument cannot hold is refused, not narrowed.
        {effSetChunk, 0, -1, true, 0, "", 0},
        {effSetChunk, 0, (VstIntPtr{1} << 32) + 8232, true, 0, "", 0},
    };
    for (const Row& row : rows)
        check(row);
}

TEST_F(DispatcherTest, ExtendedOpcodesReachTheirOperations) {
    const Row rows[] = {
        {effProcessEvents, 0, 0, true, 0, "processEvents();", kAnswer},
        {effCanBeAutomated, 4, 0, false, 0, "canParameterBeAutomated(4);", 1},
        {effString2Parameter, 1, 0, true, 0, "string2parameter(1);", 1},
        {effGetProgramNameIndexed, 3, 7, true, 0, "getProgramNameIndexed(7,3);", 1},
        {effGetInputProperties, 1, 0, true, 0, "getInputProperties(1);", 1},
        {effGetOutputProperties, 1, 0, true, 0, "getOutputProperties(1);", 1},
        {effGetPlugCategory, 0, 0, false, 0, "getPlugCategory();", kPlugCategSynth},
        {effOfflineNotify, 1, 2, true, 0, "offlineNotify(2,1);", 1},
        {effOfflineNotify, 0, 2, true, 0, "offlineNotify(2,0);", 1},
        {effOfflinePrepare, 0, 3, true, 0, "offlinePrepare(3);", 1},
        {effOfflineRun, 0, 3, true, 0, "offlineRun(3);", 1},
        {effProcessVarIo, 0, 0, true, 0, "processVariableIo();", 1},
        {effSetSpeakerArrangement, 0, 0, true, 0, "setSpeakerArrangement();", 1},
        {effSetBypass, 0, 1, false, 0, "setBypass(1);", 1},
        {effSetBypass, 0, 0, false, 0, "setBypass(0);", 1},
        {effGetEffectName, 0, 0, true, 0, "getEffectName();", 1},
        {effGetVendorString, 0, 0, true, 0, "getVendorString();", 1},
        {effGetProductString, 0, 0, true, 0, "getProductString();", 1},
        {effGetVendorVersion, 0, 0, false, 0, "getVendorVersion();", kAnswer},
        {effVendorSpecific, 2, 3, false, 0.5f, "vendorSpecific(2,3,0.5);", VstIntPtr{1} << 40},
        {effCanDo, 0, 0, true, 0, "canDo(abc);", kAnswer},
        {effGetTailSize, 0, 0, false, 0, "getGetTailSize();", kAnswer},
        {effGetParameterProperties, 3, 0, true, 0, "getParameterProperties(3);", 1},
        {effGetVstVersion, 0, 0, false, 0, "getVstVersion();", kAnswer},
        {effEditKeyDown, 65, 1, false, 2.0f, "keyDown(65,1,2);", 1},
        {effEditKeyUp, 65, 0x1FF, false, 258.0f, "keyUp(65,255,2);", 1},
        // A modifier no integer holds must not reach the conversion.
        {effEditKeyDown, 32, 0, false, kNaN, "keyDown(32,0,0);", 1},
        {effEditKeyDown, 32, 0, false, 1e20f, "keyDown(32,0,0);", 1},
        {effSetEditKnobMode, 0, 2, false, 0, "setKnobMode(2);", 1},
        {effGetMidiProgramName, 1, 0, true, 0, "getMidiProgramName(1);", kAnswer},
        {effGetCurrentMidiProgram, 1, 0, true, 0, "getCurrentMidiProgram(1);", kAnswer},
        {effGetMidiProgramCategory, 1, 0, true, 0, "getMidiProgramCategory(1);", kAnswer},
        {effHasMidiProgramsChanged, 1, 0, false, 0, "hasMidiProgramsChanged(1);", 1},
        {effGetMidiKeyName, 1, 0, true, 0, "getMidiKeyName(1);", 1},
        {effBeginSetProgram, 0, 0, false, 0, "beginSetProgram();", 1},
        {effEndSetProgram, 0, 0, false, 0, "endSetProgram();", 1},
        {effGetSpeakerArrangement, 0, 0, true, 0, "", 0},
        {effShellGetNextPlugin, 0, 0, true, 0, "getNextShellPlugin();", kAnswer},
        {effStartProcess, 0, 0, false, 0, "startProcess();", kAnswer},
        {effStopProcess, 0, 0, false, 0, "stopProcess();", kAnswer},
        {effSetTotalSampleToProcess, 0, 9, false, 0, "setTotalSampleToProcess(9);", kAnswer},
        {effSetPanLaw, 0, 1, false, 0.5f, "setPanLaw(1,0.5);", 1},
        {effBeginLoadBank, 0, 0, true, 0, "beginLoadBank();", kAnswer},
        {effBeginLoadProgram, 0, 0, true, 0, "beginLoadProgram();", kAnswer},
        {effSetProcessPrecision, 0, 1, false, 0, "setProcessPrecision(1);", 1},
        {effGetNumMidiInputChannels, 0, 0, false, 0, "getNumMidiInputChannels();", kAnswer},
        {effGetNumMidiOutputChannels, 0, 0, false, 0, "getNumMidiOutputChannels();", kAnswer},
        {80, 0, 0, true, 0, "", 0},
        {-1, 0, 0, true, 0, "", 0},
    };
    for (const Row& row : rows)
        check(row);
    for (VstInt32 deprecated : {28, 30, 31, 32, 36, 37, 43, 46, 53, 54, 55, 57})
        check({deprecated, 1, 1, true, 1.0f, "", 0});
}

TEST_F(DispatcherTest, OpcodesThatUseTheirPointerRefuseANullOne) {
    for (VstInt32 opcode :
         {effSetProgramName, effGetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName, effEditGetRect,
          effGetChunk, effSetChunk, effProcessEvents, effString2Parameter, effGetProgramNameIndexed,
          effGetInputProperties, effGetOutputProperties, effOfflineNotify, effOfflinePrepare, effOfflineRun,
          effProcessVarIo, effSetSpeakerArrangement, effGetEffectName, effGetVendorString, effGetProductString,
          effCanDo, effGetParameterProperties, effGetMidiProgramName,
          effGetMidiProgramCategory, effGetMidiKeyName, effShellGetNextPlugin, effBeginLoadBank, effBeginLoadProgram})
        check({opcode, 1, 8232, false, 0, "", 0});
}

TEST_F(DispatcherTest, EditorOpcodesAnswerOneOnlyWhenAnEditorSaysYes) {
    const VstInt32 opcodes[] = {effEditGetRect, effEditOpen, effEditKeyDown, effEditKeyUp, effSetEditKnobMode};
    editor.answer = false;
    for (VstInt32 opcode : opcodes)
        EXPECT_EQ(effect.dispatcher(opcode, 65, 1, buffer, 2.0f), 0) << opcode;
    effect.setEditor(nullptr);
    for (VstInt32 opcode : opcodes)
        check({opcode, 65, 1, true, 2.0f, "", 0});
    check({effEditClose, 0, 0, false, 0, "", 0});
    check({effEditIdle, 0, 0, false, 0, "", 0});

    effect.setEditor(&editor);
    ERect* rect = nullptr;
    editor.answer = true;
    EXPECT_EQ(effect.dispatcher(effEditGetRect, 0, 0, &rect, 0.0f), 1);
    EXPECT_EQ(rect, &editor.rect);
}

// The default answers that hosts see are tested through the library (tests/integration).
TEST(BaseDefaults, FlagSettersSetAndClearTheirOwnBitAndASynthSaysSo) {
    PlainEffect effect;
    ProbeEditor editor;
    using Setter = void (AudioEffectX::*)(bool);
    const std::pair<Setter, VstInt32> setters[] = {
        {&AudioEffect::canProcessReplacing, effFlagsCanReplacing}, {&AudioEffect::canDoubleReplacing, effFlagsCanDoubleReplacing},
        {&AudioEffect::programsAreChunks, effFlagsProgramChunks},  {&AudioEffect::hasVu, effFlagsHasVu},
        {&AudioEffect::hasClip, effFlagsHasClip},                  {&AudioEffect::canMono, effFlagsCanMono},
        {&AudioEffectX::isSynth, effFlagsIsSynth},                 {&AudioEffectX::noTail, effFlagsNoSoundInStop},
        {&AudioEffectX::wantAsyncOperation, effFlagsExtIsAsync},   {&AudioEffectX::hasExternalBuffer, effFlagsExtHasBuffer},
    };
    for (const auto& [set, flag] : setters) {
        (effect.*set)(true);
        EXPECT_EQ(effect.getAeffect()->flags & flag, flag);
        (effect.*set)(false);
        EXPECT_EQ(effect.getAeffect()->flags & flag, 0);
    }
    EXPECT_EQ(effect.getAeffect()->flags, 0);
    effect.setEditor(&editor);
    EXPECT_EQ(effect.getAeffect()->flags, effFlagsHasEditor);
    effect.setEditor(nullptr);
    EXPECT_EQ(effect.getAeffect()->flags, 0);
    EXPECT_EQ(effect.dispatcher(effGetPlugCategory, 0, 0, nullptr, 0.0f), kPlugCategUnknown);
    effect.isSynth();
    EXPECT_EQ(effect.dispatcher(effGetPlugCategory, 0, 0, nullptr, 0.0f), kPlugCategSynth);
}

TEST(RecordEntries, ForwardToTheObjectAndCloseDeletesIt) {
    PlainEffect::destroyed = 0;
    auto* effect = new PlainEffect;
    AEffect* record = effect->getAeffect();
    EXPECT_EQ(record->object, effect);
    EXPECT_EQ(record->getParameter(record, 0), 0.0f);
    record->setParameter(record, 0, 0.5f);
    float* none[2] = {nullptr, nullptr};
    record->process(record, none, none, 16);
    record->processDoubleReplacing(record, nullptr, nullptr, 16);
    EXPECT_EQ(record->dispatcher(record, effGetVstVersion, 0, 0, nullptr, 0.0f), 2400);
    EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(PlainEffect::destroyed, 1);

    // A record whose object is gone, or no record at all, is answered with 0.
    AEffect empty{};
    EXPECT_EQ(AudioEffect::dispatchEffectClass(&empty, effGetVstVersion, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(AudioEffect::dispatchEffectClass(nullptr, effClose, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(AudioEffect::getParameterClass(nullptr, 0), 0.0f);
}

} // namespace
