#include "ProbeEffect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

enum class Ptr { None, Text, Block };

struct Row {
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    Ptr ptr;
    float opt;
    const char* calls; // effect's log, then the editor's
    VstIntPtr result;
};

class DispatcherTest : public ::testing::Test {
protected:
    ProbeEffect effect;
    ProbeEditor editor;
    char text[256] = "abc";
    alignas(16) char block[1024] = {};

    VstIntPtr run(const Row& row) {
        effect.log.clear();
        editor.log.clear();
        std::snprintf(text, sizeof text, "abc");
        void* ptr = row.ptr == Ptr::Text ? static_cast<void*>(text) : row.ptr == Ptr::Block ? block : nullptr;
        VstIntPtr value = row.value;
        if (row.opcode == effSetSpeakerArrangement)
            value = reinterpret_cast<VstIntPtr>(block);
        return effect.dispatcher(row.opcode, row.index, value, ptr, row.opt);
    }

    void check(const Row& row) {
        SCOPED_TRACE("opcode " + std::to_string(row.opcode) + " index " + std::to_string(row.index) + " value " +
                     std::to_string(row.value));
        EXPECT_EQ(run(row), row.result);
        EXPECT_EQ(effect.log + editor.log, row.calls);
    }
};

constexpr VstIntPtr kAnswer = ProbeEffect::kAnswer;

TEST_F(DispatcherTest, BaseOpcodesReachTheirOperations) {
    effect.setEditor(&editor);
    const Row rows[] = {
        {effOpen, 0, 0, Ptr::None, 0, "open();", 0},
        {effClose, 0, 0, Ptr::None, 0, "close();", 0},
        {effSetProgram, 0, 3, Ptr::None, 0, "setProgram(3);", 0},
        {effSetProgram, 0, 63, Ptr::None, 0, "setProgram(63);", 0},
        {effSetProgram, 0, 64, Ptr::None, 0, "", 0},
        {effSetProgram, 0, -1, Ptr::None, 0, "setProgram(-1);", 0},
        {effGetProgram, 0, 0, Ptr::None, 0, "getProgram();", kAnswer},
        {effSetProgramName, 0, 0, Ptr::Text, 0, "setProgramName(abc);", 0},
        {effGetProgramName, 0, 0, Ptr::Text, 0, "getProgramName();", 0},
        {effGetParamLabel, 2, 0, Ptr::Text, 0, "getParameterLabel(2);", 0},
        {effGetParamDisplay, 3, 0, Ptr::Text, 0, "getParameterDisplay(3);", 0},
        {effGetParamName, 21, 0, Ptr::Text, 0, "getParameterName(21);", 0},
        {effGetVu, 0, 0, Ptr::None, 0, "", 0},
        {effSetSampleRate, 0, 0, Ptr::None, 48000.0f, "setSampleRate(48000.000000);", 0},
        {effSetBlockSize, 0, 256, Ptr::None, 0, "setBlockSize(256);", 0},
        {effMainsChanged, 0, 0, Ptr::None, 0, "suspend();", 0},
        {effMainsChanged, 0, 1, Ptr::None, 0, "resume();", 0},
        {effMainsChanged, 0, 5, Ptr::None, 0, "resume();", 0},
        {effEditGetRect, 0, 0, Ptr::Block, 0, "getRect;", 1},
        {effEditOpen, 0, 0, Ptr::Block, 0, "open(window);", 1},
        {effEditClose, 0, 0, Ptr::None, 0, "close;", 0},
        {effEditDraw, 0, 0, Ptr::Block, 0, "", 0},
        {effEditMouse, 0, 0, Ptr::None, 0, "", 0},
        {effEditKey, 0, 0, Ptr::None, 0, "", 0},
        {effEditIdle, 0, 0, Ptr::None, 0, "idle;", 0},
        {effEditTop, 0, 0, Ptr::None, 0, "", 0},
        {effEditSleep, 0, 0, Ptr::None, 0, "", 0},
        {effIdentify, 0, 0, Ptr::None, 0, "", vst2::fourCC("NvEf")},
        {effGetChunk, 0, 0, Ptr::Block, 0, "getChunk(bank);", kAnswer},
        {effGetChunk, 1, 0, Ptr::Block, 0, "getChunk(preset);", kAnswer},
        {effSetChunk, 0, 8232, Ptr::Block, 0, "setChunk(8232,bank);", kAnswer},
        {effSetChunk, 7, 100, Ptr::Block, 0, "setChunk(100,preset);", kAnswer},
        // A size the operation's 32-bit argument cannot hold is refused, not narrowed.
        {effSetChunk, 0, -1, Ptr::Block, 0, "", 0},
        {effSetChunk, 0, (VstIntPtr{1} << 32) + 8232, Ptr::Block, 0, "", 0},
    };
    for (const Row& row : rows)
        check(row);
}

