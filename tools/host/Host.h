#pragma once

#include "vst2/Opcodes.h"
#include "vst2/Records.h"

#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace host {

// One request a plug-in made through the host callback.
struct HostCall {
    VstInt32 opcode = 0;
    VstInt32 index = 0;
    VstIntPtr value = 0;
    float opt = 0.0f;
    bool hadEffect = false;
    std::vector<VstMidiEvent> midiEvents; // copied for audioMasterProcessEvents
    std::thread::id thread;               // the thread that made the call
};

// The host side of the callback: answers the plug-in's requests from its settings and records
// every call. Calls may come from any thread.
class Host {
public:
    VstIntPtr versionAnswer = 2400;
    std::string vendorString = "Zarn Test Host";
    std::string productString = "zarn-render";
    VstIntPtr processEventsAnswer = 1;
    float sampleRate = 44100.0f;
    VstInt32 blockSize = 512;

    virtual ~Host() = default;

    // The callback to hand to an entry point; routes to the host that created the record.
    static VstIntPtr callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                              float opt);
    // Binds a record to this host, and the calls made while no record is bound yet.
    void bind(AEffect* effect);
    static void setCreatingHost(Host* host);

    // Constructs a plug-in object in this process, with this host's callback and bound to it,
    // as an entry point would: Effect(callback, args...).
    template <typename Effect, typename... Args>
    std::unique_ptr<Effect> construct(Args&&... args) {
        setCreatingHost(this);
        auto effect = std::make_unique<Effect>(&callback, std::forward<Args>(args)...);
        setCreatingHost(nullptr);
        bind(effect->getAeffect());
        return effect;
    }

    std::vector<HostCall> calls() const;
    std::vector<HostCall> callsWith(VstInt32 opcode) const;
    void clearCalls();

protected:
    virtual VstIntPtr answer(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                             float opt);

private:
    mutable std::mutex mutex_;
    std::vector<HostCall> calls_;
};

} // namespace host
