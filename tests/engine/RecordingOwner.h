#pragma once

#include <utility>
#include <vector>

#include "engine/EngineOwner.h"
#include "engine/Zarn.h"

// Stands in for the plug-in class: records the parameter road and runs it as the shell does
// (store in the engine's paramValues, then map).
class RecordingOwner final : public EngineOwner {
public:
    explicit RecordingOwner(Zarn& engine) : engine(engine) { engine.owner = this; }

    void setParameter(int32_t index, float value) override {
        calls.emplace_back(index, value);
        engine.paramValues[index] = value;
        engine.setParameter(static_cast<uint32_t>(index), value);
    }
    bool isNativeHost() const override { return nativeHost; }

    Zarn& engine;
    std::vector<std::pair<int32_t, float>> calls;
    bool nativeHost = false;
};
