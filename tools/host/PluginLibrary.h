#pragma once

#include "vst2/AEffect.h"

#include <memory>
#include <string>

namespace host {

// A loaded VST 2.4 library and its creation entry: VSTPluginMain, else main (which many Linux
// plug-ins export instead). Unloads on destruction; instances must be closed before that.
class PluginLibrary {
public:
    // Null with a reason in error when the library cannot be loaded or has no entry.
    static std::unique_ptr<PluginLibrary> load(const std::string& path, std::string& error);
    ~PluginLibrary();

    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    VstPluginMainProc entry() const { return entry_; }
    // Looks up any exported symbol (tests use it to reach the second entry point).
    void* symbol(const char* name) const;

private:
    PluginLibrary(void* handle, VstPluginMainProc entry) : handle_(handle), entry_(entry) {}

    void* handle_;
    VstPluginMainProc entry_;
};

} // namespace host