TEST_F(DispatcherTest, ExtendedOpcodesReachTheirOperations) {
    effect.setEditor(&editor);
    const Row rows[] = {
        {effProcessEvents, 0, 0, Ptr::Block, 0, "processEvents();", kAnswer},
        {effCanBeAutomated, 4, 0, Ptr::None, 0, "canParameterBeAutomated(4);", 1},
        {effString2Parameter, 1, 0, Ptr::Text, 0, "string2parameter(1);", 1},
        {effGetProgramNameIndexed, 3, 7, Ptr::Text, 0, "getProgramNameIndexed(7,3);", 1},
        {effGetInputProperties, 1, 0, Ptr::Block, 0, "getInputProperties(1);", 1},
        {effGetOutputProperties, 1, 0, Ptr::Block, 0, "getOutputProperties(1);", 1},
        {effGetPlugCategory, 0, 0, Ptr::None, 0, "getPlugCategory();", kPlugCategSynth},
        {effOfflineNotify, 1, 2, Ptr::Block, 0, "offlineNotify(2,start);", 1},
        {effOfflineNotify, 0, 2, Ptr::Block, 0, "offlineNotify(2,stop);", 1},
        {effOfflinePrepare, 0, 3, Ptr::Block, 0, "offlinePrepare(3);", 1},
        {effOfflineRun, 0, 3, Ptr::Block, 0, "offlineRun(3);", 1},
        {effProcessVarIo, 0, 0, Ptr::Block, 0, "processVariableIo();", 1},
        {effSetSpeakerArrangement, 0, 0, Ptr::Block, 0, "setSpeakerArrangement();", 1},
        {effSetBypass, 0, 1, Ptr::None, 0, "setBypass(on);", 1},
        {effSetBypass, 0, 0, Ptr::None, 0, "setBypass(off);", 1},
        {effGetEffectName, 0, 0, Ptr::Text, 0, "getEffectName();", 1},
        {effGetVendorString, 0, 0, Ptr::Text, 0, "getVendorString();", 1},
        {effGetProductString, 0, 0, Ptr::Text, 0, "getProductString();", 1},
        {effGetVendorVersion, 0, 0, Ptr::None, 0, "getVendorVersion();", kAnswer},
        {effVendorSpecific, 2, 3, Ptr::None, 0.5f, "vendorSpecific(2,3,0.500000);", VstIntPtr{1} << 40},
        {effCanDo, 0, 0, Ptr::Text, 0, "canDo(abc);", kAnswer},
        {effGetTailSize, 0, 0, Ptr::None, 0, "getGetTailSize();", kAnswer},
        {effGetParameterProperties, 3, 0, Ptr::Block, 0, "getParameterProperties(3);", 1},
        {effGetVstVersion, 0, 0, Ptr::None, 0, "getVstVersion();", kAnswer},
        {effEditKeyDown, 65, 1, Ptr::None, 2.0f, "keyDown(65,1,2);", 1},
        {effEditKeyUp, 65, 0x1FF, Ptr::None, 258.0f, "keyUp(65,255,2);", 1},
        // A modifier no integer holds must not reach the conversion.
        {effEditKeyDown, 32, 0, Ptr::None, std::numeric_limits<float>::quiet_NaN(), "keyDown(32,0,0);", 1},
        {effEditKeyDown, 32, 0, Ptr::None, 1e20f, "keyDown(32,0,0);", 1},
        {effSetEditKnobMode, 0, 2, Ptr::None, 0, "setKnobMode(2);", 1},
        {effGetMidiProgramName, 1, 0, Ptr::Block, 0, "getMidiProgramName(1);", kAnswer},
        {effGetCurrentMidiProgram, 1, 0, Ptr::Block, 0, "getCurrentMidiProgram(1);", kAnswer},
        {effGetMidiProgramCategory, 1, 0, Ptr::Block, 0, "getMidiProgramCategory(1);", kAnswer},
        {effHasMidiProgramsChanged, 1, 0, Ptr::None, 0, "hasMidiProgramsChanged(1);", 1},
        {effGetMidiKeyName, 1, 0, Ptr::Block, 0, "getMidiKeyName(1);", 1},
        {effBeginSetProgram, 0, 0, Ptr::None, 0, "beginSetProgram();", 1},
        {effEndSetProgram, 0, 0, Ptr::None, 0, "endSetProgram();", 1},
        {effGetSpeakerArrangement, 0, 0, Ptr::Block, 0, "", 0},
        {effShellGetNextPlugin, 0, 0, Ptr::Text, 0, "getNextShellPlugin();", kAnswer},
        {effStartProcess, 0, 0, Ptr::None, 0, "startProcess();", kAnswer},
        {effStopProcess, 0, 0, Ptr::None, 0, "stopProcess();", kAnswer},
        {effSetTotalSampleToProcess, 0, 9, Ptr::None, 0, "setTotalSampleToProcess(9);", kAnswer},
        {effSetPanLaw, 0, 1, Ptr::None, 0.5f, "setPanLaw(1,0.500000);", 1},
        {effBeginLoadBank, 0, 0, Ptr::Block, 0, "beginLoadBank();", kAnswer},
        {effBeginLoadProgram, 0, 0, Ptr::Block, 0, "beginLoadProgram();", kAnswer},
        {effSetProcessPrecision, 0, 1, Ptr::None, 0, "setProcessPrecision(1);", 1},
        {effGetNumMidiInputChannels, 0, 0, Ptr::None, 0, "getNumMidiInputChannels();", kAnswer},
        {effGetNumMidiOutputChannels, 0, 0, Ptr::None, 0, "getNumMidiOutputChannels();", kAnswer},
        {80, 0, 0, Ptr::Block, 0, "", 0},
        {-1, 0, 0, Ptr::Block, 0, "", 0},
    };
    for (const Row& row : rows)
        check(row);
    for (VstInt32 deprecated : {28, 30, 31, 32, 36, 37, 43, 46, 53, 54, 55, 57})
        check({deprecated, 1, 1, Ptr::Block, 1.0f, "", 0});
}

