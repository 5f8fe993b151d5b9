#pragma once

#include <cstddef>
#include <cstring>

namespace shell {

// Copies at most maxLen characters of source and always ends the text with a NUL at or before
// position maxLen, so destination must hold maxLen + 1 bytes. A negative maxLen writes nothing.
inline void copyText(char* destination, const char* source, long maxLen) {
    if (destination == nullptr || maxLen < 0)
        return;
    const std::size_t limit = static_cast<std::size_t>(maxLen);
    const std::size_t length = source == nullptr ? 0 : strnlen(source, limit);
    std::memcpy(destination, source == nullptr ? "" : source, length);
    std::memset(destination + length, 0, limit + 1 - length);
}

} // namespace shell
