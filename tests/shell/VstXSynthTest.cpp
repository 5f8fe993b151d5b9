#include "shell/VstXSynth.h"
#include "tools/host/PluginInstance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

// In process, made through the entry point as a host makes it, where the engine and the host's
// record of requests are in sight. What a host sees through the library (names, chunk layout,
// controllers) is tested in tests/integration. Opcodes, flags and codes are written as the
// numbers a host uses.

extern "C" AEffect* VSTPluginMain(audioMasterCallback audioMaster);

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

class VstXSynthTest : public ::testing::Test {
protected:
    host::Host host;
    std::unique_ptr<host::PluginInstance> plugin = host::PluginInstance::create(&VSTPluginMain, host);
    VstXSynth* synth = static_cast<VstXSynth*>(static_cast<AudioEffect*>(plugin->effect()->object));
    Zarn& engine = synth->getEngine();
    // The left channel, then the right.
    std::vector<float> buffers = std::vector<float>(128);
    float* outputs[2] = {buffers.data(), buffers.data() + 64};

    // Renders a block into buffers holding old samples (NaN), as a host's do, and answers whether
    // every frame of both channels came back written, exact zeros before frame `sounding` and
    // within the clip bound from there, and none beyond the block.
    bool process(VstInt32 frames, VstInt32 sounding = 0) {
        std::fill(buffers.begin(), buffers.end(), kNaN);
        plugin->processReplacing(outputs, frames);
        for (VstInt32 i = 0; i < 128; ++i) // frame i % 64 of either channel
            if (const float x = buffers[i]; i % 64 >= frames ? !std::isnan(x) : i % 64 < sounding ? x != 0.0f : !(std::fabs(x) <= 1.0f))
                return false;
        return true;
    }
    std::vector<uint8_t> chunk() {
        void* data = nullptr;
        const VstIntPtr size = plugin->dispatch(23, 0, 0, &data); // effGetChunk
        return {static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size};
    }
};

// Each request reaches the host with its VST 2.4 opcode, index and value; a begin edit asks for the
// time first (Ardour's editor thread has no tempo map until it answers one). The end edit and the
// size request are heard in the editor tests, effOpen's vendor request in
// HostRecognitionByExactVendorString.
TEST_F(VstXSynthTest, HostRequestsCarryTheirOpcodes) {
    using Calls = std::vector<std::tuple<VstInt32, VstInt32, VstIntPtr>>;
    const std::pair<std::function<void()>, Calls> requests[] = {
        {[&] { synth->beginEdit(5); }, {{7, 0, 0}, {43, 5, 0}}},
        {[&] { synth->getMasterVersion(); }, {{1, 0, 0}}},
        {[&] { synth->updateDisplay(); }, {{42, 0, 0}}},
        {[&] { plugin->dispatch(12, 0, 1); }, {{6, 0, 1}}}, // effMainsChanged: resuming asks for MIDI
        {[&] { plugin->dispatch(12, 0, 5); }, {{6, 0, 1}}},
        {[&] { plugin->dispatch(12, 0, -1); }, {{6, 0, 1}}},
        {[&] { plugin->dispatch(12, 0, 0); }, {}}, // suspending asks for nothing
    };
    for (const auto& row : requests) {
        host.clearCalls();
        row.first();
        Calls calls;
        for (const host::HostCall& call : host.calls())
            calls.emplace_back(call.opcode, call.index, call.value);
        EXPECT_EQ(calls, row.second) << &row - requests;
    }

    VstEvents none{0, 0, {}};
    for (const auto& [answer, sent] : {std::pair{VstIntPtr{1}, true}, {VstIntPtr{2}, false}, {VstIntPtr{0}, false}}) {
        host.processEventsAnswer = answer;
        EXPECT_EQ(synth->sendVstEventsToHost(&none), sent) << answer;
    }
}

