#pragma once

#include <string>
#include <vector>

namespace material {

// One generated C++ source of engine/material/.
struct GeneratedSource {
    std::string fileName;
    std::string text;
};

// Every material source, in a fixed order, exactly as it is committed.
std::vector<GeneratedSource> generateMaterialSources();

} // namespace material
