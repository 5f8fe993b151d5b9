#pragma once

#include <cstddef>
#include <cstring>

namespace shell {

// Copies at most maxLen characters of source and ends them with one NUL, so destination must
// hold maxLen + 1 bytes; nothing after the NUL is written (a host may give a shorter buffer
// than the field it copies from). A negative maxLen writes nothing.
inline void copyText(char* destination, const char* source, long maxLen) {
    if (destination == nullptr || maxLen < 0)
        return;
    const std::size_t limit = static_cast<std::size_t>(maxLen);
    const std::size_t length = source == nullptr ? 0 : strnlen(source, limit);
    std::memcpy(destination, source == nullptr ? "" : source, length);
    destination[length] = '\0';
}

} // namespace shell
