// The steps every model run shares, at chosen samples: table indexing, hold and LFO conversions,
// flush and bounds, and the parts of the voice head that the golden digests' scenario leaves out
// (one-shot LFO, extreme holds, the end of the linear release, every shaping branch, the deferred
// note start). Smoothers and envelopes are pinned by the golden digests.
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

#include "engine/OnePoleLowpass.h"
#include "engine/VoiceHead.h"
#include "engine/VoiceMath.h"
#include "engine/Zarn.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Phases beyond 32 bits, negative ones and non-finite ones must still give an index in the table.
TEST(VoiceMathTest, TableIndicesKeepTheLowBitsOfTheWholePart) {
    const struct { double cycles; int32_t entry; } entries[] = {
        {0.25, 2048}, {8191.9 / 8192.0, 8191},
        {-0.25, 6144},            // masked, not taken modulo: a negative phase wraps
        {-0.5 / 8192.0, 0},       // truncated towards zero
        {300000.25, 2048},        // beyond 262144 cycles, where 32 bits overflow
        {-300000.75, 2048},       {1099511627776.5, 4096}, // 2^40 cycles
        {1e30, 0},                {kInf, 0}, {-kInf, 0}, {kNaN, 0},
    };
    for (const auto& c : entries)
        EXPECT_EQ(voice::tableEntry(c.cycles * 8192.0), c.entry) << c.cycles;

    // Model 5's 16-bit cycle steps, where a huge pitch can push the whole part past 32 bits, and
    // beyond 2^63, where a double still has bits 11 and 12.
    const struct { double x; uint32_t mask; uint32_t bits; } lowBits[] = {
        {74.3, 0xFFFF, 74},
        {-1.5, 0xFFFF, 0xFFFF},
        {3e9, 0xFFFF, 24064},
        {1099511627781.9, 0xFFFF, 5},         // 2^40 + 5.9
        {-1099511627779.5, 0xFFFF, 65533},    // -(2^40) - 3.5
        {9223372036854777856.0, 8191, 2048},  // 2^63 + 2^11
        {-9223372036854788096.0, 8191, 4096}, // -(2^63) - 3 x 2^12
        {kInf, 0xFFFF, 0},
        {kNaN, 0xFFFF, 0},
    };
    for (const auto& c : lowBits)
        EXPECT_EQ(voice::wholePartLowBits(c.x, c.mask), c.bits) << c.x;
}

TEST(VoiceMathTest, NoiseIsTheHighHalfOfTheNextStateAsASignedNumber) {
    const struct {
        uint32_t state;
        uint32_t next;
        int32_t noise;
    } cases[] = {{0u, 2531011u, 38}, {0xFFFFFFFFu, 2316998u, 35}, {10100u, 2164062311u, -32516}, {0x12345768u, 3069786251u, -18695}};
    for (const auto& c : cases) {
        uint32_t state = c.state;
        EXPECT_EQ(voice::nextNoise(state), c.noise) << c.state;
        EXPECT_EQ(state, c.next) << c.state;
    }
}

// Huge and non-finite inputs saturate instead of overflowing an integer or reaching a sample.
TEST(VoiceMathTest, HoldLengthsLfoStepsFlushAndBounds) {
    for (double samples : {3e9, kInf, kNaN})
        EXPECT_EQ(voice::wholeSamples(samples), 0x7FFFFFFFu) << samples;
    EXPECT_EQ(voice::wholeSamples(17640.9), 17640u);

    EXPECT_EQ(voice::lfoStep(1.0, 44100.0), 97391u); // 2^32 / 44100
    EXPECT_EQ(voice::lfoStep(100.0, 10000.0), 42949672u);
    EXPECT_EQ(voice::lfoStep(1.5 * 44100.0, 44100.0), 0x80000000u); // taken modulo 2^32
    EXPECT_EQ(voice::lfoStep(kInf, 44100.0), 0u);

    const struct { double memory; float stored; } flushes[] = {
        {5e-10, 0.0f}, {-5e-10, 0.0f}, {2e-9, 2e-9f}, {-2e-9, -2e-9f},
        {9.999999717180685e-10, 1e-9f}, // the threshold itself is kept: the test is strict
        {9.9999997e-10, 0.0f},
    };
    for (const auto& f : flushes)
        EXPECT_EQ(voice::flushedMemory(f.memory), f.stored) << f.memory;

    EXPECT_EQ(voice::bounded(123.5), 123.5);
    EXPECT_EQ(voice::bounded(1e30), voice::kValueLimit);
    EXPECT_EQ(voice::bounded(-kInf), -voice::kValueLimit);
    EXPECT_EQ(voice::bounded(kNaN), 0.0);
}

