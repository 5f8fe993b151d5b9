#include "engine/Zarn.h"

// Models whose renderer is not written yet add nothing to the buffers.
void Zarn::renderModel4(int32_t, float**, bool) {}
void Zarn::renderModel5(int32_t, float**, bool) {}
void Zarn::renderModel6(int32_t, float**, bool) {}
void Zarn::renderModel7(int32_t, float**, bool) {}
