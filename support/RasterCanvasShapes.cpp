// Shapes of the raster canvas: points, integer lines with a square brush, rectangle outlines,
// circles, discs, rectangle fills and the gradient bar, clearing and reading pixels back.

#include "support/CanvasMath.h"
#include "support/RasterCanvas.h"

#include <cmath>

using CanvasMath::clampOrLow;
using CanvasMath::fraction;
using CanvasMath::toIndex;

namespace {

// Quarter-disc coverage for radii 1 to 4: entry q x (R + 1) + m is the coverage at horizontal
// offset R - m and vertical offset R - q from the centre.
constexpr float kMask1[] = {0.3f, 0.9f, 0.9f, 1.f};
constexpr float kMask2[] = {0.4f, 0.58f, 0.92f, 0.58f, 0.9f, 1.f, 0.92f, 1.f, 1.f};
constexpr float kMask3[] = {0.f, 0.15f, 0.68f, 0.95f, 0.15f, 0.94f, 1.f, 1.f, 0.68f, 1.f, 1.f, 1.f, 0.95f, 1.f, 1.f, 1.f};
constexpr float kMask4[] = {0.f,  0.f, 0.3f, 0.75f, 0.95f, 0.f,   0.52f, 1.f, 1.f, 1.f, 0.3f, 1.f, 1.f,
                            1.f,  1.f, 0.75f, 1.f, 1.f,   1.f, 1.f,   0.95f, 1.f, 1.f, 1.f, 1.f};
constexpr const float* kDiscCoverageMask[] = {nullptr, kMask1, kMask2, kMask3, kMask4};

// a x b / c in 128 bits: clipped line ends of far-away coordinates.
int64_t mulDiv(int64_t a, int64_t b, int64_t c) { return int64_t(__int128(a) * b / c); }

} // namespace

void RasterCanvas::drawPoint(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha)
{
    if (!drawColour)
        return;
    const int64_t s = supersampling;
    const int64_t column = int64_t(x) * s, row = int64_t(drawColour->height) - int64_t(y) * s;
    size_t i;
    if (!drawingIndex(column, row, i))
        return;
    drawIntensity->data[i] = alpha >= 254 ? 1.f : float(alpha) / 255.f;
    uint8_t* pixel = &drawColour->data[i * 4];
    pixel[0] = blue, pixel[1] = green, pixel[2] = red;
}