TEST(VoiceMathTest, OnePoleLowpassRunsInDoubleAndFlushesItsSlots) {
    Zarn engine;
    engine.setSampleRate(44100.0);
    const OnePoleLowpass::Coefs coefs = OnePoleLowpass::coefsFor(engine, 11025.0f); // a quarter of the rate
    EXPECT_EQ(coefs.a1, 0.0);
    EXPECT_EQ(coefs.b, 0.5);
    float input = 1.0f;
    float output = 2e-9f;
    OnePoleLowpass filter(coefs, input, output);
    EXPECT_EQ(filter.process(0.25), 0.625);
    EXPECT_EQ(filter.process(5e-10), 0.125 + 2.5e-10);
    filter.store();
    EXPECT_EQ(input, 0.0f) << "5e-10 is flushed";
    EXPECT_EQ(output, 0.125f);
}

// An engine at the given rate with a quiet voice: no pitch envelope depth, no LFO depth.
std::unique_ptr<Zarn> headEngine(double rate = 44100.0) {
    auto engine = std::make_unique<Zarn>();
    engine->setSampleRate(rate);
    engine->applyParameters();
    engine->baseFreq = 50.0;
    engine->fineFactor = engine->coarseFactor = engine->bendFactor = engine->lfoSign = 1.0;
    engine->pitchEnvAmount = engine->lfoDepth = 0.0;
    return engine;
}

const VoiceHead::Variant kTableModels{0.005, false, 0.00025, 10.0};
const VoiceHead::Variant kShortHoldModels{0.005, true, 0.0025, 10.0};

TEST(VoiceHeadTest, TheLfoStartsAtMinusHalfAndAOneShotStopsAtThreeQuarters) {
    auto engine = headEngine();
    engine->lfoDepth = 1.0; // L = K = 50 Hz
    engine->lfoRateHz = 100.0;
    engine->lfoShape = 1.0;
    engine->lfoOneShot = 1;
    engine->lfoDone = 0;
    engine->lfoPhase = 0;
    VoiceHead head(*engine, kTableModels);
    ASSERT_EQ(head.lfoPhaseStep, 9739154u); // 100 x 2^32 / 44100
    EXPECT_EQ(head.lfoTerm(), -25.0);
    // Three quarters of a cycle, 0xC0000000, is reached by the 331st step.
    double half = 0.0;
    for (int call = 2; call <= 330; ++call) {
        const double term = head.lfoTerm();
        if (call == 221)
            half = term;
    }
    EXPECT_EQ(head.lfoDone, 0);
    EXPECT_NEAR(half, 25.0, 0.2); // the peak of the triangle
    for (int call = 0; call < 200; ++call) // past the wrap: stopped for good
        EXPECT_EQ(head.lfoTerm(), 0.0);
    EXPECT_EQ(head.lfoDone, 1);

    // Free-running, the next cycle starts at -0.5 again; a shape below 1 bends the value.
    engine->lfoOneShot = engine->lfoDone = 0;
    engine->lfoPhase = 0;
    engine->lfoShape = 0.5;
    EXPECT_DOUBLE_EQ(VoiceHead(*engine, kTableModels).lfoTerm(), -std::sqrt(0.5) * 50.0);
    // Unheard with Pitch-LfoAmt 0, but the phase still moves.
    engine->lfoDepth = 0.0;
    VoiceHead silent(*engine, kTableModels);
    EXPECT_EQ(silent.lfoTerm(), 0.0);
    EXPECT_EQ(silent.lfoPhase, 9739154u);
}

