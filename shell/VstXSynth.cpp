#include "shell/VstXSynth.h"

#include "editor/ADEditor.h"
#include "editor/ControlLayout.h"
#include "shell/TextCopy.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr char kEffectName[] = "Zarn Pro";
constexpr char kVendorName[] = "Halvane Audio";
constexpr std::size_t kMaxProgramNameLength = SynthProgram::kNameSize - 1;
constexpr long kMaxParamTextLength = 8; // what hosts reserve for parameter labels and displays
constexpr uint8_t kControlChange = 0xB0;

} // namespace

VstXSynth::VstXSynth(audioMasterCallback audioMaster) : AudioEffectX(audioMaster, kNumPrograms, kNumParams) {
    engine.owner = this;

    midiOutEvents.numEvents = 1;
    midiOutEvents.reserved = 0;
    midiOutEvents.events[0] = reinterpret_cast<VstEvent*>(&midiOutEvent);
    midiOutEvent.type = kVstMidiType;
    midiOutEvent.byteSize = 24; // the event less its type and byteSize fields

    ccToParam.fill(kNoParameter);
    for (uint8_t i = 0; i < kNumParams; ++i) {
        paramToCC[i] = static_cast<uint8_t>(kFirstController + i);
        ccToParam[kFirstController + i] = i;
    }

    curProgram = 0;
    programs = engine.getPrograms();
    if (audioMaster != nullptr) {
        setNumInputs(0);
        setNumOutputs(kNumOutputs);
        canProcessReplacing();
        programsAreChunks();
        isSynth();
        setUniqueID(vst2::fourCC("ZRNP"));
    }
    suspend();
    setEditor(new ADEditor(this));
}

VstXSynth::~VstXSynth() {
    auto* ownEditor = adEditor();
    setEditor(nullptr);
    if (ownEditor != nullptr && ownEditor->isEditorOpen())
        ownEditor->close();
    delete ownEditor;
}

ADEditor* VstXSynth::adEditor() const { return static_cast<ADEditor*>(editor); }

void VstXSynth::open() {
    char vendor[256] = {};
    getHostVendorString(vendor);
    vendor[sizeof vendor - 1] = 0;
    if (std::strcmp(vendor, kVendorName) == 0)
        nativeHost.store(true, std::memory_order_relaxed);
}

void VstXSynth::setSampleRate(float rate) {
    if (!std::isfinite(rate) || rate <= 0.0f)
        return;
    sampleRate = rate;
    engine.setSampleRate(static_cast<double>(rate));
    engine.reset();
    engine.applyParameters();
}

void VstXSynth::setParameter(VstInt32 index, float value) {
    if (static_cast<uint32_t>(index) >= static_cast<uint32_t>(kNumParams) || !std::isfinite(value))
        return;
    storeProgramValue(currentProgram(), index, value);
    engine.paramValues[static_cast<std::size_t>(index)] = value;
    engine.setParameter(static_cast<uint32_t>(index), value);
    if (editor != nullptr)
        adEditor()->setParameter(index, value);
}

float VstXSynth::getParameter(VstInt32 index) {
    if (static_cast<uint32_t>(index) >= static_cast<uint32_t>(kNumParams))
        return 0.0f;
    return loadProgramValue(currentProgram(), index);
}

void VstXSynth::setParameterAutomated(VstInt32 index, float value) {
    setParameter(index, value);
    if (static_cast<uint32_t>(index) >= static_cast<uint32_t>(kNumParams))
        return;
    if (audioMaster != nullptr)
        audioMaster(&cEffect, audioMasterAutomate, index, 0, nullptr, value);

    // The data byte of a controller message is 7 bits, whatever the value.
    const float scaled = value * 127.0f;
    const uint8_t data = scaled >= 127.0f ? 127 : scaled > 0.0f ? static_cast<uint8_t>(scaled) : 0;
    midiOutEvent.midiData[0] = static_cast<char>(kControlChange);
    midiOutEvent.midiData[1] = static_cast<char>(paramToCC[static_cast<std::size_t>(index)]);
    midiOutEvent.midiData[2] = static_cast<char>(data);
    sendVstEventsToHost(&midiOutEvents);
}

