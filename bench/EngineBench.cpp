// Engine set-up costs: the resampling of a rate change and the mapping of all parameters.
#include <benchmark/benchmark.h>
#include <memory>

#include "engine/Zarn.h"

namespace {

void BM_SetSampleRateTo192000(benchmark::State& state) {
    auto engine = std::make_unique<Zarn>();
    for (auto _ : state) {
        state.PauseTiming();
        engine->setSampleRate(44100.0);
        state.ResumeTiming();
        engine->setSampleRate(192000.0);
        benchmark::DoNotOptimize(engine->attackSample6[1000]);
    }
}
BENCHMARK(BM_SetSampleRateTo192000)->Unit(benchmark::kMicrosecond);

void BM_ApplyParameters(benchmark::State& state) {
    auto engine = std::make_unique<Zarn>();
    engine->setSampleRate(48000.0);
    for (auto _ : state) {
        engine->applyParameters();
        benchmark::DoNotOptimize(engine->ampReleaseCoef);
    }
}
BENCHMARK(BM_ApplyParameters);

} // namespace
