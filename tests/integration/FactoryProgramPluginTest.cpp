// The nine factory programs played through the built library, as the render tool plays them: their
// output digests at 44.1 and 48 kHz in blocks of 512.

#include "LoadedPlugin.h"
#include "tools/host/Render.h"

#include <bit>
#include <cstdio>
#include <cstdlib>

namespace {

struct Golden {
    int32_t program;
    uint64_t at44100;
    uint64_t at48000;
};

// To change the sound on purpose, run with ZARN_PRINT_GOLDEN=1: the test prints the new table,
// which replaces this one; say why in the commit message.
constexpr Golden kGolden[] = {
    {0, 18161336135946145935ull, 14724083763172490699ull},
    {1, 97938443263129669ull, 4749103635586185341ull},
    {2, 4009699910821025166ull, 18224937598693908528ull},
    {3, 14560189164582019761ull, 9638364098277820205ull},
    {4, 16472274514521893521ull, 10660755052694224509ull},
    {5, 14528046732767128644ull, 2100525247663676586ull},
    {6, 2077647390139467455ull, 12938313730854166746ull},
    {7, 16199000091482351083ull, 1599484654023455607ull},
    {8, 16660035613399686300ull, 14171799409376206467ull},
};

// FNV-1a over the interleaved samples' bytes.
uint64_t digestOf(const host::StereoBuffer& buffer) {
    uint64_t hash = 0xCBF29CE484222325ull;
    for (std::size_t i = 0; i < buffer.left.size(); ++i)
        for (float value : {buffer.left[i], buffer.right[i]})
            for (int byte = 0; byte < 4; ++byte)
                hash = (hash ^ ((std::bit_cast<uint32_t>(value) >> (8 * byte)) & 0xFF)) * 0x100000001B3ull;
    return hash;
}

class FactoryProgramPluginTest : public LoadedPlugin {
protected:
    // Note 36 at velocity 100 from frame 0, released after 0.25 s, over 1 s.
    host::StereoBuffer play(int32_t program, float rate) {
        host::Host host;
        auto instance = create(host);
        EXPECT_NE(instance, nullptr);
        instance->start(rate, 4096);
        instance->dispatch(effSetProgram, 0, program);
        const auto release = static_cast<int64_t>(rate * 0.25f);
        const std::vector<host::TimedMidi> score = {{0, {0x90, 36, 100}}, {release, {0x80, 36, 0}}};
        return host::render(*instance, score, static_cast<int64_t>(rate), 512);
    }
};

TEST_F(FactoryProgramPluginTest, OutputDigestsAreUnchanged) {
    const bool print = std::getenv("ZARN_PRINT_GOLDEN") != nullptr;
    for (const Golden& g : kGolden) {
        uint64_t digests[2];
        for (int r = 0; r < 2; ++r) {
            const float rate = r == 0 ? 44100.0f : 48000.0f;
            const host::StereoBuffer out = play(g.program, rate);
            EXPECT_GT(host::peakOf(out), 0.25f) << "program " << g.program;
            EXPECT_LE(host::peakOf(out), 1.0f) << "program " << g.program;
            digests[r] = digestOf(out);
            EXPECT_EQ(digests[r], r == 0 ? g.at44100 : g.at48000) << "program " << g.program << " at " << rate << " Hz";
        }
        if (print)
            std::printf("    {%d, %lluull, %lluull},\n", g.program, static_cast<unsigned long long>(digests[0]),
                        static_cast<unsigned long long>(digests[1]));
    }
}

} // namespace
