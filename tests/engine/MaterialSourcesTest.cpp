// Checks that the committed sound material is exactly what tools/material-gen produces.
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

#include "tools/material-gen/MaterialSources.h"

namespace {

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(MaterialSourcesTest, CommittedFilesMatchTheGenerator) {
    const auto sources = material::generateMaterialSources();
    EXPECT_EQ(sources.size(), 10u);
    for (const material::GeneratedSource& source : sources) {
        const std::string committed = readFile(std::string(ZARN_SOURCE_DIR) + "/engine/material/" + source.fileName);
        EXPECT_TRUE(committed == source.text)
            << source.fileName << " differs from the generator's output; run zarn-material-gen from the repository root";
    }
}

} // namespace
