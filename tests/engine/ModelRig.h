#pragma once

#include <algorithm>
#include <cstring>
#include <cstdint>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

#include "engine/EngineOwner.h"
#include "engine/ParamIndex.h"
#include "engine/Zarn.h"

using Patch = std::vector<std::pair<ParamIndex, float>>;

// FNV-1a over the bytes of the values added: a digest that any change of a single bit shows.
class Digest {
public:
    template <typename T>
    void add(const T& value) {
        unsigned char bytes[sizeof value];
        std::memcpy(bytes, &value, sizeof value);
        for (unsigned char b : bytes)
            hash = (hash ^ b) * 0x100000001B3ull;
    }
    uint64_t hash = 0xCBF29CE484222325ull;
};

// Stands in for the plug-in class: runs the parameter road as the shell does (store in the
// engine's paramValues, then map).
class ShellStandIn final : public EngineOwner {
public:
    explicit ShellStandIn(Zarn& engine) : engine(engine) { engine.owner = this; }
    void setParameter(int32_t index, float value) override {
        engine.paramValues[index] = value;
        engine.setParameter(static_cast<uint32_t>(index), value);
    }
    bool isNativeHost() const override { return nativeHost; }

    Zarn& engine;
    bool nativeHost = false;
};

// One change of a played scenario, at a time in seconds: a note on (a = note, b = velocity) or
// off, a bend (a), a parameter (a = index, b = value), a program (a), the native host's gain, or
// output added from then on into buffers that hold 0.25.
struct Step {
    enum Kind { kOn, kOff, kBend, kSet, kProgram, kNativeHost, kAccumulate } kind;
    double seconds;
    int32_t a = 0;
    float b = 0.0f;
};

// One engine at a chosen rate, set up as the shell does (rate, reset, parameters), playing one of
// the models with program 0's values and then the given patch; renders through Zarn::render.
class ModelRig {
public:
    explicit ModelRig(int32_t model, double rate = 44100.0, const Patch& patch = {})
        : engine(std::make_unique<Zarn>()), owner(*engine), rate(rate) {
        engine->setSampleRate(rate);
        engine->reset();
        engine->applyParameters();
        set(kModel, static_cast<float>(model) / 7.0f);
        set(patch);
    }

    void set(ParamIndex index, float value) { owner.setParameter(index, value); }
    void set(const Patch& patch) {
        for (const auto& [index, value] : patch)
            set(index, value);
    }

    // Renders frames into left and right, which hold NaN before a replacing run, as a host's
    // buffers hold old samples.
    void render(int32_t frames) {
        left.assign(static_cast<std::size_t>(frames), replacing ? std::numeric_limits<float>::quiet_NaN() : 0.25f);
        right = left;
        float* outputs[2] = {left.data(), right.data()};
        engine->render(frames, outputs, replacing);
    }

    // Plays the steps over `seconds` as the shell slices a host's blocks: runs end at every step and
    // wherever cut(frame) says. After each run, ran(whether the voice had ended before it).
    template <typename Cut, typename Ran>
    void play(const std::vector<Step>& steps, double seconds, Cut cut, Ran ran) {
        const auto frameOf = [this](double time) { return static_cast<int64_t>(rate * time); };
        std::size_t next = 0;
        for (int64_t frame = 0, total = frameOf(seconds); frame < total;) {
            for (; next < steps.size() && frameOf(steps[next].seconds) <= frame; ++next)
                apply(steps[next]);
            int64_t end = std::min(total, cut(frame));
            if (next < steps.size())
                end = std::min(end, frameOf(steps[next].seconds));
            const bool ended = engine->voiceActive == 0;
            render(static_cast<int32_t>(end - frame));
            ran(ended);
            frame = end;
        }
    }

    void apply(const Step& step) {
        switch (step.kind) {
        case Step::kOn: engine->noteOn(static_cast<int8_t>(step.a), static_cast<uint8_t>(step.b)); break;
        case Step::kOff: engine->noteOff(static_cast<int8_t>(step.a)); break;
        case Step::kBend: engine->setPitchBend(step.a); break;
        case Step::kSet: set(static_cast<ParamIndex>(step.a), step.b); break;
        case Step::kProgram: engine->loadProgram(step.a); break;
        case Step::kNativeHost: owner.nativeHost = true; break;
        case Step::kAccumulate: replacing = false; break;
        }
    }

    Zarn* operator->() { return engine.get(); }

    std::unique_ptr<Zarn> engine;
    ShellStandIn owner;
    double rate;
    bool replacing = true;
    std::vector<float> left;
    std::vector<float> right;
};
