// Invariants of the eight models under randomised parameters, notes, block sizes and rates: the
// output is finite and within the clip bound, exact silence follows the end of the voice, and
// no filter memory is left subnormal or non-finite. Also run by the sanitizer build.
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "ModelRig.h"

namespace {

// Values a host may send although they lie outside 0..1 (the mapping does not clamp them).
constexpr float kOutOfRange[] = {-3.4e38f, -1e30f, -3.0f, 1.5f, 4.0f, 1e30f, 3.4e38f};

// Empty when the engine's voice state is sound; otherwise what is wrong.
std::string stateFault(const Zarn& engine) {
    for (float memory : engine.filterStates) {
        if (!std::isfinite(memory) || std::fpclassify(memory) == FP_SUBNORMAL)
            return "filter memory " + std::to_string(memory);
    }
    const double values[] = {engine.oscPhase,       engine.model3Phase,    engine.model4Phase,
                             engine.sinePhase,      engine.bendSmoothed,   engine.ampCurveSmoothed,
                             engine.ampEnvLevel,    engine.timbreEnvLevel, engine.pitchEnvLevel,
                             engine.model3EnvLevel, engine.clickEnvLevel,  engine.fadeGain,
                             engine.contourTarget,  engine.contourLevel};
    for (double v : values) {
        if (!std::isfinite(v))
            return "voice state " + std::to_string(v);
    }
    return {};
}

class Scenario {
public:
    Scenario(int32_t model, double rate, std::mt19937& rng) : rig(model, rate), model(model), rng(rng) {}

    void randomiseParameters(bool allowOutOfRange) {
        std::uniform_real_distribution<float> unit(0.0f, 1.0f);
        for (int32_t i = 0; i < kNumParams; ++i) {
            if (i == kModel)
                continue;
            float value = unit(rng);
            // Volume stays in range: its gain is applied by the output stage, not by the models.
            if (allowOutOfRange && i != kVolume && unit(rng) < 0.08f)
                value = kOutOfRange[rng() % std::size(kOutOfRange)];
            rig.set(static_cast<ParamIndex>(i), value);
            description << value << ",";
        }
        if (allowOutOfRange && unit(rng) < 0.1f)
            rig->setPitchBend(static_cast<int32_t>(rng()));
        else
            rig->setPitchBend(static_cast<int32_t>(rng() % 16384));
    }

    // Quick decays, so that the voice ends within the scenario.
    void shortTail() { rig.set({{kAmpDecay, 0.0f}, {kTimbreDecay, 0.0f}, {kAmpSustain, 0.0f}, {kMidi, 1.0f}}); }

    // Plays the events in random blocks, sliced at them as the shell does; returns how many runs
    // were checked for silence after the voice had ended, or a negative number on a fault.
    int play(const std::vector<NoteEvent>& events, int64_t totalFrames) {
        // The largest magnitude the output stage lets through.
        const float bound = (model == 2 ? 1.0f - 0.3333f : 1.0f) * (rig.owner.nativeHost ? 1.9f : 1.0f);
        std::uniform_int_distribution<int32_t> blockSize(1, 4096);
        int64_t blockEnd = 0;
        int silentRuns = 0;
        std::string fault;
        const auto cut = [&](int64_t frame) {
            if (frame >= blockEnd)
                blockEnd = frame + static_cast<int64_t>(rng() % 4 == 0 ? rng() % 8 + 1 : static_cast<uint32_t>(blockSize(rng)));
            return blockEnd;
        };
        rig.play(events, totalFrames, cut, [&](int64_t frame, bool ended) {
            for (std::size_t i = 0; i < rig.left.size() && fault.empty(); ++i) {
                for (float v : {rig.left[i], rig.right[i]}) {
                    if (!std::isfinite(v) || std::fabs(v) > bound)
                        fault = "output " + std::to_string(v) + " at frame " + std::to_string(frame + static_cast<int64_t>(i));
                    else if (ended && v != 0.0f)
                        fault = "sound after the voice ended at frame " + std::to_string(frame);
                }
            }
            silentRuns += ended ? 1 : 0;
            if (fault.empty())
                fault = stateFault(*rig.engine);
        });
        if (fault.empty())
            return silentRuns;
        ADD_FAILURE() << "model " << model << " at " << rig->sampleRate << " Hz: " << fault << "\nparameters: " << description.str();
        return -1;
    }

