#pragma once

#include <cstdint>

namespace vst2 {

// Four-character code as VST 2.4 hosts compare it: first character in the most significant byte.
constexpr int32_t fourCC(const char (&code)[5]) {
    return static_cast<int32_t>((static_cast<uint32_t>(static_cast<uint8_t>(code[0])) << 24) |
                                (static_cast<uint32_t>(static_cast<uint8_t>(code[1])) << 16) |
                                (static_cast<uint32_t>(static_cast<uint8_t>(code[2])) << 8) |
                                static_cast<uint32_t>(static_cast<uint8_t>(code[3])));
}

} // namespace vst2
