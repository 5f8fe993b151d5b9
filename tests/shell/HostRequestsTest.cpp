#include "ProbeEffect.h"
#include "tools/host/Host.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <tuple>

namespace {

using Effect = PlainEffect;

// Answers every request with the same value and keeps the last pointer passed.
struct AnsweringHost : host::Host {
    VstIntPtr reply = 0;
    void* lastPtr = nullptr;
    VstIntPtr answer(AEffect*, VstInt32, VstInt32, VstIntPtr, void* ptr, float) override {
        lastPtr = ptr;
        return reply;
    }
};

char gText[64] = "text";
char gBlock[256] = {};
void* const kPtr = gBlock;

struct Request {
    const char* name;
    std::function<VstIntPtr(Effect&)> call;
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    float opt;
    void* ptr;
    VstIntPtr whenHostAnswers3; // result when the host answers 3
    VstIntPtr whenHostAnswers0; // result when it answers 0, and without a host callback
};

VstIntPtr asInt(const void* p) { return reinterpret_cast<VstIntPtr>(p); }

const Request kRequests[] = {
    {"getMasterVersion", [](Effect& e) { return e.getMasterVersion(); }, 1, 0, 0, 0, nullptr, 3, 1},
    {"getCurrentUniqueId", [](Effect& e) { return e.getCurrentUniqueId(); }, 2, 0, 0, 0, nullptr, 3, 0},
    {"masterIdle", [](Effect& e) { e.masterIdle(); return 0; }, 3, 0, 0, 0, nullptr, 0, 0},
    {"isInputConnected", [](Effect& e) { return VstIntPtr{e.isInputConnected(4)}; }, 4, 4, 0, 0, nullptr, 0, 1},
    {"isOutputConnected", [](Effect& e) { return VstIntPtr{e.isOutputConnected(5)}; }, 4, 5, 1, 0, nullptr, 0, 1},
    {"setParameterAutomated", [](Effect& e) { e.setParameterAutomated(2, 0.25f); return 0; }, 0, 2, 0, 0.25f, nullptr, 0, 0},
    {"beginEdit", [](Effect& e) { return VstIntPtr{e.beginEdit(6)}; }, 43, 6, 0, 0, nullptr, 1, 0},
    {"endEdit", [](Effect& e) { return VstIntPtr{e.endEdit(6)}; }, 44, 6, 0, 0, nullptr, 1, 0},
    {"ioChanged", [](Effect& e) { return VstIntPtr{e.ioChanged()}; }, 13, 0, 0, 0, nullptr, 1, 0},
    {"updateSampleRate", [](Effect& e) { return static_cast<VstIntPtr>(e.updateSampleRate()); }, 16, 0, 0, 0, nullptr, 3, 44100},
    {"updateBlockSize", [](Effect& e) { return VstIntPtr{e.updateBlockSize()}; }, 17, 0, 0, 0, nullptr, 3, 1024},
    {"getInputLatency", [](Effect& e) { return VstIntPtr{e.getInputLatency()}; }, 18, 0, 0, 0, nullptr, 3, 0},
    {"getOutputLatency", [](Effect& e) { return VstIntPtr{e.getOutputLatency()}; }, 19, 0, 0, 0, nullptr, 3, 0},
    {"getTimeInfo", [](Effect& e) { return asInt(e.getTimeInfo(0x200)); }, 7, 0, 0x200, 0, nullptr, 3, 0},
    {"getCurrentProcessLevel", [](Effect& e) { return VstIntPtr{e.getCurrentProcessLevel()}; }, 23, 0, 0, 0, nullptr, 3, 0},
    {"getAutomationState", [](Effect& e) { return VstIntPtr{e.getAutomationState()}; }, 24, 0, 0, 0, nullptr, 3, 0},
    {"getHostVendorString", [](Effect& e) { return VstIntPtr{e.getHostVendorString(gText)}; }, 32, 0, 0, 0, gText, 1, 0},
    {"getHostProductString", [](Effect& e) { return VstIntPtr{e.getHostProductString(gText)}; }, 33, 0, 0, 0, gText, 1, 0},
    {"getHostVendorVersion", [](Effect& e) { return VstIntPtr{e.getHostVendorVersion()}; }, 34, 0, 0, 0, nullptr, 3, 0},
    {"hostVendorSpecific", [](Effect& e) { return e.hostVendorSpecific(1, 2, kPtr, 0.5f); }, 35, 1, 2, 0.5f, kPtr, 3, 0},
    {"canHostDo", [](Effect& e) { return VstIntPtr{e.canHostDo(gText)}; }, 37, 0, 0, 0, gText, 1, 0},
    {"getHostLanguage", [](Effect& e) { return VstIntPtr{e.getHostLanguage()}; }, 38, 0, 0, 0, nullptr, 3, 0},
    {"getDirectory", [](Effect& e) { return asInt(e.getDirectory()); }, 41, 0, 0, 0, nullptr, 3, 0},
    {"updateDisplay", [](Effect& e) { return VstIntPtr{e.updateDisplay()}; }, 42, 0, 0, 0, nullptr, 1, 0},
    {"sizeWindow", [](Effect& e) { return VstIntPtr{e.sizeWindow(956, 400)}; }, 15, 956, 400, 0, nullptr, 1, 0},
    {"openFileSelector", [](Effect& e) { return VstIntPtr{e.openFileSelector(reinterpret_cast<VstFileSelect*>(kPtr))}; }, 45, 0, 0, 0, kPtr, 1, 0},
    {"closeFileSelector", [](Effect& e) { return VstIntPtr{e.closeFileSelector(reinterpret_cast<VstFileSelect*>(kPtr))}; }, 46, 0, 0, 0, kPtr, 1, 0},
    {"offlineRead", [](Effect& e) { return VstIntPtr{e.offlineRead(reinterpret_cast<VstOfflineTask*>(kPtr), 5, true)}; }, 26, 1, 5, 0, kPtr, 1, 0},
    {"offlineWrite", [](Effect& e) { return VstIntPtr{e.offlineWrite(reinterpret_cast<VstOfflineTask*>(kPtr), 5)}; }, 27, 0, 5, 0, kPtr, 1, 0},
    {"offlineStart", [](Effect& e) { return VstIntPtr{e.offlineStart(reinterpret_cast<VstAudioFile*>(kPtr), 2, 1)}; }, 25, 1, 2, 0, kPtr, 1, 0},
    {"offlineGetCurrentPass", [](Effect& e) { return VstIntPtr{e.offlineGetCurrentPass()}; }, 28, 0, 0, 0, nullptr, 1, 0},
    {"offlineGetCurrentMetaPass", [](Effect& e) { return VstIntPtr{e.offlineGetCurrentMetaPass()}; }, 29, 0, 0, 0, nullptr, 1, 0},
    {"wantEvents", [](Effect& e) { return VstIntPtr{e.wantEvents(1)}; }, 6, 0, 1, 0, nullptr, 1, 0},
    {"tempoAt", [](Effect& e) { return VstIntPtr{e.tempoAt(10)}; }, 10, 0, 10, 0, nullptr, 3, 0},
    {"getNumAutomatableParameters", [](Effect& e) { return VstIntPtr{e.getNumAutomatableParameters()}; }, 11, 0, 0, 0, nullptr, 3, 0},
    {"getParameterQuantization", [](Effect& e) { return VstIntPtr{e.getParameterQuantization()}; }, 12, 0, 0, 0, nullptr, 3, 0},
    {"needIdle", [](Effect& e) { return VstIntPtr{e.needIdle()}; }, 14, 0, 0, 0, nullptr, 1, 0},
    {"getPreviousPlug", [](Effect& e) { return asInt(e.getPreviousPlug(1)); }, 20, 0, 0, 0, nullptr, 3, 0},
    {"getNextPlug", [](Effect& e) { return asInt(e.getNextPlug(1)); }, 21, 0, 0, 0, nullptr, 3, 0},
    {"willProcessReplacing", [](Effect& e) { return VstIntPtr{e.willProcessReplacing()}; }, 22, 0, 0, 0, nullptr, 3, 0},
    {"setOutputSamplerate", [](Effect& e) { return VstIntPtr{e.setOutputSamplerate(48000.0f)}; }, 30, 0, 0, 48000.0f, nullptr, 1, 0},
    {"getInputSpeakerArrangement", [](Effect& e) { return asInt(e.getInputSpeakerArrangement()); }, 49, 0, 0, 0, nullptr, 3, 0},
    {"getOutputSpeakerArrangement", [](Effect& e) { return asInt(e.getOutputSpeakerArrangement()); }, 31, 0, 0, 0, nullptr, 3, 0},
    {"openWindow", [](Effect& e) { return asInt(e.openWindow(reinterpret_cast<VstWindow*>(kPtr))); }, 39, 0, 0, 0, kPtr, 3, 0},
    {"closeWindow", [](Effect& e) { return VstIntPtr{e.closeWindow(reinterpret_cast<VstWindow*>(kPtr))}; }, 40, 0, 0, 0, kPtr, 1, 0},
    {"getChunkFile", [](Effect& e) { return VstIntPtr{e.getChunkFile(kPtr)}; }, 48, 0, 0, 0, kPtr, 1, 0},
    {"sendVstEventsToHost", [](Effect& e) { return VstIntPtr{e.sendVstEventsToHost(reinterpret_cast<VstEvents*>(kPtr))}; }, 8, 0, 0, 0, kPtr, 0, 0},
};

TEST(HostRequests, EachWrapperSendsItsRequestAndReadsTheAnswer) {
    for (const Request& request : kRequests) {
        SCOPED_TRACE(request.name);
        for (VstIntPtr reply : {VstIntPtr{3}, VstIntPtr{0}}) {
            AnsweringHost host;
            host.reply = reply;
            auto effect = host.construct<Effect>(1, 1);
            EXPECT_EQ(request.call(*effect), reply == 3 ? request.whenHostAnswers3 : request.whenHostAnswers0);
            const auto calls = host.calls();
            ASSERT_EQ(calls.size(), 1u);
            const host::HostCall& c = calls[0];
            EXPECT_EQ(std::tie(c.opcode, c.index, c.value, c.opt, host.lastPtr, c.hadEffect),
                      std::make_tuple(request.opcode, request.index, request.value, request.opt, request.ptr, true));
        }
        Effect withoutHost(nullptr, 1, 1);
        EXPECT_EQ(request.call(withoutHost), request.whenHostAnswers0);
    }
}

TEST(HostRequests, EventsCountAsTakenOnlyOnAnAnswerOfOneAndNullPointersAreNotSent) {
    AnsweringHost host;
    auto effect = host.construct<Effect>(1, 1);
    VstEvents events{};
    for (VstIntPtr reply : {1, 2, 0}) {
        host.reply = reply;
        EXPECT_EQ(effect->sendVstEventsToHost(&events), reply == 1) << reply;
    }
    host.reply = 1;
    host.clearCalls();
    EXPECT_FALSE(effect->openFileSelector(nullptr));
    EXPECT_FALSE(effect->closeFileSelector(nullptr));
    EXPECT_FALSE(effect->getChunkFile(nullptr));
    EXPECT_TRUE(host.calls().empty());
}

TEST(HostRequests, ResumeAsksForMidiWhenSynthOrMidiReceiver) {
    for (const auto& [synth, canDo, asks] : {std::tuple{true, 0, true}, {false, 1, true}, {false, -1, false}, {false, 2, false}}) {
        AnsweringHost host;
        auto effect = host.construct<Effect>(1, 1);
        effect->isSynth(synth);
        effect->midiAnswer = canDo;
        effect->dispatcher(effMainsChanged, 0, 1, nullptr, 0.0f);
        const auto calls = host.callsWith(audioMasterWantMidi);
        ASSERT_EQ(calls.size(), asks ? 1u : 0u) << synth << canDo;
        EXPECT_TRUE(!asks || calls[0].value == 1);
    }
}

} // namespace
