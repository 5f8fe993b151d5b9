// Event lists and blocks from a host: any events, any block size; the output stays bounded.

#include "shell/VstXSynth.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static VstXSynth* synth = [] {
        auto* created = new VstXSynth(nullptr);
        created->setSampleRate(44100.0f);
        return created;
    }();
    static float left[4096], right[4096];
    // A host's list: as many event pointers as it holds, beyond the queue's 256 too.
    static struct {
        VstInt32 numEvents;
        VstIntPtr reserved;
        VstEvent* events[512];
    } list;
    static VstMidiEvent events[512];

    FuzzedDataProvider input(data, size);
    while (input.remaining_bytes() > 0) {
        list.numEvents = input.ConsumeIntegralInRange(0, 63) * 8;
        for (VstInt32 i = 0; i < list.numEvents; ++i) {
            events[i] = {};
            events[i].type = input.ConsumeIntegralInRange(0, 7) == 0 ? kVstSysExType : kVstMidiType;
            events[i].byteSize = 24;
            events[i].deltaFrames = input.ConsumeIntegral<int16_t>();
            const auto bytes = input.ConsumeIntegral<uint32_t>();
            std::memcpy(events[i].midiData, &bytes, 3);
            list.events[i] = reinterpret_cast<VstEvent*>(&events[i]);
        }
        synth->processEvents(reinterpret_cast<VstEvents*>(&list));

        const VstInt32 frames = input.ConsumeIntegralInRange(0, 4096);
        float* outputs[2] = {left, right};
        synth->processReplacing(nullptr, outputs, frames);
        for (VstInt32 i = 0; i < frames; ++i)
            if (!(std::fabs(left[i]) <= 1.0f && std::fabs(right[i]) <= 1.0f)) // NaN fails too
                std::abort();
    }
    return 0;
}
