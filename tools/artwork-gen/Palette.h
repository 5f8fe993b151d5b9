#pragma once

#include "tools/artwork-gen/Drawing.h"

// The colours of every picture: graphite surfaces, light grey print and one ember accent.
namespace artwork::palette {

constexpr Color kPanelTop = rgb(0x1F2226);
constexpr Color kPanelBottom = rgb(0x141619);
constexpr Color kPlateTop = rgb(0x292C32);
constexpr Color kPlateBottom = rgb(0x222429);
constexpr Color kPlateEdge = rgb(0x0C0D0F);
constexpr Color kPlateHighlight = rgb(0xFFFFFF, 0.06);
constexpr Color kRule = rgb(0x3A3E46);
constexpr Color kLabel = rgb(0xCDD2DA);
constexpr Color kDimLabel = rgb(0x80868F);
constexpr Color kAccent = rgb(0xF2873A);
constexpr Color kAccentBright = rgb(0xFFC48A);
constexpr Color kAccentDeep = rgb(0xB4541A);
constexpr Color kWell = rgb(0x101114);
constexpr Color kKnobTop = rgb(0x50555E);
constexpr Color kKnobBottom = rgb(0x2A2D33);
constexpr Color kKnobFace = rgb(0x34383F);
constexpr Color kTrack = rgb(0x08090A);
constexpr Color kPointer = rgb(0xF4F5F7);
constexpr Color kShadow = rgb(0x000000, 0.45);

} // namespace artwork::palette