void RasterCanvas::drawLineInt(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t red, uint8_t green,
                               uint8_t blue, uint8_t alpha)
{
    if (!drawColour)
        return;
    const int64_t s = supersampling;
    const int64_t W = drawColour->width, H = drawColour->height;
    const bool swap = x1 > x2;
    int64_t xl = (swap ? x2 : x1) * s, yl = (swap ? y2 : y1) * s;
    int64_t xr = (swap ? x1 : x2) * s, yr = (swap ? y1 : y2) * s;
    int64_t rl = H - yl - 1, rr = H - yr - 1;
    if ((xl < 0 && xr < 0) || (xl > W && xr > W))
        return;
    const int64_t dy = std::llabs(yl - yr), dx = xr - xl;
    if (xl < 0) {
        const int64_t move = mulDiv(-xl, dy, dx);
        rl += rl < rr ? move : -move;
        xl = 0;
    }
    if (xr > W) {
        const int64_t move = mulDiv(xr - W, dy, dx);
        rr += rr < rl ? move : -move;
        xr = W;
    }
    const int64_t DX = std::llabs(xr - xl), DY = std::llabs(rr - rl);
    int64_t err = DX - DY;
    const int64_t stepX = xl < xr ? 1 : -1, stepY = rl < rr ? 1 : -1;
    const int64_t n = lineStyle == 2 ? (s > 1 ? 2 * s - 1 : 2) : lineStyle == 3 ? (s > 1 ? 3 * s - 1 : 3) : s;
    const float I = alpha < 250 ? clampOrLow(float(alpha) / 255.f, 0.f, 1.f) : 1.f;
    pointStart = uint32_t(xl);
    pointEnd = uint32_t(xr);
    int64_t x = xl, row = rl;
    auto record = [&](int64_t bx, int64_t by) {
        if (recordPoints && W > 0) {
            const int64_t j = std::clamp<int64_t>(bx, 0, W - 1);
            points[size_t(j)] = FloatPoint{float(j), float(H - by)};
        }
    };
    const int64_t count = drawColour->count;
    for (int64_t counter = 0;;) {
        // Brush rows wholly above or below the buffer draw nothing; their columns are still
        // recorded, and only the lowest brush row stays recorded.
        const bool rowsOutside = row + n <= 0 || row >= H;
        for (int64_t bx = x; bx < x + n; ++bx) {
            if (rowsOutside) {
                record(bx, row + n - 1);
                continue;
            }
            for (int64_t by = row; by < row + n; ++by) {
                size_t i;
                if (drawingIndex(bx, by, i)) {
                    drawIntensity->data[i] = I;
                    uint8_t* pixel = &drawColour->data[i * 4];
                    pixel[0] = blue, pixel[1] = green, pixel[2] = red;
                }
                record(bx, by);
            }
        }
        if (++counter >= count || (x == xr && row == rr) || x >= W)
            break;
        // A run of row-only steps outside the buffer records the same columns over and over:
        // take all but its last step at once (far-away rows cost no time). The run ends before
        // the rows could enter the buffer, the counter reaches the count or the walk its end.
        if (rowsOutside && 2 * err <= -DY) {
            int64_t run = DX > 0 ? (-DY - 2 * err) / (2 * DX) + 1 : count;
            run = std::min(run, count - counter);
            if (x == xr)
                run = std::min<int64_t>(run, std::llabs(rr - row));
            if (stepY > 0 && row + n <= 0)
                run = std::min(run, -n - row + 1);
            else if (stepY < 0 && row >= H)
                run = std::min(run, row - H + 1);
            row += (run - 1) * stepY, err += (run - 1) * DX, counter += run - 1;
        }
        const int64_t e2 = 2 * err;
        if (e2 > -DY)
            err -= DY, x += stepX;
        if (e2 < DX)
            err += DX, row += stepY;
    }
}

void RasterCanvas::drawPolylineInt(const VSTGUI::CPoint* points, int32_t count, uint8_t red, uint8_t green,
                                   uint8_t blue, uint8_t alpha)
{
    if (!drawColour || !points || count < 2)
        return;
    for (int32_t i = 0; i + 1 < count; ++i)
        drawLineInt(int32_t(CanvasMath::clampOrLow<int64_t>(toIndex(points[i].x), INT32_MIN, INT32_MAX)),
                    int32_t(CanvasMath::clampOrLow<int64_t>(toIndex(points[i].y), INT32_MIN, INT32_MAX)),
                    int32_t(CanvasMath::clampOrLow<int64_t>(toIndex(points[i + 1].x), INT32_MIN, INT32_MAX)),
                    int32_t(CanvasMath::clampOrLow<int64_t>(toIndex(points[i + 1].y), INT32_MIN, INT32_MAX)), red,
                    green, blue, alpha);
}

void RasterCanvas::frameRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t red, uint8_t green,
                             uint8_t blue, uint8_t alpha)
{
    drawLineInt(x1, y1, x2, y1, red, green, blue, alpha);
    drawLineInt(x2, y1, x2, y2, red, green, blue, alpha);
    drawLineInt(x2, y2, x1, y2, red, green, blue, alpha);
    drawLineInt(x1, y2, x1, y1, red, green, blue, alpha);
}

void RasterCanvas::drawCircle(int32_t cx, int32_t cy, int32_t radius, uint8_t red, uint8_t green, uint8_t blue,
                              uint8_t alpha)
{
    const int64_t s = supersampling;
    circleInDrawingUnits(int64_t(cx) * s, int64_t(cy) * s, int64_t(radius) * s, red, green, blue, alpha);
}

