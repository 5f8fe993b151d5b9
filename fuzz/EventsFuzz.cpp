// Event lists and blocks from a host: any events, any block size; the output stays bounded.

#include "FuzzInput.h"
#include "shell/VstXSynth.h"

#include <cmath>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static VstXSynth* synth = [] {
        auto* created = new VstXSynth(nullptr);
        created->setSampleRate(44100.0f);
        return created;
    }();
    static std::vector<float> left(4096), right(4096);

    FuzzInput input(data, size);
    while (!input.empty()) {
        const auto eventCount = static_cast<std::size_t>(input.take<uint8_t>() % 64) * 8; // beyond the queue too
        std::vector<VstMidiEvent> events(eventCount);
        std::vector<VstEvent*> pointers(eventCount + 2);
        for (VstMidiEvent& event : events) {
            event.type = input.take<uint8_t>() % 8 == 0 ? kVstSysExType : kVstMidiType;
            event.byteSize = 24;
            event.deltaFrames = input.take<int16_t>();
            const auto bytes = input.take<uint32_t>();
            std::memcpy(event.midiData, &bytes, 3);
        }
        for (std::size_t i = 0; i < eventCount; ++i)
            pointers[i] = reinterpret_cast<VstEvent*>(&events[i]);
        std::vector<std::byte> storage(offsetof(VstEvents, events) + pointers.size() * sizeof(VstEvent*));
        auto* list = reinterpret_cast<VstEvents*>(storage.data());
        list->numEvents = static_cast<VstInt32>(eventCount);
        std::memcpy(storage.data() + offsetof(VstEvents, events), pointers.data(), pointers.size() * sizeof(VstEvent*));
        synth->processEvents(list);

        const VstInt32 frames = input.take<uint16_t>() % 4097;
        float* outputs[2] = {left.data(), right.data()};
        synth->processReplacing(nullptr, outputs, frames);
        for (VstInt32 i = 0; i < frames; ++i) {
            if (!std::isfinite(left[i]) || !std::isfinite(right[i]) || std::fabs(left[i]) > 1.0f ||
                std::fabs(right[i]) > 1.0f)
                std::abort();
        }
    }
    return 0;
}