    ModelRig rig;
    int32_t model;
    std::mt19937& rng;
    std::ostringstream description;
};

std::vector<NoteEvent> randomNotes(std::mt19937& rng, int64_t totalFrames) {
    std::vector<NoteEvent> events;
    events.push_back({0, static_cast<int8_t>(rng() % 128), static_cast<uint8_t>(1 + rng() % 127)});
    const int count = static_cast<int>(rng() % 6);
    for (int k = 0; k < count; ++k) {
        const auto at = static_cast<int64_t>(rng() % static_cast<uint64_t>(totalFrames));
        const bool on = rng() % 2 == 0;
        const auto note = static_cast<int8_t>(rng() % 128);
        const auto velocity = static_cast<uint8_t>(1 + rng() % 127);
        events.push_back({at, note, on ? velocity : uint8_t{0}});
    }
    std::stable_sort(events.begin(), events.end(), [](const NoteEvent& a, const NoteEvent& b) { return a.frame < b.frame; });
    return events;
}

TEST(ModelInvariantTest, RandomisedPlayStaysFiniteBoundedAndEndsInSilence) {
    std::mt19937 rng(20261206u);
    std::uniform_real_distribution<double> rates(10000.0, 192000.0);
    std::uniform_real_distribution<double> seconds(0.05, 0.4);
    int silentRuns = 0;
    for (int scenario = 0; scenario < 320; ++scenario) {
        // Every model meets every combination of out-of-range values and a dying tail.
        const int32_t model = scenario % 8;
        const int round = scenario / 8;
        const double rate = round % 3 == 0 ? rates(rng) : std::floor(rates(rng));
        Scenario s(model, rate, rng);
        s.rig.owner.nativeHost = rng() % 2 == 0;
        s.randomiseParameters(round % 2 == 1);
        const bool tail = round % 4 < 2;
        if (tail)
            s.shortTail();
        const auto totalFrames = static_cast<int64_t>(rate * seconds(rng));
        std::vector<NoteEvent> events = randomNotes(rng, totalFrames);
        // With a tail, the last event is a note-off well before the end, and the voice dies.
        const int64_t frames = tail ? totalFrames + static_cast<int64_t>(rate * 0.25) : totalFrames;
        const int result = s.play(events, frames);
        ASSERT_GE(result, 0) << "scenario " << scenario;
        silentRuns += result;
    }
    EXPECT_GT(silentRuns, 200) << "the silence after the voice was checked";
}

// A voice started without a note-on (the engine's trigger) has no body drive: model 4's normaliser
// would be infinite.
TEST(ModelInvariantTest, AVoiceTriggeredWithoutANoteStaysFinite) {
    std::mt19937 rng(11u);
    for (int32_t model = 0; model < 8; ++model) {
        Scenario s(model, 48000.0, rng);
        ASSERT_EQ(s.rig->bodyDrive, 0.0);
        s.rig->activeModel = model;
        s.rig->trigger(100);
        EXPECT_GE(s.play({}, 4800), 0) << model;
    }
}

// One parameter (or the pitch bend) far outside its range at a time: each of these once made a
// per-run value, a smoother or a gain infinite or NaN.
TEST(ModelInvariantTest, OutOfRangeValuesNeverReachTheOutput) {
    const struct { ParamIndex index; float value; } cases[] = {
        {kPitchCoarse, 1e30f},  {kPitchFine, 1e30f},    {kPitchFine, -1e30f},  {kPitchEnvAmt, 3.4e38f},
        {kPitchStart, 1e30f},   {kPitchLfoAmt, 1e30f},  {kPitchCurve, -1e30f}, {kPitchDecay, -1e30f},
        {kAmpDecay, -1e30f},    {kAmpSustain, 1e30f},   {kAmpCurve, 1e30f},    {kAmpCurve, -1e30f},
        {kTimbreAttack, 1e30f}, {kTimbreSelfFm, 3.4e38f}, {kTimbreColor, 1e30f}, {kTimbreColor, -1e30f},
        {kTimbreDecay, 1e30f},  {kTimbreDecay, -1e30f}, {kLfoRate, 1e30f},     {kLfoShape, 1e30f},
        {kTimbreAttack, -1e30f}, {kAmpDecay, 1e30f},    {kVolume, 1e30f},
        {kLfoShape, -1e30f},
    };
    std::mt19937 rng(7u);
    for (int32_t model = 0; model < 8; ++model) {
        for (const auto& c : cases) {
            for (bool bendOut : {false, true}) {
                Scenario s(model, 44100.0, rng);
                s.rig.set(kPitchLfoAmt, 0.5f);
                s.rig.set(kTimbreSelfFm, 0.5f);
                s.rig.set(c.index, c.value);
                s.description << "index " << c.index << " = " << c.value;
                if (bendOut)
                    s.rig->setPitchBend(2147483647);
                const std::vector<NoteEvent> events = {{0, 36, 100}, {5000, 40, 127}};
                EXPECT_GE(s.play(events, 20000), 0) << "index " << c.index << " = " << c.value;
            }
        }
    }
}

} // namespace
