#include "vstgui/CResourceDescription.h"

#include "platform/ModuleHandle.h"

#include <map>
#include <mutex>

#ifdef _WIN32
#include <windows.h>
#endif

namespace VSTGUI {

namespace {

struct RegisteredData {
    std::mutex mutex;
    std::map<int32_t, std::span<const uint8_t>> entries;
};

// Filled by registration (at library load, or by a test) and only read afterwards.
RegisteredData& registeredData()
{
    static RegisteredData data;
    return data;
}

#ifdef _WIN32
std::span<const uint8_t> moduleResource(int32_t id)
{
    auto module = static_cast<HMODULE>(platform::moduleInstanceHandle());
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), "PNG");
    if (!info)
        return {};
    HGLOBAL handle = LoadResource(module, info);
    const DWORD size = SizeofResource(module, info);
    const void* bytes = handle ? LockResource(handle) : nullptr;
    if (!bytes || size == 0)
        return {};
    return {static_cast<const uint8_t*>(bytes), size_t(size)};
}
#endif

} // namespace

std::span<const uint8_t> CResourceDescription::getData() const
{
    {
        RegisteredData& data = registeredData();
        std::lock_guard lock(data.mutex);
        const auto found = data.entries.find(u.id);
        if (found != data.entries.end())
            return found->second;
    }
#ifdef _WIN32
    if (u.id >= 0 && u.id <= 0xFFFF)
        return moduleResource(u.id);
#endif
    return {};
}

void CResourceDescription::registerData(int32_t id, const void* bytes, size_t byteSize)
{
    RegisteredData& data = registeredData();
    std::lock_guard lock(data.mutex);
    data.entries[id] = std::span<const uint8_t>(static_cast<const uint8_t*>(bytes), byteSize);
}

} // namespace VSTGUI
