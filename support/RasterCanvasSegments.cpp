// Shaped, antialiased segments of the raster canvas: a float routine sampling the curve in two
// passes (columns for the flat parts, rows for the steep parts), an integer routine for long
// segments that can also fill each column, the preset curves and the polylines.

#include "support/CanvasMath.h"
#include "support/RasterCanvas.h"

#include <cmath>

using CanvasMath::fraction;
using CanvasMath::toIndex;

namespace {

// The [2/2] Pade approximation of e^e.
float padeExp(float e) { return (12.f + 6.f * e + e * e) / (12.f - 6.f * e + e * e); }

// One pass's fraction of a curve: t^exponent, or 1 - (1 - t)^exponent from the far end.
struct PassShape {
    bool straight = true;
    bool fromEnd = false;
    float exponent = 1.f;

    float operator()(float t) const
    {
        if (straight)
            return t;
        return fromEnd ? 1.f - std::pow(1.f - t, exponent) : std::pow(t, exponent);
    }
};

struct CurveShape {
    PassShape column;
    PassShape row;
};

CurveShape curveShape(int32_t curveType, float c)
{
    const auto power = [](bool fromEnd, float exponent) { return PassShape{false, fromEnd, exponent}; };
    const float e = RasterCanvas::curveExp(c);
    const float mirrored = RasterCanvas::curveExp(1.f - c);
    switch (curveType) {
    case 1:
        return {power(true, padeExp(2.f - 4.f * c)), power(true, padeExp(4.f * c - 2.f))};
    case 2:
        if (c < 0.5f)
            return {power(false, e), power(false, mirrored)};
        return {power(true, mirrored), power(true, e)};
    case 4:
        if (c <= 0.5f)
            return {power(true, mirrored), power(true, e)};
        return {power(false, e), power(false, mirrored)};
    default:
        return {};
    }
}

float peakIntensity(uint8_t alpha) { return alpha >= 250 ? 1.f : std::sqrt(float(alpha) / 255.f); }

// Advances a sample position; false when the step no longer moves it (no endless loop whatever
// sampleStep holds).
bool advance(float& position, float step)
{
    const float next = position + step;
    if (!(next > position))
        return false;
    position = next;
    return true;
}

} // namespace

void RasterCanvas::drawSegment(float x1, float y1, float x2, float y2, uint8_t red, uint8_t green, uint8_t blue,
                               float curvature, int32_t curveType, uint8_t fillMode, float fillIntensity,
                               uint8_t alpha)
{
    if (!drawColour)
        return;
    if (supersampling > 1) {
        const float s = supersampling;
        x1 *= s, y1 *= s, x2 *= s, y2 *= s;
    }
    segmentInDrawingUnits(x1, y1, x2, y2, red, green, blue, curvature, curveType, fillMode, fillIntensity, alpha);
}

void RasterCanvas::drawSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t red, uint8_t green,
                               uint8_t blue, float curvature, int32_t curveType, uint8_t fillMode,
                               float fillIntensity, uint8_t alpha)
{
    drawSegment(float(x1), float(y1), float(x2), float(y2), red, green, blue, curvature, curveType, fillMode,
                fillIntensity, alpha);
}