// A new rate silences the voice, lets go of the keys and restarts the bend smoother from 0. Rates
// that are not finite and positive, values that are not finite and indices outside 0 to 21 change
// nothing.
TEST_F(VstXSynthTest, RateBlockSizeAndParameterBounds) {
    plugin->dispatch(11, 0, 300); // effSetBlockSize
    plugin->dispatch(10, 0, 0, nullptr, 44100.0f);
    plugin->sendMidi({{0, {0xE0, 0x7F, 0x7F}}, {0, {0x90, 40, 100}}}); // a key held, bent up
    EXPECT_TRUE(process(64));
    EXPECT_EQ(std::tuple(synth->getBlockSize(), +engine.voiceActive, +engine.keyDown[40], engine.bendSmoothed > 0.0), std::tuple(300, 1, 1, true));
    for (float rate : {48000.0f, kNaN, 0.0f, -44100.0f, kInf}) {
        plugin->dispatch(10, 0, 0, nullptr, rate); // effSetSampleRate
        EXPECT_EQ(std::tuple(synth->getSampleRate(), engine.sampleRate, +engine.voiceActive, +engine.keyDown[40], engine.bendSmoothed),
                  std::tuple(48000.0f, 48000.0, 0, 0, 0.0))
            << rate;
    }
    for (const auto& [index, value] : {std::pair{5, 0.25f}, {5, kNaN}, {5, kInf}, {22, 0.5f}, {-1, 0.5f}})
        synth->setParameter(index, value);
    EXPECT_EQ(std::tuple(synth->getParameter(5), synth->getParameter(22), synth->getParameter(-1)), std::tuple(0.25f, 0.0f, 0.0f));
}

// The value-to-text operations: numbers in 8 characters, written up to maxLen and a NUL; the rate
// is 44100.
TEST_F(VstXSynthTest, ValueTexts) {
    AudioEffect& e = *synth;
    const std::pair<std::function<void(char*)>, const char*> cases[] = {
        {[&](char* t) { e.float2string(0.5f, t, 12); }, "0.500000"}, {[&](char* t) { e.float2string(1234.5f, t, 12); }, "1234.500"},
        {[&](char* t) { e.float2string(-3.25f, t, 12); }, "-3.25000"}, {[&](char* t) { e.float2string(1234.5f, t, 3); }, "123"},
        {[&](char* t) { e.float2string(1e8f, t, 8); }, "Huge!"}, {[&](char* t) { e.float2string(-1e7f, t, 8); }, "Huge!"},
        {[&](char* t) { e.dB2string(0.0f, t, 8); }, "-oo"}, {[&](char* t) { e.dB2string(10.0f, t, 12); }, "20.00000"},
        {[&](char* t) { e.dB2string(1.0f, t, 8); }, "0.000000"}, {[&](char* t) { e.Hz2string(441.0f, t, 8); }, "100.0000"},
        {[&](char* t) { e.Hz2string(0.0f, t, 8); }, "0.000000"}, {[&](char* t) { e.ms2string(441.0f, t, 12); }, "10.00000"},
        {[&](char* t) { e.int2string(-42, t, 8); }, "-42"}, {[&](char* t) { e.int2string(0, t, 8); }, "0"},
        {[&](char* t) { e.int2string(100000000, t, 9); }, "Huge!"}, {[&](char* t) { e.int2string(99999999, t, 9); }, "99999999"},
        {[&](char* t) { e.int2string(-100000000, t, 12); }, "-100000000"}, {[&](char* t) { e.int2string(INT32_MIN, t, 12); }, "-147483648"}};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        char text[16] = "xxxxxxxxxxxxxxx";
        cases[i].first(text);
        EXPECT_STREQ(text, cases[i].second) << i;
    }
}