void RasterCanvas::circleInDrawingUnits(int64_t cx, int64_t cy, int64_t radius, uint8_t red, uint8_t green,
                                        uint8_t blue, uint8_t alpha)
{
    if (!drawColour)
        return;
    const int64_t n = 2 * radius;
    if (n < 3)
        return;
    // An outline that passes wholly beside the buffer, or wholly around it, draws nothing: a
    // huge radius costs no drawing time. The margin covers the stroke's width.
    const int64_t W = drawColour->width, H = drawColour->height, margin = 4;
    const double inner = double(radius - margin);
    auto within = [&](double x, double y) { return std::hypot(x - double(cx), y - double(cy)) < inner; };
    const bool outside =
        cx + radius < -margin || cx - radius > W + margin || cy + radius < -margin || cy - radius > H + margin ||
        (inner > 0 && within(0, 0) && within(double(W), 0) && within(0, double(H)) && within(double(W), double(H)));
    const float R = float(radius);
    // Point i of the outline: the first at angle 0, each later one raised by 1 where it is 0 or less.
    auto pointAt = [&](int64_t i, float& x, float& y) {
        if (i == 0) {
            x = float(radius + cx), y = float(cy);
            return;
        }
        const float angle = float(i) * 6.2831855f / float(n - 1);
        float px = R * std::cos(angle), py = R * std::sin(angle);
        if (px <= 0.f)
            px += 1.f;
        if (py <= 0.f)
            py += 1.f;
        x = float(cx) + px, y = float(cy) + py;
    };
    float previousX, previousY, x, y;
    pointAt(0, previousX, previousY);
    if (!outside) {
        for (int64_t i = 1; i < n; ++i) {
            pointAt(i, x, y);
            segmentInDrawingUnits(previousX, previousY, x, y, red, green, blue, 0.f, 0, 0, 0.f, alpha);
            previousX = x, previousY = y;
        }
        return;
    }
    // Nothing to draw, but each chord's column pass still leaves its recorded range (and its
    // "no point" marks): the chords that are not wholly left or right of the buffer.
    const float fW = float(W);
    auto chordState = [&](float x1, float x2) {
        if (x1 != x2 && !(x1 < 0.f && x2 < 0.f) && !(x1 > fW && x2 > fW))
            startColumnPass(std::max(0.f, std::min(x1, x2)), std::min(fW, std::max(x1, x2)));
    };
    constexpr int64_t kWalkedChords = int64_t(1) << 16;
    if (n <= kWalkedChords) {
        for (int64_t i = 1; i < n; ++i, previousX = x) {
            pointAt(i, x, y);
            chordState(previousX, x);
        }
        return;
    }
    // Too many chords to walk. Along the lower half (angle pi to 2 pi) x never decreases, so the
    // last chord that reaches the buffer's columns is found by bisection; the columns the
    // chords span together run from the leftmost point to the rightmost.
    auto xAt = [&](int64_t i) { return pointAt(i, x, y), x; };
    const int64_t half = (n - 1) / 2;
    if (recordPoints) {
        float left = xAt(half), right = std::max({xAt(0), xAt(1), xAt(n - 1)});
        for (int64_t i = std::max<int64_t>(half - 2, 1); i <= half + 2; ++i)
            left = std::min(left, xAt(i));
        chordState(left, right);
    }
    const float last = xAt(n - 1);
    // The largest index whose x passes the test, in [lo, n - 1]; lo - 1 when none does.
    auto lastWhere = [&](int64_t lo, auto passes) {
        int64_t hi = n - 1;
        while (lo <= hi) {
            const int64_t mid = lo + (hi - lo) / 2;
            if (passes(xAt(mid)))
                lo = mid + 1;
            else
                hi = mid - 1;
        }
        return hi;
    };
    const int64_t m = last <= fW ? lastWhere(half, [&](float v) { return v < last; })
                                 : lastWhere(half, [&](float v) { return v <= fW; });
    if (m >= half && m < n - 1)
        chordState(xAt(m), xAt(m + 1));
}

