#pragma once

#include "tools/host/Host.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace host {

// A MIDI message for the block that starts at the given frame offset.
struct MidiMessage {
    VstInt32 deltaFrames = 0;
    std::array<uint8_t, 3> bytes{};
};

// One plug-in instance driven as a host drives it. Closes the instance on destruction.
class PluginInstance {
public:
    // Null when the entry point returns null or a record without the VST magic.
    static std::unique_ptr<PluginInstance> create(VstPluginMainProc entry, Host& host);
    ~PluginInstance();

    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    AEffect* effect() const { return effect_; }
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f);
    std::string getString(VstInt32 opcode, VstInt32 index = 0);

    // effOpen, sample rate, block size, then the plug-in is switched on (effMainsChanged 1).
    void start(float sampleRate, VstInt32 blockSize);
    void stop();
    // Delivers the messages as one VstEvents list (effProcessEvents); returns the answer.
    VstIntPtr sendMidi(const std::vector<MidiMessage>& messages);
    void processReplacing(float* const* outputs, VstInt32 frames);
    // Closes the instance now (effClose); returns what the dispatcher answered.
    VstIntPtr close();

private:
    PluginInstance(AEffect* effect, Host& host) : effect_(effect), host_(host) {}

    AEffect* effect_;
    Host& host_;
    bool running_ = false;
};

} // namespace host
