#include "controls/BoundedArray.h"

#include "platform/Shell.h"

#include <cstdio>

namespace {

constexpr UINT kErrorBoxFlags = MB_ICONERROR | MB_SYSTEMMODAL; // 0x1010
constexpr size_t kMessageLength = 100;            // the longest report has 63 characters

} // namespace

void reportBoundedArrayIndex(uint32_t index, uint32_t count, uint8_t code)
{
    char text[kMessageLength];
    std::snprintf(text, sizeof(text), "Index out of range [%u] / max: %u (Code: %u)", unsigned(index), unsigned(count),
                  unsigned(code));
    platform::MessageBoxA(nullptr, text, "Error", kErrorBoxFlags);
}

void reportBoundedArraySize(uint32_t size, uint8_t code)
{
    char text[kMessageLength];
    std::snprintf(text, sizeof(text), "Array max size exceeded [%u] / max: %u (Code: %u)", unsigned(size),
                  unsigned(kBoundedArrayMax), unsigned(code));
    platform::MessageBoxA(nullptr, text, "Error", kErrorBoxFlags);
}