void RasterCanvas::fillDisc(int32_t cx, int32_t cy, int32_t radius, uint8_t red, uint8_t green, uint8_t blue,
                            uint8_t alpha)
{
    if (!drawColour || radius < 1)
        return;
    const int64_t s = supersampling;
    const int64_t c = int64_t(cx) * s, R = int64_t(radius) * s, e = (int64_t(cy) + 1) * s;
    const int64_t H = drawColour->height;
    const int64_t row0 = H - std::clamp<int64_t>(e, 0, H);
    if (R > 4) {
        // Rows further than a stroke's width from the buffer draw nothing; the range that they
        // would record is replaced by the outlines that follow, which span their columns.
        const int64_t first = std::max(-R, -3 - row0), last = std::min(R, H + 3 - row0);
        for (int64_t dy = first; dy <= last; ++dy) {
            const float h = std::sqrt(float(double(R) * double(R) - double(dy) * double(dy)));
            const float y = float(H - (row0 + dy));
            segmentInDrawingUnits(float(c) - std::floor(h), y, float(c) + std::ceil(h), y, red, green, blue, 0.f, 0,
                                  0, 0.f, alpha);
        }
        for (int64_t r = R - 1; r <= R + 1; ++r)
            circleInDrawingUnits(c, H - row0, r, red, green, blue, alpha);
        return;
    }
    const float P = alpha < 250 ? std::sqrt(float(alpha) / 255.f) : 1.f;
    const float* mask = kDiscCoverageMask[R];
    for (int64_t i = 0; i < (R + 1) * (R + 1); ++i) {
        const int64_t q = i / (R + 1), m = i % (R + 1);
        const float v = alpha < 250 ? mask[i] * P : mask[i];
        offer(c + R - m, row0 + R - q, red, green, blue, v);
        offer(c + R - m, row0 - R + q, red, green, blue, v);
        offer(c - R + m, row0 + R - q, red, green, blue, v);
        offer(c - R + m, row0 - R + q, red, green, blue, v);
    }
}

void RasterCanvas::fillRect(const VSTGUI::CRect& rect, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha)
{
    if (!drawColour || rect.left == rect.right || rect.top == rect.bottom)
        return;
    const float a = clampOrLow(float(alpha) / 255.f, 0.f, 1.f);
    const int64_t s = supersampling;
    const int64_t W = drawColour->width, H = drawColour->height;
    const int64_t x0 = std::max<int64_t>(toIndex(std::min(rect.left, rect.right)), 0) * s;
    const int64_t x1 = std::min<int64_t>(toIndex(std::max(rect.left, rect.right)), W) * s;
    const int64_t t = std::max<int64_t>(toIndex(std::min(rect.top, rect.bottom)) * s, 0);
    const int64_t b = std::min<int64_t>(toIndex(std::max(rect.top, rect.bottom)) * s, H);
    // Only the columns and rows inside the buffer: the others would be skipped.
    for (int64_t row = std::max<int64_t>(H - b, 0); row <= std::min(H - t - 1, H - 1); ++row) {
        for (int64_t x = x0; x <= std::min(x1, W - 1); ++x) {
            const size_t i = size_t(row) * size_t(W) + size_t(x);
            uint8_t* pixel = &drawColour->data[i * 4];
            if (alpha >= 250) {
                drawIntensity->data[i] = a;
                pixel[0] = blue, pixel[1] = green, pixel[2] = red;
                continue;
            }
            drawIntensity->data[i] = std::min(std::max(drawIntensity->data[i] + a, 0.f), 1.f);
            const uint8_t colour[3] = {blue, green, red};
            for (int j = 0; j < 3; ++j)
                pixel[j] = uint8_t(std::clamp(float(pixel[j]) * (1.f - a) + float(colour[j]) * a, 0.f, 255.f));
        }
    }
}