void RasterCanvas::segmentInDrawingUnits(float x1, float y1, float x2, float y2, uint8_t red, uint8_t green,
                                         uint8_t blue, float curvature, int32_t curveType, uint8_t fillMode,
                                         float fillIntensity, uint8_t alpha)
{
    if (!drawColour)
        return;
    const float W = float(drawColour->width);
    const float H = float(drawColour->height);
    const int64_t rowLimit = drawColour->height;
    if ((x1 < 0 && x2 < 0) || (x1 > W && x2 > W))
        return;
    // A non-finite end has no column or row to draw at.
    if (!CanvasMath::allFinite(x1, y1, x2, y2))
        return;
    const float dx = std::fabs(x2 - x1);
    const float dy = std::fabs(y2 - y1);
    const bool isLong = dx > 16.f || dy > 16.f;
    if (lineStyle == 1 && isLong && curveType != 0) {
        longSegmentInDrawingUnits(toIndex(x1), toIndex(y1), toIndex(x2), toIndex(y2), red, green, blue, curvature,
                                  curveType, fillMode, fillIntensity, alpha);
        return;
    }
    const float Y1 = H - y1, Y2 = H - y2;
    const bool firstIsLeft = !(x2 < x1);
    const float xa = firstIsLeft ? x1 : x2, Ya = firstIsLeft ? Y1 : Y2;
    const float xb = firstIsLeft ? x2 : x1, Yb = firstIsLeft ? Y2 : Y1;
    const float P = peakIntensity(alpha);
    const bool scaleFractions = alpha < 250;
    const float sigma = Yb - Ya >= 0.f ? 1.f : -1.f;
    const float D = sigma * dy;
    float ox = 0.f, oy = 0.f;
    int64_t k = 0;
    if (lineStyle == 1) {
        ox = 0.5f;
        if (Yb < Ya)
            oy = -1.f, k = 2;
        else
            k = 1;
    }
    const CurveShape shape = curveShape(curveType, curvature);
    auto plot = [&](int64_t x, int64_t y, float intensity) { offer(x, y, red, green, blue, intensity); };

    if (dx > 0.f) {
        float x = std::max(0.f, xa);
        const float xe = std::min(W, xb);
        startColumnPass(x, xe);
        float prev = -1.f;
        // A level segment plots the same values at every sample of a column: once is enough.
        const bool level = D == 0.f;
        int64_t plottedColumn = -1;
        while (x < xe) {
            const float y = Ya + shape.column((x - xa) / dx) * D;
            const int64_t ix = toIndex(x + ox);
            if (!(isLong && std::fabs(prev - y) >= 1.f) && !(level && ix == plottedColumn && y == prev)) {
                plottedColumn = ix;
                const int64_t iy = toIndex(y + oy) + k;
                if (iy >= 0 && iy <= rowLimit) {
                    float a = fraction(y);
                    if (scaleFractions)
                        a *= P;
                    const float b = P - a;
                    switch (lineStyle) {
                    case 1: plot(ix, iy, a), plot(ix, iy - 1, b); break;
                    case 2: plot(ix, iy + 1, a), plot(ix, iy, P), plot(ix, iy - 1, b); break;
                    case 3: plot(ix, iy + 1, a), plot(ix, iy, P), plot(ix, iy - 1, P), plot(ix, iy - 2, b); break;
                    default: break;
                    }
                    if (recordPoints)
                        recordPoint(ix, iy);
                }
            }
            prev = y;
            if (!advance(x, sampleStep))
                break;
        }
    }

    if (dy > 0.f) {
        const float lo = std::min(Ya, Yb), hi = std::max(Ya, Yb);
        float y = std::max(0.f, lo);
        float ye = std::min(H, hi);
        if (sigma < 0.f) {
            // The rows run from Ya upward (row = Ya - u): clip the distance u so that the rows
            // stay inside, rather than the sample position, which would keep the rows mirrored
            // beyond the top edge when the segment leaves it.
            y = lo + std::max(0.f, hi - H);
            ye = std::min(hi, lo + hi);
        }
        ye -= lineStyle == 1 ? sampleStep : 0.f;
        const int64_t columnLimit = drawColour->width;
        float prev = -1.f;
        while (y <= ye) {
            const float u = y - lo;
            const float x = xa + shape.row(u / dy) * dx;
            const int64_t ix = toIndex(x);
            if (!(isLong && std::fabs(prev - x) > 1.f) && ix >= 0 && ix < columnLimit) {
                int64_t iy = toIndex(Ya + sigma * u - ox) + k;
                float a = x - float(ix);
                if (scaleFractions)
                    a *= P;
                const float b = P - a;
                switch (lineStyle) {
                case 1:
                    if (sigma < 0.f)
                        --iy;
                    plot(ix + 1, iy, a), plot(ix, iy, b);
                    break;
                case 2: plot(ix + 1, iy, a), plot(ix, iy, P), plot(ix - 1, iy, b); break;
                case 3: plot(ix + 1, iy, a), plot(ix, iy, P), plot(ix - 1, iy, P), plot(ix - 2, iy, b); break;
                default: break;
                }
                if (recordPoints)
                    recordPoint(ix, iy);
            }
            prev = x;
            if (!advance(y, sampleStep))
                break;
        }
    }
}

