// Chunks from saved projects: a refused chunk changes nothing, a taken one comes back unchanged.

#include "shell/VstXSynth.h"

#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <vector>

namespace {

std::vector<uint8_t> chunkOf(VstXSynth& synth) {
    void* data = nullptr;
    const VstInt32 size = synth.getChunk(&data, false);
    return {static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static VstXSynth synth(nullptr);
    FuzzedDataProvider input(data, size);
    std::vector<uint8_t> chunk;
    if (input.ConsumeBool()) {
        chunk = input.ConsumeRemainingBytes<uint8_t>(); // the bytes as they come
    } else {
        chunk = chunkOf(synth); // a good chunk with a few bytes changed
        while (input.remaining_bytes() > 0)
            chunk[input.ConsumeIntegral<uint16_t>() % chunk.size()] = input.ConsumeIntegral<uint8_t>();
    }

    const std::vector<uint8_t> before = chunkOf(synth);
    const VstInt32 taken = synth.setChunk(chunk.data(), static_cast<VstInt32>(chunk.size()), false);
    const std::vector<uint8_t> after = chunkOf(synth);
    if (taken == 0 ? after != before : after != chunk)
        std::abort();
    return 0;
}
