#include "shell/VstXSynth.h"
#include "tools/host/Host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

// In process, where the engine and the host's record of requests are in sight. What a host sees
// through the library (names, chunk layout, controllers) is tested in tests/integration.

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

class VstXSynthTest : public ::testing::Test {
protected:
    host::Host host;
    std::unique_ptr<VstXSynth> synth = host.construct<VstXSynth>();
    Zarn& engine = synth->getEngine();

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0) {
        return synth->dispatcher(opcode, index, value, ptr, opt);
    }
    std::string programName() {
        char name[64];
        std::memset(name, 'x', sizeof name);
        dispatch(effGetProgramName, 0, 0, name);
        return name;
    }
    void sendMidi(std::vector<uint8_t> bytes, VstInt32 frame) {
        VstMidiEvent event{};
        event.type = kVstMidiType;
        event.byteSize = 24;
        event.deltaFrames = frame;
        std::memcpy(event.midiData, bytes.data(), 3);
        VstEvents list{1, 0, {reinterpret_cast<VstEvent*>(&event), nullptr}};
        dispatch(effProcessEvents, 0, 0, &list);
    }
    std::vector<uint8_t> chunk() {
        void* data = nullptr;
        const VstIntPtr size = dispatch(effGetChunk, 0, 0, &data);
        return {static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size};
    }
};

TEST_F(VstXSynthTest, WithoutAHostCallbackTheRecordKeepsTheBaseDefaults) {
    VstXSynth withoutHost(nullptr);
    EXPECT_EQ(withoutHost.getAeffect()->flags, effFlagsCanReplacing | effFlagsHasEditor);
    EXPECT_EQ(withoutHost.getAeffect()->numInputs, 1);
    EXPECT_EQ(withoutHost.getAeffect()->uniqueID, vst2::fourCC("NoEf"));
}

