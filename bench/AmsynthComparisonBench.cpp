// The cost of each model against a voice of a third-party instrument (Debian's amsynth, loaded
// through the host library) playing the same phrase in the same run: 48 kHz, blocks of 512, a
// note every 0.5 s held for 0.25 s. Counters: nanoseconds per sample of each, and how many times
// faster the model is.
#include <benchmark/benchmark.h>

#include "engine/ParamIndex.h"
#include "shell/VstXSynth.h"
#include "tools/host/Host.h"
#include "tools/host/PluginInstance.h"
#include "tools/host/PluginLibrary.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr float kRate = 48000.0f;
constexpr VstInt32 kBlock = 512;
constexpr int64_t kNoteEvery = 24000;
constexpr int64_t kNoteLength = 12000;
constexpr int64_t kPhrase = 8 * kNoteEvery;

// Plays the phrase once through the record's processEvents and processReplacing; returns seconds.
double playPhrase(AEffect* effect) {
    std::vector<float> left(kBlock), right(kBlock);
    float* outputs[2] = {left.data(), right.data()};
    VstMidiEvent event{};
    event.type = kVstMidiType;
    event.byteSize = 24;
    VstEvents list{1, 0, {reinterpret_cast<VstEvent*>(&event), nullptr}};
    const auto start = std::chrono::steady_clock::now();
    for (int64_t frame = 0; frame < kPhrase; frame += kBlock) {
        const int64_t inNote = frame % kNoteEvery;
        for (const int64_t at : {int64_t{0}, kNoteLength}) {
            if (inNote <= at && at < inNote + kBlock) {
                event.deltaFrames = static_cast<VstInt32>(at - inNote);
                event.midiData[0] = static_cast<char>(at == 0 ? 0x90 : 0x80);
                event.midiData[1] = 36;
                event.midiData[2] = 100;
                effect->dispatcher(effect, effProcessEvents, 0, 0, &list, 0.0f);
            }
        }
        effect->processReplacing(effect, nullptr, outputs, kBlock);
        benchmark::DoNotOptimize(left[0]);
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_ModelAgainstAmsynthVoice(benchmark::State& state) {
    std::string error;
    auto library = host::PluginLibrary::load("/usr/lib/vst/amsynth_vst.so", error);
    if (library == nullptr) {
        state.SkipWithError(("amsynth: " + error).c_str());
        return;
    }
    host::Host host;
    auto amsynth = host::PluginInstance::create(library->entry(), host);
    amsynth->start(kRate, kBlock);
    auto synth = host.construct<VstXSynth>();
    AEffect* ours = synth->getAeffect();
    ours->dispatcher(ours, effSetSampleRate, 0, 0, nullptr, kRate);
    ours->dispatcher(ours, effMainsChanged, 0, 1, nullptr, 0.0f);
    ours->setParameter(ours, kModel, static_cast<float>(state.range(0)) / 7.0f);

    double oursSeconds = 0.0;
    double theirsSeconds = 0.0;
    for (auto _ : state) {
        oursSeconds += playPhrase(ours);
        theirsSeconds += playPhrase(amsynth->effect());
    }
    const double samples = static_cast<double>(state.iterations()) * static_cast<double>(kPhrase);
    state.counters["ns/sample"] = oursSeconds * 1e9 / samples;
    state.counters["amsynth ns/sample"] = theirsSeconds * 1e9 / samples;
    state.counters["times faster"] = theirsSeconds / oursSeconds;
}
BENCHMARK(BM_ModelAgainstAmsynthVoice)->DenseRange(0, 7)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace
