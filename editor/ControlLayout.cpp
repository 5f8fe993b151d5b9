#include "editor/ControlLayout.h"

ControlDesc controlLayout[kNumControlTags] = {
    {0, 0, 0, 0, kControlKnob, "Pitch-Coarse"},
    {0, 0, 0, 0, kControlKnob, "Pitch-Fine"},
    {0, 0, 0, 0, kControlKnob, "Pitch-EnvAmt"},
    {0, 0, 0, 0, kControlKnob, "Pitch-LfoAmt"},
    {0, 0, 0, 0, kControlKnob, "Pitch-Decay"},
    {0, 0, 0, 0, kControlKnob, "Pitch-Start"},
    {0, 0, 0, 0, kControlKnob, "Pitch-Curve"},
    {0, 0, 0, 0, kControlKnob, "Amp-Decay"},
    {0, 0, 0, 0, kControlKnob, "Amp-Sustain"},
    {0, 0, 0, 0, kControlKnob, "Amp-Curve"},
    {0, 0, 0, 0, kControlKnob, "Timbre-Attack"},
    {0, 0, 0, 0, kControlKnob, "Timbre-Color"},
    {0, 0, 0, 0, kControlKnob, "Timbre-SelfFM"},
    {0, 0, 0, 0, kControlKnob, "Timbre-Decay"},
    {0, 0, 0, 0, kControlKnob, "Lfo-Rate"},
    {0, 0, 0, 0, kControlKnob, "Lfo-Shape"},
    {0, 0, 0, 0, kControlLedSwitch, "Lfo-Free"},
    {0, 0, 0, 0, kControlLedSwitch, "Lfo-Invert"},
    {0, 0, 0, 0, kControlButtonSwitch, "Lfo-OneShot"},
    {0, 0, 0, 0, kControlModelSelector, "Model"},
    {0, 0, 0, 0, kControlLedSwitch, "MIDI"},
    {0, 0, 0, 0, kControlKnob, "Volume"},
    {0, 0, 0, 0, kControlTapPad, ""},
    {0, 0, 0, 0, kControlSplash, ""},
};

const BaseRect controlBaseRects[kNumControlTags] = {
    {72, 69, 0, 0},       {126, 69, 0, 0},      {72, 132, 0, 0},      {126, 132, 0, 0},
    {213, 132, 0, 0},     {267, 132, 0, 0},     {321, 132, 0, 0},     {213, 69, 0, 0},
    {267, 69, 0, 0},      {321, 69, 0, 0},      {408, 69, 0, 0},      {462, 69, 0, 0},
    {408, 132, 0, 0},     {462, 132, 0, 0},     {549, 69, 0, 0},      {603, 69, 0, 0},
    {549, 132, 606, 144}, {549, 144, 597, 156}, {549, 162, 612, 174}, {375, 219, 516, 267},
    {249, 231, 288, 255}, {300, 216, 0, 0},     {534, 204, 0, 0},     {57, 204, 225, 270},
};

const BaseRect modelBoxBaseRects[kNumModelBoxes] = {
    {375, 219, 438, 231}, {375, 231, 450, 243}, {375, 243, 441, 255}, {375, 255, 432, 267},
    {453, 219, 486, 231}, {453, 231, 486, 243}, {453, 243, 510, 255}, {453, 255, 516, 267},
};
