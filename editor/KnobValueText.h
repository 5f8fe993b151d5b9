#pragma once

#include <cstddef>
#include <cstdint>

class Zarn;

// The text that the value pop-up shows for the knob with tag at value v, in the unit the
// parameter means to a musician (semitones, cents, Hz, ms or percent). A few texts read the
// engine's current pitch and hold fields, which the audio thread may be writing: the text then
// shows the value from just before or just after the change. Writes at most size bytes,
// NUL-terminated.
void formatKnobValueText(char* text, std::size_t size, int32_t tag, float v, const Zarn& engine);
