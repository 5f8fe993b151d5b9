#include "engine/SynthProgram.h"

int32_t compareProgramNames(const char* a, const char* b) {
    if (a[0] == '-')
        return 100;
    if (b[0] == '-')
        return -100;
    for (std::size_t i = 0;; ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
}