// The editor opcodes reach the editor: the key codes as {character = index, virt = low byte of
// value, modifier = opt}. effEditIdle and effEditClose are driven in the editor tests.
TEST_F(VstXSynthTest, EditorOpcodes) {
    struct Editor : AEffEditor {
        bool getRect(ERect**) override { return log += "rect ", false; }
        bool open(void* parent) override { return log += "open ", parent != nullptr; }
        void close() override { log += "close "; }
        void idle() override { log += "idle "; }
        bool setKnobMode(VstInt32 mode) override { return log += "knob " + std::to_string(mode) + " ", mode == 2; }
        bool onKeyDown(VstKeyCode& k) override { return log += "down" + key(k), true; }
        bool onKeyUp(VstKeyCode& k) override { return log += "up" + key(k), false; }
        static std::string key(const VstKeyCode& k) { return ' ' + std::to_string(k.character) + ',' + std::to_string(k.virt) + ',' + std::to_string(k.modifier) + ' '; }
        std::string log;
    } editor;
    AEffEditor* own = synth->getEditor();
    synth->setEditor(&editor);
    void* rect = nullptr;
    EXPECT_EQ(plugin->dispatch(13, 0, 0, &rect), 0); // effEditGetRect, which this editor refuses
    EXPECT_EQ(plugin->dispatch(14, 0, 0, &rect), 1); // effEditOpen
    EXPECT_EQ(plugin->dispatch(59, 65, 1, nullptr, 2.0f), 1);     // effEditKeyDown
    EXPECT_EQ(plugin->dispatch(60, 66, 0x10F, nullptr, 3.0f), 0); // effEditKeyUp
    EXPECT_EQ(plugin->dispatch(61, 0, 2), 1);                      // effSetEditKnobMode
    EXPECT_EQ(editor.log, "rect open down 65,1,2 up 66,15,3 knob 2 ");
    synth->setEditor(nullptr);
    EXPECT_EQ(synth->getAeffect()->flags, 0x130);
    for (VstInt32 opcode : {13, 14, 59, 60, 61}) // without an editor
        EXPECT_EQ(plugin->dispatch(opcode, 65, 2, &rect, 2.0f), 0) << opcode;
    synth->setEditor(own);
}

TEST_F(VstXSynthTest, ProgramAndProgramNameBounds) {
    // effSetProgram 2, effGetProgram 3: no value outside 32 bits is a program number, whatever its
    // low bits say (5, 0 and 40 here). That a program loads is heard in the factory digests.
    for (const auto& [value, selected] : {std::pair{VstIntPtr{63}, 63}, {3, 3}, {64, 3}, {-1, 3}, {VstIntPtr{1} << 40, 3},
                                          {static_cast<VstIntPtr>(0xFFFFFFFF00000005u), 3}, {VstIntPtr{INT64_MIN}, 3}, {VstIntPtr{-4294967256}, 3}}) {
        plugin->dispatch(2, 0, value);
        EXPECT_EQ(plugin->dispatch(3), selected) << value;
    }

    // effSetProgramName 4, effGetProgramName 5: a name holds 31 characters and its NUL.
    char name[64] = {};
    plugin->dispatch(4, 0, 0, std::string(40, 'b').data());
    plugin->dispatch(5, 0, 0, name);
    EXPECT_EQ(std::pair(std::string(name), engine.programBank[3].name[31]), std::pair(std::string(31, 'b'), '\0'));

    std::strcpy(name, "untouched");
    for (const auto& [index, answer, expected] : {std::tuple{64, 0, "untouched"}, {0, 1, "2012 QZ"}}) {
        EXPECT_EQ(plugin->dispatch(29, index, 5, name), answer); // effGetProgramNameIndexed
        EXPECT_STREQ(name, expected);
    }
}

