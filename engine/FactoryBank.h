#pragma once

#include "engine/SynthProgram.h"

// The built-in bank that every new engine copies into its programBank.
extern const SynthProgram factoryBank[kNumPrograms];