TEST(VoiceHeadTest, HoldLengthsOfBothModelGroups) {
    // hold: models 0 to 3; shortHold: models 4 to 7, a twentieth.
    const struct { float sustain; double rate; uint32_t hold; uint32_t shortHold; } cases[] = {
        {0.4f, 44100.0, 17640, 882}, {0.4f, 48000.0, 19200, 960}, {0.001f, 44100.0, 44, 2}, {0.0f, 44100.0, 0, 0},
        {0.4f, 192000.0, 76800, 3840},
        {std::numeric_limits<float>::infinity(), 10000.0, 0x7FFFFFFF, 0x7FFFFFFF},
    };
    for (const auto& c : cases) {
        auto engine = headEngine(c.rate);
        engine->sustainTime = c.sustain;
        EXPECT_EQ(VoiceHead(*engine, kTableModels).hold, c.hold) << c.sustain << " at " << c.rate;
        EXPECT_EQ(VoiceHead(*engine, kShortHoldModels).hold, c.shortHold) << c.sustain << " at " << c.rate;
    }
}

// Models 0 to 3, 6 and 7: the release must end at exactly 0.
TEST(VoiceHeadTest, TheLinearReleaseFallsFullScaleInTwiceTheDecayTime) {
    // Samples: 2 x expScale(12, 2000, ampDecay) ms at 44.1 kHz.
    for (const auto& [ampDecay, fullFall] : {std::pair{0.0f, 1058}, std::pair{1.0f, 176400}}) {
        auto engine = headEngine();
        engine->ampDecay = ampDecay;
        engine->ampEnvLevel = 1.0;
        VoiceHead head(*engine, kTableModels);
        for (int i = 0; i < fullFall - 1; ++i)
            head.releaseLinear();
        EXPECT_GT(head.ampEnvLevel, 0.0) << ampDecay;
        head.releaseLinear();
        head.releaseLinear();
        EXPECT_EQ(head.ampEnvLevel, 0.0) << ampDecay;
    }
}

TEST(VoiceHeadTest, ShapingBlendsQuarticSigmoidAndLevel) {
    auto engine = headEngine();
    VoiceHead head(*engine, kTableModels);
    const double kSigmoidOfZero = 1.0 / (std::exp(10.0) + 1.0);
    const struct { double level; double curve; double threeWay; double twoWay; } cases[] = {
        // At level 0.5 the sigmoid is 0.5 and the quartic 0.0625.
        {0.5, 0.0, 0.0625, 0.5}, {0.5, 0.25, 0.28125, 0.5}, {0.5, 0.5, 0.5, 0.5}, {0.5, 1.0, 0.5, 0.5},
        {0.0, 0.5, kSigmoidOfZero, 0.5 * kSigmoidOfZero}, {0.0, 0.0, 0.0, kSigmoidOfZero},
        {0.9, 1.0, 0.9, 0.9},
    };
    for (const auto& c : cases) {
        head.ampEnvLevel = c.level;
        head.ampCurveSmoothed = c.curve;
        EXPECT_EQ(head.shapeThreeWay(), c.threeWay) << c.level << " " << c.curve;
        EXPECT_EQ(head.shapeTwoWay(), c.twoWay) << c.level << " " << c.curve;
    }
}

// A model that defers its note start into the run must clear the run's copy of the LFO stop.
TEST(VoiceHeadTest, NoteStartIsClaimedOnce) {
    auto engine = headEngine();
    engine->noteStarted = 1;
    engine->lfoDone = 1;
    EXPECT_TRUE(VoiceHead::claimNoteStart(*engine));
    EXPECT_TRUE(engine->noteStarted == 0 && engine->lfoDone == 0);
    EXPECT_FALSE(VoiceHead::claimNoteStart(*engine));

    engine->lfoDone = 1;
    VoiceHead head(*engine, kTableModels);
    EXPECT_FALSE(head.claimNoteStartInRun());
    engine->noteStarted = 1;
    EXPECT_TRUE(head.claimNoteStartInRun());
    EXPECT_TRUE(engine->noteStarted == 0 && head.lfoDone == 0);
}

} // namespace
