#include "tools/host/PluginLibrary.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace host {
namespace {

#if defined(_WIN32)
void* openLibrary(const std::string& path, std::string& error) {
    HMODULE module = LoadLibraryA(path.c_str());
    if (module == nullptr)
        error = "LoadLibrary failed with error " + std::to_string(GetLastError()) + ": " + path;
    return reinterpret_cast<void*>(module);
}
void* findSymbol(void* handle, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}
void closeLibrary(void* handle) { FreeLibrary(static_cast<HMODULE>(handle)); }
#else
void* openLibrary(const std::string& path, std::string& error) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = dlerror();
        error = reason != nullptr ? reason : "dlopen failed: " + path;
    }
    return handle;
}
void* findSymbol(void* handle, const char* name) { return dlsym(handle, name); }
void closeLibrary(void* handle) { dlclose(handle); }
#endif

} // namespace

std::unique_ptr<PluginLibrary> PluginLibrary::load(const std::string& path, std::string& error) {
    void* handle = openLibrary(path, error);
    if (handle == nullptr)
        return nullptr;
    void* entry = findSymbol(handle, "VSTPluginMain");
    if (entry == nullptr)
        entry = findSymbol(handle, "main");
    if (entry == nullptr) {
        error = "no VSTPluginMain or main in " + path;
        closeLibrary(handle);
        return nullptr;
    }
    return std::unique_ptr<PluginLibrary>(new PluginLibrary(handle, reinterpret_cast<VstPluginMainProc>(entry)));
}

PluginLibrary::~PluginLibrary() { closeLibrary(handle_); }

void* PluginLibrary::symbol(const char* name) const { return findSymbol(handle_, name); }

} // namespace host