TEST_F(VstXSynthTest, AutomationEchoesAClampedControllerOnChannelOne) {
    const struct { VstInt32 index; float value; uint8_t controller, data; } cases[] = {
        {7, 1.0f, 46, 127}, {7, 0.999f, 46, 126}, {0, 0.5f, 39, 63}, {21, 0.0f, 60, 0},
        {3, 2.0f, 42, 127}, {3, -0.5f, 42, 0},   {3, 1e30f, 42, 127}, {3, kNaN, 42, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        host.clearCalls();
        synth->setParameterAutomated(c.index, c.value);
        const auto calls = host.calls();
        // audioMasterAutomate 0, then audioMasterProcessEvents 8 with one event of 24 bytes
        ASSERT_EQ(calls.size(), 2u);
        ASSERT_EQ(std::tuple(calls[0].opcode, calls[0].index, calls[1].opcode, calls[1].midiEvents.size()), std::tuple(0, c.index, 8, 1u));
        EXPECT_TRUE(calls[0].opt == c.value || (std::isnan(c.value) && std::isnan(calls[0].opt)));
        const VstMidiEvent& event = calls[1].midiEvents[0];
        EXPECT_EQ(std::pair(event.byteSize, std::vector<uint8_t>(event.midiData, event.midiData + 4)),
                  std::pair(24, std::vector<uint8_t>{0xB0, c.controller, c.data, 0}));
    }
    host.clearCalls();
    synth->setParameterAutomated(22, 1.0f); // the NaN was not stored, and index 22 is not sent
    EXPECT_EQ(std::tuple(synth->getParameter(7), synth->getParameter(3), host.calls().size()), std::tuple(0.999f, 1e30f, 0u));
}

// Note events act on their own frames, on every channel, and a note-on with velocity 0 is a
// note-off; the block overwrites the buffers, with silence while the voice is idle. Pitch bend
// reads the low data byte first and seven bits of each (0x00, 0x40 is the centre, 8192).
// Controllers and program changes act at once.
TEST_F(VstXSynthTest, MidiIntake) {
    plugin->dispatch(10, 0, 0, nullptr, 44100.0f);
    const struct { uint8_t status, data1, data2, keyDown, voiceActive; } cases[] = {
        {0x99, 40, 100, 1, 1}, {0x99, 40, 0, 0, 0}, {0x90, 41, 0, 0, 0}, {0x8F, 41, 100, 0, 0}};
    for (const auto& c : cases) {
        engine.reset();
        plugin->sendMidi({{10, {c.status, c.data1, c.data2}}});
        EXPECT_TRUE(process(64, c.voiceActive ? 10 : 64)) << std::hex << +c.status << " " << +c.data2;
        EXPECT_EQ(std::tuple(+engine.keyDown[c.data1], +engine.voiceActive), std::tuple(+c.keyDown, +c.voiceActive))
            << std::hex << +c.status << " " << +c.data2;
    }
    // An event of another type (SysEx, 6) is not read; the list is taken all the same.
    VstMidiEvent other{6, 24, 0, 0, 0, 0, {'\x90', 50, 100}, 0, 0, 0, 0};
    VstEvents list{1, 0, {reinterpret_cast<VstEvent*>(&other)}};
    EXPECT_EQ(plugin->dispatch(25, 0, 0, &list), 1); // effProcessEvents
    EXPECT_TRUE(process(64, 64));
    const struct { uint8_t low, high; double bendFactor; } bends[] = {
        {0x00, 0x40, 1.0}, {0x80, 0xC0, 1.0}, {0x7F, 0x7F, 1.1224462193314728}, {0x00, 0x00, 0.8908987181403972}};
    for (const auto& b : bends) {
        plugin->sendMidi({{0, {0xE3, b.low, b.high}}});
        EXPECT_NEAR(engine.bendFactor, b.bendFactor, 1e-12) << +b.low << " " << +b.high;
    }

    // Controllers 39 to 60 set parameters 0 to 21 without automation or echo; other controllers,
    // sustain, all-notes-off and aftertouch change no stored value; programs 0 to 63 are selected.
    host.clearCalls();
    plugin->sendMidi({{0, {0xB5, 46, 127}}});
    EXPECT_EQ(synth->getParameter(7), 1.0f);
    plugin->sendMidi({{0, {0xBF, 46, 0}}, {0, {0xB0, 39, 127}}});
    EXPECT_EQ(std::tuple(synth->getParameter(7), synth->getParameter(0), host.calls().size()), std::tuple(0.0f, 1.0f, 0u));
    const std::vector<uint8_t> before = chunk();
    plugin->sendMidi({{0, {0xB0, 61, 5}}, {0, {0xB0, 38, 5}}, {0, {0xB0, 64, 127}}, {0, {0xB0, 123, 0}}, {0, {0xA0, 46, 0}}, {0, {0xD0, 46, 0}}});
    EXPECT_EQ(chunk(), before);
    plugin->sendMidi({{0, {0xC9, 3, 0}}, {0, {0xC0, 100, 0}}});
    EXPECT_EQ(plugin->dispatch(3), 3);
}

TEST_F(VstXSynthTest, HostRecognitionByExactVendorString) {
    for (const auto& [vendor, native] : {std::pair{"Halvane Audio", true}, {"Halvane Audio ", false}, {"halvane audio", false}, {"", false}}) {
        host.vendorString = vendor;
        auto other = host.construct<VstXSynth>();
        EXPECT_FALSE(other->isNativeHost());
        EXPECT_EQ(other->dispatcher(0, 0, 0, nullptr, 0.0f), 0); // effOpen
        EXPECT_EQ(other->isNativeHost(), native) << vendor;
    }
}

// Each header word that is not the engine's is checked: corrupting any one refuses the chunk.
TEST_F(VstXSynthTest, MalformedChunksAreRefusedAndChangeNothing) {
    const std::vector<uint8_t> good = chunk();
    synth->setParameter(1, 0.125f);
    const std::vector<uint8_t> before = chunk();

    auto corrupt = [&](std::size_t offset, auto word) {
        std::vector<uint8_t> bytes = good;
        bytes.resize(offset < bytes.size() ? bytes.size() : offset + sizeof word);
        std::memcpy(bytes.data() + offset, &word, sizeof word);
        return bytes;
    };
    std::vector<std::vector<uint8_t>> refused = {
        corrupt(0, 21), corrupt(0, 23), corrupt(4, 63), corrupt(4, 65), corrupt(8, 64), corrupt(8, -1),
        corrupt(24, -3), corrupt(24, 2), corrupt(28, 2201), corrupt(32, 1), corrupt(36, 1),
        corrupt(40 + 128 * 63 + 32 + 4 * 21, kNaN), corrupt(40 + 32, kInf),
        std::vector<uint8_t>(good.begin(), good.end() - 1), std::vector<uint8_t>(8232, 0), corrupt(8232, uint8_t{0}),
    };
    for (std::size_t i = 0; i < refused.size(); ++i) {
        EXPECT_EQ(plugin->dispatch(24, 0, static_cast<VstIntPtr>(refused[i].size()), refused[i].data()), 0) << i; // effSetChunk
        EXPECT_EQ(chunk(), before) << i;
    }
    // The engine's words at 12, 16 and 20 are carried as they stand.
    std::vector<uint8_t> words = good;
    for (const auto& [offset, word] : {std::pair{12, 7}, {16, 8}, {20, 9}})
        std::memcpy(words.data() + offset, &word, sizeof word);
    EXPECT_EQ(plugin->dispatch(24, 0, static_cast<VstIntPtr>(words.size()), words.data()), 1);
    EXPECT_EQ(chunk(), words);
}

TEST_F(VstXSynthTest, PadNotesActAtTheStartOfTheNextBlockInOrder) {
    plugin->dispatch(10, 0, 0, nullptr, 44100.0f);
    synth->queueNoteEvent(0x90, 31, 0);
    EXPECT_TRUE(process(0)); // a block without frames leaves them queued
    EXPECT_EQ(engine.voiceActive, 0);
    EXPECT_TRUE(process(32)); // sounding from the block's first frame
    EXPECT_EQ(std::tuple(+engine.voiceActive, +engine.keyDown[31], buffers[0] != 0.0f), std::tuple(1, 1, true));

    synth->queueNoteEvent(0x90, 31, 0);
    synth->queueNoteEvent(0x80, 31, 0);
    EXPECT_TRUE(process(32));
    EXPECT_EQ(engine.keyDown[31], 0);
}

// The accumulating form adds the block to what the buffers hold: an idle voice leaves it as it is,
// a sounding one at Volume 0.5 (a gain of 1) adds what processReplacing writes.
TEST_F(VstXSynthTest, AccumulatingAddsTheBlockToTheBuffers) {
    auto twin = host.construct<VstXSynth>();
    std::vector<float> replaced(128);
    float* twinOutputs[2] = {replaced.data(), replaced.data() + 64};
    for (VstXSynth* s : {synth, twin.get()}) {
        s->setSampleRate(44100.0f);
        s->setParameter(21, 0.5f);
    }
    for (bool sounding : {false, true}) {
        if (sounding)
            for (VstXSynth* s : {synth, twin.get()})
                s->queueNoteEvent(0x90, 36, 0);
        std::fill(buffers.begin(), buffers.begin() + 64, 0.25f);
        std::fill(buffers.begin() + 64, buffers.end(), -0.25f);
        std::fill(replaced.begin(), replaced.end(), kNaN);
        twin->processReplacing(nullptr, twinOutputs, 64);
        synth->processAccumulating(nullptr, outputs, 64);
        for (std::size_t i = 0; i < 128; ++i) // the left channel held 0.25, the right -0.25
            ASSERT_NEAR(buffers[i], std::clamp(replaced[i] + (i < 64 ? 0.25f : -0.25f), -1.0f, 1.0f), 1e-6f) << sounding << " " << i;
    }
}

} // namespace