bool VstXSynth::beginEdit(VstInt32 index) {
    // Ardour calls the editor's idle, and so every host call that a mouse event makes, from a
    // thread of its own, and reads its tempo map through a per-thread pointer that only its answer
    // to a time request sets on that thread. A begin edit there, recording Touch or Latch
    // automation on a beat-time lane, crashes Ardour unless the time was asked for first. The
    // answer is not needed: the request itself is the point.
    getTimeInfo(0);
    return AudioEffectX::beginEdit(index);
}

void VstXSynth::setProgram(VstInt32 program) {
    if (static_cast<uint32_t>(program) >= static_cast<uint32_t>(kNumPrograms))
        return;
    std::atomic_ref<VstInt32>(curProgram).store(program, std::memory_order_relaxed);
    engine.programIndex = program;
    engine.loadProgram(program);
    if (editor != nullptr)
        adEditor()->updateControls(program);
}

VstInt32 VstXSynth::getProgram() { return std::atomic_ref<VstInt32>(curProgram).load(std::memory_order_relaxed); }

void VstXSynth::setProgramName(char* name) {
    char* field = currentProgram().name;
    const std::size_t length = strnlen(name, kMaxProgramNameLength);
    std::memcpy(field, name, length);
    std::memset(field + length, 0, SynthProgram::kNameSize - length);
}

void VstXSynth::getProgramName(char* name) { shell::copyText(name, currentProgram().name, kMaxProgramNameLength); }

void VstXSynth::getParameterLabel(VstInt32 /*index*/, char* label) { shell::copyText(label, "Unknown ", 8); }

void VstXSynth::getParameterDisplay(VstInt32 index, char* text) {
    if (static_cast<uint32_t>(index) >= static_cast<uint32_t>(kNumParams)) {
        *text = 0;
        return;
    }
    char formatted[64];
    std::snprintf(formatted, sizeof formatted, "%.06f", static_cast<double>(engine.paramValues[static_cast<std::size_t>(index)]));
    shell::copyText(text, formatted, kMaxParamTextLength);
}

void VstXSynth::getParameterName(VstInt32 index, char* text) {
    if (static_cast<uint32_t>(index) >= static_cast<uint32_t>(kNumControlTags)) {
        *text = 0;
        return;
    }
    const ControlDesc& control = controlLayout[index];
    shell::copyText(text, control.name, sizeof control.name - 1);
}

bool VstXSynth::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text) {
    if (static_cast<uint32_t>(index) >= static_cast<uint32_t>(kNumPrograms))
        return false;
    shell::copyText(text, programs[index].name, kMaxProgramNameLength);
    return true;
}

bool VstXSynth::getOutputProperties(VstInt32 index, VstPinProperties* properties) {
    if (static_cast<uint32_t>(index) >= static_cast<uint32_t>(kNumOutputs))
        return false;
    std::snprintf(properties->label, sizeof properties->label, "Vstx %1d", index + 1);
    properties->flags = kVstPinIsActive | kVstPinIsStereo;
    return true;
}

bool VstXSynth::getEffectName(char* name) {
    shell::copyText(name, kEffectName, sizeof kEffectName - 1);
    return true;
}

bool VstXSynth::getVendorString(char* text) {
    shell::copyText(text, kVendorName, sizeof kVendorName - 1);
    return true;
}

bool VstXSynth::getProductString(char* text) {
    shell::copyText(text, kEffectName, sizeof kEffectName - 1);
    return true;
}

VstInt32 VstXSynth::canDo(char* text) {
    return std::strcmp(text, "receiveVstEvents") == 0 || std::strcmp(text, "receiveVstMidiEvent") == 0 ? 1 : -1;
}

bool VstXSynth::copyProgram(VstInt32 destination) {
    if (static_cast<uint32_t>(destination) >= static_cast<uint32_t>(kNumPrograms))
        return false;
    programs[destination] = currentProgram();
    return true;
}
