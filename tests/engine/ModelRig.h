#pragma once

#include <algorithm>
#include <cstring>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "RecordingOwner.h"
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

struct NoteEvent {
    int64_t frame;
    int8_t note;
    uint8_t velocity; // 0: note-off
};

// One engine at a chosen rate, set up as the shell does (rate, reset, parameters), playing one of
// the models with program 0's values and then the given patch; renders through Zarn::render.
class ModelRig {
public:
    explicit ModelRig(int32_t model, double rate = 44100.0, const Patch& patch = {})
        : engine(std::make_unique<Zarn>()), owner(*engine) {
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

    // Renders frames into left and right (replacing).
    void render(int32_t frames) {
        left.assign(static_cast<std::size_t>(frames), 0.0f);
        right.assign(static_cast<std::size_t>(frames), 0.0f);
        float* outputs[2] = {left.data(), right.data()};
        engine->render(frames, outputs, true);
    }

    // Plays the events over total frames as the shell slices a host's blocks: runs end at every
    // event and wherever cut(frame) says. After each run, ran(first frame, whether the voice had
    // ended before it).
    template <typename Cut, typename Ran>
    void play(const std::vector<NoteEvent>& events, int64_t total, Cut cut, Ran ran) {
        std::size_t next = 0;
        for (int64_t frame = 0; frame < total;) {
            for (; next < events.size() && events[next].frame <= frame; ++next) {
                if (events[next].velocity > 0)
                    engine->noteOn(events[next].note, events[next].velocity);
                else
                    engine->noteOff(events[next].note);
            }
            int64_t end = std::min(total, cut(frame));
            if (next < events.size())
                end = std::min(end, events[next].frame);
            const bool ended = engine->voiceActive == 0;
            render(static_cast<int32_t>(end - frame));
            ran(frame, ended);
            frame = end;
        }
    }

    Zarn* operator->() { return engine.get(); }

    std::unique_ptr<Zarn> engine;
    RecordingOwner owner;
    std::vector<float> left;
    std::vector<float> right;
};
