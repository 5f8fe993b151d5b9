#include "shell/VstXSynth.h"
#include "tools/host/Host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

class VstXSynthTest : public ::testing::Test {
protected:
    host::Host host;
    std::unique_ptr<VstXSynth> synth = make();

    std::unique_ptr<VstXSynth> make() { return host.construct<VstXSynth>(); }

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0) {
        return synth->dispatcher(opcode, index, value, ptr, opt);
    }

    std::string text(VstInt32 opcode, VstInt32 index = 0) {
        char buffer[128];
        std::memset(buffer, 'x', sizeof buffer);
        dispatch(opcode, index, 0, buffer);
        return buffer;
    }

    std::vector<uint8_t> chunkBytes() {
        void* data = nullptr;
        const VstIntPtr size = dispatch(effGetChunk, 0, 0, &data);
        const auto* bytes = static_cast<const uint8_t*>(data);
        return {bytes, bytes + size};
    }

    void midi(std::vector<std::array<uint8_t, 3>> messages) {
        std::vector<VstMidiEvent> events(messages.size());
        std::vector<VstEvent*> pointers;
        for (std::size_t i = 0; i < messages.size(); ++i) {
            events[i].type = kVstMidiType;
            events[i].byteSize = 24;
            std::memcpy(events[i].midiData, messages[i].data(), 3);
            pointers.push_back(reinterpret_cast<VstEvent*>(&events[i]));
        }
        std::vector<std::byte> storage(sizeof(VstEvents) + pointers.size() * sizeof(VstEvent*));
        auto* list = reinterpret_cast<VstEvents*>(storage.data());
        list->numEvents = static_cast<VstInt32>(pointers.size());
        std::memcpy(storage.data() + offsetof(VstEvents, events), pointers.data(), pointers.size() * sizeof(VstEvent*));
        EXPECT_EQ(dispatch(effProcessEvents, 0, 0, list), 1);
    }
};

TEST_F(VstXSynthTest, ARecordForAnInstrumentWithoutEditor) {
    const AEffect& record = *synth->getAeffect();
    EXPECT_EQ(record.flags, 0x130);
    EXPECT_EQ(record.numInputs, 0);
    EXPECT_EQ(record.uniqueID, vst2::fourCC("ZRNP"));

    VstXSynth withoutHost(nullptr);
    EXPECT_EQ(withoutHost.getAeffect()->flags, effFlagsCanReplacing);
    EXPECT_EQ(withoutHost.getAeffect()->numInputs, 1);
    EXPECT_EQ(withoutHost.getAeffect()->uniqueID, vst2::fourCC("NoEf"));
}

TEST_F(VstXSynthTest, NamesLabelsAndDisplayTexts) {
    EXPECT_EQ(text(effGetParamName, 0), "Pitch-Coarse");
    EXPECT_EQ(text(effGetParamName, 12), "Timbre-SelfFM");
    EXPECT_EQ(text(effGetParamName, 21), "Volume");
    for (VstInt32 index : {22, 23, 24, -1, 1000})
        EXPECT_EQ(text(effGetParamName, index), "") << index;
    for (VstInt32 index : {0, 21, 99})
        EXPECT_EQ(text(effGetParamLabel, index), "Unknown ");

    const struct {
        float value;
        const char* display;
    } displays[] = {{0.25f, "0.250000"}, {1.0f, "1.000000"}, {0.0f, "0.000000"}, {12.5f, "12.50000"}, {-3.0f, "-3.00000"}};
    for (const auto& d : displays) {
        synth->setParameter(4, d.value);
        EXPECT_EQ(text(effGetParamDisplay, 4), d.display);
    }
    for (VstInt32 index : {22, -1, 1 << 30})
        EXPECT_EQ(text(effGetParamDisplay, index), "");
    EXPECT_EQ(synth->getParameter(22), 0.0f);
    EXPECT_EQ(synth->getParameter(-1), 0.0f);

    EXPECT_EQ(text(effGetEffectName), "Zarn Pro");
    EXPECT_EQ(text(effGetProductString), "Zarn Pro");
    EXPECT_EQ(text(effGetVendorString), "Halvane Audio");
    EXPECT_EQ(dispatch(effGetVendorVersion), 1);
}