void RasterCanvas::startColumnPass(float first, float end)
{
    pointStart = uint32_t(toIndex(first));
    pointEnd = uint32_t(std::max<int64_t>(toIndex(end), 0));
    // Columns that the pass does not reach hold no point: the fill skips them.
    if (recordPoints)
        for (size_t i = pointStart; i < pointEnd && i < points.size(); ++i)
            points[i] = FloatPoint{NAN, NAN};
}

void RasterCanvas::drawLongSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t red, uint8_t green,
                                   uint8_t blue, float curvature, int32_t curveType, uint8_t fillMode,
                                   float fillIntensity, uint8_t alpha)
{
    const int64_t s = supersampling;
    longSegmentInDrawingUnits(x1 * s, y1 * s, x2 * s, y2 * s, red, green, blue, curvature, curveType, fillMode,
                              fillIntensity, alpha);
}

void RasterCanvas::longSegmentInDrawingUnits(int64_t x1, int64_t y1, int64_t x2, int64_t y2, uint8_t red,
                                             uint8_t green, uint8_t blue, float curvature, int32_t curveType,
                                             uint8_t fillMode, float fillIntensity, uint8_t alpha)
{
    if (!drawColour)
        return;
    const int64_t W = drawColour->width, H = drawColour->height;
    const float P = peakIntensity(alpha);
    const bool scaleFractions = alpha < 250;
    if ((x1 < 0 && x2 < 0) || (x1 > W && x2 > W))
        return;
    const bool firstIsLeft = x1 <= x2;
    const int64_t xa = firstIsLeft ? x1 : x2, ya = firstIsLeft ? y1 : y2;
    const int64_t xb = firstIsLeft ? x2 : x1, yb = firstIsLeft ? y2 : y1;
    const int64_t Ya = H - ya, Yb = H - yb;
    const int64_t dx = xb - xa;
    const int64_t m = Yb < Ya ? -1 : 0, dir = Yb < Ya ? -1 : 1;
    const int64_t half = H / 2;
    const float Fdx = float(dx), Fdy = float(std::llabs(Yb - Ya));
    const CurveShape shape = curveShape(curveType, curvature);
    auto plot = [&](int64_t x, int64_t y, float intensity) { offer(x, y, red, green, blue, intensity); };
    auto fractions = [&](float f, float& a, float& b) {
        a = fraction(f);
        if (scaleFractions)
            a *= P;
        b = P - a;
    };

    if (Fdy > 0.f) {
        const int64_t lo = std::min(Ya, Yb);
        int64_t rowFirst = std::max<int64_t>(lo, 0), rowEnd = std::min(std::max(Ya, Yb), H);
        if (dir < 0) { // rows run from Ya upward: clip the distance from Ya, as the float routine does
            rowFirst = lo + std::max<int64_t>(0, Ya - H);
            rowEnd = std::min(Ya, lo + Ya);
        }
        int64_t prev = xa;
        for (int64_t r = rowFirst; r <= rowEnd; ++r) {
            const int64_t u = r - lo;
            const float f = shape.row(float(u) / Fdy) * Fdx;
            const int64_t ix = toIndex(f);
            float a, b;
            fractions(f, a, b);
            if (std::llabs(prev - ix) <= 1) {
                const int64_t row = Ya + dir * u + m;
                const int64_t col = xa + 2 + ix;
                if (col >= 0 && col < W) {
                    switch (lineStyle) {
                    case 2: plot(col + 1, row, a), plot(col, row, P), plot(col - 1, row, b); break;
                    case 3: plot(col + 2, row, a), plot(col + 1, row, P), plot(col, row, P), plot(col - 1, row, b); break;
                    default: plot(col, row, a), plot(col - 1, row, b); break;
                    }
                }
            }
            prev = ix;
        }
    }

    if (Fdx > 0.f) {
        const int64_t i0 = xa < -2 ? -2 - xa : 0;
        const int64_t i1 = dx - (xb > W + 2 ? xb - W - 2 : 0);
        int64_t prev = Ya;
        for (int64_t i = i0; i <= i1; ++i) {
            const float f = shape.column(float(i) / Fdx) * Fdy;
            const int64_t iy = toIndex(f);
            float a, b;
            fractions(f, a, b);
            const int64_t col = xa + 1 + i;
            const int64_t row = (iy + 1) * dir + m + Ya;
            if (std::llabs(prev - iy) <= 1 && row >= 0 && row < H) {
                plot(col, row, a);
                switch (lineStyle) {
                case 2: plot(col, row - dir, P), plot(col, row - 2 * dir, b); break;
                case 3: plot(col, row - dir, P), plot(col, row - 2 * dir, P), plot(col, row - 3 * dir, b); break;
                default: plot(col, row - dir, b); break;
                }
            }
            if (fillMode != 0 && col >= 0 && col < W) {
                const int64_t rf = std::clamp<int64_t>(row, 0, H);
                int64_t first = 0, last = -1;
                if (fillMode == 1)
                    first = 0, last = rf - 1;
                else if (fillMode == 2)
                    first = rf, last = H - 1;
                else if (fillMode == 3)
                    first = rf < half ? rf : half, last = rf < half ? half - 1 : rf - 1;
                for (int64_t r = first; r <= last; ++r)
                    plot(col, r, fillIntensity);
            }
            prev = iy;
        }
    }
}

