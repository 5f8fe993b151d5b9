#include "editor/KnobValueText.h"

#include "engine/Module.h"
#include "engine/ParamIndex.h"
#include "engine/Zarn.h"

#include <cstdio>

namespace {

// Every number goes to the format as a double, whatever precision computed it.
void print(char* text, std::size_t size, const char* format, double number)
{
    std::snprintf(text, size, format, number);
}

void printPercent(char* text, std::size_t size, float v)
{
    print(text, size, "%.0f %%", double(v * 100.0f));
}

} // namespace

void formatKnobValueText(char* text, std::size_t size, int32_t tag, float v, const Zarn& engine)
{
    if (!text || size == 0)
        return;
    const bool fixedPitch = engine.fixedPitch != 0;
    switch (tag) {
    case kPitchCoarse:
        if (fixedPitch) {
            print(text, size, "%.2f Hz", Module::expScale(0.5, 2.0, double(v)) * 50.0);
        } else {
            const float semitones = v * 24.0f - 12.0f;
            print(text, size, v > 0.5f ? "+%.1f" : "%.1f", double(semitones));
        }
        return;
    case kPitchFine: {
        const float cents = v * 200.0f - 100.0f;
        print(text, size, v > 0.5f ? "+%.0f ct" : "%.0f ct", double(cents));
        return;
    }
    case kPitchDecay:
        print(text, size, "%.1f ms", double(Module::expScale(1.0f, 100.0f, v)));
        return;
    case kPitchStart:
        if (fixedPitch)
            print(text, size, "%.0f Hz", engine.coarseFactor * 50.0 + engine.pitchStartHz);
        else
            printPercent(text, size, v);
        return;
    case kPitchCurve:
        print(text, size, "%.1f %%", double(v * 200.0f - 100.0f));
        return;
    case kAmpDecay:
        print(text, size, "%.0f ms", double(Module::expScale(12.0f, 2000.0f, v)));
        return;
    case kAmpSustain:
        if (!(engine.sustainTime > 0.0f) && !fixedPitch)
            std::snprintf(text, size, "Legato");
        else
            print(text, size, "%.1f ms", double(engine.sustainTime) * 1000.0);
        return;
    case kTimbreDecay:
        print(text, size, "%.0f ms", double(Module::expScale(0.0625f, 16.0f, v)) * 25.0);
        return;
    case kLfoRate:
        print(text, size, "%.1f Hz", double(Module::expScale(1.0f, 100.0f, v)));
        return;
    case kMidi:
        if (!(v > 0.0f))
            std::snprintf(text, size, "Off");
        else
            printPercent(text, size, v);
        return;
    default:
        printPercent(text, size, v);
        return;
    }
}
