#include "editor/UISizeStore.h"

#include "platform/Registry.h"

namespace {

constexpr char kKeyPath[] = "Software\\Halvane Audio\\Zarn Pro\\";
constexpr char kValueName[] = "UISize";

} // namespace

void readUISize(uint8_t* size)
{
    if (!size)
        return;
    *size = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    BYTE stored = 0;
    DWORD byteSize = 1;
    // The value's type is not checked; its size and range are.
    if (RegQueryValueExA(key, kValueName, nullptr, nullptr, &stored, &byteSize) == ERROR_SUCCESS && byteSize == 1 &&
        stored < kNumUISizes)
        *size = stored;
    RegCloseKey(key);
}

void writeUISize(uint8_t size)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    const BYTE value = size;
    RegSetValueExA(key, kValueName, 0, REG_BINARY, &value, 1);
    RegCloseKey(key);
}
