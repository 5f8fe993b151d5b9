// The plug-in's state chunk: the whole bank and the current program.

#include "shell/VstXSynth.h"

#include <cmath>
#include <cstring>
#include <memory>

namespace {

bool isOwnChunk(const StateChunk& chunk) {
    if (chunk.paramCount != kNumParams || chunk.programCount != kNumPrograms ||
        static_cast<uint32_t>(chunk.currentProgram) >= static_cast<uint32_t>(kNumPrograms) ||
        chunk.formatMarker != kStateFormatMarker || chunk.formatVersion != kStateFormatVersion ||
        chunk.reserved[0] != 0 || chunk.reserved[1] != 0)
        return false;
    for (const SynthProgram& program : chunk.programs) {
        for (float value : program.values) {
            if (!std::isfinite(value))
                return false;
        }
    }
    return true;
}

} // namespace

VstInt32 VstXSynth::getChunk(void** data, bool /*isPreset*/) {
    chunk.paramCount = kNumParams;
    chunk.programCount = kNumPrograms;
    chunk.currentProgram = getProgram();
    chunk.stateWordA = engine.stateWordA;
    chunk.stateWordB = engine.stateWordB;
    chunk.stateWordC = engine.stateWordC;
    chunk.formatMarker = kStateFormatMarker;
    chunk.formatVersion = kStateFormatVersion;
    chunk.reserved[0] = 0;
    chunk.reserved[1] = 0;
    std::memcpy(chunk.programs, programs, sizeof chunk.programs);
    *data = &chunk;
    return static_cast<VstInt32>(sizeof chunk);
}

VstInt32 VstXSynth::setChunk(void* data, VstInt32 byteSize, bool /*isPreset*/) {
    if (data == nullptr || byteSize != static_cast<VstInt32>(sizeof(StateChunk)))
        return 0;
    // Checked whole before anything changes; the host's buffer may also be our own chunk.
    auto incoming = std::make_unique<StateChunk>();
    std::memcpy(incoming.get(), data, sizeof(StateChunk));
    if (!isOwnChunk(*incoming))
        return 0;

    std::memcpy(programs, incoming->programs, sizeof incoming->programs);
    engine.stateWordA = incoming->stateWordA;
    engine.stateWordB = incoming->stateWordB;
    engine.stateWordC = incoming->stateWordC;
    // Reloading the current program brings the engine's values and the controls up to date.
    setProgram(incoming->currentProgram);
    return 1;
}
