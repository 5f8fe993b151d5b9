// What the plug-in shell costs on top of the engine: the same note pattern rendered by the engine
// directly and through processReplacing, per block size and with events in every block.
#include <benchmark/benchmark.h>

#include "engine/Zarn.h"
#include "shell/VstXSynth.h"
#include "tools/host/Host.h"

#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr double kRate = 48000.0;
constexpr int32_t kBlocksPerNote = 48000 / 2; // frames between note starts

struct Buffers {
    explicit Buffers(int32_t frames) : left(static_cast<std::size_t>(frames)), right(static_cast<std::size_t>(frames)) {}
    std::vector<float> left, right;
    float* channels[2] = {left.data(), right.data()};
};

void BM_EngineRender(benchmark::State& state) {
    const auto frames = static_cast<int32_t>(state.range(0));
    auto engine = std::make_unique<Zarn>();
    engine->setSampleRate(kRate);
    engine->reset();
    engine->applyParameters();
    Buffers buffers(frames);
    int64_t position = 0;
    for (auto _ : state) {
        if (position % kBlocksPerNote < frames)
            engine->noteOn(36, 100, 0);
        engine->render(frames, buffers.channels, true);
        position += frames;
        benchmark::DoNotOptimize(buffers.left[0]);
    }
    state.SetItemsProcessed(state.iterations() * frames);
}
BENCHMARK(BM_EngineRender)->Arg(32)->Arg(4096);

std::unique_ptr<VstXSynth> makeSynth(host::Host& host) {
    auto synth = host.construct<VstXSynth>();
    synth->setSampleRate(static_cast<float>(kRate));
    return synth;
}

// Builds a list of note events spread over the block: note-offs only, or on and off pairs.
struct EventList {
    EventList(int32_t count, int32_t frames, bool withNoteOns = true) : events(static_cast<std::size_t>(count)) {
        storage.resize(sizeof(VstEvents) + events.size() * sizeof(VstEvent*));
        list = reinterpret_cast<VstEvents*>(storage.data());
        list->numEvents = count;
        std::vector<VstEvent*> pointers;
        for (int32_t i = 0; i < count; ++i) {
            VstMidiEvent& event = events[static_cast<std::size_t>(i)];
            event.type = kVstMidiType;
            event.byteSize = 24;
            event.deltaFrames = count == 0 ? 0 : i * frames / count;
            const unsigned char bytes[3] = {static_cast<unsigned char>(withNoteOns && i % 2 == 0 ? 0x90 : 0x80), 36, 100};
            std::memcpy(event.midiData, bytes, 3);
            pointers.push_back(reinterpret_cast<VstEvent*>(&event));
        }
        std::memcpy(storage.data() + offsetof(VstEvents, events), pointers.data(), pointers.size() * sizeof(VstEvent*));
    }
    std::vector<VstMidiEvent> events;
    std::vector<std::byte> storage;
    VstEvents* list = nullptr;
};

void BM_PluginProcessReplacing(benchmark::State& state) {
    const auto frames = static_cast<int32_t>(state.range(0));
    host::Host host;
    auto synth = makeSynth(host);
    Buffers buffers(frames);
    EventList noteStart(1, frames);
    int64_t position = 0;
    for (auto _ : state) {
        if (position % kBlocksPerNote < frames)
            synth->processEvents(noteStart.list);
        synth->processReplacing(nullptr, buffers.channels, frames);
        position += frames;
        benchmark::DoNotOptimize(buffers.left[0]);
    }
    state.SetItemsProcessed(state.iterations() * frames);
}
BENCHMARK(BM_PluginProcessReplacing)->Arg(32)->Arg(4096);

// Every block of an idle instance carries the given number of note-offs: what intake, queue and
// slicing cost per event, with no voice to render.
void BM_PluginEventsPerBlock(benchmark::State& state) {
    constexpr int32_t kFrames = 512;
    const auto count = static_cast<int32_t>(state.range(0));
    host::Host host;
    auto synth = makeSynth(host);
    Buffers buffers(kFrames);
    EventList events(count, kFrames, false);
    for (auto _ : state) {
        synth->processEvents(events.list);
        synth->processReplacing(nullptr, buffers.channels, kFrames);
        benchmark::DoNotOptimize(buffers.left[0]);
    }
    state.counters["events"] = static_cast<double>(count);
}
BENCHMARK(BM_PluginEventsPerBlock)->Arg(0)->Arg(16)->Arg(256);

} // namespace
