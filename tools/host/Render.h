#pragma once

#include "tools/host/PluginInstance.h"

#include <functional>
#include <vector>

namespace host {

// A MIDI message at an absolute frame of the rendering.
struct TimedMidi {
    int64_t frame = 0;
    std::array<uint8_t, 3> bytes{};
};

struct StereoBuffer {
    std::vector<float> left;
    std::vector<float> right;
};

// Size of the block that starts at the given frame; a constant size when not set.
using BlockSizer = std::function<VstInt32(int64_t startFrame)>;

// Renders totalFrames through processReplacing in blocks, delivering each message before the
// block it falls in with its offset inside that block. Messages must be sorted by frame. Each
// block is handed over holding NaN, so a frame the plug-in does not write stays NaN.
StereoBuffer render(PluginInstance& instance, const std::vector<TimedMidi>& score, int64_t totalFrames,
                    VstInt32 blockSize, const BlockSizer& sizer = {});

// Largest absolute sample of both channels; infinity when one is NaN.
float peakOf(const StereoBuffer& buffer);

} // namespace host
