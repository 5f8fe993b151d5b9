// zarn-material-gen [DIR]: writes the engine's sound material sources into DIR
// (default engine/material, run from the repository root).
#include <cstdio>
#include <fstream>
#include <string>

#include "tools/material-gen/MaterialSources.h"

int main(int argc, char** argv) {
    const std::string directory = argc > 1 ? argv[1] : "engine/material";
    for (const material::GeneratedSource& source : material::generateMaterialSources()) {
        const std::string path = directory + "/" + source.fileName;
        std::ofstream file(path, std::ios::binary);
        file << source.text;
        if (!file) {
            std::fprintf(stderr, "zarn-material-gen: cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%s\n", path.c_str());
    }
    return 0;
}
