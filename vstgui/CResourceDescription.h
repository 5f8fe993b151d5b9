#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace VSTGUI {

// Names one of the library's PNG resources by number.
class CResourceDescription {
public:
    enum Type : int32_t { kIntegerType = 0 };

    CResourceDescription(int32_t id) : type(kIntegerType), u{id} {}

    // The resource's PNG bytes; empty when there is no such resource. Registered data is found
    // first; on Windows the module's resources of type "PNG" next.
    std::span<const uint8_t> getData() const;

    // Makes data (which must outlive every lookup) the resource with number id, replacing an
    // earlier registration. The product registers its embedded PNGs on Linux; tests register
    // generated ones.
    static void registerData(int32_t id, const void* data, size_t byteSize);

    int32_t type;
    union {
        int32_t id;
    } u;
};

} // namespace VSTGUI
