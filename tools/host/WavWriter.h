#pragma once

#include "tools/host/Render.h"

#include <string>

namespace host {

// Writes a stereo 32-bit float WAV file; false when the file cannot be written.
bool writeWav(const std::string& path, const StereoBuffer& buffer, int sampleRate);

} // namespace host
