// The library's exported creation entry points and, on Windows, its module entry.

#include "platform/ModuleHandle.h"
#include "shell/VstXSynth.h"

#include <new>

#if defined(_WIN32)
#include <windows.h>
#define ZARN_EXPORT extern "C"
#else
#define ZARN_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

AEffect* createInstance(audioMasterCallback audioMaster) {
    if (audioMaster == nullptr)
        return nullptr;
    if (audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
        return nullptr;
    // Nothing may propagate into the host: a failed construction is a null instance.
    try {
        auto* effect = new VstXSynth(audioMaster);
        return effect->getAeffect();
    } catch (...) {
        return nullptr;
    }
}

} // namespace

ZARN_EXPORT AEffect* VSTPluginMain(audioMasterCallback audioMaster) { return createInstance(audioMaster); }

ZARN_EXPORT AEffect* Main(audioMasterCallback audioMaster) { return createInstance(audioMaster); }

#if defined(_WIN32)
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD /*reason*/, LPVOID /*reserved*/) {
    platform::setModuleInstanceHandle(instance);
    return TRUE;
}
#endif
