#include "tools/host/PluginInstance.h"

#include <cstddef>

namespace host {

std::unique_ptr<PluginInstance> PluginInstance::create(VstPluginMainProc entry, Host& host) {
    if (entry == nullptr)
        return nullptr;
    Host::setCreatingHost(&host);
    AEffect* effect = entry(&Host::callback);
    Host::setCreatingHost(nullptr);
    if (effect == nullptr || effect->magic != kEffectMagic)
        return nullptr;
    host.bind(effect);
    return std::unique_ptr<PluginInstance>(new PluginInstance(effect, host));
}

PluginInstance::~PluginInstance() { close(); }

VstIntPtr PluginInstance::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    return effect_ == nullptr ? 0 : effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string PluginInstance::getString(VstInt32 opcode, VstInt32 index) {
    // Generous: plug-ins are known to write past the nominal string lengths.
    char text[512] = {};
    dispatch(opcode, index, 0, text);
    text[sizeof text - 1] = 0;
    return text;
}

void PluginInstance::start(float sampleRate, VstInt32 blockSize) {
    host_.sampleRate = sampleRate;
    host_.blockSize = blockSize;
    dispatch(effOpen);
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effSetBlockSize, 0, blockSize);
    dispatch(effMainsChanged, 0, 1);
    dispatch(effStartProcess);
    running_ = true;
}

void PluginInstance::stop() {
    if (!running_)
        return;
    dispatch(effStopProcess);
    dispatch(effMainsChanged, 0, 0);
    running_ = false;
}

VstIntPtr PluginInstance::sendMidi(const std::vector<MidiMessage>& messages) {
    std::vector<VstMidiEvent> events(messages.size());
    // VstEvents declares two pointers; the list is allocated for as many as there are events.
    const std::size_t pointers = messages.size() < 2 ? 2 : messages.size();
    std::vector<std::byte> storage(offsetof(VstEvents, events) + pointers * sizeof(VstEvent*));
    auto* list = reinterpret_cast<VstEvents*>(storage.data());
    list->numEvents = static_cast<VstInt32>(messages.size());
    list->reserved = 0;
    VstEvent** slots = list->events; // indexed past the declared two
    for (std::size_t i = 0; i < messages.size(); ++i) {
        VstMidiEvent& event = events[i];
        event.type = kVstMidiType;
        event.byteSize = sizeof(VstMidiEvent);
        event.deltaFrames = messages[i].deltaFrames;
        for (std::size_t b = 0; b < 3; ++b)
            event.midiData[b] = static_cast<char>(messages[i].bytes[b]);
        slots[i] = reinterpret_cast<VstEvent*>(&event);
    }
    return dispatch(effProcessEvents, 0, 0, list);
}

void PluginInstance::processReplacing(float* const* outputs, VstInt32 frames) {
    float* inputs[2] = {nullptr, nullptr};
    float* channels[2] = {outputs[0], outputs[1]};
    effect_->processReplacing(effect_, inputs, channels, frames);
}

VstIntPtr PluginInstance::close() {
    if (effect_ == nullptr)
        return 0;
    stop();
    const VstIntPtr answer = dispatch(effClose);
    effect_ = nullptr;
    return answer;
}

} // namespace host
