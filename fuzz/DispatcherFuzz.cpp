// Dispatcher calls with any opcode and arguments a host may pass, with buffers as hosts give them.

#include "FuzzInput.h"
#include "shell/VstXSynth.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    static VstXSynth synth(nullptr); // one instance across inputs, as a host keeps it
    AEffect* effect = synth.getAeffect();
    std::vector<uint8_t> buffer(16384);
    while (!input.empty()) {
        const VstInt32 opcode = input.take<uint8_t>() % 90;
        if (opcode == effClose || opcode == effProcessEvents)
            continue; // closing ends the instance; event lists have their own target
        const auto index = input.take<int32_t>();
        auto value = static_cast<VstIntPtr>(input.take<int32_t>());
        const float opt = input.take<float>();
        void* ptr = input.take<uint8_t>() % 4 == 0 ? nullptr : buffer.data();
        if (opcode == effSetSpeakerArrangement)
            value = reinterpret_cast<VstIntPtr>(buffer.data());
        if (opcode == effSetChunk && ptr != nullptr)
            value = value < 0 ? 0 : value % static_cast<VstIntPtr>(buffer.size() + 1);
        const std::size_t fill = input.take<uint16_t>() % buffer.size();
        std::fill(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(fill), 'a');
        std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(fill), buffer.end(), 0);
        effect->dispatcher(effect, opcode, index, value, ptr, opt);
        effect->setParameter(effect, index, opt);
        effect->getParameter(effect, index);
    }
    return 0;
}