TEST_F(VstXSynthTest, ProgramAndProgramNameBounds) {
    dispatch(effSetProgram, 0, 3); // that it loads the program is heard in the factory digests
    for (VstIntPtr refused : {VstIntPtr{64}, VstIntPtr{-1}, VstIntPtr{1} << 40}) {
        dispatch(effSetProgram, 0, refused);
        EXPECT_EQ(dispatch(effGetProgram), 3);
    }

    std::string name31(31, 'a'), name40(40, 'b');
    dispatch(effSetProgramName, 0, 0, name31.data());
    EXPECT_EQ(programName(), name31);
    dispatch(effSetProgramName, 0, 0, name40.data());
    EXPECT_EQ(programName(), std::string(31, 'b'));
    EXPECT_EQ(engine.programBank[3].name[31], 0);

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

TEST_F(VstXSynthTest, AutomationEchoesAClampedControllerOnChannelOne) {
    const struct {
        VstInt32 index;
        float value;
        uint8_t controller;
        uint8_t data;
    } cases[] = {{7, 1.0f, 46, 127}, {7, 0.999f, 46, 126}, {0, 0.5f, 39, 63}, {21, 0.0f, 60, 0},
                 {3, 2.0f, 42, 127}, {3, -0.5f, 42, 0},   {3, 1e30f, 42, 127}, {3, kNaN, 42, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        host.clearCalls();
        synth->setParameterAutomated(c.index, c.value);
        const auto automated = host.callsWith(audioMasterAutomate);
        ASSERT_EQ(automated.size(), 1u);
        EXPECT_EQ(automated[0].index, c.index);
        EXPECT_TRUE(automated[0].opt == c.value || (std::isnan(c.value) && std::isnan(automated[0].opt)));
        const auto sent = host.callsWith(audioMasterProcessEvents);
        ASSERT_EQ(sent.size(), 1u);
        ASSERT_EQ(sent[0].midiEvents.size(), 1u);
        const VstMidiEvent& event = sent[0].midiEvents[0];
        EXPECT_EQ(event.byteSize, 24);
        EXPECT_EQ(std::vector<uint8_t>(event.midiData, event.midiData + 4), std::vector<uint8_t>({0xB0, c.controller, c.data, 0}));
    }
    EXPECT_EQ(synth->getParameter(7), 0.999f);
    EXPECT_EQ(synth->getParameter(3), 1e30f); // the NaN was not stored

    host.clearCalls();
    synth->setParameterAutomated(22, 1.0f);
    EXPECT_TRUE(host.calls().empty());
}

// Note events act on their own frames, on every channel, and a note-on with velocity 0 is a
// note-off. Pitch bend reads the low data byte first and seven bits of each (0x00, 0x40 is the
// centre, 8192).
TEST_F(VstXSynthTest, MidiIntake) {
    dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
    std::vector<float> left(64), right(64);
    float* outputs[2] = {left.data(), right.data()};
    const struct {
        uint8_t status, data1, data2;
        uint8_t keyDown, voiceActive;
    } cases[] = {{0x99, 40, 100, 1, 1}, {0x99, 40, 0, 0, 0}, {0x90, 41, 0, 0, 0}, {0x8F, 41, 100, 0, 0}};
    for (const auto& c : cases) {
        engine.reset();
        sendMidi({c.status, c.data1, c.data2}, 10);
        synth->processReplacing(nullptr, outputs, 64);
        EXPECT_EQ(engine.keyDown[c.data1], c.keyDown) << std::hex << +c.status << " " << +c.data2;
        EXPECT_EQ(engine.voiceActive, c.voiceActive) << std::hex << +c.status << " " << +c.data2;
        EXPECT_EQ(left[9], 0.0f); // nothing before the event's frame
    }
    const struct {
        uint8_t low, high;
        double bendFactor;
    } bends[] = {{0x00, 0x40, 1.0}, {0x80, 0xC0, 1.0}, {0x7F, 0x7F, 1.1224462193314728}, {0x00, 0x00, 0.8908987181403972}};
    for (const auto& b : bends) {
        sendMidi({0xE3, b.low, b.high}, 0);
        EXPECT_NEAR(engine.bendFactor, b.bendFactor, 1e-12) << +b.low << " " << +b.high;
    }
}

TEST_F(VstXSynthTest, NonFiniteValuesAndRatesChangeNothing) {
    synth->setParameter(5, 0.25f);
    synth->setParameter(5, kNaN);
    synth->setParameter(5, kInf);
    EXPECT_EQ(synth->getParameter(5), 0.25f);
    synth->setParameter(22, 0.5f);
    synth->setParameter(-1, 0.5f);
    EXPECT_EQ(synth->getParameter(22), 0.0f);
    EXPECT_EQ(synth->getParameter(-1), 0.0f);

    for (float rate : {48000.0f, kNaN, 0.0f, -44100.0f, kInf}) {
        dispatch(effSetSampleRate, 0, 0, nullptr, rate);
        EXPECT_EQ(synth->getSampleRate(), 48000.0f) << rate;
        EXPECT_EQ(engine.sampleRate, 48000.0) << rate;
    }
}

TEST_F(VstXSynthTest, HostRecognitionByExactVendorString) {
    for (const auto& [vendor, native] : {std::pair{"Halvane Audio", true}, {"Halvane Audio ", false},
                                         {"halvane audio", false}, {"", false}}) {
        host.vendorString = vendor;
        auto other = host.construct<VstXSynth>();
        EXPECT_FALSE(other->isNativeHost());
        EXPECT_EQ(other->dispatcher(effOpen, 0, 0, nullptr, 0.0f), 0);
        EXPECT_EQ(other->isNativeHost(), native) << vendor;
    }
}

TEST_F(VstXSynthTest, MalformedChunksAreRefusedAndChangeNothing) {
    const std::vector<uint8_t> good = chunk();
    synth->setParameter(1, 0.125f);
    const std::vector<uint8_t> before = chunk();

    auto corrupt = [&](std::size_t offset, auto word) {
        std::vector<uint8_t> bytes = good;
        std::memcpy(bytes.data() + offset, &word, sizeof word);
        return bytes;
    };
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    // Header: counts, current program, engine words, marker -2 at 24, version 2200 at 28, reserved
    // at 32; from 40, programs of a 32-byte name and 22 float values.
    const std::vector<std::vector<uint8_t>> refused = {
        corrupt(0, 21), corrupt(4, 65), corrupt(8, 64), corrupt(8, -1), corrupt(24, -3), corrupt(28, 2201),
        corrupt(32, 1), corrupt(40 + 128 * 63 + 32 + 4 * 21, kNaN), corrupt(40 + 32, kInf),
        std::vector<uint8_t>(good.begin(), good.end() - 1), std::vector<uint8_t>(8232, 0), longer,
    };
    for (std::size_t i = 0; i < refused.size(); ++i) {
        std::vector<uint8_t> bytes = refused[i];
        EXPECT_EQ(dispatch(effSetChunk, 0, static_cast<VstIntPtr>(bytes.size()), bytes.data()), 0) << i;
        EXPECT_EQ(chunk(), before) << i;
    }
}

TEST_F(VstXSynthTest, PadNotesActAtTheStartOfTheNextBlockInOrder) {
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
    EXPECT_NE(left[0], 0.0f); // from the block's first frame

    synth->queueNoteEvent(0x90, 31, 0);
    synth->queueNoteEvent(0x80, 31, 0);
    synth->processReplacing(nullptr, outputs, 32);
    EXPECT_EQ(engine.keyDown[31], 0);
}

} // namespace
