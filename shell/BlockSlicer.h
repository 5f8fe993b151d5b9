#pragma once

#include "shell/NoteQueue.h"

#include <cstdint>

// Walks a block's queued note events in arrival order: render(offset, count) covers the frames
// up to each event that falls inside the block, then apply(event) acts on it. An event before
// the current position acts there, without going back; one at or beyond the block's end is
// not applied.
template <typename Render, typename Apply>
void renderInSlices(const NoteQueue& queue, int32_t frames, Render&& render, Apply&& apply) {
    int32_t position = 0;
    for (const NoteEvent& event : queue) {
        if (event.deltaFrames >= frames)
            continue;
        if (event.deltaFrames > position) {
            render(position, event.deltaFrames - position);
            position = event.deltaFrames;
        }
        apply(event);
    }
    if (frames > position)
        render(position, frames - position);
}
