#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "RecordingOwner.h"
#include "engine/ParamIndex.h"
#include "engine/Zarn.h"

// One engine at a chosen rate, set up as the shell does (rate, reset, parameters), playing one of
// the models with program 0's values as the starting patch; renders through Zarn::render.
class ModelRig {
public:
    explicit ModelRig(int32_t model, double rate = 44100.0) : engine(std::make_unique<Zarn>()), owner(*engine) {
        engine->setSampleRate(rate);
        engine->reset();
        engine->applyParameters();
        set(kModel, static_cast<float>(model) / 7.0f);
    }

    void set(ParamIndex index, float value) { owner.setParameter(index, value); }

    // Renders frames into left and right (replacing).
    void render(int32_t frames) {
        left.assign(static_cast<std::size_t>(frames), 0.0f);
        right.assign(static_cast<std::size_t>(frames), 0.0f);
        float* outputs[2] = {left.data(), right.data()};
        engine->render(frames, outputs, true);
    }

    // Renders frames one run per frame and collects the left channel.
    std::vector<float> renderSingles(int32_t frames) {
        std::vector<float> out;
        for (int32_t i = 0; i < frames; ++i) {
            render(1);
            out.push_back(left[0]);
        }
        return out;
    }

    Zarn& operator*() { return *engine; }
    Zarn* operator->() { return engine.get(); }

    std::unique_ptr<Zarn> engine;
    RecordingOwner owner;
    std::vector<float> left;
    std::vector<float> right;
};
