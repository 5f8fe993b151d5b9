#pragma once

#include <cstdint>

namespace VSTGUI {

// Intrusive reference counting: a new object carries one reference for its creator.
class IReference {
public:
    virtual ~IReference() = default;
    virtual void remember() = 0;
    virtual void forget() = 0;
    virtual int32_t getNbReference() const = 0;
};

} // namespace VSTGUI
