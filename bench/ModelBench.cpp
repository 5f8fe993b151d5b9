// Cost of the models per sample: a 2 s note at 48 kHz through Zarn::render in blocks of 480,
// and an idle instance. "per_sample" (time per sample) is the figure to compare.
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

#include "engine/ParamIndex.h"
#include "engine/Zarn.h"

namespace {

constexpr double kRate = 48000.0;
constexpr int32_t kNoteFrames = 96000; // 2 s
constexpr int32_t kBlock = 480; // 10 ms; 200 blocks make the note

// The factory program that selects each model; model 2, which none selects, borrows program 2's
// values.
struct Patch {
    int32_t model;
    int32_t program;
};
constexpr Patch kPatches[] = {{0, 0}, {1, 2}, {2, 2}, {3, 8}, {4, 3}, {5, 4}, {6, 7}, {7, 1}};

std::unique_ptr<Zarn> engineFor(const Patch& patch, bool sounding) {
    auto engine = std::make_unique<Zarn>();
    engine->setSampleRate(kRate);
    engine->reset();
    const SynthProgram& program = engine->getPrograms()[patch.program];
    for (int32_t i = 0; i < kNumParams; ++i)
        engine->setParameter(static_cast<uint32_t>(i), program.values[i]);
    engine->setParameter(kModel, static_cast<float>(patch.model) / 7.0f);
    if (sounding) {
        // Held for 0.4 s and released over 4 s: the voice sounds for the whole note.
        engine->setParameter(kAmpSustain, 1.0f);
        engine->setParameter(kAmpDecay, 1.0f);
    }
    return engine;
}

void renderNote(Zarn& engine, std::vector<float>& left, std::vector<float>& right) {
    float* outputs[2] = {left.data(), right.data()};
    engine.noteOn(36, 100);
    for (int32_t done = 0; done < kNoteFrames; done += kBlock)
        engine.render(kBlock, outputs, true);
    benchmark::DoNotOptimize(left.data());
}

void setCounter(benchmark::State& state) {
    state.counters["per_sample"] = benchmark::Counter(
        kNoteFrames, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// range(0): model; range(1): 1 = kept sounding for 2 s, 0 = the program's own envelope.
void BM_ModelNote(benchmark::State& state) {
    const Patch& patch = kPatches[state.range(0)];
    auto engine = engineFor(patch, state.range(1) != 0);
    std::vector<float> left(kBlock), right(kBlock);
    for (auto _ : state)
        renderNote(*engine, left, right);
    setCounter(state);
}
BENCHMARK(BM_ModelNote)->ArgsProduct({{0, 1, 2, 3, 4, 5, 6, 7}, {1, 0}})->ArgNames({"model", "sounding"})->Unit(benchmark::kMicrosecond);

void BM_IdleInstance(benchmark::State& state) {
    auto engine = engineFor(kPatches[0], false);
    std::vector<float> left(kBlock), right(kBlock);
    float* outputs[2] = {left.data(), right.data()};
    for (auto _ : state) {
        for (int32_t done = 0; done < kNoteFrames; done += kBlock)
            engine->render(kBlock, outputs, true);
        benchmark::DoNotOptimize(left.data());
    }
    setCounter(state);
}
BENCHMARK(BM_IdleInstance)->Unit(benchmark::kMicrosecond);

} // namespace
