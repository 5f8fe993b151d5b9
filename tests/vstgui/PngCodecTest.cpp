#include "vstgui/CColor.h"
#include "vstgui/PngCodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <tuple>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

using VSTGUI::CColor;
using VSTGUI::PngCodec;

namespace {

using Bytes = std::vector<uint8_t>;

void put32(Bytes& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(value >> shift));
}

// Bit by bit, each byte's lowest bit first.
uint32_t crc32(const uint8_t* p, size_t n)
{
    uint32_t c = ~0u;
    for (size_t bit = 0; bit < 8 * n; ++bit)
        c = ((c ^ (p[bit / 8] >> bit % 8)) & 1 ? 0xEDB88320u : 0) ^ (c >> 1);
    return ~c;
}

void putChunk(Bytes& png, const char* type, const Bytes& data)
{
    put32(png, uint32_t(data.size()));
    const size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    put32(png, crc32(png.data() + start, png.size() - start));
}

// A PNG of one IDAT chunk; a palette picture's entry i is (i, 255 - i, 7). Apple's CgBI form holds
// the deflate data without the zlib header and checksum.
Bytes makePng(uint32_t w, uint32_t h, uint8_t depth, uint8_t colour, uint8_t interlace, const Bytes& zlib,
              bool apple = false)
{
    Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, header, palette;
    if (apple)
        putChunk(png, "CgBI", {});
    put32(header, w);
    put32(header, h);
    header.insert(header.end(), {depth, colour, 0, 0, interlace});
    putChunk(png, "IHDR", header);
    for (int i = 0; colour == 3 && i < 256; ++i)
        palette.insert(palette.end(), {uint8_t(i), uint8_t(255 - i), 7});
    if (colour == 3)
        putChunk(png, "PLTE", palette);
    putChunk(png, "IDAT", apple ? Bytes(zlib.begin() + 2, zlib.end() - 4) : zlib);
    putChunk(png, "IEND", {});
    return png;
}

// Rows in one stored deflate block, wrapped in zlib.
Bytes storedZlib(const Bytes& rows)
{
    const auto n = uint16_t(rows.size());
    Bytes z{0x78, 0x01, 0x01, uint8_t(n), uint8_t(n >> 8), uint8_t(~n), uint8_t(~n >> 8)};
    z.insert(z.end(), rows.begin(), rows.end());
    uint32_t a = 1, b = 0;
    for (uint8_t v : rows)
        b = (b + (a = (a + v) % 65521)) % 65521;
    put32(z, b << 16 | a);
    return z;
}

int64_t peakMemory()
{
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return int64_t(counters.PeakWorkingSetSize);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return int64_t(usage.ru_maxrss) * 1024;
#endif
}

// A 1 x 1 grey picture whose data inflates to 512 MiB: a literal 0, then matches of 258 bytes at
// distance 1, 13 bits each in deflate's fixed code (3.4 MB of data). Refused without the memory.
TEST(PngCodec, DataBeyondTheDeclaredRowsIsRefusedBeforeItIsInflated)
{
    Bytes zlib{0x78, 0x01}; // then the deflate data
    uint64_t bits = 0;
    int count = 0;
    const auto put = [&](uint32_t value, int n) { // least significant bit first; codes pre-reversed
        for (bits |= uint64_t(value) << count, count += n; count >= 8; bits >>= 8, count -= 8)
            zlib.push_back(uint8_t(bits));
    };
    put(0b011, 3);  // final block, fixed code
    put(0x0C, 8);   // literal 0: code 00110000
    const uint32_t matches = (512u << 20) / 258;
    for (uint32_t i = 0; i < matches; ++i)
        put(0xA3, 13); // length 258: code 11000101; distance 1: code 00000
    put(0, 7 + 7);     // end of block, then up to a whole byte
    put32(zlib, (1 + 258u * matches) % 65521 << 16 | 1); // Adler-32 of zero bytes
    const Bytes png = makePng(1, 1, 8, 0, 0, zlib);

    const int64_t before = peakMemory();
    int32_t w = 0, h = 0;
    std::vector<uint8_t> pixels;
    EXPECT_FALSE(PngCodec::decode(png.data(), png.size(), w, h, pixels));
    EXPECT_LT(peakMemory() - before, 64 << 20);
}

