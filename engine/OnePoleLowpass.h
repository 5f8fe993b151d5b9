#pragma once

#include "engine/Module.h"
#include "engine/VoiceMath.h"

// The models' one-pole low-pass y = b (x + x1) - a1 y1: coefficients in single precision, the
// arithmetic in double within a run; x1 and y1 live in two float slots of the engine between
// runs and are flushed when the run ends.
class OnePoleLowpass {
public:
    struct Coefs {
        double b;
        double a1;
    };

    static Coefs coefsFor(const Module& module, float cutoffHz) {
        float a1 = 0.0f;
        float b = 0.0f;
        module.onePoleLowpassCoefs(cutoffHz, &a1, &b);
        return {b, a1};
    }

    OnePoleLowpass(const Coefs& coefs, float& inputSlot, float& outputSlot)
        : b(coefs.b), a1(coefs.a1), x1(inputSlot), y1(outputSlot), inputSlot(inputSlot), outputSlot(outputSlot) {}

    double process(double x) {
        const double y = b * (x + x1) - a1 * y1;
        x1 = x;
        y1 = y;
        return y;
    }

    // End of run: flush and store the memories back into their slots.
    void store() const {
        inputSlot = voice::flushedMemory(x1);
        outputSlot = voice::flushedMemory(y1);
    }

private:
    double b;
    double a1;
    double x1;
    double y1;
    float& inputSlot;
    float& outputSlot;
};
