#pragma once

#include <cstdint>
#include <vector>

// The recipes of the engine's sound material, all at 44.1 kHz: damped oscillators, pitch
// sweeps and filtered bursts of seeded integer noise. Stereo material is interleaved.
namespace material {

std::vector<int16_t> model4ClickDeltas();
std::vector<float> model5Click(); // in units of 1/1024 of full scale
std::vector<float> model2Click();
std::vector<float> model1Attack();
std::vector<float> model7Attack();
std::vector<float> model6Attack();
std::vector<float> model0Attack();
std::vector<float> model3Attack();
std::vector<int8_t> singleCycleDeltas();
std::vector<float> wavetable0();
std::vector<float> wavetable1();
std::vector<float> wavetable2a();
std::vector<float> wavetable2b();

} // namespace material
