// wave-plot: draws the waveform of a WAV file into a PNG picture: the whole file on top and its
// first milliseconds below, left channel in blue over right channel in orange. With --sheet it
// draws several files into one picture, a row each: the whole file left, its start right.

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "WavReader.h"

namespace {

constexpr int kWidth = 1200;
constexpr int kPanelHeight = 300;

struct Rgb {
    unsigned char r, g, b;
};

constexpr Rgb kBackground{255, 255, 255};
constexpr Rgb kGrid{210, 210, 210};
constexpr Rgb kAxis{120, 120, 120};
constexpr Rgb kChannelColours[] = {{30, 90, 200}, {235, 130, 20}};

class Picture {
public:
    Picture(int width, int height) : width(width), height(height), pixels(static_cast<std::size_t>(width * height) * 3) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                set(x, y, kBackground);
    }

    void set(int x, int y, Rgb colour) {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return;
        unsigned char* p = &pixels[static_cast<std::size_t>(y * width + x) * 3];
        p[0] = colour.r;
        p[1] = colour.g;
        p[2] = colour.b;
    }

    void column(int x, int y0, int y1, Rgb colour) {
        for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y)
            set(x, y, colour);
    }

    bool writePng(const std::string& path) const {
        return stbi_write_png(path.c_str(), width, height, 3, pixels.data(), width * 3) != 0;
    }

    int width;
    int height;
    std::vector<unsigned char> pixels;
};

struct Panel {
    int left;
    int top;
    int width;
    int height;
};

// One panel of frames [first, last): per pixel column the range of the samples it covers.
// The vertical scale spans -1.25..1.25, with lines at -1, 0 and 1.
void drawPanel(Picture& picture, const Panel& panel, const std::vector<std::vector<float>>& channels,
               std::size_t first, std::size_t last) {
    const auto rowOf = [&](float value) {
        const float clamped = std::clamp(value, -1.25f, 1.25f);
        return panel.top + static_cast<int>((1.25f - clamped) / 2.5f * static_cast<float>(panel.height - 1));
    };
    for (int x = 0; x < panel.width; ++x) {
        picture.set(panel.left + x, rowOf(1.0f), kGrid);
        picture.set(panel.left + x, rowOf(-1.0f), kGrid);
        picture.set(panel.left + x, rowOf(0.0f), kAxis);
    }
    for (int x = 0; x < panel.width; x += panel.width / 10)
        picture.column(panel.left + x, panel.top, panel.top + panel.height - 1, kGrid);
    if (last <= first)
        return;
    const double perColumn = static_cast<double>(last - first) / panel.width;
    for (std::size_t c = channels.size(); c-- > 0;) {
        const std::vector<float>& samples = channels[c];
        const Rgb colour = kChannelColours[std::min<std::size_t>(c, 1)];
        for (int x = 0; x < panel.width; ++x) {
            const auto begin = first + static_cast<std::size_t>(x * perColumn);
            const auto end = std::max(begin + 1, first + static_cast<std::size_t>((x + 1) * perColumn));
            if (begin >= samples.size())
                break;
            const auto stop = samples.begin() + static_cast<std::ptrdiff_t>(std::min(end, samples.size()));
            const auto [low, high] = std::minmax_element(samples.begin() + static_cast<std::ptrdiff_t>(begin), stop);
            picture.column(panel.left + x, rowOf(*low), rowOf(*high), colour);
        }
    }
}

// The whole file and its first zoomMs milliseconds, in two panels.
bool drawFile(Picture& picture, const char* path, double zoomMs, const Panel& whole, const Panel& zoom) {
    WavData wav;
    std::string error;
    if (!readWav(path, wav, error)) {
        std::fprintf(stderr, "wave-plot: %s: %s\n", path, error.c_str());
        return false;
    }
    const std::size_t frames = wav.channels.empty() ? 0 : wav.channels[0].size();
    const auto zoomFrames = static_cast<std::size_t>(zoomMs * 0.001 * wav.sampleRate);
    drawPanel(picture, whole, wav.channels, 0, frames);
    drawPanel(picture, zoom, wav.channels, 0, std::min(frames, zoomFrames));
    return true;
}

// --sheet OUT.png ZOOM_MS IN.wav...: one row of two panels per file.
int drawSheet(int count, char** files, const char* out, double zoomMs) {
    constexpr int kRowHeight = 150;
    constexpr int kGap = 8;
    constexpr int kHalf = (kWidth - kGap) / 2;
    Picture picture(kWidth, count * (kRowHeight + kGap));
    for (int i = 0; i < count; ++i) {
        const int top = i * (kRowHeight + kGap);
        if (!drawFile(picture, files[i], zoomMs, {0, top, kHalf, kRowHeight}, {kHalf + kGap, top, kHalf, kRowHeight}))
            return 1;
    }
    if (!picture.writePng(out)) {
        std::fprintf(stderr, "wave-plot: cannot write %s\n", out);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 4 && std::string(argv[1]) == "--sheet")
        return drawSheet(argc - 4, argv + 4, argv[2], std::atof(argv[3]));
    if (argc < 3) {
        std::fprintf(stderr, "usage: wave-plot IN.wav OUT.png [ZOOM_MS]\n"
                             "       wave-plot --sheet OUT.png ZOOM_MS IN.wav...\n"
                             "Draws the whole file on top and its first ZOOM_MS milliseconds (default 60) below;\n"
                             "with --sheet, one row per file: the whole file left, its start right.\n");
        return 2;
    }
    const double zoomMs = argc > 3 ? std::atof(argv[3]) : 60.0;
    Picture picture(kWidth, 2 * kPanelHeight + 10);
    if (!drawFile(picture, argv[1], zoomMs, {0, 0, kWidth, kPanelHeight}, {0, kPanelHeight + 10, kWidth, kPanelHeight}))
        return 1;
    if (!picture.writePng(argv[2])) {
        std::fprintf(stderr, "wave-plot: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
