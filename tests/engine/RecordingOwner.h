#pragma once

#include "engine/EngineOwner.h"
#include "engine/Zarn.h"

// Stands in for the plug-in class: runs the parameter road as the shell does (store in the
// engine's paramValues, then map).
class RecordingOwner final : public EngineOwner {
public:
    explicit RecordingOwner(Zarn& engine) : engine(engine) { engine.owner = this; }

    void setParameter(int32_t index, float value) override {
        engine.paramValues[index] = value;
        engine.setParameter(static_cast<uint32_t>(index), value);
    }
    bool isNativeHost() const override { return nativeHost; }

    Zarn& engine;
    bool nativeHost = false;
};
