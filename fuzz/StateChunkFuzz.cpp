// Chunks from saved projects: a refused chunk changes nothing, a taken one comes back unchanged.

#include "FuzzInput.h"
#include "shell/VstXSynth.h"

#include <cstdlib>
#include <vector>

namespace {

std::vector<uint8_t> chunkOf(VstXSynth& synth) {
    void* data = nullptr;
    const VstInt32 size = synth.getChunk(&data, false);
    const auto* bytes = static_cast<const uint8_t*>(data);
    return {bytes, bytes + size};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static VstXSynth synth(nullptr);
    FuzzInput input(data, size);
    std::vector<uint8_t> chunk;
    if (input.take<uint8_t>() % 2 == 0) {
        chunk.assign(input.here(), input.here() + input.remaining()); // the bytes as they come
    } else {
        chunk = chunkOf(synth); // a good chunk with a few bytes changed
        while (!input.empty()) {
            const auto offset = input.take<uint16_t>();
            chunk[offset % chunk.size()] = input.take<uint8_t>();
        }
    }

    const std::vector<uint8_t> before = chunkOf(synth);
    const VstInt32 taken = synth.setChunk(chunk.data(), static_cast<VstInt32>(chunk.size()), false);
    const std::vector<uint8_t> after = chunkOf(synth);
    if (taken == 0 ? after != before : after != chunk)
        std::abort();
    return 0;
}
