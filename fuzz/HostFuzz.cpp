// A whole instance driven through its record as a hostile host would: dispatcher calls, event
// lists, parameter, program, rate, block-size and chunk changes, interleaved with blocks of any
// size. Every rendered sample must be finite and within the clip.

#include "shell/VstXSynth.h"

#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>
#include <vector>

namespace {

constexpr VstInt32 kMaxFrames = 4096;

struct EventList {
    VstInt32 numEvents;
    VstIntPtr reserved;
    VstEvent* events[64];
};

void sendEvents(AEffect* effect, FuzzedDataProvider& input) {
    static EventList list;
    static VstMidiEvent events[64];
    list.numEvents = input.ConsumeIntegralInRange(0, 64);
    for (VstInt32 i = 0; i < list.numEvents; ++i) {
        events[i] = {};
        events[i].type = kVstMidiType;
        events[i].byteSize = 24;
        events[i].deltaFrames = input.ConsumeIntegralInRange(-8, kMaxFrames + 8);
        const auto bytes = input.ConsumeIntegral<uint32_t>();
        std::memcpy(events[i].midiData, &bytes, 3);
        list.events[i] = reinterpret_cast<VstEvent*>(&events[i]);
    }
    effect->dispatcher(effect, effProcessEvents, 0, 0, &list, 0.0f);
}

void renderBlock(AEffect* effect, FuzzedDataProvider& input) {
    static float left[kMaxFrames], right[kMaxFrames];
    const VstInt32 frames = input.ConsumeIntegralInRange(0, kMaxFrames);
    float* outputs[2] = {left, right};
    effect->processReplacing(effect, nullptr, outputs, frames);
    for (VstInt32 i = 0; i < frames; ++i)
        if (!(std::fabs(left[i]) <= 1.0f && std::fabs(right[i]) <= 1.0f)) // NaN fails too
            std::abort();
}

// The instance's own chunk with a few bytes changed, or any bytes at all.
void changeChunk(AEffect* effect, FuzzedDataProvider& input) {
    void* data = nullptr;
    const VstIntPtr size = effect->dispatcher(effect, effGetChunk, 0, 0, &data, 0.0f);
    std::vector<uint8_t> chunk(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
    if (input.ConsumeBool()) {
        chunk = input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange<std::size_t>(0, 9000));
    } else {
        for (int n = input.ConsumeIntegralInRange(0, 8); n > 0 && !chunk.empty(); --n)
            chunk[input.ConsumeIntegralInRange<std::size_t>(0, chunk.size() - 1)] = input.ConsumeIntegral<uint8_t>();
    }
    effect->dispatcher(effect, effSetChunk, 0, static_cast<VstIntPtr>(chunk.size()), chunk.data(), 0.0f);
}

void dispatch(AEffect* effect, FuzzedDataProvider& input) {
    static char text[1024];
    const auto opcode = input.ConsumeIntegralInRange<VstInt32>(0, 89);
    if (opcode == effClose || opcode == effProcessEvents || opcode == effSetChunk || opcode == effSetSpeakerArrangement ||
        opcode == effEditOpen)
        return; // closing ends the instance; the others have their own steps or need real objects
    const auto index = input.ConsumeIntegral<int32_t>();
    const auto value = static_cast<VstIntPtr>(input.ConsumeIntegral<int32_t>());
    const auto opt = std::bit_cast<float>(input.ConsumeIntegral<uint32_t>());
    std::memset(text, 0, sizeof text);
    std::memset(text, 'a', input.ConsumeIntegralInRange<std::size_t>(0, sizeof text - 1));
    effect->dispatcher(effect, opcode, index, value, input.ConsumeBool() ? text : nullptr, opt);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    // One instance across inputs, as a host keeps it (a new one per input costs more than most inputs).
    static AEffect* effect = [] {
        AEffect* created = (new VstXSynth(nullptr))->getAeffect();
        created->dispatcher(created, effOpen, 0, 0, nullptr, 0.0f);
        created->dispatcher(created, effMainsChanged, 0, 1, nullptr, 0.0f);
        return created;
    }();
    FuzzedDataProvider input(data, size);
    while (input.remaining_bytes() > 0) {
        switch (input.ConsumeIntegralInRange(0, 7)) {
        case 0: sendEvents(effect, input); break;
        case 1: renderBlock(effect, input); break;
        case 2: {
            const auto index = input.ConsumeIntegralInRange<VstInt32>(-2, 24);
            const float value = input.ConsumeBool() ? input.ConsumeProbability<float>()
                                                    : std::bit_cast<float>(input.ConsumeIntegral<uint32_t>());
            effect->setParameter(effect, index, value);
            break;
        }
        case 3: effect->dispatcher(effect, effSetProgram, 0, input.ConsumeIntegralInRange(-1, 65), nullptr, 0.0f); break;
        case 4: {
            const float rates[] = {8000.0f, 10000.0f, 22050.0f, 44100.0f, 48000.0f, 96000.0f, 192000.0f, 400000.0f};
            const float rate = input.ConsumeBool() ? rates[input.ConsumeIntegralInRange(0, 7)]
                                                   : std::bit_cast<float>(input.ConsumeIntegral<uint32_t>());
            effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, rate);
            break;
        }
        case 5: effect->dispatcher(effect, effSetBlockSize, 0, input.ConsumeIntegral<int32_t>(), nullptr, 0.0f); break;
        case 6: changeChunk(effect, input); break;
        default: dispatch(effect, input); break;
        }
    }
    return 0;
}
