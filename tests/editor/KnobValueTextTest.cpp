#include "editor/KnobValueText.h"
#include "engine/ParamIndex.h"
#include "engine/Zarn.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// What the texts read of the engine besides the value.
struct EngineState {
    bool fixedPitch = false;
    double coarseFactor = 1.0, pitchStartHz = 0.0;
    float sustainTime = 0.0f;
};

TEST(KnobValueText, EachParameterInItsUnit)
{
    const EngineState keyTrack{true};
    const struct {
        int32_t tag;
        float v;
        EngineState engine;
        const char* text;
    } rows[] = {
        {kPitchCoarse, 0.0f, {}, "-12.0"},
        {kPitchCoarse, 0.5f, {}, "0.0"},
        {kPitchCoarse, 1.0f, {}, "+12.0"},
        {kPitchCoarse, 0.0f, keyTrack, "25.00 Hz"},
        {kPitchCoarse, 1.0f, keyTrack, "100.00 Hz"},
        {kPitchFine, 0.25f, {}, "-50 ct"},
        {kPitchFine, 0.5f, {}, "0 ct"},
        {kPitchFine, 0.75f, {}, "+50 ct"},
        {kPitchDecay, 0.0f, {}, "1.0 ms"},
        {kPitchDecay, 1.0f, {}, "100.0 ms"},
        {kAmpDecay, 0.0f, {}, "12 ms"},
        {kTimbreDecay, 1.0f, {}, "400 ms"},
        {kLfoRate, 0.5f, {}, "10.0 Hz"},
        {kAmpSustain, 0.9f, {}, "Legato"},
        {kAmpSustain, 0.9f, keyTrack, "0.0 ms"},
        {kAmpSustain, 0.1f, {false, 1.0, 0.0, 0.4f}, "400.0 ms"},
        {kPitchStart, 0.5f, {true, 1.0, 400.0}, "450 Hz"},
        {kPitchStart, 0.5f, {}, "50 %"},
        {kPitchCurve, 0.0f, {}, "-100.0 %"},
        {kMidi, 0.0f, {}, "Off"},
        {kMidi, kNaN, {}, "Off"},
        {99, 0.5f, {}, "50 %"},
    };
    Zarn engine;
    for (const auto& row : rows) {
        engine.fixedPitch = row.engine.fixedPitch ? 1 : 0;
        engine.coarseFactor = row.engine.coarseFactor;
        engine.pitchStartHz = row.engine.pitchStartHz;
        engine.sustainTime = row.engine.sustainTime;
        char text[256];
        formatKnobValueText(text, sizeof text, row.tag, row.v, engine);
        EXPECT_STREQ(text, row.text) << "tag " << row.tag << " at " << row.v;
    }
}

} // namespace