TEST_F(DispatcherTest, OpcodesThatUseTheirPointerRefuseANullOne) {
    effect.setEditor(&editor);
    for (VstInt32 opcode :
         {effSetProgramName, effGetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName, effEditGetRect,
          effGetChunk, effSetChunk, effProcessEvents, effString2Parameter, effGetProgramNameIndexed,
          effGetInputProperties, effGetOutputProperties, effOfflineNotify, effOfflinePrepare, effOfflineRun,
          effProcessVarIo, effSetSpeakerArrangement, effGetEffectName, effGetVendorString, effGetProductString,
          effCanDo, effGetParameterProperties, effGetMidiProgramName, effGetCurrentMidiProgram,
          effGetMidiProgramCategory, effGetMidiKeyName, effShellGetNextPlugin, effBeginLoadBank, effBeginLoadProgram})
        check({opcode, 1, 8232, Ptr::None, 0, "", 0});
}

TEST_F(DispatcherTest, EditorOpcodesWithoutAnEditorAnswerZero) {
    for (VstInt32 opcode : {effEditGetRect, effEditOpen, effEditClose, effEditIdle, effEditKeyDown, effEditKeyUp,
                            effSetEditKnobMode})
        check({opcode, 65, 1, Ptr::Block, 2.0f, "", 0});
}

TEST_F(DispatcherTest, EditorAnswersAreReportedAsOneOrZero) {
    effect.setEditor(&editor);
    editor.answer = false;
    for (VstInt32 opcode : {effEditGetRect, effEditOpen, effEditKeyDown, effEditKeyUp, effSetEditKnobMode})
        EXPECT_EQ(run({opcode, 0, 0, Ptr::Block, 0, "", 0}), 0) << opcode;

    ERect* rect = nullptr;
    editor.answer = true;
    EXPECT_EQ(effect.dispatcher(effEditGetRect, 0, 0, &rect, 0.0f), 1);
    EXPECT_EQ(rect, &editor.rect);
}

// Only processReplacing is supplied: every other answer is the base classes' own.
class PlainEffect : public AudioEffectX {
public:
    static inline int destroyed = 0;
    explicit PlainEffect(audioMasterCallback master = nullptr) : AudioEffectX(master, 64, 22) {}
    ~PlainEffect() override { ++destroyed; }
    void processReplacing(float**, float**, VstInt32) override {}
    using AudioEffect::setEditor;
    using AudioEffectX::isSynth;
};