TEST_F(VstXSynthTest, CapabilitiesAndPins) {
    const struct {
        const char* text;
        VstIntPtr answer;
    } cases[] = {{"receiveVstEvents", 1}, {"receiveVstMidiEvent", 1}, {"sendVstMidiEvent", -1},
                 {"receiveVstEvents ", -1}, {"ReceiveVstEvents", -1}, {"", -1}};
    for (const auto& c : cases) {
        std::string copy = c.text;
        EXPECT_EQ(dispatch(effCanDo, 0, 0, copy.data()), c.answer) << c.text;
    }

    VstPinProperties pin{};
    EXPECT_EQ(dispatch(effGetOutputProperties, 1, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "Vstx 2");
    EXPECT_EQ(pin.flags, kVstPinIsActive | kVstPinIsStereo);
    EXPECT_EQ(dispatch(effGetOutputProperties, 2, 0, &pin), 0);
    EXPECT_EQ(dispatch(effGetOutputProperties, -1, 0, &pin), 0);
    EXPECT_EQ(dispatch(effGetInputProperties, 0, 0, &pin), 0);
}

TEST_F(VstXSynthTest, ProgramsAndTheirNames) {
    Zarn& engine = synth->getEngine();
    EXPECT_EQ(dispatch(effGetProgram), 0);
    const SynthProgram program3 = engine.programBank[3];
    dispatch(effSetProgram, 0, 3);
    EXPECT_EQ(dispatch(effGetProgram), 3);
    EXPECT_EQ(engine.programIndex, 3);
    for (VstInt32 i = 0; i < kNumParams; ++i) {
        EXPECT_EQ(synth->getParameter(i), program3.values[i]);
        EXPECT_EQ(engine.paramValues[static_cast<std::size_t>(i)], program3.values[i]);
    }
    EXPECT_EQ(text(effGetProgramName), program3.name);
    for (VstIntPtr refused : {VstIntPtr{64}, VstIntPtr{-1}, VstIntPtr{1} << 40}) {
        dispatch(effSetProgram, 0, refused);
        EXPECT_EQ(dispatch(effGetProgram), 3);
    }

    std::string name31(31, 'a');
    dispatch(effSetProgramName, 0, 0, name31.data());
    EXPECT_EQ(text(effGetProgramName), name31);
    std::string name40(40, 'b');
    dispatch(effSetProgramName, 0, 0, name40.data());
    EXPECT_EQ(text(effGetProgramName), std::string(31, 'b'));
    EXPECT_EQ(engine.programBank[3].name[31], 0);
    EXPECT_EQ(engine.programBank[4].name, std::string(program3.name).empty() ? "" : std::string(engine.programBank[4].name));

    EXPECT_EQ(dispatch(effGetProgramNameIndexed, 63, 0, nullptr), 0);
    char name[64] = "untouched";
    EXPECT_EQ(dispatch(effGetProgramNameIndexed, 64, 0, name), 0);
    EXPECT_STREQ(name, "untouched");
    EXPECT_EQ(dispatch(effGetProgramNameIndexed, 0, 5, name), 1);
    EXPECT_STREQ(name, engine.programBank[0].name);

    EXPECT_TRUE(synth->copyProgram(10));
    EXPECT_EQ(std::memcmp(&engine.programBank[10], &engine.programBank[3], sizeof(SynthProgram)), 0);
    EXPECT_FALSE(synth->copyProgram(64));
    EXPECT_FALSE(synth->copyProgram(-1));
}

TEST_F(VstXSynthTest, AutomationEchoesAControllerOnChannelOne) {
    const struct {
        VstInt32 index;
        float value;
        uint8_t controller;
        uint8_t data;
    } cases[] = {{7, 1.0f, 46, 127}, {7, 0.999f, 46, 126}, {0, 0.5f, 39, 63}, {21, 0.0f, 60, 0},
                 {3, 2.0f, 42, 127}, {3, -0.5f, 42, 0}, {3, 1e30f, 42, 127}, {3, kNaN, 42, 0}};
    for (const auto& c : cases) {
        host.clearCalls();
        synth->setParameterAutomated(c.index, c.value);
        const auto automated = host.callsWith(audioMasterAutomate);
        ASSERT_EQ(automated.size(), 1u);
        EXPECT_EQ(automated[0].index, c.index);
        if (std::isnan(c.value))
            EXPECT_TRUE(std::isnan(automated[0].opt));
        else
            EXPECT_EQ(automated[0].opt, c.value);
        const auto sent = host.callsWith(audioMasterProcessEvents);
        ASSERT_EQ(sent.size(), 1u);
        ASSERT_EQ(sent[0].midiEvents.size(), 1u);
        const VstMidiEvent& event = sent[0].midiEvents[0];
        EXPECT_EQ(event.byteSize, 24);
        EXPECT_EQ(static_cast<uint8_t>(event.midiData[0]), 0xB0);
        EXPECT_EQ(static_cast<uint8_t>(event.midiData[1]), c.controller);
        EXPECT_EQ(static_cast<uint8_t>(event.midiData[2]), c.data) << c.value;
        EXPECT_EQ(event.midiData[3], 0);
    }
    EXPECT_EQ(synth->getParameter(7), 0.999f);
    EXPECT_EQ(synth->getParameter(3), 1e30f); // the NaN was not stored

    host.clearCalls();
    synth->setParameterAutomated(22, 1.0f);
    EXPECT_TRUE(host.calls().empty());
}

TEST_F(VstXSynthTest, ControllersProgramChangesAndBendActAtOnce) {
    host.clearCalls();
    midi({{0xB5, 46, 127}});
    EXPECT_EQ(synth->getParameter(7), 1.0f);
    EXPECT_TRUE(host.calls().empty()); // no automation, no echo

    const SynthProgram before = synth->getEngine().programBank[0];
    midi({{0xB0, 61, 5}, {0xB0, 38, 5}, {0xB0, 64, 127}, {0xB0, 123, 0}, {0xA0, 46, 0}, {0xD0, 46, 0}});
    EXPECT_EQ(std::memcmp(&before, &synth->getEngine().programBank[0], sizeof before), 0);

    midi({{0xC9, 3, 0}});
    EXPECT_EQ(dispatch(effGetProgram), 3);
    midi({{0xC0, 100, 0}});
    EXPECT_EQ(dispatch(effGetProgram), 3);

    midi({{0xE0, 0x00, 0x40}});
    const double centre = synth->getEngine().bendFactor;
    midi({{0xE0, 0x7F, 0x7F}});
    EXPECT_GT(synth->getEngine().bendFactor, centre);
    midi({{0xE0, 0x80, 0xC0}}); // data bytes are 7 bits: the same as 0x00, 0x40
    EXPECT_EQ(synth->getEngine().bendFactor, centre);
}

TEST_F(VstXSynthTest, NonFiniteValuesAndRatesChangeNothing) {
    synth->setParameter(5, 0.25f);
    synth->setParameter(5, kNaN);
    synth->setParameter(5, std::numeric_limits<float>::infinity());
    EXPECT_EQ(synth->getParameter(5), 0.25f);
    synth->setParameter(22, 0.5f);
    synth->setParameter(-1, 0.5f);

    dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    EXPECT_EQ(synth->getSampleRate(), 48000.0f);
    EXPECT_EQ(synth->getEngine().sampleRate, 48000.0);
    for (float rate : {kNaN, 0.0f, -44100.0f, std::numeric_limits<float>::infinity()}) {
        dispatch(effSetSampleRate, 0, 0, nullptr, rate);
        EXPECT_EQ(synth->getSampleRate(), 48000.0f);
        EXPECT_EQ(synth->getEngine().sampleRate, 48000.0);
    }
}

TEST_F(VstXSynthTest, HostRecognitionByExactVendorString) {
    const struct {
        const char* vendor;
        bool native;
    } cases[] = {{"Halvane Audio", true}, {"Halvane Audio ", false}, {"halvane audio", false}, {"", false}};
    for (const auto& c : cases) {
        host.vendorString = c.vendor;
        synth = make();
        EXPECT_FALSE(synth->isNativeHost());
        EXPECT_EQ(dispatch(effOpen), 0);
        EXPECT_EQ(synth->isNativeHost(), c.native) << c.vendor;
    }
}

TEST_F(VstXSynthTest, ChunkLayoutAndRoundTrip) {
    dispatch(effSetProgram, 0, 5);
    synth->setParameter(0, 0.75f);
    std::vector<uint8_t> bytes = chunkBytes();
    ASSERT_EQ(bytes.size(), 8232u);
    const int32_t header[10] = {22, 64, 5, 2, 15, -1, -2, 2200, 0, 0};
    EXPECT_EQ(std::memcmp(bytes.data(), header, sizeof header), 0);
    float value;
    std::memcpy(&value, bytes.data() + 40 + 128 * 5 + 32, sizeof value);
    EXPECT_EQ(value, 0.75f);
    void* preset = nullptr;
    EXPECT_EQ(dispatch(effGetChunk, 1, 0, &preset), 8232); // a program request gets the whole bank

    // Another instance takes it whole: bank, current program, engine values.
    std::string renamed = "Restored";
    std::memcpy(bytes.data() + 40 + 128 * 9, renamed.c_str(), renamed.size() + 1);
    auto other = make();
    EXPECT_EQ(other->dispatcher(effSetChunk, 0, static_cast<VstIntPtr>(bytes.size()), bytes.data(), 0.0f), 1);
    std::swap(synth, other);
    EXPECT_EQ(chunkBytes(), bytes);
    EXPECT_EQ(dispatch(effGetProgram), 5);
    EXPECT_EQ(synth->getParameter(0), 0.75f);
    EXPECT_EQ(synth->getEngine().paramValues[0], 0.75f);
    EXPECT_EQ(std::string(synth->getEngine().programBank[9].name), "Restored");
}

TEST_F(VstXSynthTest, MalformedChunksAreRefusedAndChangeNothing) {
    const std::vector<uint8_t> good = chunkBytes();
    synth->setParameter(1, 0.125f);
    const std::vector<uint8_t> before = chunkBytes();

    auto corrupt = [&](std::size_t offset, int32_t word) {
        std::vector<uint8_t> bytes = good;
        std::memcpy(bytes.data() + offset, &word, sizeof word);
        return bytes;
    };
    float nan = kNaN;
    int32_t nanBits;
    std::memcpy(&nanBits, &nan, sizeof nanBits);
    const std::vector<std::vector<uint8_t>> refused = {
        corrupt(0, 21), corrupt(4, 65), corrupt(8, 64), corrupt(8, -1), corrupt(24, -3), corrupt(28, 2201),
        corrupt(32, 1), corrupt(40 + 128 * 63 + 32 + 4 * 21, nanBits), corrupt(40 + 32, 0x7F800000),
        std::vector<uint8_t>(good.begin(), good.end() - 1), std::vector<uint8_t>(8232, 0),
    };
    for (std::size_t i = 0; i < refused.size(); ++i) {
        std::vector<uint8_t> bytes = refused[i];
        EXPECT_EQ(dispatch(effSetChunk, 0, static_cast<VstIntPtr>(bytes.size()), bytes.data()), 0) << i;
        EXPECT_EQ(chunkBytes(), before) << i;
    }
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    EXPECT_EQ(dispatch(effSetChunk, 0, static_cast<VstIntPtr>(longer.size()), longer.data()), 0);
    EXPECT_EQ(dispatch(effSetChunk, 0, 8232, nullptr), 0);
    EXPECT_EQ(chunkBytes(), before);
}

TEST_F(VstXSynthTest, ANameWithoutItsNulIsReadInsideItsField) {
    std::vector<uint8_t> bytes = chunkBytes();
    std::memset(bytes.data() + 40, 'z', 32); // program 0's whole name field
    ASSERT_EQ(dispatch(effSetChunk, 0, 8232, bytes.data()), 1);
    EXPECT_EQ(text(effGetProgramName), std::string(31, 'z'));
    char name[40];
    std::memset(name, 'x', sizeof name);
    dispatch(effGetProgramNameIndexed, 0, 0, name);
    EXPECT_EQ(std::string(name), std::string(31, 'z'));
    EXPECT_EQ(chunkBytes(), bytes);
}

TEST_F(VstXSynthTest, PadNotesActAtTheStartOfTheNextBlockInOrder) {
    Zarn& engine = synth->getEngine();
    dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
    synth->queueNoteEvent(0x90, 31, 0);
    EXPECT_EQ(engine.voiceActive, 0);
    std::vector<float> left(32), right(32);
    float* outputs[2] = {left.data(), right.data()};
    synth->processReplacing(nullptr, outputs, 0); // a block without frames leaves them queued
    EXPECT_EQ(engine.voiceActive, 0);
    synth->processReplacing(nullptr, outputs, 32);
    EXPECT_EQ(engine.voiceActive, 1);
    EXPECT_EQ(engine.keyDown[31], 1);

    synth->queueNoteEvent(0x90, 31, 0);
    synth->queueNoteEvent(0x80, 31, 0);
    synth->processReplacing(nullptr, outputs, 32);
    EXPECT_EQ(engine.keyDown[31], 0);
}

} // namespace