// Each colour type at sub-byte, 8- and 16-bit depths, interlaced or not, and in Apple's form,
// holding exactly its declared rows (worked by hand: per row a filter byte and the bits in whole
// bytes, per Adam7 pass), decodes; a byte less or more is refused. The rows are zero (filter none)
// but for the first pixel's bytes, 0x9C each.
TEST(PngCodec, PicturesDecodeWithExactlyTheirDeclaredRows)
{
    const CColor black = VSTGUI::kBlackCColor, white = VSTGUI::kWhiteCColor, none = VSTGUI::kTransparentCColor;
    const CColor grey(156, 156, 156), translucent(95, 95, 95, 156); // as stored: premultiplied
    struct Kind {
        uint8_t colour, depth, interlace;
        uint32_t w, h, rows, firstPixelBytes; // rows: the declared bytes
        CColor first, second;                 // pixels (0, 0) and (1, 0)
        bool apple = false;
    };
    for (const Kind& k : std::initializer_list<Kind>{
             {0, 1, 0, 3, 2, 4, 1, white, black},                               // 0x9C: 1 0 ...
             {0, 8, 0, 3, 2, 8, 1, grey, black},
             {2, 8, 0, 3, 2, 20, 3, grey, black},
             {2, 16, 0, 3, 2, 38, 6, grey, black},
             {3, 1, 0, 3, 2, 4, 1, CColor(1, 254, 7), CColor(0, 255, 7)},
             {3, 2, 0, 3, 2, 4, 1, CColor(2, 253, 7), CColor(1, 254, 7)},
             {3, 4, 0, 3, 2, 6, 1, CColor(9, 246, 7), CColor(12, 243, 7)},
             {3, 8, 0, 3, 2, 8, 1, CColor(156, 99, 7), CColor(0, 255, 7)},
             {4, 8, 0, 3, 2, 14, 2, translucent, none},
             {6, 8, 0, 3, 2, 26, 4, translucent, none},
             {0, 8, 1, 1, 1, 2, 1, grey, grey}, // passes 2 to 7 empty
             {6, 16, 1, 1, 1, 9, 8, translucent, translucent, true},
             {0, 1, 1, 3, 5, 20, 1, white, black}, // pass 2 empty; (1, 0) in pass 6
             {3, 4, 1, 3, 5, 22, 1, CColor(9, 246, 7), CColor(0, 255, 7)},
             {2, 8, 1, 3, 5, 55, 3, grey, black},
             {6, 8, 1, 9, 9, 343, 4, translucent, none}}) {
        const auto decode = [&](uint32_t size) {
            Bytes rows(k.rows + 1);
            std::fill_n(rows.begin() + 1, k.firstPixelBytes, 0x9C);
            rows.resize(size);
            const Bytes png = makePng(k.w, k.h, k.depth, k.colour, k.interlace, storedZlib(rows), k.apple);
            int32_t w = 0, h = 0;
            std::vector<uint8_t> p(8); // left as it is when refused
            const bool decoded = PngCodec::decode(png.data(), png.size(), w, h, p);
            const auto pixel = [&](size_t i) { return CColor(p[i * 4 + 2], p[i * 4 + 1], p[i * 4], p[i * 4 + 3]); };
            return std::tuple(decoded, w, h, pixel(0), pixel(k.w > 1));
        };
        const auto refused = std::tuple(false, 0, 0, none, none);
        EXPECT_EQ(std::tuple(decode(k.rows - 1), decode(k.rows), decode(k.rows + 1)),
                  std::tuple(refused, std::tuple(true, int32_t(k.w), int32_t(k.h), k.first, k.second), refused))
            << int(k.colour) << "/" << int(k.depth) << (k.interlace ? " interlaced " : " ") << k.w << " x " << k.h
            << (k.apple ? " CgBI" : "");
    }
}

} // namespace
