#include "tools/host/Host.h"

#include <algorithm>
#include <cstring>

namespace host {
namespace {
thread_local Host* creatingHost = nullptr;

void copyString(void* destination, const std::string& text, std::size_t capacity) {
    if (destination == nullptr)
        return;
    const std::size_t length = std::min(text.size(), capacity - 1);
    std::memcpy(destination, text.data(), length);
    static_cast<char*>(destination)[length] = 0;
}
} // namespace

void Host::setCreatingHost(Host* host) { creatingHost = host; }

void Host::bind(AEffect* effect) {
    if (effect != nullptr)
        effect->resvd1 = reinterpret_cast<VstIntPtr>(this);
}

VstIntPtr Host::callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                         float opt) {
    Host* host = (effect != nullptr && effect->resvd1 != 0) ? reinterpret_cast<Host*>(effect->resvd1) : creatingHost;
    if (host == nullptr)
        return opcode == audioMasterVersion ? 2400 : 0;

    HostCall call{opcode, index, value, opt, effect != nullptr, {}, std::this_thread::get_id()};
    if (opcode == audioMasterProcessEvents && ptr != nullptr) {
        const auto* events = static_cast<const VstEvents*>(ptr);
        VstEvent* const* slots = events->events; // indexed past the declared two
        for (VstInt32 i = 0; i < events->numEvents; ++i) {
            const VstEvent* event = slots[i];
            if (event != nullptr && event->type == kVstMidiType)
                call.midiEvents.push_back(*reinterpret_cast<const VstMidiEvent*>(event));
        }
    }
    {
        std::lock_guard lock(host->mutex_);
        host->calls_.push_back(std::move(call));
    }
    return host->answer(effect, opcode, index, value, ptr, opt);
}

VstIntPtr Host::answer(AEffect* /*effect*/, VstInt32 opcode, VstInt32 /*index*/, VstIntPtr /*value*/, void* ptr,
                       float /*opt*/) {
    switch (opcode) {
    case audioMasterVersion:
        return versionAnswer;
    case audioMasterGetSampleRate:
        return static_cast<VstIntPtr>(sampleRate);
    case audioMasterGetBlockSize:
        return blockSize;
    case audioMasterGetVendorString:
        copyString(ptr, vendorString, 64);
        return 1;
    case audioMasterGetProductString:
        copyString(ptr, productString, 64);
        return 1;
    case audioMasterGetVendorVersion:
        return 1;
    case audioMasterWantMidi:
        return 1;
    case audioMasterProcessEvents:
        return processEventsAnswer;
    default:
        return 0;
    }
}

std::vector<HostCall> Host::calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

std::vector<HostCall> Host::callsWith(VstInt32 opcode) const {
    std::lock_guard lock(mutex_);
    std::vector<HostCall> matching;
    std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(matching),
                 [opcode](const HostCall& call) { return call.opcode == opcode; });
    return matching;
}

void Host::clearCalls() {
    std::lock_guard lock(mutex_);
    calls_.clear();
}

} // namespace host
