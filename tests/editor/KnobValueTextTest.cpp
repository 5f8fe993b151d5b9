#include "editor/KnobValueText.h"
#include "engine/ParamIndex.h"
#include "engine/Zarn.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// The texts read, besides the value, whether the MIDI switch fixes the pitch (key) and the hold
// time (sustain); Pitch-Start's reads the pitch factor 1.0 and the start offset 400 Hz.
TEST(KnobValueText, EachParameterInItsUnit)
{
    const struct {
        int32_t tag;
        float v;
        bool key;
        float sustain;
        const char* text;
    } rows[] = {
        {kPitchCoarse, 0.0f, false, 0, "-12.0"},  {kPitchCoarse, 0.5f, false, 0, "0.0"},
        {kPitchCoarse, 1.0f, false, 0, "+12.0"},  {kPitchCoarse, 0.0f, true, 0, "25.00 Hz"},
        {kPitchCoarse, 0.5f, true, 0, "50.00 Hz"}, {kPitchFine, 0.25f, false, 0, "-50 ct"},
        {kPitchFine, 0.5f, false, 0, "0 ct"},      {kPitchFine, 0.75f, false, 0, "+50 ct"},
        {kPitchDecay, 0.5f, false, 0, "10.0 ms"},  {kAmpDecay, 1.0f, false, 0, "2000 ms"},
        {kTimbreDecay, 0.0f, false, 0, "2 ms"},    {kTimbreDecay, 0.5f, false, 0, "25 ms"},
        {kLfoRate, 0.5f, false, 0, "10.0 Hz"},     {kAmpSustain, 0.9f, false, 0, "Legato"},
        {kAmpSustain, 0.9f, true, 0, "0.0 ms"},    {kAmpSustain, 0.1f, false, 0.4f, "400.0 ms"},
        {kPitchStart, 0.5f, true, 0, "450 Hz"},    {kPitchStart, 0.5f, false, 0, "50 %"},
        {kPitchCurve, 0.0f, false, 0, "-100.0 %"}, {kMidi, std::numeric_limits<float>::quiet_NaN(), false, 0, "Off"},
        {kVolume, 0.25f, false, 0, "25 %"},
    };
    Zarn engine;
    engine.coarseFactor = 1.0;
    engine.pitchStartHz = 400.0;
    for (const auto& row : rows) {
        engine.fixedPitch = row.key ? 1 : 0;
        engine.sustainTime = row.sustain;
        char text[256];
        formatKnobValueText(text, sizeof text, row.tag, row.v, engine);
        EXPECT_STREQ(text, row.text) << "tag " << row.tag << " at " << row.v;
    }
}

} // namespace