void RasterCanvas::drawFilledRootCurve(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t red, uint8_t green,
                                       uint8_t blue, float curvature)
{
    recordPoints = true;
    pointStart = pointEnd = 0;
    drawSegment(float(x1), float(y1), float(x2), float(y2), red, green, blue, curvature, 2, 1, 0.3f, 255);
    fillUnderPolyline(nullptr, 0, red, green, blue, 0.5f);
    recordPoints = false;
}

void RasterCanvas::drawExpCurve(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t red, uint8_t green,
                                uint8_t blue, float curvature)
{
    pointStart = pointEnd = 0;
    drawSegment(float(x1), float(y1), float(x2), float(y2), red, green, blue, curvature, 1, 1, 0.2f, 255);
}

void RasterCanvas::drawRootCurve(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t red, uint8_t green,
                                 uint8_t blue, float curvature)
{
    drawSegment(float(x1), float(y1), float(x2), float(y2), red, green, blue, curvature, 2, 0, 0.2f, 255);
}

void RasterCanvas::drawPowerCurve(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t red, uint8_t green,
                                  uint8_t blue, float curvature)
{
    drawSegment(float(x1), float(y1), float(x2), float(y2), red, green, blue, curvature, 4, 0, 0.f, 255);
}

void RasterCanvas::drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t red, uint8_t green,
                            uint8_t blue, uint8_t alpha)
{
    drawSegment(float(x1), float(y1), float(x2), float(y2), red, green, blue, 0.f, 0, 0, 0.f, alpha);
}

void RasterCanvas::drawLine(float x1, float y1, float x2, float y2, uint8_t red, uint8_t green, uint8_t blue,
                            uint8_t alpha)
{
    drawSegment(x1, y1, x2, y2, red, green, blue, 0.f, 0, 0, 0.f, alpha);
}

void RasterCanvas::drawPolyline(const VSTGUI::CPoint* points, int32_t count, uint8_t red, uint8_t green,
                                uint8_t blue, uint8_t alpha)
{
    if (!points || count < 2)
        return;
    std::vector<FloatPoint> converted(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i)
        converted[size_t(i)] = FloatPoint{float(points[i].x), float(points[i].y)};
    drawPolyline(converted.data(), count, red, green, blue, alpha);
}

void RasterCanvas::drawPolyline(const FloatPoint* points, int32_t count, uint8_t red, uint8_t green, uint8_t blue,
                                uint8_t alpha)
{
    if (!drawColour || !points || count < 2)
        return;
    for (int32_t i = 0; i + 1 < count; ++i)
        drawLine(points[i].x, points[i].y, points[i + 1].x, points[i + 1].y, red, green, blue, alpha);
}
