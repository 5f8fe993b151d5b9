#pragma once

#include <cstdint>

// What the engine needs from the object that holds it (the plug-in class, or a test double).
class EngineOwner {
public:
    // The parameter road: stores the value in the current program and in the engine's
    // paramValues, maps it through Zarn::setParameter and tells the editor.
    virtual void setParameter(int32_t index, float value) = 0;
    // True when the host's vendor string identified the maker's own host; the output stage
    // then applies its higher gain.
    virtual bool isNativeHost() const = 0;

protected:
    ~EngineOwner() = default;
};
