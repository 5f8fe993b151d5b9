#pragma once

#include <cstdint>

// The 22 automatable parameters, in the order hosts, programs and the editor use.
enum ParamIndex : int32_t {
    kPitchCoarse,
    kPitchFine,
    kPitchEnvAmt,
    kPitchLfoAmt,
    kPitchDecay,
    kPitchStart,
    kPitchCurve,
    kAmpDecay,
    kAmpSustain,
    kAmpCurve,
    kTimbreAttack,
    kTimbreColor,
    kTimbreSelfFm,
    kTimbreDecay,
    kLfoRate,
    kLfoShape,
    kLfoFree,
    kLfoInvert,
    kLfoOneShot,
    kModel,
    kMidi,
    kVolume,
    kNumParams
};
