// MIDI intake and sample-accurate block rendering (audio thread).

#include "shell/VstXSynth.h"

#include "shell/BlockSlicer.h"

namespace {

constexpr uint8_t kNoteOff = 0x80;
constexpr uint8_t kNoteOn = 0x90;
constexpr uint8_t kControlChange = 0xB0;
constexpr uint8_t kProgramChange = 0xC0;
constexpr uint8_t kPitchBend = 0xE0;
constexpr uint8_t kSustainPedal = 64;
constexpr uint8_t kAllNotesOff = 123;
constexpr uint8_t kPadVelocity = 100;

} // namespace

VstInt32 VstXSynth::processEvents(VstEvents* events) {
    VstEvent* const* slots = events->events; // hosts allocate as many as numEvents says
    for (VstInt32 i = 0; i < events->numEvents; ++i) {
        const VstEvent* event = slots[i];
        if (event != nullptr && event->type == kVstMidiType)
            handleMidi(*reinterpret_cast<const VstMidiEvent*>(event));
    }
    return 1;
}

void VstXSynth::handleMidi(const VstMidiEvent& event) {
    const auto status = static_cast<uint8_t>(static_cast<uint8_t>(event.midiData[0]) & 0xF0);
    const auto data1 = static_cast<uint8_t>(event.midiData[1]);
    const auto data2 = static_cast<uint8_t>(event.midiData[2]);
    switch (status) {
    case kNoteOff:
    case kNoteOn:
        noteQueue.push({event.deltaFrames, status, data1, data2});
        break;
    case kControlChange:
        if (data1 == kAllNotesOff) {
            engine.allNotesOff();
        } else if (data1 != kSustainPedal) {
            const uint8_t parameter = ccToParam[data1 & 0x7F];
            if (parameter != kNoParameter)
                setParameter(parameter, static_cast<float>(data2 & 0x7F) / 127.0f);
        }
        break;
    case kProgramChange:
        setProgram(data1);
        break;
    case kPitchBend:
        engine.setPitchBend((data2 & 0x7F) * 128 + (data1 & 0x7F));
        break;
    default:
        break;
    }
}

void VstXSynth::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
    renderBlock(inputs, outputs, sampleFrames, true);
}

void VstXSynth::processAccumulating(float** inputs, float** outputs, VstInt32 sampleFrames) {
    renderBlock(inputs, outputs, sampleFrames, false);
}

void VstXSynth::renderBlock(float** /*inputs*/, float** outputs, VstInt32 frames, bool replacing) {
    // Events at or beyond the end of the block are dropped with it; pad notes wait for a block
    // that has frames.
    if (frames <= 0 || outputs == nullptr || outputs[0] == nullptr || outputs[1] == nullptr) {
        noteQueue.clear();
        return;
    }
    padNotes.drain([this](const NoteEvent& event) { applyNoteEvent(event); });
    renderInSlices(
        noteQueue, frames,
        [&](int32_t offset, int32_t count) {
            float* slice[2] = {outputs[0] + offset, outputs[1] + offset};
            engine.render(count, slice, replacing);
        },
        [this](const NoteEvent& event) { applyNoteEvent(event); });
    noteQueue.clear();
}

void VstXSynth::applyNoteEvent(const NoteEvent& event) {
    const auto note = static_cast<int8_t>(event.note & 0x7F);
    const uint8_t velocity = event.status == kNoteOff ? 0 : static_cast<uint8_t>(event.velocity & 0x7F);
    if (velocity == 0)
        engine.noteOff(note);
    else
        engine.noteOn(note, velocity, 0);
}

bool VstXSynth::queueNoteEvent(uint8_t status, uint8_t note, int32_t deltaFrames) {
    return padNotes.push({deltaFrames, status, note, kPadVelocity});
}
