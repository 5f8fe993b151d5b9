#include "tools/host/Render.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace host {

StereoBuffer render(PluginInstance& instance, const std::vector<TimedMidi>& score, int64_t totalFrames,
                    VstInt32 blockSize, const BlockSizer& sizer) {
    StereoBuffer out;
    out.left.assign(static_cast<std::size_t>(totalFrames), 0.0f);
    out.right.assign(static_cast<std::size_t>(totalFrames), 0.0f);
    std::size_t next = 0;
    int64_t position = 0;
    while (position < totalFrames) {
        VstInt32 frames = sizer ? sizer(position) : blockSize;
        frames = static_cast<VstInt32>(std::clamp<int64_t>(frames, 1, totalFrames - position));
        std::vector<MidiMessage> messages;
        while (next < score.size() && score[next].frame < position + frames) {
            const int64_t offset = std::max<int64_t>(score[next].frame - position, 0);
            messages.push_back({static_cast<VstInt32>(offset), score[next].bytes});
            ++next;
        }
        if (!messages.empty())
            instance.sendMidi(messages);
        float* channels[2] = {out.left.data() + position, out.right.data() + position};
        // A host's buffers hold whatever they held before; NaN shows any frame left unwritten.
        std::fill_n(channels[0], frames, std::numeric_limits<float>::quiet_NaN());
        std::fill_n(channels[1], frames, std::numeric_limits<float>::quiet_NaN());
        instance.processReplacing(channels, frames);
        position += frames;
    }
    return out;
}

float peakOf(const StereoBuffer& buffer) {
    float peak = 0.0f;
    for (const auto* channel : {&buffer.left, &buffer.right})
        for (float sample : *channel)
            peak = std::isnan(sample) ? std::numeric_limits<float>::infinity() : std::max(peak, std::fabs(sample));
    return peak;
}

} // namespace host
