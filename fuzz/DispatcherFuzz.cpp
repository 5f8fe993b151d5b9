// Dispatcher calls with any opcode and arguments a host may pass, with buffers as hosts give them.

#include "shell/VstXSynth.h"

#include <bit>
#include <fuzzer/FuzzedDataProvider.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static VstXSynth synth(nullptr); // one instance across inputs, as a host keeps it
    static std::vector<char> buffer(16384);
    AEffect* effect = synth.getAeffect();
    FuzzedDataProvider input(data, size);
    while (input.remaining_bytes() > 0) {
        const auto opcode = input.ConsumeIntegralInRange<VstInt32>(0, 89);
        if (opcode == effClose || opcode == effProcessEvents)
            continue; // closing ends the instance; event lists have their own target
        const auto index = input.ConsumeIntegral<int32_t>();
        auto value = static_cast<VstIntPtr>(input.ConsumeIntegral<int32_t>());
        const auto opt = std::bit_cast<float>(input.ConsumeIntegral<uint32_t>()); // NaN and infinities too
        void* ptr = input.ConsumeIntegralInRange(0, 3) == 0 ? nullptr : buffer.data();
        if (opcode == effSetSpeakerArrangement)
            value = reinterpret_cast<VstIntPtr>(buffer.data());
        if (opcode == effSetChunk && ptr != nullptr)
            value = value < 0 ? 0 : value % static_cast<VstIntPtr>(buffer.size() + 1);
        // A text of any length up to the buffer's, then zeros.
        const auto fill = input.ConsumeIntegralInRange<std::size_t>(0, buffer.size() - 1);
        std::fill(buffer.begin(), buffer.end(), 0);
        std::fill_n(buffer.begin(), fill, 'a');
        effect->dispatcher(effect, opcode, index, value, ptr, opt);
        effect->setParameter(effect, index, opt);
        effect->getParameter(effect, index);
    }
    return 0;
}