// On a supersampled canvas the bar's y range and its diagonal edge are drawing rows (y times the
// factor, as every operation scales its coordinates once), and each output column spans the
// factor's drawing columns; yA is written back as that drawing row.
void RasterCanvas::drawGradientBar(float* bar, uint8_t red, uint8_t green, uint8_t blue, float strength)
{
    if (!drawColour || !bar)
        return;
    strength = clampOrLow(strength, 0.f, 2.f);
    const int64_t W = drawColour->width, H = drawColour->height;
    if (H < 2 || W < 2 || rowIntensity.size() < size_t(H) + 1)
        return;
    if (!CanvasMath::allFinite(bar[0], bar[1], bar[2], bar[3]))
        return;
    if (toIndex(std::fabs(bar[1] - bar[0])) == 0 || toIndex(std::fabs(bar[2] - bar[3])) == 0)
        return;
    const int64_t w = toIndex(std::fabs(bar[1] - bar[0]));
    const int64_t s = supersampling;
    if (s > 1)
        bar[1] += 1.f;
    const bool graded = strength >= 0.01f;
    for (int64_t i = 0; i <= H; ++i) {
        const float value = graded ? float(i) / float(H) * (0.2f * strength) + 0.3f * strength : 1.f;
        rowIntensity[size_t(i)] = value;
        rowEdgeIntensity[size_t(i)] = graded ? value * 0.5f : 0.5f;
    }
    const float xl = std::min(bar[0], bar[1]), xr = std::max(bar[0], bar[1]);
    const float fH = float(H), fs = float(s);
    bar[2] = fH - bar[2] * fs;
    const float rowB = fH - bar[3] * fs;
    const float top = std::min(rowB, bar[2]), bottom = std::max(rowB, bar[2]);
    const float slope = std::fabs(bottom - top) / std::fabs(xr - xl);
    const float edge = graded ? 0.3f * strength : 1.f;
    const int64_t first = toIndex(xl);
    // Columns outside 0 to W and rows outside the buffer draw nothing (the row tables end at H).
    const int64_t rowFirst = std::max<int64_t>(toIndex(top), 0);
    for (int64_t col = std::max<int64_t>(first, 0); col <= std::min(first + w, W); ++col) {
        const float lineY = top + slope * float(col - first);
        const int64_t cs = col * s;
        const int64_t lr = std::clamp<int64_t>(toIndex(lineY), 0, H);
        for (int64_t r = rowFirst; r < H && float(r) < bottom; ++r) {
            for (int64_t x = cs; x < cs + s; ++x)
                offer(x, r, red, green, blue, rowIntensity[size_t(r)]);
            offer(cs - 1, r, red, green, blue, rowEdgeIntensity[size_t(r)]);
            offer(cs + s, r, red, green, blue, rowEdgeIntensity[size_t(r)]);
        }
        for (int64_t x = cs; x < cs + s; ++x)
            offer(x, lr, red, green, blue, fraction(lineY) * edge);
    }
}

void RasterCanvas::clear(uint8_t red, uint8_t green, uint8_t blue)
{
    if (!drawColour)
        return;
    std::fill(drawIntensity->data.begin(), drawIntensity->data.end(), 1.f);
    if (red == green && green == blue) {
        std::fill(drawColour->data.begin(), drawColour->data.end(), red);
        return;
    }
    for (size_t i = 0; i + 3 < drawColour->data.size(); i += 4)
        drawColour->data[i] = blue, drawColour->data[i + 1] = green, drawColour->data[i + 2] = red;
}

void RasterCanvas::getPixelColour(uint32_t x, uint32_t y, uint8_t& red, uint8_t& green, uint8_t& blue) const
{
    red = green = blue = 0;
    size_t i;
    if (!drawingIndex(x, y, i))
        return;
    const uint8_t* pixel = &drawColour->data[i * 4];
    red = pixel[2], green = pixel[1], blue = pixel[0];
}

float RasterCanvas::getPixelIntensity(uint32_t x, uint32_t y) const
{
    size_t i;
    return drawingIndex(x, y, i) ? drawIntensity->data[i] : 0.f;
}