TEST(BaseDefaults, RecordAndDispatcherAnswers) {
    PlainEffect effect;
    const AEffect& record = *effect.getAeffect();
    EXPECT_EQ(record.magic, kEffectMagic);
    EXPECT_EQ(record.flags, effFlagsCanReplacing);
    EXPECT_EQ(record.numInputs, 1);
    EXPECT_EQ(record.numOutputs, 2);
    EXPECT_EQ(record.numPrograms, 64);
    EXPECT_EQ(record.numParams, 22);
    EXPECT_EQ(record.uniqueID, vst2::fourCC("NoEf"));
    EXPECT_EQ(record.version, 1);
    EXPECT_EQ(record.ioRatio, 1.0f);
    EXPECT_EQ(record.object, &effect);
    EXPECT_EQ(record.resvd1, 0);
    EXPECT_EQ(record.user, nullptr);

    char text[64] = "untouched";
    EXPECT_EQ(effect.dispatcher(effGetProgramName, 0, 0, text, 0.0f), 0);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(effect.dispatcher(effSetProgram, 0, 5, nullptr, 0.0f), 0);
    EXPECT_EQ(effect.dispatcher(effGetProgram, 0, 0, nullptr, 0.0f), 5);
    EXPECT_EQ(effect.dispatcher(effGetVstVersion, 0, 0, nullptr, 0.0f), 2400);
    EXPECT_EQ(effect.dispatcher(effGetPlugCategory, 0, 0, nullptr, 0.0f), kPlugCategUnknown);
    effect.isSynth();
    EXPECT_EQ(effect.dispatcher(effGetPlugCategory, 0, 0, nullptr, 0.0f), kPlugCategSynth);
    EXPECT_EQ(effect.dispatcher(effGetCurrentMidiProgram, 0, 0, text, 0.0f), -1);
    EXPECT_EQ(effect.dispatcher(effCanBeAutomated, 3, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(effect.dispatcher(effSetTotalSampleToProcess, 0, 77, nullptr, 0.0f), 77);
    EXPECT_EQ(effect.dispatcher(effCanDo, 0, 0, text, 0.0f), 0);
    EXPECT_EQ(effect.dispatcher(effIdentify, 0, 0, nullptr, 0.0f), vst2::fourCC("NvEf"));

    VstSpeakerArrangement* input = reinterpret_cast<VstSpeakerArrangement*>(0x10);
    VstSpeakerArrangement* output = reinterpret_cast<VstSpeakerArrangement*>(0x20);
    EXPECT_EQ(effect.dispatcher(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&input), &output, 0.0f), 0);
    EXPECT_EQ(input, reinterpret_cast<VstSpeakerArrangement*>(0x10));
    EXPECT_EQ(output, reinterpret_cast<VstSpeakerArrangement*>(0x20));
    EXPECT_FALSE(effect.getSpeakerArrangement(&input, &output));
    EXPECT_EQ(input, nullptr);
    EXPECT_EQ(output, nullptr);

    ProbeEditor editor;
    effect.setEditor(&editor);
    EXPECT_EQ(effect.getAeffect()->flags & effFlagsHasEditor, effFlagsHasEditor);
    effect.setEditor(nullptr);
    EXPECT_EQ(effect.getAeffect()->flags & effFlagsHasEditor, 0);
}

TEST(BaseDefaults, FlagSettersSetAndClear) {
    PlainEffect effect;
    const struct {
        void (*set)(PlainEffect&, bool);
        VstInt32 flag;
    } setters[] = {
        {[](PlainEffect& e, bool s) { e.canProcessReplacing(s); }, effFlagsCanReplacing},
        {[](PlainEffect& e, bool s) { e.canDoubleReplacing(s); }, effFlagsCanDoubleReplacing},
        {[](PlainEffect& e, bool s) { e.programsAreChunks(s); }, effFlagsProgramChunks},
        {[](PlainEffect& e, bool s) { e.hasVu(s); }, effFlagsHasVu},
        {[](PlainEffect& e, bool s) { e.hasClip(s); }, effFlagsHasClip},
        {[](PlainEffect& e, bool s) { e.canMono(s); }, effFlagsCanMono},
        {[](PlainEffect& e, bool s) { e.isSynth(s); }, effFlagsIsSynth},
        {[](PlainEffect& e, bool s) { e.noTail(s); }, effFlagsNoSoundInStop},
        {[](PlainEffect& e, bool s) { e.wantAsyncOperation(s); }, effFlagsExtIsAsync},
        {[](PlainEffect& e, bool s) { e.hasExternalBuffer(s); }, effFlagsExtHasBuffer},
    };
    for (const auto& setter : setters) {
        setter.set(effect, true);
        EXPECT_EQ(effect.getAeffect()->flags & setter.flag, setter.flag);
        setter.set(effect, false);
        EXPECT_EQ(effect.getAeffect()->flags & setter.flag, 0);
    }
}

TEST(RecordEntries, ForwardToTheObjectAndCloseDeletesIt) {
    PlainEffect::destroyed = 0;
    auto* effect = new PlainEffect;
    AEffect* record = effect->getAeffect();
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
