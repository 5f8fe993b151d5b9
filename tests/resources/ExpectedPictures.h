#pragma once

#include <cstdint>

// The editor's pictures: resource number, file under resources/, and the size that the editor's
// layout is built on.
struct ExpectedPicture {
    int32_t id;
    const char* fileName;
    int width;
    int height;
};

inline constexpr ExpectedPicture kExpectedPictures[] = {
    {112, "background-default.png", 717, 300}, {212, "background-large.png", 956, 400},
    {312, "background-huge.png", 1434, 600},   {113, "about-default.png", 717, 300},
    {213, "about-large.png", 956, 400},        {313, "about-huge.png", 1434, 600},
    {114, "led-default.png", 12, 24},          {214, "led-large.png", 16, 32},
    {314, "led-huge.png", 24, 48},             {115, "button-default.png", 12, 24},
    {215, "button-large.png", 16, 32},         {315, "button-huge.png", 24, 48},
    {117, "tap-pad-default.png", 126, 66},     {217, "tap-pad-large.png", 168, 88},
    {317, "tap-pad-huge.png", 252, 132},       {118, "knob-default.png", 42, 2646},
    {218, "knob-large.png", 56, 3528},         {318, "knob-huge.png", 84, 5292},
};
